// SPDX-License-Identifier: GPL-3.0-or-later
#include "status_line.h"

namespace arb::win {

StatusLine::StatusLine(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  refresh();
}

void StatusLine::show_state(RunState state) {
  state_ = state;
  refresh();
}

void StatusLine::set_output(const QString& name) {
  if (name.isEmpty()) return;
  output_ = name;
  refresh();
}

void StatusLine::set_problem(const QString& text) {
  problem_ = text;
  refresh();
}

void StatusLine::refresh() {
  QString text;
  switch (state_) {
    case RunState::Waiting: text = tr("Waiting for your answer"); break;
    case RunState::Working: text = tr("Working\u2026"); break;
    case RunState::Finished:
      text = output_.isEmpty() ? tr("Run finished") : tr("Run finished: output written to %1").arg(output_);
      break;
  }
  if (!problem_.isEmpty()) text += QStringLiteral("; ") + problem_;
  setText(text);
}

}  // namespace arb::win
