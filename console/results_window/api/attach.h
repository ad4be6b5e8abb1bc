// SPDX-License-Identifier: GPL-3.0-or-later
// The window program's hold on a run's results: the Results menu fed by the
// results host, and the plots of --export drawn in the program itself.
#pragma once

#include <optional>
#include <string>

#include "results_host.h"
#include "results_menu.h"

namespace arb::results_window {

// The menu comes alive when the averaged record is written; its Output File
// item when the run has ended; --export draws the plots in the window's font.
void attach(cli::ResultsHost& host, ResultsMenu& menu, const QFont& font);

// The plots of --export where no display could be opened: drawn on Qt's
// offscreen platform.
std::optional<std::string> plots_offscreen(const results::Run& run, const std::string& dir);

}  // namespace arb::results_window
