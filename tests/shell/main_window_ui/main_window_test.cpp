// The Qt main window on the offscreen platform, with the real TMainForm on a temporary data
// folder: menus, pop-up menu and toolbars made from the command table, short-cuts, the toolbars'
// visibility, the status panels, the logo panel, tabs of open sessions, and closing.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMenuBar>
#include <QScreen>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <arpa/inet.h>
#include <filesystem>
#include <functional>
#include <memory>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

#include "platform/qt/qt_event_loop.h"
#include "platform/services.h"
#include "shell/ui/main_window.h"
#include "store/stores/con_db_fcns.h"
#include "store/stores/def_db_fcns.h"
#include "store/stores/factory_data.h"
#include "term/view/term_view.h"

#include "common/offscreen_app.h"

namespace ondrix::shell::ui {
namespace {


// A loopback listener: sessions connect to it (the kernel completes the connection; nothing is
// ever read or answered).
class Listener {
 public:
  Listener() {
    fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(fd_, 8);
    socklen_t size = sizeof address;
    ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size);
    port_ = ntohs(address.sin_port);
  }
  ~Listener() { ::close(fd_); }
  Listener(const Listener&) = delete;
  Listener& operator=(const Listener&) = delete;
  int port() const { return port_; }

 private:
  int fd_ = -1;
  int port_ = 0;
};

// The texts of a menu's items ("-" for a separator).
std::vector<QString> texts(const QList<QAction*>& actions) {
  std::vector<QString> out;
  for (const QAction* a : actions) out.push_back(a->isSeparator() ? QStringLiteral("-") : a->text());
  return out;
}

QString text(std::string_view s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() {
    root = std::filesystem::temp_directory_path() /
           ("ondrix_main_window_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    std::filesystem::create_directories(root);
    data = (root / "DATA").string() + "/";
    store::createFactoryData(data);
  }
  ~MainWindowTest() override {
    window.reset();
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
  }

  void AddConnection(const std::string& name) {
    store::ConDBFcns book(data);
    store::DefDBFcns defaults(data);
    book.Open();
    defaults.Open();
    store::ConnectionRecord r = book.AddNew(defaults);
    defaults.Close();
    r.Name = name;
    r.Host = "127.0.0.1";
    r.Port = listener.port();
    book.Write(r.RecordNo, r);
    book.Close();
  }

  MainWindow& Create() {
    window = std::make_unique<MainWindow>(root.string(), data);
    return *window;
  }

  // Runs Qt's queued work (posted calls of the form, deferred deletions) until `done`, a bounded
  // number of rounds.
  void ProcessUntil(const std::function<bool()>& done) {
    for (int round = 0; round < 50 && !done(); ++round) {
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      QCoreApplication::processEvents();
    }
  }

  QMenu* Menu(const QString& title) const {
    for (QAction* a : window->menuBar()->actions())
      if (a->text() == title) return a->menu<QMenu*>();
    return nullptr;
  }

  static inline int counter = 0;
  QApplication& app = offscreenApplication();  // before any Qt object of the test
  std::filesystem::path root;
  std::string data;
  Listener listener;
  platform::qt::QtEventLoop loop;
  platform::ScopedServices services{{&loop, nullptr, nullptr, nullptr, nullptr}};
  std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, MenusFollowTheCommandTable) {
  Create();
  EXPECT_EQ(texts(window->menuBar()->actions()),
            (std::vector<QString>{"&File", "&Edit", "&Managers", "&Tools", "&Help"}));
  const std::pair<TMenu, QString> menus[] = {{TMenu::File, "&File"}, {TMenu::Edit, "&Edit"},
                                             {TMenu::Managers, "&Managers"}, {TMenu::Tools, "&Tools"},
                                             {TMenu::Help, "&Help"}};
  for (const auto& [which, title] : menus) {
    SCOPED_TRACE(title.toStdString());
    std::vector<QString> expected;
    for (const TCommand& c : commandTable()) {
      if (c.Menu != which) continue;
      if (c.SeparatorBefore) expected.push_back("-");
      expected.push_back(text(c.Caption));
      if (c.Id == CommandId::QuickConnect) expected.push_back("Connect");
      if (c.Id == CommandId::ModifyFont) expected.push_back("Change &keylist");
    }
    ASSERT_NE(Menu(title), nullptr);
    EXPECT_EQ(texts(Menu(title)->actions()), expected);
  }
  EXPECT_EQ(window->windowTitle(), "Ondrix version 1.1.3");
  EXPECT_EQ(window->size(), QSize(665, 453));
}

TEST_F(MainWindowTest, PopupMenuUsesItsOwnCaptions) {
  Create();
  std::vector<QString> expected;
  for (CommandId id : popupOrder()) {
    if (id == CommandId::Count_) {
      expected.push_back("-");
      continue;
    }
    const TCommand& c = command(id);
    expected.push_back(text(c.PopupCaption.empty() ? c.Caption : c.PopupCaption));
  }
  EXPECT_EQ(texts(window->popupMenu()->actions()), expected);
  EXPECT_EQ(window->popupMenu()->objectName(), "VTPopup");
  // Both actions of a command that the pop-up words differently are switched together.
  window->SetCommandEnabled(CommandId::Disconnect, true);
  QAction* popupDisconnect = window->popupMenu()->actions().at(4);
  ASSERT_EQ(popupDisconnect->text(), "&Disconnect");
  EXPECT_TRUE(popupDisconnect->isEnabled());
  window->SetCommandEnabled(CommandId::Disconnect, false);
  EXPECT_FALSE(popupDisconnect->isEnabled());
  EXPECT_FALSE(window->commandAction(CommandId::Disconnect)->isEnabled());
}

TEST_F(MainWindowTest, ShortCutsBelongToOneActionEach) {
  Create();
  EXPECT_EQ(window->commandAction(CommandId::Copy)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Insert));
  EXPECT_EQ(window->commandAction(CommandId::Paste)->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_Insert));
  std::vector<QKeySequence> seen;
  for (const QAction* a : window->findChildren<QAction*>()) {
    if (a->shortcut().isEmpty()) continue;
    EXPECT_EQ(std::count(seen.begin(), seen.end(), a->shortcut()), 0) << a->text().toStdString();
    seen.push_back(a->shortcut());
  }
  EXPECT_EQ(seen.size(), 2u);
}

