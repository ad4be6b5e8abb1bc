// SPDX-License-Identifier: GPL-3.0-or-later
#include "frame_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QVBoxLayout>
#include <cstring>

#include "console_host.h"
#include "printing.h"
#include "transcript_file.h"
#include "utf8_text.h"

namespace arb::win {

namespace {

const QString kUntitledTitle = QStringLiteral("Input/Output");
constexpr int kQuestionLength = 50;
constexpr int kMaxFileName = 260;
// A child window is never made smaller than this part of the frame's area.
constexpr double kLeastShare = 0.6;

// The small box shown while a job prints.
class PrintingBox : public QDialog {
 public:
  explicit PrintingBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(kCaption);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(FrameWindow::tr("Printing...")));
    auto* cancel = new QPushButton(FrameWindow::tr("Cancel"));
    layout->addWidget(cancel);
    connect(cancel, &QPushButton::clicked, this, [this] { cancelled = true; });
  }
  bool cancelled = false;
};

}  // namespace

FrameWindow::FrameWindow(const QString& title, Dialogs& dialogs)
    : dialogs_(dialogs), mdi_(new QMdiArea), status_(new StatusLine) {
  setWindowTitle(title);
  setCentralWidget(mdi_);
  // A maximised console stays so while a result window comes to the front.
  mdi_->setOption(QMdiArea::DontMaximizeSubWindowOnActivation);
  statusBar()->addPermanentWidget(status_, 1);
  create_actions();
  create_menus();
  connect(mdi_, &QMdiArea::subWindowActivated, this, &FrameWindow::update_actions);
  update_actions();
}

// The windows go first, while the frame is still whole: closing them emits
// signals that reach it.
FrameWindow::~FrameWindow() {
  mdi_->disconnect(this);
  for (QMdiSubWindow* sub : mdi_->subWindowList()) sub->disconnect(this);
  delete mdi_;
}

template <class Slot>
QAction* FrameWindow::action(const QString& text, const QList<QKeySequence>& keys, Slot slot) {
  auto* a = new QAction(text, this);
  a->setShortcuts(keys);
  connect(a, &QAction::triggered, this, slot);
  return a;
}

template <class Command>
QAction* FrameWindow::command(const QString& text, const QList<QKeySequence>& keys, Command run) {
  return action(text, keys, [this, run] {
    if (TextWindow* w = active_text_window()) run(*w);
  });
}

// The desktop's standard keys where it has them.
void FrameWindow::create_actions() {
  using K = QKeySequence;
  const auto keys = [](K::StandardKey key) { return K::keyBindings(key); };
  save_ = command(tr("&Save"), keys(K::Save), [this](TextWindow& w) { save(w); });
  save_as_ = command(tr("Sa&ve As..."), keys(K::SaveAs), [this](TextWindow& w) { save_as(w); });
  save_answers_ = action(tr("Save A&nswers..."), {}, &FrameWindow::save_answers);
  print_ = command(tr("&Print..."), keys(K::Print), [this](TextWindow& w) { print(w); });
  about_ = action(tr("&About..."), {}, &FrameWindow::about);
  exit_ = action(tr("E&xit"), keys(K::Quit), &FrameWindow::close);

  undo_ = action(tr("&Undo"), keys(K::Undo), [] {});  // listed, greyed: nothing typed can be undone
  undo_->setEnabled(false);
  cut_ = command(tr("Cu&t"), keys(K::Cut), [this](TextWindow& w) { cut(w); });
  copy_ = command(tr("&Copy"), keys(K::Copy), [this](TextWindow& w) { copy(w); });
  paste_ = command(tr("&Paste"), keys(K::Paste), [this](TextWindow& w) { paste(w); });
  delete_ = command(tr("De&lete"), {}, [this](TextWindow& w) { delete_selection(w); });
  select_all_ = command(tr("Select &All"), keys(K::SelectAll), [this](TextWindow& w) { select_all(w); });

  font_ = command(tr("&Font..."), {}, [this](TextWindow& w) { choose_font(w); });
  color_ = command(tr("&Color"), {}, [this](TextWindow& w) { choose_color(w); });

  cascade_ = action(tr("&Cascade"), {K(Qt::SHIFT | Qt::Key_F5)}, &FrameWindow::cascade);
  tile_h_ = action(tr("Tile &Horizontally"), {}, [this] { tile(Qt::Vertical); });
  tile_v_ = action(tr("Tile &Vertically"), {}, [this] { tile(Qt::Horizontal); });
  arrange_ = action(tr("&Arrange Icons"), {}, &FrameWindow::arrange_icons);
}

