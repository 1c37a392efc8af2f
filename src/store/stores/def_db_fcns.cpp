#include "store/stores/def_db_fcns.h"

#include "store/records/record_bytes.h"

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

bool DefDBFcns::ReadBoolean(std::string_view name) {
  const auto item = file_.Get(name);
  return item && RecordReader(*item).int32(0) == 1;
}

}  // namespace ondrix::store
