// The FTP routines of scripts: values and the status texts of every step, against a real FTP
// server on loopback.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "automation_fixture.h"
#include "ftp_test_server.h"

namespace ondrix::automation {
namespace {

namespace fs = std::filesystem;

class FtpRoutines : public testing::AutomationTest {
 protected:
  void SetUp() override {
    std::string why;
    if (!server.start(root / "ftp", why)) GTEST_SKIP() << "no FTP server here: " << why;
    Start();
  }
  void TearDown() override { server.stop(); }
  std::vector<std::string> Statuses() const {
    std::vector<std::string> texts;
    for (const std::string& line : LogWith("Status ")) texts.push_back(line.substr(7));
    return texts;
  }
  std::string Q(const std::string& text) const { return "'" + text + "'"; }

  testing::FtpTestServer server;
};

TEST_F(FtpRoutines, ConnectTransferAndDisconnectReportEveryStep) {
  const std::string local = data + "up.txt", back = data + "down.txt";
  std::ofstream(local, std::ios::binary) << "line\r\n";
  Run("TestLog(FTPConnect(" + Q(server.address()) + ", 'tester', 'secret'));"
      "FTPAscii; TestLog(FTPSend(" + Q(local) + ", 'up.txt'));"
      "FTPBinary; TestLog(FTPReceive(" + Q(back) + ", 'up.txt'));"
      "TestLog(FTPDisconnect); TestLog(FTPDisconnect)");
  EXPECT_EQ(Logged(), (std::vector<std::string>{"-1", "-1", "-1", "-1", "0"}));
  EXPECT_EQ(Statuses(), (std::vector<std::string>{
                            "Attempting connection with " + server.address(),
                            "Successful FTP connection",
                            "FTP ASCII transfer mode set",
                            "FTP send of " + local + " started.",
                            "FTP send of " + local + " was successful.",
                            "FTP binary transfer mode set",
                            "FTP receive of up.txt started.",
                            "FTP receive of up.txt was successful.",
                            "Successful FTP disconnect",
                            "FTP disconnect error: Not connected",
                        }));
  const std::string commands = server.commands();
  EXPECT_LT(commands.find("TYPE A"), commands.find("STOR up.txt"));
  EXPECT_LT(commands.find("TYPE I"), commands.find("RETR up.txt"));
  EXPECT_TRUE(fs::exists(back));
}

TEST_F(FtpRoutines, FailuresAreFalseWithTheReason) {
  Run("TestLog(FTPConnect(" + Q(server.address()) + ", 'tester', 'wrong'));"
      "TestLog(FTPReceive(" + Q(data + "x.txt") + ", 'x.txt'))");
  EXPECT_EQ(Logged(), (std::vector<std::string>{"0", "0"}));
  const std::vector<std::string> statuses = Statuses();
  ASSERT_EQ(statuses.size(), 4u);
  EXPECT_EQ(statuses[1].substr(0, 23), "FTP connect error: 530 ");
  EXPECT_EQ(statuses[3], "FTP receive of x.txt failed: Not connected");
  EXPECT_FALSE(fs::exists(data + "x.txt"));
  EXPECT_TRUE(dialogs.boxes.empty());
}

}  // namespace
}  // namespace ondrix::automation
