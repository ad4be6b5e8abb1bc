// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime_options.h"

#include <gtest/gtest.h>

namespace arb::rt {
namespace {

TEST(RuntimeOptions, WordsSetTheirOptions) {
  RuntimeOptions o = parse_runtime_options("-printstop\t-noleadzero  -connectunit9 -defaultcarriage", nullptr, nullptr);
  EXPECT_TRUE(o.print_stop);
  EXPECT_TRUE(o.no_lead_zero);
  EXPECT_TRUE(o.connect_unit9);
  EXPECT_TRUE(o.default_carriage);
  EXPECT_FALSE(o.relaxed_input);
  EXPECT_TRUE(o.unknown.empty());
  EXPECT_FALSE(parse_runtime_options("-connectunit9 -nounit9", nullptr, nullptr).connect_unit9);
  EXPECT_TRUE(parse_runtime_options("-relaxed_input -strict_nan_input", nullptr, nullptr).strict_nan_input);
}

TEST(RuntimeOptions, UnknownWordKeepsTheRestOfTheSetting) {
  RuntimeOptions o = parse_runtime_options("-printstop -frobnicate -noleadzero", nullptr, nullptr);
  EXPECT_TRUE(o.print_stop);
  EXPECT_FALSE(o.no_lead_zero);  // not looked at after the unknown word
  EXPECT_EQ(o.unknown, "-frobnicate -noleadzero");
}

TEST(RuntimeOptions, TabSizeAndPermissions) {
  struct Case {
    const char* tabsize;
    int want_tab;
    const char* umask;
    unsigned want_mode;
  };
  const Case cases[] = {
      {nullptr, 8, nullptr, 0664}, {"4", 4, "600", 0600}, {"0", 8, "9", 0664},
      {"x", 8, "0644", 0644},      {"-3", 8, "", 0664},    {"12", 12, "777", 0777},
      // permission bits only: set-user-ID, set-group-ID and sticky dropped
      {"8", 8, "7777", 0777},      {"8", 8, "4755", 0755},  {"8", 8, "17777", 0664},
  };
  for (const auto& c : cases) {
    RuntimeOptions o = parse_runtime_options(nullptr, c.tabsize, c.umask);
    EXPECT_EQ(o.tab_size, c.want_tab) << (c.tabsize ? c.tabsize : "unset");
    EXPECT_EQ(o.create_mode, c.want_mode) << (c.umask ? c.umask : "unset");
  }
}

}  // namespace
}  // namespace arb::rt
