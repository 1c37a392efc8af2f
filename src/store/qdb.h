#pragma once
// TQDB: the keyed record file engine. A record file maps unique text keys to opaque byte items.
// The engine never edits a record file in place: opening splits it into a working data file and
// a working index file in the temporary folder (QDBxxxxxx pairs with QIXxxxxxx), all work happens
// there, and closing joins them into a complete new file that is renamed over the record file.
//
// Record file (integers 32-bit little-endian signed; tags are three letters and a zero byte):
//
//   offset      size  content
//   0           4     "QDB\0"
//   4           24    optional: "QPW\0" and the 20-byte password check (protection.h)
//   4 (or 28)   4     data length D
//   +4          D     data section: the item bytes, each item one run at its offset;
//                     bytes no index entry covers are dead space (reclaimed by Pack)
//   +D          4     "QIX\0"
//   +4          4     index length I
//   +4          I     index section
//
// Index section:
//
//   offset  size   content
//   0       4      entry count N (system and ordinary entries)
//   4       ...    N entries; bytes after the last entry are ignored
//
// Index entry:
//
//   size    content
//   1..256  key: its characters and a zero byte (at most 255 characters kept on reading)
//   4       offset of the item's first byte within the data section
//   4       size of the item in the data section (compressed size for a compressed item)
//   4       flags: 1 = system item, 2 = stored compressed (compressor.h), other bits 0
//
// Entries on disk: system entries in descending key order, then ordinary entries in descending
// key order. A reader keeps ordinary entries in file order and reverses the list; it does not
// sort. An index is rejected as not valid when N exceeds what the section can hold, a key lacks
// its zero byte, or an item does not lie inside the data section.
//
// A missing file is created as the 21-byte empty record file: "QDB\0", D = 0, "QIX\0", I = 5,
// N = 0 and one zero byte.

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "store/cache.h"
#include "store/file_system.h"
#include "store/qdb_errors.h"
#include "store/qdb_string_list.h"

namespace ondrix::store {

inline constexpr char kFileTag[4] = {'Q', 'D', 'B', '\0'};
inline constexpr char kPasswordTag[4] = {'Q', 'P', 'W', '\0'};
inline constexpr char kIndexTag[4] = {'Q', 'I', 'X', '\0'};
inline constexpr std::size_t kPasswordCheckSize = 20;
inline constexpr std::string_view kCaseSensitiveItem = "QDBCaseSensitive";
// The smallest index entry: an empty key's zero byte and three integers.
inline constexpr std::int64_t kMinEntrySize = 13;

// Kinds of progress reports.
enum TProgressKind : int {
  kProgressLoading = 0,
  kProgressClosing = 1,
  kProgressWritingIndex = 2,
  kProgressPacking = 3,
  kProgressListing = 4,
};

// One index entry as it is on disk.
struct TDiskIndexEntry {
  std::string key;
  TIndex index;
};

class TQDB {
 public:
  using Notify = std::function<void(TQDB& sender)>;

  TQDB();
  // Closes (and so saves) an open file; failures are dropped here. When destroyed by a
  // propagating error it drops the working files instead and leaves the record file unchanged.
  ~TQDB();
  TQDB(const TQDB&) = delete;
  TQDB& operator=(const TQDB&) = delete;

  // Closes any open file, then opens or creates `name` (".QDB" added without an extension);
  // an empty name only closes. A failure leaves the engine with no file name.
  void SetFileName(const std::string& name);
  const std::string& FileName() const { return fileName_; }

  bool FindKey(std::string_view key);
  // Replaces `out` with the current item's bytes (decompressed).
  void GetItem(std::string& out);
  void AddItem(std::string_view bytes, std::string_view key);
  void DeleteItem();
  // Fills `list` with every ordinary key in ascending order.
  void GetKeyList(TKeyList& list);
  void GetKeyList(std::vector<std::string>& list);
  void Pack();
  void SaveIndex();

  // Makes the item at `position` (0-based) current.
  void SetPosition(int position);
  int Position() const { return position_; }
  const std::string& CurrentKey() const { return currentKey_; }
  int Count() const { return index_.Count(); }

  // The bytes of a system item; EQDBBadKey when there is none.
  std::string GetSystemItem(std::string_view key);
  // The index as it is in the working index file, in file order (what was on disk at opening
  // until the index is next written).
  std::vector<TDiskIndexEntry> DiskIndex();

  // Throws std::logic_error when an invariant of the open engine is broken: the current
  // position inside the index, every item inside the working data file, the cache's byte count.
  // Checked builds call it after every change.
  void CheckIntegrity() const;

  bool ReadOnly() const { return readOnly_; }
  bool FileAssigned() const { return assigned_; }
  bool Modified() const { return modified_; }
  bool CaseSensitive() const { return index_.CaseSensitive; }
  bool SaveOnClose = true;
  bool ExpandFileNames = true;
  bool Compression = false;

  std::size_t CacheSize() const { return cache_.CacheSize(); }
  void SetCacheSize(std::size_t size) { cache_.SetCacheSize(size); }
  int CacheFrequency() const { return cache_.CacheFrequency(); }
  void ResetCacheFrequency() { cache_.ResetCounters(); }
  const TCacheList& Cache() const { return cache_; }

  // Hooks; each is skipped when unset.
  std::function<void(TQDB& sender, std::string& password)> OnDemandPassword;
  std::function<void(TQDB& sender, bool& ok)> BeforeOverWrite;
  Notify WarnReadOnly;
  Notify WarnNoData;
  Notify WarnOutOfBounds;
  std::function<void(TQDB& sender, int percent, int kind)> ProgressUpdate;
  Notify OnAdded;
  Notify OnDeleted;
  Notify OnFound;
  Notify OnNavigate;
  Notify OnFileAssigned;
  Notify BeforeDelete;
  Notify AfterDelete;

 private:
  class Progress;

  void openFile();
  void createEmptyFile();
  void split();
  void loadIndex();
  void readCaseSensitivity();
  void closeFile();
  void writeIndex();
  void join();
  void readEntry(const TIndex& entry, std::string& out);
  void requireFile() const;
  bool refuseReadOnly();
  bool refuseEmpty();
  void removeWorkingFiles();
  void abandon();
  void resetState();
  std::string notValid() const;
  void checkInChecked() const;

  std::string fileName_;
  bool readOnly_ = false;
  bool assigned_ = false;
  bool modified_ = false;
  bool protected_ = false;
  TIndexList index_;
  TIndexList system_;
  TCacheList cache_;
  File data_;
  std::string dataPath_;
  std::string indexPath_;
  int position_ = 0;
  std::string currentKey_;
  bool timeNoted_ = false;
  timespec openedTime_{};
  std::string password_;
};

}  // namespace ondrix::store
