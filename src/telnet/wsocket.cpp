#include "telnet/wsocket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <system_error>

#include "platform/services.h"
#include "telnet/dns_lookup.h"

namespace ondrix::telnet {
namespace {

std::string trimmed(const std::string& s) {
  const auto first = std::find_if_not(s.begin(), s.end(), [](unsigned char c) { return std::isspace(c); });
  const auto last = std::find_if_not(s.rbegin(), s.rend(), [](unsigned char c) { return std::isspace(c); });
  return first < last.base() ? std::string(first, last.base()) : std::string();
}

// A decimal number of at most `max`, or -1.
long parseNumber(const std::string& s, long max) {
  long value = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec != std::errc() || end != s.data() + s.size() || value < 0 || value > max) return -1;
  return value;
}

bool isDotted(const std::string& s, in_addr& out) { return ::inet_pton(AF_INET, s.c_str(), &out) == 1; }

int lastErrno() { return socketErrorFromErrno(errno); }

// Connect failures that concern the peer and are reported as a completed connect, as they would
// be had the attempt needed a round trip first.
bool isPeerFailure(int err) {
  return err == ECONNREFUSED || err == ETIMEDOUT || err == ENETUNREACH || err == EHOSTUNREACH;
}

sockaddr_in makeAddress(in_addr_t addr, std::uint16_t port) {
  sockaddr_in sin{};
  sin.sin_family = AF_INET;
  sin.sin_port = htons(port);
  sin.sin_addr.s_addr = addr;
  return sin;
}

}  // namespace

TCustomWSocket::TCustomWSocket() : loop_(*platform::services().loop), type_(SOCK_STREAM) {}

TCustomWSocket::~TCustomWSocket() {
  // Nothing is reported while the socket is being destroyed.
  dnsJob_.reset();
  if (watch_) loop_.unwatch(watch_);
  if (fd_ >= 0) ::close(fd_);
}

// --- properties ------------------------------------------------------------------------------

void TCustomWSocket::SetAddr(const std::string& value) {
  if (state_ != wsClosed) return RaiseException("Cannot change Addr if not closed");
  addrStr_ = trimmed(value);
  addrAssigned_ = !addrStr_.empty();
  addrResolved_ = false;
}

void TCustomWSocket::SetPort(const std::string& value) {
  if (state_ != wsClosed) return RaiseException("Cannot change Port if not closed");
  const std::string text = trimmed(value);
  if (text.empty()) {
    portStr_.clear();
    portAssigned_ = false;
    return;
  }
  long number = parseNumber(text, 65535);
  if (number < 0 && !std::isdigit(static_cast<unsigned char>(text[0]))) {
    if (const servent* s = ::getservbyname(text.c_str(), type_ == SOCK_DGRAM ? "udp" : "tcp"))
      number = ntohs(static_cast<std::uint16_t>(s->s_port));
  }
  if (number < 0) return RaiseException("SetPort: Cannot convert port '" + text + "'");
  portStr_ = text;
  port_ = static_cast<std::uint16_t>(number);
  portAssigned_ = true;
}

void TCustomWSocket::SetProto(const std::string& value) {
  if (state_ != wsClosed) return RaiseException("Cannot change Proto if not closed");
  const std::string text = trimmed(value);
  if (text.empty()) {
    protoStr_.clear();
    protoAssigned_ = false;
    return;
  }
  long number = parseNumber(text, 255);
  if (number < 0) {
    if (const protoent* p = ::getprotobyname(text.c_str())) number = p->p_proto;
  }
  if (number < 0) return RaiseException("SetProto: Cannot convert protocol '" + text + "'");
  protoStr_ = text;
  proto_ = static_cast<int>(number);
  protoAssigned_ = true;
  type_ = proto_ == IPPROTO_UDP ? SOCK_DGRAM : SOCK_STREAM;
}

void TCustomWSocket::SetSendFlags(int value) {
  if (value != wsSendNormal && value != wsSendUrgent) return RaiseException("Invalid SendFlags");
  sendFlags_ = static_cast<TSocketSendFlags>(value);
}

int TCustomWSocket::RcvdCount() {
  if (LineMode) return static_cast<int>(lineBuffer_.size());
  if (fd_ < 0) return 0;
  int count = 0;
  if (::ioctl(fd_, FIONREAD, &count) < 0) {
    SocketError("ioctlSocket", lastErrno());
    return -1;
  }
  return count;
}

