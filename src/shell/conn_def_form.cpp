#include "shell/conn_def_form.h"

#include <utility>

#include "shell/conn_dialog_rules.h"

namespace ondrix::shell {

namespace {

// The option keys in the order of the check boxes (the defaults have no SendWindowSize).
constexpr std::array<std::string_view, 5> kOptionKeys = {"AddCR", "AddLF", "LocalEcho",
                                                         "Monochrome", "ForceLineDraw"};
constexpr std::array<std::string_view, 10> kColourKeys = {
    "DefNormalFore",    "DefNormalBack",    "DefHighFore",  "DefHighBack",  "DefUnderlineFore",
    "DefUnderlineBack", "DefBlinkFore",     "DefBlinkBack", "DefReverseFore", "DefReverseBack"};

}  // namespace

TConnDefForm::TConnDefForm(TConnSettingsView& view, std::string dataFolder)
    : view_(view), dataFolder_(std::move(dataFolder)), defaults_(dataFolder_) {}

void TConnDefForm::FormShow() {
  defaults_.Open();
  showPaletteAndKeyLists(view_, dataFolder_);
  TConnFieldValues v;
  v.PaletteIndex = defaults_.ReadInteger("PaletteNo");
  v.KeyListIndex = defaults_.ReadInteger("KeyListNo");
  v.Port = std::to_string(defaults_.ReadInteger("Port"));
  v.Lines = std::to_string(defaults_.ReadInteger("Lines"));
  v.Columns = std::to_string(defaults_.ReadInteger("Columns"));
  for (std::size_t i = 0; i < kOptionKeys.size(); ++i)
    v.Options[i] = defaults_.ReadBoolean(kOptionKeys[i]);
  v.Break = defaults_.ReadText("Break");
  v.Reset = defaults_.ReadText("Reset");
  v.EmulationIndex = defaultsEmulationIndex(defaults_.ReadText("Emulation"));
  view_.ShowValues(v);
}

void TConnDefForm::OkBtnClick() {
  const TConnFieldValues v = view_.Values();
  defaults_.WriteInteger("PaletteNo",
                         chosenNumber(v.PaletteIndex, defaults_.ReadInteger("PaletteNo")));
  defaults_.WriteInteger("KeyListNo",
                         chosenNumber(v.KeyListIndex, defaults_.ReadInteger("KeyListNo")));
  defaults_.WriteInteger("Port", numberOr(v.Port, kFallbackPort));
  defaults_.WriteText("Emulation", emulationName(v.EmulationIndex));
  defaults_.WriteInteger("Columns", checkedColumns(v.Columns));
  defaults_.WriteInteger("Lines", checkedLines(v.Lines));
  for (std::size_t i = 0; i < kOptionKeys.size(); ++i)
    defaults_.WriteBoolean(kOptionKeys[i], v.Options[i]);
  defaults_.WriteText("Break", cutText(v.Break));
  defaults_.WriteText("Reset", cutText(v.Reset));
}

void TConnDefForm::Button3Click() {
  // All zeros (palette 0) but the ten colours, which come from their keys.
  store::ConnectionRecord colours;
  const auto fields = colourFields(colours);
  for (std::size_t i = 0; i < kColourKeys.size(); ++i)
    *fields[i] = defaults_.ReadInteger(kColourKeys[i]);
  std::optional<store::ConnectionRecord> edited = view_.EditTextColors(colours);
  if (!edited) return;
  const auto chosen = colourFields(*edited);
  for (std::size_t i = 0; i < kColourKeys.size(); ++i)
    defaults_.WriteInteger(kColourKeys[i], *chosen[i]);
}

void TConnDefForm::Button5Click() {
  const TFontChoice current{defaults_.ReadText("FontName"), defaults_.ReadInteger("FontSize"),
                            defaults_.ReadBoolean("FontBold"), defaults_.ReadBoolean("FontItalic"),
                            defaults_.ReadBoolean("FontUnderline")};
  const std::optional<TFontChoice> font = view_.ChooseFixedFont(current);
  if (!font) return;
  defaults_.WriteText("FontName", cutText(font->Name));
  defaults_.WriteInteger("FontSize", font->Size);
  defaults_.WriteBoolean("FontUnderline", font->Underline);
  defaults_.WriteBoolean("FontBold", font->Bold);
  defaults_.WriteBoolean("FontItalic", font->Italic);
}

void TConnDefForm::FormClose() { defaults_.Close(); }

}  // namespace ondrix::shell
