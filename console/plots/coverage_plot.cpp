// SPDX-License-Identifier: GPL-3.0-or-later
#include "coverage_plot.h"

#include <QFontMetrics>
#include <algorithm>
#include <qcustomplot.h>

#include "plot_style.h"

namespace arb::plots {

namespace {

constexpr double kBarHalf = 0.35;  // of a row

void add_bar(QCustomPlot& plot, int row, const CoverageData::Series& s) {
  if (s.last < s.first) return;
  auto* bar = new QCPItemRect(&plot);
  bar->setPen(QPen(QColor(20, 70, 170)));
  bar->setBrush(QColor(90, 140, 220, 170));  // the common interval's band shows through
  bar->topLeft->setCoords(s.first - 0.5, row - kBarHalf);
  bar->bottomRight->setCoords(s.last + 0.5, row + kBarHalf);
}

}  // namespace

int coverage_height(const CoverageData& data, const QFont& font) {
  const int row = QFontMetrics(font).height() + 6;
  return 110 + row * static_cast<int>(data.series.size() + 1);
}

void draw_coverage(QCustomPlot& plot, const CoverageData& data, const QFont& font) {
  plot.clearGraphs();
  plot.clearItems();
  auto titles = QSharedPointer<QCPAxisTickerText>::create();
  QVector<double> years, rows;
  int first = 9999, last = -9999;
  for (std::size_t i = 0; i < data.series.size(); ++i) {
    const CoverageData::Series& s = data.series[i];
    const int row = static_cast<int>(i) + 1;
    titles->addTick(row, QString::fromStdString(s.title));
    add_bar(plot, row, s);
    for (double y : s.missing) {
      years.push_back(y);
      rows.push_back(row);
    }
    if (s.last >= s.first) {
      first = std::min(first, s.first);
      last = std::max(last, s.last);
    }
  }
  QCPGraph* missing = plot.addGraph();
  missing->setName(QStringLiteral("year with a missing value"));
  missing->setLineStyle(QCPGraph::lsNone);
  missing->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCross, QColor(200, 30, 30), 6));
  missing->setData(years, rows);
  plot.yAxis->setTicker(titles);
  plot.yAxis->setRangeReversed(true);  // series 1 at the top
  // A spare row at the bottom for the legend.
  plot.yAxis->setRange(0.4, static_cast<double>(data.series.size()) + 1.6);
  plot.yAxis->grid()->setVisible(false);
  plot.xAxis->setLabel(QStringLiteral("year"));
  if (first <= last) plot.xAxis->setRange(first - 2.0, last + 2.0);
  plot.legend->setVisible(!years.isEmpty());
  plot.axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignBottom | Qt::AlignLeft);
  use_font(plot, font);
  common_band(plot, data.common_start, data.common_end, true);
  plot.replot();
}

CoveragePlot::CoveragePlot(const CoverageData& data, const QFont& font, QWidget* parent)
    : QScrollArea(parent), plot_(new QCustomPlot) {
  plot_->setMinimumHeight(coverage_height(data, font));
  plot_->setMinimumWidth(480);
  setWidget(plot_);
  setWidgetResizable(true);
  draw_coverage(*plot_, data, font);
}

}  // namespace arb::plots
