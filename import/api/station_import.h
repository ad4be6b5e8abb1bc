// SPDX-License-Identifier: GPL-3.0-or-later
// Station files as they are downloaded, turned into the program's data file
// with a table of what is known about each station and the answers that the
// dialogue needs.  No Qt, no file system: the caller hands in the bytes of
// each file and writes the texts it gets back.
#pragma once

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace arb::import {

// A malformed or unrecognised file: the message names the file, the line
// and what was expected.  The program ends with status 3.
struct ImportError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A selection that keeps no station, or more than one run can hold.  The
// program ends with status 4.
struct SelectionError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct Box {
  double south, north, west, east;
};

struct Options {
  std::optional<std::string> format;  // forced format name (format_names())
  std::string element;                // tmax, TAVG, TG, ...; empty: the format's default
  std::string series = "adjusted";    // Berkeley Earth station files
  std::string variable;               // CSV column
  std::optional<std::string> missing; // extra missing code
  bool keep_flagged = false, drop_estimated = false, anomaly = false, si = false;
  std::set<std::string> ids;
  std::string country;
  std::optional<Box> box;
  std::optional<std::pair<int, int>> years;
  int min_years = 0;
};

// One file's name and bytes.  A file read in pieces has its first part in
// bytes and gives the rest through more (the bytes read into a buffer, 0 at
// its end): a large GHCN-Monthly file is read a piece at a time.
struct Input {
  std::string name;
  std::string_view bytes;
  std::function<std::size_t(char*, std::size_t)> more;
};

// A year of twelve months; a month without a value is NaN.  The line of
// each month in its file finds duplicates (0: not met).
struct YearRow {
  std::array<double, 12> value;
  std::array<long, 12> line{};
  YearRow();
};

struct Station {
  std::string id, name, country, element, units, source_format, source_file;
  std::optional<double> latitude, longitude, elevation;
  int decimals = 2;  // decimals of the source's values
  std::map<int, YearRow> years;
  long dropped = 0, estimated = 0;
  int last_year_met = 0;
  bool out_of_order = false, no_inventory = false;
};

struct FileReport {
  std::string file, format;
  int stations = 0;
  long years = 0, dropped = 0, estimated = 0;
  int no_inventory = 0;
  std::vector<std::string> notes;
};

// The data lines' layout as the dialogue is told it: an own format and the
// missing-value flag as typed.
struct Layout {
  int width = 8, decimals = 2;
  std::string own_format, flag;
};

struct Imported {
  std::vector<Station> stations;
  std::vector<FileReport> files;
  Layout layout;
};

// Reads every file (recognised from its content unless forced), joins the
// inventories, applies the selection, and chooses the layout.  Throws
// ImportError or SelectionError.
Imported import_stations(const std::vector<Input>& files, const std::vector<Input>& inventories,
                         const Options& options);

// A file's format and the stations it holds for the element, read as
// import_stations reads it, before any filter (report.stations; its other
// counts are left at 0).  Throws ImportError.
FileReport survey_file(const Input& file, const Options& options);

// The three texts written, and the report for standard output.
std::string data_file_text(const Imported& imported);
std::string stations_csv_text(const Imported& imported);
std::string answers_text(const Imported& imported, const std::string& out);
std::string report_text(const Imported& imported, const std::string& out);
// The output file that the answers name: OUT with its extension replaced.
std::string average_file_name(const std::string& out);

// The names --format takes, with a line of description each.
std::vector<std::pair<std::string, std::string>> format_names();

}  // namespace arb::import
