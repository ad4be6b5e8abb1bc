// SPDX-License-Identifier: GPL-3.0-or-later
#include "netcdf_export.h"

#include <netcdf.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <cstdio>
#include <span>
#include <string_view>
#include <vector>

#include "method_name.h"
#include "station_info.h"
#include "variable_labels.h"

namespace arb::results {

namespace {

// A failed library call, carried to the one place that reports it.
struct NcFailure {
  int status;
};

void check(int status) {
  if (status != NC_NOERR) throw NcFailure{status};
}

// Chunks of about this many bytes: whole columns of years for a block of
// stations, so that reading one series touches one chunk.
constexpr std::size_t kChunkBytes = 1 << 20;

struct Dims {
  int time = 0, station = 0, bounds = 0, chars = 0;
};

class Writer {
 public:
  Writer(const Run& r, const Provenance& p) : r_(r), p_(p), stations_(netcdf_stations(r)) {}
  ~Writer() {
    if (id_ >= 0) nc_close(id_);
  }
  Writer(const Writer&) = delete;
  Writer& operator=(const Writer&) = delete;
  void write(const std::string& path);

 private:
  void text(int var, const char* name, std::string_view value) {
    check(nc_put_att_text(id_, var, name, value.size(), value.data()));
  }
  void number(int var, const char* name, int value) { check(nc_put_att_int(id_, var, name, NC_INT, 1, &value)); }
  void define_globals();
  void define_coordinates();
  int define(const std::string& name, nc_type type, std::vector<int> dims, std::string_view long_name);
  void define_values(int j);
  void compress(int var, const std::vector<std::size_t>& chunks);
  void write_coordinates();
  void write_values(int j);
  void write_strings(int var, bool ids);
  bool any_position() const;

