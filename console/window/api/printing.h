// SPDX-License-Identifier: GPL-3.0-or-later
// Printing a window's text on a printer that is already set up.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <functional>

#include "print_layout.h"
#include "text_store.h"

class QPrinter;

namespace arb::win {

enum class PrintResult { Printed, Cancelled, NoPrinter };

// Lines per page come from the font's line height on the printer; the
// printer's page range picks the lines; each copy is printed in turn unless
// the printer makes the copies itself.  Lines wider than the page are
// wrapped or the font scaled, as long_lines says; the page range counts
// printed rows.  after_line is called after every row printed and returns
// true to abandon the job.
PrintResult print_text(QPrinter& printer, const TextStore& store, const QFont& font, const QColor& color,
                       LongLines long_lines, const std::function<bool()>& after_line);

// The print dialog proposes a PDF file in the home folder, or one named
// after the document, whose "/" names a folder that does not exist; a file
// of this name in the working folder is proposed instead, until the user
// chooses another.  A real printer stays the one offered first.
void propose_pdf_file(QPrinter& printer, const QString& name);

}  // namespace arb::win
