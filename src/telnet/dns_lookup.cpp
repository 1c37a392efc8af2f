#include "telnet/dns_lookup.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <mutex>
#include <system_error>
#include <thread>

#include "telnet/socket_errors.h"

namespace ondrix::telnet {

int resolveHost(const std::string& name, std::vector<std::string>& addresses) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* list = nullptr;
  const int rc = ::getaddrinfo(name.c_str(), nullptr, &hints, &list);
  if (rc != 0) return socketErrorFromResolver(rc);
  for (const addrinfo* ai = list; ai; ai = ai->ai_next) {
    char text[INET_ADDRSTRLEN] = {};
    const auto* sin = reinterpret_cast<const sockaddr_in*>(ai->ai_addr);
    if (!::inet_ntop(AF_INET, &sin->sin_addr, text, sizeof text)) continue;
    if (std::find(addresses.begin(), addresses.end(), text) == addresses.end())
      addresses.emplace_back(text);
  }
  ::freeaddrinfo(list);
  return addresses.empty() ? 11004 : 0;
}

// What the worker and the job share; the worker's copy keeps it alive after a cancel.
struct DnsLookupJob::Shared {
  std::mutex mutex;
  int error = 0;
  std::vector<std::string> addresses;
  int wakeFd = -1;  // eventfd the worker signals when it is done

  ~Shared() {
    if (wakeFd >= 0) ::close(wakeFd);
  }
};

DnsLookupJob::DnsLookupJob(platform::EventLoop& loop, const std::string& name, Done done)
    : loop_(loop), shared_(std::make_shared<Shared>()), done_(std::move(done)) {
  shared_->wakeFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  if (shared_->wakeFd < 0) throw std::system_error(errno, std::generic_category(), "eventfd");
  std::thread([shared = shared_, name] {
    std::vector<std::string> addresses;
    const int error = resolveHost(name, addresses);
    std::lock_guard lock(shared->mutex);
    shared->error = error;
    shared->addresses = std::move(addresses);
    const std::uint64_t one = 1;
    [[maybe_unused]] auto n = ::write(shared->wakeFd, &one, sizeof one);
  }).detach();
  watch_ = loop_.watch(shared_->wakeFd, platform::kReadable, [this](int, unsigned) { finish(); });
}

DnsLookupJob::~DnsLookupJob() {
  if (watch_) loop_.unwatch(watch_);
}

void DnsLookupJob::finish() {
  std::uint64_t count = 0;
  if (::read(shared_->wakeFd, &count, sizeof count) != sizeof count) return;  // not yet
  loop_.unwatch(watch_);
  watch_ = 0;
  int error;
  std::vector<std::string> addresses;
  {
    std::lock_guard lock(shared_->mutex);
    error = shared_->error;
    addresses = std::move(shared_->addresses);
  }
  Done done = std::move(done_);  // `done` may destroy this job
  done(error, std::move(addresses));
}

}  // namespace ondrix::telnet
