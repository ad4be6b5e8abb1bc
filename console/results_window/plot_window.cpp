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

namespace arb::results_window {

PlotWindow::PlotWindow(const QString& title, QWidget* content, QCustomPlot& plot, win::Dialogs& dialogs,
                       QString proposed)
    : plot_(plot), dialogs_(dialogs), proposed_(std::move(proposed)), folder_(QDir::currentPath()) {
  setWindowTitle(title);
  setAttribute(Qt::WA_DeleteOnClose);
  auto* body = new QWidget;
  auto* layout = new QVBoxLayout(body);
  auto* buttons = new QHBoxLayout;
  auto* save = new QPushButton(QStringLiteral("Save As..."));
  auto* print = new QPushButton(QStringLiteral("Print..."));
  buttons->addWidget(save);
  buttons->addWidget(print);
  buttons->addStretch(1);
  layout->addLayout(buttons);
  layout->addWidget(content, 1);
  setWidget(body);
  connect(save, &QPushButton::clicked, this, [this] { save_as(); });
  connect(print, &QPushButton::clicked, this, [this] { PlotWindow::print(); });
}

bool PlotWindow::save_as() {
  const QString name = dialogs_.save_file_name(this, {proposed_, folder_, proposed_});
  if (name.isEmpty()) return false;
  const auto format = plots::format_of(name);
  if (!format) {
    dialogs_.warning(this, win::kCaption, QStringLiteral("Save a plot as .png, .svg or .pdf."));
    return false;
  }
  folder_ = QFileInfo(name).absolutePath();
  if (auto failed = plots::save_plot(plot_, name, *format, plot_.width(), plot_.height())) {
    dialogs_.warning(this, win::kCaption, QString::fromStdString(*failed));
    return false;
  }
  return true;
}

void PlotWindow::print() {
  QPrinter printer;
  printer.setPageOrientation(QPageLayout::Landscape);
  win::LongLines unused = win::LongLines::Wrap;  // a plot has no lines of text to wrap
  if (dialogs_.print_setup(this, printer, unused)) plots::print_plot(plot_, printer);
}

}  // namespace arb::results_window
