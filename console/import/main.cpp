// SPDX-License-Identifier: GPL-3.0-or-later
// arborix-import: reads the station files, writes the three files whole,
// and reports on standard output what it wrote.
#include "command_line.h"
#include "station_import.h"
#include "whole_files.h"

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace {

int fail(const std::string& message, int status) {
  std::fprintf(stderr, "arborix-import: %s\n", message.c_str());
  return status;
}

void read_ids(const std::string& path, arb::import::Options& o) {
  arb::import_cli::InputFile f(path);
  std::string text(f.head()), id;
  char piece[1 << 16];
  while (const std::size_t n = f.more(piece, sizeof piece)) text.append(piece, n);
  for (char c : text) {
    if (c == '\n' || c == '\r' || c == ',' || c == ' ' || c == '\t') {
      if (!id.empty()) o.ids.insert(id);
      id.clear();
    } else {
      id += c;
    }
  }
  if (!id.empty()) o.ids.insert(id);
  if (o.ids.empty()) throw std::runtime_error(path + ": no station ID in the file");
}

}  // namespace

int main(int argc, char** argv) {
  using namespace arb;
  std::string out, err;
  import_cli::Parsed parsed = import_cli::parse(std::vector<std::string>(argv + 1, argv + argc), out, err);
  std::fputs(out.c_str(), stdout);
  std::fputs(err.c_str(), stderr);
  if (parsed.exit_status) return *parsed.exit_status;
  import_cli::Command& c = parsed.command;
  try {
    if (!c.ids_file.empty()) read_ids(c.ids_file, c.options);
    std::vector<std::unique_ptr<import_cli::InputFile>> open;
    auto inputs = [&](const std::vector<std::string>& paths) {
      std::vector<import::Input> in;
      for (const std::string& p : paths) {
        open.push_back(std::make_unique<import_cli::InputFile>(p));
        import_cli::InputFile* f = open.back().get();
        in.push_back({p, f->head(), [f](char* buffer, std::size_t size) { return f->more(buffer, size); }});
      }
      return in;
    };
    const auto inventories = inputs(c.inventories);
    const auto files = inputs(c.files);
    const import::Imported im = import::import_stations(files, inventories, c.options);
    if (auto failed = import_cli::write_whole({{c.out, import::data_file_text(im)},
                                               {c.out + ".stations.csv", import::stations_csv_text(im)},
                                               {c.out + ".answers.txt", import::answers_text(im, c.out)}})) {
      return fail(*failed, 3);
    }
    std::fputs(import::report_text(im, c.out).c_str(), stdout);
    return 0;
  } catch (const import::SelectionError& e) {
    return fail(e.what(), 4);
  } catch (const std::exception& e) {
    return fail(e.what(), 3);
  }
}
