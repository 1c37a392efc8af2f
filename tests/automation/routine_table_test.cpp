// The registration table against the library's reference: every routine with its kind, its
// parameter count and which parameters are var, and the constants.

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <map>

#include "automation/routine_table.h"
#include "script/host_interfaces.h"
#include "script/script_engine.h"

namespace ondrix::automation {
namespace {

struct Expected {
  const char* name;
  bool function;
  int params;
  const char* vars;  // '1' at each var position
};

constexpr Expected kReference[] = {
    {"OpenConnection", true, 1, ""},       {"CloseConnection", false, 1, ""},
    {"ActiveConnection", true, 0, ""},     {"ClosePage", false, 1, ""},
    {"ActivePage", true, 0, ""},           {"SetActivePage", false, 1, ""},
    {"SendText", false, 2, ""},            {"SendLine", true, 2, ""},
    {"GetUserPass", true, 3, "110"},       {"SetValue", false, 3, ""},
    {"GetValue", true, 2, ""},             {"DeleteValue", false, 2, ""},
    {"DeleteAllValues", false, 0, ""},     {"RunScript", false, 1, ""},
    {"GlobalEvent", false, 1, ""},         {"AddWatch", false, 2, ""},
    {"AddGlobalWatch", false, 2, ""},      {"AddWatchScript", false, 3, ""},
    {"AddGlobalWatchScript", false, 3, ""}, {"ClearWatches", false, 1, ""},
    {"ClearGlobalWatches", false, 0, ""},  {"RemoveWatch", false, 2, ""},
    {"RemoveGlobalWatch", false, 1, ""},   {"WatchText", true, 0, ""},
    {"ConnectionName", true, 0, ""},       {"CloseAllConnections", false, 0, ""},
    {"FileOpen", true, 2, ""},             {"FileCreate", true, 1, ""},
    {"FileClose", false, 1, ""},           {"FileRead", true, 3, "010"},
    {"FileWrite", true, 3, ""},            {"FileExists", true, 1, ""},
    {"ExecuteFile", true, 4, ""},          {"ExecuteFileWithWait", true, 3, ""},
    {"StartTextWatch", false, 2, ""},      {"StopTextWatch", false, 1, ""},
    {"FTPConnect", true, 3, ""},           {"FTPDisconnect", true, 0, ""},
    {"FTPSend", true, 2, ""},              {"FTPAscii", true, 0, ""},
    {"FTPBinary", true, 0, ""},            {"FTPReceive", true, 2, ""},
    {"HostName", true, 1, ""},             {"WriteStatus", false, 1, ""},
    {"ClearStatus", false, 0, ""},         {"CloseProgram", false, 0, ""},
    {"SetTimer", false, 2, ""},            {"ClearTimer", false, 0, ""},
    {"OnNetworkError", false, 2, ""},      {"StartFileLog", false, 2, ""},
    {"StopFileLog", false, 1, ""},         {"GetScreenText", true, 5, ""},
    {"FileSeek", true, 3, ""},             {"FileCopy", true, 2, ""},
    {"FileMove", true, 2, ""},             {"FileRename", true, 2, ""},
    {"FileDelete", true, 1, ""},           {"FileSize", true, 1, ""},
    {"ChangeDir", true, 1, ""},            {"CurrentDir", true, 0, ""},
    {"InstallDir", true, 0, ""},           {"ChooseFileOpen", true, 2, ""},
    {"ChooseFileSave", true, 2, ""},       {"ShowUserToolbar", false, 0, ""},
    {"HideUserToolbar", false, 0, ""},     {"HideToolbar", false, 0, ""},
    {"ShowToolbar", false, 0, ""},         {"PlayWAVFile", false, 1, ""},
    {"PlayMIDIFile", false, 1, ""},        {"AddToolbarButton", true, 3, ""},
    {"RemoveToolbarButton", false, 1, ""}, {"SetToolbarButtonText", false, 2, ""},
    {"SetToolbarButtonGlyph", false, 2, ""}, {"AddToolbarSpacer", true, 0, ""},
    {"RemoveToolbarSpacer", true, 1, ""},  {"LocalAddr", true, 0, ""},
    {"CreateListWindow", true, 2, ""},     {"DeleteListWindow", false, 1, ""},
    {"AddListWindowItem", true, 2, ""},    {"DeleteListWindowItem", false, 2, ""},
    {"ShowListWindow", true, 1, ""},       {"GetListWindowItem", true, 2, ""},
    {"Maximize", false, 0, ""},            {"Minimize", false, 0, ""},
    {"Restore", false, 0, ""},             {"UpperCase", true, 1, ""},
    {"LowerCase", true, 1, ""},            {"Sleep", false, 1, ""},
    {"ShowMessageWindow", false, 2, ""},   {"HideMessageWindow", false, 0, ""},
    {"SetMessageWindowText", false, 2, ""},
};

std::string upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

TEST(RoutineTable, RegistersEveryRoutineAsTheReferenceGivesIt) {
  const script::ScriptEngine engine;
  registerAutomationRoutines();
  const script::TFunList& routines = script::hostTables().routines;
  EXPECT_EQ(automationRoutines().size(), std::size(kReference));
  for (const Expected& e : kReference) {
    const int number = routines.find(e.name);
    ASSERT_GE(number, 0) << e.name;
    const script::TFunListItem& item = routines.at(number);
    EXPECT_EQ(item.name, upper(e.name));
    EXPECT_EQ(item.kind, e.function ? script::RoutineKind::Function : script::RoutineKind::Procedure) << e.name;
    ASSERT_EQ(item.paramCount(), e.params) << e.name;
    for (int k = 0; k < e.params; ++k) {
      const bool var = k < static_cast<int>(std::strlen(e.vars)) && e.vars[k] == '1';
      EXPECT_EQ(item.paramTypes[static_cast<std::size_t>(k)], var ? script::kParamVar : script::kParamValue)
          << e.name << " parameter " << k;
    }
  }
}

TEST(RoutineTable, RegistersTheConstants) {
  const script::ScriptEngine engine;
  registerAutomationRoutines();
  const std::map<std::string, int> expected = {
      {"OnBeforeConnect", 1}, {"OnConnect", 2},        {"OnDisconnect", 3},     {"OnWatch", 4},
      {"OnStart", 5},         {"OnStop", 6},           {"sw_ShowNormal", 1},    {"sw_ShowMinimized", 2},
      {"sw_ShowMaximized", 3}, {"fmOpenRead", 0},      {"fmOpenWrite", 1},      {"fmOpenReadWrite", 2}};
  const script::TResConstList& constants = script::hostTables().constants;
  EXPECT_EQ(automationConstants().size(), expected.size());
  for (const auto& [name, value] : expected) {
    const int position = constants.find(name);
    ASSERT_GE(position, 0) << name;
    EXPECT_EQ(constants.at(position).value.toInteger(), value) << name;
  }
}

}  // namespace
}  // namespace ondrix::automation
