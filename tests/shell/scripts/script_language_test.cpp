// The language description file: reading, writing, the generated file against the registered
// tables, and the colouring of a sample script by token class.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "registered_language.h"
#include "shell/editor_options.h"
#include "shell/script_highlighter.h"
#include "shell/script_language.h"
#include "script_fakes.h"
#include "store/stores/stored_values.h"

namespace ondrix::shell {
namespace {

TEST(ScriptLanguage, FormatAndParseGiveTheSameLanguage) {
  TScriptLanguage language = TScriptLanguage::Builtin();
  language.Routines = {"SENDTEXT", "SHOWMESSAGE"};
  language.Constants = {"MBLEFT"};
  const TScriptLanguage read = parseScriptLanguage(formatScriptLanguage(language));
  EXPECT_EQ(read.Keywords, language.Keywords);
  EXPECT_EQ(read.Routines, language.Routines);
  EXPECT_EQ(read.Constants, language.Constants);
  EXPECT_EQ(read.LineComments, language.LineComments);
  EXPECT_EQ(read.BlockComments, language.BlockComments);
  EXPECT_EQ(read.Quotes, language.Quotes);
}

TEST(ScriptLanguage, ParsingSkipsWhatMeansNothing) {
  const TScriptLanguage read = parseScriptLanguage(
      "stray line before a section\r\n"
      "[routines]\r\n  SendText  \r\n; a comment\r\n\r\n"
      "[Unknown]\r\nIgnored\r\n"
      "[BlockComments]\r\n{ }\r\nnocloser\r\n"
      "[Quotes]\r\n'\r\nab\r\n"
      "[Keywords\r\n");
  EXPECT_EQ(read.Routines, (std::unordered_set<std::string>{"SENDTEXT"}));
  EXPECT_TRUE(read.Keywords.empty());
  EXPECT_EQ(read.BlockComments, (std::vector<std::pair<std::string, std::string>>{{"{", "}"}}));
  EXPECT_EQ(read.Quotes, (std::vector<char>{'\''}));
}

TEST(ScriptLanguage, AMissingFileGivesTheBuiltinSyntax) {
  const TScriptLanguage read = loadScriptLanguage("/nonexistent/OndrixScript.txt");
  EXPECT_TRUE(read.Keywords.contains("BEGIN"));
  EXPECT_TRUE(read.Routines.empty());
  EXPECT_EQ(read.LineComments, (std::vector<std::string>{"//", "--"}));
}

// The names of `a` that `b` lacks, sorted and separated by blanks.
template <typename Set>
std::string onlyIn(const Set& a, const Set& b) {
  std::vector<std::string> names;
  for (const auto& name : a)
    if (!b.contains(name)) names.emplace_back(name);
  std::sort(names.begin(), names.end());
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : " ") + name;
  return text;
}

// The file the build put beside the program lists every routine and constant the program
// registers, so the colouring never drifts from what the engine knows.
TEST(ScriptLanguage, TheGeneratedFileListsEveryRegisteredName) {
  const TScriptLanguage registered = tools::registeredLanguage();
  ASSERT_GT(registered.Routines.size(), 100u);
  EXPECT_TRUE(registered.Routines.contains("SENDTEXT"));
  ASSERT_GT(registered.Constants.size(), 10u);
  std::ifstream in(ONDRIX_SCRIPT_LANGUAGE_FILE, std::ios::binary);
  ASSERT_TRUE(in) << ONDRIX_SCRIPT_LANGUAGE_FILE;
  std::ostringstream text;
  text << in.rdbuf();
  const TScriptLanguage file = parseScriptLanguage(text.str());
  EXPECT_EQ(onlyIn(registered.Routines, file.Routines), "") << "registered, not in the file";
  EXPECT_EQ(onlyIn(file.Routines, registered.Routines), "") << "in the file, not registered";
  EXPECT_EQ(onlyIn(registered.Constants, file.Constants), "") << "registered, not in the file";
  EXPECT_EQ(onlyIn(file.Constants, registered.Constants), "") << "in the file, not registered";
  EXPECT_EQ(file.Keywords, registered.Keywords);
  EXPECT_EQ(file.BlockComments, registered.BlockComments);
}

// Styles as letters, one per byte: the sample and its expected colouring side by side.
std::string letters(const std::vector<ScriptStyle>& styles) {
  static constexpr char kLetters[] = ".ckrsSnhoi";
  std::string out;
  for (ScriptStyle s : styles) out += kLetters[static_cast<int>(s)];
  return out;
}

class Highlighter : public ::testing::Test {
 protected:
  Highlighter() : highlighter_(language()) {}
  static TScriptLanguage language() {
    TScriptLanguage l = TScriptLanguage::Builtin();
    l.Routines = {"SENDTEXT"};
    l.Constants = {"MBLEFT"};
    return l;
  }
  std::string style(std::string_view text, int& state) {
    std::vector<ScriptStyle> styles;
    state = highlighter_.Style(text, state, styles);
    EXPECT_EQ(styles.size(), text.size());
    return letters(styles);
  }
  std::string style(std::string_view text) {
    int state = 0;
    return style(text, state);
  }
  TScriptHighlighter highlighter_;
};

TEST_F(Highlighter, EveryTokenClassGetsItsStyle) {
  const struct {
    std::string_view text;
    std::string_view styles;
  } cases[] = {
      {"begin End", "kkkkk.kkk"},
      {"SendText(x, mbLeft);", "rrrrrrrroio.ssssssoo"},
      {"'it''s' \"q\"", "SSSSSSS.SSS"},
      {"#13#10", "hhhhhh"},
      {"# 13", "o.nn"},
      {"3.14 0x1F $1F $FF", "nonn.nnnn.onn.oii"},
      {"12AB x!", "......."},
      {"a--b c", "iccccc"},
      {"x // tab\tend", "i.cccccc.kkk"},
      {"{ a } (* b *) /* c (* */ z", "ccccc.ccccccc.cccccccccc.i"},
      {"}", "."},
      {"\xC0\xE9t \xC0\xFF", "iii..."},
  };
  for (const auto& c : cases) EXPECT_EQ(style(c.text), c.styles) << c.text;
}

TEST_F(Highlighter, CommentsAndStringsRunOverLines) {
  int state = 0;
  EXPECT_EQ(style("x := 'a\n", state), "i.oo.SSS");
  EXPECT_EQ(style("b' + {\n", state), "SS.o.cc");
  EXPECT_EQ(style("still\n", state), "cccccc");
  EXPECT_EQ(style("} (* x\n", state), "c.ccccc");
  EXPECT_EQ(style("*) end\n", state), "cc.kkk.");
  EXPECT_EQ(state, 0);
}

TEST_F(Highlighter, HexModeCarriesToTheNextLine) {
  int state = 0;
  EXPECT_EQ(style("x := $\n", state), "i.oo.o.");
  EXPECT_EQ(style("1F", state), "nn");
  EXPECT_EQ(style("; 1F", state), "o...");  // another delimiter ends the hex-digit mode
}

TEST(EditorOptions, ColourTextAndStoredValues) {
  std::uint32_t rgb = 0;
  EXPECT_TRUE(parseColorText("#12AbEF", rgb));
  EXPECT_EQ(rgb, 0x12ABEFu);
  EXPECT_EQ(colorText(0x00FF08), "#00FF08");
  for (std::string_view bad : {"", "#12345", "#1234567", "123456 ", "#12345G", "#-12345"})
    EXPECT_FALSE(parseColorText(bad, rgb)) << bad;
}

class EditorOptionsStore : public testing::ScriptWindowTest {};

TEST_F(EditorOptionsStore, SavedOptionsReadBackAndBadValuesReadAsDefaults) {
  EXPECT_EQ(loadEditorOptions(folder()), TScriptEditorOptions{});
  TScriptEditorOptions options;
  options.FontName = "DejaVu Sans Mono";
  options.FontSize = 13;
  options.TabWidth = 4;
  options.LineNumbers = false;
  options.Background = 0x101010;
  options.Colors[static_cast<int>(ScriptStyle::Keyword)] = 0xFF0000;
  saveEditorOptions(folder(), options);
  EXPECT_EQ(loadEditorOptions(folder()), options);

  store::StoredValues values(folder());
  values.SetValue(kEditorOptionsSection, "FontSize", "900");
  values.SetValue(kEditorOptionsSection, "TabWidth", "4x");
  values.SetValue(kEditorOptionsSection, "LineNumbers", "yes");
  values.SetValue(kEditorOptionsSection, "Color.Keyword", "red");
  const TScriptEditorOptions read = loadEditorOptions(folder());
  EXPECT_EQ(read.FontSize, TScriptEditorOptions{}.FontSize);
  EXPECT_EQ(read.TabWidth, TScriptEditorOptions{}.TabWidth);
  EXPECT_TRUE(read.LineNumbers);
  EXPECT_EQ(read.Color(ScriptStyle::Keyword), TScriptEditorOptions{}.Color(ScriptStyle::Keyword));
  EXPECT_EQ(read.FontName, "DejaVu Sans Mono");
}

TEST_F(EditorOptionsStore, AnUnreadableStoreGivesTheDefaults) {
  std::ofstream(folder() + "STORAGE.QDB", std::ios::binary) << "not a record file";
  EXPECT_EQ(loadEditorOptions(folder()), TScriptEditorOptions{});
}

}  // namespace
}  // namespace ondrix::shell
