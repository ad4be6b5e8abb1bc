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

// A line read ahead: its scan, the columns of it a line holds, its values.
struct Ahead {
  const AheadLine* line = nullptr;
  std::string_view text;
  const float* values = nullptr;
};

// The line at the unit's position as read ahead, taken as read; none for a
// unit that is no readable file, or a line the statements must read.
Ahead line_ahead(RecordLayer& rl, int unit, const DataLayout& layout, std::size_t width, std::size_t reals) {
  Unit* u = rl.units.find(unit);
  if (!u || !u->file || !u->can_read) return {};
  if (!u->ahead) u->ahead = std::make_unique<LinesAhead>();
  LinesAhead& ahead = *u->ahead;
  if (!ahead.is_for(layout.format, layout.blank_first_format, width, reals)) {
    ahead.use(scan_layout(rl, layout, width, reals));
  }
  const AheadLine* l = ahead.at(*u->file);
  if (!l) {
    ahead.read_ahead(*u->file, std::max(1, layout.threads));
    l = ahead.at(*u->file);
  }
  if (!l || l->kind == Scan::unknown) return {};
  // The text of a line that is no data line: its bytes are buffered from the position on,
  // so look_ahead(0) reads nothing.
  const std::string_view text = l->kind == Scan::data ? std::string_view{}
                                : u->file->look_ahead(0).substr(0, std::min<std::size_t>(l->bytes - 1, width));
  u->file->skip_record(l->bytes);
  return {l, text, ahead.values(*l)};
}

}  // namespace

LineRead read_data_line(int unit, const DataLayout& layout, std::span<char> line, std::int32_t& year,
                        std::span<float> values) {
  const StatementStart start;
  if (kReadAhead && !line.empty()) {
    if (const Ahead a = line_ahead(start.layer(), unit, layout, line.size(), values.size()); a.line) {
      if (a.line->kind == Scan::data) {
        year = a.line->year;
        std::copy_n(a.values, values.size(), values.begin());
        return LineRead::data;
      }
      const auto end = std::copy(a.text.begin(), a.text.end(), line.begin());
      std::fill(end, line.end(), ' ');
      return a.line->kind == Scan::blank ? LineRead::blank : LineRead::other;
    }
  }
  return by_statements(unit, layout, line, year, values);
}

}  // namespace arb::rt
