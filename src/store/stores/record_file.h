#pragma once
// One record file of the data folder as the stores use it: opened just before a group of
// operations and closed (index written, file joined) right after.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "store/qdb.h"

namespace ondrix::store {

class RecordFile {
 public:
  // `folder` ends with '/'; `fileName` is the record file's name in it ("CONINFO.QDB").
  RecordFile(std::string folder, std::string_view fileName);

  const std::string& Path() const { return path_; }

  // Opens the file, creating an empty one when it does not exist.
  void Open();
  // Writes the index and closes the file (which joins it). Does nothing when not open.
  void Close();
  bool IsOpen() const { return db_.FileAssigned(); }

  TQDB& Db() { return db_; }

  // The item stored under `key`, or nullopt when there is none.
  std::optional<std::string> Get(std::string_view key);
  // An existing key: DeleteItem, AddItem, Pack; a new key: AddItem alone.
  void Put(std::string_view key, std::string_view bytes);
  // Every ordinary key in ascending order.
  std::vector<std::string> Keys();

  // Replaces the whole file by one holding `items` under the keys "00000", "00001", ... in this
  // order (renumbering). The new file is built completely beside the old one and renamed over it,
  // so a crash leaves the old or the new file, never neither. The file is open afterwards.
  void ReplaceWithNumbered(const std::vector<std::string>& items);

 private:
  std::string folder_;
  std::string path_;
  TQDB db_;
};

// Writes a complete record file holding `items` (key, bytes), added in this order, at `path`. The
// file is built beside its place and renamed over it, so a crash leaves the old file (or none, when
// there was none) or the complete new one, never a part of it.
void writeRecordFile(const std::string& path,
                     const std::vector<std::pair<std::string, std::string>>& items);

}  // namespace ondrix::store