int TCustomWSocket::PendingBytes() const {
  int count = 0;
  if (fd_ < 0 || ::ioctl(fd_, FIONREAD, &count) < 0) return 0;
  return count;
}

// --- error reporting -------------------------------------------------------------------------

void TCustomWSocket::SocketError(const std::string& operation, int code) {
  lastError_ = code;
  const std::string message = socketErrorMessage(code, operation);
  if (code == kErrConnReset || code == kErrNotConnected) {
    const Token token = life_;
    InternalClose(false, code);
    if (token.expired()) return;
  }
  if (OnError)
    OnError(this, static_cast<std::uint16_t>(code), message);
  else
    throw ESocketException(message);
}

void TCustomWSocket::RaiseException(const std::string& message) {
  if (OnError)
    OnError(this, static_cast<std::uint16_t>(lastError_), message);
  else
    throw ESocketException(message);
}

void TCustomWSocket::ChangeState(TSocketState newState) {
  const TSocketState old = state_;
  state_ = newState;
  UpdateInterest();
  if (OnChangeState && old != newState) OnChangeState(this, old, newState);
}

// --- connect ---------------------------------------------------------------------------------

bool TCustomWSocket::ResolveAddr() {
  if (addrResolved_) return true;
  in_addr a{};
  if (!isDotted(addrStr_, a)) {
    std::vector<std::string> addresses;
    if (resolveHost(addrStr_, addresses) != 0 || !isDotted(addresses.front(), a)) {
      RaiseException("SetAddr: Cannot convert host address '" + addrStr_ + "'");
      return false;
    }
  }
  addr_ = a.s_addr;
  addrResolved_ = true;
  return true;
}

void TCustomWSocket::Connect() {
  if (fd_ >= 0) return RaiseException("Connect: Socket already in use");
  if (!portAssigned_) return RaiseException("Connect: No Port Specified");
  if (!addrAssigned_) return RaiseException("Connect: No IP Address Specified");
  if (!protoAssigned_) return RaiseException("Connect: No Protocol Specified");
  if (!ResolveAddr()) return;
  if (type_ == SOCK_DGRAM)
    OpenDatagram();
  else
    OpenStream();
}

void TCustomWSocket::OpenStream() {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, proto_);
  if (fd < 0) return SocketError("Connect (socket)", lastErrno());
  BeginConnection(fd);
  const Token token = life_;
  ChangeState(wsOpened);
  if (token.expired() || fd_ != fd) return;

  const int on = 1;
  if (::setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on) < 0)
    return SocketError("setsockopt(SO_KEEPALIVE)", lastErrno());
  if (::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) < 0)
    return SocketError("setsockopt(SO_REUSEADDR)", lastErrno());
  if (LingerOnOff != wsLingerNoSet) {
    const linger l{LingerOnOff == wsLingerOn ? 1 : 0, LingerTimeout};
    if (::setsockopt(fd, SOL_SOCKET, SO_LINGER, &l, sizeof l) < 0)
      return SocketError("setsockopt(SO_LINGER)", lastErrno());
  }
  Watch();

  const sockaddr_in sin = makeAddress(addr_, port_);
  int immediate = -1;  // a result the connect call gave at once, reported like a late one
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&sin), sizeof sin) == 0) {
    immediate = 0;
  } else if (errno != EINPROGRESS) {
    if (!isPeerFailure(errno)) return SocketError("Connect", lastErrno());
    immediate = lastErrno();
  }
  ChangeState(wsConnecting);
  if (immediate >= 0 && !token.expired() && fd_ == fd) {
    loop_.post([this, token, fd, immediate] {
      if (!token.expired() && fd_ == fd && state_ == wsConnecting) ConnectDone(immediate);
    });
  }
}

void TCustomWSocket::OpenDatagram() {
  const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, proto_);
  if (fd < 0) return SocketError("Connect (socket)", lastErrno());
  BeginConnection(fd);
  const Token token = life_;
  ChangeState(wsOpened);
  if (token.expired() || fd_ != fd) return;

  const sockaddr_in local = makeAddress(INADDR_ANY, 0);
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) < 0)
    return SocketError("bind", lastErrno());
  if (addr_ == INADDR_BROADCAST) {
    const int on = 1;
    if (::setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) < 0)
      return SocketError("setsockopt(SO_BROADCAST)", lastErrno());
  }
  Watch();
  ChangeState(wsConnected);
  if (token.expired() || fd_ != fd) return;
  if (OnSessionConnected) OnSessionConnected(this, 0);
}

