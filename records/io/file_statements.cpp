// SPDX-License-Identifier: GPL-3.0-or-later
// OPEN, REWIND and BACKSPACE.
#include <algorithm>
#include <cctype>
#include <string>

#include "io.h"
#include "units.h"

namespace arb::rt {

namespace {

std::string upper_trimmed(std::string_view s) {
  std::string out;
  for (char c : s)
    if (c != ' ') out.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
  return out;
}

OpenStatus parse_status(std::string_view status) {
  std::string s = upper_trimmed(status);
  if (s == "OLD") return OpenStatus::Old;
  if (s == "NEW") return OpenStatus::New;
  if (s == "UNKNOWN") return OpenStatus::Unknown;
  if (s == "REPLACE") return OpenStatus::Replace;
  if (s == "SCRATCH") return OpenStatus::Scratch;
  throw IoError::runtime(Err::BadIolist);
}

// Runs one statement body under the lock, turning a failure into the
// error outcome or the report.
template <typename F>
Outcome run_statement(std::string_view name, int unit, Branches br, F&& body) {
  const StatementStart start;
  try {
    body();
  } catch (const IoError& e) {
    if (!br.err) report_failure(e, name, unit_text(unit, false));
    return Outcome::error;
  }
  return Outcome::ok;
}

}  // namespace

Outcome open(int unit, std::string_view name, std::string_view status, Branches br) {
  return run_statement("OPEN", unit, br, [&] {
    if (unit < 0) throw IoError::runtime(Err::BadUnit);
    OpenStatus st = parse_status(status);
    UnitTable& units = layer().units;
    if (Unit* old = units.find(unit); old && old->file) {
      auto file = std::move(old->file);
      file->close();
    }
    units.connect(unit, FileUnit::open(std::string(name), st, layer().options.create_mode));
  });
}

Outcome rewind(int unit, Branches br) {
  return run_statement("REWIND", unit, br, [&] {
    if (Unit* u = layer().units.find(unit); u && u->file) u->file->rewind();
  });
}

Outcome backspace(int unit, Branches br) {
  return run_statement("BACKSPACE", unit, br, [&] {
    if (Unit* u = layer().units.find(unit); u && u->file) u->file->backspace();
  });
}

std::int64_t record_number(int unit) {
  const Unit* u = layer().units.find(unit);
  return u && u->file ? u->file->record_number() : 0;
}

}  // namespace arb::rt
