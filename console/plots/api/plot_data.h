// SPDX-License-Identifier: GPL-3.0-or-later
// What the two plots show, taken from a run's results or from the CSV
// files of an export folder, so that the window and arborix-plot draw the
// same pictures.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "run.h"

namespace arb::plots {

struct RecordData {
  std::vector<std::string> names;            // the climate variables
  std::vector<double> years;                 // every year of the maximum coverage
  std::vector<std::vector<double>> values;   // [variable][year]: NaN where missing
  std::vector<std::vector<double>> depth;    // [variable][year]: series behind the value
  int common_start = 0, common_end = 0;
};

struct CoverageData {
  struct Series {
    std::string title;  // on the axis: the station's name where the run's data file has a station table
    int first = 0, last = 0;
    std::vector<double> missing;  // years with a missing value of any variable
  };
  std::vector<Series> series;
  int common_start = 0, common_end = 0;
};

RecordData record_data(const results::Run& r);
CoverageData coverage_data(const results::Run& r);

// From an export folder (average.csv, sample_depth.csv, stations.csv,
// series.csv), read in a stream; nullopt with the reason when a file is
// missing or malformed.
std::optional<RecordData> record_data(const std::string& dir, std::string& error);
std::optional<CoverageData> coverage_data(const std::string& dir, std::string& error);

}  // namespace arb::plots
