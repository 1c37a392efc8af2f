// Sessions against real telnet servers on loopback: busybox telnetd running a shell, and the
// inetutils telnetd behind socat with a real login of the test user (created by
// create_test_user.sh, which CTest runs first). Each test skips when its server cannot run here.

#include <pwd.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <string>

#include "daemon_process.h"
#include "loopback_peer.h"
#include "platform/services.h"
#include "telnet/tncnx.h"

namespace ondrix::telnet {
namespace {

using testing::DaemonProcess;
using testing::runUntil;

constexpr const char* kUser = "ondrixtest";
constexpr const char* kPassword = "Ondrix-Test-1";

bool executable(const std::string& path) { return ::access(path.c_str(), X_OK) == 0; }

std::string lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

class DaemonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cnx.Host = "127.0.0.1";
    cnx.TermType = "VT220";
    cnx.SendWindowSize = true;
    cnx.WindowCols = 100;
    cnx.WindowRows = 30;
    cnx.OnSessionConnected = [this](TTnCnx*, std::uint16_t e) { connectError = e; };
    cnx.OnSessionClosed = [this](TTnCnx*, std::uint16_t) { ++closed; };
    cnx.OnDataAvailable = [this](TTnCnx*, const char* b, int n) { screen.append(b, static_cast<std::size_t>(n)); };
  }

  void TearDown() override {
    // The session first, so the server's shells see the hang-up; then the server's process group.
    if (cnx.Socket().State() != wsClosed) cnx.Close();
    if (daemon) daemon->stop();
  }

  // Starts the server on a free port; false (with `why`) when it cannot run here.
  bool startDaemon(const std::vector<std::string>& argv, std::uint16_t port, std::string& why) {
    daemon = DaemonProcess::start(argv, port, why);
    return daemon != nullptr;
  }

  void connect(std::uint16_t port) {
    cnx.Port = std::to_string(port);
    cnx.Connect();
    ASSERT_TRUE(runUntil(loop, [&] { return connectError >= 0; }));
    ASSERT_EQ(connectError, 0);
  }

  // Waits until `text` has arrived after what was already consumed; everything up to its end
  // counts as consumed then.
  bool expect(const std::string& text, bool ignoreCase = false) {
    std::size_t at = std::string::npos;
    const bool found = runUntil(loop, [&] {
      at = (ignoreCase ? lower(screen) : screen).find(ignoreCase ? lower(text) : text, consumed);
      return at != std::string::npos || closed > 0;
    }, std::chrono::seconds(15));
    if (!found || at == std::string::npos) {
      ADD_FAILURE() << "waiting for \"" << text << "\"; the session shows:\n" << screen.substr(consumed);
      return false;
    }
    consumed = at + text.size();
    return true;
  }

  // A line as typed: a telnet carriage return is CR NUL.
  void type(const std::string& line) {
    cnx.SendStr(line);
    cnx.Send("\r\0", 2);
  }

  platform::PollEventLoop loop;
  platform::ScopedServices services{platform::Services{&loop, nullptr, nullptr, nullptr, nullptr}};
  std::unique_ptr<DaemonProcess> daemon;
  TTnCnx cnx;
  int connectError = -1;
  int closed = 0;
  std::string screen;
  std::size_t consumed = 0;
};

TEST_F(DaemonTest, BusyboxShellSeesTheWindowSizeAndAnswersCommands) {
  const std::string busybox = executable("/bin/busybox") ? "/bin/busybox" : "/usr/bin/busybox";
  if (!executable(busybox)) GTEST_SKIP() << "busybox is not installed (package busybox-static)";
  const std::uint16_t port = testing::closedPort();
  std::string why;
  if (!startDaemon({busybox, "telnetd", "-F", "-p", std::to_string(port), "-b", "127.0.0.1", "-l", "/bin/sh"},
                   port, why))
    GTEST_SKIP() << why;

  connect(port);
  type("echo R=$((40+2))");
  ASSERT_TRUE(expect("R=42"));
  // This server never asks for the terminal type; the window size it takes when offered.
  type("echo S=$(stty size)= $((6*7))");
  EXPECT_TRUE(expect("S=30 100= 42"));
  type("exit");
  EXPECT_TRUE(runUntil(loop, [&] { return closed > 0; }));
  EXPECT_EQ(closed, 1);
}

TEST_F(DaemonTest, InetutilsLoginShowsPromptAndShellSeesTerminalTypeAndSize) {
  if (::geteuid() != 0) GTEST_SKIP() << "the login program needs root";
  if (!executable("/usr/sbin/telnetd")) GTEST_SKIP() << "telnetd is not installed (package inetutils-telnetd)";
  if (!executable("/usr/bin/socat")) GTEST_SKIP() << "socat is not installed";
  if (!::getpwnam(kUser)) GTEST_SKIP() << "test user missing: run tests/telnet/create_test_user.sh";
  const std::uint16_t port = testing::closedPort();
  std::string why;
  if (!startDaemon({"/usr/bin/socat", "TCP-LISTEN:" + std::to_string(port) + ",bind=127.0.0.1,reuseaddr,fork",
                    "EXEC:/usr/sbin/telnetd,nofork"},
                   port, why))
    GTEST_SKIP() << why;

  connect(port);
  ASSERT_TRUE(expect("login: "));
  type(kUser);
  ASSERT_TRUE(expect("Password:"));
  type(kPassword);
  ASSERT_TRUE(expect("$ "));
  type("echo T=$TERM= S=$(stty size)= $((6*7))");
  EXPECT_TRUE(expect("T=vt220= S=30 100= 42", true));
  type("exit");
  EXPECT_TRUE(runUntil(loop, [&] { return closed > 0; }));
  EXPECT_EQ(closed, 1);
}

}  // namespace
}  // namespace ondrix::telnet
