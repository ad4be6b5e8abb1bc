// SPDX-License-Identifier: GPL-3.0-or-later
#include "import_dialog.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <memory>

#include "dialogs.h"
#include "frame_window.h"

namespace arb::import_window {

namespace {

enum Column { kFile, kFormat, kStations };
constexpr int kPathRole = Qt::UserRole;
constexpr int kQueuedRole = Qt::UserRole + 1;  // the file waits for its survey

std::string local(const QString& path) { return QFile::encodeName(path).toStdString(); }

// An argument as a shell takes it back.
QString quoted(const std::string& arg) {
  const QString a = QString::fromStdString(arg);
  static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./=,:+@%-]+$"));
  if (plain.match(a).hasMatch()) return a;
  QString q = a;
  return QLatin1Char('\'') + q.replace(QLatin1Char('\''), QStringLiteral("'\\''")) + QLatin1Char('\'');
}

QString command_line(const std::vector<std::string>& args) {
  QString line = QStringLiteral("arborix-import");
  for (const std::string& a : args) line += QLatin1Char(' ') + quoted(a);
  return line;
}

QLineEdit* field(const QString& name, const QString& hint) {
  auto* edit = new QLineEdit;
  edit->setObjectName(name);
  edit->setPlaceholderText(hint);
  return edit;
}

QCheckBox* check(const QString& name, const QString& text) {
  auto* box = new QCheckBox(text);
  box->setObjectName(name);
  return box;
}

// The first line of the command line's refusal, without the program's name.
QString refusal(const std::string& err) {
  QString text = QString::fromStdString(err.substr(0, err.find('\n')));
  text.remove(QStringLiteral("arborix-import: "));
  return text;
}

}  // namespace

