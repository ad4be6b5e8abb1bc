// SPDX-License-Identifier: GPL-3.0-or-later
// A child window of the frame holding one plot, with Save As (PNG, SVG or
// PDF, by the name's suffix) and Print.
#pragma once

#include <QMdiSubWindow>
#include <QPrinter>
#include <memory>

#include "dialogs.h"

class QCustomPlot;

namespace arb::results_window {

class PlotWindow : public QMdiSubWindow {
  Q_OBJECT

 public:
  // content holds plot; the proposed name is the file Save As offers.
  PlotWindow(const QString& title, QWidget* content, QCustomPlot& plot, win::Dialogs& dialogs,
             QString proposed);
  ~PlotWindow() override;
  QCustomPlot& plot() const { return plot_; }
  // Save As: asks for the name; false when cancelled or refused.
  bool save_as();
  void print();

 private:
  QCustomPlot& plot_;
  win::Dialogs& dialogs_;
  QString proposed_;
  QString folder_;
  std::unique_ptr<QPrinter> printer_;
};

}  // namespace arb::results_window
