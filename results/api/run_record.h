// SPDX-License-Identifier: GPL-3.0-or-later
// run.json: what made the run and what it read and wrote, so that it can
// be told apart from another and repeated (nlohmann::json).
#pragma once

#include <string>
#include <vector>

#include "checks.h"
#include "provenance.h"
#include "run.h"

namespace arb::results {

// The settings that change results, as the environment gave them (null
// where unset).
inline constexpr const char* kResultSettings[] = {"TABSIZE", "VELMOR_RT_FLAGS", "OMP_NUM_THREADS"};

std::string run_json(const Run& r, const std::vector<Finding>& findings, const Provenance& p);

}  // namespace arb::results
