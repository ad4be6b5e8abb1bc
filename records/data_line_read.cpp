// Data lines read from a character field by a plan of their columns; any
// line the plan does not read is read by the general statement, which
// gives every outcome and message.
#include <memory>

#include "records/flat_plan.h"
#include "records/input_edit.h"
#include "records/io.h"
#include "records/units.h"

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
  RecordLayer& rl = layer();
  std::lock_guard lock(rl.io_lib_mutex);
  rl.start();  // as a statement starts: the options first, then the host's events
  if (rl.host) rl.host->pump();
  if (input_options().general_only) return false;
  TranslatedFormat* t = rl.formats.get(format);
  if (!t || t->rc != 0) return false;
  const FlatPlan* plan = plan_for(*t, reals.size(), record.size());
  return plan && read_flat(record, *plan, integer, reals.data());
}

}  // namespace

Outcome read(UnitSpec unit, std::string_view format, Branches br, std::int32_t& integer, std::span<float> reals) {
  if (unit.internal && read_by_plan(unit.field, format, integer, reals)) return Outcome::ok;
  Statement s(Statement::Dir::read, unit, format, false, br);
  read_transfer(s, integer);
  read_transfer(s, reals);
  return s.finish();
}

}  // namespace arb::rt
