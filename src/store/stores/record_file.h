#pragma once
// One record file of the data folder as the stores use it: opened just before a group of
// operations and closed (index written, file joined) right after.

#include <cstdint>
#include <functional>
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

  // Every item decoded as a `Record` (a type with a static decode), in key order.
  template <typename Record>
  std::vector<Record> ReadAll() {
    std::vector<Record> records;
    for (const std::string& key : Keys()) records.push_back(Record::decode(Get(key).value_or("")));
    return records;
  }

  // The Name of every record, in key order.
  template <typename Record>
  std::vector<std::string> ReadNames() {
    std::vector<std::string> names;
    for (const Record& record : ReadAll<Record>()) names.push_back(record.Name);
    return names;
  }

  // Gives the records the numbers 0, 1, 2, ... in this order (as RecordNo and as key) and replaces
  // the file by them (replaceWithItems).
  template <typename Record>
  void ReplaceWithNumbered(std::vector<Record> records) {
    std::vector<std::string> items;
    items.reserve(records.size());
    for (Record& record : records) {
      record.RecordNo = static_cast<std::int32_t>(items.size());
      items.push_back(record.encode());
    }
    replaceWithItems(items);
  }

  // Lets `edit` change items in place (it returns true when it changed the one it was given) and,
  // when any changed, replaces the whole file by the items under their keys, built beside the old
  // file and renamed over it: a crash leaves the old or the new file. The file is open afterwards.
  void EditItems(const std::function<bool(std::string_view key, std::string& bytes)>& edit);

 private:
  // Replaces the whole file by one holding `items` under the keys "00000", "00001", ... in this
  // order (renumbering). The new file is built completely beside the old one and renamed over it,
  // so a crash leaves the old or the new file, never neither. The file is open afterwards.
  void replaceWithItems(const std::vector<std::string>& items);

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
