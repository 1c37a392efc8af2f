#pragma once
// A scripted telnet host for the session tests: it listens on 127.0.0.1, accepts one connection
// while the event loop runs, sends what the test gives it and collects what the terminal sends.
// Every wait is bounded; the destructor closes whatever is open.

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/event_loop.h"

namespace ondrix::session::testing {

// Runs `loop` until `done` holds or `limit` has passed; returns done().
bool runUntil(platform::EventLoop& loop, const std::function<bool()>& done,
              std::chrono::milliseconds limit = std::chrono::seconds(5));

class TelnetPeer {
 public:
  TelnetPeer();
  ~TelnetPeer();
  TelnetPeer(const TelnetPeer&) = delete;
  TelnetPeer& operator=(const TelnetPeer&) = delete;

  int port() const { return port_; }
  bool accept(platform::EventLoop& loop);
  // One attempt without waiting.
  bool tryAccept();
  void send(const std::string& bytes);
  // Runs the loop until what the terminal sent contains `text`; true when it does.
  bool waitFor(platform::EventLoop& loop, const std::string& text);
  // Everything received so far, then forgotten.
  std::string take();
  void close();

  // A port on 127.0.0.1 where nothing listens.
  static int closedPort();

 private:
  void readAvailable();

  int listener_ = -1;
  int conn_ = -1;
  int port_ = 0;
  std::string received_;
};

}  // namespace ondrix::session::testing
