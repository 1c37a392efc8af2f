#include <gtest/gtest.h>

#include "shell/conn_dialog_rules.h"

namespace ondrix::shell {
namespace {

TEST(ConnDialogRules, NumbersAsTyped) {
  const std::pair<const char*, std::optional<std::int32_t>> cases[] = {
      {"23", 23},          {" 23 ", 23},         {"+7", 7},        {"-5", -5},
      {"2147483647", 2147483647}, {"2147483648", std::nullopt}, {"", std::nullopt},
      {"  ", std::nullopt}, {"12a", std::nullopt}, {"0x10", std::nullopt}, {"+", std::nullopt},
      {"- 1", std::nullopt}, {"1 2", std::nullopt}};
  for (const auto& [text, value] : cases) EXPECT_EQ(parseNumber(text), value) << '"' << text << '"';
  EXPECT_EQ(numberOr("abc", 23), 23);
}

}  // namespace
}  // namespace ondrix::shell
