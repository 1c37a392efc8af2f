#include "telnet/socket_errors.h"

#include <gtest/gtest.h>
#include <netdb.h>

#include <cerrno>

namespace ondrix::telnet {
namespace {

TEST(SocketErrors, TextsOfKnownAndUnknownCodes) {
  const struct {
    int code;
    const char* text;
  } cases[] = {
      {0, "No Error"},
      {10004, "Interrupted system call"},
      {10035, "Operation would block"},
      {10047, "Address family not supported by protocol family"},
      {10054, "Connection reset by peer"},
      {10059, "Too many references: can't splice"},
      {10061, "Connection refused"},
      {10071, "Too many levels of remote in path"},
      {10093, "WinSock not initialized"},
      {11001, "Host not found"},
      {11004, "No Data"},
      {10001, "Not a WinSock error"},
      {10072, "Not a WinSock error"},
      {-1, "Not a WinSock error"},
      {99999, "Not a WinSock error"},
  };
  for (const auto& c : cases) EXPECT_EQ(WSocketErrorDesc(c.code), c.text) << c.code;
}

TEST(SocketErrors, ErrnoValuesMapToSocketCodes) {
  const std::pair<int, int> cases[] = {
      {ECONNREFUSED, 10061}, {ETIMEDOUT, 10060},   {ECONNRESET, 10054}, {ENOTCONN, 10057},
      {EWOULDBLOCK, 10035},  {EINPROGRESS, 10036}, {ENETUNREACH, 10051}, {EHOSTUNREACH, 10065},
      {EADDRINUSE, 10048},   {EACCES, 10013},      {EINVAL, 10022},     {EBADF, 10038},
      {EPIPE, 10054},
  };
  for (const auto& [err, code] : cases) EXPECT_EQ(socketErrorFromErrno(err), code) << err;
  EXPECT_EQ(socketErrorFromResolver(EAI_NONAME), 11001);
}

TEST(SocketErrors, MessageNamesCodeOperationAndText) {
  EXPECT_EQ(socketErrorMessage(10057, "Send"), "Error 10057 in function Send\r\nSocket is not connected");
  EXPECT_EQ(socketErrorMessage(42, "Connect"), "Error 42 in function Connect\r\nNot a WinSock error");
}

}  // namespace
}  // namespace ondrix::telnet
