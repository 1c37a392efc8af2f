#include "telnet/tncnx.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "loopback_peer.h"
#include "platform/services.h"
#include "telnet/telnet_codes.h"

namespace ondrix::telnet {
namespace {

using std::chrono::milliseconds;
using testing::LoopbackPeer;
using testing::runFor;
using testing::runUntil;

std::string bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s.push_back(static_cast<char>(v));
  return s;
}

// A scripted host: the test sends it lines of protocol and checks what the session answers.
class TnCnxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cnx.Host = "127.0.0.1";
    cnx.Port = host.portText();
    cnx.TermType = "VT220";
    cnx.Location = "DESK 4";
    cnx.OnSessionConnected = [this](TTnCnx*, std::uint16_t e) { events.push_back("connected " + std::to_string(e)); };
    cnx.OnSessionClosed = [this](TTnCnx*, std::uint16_t e) { events.push_back("closed " + std::to_string(e)); };
    cnx.OnDataAvailable = [this](TTnCnx*, const char* buffer, int length) {
      EXPECT_LE(length, TTnCnx::kReadSize);
      EXPECT_EQ(buffer[length], '\0');
      data.append(buffer, static_cast<std::size_t>(length));
      ++blocks;
    };
    cnx.OnDisplay = [this](TTnCnx*, const std::string& text) { events.push_back("display " + text); };
    cnx.OnLocalEcho = [this](TTnCnx*) { ++localEchoEvents; };
    cnx.OnTermType = [this](TTnCnx*) { events.push_back("termtype"); };
    cnx.OnSendLoc = [this](TTnCnx*) { events.push_back("sendloc"); };
    cnx.OnEndOfRecord = [this](TTnCnx*) { events.push_back("eor"); };
  }

  void connect() {
    cnx.Connect();
    ASSERT_TRUE(host.accept(loop));
    ASSERT_TRUE(runUntil(loop, [&] { return !events.empty(); }));
    ASSERT_EQ(events.front(), "connected 0");
  }

  // Sends `script` followed by IAC DO 99 (always answered IAC WONT 99), and returns what the
  // session answered before that marker.
  std::string answer(const std::string& script) {
    const std::string marker = bytes({255, 252, 99});
    host.send(loop, script + bytes({255, 253, 99}));
    runUntil(loop, [&] {
      const std::string got = host.readAvailable();
      return got.size() >= marker.size() && got.compare(got.size() - marker.size(), marker.size(), marker) == 0;
    });
    std::string got = host.take();
    if (got.size() < marker.size()) return "(no answer: " + got + ")";
    return got.substr(0, got.size() - marker.size());
  }

  platform::PollEventLoop loop;
  platform::ScopedServices services{platform::Services{&loop, nullptr, nullptr, nullptr, nullptr}};
  LoopbackPeer host;
  TTnCnx cnx;
  std::vector<std::string> events;
  std::string data;
  int blocks = 0;
  int localEchoEvents = 0;
};

