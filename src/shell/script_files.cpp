#include "shell/script_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace ondrix::shell {

namespace {

TFileResult failure(const char* what, const std::string& path, int error) {
  return {false, std::string(what) + " \"" + path + "\". " + std::strerror(error)};
}

}  // namespace

TFileResult readScriptFile(const std::string& path, std::string& text) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return failure("Cannot open file", path, EISDIR);
  std::ifstream in(path, std::ios::binary);
  if (!in) return failure("Cannot open file", path, errno);
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) return failure("Cannot open file", path, errno);
  text = content.str();
  return {true, {}};
}

TFileResult writeScriptFile(const std::string& path, const std::string& text) {
  const std::string temporary = path + ".saving";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return failure("Cannot create file", path, errno);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    if (!out) {
      const int error = errno;
      std::remove(temporary.c_str());
      return failure("Cannot create file", path, error);
    }
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    const int error = errno;
    std::remove(temporary.c_str());
    return failure("Cannot create file", path, error);
  }
  return {true, {}};
}

std::string fileNameOnly(const std::string& path) { return std::filesystem::path(path).filename().string(); }

}  // namespace ondrix::shell
