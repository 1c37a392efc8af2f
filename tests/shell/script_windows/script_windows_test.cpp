// The script manager and the event handler editor on the offscreen platform: captions, menus,
// pop-up menus, toolbars, short-cuts, enabled states, status panels, the clipboard commands and
// the layout of the event editor's buttons.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>

#include "common/offscreen_app.h"
#include "script/script_engine.h"
#include "script_fakes.h"
#include "shell/ui/editor_window_parts.h"
#include "shell/ui/event_editor_window.h"
#include "shell/ui/script_editor_widget.h"
#include "shell/ui/script_manager_window.h"
#include "store/stores/evt_db_fcns.h"

namespace ondrix::shell::ui {
namespace {

// "Caption\tShort-cut" for each item of a menu ("-" for a separator).
std::vector<std::string> items(const QMenu* menu) {
  std::vector<std::string> out;
  for (const QAction* a : menu->actions()) {
    if (a->isSeparator()) {
      out.emplace_back("-");
      continue;
    }
    std::string item = a->text().toStdString();
    if (!a->shortcut().isEmpty()) item += "\t" + a->shortcut().toString().toStdString();
    out.push_back(item);
  }
  return out;
}

std::vector<std::string> menuTitles(const QMenuBar* bar) {
  std::vector<std::string> titles;
  for (const QAction* a : bar->actions()) titles.push_back(a->text().toStdString());
  return titles;
}

const QMenu* menuNamed(const QMenuBar* bar, const char* title) {
  for (const QAction* a : bar->actions())
    if (a->text() == QLatin1String(title)) return a->menu();
  return nullptr;
}

std::vector<std::string> toolTips(const QToolBar* toolbar) {
  std::vector<std::string> tips;
  for (const QAction* a : toolbar->actions()) tips.push_back(a->isSeparator() ? "-" : a->toolTip().toStdString());
  return tips;
}

class ScriptWindows : public shell::testing::ScriptWindowTest {
 protected:
  ScriptWindows() : app_(offscreenApplication()) {}

