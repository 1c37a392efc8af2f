// Small helpers: the local address, ASCII case mapping and a blocking sleep.

#include <arpa/inet.h>
#include <netdb.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "automation/routines.h"
#include "script/std_args.h"

namespace ondrix::automation::routines {
namespace {

using script::intArg;
using script::textArg;

// The first IPv4 address the local host name resolves to; empty when it resolves to none.
std::string localAddress() {
  char host[256] = {};
  if (::gethostname(host, sizeof host - 1) != 0) return {};
  addrinfo hints{};
  hints.ai_family = AF_INET;
  addrinfo* found = nullptr;
  if (::getaddrinfo(host, nullptr, &hints, &found) != 0 || found == nullptr) return {};
  const auto* address = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
  const auto* b = reinterpret_cast<const unsigned char*>(&address->sin_addr.s_addr);
  char text[16];
  std::snprintf(text, sizeof text, "%d.%d.%d.%d", b[0], b[1], b[2], b[3]);
  ::freeaddrinfo(found);
  return text;
}

std::string mapAscii(std::string text, char from, char to) {
  for (char& c : text)
    if (c >= from && c <= static_cast<char>(from + 25)) c = static_cast<char>(c - from + to);
  return text;
}

}  // namespace

void LocalAddr(ParamCells&, ScriptValue& result) { result = ScriptValue::string(localAddress()); }

void UpperCase(ParamCells& cells, ScriptValue& result) {
  result = ScriptValue::string(mapAscii(textArg(cells, 0), 'a', 'A'));
}

void LowerCase(ParamCells& cells, ScriptValue& result) {
  result = ScriptValue::string(mapAscii(textArg(cells, 0), 'A', 'a'));
}

// Blocks the program (no events run) for the given number of seconds.
void Sleep(ParamCells& cells, ScriptValue&) {
  const std::int32_t seconds = intArg(cells, 0);
  if (seconds > 0) std::this_thread::sleep_for(std::chrono::seconds(seconds));
}

}  // namespace ondrix::automation::routines
