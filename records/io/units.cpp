// SPDX-License-Identifier: GPL-3.0-or-later
#include "units.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "input_edit.h"
#include "io.h"
#include "process_guard.h"

namespace arb::rt {

RecordLayer& layer() {
  static RecordLayer the_layer;
  return the_layer;
}

void RecordLayer::start() {
  if (started) return;
  started = true;
  options = parse_runtime_options(std::getenv("VELMOR_RT_FLAGS"), std::getenv("TABSIZE"), std::getenv("UMASK"));
  if (!options.unknown.empty()) console_out("Warning: unknown runtime option " + options.unknown + "\n");
}

void RecordLayer::begin_statement() {
  start();
  end_run_if_signalled();
  if (host) host->pump();
}

void console_out(std::string_view text) {
  if (layer().host) layer().host->ttyout(kConsoleWindowUnit, text);
}

namespace {

// The window ends its lines with CR LF, a terminal's input with LF: kept
// with LF, the answers read the same into either.
void keep_answer(std::string& answers, std::string_view line) {
  if (line.ends_with("\r\n")) {
    answers.append(line.substr(0, line.size() - 2));
    answers += '\n';
  } else {
    answers.append(line);
  }
}

}  // namespace

std::optional<std::string> console_in(std::size_t capacity) {
  RecordLayer& rl = layer();
  rl.units.flush_before_wait();
  if (!rl.host) return std::nullopt;
  auto line = rl.host->ttyinp(kConsoleWindowUnit, capacity);
  if (line) keep_answer(rl.answers, *line);
  end_run_if_signalled();
  return line;
}

Unit* UnitTable::find(int number) {
  for (auto& u : units_)
    if (u->number == number) return u.get();
  return nullptr;
}

Unit& UnitTable::connect(int number, std::unique_ptr<FileUnit> file) {
  Unit* u = find(number);
  if (!u) {
    units_.push_back(std::make_unique<Unit>());
    u = units_.back().get();
  }
  u->number = number;
  u->kind = Unit::Kind::File;
  u->can_read = file->readable();
  u->can_write = file->writable();
  u->carriage = false;
  u->blank_zero = false;
  u->file = std::move(file);
  u->ahead.reset();
  std::erase_if(names_, [number](const auto& n) { return n.first == number; });
  names_.emplace_back(number, u->file->path());
  return *u;
}

namespace {

Unit& console_unit(std::vector<std::unique_ptr<Unit>>& units, int number, bool read, bool write) {
  units.push_back(std::make_unique<Unit>());
  Unit& u = *units.back();
  u.number = number;
  u.kind = Unit::Kind::Console;
  u.can_read = read;
  u.can_write = write;
  u.carriage = layer().options.default_carriage;
  return u;
}

std::string default_file_name(int number) {
  char name[32];
  if (layer().options.vax_names)
    std::snprintf(name, sizeof name, "FOR%03d.DAT", number);
  else
    std::snprintf(name, sizeof name, "fort.%d", number);
  return name;
}

// -fileprompt: the user names the file of a unit used without an open.
std::string prompt_file_name(int number) {
  ConsoleHost* host = layer().host;
  if (!host) return default_file_name(number);
  host->ttyout(kConsoleWindowUnit, "File name for unit " + std::to_string(number) + ": ");
  auto line = console_in(kConsoleLine);
  if (!line) throw IoError::runtime(Err::PastEof);
  std::string name = *line;
  while (!name.empty() && (name.back() == '\n' || name.back() == '\r' || name.back() == ' ')) name.pop_back();
  std::size_t first = name.find_first_not_of(' ');
  return first == std::string::npos ? default_file_name(number) : name.substr(first);
}

}  // namespace

Unit& UnitTable::find_or_connect(int number) {
  if (Unit* u = find(number)) return *u;
  if (number == kStar) return console_unit(units_, number, true, true);
  if (number == 5) return console_unit(units_, number, true, false);
  if (number == 6 || number == 0) return console_unit(units_, number, false, true);
  if (number == 9 && layer().options.connect_unit9) return console_unit(units_, number, true, true);
  if (number < 0) throw IoError::runtime(Err::BadUnit);
  std::string name = layer().options.file_prompt ? prompt_file_name(number) : default_file_name(number);
  return connect(number, FileUnit::open(name, OpenStatus::Unknown, layer().options.create_mode));
}

std::string UnitTable::file_name(int number) const {
  for (const auto& [unit, name] : names_)
    if (unit == number) return name;
  return {};
}

std::optional<CloseFailure> UnitTable::close_all() {
  std::optional<CloseFailure> first;
  for (auto& u : units_) {
    if (!u->file) continue;
    try {
      u->file->close();
    } catch (const IoError& e) {
      if (!first) first = CloseFailure{u->number, e};
    }
    u->file.reset();
  }
  units_.clear();
  return first;
}

void UnitTable::flush_before_wait() {
  for (auto& u : units_)
    if (u->file) u->file->flush_before_wait();
}

std::string unit_text(int number, bool internal) {
  if (internal) return "INTERNAL";
  if (number == kStar) return "*";
  return std::to_string(number);
}

}  // namespace arb::rt