void FrameWindow::create_menus() {
  QMenu* file = file_menu_ = menuBar()->addMenu(tr("&File"));
  file->addAction(save_);
  file->addAction(save_as_);
  file->addAction(save_answers_);
  save_group_end_ = file->addSeparator();
  file->addAction(print_);
  file->addSeparator();
  file->addAction(about_);
  file->addSeparator();
  file->addAction(exit_);

  QMenu* edit = menuBar()->addMenu(tr("&Edit"));
  edit->addAction(undo_);
  edit->addSeparator();
  edit->addAction(cut_);
  edit->addAction(copy_);
  edit->addAction(paste_);
  edit->addAction(delete_);
  edit->addSeparator();
  edit->addAction(select_all_);

  QMenu* format = menuBar()->addMenu(tr("F&ormat"));
  format->addAction(font_);
  format->addAction(color_);

  window_menu_ = menuBar()->addMenu(tr("&Window"));
  connect(window_menu_, &QMenu::aboutToShow, this, &FrameWindow::update_window_menu);
  update_window_menu();
}

QAction* FrameWindow::add_file_item(const QString& text) {
  auto* item = new QAction(text, this);
  file_menu_->insertAction(save_group_end_, item);
  file_menu_->insertSeparator(item);
  return item;
}

QMenu* FrameWindow::add_menu_before_window(const QString& title) {
  auto* menu = new QMenu(title, this);
  menuBar()->insertMenu(window_menu_->menuAction(), menu);
  return menu;
}

// The arrangement items, then one checkable item per open window.
void FrameWindow::update_window_menu() {
  window_menu_->clear();
  window_menu_->addAction(cascade_);
  window_menu_->addAction(tile_h_);
  window_menu_->addAction(tile_v_);
  window_menu_->addAction(arrange_);
  const QList<QMdiSubWindow*> windows = mdi_->subWindowList();
  if (!windows.isEmpty()) window_menu_->addSeparator();
  int number = 0;
  for (QMdiSubWindow* sub : windows) {
    QString label = number < 9 ? QStringLiteral("&%1 %2").arg(number + 1).arg(sub->windowTitle())
                               : QStringLiteral("%1 %2").arg(number + 1).arg(sub->windowTitle());
    ++number;
    QAction* item = window_menu_->addAction(label);
    item->setCheckable(true);
    item->setChecked(sub == mdi_->activeSubWindow());
    connect(item, &QAction::triggered, this, [this, sub] { mdi_->setActiveSubWindow(sub); });
  }
}

void FrameWindow::update_actions() {
  TextWindow* w = active_text_window();
  bool has_window = w != nullptr;
  bool selection = has_window && w->text().has_selection();
  // Cut and Delete remove text from one line of a run still going; Copy
  // takes any selection.
  bool editable = has_window && w->view().accepts_typing();
  bool removable = editable && w->text().selection_on_one_line();
  save_->setEnabled(has_window && w->text().modified());
  save_as_->setEnabled(has_window);
  print_->setEnabled(has_window);
  cut_->setEnabled(removable);
  copy_->setEnabled(selection);
  delete_->setEnabled(removable);
  paste_->setEnabled(!has_window || editable);
  select_all_->setEnabled(has_window);
  font_->setEnabled(has_window);
  color_->setEnabled(has_window);
}

TextWindow* FrameWindow::open_text_window(const QString& title, const std::optional<QRect>& geometry) {
  auto* w = new TextWindow(title);
  w->may_close = [this](TextWindow& closing) { return ask_to_save(closing); };
  mdi_->addSubWindow(w);
  if (geometry) w->setGeometry(*geometry);
  connect(&w->view(), &TextView::stateChanged, this, &FrameWindow::update_actions);
  w->view().addActions({cut_, copy_, paste_, delete_, select_all_});  // its context menu
  connect(w, &TextWindow::windowClosed, this, [this](TextWindow* closed) {
    mdi_->removeSubWindow(closed);
    closed->deleteLater();
    update_actions();
  });
  if (geometry) w->show();
  else w->showMaximized();
  w->view().setFocus();
  mdi_->setActiveSubWindow(w);
  update_actions();
  return w;
}

// The index-th place of a cascade from the top left corner, one title bar
// apart, starting over at the corner where a window would leave the area.
QRect FrameWindow::free_place(int index, QSize size) const {
  const QRect area = mdi_->viewport()->rect();
  const int step = style()->pixelMetric(QStyle::PM_TitleBarHeight) + 4;
  size = size.boundedTo(area.size());
  const int room = std::min(area.width() - size.width(), area.height() - size.height());
  const int places = std::max(1, room / step + 1);
  const int offset = (index % places) * step;
  return {area.topLeft() + QPoint(offset, offset), size};
}

