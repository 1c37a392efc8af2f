#include "telnet/wsocket.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "loopback_peer.h"
#include "platform/services.h"

namespace ondrix::telnet {
namespace {

using std::chrono::milliseconds;
using testing::LoopbackPeer;
using testing::runFor;
using testing::runUntil;

class WSocketTest : public ::testing::Test {
 protected:
  // Records every event of `s` in `events` and every state change in `states`.
  void record(TCustomWSocket& s) {
    s.OnSessionConnected = [this](TCustomWSocket*, std::uint16_t e) { add("connected", e); };
    s.OnSessionClosed = [this](TCustomWSocket*, std::uint16_t e) { add("closed", e); };
    s.OnDataSent = [this](TCustomWSocket*, std::uint16_t e) { add("sent", e); };
    s.OnChangeState = [this](TCustomWSocket*, TSocketState, TSocketState n) { states.push_back(n); };
  }
  // A data handler that reads in blocks of `block` bytes into `received`.
  void readInto(TCustomWSocket& s, int block = 2048) {
    s.OnDataAvailable = [this, block](TCustomWSocket* sender, std::uint16_t) {
      std::string buf(static_cast<std::size_t>(block), '\0');
      const int n = sender->Receive(buf.data(), block);
      if (n > 0) received.append(buf.data(), static_cast<std::size_t>(n));
      if (n == 0) add("eof", 0);
    };
  }
  void add(const std::string& name, std::uint16_t e) {
    events.push_back(e ? name + " " + std::to_string(e) : name);
  }
  int count(const std::string& name) const {
    return static_cast<int>(std::count(events.begin(), events.end(), name));
  }
  // Connects `s` to `peer` and waits until both ends are up.
  void connect(TWSocket& s, LoopbackPeer& peer) {
    s.SetAddr("127.0.0.1");
    s.SetPort(peer.portText());
    s.Connect();
    ASSERT_TRUE(peer.accept(loop));
    ASSERT_TRUE(runUntil(loop, [&] { return s.State() == wsConnected; }));
  }

  platform::PollEventLoop loop;
  platform::ScopedServices services{platform::Services{&loop, nullptr, nullptr, nullptr, nullptr}};
  std::vector<std::string> events;
  std::vector<TSocketState> states;
  std::string received;
};

std::string pattern(std::size_t size) {
  std::string s(size, '\0');
  for (std::size_t i = 0; i < size; ++i) s[i] = static_cast<char>((i * 131) >> 3);
  return s;
}

std::string messageOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const ESocketException& e) {
    return e.what();
  }
  return "(no exception)";
}

TEST_F(WSocketTest, PropertiesAreTrimmedAndConverted) {
  TWSocket s;
  EXPECT_EQ(s.State(), wsClosed);
  EXPECT_EQ(s.Proto(), "tcp");
  s.SetAddr("  127.0.0.1 \t");
  EXPECT_EQ(s.Addr(), "127.0.0.1");
  s.SetPort(" telnet ");
  EXPECT_EQ(s.Port(), "telnet");
  EXPECT_EQ(messageOf([&] { s.SetPort("no-such-service"); }),
            "SetPort: Cannot convert port 'no-such-service'");
  EXPECT_EQ(messageOf([&] { s.SetPort("70000"); }), "SetPort: Cannot convert port '70000'");
  EXPECT_EQ(s.Port(), "telnet");
  EXPECT_EQ(messageOf([&] { s.SetProto("carrier-pigeon"); }),
            "SetProto: Cannot convert protocol 'carrier-pigeon'");
  s.SetProto("udp");
  EXPECT_EQ(s.Proto(), "udp");
  EXPECT_EQ(messageOf([&] { s.SetSendFlags(2); }), "Invalid SendFlags");
  s.SetSendFlags(wsSendUrgent);
  EXPECT_EQ(s.SendFlags(), wsSendUrgent);
}

TEST_F(WSocketTest, ConnectChecksItsSettingsInOrder) {
  TWSocket s;
  EXPECT_EQ(messageOf([&] { s.Connect(); }), "Connect: No Port Specified");
  s.SetPort("23");
  EXPECT_EQ(messageOf([&] { s.Connect(); }), "Connect: No IP Address Specified");
  s.SetAddr("127.0.0.1");
  s.SetProto("");
  EXPECT_EQ(messageOf([&] { s.Connect(); }), "Connect: No Protocol Specified");
  EXPECT_EQ(s.State(), wsClosed);
}

