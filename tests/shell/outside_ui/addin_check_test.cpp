// The add-in edit dialog's "Check" through a stand-in of the main window's script checker: the
// button exists only with a checker, and an error puts the caret on the line it names.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTimer>

#include "offscreen_app.h"
#include "shell/ui/outside/addin_edit_dialog.h"

namespace ondrix::shell::ui {

class StandInChecker final : public QObject {
  Q_OBJECT

 public:
  Q_INVOKABLE QString check(const QString& text) {
    checked = text;
    return answer;
  }
  QString checked, answer;
};

namespace {

// Clicks "Check" and closes the message box it shows; returns the box's text.
QString checkAndClose(AddinEditDialog& dialog) {
  QString shown;
  QTimer::singleShot(0, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      shown = box->text();
      box->accept();
    }
  });
  dialog.findChild<QPushButton*>("check")->click();
  return shown;
}

TEST(AddinCheck, CheckCompilesThroughTheCheckerAndGoesToTheErrorLine) {
  testing::offscreenApp();
  const store::AddinItem item{0, "Greet", "begin\n  ShowMessage('hi')\n  oops\nend."};
  AddinEditDialog plain("Edit add-in 00001", item, {}, nullptr, nullptr);
  EXPECT_EQ(plain.findChild<QPushButton*>("check"), nullptr);

  StandInChecker checker;
  AddinEditDialog dialog("Edit add-in 00001", item, {}, &checker, nullptr);
  EXPECT_EQ(checkAndClose(dialog), "The script compiles without errors.");
  EXPECT_EQ(checker.checked, "begin\n  ShowMessage('hi')\n  oops\nend.");
  checker.answer = "Syntax error in  (3): \r\nUnknown identifier: OOPS.";
  EXPECT_EQ(checkAndClose(dialog), checker.answer);
  EXPECT_EQ(dialog.findChild<QPlainTextEdit*>("script")->textCursor().block().text(), "  oops");
}

}  // namespace
}  // namespace ondrix::shell::ui

#include "addin_check_test.moc"
