#include "automation/command_words.h"

#include <gtest/gtest.h>

namespace ondrix::automation {
namespace {

struct WordsCase {
  const char* text;
  std::vector<std::string> words;
};

class CommandWords : public ::testing::TestWithParam<WordsCase> {};

TEST_P(CommandWords, SplitLikeAShellWithoutExpansion) {
  EXPECT_EQ(splitCommandWords(GetParam().text), GetParam().words) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandWords,
    ::testing::Values(WordsCase{"", {}}, WordsCase{"   \t ", {}}, WordsCase{"a b  c", {"a", "b", "c"}},
                      WordsCase{"'two words' x", {"two words", "x"}},
                      WordsCase{"\"say \\\"hi\\\" \\$HOME\" y", {"say \"hi\" $HOME", "y"}},
                      WordsCase{"a\\ b", {"a b"}}, WordsCase{"pre'fix'\"ed\"", {"prefixed"}},
                      WordsCase{"''", {""}},
                      // Nothing a shell would expand or redirect means anything here.
                      WordsCase{"$(rm -rf x); ls > out | cat *", {"$(rm", "-rf", "x);", "ls", ">", "out", "|", "cat", "*"}},
                      WordsCase{"~ $HOME `id`", {"~", "$HOME", "`id`"}},
                      WordsCase{"'unclosed quote", {"unclosed quote"}}, WordsCase{"\"open", {"open"}},
                      WordsCase{"trailing\\", {"trailing"}},
                      WordsCase{"\"C:\\dir\\file\"", {"C:\\dir\\file"}}));

}  // namespace
}  // namespace ondrix::automation
