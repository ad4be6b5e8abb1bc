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
#include <QVBoxLayout>

#include "console_host.h"
#include "printing.h"
#include "transcript_file.h"
#include "utf8_text.h"

namespace arb::win {

namespace {

const QString kUntitledTitle = QStringLiteral("Input/Output");
constexpr int kQuestionLength = 50;
constexpr int kPasteLimit = 1024;
constexpr int kMaxFileName = 260;

// The small box shown while a job prints.
class PrintingBox : public QDialog {
 public:
  explicit PrintingBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(kCaption);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Printing...")));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    layout->addWidget(cancel);
    connect(cancel, &QPushButton::clicked, this, [this] { cancelled = true; });
  }
  bool cancelled = false;
};

// The print dialog proposes a PDF file named after the document, whose "/"
// names a folder that does not exist; this name in the working folder is
// proposed instead, until the user chooses another.
const QString kPdfName = QStringLiteral("Quil Input-Output.pdf");

void propose_pdf_file(QPrinter& printer) {
  if (!printer.outputFileName().isEmpty()) return;
  const bool native = printer.outputFormat() == QPrinter::NativeFormat;
  printer.setOutputFileName(QDir::current().absoluteFilePath(kPdfName));
  // The name alone switches the printer to PDF: a real printer stays the
  // one offered first.  The dialog sets or clears the name as chosen.
  if (native) printer.setOutputFormat(QPrinter::NativeFormat);
}

}  // namespace

FrameWindow::FrameWindow(const QString& title, Dialogs& dialogs) : dialogs_(dialogs), mdi_(new QMdiArea) {
  setWindowTitle(title);
  setCentralWidget(mdi_);
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

template <class Command>
QAction* FrameWindow::command(const QString& text, Command run) {
  auto* action = new QAction(text, this);
  connect(action, &QAction::triggered, this, [this, run] {
    if (TextWindow* w = active_text_window()) run(*w);
  });
  return action;
}

void FrameWindow::create_actions() {
  save_ = command(QStringLiteral("&Save"), [this](TextWindow& w) { save(w); });
  save_as_ = command(QStringLiteral("Save As..."), [this](TextWindow& w) { save_as(w); });
  save_answers_ = new QAction(tr("Save A&nswers..."), this);
  connect(save_answers_, &QAction::triggered, this, &FrameWindow::save_answers);
  print_ = command(QStringLiteral("Print..."), [this](TextWindow& w) { print(w); });
  about_ = new QAction(QStringLiteral("&About..."), this);
  connect(about_, &QAction::triggered, this, &FrameWindow::about);
  exit_ = new QAction(QStringLiteral("E&xit"), this);
  connect(exit_, &QAction::triggered, this, &FrameWindow::close);

  undo_ = new QAction(QStringLiteral("&Undo"), this);  // listed only; nothing to undo
  undo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  cut_ = command(QStringLiteral("Cu&t"), [this](TextWindow& w) { cut(w); });
  cut_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
  copy_ = command(QStringLiteral("&Copy"), [this](TextWindow& w) { copy(w); });
  copy_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
  paste_ = command(QStringLiteral("&Paste"), [this](TextWindow& w) { paste(w); });
  paste_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
  delete_ = command(QStringLiteral("De&lete"), [this](TextWindow& w) { delete_selection(w); });
  select_all_ = command(QStringLiteral("Select &All"), [this](TextWindow& w) { select_all(w); });
  select_all_->setShortcut(QKeySequence::SelectAll);

  font_ = command(QStringLiteral("&Font..."), [this](TextWindow& w) { choose_font(w); });
  color_ = command(QStringLiteral("&Color"), [this](TextWindow& w) { choose_color(w); });

  cascade_ = new QAction(QStringLiteral("&Cascade"), this);
  cascade_->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F5));
  connect(cascade_, &QAction::triggered, this, &FrameWindow::cascade);
  tile_h_ = new QAction(QStringLiteral("Tile &Horizontally"), this);
  connect(tile_h_, &QAction::triggered, this, [this] { tile(Qt::Vertical); });
  tile_v_ = new QAction(QStringLiteral("Tile &Vertically"), this);
  connect(tile_v_, &QAction::triggered, this, [this] { tile(Qt::Horizontal); });
  arrange_ = new QAction(QStringLiteral("&Arrange Icons"), this);
  connect(arrange_, &QAction::triggered, this, &FrameWindow::arrange_icons);
}

