#include "shell/command_table.h"

#include <array>

namespace ondrix::shell {
namespace {

using enum CommandId;

constexpr std::uint8_t kPopupBar = kPopup | kButtonBar;
constexpr std::uint8_t kManagers = kPopup | kManagersBar;

// Menu order within each menu; the enum's order is not the menu order.
constexpr std::array<TCommand, kCommandCount> kCommands{{
    // &File
    {QuickConnect, "Connect1Click", "&Quick connect...", "", "Quick connect", "", false, false, TMenu::File, kButtonBar, false},
    {Reconnect, "Reconnect1Click", "&Reconnect", "", "Reconnect", "", true, false, TMenu::File, kPopupBar, false},
    {Disconnect, "Disconnect1Click", "&Disconnect current", "&Disconnect", "Disconnect", "", true, false, TMenu::File, kPopupBar, false},
    {PrintScreen, "Printscreen1Click", "&Print screen", "", "Print screen", "", true, false, TMenu::File, kButtonBar, true},
    {PrinterFont, "Printerfont1Click", "Printer f&ont...", "", "Printer font", "", false, false, TMenu::File, kButtonBar, false},
    {SetupPrinter, "Setupprinter1Click", "&Setup printer...", "", "Setup printer", "", false, false, TMenu::File, kButtonBar, false},
    {EjectPrinterPage, "Ejectprinterpage1Click", "&Eject printer page", "", "Eject printer page", "", false, false, TMenu::File, kButtonBar, false},
    {ConnectionDefaults, "Connectiondefaults1Click", "&Connection defaults...", "", "Connection defaults", "", false, false, TMenu::File, kButtonBar, true},
    {Exit, "Exit1Click", "E&xit", "", "", "", false, false, TMenu::File, 0, true},
    // &Edit
    {Copy, "Copy1Click", "&Copy", "", "Copy", "Ctrl+Insert", true, false, TMenu::Edit, kPopupBar, false},
    {Paste, "Paste1Click", "&Paste", "", "Paste", "Shift+Insert", true, false, TMenu::Edit, kPopupBar, false},
    {SendBreak, "Sendbreak1Click", "&Send break", "", "Send break", "", true, false, TMenu::Edit, kButtonBar, true},
    {ResetTerminal, "Resetterminal1Click", "&Reset terminal", "", "Reset terminal", "", true, false, TMenu::Edit, kButtonBar, false},
    {ShowToolbar, "Showtoolbar1Click", "Show &toolbar", "", "", "", false, true, TMenu::Edit, 0, true},
    // &Managers
    {ConnectionManager, "Phonebook1Click", "&Connection manager...", "", "C", "", false, false, TMenu::Managers, kManagers, false},
    {PaletteManager, "Palettemanager1Click", "&Palette manager...", "", "P", "", false, false, TMenu::Managers, kManagers, false},
    {KeylistManager, "Keylistmanager1Click", "&Keylist manager...", "", "K", "", false, false, TMenu::Managers, kManagers, false},
    {EventManager, "Eventmanager1Click", "&Global event manager", "&Event manager...", "G", "", false, false, TMenu::Managers, kManagers, false},
    {ScriptManager, "Scriptmanager1Click", "&Script manager...", "", "S", "", false, false, TMenu::Managers, kManagers, false},
    {AddinManager, "Addinmanager1Click", "&Add-in manager...", "", "A", "", false, false, TMenu::Managers, kManagers, false},
    // &Tools ("Change &keylist" follows "Modify &Font...")
    {ModifyColors, "Colors1Click", "Modify &Colors...", "Modify co&lors...", "Change colors", "", true, false, TMenu::Tools, kPopupBar, false},
    {ModifyFont, "Font1Click", "Modify &Font...", "Modify &font...", "Change font", "", true, false, TMenu::Tools, kPopupBar, false},
    {ForceLineDraws, "Forcelinedraws1Click", "Force &linedraws", "", "Force linedraw", "", true, true, TMenu::Tools, kButtonBar, false},
    {RearrangeTabs, "Rearrangetabs1Click", "&Rearrange tabs...", "", "", "", true, false, TMenu::Tools, 0, true},
    {QuickRunScript, "Quickrunascript1Click", "&Quick run a script...", "", "", "", false, false, TMenu::Tools, kPopup, false},
    {LogToFile, "Logtofile1Click", "Log &to file", "", "Log to file", "", true, true, TMenu::Tools, kButtonBar, false},
    {FtpClient, "StartFTPclient1Click", "FTP cl&ient...", "", "", "", false, false, TMenu::Tools, 0, true},
    {FtpServer, "StartFTPserver1Click", "Start FTP &server...", "", "", "", false, false, TMenu::Tools, 0, false},
    {NextTab, "Nexttab1Click", "&Next tab", "", "", "", true, false, TMenu::Tools, 0, true},
    {PreviousTab, "Previoustab1Click", "&Previous tab", "", "", "", true, false, TMenu::Tools, 0, false},
    // Not in the main menu: the pop-up menu and the button bar
    {Detach, "Detach1Click", "De&tach", "", "Detach current", "", true, false, TMenu::None, kPopupBar, false},
    // &Help
    {Contents, "Contents1Click", "&Contents...", "", "Help", "", false, false, TMenu::Help, kButtonBar, false},
    {Index, "Index1Click", "&Index...", "", "", "", false, false, TMenu::Help, 0, false},
    {ScriptingHelp, "Scriptinghelp1Click", "&Scripting help...", "", "", "", false, false, TMenu::Help, 0, false},
    {NewsPage, "Newspage1Click", "&Ondrix news page...", "", "", "", false, false, TMenu::Help, 0, true},
    {About, "About1Click", "&About...", "", "", "", false, false, TMenu::Help, 0, true},
}};

constexpr CommandId kSeparator = Count_;

constexpr std::array kPopupOrder{
    Copy,        Paste,      kSeparator,   Reconnect,     Disconnect,     Detach,
    kSeparator,  ModifyColors, ModifyFont, kSeparator,    QuickRunScript, kSeparator,
    ConnectionManager, PaletteManager, KeylistManager, EventManager, ScriptManager, AddinManager,
};

constexpr std::array kButtonBarOrder{
    QuickConnect, Reconnect,  Disconnect,   kSeparator,   PrintScreen,    PrinterFont,
    SetupPrinter, EjectPrinterPage, kSeparator, ConnectionDefaults, kSeparator, Copy,
    Paste,        SendBreak,  ResetTerminal, kSeparator,  ModifyColors,   ModifyFont,
    ForceLineDraws, LogToFile, kSeparator,  Detach,       kSeparator,     Contents,
};

// Each command appears exactly once, and a command of a bar lists that bar among its places.
constexpr bool tableIsComplete() {
  std::array<int, kCommandCount> seen{};
  for (const TCommand& c : kCommands) ++seen[static_cast<int>(c.Id)];
  for (int n : seen)
    if (n != 1) return false;
  return true;
}
constexpr const TCommand& find(CommandId id) {
  for (const TCommand& c : kCommands)
    if (c.Id == id) return c;
  return kCommands[0];
}
// An order lists exactly the commands that have `place`, each once.
template <std::size_t N>
constexpr bool orderMatches(const std::array<CommandId, N>& order, std::uint8_t place) {
  int listed = 0;
  for (CommandId id : order) {
    if (id == kSeparator) continue;
    if ((find(id).Places & place) == 0) return false;
    ++listed;
  }
  int placed = 0;
  for (const TCommand& c : kCommands)
    if (c.Places & place) ++placed;
  return listed == placed;
}
static_assert(tableIsComplete(), "every command appears once in the table");
static_assert(orderMatches(kPopupOrder, kPopup), "the pop-up order lists the pop-up commands");
static_assert(orderMatches(kButtonBarOrder, kButtonBar), "the button bar order lists the button bar commands");

// Lookup by id, built once from the table.
constexpr std::array<std::uint8_t, kCommandCount> makeIndex() {
  std::array<std::uint8_t, kCommandCount> index{};
  for (std::size_t i = 0; i < kCommands.size(); ++i) index[static_cast<int>(kCommands[i].Id)] = static_cast<std::uint8_t>(i);
  return index;
}
constexpr auto kIndex = makeIndex();

}  // namespace

std::span<const TCommand> commandTable() { return kCommands; }

const TCommand& command(CommandId id) { return kCommands[kIndex[static_cast<int>(id)]]; }

std::span<const CommandId> popupOrder() { return kPopupOrder; }

std::span<const CommandId> buttonBarOrder() { return kButtonBarOrder; }

}  // namespace ondrix::shell
