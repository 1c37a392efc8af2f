#pragma once
// TFtpClient: the main window's FTP client. It logs in once and keeps the control connection for
// the transfers that follow (passive mode, EPSV then PASV), sends and receives whole files in ASCII
// (TYPE A) or binary (TYPE I) mode, and says QUIT on Disconnect. There are no extra threads: the
// transfer's sockets and timers are watched by the platform event loop, and each operation waits
// for its result by running that loop, so windows keep painting and sessions keep receiving while
// a transfer runs.
//
// A host may be written "host", "host:port" or "ftps://host[:port]" (explicit TLS with certificate
// checks). A failed receive leaves no partial local file behind; a failed send is reported as failed.

#include <chrono>
#include <memory>
#include <string>

namespace ondrix::platform {
class EventLoop;
}

namespace ondrix::automation {

class TFtpClient {
 public:
  enum class TTransferType { Ascii, Binary };

  explicit TFtpClient(platform::EventLoop& loop);
  ~TFtpClient();
  TFtpClient(const TFtpClient&) = delete;
  TFtpClient& operator=(const TFtpClient&) = delete;

  std::string HostName;
  std::string UserName;
  std::string Password;
  std::string LocalFileName;
  std::string HostFileName;
  // "ftp" (21) or a port number; a port written in HostName wins.
  std::string Port = "ftp";
  std::chrono::milliseconds Timeout{15000};
  TTransferType TransferType = TTransferType::Binary;

  // Each returns true on success; on failure ErrorText() says why: the server's last error
  // reply (for example "530 Login incorrect.") or the transfer library's message.
  bool Connect();
  bool Disconnect();
  bool Put();  // LocalFileName -> HostFileName
  bool Get();  // HostFileName -> LocalFileName

  bool Connected() const { return connected_; }
  const std::string& ErrorText() const { return errorText_; }

 private:
  class Transfer;
  bool fail(std::string text);

  platform::EventLoop& loop_;
  std::unique_ptr<Transfer> transfer_;
  bool connected_ = false;
  bool busy_ = false;
  std::string errorText_;
};

}  // namespace ondrix::automation