TEST_F(MainWindowTest, PasteShortCutReachesTheSessionFromTheTerminal) {
  AddConnection("Alpha");
  Create();
  window->show();
  QApplication::setActiveWindow(window.get());
  window->form().OpenSession(0);
  ASSERT_NE(window->terminal(0), nullptr);
  QGuiApplication::clipboard()->setText(QStringLiteral("typed"));
  QSignalSpy pasted(window->commandAction(CommandId::Paste), &QAction::triggered);
  QTest::keyClick(window->terminal(0), Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(pasted.count(), 1);
}

TEST_F(MainWindowTest, ToolBarsFromTheCommandTable) {
  Create();
  EXPECT_EQ(window->buttonBar()->windowTitle(), "Ondrix button bar");
  EXPECT_EQ(window->managersBar()->windowTitle(), "Ondrix Managers");
  EXPECT_EQ(window->userToolBar()->windowTitle(), "User configurable toolbar");

  std::vector<QString> expected;
  for (CommandId id : buttonBarOrder())
    expected.push_back(id == CommandId::Count_ ? QStringLiteral("-") : text(command(id).Caption));
  EXPECT_EQ(texts(window->buttonBar()->actions()), expected);
  for (QAction* a : window->buttonBar()->actions()) {
    if (a->isSeparator()) continue;
    EXPECT_FALSE(a->icon().isNull()) << a->text().toStdString();
    EXPECT_FALSE(a->toolTip().isEmpty());
  }
  EXPECT_EQ(window->commandAction(CommandId::Detach)->toolTip(), "Detach current");

  std::vector<QString> letters;
  for (QAction* a : window->managersBar()->actions()) letters.push_back(a->iconText());
  EXPECT_EQ(letters, (std::vector<QString>{"C", "P", "K", "G", "S", "A"}));
  EXPECT_EQ(window->managersBar()->toolButtonStyle(), Qt::ToolButtonTextOnly);

  for (QToolBar* bar : {window->buttonBar(), window->managersBar(), window->userToolBar()}) {
    EXPECT_EQ(bar->allowedAreas(), Qt::AllToolBarAreas);
    EXPECT_TRUE(bar->isMovable());
    EXPECT_TRUE(bar->isFloatable());
    EXPECT_EQ(window->toolBarArea(bar), Qt::TopToolBarArea);
  }
  EXPECT_TRUE(window->toolBarBreak(window->userToolBar()));  // on a row of its own
  EXPECT_FALSE(window->buttonBar()->toggleViewAction()->isVisible());  // not closable
  std::unique_ptr<QMenu> context(window->createPopupMenu());
  ASSERT_NE(context, nullptr);
  for (QAction* a : context->actions()) {
    if (a->isVisible()) {
      EXPECT_NE(a->text(), "Ondrix button bar");
    }
  }
}

TEST_F(MainWindowTest, ShowToolbarTogglesBothBarsButNotTheUserToolbar) {
  Create();
  window->show();
  window->form().AddUserButton("Go", "Runs go.oxs", "go.oxs");
  QAction* show = window->commandAction(CommandId::ShowToolbar);
  EXPECT_TRUE(show->isChecked());
  show->trigger();
  EXPECT_FALSE(show->isChecked());
  EXPECT_FALSE(window->buttonBar()->isVisible());
  EXPECT_FALSE(window->managersBar()->isVisible());
  EXPECT_TRUE(window->userToolBar()->isVisible());
  show->trigger();
  EXPECT_TRUE(show->isChecked());
  EXPECT_TRUE(window->buttonBar()->isVisible());
  EXPECT_TRUE(window->managersBar()->isVisible());
  EXPECT_TRUE(window->userToolBar()->isVisible());
}

TEST_F(MainWindowTest, UserToolbarShowsWhileItHoldsSomething) {
  Create();
  window->show();
  EXPECT_FALSE(window->userToolBar()->isVisible());
  const std::int32_t button = window->form().AddUserButton("Go", "Runs go.oxs", "go.oxs");
  EXPECT_TRUE(window->userToolBar()->isVisible());
  ASSERT_EQ(window->userToolBar()->actions().size(), 1);
  EXPECT_EQ(window->userToolBar()->actions()[0]->text(), "Go");
  EXPECT_EQ(window->userToolBar()->actions()[0]->toolTip(), "Runs go.oxs");
  const std::int32_t wide = window->form().AddUserButton("", "Wide", "go.oxs", 60);
  EXPECT_EQ(window->userToolBar()->widgetForAction(window->userToolBar()->actions()[1])->width(), 60);
  window->form().RemoveUserButton(wide);
  const std::int32_t spacer = window->form().AddUserSpacer();
  EXPECT_EQ(texts(window->userToolBar()->actions()), (std::vector<QString>{"Go", "-"}));
  window->form().RemoveUserButton(button);
  EXPECT_TRUE(window->userToolBar()->isVisible());
  window->form().RemoveUserSpacer(spacer);
  EXPECT_FALSE(window->userToolBar()->isVisible());
  EXPECT_TRUE(window->userToolBar()->actions().isEmpty());
}

TEST_F(MainWindowTest, ScriptsChangeAUserButtonsCaptionAndGlyph) {
  Create();
  window->show();
  const std::int32_t button = window->form().AddUserButton("Go", "Runs go.oxs", "go.oxs");
  QAction* action = window->userToolBar()->actions().at(0);
  EXPECT_TRUE(window->form().SetUserButtonCaption(button, "Stop"));
  EXPECT_EQ(action->text(), "Stop");
  const QString bitmap = QString::fromStdString(data) + "glyph.bmp";
  QImage picture(16, 16, QImage::Format_RGB32);
  picture.fill(Qt::red);
  ASSERT_TRUE(picture.save(bitmap, "BMP"));
  EXPECT_TRUE(window->form().SetUserButtonGlyph(button, bitmap.toStdString()));
  EXPECT_FALSE(action->icon().isNull());
  EXPECT_FALSE(window->form().SetUserButtonCaption(button + 1, "None"));
}

TEST_F(MainWindowTest, StatusPanelsHaveTheirWidths) {
  Create();
  window->show();
  const int widths[] = {300, 120, 120, 50};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(window->statusPanel(i)->width(), widths[i]) << i;
  window->form().WriteStatus("Hello");
  EXPECT_EQ(window->statusPanel(0)->text(), "Hello");
}

TEST_F(MainWindowTest, LogoShowsCentredWhileNoSessionIsOpen) {
  Create();
  window->show();
  EXPECT_FALSE(window->tabs()->isVisible());
  LogoPanel* logo = window->logoPanel();
  ASSERT_FALSE(logo->logo().isNull()) << "the GIF resource was not decoded";
  for (const QSize size : {QSize(665, 453), QSize(1000, 700), QSize(420, 300)}) {
    SCOPED_TRACE(size.width());
    window->resize(size);
    ProcessUntil([&] { return window->size() == size; });
    const QRect r = logo->logoRect();
    EXPECT_EQ(r.size(), logo->logo().size());
    EXPECT_LE(std::abs(r.center().x() - logo->rect().center().x()), 1);
    EXPECT_LE(std::abs(r.center().y() - logo->rect().center().y()), 1);
    const QImage shown = logo->grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(2, 2)), QColor(Qt::black));
    int lit = 0;
    for (int x = r.left(); x <= r.right(); x += 3)
      if (QColor(shown.pixel(x, r.center().y())).lightness() > 100) ++lit;
    EXPECT_GT(lit, 5) << "the logo is painted in its rectangle";
  }
}

