// SPDX-License-Identifier: GPL-3.0-or-later
#include "coverage_plot.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QImage>
#include <QScrollBar>
#include <algorithm>
#include <numeric>
#include <utility>
#include <vector>
#include <qcustomplot.h>

#include "image_item.h"
#include "plot_style.h"

namespace arb::plots {

namespace {

constexpr double kBarHalf = 0.35;  // of a row

// Above this many series a bar each would make the plot files large and
// the titles unreadable: the coverage is then one row of pixels a series.
constexpr std::size_t kMostBars = 300;
// The axis rect's margins in that case, fixed so that a row of the image
// is a row of pixels of the plot.
constexpr QMargins kImageMargins(80, 20, 30, 60);

const QColor kCovered(60, 110, 200);
const QColor kMissing(220, 30, 30);

bool as_image(const CoverageData& data) { return data.series.size() > kMostBars; }

// The years any series covers.
std::pair<int, int> year_range(const CoverageData& data) {
  int first = 9999, last = -9999;
  for (const CoverageData::Series& s : data.series) {
    if (s.last < s.first) continue;
    first = std::min(first, s.first);
    last = std::max(last, s.last);
  }
  return {first, last};
}

// One bit a pixel, in the colour or transparent.
QImage layer(int width, int height, const QColor& colour) {
  QImage image(width, height, QImage::Format_Mono);
  image.setColorTable({qRgba(0, 0, 0, 0), colour.rgb()});
  image.fill(0);
  return image;
}

void set_bit(QImage& image, int x, int y) { image.scanLine(y)[x >> 3] |= static_cast<uchar>(0x80 >> (x & 7)); }

// The coverage as two layers of a row per series, sorted by first year,
// and a pixel per year: the years covered, and the years with a missing
// value drawn over them; transparent elsewhere (the common interval's band
// shows there).  A bit a pixel: the PNG encoder of an SVG file, at zlib's
// default level, takes a 32nd of the bytes of full colour, a quarter of
// those of one layer of 8 bits.
std::pair<QImage, QImage> coverage_layers(const CoverageData& data, int first, int last) {
  std::vector<std::size_t> order(data.series.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return data.series[a].first < data.series[b].first; });
  const int width = last - first + 1, height = static_cast<int>(order.size());
  std::pair<QImage, QImage> layers{layer(width, height, kCovered), layer(width, height, kMissing)};
  for (int row = 0; row < height; ++row) {
    const CoverageData::Series& s = data.series[order[static_cast<std::size_t>(row)]];
    for (int y = s.first; y <= s.last; ++y) set_bit(layers.first, y - first, row);
    for (double y : s.missing) {
      if (y >= s.first && y <= s.last) set_bit(layers.second, static_cast<int>(y) - first, row);
    }
  }
  return layers;
}

void add_layer(QCustomPlot& plot, QImage image, int first, int last, double rows) {
  auto* item = new ImageItem(&plot, std::move(image));
  item->topLeft->setCoords(first - 0.5, 0.0);
  item->bottomRight->setCoords(last + 0.5, rows);
}

void draw_image(QCustomPlot& plot, const CoverageData& data) {
  const auto [first, last] = year_range(data);
  const double rows = static_cast<double>(data.series.size());
  plot.axisRect()->setAutoMargins(QCP::msNone);
  plot.axisRect()->setMargins(kImageMargins);
  plot.yAxis->setLabel(QStringLiteral("series, sorted by first year"));
  plot.yAxis->setRange(0.0, rows);
  plot.xAxis->setLabel(QStringLiteral("year (blue: covered, red: a year with a missing value)"));
  if (first > last) return;
  plot.xAxis->setRange(first - 0.5, last + 0.5);
  auto [covered, missing] = coverage_layers(data, first, last);
  add_layer(plot, std::move(covered), first, last, rows);
  add_layer(plot, std::move(missing), first, last, rows);
}

void add_bar(QCustomPlot& plot, int row, const CoverageData::Series& s) {
  if (s.last < s.first) return;
  auto* bar = new QCPItemRect(&plot);
  bar->setPen(QPen(QColor(20, 70, 170)));
  bar->setBrush(QColor(90, 140, 220, 170));  // the common interval's band shows through
  bar->topLeft->setCoords(s.first - 0.5, row - kBarHalf);
  bar->bottomRight->setCoords(s.last + 0.5, row + kBarHalf);
}

void draw_bars(QCustomPlot& plot, const CoverageData& data) {
  auto titles = QSharedPointer<QCPAxisTickerText>::create();
  QVector<double> years, rows;
  for (std::size_t i = 0; i < data.series.size(); ++i) {
    const CoverageData::Series& s = data.series[i];
    const int row = static_cast<int>(i) + 1;
    titles->addTick(row, QString::fromStdString(s.title));
    add_bar(plot, row, s);
    for (double y : s.missing) {
      years.push_back(y);
      rows.push_back(row);
    }
  }
  QCPGraph* missing = plot.addGraph();
  missing->setName(QStringLiteral("year with a missing value"));
  missing->setLineStyle(QCPGraph::lsNone);
  missing->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCross, QColor(200, 30, 30), 6));
  missing->setData(years, rows);
  plot.yAxis->setTicker(titles);
  plot.yAxis->setRange(0.4, static_cast<double>(data.series.size()) + 0.6);
  plot.xAxis->setLabel(QStringLiteral("year"));
  const auto [first, last] = year_range(data);
  if (first <= last) plot.xAxis->setRange(first - 2.0, last + 2.0);
  plot.legend->setVisible(!years.isEmpty());
  legend_below(plot);
}

}  // namespace

int coverage_height(const CoverageData& data, const QFont& font) {
  if (as_image(data)) return kImageMargins.top() + kImageMargins.bottom() + static_cast<int>(data.series.size());
  const int row = QFontMetrics(font).height() + 6;
  return 110 + row * static_cast<int>(data.series.size() + 2);
}

void draw_coverage(QCustomPlot& plot, const CoverageData& data, const QFont& font) {
  plot.clearGraphs();
  plot.clearItems();
  if (as_image(data)) draw_image(plot, data);
  else draw_bars(plot, data);
  plot.yAxis->setRangeReversed(true);  // series 1 (or the earliest) at the top
  plot.yAxis->grid()->setVisible(false);
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
  plot_->installEventFilter(this);
}

// The wheel over the plot scrolls the rows, as over any scrolling area.
bool CoveragePlot::eventFilter(QObject* watched, QEvent* event) {
  if (watched != plot_ || event->type() != QEvent::Wheel) return QScrollArea::eventFilter(watched, event);
  QCoreApplication::sendEvent(verticalScrollBar(), event);
  return true;
}

}  // namespace arb::plots
