// SPDX-License-Identifier: GPL-3.0-or-later
// arborix-plot DIR: draws the averaged record and the coverage of an export
// folder (average.csv, sample_depth.csv, stations.csv, series.csv, read in
// a stream) into average.svg, average.png, coverage.svg and coverage.png
// beside them.  It needs no display: Qt's offscreen platform unless one is
// asked for.
#include <QApplication>
#include <QFontDatabase>
#include <cstdio>
#include <cstring>

#include "plot_files.h"

namespace {

constexpr const char* kUsage =
    "Usage: arborix-plot DIR\n"
    "Draws average.svg/png and coverage.svg/png from the CSV files that arborix --export DIR wrote.\n"
    "\n"
    "Options:\n"
    "  --help   show this help and exit\n"
    "\n"
    "Exit status:\n"
    "  0        the plots are written\n"
    "  1        the folder's CSV files cannot be read or a plot cannot be written\n"
    "  2        wrong usage\n"
    "\n"
    "See the manual page arborix-plot(1).\n";

// Qt's notes about the offscreen platform are no news to the user: only
// real failures reach standard error.
void quiet(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "arborix-plot: %s\n", qPrintable(text));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 || std::strncmp(argv[1], "-", 1) == 0) {
    const bool help = argc == 2 && std::strcmp(argv[1], "--help") == 0;
    std::fputs(help ? kUsage : "Usage: arborix-plot DIR\nTry 'arborix-plot --help' for more information.\n",
               help ? stdout : stderr);
    return help ? 0 : 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(quiet);
  QApplication app(argc, argv);
  const std::string dir = argv[1];
  std::string error;
  const auto record = arb::plots::record_data(dir, error);
  const auto coverage = record ? arb::plots::coverage_data(dir, error) : std::nullopt;
  if (coverage) {
    const QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    if (auto failed = arb::plots::write_plot_files(*record, *coverage, QString::fromStdString(dir), font))
      error = *failed;
    else
      return 0;
  }
  std::fprintf(stderr, "arborix-plot: %s\n", error.c_str());
  return 1;
}
