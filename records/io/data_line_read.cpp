// SPDX-License-Identifier: GPL-3.0-or-later
// A data line: the next record of a file read as a line of the reader's
// width, then as a data line of its layout.  Lines of the common shape are
// taken from the lines read ahead; every other line, and any unit or
// moment where nothing was read ahead, goes through the two statements
// that define the operation.
#include <algorithm>

#include "data_line_scan.h"
#include "io.h"
#include "lines_ahead.h"
#include "units.h"

namespace arb::rt {

namespace {

// The benchmarks' reference build reads every line by the statements.
#ifdef ARBORIX_REFERENCE_READ
constexpr bool kReadAhead = false;
#else
constexpr bool kReadAhead = true;
#endif

bool blank_line(std::span<const char> line) {
  return std::all_of(line.begin(), line.end(), [](char c) { return c == ' '; });
}

std::string_view format_for(const DataLayout& layout, std::span<const char> line) {
  const bool blank_first = !layout.blank_first_format.empty() && !line.empty() && line[0] == ' ';
  return blank_first ? layout.blank_first_format : layout.format;
}

// The definition: the record into the line, then the line as a data line.
LineRead by_statements(int unit, const DataLayout& layout, std::span<char> line, std::int32_t& year,
                       std::span<float> values) {
  std::fill(line.begin(), line.end(), ' ');
  const Outcome got = read(unit, "(A)", kErrEnd, line);
  if (got == Outcome::end) return LineRead::end;
  if (got == Outcome::error) return LineRead::error;
  if (blank_line(line)) return LineRead::blank;
  const std::string_view text(line.data(), line.size());
  if (layout.format.empty()) {
    // A "/" or an empty value leaves the months it skips missing.
    std::fill(values.begin(), values.end(), layout.missing);
    float y = 0.0f;
    if (read_list(field(text), kErr, y, values) != Outcome::ok) return LineRead::other;
    year = truncated_year(y);
    return LineRead::data;
  }
  return read(field(text), format_for(layout, line), kErr, year, values) == Outcome::ok ? LineRead::data
                                                                                         : LineRead::other;
}

ScanLayout scan_layout(RecordLayer& rl, const DataLayout& layout, std::size_t width, std::size_t reals) {
  ScanLayout s{std::string(layout.format), std::string(layout.blank_first_format), width, reals, {}, {}};
  auto plan = [&](std::string_view format) {
    const TranslatedFormat* t = rl.formats.get(format);
    return t && t->rc == 0 ? make_flat_plan(t->compiled, reals, width) : FlatPlan{};
  };
  if (!layout.format.empty()) s.plan = plan(layout.format);
  if (!layout.blank_first_format.empty()) s.blank_first_plan = plan(layout.blank_first_format);
  return s;
}

// The lines read ahead of the unit's position for the layout: none for a
// unit that is no readable file.
LinesAhead* ahead_of(Unit* u, RecordLayer& rl, const DataLayout& layout, std::size_t width, std::size_t reals) {
  if (!u || !u->file || !u->can_read) return nullptr;
  if (!u->ahead) u->ahead = std::make_unique<LinesAhead>();
  LinesAhead& ahead = *u->ahead;
  if (!ahead.is_for(layout.format, layout.blank_first_format, width, reals)) {
    ahead.use(scan_layout(rl, layout, width, reals));
  }
  return &ahead;
}

// Takes `count` lines from the place on as read.
void take(FileUnit& file, LinesAhead& ahead, const AheadPlace& place, std::size_t count) {
  const AheadLine& last = place.piece->lines[place.index + count - 1];
  file.pass_records(last.start, last.start + last.bytes, static_cast<std::int64_t>(count));
  ahead.taken(place, count);
}

// The line at the unit's position as read ahead, taken as read; none for a
// line the statements must read.
AheadPlace line_ahead(RecordLayer& rl, int unit, const DataLayout& layout, std::size_t width, std::size_t reals) {
  Unit* u = rl.units.find(unit);
  LinesAhead* ahead = ahead_of(u, rl, layout, width, reals);
  if (!ahead) return {};
  const AheadPlace place = ahead->at(*u->file, std::max(1, layout.threads));
  if (!place || place.line().kind == Scan::unknown) return {};
  take(*u->file, *ahead, place, 1);
  return place;
}

}  // namespace

LineRead read_data_line(int unit, const DataLayout& layout, std::span<char> line, std::int32_t& year,
                        std::span<float> values) {
  const StatementStart start;
  if (kReadAhead && !line.empty()) {
    if (const AheadPlace a = line_ahead(start.layer(), unit, layout, line.size(), values.size())) {
      const AheadLine& l = a.line();
      if (l.kind == Scan::data) {
        year = l.year;
        std::copy_n(a.values(values.size()), values.size(), values.begin());
        return LineRead::data;
      }
      const std::string_view text = a.text().substr(0, line.size());
      const auto end = std::copy(text.begin(), text.end(), line.begin());
      std::fill(end, line.end(), ' ');
      return l.kind == Scan::blank ? LineRead::blank : LineRead::other;
    }
  }
  return by_statements(unit, layout, line, year, values);
}

DataLines read_data_lines(int unit, const DataLayout& layout, std::size_t width, std::span<std::int32_t> years,
                          std::span<float> values) {
  const StatementStart start;
  DataLines got;
  if (!kReadAhead || width == 0 || years.empty()) return got;
  const std::size_t reals = values.size() / years.size();
  Unit* u = start.layer().units.find(unit);
  LinesAhead* ahead = ahead_of(u, start.layer(), layout, width, reals);
  while (ahead && got.count < years.size()) {
    const AheadPlace a = ahead->at(*u->file, std::max(1, layout.threads));
    const std::size_t n = a ? a.data_run(years.size() - got.count) : 0;
    if (n == 0) break;
    for (std::size_t i = 0; i < n; ++i) years[got.count + i] = a.piece->lines[a.index + i].year;
    std::copy_n(a.values(reals), n * reals, values.begin() + static_cast<std::ptrdiff_t>(got.count * reals));
    take(*u->file, *ahead, a, n);
    got.count += n;
  }
  if (got.count > 0) got.first_record = u->file->record_number() - static_cast<std::int64_t>(got.count) + 1;
  return got;
}

}  // namespace arb::rt
