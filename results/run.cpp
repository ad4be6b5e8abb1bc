// SPDX-License-Identifier: GPL-3.0-or-later
#include "run.h"

#include "variable_names.h"

namespace arb::results {

namespace {

std::string trimmed(const Title& t) {
  std::string s(t.data(), t.size());
  s.erase(s.find_last_not_of(' ') + 1);
  return s;
}

}  // namespace

Run make_run(const RunResults& results) {
  const SeriesStore& s = results.store;
  Run r;
  r.store = &s;
  r.coverage = results.coverage;
  r.method = results.method;
  r.nseries = s.nseries;
  r.nvars = s.nvars;
  r.flag = s.flag;
  r.names = variable_names(results.log.mask);
  r.names.resize(static_cast<std::size_t>(r.nvars));
  for (int j = 1; j <= r.nvars; ++j) {  // a mask the run did not note: plain numbers
    if (r.names[static_cast<std::size_t>(j - 1)].empty()) r.names[static_cast<std::size_t>(j - 1)] = "V" + std::to_string(j);
  }
  for (int k = 1; k <= r.nseries; ++k) {
    r.titles.push_back(trimmed(s.title(k)));
    r.spans.push_back({s.span(k, 1), s.span(k, 2), s.span(k, 3)});
  }
  r.record = results.record.rows;
  r.depth = results.record.depth;
  r.log = results.log;
  r.data_file = results.data_file;
  r.output_file = results.output_file;
  return r;
}

}  // namespace arb::results
