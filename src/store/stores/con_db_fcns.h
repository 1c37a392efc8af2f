#pragma once
// CONINFO.QDB: the connection book, one 1,368-byte record per connection keyed "%05d" by its
// number. Open and Close bracket the other operations (ReplacePalette and ReplaceKeyList open and
// close the store themselves).

#include <functional>
#include <string>
#include <vector>

#include "store/records/connection_record.h"
#include "store/stores/record_file.h"

namespace ondrix::store {

class DefDBFcns;
class EvtDBFcns;

class ConDBFcns {
 public:
  static constexpr std::string_view kFileName = "CONINFO.QDB";

  explicit ConDBFcns(std::string dataFolder) : file_(std::move(dataFolder), kFileName) {}

  void Open() { file_.Open(); }
  void Close() { file_.Close(); }

  // A missing number reads as ConnectionRecord::missing() (RecordNo -1).
  ConnectionRecord Read(int number);
  void Write(int number, const ConnectionRecord& record);
  // The Name of every record, in key order.
  std::vector<std::string> ListNames();
  int Count();

  // Deletes connection `number` with its event handlers of kinds 1-4, then renumbers the book.
  // Nothing happens when there is no such connection.
  void Delete(int number, EvtDBFcns& events);
  // Sorts the book by Name (exact, character code order) and numbers it 0, 1, 2, ... again.
  void Renumber();

  // Every record whose PaletteNo (KeyListNo) is `from` gets `to`; opens and closes the store.
  void ReplacePalette(int from, int to);
  void ReplaceKeyList(int from, int to);
  // After palette (keylist) `deleted` was removed from its store and the rest renumbered: records
  // that used it get 0 and records that used a higher number the one below, so each keeps what it
  // had (referenceAfterDelete). One replacement of the whole file, so a crash leaves the old or
  // the new book; opens and closes the store.
  void PaletteDeleted(int deleted);
  void KeyListDeleted(int deleted);

  // Adds a new connection "New connection <n>" numbered after the last one, seeded from the
  // defaults store (which the caller has opened), and writes it at once.
  ConnectionRecord AddNew(DefDBFcns& defaults);

 private:
  void replaceNumbers(const std::function<std::int32_t&(ConnectionRecord&)>& field, int from,
                      int to);
  void referencesAfterDelete(const std::function<std::int32_t&(ConnectionRecord&)>& field,
                             int deleted);

  RecordFile file_;
};

}  // namespace ondrix::store