  QApplication& app_;
  const script::ScriptEngine engine_;
  script::TComponent mainForm_{nullptr, "TMainForm", "MainForm"};
};

TEST_F(ScriptWindows, ScriptManagerMenusPopupAndToolbar) {
  ScriptManagerWindow window(folder(), folder(), mainForm_);
  EXPECT_EQ(window.windowTitle(), "Ondrix script manager");
  EXPECT_EQ(menuTitles(window.menuBar()), (std::vector<std::string>{"&File", "&Edit", "&Run", "&Help"}));
  EXPECT_EQ(items(menuNamed(window.menuBar(), "&File")),
            (std::vector<std::string>{"&New script\tF5", "&Open script...\tF3", "&Save\tF2", "Save &as...\tCtrl+S",
                                      "&Close script\tF10", "-", "&Print script...\tCtrl+P", "-",
                                      "E&xit script manager\tCtrl+F10"}));
  EXPECT_EQ(items(menuNamed(window.menuBar(), "&Run")),
            (std::vector<std::string>{"&Run script...\tF9", "&Check script\tCtrl+F9"}));
  EXPECT_EQ(items(menuNamed(window.menuBar(), "&Help")), (std::vector<std::string>{"&Contents...\tF1", "&Index..."}));
  EXPECT_EQ(items(window.actions().popup()),
            (std::vector<std::string>{"&New script\tF5", "&Open script...\tF3", "&Save script\tF2",
                                      "Save &as...\tCtrl+S", "C&lose page\tF10", "-", "Cu&t\tCtrl+X", "&Copy\tCtrl+C",
                                      "&Paste\tCtrl+V"}));
  const auto* toolbar = window.findChild<QToolBar*>();
  ASSERT_NE(toolbar, nullptr);
  EXPECT_EQ(toolbar->windowTitle(), "Script Manager Toolbar");
  EXPECT_EQ(toolTips(toolbar), (std::vector<std::string>{"New script", "Open script", "Save", "Close script", "-",
                                                         "Print", "-", "Cut", "Copy", "Paste", "-", "Run script", "-",
                                                         "Help"}));
}

TEST_F(ScriptWindows, ScriptManagerEnablesTaggedCommandsWithAPage) {
  ScriptManagerWindow window(folder(), folder(), mainForm_);
  EditorActions& actions = window.actions();
  EXPECT_FALSE(window.pages()->isVisibleTo(&window));
  for (EditorCommand id : {EditorCommand::RunScript, EditorCommand::SaveScript, EditorCommand::CloseScript,
                           EditorCommand::PrintScript, EditorCommand::Cut, EditorCommand::Copy, EditorCommand::Paste})
    EXPECT_FALSE(actions.action(id)->isEnabled()) << static_cast<int>(id);
  EXPECT_TRUE(actions.action(EditorCommand::NewScript)->isEnabled());
  EXPECT_FALSE(actions.action(EditorCommand::HelpContents)->isEnabled());  // until the help lands

  actions.action(EditorCommand::NewScript)->trigger();
  actions.action(EditorCommand::NewScript)->trigger();
  EXPECT_TRUE(window.isVisible());
  EXPECT_TRUE(window.pages()->isVisible());
  EXPECT_EQ(window.pages()->tabText(1), "Untitled2.oxs");
  EXPECT_TRUE(actions.action(EditorCommand::RunScript)->isEnabled());
  EXPECT_EQ(window.status().panel(0), "1:1");
  EXPECT_EQ(window.status().panel(1), "");
  EXPECT_EQ(window.status().panel(2), "Insert");

  window.activeEditor()->insert(QStringLiteral("begin end."));
  window.activeEditor()->setCursorPosition(0, 5);
  QApplication::processEvents();  // the editor reports caret moves after its update
  EXPECT_EQ(window.status().panel(0), "1:6");
  EXPECT_EQ(window.status().panel(1), "Modified");

  // Closing the window starts with the active, changed page: "Cancel" keeps the window and both
  // pages; "No" closes it, and the unchanged one closes without a question.
  dialogs.answers = {platform::MessageResult::Cancel};
  EXPECT_FALSE(window.close());
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.pages()->count(), 2);
  dialogs.answers = {platform::MessageResult::No};
  EXPECT_TRUE(window.close());
  EXPECT_EQ(dialogs.messages.size(), 2u);
  EXPECT_FALSE(actions.action(EditorCommand::RunScript)->isEnabled());
}

TEST_F(ScriptWindows, ScriptManagerPopupCutAndPasteUseTheClipboard) {
  ScriptManagerWindow window(folder(), folder(), mainForm_);
  window.actions().action(EditorCommand::NewScript)->trigger();
  ScriptEditorWidget* editor = window.activeEditor();
  editor->insert(QStringLiteral("alpha beta"));
  editor->setSelection(0, 0, 0, 6);
  const auto popupAction = [&window](const char* text) {
    for (QAction* a : window.actions().popup()->actions())
      if (a->text() == QLatin1String(text)) return a;
    return static_cast<QAction*>(nullptr);
  };
  popupAction("Cu&t")->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), "alpha ");
  EXPECT_EQ(editor->text(), "beta");
  editor->setCursorPosition(0, 4);
  popupAction("&Paste")->trigger();
  EXPECT_EQ(editor->text(), "betaalpha ");
  window.actions().action(EditorCommand::Undo)->trigger();
  EXPECT_EQ(editor->text(), "beta");
}

