#include "telnet/tn_parser.h"

#include <cstdio>

#include "platform/services.h"
#include "telnet/telnet_codes.h"

namespace ondrix::telnet {
namespace {

// Data bytes that are also interrupt-style commands; they are traced and still delivered.
constexpr const char* kTracedData[] = {"TNCH_IP\r\n", "TNCH_AO\r\n", "TNCH_AYT\r\n", "TNCH_EC\r\n",
                                       "TNCH_EL\r\n"};
constexpr std::uint8_t kFirstTracedData = 244;
constexpr std::uint8_t kLastTracedData = 248;

void trace(std::string_view text) {
  platform::TraceSink* sink = platform::services().trace;
  if (sink && sink->enabled()) sink->write(text);
}

}  // namespace

void TnParser::reset() {
  iac_ = false;
  pending_ = 0;
  sub_ = false;
  subText_.clear();
}

void TnParser::parse(const char* bytes, std::size_t length, Handler& handler) {
  const char* p = bytes;
  const char* const end = bytes + length;
  while (p < end) {
    if (!iac_ && !pending_ && !sub_) {
      // Fast path: a run of plain data (every byte below 244) goes out in one piece.
      const char* run = p;
      while (run < end && static_cast<std::uint8_t>(*run) < kFirstTracedData) ++run;
      if (run > p) {
        handler.tnData(p, static_cast<std::size_t>(run - p));
        p = run;
        continue;
      }
    }
    byte(static_cast<std::uint8_t>(*p), p, handler);
    ++p;
  }
}

void TnParser::byte(std::uint8_t b, const char* at, Handler& handler) {
  if (pending_) {
    const std::uint8_t command = pending_;
    pending_ = 0;
    subText_.clear();
    handler.tnNegotiate(command, b);
    return;
  }
  if (sub_) {
    if (b == tn::SE) {
      sub_ = false;
      handler.tnSubnegotiation(subText_);
    } else if (subText_.size() < kSubLimit) {
      subText_.push_back(static_cast<char>(b));
    }
    return;
  }
  if (iac_) {
    iac_ = false;
    switch (b) {
      case tn::EOR:
        handler.tnEndOfRecord();
        return;
      case tn::SB:
        sub_ = true;
        subText_.clear();
        return;
      case tn::WILL:
      case tn::WONT:
      case tn::DO:
      case tn::DONT:
        pending_ = b;
        return;
      case tn::IAC:
        handler.tnData(at, 1);
        return;
      default: {
        char text[32];
        std::snprintf(text, sizeof text, "Unknown %02X '%c'\r\n", b, static_cast<char>(b));
        trace(text);
        return;
      }
    }
  }
  if (b == tn::IAC) {
    iac_ = true;
    return;
  }
  if (b >= kFirstTracedData && b <= kLastTracedData) trace(kTracedData[b - kFirstTracedData]);
  handler.tnData(at, 1);
}

}  // namespace ondrix::telnet
