// Plain-text screen scripts: each file in tests/term/scripts pushes bytes into a fresh screen and
// states what must be seen afterwards. One test per file; the format is described in
// tests/term/scripts/README.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "screen_fixture.h"

namespace ondrix::term::testing {
namespace {

// Decodes \e \r \n \t \b \a \\ and \xHH in a script text.
std::string unescape(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char c = text[++i];
    switch (c) {
      case 'e': out += '\x1b'; break;
      case 'r': out += '\r'; break;
      case 'n': out += '\n'; break;
      case 't': out += '\t'; break;
      case 'b': out += '\b'; break;
      case 'a': out += '\a'; break;
      case 'x':
        out += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
        i += 2;
        break;
      default: out += c; break;
    }
  }
  return out;
}

int number(std::istream& in) {
  std::string word;
  in >> word;
  return std::stoi(word, nullptr, 0);
}

// The rest of the line after one blank.
std::string rest(std::istream& in) {
  std::string text;
  std::getline(in, text);
  return unescape(text.empty() ? text : std::string_view(text).substr(1));
}

class ScreenScript : public ScreenTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(ScreenScript, Runs) {
  std::ifstream file(std::filesystem::path(ONDRIX_TERM_SCRIPTS) / GetParam());
  ASSERT_TRUE(file) << GetParam();
  std::size_t nextReply = 0;
  std::string line;
  for (int number_ = 1; std::getline(file, line); ++number_) {
    if (line.empty() || line[0] == '#') continue;
    SCOPED_TRACE(GetParam() + ":" + std::to_string(number_) + ": " + line);
    std::istringstream in(line);
    std::string command;
    in >> command;
    if (command == "SIZE") {
      const int rows = number(in);
      const int cols = number(in);
      screen->SetRows(rows);
      screen->SetCols(cols);
    } else if (command == "PUSH") {
      feed(rest(in));
    } else if (command == "ROW") {
      const int row = number(in);
      EXPECT_EQ(rowText(row), rest(in));
    } else if (command == "CURSOR") {
      const int row = number(in);
      const int col = number(in);
      EXPECT_EQ(screen->Row(), row);
      EXPECT_EQ(screen->Col(), col);
    } else if (command == "ATTR") {
      EXPECT_EQ(screen->Attribute(), number(in));
    } else if (command == "CELL") {
      const int row = number(in);
      const int col = number(in);
      const int ch = number(in);
      const int attr = number(in);
      EXPECT_EQ(charAt(row, col), ch);
      EXPECT_EQ(attrAt(row, col), attr);
    } else if (command == "REGION") {
      const int top = number(in);
      const int bottom = number(in);
      EXPECT_EQ(screen->ScrollTop(), top);
      EXPECT_EQ(screen->ScrollBottom(), bottom);
    } else if (command == "REPLY") {
      ASSERT_LT(nextReply, replies.size());
      EXPECT_EQ(replies[nextReply++], rest(in));
    } else if (command == "BEEPS") {
      EXPECT_EQ(beeps(), number(in));
    } else if (command == "HIDDEN") {
      EXPECT_EQ(screen->CursorHidden(), number(in) != 0);
    } else {
      FAIL() << "unknown script command " << command;
    }
  }
  EXPECT_EQ(nextReply, replies.size()) << "cursor reports nobody expected";
}

std::vector<std::string> scripts() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(ONDRIX_TERM_SCRIPTS))
    if (entry.path().extension() == ".vts") names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

INSTANTIATE_TEST_SUITE_P(Scripts, ScreenScript, ::testing::ValuesIn(scripts()),
                         [](const auto& info) {
                           std::string name = info.param.substr(0, info.param.find('.'));
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

}  // namespace
}  // namespace ondrix::term::testing
