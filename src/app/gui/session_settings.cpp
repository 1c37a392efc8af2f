#include "app/gui/session_settings.h"

#include <filesystem>
#include <string_view>

#include "store/factory/factory_tables.h"
#include "store/factory/scan_codes.h"
#include "store/stores/def_db_fcns.h"
#include "store/stores/key_db_fcns.h"
#include "store/stores/pal_db_fcns.h"

namespace ondrix::app {

namespace {

constexpr std::array<std::string_view, 10> kColourNames = {
    "DefNormalFore", "DefNormalBack",    "DefHighFore",  "DefHighBack",    "DefUnderlineFore",
    "DefUnderlineBack", "DefBlinkFore", "DefBlinkBack", "DefReverseFore", "DefReverseBack"};

bool exists(const std::string& folder, std::string_view file) {
  std::error_code ec;
  return std::filesystem::exists(std::filesystem::path(folder) / file, ec);
}

std::int32_t factoryScanCode(std::string_view name) {
  for (const store::ScanCodeName& s : store::factoryScanCodes())
    if (s.name == name) return s.value;
  return -1;
}

int factoryInt(std::string_view name) {
  for (const store::FactoryDefaultInt& d : store::factoryDefaultInts())
    if (d.name == name) return d.value;
  return 0;
}

void builtInPalette(SessionSettings& s) { s.palette = store::factoryPalettes()[0].colors; }

void builtInKeys(SessionSettings& s) {
  s.keys.clear();
  for (const store::FactoryKey& key : store::factoryKeylists()[0].keys)
    s.keys.push_back(store::defineKeyEntry(key.label, key.sendText, factoryScanCode));
}

void builtInColours(SessionSettings& s) {
  for (std::size_t i = 0; i < kColourNames.size(); ++i) s.colours[i] = factoryInt(kColourNames[i]);
}

}  // namespace

SessionSettings loadSessionSettings(const std::string& dataFolder) {
  SessionSettings s;
  builtInPalette(s);
  builtInKeys(s);
  builtInColours(s);
  try {
    if (exists(dataFolder, store::PalDBFcns::kFileName)) {
      store::PalDBFcns db(dataFolder);
      db.Open();
      const store::PaletteRecord p = db.Read(0);
      db.Close();
      if (p.RecordNo >= 0) s.palette = p.Colors;
    }
    if (exists(dataFolder, store::KeyDBFcns::kFileName)) {
      store::KeyDBFcns db(dataFolder);
      db.Open();
      s.keys = db.Read(0).Entries;
      db.Close();
    }
    if (exists(dataFolder, store::DefDBFcns::kFileName)) {
      store::DefDBFcns db(dataFolder);
      db.Open();
      for (std::size_t i = 0; i < kColourNames.size(); ++i) {
        const int v = db.ReadInteger(kColourNames[i]);
        if (v >= 1 && v <= 16) s.colours[i] = v;
      }
      db.Close();
    }
  } catch (const std::exception& e) {
    s.notes.push_back(std::string("Using the built-in settings: ") + e.what());
    builtInPalette(s);
    builtInKeys(s);
    builtInColours(s);
  }
  return s;
}

void applyPalette(session::TTnEmulVT& vt, const SessionSettings& s) {
  const auto& c = s.colours;
  vt.SetColors(c[0] - 1, c[1] - 1, c[2] - 1, c[3] - 1, c[4] - 1, c[5] - 1, c[6] - 1, c[7] - 1, c[8] - 1,
               c[9] - 1);
  for (int n = 1; n <= 16; ++n) vt.SetPaletteEntry(n, s.palette[static_cast<std::size_t>(n - 1)]);
}

void applyKeys(session::TTnEmulVT& vt, const SessionSettings& s) {
  for (const store::KeyEntry& k : s.keys)
    vt.AddKey(k.ScanCode, k.CtrlKey, k.SendText, k.ExtendedKey, k.ShiftKey, k.AltKey);
}

}  // namespace ondrix::app
