#include "automation/ftp/ftp_address.h"

#include <gtest/gtest.h>

namespace ondrix::automation {
namespace {

struct ServerCase {
  const char* host;
  const char* port;
  bool valid;
  const char* expectedHost;
  int expectedPort;
  bool tls;
};

TEST(FtpAddress, HostsAsUsersWriteThem) {
  const ServerCase cases[] = {
      {"files.example", "ftp", true, "files.example", 21, false},
      {"files.example", "2121", true, "files.example", 2121, false},
      {"files.example:2100", "ftp", true, "files.example", 2100, false},
      {"ftp://files.example/", "ftp", true, "files.example", 21, false},
      {"FTPS://files.example:990", "ftp", true, "files.example", 990, true},
      {"ftps://files.example", "ftp", true, "files.example", 21, true},
      {"[::1]:2121", "ftp", true, "::1", 2121, false},
      {"::1", "ftp", true, "::1", 21, false},
      {"", "ftp", false, "", 0, false},
      {"ftps://", "ftp", false, "", 0, false},
      {"files.example:0", "ftp", false, "", 0, false},
      {"files.example:65536", "ftp", false, "", 0, false},
      {"files.example:21x", "ftp", false, "", 0, false},
      {"files.example:", "ftp", false, "", 0, false},
      {"files.example", "telnet", false, "", 0, false},
      {"[::1", "ftp", false, "", 0, false},
      {"[::1]x", "ftp", false, "", 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.host) + " / " + c.port);
    const auto server = parseFtpServer(c.host, c.port);
    ASSERT_EQ(server.has_value(), c.valid);
    if (!c.valid) continue;
    EXPECT_EQ(server->Host, c.expectedHost);
    EXPECT_EQ(server->Port, c.expectedPort);
    EXPECT_EQ(server->Tls, c.tls);
  }
}

TEST(FtpAddress, RemotePathsBecomeEncodedUrls) {
  const FtpServer server{"127.0.0.1", 2121, false};
  EXPECT_EQ(ftpUrl(server, ""), "ftp://127.0.0.1:2121/");
  EXPECT_EQ(ftpUrl(server, "report.txt"), "ftp://127.0.0.1:2121/report.txt");
  EXPECT_EQ(ftpUrl(server, "in/out/a b#1?.txt"), "ftp://127.0.0.1:2121/in/out/a%20b%231%3F.txt");
  EXPECT_EQ(ftpUrl(server, "/var/tmp/x"), "ftp://127.0.0.1:2121/%2Fvar/tmp/x");
  EXPECT_EQ(ftpUrl(server, "100%"), "ftp://127.0.0.1:2121/100%25");
  EXPECT_EQ(ftpUrl(FtpServer{"::1", 21, false}, "f"), "ftp://[::1]:21/f");
}

}  // namespace
}  // namespace ondrix::automation
