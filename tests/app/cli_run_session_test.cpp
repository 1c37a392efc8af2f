// ondrix-cli run with real sessions: a script that logs in through watches, runs a command, reads
// the output back from the screen and ends with CloseProgram; a refused connection reaching its
// OnNetworkError script; the status line with --status; a pending timer keeping the run alive.

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <string>

#include "cli_runner.h"
#include "daemon_process.h"
#include "loopback_peer.h"
#include "store/records/connection_record.h"
#include "store/stores/con_db_fcns.h"
#include "store/stores/factory_data.h"

namespace {

using ondrix::telnet::testing::DaemonProcess;

constexpr const char* kUser = "ondrixtest";
constexpr const char* kPassword = "Ondrix-Test-1";

using ondrix::cli::testing::CliRunner;
using ondrix::cli::testing::Result;

bool executable(const std::string& path) { return ::access(path.c_str(), X_OK) == 0; }

class CliRunSession : public ::testing::Test {
 protected:
  void SetUp() override { ondrix::store::createFactoryData(data_); }
  void TearDown() override {
    if (daemon_) daemon_->stop();
  }

  void addConnection(int number, const std::string& name, int port) {
    ondrix::store::ConnectionRecord r;
    r.RecordNo = number;
    r.Name = name;
    r.Host = "127.0.0.1";
    r.Port = port;
    r.Emulation = "VT100";
    r.Lines = 24;
    r.Columns = 80;
    r.KeyListNo = 1;
    r.FontName = "Terminal";
    r.FontSize = 12;
    ondrix::store::ConDBFcns book(data_);
    book.Open();
    book.Write(number, r);
    book.Close();
  }

  std::string write(const std::string& name, const std::string& text) { return runner_.write(name, text); }

  Result run(const std::string& script, const std::string& options = "") {
    return runner_.cli("run --timeout 30 --data '" + data_ + "' " + options + " '" + write("main.oxs", script) + "'");
  }

  CliRunner runner_{"ondrix-cli-run"};
  const std::string& dir_ = runner_.dir();
  const std::string data_ = dir_ + "/DATA/";
  std::unique_ptr<DaemonProcess> daemon_;
};

// The whole path a user automates: login prompt, password, shell prompt, a command, its output.
TEST_F(CliRunSession, LogsInRunsACommandAndReadsTheOutputBack) {
  if (::geteuid() != 0) GTEST_SKIP() << "the login program needs root";
  if (!executable("/usr/sbin/telnetd")) GTEST_SKIP() << "telnetd is not installed (package inetutils-telnetd)";
  if (!executable("/usr/bin/socat")) GTEST_SKIP() << "socat is not installed";
  if (!::getpwnam(kUser)) GTEST_SKIP() << "test user missing: run tests/telnet/create_test_user.sh";
  const std::uint16_t port = ondrix::telnet::testing::closedPort();
  std::string why;
  daemon_ = DaemonProcess::start({"/usr/bin/socat", "TCP-LISTEN:" + std::to_string(port) + ",bind=127.0.0.1,reuseaddr,fork",
                                  "EXEC:/usr/sbin/telnetd,nofork"},
                                 port, why);
  if (!daemon_) GTEST_SKIP() << why;
  addConnection(0, "Lab", port);

  const std::string user = write("user.oxs", std::string("begin SendLine(ActivePage, '") + kUser + "') end.");
  const std::string pass = write("pass.oxs", std::string("begin SendLine(0, '") + kPassword + "') end.");
  const std::string command = write("cmd.oxs", "begin WriteStatus('logged in'); SendLine(0, 'echo R=$((40+2))') end.");
  const std::string done = write("done.oxs",
                                 "var row: Integer; shown: String; begin shown := '';"
                                 " for row := 0 to 23 do shown := shown + GetScreenText(0, row, 0, row, 79);"
                                 " if Pos('R=42 ', shown) > 0 then ShowMessage('output read back')"
                                 " else ShowMessage('output missing');"
                                 " CloseProgram end.");
  const Result r = run("begin\n"
                       "  AddGlobalWatchScript('login: ', 1, '" + user + "');\n"
                       "  AddGlobalWatchScript('Password:', 1, '" + pass + "');\n"
                       "  AddGlobalWatchScript('$ ', 1, '" + command + "');\n"
                       "  AddGlobalWatchScript('R=42', 1, '" + done + "');\n"
                       "  ShowMessage(IntToStr(OpenConnection('lab')));\n"
                       "end.",
                       "--status");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "0\noutput read back\n");
  EXPECT_EQ(r.err, "logged in\n");
}

