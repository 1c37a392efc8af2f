#include "store/stores/key_db_fcns.h"

#include "store/records/record_bytes.h"

namespace ondrix::store {
namespace {

// Removes every occurrence of `modifier` from `text`; true when there was one.
bool takeModifier(std::string& text, std::string_view modifier) {
  bool found = false;
  for (auto at = text.find(modifier); at != std::string::npos; at = text.find(modifier)) {
    text.erase(at, modifier.size());
    found = true;
  }
  return found;
}

std::string upperCase(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

// A label split into its modifier flags and the key name, upper case.
struct Combination {
  bool ctrl;
  bool alt;
  bool shift;
  std::string keyName;
  bool operator==(const Combination&) const = default;
};

Combination splitLabel(std::string_view label) {
  Combination c{false, false, false, upperCase(label)};
  c.ctrl = takeModifier(c.keyName, "CTRL+");
  c.alt = takeModifier(c.keyName, "ALT+");
  c.shift = takeModifier(c.keyName, "SHIFT+");
  return c;
}

}  // namespace

TKeyItem KeyDBFcns::Read(int number) {
  if (const auto item = file_.Get(numberKey(number))) return TKeyItem::decode(*item);
  TKeyItem empty;
  empty.RecordNo = number;
  return empty;
}

void KeyDBFcns::Write(int number, const TKeyItem& keylist) {
  file_.Put(numberKey(number), keylist.encode());
}

std::vector<std::string> KeyDBFcns::ListNames() { return file_.ReadNames<TKeyItem>(); }

void KeyDBFcns::Delete(int number) {
  TQDB& db = file_.Db();
  if (!db.FindKey(numberKey(number))) return;
  db.DeleteItem();
  db.Pack();
  db.SaveIndex();
  file_.ReplaceWithNumbered(file_.ReadAll<TKeyItem>());
  db.Pack();
  db.SaveIndex();
}

std::int32_t KeyDBFcns::LookupScanCode(std::string_view keyName) {
  RecordFile scanCodes(folder_, kScanCodesFileName);
  scanCodes.Open();
  const auto item = scanCodes.Get(keyName);
  scanCodes.Close();
  return item ? RecordReader(*item).int32(0) : -1;
}

KeyEntry defineKeyEntry(std::string_view combination, std::string_view sendText,
                        const std::function<std::int32_t(std::string_view)>& lookup) {
  KeyEntry entry;
  entry.KeyLabel = upperCase(combination);
  const Combination parts = splitLabel(combination);
  entry.CtrlKey = parts.ctrl;
  entry.AltKey = parts.alt;
  entry.ShiftKey = parts.shift;
  entry.SendText = std::string(sendText);
  const std::int32_t value = lookup(parts.keyName);
  entry.ScanCode = static_cast<std::uint8_t>(value & 0xFF);
  const int scan = entry.ScanCode;
  entry.ExtendedKey = (scan >= 71 && scan <= 73) || scan == 75 || scan == 77 ||
                      (scan >= 79 && scan <= 83);
  if (value > 100) {
    entry.ExtendedKey = true;
    entry.ScanCode = static_cast<std::uint8_t>(value - 100);
  }
  return entry;
}

bool sameCombination(std::string_view a, std::string_view b) {
  return splitLabel(a) == splitLabel(b);
}

}  // namespace ondrix::store
