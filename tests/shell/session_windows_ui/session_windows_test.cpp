// The session windows on the offscreen platform, with the real main window and form: a detached
// session's window and its pop-up menu, reattaching by the close box, a page closed while
// detached, the rearrange dialog's texts and drops, and print jobs written to a PDF file.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "platform/qt/qt_event_loop.h"
#include "platform/services.h"
#include "shell/main_form.h"
#include "shell/ui/main_window.h"
#include "shell/ui/session_windows.h"
#include "store/stores/con_db_fcns.h"
#include "store/stores/def_db_fcns.h"
#include "store/stores/factory_data.h"
#include "term/view/term_view.h"

#include "common/offscreen_app.h"

namespace ondrix::shell::ui {
namespace {


std::vector<QString> texts(const QList<QAction*>& actions) {
  std::vector<QString> out;
  for (const QAction* a : actions) out.push_back(a->isSeparator() ? QStringLiteral("-") : a->text());
  return out;
}

class SessionWindowsTest : public ::testing::Test {
 protected:
  SessionWindowsTest() {
    root = std::filesystem::temp_directory_path() / ("ondrix_session_windows_" + std::to_string(::getpid()));
    std::filesystem::create_directories(root);
    data = (root / "DATA").string() + "/";
    store::createFactoryData(data);
  }
  ~SessionWindowsTest() override {
    window.reset();
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
  }

  // Opens sessions named `names` (to a port where nothing listens: the pages stay).
  void Open(const std::vector<std::string>& names) {
    {
      store::ConDBFcns book(data);
      store::DefDBFcns defaults(data);
      book.Open();
      defaults.Open();
      for (const std::string& name : names) {
        store::ConnectionRecord r = book.AddNew(defaults);
        r.Name = name;
        r.Host = "127.0.0.1";
        r.Port = 1;
        book.Write(r.RecordNo, r);
      }
      defaults.Close();
      book.Close();
    }
    window = std::make_unique<MainWindow>(root.string(), data);
    windows = &installSessionWindows(window->form(), *window);
    window->show();
    window->form().FormShow({});
    for (int i = 0; i < static_cast<int>(names.size()); ++i) window->form().OpenSession(i);
  }

  void ProcessUntil(const std::function<bool()>& done) {
    for (int round = 0; round < 50 && !done(); ++round) {
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      QCoreApplication::processEvents();
    }
  }

  DetachedWindow* Detached(int position) {
    const auto& forms = windows->detached().DetachedForms();
    return position < static_cast<int>(forms.size()) ? windows->windowOf(*forms[static_cast<std::size_t>(position)])
                                                     : nullptr;
  }