// Takes `fd` as the socket of a new connection: per-connection state starts afresh.
void TCustomWSocket::BeginConnection(int fd) {
  fd_ = fd;
  closeInvoked_ = false;
  readCount_ = 0;
  lastError_ = 0;
  queue_.clear();
  lineBuffer_.clear();
  lineEof_ = false;
}

void TCustomWSocket::Watch() {
  const Token token = life_;
  const int fd = fd_;
  watch_ = loop_.watch(fd, platform::kNone, [this, token, fd](int, unsigned readiness) {
    if (!token.expired() && fd_ == fd) OnReady(readiness);
  });
  UpdateInterest();
}

void TCustomWSocket::UpdateInterest() {
  if (!watch_) return;
  unsigned interest = platform::kNone;
  switch (state_) {
    case wsConnecting:
      interest = platform::kWritable;
      break;
    case wsConnected:
      interest = platform::kReadable | (queue_.empty() ? 0u : platform::kWritable);
      break;
    case wsListening:
      interest = platform::kReadable;
      break;
    default:
      break;
  }
  loop_.setInterest(watch_, interest);
}

// --- notifications ---------------------------------------------------------------------------

void TCustomWSocket::OnReady(unsigned readiness) {
  const Token token = life_;
  const int fd = fd_;
  const auto gone = [&] { return token.expired() || fd_ != fd; };
  const bool readable = readiness & (platform::kReadable | platform::kHangup);

  if (state_ == wsConnecting) {
    if (!(readiness & (platform::kWritable | platform::kHangup))) return;
    int err = 0;
    socklen_t len = sizeof err;
    if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) < 0) err = errno;
    ConnectDone(err == 0 ? 0 : socketErrorFromErrno(err));
    if (gone() || state_ != wsConnected) return;
  }

  if (type_ == SOCK_DGRAM) {
    if (readiness & platform::kHangup) {  // an ICMP error: take it off the socket
      int err = 0;
      socklen_t len = sizeof err;
      ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len);
    }
    if (readiness & platform::kReadable) DataReadable(false);
    if (gone()) return;
    if (readiness & platform::kWritable) Writable();
    return;
  }

  if (state_ == wsListening) {
    if (readable && OnSessionAvailable) OnSessionAvailable(this, 0);
    return;
  }
  if (state_ != wsConnected) return;

  bool peerClosed = false;
  int closeError = 0;
  if (readable) {
    if (PendingBytes() > 0) {
      DataReadable(false);
      if (gone()) return;
    }
    // Readable with nothing waiting: the peer has closed (or reset) the connection.
    char probe;
    const ssize_t n = ::recv(fd, &probe, 1, MSG_PEEK);
    if (n == 0) {
      peerClosed = true;
    } else if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
      peerClosed = true;
      closeError = lastErrno();
    }
  }
  if (readiness & platform::kWritable) {
    Writable();
    if (gone()) return;
  }
  if (peerClosed) PeerClosed(closeError);
}

void TCustomWSocket::ConnectDone(int error) {
  const Token token = life_;
  const int fd = fd_;
  ChangeState(wsConnected);
  if (token.expired() || fd_ != fd) return;
  UpdateInterest();
  if (OnSessionConnected) OnSessionConnected(this, static_cast<std::uint16_t>(error));
  if (token.expired() || fd_ != fd) return;
  if (error != 0 && state_ != wsClosed) Close();
}

// Raises OnDataAvailable at least once, and again while bytes are waiting and the handler takes
// them; a handler is expected to call Receive. A sender that never pauses would keep this loop
// going for ever, so outside the final drain at close it yields to the event loop after
// kReadRounds events; the socket is still readable and the next round goes on.
void TCustomWSocket::DataReadable(bool untilEmpty) {
  const Token token = life_;
  const int fd = fd_;
  int rounds = 0;
  do {
    lastError_ = 0;
    const std::uint64_t readBefore = readCount_;
    const std::size_t lineBefore = lineBuffer_.size();
    if (!RaiseDataAvailable()) break;
    if (token.expired() || fd_ != fd) return;
    if (lastError_ != 0) break;
    // A handler that took nothing would be called forever; the next notification retries.
    if (readCount_ == readBefore && lineBuffer_.size() == lineBefore) break;
  } while ((untilEmpty || ++rounds < kReadRounds) && PendingBytes() > 0);
}

