#pragma once
// The handlers of the terminal procedures, one group per file; routine_table.cpp registers them.
// Each reads its arguments from the parameter cells (argument k in cell k), writes var parameters
// back into their cells and sets the result.

#include "script/host_interfaces.h"

namespace ondrix::automation::routines {

using script::ParamCells;
using script::ScriptValue;

#define ONDRIX_ROUTINE(name) void name(ParamCells& cells, ScriptValue& result)

// session_routines.cpp: pages and sessions
ONDRIX_ROUTINE(OpenConnection);
ONDRIX_ROUTINE(CloseConnection);
ONDRIX_ROUTINE(ActiveConnection);
ONDRIX_ROUTINE(ClosePage);
ONDRIX_ROUTINE(ActivePage);
ONDRIX_ROUTINE(SetActivePage);
ONDRIX_ROUTINE(SendText);
ONDRIX_ROUTINE(SendLine);
ONDRIX_ROUTINE(RunScript);
ONDRIX_ROUTINE(GlobalEvent);
ONDRIX_ROUTINE(ConnectionName);
ONDRIX_ROUTINE(CloseAllConnections);
ONDRIX_ROUTINE(HostName);
ONDRIX_ROUTINE(OnNetworkError);
ONDRIX_ROUTINE(StartFileLog);
ONDRIX_ROUTINE(StopFileLog);
ONDRIX_ROUTINE(GetScreenText);

// ftp_routines.cpp
ONDRIX_ROUTINE(FTPConnect);
ONDRIX_ROUTINE(FTPDisconnect);
ONDRIX_ROUTINE(FTPSend);
ONDRIX_ROUTINE(FTPReceive);
ONDRIX_ROUTINE(FTPAscii);
ONDRIX_ROUTINE(FTPBinary);

// sound_routines.cpp
ONDRIX_ROUTINE(PlayWAVFile);
ONDRIX_ROUTINE(PlayMIDIFile);

// watch_routines.cpp
ONDRIX_ROUTINE(AddWatch);
ONDRIX_ROUTINE(AddGlobalWatch);
ONDRIX_ROUTINE(AddWatchScript);
ONDRIX_ROUTINE(AddGlobalWatchScript);
ONDRIX_ROUTINE(ClearWatches);
ONDRIX_ROUTINE(ClearGlobalWatches);
ONDRIX_ROUTINE(RemoveWatch);
ONDRIX_ROUTINE(RemoveGlobalWatch);
ONDRIX_ROUTINE(WatchText);
ONDRIX_ROUTINE(StartTextWatch);
ONDRIX_ROUTINE(StopTextWatch);

// value_routines.cpp: STORAGE.QDB
ONDRIX_ROUTINE(SetValue);
ONDRIX_ROUTINE(GetValue);
ONDRIX_ROUTINE(DeleteValue);
ONDRIX_ROUTINE(DeleteAllValues);

// file_routines.cpp: files and folders
ONDRIX_ROUTINE(FileOpen);
ONDRIX_ROUTINE(FileCreate);
ONDRIX_ROUTINE(FileClose);
ONDRIX_ROUTINE(FileRead);
ONDRIX_ROUTINE(FileWrite);
ONDRIX_ROUTINE(FileSeek);
ONDRIX_ROUTINE(FileExists);
ONDRIX_ROUTINE(FileCopy);
ONDRIX_ROUTINE(FileMove);
ONDRIX_ROUTINE(FileRename);
ONDRIX_ROUTINE(FileDelete);
ONDRIX_ROUTINE(FileSize);
ONDRIX_ROUTINE(ChangeDir);
ONDRIX_ROUTINE(CurrentDir);
ONDRIX_ROUTINE(InstallDir);

// program_routines.cpp: starting programs
ONDRIX_ROUTINE(ExecuteFile);
ONDRIX_ROUTINE(ExecuteFileWithWait);

// window_routines.cpp: toolbars, status line, window state, timer
ONDRIX_ROUTINE(AddToolbarButton);
ONDRIX_ROUTINE(RemoveToolbarButton);
ONDRIX_ROUTINE(SetToolbarButtonText);
ONDRIX_ROUTINE(SetToolbarButtonGlyph);
ONDRIX_ROUTINE(AddToolbarSpacer);
ONDRIX_ROUTINE(RemoveToolbarSpacer);
ONDRIX_ROUTINE(ShowUserToolbar);
ONDRIX_ROUTINE(HideUserToolbar);
ONDRIX_ROUTINE(ShowToolbar);
ONDRIX_ROUTINE(HideToolbar);
ONDRIX_ROUTINE(WriteStatus);
ONDRIX_ROUTINE(ClearStatus);
ONDRIX_ROUTINE(Maximize);
ONDRIX_ROUTINE(Minimize);
ONDRIX_ROUTINE(Restore);
ONDRIX_ROUTINE(CloseProgram);
ONDRIX_ROUTINE(SetTimer);
ONDRIX_ROUTINE(ClearTimer);

// dialog_routines.cpp: dialogs, list windows, message window
ONDRIX_ROUTINE(GetUserPass);
ONDRIX_ROUTINE(ChooseFileOpen);
ONDRIX_ROUTINE(ChooseFileSave);
ONDRIX_ROUTINE(CreateListWindow);
ONDRIX_ROUTINE(DeleteListWindow);
ONDRIX_ROUTINE(AddListWindowItem);
ONDRIX_ROUTINE(DeleteListWindowItem);
ONDRIX_ROUTINE(ShowListWindow);
ONDRIX_ROUTINE(GetListWindowItem);
ONDRIX_ROUTINE(ShowMessageWindow);
ONDRIX_ROUTINE(HideMessageWindow);
ONDRIX_ROUTINE(SetMessageWindowText);

// helper_routines.cpp
ONDRIX_ROUTINE(LocalAddr);
ONDRIX_ROUTINE(UpperCase);
ONDRIX_ROUTINE(LowerCase);
ONDRIX_ROUTINE(Sleep);

#undef ONDRIX_ROUTINE

}  // namespace ondrix::automation::routines
