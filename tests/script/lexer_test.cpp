// The lexer's token stream, its comment and hex-digit rules, errors with their lines, look-ahead.

#include "script/lexer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "platform/services.h"
#include "script/compiler_error.h"

namespace ondrix::script {
namespace {

using namespace std::literals;

struct Tok {
  std::int32_t kind;
  std::string value;
  bool operator==(const Tok&) const = default;
};

void PrintTo(const Tok& t, std::ostream* os) { *os << "{" << t.kind << ", \"" << t.value << "\"}"; }

std::vector<Tok> lex(std::string_view text, TLexer::ConstantLookup constants = {}) {
  TLexer lexer(text, std::move(constants));
  std::vector<Tok> out;
  for (;;) {
    TToken t = lexer.next();
    if (t.kind == kTokEnd) return out;
    out.push_back({t.kind, t.valueText()});
  }
}

std::string lexError(std::string_view text) {
  try {
    lex(text);
  } catch (const ECompilerError& e) {
    return e.what();
  }
  return "(no error)";
}

Tok ch(char c) { return {static_cast<unsigned char>(c), "0"}; }
Tok id(const char* w) { return {kTokIdent, w}; }

TEST(Lexer, DelimitersAreSingleCharacters) {
  EXPECT_THAT(lex("x := a <= b <> c >= d"),
              testing::ElementsAre(id("X"), ch(':'), ch('='), id("A"), ch('<'), ch('='), id("B"),
                                   ch('<'), ch('>'), id("C"), ch('>'), ch('='), id("D")));
  EXPECT_THAT(lex("#$%&()*+,./:;<=>@[]^|~"), testing::SizeIs(22));
}

TEST(Lexer, CommentsAndMinusSigns) {
  EXPECT_THAT(lex("a--b\nc"), testing::ElementsAre(id("A"), id("C")));
  EXPECT_THAT(lex("a - -b"), testing::ElementsAre(id("A"), ch('-'), ch('-'), id("B")));
  EXPECT_THAT(lex("a // x\tb"), testing::ElementsAre(id("A"), id("B")));  // a tab ends the comment
  EXPECT_THAT(lex("a / b"), testing::ElementsAre(id("A"), ch('/'), id("B")));
  EXPECT_THAT(lex("(* note *) a"), testing::ElementsAre(id("A")));
  EXPECT_THAT(lex("/* a (* b */ c"), testing::ElementsAre(id("C")));
  EXPECT_THAT(lex("(* a /* b *) c"), testing::ElementsAre(id("C")));
  EXPECT_THAT(lex("{ a (* } b"), testing::ElementsAre(id("B")));
  EXPECT_THAT(lex("( a )"), testing::ElementsAre(ch('('), id("A"), ch(')')));
  EXPECT_THAT(lex("// only a comment"), testing::IsEmpty());
}

TEST(Lexer, StringLiterals) {
  EXPECT_THAT(lex("'it''s' \"a'b\" ''"),
              testing::ElementsAre(Tok{kTokString, "it"}, Tok{kTokString, "s"},
                                   Tok{kTokString, "a'b"}, Tok{kTokString, ""}));
  EXPECT_THAT(lex("'Mixed Case { not a comment }'"),
              testing::ElementsAre(Tok{kTokString, "Mixed Case { not a comment }"}));
}

TEST(Lexer, WordsKeywordsAndNumbers) {
  EXPECT_THAT(lex("Begin BEGIN begin bEgIn1 _x9 StdCall"),
              testing::ElementsAre(Tok{kKwBegin, "BEGIN"}, Tok{kKwBegin, "BEGIN"},
                                   Tok{kKwBegin, "BEGIN"}, id("BEGIN1"), id("_X9"),
                                   Tok{kKwStdcall, "STDCALL"}));
  EXPECT_THAT(lex("3.14"), testing::ElementsAre(Tok{kTokDigits, "3"}, ch('.'), Tok{kTokDigits, "14"}));
  EXPECT_THAT(lex("0x1f 7xAB 0x"),
              testing::ElementsAre(Tok{kTokHex, "1F"}, Tok{kTokHex, "AB"}, Tok{kTokHex, ""}));
  EXPECT_THAT(lex("$1F"), testing::ElementsAre(ch('$'), Tok{kTokDigits, "1F"}));
  EXPECT_THAT(lex("$FF"), testing::ElementsAre(ch('$'), id("FF")));
  // A Windows-1252 lower-case letter upper-cases into the identifier range.
  EXPECT_THAT(lex("caf\xe9"), testing::ElementsAre(id("CAF\xc9")));
}

TEST(Lexer, HexModeLastsUntilTheNextDelimiter) {
  EXPECT_THAT(lex("$ 12 AB 3C"),
              testing::ElementsAre(ch('$'), Tok{kTokDigits, "12"}, id("AB"), Tok{kTokDigits, "3C"}));
  EXPECT_EQ(lexError("$ 12 + 3C"), "Syntax error in  (1): \r\nBad identifier <3C>.");
}

TEST(Lexer, Errors) {
  struct Case {
    std::string_view text;
    const char* message;
  };
  const Case cases[] = {
      {"{ open", "Syntax error in  (1): \r\nUnexpected EOF in comment block."},
      {"a\n(* open\n", "Syntax error in  (3): \r\nUnexpected EOF in comment block."},
      {"/* open *", "Syntax error in  (1): \r\nUnexpected EOF in comment block."},
      {"x\n'abc", "Syntax error in  (2): \r\nUnexpected EOF in string constant declaration."},
      {"\"abc'", "Syntax error in  (1): \r\nUnexpected EOF in string constant declaration."},
      {"'ab\0c'"sv, "Syntax error in  (1): \r\nUnexpected EOF in string constant declaration."},
      {"x!", "Syntax error in  (1): \r\nBad identifier name <X!>."},
      {"a\\b", "Syntax error in  (1): \r\nBad identifier name <A\\B>."},
      {"\n\n12AB", "Syntax error in  (3): \r\nBad identifier <12AB>."},
      {"}", "Syntax error in  (1): \r\nBad identifier <}>."},
      {"?", "Syntax error in  (1): \r\nBad identifier <?>."},
      {"1E5", "Syntax error in  (1): \r\nBad identifier <1E5>."},
      {"a\xff", "Syntax error in  (1): \r\nBad identifier name <A\x9f>."},
  };
  for (const Case& c : cases) EXPECT_EQ(lexError(c.text), c.message) << c.text;
}

TEST(Lexer, ZeroByteEndsTheText) {
  const std::string text("a\0b", 3);
  EXPECT_THAT(lex(text), testing::ElementsAre(id("A")));
}

TEST(Lexer, RegisteredConstantsHideIdentifiers) {
  const std::map<std::string, int> table{{"MBLEFT", 0}, {"PI", 1}};
  auto lookup = [&](const std::string& name) {
    const auto it = table.find(name);
    return it == table.end() ? -1 : it->second;
  };
  EXPECT_THAT(lex("mbLeft MBLEFT pi x begin", lookup),
              testing::ElementsAre(Tok{kTokConstant, "0"}, Tok{kTokConstant, "0"},
                                   Tok{kTokConstant, "1"}, id("X"), Tok{kKwBegin, "BEGIN"}));
}

TEST(Lexer, PeekAndStepBack) {
  TLexer lexer("alpha $ 1F beta");
  EXPECT_EQ(lexer.peek().text, "ALPHA");
  EXPECT_EQ(lexer.next().text, "ALPHA");
  EXPECT_EQ(lexer.peek().kind, '$');
  EXPECT_TRUE(lexer.hexMode());  // peeking switches the mode as reading would
  EXPECT_EQ(lexer.position(), 5u);
  lexer.next();
  EXPECT_EQ(lexer.next().text, "1F");
  lexer.stepBack(2);
  EXPECT_EQ(lexer.next().text, "1F");
  lexer.stepBack(1000);
  EXPECT_EQ(lexer.position(), 0u);
  EXPECT_EQ(lexer.next().text, "ALPHA");
}

TEST(Lexer, LineNumbersCountLineFeeds) {
  TLexer lexer("a\r\nb\n\nc");
  lexer.next();
  EXPECT_EQ(lexer.lineNumber(), 1);
  lexer.next();
  EXPECT_EQ(lexer.lineNumber(), 2);
  lexer.next();
  EXPECT_EQ(lexer.lineNumber(), 4);
}

class CountingLoop : public platform::EventLoop {
 public:
  WatchId watch(int, unsigned, ReadyHandler) override { return 0; }
  void setInterest(WatchId, unsigned) override {}
  void unwatch(WatchId) override {}
  TimerId startTimer(std::chrono::milliseconds, bool, Task) override { return 0; }
  void stopTimer(TimerId) override {}
  void post(Task) override {}
  void processPendingEvents() override { ++rounds; }
  bool runOnce(std::chrono::milliseconds) override { return false; }
  int rounds = 0;
};

TEST(Lexer, ProcessesPendingEventsBeforeEveryToken) {
  CountingLoop loop;
  platform::ScopedServices scope({&loop, nullptr, nullptr, nullptr, nullptr});
  TLexer lexer("a b");
  lexer.peek();
  lexer.next();
  lexer.next();
  lexer.next();  // end of text
  EXPECT_EQ(loop.rounds, 4);
}

}  // namespace
}  // namespace ondrix::script
