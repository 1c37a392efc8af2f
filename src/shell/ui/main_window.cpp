#include "shell/ui/main_window.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "platform/codepage.h"
#include "platform/qt/file_dialog.h"
#include "shell/ui/fixed_font_dialog.h"
#include "session/tnemulvt.h"
#include "term/view/term_view.h"

namespace ondrix::shell::ui {

namespace {

// Small enough for the button bar and the managers bar to share the first row at the default width.
constexpr int kButtonIconSize = 16;

// Names from the stores shown as menu items and tab captions: an "&" in a name is a character,
// not a mnemonic marker.
QString literalText(const std::string& text) { return uiText(text).replace(QLatin1Char('&'), QStringLiteral("&&")); }

}  // namespace

class MainWindow::Syncing {
 public:
  explicit Syncing(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
  ~Syncing() { flag_ = previous_; }
  Syncing(const Syncing&) = delete;
  Syncing& operator=(const Syncing&) = delete;

 private:
  bool& flag_;
  bool previous_;
};

MainWindow::MainWindow(std::string programFolder, std::string dataFolder, QWidget* parent)
    : QMainWindow(parent),
      actions_(this, [this](CommandId id) { execute(id); }),
      logo_(new LogoPanel(this)),
      tabs_(new QTabWidget(logo_)) {
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(QString::fromLatin1(TMainForm::kCaption));
  resize(TMainForm::kDefaultWidth, TMainForm::kDefaultHeight);

  // The tab control fills the logo panel and hides it while it is shown.
  auto* layout = new QVBoxLayout(logo_);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(tabs_);
  tabs_->setObjectName(QStringLiteral("TermControl"));
  tabs_->setTabPosition(QTabWidget::South);
  tabs_->setAutoFillBackground(true);
  tabs_->hide();
  setCentralWidget(logo_);
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
    if (!syncing_ && form_ && index >= 0) form_->SetActivePage(index);
  });

  buildMenus();
  buildToolBars();
  buildStatusBar();
  form_ = std::make_unique<TMainForm>(*this, std::move(programFolder), std::move(dataFolder));
}

MainWindow::~MainWindow() {
  // The terminal widgets go before the terminals they show.
  const Syncing syncing(syncing_);
  while (tabs_->count() > 0) {
    QWidget* page = tabs_->widget(0);
    tabs_->removeTab(0);
    delete page;
  }
  form_.reset();
}

term::view::TermView* MainWindow::terminal(int index) const {
  if (!validPage(index)) return nullptr;
  return tabs_->widget(index)->findChild<term::view::TermView*>();
}

void MainWindow::execute(CommandId id) {
  form_->Execute(id);
  // Qt toggles a checkable item itself; the form's state is the one that counts.
  if (command(id).Checkable) actions_.setChecked(id, form_->CommandChecked(id));
}

// --- Building ------------------------------------------------------------------------------------

void MainWindow::buildMenus() {
  static constexpr std::pair<TMenu, const char*> kMenus[] = {
      {TMenu::File, "&File"}, {TMenu::Edit, "&Edit"}, {TMenu::Managers, "&Managers"},
      {TMenu::Tools, "&Tools"}, {TMenu::Help, "&Help"}};
  for (const auto& [which, title] : kMenus) {
    QMenu* menu = menuBar()->addMenu(QString::fromLatin1(title));
    for (const TCommand& c : commandTable()) {
      if (c.Menu != which) continue;
      if (c.SeparatorBefore) menu->addSeparator();
      menu->addAction(actions_.action(c.Id));
      if (c.Id == CommandId::QuickConnect) connectMenu_ = menu->addMenu(QStringLiteral("Connect"));
      if (c.Id == CommandId::ModifyFont) keylistMenu_ = menu->addMenu(QStringLiteral("Change &keylist"));
    }
    if (which == TMenu::Help) helpMenu_ = menu;
  }
  SetConnectMenu({});
  SetKeylistMenu({});

  popup_ = new QMenu(this);
  popup_->setObjectName(QStringLiteral("VTPopup"));
  actions_.fillMenu(*popup_, popupOrder());
}

