// SPDX-License-Identifier: GPL-3.0-or-later
// One console text window inside the frame: the text view with its title
// and the file name it was saved under.
#pragma once

#include <QMdiSubWindow>
#include <QString>
#include <functional>

#include "text_view.h"

namespace arb::win {

class TextWindow : public QMdiSubWindow {
  Q_OBJECT

 public:
  explicit TextWindow(const QString& title, QWidget* parent = nullptr);

  TextView& view() { return *view_; }
  ConsoleText& text() { return view_->text(); }

  QString file_name;  // up to 260 characters, set by Save
  bool has_file_name = false;

  // Asked before the window closes; false keeps it open.
  std::function<bool(TextWindow&)> may_close;
  bool is_closed() const { return closed_; }

 signals:
  void windowClosed(TextWindow* window);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  TextView* view_;
  bool closed_ = false;
};

}  // namespace arb::win