TEST_F(TnCnxTest, AnswersEveryRowOfTheNegotiationTable) {
  cnx.SendWindowSize = true;
  cnx.WindowCols = 80;
  cnx.WindowRows = 24;
  connect();
  const struct {
    std::string script;
    std::string reply;
  } rows[] = {
      {bytes({255, 251, 0}), bytes({255, 253, 0})},               // WILL BINARY -> DO BINARY
      {bytes({255, 253, 0}) + bytes({255, 254, 0}), ""},          // DO, DONT BINARY -> nothing
      {bytes({255, 252, 0}), ""},                                 // WONT BINARY -> nothing
      {bytes({255, 251, 1}), bytes({255, 253, 1})},               // WILL ECHO -> DO ECHO
      {bytes({255, 252, 1}), ""},                                 // WONT ECHO -> nothing
      {bytes({255, 253, 1}), bytes({255, 252, 1})},               // DO ECHO -> WONT ECHO
      {bytes({255, 254, 1}), ""},                                 // DONT ECHO -> nothing
      {bytes({255, 251, 3}), bytes({255, 253, 3})},               // WILL SGA -> DO SGA
      {bytes({255, 253, 3}) + bytes({255, 252, 3}), ""},          // other SGA -> nothing
      {bytes({255, 253, 23}), bytes({255, 251, 23, 255, 250, 23}) + "DESK 4" + bytes({255, 240})},
      {bytes({255, 251, 23}), ""},
      {bytes({255, 253, 24}), bytes({255, 251, 24})},
      {bytes({255, 250, 24, 1, 255, 240}), bytes({255, 250, 24, 0}) + "VT220" + bytes({255, 240})},
      {bytes({255, 251, 24}) + bytes({255, 250, 24, 0, 255, 240}), ""},  // IS from the host: ignored
      {bytes({255, 253, 25}), bytes({255, 251, 25})},
      {bytes({255, 251, 25}), ""},
      {bytes({255, 253, 31}), bytes({255, 251, 31, 255, 250, 31, 0, 80, 0, 24, 255, 240})},
      {bytes({255, 251, 31}) + bytes({255, 254, 31}), ""},
      {bytes({255, 251, 5}), bytes({255, 254, 5})},               // unknown option refused
      {bytes({255, 252, 5}) + bytes({255, 254, 5}), bytes({255, 252, 5, 255, 252, 5})},
      {bytes({255, 249}) + bytes({255, 241}), ""},                // GA, NOP: traced only
  };
  for (const auto& row : rows) EXPECT_EQ(answer(row.script), row.reply) << ::testing::PrintToString(row.script);
  EXPECT_TRUE(data.empty());
  EXPECT_FALSE(cnx.RemoteBinary());
  EXPECT_EQ(localEchoEvents, 4);
  EXPECT_TRUE(cnx.SuppressGoAhead());
  EXPECT_TRUE(cnx.TermTypeAgreed());
  EXPECT_TRUE(cnx.EndOfRecordAgreed());
  EXPECT_EQ(std::count(events.begin(), events.end(), "termtype"), 1);
  EXPECT_EQ(std::count(events.begin(), events.end(), "sendloc"), 1);
  cnx.Close();
}

TEST_F(TnCnxTest, EchoAndBinaryFlagsFollowTheHost) {
  connect();
  answer(bytes({255, 252, 1}));
  EXPECT_TRUE(cnx.LocalEcho());
  answer(bytes({255, 251, 1}));
  EXPECT_FALSE(cnx.LocalEcho());
  answer(bytes({255, 251, 0}));
  EXPECT_TRUE(cnx.RemoteBinary() && cnx.LocalBinary());
  answer(bytes({255, 252, 0}));
  EXPECT_FALSE(cnx.RemoteBinary() || cnx.LocalBinary());
}

TEST_F(TnCnxTest, WindowSizeIsRefusedWhenNotSentAndUsesTheConnectTimeSize) {
  connect();
  EXPECT_EQ(answer(bytes({255, 253, 31})), bytes({255, 252, 31}));
  EXPECT_EQ(answer(bytes({255, 251, 31})), bytes({255, 254, 31}));
  cnx.Close();

  // 255 columns: the value byte is doubled so the host does not read it as IAC.
  cnx.SendWindowSize = true;
  cnx.WindowCols = 255;
  cnx.WindowRows = 300;
  LoopbackPeer second;
  host.close();
  cnx.Port = second.portText();
  cnx.Connect();
  ASSERT_TRUE(second.accept(loop));
  second.send(loop, bytes({255, 253, 31}));
  const std::string expected = bytes({255, 251, 31, 255, 250, 31, 0, 255, 255, 1, 44, 255, 240});
  ASSERT_TRUE(second.waitFor(loop, expected.size()));
  EXPECT_EQ(second.take(), expected);
}

TEST_F(TnCnxTest, CommandsSplitAcrossReadsAreHandledAsIfWhole) {
  connect();
  host.send(loop, "ab" + bytes({255}));
  ASSERT_TRUE(runUntil(loop, [&] { return data == "ab"; }));
  runFor(loop, milliseconds(20));
  EXPECT_EQ(host.take(), "");
  host.send(loop, bytes({253}));
  runFor(loop, milliseconds(20));
  host.send(loop, bytes({24}) + "cd" + bytes({255, 250, 24}));
  ASSERT_TRUE(runUntil(loop, [&] { return data == "abcd"; }));
  host.send(loop, bytes({1, 255}));
  runFor(loop, milliseconds(20));
  host.send(loop, bytes({240}) + "e" + bytes({255, 255}) + "f" + bytes({255, 239}));
  const std::string expected = bytes({255, 251, 24, 255, 250, 24, 0}) + "VT220" + bytes({255, 240});
  ASSERT_TRUE(host.waitFor(loop, expected.size()));
  EXPECT_EQ(host.take(), expected);
  ASSERT_TRUE(runUntil(loop, [&] { return data.size() == 7; }));
  EXPECT_EQ(data, "abcde\xFF" "f");
  EXPECT_EQ(events.back(), "eor");
}

