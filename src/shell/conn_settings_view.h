#pragma once
// The controls the connection editor and the connection defaults dialog have in common, as their
// models see them: the texts of the edit fields, the positions chosen in the palette and keylist
// lists, the emulation radio button and the option check boxes, plus the two dialogs they open.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "shell/main_form_view.h"
#include "store/records/connection_record.h"

namespace ondrix::shell {

// The option check boxes in the order they are shown (the defaults dialog has no SendWindowSize).
enum TConnOption { kAddCR, kAddLF, kLocalEcho, kMonochrome, kForceLineDraw, kSendWindowSize };
inline constexpr int kConnOptionCount = 6;

struct TConnFieldValues {
  std::string Host;  // the editor only
  std::string Port;
  std::string Break;
  std::string Reset;
  std::string Lines;
  std::string Columns;
  int PaletteIndex = -1;  // -1: nothing chosen
  int KeyListIndex = -1;
  int EmulationIndex = 0;  // into kEmulationNames
  std::array<bool, kConnOptionCount> Options{};

  bool operator==(const TConnFieldValues&) const = default;
};

class TConnSettingsView {
 public:
  virtual ~TConnSettingsView() = default;
  // The names of the palettes and the keylists, in stored order.
  virtual void SetLists(const std::vector<std::string>& palettes,
                        const std::vector<std::string>& keyLists) = 0;
  virtual void ShowValues(const TConnFieldValues& values) = 0;
  virtual TConnFieldValues Values() const = 0;
  // The connection text colour dialog on `record` (only PaletteNo and the ten colours matter);
  // the edited copy, or nothing when cancelled.
  virtual std::optional<store::ConnectionRecord> EditTextColors(
      const store::ConnectionRecord& record) = 0;
  // The font dialog limited to fixed-pitch fonts, with effects.
  virtual std::optional<TFontChoice> ChooseFixedFont(const TFontChoice& current) = 0;
};

}  // namespace ondrix::shell