TEST_F(WSocketTest, UnknownHostRaisesAtOnceAndNoEventFollows) {
  TWSocket s;
  record(s);
  s.SetAddr("no-such-host.invalid");
  s.SetPort("23");
  EXPECT_EQ(messageOf([&] { s.Connect(); }),
            "SetAddr: Cannot convert host address 'no-such-host.invalid'");
  runFor(loop, milliseconds(50));
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(s.State(), wsClosed);
}

TEST_F(WSocketTest, OnErrorReceivesWhatWouldOtherwiseBeThrown) {
  TWSocket s;
  std::vector<std::string> errors;
  s.OnError = [&](TCustomWSocket*, std::uint16_t code, const std::string& msg) {
    errors.push_back(std::to_string(code) + ":" + msg);
  };
  EXPECT_EQ(s.SendStr("x"), -1);
  EXPECT_EQ(s.LastError(), 10057);
  s.Connect();
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[0], "10057:Error 10057 in function Send\r\nSocket is not connected");
  EXPECT_EQ(errors[1].substr(errors[1].find(':') + 1), "Connect: No Port Specified");
}

TEST_F(WSocketTest, SendWhileNotConnectedThrows) {
  TWSocket s;
  EXPECT_EQ(messageOf([&] { s.SendStr("abc"); }),
            "Error 10057 in function Send\r\nSocket is not connected");
}

TEST_F(WSocketTest, RefusedConnectReportsErrorThenClosesOnce) {
  TWSocket s;
  record(s);
  s.SetAddr("127.0.0.1");
  s.SetPort(std::to_string(testing::closedPort()));
  s.Connect();
  ASSERT_TRUE(runUntil(loop, [&] { return s.State() == wsClosed; }));
  runFor(loop, milliseconds(30));
  EXPECT_EQ(events, (std::vector<std::string>{"connected 10061", "closed"}));
  EXPECT_EQ(states, (std::vector<TSocketState>{wsOpened, wsConnecting, wsConnected, wsClosed}));
}

TEST_F(WSocketTest, ConnectSendReceiveAndCloseRaisesSessionClosedOnce) {
  LoopbackPeer peer;
  TWSocket s;
  record(s);
  readInto(s);
  connect(s, peer);
  EXPECT_EQ(s.GetPeerName(), "127.0.0.1");
  EXPECT_EQ(messageOf([&] { s.SetPort("1"); }), "Cannot change Port if not closed");
  EXPECT_EQ(s.Port(), peer.portText());
  EXPECT_EQ(messageOf([&] { s.SetAddr("x"); }), "Cannot change Addr if not closed");
  EXPECT_EQ(messageOf([&] { s.Connect(); }), "Connect: Socket already in use");

  EXPECT_EQ(s.SendStr("hello"), 5);
  ASSERT_TRUE(peer.waitFor(loop, 5));
  EXPECT_EQ(peer.take(), "hello");
  ASSERT_TRUE(runUntil(loop, [&] { return count("sent") == 1; }));

  peer.send(loop, "world");
  ASSERT_TRUE(runUntil(loop, [&] { return received == "world"; }));
  EXPECT_EQ(s.ReadCount(), 5u);

  s.Close();
  s.Close();
  EXPECT_EQ(s.State(), wsClosed);
  EXPECT_EQ(count("closed"), 1);
  EXPECT_TRUE(peer.waitForClose(loop));
  EXPECT_EQ(s.GetPeerName(), "error");

  // The same socket connects again with the settings it kept.
  events.clear();
  LoopbackPeer second;
  s.SetPort(second.portText());
  connect(s, second);
  EXPECT_EQ(events.front(), "connected");
  s.Abort();
  EXPECT_EQ(count("closed"), 1);
}

TEST_F(WSocketTest, SendQueuesWhileThePeerDoesNotReadAndDrainsLater) {
  LoopbackPeer peer(4096);
  TWSocket s;
  record(s);
  connect(s, peer);
  runFor(loop, milliseconds(10));
  events.clear();
  const int small = 4096;
  ::setsockopt(s.Handle(), SOL_SOCKET, SO_SNDBUF, &small, sizeof small);

  const std::string data = pattern(400000);
  EXPECT_EQ(s.Send(data.data(), static_cast<int>(data.size())), static_cast<int>(data.size()));
  runFor(loop, milliseconds(30));
  EXPECT_EQ(count("sent"), 0) << "the queue cannot be empty while the peer reads nothing";

  ASSERT_TRUE(peer.waitFor(loop, data.size()));
  EXPECT_TRUE(peer.take() == data);
  ASSERT_TRUE(runUntil(loop, [&] { return count("sent") >= 1; }));
  EXPECT_EQ(s.State(), wsConnected);
}

