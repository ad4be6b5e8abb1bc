// SPDX-License-Identifier: GPL-3.0-or-later
// The coverage plot stays readable: year labels apart at any font, the
// legend inside the picture, and the wheel over the plot scrolling its rows.
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <algorithm>

#include <qcustomplot.h>

#include "coverage_plot.h"
#include "plot_data.h"

namespace {

// n series over two centuries, each with a missing year (so the legend shows).
arb::plots::CoverageData many_series(int n) {
  arb::plots::CoverageData data;
  for (int k = 0; k < n; ++k) {
    const int first = 1800 + k;
    data.series.push_back({"Station " + std::to_string(k + 1), first, 2000, {first + 5.0}});
  }
  data.common_start = 1800 + n;
  data.common_end = 2000;
  return data;
}

// The plot as the window shows it, at a given size and font size.
struct Shown {
  Shown(int series, int point_size, QSize size) {
    QFont font(QStringLiteral("monospace"));
    font.setPointSize(point_size);
    view = std::make_unique<arb::plots::CoveragePlot>(many_series(series), font);
    view->resize(size);
    view->show();
    if (!QTest::qWaitForWindowExposed(view.get())) qFatal("the plot was not shown");
    view->plot().replot();
  }
  std::unique_ptr<arb::plots::CoveragePlot> view;
};

}  // namespace

class PlotLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void year_labels_never_overlap() {
    for (int points : {8, 14, 28}) {
      Shown shown(20, points, QSize(520, 500));
      QCPAxis& years = *shown.view->plot().xAxis;
      const QVector<double> ticks = years.tickVector();
      const QVector<QString> labels = years.tickVectorLabels();
      QVERIFY2(ticks.size() >= 2, qPrintable(QString::number(points)));
      const QFontMetrics metrics(years.tickLabelFont());
      for (int i = 1; i < ticks.size(); ++i) {
        const double gap = years.coordToPixel(ticks[i]) - years.coordToPixel(ticks[i - 1]);
        const int room = (metrics.horizontalAdvance(labels[i]) + metrics.horizontalAdvance(labels[i - 1])) / 2;
        QVERIFY2(gap > room, qPrintable(QStringLiteral("%1 pt: %2 and %3 overlap").arg(points).arg(labels[i - 1], labels[i])));
      }
    }
  }

  void legend_lies_inside_the_picture() {
    Shown shown(5, 14, QSize(400, 300));
    const QCustomPlot& plot = shown.view->plot();
    QVERIFY(plot.legend->visible());
    QVERIFY2(plot.rect().contains(plot.legend->outerRect()), "the legend is clipped");
    QVERIFY2(!plot.axisRect()->rect().intersects(plot.legend->outerRect()), "the legend covers the bars");
  }

  void wheel_over_the_plot_scrolls_its_rows() {
    Shown shown(80, 10, QSize(400, 300));
    QScrollBar& bar = *shown.view->verticalScrollBar();
    QVERIFY(bar.maximum() > 0);
    QCustomPlot& plot = shown.view->plot();
    const QPointF at(plot.width() / 2.0, 50.0);
    QWheelEvent wheel(at, plot.mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&plot, &wheel);
    QVERIFY2(bar.value() > 0, "the wheel did not scroll");
  }
};

QTEST_MAIN(PlotLayoutTest)
#include "plot_layout_test.moc"
