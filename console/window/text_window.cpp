// SPDX-License-Identifier: GPL-3.0-or-later
#include "text_window.h"

#include <QCloseEvent>

namespace arb::win {

TextWindow::TextWindow(const QString& title, QWidget* parent) : QMdiSubWindow(parent), view_(new TextView) {
  setWidget(view_);
  setWindowTitle(title);
  setAttribute(Qt::WA_DeleteOnClose, false);
}

void TextWindow::closeEvent(QCloseEvent* event) {
  if (closed_) {
    event->accept();
    return;
  }
  if (may_close && !may_close(*this)) {
    event->ignore();
    return;
  }
  QMdiSubWindow::closeEvent(event);
  if (!event->isAccepted()) return;
  closed_ = true;
  emit windowClosed(this);
}

}  // namespace arb::win
