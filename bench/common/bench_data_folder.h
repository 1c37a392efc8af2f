#pragma once
// A data folder with the factory record files for one benchmark run, in the temporary folder
// (named after `prefix` and the process), removed afterwards. root() is the folder that holds it
// (the program folder of a main window made on it).

#include <unistd.h>

#include <filesystem>
#include <string>

#include "store/stores/factory_data.h"

namespace ondrix::bench {

class BenchDataFolder {
 public:
  explicit BenchDataFolder(const std::string& prefix)
      : root_(std::filesystem::temp_directory_path() / (prefix + std::to_string(::getpid()))) {
    std::filesystem::create_directories(root_ / "DATA");
    store::createFactoryData(data());
  }
  ~BenchDataFolder() {
    std::error_code error;
    std::filesystem::remove_all(root_, error);
  }
  BenchDataFolder(const BenchDataFolder&) = delete;
  BenchDataFolder& operator=(const BenchDataFolder&) = delete;

  std::string root() const { return root_.string(); }
  std::string data() const { return (root_ / "DATA").string() + "/"; }

 private:
  std::filesystem::path root_;
};

}  // namespace ondrix::bench
