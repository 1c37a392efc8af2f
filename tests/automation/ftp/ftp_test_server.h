#pragma once
// A real FTP server for a test: ftp_test_server.py on a free loopback port, serving a folder of
// its own to "tester" / "secret" and logging every command it receives. Stopped with the object.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "daemon_process.h"
#include "loopback_peer.h"

namespace ondrix::automation::testing {

class FtpTestServer {
 public:
  // Starts the server with its files under `base`/server; false (with `why`) when it cannot run.
  bool start(const std::filesystem::path& base, std::string& why) {
    root_ = base / "server";
    log_ = base / "commands.log";
    std::filesystem::create_directories(root_);
    port_ = telnet::testing::closedPort();
    process_ = telnet::testing::DaemonProcess::start(
        {"/usr/bin/python3", ONDRIX_FTP_TEST_SERVER, std::to_string(port_), root_.string(), log_.string()}, port_,
        why);
    return process_ != nullptr;
  }
  void stop() { process_.reset(); }

  // "127.0.0.1:PORT", as a host is written for the client.
  std::string address() const { return "127.0.0.1:" + std::to_string(port_); }
  const std::filesystem::path& root() const { return root_; }
  // Every command received so far, one a line ("PASS" without its argument).
  std::string commands() const {
    std::ifstream in(log_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

 private:
  std::filesystem::path root_;
  std::filesystem::path log_;
  std::uint16_t port_ = 0;
  std::unique_ptr<telnet::testing::DaemonProcess> process_;
};

}  // namespace ondrix::automation::testing
