// SPDX-License-Identifier: GPL-3.0-or-later
// One import: each file recognised and read, the selection applied, the
// layout chosen, and the report of each file counted.
#include "formats.h"
#include "inventory.h"
#include "layout.h"
#include "selection.h"
#include "text.h"

#include <algorithm>

namespace arb::import {

namespace {

const Format& format_of(const Input& in, const Options& o) {
  if (o.format) {
    for (const Format& f : formats()) {
      if (*o.format == f.name) return f;
    }
    throw ImportError("unknown format " + *o.format);
  }
  if (in.bytes.empty()) throw ImportError(in.name + ": empty file");  // the first part holds a line at least
  if (looks_binary(in.bytes)) throw ImportError(in.name + ": a binary file, not a station file");
  for (const Format& f : formats()) {
    if (f.recognises(in.bytes)) return f;
  }
  throw ImportError(in.name + ": not a station file of a known format (no GHCN-Monthly, Met Office, KNMI, ECA&D, "
                               "Berkeley Earth, CRUTEM, nClimDiv or CSV layout found; --format NAME forces one)");
}

void count(FileReport& r, const std::vector<Station>& kept) {
  for (const Station& s : kept) {
    if (s.source_file != r.file) continue;
    ++r.stations;
    r.years += s.years.rbegin()->first - s.years.begin()->first + 1;
    r.dropped += s.dropped;
    r.estimated += s.estimated;
    r.no_inventory += s.no_inventory;
    if (s.out_of_order) r.notes.push_back("station " + s.id + ": years out of order, sorted");
  }
}

// The file's stations as its format reads them, the filters on IDs,
// country and box applied.
std::vector<Station> read_file(const Input& in, const Format& f, const Context& cx, FileReport& report) {
  report.file = in.name;
  report.format = f.description;
  std::vector<Station> found;
  // Only GHCN-Monthly files are read a piece at a time; the others whole.
  std::string whole;
  Input all{in.name, in.bytes, {}};
  if (in.more && f.read != read_ghcn) {
    whole = in.bytes;
    char piece[1 << 16];
    while (const std::size_t n = in.more(piece, sizeof piece)) whole.append(piece, n);
    all.bytes = whole;
  }
  f.read(f.read == read_ghcn ? in : all, cx, found, report);
  std::erase_if(found, [&](const Station& s) { return !cx.selection.admits(s); });
  return found;
}

}  // namespace

Imported import_stations(const std::vector<Input>& files, const std::vector<Input>& inventories,
                         const Options& options) {
  Inventory inventory;
  for (const Input& in : inventories) inventory.add(in);
  const Selection selection(options);
  const Context cx{options, inventory, selection};
  Imported im;
  for (const Input& in : files) {
    FileReport report;
    for (Station& s : read_file(in, format_of(in, options), cx, report)) im.stations.push_back(std::move(s));
    im.files.push_back(std::move(report));
  }
  selection.finish(im.stations);
  for (FileReport& r : im.files) count(r, im.stations);
  im.layout = choose_layout(im.stations);
  return im;
}

FileReport survey_file(const Input& file, const Options& options) {
  Options whole = options;
  whole.ids.clear();
  whole.country.clear();
  whole.box.reset();
  const Inventory inventory;
  const Selection selection(whole);
  FileReport report;
  report.stations = static_cast<int>(read_file(file, format_of(file, whole), {whole, inventory, selection}, report).size());
  return report;
}

}  // namespace arb::import
