#include "store/stores/con_db_fcns.h"

#include <algorithm>

#include "store/records/event_record.h"
#include "store/records/record_bytes.h"
#include "store/stores/def_db_fcns.h"
#include "store/stores/evt_db_fcns.h"
#include "store/stores/numbered_references.h"

namespace ondrix::store {

ConnectionRecord ConDBFcns::Read(int number) {
  const auto item = file_.Get(numberKey(number));
  return item ? ConnectionRecord::decode(*item) : ConnectionRecord::missing();
}

void ConDBFcns::Write(int number, const ConnectionRecord& record) {
  file_.Put(numberKey(number), record.encode());
}

std::vector<std::string> ConDBFcns::ListNames() { return file_.ReadNames<ConnectionRecord>(); }

int ConDBFcns::Count() { return file_.Db().Count(); }

void ConDBFcns::Delete(int number, EvtDBFcns& events) {
  TQDB& db = file_.Db();
  if (!db.FindKey(numberKey(number))) return;
  std::string item;
  db.GetItem(item);
  const ConnectionRecord record = ConnectionRecord::decode(item);
  for (std::int32_t kind = kOnBeforeConnect; kind <= kOnWatch; ++kind)
    events.Delete(record.Name, kind);
  db.DeleteItem();
  db.SaveIndex();
  Renumber();
  db.Pack();
}

void ConDBFcns::Renumber() {
  std::vector<TConItem> book = file_.ReadAll<TConItem>();
  std::stable_sort(book.begin(), book.end(), [](const TConItem& a, const TConItem& b) {
    // Character code order: compare the bytes as unsigned values.
    return std::lexicographical_compare(
        a.Name.begin(), a.Name.end(), b.Name.begin(), b.Name.end(),
        [](char x, char y) { return static_cast<unsigned char>(x) < static_cast<unsigned char>(y); });
  });
  file_.ReplaceWithNumbered(std::move(book));
}

void ConDBFcns::replaceNumbers(const std::function<std::int32_t&(ConnectionRecord&)>& field,
                               int from, int to) {
  Open();
  for (const std::string& key : file_.Keys()) {
    ConnectionRecord record = ConnectionRecord::decode(file_.Get(key).value_or(""));
    if (field(record) != from) continue;
    field(record) = to;
    file_.Put(key, record.encode());
  }
  Close();
}

void ConDBFcns::ReplacePalette(int from, int to) {
  replaceNumbers([](ConnectionRecord& r) -> std::int32_t& { return r.PaletteNo; }, from, to);
}

void ConDBFcns::ReplaceKeyList(int from, int to) {
  replaceNumbers([](ConnectionRecord& r) -> std::int32_t& { return r.KeyListNo; }, from, to);
}

void ConDBFcns::referencesAfterDelete(
    const std::function<std::int32_t&(ConnectionRecord&)>& field, int deleted) {
  Open();
  file_.EditItems([&](std::string_view, std::string& bytes) {
    ConnectionRecord record = ConnectionRecord::decode(bytes);
    const std::int32_t moved = referenceAfterDelete(field(record), deleted);
    if (moved == field(record)) return false;
    field(record) = moved;
    bytes = record.encode();
    return true;
  });
  Close();
}

void ConDBFcns::PaletteDeleted(int deleted) {
  referencesAfterDelete([](ConnectionRecord& r) -> std::int32_t& { return r.PaletteNo; }, deleted);
}

void ConDBFcns::KeyListDeleted(int deleted) {
  referencesAfterDelete([](ConnectionRecord& r) -> std::int32_t& { return r.KeyListNo; }, deleted);
}

ConnectionRecord ConDBFcns::AddNew(DefDBFcns& defaults) {
  ConnectionRecord r;
  r.RecordNo = Count();
  r.Name = "New connection " + std::to_string(r.RecordNo);
  r.Host.clear();
  r.SendWindowSize = false;
  r.KeyListNo = defaults.ReadInteger("KeyListNo");
  r.PaletteNo = defaults.ReadInteger("PaletteNo");
  r.Lines = defaults.ReadInteger("Lines");
  r.Columns = defaults.ReadInteger("Columns");
  r.Port = defaults.ReadInteger("Port");
  r.Emulation = defaults.ReadText("Emulation").substr(0, 6);
  r.FontName = defaults.ReadText("FontName");
  r.FontSize = defaults.ReadInteger("FontSize");
  r.FontBold = defaults.ReadBoolean("FontBold");
  r.FontItalic = defaults.ReadBoolean("FontItalic");
  r.FontUnderline = defaults.ReadBoolean("FontUnderline");
  r.Break = defaults.ReadText("Break");
  r.Reset = defaults.ReadText("Reset");
  r.AddCR = defaults.ReadBoolean("AddCR");
  r.AddLF = defaults.ReadBoolean("AddLF");
  r.LocalEcho = defaults.ReadBoolean("LocalEcho");
  r.Monochrome = defaults.ReadBoolean("Monochrome");
  r.ForceLineDraw = defaults.ReadBoolean("ForceLineDraw");
  r.DefNormalFore = defaults.ReadInteger("DefNormalFore");
  r.DefNormalBack = defaults.ReadInteger("DefNormalBack");
  r.DefHighFore = defaults.ReadInteger("DefHighFore");
  r.DefHighBack = defaults.ReadInteger("DefHighBack");
  r.DefUnderlineFore = defaults.ReadInteger("DefUnderlineFore");
  r.DefUnderlineBack = defaults.ReadInteger("DefUnderlineBack");
  r.DefBlinkFore = defaults.ReadInteger("DefBlinkFore");
  r.DefBlinkBack = defaults.ReadInteger("DefBlinkBack");
  r.DefReverseFore = defaults.ReadInteger("DefReverseFore");
  r.DefReverseBack = defaults.ReadInteger("DefReverseBack");
  Write(r.RecordNo, r);
  return r;
}

}  // namespace ondrix::store
