// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_host.h"

#include <QApplication>
#include <QDialog>
#include <QRegularExpression>
#include <QStringList>

#include <unistd.h>

#include "process_guard.h"
#include "status_line.h"
#include "utf8_text.h"

namespace arb::win {

namespace {

// Where a further window opens unless its position says otherwise.
const QRect kWindowGeometry(15, 15, 600, 300);

// Handling events costs far more than a record; between reads they are
// handled at most this often, which no user can tell from every record.
constexpr std::chrono::milliseconds kEventPass(10);

// A signal that ends the run closes the dialogs open on top of it, each as
// if cancelled, so that the waits below them see the signal.
void close_dialogs() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* dialog = qobject_cast<QDialog*>(w); dialog && dialog->isVisible()) dialog->reject();
}

}  // namespace

WindowHost::WindowHost(FrameWindow& frame) : frame_(frame) {
  table_[0] = {rt::kConsoleWindowUnit, frame_.open_text_window(QStringLiteral("Input/Output"), std::nullopt)};
  entries_ = 1;
  frame_.status_line().show_state(RunState::Working);
  if (const int fd = rt::end_signal_fd(); fd >= 0) {
    end_signal_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    // Emptied, so that it does not fire again; the run looks at the flag.
    QObject::connect(end_signal_.get(), &QSocketNotifier::activated, [fd] {
      char bytes[64];
      while (::read(fd, bytes, sizeof bytes) > 0) {
      }
      if (rt::end_signal()) close_dialogs();
    });
  }
}

TextWindow* WindowHost::window_for(int unit) const {
  if (unit < 0) unit = rt::kConsoleWindowUnit;
  for (std::size_t i = 0; i < entries_; ++i) {
    if (table_[i].unit != unit) continue;
    TextWindow* w = table_[i].window.data();
    return w && !w->is_closed() ? w : nullptr;
  }
  return nullptr;
}

void WindowHost::handle_pending_events(bool now) {
  auto t = std::chrono::steady_clock::now();
  if (!now && t - last_pass_ < kEventPass) return;
  last_pass_ = t;
  QCoreApplication::processEvents();
}

// Exit closed every window while the program runs: it stops at once, as by
// a stop without a message.
void WindowHost::leave_if_exit_chosen() {
  if (frame_.exit_done()) throw rt::RunEnd{0};
}

void WindowHost::window_handler_error() {
  quit_ = true;
  frame_.dialogs().warning(&frame_, QStringLiteral("Window Handler Error"),
                           QStringLiteral("Not a valid window, program exited."));
  throw rt::RunEnd{0};
}

bool WindowHost::ttyout(int unit, std::string_view text) {
  TextWindow* w = window_for(unit);
  if (!w) {
    quit_ = true;
    return false;
  }
  w->view().write(text);
  handle_pending_events(false);
  leave_if_exit_chosen();
  return true;
}

std::optional<std::string> WindowHost::ttyinp(int unit, std::size_t capacity) {
  leave_if_exit_chosen();
  TextWindow* w = window_for(unit);
  if (!w || quit_) window_handler_error();
  QPointer<TextWindow> window(w);
  w->text().begin_read(capacity);
  w->view().sync_now();
  frame_.status_line().show_state(RunState::Waiting);
  auto open = [&] { return window && !window->is_closed(); };
  while (open() && window->text().waiting() && !frame_.exit_done() && !rt::end_signal())
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  if (open()) window->text().cancel_read();
  rt::end_run_if_signalled();
  leave_if_exit_chosen();
  if (!open()) window_handler_error();
  frame_.status_line().show_state(RunState::Working);
  return window->text().take_answer();
}

void WindowHost::pump() {
  handle_pending_events(false);
  leave_if_exit_chosen();
}

// The output unit's file, by the name the program gave it.
constexpr int kOutputUnit = 16;

int WindowHost::end_of_run_wait(int exit_code) {
  running_ = false;
  if (quit_) return exit_code;
  for (std::size_t i = 0; i < entries_; ++i)
    if (TextWindow* w = table_[i].window.data(); w && !w->is_closed()) w->view().finish();
  if (exit_code == 0) frame_.status_line().set_output(shown_text(rt::unit_file_name(kOutputUnit)));
  frame_.status_line().show_state(RunState::Finished);
  frame_.update_actions();
  QCoreApplication::processEvents();
  while (!frame_.exit_done() && !rt::end_signal()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  // The files are closed by now: a signal ends the process at once.
  if (!frame_.exit_done() && rt::end_signal()) return 128 + rt::end_signal();
  return exit_code;
}

// The position text holds the left, top, width and height in pixels,
// separated by commas or blanks; missing numbers keep the default's.
bool WindowHost::open_window(int unit, std::string_view title, std::string_view position) {
  if (entries_ >= kMaxWindows) return false;
  QRect geometry = kWindowGeometry.translated(15 * static_cast<int>(entries_), 15 * static_cast<int>(entries_));
  const QStringList numbers =
      QString::fromLatin1(position.data(), static_cast<qsizetype>(position.size()))
          .split(QRegularExpression(QStringLiteral("[,\\s]+")), Qt::SkipEmptyParts);
  int values[4] = {geometry.x(), geometry.y(), geometry.width(), geometry.height()};
  for (int i = 0; i < 4 && i < numbers.size(); ++i) {
    bool ok = false;
    int v = numbers[i].toInt(&ok);
    if (ok) values[i] = v;
  }
  geometry = QRect(values[0], values[1], std::max(values[2], 1), std::max(values[3], 1));
  QString caption = QString::fromLatin1(title.data(), static_cast<qsizetype>(title.size()));
  table_[entries_++] = {unit, frame_.open_text_window(caption, geometry)};
  return true;
}

}  // namespace arb::win
