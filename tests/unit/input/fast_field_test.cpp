// SPDX-License-Identifier: GPL-3.0-or-later
// The one-pass reading of common numeric fields against the general path
// (process_blanks, the number check, ascii_dbl): wherever the fast path
// answers, the value must be the general path's to the last bit, and the
// fields of the data layouts must all take it.
#include <gtest/gtest.h>

#include <bit>
#include <cstdio>
#include <optional>
#include <random>
#include <string>

#include "errors.h"
#include "input_edit.h"
#include "input_fast.h"

namespace arb::rt {
namespace {

std::optional<double> general_real(std::string_view f, bool bz, int d, int k) {
  try {
    return read_real_text(process_blanks(f, bz), d, k);
  } catch (const IoError&) {
    return std::nullopt;
  }
}

std::optional<std::int64_t> general_int(std::string_view f, bool bz) {
  try {
    return read_int_text(process_blanks(f, bz), 8);
  } catch (const IoError&) {
    return std::nullopt;
  }
}

// Checks one field under every mode; returns whether the fast path took it
// under BN with d and k as given.
bool agree(const std::string& f, int d, int k) {
  bool taken = false;
  for (bool bz : {false, true}) {
    double fast = 0.0;
    if (fast_real(f, bz, d, k, fast)) {
      const auto slow = general_real(f, bz, d, k);
      EXPECT_TRUE(slow.has_value()) << "'" << f << "' bz=" << bz;
      if (slow) {
        EXPECT_EQ(std::bit_cast<std::uint64_t>(fast), std::bit_cast<std::uint64_t>(*slow))
            << "'" << f << "' d=" << d << " k=" << k << " bz=" << bz;
        EXPECT_EQ(std::bit_cast<std::uint32_t>(to_float(fast)), std::bit_cast<std::uint32_t>(to_float(*slow)));
      }
      if (!bz) taken = true;
    }
    std::int64_t fi = 0;
    if (fast_int(f, bz, fi)) {
      const auto slow = general_int(f, bz);
      EXPECT_EQ(slow, std::optional<std::int64_t>(fi)) << "'" << f << "' bz=" << bz;
    }
  }
  return taken;
}

struct Layout {
  const char* name;
  int width;
  int decimals;
};

// The fields of layouts 1 to 4 and of typical own formats, as instruments
// and spreadsheets write them.
TEST(FastField, LayoutFieldsTakeTheFastPathWithTheGeneralValue) {
  const Layout layouts[] = {{"F5.1", 5, 1}, {"F5.2", 5, 2}, {"F6.1", 6, 1}, {"F7.3", 7, 3}, {"F8.2", 8, 2}};
  std::mt19937 rng(20261207);
  for (const Layout& l : layouts) {
    long scale = 1;
    for (int i = 0; i < l.decimals; ++i) scale *= 10;
    const long top = 1;  // |value| below 10^(width - decimals - 2)
    long limit = top;
    for (int i = 0; i < l.width - l.decimals - 2; ++i) limit *= 10;
    std::uniform_int_distribution<long> pick(-(limit * scale - 1), limit * scale - 1);
    for (int n = 0; n < 20000; ++n) {
      const long v = pick(rng);
      char buf[32];
      std::snprintf(buf, sizeof buf, "%*.*f", l.width, l.decimals, static_cast<double>(v) / static_cast<double>(scale));
      ASSERT_TRUE(agree(buf, l.decimals, 0)) << l.name << " '" << buf << "'";
    }
    // The missing-value flags in use.
    for (const char* flag : {"-99.9", "-9.99", "-999.", "-9999", "9999.9"})
      agree(flag, l.decimals, 0);
  }
  // Year fields under I4 and I5, and fields written without the point.
  for (int year = -999; year <= 9999; year += 7) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%5d", year);
    std::int64_t v = 0;
    ASSERT_TRUE(fast_int(buf, false, v)) << buf;
    EXPECT_EQ(v, year);
    ASSERT_TRUE(agree(buf, 1, 0));
    ASSERT_TRUE(agree(buf, 2, 0));
  }
}

// Every short string over the characters of numeric fields, under implied
// decimals and scale factors: the fast path may decline, never differ.
TEST(FastField, AnyShortFieldAgreesOrIsLeftToTheGeneralPath) {
  const std::string alphabet = " 0123456789+-.E";
  std::mt19937 rng(7);
  std::uniform_int_distribution<std::size_t> len(0, 9);
  std::uniform_int_distribution<std::size_t> ch(0, alphabet.size() - 1);
  std::uniform_int_distribution<int> dd(0, 4);
  std::uniform_int_distribution<int> kk(-3, 3);
  for (int n = 0; n < 200000; ++n) {
    std::string f(len(rng), ' ');
    for (char& c : f) c = alphabet[ch(rng)];
    agree(f, dd(rng), kk(rng));
  }
}

TEST(FastField, UncommonShapesAreLeftToTheGeneralPath) {
  const char* declined[] = {
      "",          "     ",       "-",       "+.",         ".",     "1 5",   "- 1.5", "1.5E3", "1.5D0", "1.5-3",
      "INF",       "nan",         "1,5",     "12a",        "1.2.3", "1234567890123456",  // 16 digits
      "\t",        "0.0000000000000000000000001",
      "  E10",     "  -E5",       "  .E2",   "    +",      "  --1"};  // no mantissa digit: zero, by the general path
  for (const char* f : declined) {
    double v = 0.0;
    EXPECT_FALSE(fast_real(f, false, 1, 0, v)) << "'" << f << "'";
  }
  double v = 0.0;
  EXPECT_FALSE(fast_real(" 15  ", true, 1, 0, v));  // under BZ the trailing blanks are zeros
  EXPECT_TRUE(fast_real(" 15  ", false, 1, 0, v));
  EXPECT_EQ(v, 1.5);
  EXPECT_FALSE(fast_real("1", false, 30, 0, v));  // 10^-30 is not exact: ascii_dbl's rounding decides
  EXPECT_TRUE(fast_real(" -0.0", false, 1, 0, v));
  EXPECT_FALSE(std::signbit(v));
}

// Whole records of real fields, taken one after the other by read_real4
// (with its one-pass field) and by read_item: the same values, positions
// and failures, also with commas, short records and odd fields.
TEST(FastField, RecordsReadByBothPathsAgree) {
  const std::string alphabet = "  0123456789.-+,E";
  std::mt19937 rng(11);
  std::uniform_int_distribution<std::size_t> len(0, 40);
  std::uniform_int_distribution<std::size_t> ch(0, alphabet.size() - 1);
  std::uniform_int_distribution<int> width(1, 7), digits(0, 2);
  for (int n = 0; n < 50000; ++n) {
    std::string text(len(rng), ' ');
    for (char& c : text) c = alphabet[ch(rng)];
    Descriptor d;
    d.op = Op::F;
    d.w = width(rng);
    d.d = digits(rng);
    InRecord fast{text, 0, true}, slow{text, 0, true};
    EditModes mf, ms;
    for (int field = 0; field < 6; ++field) {
      float a = 1.0F, b = 1.0F;
      int ea = 0, eb = 0;
      try {
        read_real4(fast, d, mf, a);
      } catch (const IoError& e) {
        ea = e.code;
      }
      try {
        read_item(slow, d, ms, in_real(b));
      } catch (const IoError& e) {
        eb = e.code;
      }
      ASSERT_EQ(ea, eb) << "'" << text << "' F" << d.w << "." << d.d << " field " << field;
      if (ea != 0) break;
      ASSERT_EQ(std::bit_cast<std::uint32_t>(a), std::bit_cast<std::uint32_t>(b)) << "'" << text << "'";
      ASSERT_EQ(fast.pos, slow.pos) << "'" << text << "'";
    }
  }
}

}  // namespace
}  // namespace arb::rt
