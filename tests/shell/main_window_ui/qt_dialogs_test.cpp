// The Qt dialogs scripts open (message, input and file dialogs) and the file dialog filters,
// driven offscreen: each test acts on the modal dialog once it is up.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

#include "platform/qt/file_dialog.h"
#include "platform/qt/qt_services.h"

#include "common/offscreen_app.h"

namespace ondrix::platform::qt {
namespace {


// Runs `act` on the modal dialog of type D once the event loop shows it; a missing dialog fails
// the test and every open dialog is rejected, so that nothing waits for ever.
template <class D>
void whenShown(std::function<void(D*)> act) {
  offscreenApplication();
  QTimer::singleShot(0, [act] {
    if (auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget())) {
      act(dialog);
      return;
    }
    ADD_FAILURE() << "no dialog of the expected kind";
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* d = qobject_cast<QDialog*>(w)) d->reject();
  });
}

TEST(QtDialogs, InputTextConvertsBetweenWindows1252AndQt) {
  QtDialogs dialogs;
  whenShown<QInputDialog>([](QInputDialog* d) {
    EXPECT_EQ(d->windowTitle(), QString::fromUtf8("Caf\xc3\xa9"));
    EXPECT_EQ(d->labelText(), "Name:");
    EXPECT_EQ(d->textValue(), QString::fromUtf8("na\xc3\xafve"));
    d->setTextValue(QString::fromUtf8("r\xc3\xa9sum\xc3\xa9"));
    d->accept();
  });
  EXPECT_EQ(dialogs.inputText("Caf\xe9", "Name:", "na\xefve"), std::optional<std::string>("r\xe9sum\xe9"));

  whenShown<QInputDialog>([](QInputDialog* d) { d->reject(); });
  EXPECT_EQ(dialogs.inputText("Caption", "Prompt", "kept"), std::nullopt);
}

TEST(QtDialogs, ShowMessageAtAPosition) {
  QtDialogs dialogs;
  whenShown<QMessageBox>([](QMessageBox* box) {
    EXPECT_EQ(box->text(), "Hello");
    EXPECT_EQ(box->pos(), QPoint(40, 50));
    box->accept();
  });
  dialogs.showMessage("Hello", std::make_pair(40, 50));
}

TEST(QtDialogs, ChooseFileOpensInTheFolderWithTheFilters) {
  offscreenApplication();
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("ondrix_qt_dialogs_" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::string file = (folder / "start.oxs").string();
  std::ofstream(file) << "begin end.\n";

  QtDialogs dialogs;
  whenShown<QFileDialog>([&](QFileDialog* d) {
    EXPECT_EQ(d->acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(d->nameFilters(), (QStringList{"Scripts (*.oxs)", "All files (*.*)"}));
    EXPECT_EQ(d->directory().absolutePath().toStdString(), folder.string());
    d->selectFile(QString::fromStdString(file));
    static_cast<QDialog*>(d)->accept();  // QFileDialog's own accept() checks the choice
  });
  EXPECT_EQ(dialogs.chooseFile(FileChoice::Open, folder.string(), "Scripts|*.oxs|All files|*.*"), file);

  whenShown<QFileDialog>([](QFileDialog* d) {
    EXPECT_EQ(d->acceptMode(), QFileDialog::AcceptSave);
    d->reject();
  });
  EXPECT_EQ(dialogs.chooseFile(FileChoice::Save, folder.string(), ""), std::nullopt);
  std::filesystem::remove_all(folder);
}

TEST(FileFilter, PairsBecomeQtEntries) {
  struct Case {
    std::string filter;
    std::vector<QString> expected;
  };
  const std::vector<Case> cases = {
      {"Ondrix Script files|*.oxs|All files|*.*", {"Ondrix Script files (*.oxs)", "All files (*.*)"}},
      {"Logs|*.log;*.txt", {"Logs (*.log *.txt)"}},
      {"Text|*.txt|Dangling", {"Text (*.txt)"}},  // a description without patterns is dropped
      {"Empty||Text|*.txt", {"Text (*.txt)"}},
      {"", {}},
      {"Caf\xe9|*.c", {QString::fromUtf8("Caf\xc3\xa9 (*.c)")}},  // Windows-1252 text
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.filter);
    EXPECT_EQ(qtFileFilters(c.filter), QStringList(c.expected.begin(), c.expected.end()));
  }
}

}  // namespace
}  // namespace ondrix::platform::qt
