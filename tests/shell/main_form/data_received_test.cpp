// Received data through the watches: matching, splitting, dispatch, hit counting, text-watch mode
// and the global watches each session starts with.

#include <string>
#include <vector>

#include "main_form_fixture.h"
#include "session/tnemulvt.h"

namespace ondrix::shell::testing {
namespace {

struct WatchSpec {
  std::string Text;
  std::string Script;  // "A" or "B" (scripts that log their letter and the screen), or empty
  int MaxHits = 0;
  bool Global = false;
};

struct ChunkCase {
  const char* Name;
  std::vector<WatchSpec> Watches;
  std::string Chunk;
  bool OwnHandler;                 // Lab's own OnWatch handler exists
  std::vector<std::string> Runs;   // script log lines, in order
  std::string Screen;              // row 0 afterwards
  std::vector<int> HitsAfter;      // the hits of the watches left, in list order
  std::string WatchText;           // expected WatchText (empty: not checked)
};

class DataReceived : public MainFormTest, public ::testing::WithParamInterface<ChunkCase> {};

TEST_P(DataReceived, Chunk) {
  const ChunkCase& c = GetParam();
  const std::string a = Script("a.oxs", "begin TestLog('A ' + TestScreen); end.");
  const std::string b = Script("b.oxs", "begin TestLog('B ' + TestScreen); end.");
  if (c.OwnHandler) SetEvent("Lab", 4, "begin TestLog('own ' + TestScreen); end.");
  SetEvent("System", 4, "begin TestLog('sys ' + TestScreen); end.");
  CreateForm();
  const int page = OpenConnected("Lab");
  for (const WatchSpec& w : c.Watches)
    form->Panel(page).WatchList.push_back(
        TWatch{w.Text, w.Script == "A" ? a : w.Script == "B" ? b : "", w.MaxHits, 0, w.Global});

  Receive(page, c.Chunk);

  EXPECT_EQ(LogWith("script:"), c.Runs);
  EXPECT_EQ(Row(page, 0), c.Screen);
  std::vector<int> hits;
  for (const TWatch& w : form->Panel(page).WatchList) hits.push_back(w.Hits);
  EXPECT_EQ(hits, c.HitsAfter);
  if (!c.WatchText.empty()) {
    EXPECT_EQ(form->WatchText(), c.WatchText);
  }
  EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.boxes.front();
}

const ChunkCase kCases[] = {
    {"NoWatchMatches", {{"xyz", "A"}}, "hello", true, {}, "hello", {0}, ""},
    {"SplitsAtTheMatch", {{"login:", "A"}}, "xx login: yy", true, {"script:A xx login:"}, "xx login: yy", {1}, "login:"},
    {"TwiceInOneChunkFiresOnce", {{"ab", "A"}}, "ab ab", true, {"script:A ab"}, "ab ab", {1}, ""},
    {"EarlierWatchInTheListWins", {{"cd", "A"}, {"ab", "B"}}, "ab cd ef", true, {"script:A ab cd"}, "ab cd ef", {1, 0}, "cd"},
    {"MaxHitsOneRemovesTheWatch", {{"ab", "A", 1}}, "ab", true, {"script:A ab"}, "ab", {}, ""},
    {"MaxHitsZeroKeepsIt", {{"ab", "A", 0}}, "ab", true, {"script:A ab"}, "ab", {1}, ""},
    {"MaxHitsTwoKeepsItAfterOne", {{"ab", "A", 2}}, "ab", true, {"script:A ab"}, "ab", {1}, ""},
    {"MatchAtTheEndShowsAllFirst", {{"bc", "A"}}, "abc", true, {"script:A abc"}, "abc", {1}, ""},
    {"OwnWatchRunsOwnOnWatch", {{"ab", ""}}, "ab cd", true, {"script:own ab"}, "ab cd", {1}, ""},
    {"OwnWatchDoesNotFallBackToSystem", {{"ab", ""}}, "ab cd", false, {}, "ab cd", {1}, ""},
    {"GlobalWatchRunsSystemOnWatch", {{"ab", "", 0, true}}, "ab cd", true, {"script:sys ab"}, "ab cd", {1}, ""},
    {"TextAfterAZeroByteIsNotSearched", {{"cd", "A"}}, std::string("ab\0cd", 5), true, {}, "abcd", {0}, ""},
    {"EmptyWatchTextNeverMatches", {{"", "A"}, {"b", "B"}}, "abc", true, {"script:B ab"}, "abc", {0, 1}, ""},
};

INSTANTIATE_TEST_SUITE_P(Watches, DataReceived, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(MainFormTest, MaxHitsCountsAcrossChunks) {
  const std::string a = Script("a.oxs", "begin TestLog('A'); end.");
  CreateForm();
  const int page = OpenConnected("Lab");
  form->Panel(page).WatchList.push_back(TWatch{"x", a, 2, 0, false});
  Receive(page, "x");
  ASSERT_EQ(form->Panel(page).WatchList.size(), 1u);
  Receive(page, "x");
  EXPECT_TRUE(form->Panel(page).WatchList.empty());
  Receive(page, "x");
  EXPECT_EQ(LogWith("script:").size(), 2u);
}

TEST_F(MainFormTest, TextWatchModeRunsItsScriptForEveryChunkAndNoWatch) {
  const std::string t = Script("t.oxs", "begin TestLog('T ' + TestScreen); end.");
  const std::string a = Script("a.oxs", "begin TestLog('A'); end.");
  CreateForm();
  const int page = OpenConnected("Lab");
  TTermPanel& panel = form->Panel(page);
  panel.WatchList.push_back(TWatch{"ab", a, 0, 0, false});
  panel.TextWatchOn = true;
  panel.TextWatchScript = t;
  Receive(page, "ab");
  Receive(page, std::string("cd\0ef", 5));
  EXPECT_EQ(LogWith("script:"), (std::vector<std::string>{"script:T ab", "script:T abcdef"}));
  EXPECT_EQ(form->WatchText(), "cd");  // the chunk as text: up to its zero byte
  EXPECT_EQ(panel.WatchList.front().Hits, 0);
}

TEST_F(MainFormTest, LogGetsTheWholeChunkBeforeTheScriptRuns) {
  const std::filesystem::path log = root / "session.log";
  const std::string a = Script("a.oxs", "begin TestHook; end.");
  CreateForm();
  const int page = OpenConnected("Lab");
  form->Panel(page).Emu->StartLog(log.string());
  form->Panel(page).WatchList.push_back(TWatch{"b", a, 0, 0, false});
  std::uintmax_t sizeWhileScriptRuns = 0;
  hook = [&] { sizeWhileScriptRuns = std::filesystem::file_size(log); };
  Receive(page, "abc");
  EXPECT_EQ(sizeWhileScriptRuns, 3u);
}

TEST_F(MainFormTest, SessionsStartWithCopiesOfTheGlobalWatchesAndCountHitsApart) {
  const std::string a = Script("a.oxs", "begin TestLog('A'); end.");
  CreateForm();
  form->GlobalWatches().push_back(TWatch{"go", a, 1, 0, true});
  const int first = OpenConnected("One");
  const int second = OpenConnected("Two");
  form->GlobalWatches().push_back(TWatch{"late", a, 0, 0, true});  // reaches no open session
  ASSERT_EQ(form->Panel(first).WatchList.size(), 1u);
  Receive(first, "go");
  EXPECT_TRUE(form->Panel(first).WatchList.empty());
  ASSERT_EQ(form->Panel(second).WatchList.size(), 1u);
  EXPECT_EQ(form->Panel(second).WatchList.front().Hits, 0);
  EXPECT_EQ(form->GlobalWatches().front().Hits, 0);
  Receive(second, "go late");
  EXPECT_EQ(LogWith("script:").size(), 2u);
}

TEST_F(MainFormTest, DataFromTheHostGoesThroughTheWatches) {
  const std::string a = Script("a.oxs", "begin TestLog('A ' + TestScreen); end.");
  CreateForm();
  const int page = OpenConnected("Lab");
  form->Panel(page).WatchList.push_back(TWatch{"$ ", a, 0, 0, false});
  peers.front()->send("ready $ ");
  RunLoopUntil([&] { return !LogWith("script:").empty(); });
  EXPECT_EQ(LogWith("script:"), std::vector<std::string>{"script:A ready $"});
}

TEST_F(MainFormTest, AScriptErrorIsShownAndTheRestOfTheChunkStillArrives) {
  const std::string bad = Script("bad.oxs", "var x: Integer; begin x := 0; x := 1 div x; end.");
  CreateForm();
  const int page = OpenConnected("Lab");
  form->Panel(page).WatchList.push_back(TWatch{"ab", bad, 0, 0, false});
  Receive(page, "ab cd");
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.styles.front(), platform::MessageStyle::Error);
  EXPECT_EQ(Row(page, 0), "ab cd");
  Receive(page, " ef");
  EXPECT_EQ(Row(page, 0), "ab cd ef");
}

}  // namespace
}  // namespace ondrix::shell::testing
