#pragma once
// TTnCnx: the telnet protocol layer of one session. It owns a TWSocket, opens and closes the TCP
// connection, strips the telnet commands from the received stream and answers the host's option
// negotiation (terminal type, window size, location), and hands the pure data of each received
// block to its owner in one OnDataAvailable call.
//
// Outgoing data passes through unchanged except that a data byte 255 is sent as IAC IAC, so the
// host never mistakes the user's bytes for a command.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "telnet/tn_parser.h"
#include "telnet/wsocket.h"

namespace ondrix::telnet {

class TTnCnx : private TnParser::Handler {
 public:
  using TTnSessionEvent = std::function<void(TTnCnx* Sender, std::uint16_t Error)>;
  // `Buffer` holds `Len` data bytes followed by a zero byte; it lives for the call only.
  using TTnDataAvailable = std::function<void(TTnCnx* Sender, const char* Buffer, int Len)>;
  using TTnDisplay = std::function<void(TTnCnx* Sender, const std::string& Str)>;
  using TNotifyEvent = std::function<void(TTnCnx* Sender)>;

  static constexpr int kReadSize = 2048;  // bytes read per receive event

  TTnCnx();
  ~TTnCnx() override;
  TTnCnx(const TTnCnx&) = delete;
  TTnCnx& operator=(const TTnCnx&) = delete;

  TWSocket& Socket() { return *socket_; }

  // Settings, copied by the terminal before each connect.
  std::string Port = "23";
  std::string Host;
  std::string Location = "TNCNX";
  std::string TermType = "VT100";
  int WindowCols = 80;
  int WindowRows = 24;
  bool SendWindowSize = false;

  // What the host has agreed to.
  bool LocalEcho() const { return localEcho_; }
  bool RemoteBinary() const { return remoteBinary_; }
  bool LocalBinary() const { return localBinary_; }
  bool SuppressGoAhead() const { return suppressGoAhead_; }
  bool TermTypeAgreed() const { return termTypeAgreed_; }
  bool EndOfRecordAgreed() const { return endOfRecordAgreed_; }

  // Closes a connection still open, then starts connecting to Host:Port; the result arrives as
  // OnSessionConnected.
  void Connect();
  void Close();
  // Sends user data (255 doubled); returns `length`, or -1 when the socket refused it.
  int Send(const void* buffer, int length);
  int SendStr(const std::string& text);
  // Sends the three bytes IAC command option.
  void SendCmd(std::uint8_t command, std::uint8_t option);

  // Runs a received block through the protocol: commands are answered, and the data goes to
  // OnDataAvailable (one call per 2048 input bytes at most). The receive handler uses it; it is
  // public so the protocol can be driven without a network.
  void ProcessBlock(const char* data, std::size_t length);

  TTnSessionEvent OnSessionConnected;
  TTnSessionEvent OnSessionClosed;
  TTnDataAvailable OnDataAvailable;
  TTnDisplay OnDisplay;
  TNotifyEvent OnEndOfRecord;
  TNotifyEvent OnSendLoc;
  TNotifyEvent OnTermType;
  TNotifyEvent OnLocalEcho;

 private:
  void SocketDataAvailable();
  void Flush();
  void Negotiate(std::uint8_t command, std::uint8_t option);
  void HandleSub(std::string_view text);
  void SendRaw(std::string_view bytes);
  void SendSub(std::uint8_t option, std::string_view payload);

  void tnData(const char* bytes, std::size_t length) override;
  void tnNegotiate(std::uint8_t command, std::uint8_t option) override;
  void tnSubnegotiation(std::string_view text) override;
  void tnEndOfRecord() override;

  std::unique_ptr<TWSocket> socket_;
  std::shared_ptr<int> life_ = std::make_shared<int>(0);  // expires when this is destroyed
  TnParser parser_;
  std::array<char, kReadSize + 1> buffer_{};
  std::size_t bufferLength_ = 0;

  bool localEcho_ = false;
  bool remoteBinary_ = false;
  bool localBinary_ = false;
  bool suppressGoAhead_ = false;
  bool termTypeAgreed_ = false;
  bool endOfRecordAgreed_ = false;
};

}  // namespace ondrix::telnet
