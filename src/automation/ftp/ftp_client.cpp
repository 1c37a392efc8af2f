#include "automation/ftp/ftp_client.h"

#include <curl/curl.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string_view>

#include "automation/ftp/curl_library.h"
#include "automation/ftp/curl_loop_driver.h"
#include "automation/ftp/ftp_address.h"

namespace ondrix::automation {
namespace {

std::string systemError(const std::string& what, const std::string& name) {
  return what + " " + name + ": " + std::strerror(errno);
}

// The permission bits a file created the ordinary way would get.
mode_t createdFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

// One login to one server: libcurl's handle with its settings, the driver that runs it on the
// event loop (and keeps the connection between transfers), and the server's replies.
class TFtpClient::Transfer {
 public:
  Transfer(const CurlLibrary& curl, platform::EventLoop& loop, FtpServer server)
      : curl_(curl), server_(std::move(server)), driver_(curl, loop) {
    easy_ = curl_.easy_init();
  }
  ~Transfer() {
    if (easy_ != nullptr) curl_.easy_cleanup(easy_);
  }
  Transfer(const Transfer&) = delete;
  Transfer& operator=(const Transfer&) = delete;

  bool valid() const { return easy_ != nullptr; }
  CURL* easy() { return easy_; }
  template <typename T>
  void set(CURLoption option, T value) {
    curl_.easy_setopt(easy_, option, value);
  }
  const FtpServer& server() const { return server_; }

