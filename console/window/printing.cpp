// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing.h"

#include <QDir>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <cmath>

#include "print_layout.h"
#include "utf8_text.h"

namespace arb::win {

namespace {

// The printer's pixels to 1/100 inch and back.
int to_hundredths(double pixels, int dpi) { return static_cast<int>(std::floor(pixels * 100.0 / dpi)); }
double to_pixels(int hundredths, int dpi) { return hundredths * dpi / 100.0; }

std::size_t widest_line(const TextStore& store) {
  std::size_t widest = 0;
  for (std::size_t i = 0; i < store.line_count(); ++i)
    widest = std::max(widest, cell_of(store.line(i), store.line_length(i)));
  return widest;
}

double cell_width(const QFont& font, QPrinter& printer) {
  return QFontMetricsF(font, &printer).horizontalAdvance(QLatin1Char('M'));
}

// The font made smaller until the widest line fits the page.
QFont scaled_to_fit(QFont font, QPrinter& printer, std::size_t widest, double page_width) {
  for (int tries = 0; tries < 8 && widest * cell_width(font, printer) > page_width; ++tries) {
    const double factor = page_width / (static_cast<double>(widest) * cell_width(font, printer));
    if (font.pointSizeF() > 0)
      font.setPointSizeF(std::max(1.0, font.pointSizeF() * factor * 0.98));
    else
      font.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() * factor * 0.98)));
  }
  return font;
}

// The mark in the left margin of a row that goes on from the row above.
const QString kContinued = QStringLiteral("\u21AA");

}  // namespace

PrintResult print_text(QPrinter& printer, const TextStore& store, const QFont& font, const QColor& color,
                       LongLines long_lines, const std::function<bool()>& after_line) {
  QPainter p;
  if (!p.begin(&printer)) return PrintResult::NoPrinter;
  const int dpi = printer.resolution();
  const double page_width = printer.pageRect(QPrinter::DevicePixel).width();
  const std::size_t widest = widest_line(store);
  QFont printer_font(font, &printer);
  if (long_lines == LongLines::Scale) printer_font = scaled_to_fit(printer_font, printer, widest, page_width);
  QFontMetricsF fm(printer_font, &printer);
  // Lines that fit print from the left edge; wrapped ones leave two cells
  // on the left for the marks.
  const double cell = cell_width(printer_font, printer);
  double margin = 0;
  std::size_t cells = std::max<std::size_t>(widest, 1);
  if (long_lines == LongLines::Wrap && widest * cell > page_width) {
    margin = 2 * cell;
    cells = static_cast<std::size_t>(std::max(1.0, std::floor((page_width - margin) / cell)));
  }
  const std::vector<PrintRow> rows = wrap_rows([&store](std::size_t i) { return store.line(i); },
                                               store.line_count(), cells);
  const int line_height = std::max(1, static_cast<int>(std::lround((fm.height() + fm.leading()) * 100.0 / dpi)));
  const int page_height = to_hundredths(printer.pageRect(QPrinter::DevicePixel).height(), dpi);
  const std::size_t per_page = lines_per_page(page_height, line_height);

  int from = 0, to = 0;
  if (printer.printRange() == QPrinter::PageRange) {
    from = printer.fromPage();
    to = printer.toPage();
  }
  const PrintLines lines = lines_to_print(rows.size(), per_page, from, to);
  const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());

  p.setFont(printer_font);
  p.setPen(color);
  bool first_page = true;
  auto print_page = [&](std::size_t page_first) {
    if (!first_page) printer.newPage();
    first_page = false;
    std::size_t page_end = std::min(page_first + per_page, lines.end);
    for (std::size_t i = page_first; i < page_end; ++i) {
      double y = to_pixels(static_cast<int>(i - page_first) * line_height, dpi) + fm.ascent();
      const PrintRow& row = rows[i];
      if (row.continued) p.drawText(QPointF(0, y), kContinued);
      p.drawText(QPointF(margin, y), shown_text(store.line(row.line).substr(row.from, row.to - row.from)));
      if (after_line && after_line()) return false;
    }
    return true;
  };
  auto abandon = [&] {
    printer.abort();
    p.end();
    return PrintResult::Cancelled;
  };

  if (printer.collateCopies() || copies == 1) {
    for (int c = 0; c < copies; ++c)
      for (std::size_t page = lines.first; page < lines.end; page += per_page)
        if (!print_page(page)) return abandon();
  } else {
    for (std::size_t page = lines.first; page < lines.end; page += per_page)
      for (int c = 0; c < copies; ++c)
        if (!print_page(page)) return abandon();
  }
  p.end();
  return PrintResult::Printed;
}

void propose_pdf_file(QPrinter& printer, const QString& name) {
  if (!printer.outputFileName().isEmpty()) return;
  const bool native = printer.outputFormat() == QPrinter::NativeFormat;
  printer.setOutputFileName(QDir::current().absoluteFilePath(name));
  // The name alone switches the printer to PDF; the dialog sets or clears
  // the name as chosen.
  if (native) printer.setOutputFormat(QPrinter::NativeFormat);
}

}  // namespace arb::win
