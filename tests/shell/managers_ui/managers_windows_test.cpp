// The keylist manager, keyboard editor and palette manager windows on the offscreen platform:
// captions, texts, mnemonics, enabled states and the wiring to their logic.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "common/offscreen_app.h"
#include "../managers/manager_fixture.h"
#include "shell/keyboard_layout.h"
#include "shell/ui/key_man_window.h"
#include "shell/ui/keyboard_window.h"
#include "shell/ui/palette_man_window.h"
#include "shell/ui/rename_dialog.h"
#include "store/stores/key_db_fcns.h"
#include "store/stores/pal_db_fcns.h"

namespace ondrix::shell::ui {
namespace {

QStringList labels(const QWidget& window) {
  QStringList texts;
  for (const QLabel* label : window.findChildren<QLabel*>()) texts << label->text();
  return texts;
}

class WindowsTest : public testing::ManagerTest {
 protected:
  void SetUp() override { offscreenApplication(); }
};

TEST_F(WindowsTest, KeylistManagerShowsTheKeylistsAndRebuildsTheMenuOnClose) {
  KeyManWindow window(folder());
  int closed = 0;
  window.setOnClosed([&] { ++closed; });
  EXPECT_EQ(window.windowTitle(), "Ondrix Keylist Manager");
  EXPECT_TRUE(labels(window).contains("Keylist definitions:"));
  EXPECT_EQ(window.newButton()->text(), "&New");
  EXPECT_EQ(window.deleteButton()->text(), "De&lete...");
  EXPECT_EQ(window.editButton()->text(), "&Edit...");
  EXPECT_EQ(window.doneButton()->text(), "&Done");
  EXPECT_EQ(window.renameAction()->text(), "&Rename...");
  EXPECT_TRUE(window.names()->actions().contains(window.renameAction()));

  window.ShowModeless();
  ASSERT_EQ(window.names()->count(), 4);
  EXPECT_EQ(window.names()->item(3)->text(), "VT220");
  EXPECT_EQ(window.names()->currentRow(), 0);
  window.names()->setCurrentRow(2);
  EXPECT_EQ(window.form().Selected(), 2);
  EXPECT_EQ(window.form().Current().Name, "VT100");
  window.newButton()->click();
  EXPECT_EQ(window.names()->count(), 5);
  EXPECT_EQ(window.names()->currentItem()->text(), "New keylist 4");
  // "&Edit..." opens the keyboard editor modally on the selected keylist; what it accepts stays.
  QString editorCaption;
  QTimer::singleShot(0, [&] {
    auto* editor = dynamic_cast<KeyboardWindow*>(QApplication::activeModalWidget());
    if (editor == nullptr) return;
    editorCaption = editor->windowTitle();
    editor->keyButton(findKeyButton("f7"))->click();
    editor->sendEdit()->setText("seven");
    editor->form().SendEditChange("seven");
    editor->acceptButton()->click();
    editor->doneButton()->click();
  });
  window.editButton()->click();
  EXPECT_EQ(editorCaption, "Keyboard editor - [New keylist 4]");
  bool defined = false;
  for (const store::KeyEntry& entry : window.form().Current().Entries)
    defined = defined || (entry.KeyLabel == "F7" && entry.SendText == "seven");
  EXPECT_TRUE(defined);
  window.doneButton()->click();
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(closed, 1);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(WindowsTest, KeylistManagerWithoutKeylistsDisablesEditing) {
  std::filesystem::remove(folder() + "KEYS.QDB");
  KeyManWindow window(folder());
  window.ShowModeless();
  EXPECT_FALSE(window.names()->isEnabled());
  EXPECT_FALSE(window.deleteButton()->isEnabled());
  EXPECT_FALSE(window.editButton()->isEnabled());
  EXPECT_TRUE(window.newButton()->isEnabled());
  window.newButton()->click();
  EXPECT_TRUE(window.editButton()->isEnabled());
  window.close();
}

store::TKeyItem keylist(const std::string& folder, int number) {
  store::KeyDBFcns keys(folder);
  keys.Open();
  store::TKeyItem item = keys.Read(number);
  keys.Close();
  return item;
}

void typeInto(QWidget* widget, int key, Qt::KeyboardModifiers modifiers) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QApplication::sendEvent(widget, &press);
}

TEST_F(WindowsTest, KeyboardEditorBuildsCombinationsFromButtonsAndRealKeys) {
  KeyboardWindow window(1, keylist(folder(), 1), folder());
  window.show();
  EXPECT_EQ(window.windowTitle(), "Keyboard editor - [ANSI]");
  EXPECT_TRUE(labels(window).contains("Key:"));
  EXPECT_TRUE(labels(window).contains("Send:"));
  EXPECT_EQ(window.acceptButton()->text(), "&Accept");
  EXPECT_EQ(window.doneButton()->text(), "&Done");
  EXPECT_TRUE(window.keyEdit()->isReadOnly());

  const int ctrl = modifierButton("Ctrl");
  window.keyButton(ctrl)->click();
  EXPECT_TRUE(window.keyButton(ctrl)->isChecked());
  window.keyButton(modifierButton("Shift", true))->click();
  window.keyButton(findKeyButton("f1"))->click();
  EXPECT_EQ(window.keyEdit()->text(), "Ctrl+Shift+f1");
  EXPECT_FALSE(window.keyButton(ctrl)->isChecked());

  typeInto(window.keyEdit(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(window.keyEdit()->text(), "Shift+Tab");
  EXPECT_EQ(window.sendEdit()->text(), "\\e[Z");
  EXPECT_EQ(window.sendEdit()->selectedText(), "\\e[Z");
  typeInto(window.keyEdit(), Qt::Key_Enter, Qt::KeypadModifier | Qt::ControlModifier);
  EXPECT_EQ(window.keyEdit()->text(), "Ctrl+KPENTER");
  typeInto(window.keyEdit(), Qt::Key_Control, Qt::ControlModifier);  // a modifier alone: nothing
  EXPECT_EQ(window.keyEdit()->text(), "Ctrl+KPENTER");

  window.sendEdit()->setFocus();
  window.sendEdit()->selectAll();
  window.sendEdit()->insert("^M^J");
  window.acceptButton()->click();
  const store::KeyEntry& defined = window.form().KeyList().Entries.back();
  EXPECT_EQ(defined.KeyLabel, "Ctrl+KPENTER");
  EXPECT_EQ(defined.SendText, "^M^J");
  EXPECT_EQ(defined.ScanCode, 28);
  EXPECT_TRUE(defined.ExtendedKey && defined.CtrlKey);
  window.doneButton()->click();
  EXPECT_FALSE(window.isVisible());
}

TEST(KeyButtonForQtKey, RealKeysFindTheirButtons) {
  struct Case {
    int key;
    bool keypad;
    std::string_view name;  // empty: no button
  };
  const Case cases[] = {
      {Qt::Key_F1, false, "f1"},    {Qt::Key_F12, false, "f12"},    {Qt::Key_A, false, "a"},
      {Qt::Key_Exclam, false, "1"}, {Qt::Key_Up, false, "Up"},      {Qt::Key_Up, true, "KP8"},
      {Qt::Key_Enter, true, "KPENTER"}, {Qt::Key_Return, false, "Enter"},
      {Qt::Key_Escape, false, "Esc"}, {Qt::Key_Delete, false, "Del"}, {Qt::Key_Slash, true, "KP/"},
      {Qt::Key_Space, false, "Space"}, {Qt::Key_Control, false, ""}, {Qt::Key_Shift, false, ""},
  };
  for (const Case& c : cases) {
    const int button = keyButtonForQtKey(c.key, c.keypad);
    if (c.name.empty()) {
      EXPECT_EQ(button, -1) << c.key;
    } else {
      ASSERT_GE(button, 0) << c.name;
      EXPECT_EQ(keyboardButtons()[static_cast<std::size_t>(button)].Name, c.name);
    }
  }
}

TEST_F(WindowsTest, PaletteManagerColoursItsPanelsAndRefusesTheDefault) {
  PaletteManWindow window(folder());
  EXPECT_EQ(window.windowTitle(), "Ondrix Palette Manager");
  EXPECT_TRUE(labels(window).contains("Available palettes:"));
  EXPECT_EQ(window.newButton()->text(), "&New...");
  EXPECT_EQ(window.deleteButton()->text(), "De&lete...");
  EXPECT_EQ(window.doneButton()->text(), "&Done");
  EXPECT_EQ(window.renameAction()->text(), "&Rename...");
  window.ShowModeless();
  for (int n = 1; n <= 16; ++n) EXPECT_EQ(window.panel(n)->text(), QString::number(n));
  EXPECT_EQ(window.panel(2)->palette().color(QPalette::Window), QColor(0xAA, 0, 0));  // red
  EXPECT_EQ(window.panel(5)->palette().color(QPalette::Window), QColor(0, 0, 0xAA));  // blue
  window.names()->setCurrentRow(1);
  EXPECT_EQ(window.form().Selected(), 1);
  window.names()->setCurrentRow(0);

  QMouseEvent doubleClick(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window.panel(3), &doubleClick);
  EXPECT_EQ(dialogs.messages, (std::vector<std::string>{"Cannot modify the default palette"}));

  window.newButton()->click();
  EXPECT_EQ(window.names()->currentItem()->text(), "New palette 3");
  window.doneButton()->click();
  EXPECT_FALSE(window.isVisible());
  store::PalDBFcns palettes(folder());
  palettes.Open();
  EXPECT_EQ(palettes.ListNames().back(), "New palette 3");
  palettes.Close();
}

TEST_F(WindowsTest, RenameDialogOffersTheCurrentNameFocused) {
  QWidget owner;
  RenameDialog dialog("Rename keylist", "VT100", &owner);
  dialog.show();
  QApplication::processEvents();
  EXPECT_EQ(dialog.windowTitle(), "Rename keylist");
  EXPECT_TRUE(labels(dialog).contains("New name:"));
  EXPECT_EQ(dialog.nameEdit()->text(), "VT100");
  EXPECT_EQ(dialog.findChild<QPushButton*>("OkBtn")->text(), "&Ok");
  EXPECT_EQ(QApplication::focusWidget(), dialog.nameEdit());
}

}  // namespace
}  // namespace ondrix::shell::ui
