// SPDX-License-Identifier: GPL-3.0-or-later
// What the window tests share: one environment of the frame, its console
// window and the host, with the ways a test types, clicks and reads; and
// the bytes of a file.
#pragma once

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "console_host.h"
#include "frame_window.h"
#include "window_host.h"
#include "tests/window/fake_dialogs.h"
#include "tests/window/scripted_user.h"

namespace arb::win::testing {

// The whole file, or a marker naming it when it cannot be read.
inline QByteArray contents(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing " + path.toUtf8() + ">");
}

// One environment per test: the frame, its console window and the host.
struct Quil {
  FakeDialogs dialogs;
  FrameWindow frame{QStringLiteral("arborix"), dialogs};
  std::unique_ptr<WindowHost> host;
  Quil() {
    frame.resize(800, 500);
    frame.show();
    host = std::make_unique<WindowHost>(frame);
    QCoreApplication::processEvents();
  }
  TextWindow& window() { return *host->console_window(); }
  TextView& view() { return window().view(); }
  std::unique_ptr<ReadWatch> reads;
  QString status() const { return frame.status_line().text(); }
  // Runs the keys each time a read waits.
  void when_waiting(std::function<void()> typing) { reads = std::make_unique<ReadWatch>(*host, std::move(typing)); }
  void keys(const QString& text) { QTest::keyClicks(&view(), text); }
  void key(Qt::Key k) { QTest::keyClick(&view(), k); }
  // What an input method or a keyboard layout sends for a character.
  void type(const QString& text) {
    QKeyEvent e(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
    QApplication::sendEvent(&view(), &e);
  }
  // The middle of a cell of the view.
  QPoint cell(int col, int row) {
    view().sync_now();
    return {col * view().cell_width() + view().cell_width() / 2, row * view().cell_height() + 2};
  }
  void mouse(QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    QMouseEvent e(type, at, view().viewport()->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(view().viewport(), &e);
  }
  QString copied() {
    QApplication::clipboard()->clear();
    frame.copy_action()->trigger();
    return QApplication::clipboard()->text();
  }
  bool caret_in_view() {
    const ConsoleText& t = window().text();
    return t.caret_line() >= t.first_line() && t.caret_line() < t.first_line() + t.rows() &&
           t.caret_col() >= t.first_col() && t.caret_col() < t.first_col() + t.cols();
  }
  std::string read() {
    auto line = host->ttyinp(-1, 256);
    return line.value_or("<none>");
  }
  // A read that must end the run: the status of the RunEnd, or -999.
  int read_ending_the_run() {
    try {
      host->ttyinp(-1, 256);
    } catch (const arb::rt::RunEnd& end) {
      return end.status;
    }
    return -999;
  }
};

}  // namespace arb::win::testing
