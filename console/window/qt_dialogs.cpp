// SPDX-License-Identifier: GPL-3.0-or-later
// The dialogs on Qt: its own save, print, font and colour dialogs, message
// boxes, and the About box built here.
#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
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

class QtDialogs final : public Dialogs {
 public:
  QString save_file_name(QWidget* parent, const SaveRequest& request) override {
    QFileDialog dialog(parent, request.title, request.folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({QStringLiteral("Text Files (*.txt)"), QStringLiteral("All Files (*.*)")});
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.selectFile(request.proposed);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
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
    tab->setWindowTitle(QStringLiteral("Long Lines"));
    auto* layout = new QVBoxLayout(tab);
    auto* wrap = new QRadioButton(QStringLiteral("&Wrap lines wider than the page"));
    auto* scale = new QRadioButton(QStringLiteral("&Shrink the font to fit the widest line"));
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
    QFont font = QFontDialog::getFont(&ok, current, parent, QStringLiteral("Font"),
                                      QFontDialog::MonospacedFonts);
    if (!ok) return std::nullopt;
    return font;
  }

  std::optional<QColor> choose_color(QWidget* parent, const QColor& current) override {
    QColor color = QColorDialog::getColor(current, parent, QStringLiteral("Color"));
    if (!color.isValid()) return std::nullopt;
    return color;
  }

  void about(QWidget* parent) override {
    MachineInfo m = machine_info();
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("About Quil"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Quil Application Framework")));
    auto* values = new QFormLayout;
    values->addRow(QStringLiteral("Page Size"), new QLabel(QString::number(m.page_size)));
    values->addRow(QStringLiteral("Minimum Address"),
                   new QLabel(QString::fromStdString(hex_address(m.min_address))));
    values->addRow(QStringLiteral("Maximum Address"),
                   new QLabel(QString::fromStdString(hex_address(m.max_address))));
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
