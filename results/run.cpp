// SPDX-License-Identifier: GPL-3.0-or-later
#include "run.h"

#include "variable_names.h"

namespace arb::results {

float Run::value(int year, int j, int k) const {
  if (!covers(k, year)) return flag;
  return store->value(year - first_year() + 1, j, k);
}

namespace {

std::string trimmed(const Title& t) {
  std::string s(t.data(), t.size());
  s.erase(s.find_last_not_of(' ') + 1);
  return s;
}

}  // namespace

Run make_run(const SeriesStore& s, const Coverage& c, Method method, const ReadLog& log, AveragedRecord record) {
  Run r;
  r.store = &s;
  r.coverage = c;
  r.method = method;
  r.nseries = s.nseries;
  r.nvars = s.nvars;
  r.flag = s.flag;
  r.names = variable_names(log.mask);
  r.names.resize(static_cast<std::size_t>(r.nvars));
  for (int j = 1; j <= r.nvars; ++j) {  // a mask the run did not note: plain numbers
    if (r.names[static_cast<std::size_t>(j - 1)].empty()) r.names[static_cast<std::size_t>(j - 1)] = "V" + std::to_string(j);
  }
  for (int k = 1; k <= r.nseries; ++k) {
    r.titles.push_back(trimmed(s.title(k)));
    r.spans.push_back({s.span(k, 1), s.span(k, 2), s.span(k, 3)});
  }
  r.record = std::move(record.rows);
  r.depth = std::move(record.depth);
  r.log = log;
  return r;
}

}  // namespace arb::results
