#include "store/stores/pal_db_fcns.h"

#include "store/records/record_bytes.h"

namespace ondrix::store {

PaletteRecord PalDBFcns::Read(int number) {
  const auto item = file_.Get(numberKey(number));
  return item ? PaletteRecord::decode(*item) : PaletteRecord::missing();
}

void PalDBFcns::Write(int number, const PaletteRecord& palette) {
  file_.Put(numberKey(number), palette.encode());
}

std::vector<std::string> PalDBFcns::ListNames() {
  std::vector<std::string> names;
  for (const std::string& key : file_.Keys())
    names.push_back(PaletteRecord::decode(file_.Get(key).value_or("")).Name);
  return names;
}

void PalDBFcns::Delete(int number) {
  TQDB& db = file_.Db();
  if (!db.FindKey(numberKey(number))) return;
  db.DeleteItem();
  db.Pack();
  std::vector<std::string> items;
  for (const std::string& key : file_.Keys()) {
    PaletteRecord palette = PaletteRecord::decode(file_.Get(key).value_or(""));
    palette.RecordNo = static_cast<std::int32_t>(items.size());
    items.push_back(palette.encode());
  }
  file_.ReplaceWithNumbered(items);
}

}  // namespace ondrix::store
