// The add-in manager window and the about box offscreen: captions, texts, enabled states, and an
// add-in added through the edit dialog reaching the tree, the menu preview and the file.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <filesystem>

#include "common/offscreen_app.h"
#include "shell/ui/outside/about_box.h"
#include "shell/ui/outside/addin_edit_dialog.h"
#include "shell/ui/outside/addin_manager_window.h"
#include "store/records/event_record.h"
#include "store/stores/addin_db.h"
#include "store/stores/record_file.h"

namespace ondrix::shell::ui {
namespace {

class OutsideWindows : public ::testing::Test {
 protected:
  OutsideWindows() {
    offscreenApplication();
    std::string pattern = (std::filesystem::temp_directory_path() / "ondrix-outside-XXXXXX").string();
    data = std::string(mkdtemp(pattern.data())) + "/";
  }
  ~OutsideWindows() override { std::filesystem::remove_all(data); }
  std::string data;
};

template <typename T>
T* child(const QWidget& w, const char* name) {
  T* found = w.findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(found, nullptr) << name;
  return found;
}

TEST_F(OutsideWindows, AddinManagerShowsTreeAndPreviewAndAddsThroughItsDialog) {
  store::writeRecordFile(data + "ADDINS.QDB", {{"00001", store::AddinItem{0, "Tools", ""}.encode()},
                                               {"00002", store::AddinItem{1, "Caf\xE9", "begin end."}.encode()}});
  AddinManagerWindow window(data, nullptr);
  EXPECT_EQ(window.windowTitle(), "Add-in manager");
  auto* addins = child<QTreeWidget>(window, "addins");
  auto* preview = child<QTreeWidget>(window, "preview");
  ASSERT_EQ(addins->topLevelItemCount(), 1);
  EXPECT_EQ(addins->topLevelItem(0)->text(0), "Tools");
  EXPECT_EQ(addins->topLevelItem(0)->child(0)->text(0), QString::fromUtf8("Café"));
  EXPECT_EQ(addins->topLevelItem(0)->child(0)->text(1), "00002");
  EXPECT_EQ(preview->topLevelItem(0)->text(0), QString::fromUtf8("Tools  \u25B8"));
  EXPECT_FALSE(child<QPushButton>(window, "edit")->isEnabled());
  EXPECT_FALSE(child<QPushButton>(window, "delete")->isEnabled());

  addins->setCurrentItem(addins->topLevelItem(0)->child(0));
  EXPECT_TRUE(child<QPushButton>(window, "edit")->isEnabled());
  // "Add..." offers the selected add-in as the parent; the new entry goes under it.
  QString dialogTitle, offeredParent;
  QTimer::singleShot(0, [&] {
    auto* dialog = dynamic_cast<AddinEditDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    dialogTitle = dialog->windowTitle();
    offeredParent = dialog->findChild<QComboBox*>("parent")->currentText();
    dialog->findChild<QLineEdit*>("caption")->setText("Greet");
    dialog->findChild<QPlainTextEdit*>("script")->setPlainText("begin ShowMessage('hi') end.");
    dialog->accept();
  });
  child<QPushButton>(window, "add")->click();
  EXPECT_EQ(dialogTitle, "New add-in");
  EXPECT_EQ(offeredParent, QString::fromUtf8("00002  Café"));
  EXPECT_EQ(addins->topLevelItem(0)->child(0)->child(0)->text(0), "Greet");
  EXPECT_EQ(preview->topLevelItem(0)->child(0)->text(0), QString::fromUtf8("Café  \u25B8"));
  store::AddinDB stored(data);
  stored.Open();
  const auto greet = stored.Read(3);
  stored.Close();
  ASSERT_TRUE(greet);
  EXPECT_EQ(greet->ParentNo, 2);
  EXPECT_EQ(greet->Script, "begin ShowMessage('hi') end.");
}

TEST_F(OutsideWindows, AboutBoxNamesVersionLibrariesAndDataFolder) {
  AboutBox box("/some/DATA/", nullptr);
  EXPECT_EQ(box.windowTitle(), "About Ondrix");
  EXPECT_TRUE(child<QLabel>(box, "title")->text().contains("version 1.1.3"));
  const QString libraries = child<QLabel>(box, "libraries")->text();
  for (const char* name : {"Qt 6", "QScintilla", "OpenSSL", "libcurl", "FluidSynth", "GNU LGPL version 3"})
    EXPECT_TRUE(libraries.contains(QString::fromLatin1(name))) << name;
  EXPECT_TRUE(child<QLabel>(box, "dataFolder")->text().contains("/some/DATA/"));
}

}  // namespace
}  // namespace ondrix::shell::ui
