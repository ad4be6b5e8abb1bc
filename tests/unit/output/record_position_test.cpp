// SPDX-License-Identifier: GPL-3.0-or-later
// Positioning, text and the modes set by descriptors that transfer no item.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fields.h"

namespace arb::rt {
namespace {

using test::desc_n;
using test::desc_text;

// Carries out the descriptors in turn on one record.
OutRecord run(const std::vector<Descriptor>& ds, EditModes& modes) {
  OutRecord rec;
  for (const Descriptor& d : ds) wposition_spec(rec, d, modes);
  return rec;
}

OutRecord run(const std::vector<Descriptor>& ds) {
  EditModes modes;
  return run(ds, modes);
}

TEST(Positioning, PromptWithTabAndDollar) {
  EditModes modes;
  OutRecord rec = run({desc_n(Op::X, 1), desc_text("Change the common interval? Y/N"), desc_n(Op::T, 45),
                       desc_text("==> "), desc_n(Op::Dollar, 0)},
                      modes);
  EXPECT_EQ(rec.text, " Change the common interval? Y/N" + std::string(12, ' ') + "==> ");
  EXPECT_EQ(rec.text.find("==> "), 44u);
  EXPECT_TRUE(modes.dollar);
}

TEST(Positioning, TabBackOverwritesText) {
  EXPECT_EQ(run({desc_text("abcdef"), desc_n(Op::T, 2), desc_text("XY")}).text, "aXYdef");
  std::string long_text(60, '.');
  OutRecord rec = run({desc_text(long_text), desc_n(Op::T, 45), desc_text("==> ")});
  EXPECT_EQ(rec.text, std::string(44, '.') + "==> " + std::string(12, '.'));
  EXPECT_EQ(rec.pos, 48u);
}

TEST(Positioning, TabLeftStopsAtColumnOne) {
  EXPECT_EQ(run({desc_text("ab"), desc_n(Op::TL, 5), desc_text("X")}).text, "Xb");
  EXPECT_EQ(run({desc_text("abcd"), desc_n(Op::TL, 2), desc_text("X")}).text, "abXd");
  EXPECT_EQ(run({desc_n(Op::TL, 1)}).pos, 0u);
}

TEST(Positioning, MovesRightAddNoTrailingBlanks) {
  OutRecord rec = run({desc_text("ab"), desc_n(Op::X, 3)});
  EXPECT_EQ(rec.text, "ab");
  EXPECT_EQ(rec.pos, 5u);
  rec = run({desc_text("ab"), desc_n(Op::TR, 2), desc_text("c")});
  EXPECT_EQ(rec.text, "ab  c");
  rec = run({desc_text("ab"), desc_n(Op::X, 3), desc_text("c")});
  EXPECT_EQ(rec.text, "ab   c");
  rec = run({desc_n(Op::T, 10)});
  EXPECT_EQ(rec.text, "");
  EXPECT_EQ(rec.pos, 9u);
}

TEST(Positioning, RightMoveInsideTextKeepsIt) {
  EXPECT_EQ(run({desc_text("abcdef"), desc_n(Op::T, 2), desc_n(Op::X, 1), desc_text("Z")}).text, "abZdef");
}

TEST(Positioning, TabToColumnOne) {
  EXPECT_EQ(run({desc_text("abc"), desc_n(Op::T, 1), desc_text("Z")}).text, "Zbc");
  EXPECT_EQ(run({desc_text("abc"), desc_n(Op::T, 0), desc_text("Z")}).text, "Zbc");
}

TEST(Positioning, OneBlankText) {
  OutRecord rec = run({desc_text(" ")});
  EXPECT_EQ(rec.text, " ");
}

TEST(EditModesOnOutput, SignModes) {
  EditModes modes;
  run({desc_n(Op::SP, 0)}, modes);
  EXPECT_TRUE(modes.plus);
  run({desc_n(Op::SS, 0)}, modes);
  EXPECT_FALSE(modes.plus);
}

TEST(EditModesOnOutput, ScaleFactor) {
  EditModes modes;
  run({desc_n(Op::P, -2)}, modes);
  EXPECT_EQ(modes.scale, -2);
  run({desc_n(Op::P, 3)}, modes);
  EXPECT_EQ(modes.scale, 3);
  run({desc_n(Op::P, 0)}, modes);
  EXPECT_EQ(modes.scale, 0);
}

TEST(EditModesOnOutput, DescriptorsWithoutEffect) {
  EditModes modes;
  modes.plus = true;
  modes.scale = 1;
  OutRecord rec = run({desc_text("ab"), desc_n(Op::BN, 0), desc_n(Op::BZ, 0), desc_n(Op::Q, 0),
                       desc_n(Op::Colon, 0)},
                      modes);
  EXPECT_EQ(rec.text, "ab");
  EXPECT_EQ(rec.pos, 2u);
  EXPECT_TRUE(modes.plus);
  EXPECT_EQ(modes.scale, 1);
  EXPECT_FALSE(modes.blank_zero);
  EXPECT_FALSE(modes.dollar);
}

TEST(Positioning, FieldsGoAtThePosition) {
  EditModes modes;
  OutRecord rec;
  wposition_spec(rec, desc_n(Op::X, 1), modes);
  wposition_spec(rec, desc_text("MN:"), modes);
  wf_edit(rec, test::desc_fw(6, 2), modes, 12.5f, 4);
  wposition_spec(rec, desc_n(Op::T, 2), modes);
  wiboz_edit(rec, test::desc_iw(Op::I, 2), modes, 7);
  EXPECT_EQ(rec.text, "  7: 12.50");
}

}  // namespace
}  // namespace arb::rt
