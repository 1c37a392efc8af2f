// The script windows as Qt shows them, offscreen: captions, texts, the masked password, the focus
// and the defaults, and what the list dialog answers.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QTimer>

#include "common/offscreen_app.h"
#include "platform/qt/script_windows_qt.h"

namespace ondrix::platform::qt {
namespace {

class ScriptWindowsQt : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { offscreenApplication(); }
};

TEST_F(ScriptWindowsQt, UserPassDialogTexts) {
  UserPassDialog empty{QString(), QString()};
  EXPECT_EQ(empty.windowTitle(), "Enter user name and password");
  EXPECT_EQ(empty.okButton()->text(), "&Ok");
  EXPECT_EQ(empty.cancelButton()->text(), "&Cancel");
  EXPECT_EQ(empty.passwordEdit()->echoMode(), QLineEdit::Password);
  const QList<QLabel*> labels = empty.findChildren<QLabel*>();
  QStringList texts;
  for (const QLabel* l : labels) texts << l->text();
  EXPECT_TRUE(texts.contains("User name:"));
  EXPECT_TRUE(texts.contains("Password:"));

  UserPassDialog filled("Host", "bob");
  filled.show();
  QApplication::processEvents();
  EXPECT_EQ(filled.windowTitle(), "Host");
  EXPECT_EQ(filled.userEdit()->text(), "bob");
  EXPECT_TRUE(filled.passwordEdit()->hasFocus());
}

TEST_F(ScriptWindowsQt, ListDialogChoosesOnOkOrDoubleClick) {
  ListDialog dialog{QString(), QString(), {"one", "two"}};
  EXPECT_EQ(dialog.windowTitle(), "List of values");
  EXPECT_EQ(dialog.label()->text(), "Select a value:");
  EXPECT_EQ(dialog.list()->selectedItems().size(), 0);
  QTimer::singleShot(0, [&] { dialog.okButton()->click(); });
  dialog.exec();
  EXPECT_EQ(dialog.chosen(), -1);  // OK without a selection

  QTimer::singleShot(0, [&] {
    dialog.list()->setCurrentRow(1);
    emit dialog.list()->itemDoubleClicked(dialog.list()->item(1));
  });
  dialog.exec();
  EXPECT_EQ(dialog.chosen(), 1);

  QTimer::singleShot(0, [&] { dialog.cancelButton()->click(); });
  dialog.exec();
  EXPECT_EQ(dialog.chosen(), -1);
}

TEST_F(ScriptWindowsQt, MessageWindowAndWindowState) {
  QtScriptWindows windows;
  windows.showMessageWindow("Working", "Step 1");
  ASSERT_NE(windows.messageWindow(), nullptr);
  EXPECT_TRUE(windows.messageWindow()->isVisible());
  EXPECT_FALSE(windows.messageWindow()->isModal());
  EXPECT_EQ(windows.messageWindow()->windowTitle(), "Working");
  EXPECT_EQ(windows.messageWindow()->label()->text(), "Step 1");
  windows.hideMessageWindow();
  EXPECT_FALSE(windows.messageWindow()->isVisible());

  QMainWindow main;
  main.show();
  windows.setMainWindowState(WindowState::Maximized);
  EXPECT_TRUE(main.isMaximized());
  windows.setMainWindowState(WindowState::Normal);
  EXPECT_FALSE(main.isMaximized());
}

}  // namespace
}  // namespace ondrix::platform::qt
