// SPDX-License-Identifier: GPL-3.0-or-later
// Every platform dialog and box the window environment shows, behind one
// interface, so that tests can answer them without a screen.
#pragma once

#include <memory>
#include <optional>

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

#include "print_layout.h"

class QPrinter;
class QWidget;

namespace arb::win {

enum class Answer { Yes, No, Cancel };

// What a save dialog asks for: a text file (".txt" unless another suffix is
// typed), a plot (PNG, SVG or PDF, the suffix following the chosen type) or
// a folder (no suffix; created by the export when missing).
enum class FileKind { Text, Plot, Folder };

struct SaveRequest {
  QString title;     // the dialog's own title, the same as the proposed name
  QString folder;    // where the dialog opens
  QString proposed;  // the proposed file name
  FileKind kind = FileKind::Text;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // The save-file dialog; an empty name when cancelled.
  virtual QString save_file_name(QWidget* parent, const SaveRequest& request) = 0;
  // The open-file dialog: existing files, several when asked for; empty
  // when cancelled.
  virtual QStringList open_file_names(QWidget* parent, const QString& title, const QString& folder,
                                      bool several) = 0;
  // A message box with a warning icon and an OK button.
  virtual void warning(QWidget* parent, const QString& caption, const QString& text) = 0;
  // A question box captioned "Quil": Yes and No, and Cancel when asked for.
  virtual Answer question(QWidget* parent, const QString& text, bool with_cancel) = 0;
  // The print dialog: sets the printer's range, copies and collation, and
  // what to do with lines wider than the page (opened with the last
  // choice); false when cancelled.
  virtual bool print_setup(QWidget* parent, QPrinter& printer, LongLines& long_lines) = 0;
  virtual std::optional<QFont> choose_font(QWidget* parent, const QFont& current) = 0;
  virtual std::optional<QColor> choose_color(QWidget* parent, const QColor& current) = 0;
  // The program's name and version, and the machine it runs on.
  virtual void about(QWidget* parent) = 0;
};

// The real dialogs, on Qt.
std::unique_ptr<Dialogs> make_qt_dialogs();

inline const QString kCaption = QStringLiteral("Quil");

}  // namespace arb::win
