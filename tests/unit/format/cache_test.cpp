// SPDX-License-Identifier: GPL-3.0-or-later
// FormatCache: a text translates once, failures keep their number, and a
// full cache hands the translation back to the caller.
#include <gtest/gtest.h>

#include <string>

#include "errors.h"
#include "format_cache.h"

namespace arb::rt {
namespace {

TEST(FormatCache, SameTextSameTranslation) {
  FormatCache cache;
  const TranslatedFormat* a = cache.get("(I4,12F5.1)");
  ASSERT_NE(a, nullptr);
  // A different text object with the same characters finds the same entry.
  const std::string again = std::string("(I4,") + "12F5.1)";
  EXPECT_EQ(cache.get(again), a);
  CompiledFormat direct;
  ASSERT_EQ(trans_format("(I4,12F5.1)", direct), 0);
  EXPECT_EQ(a->rc, 0);
  EXPECT_EQ(a->compiled.code, direct.code);
}

TEST(FormatCache, FailuresAreKeptWithTheirNumber) {
  const char* bad[] = {"I4,F5.1)", "(I4,F5.1", "(3HAB)", "('abc)", "(,I4)"};
  FormatCache cache;
  for (const char* text : bad) {
    CompiledFormat direct;
    const int rc = trans_format(text, direct);
    ASSERT_NE(rc, 0) << text;
    for (int round = 0; round < 2; ++round) {
      const TranslatedFormat* t = cache.get(text);
      ASSERT_NE(t, nullptr);
      EXPECT_EQ(t->rc, rc) << text;
    }
  }
}

TEST(FormatCache, RecentTextsSurviveManyOthers) {
  FormatCache cache;
  const TranslatedFormat* first = cache.get("(A)");
  for (int i = 1; i <= 40; ++i) cache.get("(I" + std::to_string(i) + ")");
  EXPECT_EQ(cache.get("(A)"), first);  // the table still holds it, by the same address
  EXPECT_EQ(cache.size(), 41u);
}

TEST(FormatCache, FullCacheLeavesTranslationToTheCaller) {
  FormatCache cache;
  for (std::size_t i = 0; i < FormatCache::kMaxEntries; ++i)
    ASSERT_NE(cache.get("(I" + std::to_string(i + 1) + ")"), nullptr);
  EXPECT_EQ(cache.get("(F9.3)"), nullptr);
  EXPECT_NE(cache.get("(I1)"), nullptr);  // texts already held are still given
  cache.clear();
  EXPECT_EQ(cache.size(), 0u);
  EXPECT_NE(cache.get("(F9.3)"), nullptr);
}

}  // namespace
}  // namespace arb::rt
