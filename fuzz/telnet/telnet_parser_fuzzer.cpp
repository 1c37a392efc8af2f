// Arbitrary bytes from a host through the telnet protocol layer, in chunks whose sizes come from
// the input itself, so commands and sub-negotiations are split at every kind of boundary. The
// session is not connected: its answers are refused by the socket and reported to OnError.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "telnet/tncnx.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ondrix::telnet;
  TTnCnx cnx;
  cnx.SendWindowSize = (size % 2) == 0;
  cnx.Socket().OnError = [](TCustomWSocket*, std::uint16_t, const std::string&) {};
  std::size_t delivered = 0;
  cnx.OnDataAvailable = [&](TTnCnx*, const char* buffer, int length) {
    if (length <= 0 || length > TTnCnx::kReadSize || buffer[length] != '\0') std::abort();
    delivered += static_cast<std::size_t>(length);
  };
  std::size_t pos = 0;
  while (pos < size) {
    const std::size_t chunk = 1 + data[pos] % 97;  // the chunk's first byte is part of it too
    const std::size_t n = chunk < size - pos ? chunk : size - pos;
    cnx.ProcessBlock(reinterpret_cast<const char*>(data + pos), n);
    pos += n;
  }
  if (delivered > size) std::abort();
  return 0;
}
