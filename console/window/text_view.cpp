#include "text_view.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace arb::win {

namespace {

// At most one repaint per frame while records pour in.
constexpr int kRepaintMs = 15;

}  // namespace

TextView::TextView(QWidget* parent) : QAbstractScrollArea(parent) {
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setAutoFillBackground(false);
  repaint_timer_.setSingleShot(true);
  repaint_timer_.setInterval(kRepaintMs);
  connect(&repaint_timer_, &QTimer::timeout, this, &TextView::sync_now);
  QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  fixed.setFixedPitch(true);
  fixed.setStyleHint(QFont::TypeWriter);
  set_text_font(fixed);
}

void TextView::set_text_font(const QFont& font) {
  font_ = font;
  measure();
  sync_now();
}

void TextView::set_text_color(const QColor& color) {
  color_ = color;
  viewport()->update();
}

void TextView::measure() {
  QFontMetrics fm(font_);
  cell_h_ = std::max(1, fm.height());
  cell_w_ = std::max(1, fm.averageCharWidth());
  ascent_ = fm.ascent();
  text_.set_view_size(static_cast<std::size_t>(viewport()->height() / cell_h_),
                      static_cast<std::size_t>(viewport()->width() / cell_w_));
}

void TextView::write(std::string_view text) {
  const bool was_modified = text_.modified(), had_selection = text_.has_selection();
  text_.write(text);
  changed();
  // Written text sets the modified flag and removes a selection, as typing does.
  if (was_modified != text_.modified() || had_selection != text_.has_selection()) emit stateChanged();
}

void TextView::type(std::string_view text) {
  text_.type(text);
  changed();
  emit stateChanged();
}

void TextView::changed() {
  if (!repaint_timer_.isActive()) repaint_timer_.start();
}

void TextView::sync_now() {
  repaint_timer_.stop();
  sync_scroll_bars();
  viewport()->update();
}

void TextView::sync_scroll_bars() {
  syncing_ = true;
  verticalScrollBar()->setRange(0, static_cast<int>(text_.max_first_line()));
  verticalScrollBar()->setPageStep(static_cast<int>(std::max<std::size_t>(text_.rows(), 1)));
  verticalScrollBar()->setValue(static_cast<int>(text_.first_line()));
  horizontalScrollBar()->setRange(0, static_cast<int>(text_.max_first_col()));
  horizontalScrollBar()->setPageStep(8);
  horizontalScrollBar()->setValue(static_cast<int>(text_.first_col()));
  syncing_ = false;
}

void TextView::scrollContentsBy(int, int) {
  if (syncing_) return;
  text_.scroll_to_line(verticalScrollBar()->value());
  text_.scroll_to_col(horizontalScrollBar()->value());
  viewport()->update();
}

void TextView::paint_cells(QPainter& p, int row, int col, std::string_view chars, const QColor& fg) {
  p.setPen(fg);
  int y = row * cell_h_ + ascent_;
  for (std::size_t i = 0; i < chars.size(); ++i) {
    if (chars[i] == ' ') continue;
    p.drawText((col + static_cast<int>(i)) * cell_w_, y, QString(QChar::fromLatin1(chars[i])));
  }
}

void TextView::paintEvent(QPaintEvent*) {
  QPainter p(viewport());
  p.fillRect(viewport()->rect(), Qt::white);
  p.setFont(font_);
  const TextStore& store = text_.store();
  const int first_col = static_cast<int>(text_.first_col());
  const std::size_t first = text_.first_line();
  const std::size_t rows = text_.rows() + 1;  // the partly visible row too
  for (std::size_t r = 0; r < rows && first + r < store.line_count(); ++r)
    paint_cells(p, static_cast<int>(r), -first_col, store.line(first + r), color_);

  if (text_.has_selection()) {
    const Selection& s = text_.selection();
    if (s.line >= first && s.line < first + rows) {
      int row = static_cast<int>(s.line - first);
      int col = static_cast<int>(s.first) - first_col;
      int width = static_cast<int>(s.last - s.first + 1);
      p.fillRect(col * cell_w_, row * cell_h_, width * cell_w_, cell_h_, Qt::blue);
      paint_cells(p, row, col, text_.selected_text(), Qt::white);
    }
  }

  // The block caret, with the character under it in white.
  std::size_t caret_line = text_.caret_line();
  if (caret_line >= first && caret_line < first + rows) {
    int row = static_cast<int>(caret_line - first);
    int col = static_cast<int>(text_.caret_col()) - first_col;
    p.fillRect(col * cell_w_, row * cell_h_, cell_w_, cell_h_, color_);
    std::string_view line = store.line(caret_line);
    if (caret_line < store.line_count() && text_.caret_col() < line.size())
      paint_cells(p, row, col, line.substr(text_.caret_col(), 1), Qt::white);
  }
}

void TextView::keyPressEvent(QKeyEvent* event) {
  bool typed = false;
  switch (event->key()) {
    case Qt::Key_Left: text_.key(Key::Left); break;
    case Qt::Key_Right: text_.key(Key::Right); break;
    case Qt::Key_Up: text_.key(Key::Up); break;
    case Qt::Key_Down: text_.key(Key::Down); break;
    case Qt::Key_PageUp: text_.key(Key::PageUp); break;
    case Qt::Key_PageDown: text_.key(Key::PageDown); break;
    case Qt::Key_Home: text_.key(Key::Home); break;
    case Qt::Key_End: text_.key(Key::End); break;
    case Qt::Key_Insert: text_.key(Key::Insert); typed = true; break;
    case Qt::Key_Delete: text_.key(Key::Delete); typed = true; break;
    case Qt::Key_Return:
    case Qt::Key_Enter: text_.put(ConsoleText::kReturn); typed = true; break;
    case Qt::Key_Backspace: text_.put(ConsoleText::kBackspace); typed = true; break;
    case Qt::Key_Tab: text_.put(ConsoleText::kTab); typed = true; break;
    default: {
      if (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) {
        event->ignore();
        return;
      }
      // The store holds bytes: Latin-1 characters only.
      for (QChar c : event->text()) {
        char16_t u = c.unicode();
        if (u >= 0x20 && u < 0x100 && u != 0x7F) {
          text_.put(static_cast<char>(u));
          typed = true;
        }
      }
      if (!typed) {
        event->ignore();
        return;
      }
    }
  }
  sync_now();
  if (typed) emit stateChanged();
}

void TextView::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  if (text_.has_selection()) {
    text_.clear_selection();
    viewport()->update();
    emit stateChanged();
  }
  QAbstractScrollArea::mousePressEvent(event);
}

void TextView::mouseDoubleClickEvent(QMouseEvent* event) {
  QPoint at = event->position().toPoint();
  if (at.x() < 0 || at.y() < 0) return;
  text_.select_word_at(static_cast<std::size_t>(at.y() / cell_h_), static_cast<std::size_t>(at.x() / cell_w_));
  viewport()->update();
  emit stateChanged();
}

void TextView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  measure();
  sync_now();
}

bool TextView::focusNextPrevChild(bool) { return false; }  // Tab is a character here

}  // namespace arb::win
