#include "telnet_peer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace ondrix::session::testing {

namespace {

int listenOnLoopback(int& port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  if (fd < 0) throw std::runtime_error("socket failed");
  const int one = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof addr;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
    ::close(fd);
    throw std::runtime_error("bind failed");
  }
  port = ntohs(addr.sin_port);
  return fd;
}

}  // namespace

bool runUntil(platform::EventLoop& loop, const std::function<bool()>& done,
              std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    loop.runOnce(std::chrono::milliseconds(10));
  }
  return true;
}

TelnetPeer::TelnetPeer() {
  listener_ = listenOnLoopback(port_);
  ::listen(listener_, 1);
  ::fcntl(listener_, F_SETFL, O_NONBLOCK);
}

TelnetPeer::~TelnetPeer() {
  close();
  if (listener_ >= 0) ::close(listener_);
}

bool TelnetPeer::accept(platform::EventLoop& loop) {
  return runUntil(loop, [&] { return tryAccept(); });
}

bool TelnetPeer::tryAccept() {
  if (conn_ >= 0) return true;
  conn_ = ::accept(listener_, nullptr, nullptr);
  if (conn_ >= 0) ::fcntl(conn_, F_SETFL, O_NONBLOCK);
  return conn_ >= 0;
}

void TelnetPeer::send(const std::string& bytes) {
  std::size_t done = 0;
  for (int tries = 0; done < bytes.size() && tries < 1000; ++tries) {
    const ssize_t n = ::send(conn_, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
    if (n > 0) done += static_cast<std::size_t>(n);
    else if (n < 0 && errno != EAGAIN && errno != EINTR) break;
  }
}

void TelnetPeer::readAvailable() {
  char block[4096];
  for (;;) {
    const ssize_t n = ::recv(conn_, block, sizeof block, 0);
    if (n <= 0) return;
    received_.append(block, static_cast<std::size_t>(n));
  }
}

bool TelnetPeer::waitFor(platform::EventLoop& loop, const std::string& text) {
  return runUntil(loop, [&] {
    readAvailable();
    return received_.find(text) != std::string::npos;
  });
}

std::string TelnetPeer::take() {
  readAvailable();
  std::string all;
  all.swap(received_);
  return all;
}

void TelnetPeer::close() {
  if (conn_ >= 0) ::close(conn_);
  conn_ = -1;
}

int TelnetPeer::closedPort() {
  int port = 0;
  const int fd = listenOnLoopback(port);
  ::close(fd);
  return port;
}

}  // namespace ondrix::session::testing
