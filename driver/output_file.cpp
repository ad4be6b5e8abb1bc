// SPDX-License-Identifier: GPL-3.0-or-later
#include "output_file.h"

#include <algorithm>
#include <array>
#include <span>

#include "io.h"

namespace arb {

namespace {

// Values of one statistics row, gathered from the table by variable.
using Row = std::array<float, kVarSlots>;

// The first line carries variables 1 to 12; the continuation format, by
// reversion, carries 13 onward twelve to a line.
void write_values(std::string_view first, std::string_view rest, const Row& row, int nvars, auto... lead) {
  const auto p = static_cast<std::size_t>(std::clamp(nvars, 0, kPrintedVars));
  rt::write(kOutputUnit, first, lead..., std::span<const float>(row.data(), p));
  if (nvars > kPrintedVars)
    rt::write(kOutputUnit, rest, std::span<const float>(row.data() + p, static_cast<std::size_t>(nvars) - p));
}

template <typename Get>
Row gather(int nvars, Get get) {
  Row row{};
  for (int j = 1; j <= nvars; ++j) row[j - 1] = get(j);
  return row;
}

}  // namespace

void write_title(const Title& title) { rt::write(kOutputUnit, "(1X,A)", title); }

void write_statistics(const SeriesStore& s) {
  const int n = s.nseries;
  const int nv = s.nvars;
  rt::write(kOutputUnit, "(/1X,'VARIABLE MEANS:')");
  for (int k = 1; k <= n; ++k)
    write_values("(1X,I6,12F6.2)", "(4X,12F6.2)", gather(nv, [&](int j) { return s.mean(k, j); }), nv,
                 std::int32_t{k});
  rt::write(kOutputUnit, "(/1X,'VARIABLE STANDARD DEVIATIONS:')");
  for (int k = 1; k <= n; ++k)
    write_values("(1X,I6,12F6.2)", "(4X,12F6.2)", gather(nv, [&](int j) { return s.sd(k, j); }), nv,
                 std::int32_t{k});
  rt::write(kOutputUnit, "(/1X,'GRAND MEANS AND STANDARD DEVIATIONS:')");
  write_values("(1X,'MN:',12F6.2)", "(4X,12F6.2)", gather(nv, [&](int j) { return s.mean(n + 1, j); }), nv);
  write_values("(1X,'SD:',12F6.2)", "(4X,12F6.2)", gather(nv, [&](int j) { return s.sd(n + 1, j); }), nv);
}

void write_method_heading(Method method) {
  switch (method) {
    case Method::straight:
      rt::write(kOutputUnit, "(/1X,'STRAIGHT ARITHMETIC AVERAGE')");
      break;
    case Method::mean_adjusted:
      rt::write(kOutputUnit, "(/1X,'MEAN CORRECTED ARITHMETIC AVERAGE')");
      break;
    case Method::mean_variance_adjusted:
      rt::write(kOutputUnit, "(/1X,'MEAN & VARIANCE CORRECTED ARITHMETIC ', 'AVERAGE')");
      break;
  }
}

void write_year_row(int nvars, const float* row, std::int32_t year) {
  write_values("(I5,12F8.3)", "(5X,12F8.3)", gather(nvars, [&](int j) { return row[j - 1]; }), nvars, year);
}

}  // namespace arb
