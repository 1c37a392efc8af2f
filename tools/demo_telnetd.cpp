// demo_telnetd: a small telnet host on 127.0.0.1 to try the terminal against. It negotiates like
// a real host (it echoes and suppresses go-ahead, asks for the terminal type and the window
// size), shows a colour test screen and echoes every typed line; "quit" ends the connection.
//
//   demo_telnetd [PORT]    listens on 127.0.0.1:PORT (0 or none: a free port), prints
//                          "listening on PORT" and serves until terminated.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr unsigned char IAC = 255, DONT = 254, DO = 253, WONT = 252, WILL = 251, SB = 250, SE = 240;
constexpr unsigned char OPT_ECHO = 1, OPT_SGA = 3, OPT_TTYPE = 24, OPT_NAWS = 31;
constexpr unsigned char TTYPE_IS = 0, TTYPE_SEND = 1;
constexpr std::size_t kMaxLine = 200;
constexpr std::size_t kMaxSub = 64;

struct Client {
  enum class State { Data, Iac, Option, Sub, SubIac } state = State::Data;
  unsigned char command = 0;
  std::string sub;
  std::string line;
  std::string termType = "(not told)";
  int cols = 0;
  int rows = 0;
  bool greeted = false;
  bool lastWasCR = false;
};

std::string cmd(unsigned char c, unsigned char opt) { return {char(IAC), char(c), char(opt)}; }

void sendAll(int fd, const std::string& s) {
  std::size_t done = 0;
  while (done < s.size()) {
    const ssize_t n = ::send(fd, s.data() + done, s.size() - done, MSG_NOSIGNAL);
    if (n <= 0) return;
    done += static_cast<std::size_t>(n);
  }
}

std::string sgr(const std::string& codes) { return "\x1b[" + codes + "m"; }

std::string testScreen(const Client& c) {
  std::string s = "\x1b[2J\x1b[H";
  s += sgr("0;1") + "  Ondrix demo host" + sgr("0") + "   terminal type " + c.termType;
  if (c.cols > 0) s += ", window " + std::to_string(c.cols) + "x" + std::to_string(c.rows);
  s += "\r\n\r\n";
  static const char* names[] = {"black", "red", "green", "yellow", "blue", "magenta", "cyan", "white"};
  s += "  Colours (foreground on background, then bright):\r\n";
  for (int bg = 0; bg < 8; ++bg) {
    s += "  ";
    for (int fg = 0; fg < 8; ++fg) s += sgr("0;3" + std::to_string(fg) + ";4" + std::to_string(bg)) + " Ab ";
    s += sgr("0") + " ";
    for (int fg = 0; fg < 8; ++fg) s += sgr("0;1;3" + std::to_string(fg) + ";4" + std::to_string(bg)) + " Ab ";
    s += sgr("0") + " " + names[bg] + "\r\n";
  }
  s += "\r\n  Attributes: " + sgr("0") + "normal " + sgr("1") + "bold" + sgr("0") + " " + sgr("4") +
       "underline" + sgr("0") + " " + sgr("5") + "blink" + sgr("0") + " " + sgr("7") + "reverse" +
       sgr("0") + "\r\n\r\n";
  s += "  Line drawing: \x1b(0lqqqqwqqqqk\x1b(B   Latin-1: caf\xE9 na\xEFve \xF1 \xFC\xDF\r\n";
  s += "                \x1b(0x    x    x\x1b(B\r\n";
  s += "                \x1b(0mqqqqvqqqqj\x1b(B\r\n\r\n";
  s += "  Type a line and press Enter; \"quit\" closes the connection.\r\n\r\n> ";
  return s;
}

void greet(int fd, Client& c) {
  if (c.greeted) return;
  c.greeted = true;
  sendAll(fd, testScreen(c));
}

// Handles one negotiation; returns the answer to send.
std::string negotiate(Client& c, unsigned char command, unsigned char option) {
  switch (command) {
    case WILL:
      if (option == OPT_TTYPE) return std::string{char(IAC), char(SB), char(OPT_TTYPE), char(TTYPE_SEND), char(IAC), char(SE)};
      if (option == OPT_NAWS) return "";
      return cmd(DONT, option);
    case WONT:
      if (option == OPT_TTYPE) c.termType = "(refused)";
      return "";
    case DO:
      if (option == OPT_ECHO || option == OPT_SGA) return "";
      return cmd(WONT, option);
    default:
      return "";
  }
}

void subnegotiation(Client& c) {
  if (c.sub.size() >= 2 && static_cast<unsigned char>(c.sub[0]) == OPT_TTYPE && c.sub[1] == TTYPE_IS) {
    c.termType = c.sub.substr(2);
  } else if (c.sub.size() >= 5 && static_cast<unsigned char>(c.sub[0]) == OPT_NAWS) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(c.sub[i]); };
    c.cols = byte(1) * 256 + byte(2);
    c.rows = byte(3) * 256 + byte(4);
  }
}