void FrameWindow::create_menus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->addAction(save_);
  file->addAction(save_as_);
  file->addAction(save_answers_);
  file->addSeparator();
  file->addAction(print_);
  file->addSeparator();
  file->addAction(about_);
  file->addSeparator();
  file->addAction(exit_);

  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  edit->addAction(undo_);
  edit->addSeparator();
  edit->addAction(cut_);
  edit->addAction(copy_);
  edit->addAction(paste_);
  edit->addAction(delete_);
  edit->addSeparator();
  edit->addAction(select_all_);

  QMenu* format = menuBar()->addMenu(QStringLiteral("F&ormat"));
  format->addAction(font_);
  format->addAction(color_);

  window_menu_ = menuBar()->addMenu(QStringLiteral("&Window"));
  connect(window_menu_, &QMenu::aboutToShow, this, &FrameWindow::update_window_menu);
  update_window_menu();
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

TextWindow* FrameWindow::open_text_window(const QString& title, const QRect& geometry) {
  auto* w = new TextWindow(title);
  w->may_close = [this](TextWindow& closing) { return ask_to_save(closing); };
  w->text().before_first_trim = [this, w] { offer_save_before_trim(*w); };
  mdi_->addSubWindow(w);
  w->setGeometry(geometry);
  connect(&w->view(), &TextView::stateChanged, this, &FrameWindow::update_actions);
  // The context menu of the text: Copy, Paste, Select All.
  w->view().viewport()->setContextMenuPolicy(Qt::ActionsContextMenu);
  w->view().viewport()->addActions({copy_, paste_, select_all_});
  connect(w, &TextWindow::windowClosed, this, [this](TextWindow* closed) {
    mdi_->removeSubWindow(closed);
    closed->deleteLater();
    update_actions();
  });
  w->show();
  w->view().setFocus();
  mdi_->setActiveSubWindow(w);
  update_actions();
  return w;
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
bool FrameWindow::write_file(TextWindow& w, const QString& path) {
  switch (write_transcript(w.text().store(), QFile::encodeName(path).toStdString())) {
    case SaveResult::Written: break;
    case SaveResult::CannotCreate:
      dialogs_.warning(this, kCaption, QStringLiteral("Cannot create file"));
      return false;
    case SaveResult::WriteFailed:
      dialogs_.warning(this, kCaption, QStringLiteral("I/O error while writing file"));
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
  QString question = (QStringLiteral("Save changes to ") + w.windowTitle()).left(kQuestionLength);
  switch (dialogs_.question(this, question, true)) {
    // A cancelled dialog closes unsaved; a failed write keeps the window
    // open, as Cancel does, rather than lose its text.
    case Answer::Yes: return save(w) != SaveOutcome::Failed;
    case Answer::No: return true;
    case Answer::Cancel: return false;
  }
  return false;
}

void FrameWindow::offer_save_before_trim(TextWindow& w) {
  QString question = QStringLiteral(
      "The window is full: its oldest lines will be removed. Save the whole text to a file first?");
  if (dialogs_.question(this, question, false) == Answer::Yes) save_as(w);
}

void FrameWindow::print(TextWindow& w) {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer_->setDocName(QStringLiteral("Quil Input/Output"));
  printer_->setFromTo(0, 0);
  printer_->setPrintRange(QPrinter::AllPages);
  propose_pdf_file(*printer_);
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
  QString text = QApplication::clipboard()->text().left(kPasteLimit);
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
  w.view().sync_now();
  update_actions();
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

void FrameWindow::cascade() {
  mdi_->cascadeSubWindows();
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
