// ondrix-cli check on data folders holding good, empty, broken and unreadable event handlers and
// add-ins: the exact failure lines, the summary and the exit status.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "cli_runner.h"
#include "store/records/event_record.h"
#include "store/stores/record_file.h"

namespace {

using ondrix::store::AddinItem;
using ondrix::store::EventRec;

using ondrix::cli::testing::CliRunner;
using ondrix::cli::testing::Result;

class CliCheck : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(std::filesystem::create_directory(data_)); }

  void events(const std::vector<EventRec>& handlers) {
    std::vector<std::pair<std::string, std::string>> items;
    for (const EventRec& h : handlers) items.emplace_back(EventRec::key(h.Name, h.Kind), h.encode());
    ondrix::store::writeRecordFile(data_ + "EVENTS.QDB", items);
  }
  void addins(const std::vector<std::pair<std::string, std::string>>& items) {
    ondrix::store::writeRecordFile(data_ + "ADDINS.QDB", items);
  }

  Result check(const std::string& data) { return runner_.cli("check --data '" + data + "'"); }

  CliRunner runner_{"ondrix-check-test"};
  const std::string& dir_ = runner_.dir();
  const std::string data_ = dir_ + "/DATA/";
};

TEST_F(CliCheck, GoodEmptyAndBrokenScriptsInBothStores) {
  events({
      {"System", 5, 1, "begin ShowMessage('started') end."},
      {"System", 6, 0, ""},  // empty: skipped, not counted
      {"Mail host", 2, 1, "begin\n  SendText(0, 'user' + #13)\n  SendText(0, 'x')\nend."},
      // A disabled handler is still checked: enabling it must not reveal an error.
      {"Lab", 4, 0, "begin\n  UndeclaredThing;\nend."},
      // The terminal procedures and their constants are known, as in a real run.
      {"Lab", 1, 1, "begin if ActivePage = 0 then WriteStatus(ConnectionName); GlobalEvent(OnStart) end."},
  });
  addins({
      {"00001", AddinItem{0, "Tools", ""}.encode()},
      {"00002", AddinItem{1, "Say hello", "begin ShowMessage(MainForm > 0) end."}.encode()},
      {"00003", AddinItem{1, "Broken", "begin ShowMessage('x' end."}.encode()},
  });
  const Result r = check(data_);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "");
  const std::string expected =
      "Lab/OnWatch line 2: Unknown identifier: UNDECLAREDTHING\n"
      "Mail host/OnConnect line 2: Operator delimeter expected\n"
      "add-in 00003 \"Broken\" line 1: ) expected\n"
      "6 scripts, 3 failed\n";
  EXPECT_EQ(r.out, expected);
}

TEST_F(CliCheck, AllGoodExitsZero) {
  events({{"System", 1, 1, "begin WriteStatus('connecting') end."}});
  addins({{"00007", AddinItem{0, "Run", "var s: String; begin s := 'a' + 'b' end."}.encode()}});
  const Result r = check(data_);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "2 scripts, 0 failed\n");
}

TEST_F(CliCheck, MissingStoresAreNotCreated) {
  const Result r = check(data_);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "0 scripts, 0 failed\n");
  EXPECT_NE(access((data_ + "EVENTS.QDB").c_str(), F_OK), 0);
  EXPECT_NE(access((data_ + "ADDINS.QDB").c_str(), F_OK), 0);
}

TEST_F(CliCheck, UnreadableRecordsCountAsFailures) {
  events({});
  addins({{"00004", std::string("\x01\x00", 2)}});  // cut short inside the parent number
  const Result r = check(data_);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "add-in 00004: the record cannot be read\n1 scripts, 1 failed\n");
}

TEST_F(CliCheck, MissingDataFolderIsAUsageError) {
  const Result r = check(dir_ + "/absent");
  EXPECT_EQ(r.status, 64);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "Cannot find the data folder " + dir_ + "/absent/\n");
}

}  // namespace
