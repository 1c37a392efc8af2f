#pragma once
// A fresh data folder per test, removed afterwards.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

namespace ondrix::store {

class DataFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "ondrix-data-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern + "/";
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  const std::string& folder() const { return folder_; }
  bool exists(const std::string& name) const { return std::filesystem::exists(folder_ + name); }

 private:
  std::string folder_;
};

}  // namespace ondrix::store
