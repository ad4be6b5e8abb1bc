// Printing a window's text on a printer that is already set up.
#pragma once

#include <QColor>
#include <QFont>
#include <functional>

#include "text_store.h"

class QPrinter;

namespace arb::win {

enum class PrintResult { Printed, Cancelled, NoPrinter };

// Lines per page come from the font's line height on the printer; the
// printer's page range picks the lines; each copy is printed in turn unless
// the printer makes the copies itself.  after_line is called after every
// line printed and returns true to abandon the job.
PrintResult print_text(QPrinter& printer, const TextStore& store, const QFont& font, const QColor& color,
                       const std::function<bool()>& after_line);

}  // namespace arb::win
