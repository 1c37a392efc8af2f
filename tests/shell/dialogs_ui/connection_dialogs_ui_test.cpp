// The connection dialogs' windows on the offscreen platform: captions, labels, control names, tab
// order, default buttons, the list-only combo boxes and the click areas.

#include <QApplication>
#include <algorithm>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "common/offscreen_app.h"
#include "dialog_fixture.h"
#include "shell/palette_colors.h"
#include "shell/headless/headless_main_view.h"
#include "shell/main_form.h"
#include "shell/ui/color_picker_dialog.h"
#include "shell/ui/conn_def_dialog.h"
#include "shell/ui/conn_dialog_widgets.h"
#include "shell/ui/conn_edit_dialog.h"
#include "shell/ui/conn_man_dialog.h"
#include "shell/ui/conn_text_color_dialog.h"
#include "shell/ui/connection_dialogs.h"
#include "shell/ui/quick_connect_dialog.h"

namespace ondrix::shell::ui {
namespace {

using Texts = std::vector<std::string>;

template <typename W>
W* child(QWidget& parent, const char* name) {
  W* widget = parent.findChild<W*>(name);
  EXPECT_NE(widget, nullptr) << name;
  return widget;
}

// The texts of every label, group box, check box, radio button and push button, in creation order.
Texts captions(QWidget& dialog) {
  Texts texts;
  for (QObject* o : dialog.findChildren<QObject*>()) {
    if (auto* l = qobject_cast<QLabel*>(o)) texts.push_back(l->text().toStdString());
    if (auto* g = qobject_cast<QGroupBox*>(o)) texts.push_back(g->title().toStdString());
    if (auto* b = qobject_cast<QAbstractButton*>(o)) texts.push_back(b->text().toStdString());
  }
  return texts;
}

// The object names along the focus chain, starting at `first`, for `count` widgets.
Texts focusChain(QWidget* first, std::size_t count) {
  Texts names;
  for (QWidget* w = first; names.size() < count; w = w->nextInFocusChain())
    if (w->focusPolicy() & Qt::TabFocus && !w->objectName().isEmpty() && w->isEnabled())
      names.push_back(w->objectName().toStdString());
  return names;
}

class ConnectionDialogsUiTest : public testing::DialogTest {
 protected:
  void SetUp() override {
    offscreenApplication();
    DialogTest::SetUp();
  }
  static store::ConnectionRecord sample() {
    store::ConnectionRecord r;
    r.RecordNo = 0;
    r.Name = "Lab";
    r.Host = "lab.example";
    r.Port = 23;
    r.Emulation = "VT220";
    r.Lines = 25;
    r.Columns = 80;
    r.SendWindowSize = true;
    r.DefNormalFore = 8;
    r.DefNormalBack = 1;
    return r;
  }
};

bool contains(const Texts& texts, const std::string& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST_F(ConnectionDialogsUiTest, EditorCaptionControlsAndTabOrder) {
  ConnEditDialog dialog(folder(), sample(), {}, nullptr);
  EXPECT_EQ(dialog.windowTitle().toStdString(), "Connection Editor - [Lab]");
  const Texts texts = captions(dialog);
  for (const char* text :
       {"Remote host:", "Port:", "Break sequence:", "Reset sequence:", "Palette:", "KeyList:",
        " Emulation ", "ANSI", "VT100", "VT220", " Options ", "Add carriage return",
        "Add line feed", "Local echo", "Monochrome", "Force line draws", "Send window size",
        " Screen size ", "Lines:", "Columns:", "&Color settings...", "Default &font...",
        "&Event handlers...", "&Ok", "&Cancel"})
    EXPECT_TRUE(contains(texts, text)) << text;
  EXPECT_EQ(child<QLineEdit>(dialog, "Edit1")->text().toStdString(), "lab.example");
  EXPECT_TRUE(dialog.findChildren<QRadioButton*>().at(2)->isChecked()) << "VT220";
  EXPECT_TRUE(child<QCheckBox>(dialog, "CheckBox6")->isChecked());
  EXPECT_TRUE(child<QPushButton>(dialog, "OkBtn")->isDefault());
  EXPECT_FALSE(child<QPushButton>(dialog, "Button4")->isEnabled())
      << "no event handler editor was handed over";
  const Texts chain = focusChain(child<QLineEdit>(dialog, "Edit1"), 6);
  EXPECT_EQ(chain, (Texts{"Edit1", "Edit2", "Edit3", "Edit4", "ComboBox1", "ComboBox2"}));
  const Texts tail = focusChain(child<QLineEdit>(dialog, "Edit5"), 7);
  EXPECT_EQ(tail, (Texts{"Edit5", "Edit6", "Button3", "Button5", "OkBtn", "CancelBtn", "Edit1"}));
}

TEST_F(ConnectionDialogsUiTest, EditorOkWithoutAHostStaysOpen) {
  ConnEditDialog dialog(folder(), sample(), {}, nullptr);
  dialog.show();
  child<QLineEdit>(dialog, "Edit1")->clear();
  QTest::mouseClick(child<QPushButton>(dialog, "OkBtn"), Qt::LeftButton);
  EXPECT_EQ(dialogs.messages, Texts{"You must supply a host name!"});
  EXPECT_TRUE(dialog.isVisible());
  child<QLineEdit>(dialog, "Edit1")->setText("x.example");
  child<QLineEdit>(dialog, "Edit5")->setText("100");
  QTest::mouseClick(child<QPushButton>(dialog, "OkBtn"), Qt::LeftButton);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.form().Record().Host, "x.example");
  EXPECT_EQ(dialog.form().Record().Lines, 99);
}

TEST_F(ConnectionDialogsUiTest, TheListsTakeNoTypedInput) {
  ConnEditDialog dialog(folder(), sample(), {}, nullptr);
  dialog.show();
  for (const char* name : {"ComboBox1", "ComboBox2"}) {
    auto* combo = child<QComboBox>(dialog, name);
    ASSERT_GT(combo->count(), 1) << name;
    EXPECT_FALSE(combo->isEditable());
    combo->setCurrentIndex(0);
    const std::string last = combo->itemText(combo->count() - 1).toStdString();
    QTest::keyClicks(combo, QString::fromStdString(last.substr(0, 3)));
    EXPECT_EQ(combo->currentIndex(), 0) << name;
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(combo->currentIndex(), 1) << name << ": the arrow keys still choose";
  }
}

TEST_F(ConnectionDialogsUiTest, DefaultsHaveTheirOwnControlSet) {
  ConnDefDialog dialog(folder(), nullptr);
  dialog.form().FormShow();
  EXPECT_EQ(dialog.windowTitle().toStdString(), "Connection defaults");
  const Texts texts = captions(dialog);
  for (const char* text : {"Default port:", "Break sequence:", "Reset sequence:", "Palette:",
                           "KeyList:", " Emulation ", "Add carriage rtn", "Force line draws",
                           "Lines:", "Columns:", "&Color settings...", "Default &font...", "&Ok",
                           "&Cancel"})
    EXPECT_TRUE(contains(texts, text)) << text;
  for (const char* absent : {"Remote host:", "Send window size", "&Event handlers...", "Port:"})
    EXPECT_FALSE(contains(texts, absent)) << absent;
  EXPECT_EQ(dialog.findChildren<QCheckBox*>().size(), 5);
  EXPECT_EQ(child<QLineEdit>(dialog, "PortEdit")->text().toStdString(), "23");
  EXPECT_EQ(child<QLineEdit>(dialog, "Edit3")->text().toStdString(), "25");
  EXPECT_EQ(child<QLineEdit>(dialog, "Edit4")->text().toStdString(), "80");
  EXPECT_TRUE(child<QPushButton>(dialog, "OkBtn")->isDefault());
  EXPECT_EQ(focusChain(child<QLineEdit>(dialog, "PortEdit"), 5),
            (Texts{"PortEdit", "Edit1", "Edit2", "ComboBox1", "ComboBox2"}));
  dialog.form().FormClose();
}

TEST_F(ConnectionDialogsUiTest, ManagerListsButtonsAndPopup) {
  writeBook({{"beta", "b.example"}, {"alpha", ""}});
  int menuBuilds = 0;
  ConnManDialog dialog(folder(), TConnectionHooks{[&] { ++menuBuilds; }, {}}, {}, nullptr);
  dialog.form().FormShow();
  EXPECT_EQ(dialog.windowTitle().toStdString(), "Ondrix Connection Manager");
  EXPECT_TRUE(dialog.windowFlags() & Qt::Tool);
  const Texts texts = captions(dialog);
  for (const char* text : {"Available connections:", "&Add new...", "De&lete...", "&Edit...",
                           "&Done", "&Connect"})
    EXPECT_TRUE(contains(texts, text)) << text;
  EXPECT_TRUE(child<QPushButton>(dialog, "DoneBtn")->isDefault());
  ASSERT_EQ(dialog.names()->count(), 2);
  EXPECT_EQ(dialog.names()->item(0)->text().toStdString(), "alpha");
  EXPECT_EQ(dialog.names()->currentRow(), 0);
  EXPECT_FALSE(dialog.control(TConnManView::kConnBtn)->isEnabled()) << "alpha has no host";
  dialog.names()->setCurrentRow(1);
  EXPECT_TRUE(dialog.control(TConnManView::kConnBtn)->isEnabled());
  ASSERT_EQ(dialog.popupMenu()->actions().size(), 1);
  EXPECT_EQ(dialog.popupMenu()->actions()[0]->text().toStdString(), "&Rename...");
  EXPECT_EQ(focusChain(dialog.names(), 6),
            (Texts{"Names", "NewBtn", "DeleteBtn", "EditBtn", "DoneBtn", "ConnBtn"}));
  dialog.show();
  QTest::mouseClick(child<QPushButton>(dialog, "DoneBtn"), Qt::LeftButton);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(menuBuilds, 1);
}

TEST_F(ConnectionDialogsUiTest, QuickConnectPresetsTheFirstNameAndTheDefaultPort) {
  writeBook({{"alpha", "a.example"}, {"beta", "b.example"}});
  QuickConnectDialog dialog(folder(), {}, nullptr);
  EXPECT_EQ(dialog.windowTitle().toStdString(), "Quick connect");
  const Texts texts = captions(dialog);
  for (const char* text : {"Connect to:", "Port:", "&Ok", "&Cancel"})
    EXPECT_TRUE(contains(texts, text)) << text;
  EXPECT_TRUE(dialog.hostEdit()->isEditable());
  EXPECT_EQ(dialog.hostEdit()->count(), 2);
  EXPECT_EQ(dialog.hostEdit()->currentText().toStdString(), "alpha");
  EXPECT_EQ(dialog.SelectedIndex(), 0);
  EXPECT_EQ(dialog.portEdit()->text().toStdString(), "23");
  EXPECT_TRUE(child<QPushButton>(dialog, "OkBtn")->isDefault());

  dialog.hostEdit()->setCurrentIndex(1);
  EXPECT_EQ(dialog.SelectedIndex(), 1);
  dialog.hostEdit()->setEditText("BETA");
  EXPECT_EQ(dialog.SelectedIndex(), -1) << "typed text is not the list entry";
  dialog.show();
  QTest::mouseClick(child<QPushButton>(dialog, "OkBtn"), Qt::LeftButton);
  EXPECT_EQ(dialog.chosen(), 1);
  EXPECT_FALSE(dialog.isVisible());
}

TEST_F(ConnectionDialogsUiTest, TextColorRowsAreColouredFromThePalette) {
  ConnTextColorDialog dialog(folder(), sample(), nullptr);
  EXPECT_EQ(dialog.windowTitle().toStdString(), "Connection text colors");
  Texts rows;
  for (int row = 0; row < TConnTextColorForm::kRowCount; ++row)
    rows.push_back(dialog.label(row)->text().toStdString());
  EXPECT_EQ(rows, (Texts{"Normal text", "High intensity text", "Reverse text", "Underlined text",
                         "Blinking text"}));
  EXPECT_TRUE(contains(captions(dialog), std::string(TConnTextColorForm::kExplanation)));
  EXPECT_TRUE(child<QPushButton>(dialog, "OkBtn")->isDefault());
  const store::PaletteRecord palette = readPalette(folder(), 0);
  EXPECT_EQ(dialog.panel(0)->palette().color(QPalette::Window), qtColor(palette.Colors[0]));
  EXPECT_EQ(dialog.label(0)->palette().color(QPalette::WindowText), qtColor(palette.Colors[7]));
}

TEST_F(ConnectionDialogsUiTest, PickerAnswersTheClickedPanel) {
  ColorPickerDialog picker(folder(), 0, nullptr);
  EXPECT_EQ(picker.windowTitle().toStdString(), "Color picker");
  EXPECT_TRUE(picker.windowFlags() & Qt::Tool);
  const store::PaletteRecord palette = readPalette(folder(), 0);
  for (int n = 1; n <= 16; ++n)
    EXPECT_EQ(picker.panel(n)->palette().color(QPalette::Window),
              qtColor(palette.Colors[static_cast<std::size_t>(n - 1)]))
        << n;
  picker.show();
  EXPECT_EQ(picker.form().Result(), -1);
  QTest::mouseClick(child<QWidget>(picker, "Panel7"), Qt::LeftButton);
  EXPECT_EQ(picker.form().Result(), 7);
  EXPECT_FALSE(picker.isVisible());
}

TEST_F(ConnectionDialogsUiTest, AClickOnTheWordsDoesNotReachThePanel) {
  ClickFrame panel;
  auto* label = new ClickLabel("words", &panel);
  int panelClicks = 0, labelClicks = 0;
  panel.onClick = [&] { ++panelClicks; };
  label->onClick = [&] { ++labelClicks; };
  panel.resize(200, 40);
  panel.show();
  QTest::mouseClick(label, Qt::LeftButton);
  QTest::mouseClick(&panel, Qt::LeftButton, {}, QPoint(190, 35));
  EXPECT_EQ(labelClicks, 1);
  EXPECT_EQ(panelClicks, 1);
}

TEST_F(ConnectionDialogsUiTest, TheInstallerHandsTheFourCommandsToTheMainWindow) {
  THeadlessMainFormView view;
  TMainForm form(view, folder(), folder());
  const CommandId commands[] = {CommandId::QuickConnect, CommandId::ConnectionManager,
                                CommandId::ConnectionDefaults};
  for (CommandId id : commands) EXPECT_FALSE(form.CommandEnabled(id));
  QWidget window;
  installConnectionDialogs(form, &window);
  for (CommandId id : commands) EXPECT_TRUE(form.CommandEnabled(id));
  EXPECT_FALSE(form.CommandEnabled(CommandId::ModifyColors)) << "a session command, no session";
}

}  // namespace
}  // namespace ondrix::shell::ui
