// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot_style.h"

#include <qcustomplot.h>

namespace arb::plots {

void use_font(QCustomPlot& plot, const QFont& font) {
  plot.setFont(font);
  for (QCPAxis* axis : plot.axisRect()->axes()) {
    axis->setTickLabelFont(font);
    axis->setLabelFont(font);
  }
  plot.legend->setFont(font);
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
    auto* label = new QCPItemText(&plot);
        label->position->setTypeX(QCPItemPosition::ptPlotCoords);
    label->position->setTypeY(QCPItemPosition::ptAxisRectRatio);
    label->position->setCoords((start + end) / 2.0, 0.0);
    label->setPositionAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setText(QStringLiteral("common interval"));
    label->setFont(plot.font());
  } else {
    band->topLeft->setCoords(0.0, start - 0.5);
    band->bottomRight->setCoords(1.0, end + 0.5);
  }
}

}  // namespace arb::plots
