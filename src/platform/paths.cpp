#include "platform/paths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace ondrix::platform {
namespace {

std::string environmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

// $HOME, or the account's home folder when HOME is unset.
std::string homeFolder() {
  std::string home = environmentValue("HOME");
  if (home.empty()) {
    if (const passwd* account = ::getpwuid(::getuid()); account && account->pw_dir) home = account->pw_dir;
  }
  return home;
}

bool isWritableFolder(const std::string& folder) {
  std::error_code ec;
  return std::filesystem::is_directory(folder, ec) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

// DATA/ beside the program can be used when it is a writable folder, or when it does not exist
// and the program folder lets it be created.
bool canUseFolderBesideProgram(const std::string& programFolder) {
  const std::string data = withTrailingSlash(programFolder) + "DATA";  // no slash: a file named DATA counts
  std::error_code ec;
  if (std::filesystem::exists(data, ec)) return isWritableFolder(data);
  return isWritableFolder(programFolder);
}

}  // namespace

std::string withTrailingSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

std::string programPath() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : exe.string();
}

std::string programFolder() {
  const std::string exe = programPath();
  if (exe.empty()) return withTrailingSlash(std::filesystem::current_path().string());
  return withTrailingSlash(std::filesystem::path(exe).parent_path().string());
}

std::string chooseDataFolder(const DataFolderPlaces& places) {
  if (!places.ondrixData.empty()) return withTrailingSlash(places.ondrixData);
  if (canUseFolderBesideProgram(places.programFolder)) return withTrailingSlash(places.programFolder) + "DATA/";
  // XDG base directory rules: a relative XDG_DATA_HOME is invalid and ignored.
  std::string userData = places.xdgDataHome;
  if (userData.empty() || userData.front() != '/') userData = withTrailingSlash(places.home) + ".local/share";
  return withTrailingSlash(userData) + "ondrix/DATA/";
}

std::string dataFolder() {
  return chooseDataFolder({programFolder(), environmentValue("ONDRIX_DATA"), environmentValue("XDG_DATA_HOME"),
                           homeFolder()});
}

std::string tempFolder() {
  const std::string folder = environmentValue("TMPDIR");
  return folder.empty() ? std::string("/tmp/") : withTrailingSlash(folder);
}

}  // namespace ondrix::platform
