// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot_style.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <qcustomplot.h>

namespace arb::plots {

namespace {

// Whole years, as many as fit the axis' width with a label's width of room
// between two labels.
class YearTicker : public QCPAxisTicker {
 public:
  YearTicker(const QCPAxis& axis, const QFont& font)
      : axis_(axis), label_width_(std::max(1, QFontMetrics(font).horizontalAdvance(QStringLiteral("00000")))) {}

 protected:
  double getTickStep(const QCPRange& range) override {
    setTickCount(std::max(2, axis_.axisRect()->width() / (2 * label_width_)));
    const double step = QCPAxisTicker::getTickStep(range);
    return step < 10.0 ? std::max(1.0, std::floor(step)) : step;
  }

 private:
  const QCPAxis& axis_;
  int label_width_;
};

}  // namespace

void use_font(QCustomPlot& plot, const QFont& font) {
  plot.setFont(font);
  for (QCPAxis* axis : plot.axisRect()->axes()) {
    axis->setTickLabelFont(font);
    axis->setLabelFont(font);
  }
  plot.xAxis->setTicker(QSharedPointer<YearTicker>::create(*plot.xAxis, font));
  plot.legend->setFont(font);
}

void legend_below(QCustomPlot& plot) {
  if (plot.legend->layout() != plot.axisRect()->insetLayout()) return;  // moved already
  plot.axisRect()->insetLayout()->take(plot.legend);
  plot.axisRect()->insetLayout()->simplify();
  plot.plotLayout()->addElement(plot.plotLayout()->rowCount(), 0, plot.legend);
  plot.plotLayout()->setRowStretchFactor(plot.plotLayout()->rowCount() - 1, 0.001);
  plot.legend->setFillOrder(QCPLayoutGrid::foColumnsFirst);
  plot.legend->setBorderPen(Qt::NoPen);  // a row of the plot, not a box over it
  plot.legend->setMargins(QMargins(6, 2, 6, 2));
}

void common_band(QCustomPlot& plot, int start, int end, bool years_across) {
  if (end < start) return;  // an empty common interval
  auto* band = new QCPItemRect(&plot);
  band->setLayer(QStringLiteral("background"));
  band->setClipToAxisRect(true);
  band->setPen(Qt::NoPen);
  band->setBrush(QColor(255, 200, 80, 120));
  for (QCPItemPosition* corner : {band->topLeft, band->bottomRight}) {
    if (years_across) corner->setTypeY(QCPItemPosition::ptAxisRectRatio);
    else corner->setTypeX(QCPItemPosition::ptAxisRectRatio);
  }
  if (years_across) {
    band->topLeft->setCoords(start - 0.5, 0.0);
    band->bottomRight->setCoords(end + 0.5, 1.0);
    // Above the plot, in a top margin kept for it, clear of the data.
    auto* label = new QCPItemText(&plot);
    label->setClipToAxisRect(false);
    label->position->setTypeX(QCPItemPosition::ptPlotCoords);
    label->position->setTypeY(QCPItemPosition::ptAxisRectRatio);
    label->position->setCoords((start + end) / 2.0, 0.0);
    label->setPositionAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    label->setText(QStringLiteral("common interval"));
    label->setFont(plot.font());
    plot.axisRect()->setMinimumMargins(QMargins(0, QFontMetrics(plot.font()).height() + 8, 0, 0));
  } else {
    band->topLeft->setCoords(0.0, start - 0.5);
    band->bottomRight->setCoords(1.0, end + 0.5);
  }
}

}  // namespace arb::plots
