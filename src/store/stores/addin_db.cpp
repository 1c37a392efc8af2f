#include "store/stores/addin_db.h"

#include "store/records/record_bytes.h"

namespace ondrix::store {

std::optional<AddinItem> AddinDB::Read(int number) {
  const auto item = file_.Get(numberKey(number));
  if (!item) return std::nullopt;
  return AddinItem::decode(*item);
}

}  // namespace ondrix::store
