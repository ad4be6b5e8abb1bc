// SPDX-License-Identifier: GPL-3.0-or-later
#include "text_view.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QApplication>
#include <QDateTime>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>

#include "utf8_text.h"

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
  // The desktop's fixed font as it stands: fontconfig leaves some monospaced
  // fonts (Noto Sans Mono) unmarked as fixed pitch, and asking for the mark
  // would pass them over.
  QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
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
  // A waiting read keeps its prompt in view through font and size changes.
  if (text_.waiting()) text_.show_caret();
}

void TextView::write(std::string_view text) {
  const bool was_modified = text_.modified(), had_selection = text_.has_selection();
  text_.write(text);
  changed();
  // Written text sets the modified flag and removes a selection, as typing does.
  if (was_modified != text_.modified() || had_selection != text_.has_selection()) emit stateChanged();
}

void TextView::type(std::string_view text) {
  if (finished_) return;
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

void TextView::show_prompt() {
  if (!text_.waiting()) return;
  text_.show_caret();
  sync_now();
}

void TextView::finish() {
  finished_ = true;
  viewport()->update();
  emit stateChanged();
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
  int cell = col;
  for (std::size_t at = 0; at < chars.size(); ++cell) {
    std::size_t length = char_length(chars, at);
    if (chars[at] != ' ') p.drawText(cell * cell_w_, y, shown_text(chars.substr(at, length)));
    at += length;
  }
}

// White on blue; a selection running on to the next line marks the line
// end with one cell.
void TextView::paint_selection(QPainter& p) {
  const Selection& s = text_.selection();
  const TextStore& store = text_.store();
  const std::size_t first = text_.first_line(), rows = text_.rows() + 1;
  const int first_col = static_cast<int>(text_.first_col());
  for (std::size_t i = std::max(s.from.line, first); i <= s.to.line && i < first + rows && i < store.line_count(); ++i) {
    std::string_view line = store.line(i);
    std::size_t from = i == s.from.line ? std::min(s.from.col, line.size()) : 0;
    std::size_t to = i == s.to.line ? std::min(s.to.col, line.size()) : line.size();
    int col = static_cast<int>(cell_of(line, from)) - first_col;
    int width = static_cast<int>(cell_of(line, to) - cell_of(line, from)) + (i < s.to.line ? 1 : 0);
    int row = static_cast<int>(i - first);
    p.fillRect(col * cell_w_, row * cell_h_, width * cell_w_, cell_h_, Qt::blue);
    paint_cells(p, row, col, line.substr(from, to - from), Qt::white);
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

  if (text_.has_selection()) paint_selection(p);

  // The block caret, with the character under it in white; none once the
  // run has ended.
  std::size_t caret_line = text_.caret_line();
  if (!finished_ && caret_line >= first && caret_line < first + rows) {
    int row = static_cast<int>(caret_line - first);
    std::string_view line = caret_line < store.line_count() ? store.line(caret_line) : std::string_view();
    int col = static_cast<int>(cell_of(line, text_.caret_col())) - first_col;
    p.fillRect(col * cell_w_, row * cell_h_, cell_w_, cell_h_, color_);
    if (text_.caret_col() < line.size())
      paint_cells(p, row, col, line.substr(text_.caret_col(), char_length(line, text_.caret_col())), Qt::white);
  }
}

// Shift with a movement key selects, from the caret or the selection's
// active end.
bool TextView::shift_key(QKeyEvent* event) {
  if (!(event->modifiers() & Qt::ShiftModifier)) return false;
  Key k;
  switch (event->key()) {
    case Qt::Key_Left: k = Key::Left; break;
    case Qt::Key_Right: k = Key::Right; break;
    case Qt::Key_Up: k = Key::Up; break;
    case Qt::Key_Down: k = Key::Down; break;
    case Qt::Key_PageUp: k = Key::PageUp; break;
    case Qt::Key_PageDown: k = Key::PageDown; break;
    case Qt::Key_Home: k = Key::Home; break;
    case Qt::Key_End: k = Key::End; break;
    default: return false;
  }
  text_.extend_selection(k);
  selection_changed();
  return true;
}

void TextView::selection_changed() {
  sync_now();
  QClipboard* clipboard = QApplication::clipboard();
  if (text_.has_selection() && clipboard->supportsSelection())
    clipboard->setText(shown_text(text_.selected_text()), QClipboard::Selection);
  emit stateChanged();
}

// The Menu key and Shift+F10 open the context menu at the caret.
bool TextView::menu_key(QKeyEvent* event) {
  const bool shift_f10 = event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier;
  if (event->key() != Qt::Key_Menu && !shift_f10) return false;
  show_context_menu(caret_point());
  return true;
}

QPoint TextView::caret_point() const {
  const std::size_t line = text_.caret_line();
  if (line < text_.first_line() || line >= text_.first_line() + text_.rows()) return viewport()->rect().center();
  std::string_view chars = line < text_.store().line_count() ? text_.store().line(line) : std::string_view();
  const long long cell = static_cast<long long>(cell_of(chars, text_.caret_col())) -
                         static_cast<long long>(text_.first_col());
  return {static_cast<int>(std::max(cell, 0LL)) * cell_w_, static_cast<int>(line - text_.first_line() + 1) * cell_h_};
}

void TextView::show_context_menu(QPoint at) {
  QMenu menu(this);
  menu.addActions(actions());
  menu.exec(viewport()->mapToGlobal(at));
}

void TextView::contextMenuEvent(QContextMenuEvent* event) {
  show_context_menu(event->reason() == QContextMenuEvent::Mouse ? event->pos() : caret_point());
}

// Typing, Tab, Backspace and Delete replace a selection that lies in the
// answer being typed; Backspace and Delete then delete nothing more.
bool TextView::edit_key(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Backspace:
      if (!text_.replace_selection()) text_.put(ConsoleText::kBackspace);
      return true;
    case Qt::Key_Delete:
      if (!text_.replace_selection()) text_.key(Key::Delete);
      return true;
    case Qt::Key_Tab:
      text_.replace_selection();
      text_.put(ConsoleText::kTab);
      return true;
    default: break;
  }
  if (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return false;
  // The store holds bytes: a character goes in as its UTF-8 bytes.
  QString shown;
  for (QChar c : event->text())
    if (c.unicode() >= 0x20 && c.unicode() != 0x7F) shown += c;
  if (shown.isEmpty()) return false;
  text_.replace_selection();
  for (char byte : typed_bytes(shown)) text_.put(byte);
  return true;
}

void TextView::keyPressEvent(QKeyEvent* event) {
  if (menu_key(event) || shift_key(event)) return;
  const bool scroll_key = event->key() == Qt::Key_Up || event->key() == Qt::Key_Down ||
                          event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown ||
                          event->key() == Qt::Key_Home || event->key() == Qt::Key_End;
  if (finished_ && !scroll_key) {
    event->ignore();
    return;
  }
  const bool had_selection = text_.has_selection();
  switch (event->key()) {
    case Qt::Key_Left: text_.key(Key::Left); break;
    case Qt::Key_Right: text_.key(Key::Right); break;
    case Qt::Key_Up: text_.key(Key::Up); break;
    case Qt::Key_Down: text_.key(Key::Down); break;
    case Qt::Key_PageUp: text_.key(Key::PageUp); break;
    case Qt::Key_PageDown: text_.key(Key::PageDown); break;
    case Qt::Key_Home: text_.key(Key::Home); break;
    case Qt::Key_End: text_.key(Key::End); break;
    case Qt::Key_Insert: text_.key(Key::Insert); break;
    case Qt::Key_Return:
    case Qt::Key_Enter: text_.put(ConsoleText::kReturn); break;
    default:
      if (!edit_key(event)) {
        event->ignore();
        return;
      }
  }
  const bool typed = !scroll_key && event->key() != Qt::Key_Left && event->key() != Qt::Key_Right;
  sync_now();
  if (typed || had_selection != text_.has_selection()) emit stateChanged();
}

TextPos TextView::pos_at(QPoint at) const {
  return text_.pos_at(static_cast<std::size_t>(std::max(at.y(), 0) / cell_h_),
                      static_cast<std::size_t>(std::max(at.x(), 0) / cell_w_));
}

void TextView::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  const QPoint at = event->position().toPoint();
  if (event->button() == Qt::MiddleButton && !finished_) {
    // The X11 way of pasting: the primary selection, typed.
    const QString text = QApplication::clipboard()->text(QClipboard::Selection).left(kPasteLimit);
    if (!text.isEmpty()) type(typed_bytes(text));
    return;
  }
  if (event->button() != Qt::LeftButton) {
    QAbstractScrollArea::mousePressEvent(event);  // the right button keeps the selection for its menu
    return;
  }
  if (double_click_ms_ >= 0 &&
      QDateTime::currentMSecsSinceEpoch() - double_click_ms_ <= QApplication::doubleClickInterval() &&
      (at - double_click_at_).manhattanLength() <= QApplication::startDragDistance()) {
    double_click_ms_ = -1;
    text_.select_line_at(static_cast<std::size_t>(std::max(at.y(), 0) / cell_h_));
    selection_changed();
    return;
  }
  dragging_ = true;
  drag_anchor_ = pos_at(at);
  const bool had_selection = text_.has_selection();
  text_.place_anchor(drag_anchor_);
  if (had_selection) selection_changed();
}

void TextView::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_ || !(event->buttons() & Qt::LeftButton)) return;
  const QPoint at = event->position().toPoint();
  // Dragged above or below the text: the view follows a line at a time.
  const auto top = static_cast<long long>(text_.first_line());
  if (at.y() < 0) text_.scroll_to_line(top - 1);
  if (at.y() >= viewport()->height()) text_.scroll_to_line(top + 1);
  text_.select(drag_anchor_, pos_at(at));
  selection_changed();
}

void TextView::mouseDoubleClickEvent(QMouseEvent* event) {
  QPoint at = event->position().toPoint();
  dragging_ = false;
  double_click_ms_ = QDateTime::currentMSecsSinceEpoch();
  double_click_at_ = at;
  if (at.x() < 0 || at.y() < 0) return;
  text_.select_word_at(static_cast<std::size_t>(at.y() / cell_h_), static_cast<std::size_t>(at.x() / cell_w_));
  selection_changed();
}

void TextView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  measure();
  sync_now();
}

bool TextView::focusNextPrevChild(bool) { return false; }  // Tab is a character here

}  // namespace arb::win