TEST_F(WSocketTest, UnreadDataIsDeliveredBeforeThePeerCloseIsReported) {
  LoopbackPeer peer;
  TWSocket s;
  record(s);
  connect(s, peer);
  std::vector<std::string> order;
  s.OnDataAvailable = [&](TCustomWSocket* sender, std::uint16_t) {
    char buf[2048];
    const int n = sender->Receive(buf, sizeof buf);
    if (n > 0) received.append(buf, static_cast<std::size_t>(n));
    order.push_back(n > 0 ? "data" : n == 0 ? "eof" : "error");
  };
  s.OnSessionClosed = [&](TCustomWSocket*, std::uint16_t e) {
    order.push_back("closed " + std::to_string(e) + " after " + std::to_string(received.size()));
  };
  const std::string data = pattern(100000);
  peer.send(loop, data);
  peer.close();
  ASSERT_TRUE(runUntil(loop, [&] { return s.State() == wsClosed; }));
  runFor(loop, milliseconds(30));
  EXPECT_TRUE(received == data);
  ASSERT_GE(order.size(), 2u);
  EXPECT_EQ(order[order.size() - 2], "eof");
  EXPECT_EQ(order.back(), "closed 0 after 100000");
}

TEST_F(WSocketTest, AStreamThatNeverPausesStillLetsTheLoopRunBetweenBursts) {
  LoopbackPeer peer;
  TWSocket s;
  int calls = 0;
  s.OnDataAvailable = [&](TCustomWSocket* sender, std::uint16_t) {
    char buf[100];
    if (sender->Receive(buf, sizeof buf) > 0) ++calls;
  };
  connect(s, peer);
  peer.send(loop, pattern(200000));
  runUntil(loop, [&] { return s.RcvdCount() > 50000; });
  calls = 0;
  loop.runOnce(milliseconds(100));
  EXPECT_EQ(calls, TCustomWSocket::kReadRounds);
  EXPECT_GT(s.RcvdCount(), 0);
}

TEST_F(WSocketTest, ResetByPeerClosesOnce) {
  LoopbackPeer peer;
  TWSocket s;
  record(s);
  readInto(s);
  connect(s, peer);
  peer.reset();
  ASSERT_TRUE(runUntil(loop, [&] { return s.State() == wsClosed; }));
  runFor(loop, milliseconds(30));
  EXPECT_EQ(std::count_if(events.begin(), events.end(),
                          [](const std::string& e) { return e.rfind("closed", 0) == 0; }),
            1);
}

TEST_F(WSocketTest, SocketMayBeDestroyedInsideItsOwnEvents) {
  LoopbackPeer peer;
  auto s = std::make_unique<TWSocket>();
  readInto(*s);
  s->OnSessionClosed = [&](TCustomWSocket*, std::uint16_t) { s.reset(); };
  connect(*s, peer);
  peer.send(loop, "bye");
  peer.close();
  ASSERT_TRUE(runUntil(loop, [&] { return s == nullptr; }));
  runFor(loop, milliseconds(20));
  EXPECT_EQ(received, "bye");
}

TEST_F(WSocketTest, ListenAcceptAndDupCarryAConnection) {
  TWSocket server, client, served;
  EXPECT_EQ(messageOf([&] { server.Listen(); }), "listen: port not assigned");
  server.SetPort("0");
  EXPECT_EQ(messageOf([&] { server.Listen(); }), "listen: address not assigned");
  EXPECT_EQ(messageOf([&] { server.Accept(); }), "not a listening socket");
  server.SetAddr("127.0.0.1");
  server.OnSessionAvailable = [&](TCustomWSocket* sender, std::uint16_t) {
    served.Dup(sender->Accept());
  };
  server.Listen();
  ASSERT_EQ(server.State(), wsListening);
  ASSERT_NE(server.GetXPort(), 0);

  readInto(client);
  served.OnDataAvailable = [&](TCustomWSocket* sender, std::uint16_t) {
    char buf[64];
    const int n = sender->Receive(buf, sizeof buf);
    if (n > 0) sender->Send(buf, n);  // echo
  };
  client.SetAddr("127.0.0.1");
  client.SetPort(std::to_string(server.GetXPort()));
  client.Connect();
  ASSERT_TRUE(runUntil(loop, [&] { return served.State() == wsConnected && client.State() == wsConnected; }));
  client.SendStr("ping");
  ASSERT_TRUE(runUntil(loop, [&] { return received == "ping"; }));
  server.Close();
  served.Close();
  ASSERT_TRUE(runUntil(loop, [&] { return client.State() == wsClosed; }));
}

