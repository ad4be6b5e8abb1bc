// SPDX-License-Identifier: GPL-3.0-or-later
// One bar per series over its years, the series titles on the axis, the
// common interval as a band and the years with missing values marked; in
// a scrolling area for many series.  Above a few hundred series, an image
// instead: a row of pixels per series sorted by first year, a pixel per
// year, the years with a missing value in another colour.
#pragma once

#include <QScrollArea>

#include "plot_data.h"

class QCustomPlot;

namespace arb::plots {

class CoveragePlot : public QScrollArea {
  Q_OBJECT

 public:
  CoveragePlot(const CoverageData& data, const QFont& font, QWidget* parent = nullptr);
  QCustomPlot& plot() const { return *plot_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QCustomPlot* plot_;
};

// The plot alone, for files.
void draw_coverage(QCustomPlot& plot, const CoverageData& data, const QFont& font);

// The height the plot needs to give every series its row.
int coverage_height(const CoverageData& data, const QFont& font);

}  // namespace arb::plots
