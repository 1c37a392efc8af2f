#include "store/stores/factory_data.h"

#include <filesystem>
#include <utility>

#include "store/factory/factory_tables.h"
#include "store/factory/scan_codes.h"
#include "store/records/palette_record.h"
#include "store/records/record_bytes.h"
#include "store/stores/def_db_fcns.h"
#include "store/stores/key_db_fcns.h"
#include "store/stores/pal_db_fcns.h"
#include "store/stores/record_file.h"

namespace ondrix::store {
namespace {

using Items = std::vector<std::pair<std::string, std::string>>;

std::int32_t factoryScanCode(std::string_view name) {
  for (const ScanCodeName& s : factoryScanCodes())
    if (s.name == name) return s.value;
  return -1;
}

Items paletteItems() {
  Items items;
  for (const FactoryPalette& f : factoryPalettes()) {
    PaletteRecord p;
    p.RecordNo = static_cast<std::int32_t>(items.size());
    p.Name = std::string(f.name);
    p.Colors = f.colors;
    items.emplace_back(numberKey(p.RecordNo), p.encode());
  }
  return items;
}

Items keylistItems() {
  Items items;
  for (const FactoryKeylist& f : factoryKeylists()) {
    TKeyItem k;
    k.RecordNo = static_cast<std::int32_t>(items.size());
    k.Name = std::string(f.name);
    for (const FactoryKey& key : f.keys)
      k.Entries.push_back(defineKeyEntry(key.label, key.sendText, factoryScanCode));
    items.emplace_back(numberKey(k.RecordNo), k.encode());
  }
  return items;
}

Items scanCodeItems() {
  Items items;
  for (const ScanCodeName& s : factoryScanCodes()) {
    std::string value;
    appendInt32(value, s.value);
    items.emplace_back(std::string(s.name), value);
  }
  return items;
}

Items defaultItems() {
  Items items;
  for (const FactoryDefaultInt& d : factoryDefaultInts()) {
    std::string value;
    appendInt32(value, d.value);
    items.emplace_back(std::string(d.name), value);
  }
  for (const FactoryDefaultBool& d : factoryDefaultBools()) {
    std::string value;
    appendInt32(value, d.value ? 1 : 0);
    items.emplace_back(std::string(d.name), value);
  }
  for (const FactoryDefaultText& d : factoryDefaultTexts()) {
    std::string value;
    appendCountedText(value, d.value);
    items.emplace_back(std::string(d.name), value);
  }
  return items;
}

}  // namespace

std::vector<std::string> createFactoryData(const std::string& dataFolder) {
  std::filesystem::create_directories(dataFolder);
  const std::pair<std::string_view, Items (*)()> files[] = {
      {PalDBFcns::kFileName, paletteItems},
      {KeyDBFcns::kFileName, keylistItems},
      {KeyDBFcns::kScanCodesFileName, scanCodeItems},
      {DefDBFcns::kFileName, defaultItems},
  };
  std::vector<std::string> created;
  for (const auto& [name, items] : files) {
    const std::string path = dataFolder + std::string(name);
    if (std::filesystem::exists(path)) continue;
    writeRecordFile(path, items());
    created.emplace_back(name);
  }
  return created;
}

}  // namespace ondrix::store
