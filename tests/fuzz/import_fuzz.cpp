// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a station file, through recognition (or one forced format),
// the reading, the selection and the texts written.  The first byte
// chooses the format (0 and above the table: recognise), the second the
// options (flags, a box, years, a least number of years).  Every input
// must end in stations or in one of the two refusals, and what is written
// must be a data file the dialogue reads: titles that begin with a letter,
// lines of at most 120 characters.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "station_import.h"

namespace {

using namespace arb::import;

void require(bool ok) {
  if (!ok) std::abort();
}

Options options_of(std::uint8_t format, std::uint8_t bits) {
  Options o;
  const auto names = format_names();
  if (format > 0 && format <= names.size()) o.format = names[format - 1].first;
  o.keep_flagged = bits & 1;
  o.drop_estimated = bits & 2;
  o.anomaly = bits & 4;
  o.si = bits & 8;
  if (bits & 16) o.box = Box{-10, 70, -20, 40};
  if (bits & 32) o.years = std::pair{1900, 1990};
  if (bits & 64) o.min_years = 3;
  if (bits & 128) o.series = "raw";
  return o;
}

void check_data_file(const std::string& text) {
  std::size_t from = 0;
  while (from < text.size()) {
    const std::size_t end = text.find('\n', from);
    require(end != std::string::npos && end - from <= 120);
    const char c = text[from];
    require((c >= '0' && c <= '9') || c == ' ' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'));
    from = end + 1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const Options o = options_of(data[0], data[1]);
  const Input in{"fuzz.txt", std::string_view(reinterpret_cast<const char*>(data + 2), size - 2), {}};
  try {
    const Imported im = import_stations({in}, {}, o);
    require(!im.stations.empty());
    check_data_file(data_file_text(im));
    require(!stations_csv_text(im).empty() && !report_text(im, "out.txt").empty());
    require(answers_text(im, "out.txt").find(im.layout.own_format) != std::string::npos);
  } catch (const ImportError&) {
  } catch (const SelectionError&) {
  }
  return 0;
}
