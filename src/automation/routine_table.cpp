#include "automation/routine_table.h"

#include <array>
#include <vector>

#include "automation/routines.h"
#include "script/registration.h"

namespace ondrix::automation {
namespace {

namespace r = routines;
constexpr auto P = script::RoutineKind::Procedure;
constexpr auto F = script::RoutineKind::Function;

// In the order of the library's reference. Functions whose value is "none" leave it empty.
constexpr std::array kRoutines{
    AutomationRoutine{"OpenConnection", F, "0", r::OpenConnection},
    AutomationRoutine{"CloseConnection", P, "0", r::CloseConnection},
    AutomationRoutine{"ActiveConnection", F, "", r::ActiveConnection},
    AutomationRoutine{"ClosePage", P, "0", r::ClosePage},
    AutomationRoutine{"ActivePage", F, "", r::ActivePage},
    AutomationRoutine{"SetActivePage", P, "0", r::SetActivePage},
    AutomationRoutine{"SendText", P, "00", r::SendText},
    AutomationRoutine{"SendLine", F, "00", r::SendLine},
    AutomationRoutine{"GetUserPass", F, "110", r::GetUserPass},
    AutomationRoutine{"SetValue", P, "000", r::SetValue},
    AutomationRoutine{"GetValue", F, "00", r::GetValue},
    AutomationRoutine{"DeleteValue", P, "00", r::DeleteValue},
    AutomationRoutine{"DeleteAllValues", P, "", r::DeleteAllValues},
    AutomationRoutine{"RunScript", P, "0", r::RunScript},
    AutomationRoutine{"GlobalEvent", P, "0", r::GlobalEvent},
    AutomationRoutine{"AddWatch", P, "00", r::AddWatch},
    AutomationRoutine{"AddGlobalWatch", P, "00", r::AddGlobalWatch},
    AutomationRoutine{"AddWatchScript", P, "000", r::AddWatchScript},
    AutomationRoutine{"AddGlobalWatchScript", P, "000", r::AddGlobalWatchScript},
    AutomationRoutine{"ClearWatches", P, "0", r::ClearWatches},
    AutomationRoutine{"ClearGlobalWatches", P, "", r::ClearGlobalWatches},
    AutomationRoutine{"RemoveWatch", P, "00", r::RemoveWatch},
    AutomationRoutine{"RemoveGlobalWatch", P, "0", r::RemoveGlobalWatch},
    AutomationRoutine{"WatchText", F, "", r::WatchText},
    AutomationRoutine{"ConnectionName", F, "", r::ConnectionName},
    AutomationRoutine{"CloseAllConnections", P, "", r::CloseAllConnections},
    AutomationRoutine{"FileOpen", F, "00", r::FileOpen},
    AutomationRoutine{"FileCreate", F, "0", r::FileCreate},
    AutomationRoutine{"FileClose", P, "0", r::FileClose},
    AutomationRoutine{"FileRead", F, "010", r::FileRead},
    AutomationRoutine{"FileWrite", F, "000", r::FileWrite},
    AutomationRoutine{"FileExists", F, "0", r::FileExists},
    AutomationRoutine{"ExecuteFile", F, "0000", r::ExecuteFile},
    AutomationRoutine{"ExecuteFileWithWait", F, "000", r::ExecuteFileWithWait},
    AutomationRoutine{"StartTextWatch", P, "00", r::StartTextWatch},
    AutomationRoutine{"StopTextWatch", P, "0", r::StopTextWatch},
    AutomationRoutine{"FTPConnect", F, "000", r::FTPConnect},
    AutomationRoutine{"FTPDisconnect", F, "", r::FTPDisconnect},
    AutomationRoutine{"FTPSend", F, "00", r::FTPSend},
    AutomationRoutine{"FTPAscii", F, "", r::FTPAscii},
    AutomationRoutine{"FTPBinary", F, "", r::FTPBinary},
    AutomationRoutine{"FTPReceive", F, "00", r::FTPReceive},
    AutomationRoutine{"HostName", F, "0", r::HostName},
    AutomationRoutine{"WriteStatus", P, "0", r::WriteStatus},
    AutomationRoutine{"ClearStatus", P, "", r::ClearStatus},
    AutomationRoutine{"CloseProgram", P, "", r::CloseProgram},
    AutomationRoutine{"SetTimer", P, "00", r::SetTimer},
    AutomationRoutine{"ClearTimer", P, "", r::ClearTimer},
    AutomationRoutine{"OnNetworkError", P, "00", r::OnNetworkError},
    AutomationRoutine{"StartFileLog", P, "00", r::StartFileLog},
    AutomationRoutine{"StopFileLog", P, "0", r::StopFileLog},
    AutomationRoutine{"GetScreenText", F, "00000", r::GetScreenText},
    AutomationRoutine{"FileSeek", F, "000", r::FileSeek},
    AutomationRoutine{"FileCopy", F, "00", r::FileCopy},
    AutomationRoutine{"FileMove", F, "00", r::FileMove},
    AutomationRoutine{"FileRename", F, "00", r::FileRename},
    AutomationRoutine{"FileDelete", F, "0", r::FileDelete},
    AutomationRoutine{"FileSize", F, "0", r::FileSize},
    AutomationRoutine{"ChangeDir", F, "0", r::ChangeDir},
    AutomationRoutine{"CurrentDir", F, "", r::CurrentDir},
    AutomationRoutine{"InstallDir", F, "", r::InstallDir},
    AutomationRoutine{"ChooseFileOpen", F, "00", r::ChooseFileOpen},
    AutomationRoutine{"ChooseFileSave", F, "00", r::ChooseFileSave},
    AutomationRoutine{"ShowUserToolbar", P, "", r::ShowUserToolbar},
    AutomationRoutine{"HideUserToolbar", P, "", r::HideUserToolbar},
    AutomationRoutine{"HideToolbar", P, "", r::HideToolbar},
    AutomationRoutine{"ShowToolbar", P, "", r::ShowToolbar},
    AutomationRoutine{"PlayWAVFile", P, "0", r::PlayWAVFile},
    AutomationRoutine{"PlayMIDIFile", P, "0", r::PlayMIDIFile},
    AutomationRoutine{"AddToolbarButton", F, "000", r::AddToolbarButton},
    AutomationRoutine{"RemoveToolbarButton", P, "0", r::RemoveToolbarButton},
    AutomationRoutine{"SetToolbarButtonText", P, "00", r::SetToolbarButtonText},
    AutomationRoutine{"SetToolbarButtonGlyph", P, "00", r::SetToolbarButtonGlyph},
    AutomationRoutine{"AddToolbarSpacer", F, "", r::AddToolbarSpacer},
    AutomationRoutine{"RemoveToolbarSpacer", F, "0", r::RemoveToolbarSpacer},
    AutomationRoutine{"LocalAddr", F, "", r::LocalAddr},
    AutomationRoutine{"CreateListWindow", F, "00", r::CreateListWindow},
    AutomationRoutine{"DeleteListWindow", P, "0", r::DeleteListWindow},
    AutomationRoutine{"AddListWindowItem", F, "00", r::AddListWindowItem},
    AutomationRoutine{"DeleteListWindowItem", P, "00", r::DeleteListWindowItem},
    AutomationRoutine{"ShowListWindow", F, "0", r::ShowListWindow},
    AutomationRoutine{"GetListWindowItem", F, "00", r::GetListWindowItem},
    AutomationRoutine{"Maximize", P, "", r::Maximize},
    AutomationRoutine{"Minimize", P, "", r::Minimize},
    AutomationRoutine{"Restore", P, "", r::Restore},
    AutomationRoutine{"UpperCase", F, "0", r::UpperCase},
    AutomationRoutine{"LowerCase", F, "0", r::LowerCase},
    AutomationRoutine{"Sleep", P, "0", r::Sleep},
    AutomationRoutine{"ShowMessageWindow", P, "00", r::ShowMessageWindow},
    AutomationRoutine{"HideMessageWindow", P, "", r::HideMessageWindow},
    AutomationRoutine{"SetMessageWindowText", P, "00", r::SetMessageWindowText},
};

constexpr std::array kConstants{
    AutomationConstant{"OnBeforeConnect", 1}, AutomationConstant{"OnConnect", 2},
    AutomationConstant{"OnDisconnect", 3},    AutomationConstant{"OnWatch", 4},
    AutomationConstant{"OnStart", 5},         AutomationConstant{"OnStop", 6},
    AutomationConstant{"sw_ShowNormal", 1},   AutomationConstant{"sw_ShowMinimized", 2},
    AutomationConstant{"sw_ShowMaximized", 3}, AutomationConstant{"fmOpenRead", 0},
    AutomationConstant{"fmOpenWrite", 1},     AutomationConstant{"fmOpenReadWrite", 2},
};

}  // namespace

std::span<const AutomationRoutine> automationRoutines() { return kRoutines; }
std::span<const AutomationConstant> automationConstants() { return kConstants; }

void registerAutomationRoutines(script::HostTables& host) {
  for (const AutomationRoutine& routine : kRoutines) {
    std::vector<std::uint8_t> codes;
    for (char c : routine.codes) codes.push_back(static_cast<std::uint8_t>(c - '0'));
    if (codes.empty()) codes.push_back(script::kParamNone);
    script::HostHandler handler = [fn = routine.handler](std::int32_t, std::string_view, script::ParamCells& cells,
                                                          script::ScriptValue& result, int) { fn(cells, result); };
    const int lastIndex = static_cast<int>(routine.codes.size()) - 1;
    if (routine.kind == script::RoutineKind::Procedure)
      script::registerProcedure(routine.name, std::move(handler), codes, lastIndex, host);
    else
      script::registerFunction(routine.name, std::move(handler), codes, lastIndex, host);
  }
  for (const AutomationConstant& c : kConstants)
    script::registerConstant(c.name, script::ScriptValue::integer(c.value), host);
}

}  // namespace ondrix::automation
