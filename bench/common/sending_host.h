#pragma once
// A host for loopback benchmarks: a thread on 127.0.0.1 that sends `total` bytes, cycling through
// `text` (which must outlive it), to its first client and closes the connection.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <thread>

namespace ondrix::bench {

class SendingHost {
 public:
  SendingHost(const std::string& text, std::size_t total) {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in sin{};
    sin.sin_family = AF_INET;
    sin.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof sin;
    ::bind(listener_, reinterpret_cast<sockaddr*>(&sin), sizeof sin);
    ::listen(listener_, 1);
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&sin), &len);
    port_ = ntohs(sin.sin_port);
    thread_ = std::thread([this, &text, total] {
      const int conn = ::accept(listener_, nullptr, nullptr);
      if (conn < 0) return;
      for (std::size_t sent = 0; sent < total;) {
        const std::size_t at = sent % text.size();
        const std::size_t piece = std::min({std::size_t{1} << 16, text.size() - at, total - sent});
        const ssize_t n = ::send(conn, text.data() + at, piece, MSG_NOSIGNAL);
        if (n <= 0) break;
        sent += static_cast<std::size_t>(n);
      }
      ::close(conn);
    });
  }
  ~SendingHost() {
    ::shutdown(listener_, SHUT_RDWR);
    thread_.join();
    ::close(listener_);
  }
  SendingHost(const SendingHost&) = delete;
  SendingHost& operator=(const SendingHost&) = delete;
  std::uint16_t port() const { return port_; }

 private:
  int listener_;
  std::uint16_t port_;
  std::thread thread_;
};

}  // namespace ondrix::bench
