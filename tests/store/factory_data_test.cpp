#include "store/stores/factory_data.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "store/factory/scan_codes.h"
#include "store/stores/con_db_fcns.h"
#include "store/stores/def_db_fcns.h"
#include "store/stores/key_db_fcns.h"
#include "store/stores/pal_db_fcns.h"
#include "store_fixture.h"

namespace ondrix::store {
namespace {

using Names = std::vector<std::string>;

TEST_F(DataFolderTest, CreatesEachMissingFactoryFileOnce) {
  const std::string nested = folder() + "deep/DATA/";
  EXPECT_EQ(createFactoryData(nested),
            (Names{"PALETTES.QDB", "KEYS.QDB", "SCANCODES.QDB", "DEFAULTS.QDB"}));
  EXPECT_TRUE(createFactoryData(nested).empty());

  // A file the user has is never replaced.
  std::filesystem::remove(nested + "KEYS.QDB");
  PalDBFcns pal(nested);
  pal.Open();
  pal.Delete(1);
  pal.Close();
  EXPECT_EQ(createFactoryData(nested), (Names{"KEYS.QDB"}));
  pal.Open();
  EXPECT_EQ(pal.ListNames(), (Names{"Default", "Amber"}));
  pal.Close();
}

TEST_F(DataFolderTest, DefaultPaletteHoldsTheClassicColoursInScreenOrder) {
  createFactoryData(folder());
  PalDBFcns pal(folder());
  pal.Open();
  const PaletteRecord p = pal.Read(0);
  EXPECT_EQ(p.Name, "Default");
  EXPECT_EQ(p.Colors[0], 0x00000000u);   // black
  EXPECT_EQ(p.Colors[1], 0x000000AAu);   // red: low byte
  EXPECT_EQ(p.Colors[4], 0x00AA0000u);   // blue: third byte
  EXPECT_EQ(p.Colors[7], 0x00AAAAAAu);   // light grey
  EXPECT_EQ(p.Colors[15], 0x00FFFFFFu);  // white
  EXPECT_GE(pal.ListNames().size(), 3u);
  pal.Close();
}

TEST_F(DataFolderTest, NativeKeylistsDefineTheNavigationAndFunctionKeys) {
  createFactoryData(folder());
  KeyDBFcns keys(folder());
  keys.Open();
  EXPECT_EQ(keys.ListNames(), (Names{"Default", "ANSI", "VT100", "VT220"}));
  const auto find = [](const TKeyItem& list, const std::string& label) -> const KeyEntry* {
    for (const KeyEntry& e : list.Entries)
      if (e.KeyLabel == label) return &e;
    return nullptr;
  };
  struct Case {
    int keylist;
    const char* label;
    const char* text;
    int scan;
    bool extended;
    bool shift;
  };
  const Case cases[] = {
      {2, "UP", "\\e[A", 72, true, false},     {2, "F1", "\\eOP", 59, false, false},
      {2, "F4", "\\eOS", 62, false, false},    {3, "HOME", "\\e[1~", 71, true, false},
      {3, "PGDN", "\\e[6~", 81, true, false},  {3, "F6", "\\e[17~", 64, false, false},
      {3, "F12", "\\e[24~", 88, false, false}, {1, "F1", "\\e[M", 59, false, false},
      {0, "DEL", "\\e[3~", 83, true, false},   {0, "SHIFT+TAB", "\\e[Z", 15, false, true},
      {0, "KPENTER", "^M", 28, true, false},   {2, "DEL", "\x7f", 83, true, false},
  };
  for (const Case& c : cases) {
    const TKeyItem list = keys.Read(c.keylist);
    const KeyEntry* e = find(list, c.label);
    ASSERT_NE(e, nullptr) << c.keylist << " " << c.label;
    EXPECT_EQ(e->SendText, c.text) << c.label;
    EXPECT_EQ(e->ScanCode, c.scan) << c.label;
    EXPECT_EQ(e->ExtendedKey, c.extended) << c.label;
    EXPECT_EQ(e->ShiftKey, c.shift) << c.label;
  }
  // Every entry of every keylist names a known key.
  for (int k = 0; k < 4; ++k)
    for (const KeyEntry& e : keys.Read(k).Entries) EXPECT_NE(e.ScanCode, 255) << e.KeyLabel;
  keys.Close();
}

TEST_F(DataFolderTest, ScanCodeFileAnswersEveryNameCaseInsensitively) {
  createFactoryData(folder());
  KeyDBFcns keys(folder());
  for (const ScanCodeName& s : factoryScanCodes()) EXPECT_EQ(keys.LookupScanCode(s.name), s.value);
  EXPECT_EQ(keys.LookupScanCode("kp8"), 72);
  EXPECT_EQ(keys.LookupScanCode("pgdn"), 181);
  EXPECT_EQ(keys.LookupScanCode("NOKEY"), -1);
}

TEST_F(DataFolderTest, FactoryDefaultsSeedAUsableConnection) {
  createFactoryData(folder());
  DefDBFcns defs(folder());
  ConDBFcns con(folder());
  defs.Open();
  con.Open();
  const ConnectionRecord r = con.AddNew(defs);
  con.Close();
  defs.Close();
  EXPECT_EQ(r.Port, 23);
  EXPECT_EQ(r.Emulation, "VT100");
  EXPECT_EQ(r.Lines, 25);
  EXPECT_EQ(r.Columns, 80);
  EXPECT_EQ(r.PaletteNo, 0);
  EXPECT_EQ(r.KeyListNo, 0);
  EXPECT_EQ((std::vector<int>{r.DefNormalFore, r.DefNormalBack, r.DefHighFore, r.DefHighBack,
                              r.DefUnderlineFore, r.DefUnderlineBack, r.DefBlinkFore,
                              r.DefBlinkBack, r.DefReverseFore, r.DefReverseBack}),
            (std::vector<int>{8, 1, 16, 1, 12, 1, 14, 1, 1, 8}));
  EXPECT_EQ(r.FontName, "Terminal");
  EXPECT_EQ(r.FontSize, 12);
  EXPECT_FALSE(r.FontBold || r.LocalEcho || r.AddCR || r.Monochrome);
  EXPECT_EQ(r.Break, "");
}

}  // namespace
}  // namespace ondrix::store
