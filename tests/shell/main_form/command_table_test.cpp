// The command table: what the window layer builds its menus and bars from.

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "shell/command_table.h"

namespace ondrix::shell {
namespace {

TEST(CommandTable, EveryCommandOnceAndFoundById) {
  std::set<CommandId> seen;
  for (const TCommand& c : commandTable()) {
    EXPECT_TRUE(seen.insert(c.Id).second);
    EXPECT_EQ(&command(c.Id), &c);
  }
  EXPECT_EQ(static_cast<int>(seen.size()), kCommandCount);
}

TEST(CommandTable, MnemonicsDoNotClashWithinAMenu) {
  std::map<std::pair<TMenu, char>, std::string_view> taken;
  for (const TCommand& c : commandTable()) {
    if (c.Menu == TMenu::None) continue;
    const std::size_t amp = c.Caption.find('&');
    ASSERT_NE(amp, std::string_view::npos) << c.Caption;
    const char key = static_cast<char>(std::toupper(static_cast<unsigned char>(c.Caption[amp + 1])));
    const auto [it, fresh] = taken.emplace(std::make_pair(c.Menu, key), c.Caption);
    EXPECT_TRUE(fresh) << c.Caption << " and " << it->second;
  }
}

TEST(CommandTable, FixedCaptionsAndShortCuts) {
  EXPECT_EQ(command(CommandId::Copy).ShortCut, "Ctrl+Insert");
  EXPECT_EQ(command(CommandId::Paste).ShortCut, "Shift+Insert");
  EXPECT_EQ(command(CommandId::EventManager).Caption, "&Global event manager");
  EXPECT_EQ(command(CommandId::EventManager).PopupCaption, "&Event manager...");
  EXPECT_EQ(command(CommandId::Detach).Menu, TMenu::None);
  EXPECT_TRUE(command(CommandId::Detach).SessionCommand);
  EXPECT_FALSE(command(CommandId::QuickRunScript).SessionCommand);
  std::string letters;
  for (const TCommand& c : commandTable())
    if (c.Places & kManagersBar) letters += c.Hint;
  EXPECT_EQ(letters, "CPKGSA");
}

}  // namespace
}  // namespace ondrix::shell
