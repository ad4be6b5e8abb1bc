// SPDX-License-Identifier: GPL-3.0-or-later
#include "attach.h"

#include <QApplication>
#include <QFontDatabase>
#include <cstdio>

#include "plot_files.h"

namespace arb::results_window {

namespace {

std::optional<std::string> draw(const results::Run& run, const std::string& dir, const QFont& font) {
  return plots::write_plot_files(plots::record_data(run), plots::coverage_data(run), QString::fromStdString(dir),
                                 font);
}

}  // namespace

void attach(cli::ResultsHost& host, ResultsMenu& menu, const QFont& font) {
  host.on_results = [&menu](const results::Run& run, const std::vector<results::Finding>& findings) {
    menu.set_results(run, findings);
  };
  host.on_run_end = [&host, &menu] {
    menu.output_complete(QString::fromStdString(host.output_path()));
    if (const auto& failed = host.export_failure()) menu.export_failed(QString::fromStdString(*failed));
  };
  host.write_plots = [font](const results::Run& run, const std::string& dir) { return draw(run, dir, font); };
}

std::optional<std::string> plots_offscreen(const results::Run& run, const std::string& dir) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // Qt's notes about the offscreen platform are no news to the user.
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "arborix: %s\n", qPrintable(text));
  });
  int argc = 1;
  char name[] = "arborix";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  return draw(run, dir, QFontDatabase::systemFont(QFontDatabase::GeneralFont));
}

}  // namespace arb::results_window
