// SPDX-License-Identifier: GPL-3.0-or-later
// The averaged record of one climate variable against the years, with the
// sample depth as a shaded area on a second axis beneath it, the common
// interval as a band and gaps where the record is missing.
#pragma once

#include <QWidget>

#include "plot_data.h"

class QComboBox;
class QCustomPlot;

namespace arb::plots {

class RecordPlot : public QWidget {
  Q_OBJECT

 public:
  RecordPlot(RecordData data, const QFont& font, QWidget* parent = nullptr);
  QCustomPlot& plot() const { return *plot_; }
  QComboBox& selector() const { return *selector_; }
  void show_variable(int index);

 private:
  RecordData data_;
  QComboBox* selector_;
  QCustomPlot* plot_;
};

// The plot alone, for files: variable index of the data.
void draw_record(QCustomPlot& plot, const RecordData& data, int index, const QFont& font);

}  // namespace arb::plots
