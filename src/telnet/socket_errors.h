#pragma once
// Socket error codes and their texts. The socket reports failures with the classic sockets-API
// error numbers (10035 "would block", 10061 "connection refused", ...); POSIX errno values and
// resolver failures are mapped onto them here, so callers and users see one set of codes.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace ondrix::telnet {

// Raised by a socket for a failure when no OnError handler is set.
class ESocketException : public std::runtime_error {
 public:
  explicit ESocketException(const std::string& message) : std::runtime_error(message) {}
};

// The codes the socket itself uses by name.
inline constexpr int kErrWouldBlock = 10035;
inline constexpr int kErrInvalidArgument = 10022;
inline constexpr int kErrNotSocket = 10038;
inline constexpr int kErrConnReset = 10054;
inline constexpr int kErrNotConnected = 10057;
inline constexpr int kErrConnRefused = 10061;
inline constexpr int kErrHostNotFound = 11001;

// The text of an error code ("Not a WinSock error" for codes outside the table).
std::string_view WSocketErrorDesc(int code);

// The socket error code of a POSIX errno value (values without a counterpart pass unchanged).
int socketErrorFromErrno(int err);

// The socket error code of a getaddrinfo() failure.
int socketErrorFromResolver(int eaiCode);

// "Error " + code + " in function " + operation + CR LF + the text of the code.
std::string socketErrorMessage(int code, std::string_view operation);

}  // namespace ondrix::telnet
