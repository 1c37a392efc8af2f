#include "shell/conn_dialog_rules.h"

#include <charconv>

#include "platform/services.h"
#include "shell/conn_settings_view.h"
#include "store/stores/con_db_fcns.h"
#include "store/stores/def_db_fcns.h"
#include "store/stores/key_db_fcns.h"
#include "store/stores/pal_db_fcns.h"

namespace ondrix::shell {

namespace {

constexpr std::int32_t kMinLines = 12;
constexpr std::int32_t kMaxLines = 99;
constexpr std::int32_t kMinColumns = 12;
constexpr std::int32_t kMaxColumns = 199;
constexpr std::size_t kEmulationRoom = 5;

std::string_view trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

int indexOf(std::string_view emulation, int otherwise) {
  for (std::size_t i = 0; i < kEmulationNames.size(); ++i)
    if (kEmulationNames[i] == emulation) return static_cast<int>(i);
  return otherwise;
}

// One screen dimension: the fall-back when the text is no number, else clamped to its limits with
// the message naming the limit that was applied.
std::int32_t checkedSize(std::string_view text, std::int32_t fallback, std::int32_t min,
                         std::int32_t max, std::string_view what) {
  const std::optional<std::int32_t> value = parseNumber(text);
  if (!value) return fallback;
  if (*value > max) {
    inform("Screen " + std::string(what) + " value too large, setting to " + std::to_string(max) +
           " (max)");
    return max;
  }
  if (*value < min) {
    inform("Screen " + std::string(what) + " value too small, setting to " + std::to_string(min) +
           " (min)");
    return min;
  }
  return *value;
}

}  // namespace

int editorEmulationIndex(std::string_view emulation) { return indexOf(emulation, 2); }

int defaultsEmulationIndex(std::string_view emulation) { return indexOf(emulation, 0); }

std::string emulationName(int index) {
  if (index < 0 || index >= static_cast<int>(kEmulationNames.size())) index = 0;
  return std::string(kEmulationNames[static_cast<std::size_t>(index)]);
}

std::optional<std::int32_t> parseNumber(std::string_view text) {
  text = trimmed(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  std::int32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

std::int32_t numberOr(std::string_view text, std::int32_t fallback) {
  return parseNumber(text).value_or(fallback);
}

std::int32_t checkedLines(std::string_view text) {
  return checkedSize(text, kFallbackLines, kMinLines, kMaxLines, "lines");
}

std::int32_t checkedColumns(std::string_view text) {
  return checkedSize(text, kFallbackColumns, kMinColumns, kMaxColumns, "columns");
}

void inform(std::string_view text) {
  platform::services().dialogs->messageBox(text, {}, platform::MessageStyle::Information,
                                           platform::MessageButtons::Ok);
}

std::string cutText(std::string_view text, std::size_t room) {
  return std::string(text.substr(0, room));
}

TFontChoice fontOf(const store::ConnectionRecord& record) {
  return {record.FontName, record.FontSize, record.FontBold, record.FontItalic,
          record.FontUnderline};
}

void setFont(store::ConnectionRecord& record, const TFontChoice& font) {
  record.FontName = cutText(font.Name);
  record.FontSize = font.Size;
  record.FontBold = font.Bold;
  record.FontItalic = font.Italic;
  record.FontUnderline = font.Underline;
}

std::array<std::int32_t*, 10> colourFields(store::ConnectionRecord& r) {
  return {&r.DefNormalFore,    &r.DefNormalBack,    &r.DefHighFore,  &r.DefHighBack,
          &r.DefUnderlineFore, &r.DefUnderlineBack, &r.DefBlinkFore, &r.DefBlinkBack,
          &r.DefReverseFore,   &r.DefReverseBack};
}

store::ConnectionRecord addSeededConnection(
    store::ConDBFcns& book, const std::string& dataFolder,
    const std::function<void(store::ConnectionRecord&)>& adjust) {
  store::DefDBFcns defaults(dataFolder);
  defaults.Open();
  const store::ConnectionRecord added = book.AddNew(defaults);
  defaults.Close();
  store::ConnectionRecord record = added;
  if (record.Emulation.size() > kEmulationRoom) record.Emulation.resize(kEmulationRoom);
  if (adjust) adjust(record);
  if (!(record == added)) book.Write(record.RecordNo, record);
  return record;
}

void showPaletteAndKeyLists(TConnSettingsView& view, const std::string& dataFolder) {
  store::PalDBFcns palettes(dataFolder);
  palettes.Open();
  const std::vector<std::string> paletteNames = palettes.ListNames();
  palettes.Close();
  store::KeyDBFcns keyLists(dataFolder);
  keyLists.Open();
  const std::vector<std::string> keyListNames = keyLists.ListNames();
  keyLists.Close();
  view.SetLists(paletteNames, keyListNames);
}

std::int32_t chosenNumber(int index, std::int32_t current) { return index < 0 ? current : index; }

}  // namespace ondrix::shell
