// SPDX-License-Identifier: GPL-3.0-or-later
// The data check as a table, as a readable report and as the warnings of
// the terminal.
#include <map>
#include <utility>

#include "checks.h"
#include "csv.h"

namespace arb::results {

namespace {

template <class T>
std::string opt(const std::optional<T>& v) {
  return v ? std::to_string(*v) : std::string();
}

std::string number(const std::optional<double>& v) { return v ? csv_number(static_cast<float>(*v)) : std::string(); }

const std::string& title(const Run& r, int k) { return r.titles[static_cast<std::size_t>(k - 1)]; }

std::string variable(const Run& r, int j) { return j > 0 ? r.names[static_cast<std::size_t>(j - 1)] : std::string(); }

std::string describe(const Run& r, const Finding& f) {
  std::string s = "series " + std::to_string(f.series) + " (" + title(r, f.series) + ")";
  if (f.line) s += ", line " + std::to_string(*f.line);
  if (f.kind == Kind::year_sequence) {
    s += ": year " + std::to_string(*f.year_in_file) + " in the file, read as " + std::to_string(*f.year_assigned);
  } else if (f.year_assigned) {
    s += ", " + std::to_string(*f.year_assigned);
  }
  if (f.variable > 0) s += ", " + variable(r, f.variable);
  if (f.value && f.kind == Kind::outlier) s += " = " + number(f.value);
  return s + ": " + f.detail;
}

}  // namespace

std::string checks_csv(const Run& r, const std::vector<Finding>& findings) {
  std::string t = "series,title,kind,line,year_assigned,year_in_file,variable,value,detail\n";
  for (const Finding& f : findings) {
    t += std::to_string(f.series) + "," + csv_field(title(r, f.series)) + "," + std::string(kind_name(f.kind)) + "," +
         opt(f.line) + "," + opt(f.year_assigned) + "," + opt(f.year_in_file) + "," + variable(r, f.variable) + "," +
         number(f.value) + "," + csv_field(f.detail) + "\n";
  }
  return t;
}

std::string checks_text(const Run& r, const std::vector<Finding>& findings) {
  constexpr std::size_t kListed = 200;
  std::string t = "Data check of " + std::to_string(r.nseries) + " series, " + std::to_string(r.nvars) +
                  " variables, common interval " + std::to_string(r.coverage.start) + "-" +
                  std::to_string(r.coverage.end) + "\n";
  if (findings.empty()) return t + "\nNothing found.\n";
  std::map<Kind, int> counts;
  for (const Finding& f : findings) ++counts[f.kind];
  t += "\n";
  for (const auto& [kind, n] : counts) t += std::string(kind_name(kind)) + ": " + std::to_string(n) + "\n";
  Kind last = findings.front().kind;
  t += "\n" + std::string(kind_name(last)) + ":\n";
  std::size_t listed = 0, shifted = 0, i = 0;
  for (; i < findings.size() && listed < kListed; ++i) {
    const Finding& f = findings[i];
    if (f.kind != last) t += "\n" + std::string(kind_name(last = f.kind)) + ":\n";
    // Lines that only follow an earlier gap or repeat are counted, not listed.
    if (f.kind == Kind::year_sequence && f.detail == kShifted) {
      ++shifted;
      const bool series_ends = i + 1 == findings.size() || findings[i + 1].series != f.series ||
                               findings[i + 1].kind != f.kind;
      if (series_ends) t += "    and " + std::to_string(std::exchange(shifted, 0)) + " later line(s) shifted\n";
      continue;
    }
    t += "  " + describe(r, f) + "\n";
    ++listed;
  }
  if (i < findings.size())
    t += "\n... and more (checks.csv lists every finding)\n";
  return t;
}

std::vector<std::string> year_warnings(std::string_view program, const Run& r, const std::vector<Finding>& findings) {
  constexpr std::size_t kShown = 10;
  std::vector<std::string> lines;
  std::size_t series = 0;
  for (std::size_t i = 0; i < findings.size(); ++i) {
    const Finding& f = findings[i];
    if (f.kind != Kind::year_sequence || (i > 0 && findings[i - 1].kind == f.kind && findings[i - 1].series == f.series))
      continue;
    int affected = 0;
    for (std::size_t n = i; n < findings.size() && findings[n].kind == f.kind && findings[n].series == f.series; ++n)
      ++affected;
    if (++series > kShown) continue;
    lines.push_back(std::string(program) + ": series " + std::to_string(f.series) + " (" + title(r, f.series) +
                    "): line " + std::to_string(*f.line) + " has the year " + std::to_string(*f.year_in_file) +
                    ", read as " + std::to_string(*f.year_assigned) + " (" + f.detail + "); " +
                    std::to_string(affected) + " line(s) of this series are not the year they are read as");
  }
  if (series > kShown)
    lines.push_back(std::string(program) + ": and " + std::to_string(series - kShown) +
                    " more series with years out of sequence");
  return lines;
}

}  // namespace arb::results
