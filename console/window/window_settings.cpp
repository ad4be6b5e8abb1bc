// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_settings.h"

#include <QEvent>

namespace arb::win {

namespace {

const QString kFrameGeometry = QStringLiteral("frame/geometry");
const QString kFrameState = QStringLiteral("frame/state");
const QString kConsoleGeometry = QStringLiteral("console/geometry");
const QString kConsoleMaximized = QStringLiteral("console/maximized");
const QString kFont = QStringLiteral("console/font");
const QString kColor = QStringLiteral("console/color");

// Watches the frame for its close event, which comes before Exit closes the
// windows.
class SettingsKeeper : public QObject {
 public:
  SettingsKeeper(FrameWindow& frame, TextWindow* console) : QObject(&frame), frame_(frame), console_(console) {
    frame.installEventFilter(this);
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &frame_ && event->type() == QEvent::Close)
      save_settings(frame_, console_ && !console_->is_closed() ? console_.data() : nullptr);
    return false;
  }

 private:
  FrameWindow& frame_;
  QPointer<TextWindow> console_;
};

}  // namespace

std::unique_ptr<QSettings> open_settings() {
  return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                     QStringLiteral(ARBORIX_APP_ID));
}

void restore_settings(FrameWindow& frame, TextWindow* console) {
  auto s = open_settings();
  if (s->contains(kFrameGeometry)) frame.restoreGeometry(s->value(kFrameGeometry).toByteArray());
  if (s->contains(kFrameState)) frame.restoreState(s->value(kFrameState).toByteArray());
  if (!console) return;
  if (s->contains(kConsoleGeometry)) {
    console->showNormal();
    console->setGeometry(s->value(kConsoleGeometry).toRect());
  }
  if (s->value(kConsoleMaximized, false).toBool()) console->showMaximized();
  QFont font;
  if (s->contains(kFont) && font.fromString(s->value(kFont).toString())) console->view().set_text_font(font);
  if (QColor color(s->value(kColor).toString()); color.isValid()) console->view().set_text_color(color);
}

void save_settings(const FrameWindow& frame, TextWindow* console) {
  auto s = open_settings();
  s->setValue(kFrameGeometry, frame.saveGeometry());
  s->setValue(kFrameState, frame.saveState());
  if (!console) return;
  // A maximised window keeps the size it had before, for its next restore.
  if (!console->isMaximized()) s->setValue(kConsoleGeometry, console->geometry());
  s->setValue(kConsoleMaximized, console->isMaximized());
  s->setValue(kFont, console->view().text_font().toString());
  s->setValue(kColor, console->view().text_color().name());
}

void reset_settings() { open_settings()->clear(); }

void keep_settings(FrameWindow& frame, TextWindow* console) { new SettingsKeeper(frame, console); }

}  // namespace arb::win
