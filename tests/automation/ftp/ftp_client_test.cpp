// The FTP client against a real FTP server on loopback (started per test), and against a listener
// that never answers.

#include "automation/ftp/ftp_client.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "ftp_test_server.h"
#include "platform/posix/poll_event_loop.h"

namespace ondrix::automation {
namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

std::string allByteValues() {
  std::string bytes;
  for (int round = 0; round < 4; ++round)
    for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
  return bytes;
}

class FtpClientTest : public ::testing::Test {
 protected:
  void SetUp() override {
    base = fs::temp_directory_path() / ("ondrix_ftp_" + std::to_string(getpid()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(base);
    fs::create_directories(base / "local");
    std::string why;
    if (!server.start(base, why)) GTEST_SKIP() << "no FTP server here: " << why;
    client.HostName = server.address();
    client.UserName = "tester";
    client.Password = "secret";
  }
  void TearDown() override {
    server.stop();
    fs::remove_all(base);
  }
  std::string commands() { return server.commands(); }
  // The local folder holds exactly these names.
  std::vector<std::string> localNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(base / "local")) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path base;
  testing::FtpTestServer server;
  platform::PollEventLoop loop;
  TFtpClient client{loop};
};

TEST_F(FtpClientTest, LogsInOnceAndKeepsTheConnectionForTransfers) {
  ASSERT_TRUE(client.Connect()) << client.ErrorText();
  EXPECT_TRUE(client.Connected());
  writeFile(base / "local" / "a.bin", "first");
  client.LocalFileName = (base / "local" / "a.bin").string();
  client.HostFileName = "a.bin";
  ASSERT_TRUE(client.Put()) << client.ErrorText();
  client.LocalFileName = (base / "local" / "b.bin").string();
  ASSERT_TRUE(client.Get()) << client.ErrorText();
  EXPECT_EQ(readFile(base / "local" / "b.bin"), "first");
  ASSERT_TRUE(client.Disconnect()) << client.ErrorText();
  EXPECT_FALSE(client.Connected());

  const std::string log = commands();
  std::size_t users = 0;
  for (std::size_t at = log.find("USER tester"); at != std::string::npos; at = log.find("USER tester", at + 1)) ++users;
  EXPECT_EQ(users, 1u) << log;
  EXPECT_NE(log.find("EPSV"), std::string::npos) << log;
  EXPECT_NE(log.find("QUIT"), std::string::npos) << log;
}

TEST_F(FtpClientTest, AWrongPasswordGivesTheServersReply) {
  client.Password = "wrong";
  EXPECT_FALSE(client.Connect());
  EXPECT_FALSE(client.Connected());
  EXPECT_EQ(client.ErrorText().substr(0, 4), "530 ") << client.ErrorText();
  client.Password = "secret";
  EXPECT_TRUE(client.Connect()) << client.ErrorText();
}

TEST_F(FtpClientTest, BinaryRoundTripKeepsEveryByteValue) {
  ASSERT_TRUE(client.Connect()) << client.ErrorText();
  const std::string bytes = allByteValues();
  writeFile(base / "local" / "all.bin", bytes);
  client.TransferType = TFtpClient::TTransferType::Binary;
  client.LocalFileName = (base / "local" / "all.bin").string();
  client.HostFileName = "sub dir/all #1.bin";
  fs::create_directories(base / "server" / "sub dir");
  ASSERT_TRUE(client.Put()) << client.ErrorText();
  EXPECT_EQ(readFile(base / "server" / "sub dir" / "all #1.bin"), bytes);
  client.LocalFileName = (base / "local" / "back.bin").string();
  ASSERT_TRUE(client.Get()) << client.ErrorText();
  EXPECT_EQ(readFile(base / "local" / "back.bin"), bytes);
  EXPECT_NE(commands().find("TYPE I"), std::string::npos);
}

TEST_F(FtpClientTest, AsciiModeSendsTypeAAndTranslatesLineEnds) {
  ASSERT_TRUE(client.Connect()) << client.ErrorText();
  writeFile(base / "server" / "text.txt", "one\r\ntwo\r\n");
  client.TransferType = TFtpClient::TTransferType::Ascii;
  client.HostFileName = "text.txt";
  client.LocalFileName = (base / "local" / "text.txt").string();
  ASSERT_TRUE(client.Get()) << client.ErrorText();
  EXPECT_NE(commands().find("TYPE A"), std::string::npos);
  // The server sends its lines with CR LF in ASCII mode; the text arrives line by line.
  const std::string text = readFile(base / "local" / "text.txt");
  EXPECT_NE(text.find("one"), std::string::npos);
  EXPECT_NE(text.find("two"), std::string::npos);
  client.TransferType = TFtpClient::TTransferType::Binary;
  ASSERT_TRUE(client.Get()) << client.ErrorText();
  EXPECT_EQ(readFile(base / "local" / "text.txt"), "one\r\ntwo\r\n");
}

TEST_F(FtpClientTest, AFailedReceiveLeavesNoFileAndKeepsAnOldOne) {
  ASSERT_TRUE(client.Connect()) << client.ErrorText();
  client.HostFileName = "missing.txt";
  client.LocalFileName = (base / "local" / "missing.txt").string();
  EXPECT_FALSE(client.Get());
  EXPECT_EQ(client.ErrorText().substr(0, 4), "550 ") << client.ErrorText();
  EXPECT_TRUE(localNames().empty());

  writeFile(base / "local" / "kept.txt", "old contents");
  client.LocalFileName = (base / "local" / "kept.txt").string();
  EXPECT_FALSE(client.Get());
  EXPECT_EQ(readFile(base / "local" / "kept.txt"), "old contents");
  EXPECT_EQ(localNames(), std::vector<std::string>{"kept.txt"});
  EXPECT_TRUE(client.Connected());
}

TEST_F(FtpClientTest, AMissingLocalFileIsNotSent) {
  ASSERT_TRUE(client.Connect()) << client.ErrorText();
  client.LocalFileName = (base / "local" / "nothing.txt").string();
  client.HostFileName = "nothing.txt";
  EXPECT_FALSE(client.Put());
  EXPECT_NE(client.ErrorText().find("Cannot open"), std::string::npos) << client.ErrorText();
  EXPECT_FALSE(fs::exists(base / "server" / "nothing.txt"));
}

TEST_F(FtpClientTest, OperationsNeedAConnection) {
  client.LocalFileName = (base / "local" / "x").string();
  client.HostFileName = "x";
  EXPECT_FALSE(client.Get());
  EXPECT_EQ(client.ErrorText(), "Not connected");
  EXPECT_FALSE(client.Put());
  EXPECT_FALSE(client.Disconnect());
  EXPECT_EQ(client.ErrorText(), "Not connected");
  EXPECT_TRUE(localNames().empty());
}

TEST_F(FtpClientTest, TheEventLoopKeepsRunningDuringATransfer) {
  ASSERT_TRUE(client.Connect()) << client.ErrorText();
  writeFile(base / "server" / "big.bin", std::string(8 << 20, 'x'));
  int ticks = 0;
  const auto timer = loop.startTimer(std::chrono::milliseconds(1), true, [&ticks] { ++ticks; });
  client.HostFileName = "big.bin";
  client.LocalFileName = (base / "local" / "big.bin").string();
  ASSERT_TRUE(client.Get()) << client.ErrorText();
  loop.stopTimer(timer);
  EXPECT_EQ(fs::file_size(base / "local" / "big.bin"), 8u << 20);
  EXPECT_GT(ticks, 0);
}

// A listener that accepts connections (the kernel completes them) but never says a word.
TEST(FtpClientTimeout, ASilentServerEndsTheConnectAfterTheTimeout) {
  const int listener = socket(AF_INET, SOCK_STREAM, 0);
  ASSERT_GE(listener, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(listen(listener, 4), 0);
  socklen_t length = sizeof address;
  getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);

  platform::PollEventLoop loop;
  TFtpClient client(loop);
  client.HostName = "127.0.0.1:" + std::to_string(ntohs(address.sin_port));
  client.UserName = "u";
  client.Password = "p";
  client.Timeout = std::chrono::milliseconds(1000);
  EXPECT_FALSE(client.Connect());
  EXPECT_FALSE(client.ErrorText().empty());
  EXPECT_FALSE(client.Connected());
  close(listener);
}

TEST(FtpClientSettings, ABadHostIsRefusedWithoutContact) {
  platform::PollEventLoop loop;
  TFtpClient client(loop);
  client.HostName = "";
  EXPECT_FALSE(client.Connect());
  EXPECT_EQ(client.ErrorText(), "Not a host name or port: ");
  client.HostName = "host:99999";
  EXPECT_FALSE(client.Connect());
}

}  // namespace
}  // namespace ondrix::automation
