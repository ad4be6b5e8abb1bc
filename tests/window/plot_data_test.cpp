// SPDX-License-Identifier: GPL-3.0-or-later
// The plots drawn from an export folder (arborix-plot) show what the plots
// drawn from the run itself (the window) show.
#include <QTemporaryDir>
#include <QFile>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <cstring>

#include <qcustomplot.h>

#include "coverage_plot.h"
#include "image_item.h"
#include "plot_data.h"
#include "png_file.h"
#include "align.h"
#include "coverage.h"
#include "export.h"
#include "statistics.h"

namespace {

// Two series of two variables, the second with a missing value and a title
// that CSV must quote.
arb::results::Run small_run(const std::string& data_file = "") {
  static arb::SeriesStore s;  // the run keeps pointing at it
  s.release();
  for (int k = 1; k <= 2; ++k)
    if (!s.make_room(k, 2)) qFatal("no room for series %d", k);
  s.nseries = 2;
  s.nvars = 2;
  s.flag = -99.9F;
  const char* titles[] = {"North", "South, \"old\" site"};
  const float values[2][2][3] = {{{1, 2, 3}, {10, 20, 30}}, {{4, -99.9F, 6}, {40, 50, 60}}};
  for (int k = 1; k <= 2; ++k) {
    s.title(k).fill(' ');
    std::copy_n(titles[k - 1], std::strlen(titles[k - 1]), s.title(k).begin());
    s.span(k, 1) = static_cast<std::int16_t>(1999 + k);
    s.span(k, 2) = static_cast<std::int16_t>(2001 + k);
    s.span(k, 3) = 3;
    for (int j = 1; j <= 2; ++j)
      for (int i = 1; i <= 3; ++i) s.value(i, j, k) = values[k - 1][j - 1][i - 1];
  }
  const arb::Coverage c = arb::find_coverage(s);
  for (int k = 1; k <= 2; ++k) {
    arb::align(s, k, c.earliest_first);
    arb::series_statistics(s, k, c);
  }
  arb::grand_statistics(s);
  arb::ReadLog log;
  log.mask = "11";  // January and February
  const arb::AveragedRecord record = arb::average_record(s, c, arb::Method::straight);
  return arb::results::make_run({s, log, c, arb::Method::straight, record, data_file, ""});
}

bool same(const std::vector<double>& a, const std::vector<double>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (!(a[i] == b[i] || (std::isnan(a[i]) && std::isnan(b[i])))) return false;
  return true;
}

}  // namespace

class PlotDataTest : public QObject {
  Q_OBJECT

 private slots:
  void the_export_gives_the_runs_plots() {
    const arb::results::Run run = small_run();
    QTemporaryDir dir;
    QVERIFY(!arb::results::write_export(run, {}, dir.path().toStdString()));
    std::string error;
    const auto record = arb::plots::record_data(dir.path().toStdString(), error);
    const auto coverage = arb::plots::coverage_data(dir.path().toStdString(), error);
    QVERIFY2(record && coverage, error.c_str());
    const arb::plots::RecordData from_run = arb::plots::record_data(run);
    const arb::plots::CoverageData cover_run = arb::plots::coverage_data(run);
    QCOMPARE(record->names, from_run.names);
    QVERIFY(same(record->years, from_run.years));
    for (std::size_t j = 0; j < 2; ++j) {
      QVERIFY(same(record->values[j], from_run.values[j]));
      QVERIFY(same(record->depth[j], from_run.depth[j]));
    }
    QCOMPARE(record->common_start, 2001);
    QCOMPARE(record->common_end, 2002);
    QCOMPARE(coverage->series.size(), std::size_t{2});
    for (std::size_t k = 0; k < 2; ++k) {
      QCOMPARE(coverage->series[k].title, cover_run.series[k].title);
      QCOMPARE(coverage->series[k].first, cover_run.series[k].first);
      QCOMPARE(coverage->series[k].last, cover_run.series[k].last);
      QVERIFY(same(coverage->series[k].missing, cover_run.series[k].missing));
    }
    QVERIFY(same(coverage->series[1].missing, {2002.0}));
  }

