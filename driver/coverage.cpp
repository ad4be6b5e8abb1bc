// SPDX-License-Identifier: GPL-3.0-or-later
#include "coverage.h"

#include <string>

#include "refuse.h"
#include "io.h"

namespace arb {

Coverage find_coverage(const SeriesStore& s) {
  Coverage c;
  for (int k = 1; k <= s.nseries; ++k) {
    const std::int32_t first = s.span(k, 1);
    const std::int32_t last = s.span(k, 2);
    if (first < c.earliest_first) c.earliest_first = first;
    if (first > c.latest_first) c.latest_first = first;
    if (last < c.earliest_last) c.earliest_last = last;
    if (last > c.latest_last) c.latest_last = last;
    if (c.oversize_series == 0 && c.latest_last - c.earliest_first + 1 > kYearSlots) c.oversize_series = k;
  }
  c.length = c.latest_last - c.earliest_first + 1;
  c.start = c.latest_first;
  c.end = c.earliest_last;
  c.interval = c.end - c.start + 1;
  return c;
}

namespace {

// A year typed at one of the change prompts, read straight into the
// interval's own start or end and asked until it reads as an integer within
// the maximum coverage.  A null value or a slash leaves the year as it
// stands, and that year is then tested like a typed one.
void ask_year(std::string_view prompt, std::int32_t earliest, std::int32_t latest, std::int32_t& year) {
  for (;;) {
    rt::write(rt::kStar, prompt);
    if (rt::read_list(rt::kStar, rt::kErr, year) == rt::Outcome::ok && year >= earliest && year <= latest) return;
  }
}

}  // namespace

Coverage coverage_dialogue(const SeriesStore& s) {
  rt::write(rt::kStar, "(/'  NS  FIRST  LAST  YEARS')");
  for (int k = 1; k <= s.nseries; ++k)
    rt::write(rt::kStar, "(I4,I7,2I6)", std::int32_t{k}, std::int32_t{s.span(k, 1)}, std::int32_t{s.span(k, 2)},
              std::int32_t{s.span(k, 3)});
  Coverage c = find_coverage(s);
  if (c.oversize_series != 0)
    refuse_data("SERIES " + std::to_string(c.oversize_series) + " TAKES THE MAXIMUM COVERAGE BEYOND " +
                std::to_string(kYearSlots) + " YEARS");

  rt::write(rt::kStar, "(/1X,'Maximum coverage: ',I4,I5,I5,' years')", c.earliest_first, c.latest_last, c.length);
  rt::write(rt::kStar, "(1X,'Common interval:  ',I4,I5,I5,' years')", c.start, c.end, c.interval);
  rt::write(rt::kStar,
            "(/1X,'The common interval is used only if the series being'/"
            " 1X,'averaged are to be equalized to a variance and/or mean'/"
            " 1X,'of a common time period, say 1950-1970. Ignore the'/"
            " 1X,'next query if a straight arithmetic average is wanted.' /)");

  char answer = ' ';
  rt::write(rt::kStar, "(1X,'Change the common interval? Y/N',T45, '==> ',$)");
  rt::read(rt::kStar, "(A)", rt::kNone, answer);
  if (answer != 'Y' && answer != 'y') return c;

  // Each year is tested against the maximum coverage only, not against
  // the other: an interval that runs backwards is accepted.
  ask_year("(T5,'New first year: ',$)", c.earliest_first, c.latest_last, c.start);
  ask_year("(T5,'New last year:  ',$)", c.earliest_first, c.latest_last, c.end);
  c.interval = c.end - c.start + 1;
  return c;
}

}  // namespace arb
