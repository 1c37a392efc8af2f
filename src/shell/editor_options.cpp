#include "shell/editor_options.h"

#include <charconv>
#include <exception>

#include "platform/services.h"
#include "store/stores/stored_values.h"

namespace ondrix::shell {

namespace {

std::string colorKey(int style) {
  return "Color." + std::string(scriptStyleName(static_cast<ScriptStyle>(style)));
}

void readInt(store::StoredValues& values, std::string_view name, int low, int high, int& field) {
  const std::string text = values.GetValue(kEditorOptionsSection, name);
  int number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error == std::errc() && end == text.data() + text.size() && number >= low && number <= high) field = number;
}

void readColor(store::StoredValues& values, std::string_view name, std::uint32_t& field) {
  parseColorText(values.GetValue(kEditorOptionsSection, name), field);
}

}  // namespace

std::string colorText(std::uint32_t rgb) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text = "#";
  for (int shift = 20; shift >= 0; shift -= 4) text += kDigits[(rgb >> shift) & 0xF];
  return text;
}

bool parseColorText(std::string_view text, std::uint32_t& rgb) {
  if (text.size() != 7 || text.front() != '#') return false;
  std::uint32_t value = 0;
  const auto [end, error] = std::from_chars(text.data() + 1, text.data() + text.size(), value, 16);
  if (error != std::errc() || end != text.data() + text.size()) return false;
  rgb = value;
  return true;
}

TScriptEditorOptions loadEditorOptions(const std::string& dataFolder) {
  TScriptEditorOptions options;
  try {
    store::StoredValues values(dataFolder);
    if (std::string font = values.GetValue(kEditorOptionsSection, "FontName"); !font.empty())
      options.FontName = std::move(font);
    readInt(values, "FontSize", TScriptEditorOptions::kMinFontSize, TScriptEditorOptions::kMaxFontSize,
            options.FontSize);
    readInt(values, "TabWidth", TScriptEditorOptions::kMinTabWidth, TScriptEditorOptions::kMaxTabWidth,
            options.TabWidth);
    const std::string lineNumbers = values.GetValue(kEditorOptionsSection, "LineNumbers");
    if (lineNumbers == "0" || lineNumbers == "1") options.LineNumbers = lineNumbers == "1";
    readColor(values, "Background", options.Background);
    for (int style = 0; style < kScriptStyleCount; ++style)
      readColor(values, colorKey(style), options.Colors[static_cast<std::size_t>(style)]);
  } catch (const std::exception& e) {
    platform::services().trace->write(std::string("Script editor options not read: ") + e.what());
    return TScriptEditorOptions{};
  }
  return options;
}

void saveEditorOptions(const std::string& dataFolder, const TScriptEditorOptions& options) {
  store::StoredValues values(dataFolder);
  values.SetValue(kEditorOptionsSection, "FontName", options.FontName);
  values.SetValue(kEditorOptionsSection, "FontSize", std::to_string(options.FontSize));
  values.SetValue(kEditorOptionsSection, "TabWidth", std::to_string(options.TabWidth));
  values.SetValue(kEditorOptionsSection, "LineNumbers", options.LineNumbers ? "1" : "0");
  values.SetValue(kEditorOptionsSection, "Background", colorText(options.Background));
  for (int style = 0; style < kScriptStyleCount; ++style)
    values.SetValue(kEditorOptionsSection, colorKey(style), colorText(options.Colors[static_cast<std::size_t>(style)]));
}

}  // namespace ondrix::shell
