#pragma once
// DEFAULTS.QDB: named single values that seed new connections (and keep other program settings).
// The caller opens and closes the store around a group of calls.
//
// Encodings: integer = int32 (missing: -1); boolean = int32, true only for exactly 1 (missing:
// false); text = int32 length n, then n characters (missing: empty).

#include <cstdint>
#include <string>
#include <string_view>

#include "store/stores/record_file.h"

namespace ondrix::store {

class DefDBFcns {
 public:
  static constexpr std::string_view kFileName = "DEFAULTS.QDB";

  explicit DefDBFcns(std::string dataFolder) : file_(std::move(dataFolder), kFileName) {}

  void Open() { file_.Open(); }
  void Close() { file_.Close(); }

  void WriteInteger(std::string_view name, std::int32_t value);
  void WriteText(std::string_view name, std::string_view text);
  void WriteBoolean(std::string_view name, bool flag);
  std::int32_t ReadInteger(std::string_view name);
  std::string ReadText(std::string_view name);
  bool ReadBoolean(std::string_view name);

  // The integer value `name` (a palette or keylist number) after number `deleted` was removed and
  // the rest renumbered (referenceAfterDelete). Written by replacing the whole file, so a crash
  // leaves the old or the new one.
  void NumberDeleted(std::string_view name, std::int32_t deleted);

 private:
  RecordFile file_;
};

}  // namespace ondrix::store
