// SPDX-License-Identifier: GPL-3.0-or-later
// The frame of the window environment: the menu bar, the multiple-document
// area holding the text windows, and the commands of the menus.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QKeySequence>
#include <QRect>
#include <memory>
#include <optional>

#include "dialogs.h"
#include "status_line.h"
#include "text_window.h"

class QAction;
class QMdiArea;
class QMenu;
class QPrinter;

namespace arb::win {

// What a Save or Save As came to.
enum class SaveOutcome { Written, Cancelled, Failed };

class FrameWindow : public QMainWindow {
  Q_OBJECT

 public:
  FrameWindow(const QString& title, Dialogs& dialogs);
  ~FrameWindow() override;

  // A new text window inside the frame; without a geometry it fills the
  // frame (maximised).
  TextWindow* open_text_window(const QString& title, const std::optional<QRect>& geometry);
  // A further child window (the results): placed wholly inside the visible
  // area at a useful size, shown and made active.
  void add_window(QMdiSubWindow* child);
  // The window the menu items act on.
  TextWindow* active_text_window() const;

  // Set once every window is closed by Exit or the frame's close box.
  bool exit_done() const { return exit_done_; }

  // The commands, as the menus run them.
  SaveOutcome save(TextWindow& w);
  SaveOutcome save_as(TextWindow& w);
  // Save Answers: every answer the run has read from the console, to a file
  // that repeats the run when typed into the program again.
  void save_answers();
  void print(TextWindow& w);
  void about();
  void cut(TextWindow& w);
  void copy(TextWindow& w);
  void paste(TextWindow& w);
  void delete_selection(TextWindow& w);
  void select_all(TextWindow& w);
  void choose_font(TextWindow& w);
  void choose_color(TextWindow& w);
  // Exit: closes every window with its save question; false when the user
  // cancelled one.
  bool exit();

  // The actions, for the tests and for the item states.
  QAction* save_action() const { return save_; }
  QAction* save_as_action() const { return save_as_; }
  QAction* save_answers_action() const { return save_answers_; }
  QAction* cut_action() const { return cut_; }
  QAction* copy_action() const { return copy_; }
  QAction* paste_action() const { return paste_; }
  QAction* delete_action() const { return delete_; }
  QAction* select_all_action() const { return select_all_; }
  QAction* undo_action() const { return undo_; }
  QAction* exit_action() const { return exit_; }
  QMdiArea& mdi() const { return *mdi_; }
  Dialogs& dialogs() const { return dialogs_; }
  StatusLine& status_line() const { return *status_; }

  // Every item state, from the active window's flags.
  void update_actions();

  // A further item of the File menu, in a group of its own after the Save
  // items.
  QAction* add_file_item(const QString& text);
  // A further menu of the menu bar, placed before the Window menu.
  QMenu* add_menu_before_window(const QString& title);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void create_actions();
  void create_menus();
  void update_window_menu();
  void cascade();
  void tile(Qt::Orientation stacking);
  void show_prompts();
  void arrange_icons();
  bool ask_to_save(TextWindow& w);
  QString ask_file_name(const TextWindow& w);
  bool write_file(TextWindow& w, const QString& path);
  QRect free_place(int index, QSize size) const;
  template <class Slot>
  QAction* action(const QString& text, const QList<QKeySequence>& keys, Slot slot);
  template <class Command>
  QAction* command(const QString& text, const QList<QKeySequence>& keys, Command run);

  Dialogs& dialogs_;
  QMdiArea* mdi_;
  StatusLine* status_;
  std::unique_ptr<QPrinter> printer_;
  QString last_folder_;
  LongLines long_lines_ = LongLines::Wrap;
  bool exit_done_ = false;

  QAction *save_, *save_as_, *save_answers_, *print_, *about_, *exit_;
  QAction *undo_, *cut_, *copy_, *paste_, *delete_, *select_all_;
  QAction *font_, *color_;
  QAction *cascade_, *tile_h_, *tile_v_, *arrange_;
  QMenu* file_menu_ = nullptr;
  QAction* save_group_end_ = nullptr;  // the separator after the Save items
  QMenu* window_menu_ = nullptr;
};

}  // namespace arb::win