  // A data file with the importer's station table beside it: the stations
  // by name (a title where the table has no name), in the window and from
  // the export alike; without the table, the titles as before.
  void the_coverage_names_the_stations_of_a_station_table() {
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("data.txt"));
    const QList<QStringList> cases = {{QStringLiteral("Oslo"), QStringLiteral("South, \"old\" site")},
                                      {QStringLiteral("North"), QStringLiteral("South, \"old\" site")}};
    for (bool table : {true, false}) {
      if (table) {
        QFile f(data + QStringLiteral(".stations.csv"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("series,id,name,latitude,longitude,elevation,country\n1,North,Oslo,59.9,10.7,94,NO\n"
                "2,South,,60.4,5.3,12,NO\n");
      } else {
        QFile::remove(data + QStringLiteral(".stations.csv"));
      }
      const arb::results::Run run = small_run(data.toStdString());
      const QString out = dir.filePath(table ? QStringLiteral("named") : QStringLiteral("titled"));
      QVERIFY(!arb::results::write_export(run, {}, out.toStdString()));
      std::string error;
      const auto from_export = arb::plots::coverage_data(out.toStdString(), error);
      QVERIFY2(from_export, error.c_str());
      const arb::plots::CoverageData from_run = arb::plots::coverage_data(run);
      QCustomPlot plot;
      arb::plots::draw_coverage(plot, from_run, QFont());
      auto* ticker = dynamic_cast<QCPAxisTickerText*>(plot.yAxis->ticker().data());
      QVERIFY(ticker);
      const QStringList& want = cases[table ? 0 : 1];
      for (int k = 0; k < 2; ++k) {
        QCOMPARE(QString::fromStdString(from_run.series[static_cast<std::size_t>(k)].title), want[k]);
        QCOMPARE(QString::fromStdString(from_export->series[static_cast<std::size_t>(k)].title), want[k]);
        QCOMPARE(ticker->ticks().value(k + 1), want[k]);
      }
    }
  }

  // Above 300 series a row of pixels each, sorted by first year; up to 300
  // a bar each.
  void many_series_are_drawn_as_an_image() {
    for (int n : {300, 400}) {
      arb::plots::CoverageData data;
      for (int k = 0; k < n; ++k) data.series.push_back({"s", 1949 - k % 50, 1999, {1975.0}});
      data.common_start = 1960;
      data.common_end = 1999;
      QCustomPlot plot;
      arb::plots::draw_coverage(plot, data, QFont());
      std::vector<const QImage*> layers;  // the years covered, then those with a missing value
      for (int i = 0; i < plot.itemCount(); ++i)
        if (auto* p = qobject_cast<arb::plots::ImageItem*>(plot.item(i))) layers.push_back(&p->image());
      QCOMPARE(layers.size(), std::size_t{n > 300 ? 2U : 0U});
      if (layers.empty()) continue;
      const int height = arb::plots::coverage_height(data, QFont());
      QCOMPARE(height, n + 80);
      const QImage &covered = *layers[0], &missing = *layers[1];
      for (const QImage* image : layers) {
        QCOMPARE(image->format(), QImage::Format_Mono);
        QCOMPARE(image->size(), QSize(100, n));  // 1900 to 1999
      }
      QCOMPARE(covered.pixelColor(0, 0).alpha(), 255);    // the first row begins in 1900
      QCOMPARE(covered.pixelColor(0, n - 1).alpha(), 0);  // the last in 1949
      QCOMPARE(missing.pixelColor(75, 0).alpha(), 255);   // 1975 missing
      QCOMPARE(missing.pixelColor(74, 0).alpha(), 0);
      QVERIFY(missing.pixelColor(75, 0) != covered.pixelColor(75, 0));
      // Drawn, a row of the layers is a row of pixels in their colours, the
      // first and the last inside the axes.
      plot.resize(1000, height);
      plot.replot();
      const QImage drawn = plot.toPixmap(1000, height).toImage();
      const auto at = [&](double year, int row) {
        return drawn.pixelColor(static_cast<int>(plot.xAxis->coordToPixel(year)),
                                static_cast<int>(plot.yAxis->coordToPixel(row + 0.5)));
      };
      for (int row : {0, 1, n - 1}) {
        QCOMPARE(at(1975, row), missing.pixelColor(75, row));
        QCOMPARE(at(1973, row), covered.pixelColor(73, row));  // clear of the axis' ticks
      }
    }
  }

  // The plots' PNG files read back pixel for pixel; a folder that is not
  // there is a failure, not a crash.
  void png_files_read_back_as_drawn() {
    QImage image(37, 5, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgb(x * 7, y * 50, 255 - x));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.png"));
    QVERIFY(arb::plots::write_png(image, path));
    QCOMPARE(QImage(path).convertToFormat(QImage::Format_RGB32), image);
    QVERIFY(!arb::plots::write_png(image, dir.filePath(QStringLiteral("none/p.png"))));
  }

  void a_folder_without_the_files_is_refused() {
    QTemporaryDir dir;
    std::string error;
    QVERIFY(!arb::plots::record_data(dir.path().toStdString(), error));
    QVERIFY(error.find("average.csv") != std::string::npos);
  }
};

QTEST_MAIN(PlotDataTest)
#include "plot_data_test.moc"
