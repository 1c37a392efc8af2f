// Arbitrary bytes as a record file: open, list, read every item, close. When the engine accepted
// the file, what it wrote on closing must open again with the same keys and the same items.

#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "store/file_system.h"
#include "store/qdb.h"

namespace {

// Syncing to disk proves nothing here and would dominate every run.
class NoSyncFileSystem : public ondrix::store::FileSystem {
 public:
  int fsync(int) override { return 0; }
};

struct Scratch {
  Scratch() : noSync(fileSystem) {
    char pattern[] = "/tmp/ondrix-qdb-fuzz-XXXXXX";
    folder = mkdtemp(pattern);
    setenv("TMPDIR", folder.c_str(), 1);
    file = folder + "/FUZZ.QDB";
  }
  NoSyncFileSystem fileSystem;
  ondrix::store::ScopedFileSystem noSync;
  std::string folder;
  std::string file;
};

const Scratch& scratch() {
  static const Scratch s;
  return s;
}

struct Contents {
  std::vector<std::string> keys;
  std::vector<std::string> items;  // "!" + message for items that cannot be read
};

// One cycle; false when the engine refused the file.
bool readAll(const std::string& path, Contents& contents) {
  try {
    ondrix::store::TQDB db;
    db.SetFileName(path);
    db.CheckIntegrity();
    db.GetKeyList(contents.keys);
    for (int i = 0; i < db.Count(); ++i) {
      db.SetPosition(i);
      std::string bytes;
      try {
        db.GetItem(bytes);
      } catch (const ondrix::store::EQDBError& e) {
        bytes = std::string("!") + e.what();
      }
      contents.items.push_back(bytes);
    }
    db.CheckIntegrity();
    db.SetFileName("");
    return true;
  } catch (const ondrix::store::EQDBError&) {
    return false;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& path = scratch().file;
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  Contents first;
  if (readAll(path, first)) {
    Contents second;
    if (!readAll(path, second) || second.keys != first.keys || second.items != first.items) {
      std::abort();
    }
  }
  unlink(path.c_str());
  return 0;
}