TEST_F(CliRunSession, RefusedConnectionRunsTheNetworkErrorScript) {
  addConnection(0, "Nowhere", ondrix::telnet::testing::closedPort());
  const std::string onError = write("neterr.oxs",
                                    "begin ShowMessage(Trim(GetScreenText(0, 0, 0, 0, 79))); CloseProgram end.");
  const Result r = run("var page: Integer; begin page := OpenConnection('Nowhere'); OnNetworkError(page, '" + onError +
                       "') end.");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("Connection failed: ", 0), 0u) << r.out;
}

// The run goes on after the script while the session is open, and ends by itself when the host
// closes it and nothing else is pending.
TEST_F(CliRunSession, RunLastsWhileTheSessionIsOpen) {
  const std::string busybox = executable("/bin/busybox") ? "/bin/busybox" : "/usr/bin/busybox";
  if (!executable(busybox)) GTEST_SKIP() << "busybox is not installed (package busybox-static)";
  const std::uint16_t port = ondrix::telnet::testing::closedPort();
  std::string why;
  daemon_ = DaemonProcess::start({busybox, "telnetd", "-F", "-p", std::to_string(port), "-b", "127.0.0.1", "-l", "/bin/sh"},
                                 port, why);
  if (!daemon_) GTEST_SKIP() << why;
  addConnection(0, "Box", port);
  const std::string command = write("cmd.oxs", "begin SendLine(0, 'echo R=$((40+2)); exit') end.");
  const std::string seen = write("seen.oxs", "begin ShowMessage('seen ' + WatchText) end.");
  const Result r = run("begin OpenConnection('box');\n"
                       "  AddWatchScript('# ', 1, '" + command + "'); AddWatchScript('$ ', 1, '" + command + "');\n"
                       "  AddWatchScript('R=42', 1, '" + seen + "') end.");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "seen R=42\n");
}

TEST_F(CliRunSession, PendingTimerKeepsTheRunAliveAndWithoutCloseProgramItEnds) {
  const std::string tick = write("tick.oxs", "begin ShowMessage('tick'); WriteStatus('ticked') end.");
  const Result r = run("begin SetTimer(1, '" + tick + "'); WriteStatus('set') end.", "--status");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "tick\n");
  EXPECT_EQ(r.err, "set\nticked\n");
  const Result quiet = run("begin WriteStatus('not shown') end.");
  EXPECT_EQ(quiet.err, "");
}

// The small dialogs take their answers from the answers file: the user name and the password one
// line each, a list choice by text or index; at the end of the file they are cancelled.
TEST_F(CliRunSession, DialogsTakeTheirAnswersInOrder) {
  const std::string answers = write("answers.txt", "bob\nsecret\ntwo\n");
  const Result r = run("var u, p: String; id: Integer; begin u := ''; p := '';"
                       " if not GetUserPass(u, p, 'Host') then ShowMessage(u + '/' + p);"
                       " id := CreateListWindow('Pick', 'Which:'); AddListWindowItem(id, 'one'); AddListWindowItem(id, 'two');"
                       " ShowMessage(IntToStr(ShowListWindow(id))); ShowMessage(IntToStr(ShowListWindow(id)));"
                       " if GetUserPass(u, p, 'Again') then ShowMessage('cancelled') end.",
                       "--answers '" + answers + "'");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "bob/secret\n1\n-1\ncancelled\n");
}

TEST_F(CliRunSession, CloseProgramEndsTheRunWithTimerPending) {
  const std::string tick = write("tick.oxs", "begin ShowMessage('tick') end.");
  const Result r = run("begin SetTimer(5, '" + tick + "'); CloseProgram; ShowMessage('script ends') end.");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "script ends\n");
}

}  // namespace