bool TCustomWSocket::RaiseDataAvailable() {
  if (LineMode) return RaiseLines();
  if (!OnDataAvailable) {
    // Nobody reads: take the bytes off the socket so the notification does not repeat forever.
    char scrap[4096];
    while (PendingBytes() > 0 && Receive(scrap, sizeof scrap) > 0) {
    }
    return false;
  }
  OnDataAvailable(this, 0);
  return true;
}

// --- line mode -------------------------------------------------------------------------------

void TCustomWSocket::FillLineBuffer() {
  char chunk[4096];
  for (;;) {
    const ssize_t n = ::recv(fd_, chunk, sizeof chunk, 0);
    if (n > 0) {
      lineBuffer_.append(chunk, static_cast<std::size_t>(n));
      readCount_ += static_cast<std::uint64_t>(n);
      if (static_cast<std::size_t>(n) == sizeof chunk) continue;
    } else if (n == 0) {
      lineEof_ = true;
    } else if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
      lastError_ = lastErrno();
    }
    return;
  }
}

std::size_t TCustomWSocket::NextLine(bool& tooLong) const {
  tooLong = false;
  const std::size_t end = LineEnd.empty() ? std::string::npos : lineBuffer_.find(LineEnd);
  if (end != std::string::npos && end + LineEnd.size() <= kLineLimit) return end + LineEnd.size();
  if (lineBuffer_.size() >= kLineLimit) {
    tooLong = true;
    return kLineLimit;
  }
  return lineEof_ ? lineBuffer_.size() : 0;
}

bool TCustomWSocket::RaiseLines() {
  const int errorBefore = lastError_;
  FillLineBuffer();
  if (lastError_ != errorBefore) return false;
  const Token token = life_;
  const int fd = fd_;
  bool raised = false;
  bool tooLong = false;
  while (const std::size_t length = NextLine(tooLong)) {
    if (tooLong && OnLineTooLong) {
      OnLineTooLong(this);
      if (token.expired() || fd_ != fd) return true;
    }
    if (!OnDataAvailable) {
      lineBuffer_.erase(0, length);
      continue;
    }
    const std::size_t before = lineBuffer_.size();
    OnDataAvailable(this, 0);
    raised = true;
    if (token.expired() || fd_ != fd) return true;
    if (lastError_ != 0 || lineBuffer_.size() == before) break;  // the handler did not take it
  }
  return raised;
}

// --- sending ---------------------------------------------------------------------------------

int TCustomWSocket::Send(const void* buffer, int length) {
  if (state_ != wsConnected) {
    SocketError("Send", kErrNotConnected);
    return -1;
  }
  if (length <= 0) return 0;
  if (type_ == SOCK_DGRAM) return SendDatagram(static_cast<const char*>(buffer), length);
  queue_.append(static_cast<const char*>(buffer), static_cast<std::size_t>(length));
  const Token token = life_;
  const int fd = fd_;
  TryToSend();
  if (token.expired() || fd_ != fd) return length;
  if (queue_.empty()) PostWriteNotification();
  return length;
}

int TCustomWSocket::SendStr(const std::string& text) {
  return Send(text.data(), static_cast<int>(text.size()));
}

int TCustomWSocket::SendDatagram(const char* data, int length) {
  // A datagram is one message: it goes out whole, at once, never split into queue blocks.
  const sockaddr_in to = makeAddress(addr_, port_);
  const int flags = MSG_NOSIGNAL | (sendFlags_ == wsSendUrgent ? MSG_OOB : 0);
  if (::sendto(fd_, data, static_cast<std::size_t>(length), flags,
               reinterpret_cast<const sockaddr*>(&to), sizeof to) < 0) {
    const int code = lastErrno();
    if (code == kErrWouldBlock) {
      lastError_ = code;
      return -1;
    }
    SocketError("Send", code);
    return -1;
  }
  PostWriteNotification();
  return length;
}

void TCustomWSocket::PostWriteNotification() {
  loop_.post([this, token = Token(life_), fd = fd_] {
    if (!token.expired() && fd_ == fd && state_ == wsConnected) Writable();
  });
}

