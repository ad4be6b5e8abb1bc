// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "variable_labels.h"
#include "variable_names.h"

namespace arb::results {
namespace {

TEST(VariableLabels, WordsForEveryKindOfName) {
  const struct {
    std::string_view mask;
    std::vector<std::string> labels;
  } cases[] = {
      {"100000000001", {"January", "December"}},
      {"000011120000", {"sum of May to August"}},
      {"00000000000113", {"mean of December of the year before to February"}},
      {"102010000000", {"sum of January, March"}},
      {"000000000001111", {"December of the year before", "January", "February", "March"}},
      {"100000000000000000000000100000000000", {"January of 2 years before", "January"}},
  };
  for (const auto& c : cases) {
    const std::vector<std::string> names = variable_names(c.mask);
    ASSERT_EQ(names.size(), c.labels.size()) << c.mask;
    for (std::size_t i = 0; i < names.size(); ++i) EXPECT_EQ(variable_label(names[i]), c.labels[i]) << names[i];
  }
}

}  // namespace
}  // namespace arb::results
