// The telnet terminal against a scripted loopback host: negotiation, screen contents, keys,
// echo, upper-case lock, break and reset strings, logs, connect results and close; and the screen
// text operations with their buffer rules.

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

#include "platform/posix/poll_event_loop.h"
#include "platform/services.h"
#include "session/tnemulvt.h"
#include "telnet_peer.h"
#include "term/fake_view.h"

namespace ondrix::session {
namespace {

using testing::TelnetPeer;
using testing::runUntil;

constexpr char IAC = '\xFF', DO = '\xFD', WILL = '\xFB', SB = '\xFA', SE = '\xF0';
constexpr char TTYPE = 24, SEND = 1, IS = 0;

class RecordingDialogs final : public platform::Dialogs {
 public:
  platform::MessageResult messageBox(std::string_view text, std::string_view, platform::MessageStyle style,
                                     platform::MessageButtons buttons) override {
    texts.emplace_back(text);
    lastStyle = style;
    lastButtons = buttons;
    return platform::MessageResult::Ok;
  }
  std::vector<std::string> texts;
  platform::MessageStyle lastStyle{};
  platform::MessageButtons lastButtons{};
};

std::string rowText(const TTnEmulVT& vt, int row) {
  const auto& chars = vt.Screen().Line(row).Chars;
  std::string s(reinterpret_cast<const char*>(chars.data()), 80);
  return s.substr(0, s.find_last_not_of(' ') + 1);
}

bool screenHas(const TTnEmulVT& vt, const std::string& text) {
  for (int r = 0; r < vt.Rows(); ++r)
    if (rowText(vt, r).find(text) != std::string::npos) return true;
  return false;
}

std::string fileText(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

class SessionTest : public ::testing::Test {
 protected:
  SessionTest() : services_(platform::Services{&loop, nullptr, &beeper, nullptr, &dialogs}) {}

  void SetUp() override {
    vt = std::make_unique<TTnEmulVT>();
    vt->SetView(&view);
    vt->OnRunConnectEvent = [this](TTnEmulVT*, const std::string& owner) {
      eventOwners.push_back(owner);
      return owner == scriptsUnder;
    };
    vt->OnSessionConnected = [this](TTnEmulVT*) { ++connectedEvents; };
    vt->OnSessionClosed = [this](TTnEmulVT*) { ++closedEvents; };
  }

  void TearDown() override {
    vt.reset();
    std::filesystem::remove_all(tempDir());
  }

  static std::filesystem::path tempDir() {
    auto p = std::filesystem::temp_directory_path() / ("tnemulvt_" + std::to_string(::getpid()));
    std::filesystem::create_directories(p);
    return p;
  }

  // Configures for `port` and connects; the peer has accepted and the result has arrived.
  void connectTo(int port) {
    vt->Configure("Lab", "127.0.0.1", false, false, false, false, false, false, port, 80, 25, "VT220");
    vt->Connect();
    ASSERT_TRUE(peer.accept(loop));
    ASSERT_TRUE(runUntil(loop, [&] { return connectedEvents > 0; }));
  }

  platform::PollEventLoop loop;
  platform::CountingBeeper beeper;
  RecordingDialogs dialogs;
  platform::ScopedServices services_;
  term::testing::FakeView view;
  TelnetPeer peer;
  std::unique_ptr<TTnEmulVT> vt;
  std::vector<std::string> eventOwners;
  std::string scriptsUnder = "Lab";
  int connectedEvents = 0;
  int closedEvents = 0;
};

TEST_F(SessionTest, NegotiatesShowsDataAndRunsTheConnectEvent) {
  connectTo(peer.port());
  EXPECT_TRUE(vt->IsConnected());
  EXPECT_EQ(vt->Error, 0);
  EXPECT_EQ(vt->Port, std::to_string(peer.port()));
  EXPECT_EQ(eventOwners, std::vector<std::string>{"Lab"});
  EXPECT_EQ(beeper.count(), 0);
  EXPECT_TRUE(view.focused);

  peer.send({IAC, DO, TTYPE, IAC, SB, TTYPE, SEND, IAC, SE});
  ASSERT_TRUE(peer.waitFor(loop, std::string{IAC, SB, TTYPE, IS} + "VT220" + std::string{IAC, SE}));
  EXPECT_NE(peer.take().find(std::string{IAC, WILL, TTYPE}), std::string::npos);

  peer.send("\x1b[2J\x1b[1;1H\x1b[1mHello\x1b[0m, world\r\nline two");
  ASSERT_TRUE(runUntil(loop, [&] { return screenHas(*vt, "line two"); }));
  EXPECT_EQ(rowText(*vt, 0), "Hello, world");
  EXPECT_EQ(vt->Screen().Row(), 1);

  // The host asks for the cursor position; the report goes back at once.
  peer.send("\x1b[6n");
  EXPECT_TRUE(peer.waitFor(loop, "\x1b[2;9R"));
}

TEST_F(SessionTest, WithoutScriptsUnderTheConnectionTheSystemOnesRun) {
  scriptsUnder = "System";
  connectTo(peer.port());
  EXPECT_EQ(eventOwners, (std::vector<std::string>{"Lab", "System"}));
}

TEST_F(SessionTest, KeysGoThroughTheKeylistUpperLockAndLocalEcho) {
  connectTo(peer.port());
  vt->AddKey(0x48, false, "\\e[A", true, false, false);
  vt->AddKey(0x3B, false, "F1^M", false, false, false);
  auto stroke = [](int vk, std::uint8_t scan, bool ext = false) {
    term::TKeyStroke k;
    k.VirtualKey = vk;
    k.ScanCode = scan;
    k.Extended = ext;
    return k;
  };
  vt->KeyDown(stroke(0x26, 0x48, true));  // cursor up
  vt->KeyDown(stroke(0x26, 0x48, false)); // keypad 8 without Num Lock
  vt->KeyDown(stroke(0x25, 0x4B, true));  // cursor left: no definition, nothing
  vt->KeyDown(stroke('Q', 0x10));
  vt->TypeChar('1');
  vt->TypeChar('\0');                     // a zero character is not sent
  ASSERT_TRUE(peer.waitFor(loop, "q1"));
  EXPECT_EQ(peer.take(), "\x1b[A\x1b[Aq1");
  EXPECT_FALSE(screenHas(*vt, "q1"));

  vt->UpperLock = true;
  vt->SetLocalEcho(true);
  vt->TypeChar('a');
  vt->TypeChar('z');
  vt->TypeChar('{');
  vt->KeyDown(stroke(0x70, 0x3B));  // F1: the definition is echoed too
  ASSERT_TRUE(peer.waitFor(loop, "F1\r"));
  EXPECT_EQ(peer.take(), "AZ{F1\r");
  EXPECT_EQ(rowText(*vt, 0), "AZ{F1");

  vt->Disconnect();  // clears the key definitions
  EXPECT_EQ(vt->Keys().Count(), 0);
  EXPECT_FALSE(vt->IsConnected());
  vt->TypeChar('x');  // dropped while not connected
  EXPECT_EQ(vt->Send("x", 1), -1);
}

TEST_F(SessionTest, ResetAndBreakStringsUseCaretNotation) {
  connectTo(peer.port());
  vt->ResetStr = "^[c";
  vt->BreakStr = "brk^C^";
  vt->SendReset();
  vt->SendBreak();
  ASSERT_TRUE(peer.waitFor(loop, "brk\x03"));
  EXPECT_EQ(peer.take(), "\x1b" "cbrk\x03");
}

TEST_F(SessionTest, SessionLogHoldsTheReceivedBytes) {
  connectTo(peer.port());
  const auto log = tempDir() / "session.log";
  vt->StartLog(log.string());
  EXPECT_EQ(vt->LogStatus(), "Logging");
  peer.send(std::string{IAC, WILL, '\x01'} + "raw\x1b[1mbytes\r\n");
  ASSERT_TRUE(runUntil(loop, [&] { return screenHas(*vt, "rawbytes"); }));
  vt->StopLog();
  EXPECT_EQ(vt->LogStatus(), "");
  peer.send("after");
  ASSERT_TRUE(runUntil(loop, [&] { return screenHas(*vt, "after"); }));
  EXPECT_EQ(fileText(log), "raw\x1b[1mbytes\r\n");  // data bytes only, no telnet commands

  vt->StartLog((tempDir() / "no" / "such" / "dir.log").string());
  EXPECT_FALSE(vt->Logging());
  ASSERT_EQ(dialogs.texts.size(), 1u);
  EXPECT_EQ(dialogs.texts[0], "Cannot create " + (tempDir() / "no" / "such" / "dir.log").string() +
                                  " for logging.");
  EXPECT_EQ(dialogs.lastStyle, platform::MessageStyle::Error);
  EXPECT_EQ(dialogs.lastButtons, platform::MessageButtons::Ok);
}

TEST_F(SessionTest, AFailingLogStopsLoggingButNotTheDisplay) {
  connectTo(peer.port());
  vt->StartLog("/dev/full");  // opens, but every write fails
  ASSERT_TRUE(vt->Logging());
  peer.send("shown anyway\r\nand this");
  ASSERT_TRUE(runUntil(loop, [&] { return screenHas(*vt, "and this"); }));
  EXPECT_EQ(rowText(*vt, 0), "shown anyway");
  EXPECT_FALSE(vt->Logging());
  EXPECT_EQ(vt->LogStatus(), "");
}

TEST_F(SessionTest, TheOwnersDataHandlerTakesOverTheDisplay) {
  std::string got;
  vt->OnDataAvailable = [&](TTnEmulVT*, const char* b, int& n) { got.append(b, static_cast<std::size_t>(n)); };
  connectTo(peer.port());
  peer.send("hidden");
  ASSERT_TRUE(runUntil(loop, [&] { return got == "hidden"; }));
  EXPECT_FALSE(screenHas(*vt, "hidden"));
}

TEST_F(SessionTest, DataWhileBrowsingTheHistoryReturnsToTheLiveScreen) {
  connectTo(peer.port());
  for (int i = 0; i < 40; ++i) peer.send("\r\nL" + std::to_string(i));
  ASSERT_TRUE(runUntil(loop, [&] { return screenHas(*vt, "L39"); }));
  vt->HistoryScroll(term::TScrollCode::ThumbTrack, 1490);
  ASSERT_TRUE(vt->Browsing());
  view.focused = false;  // the user went elsewhere while browsing
  peer.send("\r\nnew");
  ASSERT_TRUE(runUntil(loop, [&] { return screenHas(*vt, "new"); }));
  EXPECT_FALSE(vt->Browsing());
  EXPECT_EQ(view.scrollPosition, 1500);
  EXPECT_EQ(rowText(*vt, 24), "new");
  EXPECT_EQ(rowText(*vt, 23), "L39");
}

TEST_F(SessionTest, RemoteCloseIsShownWithABeep) {
  connectTo(peer.port());
  peer.close();
  ASSERT_TRUE(runUntil(loop, [&] { return closedEvents > 0; }));
  EXPECT_FALSE(vt->IsConnected());
  EXPECT_TRUE(screenHas(*vt, "*** Connection closed ***"));
  EXPECT_EQ(beeper.count(), 1);
}

TEST_F(SessionTest, ARefusedConnectionIsReportedThenClosed) {
  std::vector<std::pair<int, std::string>> errors;
  vt->OnError = [&](TTnEmulVT*, std::uint16_t code, const std::string& msg) { errors.emplace_back(code, msg); };
  bool connectedAtEvent = false;
  std::uint16_t errorAtEvent = 0;
  vt->OnSessionConnected = [&](TTnEmulVT* s) {
    ++connectedEvents;
    connectedAtEvent = s->IsConnected();
    errorAtEvent = s->Error;
    s->TypeChar('x');  // sent at a socket that is not connected: the error is swallowed
  };
  vt->Configure("Lab", "127.0.0.1", false, false, false, false, false, false, TelnetPeer::closedPort(), 80,
                25, "VT100");
  vt->Connect();
  ASSERT_TRUE(runUntil(loop, [&] { return connectedEvents > 0; }));
  EXPECT_EQ(rowText(*vt, 0), "Connection failed: Connection refused");
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].first, 10061);
  EXPECT_EQ(errors[0].second, "Connection failed: Connection refused");
  EXPECT_EQ(errorAtEvent, 10061);
  EXPECT_TRUE(connectedAtEvent);  // a failed attempt counts as connected until the close
  EXPECT_EQ(eventOwners, std::vector<std::string>{"Lab"});
  // The socket closes after the failed attempt.
  ASSERT_TRUE(runUntil(loop, [&] { return closedEvents > 0; }));
  EXPECT_FALSE(vt->IsConnected());
  EXPECT_EQ(rowText(*vt, 2), "*** Connection closed ***");
  EXPECT_EQ(beeper.count(), 2);
}

TEST_F(SessionTest, ACursorReportWithoutAConnectionIsDropped) {
  vt->WriteStr("\x1b[6nafter");  // no socket to answer on: the rest is still interpreted
  EXPECT_EQ(rowText(*vt, 0), "after");
}

TEST_F(SessionTest, ConnectWithoutAHostDoesNothing) {
  vt->WriteStr("kept");
  vt->Connect();
  loop.runOnce(std::chrono::milliseconds(20));
  EXPECT_EQ(rowText(*vt, 0), "kept");
  EXPECT_EQ(connectedEvents, 0);
}

TEST_F(SessionTest, ConfigureAppliesTheConnection) {
  vt->Configure("Box", "example", true, true, true, true, true, true, 2323, 132, 43, "ANSI");
  EXPECT_EQ(vt->ConnectionName, "Box");
  EXPECT_EQ(vt->HostName, "example");
  EXPECT_EQ(vt->Port, "2323");
  EXPECT_EQ(vt->Cols(), 132);
  EXPECT_EQ(vt->Rows(), 43);
  EXPECT_EQ(vt->TnCnx().TermType, "ANSI");
  EXPECT_TRUE(vt->AutoLF() && vt->AutoCR() && vt->LocalEcho() && vt->MonoChrome());
  EXPECT_FALSE(vt->Xlat());
  EXPECT_EQ(vt->Font().CharSet, term::kOemCharset);
  EXPECT_TRUE(vt->SendWindowSize);
  EXPECT_FALSE(vt->UpperLock);
}

// --- Screen text, without a network ---

class ScreenTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    view.metrics = {10, 20, 0};
    view.width = 80 * 10 + 16;
    view.height = 25 * 20;
    vt.SetView(&view);
    for (int r = 0; r < 25; ++r) {
      std::string line;
      for (int c = 0; c < 80; ++c) line.push_back(static_cast<char>('A' + (r + c) % 26));
      vt.WriteStr("\x1b[" + std::to_string(r + 1) + ";1H" + line);
    }
  }
  std::string text(int count, const char* buffer) { return std::string(buffer, static_cast<std::size_t>(count)); }
  term::testing::FakeView view;
  TTnEmulVT vt;
};