bool TCustomWSocket::TryToSend() {
  const int flags = MSG_NOSIGNAL | (sendFlags_ == wsSendUrgent ? MSG_OOB : 0);
  while (fd_ >= 0 && !queue_.empty()) {
    const auto chunk = queue_.front();
    const ssize_t n = ::send(fd_, chunk.data(), chunk.size(), flags);
    if (n >= 0) {
      queue_.consume(static_cast<std::size_t>(n));
      continue;
    }
    if (errno == EINTR) continue;
    const int code = lastErrno();
    if (code == kErrWouldBlock) break;
    if (code == kErrInvalidArgument || code == kErrNotSocket || code == kErrConnReset ||
        code == kErrNotConnected) {
      lastError_ = code;
      InternalClose(false, code);
    } else {
      SocketError("TryToSend failed", code);
    }
    return false;
  }
  UpdateInterest();
  return true;
}

void TCustomWSocket::Writable() {
  const Token token = life_;
  if (!TryToSend() || token.expired()) return;
  if (queue_.empty() && OnDataSent) OnDataSent(this, 0);
}

// --- receiving -------------------------------------------------------------------------------

int TCustomWSocket::Receive(void* buffer, int size) {
  if (size < 0) size = 0;
  if (LineMode) {
    bool tooLong = false;
    const std::size_t length = NextLine(tooLong);
    if (length == 0) {
      if (lineEof_ && lineBuffer_.empty()) return 0;
      lastError_ = kErrWouldBlock;
      return -1;
    }
    const std::size_t n = std::min(length, static_cast<std::size_t>(size));
    std::memcpy(buffer, lineBuffer_.data(), n);
    lineBuffer_.erase(0, n);
    return static_cast<int>(n);
  }
  if (fd_ < 0) {
    lastError_ = kErrNotSocket;
    return -1;
  }
  ssize_t n;
  do {
    n = ::recv(fd_, buffer, static_cast<std::size_t>(size), 0);
  } while (n < 0 && errno == EINTR);
  if (n < 0) {
    lastError_ = lastErrno();
    return -1;
  }
  readCount_ += static_cast<std::uint64_t>(n);
  return static_cast<int>(n);
}

// --- closing ---------------------------------------------------------------------------------

void TCustomWSocket::PeerClosed(int error) {
  const Token token = life_;
  const int fd = fd_;
  const auto gone = [&] { return token.expired() || fd_ != fd; };
  DataReadable(true);  // what is still waiting comes first
  if (gone()) return;
  if (!closeInvoked_) {
    closeInvoked_ = true;
    if (OnSessionClosed) OnSessionClosed(this, static_cast<std::uint16_t>(error));
    if (gone()) return;
  }
  if (state_ != wsClosed) Close();
}

void TCustomWSocket::Close() { InternalClose(true, 0); }

void TCustomWSocket::Abort() { InternalClose(false, 0); }

void TCustomWSocket::InternalClose(bool shutDown, int error) {
  if (fd_ < 0) {
    if (state_ != wsClosed) ChangeState(wsClosed);
    return;
  }
  const int fd = fd_;
  if (watch_) loop_.unwatch(watch_);
  watch_ = 0;
  if (shutDown && type_ == SOCK_STREAM) {
    // Hand what is still queued to the system, and take unread input off the socket: closing
    // with unread input would reset the connection and could lose what was sent last.
    TryToSendQuietly();
    char scrap[4096];
    while (::recv(fd, scrap, sizeof scrap, MSG_DONTWAIT) > 0) {
    }
    ::shutdown(fd, SHUT_RDWR);
  }
  fd_ = -1;
  queue_.clear();
  const int rc = ::close(fd);
  const int closeErrno = errno;

  const Token token = life_;
  ChangeState(wsClosed);
  if (token.expired()) return;
  if (rc < 0 && closeErrno != EINTR) {
    SocketError("Disconnect (closesocket)", socketErrorFromErrno(closeErrno));
    if (token.expired()) return;
  }
  if (!closeInvoked_) {
    closeInvoked_ = true;
    if (OnSessionClosed) OnSessionClosed(this, static_cast<std::uint16_t>(error));
  }
}

void TCustomWSocket::TryToSendQuietly() {
  while (!queue_.empty()) {
    const auto chunk = queue_.front();
    const ssize_t n = ::send(fd_, chunk.data(), chunk.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n <= 0) return;
    queue_.consume(static_cast<std::size_t>(n));
  }
}

