// SPDX-License-Identifier: GPL-3.0-or-later
// The dialogs on Qt: its own save, print, font and colour dialogs, message
// boxes, and the About box built here.
#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFormLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs.h"
#include "machine_info.h"

namespace arb::win {

namespace {

constexpr int kMaxPage = 32767;

struct FileType {
  QString filter;
  QString suffix;
};

QList<FileType> text_types() {
  return {{QStringLiteral("Text Files (*.txt)"), QStringLiteral("txt")}, {QStringLiteral("All Files (*.*)"), {}}};
}

QList<FileType> plot_types() {
  return {{QFileDialog::tr("PNG Image (*.png)"), QStringLiteral("png")},
          {QFileDialog::tr("SVG Image (*.svg)"), QStringLiteral("svg")},
          {QFileDialog::tr("PDF Document (*.pdf)"), QStringLiteral("pdf")}};
}

// A folder dialog that also takes the name of a folder still to be made
// (the export creates it), where Qt's own asks for an existing one.
class FolderDialog : public QFileDialog {
 public:
  using QFileDialog::QFileDialog;
  void accept() override {
    const QStringList chosen = selectedFiles();
    if (chosen.size() == 1 && !QFileInfo::exists(chosen.front()))
      QDialog::accept();
    else
      QFileDialog::accept();
  }
};

QString folder_name(QWidget* parent, const SaveRequest& request) {
  FolderDialog dialog(parent, request.title, request.folder);
  dialog.setOption(QFileDialog::DontUseNativeDialog);  // the native one refuses a new name
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  dialog.selectFile(request.proposed);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}

class QtDialogs final : public Dialogs {
 public:
  QString save_file_name(QWidget* parent, const SaveRequest& request) override {
    if (request.kind == FileKind::Folder) return folder_name(parent, request);
    QFileDialog dialog(parent, request.title, request.folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QList<FileType> types = request.kind == FileKind::Plot ? plot_types() : text_types();
    QStringList filters;
    for (const FileType& t : types) filters.append(t.filter);
    dialog.setNameFilters(filters);
    // The suffix follows the type chosen; a plot's type starts as the
    // proposed name's.
    const auto follow = [&dialog, types](const QString& filter) {
      for (const FileType& t : types)
        if (t.filter == filter) dialog.setDefaultSuffix(t.suffix);
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, follow);
    const QString proposed_suffix = QFileInfo(request.proposed).suffix().toLower();
    QString chosen = filters.front();
    for (const FileType& t : types)
      if (request.kind == FileKind::Plot && t.suffix == proposed_suffix) chosen = t.filter;
    dialog.selectNameFilter(chosen);
    follow(chosen);
    dialog.selectFile(request.proposed);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
  }

  QStringList open_file_names(QWidget* parent, const QString& title, const QString& folder, bool several) override {
    QFileDialog dialog(parent, title, folder);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(several ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles();
  }

  void warning(QWidget* parent, const QString& caption, const QString& text) override {
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok, parent);
    box.exec();
  }

  Answer question(QWidget* parent, const QString& text, bool with_cancel) override {
    auto buttons = QMessageBox::Yes | QMessageBox::No;
    if (with_cancel) buttons |= QMessageBox::Cancel;
    QMessageBox box(QMessageBox::Warning, kCaption, text, buttons, parent);
    switch (box.exec()) {
      case QMessageBox::Yes: return Answer::Yes;
      case QMessageBox::No: return Answer::No;
      default: return with_cancel ? Answer::Cancel : Answer::No;
    }
  }

  bool print_setup(QWidget* parent, QPrinter& printer, LongLines& long_lines) override {
    QPrintDialog dialog(&printer, parent);
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintCollateCopies |
                      QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    dialog.setMinMax(1, kMaxPage);
    // A tab of the dialog's options: wrap long lines or shrink the font.
    auto* tab = new QWidget;
    tab->setWindowTitle(QObject::tr("Long Lines"));
    auto* layout = new QVBoxLayout(tab);
    auto* wrap = new QRadioButton(QObject::tr("&Wrap lines wider than the page"));
    auto* scale = new QRadioButton(QObject::tr("&Shrink the font to fit the widest line"));
    (long_lines == LongLines::Scale ? scale : wrap)->setChecked(true);
    layout->addWidget(wrap);
    layout->addWidget(scale);
    layout->addStretch();
    dialog.setOptionTabs({tab});
    if (dialog.exec() != QDialog::Accepted) return false;
    long_lines = scale->isChecked() ? LongLines::Scale : LongLines::Wrap;
    return true;
  }

  std::optional<QFont> choose_font(QWidget* parent, const QFont& current) override {
    bool ok = false;
    QFont font = QFontDialog::getFont(&ok, current, parent, QObject::tr("Font"),
                                      QFontDialog::MonospacedFonts);
    if (!ok) return std::nullopt;
    return font;
  }

  std::optional<QColor> choose_color(QWidget* parent, const QColor& current) override {
    QColor color = QColorDialog::getColor(current, parent, QObject::tr("Color"));
    if (!color.isValid()) return std::nullopt;
    return color;
  }

  void about(QWidget* parent) override {
    MachineInfo m = machine_info();
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("About Quil"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("%1 %2").arg(QCoreApplication::applicationName(),
                                                             QCoreApplication::applicationVersion())));
    layout->addWidget(new QLabel(QStringLiteral("Quil Application Framework")));
    auto* values = new QFormLayout;
    values->addRow(QStringLiteral("Page Size"), new QLabel(QString::number(m.page_size)));
    values->addRow(QStringLiteral("Processor Type"), new QLabel(QString::fromStdString(m.processor)));
    values->addRow(QStringLiteral("Number of Processors"), new QLabel(QString::number(m.processors)));
    layout->addLayout(values);
    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(QStringLiteral("Continue"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    dialog.exec();
  }
};

}  // namespace

std::unique_ptr<Dialogs> make_qt_dialogs() { return std::make_unique<QtDialogs>(); }

}  // namespace arb::win
