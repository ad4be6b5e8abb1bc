// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot_window.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>
#include <qcustomplot.h>

#include "plot_files.h"
#include "printing.h"

namespace arb::results_window {

PlotWindow::PlotWindow(const QString& title, QWidget* content, QCustomPlot& plot, win::Dialogs& dialogs,
                       QString proposed)
    : plot_(plot), dialogs_(dialogs), proposed_(std::move(proposed)), folder_(QDir::currentPath()) {
  setWindowTitle(title);
  setAttribute(Qt::WA_DeleteOnClose);
  auto* body = new QWidget;
  auto* layout = new QVBoxLayout(body);
  auto* buttons = new QHBoxLayout;
  auto* save = new QPushButton(tr("Sa&ve As..."));
  auto* print = new QPushButton(tr("&Print..."));
  buttons->addWidget(save);
  buttons->addWidget(print);
  buttons->addStretch(1);
  layout->addLayout(buttons);
  layout->addWidget(content, 1);
  setWidget(body);
  connect(save, &QPushButton::clicked, this, [this] { save_as(); });
  connect(print, &QPushButton::clicked, this, [this] { PlotWindow::print(); });
}

PlotWindow::~PlotWindow() = default;

bool PlotWindow::save_as() {
  const QString name = dialogs_.save_file_name(this, {proposed_, folder_, proposed_, win::FileKind::Plot});
  if (name.isEmpty()) return false;
  const auto format = plots::format_of(name);
  if (!format) {
    dialogs_.warning(this, win::kCaption, tr("Save a plot as .png, .svg or .pdf."));
    return false;
  }
  folder_ = QFileInfo(name).absolutePath();
  if (auto failed = plots::save_plot(plot_, name, *format, plot_.width(), plot_.height())) {
    dialogs_.warning(this, win::kCaption, QString::fromStdString(*failed));
    return false;
  }
  return true;
}

// The printer stays with the window, so that a second Print offers the
// choices of the first.
void PlotWindow::print() {
  if (!printer_) {
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_->setPageOrientation(QPageLayout::Landscape);
  }
  win::propose_pdf_file(*printer_, QFileInfo(proposed_).completeBaseName() + QStringLiteral(".pdf"));
  win::LongLines unused = win::LongLines::Wrap;  // a plot has no lines of text to wrap
  if (dialogs_.print_setup(this, *printer_, unused)) plots::print_plot(plot_, *printer_);
}

}  // namespace arb::results_window