TEST_F(ScreenTextTest, ScreenTextFollowsTheWindowAndTheRoomRules) {
  std::vector<char> big(10000, '#');
  const int n = vt.GetScreenText(big.data(), static_cast<int>(big.size()));
  // 816 pixels hold 81 columns (the scroll bar's width counts), 500 pixels 25 rows.
  EXPECT_EQ(n, 25 * 81 + 24 * 2);
  EXPECT_EQ(big[static_cast<std::size_t>(n)], '\0');
  EXPECT_EQ(text(83, big.data()), std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOPQRSTUVWXYZAB ") + "\r\n");

  struct Case {
    int size;
    int count;
    std::string result;
  };
  for (const Case& c : {Case{3, 2, "AB"}, Case{1, 0, ""}, Case{2, 1, "A"}}) {
    char buf[8] = "#######";
    EXPECT_EQ(vt.GetScreenText(buf, c.size), c.count);
    EXPECT_EQ(text(c.count, buf), c.result);
    EXPECT_EQ(buf[c.count], '\0');
  }
  char none[1] = {'#'};
  EXPECT_EQ(vt.GetScreenText(none, 0), 0);
  EXPECT_EQ(none[0], '#');
}

TEST_F(ScreenTextTest, RegionRules) {
  char buf[64];
  EXPECT_EQ(vt.GetScreenRegion(1, 2, 2, 4, buf, sizeof buf), 8);
  EXPECT_EQ(std::string(buf), "DEF\r\nEFG");
  // A CR LF is not started with fewer than 4 bytes of room.
  EXPECT_EQ(vt.GetScreenRegion(1, 2, 2, 4, buf, 6), 3);
  EXPECT_EQ(std::string(buf), "DEF");
  EXPECT_EQ(vt.GetScreenRegion(1, 2, 2, 4, buf, 7), 6);
  EXPECT_EQ(std::string(buf), "DEF\r\nE");
  for (auto [r1, c1, r2, c2] : {std::array{-1, 0, 0, 0}, std::array{0, 0, 25, 0}, std::array{0, 0, 0, 80},
                                std::array{0, -1, 0, 5}}) {
    std::memset(buf, '#', sizeof buf);
    EXPECT_EQ(vt.GetScreenRegion(r1, c1, r2, c2, buf, sizeof buf), 0);
    EXPECT_EQ(buf[0], '\0');
  }
}

TEST_F(ScreenTextTest, ADraggedSelectionGivesItsCellsOnce) {
  // From (row 2, column 5) to (row 4, column 9).
  vt.MouseDown(term::TMouseButton::Left, 0, 55, 45);
  vt.MouseMove(0, 55, 45);  // the first move sets the anchor and captures the mouse
  EXPECT_TRUE(view.captured);
  EXPECT_EQ(view.confinedTo, (term::TRect{0, 0, 800, 500}));
  vt.MouseMove(0, 75, 70);
  vt.MouseMove(0, 95, 85);
  ASSERT_EQ(view.focusRects.size(), 3u);  // drawn, erased, drawn
  EXPECT_EQ(view.focusRects[1], view.focusRects[0]);
  vt.MouseUp(term::TMouseButton::Left, 0, 95, 85);
  EXPECT_FALSE(view.captured);
  EXPECT_EQ(view.focusRects.size(), 4u);  // and erased
  ASSERT_TRUE(vt.HasSelection());
  EXPECT_EQ(vt.SelectRect(), (term::TRect{50, 40, 100, 100}));

  char buf[64];
  EXPECT_EQ(vt.GetSelectionText(buf, sizeof buf), 19);
  EXPECT_EQ(std::string(buf), "HIJKL\r\nIJKLM\r\nJKLMN");
  EXPECT_FALSE(vt.HasSelection());
  EXPECT_EQ(vt.GetSelectionText(buf, sizeof buf), 0);
  EXPECT_EQ(buf[0], '\0');
}

TEST_F(ScreenTextTest, ADragInsideOneCellSelectsThatCell) {
  vt.MouseDown(term::TMouseButton::Left, 0, 55, 45);
  vt.MouseMove(0, 55, 45);
  vt.MouseMove(0, 59, 59);  // still row 2, column 5: exactly one character wide and one line high
  vt.MouseUp(term::TMouseButton::Left, 0, 59, 59);
  ASSERT_TRUE(vt.HasSelection());
  EXPECT_EQ(vt.SelectRect(), (term::TRect{50, 40, 60, 60}));
  char buf[8];
  EXPECT_EQ(vt.GetSelectionText(buf, sizeof buf), 1);
  EXPECT_EQ(std::string(buf), "H");
}

TEST_F(ScreenTextTest, TooSmallOrBackwardDragsSelectNothing) {
  struct Case {
    int x1, y1, x2, y2;
  };
  for (const Case& c : {Case{55, 45, 55, 15}, Case{95, 85, 55, 45}, Case{55, 45, 15, 85}}) {
    vt.MouseDown(term::TMouseButton::Left, 0, c.x1, c.y1);
    vt.MouseMove(0, c.x1, c.y1);
    vt.MouseMove(0, c.x2, c.y2);
    vt.MouseUp(term::TMouseButton::Left, 0, c.x2, c.y2);
    EXPECT_FALSE(vt.HasSelection());
  }
  // A press without a drag, and a right-button drag, select nothing either.
  vt.MouseDown(term::TMouseButton::Right, 0, 5, 5);
  vt.MouseMove(0, 95, 85);
  vt.MouseUp(term::TMouseButton::Right, 0, 95, 85);
  EXPECT_FALSE(vt.HasSelection());
  EXPECT_FALSE(view.captured);
}

TEST_F(ScreenTextTest, APressRemovesTheSelection) {
  vt.MouseDown(term::TMouseButton::Middle, 0, 0, 0);
  vt.MouseMove(0, 0, 0);
  vt.MouseMove(0, 35, 35);
  vt.MouseUp(term::TMouseButton::Middle, 0, 35, 35);
  ASSERT_TRUE(vt.HasSelection());
  view.clearRequests();
  vt.MouseDown(term::TMouseButton::Left, 0, 5, 5);
  EXPECT_FALSE(vt.HasSelection());
  EXPECT_EQ(view.wholeRepaints, 1);
}

}  // namespace
}  // namespace ondrix::session
