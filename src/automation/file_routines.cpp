// Files and folders. Relative names resolve against the current folder; handles are the ones
// FileOpen and FileCreate handed out in this run (file_handles.h).

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <limits>

#include "automation/file_copy.h"
#include "automation/routines.h"
#include "automation/script_procs.h"
#include "platform/paths.h"
#include "script/std_args.h"

namespace ondrix::automation::routines {
namespace {

using script::intArg;
using script::textArg;

FileHandles& files() { return TScriptProcs::Current().Files(); }

ScriptValue number(std::int64_t n) {
  if (n >= std::numeric_limits<std::int32_t>::min() && n <= std::numeric_limits<std::int32_t>::max())
    return ScriptValue::integer(static_cast<std::int32_t>(n));
  return ScriptValue::real(static_cast<double>(n));
}

}  // namespace

void FileOpen(ParamCells& cells, ScriptValue& result) {
  const std::string file = textArg(cells, 0);
  result = ScriptValue::integer(files().Open(file, intArg(cells, 1)));
}

void FileCreate(ParamCells& cells, ScriptValue& result) {
  result = ScriptValue::integer(files().Create(textArg(cells, 0)));
}

void FileClose(ParamCells& cells, ScriptValue&) { files().Close(intArg(cells, 0)); }

void FileRead(ParamCells& cells, ScriptValue& result) {
  const std::int32_t handle = intArg(cells, 0);
  const std::int32_t count = intArg(cells, 2);
  std::string bytes;
  const std::int32_t n = files().Read(handle, count, bytes);
  // The buffer is the bytes read up to the first zero byte.
  const std::size_t zero = bytes.find('\0');
  if (zero != std::string::npos) bytes.resize(zero);
  script::cell(cells, 1) = ScriptValue::string(bytes);
  result = ScriptValue::integer(n);
}

void FileWrite(ParamCells& cells, ScriptValue& result) {
  const std::int32_t handle = intArg(cells, 0);
  const std::string text = textArg(cells, 1);
  result = ScriptValue::integer(files().Write(handle, text, intArg(cells, 2)));
}

void FileSeek(ParamCells& cells, ScriptValue& result) {
  const std::int32_t handle = intArg(cells, 0);
  const std::int32_t offset = intArg(cells, 1);
  result = number(files().Seek(handle, offset, intArg(cells, 2)));
}

void FileExists(ParamCells& cells, ScriptValue& result) {
  struct stat st {};
  const std::string file = textArg(cells, 0);
  result = ScriptValue::boolean(::stat(file.c_str(), &st) == 0 && !S_ISDIR(st.st_mode));
}

void FileCopy(ParamCells& cells, ScriptValue& result) {
  const std::string source = textArg(cells, 0);
  result = ScriptValue::boolean(copyFile(source, textArg(cells, 1)));
}

void FileMove(ParamCells& cells, ScriptValue& result) {
  const std::string source = textArg(cells, 0);
  result = ScriptValue::boolean(moveFile(source, textArg(cells, 1)));
}

void FileRename(ParamCells& cells, ScriptValue& result) {
  const std::string from = textArg(cells, 0);
  result = ScriptValue::boolean(renameFile(from, textArg(cells, 1)));
}

void FileDelete(ParamCells& cells, ScriptValue& result) {
  const std::string file = textArg(cells, 0);
  struct stat st {};
  result = ScriptValue::boolean(::lstat(file.c_str(), &st) == 0 && !S_ISDIR(st.st_mode) && ::unlink(file.c_str()) == 0);
}

void FileSize(ParamCells& cells, ScriptValue& result) {
  const std::string file = expandFileName(textArg(cells, 0));
  struct stat st {};
  result = number(::stat(file.c_str(), &st) == 0 && !S_ISDIR(st.st_mode) ? static_cast<std::int64_t>(st.st_size) : -1);
}

void ChangeDir(ParamCells& cells, ScriptValue& result) {
  const std::string folder = textArg(cells, 0);
  result = ScriptValue::boolean(!folder.empty() && ::chdir(folder.c_str()) == 0);
}

void CurrentDir(ParamCells&, ScriptValue& result) { result = ScriptValue::string(currentFolder()); }

void InstallDir(ParamCells&, ScriptValue& result) {
  result = ScriptValue::string(platform::withTrailingSlash(TScriptProcs::Current().ProgramFolder()));
}

}  // namespace ondrix::automation::routines
