#pragma once
// Runs ondrix-cli as a user would, in a temporary folder of the test's own: arguments in (quoted
// for the shell), exit status, standard output and standard error out. The folder goes with the
// object.

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace ondrix::cli::testing {

struct Result {
  int status = -1;
  std::string out, err;
};

inline std::string readFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

class CliRunner {
 public:
  explicit CliRunner(const std::string& prefix) {
    std::string pattern = "/tmp/" + prefix + "-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make " + pattern);
    dir_ = pattern;
  }
  ~CliRunner() {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
  CliRunner(const CliRunner&) = delete;
  CliRunner& operator=(const CliRunner&) = delete;

  const std::string& dir() const { return dir_; }

  // Writes `text` to `name` in the folder and gives its path.
  std::string write(const std::string& name, const std::string& text) const {
    const std::string path = dir_ + "/" + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }

  // Runs ondrix-cli with `args` (already quoted for the shell).
  Result cli(const std::string& args) const {
    const std::string out = dir_ + "/stdout", err = dir_ + "/stderr";
    const std::string command = std::string("'") + ONDRIX_CLI + "' " + args + " >'" + out + "' 2>'" + err + "'";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readFile(out), readFile(err)};
  }

 private:
  std::string dir_;
};

}  // namespace ondrix::cli::testing
