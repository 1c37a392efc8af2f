#pragma once
// KEYS.QDB: named keylists keyed "%05d" by number (0-3 are the native keylists), and the scan code
// lookup in SCANCODES.QDB used when a key entry is defined. The caller opens the keylist store and
// closes it (which writes the index).

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "store/records/keylist_record.h"
#include "store/stores/record_file.h"

namespace ondrix::store {

class KeyDBFcns {
 public:
  static constexpr std::string_view kFileName = "KEYS.QDB";
  static constexpr std::string_view kScanCodesFileName = "SCANCODES.QDB";

  explicit KeyDBFcns(std::string dataFolder)
      : folder_(dataFolder), file_(std::move(dataFolder), kFileName) {}

  void Open() { file_.Open(); }
  void Close() { file_.Close(); }

  // A missing keylist reads as an empty keylist with the asked number.
  TKeyItem Read(int number);
  void Write(int number, const TKeyItem& keylist);
  // Releases the entries of a keylist read earlier.
  static void FreeEntries(TKeyItem& keylist) { keylist.Entries.clear(); }
  std::vector<std::string> ListNames();
  // Removes keylist `number` and numbers the rest 0, 1, 2, ... in their order. The caller then
  // points connections that used it at keylist 0 (ConDBFcns::ReplaceKeyList).
  void Delete(int number);

  // The value stored for a key name in SCANCODES.QDB (scan code, + 100 for an extended key), or
  // -1 when the name is missing. Opens and closes SCANCODES.QDB.
  std::int32_t LookupScanCode(std::string_view keyName);

 private:
  std::string folder_;
  RecordFile file_;
};

// Builds a key entry from a combination as typed ("ctrl+shift+f1") and the text it sends:
// upper-cases the combination, removes "CTRL+", "ALT+" and "SHIFT+" wherever they occur and sets
// their flags, and looks the rest up with `lookup` (-1 when unknown, stored as scan code 255).
KeyEntry defineKeyEntry(std::string_view combination, std::string_view sendText,
                        const std::function<std::int32_t(std::string_view)>& lookup);

// True when two key labels name the same combination: the same modifiers (in any order) and the
// same key name, compared without regard to case ("Shift+Ctrl+f1" and "CTRL+SHIFT+F1").
bool sameCombination(std::string_view a, std::string_view b);

}  // namespace ondrix::store
