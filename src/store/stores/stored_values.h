#pragma once
// STORAGE.QDB: named values scripts keep between runs. The key is the section and the name joined
// (cut to 255 characters); the item is an int32 length and the value's characters. Each call
// opens and closes the file.

#include <string>
#include <string_view>

#include "store/stores/record_file.h"

namespace ondrix::store {

class StoredValues {
 public:
  static constexpr std::string_view kFileName = "STORAGE.QDB";

  explicit StoredValues(std::string dataFolder) : file_(std::move(dataFolder), kFileName) {}

  const std::string& Path() const { return file_.Path(); }

  void SetValue(std::string_view section, std::string_view name, std::string_view value);
  // The stored text; empty when the key is missing.
  std::string GetValue(std::string_view section, std::string_view name);
  void DeleteValue(std::string_view section, std::string_view name);
  // Deletes the whole file; false when it could not be removed (the caller shows
  // "Cannot remove " followed by Path()).
  bool DeleteAllValues();

  static std::string Key(std::string_view section, std::string_view name);

 private:
  RecordFile file_;
};

}  // namespace ondrix::store
