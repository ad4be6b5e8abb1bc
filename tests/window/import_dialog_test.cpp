// SPDX-License-Identifier: GPL-3.0-or-later
// File > Import Station Files...: the dialog lists each file with its
// format and station count, writes the three files that arborix-import
// writes for the same choices, byte for byte, and names a file it cannot
// read with the reason.
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "frame_window.h"
#include "import_dialog.h"
#include "tests/window/fake_dialogs.h"
#include "tests/window/window_fixture.h"

using arb::import_window::ImportDialog;
using arb::win::testing::contents;
using arb::win::testing::FakeDialogs;

namespace {

const QString kGhcn = QStringLiteral(ARB_STATIONS_DIR "/ghcnm_v3/Texas_excerpt.qca.dat");
const QString kInventory = QStringLiteral(ARB_STATIONS_DIR "/ghcnm_v3/Texas.inv");
const QStringList kWritten{QString(), QStringLiteral(".stations.csv"), QStringLiteral(".answers.txt")};

// The stations of a GHCN-Monthly file: its distinct IDs (columns 1-11).
int ghcn_stations(const QString& path) {
  QSet<QByteArray> ids;
  for (const QByteArray& line : contents(path).split('\n'))
    if (!line.isEmpty()) ids.insert(line.left(11));
  return static_cast<int>(ids.size());
}

void click_import(ImportDialog& d) {
  QSignalSpy done(&d, &ImportDialog::imported);
  d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  QVERIFY(done.count() == 1 || done.wait(60000));
}

}  // namespace

class ImportDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void the_menu_item_opens_the_dialog_and_it_writes_what_the_command_writes() {
    FakeDialogs dialogs;
    arb::win::FrameWindow frame(QStringLiteral("arborix"), dialogs);
    arb::import_window::add_import_item(frame);
    QAction* item = nullptr;
    for (QAction* a : frame.findChildren<QAction*>())
      if (a->text() == QStringLiteral("&Import Station Files...")) item = a;
    QVERIFY(item);
    item->trigger();
    auto* d = frame.findChild<ImportDialog*>();
    QVERIFY(d && d->isVisible() && !d->isModal());  // the run goes on beside it

    QSignalSpy surveyed(d, &ImportDialog::surveyed);
    d->add_files({kGhcn});
    QVERIFY(surveyed.wait(60000));
    const QTreeWidgetItem* row = d->files().topLevelItem(0);
    QVERIFY(row->text(1).startsWith(QStringLiteral("GHCN-Monthly")));
    QCOMPARE(row->text(2).toInt(), ghcn_stations(kGhcn));

    // The command first, its three files kept and removed, then the dialog
    // with the same choices and the same output name.
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("texas.txt"));
    QProcess command;
    command.start(QStringLiteral(ARB_IMPORT_PATH), {QStringLiteral("--inventory"), kInventory,
                                                    QStringLiteral("--min-years"), QStringLiteral("5"),
                                                    QStringLiteral("--years"), QStringLiteral("1900-2010"),
                                                    QStringLiteral("-o"), out, kGhcn});
    QVERIFY(command.waitForFinished(60000));
    QCOMPARE(command.exitCode(), 0);
    QList<QByteArray> expected;
    for (const QString& suffix : kWritten) {
      expected.append(contents(out + suffix));
      QVERIFY(QFile::remove(out + suffix));
    }
    d->findChild<QLineEdit*>(QStringLiteral("inventory"))->setText(kInventory);
    d->findChild<QSpinBox*>(QStringLiteral("min_years"))->setValue(5);
    d->findChild<QLineEdit*>(QStringLiteral("years"))->setText(QStringLiteral("1900-2010"));
    d->findChild<QLineEdit*>(QStringLiteral("output"))->setText(out);
    click_import(*d);
    for (int i = 0; i < kWritten.size(); ++i) QCOMPARE(contents(out + kWritten[i]), expected[i]);
    const QString report = d->report().toPlainText();
    QVERIFY2(report.contains(QStringLiteral("The dialogue's answers: format number 5")), qPrintable(report));
    QVERIFY(report.contains(QStringLiteral("arborix-import --inventory")));
  }

  void a_file_it_cannot_read_is_named_with_the_reason() {
    QTemporaryDir dir;
    const QString junk = dir.filePath(QStringLiteral("notes.txt"));
    QFile f(junk);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("Dear colleague,\nthe files follow next week.\n");
    f.close();
    FakeDialogs dialogs;
    ImportDialog d(dialogs);
    QSignalSpy surveyed(&d, &ImportDialog::surveyed);
    dialogs.open_names.push_back({junk});
    for (QPushButton* b : d.findChildren<QPushButton*>())
      if (b->text() == QStringLiteral("&Add Files...")) b->click();
    QVERIFY(surveyed.wait(60000));
    const QString reason = d.files().topLevelItem(0)->text(1);
    QVERIFY2(reason.contains(junk) && reason.contains(QStringLiteral("not a station file")), qPrintable(reason));

    // Imported all the same: nothing written, the reason shown.
    const QString out = dir.filePath(QStringLiteral("out.txt"));
    d.findChild<QLineEdit*>(QStringLiteral("output"))->setText(out);
    click_import(d);
    QVERIFY(d.report().toPlainText().contains(reason));
    QVERIFY(!QFile::exists(out));
    // A value the command refuses is refused in its words.
    d.findChild<QLineEdit*>(QStringLiteral("box"))->setText(QStringLiteral("north"));
    click_import(d);
    QCOMPARE(d.report().toPlainText(), QStringLiteral("Nothing imported: bad value for --box: north"));
  }
};

QTEST_MAIN(ImportDialogTest)
#include "import_dialog_test.moc"
