// SPDX-License-Identifier: GPL-3.0-or-later
#include "status_line.h"

#include <QStatusBar>

namespace arb::win {

QString status_text(RunState state, const QString& output) {
  switch (state) {
    case RunState::Waiting: return QStringLiteral("Waiting for your answer");
    case RunState::Working: return QStringLiteral("Working\u2026");
    case RunState::Finished:
      return output.isEmpty() ? QStringLiteral("Run finished")
                              : QStringLiteral("Run finished: output written to %1").arg(output);
  }
  return {};
}

void show_status(QMainWindow& frame, RunState state, const QString& output) {
  frame.statusBar()->showMessage(status_text(state, output));
}

}  // namespace arb::win