TEST_F(ScriptWindows, EventEditorForSystem) {
  EventEditorWindow window("System", folder(), folder(), mainForm_);
  EXPECT_EQ(window.windowTitle(), "Connection event handlers");
  window.form().FormShow();
  EXPECT_EQ(window.windowTitle(), "Event handlers for \"System\"");
  std::vector<std::string> tabs;
  for (int i = 0; i < window.pages()->count(); ++i) tabs.push_back(window.pages()->tabText(i).toStdString());
  EXPECT_EQ(tabs, (std::vector<std::string>{"OnBeforeConnect", "OnConnect", "OnDisconnect", "OnWatch", "OnStart",
                                            "OnStop"}));
  const auto* bar = window.findChild<QMenuBar*>();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(menuTitles(bar), (std::vector<std::string>{"&File", "&Edit"}));
  EXPECT_EQ(items(menuNamed(bar, "&File")),
            (std::vector<std::string>{"&Import script from file...\tF2", "&Check script\tCtrl+F9", "-",
                                      "&Save and exit\tF10", "&Exit without saving"}));
  const std::vector<std::string> edit = items(menuNamed(bar, "&Edit"));
  EXPECT_EQ(std::vector<std::string>(edit.begin() + 3, edit.begin() + 6),
            (std::vector<std::string>{"Cu&t\tCtrl+X", "&Copy\tCtrl+C", "&Paste\tCtrl+V"}));
  EXPECT_EQ(items(window.actions().popup()),
            (std::vector<std::string>{"&Save and exit\tF10", "&Exit without saving", "-", "Cu&t\tCtrl+X",
                                      "&Copy\tCtrl+C", "&Paste\tCtrl+V"}));
  const auto* toolbar = window.findChild<QToolBar*>();
  EXPECT_EQ(toolbar->windowTitle(), "Toolbar");
  EXPECT_EQ(toolTips(toolbar), (std::vector<std::string>{"Paste", "Copy", "Cut", "Import script from file"}));
  EXPECT_EQ(window.enabledBox()->text(), "Enabled");
  EXPECT_EQ(window.findChild<QPushButton*>("SaveBtn")->text(), "&Save and exit");
  EXPECT_EQ(window.findChild<QPushButton*>("ExitBtn")->text(), "&Exit without saving");
  EXPECT_EQ(window.status().panel(2), "Insert");
}

TEST_F(ScriptWindows, EventEditorButtonsKeepToTheRightEdge) {
  EventEditorWindow window("Lab", folder(), folder(), mainForm_);
  window.form().FormShow();
  window.show();
  for (const int width : {500, 800}) {
    window.resize(width, 400);
    QApplication::processEvents();
    const QPushButton* save = window.findChild<QPushButton*>("SaveBtn");
    const QPushButton* exit = window.findChild<QPushButton*>("ExitBtn");
    const QWidget* panel = exit->parentWidget();
    EXPECT_EQ(panel->width() - exit->geometry().right() - 1, 10) << width;
    EXPECT_EQ(exit->geometry().left() - save->geometry().right() - 1, 10) << width;
  }
  window.CloseWindow();
}

TEST_F(ScriptWindows, EventEditorEnabledBoxAndSave) {
  {
    EventEditorWindow window("Lab", folder(), folder(), mainForm_);
    window.form().FormShow();
    EXPECT_EQ(window.pages()->count(), 4);
    EXPECT_FALSE(window.enabledBox()->isChecked());
    window.enabledBox()->click();
    window.activeEditor()->insert(QStringLiteral("begin end."));
    window.pages()->setCurrentIndex(2);
    EXPECT_FALSE(window.enabledBox()->isChecked());
    window.pages()->setCurrentIndex(0);
    EXPECT_TRUE(window.enabledBox()->isChecked());
    window.findChild<QPushButton*>("SaveBtn")->click();
    EXPECT_EQ(window.result(), QDialog::Accepted);
  }
  store::EvtDBFcns events(folder());
  events.Open();
  EXPECT_EQ(events.Read("Lab", 1), (store::EventRec{"Lab", 1, 1, "begin end."}));
  EXPECT_EQ(events.Read("Lab", 4), (store::EventRec{"Lab", 4, 0, ""}));
  events.Close();
}

}  // namespace
}  // namespace ondrix::shell::ui
