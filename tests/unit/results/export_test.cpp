// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "csv.h"
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
      {"series.csv",
       "series,title,year,variable,value\n1,A,2000,JAN,1\n1,A,2001,JAN,2\n1,A,2002,JAN,3\n"
       "2,\"B, the \"\"second\"\"\",2001,JAN,4\n2,\"B, the \"\"second\"\"\",2002,JAN,NA\n"
       "2,\"B, the \"\"second\"\"\",2003,JAN,6\n"},
      {"statistics.csv",
       "series,title,variable,mean,sd\n1,A,JAN,2.5,0.70710677\n2,\"B, the \"\"second\"\"\",JAN,4,NA\ngrand,,JAN,3.25,NA\n"},
      {"coverage.csv",
       "series,title,first,last,years\n1,A,2000,2002,3\n2,\"B, the \"\"second\"\"\",2001,2003,3\n"
       "maximum,,2000,2003,4\ncommon,,2001,2002,2\n"},
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

}  // namespace
}  // namespace arb
