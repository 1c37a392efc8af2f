#pragma once
// Runs libcurl transfers on the platform event loop: libcurl's multi interface tells which
// sockets to watch and when to wake it, and the loop's readiness reports and timers go back to it.
// perform() starts one transfer and runs the loop until it is done, so everything else on the
// loop (painting, sessions, timers) goes on meanwhile. No threads.

#include <curl/curl.h>

#include <cstdint>
#include <map>
#include <optional>

#include "automation/ftp/curl_library.h"
#include "platform/event_loop.h"

namespace ondrix::automation {

class CurlLoopDriver {
 public:
  // `curl`: the loaded library (CurlLibrary::get()).
  CurlLoopDriver(const CurlLibrary& curl, platform::EventLoop& loop);
  // Closes the connections libcurl keeps (an FTP connection says QUIT).
  ~CurlLoopDriver();
  CurlLoopDriver(const CurlLoopDriver&) = delete;
  CurlLoopDriver& operator=(const CurlLoopDriver&) = delete;

  // The transfer set up on `easy`, to its end; libcurl's result code.
  CURLcode perform(CURL* easy);

 private:
  static int onSocket(CURL* easy, curl_socket_t fd, int what, void* self, void* socketData);
  static int onTimer(CURLM* multi, long timeoutMs, void* self);
  void act(curl_socket_t fd, int flags);
  void collectDone();

  const CurlLibrary& curl_;
  platform::EventLoop& loop_;
  CURLM* multi_;
  std::map<curl_socket_t, platform::EventLoop::WatchId> watches_;
  std::optional<platform::EventLoop::TimerId> timer_;
  CURL* running_ = nullptr;
  std::optional<CURLcode> result_;
};

}  // namespace ondrix::automation
