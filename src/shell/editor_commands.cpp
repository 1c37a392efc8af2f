#include "shell/editor_commands.h"

#include <array>

namespace ondrix::shell {
namespace {

using enum EditorCommand;
constexpr EditorCommand kSep = kEditorSeparator;

constexpr std::array<TEditorCommand, kEditorCommandCount> kCommands{{
    {NewScript, "&New script", "", "New script", "F5", false},
    {OpenScript, "&Open script...", "", "Open script", "F3", false},
    {SaveScript, "&Save", "&Save script", "Save", "F2", true},
    {SaveScriptAs, "Save &as...", "", "", "Ctrl+S", true},
    {CloseScript, "&Close script", "C&lose page", "Close script", "F10", true},
    {PrintScript, "&Print script...", "", "Print", "Ctrl+P", true},
    {ExitManager, "E&xit script manager", "", "", "Ctrl+F10", false},
    {ImportScript, "&Import script from file...", "", "Import script from file", "F2", false},
    {SaveAndExit, "&Save and exit", "", "", "F10", false},
    {ExitWithoutSaving, "&Exit without saving", "", "", "", false},
    {Undo, "&Undo", "", "", "Ctrl+Z", true},
    {Redo, "&Redo", "", "", "Ctrl+Y", true},
    {Cut, "Cu&t", "", "Cut", "Ctrl+X", true},
    {Copy, "&Copy", "", "Copy", "Ctrl+C", true},
    {Paste, "&Paste", "", "Paste", "Ctrl+V", true},
    {Find, "&Find...", "", "", "Ctrl+F", true},
    {FindNext, "Find &next", "", "", "Ctrl+L", true},
    {Replace, "R&eplace...", "", "", "Ctrl+R", true},
    {EditorOptions, "Editor &options...", "", "", "", false},
    {RunScript, "&Run script...", "", "Run script", "F9", true},
    {CheckScript, "&Check script", "", "", "Ctrl+F9", true},
    {HelpContents, "&Contents...", "", "Help", "F1", false},
    {HelpIndex, "&Index...", "", "", "", false},
}};

constexpr bool tableInEnumOrder() {
  for (std::size_t i = 0; i < kCommands.size(); ++i)
    if (static_cast<std::size_t>(kCommands[i].Id) != i) return false;
  return true;
}
static_assert(tableInEnumOrder(), "the command table follows the order of EditorCommand");

constexpr std::array kEditItems{Undo, Redo, kSep, Cut, Copy, Paste, kSep, Find, FindNext, Replace, kSep, EditorOptions};

constexpr std::array kManagerFile{NewScript, OpenScript, SaveScript, SaveScriptAs, CloseScript,
                                  kSep,      PrintScript, kSep,      ExitManager};
constexpr std::array kManagerRun{RunScript, CheckScript};
constexpr std::array kManagerHelp{HelpContents, HelpIndex};
constexpr std::array kManagerMenus{
    TEditorMenu{"&File", kManagerFile},
    TEditorMenu{"&Edit", kEditItems},
    TEditorMenu{"&Run", kManagerRun},
    TEditorMenu{"&Help", kManagerHelp},
};
constexpr std::array kManagerPopup{NewScript, OpenScript, SaveScript, SaveScriptAs, CloseScript, kSep, Cut, Copy, Paste};
constexpr std::array kManagerToolbar{NewScript, OpenScript, SaveScript, CloseScript, kSep, PrintScript, kSep, Cut,
                                     Copy,      Paste,      kSep,       RunScript,   kSep, HelpContents};

constexpr std::array kEventFile{ImportScript, CheckScript, kSep, SaveAndExit, ExitWithoutSaving};
constexpr std::array kEventMenus{
    TEditorMenu{"&File", kEventFile},
    TEditorMenu{"&Edit", kEditItems},
};
constexpr std::array kEventPopup{SaveAndExit, ExitWithoutSaving, kSep, Cut, Copy, Paste};
constexpr std::array kEventToolbar{Paste, Copy, Cut, ImportScript};

constexpr TEditorWindowLayout kManagerLayout{kManagerMenus, kManagerPopup, kManagerToolbar};
constexpr TEditorWindowLayout kEventLayout{kEventMenus, kEventPopup, kEventToolbar};

}  // namespace

std::span<const TEditorCommand> editorCommandTable() { return kCommands; }
const TEditorCommand& editorCommand(EditorCommand id) { return kCommands.at(static_cast<std::size_t>(id)); }
const TEditorWindowLayout& scriptManagerLayout() { return kManagerLayout; }
const TEditorWindowLayout& eventEditorLayout() { return kEventLayout; }

}  // namespace ondrix::shell
