// SPDX-License-Identifier: GPL-3.0-or-later
// Data lines read from a character field by a plan of their columns, or
// as plain numbers between blanks for free format; any line that way does
// not read is read by the general statement, which gives every outcome and
// message.
#include <algorithm>
#include <array>
#include <memory>

#include "chars.h"
#include "flat_read.h"
#include "input_edit.h"
#include "input_fast.h"
#include "io.h"
#include "units.h"

namespace arb::rt {

namespace {

constexpr std::size_t kMaxPlans = 8;

const FlatPlan* plan_for(TranslatedFormat& t, std::size_t reals, std::size_t length) {
  for (const auto& p : t.plans)
    if (p->reals == reals && p->length == length) return p.get();
  if (t.plans.size() >= kMaxPlans) return nullptr;
  t.plans.push_back(std::make_unique<FlatPlan>(make_flat_plan(t.compiled, reals, length)));
  return t.plans.back().get();
}

bool read_by_plan(std::string_view record, std::string_view format, std::int32_t& integer, std::span<float> reals) {
  const StatementStart start;
  RecordLayer& rl = start.layer();
  if (rl.general_only) return false;
  TranslatedFormat* t = rl.formats.get(format);
  if (!t || t->rc != 0) return false;
  const FlatPlan* plan = plan_for(*t, reals.size(), record.size());
  return plan && read_flat(record, *plan, integer, reals.data());
}

// A free-format line of plain numbers separated by blanks: every value
// taken as the free-format read takes it, or false when anything else
// (a comma, a slash, a repeat count, a quote, a value not of the common
// shape, too few values) asks for the general statement.
bool read_plain_values(std::string_view record, float& first, std::span<float> rest) {
  constexpr std::size_t kMaxValues = 64;
  if (rest.size() + 1 > kMaxValues) return false;
  std::array<float, kMaxValues> got{};
  std::size_t pos = 0;
  for (std::size_t k = 0; k <= rest.size(); ++k) {
    while (pos < record.size() && is_blank(record[pos])) ++pos;
    const std::size_t from = pos;
    while (pos < record.size() && !is_blank(record[pos])) {
      const char c = record[pos];
      if (c == ',' || c == '/' || c == '*' || c == '\'' || c == '"') return false;
      ++pos;
    }
    if (pos == from) return false;  // the record ended first
    double x = 0.0;
    if (!fast_real(record.substr(from, pos - from), false, 0, 0, x)) return false;
    got[k] = static_cast<float>(x);  // at most 15 digits: inside the float range
  }
  first = got[0];
  std::copy_n(got.begin() + 1, rest.size(), rest.begin());
  return true;
}

}  // namespace

Outcome read_list(UnitSpec unit, Branches br, float& first, std::span<float> rest) {
  if (unit.internal) {
    const StatementStart start;
    if (!start.layer().general_only && read_plain_values(unit.field, first, rest)) return Outcome::ok;
  }
  Statement s(Statement::Dir::read, unit, {}, true, br);
  read_transfer(s, first);
  read_transfer(s, rest);
  return s.finish();
}

Outcome read(UnitSpec unit, std::string_view format, Branches br, std::int32_t& integer, std::span<float> reals) {
  if (unit.internal && read_by_plan(unit.field, format, integer, reals)) return Outcome::ok;
  Statement s(Statement::Dir::read, unit, format, false, br);
  read_transfer(s, integer);
  read_transfer(s, reals);
  return s.finish();
}

}  // namespace arb::rt
