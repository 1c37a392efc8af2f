#pragma once
// Where the FTP client connects: the host as the user writes it ("host", "host:port",
// "[v6addr]:port", "ftps://host[:port]") and the client's Port setting ("ftp" or a number) become
// a server address, and a remote file name becomes the URL of that file on the server.

#include <optional>
#include <string>
#include <string_view>

namespace ondrix::automation {

struct FtpServer {
  std::string Host;  // a name or an address, without brackets
  int Port = 21;
  bool Tls = false;  // explicit TLS (AUTH TLS) with certificate checks
};

// Nothing when the host is empty or a port is not a number in 1..65535.
std::optional<FtpServer> parseFtpServer(std::string_view hostName, std::string_view port);

// "ftp://host:port/" followed by the remote path, each path segment percent-encoded. A path that
// starts with "/" is absolute on the server ("%2F" first); otherwise it is relative to the folder
// the login starts in.
std::string ftpUrl(const FtpServer& server, std::string_view remotePath);

}  // namespace ondrix::automation