  const Run& r_;
  const Provenance& p_;
  std::vector<NetcdfStation> stations_;
  int id_ = -1;
  Dims d_;
  int time_ = 0, bounds_ = 0, year_ = 0, station_id_ = 0, station_name_ = 0;
  int position_[3] = {-1, -1, -1};  // lat, lon, alt
  std::vector<int> values_, average_, depth_, mean_, sd_;
  std::size_t block_ = 1;  // stations per chunk
};

std::string year_text(int y) {
  char text[16];
  std::snprintf(text, sizeof text, y < 0 ? "%05d" : "%04d", y);
  return text;
}

// Days from 1 January of `from` to 1 January of `to`, proleptic Gregorian.
double days_between(int from, int to) {
  using namespace std::chrono;
  return static_cast<double>((sys_days{year{to} / 1 / 1} - sys_days{year{from} / 1 / 1}).count());
}

std::string interval_text(int first, int last) { return std::to_string(first) + "-" + std::to_string(last); }

int Writer::define(const std::string& name, nc_type type, std::vector<int> dims, std::string_view long_name) {
  int var = 0;
  check(nc_def_var(id_, name.c_str(), type, static_cast<int>(dims.size()), dims.data(), &var));
  text(var, "long_name", long_name);
  return var;
}

// Deflate level 1 without the shuffle filter: values read with a decimal or
// two have noise in every byte, and shuffled they came out larger (0.33
// against 0.27 on a real station file) and took a fifth longer.
void Writer::compress(int var, const std::vector<std::size_t>& chunks) {
  check(nc_def_var_chunking(id_, var, NC_CHUNKED, chunks.data()));
  check(nc_def_var_deflate(id_, var, 0, 1, 1));
}

void Writer::define_globals() {
  const Coverage& c = r_.coverage;
  text(NC_GLOBAL, "Conventions", "CF-1.8");
  text(NC_GLOBAL, "featureType", "timeSeries");
  text(NC_GLOBAL, "title", "Averaged climate record of " + std::to_string(r_.nseries) + " series");
  text(NC_GLOBAL, "source", p_.program + " " + p_.version);
  text(NC_GLOBAL, "program", p_.program);
  text(NC_GLOBAL, "program_version", p_.version);
  text(NC_GLOBAL, "history", p_.ended + " " + command_text(p_.command_line));
  text(NC_GLOBAL, "method", method_name(r_.method));
  number(NC_GLOBAL, "method_number", static_cast<int>(r_.method));
  text(NC_GLOBAL, "common_interval", interval_text(c.start, c.end));
  number(NC_GLOBAL, "common_interval_first", c.start);
  number(NC_GLOBAL, "common_interval_last", c.end);
  text(NC_GLOBAL, "maximum_coverage", interval_text(c.earliest_first, c.latest_last));
  text(NC_GLOBAL, "mask", r_.log.mask);
  text(NC_GLOBAL, "layout", r_.log.layout);
  check(nc_put_att_float(id_, NC_GLOBAL, "flag", NC_FLOAT, 1, &r_.flag));
  number(NC_GLOBAL, "header_lines", r_.log.header_lines);
}

void Writer::define_coordinates() {
  const std::size_t years = static_cast<std::size_t>(r_.years());
  time_ = define("time", NC_DOUBLE, {d_.time}, "time (the middle of the year)");
  text(time_, "standard_name", "time");
  text(time_, "units", "days since " + year_text(r_.first_year()) + "-01-01 00:00:00");
  text(time_, "calendar", "proleptic_gregorian");
  text(time_, "axis", "T");
  text(time_, "bounds", "time_bnds");
  bounds_ = define("time_bnds", NC_DOUBLE, {d_.time, d_.bounds}, "the year: 1 January to the next 1 January");
  year_ = define("year", NC_INT, {d_.time}, "year the climatic year is labelled with");
  compress(time_, {years});
  compress(bounds_, {years, 2});
  compress(year_, {years});
  station_id_ = define("station_id", NC_CHAR, {d_.station, d_.chars}, "station id");
  text(station_id_, "cf_role", "timeseries_id");
  station_name_ = define("station_name", NC_CHAR, {d_.station, d_.chars}, "station name (the series' title)");
  for (int var : {station_id_, station_name_}) text(var, "_Encoding", "utf-8");
  if (!any_position()) return;
  // alt has no axis and is not among the values' coordinates: CDO takes
  // either for a vertical axis on the station dimension and then skips or
  // warns on every variable.  "height" is positive up by its definition.
  const char* names[3][4] = {{"lat", "latitude", "degrees_north", "Y"},
                             {"lon", "longitude", "degrees_east", "X"},
                             {"alt", "height", "m", nullptr}};
  for (int i = 0; i < 3; ++i) {
    position_[i] = define(names[i][0], NC_DOUBLE, {d_.station}, names[i][1]);
    text(position_[i], "standard_name", names[i][1]);
    text(position_[i], "units", names[i][2]);
    if (names[i][3]) text(position_[i], "axis", names[i][3]);
    // A station of the table may lack a position; readers then mask it.
    const double unknown = NC_FILL_DOUBLE;
    check(nc_put_att_double(id_, position_[i], "_FillValue", NC_DOUBLE, 1, &unknown));
  }
}

bool Writer::any_position() const {
  return std::any_of(stations_.begin(), stations_.end(),
                     [](const NetcdfStation& s) { return s.latitude || s.longitude || s.elevation; });
}

void Writer::define_values(int j) {
  const std::string& name = r_.names[static_cast<std::size_t>(j - 1)];
  const std::string label = variable_label(name);
  const std::string common = " over the common interval " + interval_text(r_.coverage.start, r_.coverage.end);
  const std::size_t years = static_cast<std::size_t>(r_.years());
  const int values = define(name, NC_FLOAT, {d_.time, d_.station}, label + " of each series");
  // The id alone names the station: CDO takes one character coordinate.
  text(values, "coordinates", position_[0] >= 0 ? "station_id lat lon" : "station_id");
  compress(values, {years, block_});
  // Each chunk is written whole, once: a cache smaller than a chunk (set
  // after the chunking, which sizes one; a size of 0 is taken as the
  // default) makes the library compress and write it at once instead of
  // holding it with every other variable's, some 200 MB on the largest run.
  check(nc_set_var_chunk_cache(id_, values, kChunkBytes / 4, 1, 1.0f));
  const int average = define(name + "_average", NC_FLOAT, {d_.time},
                             label + ", averaged record (" + std::string(method_name(r_.method)) + ")");
  compress(average, {years});
  const int depth = define(name + "_sample_depth", NC_INT, {d_.time}, label + ", number of series averaged");
  compress(depth, {years});
  const int mean = define(name + "_mean", NC_FLOAT, {d_.station}, label + ", mean of each series" + common);
  const int sd = define(name + "_sd", NC_FLOAT, {d_.station}, label + ", standard deviation of each series" + common);
  for (int var : {values, average, mean, sd}) check(nc_put_att_float(id_, var, "_FillValue", NC_FLOAT, 1, &r_.flag));
  for (int var : {mean, sd}) compress(var, {static_cast<std::size_t>(std::max(1, r_.nseries))});
  values_.push_back(values);
  average_.push_back(average);
  depth_.push_back(depth);
  mean_.push_back(mean);
  sd_.push_back(sd);
}

void Writer::write_strings(int var, bool ids) {
  std::size_t chars = 0;
  check(nc_inq_dimlen(id_, d_.chars, &chars));
  std::vector<char> all(stations_.size() * chars, '\0');
  for (std::size_t k = 0; k < stations_.size(); ++k) {
    const std::string& s = ids ? stations_[k].id : stations_[k].name;
    std::copy(s.begin(), s.end(), all.begin() + static_cast<std::ptrdiff_t>(k * chars));
  }
  check(nc_put_var_text(id_, var, all.data()));
}

void Writer::write_coordinates() {
  const int years = r_.years();
  std::vector<double> time, bounds;
  std::vector<int> labels;
  for (int i = 0; i < years; ++i) {
    const int y = r_.first_year() + i;
    const double start = days_between(r_.first_year(), y), end = days_between(r_.first_year(), y + 1);
    time.push_back((start + end) / 2);
    bounds.insert(bounds.end(), {start, end});
    labels.push_back(y);
  }
  check(nc_put_var_double(id_, time_, time.data()));
  check(nc_put_var_double(id_, bounds_, bounds.data()));
  check(nc_put_var_int(id_, year_, labels.data()));
  write_strings(station_id_, true);
  write_strings(station_name_, false);
  if (position_[0] < 0) return;
  for (int i = 0; i < 3; ++i) {
    std::vector<double> v;
    for (const NetcdfStation& s : stations_) {
      const std::optional<double>& x = i == 0 ? s.latitude : i == 1 ? s.longitude : s.elevation;
      v.push_back(x.value_or(NC_FILL_DOUBLE));
    }
    check(nc_put_var_double(id_, position_[i], v.data()));
  }
}

// A block of stations at a time, one chunk, so that memory stays at a chunk
// whatever the number of series.
void Writer::write_values(int j) {
  const std::size_t i = static_cast<std::size_t>(j - 1);
  const std::size_t years = static_cast<std::size_t>(r_.years());
  std::vector<float> block(years * block_);
  for (int k0 = 1; k0 <= r_.nseries; k0 += static_cast<int>(block_)) {
    const std::size_t n = std::min(block_, static_cast<std::size_t>(r_.nseries - k0 + 1));
    std::fill(block.begin(), block.end(), r_.flag);
    for (std::size_t s = 0; s < n; ++s) {
      const int k = k0 + static_cast<int>(s);
      const std::span<const float> values = r_.values(k, j, r_.first_year(), r_.first_year() + r_.years() - 1);
      const auto t0 = static_cast<std::size_t>(r_.first_value_year(k, r_.first_year()) - r_.first_year());
      for (std::size_t t = 0; t < values.size(); ++t) block[(t0 + t) * n + s] = values[t];
    }
    const std::size_t start[2] = {0, static_cast<std::size_t>(k0 - 1)}, count[2] = {years, n};
    check(nc_put_vara_float(id_, values_[i], start, count, block.data()));
  }
  std::vector<float> average(years), means, sds;
  std::vector<int> depth(years);
  for (std::size_t t = 0; t < years; ++t) {
    average[t] = r_.average(r_.first_year() + static_cast<int>(t), j);
    depth[t] = r_.sample_depth(r_.first_year() + static_cast<int>(t), j);
  }
  for (int k = 1; k <= r_.nseries; ++k) {
    means.push_back(r_.store->mean(k, j));
    sds.push_back(r_.store->sd(k, j));
  }
  check(nc_put_var_float(id_, average_[i], average.data()));
  check(nc_put_var_int(id_, depth_[i], depth.data()));
  check(nc_put_var_float(id_, mean_[i], means.data()));
  check(nc_put_var_float(id_, sd_[i], sds.data()));
}

void Writer::write(const std::string& path) {
  check(nc_create(path.c_str(), NC_NETCDF4 | NC_CLOBBER, &id_));
  std::size_t chars = 1;
  for (const NetcdfStation& s : stations_) chars = std::max({chars, s.id.size(), s.name.size()});
  const std::size_t years = static_cast<std::size_t>(std::max(1, r_.years()));
  const std::size_t most = static_cast<std::size_t>(std::max(1, r_.nseries));
  block_ = std::clamp<std::size_t>(kChunkBytes / (years * sizeof(float)), 1, most);
  check(nc_def_dim(id_, "time", static_cast<std::size_t>(r_.years()), &d_.time));
  check(nc_def_dim(id_, "station", static_cast<std::size_t>(r_.nseries), &d_.station));
  check(nc_def_dim(id_, "nv", 2, &d_.bounds));
  check(nc_def_dim(id_, "name_strlen", chars, &d_.chars));
  define_globals();
  define_coordinates();
  for (int j = 1; j <= r_.nvars; ++j) define_values(j);
  check(nc_enddef(id_));
  write_coordinates();
  for (int j = 1; j <= r_.nvars; ++j) write_values(j);
  const int closed = nc_close(id_);
  id_ = -1;
  check(closed);
}

}  // namespace

std::optional<std::string> write_netcdf(const Run& r, const Provenance& p, const std::string& dir) {
  const std::string path = dir + "/arborix.nc";
  const std::string temp = dir + "/.arborix.nc.part";
  Writer w(r, p);
  try {
    w.write(temp);
  } catch (const NcFailure& f) {
    std::remove(temp.c_str());
    return path + ": " + nc_strerror(f.status);
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    const int err = errno;
    std::remove(temp.c_str());
    return path + ": " + std::strerror(err);
  }
  return std::nullopt;
}

}  // namespace arb::results
