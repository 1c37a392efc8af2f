#pragma once
// TCustomWSocket / TWSocket: an event-driven TCP or UDP socket for the single user-interface
// thread. Nothing waits for the network except the host-name resolution inside Connect: the
// socket is non-blocking, watched by the platform event loop, and reports connect completion,
// arriving data, sent data, incoming connections and peer close as events on the loop's thread.
// Failures become "Error <code> in function <operation>" CR LF <text>, given to OnError when it is
// set and thrown as ESocketException otherwise.

#include <netinet/in.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/event_loop.h"
#include "telnet/send_queue.h"
#include "telnet/socket_errors.h"

namespace ondrix::telnet {

class DnsLookupJob;

enum TSocketState {
  wsInvalidState,
  wsOpened,
  wsBound,
  wsConnecting,
  wsConnected,
  wsAccepting,
  wsListening,
  wsClosed,
};

enum TSocketSendFlags { wsSendNormal, wsSendUrgent };
enum TSocketLingerOnOff { wsLingerOff, wsLingerOn, wsLingerNoSet };

class TCustomWSocket {
 public:
  using TDataAvailable = std::function<void(TCustomWSocket* Sender, std::uint16_t Error)>;
  using TDataSent = TDataAvailable;
  using TSessionClosed = TDataAvailable;
  using TSessionAvailable = TDataAvailable;
  using TSessionConnected = TDataAvailable;
  using TDnsLookupDone = TDataAvailable;
  using TChangeState =
      std::function<void(TCustomWSocket* Sender, TSocketState OldState, TSocketState NewState)>;
  using TLineTooLong = std::function<void(TCustomWSocket* Sender)>;
  using TSocketError =
      std::function<void(TCustomWSocket* Sender, std::uint16_t ErrCode, const std::string& ErrMsg)>;

  // Longest line the line mode collects before it raises OnLineTooLong.
  static constexpr std::size_t kLineLimit = 253;
  // Data events raised for one readable notification before the loop gets its turn again.
  static constexpr int kReadRounds = 64;

  TCustomWSocket();
  virtual ~TCustomWSocket();
  TCustomWSocket(const TCustomWSocket&) = delete;
  TCustomWSocket& operator=(const TCustomWSocket&) = delete;

  // --- properties -------------------------------------------------------------------------
  const std::string& Addr() const { return addrStr_; }
  void SetAddr(const std::string& value);  // only while closed; "" clears it
  const std::string& Port() const { return portStr_; }
  void SetPort(const std::string& value);  // a number or a service name; "" clears it
  const std::string& Proto() const { return protoStr_; }
  void SetProto(const std::string& value);  // a number or a name ("tcp", "udp"); "" clears it

  TSocketState State() const { return state_; }
  int LastError() const { return lastError_; }
  std::uint64_t ReadCount() const { return readCount_; }
  int RcvdCount();  // bytes waiting to be read (0 without a socket)
  const std::string& DnsResult() const { return dnsResult_; }
  const std::vector<std::string>& DnsResultList() const { return dnsResultList_; }

  bool MultiThreaded = false;  // kept for callers; one event loop serves every socket here
  int FlushTimeout = 60;       // seconds; kept for callers
  TSocketSendFlags SendFlags() const { return sendFlags_; }
  void SetSendFlags(int value);  // wsSendNormal or wsSendUrgent, else "Invalid SendFlags"
  TSocketLingerOnOff LingerOnOff = wsLingerOff;
  int LingerTimeout = 0;  // seconds, applied at connect when LingerOnOff is wsLingerOn

  // Line mode: OnDataAvailable is raised once per received line (ending in LineEnd, at most
  // kLineLimit bytes), and Receive returns that line. A longer line raises OnLineTooLong and is
  // then delivered in pieces of kLineLimit bytes, so nothing is lost.
  bool LineMode = false;
  std::string LineEnd = "\r\n";

  // --- operations -------------------------------------------------------------------------
  void Connect();
  void Close();  // shuts down, closes, raises OnSessionClosed once per connection
  void Abort();  // as Close, without trying to hand queued data to the system first
  int Send(const void* buffer, int length);
  int SendStr(const std::string& text);
  int Receive(void* buffer, int size);
  std::string GetPeerName();  // dotted address of the peer, "error" when there is none
  void DnsLookup(const std::string& name);
  void CancelDnsLookup();
  void Listen();
  int Accept();                   // handle of the accepted connection
  void Dup(int acceptedHandle);   // takes over an accepted connection (state wsConnected)
  std::uint16_t GetXPort();       // local port number of the socket (0 without one)
  int Handle() const { return fd_; }

  // --- events -----------------------------------------------------------------------------
  TDataAvailable OnDataAvailable;
  TDataSent OnDataSent;
  TSessionClosed OnSessionClosed;
  TSessionAvailable OnSessionAvailable;
  TSessionConnected OnSessionConnected;
  TChangeState OnChangeState;
  TLineTooLong OnLineTooLong;
  TDnsLookupDone OnDnsLookupDone;
  TSocketError OnError;

 protected:
  // Reports a failing call: sets LastError, closes on 10054/10057, then OnError or throws.
  void SocketError(const std::string& operation, int code);
  // Reports a plain message (checks of arguments and state) through OnError or as an exception.
  void RaiseException(const std::string& message);

 private:
  using Token = std::weak_ptr<int>;

  void ChangeState(TSocketState newState);
  void InternalClose(bool shutDown, int error);
  bool ResolveAddr();
  void OpenStream();
  void OpenDatagram();
  void BeginConnection(int fd);
  void Watch();
  void UpdateInterest();
  bool TryToSend();  // false when the socket was closed or an error reported
  void TryToSendQuietly();
  int SendDatagram(const char* data, int length);
  void PostWriteNotification();

  // Notification handling, in the order they are checked: connect, read, write, accept, close.
  void OnReady(unsigned readiness);
  void ConnectDone(int error);
  void DataReadable(bool untilEmpty);
  bool RaiseDataAvailable();
  void Writable();
  void PeerClosed(int error);
  void FillLineBuffer();
  bool RaiseLines();
  std::size_t NextLine(bool& tooLong) const;  // length of the next line to hand out, or 0
  int PendingBytes() const;

  platform::EventLoop& loop_;
  std::shared_ptr<int> life_ = std::make_shared<int>(0);  // expires when the socket is destroyed

  int fd_ = -1;
  platform::EventLoop::WatchId watch_ = 0;
  TSocketState state_ = wsClosed;
  int lastError_ = 0;

  std::string addrStr_;
  bool addrAssigned_ = false;
  bool addrResolved_ = false;
  in_addr_t addr_ = 0;  // network order
  std::string portStr_;
  bool portAssigned_ = false;
  std::uint16_t port_ = 0;
  std::string protoStr_ = "tcp";
  bool protoAssigned_ = true;
  int proto_ = IPPROTO_TCP;
  int type_;  // SOCK_STREAM or SOCK_DGRAM

  TSocketSendFlags sendFlags_ = wsSendNormal;
  SendQueue queue_;
  bool closeInvoked_ = false;
  std::uint64_t readCount_ = 0;
  std::string lineBuffer_;
  bool lineEof_ = false;

  std::string dnsResult_;
  std::vector<std::string> dnsResultList_;
  std::unique_ptr<DnsLookupJob> dnsJob_;
};

// The socket as components use it.
class TWSocket : public TCustomWSocket {};

}  // namespace ondrix::telnet