void FrameWindow::add_window(QMdiSubWindow* child) {
  const int index = static_cast<int>(mdi_->subWindowList().size());
  mdi_->addSubWindow(child);
  const QSize area = mdi_->viewport()->size();
  child->setGeometry(free_place(index, (QSizeF(area) * 0.8).toSize()));
  child->show();
  mdi_->setActiveSubWindow(child);
}

TextWindow* FrameWindow::active_text_window() const {
  if (auto* w = qobject_cast<TextWindow*>(mdi_->activeSubWindow()); w && !w->is_closed()) return w;
  // Without window activation (no window manager) the first open window.
  for (QMdiSubWindow* sub : mdi_->subWindowList())
    if (auto* w = qobject_cast<TextWindow*>(sub); w && !w->is_closed()) return w;
  return nullptr;
}

QString FrameWindow::ask_file_name(const TextWindow& w) {
  SaveRequest request;
  request.proposed = w.windowTitle() == kUntitledTitle ? QStringLiteral("Untitled") : w.windowTitle();
  request.title = request.proposed;
  request.folder = last_folder_.isEmpty() ? QDir::currentPath() : last_folder_;
  QString name = dialogs_.save_file_name(this, request);
  if (!name.isEmpty()) last_folder_ = QFileInfo(name).absolutePath();
  return name.left(kMaxFileName);
}

// A write that fails leaves the window as it was, modified, so that its
// text is still offered for saving (Save enabled, the question at Exit).
// The message names the file and the system's reason below its first line.
bool FrameWindow::write_file(TextWindow& w, const QString& path) {
  const TranscriptWrite written = write_transcript(w.text().store(), QFile::encodeName(path).toStdString());
  if (written.result != SaveResult::Written) {
    const QString headline = written.result == SaveResult::CannotCreate ? QStringLiteral("Cannot create file")
                                                                         : QStringLiteral("I/O error while writing file");
    dialogs_.warning(this, kCaption,
                     headline + QStringLiteral("\n") +
                         path + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(written.error)));
    return false;
  }
  w.text().set_modified(false);
  update_actions();
  return true;
}

// Writes only to the file the title names: after a Save As the window's
// file name is dropped, so the dialog comes again, proposing the title.
SaveOutcome FrameWindow::save(TextWindow& w) {
  if (w.has_file_name) return write_file(w, w.file_name) ? SaveOutcome::Written : SaveOutcome::Failed;
  QString name = ask_file_name(w);
  if (name.isEmpty()) return SaveOutcome::Cancelled;
  if (!write_file(w, name)) return SaveOutcome::Failed;
  w.file_name = name;
  w.has_file_name = true;
  w.setWindowTitle(QFileInfo(name).fileName());
  return SaveOutcome::Written;
}

SaveOutcome FrameWindow::save_as(TextWindow& w) {
  QString name = ask_file_name(w);
  if (name.isEmpty()) return SaveOutcome::Cancelled;
  if (!write_file(w, name)) return SaveOutcome::Failed;
  w.has_file_name = false;
  w.setWindowTitle(QFileInfo(name).fileName());
  return SaveOutcome::Written;
}

void FrameWindow::save_answers() {
  const SaveRequest request{tr("Save Answers"), last_folder_.isEmpty() ? QDir::currentPath() : last_folder_,
                            QStringLiteral("answers.txt")};
  const QString name = dialogs_.save_file_name(this, request);
  if (name.isEmpty()) return;
  last_folder_ = QFileInfo(name).absolutePath();
  const std::string answers = rt::console_answers();
  QFile file(name);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    dialogs_.warning(this, kCaption, tr("Cannot create file"));
    return;
  }
  if (file.write(answers.data(), static_cast<qint64>(answers.size())) != static_cast<qint64>(answers.size()) ||
      !file.flush())
    dialogs_.warning(this, kCaption, tr("I/O error while writing file"));
}

bool FrameWindow::ask_to_save(TextWindow& w) {
  if (!w.text().modified()) return true;
  QString question = (QStringLiteral("Save changes to ") + w.windowTitle()).left(kQuestionLength) + u'?';
  switch (dialogs_.question(this, question, true)) {
    // A cancelled dialog closes unsaved; a failed write keeps the window
    // open, as Cancel does, rather than lose its text.
    case Answer::Yes: return save(w) != SaveOutcome::Failed;
    case Answer::No: return true;
    case Answer::Cancel: return false;
  }
  return false;
}