  QApplication& app = offscreenApplication();
  std::filesystem::path root;
  std::string data;
  platform::qt::QtEventLoop loop;
  platform::ScopedServices services{{&loop, nullptr, nullptr, nullptr, nullptr}};
  std::unique_ptr<MainWindow> window;
  SessionWindows* windows = nullptr;
};

TEST_F(SessionWindowsTest, CommandsAreInstalled) {
  Open({"Alpha"});
  for (CommandId id : {CommandId::Detach, CommandId::RearrangeTabs, CommandId::LogToFile, CommandId::PrintScreen,
                       CommandId::PrinterFont, CommandId::SetupPrinter, CommandId::EjectPrinterPage})
    EXPECT_TRUE(window->commandAction(id)->isEnabled()) << command(id).Caption;
}

TEST_F(SessionWindowsTest, DetachedWindowHoldsTheTerminalAndItsCloseBoxReattaches) {
  Open({"Alpha", "Beta"});
  term::view::TermView* terminal = window->terminal(0);
  window->form().SetActivePage(0);
  window->commandAction(CommandId::Detach)->trigger();
  DetachedWindow* detached = Detached(0);
  ASSERT_NE(detached, nullptr);
  EXPECT_TRUE(detached->isVisible());
  EXPECT_EQ(detached->windowTitle(), "Alpha");
  EXPECT_EQ(detached->terminal(), terminal);
  EXPECT_EQ(terminal->parentWidget(), detached);
  EXPECT_EQ(texts(detached->popupMenu()->actions()), (std::vector<QString>{"&Copy", "&Paste", "-", "&Reattach"}));
  EXPECT_FALSE(window->tabs()->isTabVisible(0));
  EXPECT_EQ(window->tabs()->currentIndex(), 1);
  EXPECT_EQ(detached->x(), window->x() + 8);

  QPointer<DetachedWindow> gone(detached);
  detached->close();
  ProcessUntil([&] { return gone.isNull(); });
  EXPECT_TRUE(gone.isNull());
  EXPECT_TRUE(window->tabs()->isTabVisible(0));
  EXPECT_EQ(window->terminal(0), terminal);
  EXPECT_EQ(window->tabs()->currentIndex(), 0);
  EXPECT_TRUE(windows->detached().DetachedForms().empty());
}

TEST_F(SessionWindowsTest, ReattachFromThePopupAndWhenTheMainWindowCloses) {
  Open({"Alpha", "Beta"});
  window->commandAction(CommandId::Detach)->trigger();
  window->commandAction(CommandId::Detach)->trigger();
  EXPECT_FALSE(window->tabs()->isVisible());
  EXPECT_FALSE(window->commandAction(CommandId::Copy)->isEnabled());
  Detached(1)->popupMenu()->actions().back()->trigger();  // "&Reattach"
  EXPECT_TRUE(window->tabs()->isVisible());
  EXPECT_TRUE(window->commandAction(CommandId::Copy)->isEnabled());
  EXPECT_EQ(window->tabs()->currentIndex(), 0);
  ASSERT_EQ(windows->detached().DetachedForms().size(), 1U);
  window->close();
  EXPECT_TRUE(windows->detached().DetachedForms().empty());
  EXPECT_EQ(window->form().PageCount(), 0);
}

TEST_F(SessionWindowsTest, PageClosedWhileDetachedTakesItsWindow) {
  Open({"Alpha", "Beta"});
  window->commandAction(CommandId::Detach)->trigger();
  QPointer<DetachedWindow> detached(Detached(0));
  ASSERT_FALSE(detached.isNull());
  window->form().ClosePage(1);
  ProcessUntil([&] { return detached.isNull(); });
  EXPECT_TRUE(detached.isNull());
  EXPECT_TRUE(windows->detached().DetachedForms().empty());
  EXPECT_EQ(window->form().PageCount(), 1);
}

TEST_F(SessionWindowsTest, RearrangeDialogDropsAndReorders) {
  Open({"Alpha", "Beta", "Gamma"});
  TRearrangeForm logic(window->form());
  RearrangeDialog dialog(logic, window.get());
  dialog.show();
  const QList<QLabel*> labels = dialog.findChildren<QLabel*>();
  ASSERT_EQ(labels.size(), 2);
  EXPECT_EQ(labels[0]->text(), "New tabs order:");
  EXPECT_EQ(labels[1]->text(),
            "Use the mouse to drag and drop the connection names in the order you would like them to be.");
  auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("Button2"));
  auto* cancel = dialog.findChild<QPushButton*>(QStringLiteral("Button1"));
  EXPECT_EQ(ok->text(), "&Ok");
  EXPECT_TRUE(ok->isDefault());
  EXPECT_EQ(cancel->text(), "&Cancel");
  EXPECT_EQ(dialog.list()->currentRow(), 0);

  QListWidget* list = dialog.list();
  dialog.dropAt(list->visualItemRect(list->item(2)).center());  // Alpha on Gamma
  ASSERT_EQ(list->count(), 3);
  EXPECT_EQ(list->item(0)->text(), "Beta");
  EXPECT_EQ(list->item(2)->text(), "Alpha");
  EXPECT_EQ(list->currentRow(), 2);
  dialog.dropAt(QPoint(-5, -5));  // outside: nothing
  EXPECT_EQ(list->item(2)->text(), "Alpha");
  ok->click();
  EXPECT_EQ(window->tabs()->tabText(0), "Beta");
  EXPECT_EQ(window->tabs()->tabText(2), "Alpha");
  EXPECT_EQ(window->form().Page(2).Caption, "Alpha");
}

TEST_F(SessionWindowsTest, PrintJobsGoToThePrinter) {
  Open({"Alpha"});
  const std::string pdf = (root / "screen.pdf").string();
  QPrinter& printer = windows->printDevice().printer();
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(pdf));
  window->commandAction(CommandId::PrintScreen)->trigger();
  ASSERT_TRUE(std::filesystem::exists(pdf));
  EXPECT_GT(std::filesystem::file_size(pdf), 0U);
  std::filesystem::remove(pdf);
  window->commandAction(CommandId::EjectPrinterPage)->trigger();
  EXPECT_TRUE(std::filesystem::exists(pdf));
}

}  // namespace
}  // namespace ondrix::shell::ui
