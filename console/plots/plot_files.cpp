// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QSvgGenerator>
#include <qcustomplot.h>

#include "coverage_plot.h"
#include "png_file.h"
#include "record_plot.h"

namespace arb::plots {

namespace {

constexpr int kWidth = 1000;
constexpr int kRecordHeight = 560;

bool write_svg(QCustomPlot& plot, const QString& path, int width, int height) {
  QSvgGenerator svg;
  svg.setFileName(path);
  svg.setSize(QSize(width, height));
  svg.setViewBox(QRect(0, 0, width, height));
  svg.setTitle(QStringLiteral("ARBORIX"));
  QCPPainter painter;
  if (!painter.begin(&svg)) return false;
  plot.toPainter(&painter, width, height);
  return painter.end();
}

}  // namespace

std::optional<PlotFormat> format_of(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("png")) return PlotFormat::png;
  if (suffix == QLatin1String("svg")) return PlotFormat::svg;
  if (suffix == QLatin1String("pdf")) return PlotFormat::pdf;
  return std::nullopt;
}

std::optional<std::string> save_plot(QCustomPlot& plot, const QString& path, PlotFormat format, int width,
                                     int height) {
  const QFileInfo target(path);
  const QString temp = target.dir().filePath(QLatin1Char('.') + target.fileName() + QStringLiteral(".part"));
  bool done = false;
  switch (format) {
    case PlotFormat::png: done = write_png(plot.toPixmap(width, height).toImage(), temp); break;
    case PlotFormat::svg: done = write_svg(plot, temp, width, height); break;
    case PlotFormat::pdf: done = plot.savePdf(temp, width, height); break;
  }
  done = done && QFileInfo(temp).size() > 0;
  QFile::remove(path);
  if (done && QFile::rename(temp, path)) return std::nullopt;
  QFile::remove(temp);
  return path.toStdString() + ": cannot be written";
}

// Drawn again at the page's proportions, so that it fills the printable
// area: as wide as on the screen and as high as the page allows, or as high
// as on the screen (a tall coverage) and as wide as the page allows.
void print_plot(QCustomPlot& plot, QPrinter& printer) {
  QCPPainter painter(&printer);
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  const double page_ratio = page.height() / double(std::max(1, page.width()));
  int width = std::max(1, plot.width());
  int height = static_cast<int>(width * page_ratio);
  if (height < plot.height()) {
    height = plot.height();
    width = static_cast<int>(height / page_ratio);
  }
  const double scale = page.width() / double(width);
  painter.setMode(QCPPainter::pmVectorized);
  painter.setMode(QCPPainter::pmNoCaching);
  painter.scale(scale, scale);
  plot.toPainter(&painter, width, height);
}

std::optional<std::string> write_plot_files(const RecordData& record, const CoverageData& coverage,
                                            const QString& dir, const QFont& font) {
  QCustomPlot average;
  draw_record(average, record, 0, font);
  QCustomPlot cover;
  const int cover_height = coverage_height(coverage, font);
  cover.resize(kWidth, cover_height);
  draw_coverage(cover, coverage, font);
  struct File {
    QCustomPlot& plot;
    const char* name;
    PlotFormat format;
    int height;
  } files[] = {{average, "average.svg", PlotFormat::svg, kRecordHeight},
               {average, "average.png", PlotFormat::png, kRecordHeight},
               {cover, "coverage.svg", PlotFormat::svg, cover_height},
               {cover, "coverage.png", PlotFormat::png, cover_height}};
  for (File& f : files) {
    if (auto failed = save_plot(f.plot, QDir(dir).filePath(QLatin1String(f.name)), f.format, kWidth, f.height))
      return failed;
  }
  return std::nullopt;
}

}  // namespace arb::plots
