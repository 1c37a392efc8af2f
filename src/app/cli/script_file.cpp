#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "app/cli/commands.h"

namespace ondrix::cli {

bool readScriptFile(const std::string& path, std::string& text) {
  std::ifstream file(path, std::ios::binary);
  if (file) text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  if (!file || file.bad()) {
    std::fprintf(stderr, "Cannot read %s: %s\n", path.c_str(), std::strerror(errno));
    return false;
  }
  return true;
}

}  // namespace ondrix::cli
