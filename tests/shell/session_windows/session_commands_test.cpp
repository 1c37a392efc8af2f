// Logging and printing on the active session: the log toggle, its file dialog and failure, the
// status panel and check mark; the text and font handed to the printer, the shared font dialog.

#include <filesystem>
#include <fstream>

#include "main_form_fixture.h"
#include "session/tnemulvt.h"
#include "shell/session_commands.h"

namespace ondrix::shell::testing {
namespace {

struct FakeCommandsView final : TSessionCommandsView {
  std::optional<std::string> ChooseSaveFile(const std::string& fileName, const std::string& filter,
                                            const std::string& extension) override {
    ++saveDialogs;
    presetName = fileName;
    presetFilter = filter;
    presetExtension = extension;
    return fileAnswer;
  }
  std::optional<TFontChoice> ChooseAnyFont(const TFontChoice& current) override {
    fontPreset = current;
    return fontAnswer;
  }
  int saveDialogs = 0;
  std::string presetName, presetFilter, presetExtension;
  std::optional<std::string> fileAnswer;
  std::optional<TFontChoice> fontPreset, fontAnswer;
};

struct Job {
  std::string text;
  TFontChoice font;
};

struct FakePrinter final : TPrintDevice {
  std::string PrintJob(const std::string& text, const TFontChoice& font) override {
    if (!failure.empty()) return failure;
    jobs.push_back({text, font});
    return "";
  }
  std::string Setup() override {
    ++setups;
    return failure;
  }
  std::vector<Job> jobs;
  int setups = 0;
  std::string failure;
};

class SessionCommandsTest : public MainFormTest {
 protected:
  void SetUp() override {
    CreateForm();
    form->FormShow({});
    commands = std::make_unique<TSessionCommands>(*form, commandsView, printer);
    commands->Install();
  }
  FakeCommandsView commandsView;
  FakePrinter printer;
  std::unique_ptr<TSessionCommands> commands;
};

TEST_F(SessionCommandsTest, LogTogglesStartAndStopWithTheFileDialogPreset) {
  const int page = OpenConnected("Lab");
  const std::string file = data + "lab-session.log";
  commandsView.fileAnswer = file;
  form->Execute(CommandId::LogToFile);
  EXPECT_EQ(commandsView.presetName, "Lab.log");
  EXPECT_EQ(commandsView.presetFilter, "Ondrix log files|*.log|All files|*.*");
  EXPECT_EQ(commandsView.presetExtension, "LOG");
  EXPECT_TRUE(form->Panel(page).Emu->Logging());
  EXPECT_EQ(view.StatusTexts[3], "Logging");
  EXPECT_TRUE(view.Checked(CommandId::LogToFile));

  Receive(page, "ab\x1b[1mc");
  // A session that logs is stopped, not restarted: no second dialog.
  form->Execute(CommandId::LogToFile);
  EXPECT_EQ(commandsView.saveDialogs, 1);
  EXPECT_FALSE(form->Panel(page).Emu->Logging());
  EXPECT_EQ(view.StatusTexts[3], "");
  EXPECT_FALSE(view.Checked(CommandId::LogToFile));
  std::ifstream in(file, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "ab\x1b[1mc");
}

TEST_F(SessionCommandsTest, LogFileThatCannotBeCreatedLeavesLoggingOff) {
  const int page = OpenConnected("Lab");
  commandsView.fileAnswer = data + "no-such-folder/x.log";
  form->Execute(CommandId::LogToFile);
  ASSERT_EQ(dialogs.boxes.size(), 1U);
  EXPECT_EQ(dialogs.boxes[0], "Cannot create " + data + "no-such-folder/x.log for logging.");
  EXPECT_FALSE(form->Panel(page).Emu->Logging());
  EXPECT_FALSE(view.Checked(CommandId::LogToFile));
  EXPECT_EQ(view.StatusTexts[3], "");
  // Cancelling the dialog starts nothing.
  commandsView.fileAnswer.reset();
  form->Execute(CommandId::LogToFile);
  EXPECT_FALSE(form->Panel(page).Emu->Logging());
}

TEST_F(SessionCommandsTest, CheckMarkFollowsTheActiveSession) {
  const int first = OpenConnected("One");
  const int second = OpenConnected("Two");
  form->SetActivePage(first);
  commandsView.fileAnswer = data + "one.log";
  form->Execute(CommandId::LogToFile);
  EXPECT_TRUE(view.Checked(CommandId::LogToFile));
  form->SetActivePage(second);
  EXPECT_FALSE(view.Checked(CommandId::LogToFile));
  EXPECT_EQ(view.StatusTexts[3], "");
  form->SetActivePage(first);
  EXPECT_TRUE(view.Checked(CommandId::LogToFile));
}

TEST_F(SessionCommandsTest, PrintScreenHandsTheVisibleRowsInThePrinterFont) {
  const int page = OpenConnected("Lab");
  Receive(page, "\x1b[2J\x1b[Hhello\r\nworld");
  form->Execute(CommandId::PrintScreen);
  ASSERT_EQ(printer.jobs.size(), 1U);
  const std::string& text = printer.jobs[0].text;
  // The whole screen, trailing blanks kept, rows joined by CR LF.
  const session::TTnEmulVT& emu = *form->Panel(page).Emu;
  const std::size_t rows = static_cast<std::size_t>(emu.Rows());
  const std::size_t cols = static_cast<std::size_t>(emu.Cols());
  EXPECT_EQ(text.size(), std::min<std::size_t>(rows * cols + (rows - 1) * 2, 3071));
  EXPECT_EQ(text.substr(0, cols + 2 + 5), "hello" + std::string(cols - 5, ' ') + "\r\nworld");
  EXPECT_EQ(printer.jobs[0].font.Name, "Courier New");

  commandsView.fontAnswer = TFontChoice{"DejaVu Serif", 12, true, false, false};
  form->Execute(CommandId::PrinterFont);
  form->Execute(CommandId::PrintScreen);
  ASSERT_EQ(printer.jobs.size(), 2U);
  EXPECT_EQ(printer.jobs[1].font.Name, "DejaVu Serif");
  EXPECT_EQ(printer.jobs[1].font.Size, 12);
  EXPECT_TRUE(printer.jobs[1].font.Bold);
}

TEST_F(SessionCommandsTest, LargeScreenIsCutAtTheBufferSize) {
  const int page = OpenConnected("Lab");
  form->Panel(page).Emu->SetRows(50);
  form->Panel(page).Emu->SetCols(132);
  form->Execute(CommandId::PrintScreen);
  ASSERT_EQ(printer.jobs.size(), 1U);
  EXPECT_EQ(printer.jobs[0].text.size(), 3071U);
}

TEST_F(SessionCommandsTest, FontDialogIsSharedWithModifyFont) {
  commandsView.fontAnswer = TFontChoice{"Liberation Mono", 9, false, true, false};
  form->Execute(CommandId::PrinterFont);
  EXPECT_EQ(commandsView.fontPreset->Name, "Courier New");
  commandsView.fontAnswer.reset();
  form->Execute(CommandId::PrinterFont);
  EXPECT_EQ(commandsView.fontPreset->Name, "Liberation Mono");
  // A font chosen in "Modify Font..." presets the printer font dialog; the printer keeps its own.
  commands->FontChosen(TFontChoice{"Terminus", 14, false, false, false});
  form->Execute(CommandId::PrinterFont);
  EXPECT_EQ(commandsView.fontPreset->Name, "Terminus");
  EXPECT_EQ(commands->CurrentPrinterFont().Name, "Liberation Mono");
}

TEST_F(SessionCommandsTest, EjectIsAnEmptyJobAndFailuresAreReported) {
  EXPECT_TRUE(form->CommandEnabled(CommandId::EjectPrinterPage));  // no session needed
  form->Execute(CommandId::EjectPrinterPage);
  ASSERT_EQ(printer.jobs.size(), 1U);
  EXPECT_EQ(printer.jobs[0].text, "");
  form->Execute(CommandId::SetupPrinter);
  EXPECT_EQ(printer.setups, 1);
  EXPECT_TRUE(dialogs.boxes.empty());

  printer.failure = "No printer is installed.";
  form->Execute(CommandId::EjectPrinterPage);
  form->Execute(CommandId::SetupPrinter);
  EXPECT_EQ(dialogs.boxes, (std::vector<std::string>{"No printer is installed.", "No printer is installed."}));
}

}  // namespace
}  // namespace ondrix::shell::testing
