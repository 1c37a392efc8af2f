#include "automation/ftp/curl_loop_driver.h"

#include <chrono>
#include <stdexcept>

namespace ondrix::automation {
namespace {

// How long one wait of the loop may last before libcurl's own timers are consulted again.
constexpr std::chrono::milliseconds kWaitSlice{250};
// The same while libcurl watches no socket at all.
constexpr std::chrono::milliseconds kStuckSlice{5};

unsigned interestOf(int what) {
  switch (what) {
    case CURL_POLL_IN:
      return platform::kReadable;
    case CURL_POLL_OUT:
      return platform::kWritable;
    case CURL_POLL_INOUT:
      return platform::kReadable | platform::kWritable;
    default:
      return platform::kNone;
  }
}

}  // namespace

CurlLoopDriver::CurlLoopDriver(const CurlLibrary& curl, platform::EventLoop& loop)
    : curl_(curl), loop_(loop), multi_(curl.multi_init()) {
  if (multi_ == nullptr) throw std::runtime_error("The transfer library could not start");
  curl_.multi_setopt(multi_, CURLMOPT_SOCKETFUNCTION, &CurlLoopDriver::onSocket);
  curl_.multi_setopt(multi_, CURLMOPT_SOCKETDATA, this);
  curl_.multi_setopt(multi_, CURLMOPT_TIMERFUNCTION, &CurlLoopDriver::onTimer);
  curl_.multi_setopt(multi_, CURLMOPT_TIMERDATA, this);
}

CurlLoopDriver::~CurlLoopDriver() {
  if (running_ != nullptr) curl_.multi_remove_handle(multi_, running_);
  curl_.multi_cleanup(multi_);  // may still call onSocket to remove watches
  for (const auto& [fd, id] : watches_) loop_.unwatch(id);
  if (timer_) loop_.stopTimer(*timer_);
}

CURLcode CurlLoopDriver::perform(CURL* easy) {
  result_.reset();
  running_ = easy;
  if (const CURLMcode added = curl_.multi_add_handle(multi_, easy); added != CURLM_OK) {
    running_ = nullptr;
    return CURLE_FAILED_INIT;
  }
  act(CURL_SOCKET_TIMEOUT, 0);
  while (!result_) {
    if (watches_.empty()) {
      // libcurl can leave a transfer with no socket announced (a data connection that started
      // inside the same call that read the server's passive-mode reply): drive it directly.
      loop_.runOnce(kStuckSlice);
      int running = 0;
      curl_.multi_perform(multi_, &running);
      collectDone();
    } else if (!loop_.runOnce(kWaitSlice)) {
      act(CURL_SOCKET_TIMEOUT, 0);
    }
  }
  return *result_;
}

int CurlLoopDriver::onSocket(CURL*, curl_socket_t fd, int what, void* self, void*) {
  auto& driver = *static_cast<CurlLoopDriver*>(self);
  const auto known = driver.watches_.find(fd);
  if (what == CURL_POLL_REMOVE) {
    if (known != driver.watches_.end()) {
      driver.loop_.unwatch(known->second);
      driver.watches_.erase(known);
    }
    return 0;
  }
  const unsigned interest = interestOf(what);
  if (known != driver.watches_.end()) {
    driver.loop_.setInterest(known->second, interest);
  } else {
    driver.watches_[fd] = driver.loop_.watch(fd, interest, [&driver](int ready, unsigned readiness) {
      int flags = 0;
      if ((readiness & platform::kReadable) != 0) flags |= CURL_CSELECT_IN;
      if ((readiness & platform::kWritable) != 0) flags |= CURL_CSELECT_OUT;
      if ((readiness & platform::kHangup) != 0) flags |= CURL_CSELECT_ERR;
      driver.act(ready, flags);
    });
  }
  return 0;
}

int CurlLoopDriver::onTimer(CURLM*, long timeoutMs, void* self) {
  auto& driver = *static_cast<CurlLoopDriver*>(self);
  if (driver.timer_) {
    driver.loop_.stopTimer(*driver.timer_);
    driver.timer_.reset();
  }
  if (timeoutMs >= 0) {
    driver.timer_ = driver.loop_.startTimer(std::chrono::milliseconds(timeoutMs), false, [&driver] {
      driver.timer_.reset();
      driver.act(CURL_SOCKET_TIMEOUT, 0);
    });
  }
  return 0;
}

void CurlLoopDriver::act(curl_socket_t fd, int flags) {
  int running = 0;
  curl_.multi_socket_action(multi_, fd, flags, &running);
  collectDone();
}

void CurlLoopDriver::collectDone() {
  int left = 0;
  while (CURLMsg* message = curl_.multi_info_read(multi_, &left)) {
    if (message->msg != CURLMSG_DONE || message->easy_handle != running_) continue;
    result_ = message->data.result;
    curl_.multi_remove_handle(multi_, running_);
    running_ = nullptr;
  }
}

}  // namespace ondrix::automation