TEST_F(MainWindowTest, TheWindowGrowsUntilTheWholeScreenOfASessionShows) {
  AddConnection("Alpha");
  Create();
  window->show();
  window->form().FormShow({});
  const QSize before = window->size();
  window->form().OpenSession(0);
  term::view::TermView* view = window->terminal(0);
  ASSERT_NE(view, nullptr);
  const QSize room = window->screen()->availableGeometry().size();
  ProcessUntil([&] { return window->size() != before; });
  const QSize shown = view->parentWidget()->contentsRect().size();
  const QSize wanted = view->sizeHint();
  // The whole terminal shows, unless the screen itself is too small for it.
  EXPECT_TRUE(shown.width() >= wanted.width() || window->width() >= room.width() - 50) << shown.width();
  EXPECT_TRUE(shown.height() >= wanted.height() || window->height() >= room.height() - 50) << shown.height();
  EXPECT_GT(window->height(), before.height());  // 25 rows never fit the first window
}

TEST_F(MainWindowTest, SessionsGetTabsAlongTheBottom) {
  AddConnection("Alpha");
  AddConnection("Beta & Co");
  Create();
  window->show();
  window->form().FormShow({});
  EXPECT_FALSE(window->commandAction(CommandId::Copy)->isEnabled());
  EXPECT_FALSE(window->keylistMenu()->menuAction()->isEnabled());
  EXPECT_TRUE(window->commandAction(CommandId::ShowToolbar)->isEnabled());
  EXPECT_EQ(texts(window->connectMenu()->actions()), (std::vector<QString>{"Alpha", "Beta && Co"}));

  window->connectMenu()->actions()[0]->trigger();
  window->connectMenu()->actions()[1]->trigger();
  ASSERT_EQ(window->tabs()->count(), 2);
  EXPECT_TRUE(window->tabs()->isVisible());
  EXPECT_EQ(window->tabs()->tabPosition(), QTabWidget::South);
  EXPECT_EQ(window->tabs()->tabText(0), "Alpha");
  EXPECT_EQ(window->tabs()->tabText(1), "Beta && Co");
  EXPECT_EQ(window->tabs()->currentIndex(), 1);
  EXPECT_EQ(window->form().ActivePageIndex(), 1);
  EXPECT_TRUE(window->terminal(1)->isVisible());
  EXPECT_EQ(window->terminal(1)->contextMenuPolicy(), Qt::CustomContextMenu);
  EXPECT_TRUE(window->commandAction(CommandId::Copy)->isEnabled());
  EXPECT_TRUE(window->keylistMenu()->menuAction()->isEnabled());
  EXPECT_EQ(window->statusPanel(1)->text().toStdString(), window->form().Panel(1).Connection.Emulation);
  EXPECT_EQ(window->statusPanel(2)->text().toStdString(), window->form().Panel(1).KeyListName);

  // The user picks a tab: the form follows.
  window->tabs()->setCurrentIndex(0);
  EXPECT_EQ(window->form().ActivePageIndex(), 0);
  window->commandAction(CommandId::NextTab)->trigger();
  EXPECT_EQ(window->tabs()->currentIndex(), 1);

  window->commandAction(CommandId::Disconnect)->trigger();
  ProcessUntil([&] { return window->tabs()->count() == 1; });
  ASSERT_EQ(window->tabs()->count(), 1);
  EXPECT_EQ(window->tabs()->tabText(0), "Alpha");
  window->commandAction(CommandId::Disconnect)->trigger();
  ProcessUntil([&] { return window->tabs()->count() == 0; });
  EXPECT_EQ(window->tabs()->count(), 0);
  EXPECT_FALSE(window->tabs()->isVisible());
  EXPECT_FALSE(window->commandAction(CommandId::Copy)->isEnabled());
  EXPECT_FALSE(window->keylistMenu()->menuAction()->isEnabled());
  EXPECT_EQ(window->statusPanel(1)->text(), "");
}

