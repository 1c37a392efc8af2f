#pragma once
// The script text editor's options (font, tab width, line numbers, the colour of each style),
// kept in STORAGE.QDB under the section "ScriptEditor" with one value per option: "FontName",
// "FontSize", "TabWidth", "LineNumbers" ("1"/"0"), "Background" and "Color." + style name, colours
// written "#RRGGBB". A value that is missing or out of range reads as the default.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "shell/script_highlighter.h"

namespace ondrix::shell {

inline constexpr std::string_view kEditorOptionsSection = "ScriptEditor";

struct TScriptEditorOptions {
  static constexpr int kMinFontSize = 4;
  static constexpr int kMaxFontSize = 72;
  static constexpr int kMinTabWidth = 1;
  static constexpr int kMaxTabWidth = 16;

  std::string FontName = "Monospace";
  int FontSize = 10;
  int TabWidth = 2;
  bool LineNumbers = true;
  std::uint32_t Background = 0xFFFFFF;  // 0xRRGGBB
  std::array<std::uint32_t, kScriptStyleCount> Colors{
      0x000000,  // Default
      0x008000,  // Comment
      0x00007F,  // Keyword
      0x7F007F,  // Routine
      0x8B4513,  // Constant
      0xA31515,  // String
      0x0000FF,  // Number
      0xA31515,  // Character code
      0x000000,  // Operator
      0x000000,  // Identifier
  };

  std::uint32_t Color(ScriptStyle style) const { return Colors.at(static_cast<std::size_t>(style)); }

  bool operator==(const TScriptEditorOptions&) const = default;
};

// "#RRGGBB", and back (nothing when the text is not one).
std::string colorText(std::uint32_t rgb);
bool parseColorText(std::string_view text, std::uint32_t& rgb);

// Reads the options from STORAGE.QDB in `dataFolder`; the defaults when the file cannot be read
// (the editor's looks are not worth stopping a window for).
TScriptEditorOptions loadEditorOptions(const std::string& dataFolder);
// Writes every option; record file errors pass to the caller.
void saveEditorOptions(const std::string& dataFolder, const TScriptEditorOptions& options);

}  // namespace ondrix::shell
