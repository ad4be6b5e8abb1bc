// SPDX-License-Identifier: GPL-3.0-or-later
#include "record_plot.h"

#include <QComboBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <qcustomplot.h>

#include "plot_style.h"

namespace arb::plots {

namespace {

QVector<double> vec(const std::vector<double>& v) { return QVector<double>(v.begin(), v.end()); }

// The record's range, stretched downwards so that the sample depth, scaled
// to the lower third, lies beneath it.
QCPRange record_range(const std::vector<double>& values) {
  double lo = INFINITY, hi = -INFINITY;
  for (double v : values) {
    if (std::isnan(v)) continue;
    lo = std::min(lo, v);
    hi = std::max(hi, v);
  }
  if (!std::isfinite(lo)) return {0.0, 1.0};
  const double span = hi > lo ? hi - lo : 1.0;
  return {lo - span * 0.6, hi + span * 0.05};
}

}  // namespace

void draw_record(QCustomPlot& plot, const RecordData& data, int index, const QFont& font) {
  plot.clearGraphs();
  plot.clearItems();
  const auto j = static_cast<std::size_t>(index);
  if (j >= data.values.size()) return;
  QCPGraph* depth = plot.addGraph(plot.xAxis, plot.yAxis2);
  depth->setName(QStringLiteral("sample depth"));
  depth->setLineStyle(QCPGraph::lsStepCenter);
  depth->setPen(QPen(QColor(120, 120, 120)));
  depth->setBrush(QColor(160, 160, 160, 110));
  depth->setData(vec(data.years), vec(data.depth[j]), true);
  QCPGraph* record = plot.addGraph(plot.xAxis, plot.yAxis);
  record->setName(QString::fromStdString(data.names[j]));
  record->setPen(QPen(QColor(20, 70, 170), 1.5));
  record->setData(vec(data.years), vec(data.values[j]), true);  // NaN: a gap

  plot.xAxis->setLabel(QStringLiteral("year"));
  plot.yAxis->setLabel(QString::fromStdString(data.names[j]));
  plot.yAxis2->setLabel(QStringLiteral("series (sample depth)"));
  plot.yAxis2->setVisible(true);
  if (!data.years.empty()) plot.xAxis->setRange(data.years.front() - 1.0, data.years.back() + 1.0);
  plot.yAxis->setRange(record_range(data.values[j]));
  const double most = data.depth[j].empty() ? 1.0 : *std::max_element(data.depth[j].begin(), data.depth[j].end());
  plot.yAxis2->setRange(0.0, std::max(1.0, most) * 3.0);
  plot.legend->setVisible(true);
  legend_below(plot);
  use_font(plot, font);
  common_band(plot, data.common_start, data.common_end, true);
  plot.replot();
}

RecordPlot::RecordPlot(RecordData data, const QFont& font, QWidget* parent)
    : QWidget(parent), data_(std::move(data)), selector_(new QComboBox), plot_(new QCustomPlot) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(selector_);
  layout->addWidget(plot_, 1);
  selector_->setFont(font);
  for (const std::string& name : data_.names) selector_->addItem(QString::fromStdString(name));
  connect(selector_, &QComboBox::currentIndexChanged, this, [this, font](int i) {
    draw_record(*plot_, data_, i, font);
  });
  plot_->setMinimumSize(480, 300);
  draw_record(*plot_, data_, 0, font);
}

void RecordPlot::show_variable(int index) { selector_->setCurrentIndex(index); }

}  // namespace arb::plots
