// SPDX-License-Identifier: GPL-3.0-or-later
// The climate data file reader: the data-format menu, the missing-value
// flag, and every series of the data file, title line and data lines, into
// the series store.
#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "blank.h"
#include "refuse.h"
#include "store.h"
#include "files.h"
#include "makevars.h"
#include "omp_team.h"
#include "mask.h"
#include "reader.h"
#include "io.h"

namespace arb {

namespace {

using rt::kStar;
using rt::Outcome;

constexpr std::size_t kLineWidth = 120;
constexpr std::size_t kMonths = 12;
constexpr std::size_t kOwnWidth = 20;

using Line = std::array<char, kLineWidth>;
using OwnFormat = std::array<char, kOwnWidth>;
using LineValues = std::array<float, kMonths>;
// The months of the series being read, data line k's at (k - 1) * 12.
using MonthlyBuffer = std::array<float, kMonths * kYearSlots>;
// The years of a block of data lines.
using YearBuffer = std::array<std::int32_t, kYearSlots>;

constexpr Line kBlankLine = [] {
  Line l{};
  l.fill(' ');
  return l;
}();

std::string_view text_of(const Line& line) { return {line.data(), line.size()}; }

// The data-format menu until it is answered other than H; H previews the
// file, which may also skip lines.  Choice 5 asks for the own format.
void ask_format(int& unit, char& choice, OwnFormat& own) {
  for (;;) {
    choice = ' ';
    rt::write(kStar,
              "(1X,'Some possible climate data formats are:'/"
              " T4,'1. (I4/I5,12F5.1) e.g. temperature'/"
              " T4,'2. (I4/I5,12F5.2) e.g. precipitation'/"
              " T4,'3. (I4/I5,12F6.1) e.g. sealevel pressure'/"
              " T4,'4. (I5,2X,12F5.1) GISS temperature data'/"
              " T4,'5. (Enter your own?) e.g. any monthly data'/"
              " T4,'6. (Free Format)'/"
              " T4,'Enter format number (H for help)', T45,'==> ',$)");
    rt::read(kStar, "(A)", rt::kNone, choice);
    if (choice != 'H' && choice != 'h') break;
    snoop(unit);
  }
  if (choice == '5') {
    rt::write(kStar, "(/T5,'Enter your own format',T45,'==> ',$)");
    rt::read(kStar, "(A)", rt::kNone, own);
  }
}

// Asked again, without a message, until it reads.
void ask_flag(float& flag) {
  do {
    rt::write(kStar,
              "(/1X,'Given the format of your data in decimal units,'/"
              " 1X,'enter the missing value flag in the SAME decimal'/"
              " 1X,'or floating point (i.e. F5.1) units',T45, '==> ',$)");
  } while (rt::read_list(kStar, rt::kErr, flag) != Outcome::ok);
}

// The data lines of the chosen layout: layouts 1 to 3 give the year five
// columns when the line starts with a blank.
rt::DataLayout layout_of(char choice, const OwnFormat& own, float flag) {
  rt::DataLayout l;
  l.missing = flag;
  l.threads = omp_team();
  switch (choice) {
    case '1': l.format = "(I4,12F5.1)"; l.blank_first_format = "(I5,12F5.1)"; break;
    case '2': l.format = "(I4,12F5.2)"; l.blank_first_format = "(I5,12F5.2)"; break;
    case '3': l.format = "(I4,12F6.1)"; l.blank_first_format = "(I5,12F6.1)"; break;
    case '4': l.format = "(I5,2X,12F5.1)"; break;
    case '6': break;  // free format
    default: l.format = {own.data(), own.size()}; break;
  }
  return l;
}

// The data format as the menu names it, for the run's record.
std::string layout_text(char choice, const OwnFormat& own) {
  switch (choice) {
    case '1': return "(I4/I5,12F5.1)";
    case '2': return "(I4/I5,12F5.2)";
    case '3': return "(I4/I5,12F6.1)";
    case '4': return "(I5,2X,12F5.1)";
    case '6': return "free format";
    default: break;
  }
  std::string text(own.data(), own.size());
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

void show_title(std::int32_t number, const Line& line) { rt::write(kStar, "(1X,I6,2X,A)", number, text_of(line)); }

// Opens a series at a title line: counted, numbered on the console, its
// first 80 characters kept.  Slot kSeriesSlots takes the title of a series
// beyond the limit, refused at its first data line.
void open_series(SeriesStore& store, const Line& line) {
  ++store.nseries;
  std::copy_n(line.begin(), store.title(store.nseries).size(), store.title(store.nseries).begin());
  show_title(store.nseries, line);
}

// The data lines that follow a series' first, a block at a time, as many
// as the series has room for: false when the next line must be read alone.
bool take_block(int unit, const rt::DataLayout& layout, std::int32_t series, ReadLog& log, std::int32_t& lines,
                YearBuffer& years, MonthlyBuffer& months) {
  const auto done = static_cast<std::size_t>(lines);
  const std::size_t room = static_cast<std::size_t>(kYearSlots) - done;
  const rt::DataLines block = rt::read_data_lines(unit, layout, kLineWidth, std::span(years).first(room),
                                                  std::span(months).subspan(done * kMonths, room * kMonths));
  for (std::size_t i = 0; i < block.count; ++i)
    log.note(series, block.first_record + static_cast<std::int64_t>(i), years[i]);
  lines += static_cast<std::int32_t>(block.count);
  return block.count > 0;
}

struct Dialogue {
  char choice = ' ';
  OwnFormat own{};
  float flag = 0.0f;
};

// Reads series after series until the end of the file (true), or until a
// second unreadable line before a series' first data line (false).
bool read_all_series(int& unit, SeriesStore& store, ReadLog& log, const Dialogue& d, ClimateMask& mask,
                     Line& line, MonthlyBuffer& months) {
  LineValues values{};
  YearBuffer years{};
  const rt::DataLayout layout = layout_of(d.choice, d.own, d.flag);
  for (;;) {
    std::int32_t lines = 0;
    std::int32_t failures = 0;
    std::int32_t first_year = 0;
    for (;;) {
      if (lines > 0 && take_block(unit, layout, store.nseries, log, lines, years, months)) continue;
      std::int32_t year = 0;
      const rt::LineRead got = rt::read_data_line(unit, layout, line, year, values);
      if (got == rt::LineRead::end) {
        if (lines > 0) makevars(store, store.nseries, months, lines, first_year, mask);
        if (lines == 0 && failures == 1) --store.nseries;  // a title with no data is no series
        return true;
      }
      // A record that cannot be read is taken as read: a blank line.
      if (got == rt::LineRead::blank || got == rt::LineRead::error) continue;
      if (got == rt::LineRead::data) {
        if (lines == 0) {
          first_year = year;
          if (failures == 0) open_series(store, kBlankLine);  // data before any title line
          if (store.nseries > kSeriesMax) {
            refuse_data("TOO MANY SERIES! AT MOST " + std::to_string(kSeriesMax) + ", SERIES " +
                        std::to_string(store.nseries) + " REFUSED!");
          }
        }
        if (lines == kYearSlots) {
          refuse_data("TOO MANY DATA LINES! SERIES " + std::to_string(store.nseries) + " HAS MORE THAN " +
                      std::to_string(kYearSlots) + "!");
        }
        log.note(store.nseries, rt::record_number(unit), year);
        std::copy(values.begin(), values.end(), months.begin() + static_cast<std::ptrdiff_t>(lines) * 12);
        ++lines;
        continue;
      }
      if (lines > 0) {  // the next series' title line: read it again
        rt::backspace(unit);
        break;
      }
      if (++failures == 1) {
        open_series(store, line);
        continue;
      }
      rt::write(kStar, "(/1X,'ERROR READING LINE:')");
      rt::write(kStar, "(1X,A)", text_of(line));
      return false;
    }
    makevars(store, store.nseries, months, lines, first_year, mask);
  }
}

}  // namespace

void readseries(int& unit, SeriesStore& store, ReadLog& log) {
  ClimateMask mask;
  build_ruler(mask);
  askmask(mask);
  log.mask.assign(mask.chars.data(), static_cast<std::size_t>(mask.length));

  Dialogue d;
  blank(d.own);
  Line line{};
  MonthlyBuffer months{};
  for (;;) {
    ask_format(unit, d.choice, d.own);
    log.layout = layout_text(d.choice, d.own);
    ask_flag(d.flag);
    store.flag = d.flag;
    rt::write(kStar, "(' ')");
    store.nseries = 0;
    log.restart();
    if (read_all_series(unit, store, log, d, mask, line, months)) return;
    // Back to the menu, and the whole file again from its first record.
    rt::rewind(unit);
  }
}

}  // namespace arb
