#include "main_form_fixture.h"

#include <unistd.h>

#include <algorithm>
#include <fstream>

#include "script/registration.h"
#include "session/tnemulvt.h"
#include "store/stores/con_db_fcns.h"
#include "store/stores/evt_db_fcns.h"
#include "store/stores/factory_data.h"

namespace ondrix::shell::testing {
namespace {

constexpr std::uint8_t kValue = 0;
constexpr std::uint64_t kStepLimit = 200000;

std::filesystem::path uniqueFolder() {
  static int counter = 0;
  return std::filesystem::temp_directory_path() /
         ("ondrix_main_form_" + std::to_string(::getpid()) + "_" + std::to_string(++counter));
}

}  // namespace

platform::MessageResult RecordingDialogs::messageBox(std::string_view text, std::string_view,
                                                     platform::MessageStyle style, platform::MessageButtons buttons) {
  boxes.emplace_back(text);
  styles.push_back(style);
  if (!answers.empty()) {
    const platform::MessageResult answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }
  return buttons == platform::MessageButtons::YesNo ? platform::MessageResult::Yes : platform::MessageResult::Ok;
}

MainFormTest::MainFormTest()
    : root(uniqueFolder()),
      data((root / "DATA").string() + "/"),
      services_(platform::Services{&loop, nullptr, nullptr, nullptr, &dialogs}),
      startFolder_(std::filesystem::current_path()) {
  std::filesystem::create_directories(root / "DATA" / "scripts");
  store::createFactoryData(data);
}

MainFormTest::~MainFormTest() {
  form.reset();
  peers.clear();
  std::filesystem::current_path(startFolder_);
  std::error_code error;
  std::filesystem::remove_all(root, error);
}

void MainFormTest::CreateForm() {
  form = std::make_unique<TMainForm>(view, root.string(), data);
  form->SetScriptStepLimit(kStepLimit);
  // Registered after the form, whose script engine set the tables up.
  using script::ParamCells;
  using script::ScriptValue;
  const std::uint8_t one[] = {kValue};
  const std::uint8_t none[] = {script::kParamNone};
  const auto proc = [&](const char* name, std::function<void(ParamCells&)> body, bool withArgument) {
    script::registerProcedure(
        name, [body](std::int32_t, std::string_view, ParamCells& cells, ScriptValue&, int) { body(cells); },
        withArgument ? std::span<const std::uint8_t>(one) : std::span<const std::uint8_t>(none), withArgument ? 0 : -1);
  };
  proc("TESTLOG", [this](ParamCells& c) { view.Log.push_back("script:" + c[0].toText()); }, true);
  proc("TESTCLOSEPAGE", [this](ParamCells& c) { form->ClosePage(c[0].toInteger()); }, true);
  proc("TESTCLOSEALL", [this](ParamCells&) {
    for (int page = form->PageCount() - 1; page >= 0; --page)
      if (page < form->PageCount()) form->ClosePage(page);
  }, false);
  proc("TESTCLOSEPROGRAM", [this](ParamCells&) { form->CloseProgram(); }, false);
  proc("TESTRUN", [this](ParamCells& c) { form->RunScriptFile(c[0].toText()); }, true);
  proc("TESTHOOK", [this](ParamCells&) {
    if (hook) hook();
  }, false);
  proc("TESTCWD", [this](ParamCells&) { view.Log.push_back("cwd:" + std::filesystem::current_path().string()); }, false);
  script::registerFunction(
      "TESTSCREEN",
      [this](std::int32_t, std::string_view, ParamCells&, ScriptValue& result, int) {
        result = ScriptValue::string(form->PageCount() > 0 ? Row(0, 0) : "");
      },
      none, -1);
}

void MainFormTest::AddConnection(int number, const std::string& name, int port, const std::string& host) {
  store::ConnectionRecord r;
  r.RecordNo = number;
  r.Name = name;
  r.Host = host;
  r.Port = port;
  r.Emulation = "VT100";
  r.Lines = 24;
  r.Columns = 80;
  r.PaletteNo = 0;
  r.KeyListNo = 1;
  r.DefNormalFore = 8;
  r.DefNormalBack = 1;
  r.DefHighFore = 16;
  r.DefHighBack = 1;
  r.DefUnderlineFore = 12;
  r.DefUnderlineBack = 1;
  r.DefBlinkFore = 14;
  r.DefBlinkBack = 1;
  r.DefReverseFore = 1;
  r.DefReverseBack = 8;
  r.FontName = "Terminal";
  r.FontSize = 12;
  store::ConDBFcns connections(data);
  connections.Open();
  connections.Write(number, r);
  connections.Close();
  nextConnection_ = std::max(nextConnection_, number + 1);
}

void MainFormTest::SetEvent(const std::string& owner, int kind, const std::string& text, bool enabled) {
  store::EvtDBFcns events(data);
  events.Open();
  events.Write(owner, kind, store::EventRec{owner, kind, static_cast<std::uint8_t>(enabled ? 1 : 0), text});
  events.Close();
}

std::string MainFormTest::Script(const std::string& name, const std::string& text) {
  const std::filesystem::path path = root / "DATA" / "scripts" / name;
  std::ofstream(path, std::ios::binary) << text;
  return path.string();
}

int MainFormTest::OpenConnected(const std::string& name) {
  peers.push_back(std::make_unique<session::testing::TelnetPeer>());
  session::testing::TelnetPeer& peer = *peers.back();
  const int number = nextConnection_;
  AddConnection(number, name, peer.port());
  form->OpenSession(number);
  const int page = form->PageCount() - 1;
  EXPECT_TRUE(peer.accept(loop));
  TTermPanel* panel = &form->Panel(page);
  RunLoopUntil([&] { return form->PageCount() > page && &form->Panel(page) == panel && panel->Emu->IsConnected(); });
  return page;
}

void MainFormTest::Receive(int page, const std::string& bytes) {
  session::TTnEmulVT& emu = *form->Panel(page).Emu;
  int length = static_cast<int>(bytes.size());
  emu.OnDataAvailable(&emu, bytes.data(), length);
}

std::string MainFormTest::Row(int page, int row) const {
  const auto& chars = form->Panel(page).Emu->Screen().Line(row).Chars;
  std::string s(reinterpret_cast<const char*>(chars.data()), 80);
  const std::size_t last = s.find_last_not_of(' ');
  return last == std::string::npos ? "" : s.substr(0, last + 1);
}

std::vector<std::string> MainFormTest::LogWith(const std::string& prefix) const {
  std::vector<std::string> lines;
  for (const std::string& line : view.Log)
    if (line.starts_with(prefix)) lines.push_back(line);
  return lines;
}

bool MainFormTest::LogHas(const std::string& line) const { return LogIndex(line) >= 0; }

int MainFormTest::LogIndex(const std::string& line) const {
  const auto it = std::find(view.Log.begin(), view.Log.end(), line);
  return it == view.Log.end() ? -1 : static_cast<int>(it - view.Log.begin());
}

void MainFormTest::RunLoopUntil(const std::function<bool()>& done) {
  EXPECT_TRUE(session::testing::runUntil(loop, done));
}

void MainFormTest::Drain() {
  for (int i = 0; i < 5; ++i) loop.processPendingEvents();
}

}  // namespace ondrix::shell::testing
