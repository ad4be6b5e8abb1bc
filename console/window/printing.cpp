#include "printing.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <cmath>

#include "print_layout.h"

namespace arb::win {

namespace {

// The printer's pixels to 1/100 inch and back.
int to_hundredths(double pixels, int dpi) { return static_cast<int>(std::floor(pixels * 100.0 / dpi)); }
double to_pixels(int hundredths, int dpi) { return hundredths * dpi / 100.0; }

}  // namespace

PrintResult print_text(QPrinter& printer, const TextStore& store, const QFont& font, const QColor& color,
                       const std::function<bool()>& after_line) {
  QPainter p;
  if (!p.begin(&printer)) return PrintResult::NoPrinter;
  const int dpi = printer.resolution();
  QFont printer_font(font, &printer);
  QFontMetricsF fm(printer_font, &printer);
  const int line_height = std::max(1, static_cast<int>(std::lround((fm.height() + fm.leading()) * 100.0 / dpi)));
  const int page_height = to_hundredths(printer.pageRect(QPrinter::DevicePixel).height(), dpi);
  const std::size_t per_page = lines_per_page(page_height, line_height);

  int from = 0, to = 0;
  if (printer.printRange() == QPrinter::PageRange) {
    from = printer.fromPage();
    to = printer.toPage();
  }
  const PrintLines lines = lines_to_print(store.line_count(), per_page, from, to);
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
      p.drawText(QPointF(0, y), QString::fromLatin1(store.line(i).data(), static_cast<qsizetype>(store.line(i).size())));
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

}  // namespace arb::win
