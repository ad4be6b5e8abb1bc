// SPDX-License-Identifier: GPL-3.0-or-later
// File > Import Station Files...: station files as downloaded turned into a
// run's data file, its station table and its answers, as arborix-import
// does.  The dialog stays open beside the run (not modal), and the files
// are read on a thread of their own, so that the console keeps taking the
// run's lines while a large file is read.
#pragma once

#include <QDialog>
#include <QFutureWatcher>
#include <QPointer>
#include <string>
#include <vector>

#include "import_command.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTreeWidget;

namespace arb::win {
class Dialogs;
class FrameWindow;
}  // namespace arb::win

namespace arb::import_window {

// What the recognition of one file came to.
struct Surveyed {
  QString path;
  import_cli::Outcome outcome;
  import::FileReport report;
};

class ImportDialog : public QDialog {
  Q_OBJECT

 public:
  ImportDialog(win::Dialogs& dialogs, QWidget* parent = nullptr);
  ~ImportDialog() override;

  // Lists the files, each with its format and station count once read.
  void add_files(const QStringList& paths);
  // The arguments of the equivalent arborix-import command line.
  std::vector<std::string> arguments() const;
  // Reads the files and writes the three files on a thread; the report
  // (or the reason) shows when it is done.
  void start_import();

  QTreeWidget& files() const { return *files_; }
  QPlainTextEdit& report() const { return *report_; }

 signals:
  void surveyed();
  void imported();

 private:
  QWidget* file_box();
  QWidget* selection_box();
  QWidget* choices_box();
  QWidget* output_box();
  void choose_files();
  void choose_inventory();
  void choose_output();
  void show_survey();
  void show_import();

  win::Dialogs& dialogs_;
  QString folder_;
  QString command_;  // the import running or last run, as a command line
  QTreeWidget* files_;
  QLineEdit *inventory_, *ids_, *country_, *box_, *years_, *output_;
  QComboBox *element_, *series_;
  QSpinBox* min_years_;
  QCheckBox *keep_flagged_, *drop_estimated_, *anomaly_, *si_;
  QPlainTextEdit* report_;
  QPushButton* import_;
  QFutureWatcher<std::vector<Surveyed>> survey_;
  QFutureWatcher<import_cli::Outcome> import_run_;
};

// File > Import Station Files... in the frame: opens the one dialog, or
// brings it back.
void add_import_item(win::FrameWindow& frame);

}  // namespace arb::import_window
