#include "loopback_peer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <utility>

namespace ondrix::telnet::testing {
namespace {

using Clock = std::chrono::steady_clock;

int listenOnLoopback(std::uint16_t& port, int receiveBuffer) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) throw std::runtime_error("socket");
  const int on = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  if (receiveBuffer > 0) ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
  sockaddr_in sin{};
  sin.sin_family = AF_INET;
  sin.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof sin;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&sin), sizeof sin) < 0 || ::listen(fd, 8) < 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&sin), &len) < 0) {
    ::close(fd);
    throw std::runtime_error("bind/listen");
  }
  port = ntohs(sin.sin_port);
  return fd;
}

}  // namespace

bool runUntil(platform::PollEventLoop& loop, const std::function<bool()>& done,
              std::chrono::milliseconds limit) {
  const auto end = Clock::now() + limit;
  while (!done() && Clock::now() < end) loop.runOnce(std::chrono::milliseconds(5));
  return done();
}

void runFor(platform::PollEventLoop& loop, std::chrono::milliseconds span) {
  const auto end = Clock::now() + span;
  while (Clock::now() < end) loop.runOnce(std::chrono::milliseconds(5));
}

LoopbackPeer::LoopbackPeer(int receiveBuffer) { listener_ = listenOnLoopback(port_, receiveBuffer); }

LoopbackPeer::~LoopbackPeer() {
  close();
  if (listener_ >= 0) ::close(listener_);
}

bool LoopbackPeer::accept(platform::PollEventLoop& loop) {
  return runUntil(loop, [&] {
    if (conn_ < 0) conn_ = ::accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    return conn_ >= 0;
  });
}

void LoopbackPeer::send(platform::PollEventLoop& loop, const std::string& bytes) {
  std::size_t sent = 0;
  runUntil(loop, [&] {
    while (sent < bytes.size()) {
      const ssize_t n = ::send(conn_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
      if (n <= 0) break;
      sent += static_cast<std::size_t>(n);
    }
    return sent == bytes.size();
  });
  if (sent != bytes.size()) throw std::runtime_error("peer could not send");
}

std::string LoopbackPeer::readAvailable() {
  char buf[65536];
  for (;;) {
    const ssize_t n = ::recv(conn_, buf, sizeof buf, 0);
    if (n > 0) {
      received_.append(buf, static_cast<std::size_t>(n));
      continue;
    }
    if (n == 0) eof_ = true;
    break;
  }
  return received_;
}

bool LoopbackPeer::waitFor(platform::PollEventLoop& loop, std::size_t count) {
  return runUntil(loop, [&] { return readAvailable().size() >= count; });
}

std::string LoopbackPeer::take() {
  readAvailable();
  return std::exchange(received_, {});
}

bool LoopbackPeer::waitForClose(platform::PollEventLoop& loop) {
  return runUntil(loop, [&] {
    readAvailable();
    return eof_;
  });
}

void LoopbackPeer::close() {
  if (conn_ >= 0) ::close(conn_);
  conn_ = -1;
}

void LoopbackPeer::reset() {
  if (conn_ < 0) return;
  const linger hard{1, 0};
  ::setsockopt(conn_, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
  close();
}

std::uint16_t closedPort() {
  std::uint16_t port = 0;
  ::close(listenOnLoopback(port, 0));
  return port;
}

}  // namespace ondrix::telnet::testing
