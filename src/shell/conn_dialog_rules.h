#pragma once
// What the connection dialogs share: the main-window hooks they call, the rules for the numeric
// fields (fall-backs and the screen size limits with their messages), the emulation choices, the
// font fields of a record, and adding a connection seeded from the defaults.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "shell/main_form_view.h"
#include "store/records/connection_record.h"

namespace ondrix::store {
class ConDBFcns;
}

namespace ondrix::shell {

// What the dialogs ask of the main window.
struct TConnectionHooks {
  std::function<void()> BuildConnectMenu;  // rebuild the "Connect" submenu
  std::function<void(int)> OpenSession;    // open connection number `index` in a new tab
};

inline constexpr std::int32_t kFallbackPort = 23;
inline constexpr std::int32_t kFallbackLines = 25;
inline constexpr std::int32_t kFallbackColumns = 80;
inline constexpr int kMaxTextLength = 255;  // Host, Break, Reset and a new name

// The emulations in the order of the radio group.
inline constexpr std::array<std::string_view, 3> kEmulationNames = {"ANSI", "VT100", "VT220"};
// The radio button of a stored emulation: the editor takes anything unknown as VT220, the
// defaults dialog as ANSI.
int editorEmulationIndex(std::string_view emulation);
int defaultsEmulationIndex(std::string_view emulation);
// The name of radio button `index` (ANSI when none is checked).
std::string emulationName(int index);

// A decimal number as typed (blanks around it allowed, an optional sign), or nothing when the
// text is not a number that fits in 32 bits.
std::optional<std::int32_t> parseNumber(std::string_view text);
std::int32_t numberOr(std::string_view text, std::int32_t fallback);

// The screen size fields: not a number gives the fall-back silently; out of range tells the user
// (an information box) and gives the nearest limit. Lines 12-99, columns 12-199.
std::int32_t checkedLines(std::string_view text);
std::int32_t checkedColumns(std::string_view text);

// Shows an information box with an OK button (the platform's dialogs).
void inform(std::string_view text);
// Text longer than the fields take is cut.
std::string cutText(std::string_view text, std::size_t room = kMaxTextLength);

// The five font fields of a record as the font dialog knows them, and back.
TFontChoice fontOf(const store::ConnectionRecord& record);
void setFont(store::ConnectionRecord& record, const TFontChoice& font);

// The ten colour fields in the order the record stores them.
std::array<std::int32_t*, 10> colourFields(store::ConnectionRecord& record);

// Adds connection number Count() to the open book: the fields with defaults take them from
// DEFAULTS.QDB in `dataFolder`, Emulation cut to five characters, the name "New connection " + the
// number, an empty host; `adjust` may then change it before it is stored. Returns the stored
// record.
store::ConnectionRecord addSeededConnection(
    store::ConDBFcns& book, const std::string& dataFolder,
    const std::function<void(store::ConnectionRecord&)>& adjust = {});

}  // namespace ondrix::shell

namespace ondrix::shell {

class TConnSettingsView;

// Fills the palette and keylist lists of a settings dialog from PALETTES.QDB and KEYS.QDB.
void showPaletteAndKeyLists(TConnSettingsView& view, const std::string& dataFolder);
// The number stored for a list choice: the chosen position, or `current` when nothing is chosen.
std::int32_t chosenNumber(int index, std::int32_t current);

}  // namespace ondrix::shell
