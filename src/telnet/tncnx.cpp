#include "telnet/tncnx.h"

#include <algorithm>
#include <cstring>

#include "telnet/telnet_codes.h"

namespace ondrix::telnet {
namespace {

// Appends `bytes` with every 255 doubled, as the protocol wants data and sub-negotiation values.
void appendEscaped(std::string& out, std::string_view bytes) {
  for (const char c : bytes) {
    out.push_back(c);
    if (static_cast<std::uint8_t>(c) == tn::IAC) out.push_back(c);
  }
}

// A window size as the 16-bit big-endian value the window-size option carries.
std::string sizeBytes(int value) {
  const int v = std::clamp(value, 0, 0xFFFF);
  return {static_cast<char>(v >> 8), static_cast<char>(v & 0xFF)};
}

}  // namespace

TTnCnx::TTnCnx() : socket_(std::make_unique<TWSocket>()) {
  socket_->OnSessionConnected = [this](TCustomWSocket*, std::uint16_t error) {
    if (OnSessionConnected) OnSessionConnected(this, error);
  };
  socket_->OnSessionClosed = [this](TCustomWSocket*, std::uint16_t error) {
    const std::weak_ptr<int> token = life_;
    if (socket_->State() != wsClosed) socket_->Close();
    if (!token.expired() && OnSessionClosed) OnSessionClosed(this, error);
  };
  socket_->OnDataAvailable = [this](TCustomWSocket*, std::uint16_t) { SocketDataAvailable(); };
}

TTnCnx::~TTnCnx() = default;

// --- connection ------------------------------------------------------------------------------

void TTnCnx::Connect() {
  if (socket_->State() != wsClosed) socket_->Close();
  // A new connection starts with a clean parser: a command or sub-negotiation cut off by the
  // last disconnect must not swallow the new host's first bytes.
  parser_.reset();
  bufferLength_ = 0;
  socket_->SetProto("tcp");
  socket_->SetPort(Port);
  socket_->SetAddr(Host);
  socket_->Connect();
}

void TTnCnx::Close() { socket_->Close(); }

// --- sending ---------------------------------------------------------------------------------

int TTnCnx::Send(const void* buffer, int length) {
  if (length <= 0) return socket_->Send(buffer, length);
  const std::string_view data(static_cast<const char*>(buffer), static_cast<std::size_t>(length));
  if (data.find(static_cast<char>(tn::IAC)) == std::string_view::npos)
    return socket_->Send(data.data(), length);
  std::string escaped;
  escaped.reserve(data.size() + 16);
  appendEscaped(escaped, data);
  return socket_->Send(escaped.data(), static_cast<int>(escaped.size())) < 0 ? -1 : length;
}

int TTnCnx::SendStr(const std::string& text) { return Send(text.data(), static_cast<int>(text.size())); }

void TTnCnx::SendCmd(std::uint8_t command, std::uint8_t option) {
  const char bytes[] = {static_cast<char>(tn::IAC), static_cast<char>(command), static_cast<char>(option)};
  SendRaw({bytes, sizeof bytes});
}

void TTnCnx::SendRaw(std::string_view bytes) {
  socket_->Send(bytes.data(), static_cast<int>(bytes.size()));
}

// IAC SB option payload IAC SE, with 255 doubled inside the payload.
void TTnCnx::SendSub(std::uint8_t option, std::string_view payload) {
  std::string bytes{static_cast<char>(tn::IAC), static_cast<char>(tn::SB), static_cast<char>(option)};
  appendEscaped(bytes, payload);
  bytes.push_back(static_cast<char>(tn::IAC));
  bytes.push_back(static_cast<char>(tn::SE));
  SendRaw(bytes);
}

// --- receiving -------------------------------------------------------------------------------

void TTnCnx::SocketDataAvailable() {
  char block[kReadSize];
  const int n = socket_->Receive(block, kReadSize);
  if (n == 0) {
    if (OnDisplay) OnDisplay(this, "\r\n**** Remote has closed ****\r\n");
    return;
  }
  if (n < 0) {
    const int error = socket_->LastError();
    if (error != kErrWouldBlock && OnDisplay)
      OnDisplay(this, "\r\n**** ERROR: " + std::to_string(error) + " ****\r\n");
    return;
  }
  ProcessBlock(block, static_cast<std::size_t>(n));
}

void TTnCnx::ProcessBlock(const char* data, std::size_t length) {
  const std::weak_ptr<int> token = life_;
  while (length > 0) {
    // At most kReadSize input bytes at a time: their data always fits the buffer.
    const std::size_t piece = std::min(length, static_cast<std::size_t>(kReadSize));
    parser_.parse(data, piece, *this);
    Flush();
    if (token.expired()) return;  // the data handler may end the session and free this object
    data += piece;
    length -= piece;
  }
}

void TTnCnx::Flush() {
  if (bufferLength_ == 0) return;
  const std::string block(buffer_.data(), bufferLength_);  // a fresh copy, zero-terminated
  bufferLength_ = 0;
  if (OnDataAvailable) OnDataAvailable(this, block.c_str(), static_cast<int>(block.size()));
}

void TTnCnx::tnData(const char* bytes, std::size_t length) {
  std::memcpy(buffer_.data() + bufferLength_, bytes, length);
  bufferLength_ += length;
}

void TTnCnx::tnNegotiate(std::uint8_t command, std::uint8_t option) { Negotiate(command, option); }

void TTnCnx::tnSubnegotiation(std::string_view text) { HandleSub(text); }

void TTnCnx::tnEndOfRecord() {
  if (OnEndOfRecord) OnEndOfRecord(this);
}

// --- negotiation -----------------------------------------------------------------------------

void TTnCnx::Negotiate(std::uint8_t command, std::uint8_t option) {
  switch (option) {
    case tn::BINARY:
      if (command == tn::WILL) {
        SendCmd(tn::DO, tn::BINARY);
        remoteBinary_ = localBinary_ = true;
      } else if (command == tn::WONT && (remoteBinary_ || localBinary_)) {
        remoteBinary_ = localBinary_ = false;
      }
      return;
    case tn::ECHO:
      if (command == tn::WILL) {
        SendCmd(tn::DO, tn::ECHO);
        localEcho_ = false;
      } else if (command == tn::WONT) {
        localEcho_ = true;
      } else if (command == tn::DO) {
        // The terminal does not echo for the host; a host that asks waits for this answer.
        SendCmd(tn::WONT, tn::ECHO);
      }
      if (OnLocalEcho) OnLocalEcho(this);
      return;
    case tn::SUPPRESS_GO_AHEAD:
      if (command == tn::WILL) {
        SendCmd(tn::DO, tn::SUPPRESS_GO_AHEAD);
        suppressGoAhead_ = true;
      }
      return;
    case tn::SEND_LOCATION:
      if (command == tn::DO) {
        SendCmd(tn::WILL, tn::SEND_LOCATION);
        if (OnSendLoc) OnSendLoc(this);
        SendSub(tn::SEND_LOCATION, Location);
      }
      return;
    case tn::TERMINAL_TYPE:
      if (command == tn::DO) {
        SendCmd(tn::WILL, tn::TERMINAL_TYPE);
        termTypeAgreed_ = true;
      }
      return;
    case tn::END_OF_RECORD:
      if (command == tn::DO) {
        SendCmd(tn::WILL, tn::END_OF_RECORD);
        endOfRecordAgreed_ = true;
      }
      return;
    case tn::NAWS:
      if (SendWindowSize) {
        if (command == tn::DO) {
          SendCmd(tn::WILL, tn::NAWS);
          SendSub(tn::NAWS, sizeBytes(WindowCols) + sizeBytes(WindowRows));
        }
        return;
      }
      break;  // refused like any other option
    default:
      break;
  }
  SendCmd(command == tn::WILL ? tn::DONT : tn::WONT, option);
}

void TTnCnx::HandleSub(std::string_view text) {
  if (text.size() < 2 || static_cast<std::uint8_t>(text[0]) != tn::TERMINAL_TYPE ||
      static_cast<std::uint8_t>(text[1]) != tn::SEND)
    return;
  if (OnTermType) OnTermType(this);
  SendSub(tn::TERMINAL_TYPE, std::string(1, static_cast<char>(tn::IS)) + TermType);
}

}  // namespace ondrix::telnet
