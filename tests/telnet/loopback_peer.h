#pragma once
// The far end of a socket under test: a listening socket on 127.0.0.1 with the one connection it
// accepts, driven without blocking from the test thread while the event loop runs. Every wait is
// bounded; the destructor closes whatever is open.

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/posix/poll_event_loop.h"

namespace ondrix::telnet::testing {

// Runs `loop` until `done` holds or `limit` has passed; returns done().
bool runUntil(platform::PollEventLoop& loop, const std::function<bool()>& done,
              std::chrono::milliseconds limit = std::chrono::seconds(10));

// Runs `loop` for about `span` (to show that something does not happen).
void runFor(platform::PollEventLoop& loop, std::chrono::milliseconds span);

class LoopbackPeer {
 public:
  // `receiveBuffer` > 0 shrinks the accepted connection's receive buffer (set before accept).
  explicit LoopbackPeer(int receiveBuffer = 0);
  ~LoopbackPeer();
  LoopbackPeer(const LoopbackPeer&) = delete;
  LoopbackPeer& operator=(const LoopbackPeer&) = delete;

  std::uint16_t port() const { return port_; }
  std::string portText() const { return std::to_string(port_); }

  // Accepts the next connection, running `loop` meanwhile.
  bool accept(platform::PollEventLoop& loop);
  bool connected() const { return conn_ >= 0; }

  // Sends all of `bytes` (runs `loop` while the connection is full).
  void send(platform::PollEventLoop& loop, const std::string& bytes);
  // Reads what has arrived, without waiting.
  std::string readAvailable();
  // Reads until `count` bytes have arrived in total since the last take(), running `loop`.
  bool waitFor(platform::PollEventLoop& loop, std::size_t count);
  // Everything read so far, cleared.
  std::string take();
  // True once the client has closed its side (end of stream read), running `loop`.
  bool waitForClose(platform::PollEventLoop& loop);

  void close();  // orderly close of the connection
  void reset();  // abortive close: the client sees a connection reset

 private:
  int listener_ = -1;
  int conn_ = -1;
  std::uint16_t port_ = 0;
  std::string received_;
  bool eof_ = false;
};

// A port on 127.0.0.1 where nothing listens (bound, then released).
std::uint16_t closedPort();

}  // namespace ondrix::telnet::testing