TEST_F(TnCnxTest, LargeDataArrivesWholeInBlocksOfAtMost2048) {
  connect();
  std::string plain, wire;
  for (int i = 0; i < 300000; ++i) {
    const char c = static_cast<char>((i * 37) % 251);
    plain.push_back(c);
    wire.push_back(c);
    if (i % 997 == 0) {
      plain.push_back('\xFF');
      wire += bytes({255, 255});
    }
    if (i % 1500 == 0) wire += bytes({255, 241});  // NOP: no data
  }
  host.send(loop, wire);
  ASSERT_TRUE(runUntil(loop, [&] { return data.size() >= plain.size(); }));
  EXPECT_TRUE(data == plain);
  EXPECT_GE(blocks, static_cast<int>(wire.size() / 2048));
}

TEST_F(TnCnxTest, PeerCloseDeliversUnreadDataThenReportsOnce) {
  connect();
  const std::string text(10000, 'q');
  host.send(loop, text);
  host.close();
  ASSERT_TRUE(runUntil(loop, [&] { return events.back().rfind("closed", 0) == 0; }));
  runFor(loop, milliseconds(30));
  EXPECT_EQ(data, text);
  EXPECT_EQ(events, (std::vector<std::string>{"connected 0", "display \r\n**** Remote has closed ****\r\n",
                                               "closed 0"}));
  EXPECT_EQ(cnx.Socket().State(), wsClosed);
}

TEST_F(TnCnxTest, RefusedConnectionReports10061AndClosesOnce) {
  cnx.Port = std::to_string(testing::closedPort());
  cnx.Connect();
  ASSERT_TRUE(runUntil(loop, [&] { return events.size() >= 2; }));
  runFor(loop, milliseconds(30));
  EXPECT_EQ(events, (std::vector<std::string>{"connected 10061", "closed 0"}));
}

TEST_F(TnCnxTest, UnknownHostRaisesTheAddressMessage) {
  cnx.Host = "no-such-host.invalid";
  try {
    cnx.Connect();
    FAIL() << "no exception";
  } catch (const ESocketException& e) {
    EXPECT_STREQ(e.what(), "SetAddr: Cannot convert host address 'no-such-host.invalid'");
  }
  runFor(loop, milliseconds(30));
  EXPECT_TRUE(events.empty());
}

TEST_F(TnCnxTest, SendDoublesDataByte255AndSendCmdDoesNot) {
  connect();
  EXPECT_EQ(cnx.SendStr("a\xFF" "b\r"), 4);
  cnx.SendCmd(tn::DO, tn::ECHO);
  const std::string expected = "a\xFF\xFF" "b\r" + bytes({255, 253, 1});
  ASSERT_TRUE(host.waitFor(loop, expected.size()));
  EXPECT_EQ(host.take(), expected);
}

TEST_F(TnCnxTest, SendQueueDrainsWhileTheHostDoesNotRead) {
  connect();
  const int small = 4096;
  ::setsockopt(cnx.Socket().Handle(), SOL_SOCKET, SO_SNDBUF, &small, sizeof small);
  std::string text;
  for (int i = 0; i < 200000; ++i) text.push_back(static_cast<char>('a' + i % 26));
  EXPECT_EQ(cnx.SendStr(text), static_cast<int>(text.size()));
  runFor(loop, milliseconds(30));
  ASSERT_TRUE(host.waitFor(loop, text.size()));
  EXPECT_TRUE(host.take() == text);
}

TEST_F(TnCnxTest, ReconnectStartsWithACleanParser) {
  connect();
  host.send(loop, "x" + bytes({255, 250, 24}));  // cut off inside a sub-negotiation
  ASSERT_TRUE(runUntil(loop, [&] { return data == "x"; }));
  cnx.Close();
  host.close();
  LoopbackPeer second;
  cnx.Port = second.portText();
  cnx.Connect();
  ASSERT_TRUE(second.accept(loop));
  second.send(loop, "login: ");
  ASSERT_TRUE(runUntil(loop, [&] { return data == "xlogin: "; }));
}

TEST_F(TnCnxTest, SendWithoutConnectionRaisesTheSocketError) {
  try {
    cnx.SendStr("x");
    FAIL() << "no exception";
  } catch (const ESocketException& e) {
    EXPECT_STREQ(e.what(), "Error 10057 in function Send\r\nSocket is not connected");
  }
}

}  // namespace
}  // namespace ondrix::telnet