// --- peers, listening, accepting -------------------------------------------------------------

std::string TCustomWSocket::GetPeerName() {
  sockaddr_in sin{};
  socklen_t len = sizeof sin;
  char text[INET_ADDRSTRLEN] = {};
  if (fd_ < 0 || ::getpeername(fd_, reinterpret_cast<sockaddr*>(&sin), &len) < 0 ||
      !::inet_ntop(AF_INET, &sin.sin_addr, text, sizeof text))
    return "error";
  return text;
}

std::uint16_t TCustomWSocket::GetXPort() {
  sockaddr_in sin{};
  socklen_t len = sizeof sin;
  if (fd_ < 0 || ::getsockname(fd_, reinterpret_cast<sockaddr*>(&sin), &len) < 0) return 0;
  return ntohs(sin.sin_port);
}

void TCustomWSocket::Listen() {
  if (!portAssigned_) return RaiseException("listen: port not assigned");
  if (!protoAssigned_) return RaiseException("listen: protocol not assigned");
  if (!addrAssigned_) return RaiseException("listen: address not assigned");
  if (fd_ >= 0) return RaiseException("listen: Socket already in use");
  if (!ResolveAddr()) return;
  const int fd = ::socket(AF_INET, type_ | SOCK_NONBLOCK | SOCK_CLOEXEC, proto_);
  if (fd < 0) return SocketError("socket", lastErrno());
  BeginConnection(fd);
  const Token token = life_;
  ChangeState(wsOpened);
  if (token.expired() || fd_ != fd) return;
  const int on = 1;
  if (type_ == SOCK_STREAM && ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) < 0)
    return SocketError("setsockopt(SO_REUSEADDR)", lastErrno());
  const sockaddr_in sin = makeAddress(addr_, port_);
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&sin), sizeof sin) < 0)
    return SocketError("bind", lastErrno());
  if (type_ == SOCK_STREAM && ::listen(fd, SOMAXCONN) < 0) return SocketError("listen", lastErrno());
  Watch();
  ChangeState(wsListening);  // a datagram socket then reports arriving data
}

int TCustomWSocket::Accept() {
  if (state_ != wsListening) {
    RaiseException("not a listening socket");
    return -1;
  }
  const int handle = ::accept4(fd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
  if (handle < 0) {
    const int code = lastErrno();
    lastError_ = code;
    if (code != kErrWouldBlock) SocketError("accept", code);
    return -1;
  }
  return handle;
}

void TCustomWSocket::Dup(int acceptedHandle) {
  if (fd_ >= 0) return RaiseException("Dup: Socket already in use");
  const int flags = ::fcntl(acceptedHandle, F_GETFL);
  if (flags < 0 || ::fcntl(acceptedHandle, F_SETFL, flags | O_NONBLOCK) < 0)
    return SocketError("Dup", lastErrno());
  type_ = SOCK_STREAM;
  BeginConnection(acceptedHandle);
  Watch();
  ChangeState(wsConnected);
  UpdateInterest();
}

// --- asynchronous name lookup ----------------------------------------------------------------

void TCustomWSocket::DnsLookup(const std::string& name) {
  const std::string host = trimmed(name);
  if (host.empty()) return RaiseException("DNS lookup: invalid host name.");
  CancelDnsLookup();
  dnsResult_.clear();
  dnsResultList_.clear();
  in_addr a{};
  if (isDotted(host, a)) {
    dnsResult_ = host;
    dnsResultList_.push_back(host);
    if (OnDnsLookupDone) OnDnsLookupDone(this, 0);
    return;
  }
  try {
    dnsJob_ = std::make_unique<DnsLookupJob>(
        loop_, host, [this](int error, std::vector<std::string> addresses) {
          dnsResultList_ = std::move(addresses);
          dnsResult_ = dnsResultList_.empty() ? std::string() : dnsResultList_.front();
          auto finished = std::move(dnsJob_);  // released when this call returns
          if (OnDnsLookupDone) OnDnsLookupDone(this, static_cast<std::uint16_t>(error));
        });
  } catch (const std::system_error& e) {
    RaiseException("DnsLookup: can't start DNS lookup, error #" + std::to_string(e.code().value()));
  }
}

void TCustomWSocket::CancelDnsLookup() { dnsJob_.reset(); }

}  // namespace ondrix::telnet
