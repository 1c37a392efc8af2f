#include "store/stores/record_file.h"

#include <cstdio>

#include "store/file_system.h"
#include "store/records/record_bytes.h"

namespace ondrix::store {

RecordFile::RecordFile(std::string folder, std::string_view fileName)
    : folder_(std::move(folder)), path_(folder_ + std::string(fileName)) {}

void RecordFile::Open() { db_.SetFileName(path_); }

void RecordFile::Close() {
  if (!IsOpen()) return;
  db_.SaveIndex();
  db_.SetFileName("");
}

std::optional<std::string> RecordFile::Get(std::string_view key) {
  if (!db_.FindKey(key)) return std::nullopt;
  std::string bytes;
  db_.GetItem(bytes);
  return bytes;
}

void RecordFile::Put(std::string_view key, std::string_view bytes) {
  if (db_.FindKey(key)) {
    db_.DeleteItem();
    db_.AddItem(bytes, key);
    db_.Pack();
  } else {
    db_.AddItem(bytes, key);
  }
}

std::vector<std::string> RecordFile::Keys() {
  std::vector<std::string> keys;
  db_.GetKeyList(keys);
  return keys;
}

void RecordFile::EditItems(const std::function<bool(std::string_view, std::string&)>& edit) {
  std::vector<std::pair<std::string, std::string>> items;
  bool changed = false;
  for (std::string& key : Keys()) {
    std::string bytes = Get(key).value_or("");
    changed = edit(key, bytes) || changed;
    items.emplace_back(std::move(key), std::move(bytes));
  }
  if (!changed) return;
  Close();
  writeRecordFile(path_, items);
  Open();
}

void RecordFile::replaceWithItems(const std::vector<std::string>& items) {
  Close();
  std::vector<std::pair<std::string, std::string>> numbered;
  numbered.reserve(items.size());
  for (std::size_t i = 0; i < items.size(); ++i)
    numbered.emplace_back(numberKey(static_cast<int>(i)), items[i]);
  writeRecordFile(path_, numbered);
  Open();
}

void writeRecordFile(const std::string& path,
                     const std::vector<std::pair<std::string, std::string>>& items) {
  // A leftover from an interrupted run is discarded first, so it can never contribute items.
  const std::string building = path + ".new";
  std::remove(building.c_str());
  {
    TQDB fresh;
    fresh.SetFileName(building);
    for (const auto& [key, bytes] : items) fresh.AddItem(bytes, key);
    fresh.SaveIndex();
    fresh.SetFileName("");
  }
  replaceFile(building, path);
}

}  // namespace ondrix::store