void MainWindow::buildToolBars() {
  buttonBar_ = new QToolBar(QStringLiteral("Ondrix button bar"), this);
  buttonBar_->setObjectName(QStringLiteral("ButtonBar"));
  buttonBar_->toggleViewAction()->setVisible(false);  // no way to close it but "Show toolbar"
  buttonBar_->setIconSize(QSize(kButtonIconSize, kButtonIconSize));
  actions_.fillToolBar(*buttonBar_, buttonBarOrder());
  addToolBar(Qt::TopToolBarArea, buttonBar_);

  managersBar_ = new QToolBar(QStringLiteral("Ondrix Managers"), this);
  managersBar_->setObjectName(QStringLiteral("ManagersBar"));
  actions_.fillManagersBar(*managersBar_);
  // Square letter buttons, as wide as they are high, so both bars fit the default width.
  for (QAction* action : managersBar_->actions())
    if (QWidget* button = managersBar_->widgetForAction(action)) button->setFixedWidth(button->sizeHint().height());
  addToolBar(Qt::TopToolBarArea, managersBar_);

  addToolBarBreak(Qt::TopToolBarArea);
  userBar_ = new QToolBar(QStringLiteral("User configurable toolbar"), this);
  userBar_->setObjectName(QStringLiteral("UserToolbar"));
  addToolBar(Qt::TopToolBarArea, userBar_);
  userBar_->hide();
}

void MainWindow::buildStatusBar() {
  for (std::size_t i = 0; i < status_.size(); ++i) {
    auto* panel = new QLabel(this);
    panel->setFixedWidth(kStatusPanelWidths[i]);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    statusBar()->addWidget(panel);
    status_[i] = panel;
  }
}

// --- The window ----------------------------------------------------------------------------------

void MainWindow::SetCaption(const std::string& caption) { setWindowTitle(uiText(caption)); }

TBounds MainWindow::Bounds() const { return {x(), y(), width(), height()}; }

void MainWindow::SetBounds(const TBounds& b) {
  // A stored position is used only while it still lies on a screen (a monitor may be gone);
  // otherwise the window manager places the window.
  if (b.Left != -1 || b.Top != -1) {
    const QPoint to(b.Left == -1 ? x() : b.Left, b.Top == -1 ? y() : b.Top);
    if (QGuiApplication::screenAt(to + QPoint(20, 20)) != nullptr) move(to);
  }
  if (b.Width > 0 || b.Height > 0) resize(b.Width > 0 ? b.Width : width(), b.Height > 0 ? b.Height : height());
}

void MainWindow::RequestClose() {
  QMetaObject::invokeMethod(this, [this] { close(); }, Qt::QueuedConnection);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  form_->Shutdown();
  event->accept();
}

// --- The tab control -----------------------------------------------------------------------------

void MainWindow::InsertPage(int index, const std::string& caption, session::TTnEmulVT& emu) {
  // The page is the panel with a lowered bevel; the terminal fills it.
  auto* panel = new QFrame;
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(1, 1, 1, 1);
  auto* view = new term::view::TermView(emu, panel);
  layout->addWidget(view);
  view->hide();
  attachPopup(view);
  const Syncing syncing(syncing_);
  tabs_->insertTab(std::clamp(index, 0, tabs_->count()), panel, literalText(caption));
}

void MainWindow::attachPopup(term::view::TermView* view) {
  view->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(view, &QWidget::customContextMenuRequested, this,
          [this, view](const QPoint& at) { popup_->popup(view->mapToGlobal(at)); });
}

term::view::TermView* MainWindow::takeTerminal(int index) {
  term::view::TermView* view = terminal(index);
  if (view == nullptr) return nullptr;
  disconnect(view, &QWidget::customContextMenuRequested, this, nullptr);
  tabs_->widget(index)->layout()->removeWidget(view);
  view->setParent(nullptr);
  return view;
}

void MainWindow::returnTerminal(int index, term::view::TermView* view) {
  if (!validPage(index) || view == nullptr) return;
  QWidget* page = tabs_->widget(index);
  view->setParent(page);
  page->layout()->addWidget(view);
  attachPopup(view);
  view->show();
}

void MainWindow::RemovePage(int index) {
  if (!validPage(index)) return;
  const Syncing syncing(syncing_);
  QWidget* page = tabs_->widget(index);
  tabs_->removeTab(index);
  delete page;
}

void MainWindow::SetPageCaption(int index, const std::string& caption) {
  if (validPage(index)) tabs_->setTabText(index, literalText(caption));
}

void MainWindow::SetPageTabVisible(int index, bool visible) {
  if (!validPage(index)) return;
  const Syncing syncing(syncing_);
  tabs_->setTabVisible(index, visible);
}