void FrameWindow::print(TextWindow& w) {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer_->setDocName(QStringLiteral("Quil Input/Output"));
  printer_->setFromTo(0, 0);
  printer_->setPrintRange(QPrinter::AllPages);
  propose_pdf_file(*printer_, QStringLiteral("Quil Input-Output.pdf"));
  if (!dialogs_.print_setup(this, *printer_, long_lines_)) return;
  PrintingBox box(this);
  box.show();
  w.setEnabled(false);
  PrintResult result = print_text(*printer_, w.text().store(), w.view().text_font(), w.view().text_color(), long_lines_,
                                  [&box] {
    QCoreApplication::processEvents();
    return box.cancelled;
  });
  box.hide();
  w.setEnabled(true);
  if (result == PrintResult::NoPrinter) dialogs_.warning(this, kCaption, QStringLiteral("Cannot obtain Printer DC"));
}

void FrameWindow::about() { dialogs_.about(this); }

void FrameWindow::copy(TextWindow& w) {
  if (!w.text().has_selection()) return;
  QApplication::clipboard()->setText(shown_text(w.text().selected_text()));
  update_actions();
}

void FrameWindow::cut(TextWindow& w) {
  if (!w.text().selection_on_one_line() || !w.view().accepts_typing()) return;
  copy(w);
  delete_selection(w);
}

void FrameWindow::paste(TextWindow& w) {
  QString text = QApplication::clipboard()->text().left(TextView::kPasteLimit);
  if (text.isEmpty()) return;
  w.view().type(typed_bytes(text));
  update_actions();
}

void FrameWindow::delete_selection(TextWindow& w) {
  if (!w.view().accepts_typing()) return;
  w.text().delete_selection();
  w.view().sync_now();
  update_actions();
}

void FrameWindow::select_all(TextWindow& w) {
  w.text().select_all();
  w.view().selection_changed();
}

void FrameWindow::choose_font(TextWindow& w) {
  if (auto font = dialogs_.choose_font(this, w.view().text_font())) w.view().set_text_font(*font);
}

void FrameWindow::choose_color(TextWindow& w) {
  if (auto color = dialogs_.choose_color(this, w.view().text_color())) w.view().set_text_color(*color);
}

bool FrameWindow::exit() {
  for (QMdiSubWindow* sub : mdi_->subWindowList())
    if (!sub->close()) return false;
  exit_done_ = true;
  return true;
}

void FrameWindow::closeEvent(QCloseEvent* event) {
  if (exit_done_ || exit())
    event->accept();
  else
    event->ignore();
}

// Each window a title bar below and right of the one before, all of the
// same useful size: the area less the steps, at least a share of it.
void FrameWindow::cascade() {
  QList<QMdiSubWindow*> shown;
  for (QMdiSubWindow* sub : mdi_->subWindowList())
    if (!sub->isMinimized()) shown.append(sub);
  if (shown.isEmpty()) return;
  const QSize area = mdi_->viewport()->size();
  const int step = style()->pixelMetric(QStyle::PM_TitleBarHeight) + 4;
  const int n = static_cast<int>(shown.size());
  const QSize size = (area - QSize(step, step) * (n - 1)).expandedTo((QSizeF(area) * kLeastShare).toSize());
  for (int i = 0; i < n; ++i) {
    shown[i]->showNormal();
    shown[i]->setGeometry(free_place(i, size));
    shown[i]->raise();
  }
  show_prompts();
}

// A waiting read's prompt stays in view when the windows are arranged.
void FrameWindow::show_prompts() {
  for (QMdiSubWindow* sub : mdi_->subWindowList())
    if (auto* w = qobject_cast<TextWindow*>(sub); w && !w->is_closed()) w->view().show_prompt();
}

// Tile Horizontally stacks the windows one above the other, Tile Vertically
// sets them side by side; minimised windows keep their place.
void FrameWindow::tile(Qt::Orientation stacking) {
  QList<QMdiSubWindow*> shown;
  for (QMdiSubWindow* sub : mdi_->subWindowList())
    if (!sub->isMinimized()) shown.append(sub);
  if (shown.isEmpty()) return;
  const QRect area = mdi_->viewport()->rect();
  const int n = static_cast<int>(shown.size());
  for (int i = 0; i < n; ++i) {
    shown[i]->showNormal();
    if (stacking == Qt::Vertical) {
      int h = area.height() / n;
      shown[i]->setGeometry(0, i * h, area.width(), h);
    } else {
      int wd = area.width() / n;
      shown[i]->setGeometry(i * wd, 0, wd, area.height());
    }
  }
  show_prompts();
}

// The minimised windows in a row along the bottom of the frame.
void FrameWindow::arrange_icons() {
  const QRect area = mdi_->viewport()->rect();
  int x = 0;
  for (QMdiSubWindow* sub : mdi_->subWindowList()) {
    if (!sub->isMinimized()) continue;
    QSize size = sub->size();
    if (x > 0 && x + size.width() > area.width()) x = 0;
    sub->move(x, area.height() - size.height());
    x += size.width();
  }
}

}  // namespace arb::win