ImportDialog::ImportDialog(win::Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), folder_(QDir::currentPath()) {
  setWindowTitle(tr("Import Station Files"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(file_box(), 1);
  auto* middle = new QHBoxLayout;
  middle->addWidget(selection_box());
  middle->addWidget(choices_box());
  layout->addLayout(middle);
  layout->addWidget(output_box());
  report_ = new QPlainTextEdit;
  report_->setObjectName(QStringLiteral("report"));
  report_->setReadOnly(true);
  report_->setLineWrapMode(QPlainTextEdit::NoWrap);
  report_->setPlaceholderText(tr("The report of the import and the answers to type show here."));
  layout->addWidget(report_, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Close);
  import_ = buttons->button(QDialogButtonBox::Ok);
  import_->setText(tr("&Import"));
  connect(import_, &QPushButton::clicked, this, &ImportDialog::start_import);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  connect(&survey_, &QFutureWatcherBase::finished, this, &ImportDialog::show_survey);
  connect(&import_run_, &QFutureWatcherBase::finished, this, &ImportDialog::show_import);
  resize(760, 680);
}

// A job still running goes on to its end on its thread: it holds nothing
// of the dialog's.
ImportDialog::~ImportDialog() = default;

QWidget* ImportDialog::file_box() {
  auto* group = new QGroupBox(tr("Station files"));
  auto* layout = new QGridLayout(group);
  files_ = new QTreeWidget;
  files_->setObjectName(QStringLiteral("files"));
  files_->setHeaderLabels({tr("File"), tr("Format"), tr("Stations")});
  files_->setRootIsDecorated(false);
  files_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  files_->header()->setStretchLastSection(false);
  files_->header()->setSectionResizeMode(kFile, QHeaderView::ResizeToContents);
  files_->header()->setSectionResizeMode(kFormat, QHeaderView::Stretch);
  auto* add = new QPushButton(tr("&Add Files..."));
  auto* remove = new QPushButton(tr("&Remove"));
  connect(add, &QPushButton::clicked, this, &ImportDialog::choose_files);
  connect(remove, &QPushButton::clicked, this, [this] { qDeleteAll(files_->selectedItems()); });
  inventory_ = field(QStringLiteral("inventory"), tr("GHCN-Monthly .inv or ECA&D stations.txt"));
  auto* browse = new QPushButton(tr("Bro&wse..."));
  connect(browse, &QPushButton::clicked, this, &ImportDialog::choose_inventory);
  layout->addWidget(files_, 0, 0, 3, 2);
  layout->addWidget(add, 0, 2);
  layout->addWidget(remove, 1, 2);
  auto* label = new QLabel(tr("In&ventory:"));
  label->setBuddy(inventory_);
  layout->addWidget(label, 3, 0);
  layout->addWidget(inventory_, 3, 1);
  layout->addWidget(browse, 3, 2);
  return group;
}

QWidget* ImportDialog::selection_box() {
  auto* group = new QGroupBox(tr("Selection"));
  auto* form = new QFormLayout(group);
  element_ = new QComboBox;
  element_->setObjectName(QStringLiteral("element"));
  element_->setEditable(true);
  element_->addItems({QString(), QStringLiteral("TAVG"), QStringLiteral("TMAX"), QStringLiteral("TMIN"),
                      QStringLiteral("tmax"), QStringLiteral("tmin"), QStringLiteral("af"), QStringLiteral("rain"),
                      QStringLiteral("sun"), QStringLiteral("pcpn"), QStringLiteral("tmpc")});
  element_->lineEdit()->setPlaceholderText(tr("the format's own"));
  ids_ = field(QStringLiteral("ids"), tr("ID,ID,..."));
  country_ = field(QStringLiteral("country"), tr("code"));
  box_ = field(QStringLiteral("box"), tr("south,north,west,east"));
  years_ = field(QStringLiteral("years"), tr("first-last"));
  min_years_ = new QSpinBox;
  min_years_->setObjectName(QStringLiteral("min_years"));
  min_years_->setRange(0, 500);
  min_years_->setSpecialValueText(tr("any"));
  form->addRow(tr("&Element:"), element_);
  form->addRow(tr("S&tation IDs:"), ids_);
  form->addRow(tr("&Country:"), country_);
  form->addRow(tr("&Box:"), box_);
  form->addRow(tr("&Years:"), years_);
  form->addRow(tr("&Least years:"), min_years_);
  return group;
}

QWidget* ImportDialog::choices_box() {
  auto* group = new QGroupBox(tr("Values"));
  auto* layout = new QVBoxLayout(group);
  keep_flagged_ = check(QStringLiteral("keep_flagged"), tr("&Keep values that failed quality control"));
  drop_estimated_ = check(QStringLiteral("drop_estimated"), tr("&Drop estimated values"));
  anomaly_ = check(QStringLiteral("anomaly"), tr("Keep the a&nomalies (Berkeley Earth Trend)"));
  si_ = check(QStringLiteral("si"), tr("Convert to SI &units (nClimDiv)"));
  series_ = new QComboBox;
  series_->setObjectName(QStringLiteral("series"));
  series_->addItems({QStringLiteral("adjusted"), QStringLiteral("raw"), QStringLiteral("regional")});
  for (QCheckBox* box : {keep_flagged_, drop_estimated_, anomaly_, si_}) layout->addWidget(box);
  auto* form = new QFormLayout;
  form->addRow(tr("Berkeley Earth &series:"), series_);
  layout->addLayout(form);
  layout->addStretch(1);
  return group;
}

QWidget* ImportDialog::output_box() {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  output_ = field(QStringLiteral("output"), tr("the data file to write, e.g. stations.txt"));
  auto* label = new QLabel(tr("Out&put file:"));
  label->setBuddy(output_);
  auto* browse = new QPushButton(tr("Br&owse..."));
  connect(browse, &QPushButton::clicked, this, &ImportDialog::choose_output);
  layout->addWidget(label);
  layout->addWidget(output_, 1);
  layout->addWidget(browse);
  return row;
}

void ImportDialog::choose_files() {
  const QStringList paths = dialogs_.open_file_names(this, tr("Add Station Files"), folder_, true);
  if (paths.isEmpty()) return;
  folder_ = QFileInfo(paths.front()).absolutePath();
  add_files(paths);
}

void ImportDialog::choose_inventory() {
  const QStringList paths = dialogs_.open_file_names(this, tr("Inventory"), folder_, false);
  if (!paths.isEmpty()) inventory_->setText(paths.front());
}

void ImportDialog::choose_output() {
  const QString name = dialogs_.save_file_name(
      this, {tr("Output File"), folder_, QStringLiteral("stations.txt"), win::FileKind::Text});
  if (!name.isEmpty()) output_->setText(name);
}

void ImportDialog::add_files(const QStringList& paths) {
  for (const QString& path : paths) {
    bool listed = false;
    for (int i = 0; i < files_->topLevelItemCount(); ++i) listed |= files_->topLevelItem(i)->data(kFile, kPathRole) == path;
    if (listed) continue;
    auto* item = new QTreeWidgetItem(files_, {QFileInfo(path).fileName(), tr("reading..."), QString()});
    item->setData(kFile, kPathRole, path);
    item->setData(kFile, kQueuedRole, true);
    item->setToolTip(kFile, path);
  }
  if (survey_.isRunning()) return;  // the files wait for the survey running
  std::vector<QString> queued;
  for (int i = 0; i < files_->topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = files_->topLevelItem(i);
    if (!item->data(kFile, kQueuedRole).toBool()) continue;
    item->setData(kFile, kQueuedRole, false);
    queued.push_back(item->data(kFile, kPathRole).toString());
  }
  if (queued.empty()) return;
  import::Options options;
  options.element = element_->currentText().trimmed().toStdString();
  survey_.setFuture(QtConcurrent::run([queued, options] {
    std::vector<Surveyed> done;
    for (const QString& path : queued) {
      Surveyed s{path, {}, {}};
      s.outcome = import_cli::survey(local(path), options, s.report);
      done.push_back(std::move(s));
    }
    return done;
  }));
}

// Each file's format and station count, or the reason it cannot be read.
void ImportDialog::show_survey() {
  for (const Surveyed& s : survey_.result()) {
    for (int i = 0; i < files_->topLevelItemCount(); ++i) {
      QTreeWidgetItem* item = files_->topLevelItem(i);
      if (item->data(kFile, kPathRole).toString() != s.path) continue;
      const bool ok = s.outcome.status == 0;
      const QString format = QString::fromStdString(ok ? s.report.format : s.outcome.error);
      item->setText(kFormat, format);
      item->setToolTip(kFormat, format);
      item->setText(kStations, ok ? QString::number(s.report.stations) : QString());
      item->setForeground(kFormat, ok ? palette().text() : QBrush(Qt::red));
    }
  }
  add_files({});  // the files added meanwhile
  emit surveyed();
}

std::vector<std::string> ImportDialog::arguments() const {
  std::vector<std::string> a;
  const auto add = [&a](const char* option, const QString& value) {
    if (value.trimmed().isEmpty()) return;
    a.push_back(option);
    a.push_back(value.trimmed().toStdString());
  };
  if (!inventory_->text().trimmed().isEmpty()) a.insert(a.end(), {"--inventory", local(inventory_->text().trimmed())});
  add("--element", element_->currentText());
  if (series_->currentIndex() != 0) add("--series", series_->currentText());
  add("--ids", ids_->text());
  add("--country", country_->text());
  add("--box", box_->text());
  add("--years", years_->text());
  if (min_years_->value() > 0) add("--min-years", QString::number(min_years_->value()));
  const std::pair<QCheckBox*, const char*> switches[] = {
      {keep_flagged_, "--keep-flagged"}, {drop_estimated_, "--drop-estimated"}, {anomaly_, "--anomaly"}, {si_, "--si"}};
  for (const auto& [box, option] : switches)
    if (box->isChecked()) a.push_back(option);
  if (!output_->text().trimmed().isEmpty()) a.insert(a.end(), {"-o", local(output_->text().trimmed())});
  a.push_back("--");
  for (int i = 0; i < files_->topLevelItemCount(); ++i)
    a.push_back(local(files_->topLevelItem(i)->data(kFile, kPathRole).toString()));
  return a;
}

// The arguments go through the command's own parsing, so that a value the
// command refuses is refused here with the same words.
void ImportDialog::start_import() {
  if (import_run_.isRunning()) return;
  const std::vector<std::string> args = arguments();
  std::string out, err;
  const import_cli::Parsed parsed = import_cli::parse(args, out, err);
  if (parsed.exit_status) {
    report_->setPlainText(tr("Nothing imported: %1").arg(refusal(err)));
    emit imported();
    return;
  }
  command_ = command_line(args);
  report_->setPlainText(tr("Importing...\n%1").arg(command_));
  import_->setEnabled(false);
  import_run_.setFuture(QtConcurrent::run([command = parsed.command] { return import_cli::run_import(command); }));
}

void ImportDialog::show_import() {
  const import_cli::Outcome o = import_run_.result();
  if (o.status == 0)
    report_->setPlainText(tr("%1\nThe same from a terminal:\n%2").arg(QString::fromStdString(o.report), command_));
  else
    report_->setPlainText(tr("Nothing imported: %1").arg(QString::fromStdString(o.error)));
  import_->setEnabled(true);
  emit imported();
}

void add_import_item(win::FrameWindow& frame) {
  QAction* item = frame.add_file_item(QObject::tr("&Import Station Files..."));
  auto dialog = std::make_shared<QPointer<ImportDialog>>();
  QObject::connect(item, &QAction::triggered, &frame, [&frame, dialog] {
    if (!*dialog) *dialog = new ImportDialog(frame.dialogs(), &frame);
    (*dialog)->show();
    (*dialog)->raise();
    (*dialog)->activateWindow();
  });
}

}  // namespace arb::import_window