TEST_F(MainWindowTest, NameSubmenusWithoutNamesHoldADisabledItem) {
  Create();
  const std::vector<QString> none{"No connections available"};
  EXPECT_EQ(texts(window->connectMenu()->actions()), none);
  EXPECT_FALSE(window->connectMenu()->actions()[0]->isEnabled());
  EXPECT_FALSE(window->keylistMenu()->actions().isEmpty());  // the factory keylists
  window->SetKeylistMenu({});
  EXPECT_EQ(texts(window->keylistMenu()->actions()), std::vector<QString>{"(No keylist available)"});
  EXPECT_FALSE(window->keylistMenu()->actions()[0]->isEnabled());
}

TEST_F(MainWindowTest, AddinItemsSitBetweenToolsAndHelp) {
  Create();
  TAddinMenuItem leaf{1, "Run report", true, {}};
  TAddinMenuItem group{2, "Group", false, {TAddinMenuItem{3 + 2 * 65536, "Child", true, {}}}};
  window->SetAddinMenu({leaf, group});
  EXPECT_EQ(texts(window->menuBar()->actions()),
            (std::vector<QString>{"&File", "&Edit", "&Managers", "&Tools", "Run report", "Group", "&Help"}));
  ASSERT_NE(Menu("Group"), nullptr);
  EXPECT_EQ(texts(Menu("Group")->actions()), std::vector<QString>{"Child"});
  window->SetAddinMenu({});
  EXPECT_EQ(texts(window->menuBar()->actions()),
            (std::vector<QString>{"&File", "&Edit", "&Managers", "&Tools", "&Help"}));
}

TEST_F(MainWindowTest, BoundsAreAppliedFieldByField) {
  Create();
  window->show();
  window->SetBounds({-1, -1, -1, -1});
  EXPECT_EQ(window->size(), QSize(665, 453));
  window->SetBounds({-1, -1, 700, -1});
  EXPECT_EQ(window->size(), QSize(700, 453));
  window->SetBounds({30, 40, 640, 480});
  const TBounds b = window->Bounds();
  EXPECT_EQ(b.Left, 30);
  EXPECT_EQ(b.Top, 40);
  EXPECT_EQ(b.Width, 640);
  EXPECT_EQ(b.Height, 480);
  window->SetBounds({-5000, -5000, -1, -1});  // no screen there: the window stays where it is
  EXPECT_EQ(window->Bounds().Left, 30);
}

TEST_F(MainWindowTest, ClosingTheWindowShutsTheFormDown) {
  Create();
  window->show();
  window->form().CloseProgram();
  EXPECT_FALSE(window->form().ShutDown());  // never from inside the caller
  ProcessUntil([&] { return window->form().ShutDown(); });
  EXPECT_TRUE(window->form().ShutDown());
  EXPECT_FALSE(window->isVisible());
}

}  // namespace
}  // namespace ondrix::shell::ui
