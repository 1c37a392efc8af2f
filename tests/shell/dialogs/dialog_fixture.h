#pragma once
// A fresh data folder with the factory record files per test, and the message boxes the dialogs
// show recorded (with the answer a test chooses) instead of written to standard error.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/services.h"
#include "store/records/connection_record.h"
#include "store/stores/con_db_fcns.h"
#include "store/stores/factory_data.h"

namespace ondrix::shell::testing {

class RecordingDialogs final : public platform::Dialogs {
 public:
  platform::MessageResult messageBox(std::string_view text, std::string_view, platform::MessageStyle style,
                                     platform::MessageButtons) override {
    messages.emplace_back(text);
    styles.push_back(style);
    return answer;
  }
  std::vector<std::string> messages;
  std::vector<platform::MessageStyle> styles;
  platform::MessageResult answer = platform::MessageResult::Yes;
};

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "ondrix-dialogs-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern + "/";
    store::createFactoryData(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  const std::string& folder() const { return folder_; }

  // Writes connections with these names and hosts, numbered in this order.
  void writeBook(const std::vector<std::pair<std::string, std::string>>& entries) {
    store::ConDBFcns book(folder_);
    book.Open();
    for (std::size_t i = 0; i < entries.size(); ++i) {
      store::ConnectionRecord r;
      r.RecordNo = static_cast<int>(i);
      r.Name = entries[i].first;
      r.Host = entries[i].second;
      r.Port = 2300 + static_cast<int>(i);
      book.Write(static_cast<int>(i), r);
    }
    book.Close();
  }
  std::vector<store::ConnectionRecord> readBook() {
    store::ConDBFcns book(folder_);
    book.Open();
    std::vector<store::ConnectionRecord> records;
    for (int i = 0, n = book.Count(); i < n; ++i) records.push_back(book.Read(i));
    book.Close();
    return records;
  }

  RecordingDialogs dialogs;

 private:
  std::string folder_;
  platform::ScopedServices services_{platform::Services{nullptr, nullptr, nullptr, nullptr, &dialogs}};
};

}  // namespace ondrix::shell::testing