TEST_F(WSocketTest, LineModeDeliversLinesAndSplitsOverlongOnesWithoutLoss) {
  LoopbackPeer peer;
  TWSocket s;
  s.LineMode = true;
  std::vector<std::string> lines;
  int tooLong = 0;
  s.OnLineTooLong = [&](TCustomWSocket*) { ++tooLong; };
  s.OnDataAvailable = [&](TCustomWSocket* sender, std::uint16_t) {
    char buf[512];
    const int n = sender->Receive(buf, sizeof buf);
    if (n > 0) lines.emplace_back(buf, static_cast<std::size_t>(n));
  };
  connect(s, peer);
  const std::string longLine(300, 'x');
  peer.send(loop, "220 ready\r\n230 in");
  ASSERT_TRUE(runUntil(loop, [&] { return lines.size() == 1; }));
  peer.send(loop, "\r\n" + longLine + "\r\ntail");
  peer.close();
  ASSERT_TRUE(runUntil(loop, [&] { return s.State() == wsClosed; }));
  std::string all;
  for (const auto& l : lines) all += l;
  EXPECT_EQ(all, "220 ready\r\n230 in\r\n" + longLine + "\r\ntail");
  EXPECT_EQ(lines[0], "220 ready\r\n");
  EXPECT_EQ(lines[1], "230 in\r\n");
  EXPECT_EQ(lines[2].size(), TCustomWSocket::kLineLimit);
  EXPECT_EQ(tooLong, 1);
  EXPECT_EQ(lines.back(), "tail");
}

TEST_F(WSocketTest, DnsLookupCompletesAsynchronouslyAndCanBeCancelled) {
  TWSocket s;
  std::vector<int> done;
  s.OnDnsLookupDone = [&](TCustomWSocket*, std::uint16_t e) { done.push_back(e); };
  EXPECT_EQ(messageOf([&] { s.DnsLookup("  "); }), "DNS lookup: invalid host name.");

  s.DnsLookup("10.1.2.3");
  EXPECT_EQ(done, std::vector<int>{0});
  EXPECT_EQ(s.DnsResult(), "10.1.2.3");

  s.DnsLookup("localhost");
  ASSERT_TRUE(runUntil(loop, [&] { return done.size() == 2; }));
  EXPECT_EQ(done[1], 0);
  EXPECT_EQ(s.DnsResult(), "127.0.0.1");
  EXPECT_EQ(s.DnsResultList().front(), "127.0.0.1");

  s.DnsLookup("no-such-host.invalid");
  ASSERT_TRUE(runUntil(loop, [&] { return done.size() == 3; }));
  EXPECT_NE(done[2], 0);
  EXPECT_TRUE(s.DnsResultList().empty());

  s.DnsLookup("localhost");
  s.CancelDnsLookup();
  runFor(loop, milliseconds(100));
  EXPECT_EQ(done.size(), 3u);
}

TEST_F(WSocketTest, DatagramSocketIsConnectedAtOnceAndSendsWholeMessages) {
  const int rx = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK, 0);
  sockaddr_in sin{};
  sin.sin_family = AF_INET;
  sin.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof sin;
  ASSERT_EQ(::bind(rx, reinterpret_cast<sockaddr*>(&sin), sizeof sin), 0);
  ::getsockname(rx, reinterpret_cast<sockaddr*>(&sin), &len);

  TWSocket s;
  record(s);
  s.SetProto("udp");
  s.SetAddr("127.0.0.1");
  s.SetPort(std::to_string(ntohs(sin.sin_port)));
  s.Connect();
  EXPECT_EQ(s.State(), wsConnected);
  EXPECT_EQ(events, std::vector<std::string>{"connected"});
  const std::string message = pattern(3000);
  EXPECT_EQ(s.SendStr(message), 3000);
  char buf[4000];
  ssize_t n = -1;
  runUntil(loop, [&] { return n > 0 || (n = ::recv(rx, buf, sizeof buf, 0)) > 0; });
  EXPECT_EQ(n, 3000) << errno;
  EXPECT_TRUE(std::string(buf, static_cast<std::size_t>(std::max<ssize_t>(n, 0))) == message);
  ::close(rx);
  s.Close();
  EXPECT_EQ(s.State(), wsClosed);
}

}  // namespace
}  // namespace ondrix::telnet
