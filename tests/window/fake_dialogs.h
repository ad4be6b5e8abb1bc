// SPDX-License-Identifier: GPL-3.0-or-later
// Dialogs answered by the test: queued answers in, every request recorded.
#pragma once

#include <QPrinter>
#include <QStringList>
#include <deque>
#include <functional>

#include "dialogs.h"

namespace arb::win::testing {

class FakeDialogs : public Dialogs {
 public:
  // Save dialog: the names to give, an empty one for Cancel.
  std::deque<QString> save_names;
  QList<SaveRequest> save_requests;
  // Open dialog: the lists of files to give, none for Cancel.
  std::deque<QStringList> open_names;
  // Questions: the answers to give; when none is queued, No.
  std::deque<Answer> answers;
  QStringList questions;
  QStringList warnings;  // "caption: text"
  std::function<bool(QPrinter&)> on_print;
  LongLines long_lines = LongLines::Wrap;  // the choice for long lines given back
  int abouts = 0;

  QString save_file_name(QWidget*, const SaveRequest& request) override {
    save_requests.append(request);
    if (save_names.empty()) return {};
    QString name = save_names.front();
    save_names.pop_front();
    return name;
  }
  QStringList open_file_names(QWidget*, const QString&, const QString&, bool) override {
    if (open_names.empty()) return {};
    QStringList names = open_names.front();
    open_names.pop_front();
    return names;
  }
  void warning(QWidget*, const QString& caption, const QString& text) override {
    warnings.append(caption + ": " + text);
  }
  Answer question(QWidget*, const QString& text, bool) override {
    questions.append(text);
    if (answers.empty()) return Answer::No;
    Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  bool print_setup(QWidget*, QPrinter& printer, LongLines& choice) override {
    choice = long_lines;
    return on_print && on_print(printer);
  }
  std::optional<QFont> choose_font(QWidget*, const QFont& current) override {
    QFont bigger = current;
    bigger.setPointSize(current.pointSize() + 6);
    return bigger;
  }
  std::optional<QColor> choose_color(QWidget*, const QColor&) override { return QColor(Qt::darkGreen); }
  void about(QWidget*) override { ++abouts; }
};

}  // namespace arb::win::testing
