#pragma once
// The receiving half of the telnet protocol: splits the byte stream from the host into data,
// option negotiation, sub-negotiation and end-of-record, one byte at a time, with its state kept
// between received blocks so a command may be split anywhere. Malformed input never stops it:
// unknown commands are traced and skipped.
//
// Per byte b, in this order:
//   a negotiation command is pending  -> b is its option: negotiate(command, b)
//   inside a sub-negotiation          -> SE ends it (subnegotiation(text)); else b joins the text
//   the previous byte was IAC         -> EOR, SB, WILL/WONT/DO/DONT, IAC (a data 255), else traced
//   otherwise                         -> IAC starts a command; anything else is data
// The sub-negotiation text keeps at most kSubLimit bytes; the rest until SE is dropped.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ondrix::telnet {

class TnParser {
 public:
  class Handler {
   public:
    virtual ~Handler() = default;
    virtual void tnData(const char* bytes, std::size_t length) = 0;
    virtual void tnNegotiate(std::uint8_t command, std::uint8_t option) = 0;
    virtual void tnSubnegotiation(std::string_view text) = 0;
    virtual void tnEndOfRecord() = 0;
  };

  static constexpr std::size_t kSubLimit = 1024;

  void parse(const char* bytes, std::size_t length, Handler& handler);
  void reset();

 private:
  void byte(std::uint8_t b, const char* at, Handler& handler);

  bool iac_ = false;
  std::uint8_t pending_ = 0;  // WILL, WONT, DO or DONT waiting for its option; 0 = none
  bool sub_ = false;
  std::string subText_;
};

}  // namespace ondrix::telnet
