#include "store/stores/stored_values.h"

#include <cstdio>

#include "store/records/record_bytes.h"

namespace ondrix::store {

std::string StoredValues::Key(std::string_view section, std::string_view name) {
  std::string key(section);
  key += name;
  if (key.size() > 255) key.resize(255);
  return key;
}

void StoredValues::SetValue(std::string_view section, std::string_view name,
                            std::string_view value) {
  std::string item;
  appendCountedText(item, value);
  file_.Open();
  file_.Put(Key(section, name), item);
  file_.Close();
}

std::string StoredValues::GetValue(std::string_view section, std::string_view name) {
  file_.Open();
  const auto item = file_.Get(Key(section, name));
  file_.Close();
  if (!item) return {};
  ItemReader r(*item);
  return r.countedText();
}

void StoredValues::DeleteValue(std::string_view section, std::string_view name) {
  file_.Open();
  TQDB& db = file_.Db();
  if (db.FindKey(Key(section, name))) {
    db.DeleteItem();
    db.Pack();
  }
  file_.Close();
}

bool StoredValues::DeleteAllValues() { return std::remove(Path().c_str()) == 0; }

}  // namespace ondrix::store
