// SPDX-License-Identifier: GPL-3.0-or-later
#include "driver.h"

#include <cstdint>
#include <vector>

#include "align.h"
#include "coverage.h"
#include "omp_team.h"
#include "output_file.h"
#include "statistics.h"
#include "store.h"
#include "files.h"
#include "reader.h"
#include "io.h"
#include "console_host.h"

namespace arb {

namespace {

constexpr int kDataUnit = 14;

// The end of every run that gets past the welcome: a line of two blanks,
// a wait for Enter, and a stop that writes nothing.
[[noreturn]] void end_of_run() {
  rt::pause(" ");
  rt::stop(" ");
}

Method ask_method() {
  for (;;) {
    rt::write(rt::kStar,
              "(/1X,'Estimate the average climate record as:'/"
              " T4,'Straight arithmetic average       (1)'/"
              " T4,'Mean adjusted average             (2)'/"
              " T4,'Mean & variance adjusted average  (3)',T45,'==> ',$)");
    std::int32_t choice = 0;
    if (rt::read(rt::kStar, "(I1)", rt::kErr, choice) == rt::Outcome::ok && choice >= 1 && choice <= 3)
      return static_cast<Method>(choice);
  }
}

// Every series moved to its place in the coverage and measured, series by
// series on the team: each touches only its own values and rows.
void prepare_series(SeriesStore& s, const Coverage& c) {
  const int team = omp_team();
  // Starting the team costs more than a small run's series take.
  const bool large = static_cast<long>(s.nseries) * s.nvars * c.length >= kTeamValues;
#pragma omp parallel for schedule(dynamic, 16) num_threads(team) if (team > 1 && large)
  for (int k = 1; k <= s.nseries; ++k) {
    align(s, k, c.earliest_first);
    series_statistics(s, k, c);
  }
}

}  // namespace

void arborix(RunContext& run) {
  SeriesStore& s = run.store;

  rt::write(rt::kStar,
            "(/ 1X,'Welcome to program ARBORIX, a program for averaging '/"
            " 1X,'monthly climatic time series. The program is presently'/"
            " 1X,'dimensioned to process up to ',I5,' data sets up to ',I3/"
            " 1X,'years in length. If this is not you, enter / to bailout.'/"
            " 1X,'Otherwise, hit <RET> to average your data. Good luck!'/$)",
            std::int32_t{kSeriesMax}, std::int32_t{kYearSlots});
  char answer = ' ';
  rt::read(rt::kStar, "(A)", rt::kNone, answer);
  if (answer == '/') rt::stop("Sorry about that!");

  int data_unit = kDataUnit;
  int output_unit = kOutputUnit;
  int bail = 0;
  rt::write(rt::kStar, "(/1X,'Input file:')");
  openit('O', data_unit, bail);
  if (bail != 0) end_of_run();

  std::int16_t header = 0;
  rt::write(rt::kStar, "(/1x,'Enter number of header lines to skip : ',$)");
  rt::read_list(rt::kStar, rt::kNone, header);
  for (int i = 0; i < header; ++i) rt::read_list(data_unit, rt::kNone);

  rt::write(rt::kStar, "(1X,'Output file:')");
  openit('U', output_unit, bail);
  if (bail != 0) end_of_run();

  ReadLog log;
  log.header_lines = header;
  readseries(data_unit, s, log);

  const Coverage c = coverage_dialogue(s);
  const Method method = ask_method();

  prepare_series(s, c);
  for (int k = 1; k <= s.nseries; ++k) {
    if (k == 1) rt::write(rt::kStar, "(' ')");
    write_title(s.title(k));
  }
  grand_statistics(s);
  write_statistics(s);
  write_method_heading(method);
  const AveragedRecord record = average_record(s, c, method);
  for (int i = 1; i <= c.length; ++i) {
    const float* row = record.rows.data() + static_cast<std::size_t>(i - 1) * static_cast<std::size_t>(s.nvars);
    write_year_row(s.nvars, row, c.earliest_first + i - 1);
  }
  if (run.record_written) {
    run.record_written({s, log, c, method, record, rt::unit_file_name(data_unit), rt::unit_file_name(output_unit)});
  }
  end_of_run();
}

}  // namespace arb
