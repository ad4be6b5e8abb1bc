// SPDX-License-Identifier: GPL-3.0-or-later
// The client area of a console text window: paints a ConsoleText in a
// fixed-pitch font, feeds it keys and clicks, and mirrors its scroll
// positions in the scroll bars.
#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <QFont>
#include <QTimer>
#include <string_view>

#include "console_text.h"

namespace arb::win {

class TextView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  // The most text a paste types.
  static constexpr int kPasteLimit = 1024;

  explicit TextView(QWidget* parent = nullptr);

  ConsoleText& text() { return text_; }
  const ConsoleText& text() const { return text_; }

  void set_text_font(const QFont& font);
  const QFont& text_font() const { return font_; }
  void set_text_color(const QColor& color);
  const QColor& text_color() const { return color_; }
  int cell_width() const { return cell_w_; }
  int cell_height() const { return cell_h_; }

  // Written text (the program's records) and typed text (Paste).
  void write(std::string_view text);
  void type(std::string_view text);
  // Redraws soon: many records in a row give one repaint.
  void changed();
  // Redraws now (before a screenshot).
  void sync_now();
  // While a read waits: scrolls the caret into view (after the windows
  // were arranged).
  void show_prompt();
  // The run has ended: typing is refused and the caret hidden; scrolling,
  // selecting and copying go on.
  void finish();
  bool accepts_typing() const { return !finished_; }
  // The selection was changed from outside (Select All): redraws, tells the
  // frame and offers the text as the primary selection.
  void selection_changed();
  // The text's context menu (the actions added to the view) at a point of
  // the viewport.
  void show_context_menu(QPoint at);

 signals:
  // The selection or the modified flag may have changed.
  void stateChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  bool focusNextPrevChild(bool next) override;

 private:
  void measure();
  void sync_scroll_bars();
  void paint_cells(QPainter& p, int row, int col, std::string_view chars, const QColor& fg);
  void paint_selection(QPainter& p);
  // The row and cell of the view under a point (clamped to the view).
  TextPos pos_at(QPoint at) const;
  bool shift_key(QKeyEvent* event);
  bool menu_key(QKeyEvent* event);
  QPoint caret_point() const;
  // A key that types or deletes: what a selection in the answer becomes.
  bool edit_key(QKeyEvent* event);

  ConsoleText text_;
  QFont font_;
  QColor color_ = Qt::black;
  int cell_w_ = 8, cell_h_ = 16, ascent_ = 12;
  QTimer repaint_timer_;
  bool syncing_ = false;
  bool finished_ = false;
  // A press and drag selects from where the press was.
  bool dragging_ = false;
  TextPos drag_anchor_;
  // A press soon after a double click at the same place selects the line.
  qint64 double_click_ms_ = -1;
  QPoint double_click_at_;
};

}  // namespace arb::win
