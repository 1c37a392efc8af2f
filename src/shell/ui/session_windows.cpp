#include "shell/ui/session_windows.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QDropEvent>
#include <QFile>
#include <QFontDialog>
#include <QLabel>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>
#include <limits>

#include "platform/codepage.h"
#include "platform/qt/file_dialog.h"
#include "shell/main_form.h"
#include "shell/ui/command_actions.h"
#include "shell/ui/main_window.h"
#include "term/view/term_view.h"

namespace ondrix::shell::ui {
namespace {

// The rearrange list: an item dragged within it is dropped through the dialog's logic.
class DropList final : public QListWidget {
 public:
  explicit DropList(RearrangeDialog& dialog) : dialog_(dialog) {
    setDragDropMode(QAbstractItemView::InternalMove);
    setSelectionMode(QAbstractItemView::SingleSelection);
  }

 protected:
  void dropEvent(QDropEvent* event) override {
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    dialog_.dropAt(event->position().toPoint());
  }

 private:
  RearrangeDialog& dialog_;
};

}  // namespace

// --- The window of a detached session ------------------------------------------------------------

DetachedWindow::DetachedWindow(TDetachedSessions& sessions, TDetachForm& form, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window), sessions_(sessions), form_(form), popup_(new QMenu(this)) {
  setObjectName(QStringLiteral("DetachForm"));
  popup_->setObjectName(QStringLiteral("VTPopup2"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  connect(popup_->addAction(uiText("&Copy")), &QAction::triggered, this, [this] { sessions_.Copy(form_); });
  connect(popup_->addAction(uiText("&Paste")), &QAction::triggered, this, [this] { sessions_.Paste(form_); });
  popup_->addSeparator();
  connect(popup_->addAction(uiText("&Reattach")), &QAction::triggered, this, [this] { sessions_.Reattach(form_); });
}

void DetachedWindow::holdTerminal(term::view::TermView* terminal) {
  terminal_ = terminal;
  terminal->setParent(this);
  layout()->addWidget(terminal);
  terminal->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(terminal, &QWidget::customContextMenuRequested, this,
          [this, terminal](const QPoint& at) { popup_->popup(terminal->mapToGlobal(at)); });
  terminal->show();
}

term::view::TermView* DetachedWindow::releaseTerminal() {
  term::view::TermView* terminal = terminal_;
  if (terminal == nullptr) return nullptr;
  disconnect(terminal, &QWidget::customContextMenuRequested, this, nullptr);
  layout()->removeWidget(terminal);
  terminal->setParent(nullptr);
  terminal_ = nullptr;
  return terminal;
}

void DetachedWindow::dispose() {
  disposed_ = true;
  hide();
  deleteLater();
}

void DetachedWindow::closeEvent(QCloseEvent* event) {
  if (disposed_) {
    event->accept();
    return;
  }
  // The logic reattaches the session (while ReattachOnClose is set) and disposes of the window.
  event->ignore();
  sessions_.Close(form_);
}

// --- The rearrange dialog ------------------------------------------------------------------------

RearrangeDialog::RearrangeDialog(TRearrangeForm& form, QWidget* parent)
    : QDialog(parent), form_(form), list_(new DropList(*this)) {
  setObjectName(QStringLiteral("RearrangeForm"));
  setWindowTitle(uiText(TRearrangeForm::kCaption));
  list_->setObjectName(QStringLiteral("ListBox1"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(uiText(TRearrangeForm::kOrderLabel)));
  auto* explanation = new QLabel(uiText(TRearrangeForm::kExplanation));
  explanation->setWordWrap(true);
  layout->addWidget(explanation);
  layout->addWidget(list_);
  auto* buttons = new QHBoxLayout;
  auto* cancel = new QPushButton(uiText(TRearrangeForm::kCancel));
  auto* ok = new QPushButton(uiText(TRearrangeForm::kOk));
  cancel->setObjectName(QStringLiteral("Button1"));
  ok->setObjectName(QStringLiteral("Button2"));
  ok->setDefault(true);
  buttons->addStretch();
  buttons->addWidget(cancel);
  buttons->addWidget(ok);
  layout->addLayout(buttons);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(ok, &QPushButton::clicked, this, [this] {
    form_.Ok();
    accept();
  });
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) { form_.Select(row); });
  form_.FormShow();
  fill();
}

void RearrangeDialog::fill() {
  const QSignalBlocker blocker(list_);
  list_->clear();
  for (const std::string& caption : form_.Items()) list_->addItem(uiText(caption));
  list_->setCurrentRow(form_.Selected());
}

void RearrangeDialog::dropAt(const QPoint& at) {
  if (!list_->viewport()->rect().contains(at) || list_->count() == 0) return;
  // The item under the point, or the nearest one when the point is below the last item.
  int target = list_->indexAt(at).row();
  if (target < 0) {
    int best = std::numeric_limits<int>::max();
    for (int row = 0; row < list_->count(); ++row) {
      const int distance = std::abs(list_->visualItemRect(list_->item(row)).center().y() - at.y());
      if (distance < best) {
        best = distance;
        target = row;
      }
    }
  }
  form_.Drop(target);
  fill();
}

// --- The session windows -------------------------------------------------------------------------

SessionWindows::SessionWindows(TMainForm& form, MainWindow& window)
    : QObject(&window),
      form_(form),
      window_(window),
      printer_(&window),
      commands_(form, *this, printer_),
      detached_(form, *this) {}

SessionWindows::~SessionWindows() {
  for (auto& [form, window] : windows_)
    if (window) delete window.data();
}

DetachedWindow* SessionWindows::windowOf(const TDetachForm& form) const {
  const auto found = windows_.find(&form);
  return found == windows_.end() ? nullptr : found->second.data();
}

void SessionWindows::rearrange() {
  TRearrangeForm logic(form_);
  RearrangeDialog dialog(logic, &window_);
  dialog.move(window_.x() + TRearrangeForm::kOffset, window_.y() + TRearrangeForm::kOffset);
  dialog.exec();
  if (form_.ActivePageIndex() >= 0) window_.FocusTerminal(form_.ActivePageIndex());
}

std::optional<std::string> SessionWindows::ChooseSaveFile(const std::string& fileName, const std::string& filter,
                                                          const std::string& defaultExtension) {
  // The name given as the dialog's starting point is preselected in it.
  return platform::qt::runFileDialog(
      &window_, {platform::FileChoice::Save, QString(), QFile::decodeName(QByteArray::fromStdString(fileName)), filter,
                 uiText(defaultExtension).toLower()});
}

std::optional<TFontChoice> SessionWindows::ChooseAnyFont(const TFontChoice& current) {
  bool ok = false;
  const QFont font = QFontDialog::getFont(&ok, qtFont(current), &window_);
  if (!ok) return std::nullopt;
  return TFontChoice{platform::utf8ToCp1252(font.family().toStdString()), font.pointSize(), font.bold(),
                     font.italic(), font.underline()};
}

int SessionWindows::ButtonBarHeight() const { return window_.buttonBar()->isVisible() ? window_.buttonBar()->height() : 0; }

std::pair<int, int> SessionWindows::TerminalSize(int index) const {
  const term::view::TermView* terminal = window_.terminal(index);
  if (terminal == nullptr) return {0, 0};
  return {terminal->width(), terminal->height()};
}

void SessionWindows::OpenWindow(TDetachForm& form, int index, const TBounds& clientArea, const std::string& caption) {
  auto* window = new DetachedWindow(detached_, form, &window_);
  windows_[&form] = window;
  window->setWindowTitle(uiText(caption).replace(QLatin1Char('&'), QStringLiteral("&&")));
  if (term::view::TermView* terminal = window_.takeTerminal(index)) window->holdTerminal(terminal);
  // The session's page closed while it is detached: its terminal goes with it, and so does the
  // window.
  TDetachForm* detached = &form;
  connect(window_.pageWidget(index), &QObject::destroyed, window, [this, window, detached] {
    if (windowOf(*detached) != window) return;  // the window is already going
    delete window->releaseTerminal();
    detached_.PageClosed(*detached);
  });
  window->move(clientArea.Left, clientArea.Top);
  if (clientArea.Width > 0 && clientArea.Height > 0) window->resize(clientArea.Width, clientArea.Height);
  window->show();
  if (window->terminal() != nullptr) window->terminal()->setFocus(Qt::OtherFocusReason);
}

void SessionWindows::ReturnTerminal(TDetachForm& form, int index) {
  if (DetachedWindow* window = windowOf(form)) window_.returnTerminal(index, window->releaseTerminal());
}

void SessionWindows::DestroyWindow(TDetachForm& form) {
  const auto found = windows_.find(&form);
  if (found == windows_.end()) return;
  QPointer<DetachedWindow> window = found->second;
  windows_.erase(found);
  if (window) window->dispose();
}

SessionWindows& installSessionWindows(TMainForm& form, MainWindow& window) {
  auto* windows = new SessionWindows(form, window);
  windows->commands().Install();
  windows->detached().Install();
  form.SetCommandHandler(CommandId::RearrangeTabs, [windows] { windows->rearrange(); });
  window.setFontChosenHandler([windows](const TFontChoice& font) { windows->commands().FontChosen(font); });
  return *windows;
}

}  // namespace ondrix::shell::ui
