#include "store/stores/def_db_fcns.h"

#include "store/key_compare.h"
#include "store/records/record_bytes.h"
#include "store/stores/numbered_references.h"

namespace ondrix::store {

void DefDBFcns::WriteInteger(std::string_view name, std::int32_t value) {
  std::string item;
  appendInt32(item, value);
  file_.Put(name, item);
}

void DefDBFcns::WriteText(std::string_view name, std::string_view text) {
  std::string item;
  appendCountedText(item, text);
  file_.Put(name, item);
}

void DefDBFcns::WriteBoolean(std::string_view name, bool flag) { WriteInteger(name, flag ? 1 : 0); }

std::int32_t DefDBFcns::ReadInteger(std::string_view name) {
  const auto item = file_.Get(name);
  return item ? RecordReader(*item).int32(0) : -1;
}

std::string DefDBFcns::ReadText(std::string_view name) {
  const auto item = file_.Get(name);
  if (!item) return {};
  ItemReader r(*item);
  return r.countedText();
}

void DefDBFcns::NumberDeleted(std::string_view name, std::int32_t deleted) {
  const bool caseSensitive = file_.Db().CaseSensitive();
  file_.EditItems([&](std::string_view key, std::string& bytes) {
    if (compareKeys(key, name, caseSensitive) != 0 || bytes.size() < 4) return false;
    const std::int32_t value = RecordReader(bytes).int32(0);
    const std::int32_t moved = referenceAfterDelete(value, deleted);
    if (moved == value) return false;
    std::string item;
    appendInt32(item, moved);
    bytes = item + bytes.substr(4);
    return true;
  });
}

bool DefDBFcns::ReadBoolean(std::string_view name) {
  const auto item = file_.Get(name);
  return item && RecordReader(*item).int32(0) == 1;
}

}  // namespace ondrix::store
