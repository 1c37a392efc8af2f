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

std::vector<std::string> PalDBFcns::ListNames() { return file_.ReadNames<PaletteRecord>(); }

void PalDBFcns::Delete(int number) {
  TQDB& db = file_.Db();
  if (!db.FindKey(numberKey(number))) return;
  db.DeleteItem();
  db.Pack();
  file_.ReplaceWithNumbered(file_.ReadAll<PaletteRecord>());
}

}  // namespace ondrix::store