  // Settings common to every operation.
  void setUp(const TFtpClient& client) {
    curl_.easy_reset(easy_);
    set(CURLOPT_NOSIGNAL, 1L);
    set(CURLOPT_USERNAME, client.UserName.c_str());
    set(CURLOPT_PASSWORD, client.Password.c_str());
    const long timeoutMs = static_cast<long>(client.Timeout.count());
    const long timeoutSeconds = (timeoutMs + 999) / 1000;
    set(CURLOPT_CONNECTTIMEOUT_MS, timeoutMs);
    set(CURLOPT_SERVER_RESPONSE_TIMEOUT, timeoutSeconds);
    set(CURLOPT_LOW_SPEED_LIMIT, 1L);
    set(CURLOPT_LOW_SPEED_TIME, timeoutSeconds);
    set(CURLOPT_FTP_USE_EPSV, 1L);
    set(CURLOPT_HEADERFUNCTION, &Transfer::onReply);
    set(CURLOPT_HEADERDATA, this);
    set(CURLOPT_ERRORBUFFER, errorBuffer_);
    if (server_.Tls) set(CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
  }

  CURLcode perform() {
    lastReply_.clear();
    errorBuffer_[0] = '\0';
    return driver_.perform(easy_);
  }

  // Why `code` failed: the server's last error reply, else libcurl's own words.
  std::string errorText(CURLcode code) const {
    if (!lastReply_.empty() && (lastReply_[0] == '4' || lastReply_[0] == '5')) return lastReply_;
    if (errorBuffer_[0] != '\0') return errorBuffer_;
    return curl_.easy_strerror(code);
  }

 private:
  static std::size_t onReply(char* data, std::size_t size, std::size_t count, void* self) {
    auto& transfer = *static_cast<Transfer*>(self);
    std::string_view line(data, size * count);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
    if (!line.empty()) transfer.lastReply_.assign(line);
    return size * count;
  }

  const CurlLibrary& curl_;
  FtpServer server_;
  CurlLoopDriver driver_;
  CURL* easy_ = nullptr;
  std::string lastReply_;
  char errorBuffer_[CURL_ERROR_SIZE] = {};
};

TFtpClient::TFtpClient(platform::EventLoop& loop) : loop_(loop) {}

TFtpClient::~TFtpClient() = default;

bool TFtpClient::fail(std::string text) {
  errorText_ = std::move(text);
  return false;
}

bool TFtpClient::Connect() {
  if (busy_) return fail("The FTP client is busy with another operation");
  const auto server = parseFtpServer(HostName, Port);
  if (!server) return fail("Not a host name or port: " + HostName);
  const CurlLibrary* curl = CurlLibrary::get();
  if (curl == nullptr) return fail(CurlLibrary::loadError());
  busy_ = true;
  transfer_.reset();  // a connection still open says QUIT first
  connected_ = false;
  auto transfer = std::make_unique<Transfer>(*curl, loop_, *server);
  if (!transfer->valid()) {
    busy_ = false;
    return fail("The transfer library could not start");
  }
  transfer->setUp(*this);
  transfer->set(CURLOPT_URL, ftpUrl(*server, "").c_str());
  transfer->set(CURLOPT_NOBODY, 1L);
  const CURLcode code = transfer->perform();
  busy_ = false;
  if (code != CURLE_OK) return fail(transfer->errorText(code));
  transfer_ = std::move(transfer);
  connected_ = true;
  errorText_.clear();
  return true;
}

bool TFtpClient::Disconnect() {
  if (busy_) return fail("The FTP client is busy with another operation");
  if (!connected_) return fail("Not connected");
  busy_ = true;
  transfer_.reset();  // closing the kept connection says QUIT
  busy_ = false;
  connected_ = false;
  errorText_.clear();
  return true;
}

bool TFtpClient::Put() {
  if (busy_) return fail("The FTP client is busy with another operation");
  if (!connected_) return fail("Not connected");
  std::FILE* source = std::fopen(LocalFileName.c_str(), "rb");
  if (source == nullptr) return fail(systemError("Cannot open", LocalFileName));
  struct stat info {};
  if (fstat(fileno(source), &info) != 0 || !S_ISREG(info.st_mode)) {
    std::fclose(source);
    return fail("Not a file: " + LocalFileName);
  }
  busy_ = true;
  transfer_->setUp(*this);
  transfer_->set(CURLOPT_URL, ftpUrl(transfer_->server(), HostFileName).c_str());
  transfer_->set(CURLOPT_UPLOAD, 1L);
  transfer_->set(CURLOPT_READDATA, source);
  transfer_->set(CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(info.st_size));
  transfer_->set(CURLOPT_TRANSFERTEXT, TransferType == TTransferType::Ascii ? 1L : 0L);
  const CURLcode code = transfer_->perform();
  const bool readFailed = std::ferror(source) != 0;
  std::fclose(source);
  busy_ = false;
  if (code != CURLE_OK) return fail(transfer_->errorText(code));
  if (readFailed) return fail("Cannot read " + LocalFileName);
  errorText_.clear();
  return true;
}

namespace {

struct Sink {
  std::FILE* file;
  bool failed = false;
};

std::size_t writeToSink(char* data, std::size_t size, std::size_t count, void* target) {
  auto& sink = *static_cast<Sink*>(target);
  const std::size_t bytes = size * count;
  if (std::fwrite(data, 1, bytes, sink.file) != bytes) {
    sink.failed = true;
    return 0;  // ends the transfer
  }
  return bytes;
}

}  // namespace

bool TFtpClient::Get() {
  if (busy_) return fail("The FTP client is busy with another operation");
  if (!connected_) return fail("Not connected");
  // The data goes to a working file beside the target, which replaces it only when complete.
  std::string working = LocalFileName + ".XXXXXX";
  const int fd = mkstemp(working.data());
  if (fd < 0) return fail(systemError("Cannot create", LocalFileName));
  fchmod(fd, createdFileMode());
  Sink sink{fdopen(fd, "wb")};
  if (sink.file == nullptr) {
    close(fd);
    unlink(working.c_str());
    return fail(systemError("Cannot create", LocalFileName));
  }
  busy_ = true;
  transfer_->setUp(*this);
  transfer_->set(CURLOPT_URL, ftpUrl(transfer_->server(), HostFileName).c_str());
  transfer_->set(CURLOPT_WRITEFUNCTION, &writeToSink);
  transfer_->set(CURLOPT_WRITEDATA, &sink);
  transfer_->set(CURLOPT_TRANSFERTEXT, TransferType == TTransferType::Ascii ? 1L : 0L);
  const CURLcode code = transfer_->perform();
  busy_ = false;
  const bool closed = std::fclose(sink.file) == 0;
  if (code != CURLE_OK || sink.failed || !closed) {
    const int savedErrno = errno;
    unlink(working.c_str());
    if (code != CURLE_OK && !sink.failed) return fail(transfer_->errorText(code));
    errno = savedErrno;
    return fail(systemError("Cannot write", LocalFileName));
  }
  if (std::rename(working.c_str(), LocalFileName.c_str()) != 0) {
    const std::string text = systemError("Cannot write", LocalFileName);
    unlink(working.c_str());
    return fail(text);
  }
  errorText_.clear();
  return true;
}

}  // namespace ondrix::automation
