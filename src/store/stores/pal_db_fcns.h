#pragma once
// PALETTES.QDB: named tables of 16 colours keyed "%05d" by number; palette 0 is the default.
// The caller opens the store and closes it (which writes the index).

#include <string>
#include <vector>

#include "store/records/palette_record.h"
#include "store/stores/record_file.h"

namespace ondrix::store {

class PalDBFcns {
 public:
  static constexpr std::string_view kFileName = "PALETTES.QDB";

  explicit PalDBFcns(std::string dataFolder) : file_(std::move(dataFolder), kFileName) {}

  void Open() { file_.Open(); }
  void Close() { file_.Close(); }

  // A missing number reads as PaletteRecord::missing() (RecordNo -1).
  PaletteRecord Read(int number);
  void Write(int number, const PaletteRecord& palette);
  std::vector<std::string> ListNames();
  // Removes palette `number` and numbers the rest 0, 1, 2, ... in their order. The caller then
  // points connections that used it at palette 0 (ConDBFcns::ReplacePalette).
  void Delete(int number);

 private:
  RecordFile file_;
};

}  // namespace ondrix::store
