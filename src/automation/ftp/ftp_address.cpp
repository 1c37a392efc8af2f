#include "automation/ftp/ftp_address.h"

#include <charconv>

namespace ondrix::automation {
namespace {

constexpr std::string_view kTlsScheme = "ftps://";
constexpr std::string_view kPlainScheme = "ftp://";

std::optional<int> portNumber(std::string_view text) {
  if (text == "ftp") return 21;
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 1 || value > 65535)
    return std::nullopt;
  return value;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

bool unreserved(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~';
}

void appendEncoded(std::string& out, std::string_view segment) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (const char ch : segment) {
    const auto c = static_cast<unsigned char>(ch);
    if (unreserved(c)) {
      out += ch;
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
}

}  // namespace

std::optional<FtpServer> parseFtpServer(std::string_view hostName, std::string_view port) {
  FtpServer server;
  if (startsWithNoCase(hostName, kTlsScheme)) {
    server.Tls = true;
    hostName.remove_prefix(kTlsScheme.size());
  } else if (startsWithNoCase(hostName, kPlainScheme)) {
    hostName.remove_prefix(kPlainScheme.size());
  }
  if (!hostName.empty() && hostName.back() == '/') hostName.remove_suffix(1);

  const auto defaultPort = portNumber(port);
  if (!defaultPort) return std::nullopt;
  server.Port = *defaultPort;

  std::string_view host = hostName;
  std::optional<std::string_view> portText;
  if (!host.empty() && host.front() == '[') {
    const auto close = host.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    const std::string_view rest = host.substr(close + 1);
    host = host.substr(1, close - 1);
    if (!rest.empty()) {
      if (rest.front() != ':') return std::nullopt;
      portText = rest.substr(1);
    }
  } else if (const auto colon = host.find(':'); colon != std::string_view::npos) {
    // One colon separates a port; more than one is a bare IPv6 address.
    if (host.find(':', colon + 1) == std::string_view::npos) {
      portText = host.substr(colon + 1);
      host = host.substr(0, colon);
    }
  }
  if (host.empty()) return std::nullopt;
  if (portText) {
    const auto written = portNumber(*portText);
    if (!written) return std::nullopt;
    server.Port = *written;
  }
  server.Host = std::string(host);
  return server;
}

std::string ftpUrl(const FtpServer& server, std::string_view remotePath) {
  std::string url(kPlainScheme);
  const bool v6 = server.Host.find(':') != std::string::npos;
  if (v6) url += '[';
  url += server.Host;
  if (v6) url += ']';
  url += ':';
  url += std::to_string(server.Port);
  url += '/';
  if (!remotePath.empty() && remotePath.front() == '/') {
    url += "%2F";
    remotePath.remove_prefix(1);
  }
  for (std::size_t start = 0;;) {
    const auto slash = remotePath.find('/', start);
    appendEncoded(url, remotePath.substr(start, slash == std::string_view::npos ? slash : slash - start));
    if (slash == std::string_view::npos) break;
    url += '/';
    start = slash + 1;
  }
  return url;
}

}  // namespace ondrix::automation