// Returns false when the client asked to quit.
bool typed(int fd, Client& c, unsigned char ch) {
  if (ch == '\n' && c.lastWasCR) {
    c.lastWasCR = false;
    return true;
  }
  c.lastWasCR = ch == '\r';
  if (ch == '\r' || ch == '\n') {
    if (c.line == "quit" || c.line == "exit") {
      sendAll(fd, "\r\nGoodbye.\r\n");
      return false;
    }
    std::string answer = "\r\n";
    if (!c.line.empty()) answer += sgr("1;32") + "You typed: " + sgr("0") + c.line + "\r\n";
    c.line.clear();
    sendAll(fd, answer + "> ");
  } else if (ch == 8 || ch == 127) {
    if (!c.line.empty()) {
      c.line.pop_back();
      sendAll(fd, "\b \b");
    }
  } else if (ch >= 32 && c.line.size() < kMaxLine) {
    c.line.push_back(static_cast<char>(ch));
    sendAll(fd, std::string(1, static_cast<char>(ch)));
  } else if (ch < 32) {
    sendAll(fd, std::string{'^', static_cast<char>(ch + 64)});
  }
  return true;
}

// Runs the received bytes through the telnet state machine; false when the client is done.
bool received(int fd, Client& c, const unsigned char* data, std::size_t n) {
  std::string answers;
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char b = data[i];
    switch (c.state) {
      case Client::State::Data:
        if (b == IAC) c.state = Client::State::Iac;
        else if (!typed(fd, c, b)) return false;
        break;
      case Client::State::Iac:
        if (b == IAC) {
          c.state = Client::State::Data;
          if (!typed(fd, c, b)) return false;
        } else if (b == SB) {
          c.sub.clear();
          c.state = Client::State::Sub;
        } else if (b >= WILL && b <= DONT) {
          c.command = b;
          c.state = Client::State::Option;
        } else {
          c.state = Client::State::Data;
        }
        break;
      case Client::State::Option:
        answers += negotiate(c, c.command, b);
        c.state = Client::State::Data;
        if (c.command == WONT && b == OPT_TTYPE) greet(fd, c);
        break;
      case Client::State::Sub:
        if (b == IAC) c.state = Client::State::SubIac;
        else if (c.sub.size() < kMaxSub) c.sub.push_back(static_cast<char>(b));
        break;
      case Client::State::SubIac:
        if (b == SE) {
          subnegotiation(c);
          c.state = Client::State::Data;
          // The terminal type answer is the last thing waited for before the screen.
          if (!c.sub.empty() && static_cast<unsigned char>(c.sub[0]) == OPT_TTYPE) greet(fd, c);
        } else {
          if (c.sub.size() < kMaxSub) c.sub.push_back(static_cast<char>(b));
          c.state = Client::State::Sub;
        }
        break;
    }
  }
  if (!answers.empty()) sendAll(fd, answers);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  ::signal(SIGPIPE, SIG_IGN);
  const int port = argc > 1 ? std::atoi(argv[1]) : 0;
  const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
  const int one = 1;
  ::setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = htons(static_cast<std::uint16_t>(port));
  socklen_t len = sizeof addr;
  if (listener < 0 || ::bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      ::listen(listener, 8) != 0 || ::getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
    std::perror("demo_telnetd");
    return 1;
  }
  std::printf("listening on %d\n", ntohs(addr.sin_port));
  std::fflush(stdout);

  std::map<int, Client> clients;
  std::map<int, int> greetDeadline;  // rounds left before greeting a client that never answers
  for (;;) {
    std::vector<pollfd> fds{{listener, POLLIN, 0}};
    for (const auto& [fd, c] : clients) fds.push_back({fd, POLLIN, 0});
    if (::poll(fds.data(), fds.size(), 500) < 0) continue;
    if (fds[0].revents & POLLIN) {
      const int fd = ::accept(listener, nullptr, nullptr);
      if (fd >= 0) {
        clients[fd] = Client{};
        greetDeadline[fd] = 2;
        sendAll(fd, cmd(WILL, OPT_ECHO) + cmd(WILL, OPT_SGA) + cmd(DO, OPT_TTYPE) + cmd(DO, OPT_NAWS));
      }
    }
    for (std::size_t i = 1; i < fds.size(); ++i) {
      const int fd = fds[i].fd;
      Client& c = clients[fd];
      bool keep = true;
      if (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) {
        unsigned char buf[2048];
        const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
        keep = n > 0 && received(fd, c, buf, static_cast<std::size_t>(n));
      } else if (!c.greeted && --greetDeadline[fd] <= 0) {
        greet(fd, c);  // a client that does not tell its terminal type still gets the screen
      }
      if (!keep) {
        ::close(fd);
        clients.erase(fd);
        greetDeadline.erase(fd);
      }
    }
  }
}
