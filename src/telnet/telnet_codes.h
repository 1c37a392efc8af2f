#pragma once
// Byte values of the telnet protocol that the session understands.

#include <cstdint>

namespace ondrix::telnet::tn {

// Commands (each follows an IAC).
inline constexpr std::uint8_t IAC = 255;
inline constexpr std::uint8_t DONT = 254;
inline constexpr std::uint8_t DO = 253;
inline constexpr std::uint8_t WONT = 252;
inline constexpr std::uint8_t WILL = 251;
inline constexpr std::uint8_t SB = 250;
inline constexpr std::uint8_t SE = 240;
inline constexpr std::uint8_t EOR = 239;

// Options.
inline constexpr std::uint8_t BINARY = 0;
inline constexpr std::uint8_t ECHO = 1;
inline constexpr std::uint8_t SUPPRESS_GO_AHEAD = 3;
inline constexpr std::uint8_t SEND_LOCATION = 23;
inline constexpr std::uint8_t TERMINAL_TYPE = 24;
inline constexpr std::uint8_t END_OF_RECORD = 25;
inline constexpr std::uint8_t NAWS = 31;

// Sub-negotiation codes.
inline constexpr std::uint8_t IS = 0;
inline constexpr std::uint8_t SEND = 1;

}  // namespace ondrix::telnet::tn
