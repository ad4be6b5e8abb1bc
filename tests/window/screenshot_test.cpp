// SPDX-License-Identifier: GPL-3.0-or-later
// A picture of the window during a run: the welcome, the climate mask's
// ruler and a mask being typed.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include "frame_window.h"
#include "window_host.h"
#include "driver.h"
#include "console_host.h"
#include "tests/window/fake_dialogs.h"
#include "tests/window/run_arborix.h"
#include "tests/window/scripted_user.h"

using namespace arb::win;

class ScreenshotTest : public QObject {
  Q_OBJECT

 private slots:
  void window_during_a_run() {
    QString out = qEnvironmentVariable("ARBORIX_SCREENSHOT", QStringLiteral(ARB_SHOT_PATH));
    QTemporaryDir dir;
    QDir in(QStringLiteral(ARB_GOLDEN_DIR "/two_series_method2/input"));
    for (const QString& name : in.entryList(QDir::Files)) QFile::copy(in.filePath(name), dir.filePath(name));
    const QString old_dir = QDir::currentPath();
    QDir::setCurrent(dir.path());

    testing::FakeDialogs dialogs;
    FrameWindow frame(QStringLiteral("arborix"), dialogs);
    frame.resize(760, 560);
    frame.show();
    WindowHost host(frame);  // the console as it first opens: filling the frame
    QImage shot;
    QString status_line;
    bool mask_shown = false, maximized = false;
    testing::ScriptedUser user(host, {"", "in.txt", "2", "out.txt"}, [] {});
    user.at_read = [&](int read) {
      if (read != 4) return;
      TextWindow* w = host.console_window();
      mask_shown = w->text().store().line(w->text().store().line_count() - 2).substr(1, 12) == "JFMAMJJASOND";
      w->view().type("111111111111");
      w->view().sync_now();
      shot = frame.grab().toImage();
      maximized = w->isMaximized();
      status_line = frame.status_line().text();
      frame.exit_action()->trigger();  // the save question is answered No
    };
    int status = testing::run_arborix(host);
    QDir::setCurrent(old_dir);

    QCOMPARE(status, 0);
    QVERIFY(mask_shown);
    QCOMPARE(status_line, QStringLiteral("Waiting for your answer"));
    QVERIFY(!shot.isNull());
    QVERIFY(shot.width() >= 760 && shot.height() >= 560);
    QVERIFY(maximized);
    // Text was drawn: the window holds dark pixels on its white ground.
    int dark = 0;
    for (int y = 60; y < 480; y += 2)
      for (int x = 30; x < 600; x += 2)
        if (qGray(shot.pixel(x, y)) < 96) ++dark;
    QVERIFY(dark > 500);
    QVERIFY(shot.save(out, "PNG"));
  }
};

QTEST_MAIN(ScreenshotTest)
#include "screenshot_test.moc"
