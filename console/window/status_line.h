// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's status line: whether the program waits for an answer, works,
// or has finished and where its output went.  It never touches the text of
// the windows.
#pragma once

#include <QMainWindow>
#include <QString>
#include <string_view>

namespace arb::win {

enum class RunState { Waiting, Working, Finished };

// The text for a state; `output` names the output file of a finished run
// (empty when the run wrote none).
QString status_text(RunState state, const QString& output = {});
void show_status(QMainWindow& frame, RunState state, const QString& output = {});

}  // namespace arb::win