void MainWindow::MovePage(int from, int to) {
  if (!validPage(from) || !validPage(to)) return;
  const Syncing syncing(syncing_);
  tabs_->tabBar()->moveTab(from, to);
}

void MainWindow::SetActivePage(int index) {
  if (!validPage(index)) return;
  const Syncing syncing(syncing_);
  tabs_->setCurrentIndex(index);
}

void MainWindow::ShowTerminal(int index) {
  auto* view = terminal(index);
  if (view == nullptr) return;
  view->show();
  // Once the new page is laid out.
  QTimer::singleShot(0, view, [this, view] { fitTerminal(*view); });
}

// A terminal whose screen does not fit would hide its bottom rows (where the cursor usually is):
// the window grows until the whole screen shows, as far as the screen it is on allows. It never
// shrinks, and a maximised or full-screen window stays as it is.
void MainWindow::fitTerminal(const QWidget& view) {
  if (isMaximized() || isFullScreen()) return;
  const QWidget* page = view.parentWidget();
  if (page == nullptr) return;
  const QSize missing = (view.sizeHint() - page->contentsRect().size()).expandedTo(QSize(0, 0));
  if (missing.width() == 0 && missing.height() == 0) return;
  QSize wanted = size() + missing;
  if (const QScreen* where = screen()) {
    const QRect room = where->availableGeometry();
    wanted = wanted.boundedTo(room.size() - (frameGeometry().size() - size()));
  }
  if (wanted.width() > width() || wanted.height() > height()) resize(wanted.expandedTo(size()));
}

void MainWindow::FocusTerminal(int index) {
  if (auto* view = terminal(index)) view->setFocus(Qt::OtherFocusReason);
}

void MainWindow::SetTabAreaVisible(bool visible) { tabs_->setVisible(visible); }

// --- Status bar and commands ---------------------------------------------------------------------

void MainWindow::SetStatusText(int panel, const std::string& text) {
  if (panel >= 0 && panel < static_cast<int>(status_.size())) status_[static_cast<std::size_t>(panel)]->setText(uiText(text));
}

void MainWindow::SetCommandEnabled(CommandId id, bool enabled) {
  actions_.setEnabled(id, enabled);
  // The "Change keylist" submenu is a session command without an id of its own: it goes with its
  // neighbour "Modify Font...", a session command the form always carries out itself.
  if (id == CommandId::ModifyFont) keylistMenu_->menuAction()->setEnabled(enabled);
}

void MainWindow::SetCommandChecked(CommandId id, bool checked) { actions_.setChecked(id, checked); }

void MainWindow::SetToolbarsVisible(bool visible) {
  buttonBar_->setVisible(visible);
  managersBar_->setVisible(visible);
}

void MainWindow::fillNameMenu(QMenu& menu, const std::vector<std::string>& names, const char* emptyText,
                              void (TMainForm::*click)(int)) {
  // Deleted later: the menu may be rebuilt from inside one of its own items.
  for (QAction* old : menu.actions()) {
    menu.removeAction(old);
    old->deleteLater();
  }
  if (names.empty()) {
    menu.addAction(QString::fromLatin1(emptyText))->setEnabled(false);
    return;
  }
  for (std::size_t i = 0; i < names.size(); ++i) {
    QAction* item = menu.addAction(literalText(names[i]));
    const int number = static_cast<int>(i);
    connect(item, &QAction::triggered, this, [this, click, number] { (form_.get()->*click)(number); });
  }
}

void MainWindow::SetConnectMenu(const std::vector<std::string>& names) {
  fillNameMenu(*connectMenu_, names, "No connections available", &TMainForm::ConnectMenuClick);
}

void MainWindow::SetKeylistMenu(const std::vector<std::string>& names) {
  fillNameMenu(*keylistMenu_, names, "(No keylist available)", &TMainForm::KeylistMenuClick);
}

void MainWindow::addAddinItem(QMenu* parent, const TAddinMenuItem& item) {
  const std::int32_t tag = item.Tag;
  if (!item.Children.empty()) {
    QMenu* submenu = parent->addMenu(uiText(item.Caption));
    for (const TAddinMenuItem& child : item.Children) addAddinItem(submenu, child);
    return;
  }
  QAction* action = parent->addAction(uiText(item.Caption));
  action->setEnabled(item.HasAction);
  connect(action, &QAction::triggered, this, [this, tag] { form_->AddinMenuClick(tag); });
}

