// SPDX-License-Identifier: GPL-3.0-or-later
#include "import_command.h"

#include <memory>
#include <stdexcept>

#include "whole_files.h"

namespace arb::import_cli {

namespace {

void read_ids(const std::string& path, import::Options& o) {
  InputFile f(path);
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

// The files open for the length of one import, each read a piece at a time.
class OpenFiles {
 public:
  std::vector<import::Input> inputs(const std::vector<std::string>& paths) {
    std::vector<import::Input> in;
    for (const std::string& p : paths) {
      open_.push_back(std::make_unique<InputFile>(p));
      InputFile* f = open_.back().get();
      in.push_back({p, f->head(), [f](char* buffer, std::size_t size) { return f->more(buffer, size); }});
    }
    return in;
  }

 private:
  std::vector<std::unique_ptr<InputFile>> open_;
};

// The outcome of a body that may throw: status 4 for the selection, 3 for
// anything else.
template <class Body>
Outcome guarded(Body body) {
  Outcome o;
  try {
    body(o);
  } catch (const import::SelectionError& e) {
    o = {4, {}, e.what()};
  } catch (const std::exception& e) {
    o = {3, {}, e.what()};
  }
  return o;
}

}  // namespace

Outcome run_import(const Command& c) {
  return guarded([&c](Outcome& o) {
    import::Options options = c.options;
    if (!c.ids_file.empty()) read_ids(c.ids_file, options);
    OpenFiles open;
    const auto inventories = open.inputs(c.inventories);
    const auto files = open.inputs(c.files);
    const import::Imported im = import::import_stations(files, inventories, options);
    if (auto failed = write_whole({{c.out, import::data_file_text(im)},
                                   {c.out + ".stations.csv", import::stations_csv_text(im)},
                                   {c.out + ".answers.txt", import::answers_text(im, c.out)}})) {
      o = {3, {}, *failed};
      return;
    }
    o.report = import::report_text(im, c.out);
  });
}

Outcome survey(const std::string& file, const import::Options& options, import::FileReport& report) {
  return guarded([&](Outcome&) {
    OpenFiles open;
    report = import::survey_file(open.inputs({file}).front(), options);
  });
}

}  // namespace arb::import_cli
