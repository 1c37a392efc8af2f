#pragma once
// A data folder with the factory record files, and message boxes that are recorded and answered
// from a queue, for the keylist and palette manager tests.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <deque>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/services.h"
#include "store/stores/con_db_fcns.h"
#include "store/stores/def_db_fcns.h"
#include "store/stores/factory_data.h"

namespace ondrix::shell::testing {

class RecordingDialogs : public platform::Dialogs {
 public:
  platform::MessageResult messageBox(std::string_view text, std::string_view, platform::MessageStyle style,
                                     platform::MessageButtons buttons) override {
    messages.emplace_back(text);
    styles.push_back(style);
    if (buttons != platform::MessageButtons::YesNo) return platform::MessageResult::Ok;
    if (answers.empty()) return platform::MessageResult::No;
    const platform::MessageResult answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::vector<std::string> messages;
  std::vector<platform::MessageStyle> styles;
  std::deque<platform::MessageResult> answers;
};

// The folder is made when the fixture is, so members of derived fixtures can be given it.
class ManagerTest : public ::testing::Test {
 protected:
  ManagerTest() : folder_(makeFolder()) { store::createFactoryData(folder_); }
  ~ManagerTest() override { std::filesystem::remove_all(folder_); }

  const std::string& folder() const { return folder_; }

  // Connection i uses palette and keylist numbers[i].
  void writeBook(const std::vector<int>& numbers) {
    store::ConDBFcns con(folder_);
    con.Open();
    for (std::size_t i = 0; i < numbers.size(); ++i) {
      store::ConnectionRecord r;
      r.RecordNo = static_cast<int>(i);
      r.Name = "c" + std::to_string(i);
      r.PaletteNo = numbers[i];
      r.KeyListNo = numbers[i];
      con.Write(static_cast<int>(i), r);
    }
    con.Close();
  }
  std::vector<int> bookNumbers(std::int32_t store::ConnectionRecord::*field) {
    store::ConDBFcns con(folder_);
    con.Open();
    std::vector<int> values;
    for (int i = 0; i < con.Count(); ++i) values.push_back(con.Read(i).*field);
    con.Close();
    return values;
  }
  std::int32_t defaultNumber(const char* name) {
    store::DefDBFcns defs(folder_);
    defs.Open();
    const std::int32_t value = defs.ReadInteger(name);
    defs.Close();
    return value;
  }
  void setDefaultNumber(const char* name, std::int32_t value) {
    store::DefDBFcns defs(folder_);
    defs.Open();
    defs.WriteInteger(name, value);
    defs.Close();
  }

  RecordingDialogs dialogs;

 private:
  static std::string makeFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "ondrix-managers-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder");
    return pattern + "/";
  }

  std::string folder_;
  platform::ScopedServices services_{{nullptr, nullptr, nullptr, nullptr, &dialogs}};
};

}  // namespace ondrix::shell::testing
