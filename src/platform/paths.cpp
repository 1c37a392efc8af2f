#include "platform/paths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace ondrix::platform {
namespace {

std::string environmentFolder(const char* name) {
  const char* value = std::getenv(name);
  return value && *value ? withTrailingSlash(value) : std::string();
}

}  // namespace

std::string withTrailingSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

std::string programFolder() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return withTrailingSlash(std::filesystem::current_path().string());
  return withTrailingSlash(exe.parent_path().string());
}

std::string dataFolder() {
  if (auto folder = environmentFolder("ONDRIX_DATA"); !folder.empty()) return folder;
  return programFolder() + "DATA/";
}

std::string tempFolder() {
  if (auto folder = environmentFolder("TMPDIR"); !folder.empty()) return folder;
  return "/tmp/";
}

}  // namespace ondrix::platform
