// SPDX-License-Identifier: GPL-3.0-or-later
// The Results menu of the frame: once the averaged record is written, the
// plots of the run, its data check and its output file as child windows,
// and an export of the run to a folder chosen in a dialog.
#pragma once

#include <QObject>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "checks.h"
#include "run.h"

class QAction;
class QCustomPlot;
class QMdiSubWindow;
class QMenu;
class QWidget;

namespace arb::win {
class FrameWindow;
}

namespace arb::results_window {

class PlotWindow;

class ResultsMenu : public QObject {
  Q_OBJECT

 public:
  explicit ResultsMenu(win::FrameWindow& frame);

  // The run's results: the menu's items come alive (Output File once the
  // file is complete).
  void set_results(const results::Run& run, const std::vector<results::Finding>& findings);
  void output_complete(const QString& path);

  PlotWindow* open_record();
  PlotWindow* open_coverage();
  QMdiSubWindow* open_check();
  QMdiSubWindow* open_output();
  // Export..., with the folder's name asked in the folder dialog.
  void export_asked();
  // An export that failed at the run's end: the reason in the status line
  // and a message box.
  void export_failed(const QString& reason);

  QMenu* menu() const { return menu_; }
  QAction* check_action() const { return check_; }
  QAction* output_action() const { return output_; }

 private:
  QFont window_font() const;
  PlotWindow* plot_child(const QString& title, QWidget* content, QCustomPlot& plot, const QString& file_name);
  QMdiSubWindow* text_child(const QString& title, const QString& text);

  win::FrameWindow& frame_;
  QMenu* menu_;
  QAction *record_, *coverage_, *check_, *output_, *export_;
  const results::Run* run_ = nullptr;
  const std::vector<results::Finding>* findings_ = nullptr;
  QString output_path_;
};

}  // namespace arb::results_window
