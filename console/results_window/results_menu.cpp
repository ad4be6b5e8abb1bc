// SPDX-License-Identifier: GPL-3.0-or-later
#include "results_menu.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QMdiArea>
#include <QMenu>
#include <QPlainTextEdit>

#include "coverage_plot.h"
#include "plot_files.h"
#include "record_plot.h"
#include "plot_window.h"
#include "frame_window.h"
#include "export.h"

namespace arb::results_window {

ResultsMenu::ResultsMenu(win::FrameWindow& frame)
    : QObject(&frame), frame_(frame), menu_(frame.add_menu_before_window(QStringLiteral("&Results"))) {
  record_ = menu_->addAction(tr("Averaged &Record"), this, [this] { open_record(); });
  coverage_ = menu_->addAction(tr("&Coverage"), this, [this] { open_coverage(); });
  check_ = menu_->addAction(tr("&Data Check"), this, [this] { open_check(); });
  output_ = menu_->addAction(tr("&Output File"), this, [this] { open_output(); });
  menu_->addSeparator();
  export_ = menu_->addAction(tr("&Export..."), this, [this] { export_asked(); });
  for (QAction* a : menu_->actions()) a->setEnabled(false);
  menu_->setEnabled(false);
}

void ResultsMenu::set_results(const results::Run& run, const std::vector<results::Finding>& findings) {
  run_ = &run;
  findings_ = &findings;
  menu_->setEnabled(true);
  for (QAction* a : {record_, coverage_, check_, export_}) a->setEnabled(true);
  check_->setText(QStringLiteral("&Data Check (%1 finding%2)").arg(findings.size()).arg(findings.size() == 1 ? "" : "s"));
}

void ResultsMenu::output_complete(const QString& path) {
  output_path_ = path;
  output_->setEnabled(run_ != nullptr && !path.isEmpty());
}

// The console window's font, which the results windows share.
QFont ResultsMenu::window_font() const {
  if (win::TextWindow* w = frame_.active_text_window()) return w->view().text_font();
  return QFontDatabase::systemFont(QFontDatabase::FixedFont);
}

PlotWindow* ResultsMenu::plot_child(const QString& title, QWidget* content, QCustomPlot& plot,
                                    const QString& file_name) {
  auto* w = new PlotWindow(title, content, plot, frame_.dialogs(), file_name);
  frame_.add_window(w);
  return w;
}

PlotWindow* ResultsMenu::open_record() {
  if (!run_) return nullptr;
  auto* plot = new plots::RecordPlot(plots::record_data(*run_), window_font());
  return plot_child(tr("Averaged Record"), plot, plot->plot(), QStringLiteral("average.png"));
}

PlotWindow* ResultsMenu::open_coverage() {
  if (!run_) return nullptr;
  auto* plot = new plots::CoveragePlot(plots::coverage_data(*run_), window_font());
  return plot_child(tr("Coverage"), plot, plot->plot(), QStringLiteral("coverage.png"));
}

QMdiSubWindow* ResultsMenu::text_child(const QString& title, const QString& text) {
  auto* view = new QPlainTextEdit(text);
  view->setReadOnly(true);
  view->setLineWrapMode(QPlainTextEdit::NoWrap);
  view->setFont(window_font());
  auto* w = new QMdiSubWindow;
  w->setWindowTitle(title);
  w->setAttribute(Qt::WA_DeleteOnClose);
  w->setWidget(view);
  frame_.add_window(w);
  return w;
}

QMdiSubWindow* ResultsMenu::open_check() {
  if (!run_) return nullptr;
  return text_child(tr("Data Check"), QString::fromStdString(results::checks_text(*run_, *findings_)));
}

QMdiSubWindow* ResultsMenu::open_output() {
  QFile file(output_path_);
  if (output_path_.isEmpty() || !file.open(QIODevice::ReadOnly)) {
    frame_.dialogs().warning(&frame_, win::kCaption, tr("The output file cannot be read."));
    return nullptr;
  }
  return text_child(tr("Output File"), QString::fromLocal8Bit(file.readAll()));
}

void ResultsMenu::export_asked() {
  if (!run_) return;
  const QString dir = frame_.dialogs().save_file_name(
      &frame_, {tr("Export"), QDir::currentPath(), QStringLiteral("arborix-export"), win::FileKind::Folder});
  if (dir.isEmpty()) return;
  auto failed = results::write_export(*run_, *findings_, QFile::encodeName(dir).toStdString());
  if (!failed)
    failed = plots::write_plot_files(plots::record_data(*run_), plots::coverage_data(*run_), dir, window_font());
  if (failed) frame_.dialogs().warning(&frame_, win::kCaption, tr("Cannot write the export: %1").arg(QString::fromStdString(*failed)));
}

// The export comes after the output file is complete, and its failure
// changes the exit status: the status line still names the output.
void ResultsMenu::export_failed(const QString& reason) {
  const QString text = tr("Cannot write the export: %1").arg(reason);
  frame_.status_line().set_output(output_path_);
  frame_.status_line().set_problem(text);
  frame_.dialogs().warning(&frame_, win::kCaption, text);
}

}  // namespace arb::results_window
