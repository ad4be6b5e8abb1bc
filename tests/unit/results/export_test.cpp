// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string_view>

#include "csv.h"
#include "csv_reader.h"
#include "station_table.h"
#include "export.h"
#include "variable_names.h"
#include "results_fixture.h"

namespace arb {
namespace {

TEST(VariableNames, SayWhichMonthsAndHowTheyAreCombined) {
  struct Case {
    const char* mask;
    std::vector<std::string> names;
  } cases[] = {
      {"111111111111", {"JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"}},
      {"3", {"JAN"}},
      {"2011", {"JAN"}},
      {"1113", {"JAN_to_APR_mean"}},
      {"10102", {"JAN_MAR_MAY_sum"}},
      {"0000111100000000", {"MAY_m1", "JUN_m1", "JUL_m1", "AUG_m1"}},
      {"00001112111211121112", {"MAY_m1_to_AUG_m1_sum", "SEP_m1_to_DEC_m1_sum", "JAN_to_APR_sum", "MAY_to_AUG_sum"}},
      {"000000000000111", {"JAN_p1", "FEB_p1", "MAR_p1"}},
      {"000000000001111", {"DEC_m1", "JAN", "FEB", "MAR"}},
  };
  for (const Case& c : cases) EXPECT_EQ(results::variable_names(c.mask), c.names) << c.mask;
}

TEST(Csv, FieldsAndValues) {
  EXPECT_EQ(results::csv_field("Armagh"), "Armagh");
  EXPECT_EQ(results::csv_field("Oxford, Radcliffe"), "\"Oxford, Radcliffe\"");
  EXPECT_EQ(results::csv_field("the \"old\" site"), "\"the \"\"old\"\" site\"");
  struct Case {
    float v;
    const char* text;
  } cases[] = {{1.1F, "1.1"}, {-99.9F, "NA"}, {NAN, "NA"}, {1e10F, "1e+10"}, {-0.25F, "-0.25"},
               {INFINITY, "Inf"}, {8.119423F, "8.119423"}, {0.0F, "0"}};
  for (const Case& c : cases) EXPECT_EQ(results::csv_value(c.v, -99.9F), c.text) << c.v;
  // The fewest digits that read back to the same float.
  for (float v : {0.1F, 1.0F / 3.0F, 123456.79F, 1e-7F}) EXPECT_EQ(std::stof(results::csv_value(v, -99.9F)), v);
}

class ExportFiles : public test::ResultsTest {};

// Two series of one variable: A 2000-2002 (1, 2, 3), B 2001-2003 (4, flag, 6),
// B's title holding a comma.
TEST_F(ExportFiles, EveryFileOfASmallRun) {
  put_series(1, 2000, {{1, 2, 3}});
  put_series(2, 2001, {{4, -99.9F, 6}});
  title(1, "A");
  title(2, "B, the \"second\"");
  log.mask = "3";
  const results::Run r = finish();
  struct Case {
    const char* file;
    std::string text;
  } cases[] = {
      {"average.csv", "year,JAN\n2000,1\n2001,3\n2002,3\n2003,6\n"},
      {"sample_depth.csv", "year,JAN\n2000,1\n2001,2\n2002,1\n2003,1\n"},
      {"series.csv", "series,year,JAN\n1,2000,1\n1,2001,2\n1,2002,3\n2,2001,4\n2,2002,NA\n2,2003,6\n"},
      {"statistics.csv",
       "series,title,variable,mean,sd\n1,A,JAN,2.5,0.70710677\n2,\"B, the \"\"second\"\"\",JAN,4,NA\ngrand,,JAN,3.25,NA\n"},
      {"stations.csv",
       "series,title,id,name,latitude,longitude,elevation,first,last,years\n1,A,,,,,,2000,2002,3\n"
       "2,\"B, the \"\"second\"\"\",,,,,,2001,2003,3\nmaximum,,,,,,,2000,2003,4\ncommon,,,,,,,2001,2002,2\n"},
  };
  const auto dir = std::filesystem::path(testing::TempDir()) / "export_small";
  std::filesystem::remove_all(dir);
  ASSERT_FALSE(results::write_export(r, {}, dir.string()));
  for (const Case& c : cases) {
    std::ifstream in(dir / c.file);
    std::stringstream got;
    got << in.rdbuf();
    EXPECT_EQ(got.str(), c.text) << c.file;
  }
  EXPECT_TRUE(std::filesystem::exists(dir / "checks.csv"));
  EXPECT_TRUE(std::filesystem::exists(dir / "checks.txt"));
  // Nothing half-written is left behind.
  for (const auto& e : std::filesystem::directory_iterator(dir)) EXPECT_NE(e.path().filename().string()[0], '.');
}

TEST_F(ExportFiles, AFolderThatCannotBeMadeIsReportedWithTheSystemsText) {
  put_series(1, 2000, {{1, 2, 3}});
  log.mask = "3";
  const results::Run r = finish();
  const auto file = std::filesystem::path(testing::TempDir()) / "export_plain_file";
  std::ofstream(file) << "x";
  const auto failed = results::write_export(r, {}, (file / "sub").string());
  ASSERT_TRUE(failed);
  EXPECT_NE(failed->find("Not a directory"), std::string::npos) << *failed;
}

// Series written on the team come out whole and in order: a run above the
// size that starts the team, read back row by row.
TEST_F(ExportFiles, SeriesOfALargeRunInOrder) {
  constexpr int kSeries = 300, kYears = 300, kVars = 12;
  std::vector<std::vector<float>> vars(kVars, std::vector<float>(kYears));
  for (int k = 1; k <= kSeries; ++k) {
    ASSERT_TRUE(s.make_room(k, kVars));
    for (int j = 0; j < kVars; ++j)
      for (int i = 0; i < kYears; ++i) vars[j][i] = static_cast<float>(k * 1000 + j) + static_cast<float>(i) / 4;
    put_series(k, static_cast<std::int16_t>(1700 + k % 7), vars);
  }
  log.mask = "111111111111";
  const results::Run r = finish();
  const auto dir = std::filesystem::path(testing::TempDir()) / "export_large";
  std::filesystem::remove_all(dir);
  ASSERT_FALSE(results::write_export(r, {}, dir.string()));
  results::CsvReader in((dir / "series.csv").string());
  std::vector<std::string> row;
  ASSERT_TRUE(in.next(row));
  ASSERT_EQ(row.size(), 14U);
  long rows = 0;
  while (in.next(row)) {
    const int k = static_cast<int>(rows / kYears) + 1, i = static_cast<int>(rows % kYears);
    ASSERT_EQ(row[0], std::to_string(k));
    ASSERT_EQ(row[1], std::to_string(1700 + k % 7 + i));
    ASSERT_EQ(std::stof(row[13]), static_cast<float>(k * 1000 + 11) + static_cast<float>(i) / 4) << rows;
    ++rows;
  }
  EXPECT_EQ(rows, long{kSeries} * kYears);
}

TEST(CsvReader, ReadsBackWhatTheExportWrites) {
  const auto file = std::filesystem::path(testing::TempDir()) / "reader.csv";
  std::ofstream(file) << "a,b,c\n" << results::csv_field("x, \"y\"\nz") << ",,\r\n\"\",2,3";
  results::CsvReader in(file.string());
  std::vector<std::string> row;
  const std::vector<std::vector<std::string>> want = {{"a", "b", "c"}, {"x, \"y\"\nz", "", ""}, {"", "2", "3"}};
  for (const auto& w : want) {
    ASSERT_TRUE(in.next(row));
    EXPECT_EQ(row, w);
  }
  EXPECT_FALSE(in.next(row));
  EXPECT_FALSE(results::CsvReader((file.string() + ".none")).is_open());
}

// Plain runs are taken from the buffer whole: fields and line ends that
// straddle its refills read as they do a character at a time.
TEST(CsvReader, FieldsAcrossBufferRefills) {
  const auto file = std::filesystem::path(testing::TempDir()) / "refills.csv";
  std::vector<std::vector<std::string>> want;
  std::string text;
  for (int r = 0; text.size() < 3 * 65536; ++r) {
    const std::string plain(static_cast<std::size_t>(r * 37 % 301), static_cast<char>('a' + r % 26));
    const std::string quoted = "q\"" + std::to_string(r) + ",\n";
    want.push_back({plain, quoted, std::to_string(r)});
    text += plain + "," + results::csv_field(quoted) + "," + std::to_string(r) + (r % 3 ? "\n" : "\r\n");
  }
  std::ofstream(file, std::ios::binary) << text;
  results::CsvReader in(file.string());
  std::vector<std::string> row;
  for (const auto& w : want) {
    ASSERT_TRUE(in.next(row));
    ASSERT_EQ(row, w);
  }
  EXPECT_FALSE(in.next(row));
}

// A CSV text of lines that are mostly plain fields, some with quoted
// fields, CRs inside or empty fields, of lengths that make lines straddle
// the buffer's refills; the last line has no line end.
std::string random_csv(std::mt19937& random) {
  std::string text;
  while (text.size() < 4 * 65536) {
    const int fields = static_cast<int>(random() % 15);
    for (int f = 0; f <= fields; ++f) {
      if (f) text += ',';
      switch (random() % 12) {
        case 0: text += results::csv_field("q,\"" + std::to_string(random() % 99) + "\"\n"); break;
        case 1: text += "c\rr"; break;
        case 2: break;
        case 3: text += std::string(random() % 400, 'w'); break;
        case 4: text += "NA"; break;
        default: text += std::to_string(random() % 100000); break;
      }
    }
    text += random() % 5 ? "\n" : "\r\n";
  }
  return text + "1,last";
}

// Rows as views read as rows as strings, whether a line is split in place
// or taken field by field.
TEST(CsvReader, ViewsReadAsStrings) {
  std::mt19937 random(23);
  const std::string texts[] = {"", "\n", "\r\n", "a", "a,\r\n,b\r", "\"\"\n,\n", "h\nabc,def\"\nghi,jkl,mno\n", random_csv(random)};
  const auto file = std::filesystem::path(testing::TempDir()) / "views.csv";
  for (const std::string& text : texts) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
    results::CsvReader as_strings(file.string()), as_views(file.string());
    std::vector<std::string> want;
    std::vector<std::string_view> got;
    for (int rows = 0;; ++rows) {
      const bool more = as_strings.next(want);
      ASSERT_EQ(as_views.next(got), more) << text.size() << " bytes, row " << rows;
      if (!more) break;
      ASSERT_EQ(std::vector<std::string>(got.begin(), got.end()), want) << text.size() << " bytes, row " << rows;
    }
  }
}

// The importer's station table is taken only when it is the run's.
TEST(StationTable, TakenWhenEveryRowMatchesItsSeries) {
  const auto data = (std::filesystem::path(testing::TempDir()) / "net.txt").string();
  const std::string header = "series,id,name,latitude,longitude,elevation,country\n";
  const std::vector<std::string> titles = {"AB01 Aberporth", "\"Armagh\", N.I. AR9"};
  struct Case {
    const char* what;
    std::string table;
    bool taken;
  } cases[] = {
      {"matching", header + "1,AB01,Aberporth,52.1,-4.6,133,UK\n2,AR9,\"Armagh, N.I.\",54.4,-6.6,62,UK\n", true},
      {"one row short", header + "1,AB01,Aberporth,52.1,-4.6,133,UK\n", false},
      {"a row too many", header + "1,AB01,A,,,,\n2,AR9,B,,,,\n3,C3,C,,,,\n", false},
      {"an ID not in its title", header + "1,AB01,A,,,,\n2,XX,B,,,,\n", false},
      {"an empty ID", header + "1,AB01,A,,,,\n2,,B,,,,\n", false},
      {"no id column", "series,name\n1,A\n2,B\n", false},
      {"no table", "", false},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(data + ".stations.csv");
    if (!c.table.empty()) std::ofstream(data + ".stations.csv") << c.table;
    const auto table = results::station_table(data, titles);
    EXPECT_EQ(table.size(), c.taken ? 2U : 0U) << c.what;
    if (c.taken && table.size() == 2) {
      EXPECT_EQ(table[1].name, "Armagh, N.I.");
      EXPECT_EQ(table[1].elevation, "62");
    }
  }
}

}  // namespace
}  // namespace arb
