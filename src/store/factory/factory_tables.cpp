#include "store/factory/factory_tables.h"

#include <algorithm>

namespace ondrix::store {
namespace {

// Colour index order of the screen: black, red, green, brown, blue, magenta, cyan, light grey,
// then the bright forms (dark grey ... white).
constexpr FactoryPalette kPalettes[] = {
    {"Default",
     {0x00000000, 0x000000AA, 0x0000AA00, 0x000055AA, 0x00AA0000, 0x00AA00AA, 0x00AAAA00,
      0x00AAAAAA, 0x00555555, 0x005555FF, 0x0055FF55, 0x0055FFFF, 0x00FF5555, 0x00FF55FF,
      0x00FFFF55, 0x00FFFFFF}},
    // Monochrome palettes: each colour becomes a shade of one phosphor by its brightness, lifted
    // so that no colour but black disappears.
    {"Green screen",
     {0x00000000, 0x00177317, 0x001E941E, 0x001E951E, 0x00135D13, 0x001A801A, 0x0020A220,
      0x0027C527, 0x001C8A1C, 0x0023AD23, 0x0029CF29, 0x0030F230, 0x001E981E, 0x0025BB25,
      0x002CDC2C, 0x0033FF33}},
    {"Amber",
     {0x00000000, 0x00004F73, 0x00006694, 0x00006795, 0x0000405D, 0x00005880, 0x000070A2,
      0x000088C5, 0x00005F8A, 0x000077AD, 0x00008FCF, 0x0000A7F2, 0x00006998, 0x000081BB,
      0x000098DC, 0x0000B0FF}},
};

// Joins key tables at compile time, so shared groups of keys are written once.
template <std::size_t... N>
constexpr auto join(const std::array<FactoryKey, N>&... parts) {
  std::array<FactoryKey, (N + ...)> out{};
  std::size_t at = 0;
  ((std::copy(parts.begin(), parts.end(), out.begin() + at), at += N), ...);
  return out;
}

constexpr std::array<FactoryKey, 4> kCursorKeys{
    {{"UP", "\\e[A"}, {"DOWN", "\\e[B"}, {"RIGHT", "\\e[C"}, {"LEFT", "\\e[D"}}};
constexpr std::array<FactoryKey, 2> kCommonKeys{{{"SHIFT+TAB", "\\e[Z"}, {"KPENTER", "^M"}}};
constexpr std::array<FactoryKey, 6> kNumberedEditingKeys{
    {{"HOME", "\\e[1~"}, {"INS", "\\e[2~"}, {"DEL", "\\e[3~"}, {"END", "\\e[4~"},
     {"PGUP", "\\e[5~"}, {"PGDN", "\\e[6~"}}};
constexpr std::array<FactoryKey, 4> kPfKeys{
    {{"F1", "\\eOP"}, {"F2", "\\eOQ"}, {"F3", "\\eOR"}, {"F4", "\\eOS"}}};
constexpr std::array<FactoryKey, 7> kNumberedF6ToF12{
    {{"F6", "\\e[17~"}, {"F7", "\\e[18~"}, {"F8", "\\e[19~"}, {"F9", "\\e[20~"},
     {"F10", "\\e[21~"}, {"F11", "\\e[23~"}, {"F12", "\\e[24~"}}};

// What today's hosts read whatever terminal type they were told: the editing keypad and function
// keys in the numbered form, PF1-PF4 on F1-F4.
constexpr auto kDefaultKeys =
    join(kCursorKeys, kNumberedEditingKeys, kPfKeys,
         std::array<FactoryKey, 1>{{{"F5", "\\e[15~"}}}, kNumberedF6ToF12, kCommonKeys);

// ANSI console hosts: lettered function keys and navigation keys, DEL for Delete.
constexpr auto kAnsiKeys = join(
    kCursorKeys,
    std::array<FactoryKey, 18>{{{"HOME", "\\e[H"}, {"END", "\\e[F"}, {"PGUP", "\\e[I"},
                                {"PGDN", "\\e[G"}, {"INS", "\\e[L"}, {"DEL", "\x7f"},
                                {"F1", "\\e[M"}, {"F2", "\\e[N"}, {"F3", "\\e[O"},
                                {"F4", "\\e[P"}, {"F5", "\\e[Q"}, {"F6", "\\e[R"},
                                {"F7", "\\e[S"}, {"F8", "\\e[T"}, {"F9", "\\e[U"},
                                {"F10", "\\e[V"}, {"F11", "\\e[W"}, {"F12", "\\e[X"}}},
    kCommonKeys);

// VT100 hosts: PF1-PF4 on F1-F4, the keypad function codes on F5-F10, DEL for Delete; the
// editing keys in the numbered form most hosts also read.
constexpr auto kVt100Keys = join(
    kCursorKeys, kPfKeys,
    std::array<FactoryKey, 12>{{{"F5", "\\eOt"}, {"F6", "\\eOu"}, {"F7", "\\eOv"},
                                {"F8", "\\eOl"}, {"F9", "\\eOw"}, {"F10", "\\eOx"},
                                {"HOME", "\\e[1~"}, {"INS", "\\e[2~"}, {"DEL", "\x7f"},
                                {"END", "\\e[4~"}, {"PGUP", "\\e[5~"}, {"PGDN", "\\e[6~"}}},
    kCommonKeys);

// VT220 hosts: Find, Insert, Remove, Select, Prev, Next on the editing keys, PF1-PF4 on F1-F4,
// F6-F12 in the numbered form (the VT220 has no F5 for the host).
constexpr auto kVt220Keys =
    join(kCursorKeys, kNumberedEditingKeys, kPfKeys, kNumberedF6ToF12, kCommonKeys);

constexpr FactoryKeylist kKeylists[] = {
    {"Default", kDefaultKeys}, {"ANSI", kAnsiKeys}, {"VT100", kVt100Keys}, {"VT220", kVt220Keys}};

// Colour indices count from 1: 1 black, 8 light grey, 12 bright red... 16 white.
constexpr FactoryDefaultInt kInts[] = {
    {"Port", 23},          {"Lines", 25},           {"Columns", 80},
    {"PaletteNo", 0},      {"KeyListNo", 0},        {"FontSize", 12},
    {"DefNormalFore", 8},  {"DefNormalBack", 1},    {"DefHighFore", 16},
    {"DefHighBack", 1},    {"DefUnderlineFore", 12}, {"DefUnderlineBack", 1},
    {"DefBlinkFore", 14},  {"DefBlinkBack", 1},     {"DefReverseFore", 1},
    {"DefReverseBack", 8},
};

constexpr FactoryDefaultText kTexts[] = {
    {"Emulation", "VT100"}, {"FontName", "Terminal"}, {"Break", ""}, {"Reset", ""}};

constexpr FactoryDefaultBool kBools[] = {
    {"AddCR", false},     {"AddLF", false},    {"LocalEcho", false},   {"Monochrome", false},
    {"ForceLineDraw", false}, {"FontBold", false}, {"FontItalic", false}, {"FontUnderline", false}};

}  // namespace

std::span<const FactoryPalette> factoryPalettes() { return kPalettes; }
std::span<const FactoryKeylist> factoryKeylists() { return kKeylists; }
std::span<const FactoryDefaultInt> factoryDefaultInts() { return kInts; }
std::span<const FactoryDefaultText> factoryDefaultTexts() { return kTexts; }
std::span<const FactoryDefaultBool> factoryDefaultBools() { return kBools; }

}  // namespace ondrix::store
