#pragma once
// ADDINS.QDB: the add-in menu entries, keyed "%05d" by add-in number. The main window keeps this
// store open while it runs.

#include <optional>
#include <string>
#include <vector>

#include "store/records/event_record.h"
#include "store/stores/record_file.h"

namespace ondrix::store {

class AddinDB {
 public:
  static constexpr std::string_view kFileName = "ADDINS.QDB";

  explicit AddinDB(std::string dataFolder) : file_(std::move(dataFolder), kFileName) {}

  void Open() { file_.Open(); }
  void Close() { file_.Close(); }

  // The entry of add-in `number`; nullopt when it is missing or cannot be read.
  std::optional<AddinItem> Read(int number);
  std::vector<std::string> ListKeys() { return file_.Keys(); }

 private:
  RecordFile file_;
};

}  // namespace ondrix::store
