// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's status line: whether the program waits for an answer, works,
// or has finished and where its output went, and what went wrong at the
// end (a failed export).  A permanent widget of the status bar, so that
// the tips of menus do not wipe it.  It never touches the text of the
// windows.
#pragma once

#include <QLabel>
#include <QString>

namespace arb::win {

enum class RunState { Waiting, Working, Finished };

class StatusLine : public QLabel {
  Q_OBJECT

 public:
  explicit StatusLine(QWidget* parent = nullptr);

  void show_state(RunState state);
  // The output file of a finished run; an empty name leaves the one known.
  void set_output(const QString& name);
  // A failure after the run, shown after the state.
  void set_problem(const QString& text);

 private:
  void refresh();

  RunState state_ = RunState::Working;
  QString output_;
  QString problem_;
};

}  // namespace arb::win