void MainWindow::SetAddinMenu(const std::vector<TAddinMenuItem>& items) {
  for (QAction* old : addinActions_) {
    menuBar()->removeAction(old);
    if (QMenu* menu = old->menu<QMenu*>())
      menu->deleteLater();
    else
      old->deleteLater();
  }
  addinActions_.clear();
  // The add-in items sit on the menu bar between "Tools" and "Help": an item with children is a
  // menu, one without is a command of the bar itself.
  for (const TAddinMenuItem& item : items) {
    QAction* entry = nullptr;
    if (!item.Children.empty()) {
      auto* menu = new QMenu(uiText(item.Caption), this);
      for (const TAddinMenuItem& child : item.Children) addAddinItem(menu, child);
      entry = menu->menuAction();
    } else {
      entry = new QAction(uiText(item.Caption), this);
      const std::int32_t tag = item.Tag;
      connect(entry, &QAction::triggered, this, [this, tag] { form_->AddinMenuClick(tag); });
    }
    menuBar()->insertAction(helpMenu_->menuAction(), entry);
    addinActions_.push_back(entry);
  }
}

// --- The user-configurable toolbar ---------------------------------------------------------------

void MainWindow::AddUserButton(std::int32_t id, const std::string& caption, const std::string& hint, int width) {
  QAction* button = userBar_->addAction(uiText(caption));
  button->setToolTip(uiText(hint));
  if (width > 0) userBar_->widgetForAction(button)->setFixedWidth(width);
  connect(button, &QAction::triggered, this, [this, id] { form_->UserButtonClick(id); });
  removeUserAction(userButtons_, id);
  userButtons_[id] = button;
}

void MainWindow::AddUserSpacer(std::int32_t id) {
  removeUserAction(userSpacers_, id);
  userSpacers_[id] = userBar_->addSeparator();
}

void MainWindow::removeUserAction(std::map<std::int32_t, QAction*>& actions, std::int32_t id) {
  const auto found = actions.find(id);
  if (found == actions.end()) return;
  userBar_->removeAction(found->second);
  found->second->deleteLater();  // a button's own script may remove it
  actions.erase(found);
}

void MainWindow::RemoveUserButton(std::int32_t id) { removeUserAction(userButtons_, id); }

void MainWindow::SetUserButtonCaption(std::int32_t id, const std::string& caption) {
  if (const auto found = userButtons_.find(id); found != userButtons_.end()) found->second->setText(uiText(caption));
}

// The picture replaces the caption on the button (the bar shows icons where it has them).
void MainWindow::SetUserButtonGlyph(std::int32_t id, const std::string& bitmapFile) {
  const auto found = userButtons_.find(id);
  if (found == userButtons_.end()) return;
  found->second->setIcon(QIcon(QString::fromLocal8Bit(bitmapFile.c_str())));
}
void MainWindow::RemoveUserSpacer(std::int32_t id) { removeUserAction(userSpacers_, id); }
void MainWindow::SetUserToolbarVisible(bool visible) { userBar_->setVisible(visible); }

// --- Dialogs -------------------------------------------------------------------------------------

std::optional<std::string> MainWindow::ClipboardText() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (data == nullptr || !data->hasText()) return std::nullopt;
  return platform::utf8ToCp1252(data->text().toStdString());
}

void MainWindow::SetClipboardText(const std::string& text) { QGuiApplication::clipboard()->setText(uiText(text)); }

std::optional<TFontChoice> MainWindow::ChooseFixedFont(const TFontChoice& current) {
  std::optional<TFontChoice> choice = chooseFixedFont(this, current);
  if (choice && fontChosen_) fontChosen_(*choice);
  return choice;
}

std::optional<std::string> MainWindow::ChooseOpenFile(const std::string& title, const std::string& filter,
                                                      const std::string& defaultExtension) {
  // File names are case-sensitive here and script files carry a lower-case extension.
  QString suffix = uiText(defaultExtension).toLower();
  if (suffix.startsWith(QLatin1Char('.'))) suffix.remove(0, 1);
  return platform::qt::runFileDialog(this, {platform::FileChoice::Open, uiText(title), QString(), filter, suffix});
}

void MainWindow::OpenDocument(const std::string& pathOrUrl) {
  const QString target = QFile::decodeName(QByteArray::fromStdString(pathOrUrl));
  QDesktopServices::openUrl(QFileInfo::exists(target) ? QUrl::fromLocalFile(target) : QUrl::fromUserInput(target));
}

}  // namespace ondrix::shell::ui
