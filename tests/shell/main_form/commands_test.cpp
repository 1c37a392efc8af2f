// The commands this logic carries out, their enabling (tag 99, installed handlers, files present),
// tab navigation, the status bar and the menus built from the stores.

#include <fstream>

#include "main_form_fixture.h"
#include "session/tnemulvt.h"
#include "store/records/event_record.h"
#include "store/stores/con_db_fcns.h"
#include "store/stores/key_db_fcns.h"
#include "store/stores/record_file.h"

namespace ondrix::shell::testing {
namespace {

TEST_F(MainFormTest, SessionCommandsFollowTheOpenPages) {
  CreateForm();
  form->FormShow({});
  for (const TCommand& c : commandTable()) {
    if (c.SessionCommand) {
      EXPECT_FALSE(view.Enabled(c.Id)) << c.Caption;
    }
  }
  OpenConnected("Lab");
  EXPECT_TRUE(view.Enabled(CommandId::Copy));
  EXPECT_TRUE(view.Enabled(CommandId::NextTab));
  // Commands whose window lives elsewhere wait for their handler.
  EXPECT_FALSE(view.Enabled(CommandId::PrintScreen));
  EXPECT_FALSE(view.Enabled(CommandId::ConnectionManager));
  int printed = 0;
  form->SetCommandHandler(CommandId::PrintScreen, [&] { ++printed; });
  EXPECT_TRUE(view.Enabled(CommandId::PrintScreen));
  form->Execute(CommandId::PrintScreen);
  EXPECT_EQ(printed, 1);
  form->Execute(CommandId::Disconnect);
  EXPECT_EQ(form->PageCount(), 0);
  EXPECT_FALSE(view.TabAreaVisible);
  for (const TCommand& c : commandTable()) {
    if (c.SessionCommand) {
      EXPECT_FALSE(view.Enabled(c.Id)) << c.Caption;
    }
  }
  form->Execute(CommandId::PrintScreen);  // disabled: not carried out
  EXPECT_EQ(printed, 1);
}

TEST_F(MainFormTest, FilesOfTheProgramFolderEnableTheirCommands) {
  CreateForm();
  EXPECT_FALSE(view.Enabled(CommandId::FtpClient));
  EXPECT_FALSE(view.Enabled(CommandId::Contents));
  EXPECT_FALSE(view.Enabled(CommandId::ScriptingHelp));
  EXPECT_TRUE(view.Enabled(CommandId::NewsPage));
  std::ofstream(root / "OXPRO.md") << "# Ondrix";
  std::ofstream(root / "OXPSCRIPT.md") << "# Scripts";
  EXPECT_TRUE(form->CommandEnabled(CommandId::Contents));
  form->Execute(CommandId::Index);
  form->Execute(CommandId::ScriptingHelp);
  form->Execute(CommandId::NewsPage);
  ASSERT_EQ(view.OpenedDocuments.size(), 3u);
  EXPECT_EQ(view.OpenedDocuments[0], root.string() + "/OXPRO.md");
  EXPECT_EQ(view.OpenedDocuments[1], root.string() + "/OXPSCRIPT.md");
  EXPECT_EQ(view.OpenedDocuments[2], TMainForm::kNewsPage);
}

TEST_F(MainFormTest, FtpProgramsStartWhenPresent) {
  CreateForm();
  EXPECT_FALSE(form->CommandEnabled(CommandId::FtpServer));
  const std::filesystem::path marker = root / "server started";
  {
    std::ofstream program(root / "OXFTPSrv");
    program << "#!/bin/sh\ntouch '" << marker.string() << "'\n";
  }
  std::filesystem::permissions(root / "OXFTPSrv", std::filesystem::perms::owner_all);
  EXPECT_TRUE(form->CommandEnabled(CommandId::FtpServer));
  form->Execute(CommandId::FtpServer);
  RunLoopUntil([&] { return std::filesystem::exists(marker); });
}

TEST_F(MainFormTest, TabNavigationWrapsAround) {
  CreateForm();
  OpenConnected("A");
  OpenConnected("B");
  OpenConnected("C");
  EXPECT_EQ(form->ActivePageIndex(), 2);
  form->Execute(CommandId::NextTab);
  EXPECT_EQ(form->ActivePageIndex(), 0);
  EXPECT_EQ(view.ActivePage, 0);
  EXPECT_EQ(view.Log.back(), "FocusTerminal 0");
  form->Execute(CommandId::PreviousTab);
  EXPECT_EQ(form->ActivePageIndex(), 2);
  form->Execute(CommandId::PreviousTab);
  EXPECT_EQ(form->ActivePageIndex(), 1);
  // Disconnecting one of several activates page 0, not the neighbour.
  form->SetActivePage(2);
  form->Execute(CommandId::Disconnect);
  EXPECT_EQ(form->PageCount(), 2);
  EXPECT_EQ(form->ActivePageIndex(), 0);
  EXPECT_EQ(form->Page(1).Caption, "B");
}

TEST_F(MainFormTest, TabChangeMovesTheCaret) {
  CreateForm();
  OpenConnected("A");
  OpenConnected("B");
  EXPECT_TRUE(form->Panel(1).Emu->CaretCreated());
  form->SetActivePage(0);
  EXPECT_FALSE(form->Panel(1).Emu->CaretCreated());
  EXPECT_TRUE(form->Panel(0).Emu->CaretCreated());
}

TEST_F(MainFormTest, StatusShowsTheActiveSession) {
  CreateForm();
  OpenConnected("Lab");
  EXPECT_EQ(view.StatusTexts[1], "VT100");
  store::KeyDBFcns keys(data);
  keys.Open();
  EXPECT_EQ(view.StatusTexts[2], keys.Read(1).Name);
  keys.Close();
  EXPECT_EQ(view.StatusTexts[3], "");
  form->Panel(0).Emu->StartLog((root / "s.log").string());
  form->UpdateStatus();
  EXPECT_EQ(view.StatusTexts[3], "Logging");
  EXPECT_TRUE(view.Checked(CommandId::LogToFile));
  form->Execute(CommandId::Disconnect);
  EXPECT_EQ(view.StatusTexts[1], "");
  EXPECT_EQ(view.StatusTexts[2], "");
  EXPECT_EQ(view.StatusTexts[3], "");
  EXPECT_FALSE(view.Checked(CommandId::LogToFile));
}

TEST_F(MainFormTest, MissingRecordOrHostLeavesTheTabsAlone) {
  CreateForm();
  AddConnection(0, "Empty", 23, "");
  form->OpenSession(0);
  form->OpenSession(7);
  EXPECT_EQ(form->PageCount(), 0);
  EXPECT_EQ(dialogs.boxes, (std::vector<std::string>{TMainForm::kNoHost, TMainForm::kNoHost}));
  EXPECT_TRUE(view.Log.empty() || LogWith("InsertPage").empty());
}

TEST_F(MainFormTest, OpeningAppliesTheRecord) {
  CreateForm();
  const int page = OpenConnected("Lab");
  const session::TTnEmulVT& emu = *form->Panel(page).Emu;
  EXPECT_EQ(form->Page(page).Caption, "Lab");
  EXPECT_EQ(view.Pages.at(0).Caption, "Lab");
  EXPECT_EQ(emu.TermType, "VT100");
  EXPECT_EQ(emu.Rows(), 24);
  EXPECT_EQ(form->LastConnectionName(), "Lab");
  EXPECT_TRUE(view.TabAreaVisible);
  // The record's colour positions count from 1, the terminal's from 0: normal is 8 on 1.
  EXPECT_EQ(emu.Screen().Attribute() & 0x0F, 7);
  EXPECT_FALSE(form->Panel(page).KeyListName.empty());
}

TEST_F(MainFormTest, CopyAndPasteGoThroughTheClipboardWithTheirLimits) {
  CreateForm();
  const int page = OpenConnected("Lab");
  form->Execute(CommandId::Paste);
  EXPECT_EQ(dialogs.boxes, std::vector<std::string>{TMainForm::kNotText});
  view.Clipboard = std::string(9000, 'p');
  form->Execute(CommandId::Paste);
  ASSERT_TRUE(peers.front()->waitFor(loop, std::string(8191, 'p')));
  EXPECT_EQ(peers.front()->take().size(), 8191u);

  Receive(page, "copy me");
  session::TTnEmulVT& emu = *form->Panel(page).Emu;
  const int right = 7 * emu.CharWidth() - 1, bottom = emu.LineHeight() - 1;
  emu.MouseDown(term::TMouseButton::Left, 0, 1, 1);
  emu.MouseMove(0, 1, 1);  // the anchor
  emu.MouseMove(0, right, bottom);
  emu.MouseUp(term::TMouseButton::Left, 0, right, bottom);
  form->Execute(CommandId::Copy);
  ASSERT_TRUE(view.Clipboard);
  EXPECT_EQ(*view.Clipboard, "copy me");
}

TEST_F(MainFormTest, BreakAndResetSendTheirStrings) {
  CreateForm();
  const int page = OpenConnected("Lab");
  form->Panel(page).Emu->BreakStr = "^C";
  form->Panel(page).Emu->ResetStr = "rs";
  form->Execute(CommandId::SendBreak);
  form->Execute(CommandId::ResetTerminal);
  EXPECT_TRUE(peers.front()->waitFor(loop, "\x03rs"));
}

TEST_F(MainFormTest, ShowToolbarTogglesBothBars) {
  CreateForm();
  EXPECT_TRUE(view.Checked(CommandId::ShowToolbar));
  form->Execute(CommandId::ShowToolbar);
  EXPECT_FALSE(view.Checked(CommandId::ShowToolbar));
  EXPECT_FALSE(view.ToolbarsVisible);
  form->AddUserButton("b", "", "x.oxs");
  EXPECT_TRUE(view.UserToolbarVisible);  // not affected
  form->Execute(CommandId::ShowToolbar);
  EXPECT_TRUE(view.ToolbarsVisible);
}

TEST_F(MainFormTest, FontAndLineDrawChangesAreWrittenToTheRecord) {
  CreateForm();
  const int page = OpenConnected("Lab");
  view.FontAnswer = TFontChoice{"Courier", 14, true, false, true};
  form->Execute(CommandId::ModifyFont);
  ASSERT_TRUE(view.FontPreset);
  EXPECT_EQ(view.FontPreset->Name, "Terminal");
  EXPECT_EQ(form->Panel(page).Emu->Font().Name, "Courier");
  form->Execute(CommandId::ForceLineDraws);
  EXPECT_TRUE(view.Checked(CommandId::ForceLineDraws));
  EXPECT_EQ(form->Panel(page).Emu->Font().CharSet, 255);
  store::ConDBFcns connections(data);
  connections.Open();
  const store::ConnectionRecord r = connections.Read(form->Panel(page).Connection.RecordNo);
  connections.Close();
  EXPECT_EQ(r.FontName, "Courier");
  EXPECT_EQ(r.FontSize, 14);
  EXPECT_TRUE(r.FontBold);
  EXPECT_TRUE(r.FontUnderline);
  EXPECT_TRUE(r.ForceLineDraw);
  form->Execute(CommandId::ForceLineDraws);
  EXPECT_EQ(form->Panel(page).Emu->Font().CharSet, 0);
}

TEST_F(MainFormTest, ReconnectAsksWhileConnected) {
  SetEvent("Lab", 1, "begin TestLog('before'); end.");
  CreateForm();
  OpenConnected("Lab");
  dialogs.answers = {platform::MessageResult::No};
  form->Execute(CommandId::Reconnect);
  EXPECT_EQ(dialogs.boxes, std::vector<std::string>{TMainForm::kReconnectQuestion});
  EXPECT_TRUE(form->Panel(0).Emu->IsConnected());
  form->Execute(CommandId::Reconnect);  // Yes
  EXPECT_TRUE(peers.front()->accept(loop));
  RunLoopUntil([&] { return form->Panel(0).Emu->IsConnected(); });
  EXPECT_EQ(LogWith("script:before").size(), 1u);  // OnBeforeConnect does not run again
  EXPECT_GT(form->Panel(0).Emu->Keys().Count(), 0);  // the key list came back
}

TEST_F(MainFormTest, QuickRunAsksForAScript) {
  const std::string a = Script("a.oxs", "begin TestLog('quick'); end.");
  CreateForm();
  dialogs.fileAnswer = a;
  form->Execute(CommandId::QuickRunScript);
  EXPECT_TRUE(LogHas("ChooseOpenFile Choose a script to run"));
  EXPECT_EQ(dialogs.lastFilter, "Ondrix Script files|*.oxs|All files|*.*");
  EXPECT_TRUE(LogHas("script:quick"));
}

TEST_F(MainFormTest, ConnectAndKeylistMenusComeFromTheStores) {
  CreateForm();
  EXPECT_TRUE(view.ConnectMenu.empty());
  EXPECT_GE(view.KeylistMenu.size(), 4u);
  AddConnection(0, "Alpha", 23);
  AddConnection(1, "Beta", 23);
  form->BuildConnectMenu();
  EXPECT_EQ(view.ConnectMenu, (std::vector<std::string>{"Alpha", "Beta"}));

  const int page = OpenConnected("Lab");
  form->KeylistMenuClick(0);
  EXPECT_EQ(form->Panel(page).KeyListName, view.KeylistMenu[0]);
  EXPECT_EQ(view.StatusTexts[2], view.KeylistMenu[0]);
  EXPECT_EQ(form->Panel(page).Connection.KeyListNo, 1);  // the record is not changed
}

TEST_F(MainFormTest, AddinMenuNestsChildrenAndRunsScripts) {
  {
    store::RecordFile addins(data, "ADDINS.QDB");
    addins.Open();
    addins.Put("00001", store::AddinItem{0, "Tools", "begin TestLog('parent'); end."}.encode());
    addins.Put("00002", store::AddinItem{1, "Child", "begin TestLog('child'); end."}.encode());
    addins.Put("00003", store::AddinItem{0, "Top", ""}.encode());
    addins.Put("00004", std::string("\x01", 1));  // unreadable: the menu ends here
    addins.Put("00005", store::AddinItem{0, "Never", ""}.encode());
    addins.Close();
  }
  CreateForm();
  ASSERT_EQ(view.AddinMenu.size(), 2u);
  const TAddinMenuItem& tools = view.AddinMenu[0];
  EXPECT_EQ(tools.Caption, "Tools");
  EXPECT_EQ(tools.Tag, 1);
  EXPECT_FALSE(tools.HasAction);
  ASSERT_EQ(tools.Children.size(), 1u);
  EXPECT_EQ(tools.Children[0].Tag, 2 + 65536);
  EXPECT_EQ(view.AddinMenu[1].Caption, "Top");
  form->AddinMenuClick(2 + 65536);
  form->AddinMenuClick(3);
  EXPECT_EQ(LogWith("script:"), std::vector<std::string>{"script:child"});
  form->RemoveAddinMenu();
  EXPECT_TRUE(view.AddinMenu.empty());
  form->CloseAddins();
  form->ReopenAddins();
  form->BuildAddinMenu();
  EXPECT_EQ(view.AddinMenu.size(), 2u);
}

}  // namespace
}  // namespace ondrix::shell::testing
