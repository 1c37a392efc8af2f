#include "store/qdb.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <exception>
#include <filesystem>
#include <stdexcept>

#include "platform/services.h"
#include "store/bf_stream.h"
#include "store/compressor.h"
#include "store/protection.h"

namespace ondrix::store {

namespace {

constexpr int kPairAttempts = 100;

std::string expandFileName(const std::string& name) {
  return std::filesystem::absolute(name).lexically_normal().string();
}

std::string folderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string baseNameOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool hasExtension(const std::string& path) {
  return baseNameOf(path).find('.') != std::string::npos;
}

// The mode a new file gets here: 0666 less the process's umask.
mode_t newFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

void writeInt32(File& file, std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                                 static_cast<std::uint8_t>(v >> 16),
                                 static_cast<std::uint8_t>(v >> 24)};
  file.writeAll(bytes, sizeof bytes);
}

std::int32_t readInt32(File& file, std::string_view fileName) {
  std::uint8_t b[4];
  file.readExact(b, sizeof b, fileName);
  return static_cast<std::int32_t>(std::uint32_t{b[0]} | (std::uint32_t{b[1]} << 8) |
                                   (std::uint32_t{b[2]} << 16) | (std::uint32_t{b[3]} << 24));
}

bool sameTime(const timespec& a, const timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

void syncFolder(const std::string& path) {
  const std::string folder = folderOf(path);
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    fileSystem().fsync(fd);
    ::close(fd);
  }
}

// Writes `bytes` as a complete new file in place of `target` (temporary file, sync, rename).
void writeWholeFile(const std::string& target, std::string_view bytes, mode_t mode) {
  TempFile temp = createTempFile("QDD");
  try {
    temp.file.writeAll(bytes.data(), bytes.size());
    ::fchmod(temp.file.fd(), mode);
    temp.file.sync();
    temp.file.close();
    replaceFile(temp.path, target);
  } catch (...) {
    ::unlink(temp.path.c_str());
    throw;
  }
  syncFolder(target);
}

}  // namespace

// Progress of a long operation of n steps: every (n / 10 + 1)th step lets the user interface
// process pending events and reports a percentage; the end reports 0.
class TQDB::Progress {
 public:
  Progress(TQDB& owner, int steps, int kind) : owner_(owner), every_(steps / 10 + 1), kind_(kind) {}
  void step(int i) {
    if (i % every_ != 0) return;
    platform::services().loop->processPendingEvents();
    report(i * 10 / every_);
  }
  void done() { report(0); }

 private:
  void report(int percent) {
    if (owner_.ProgressUpdate) owner_.ProgressUpdate(owner_, percent, kind_);
  }
  TQDB& owner_;
  int every_;
  int kind_;
};

TQDB::TQDB() = default;

TQDB::~TQDB() {
  if (!assigned_) return;
  // Destroyed by an error that interrupted a sequence of changes (say DeleteItem, then a failed
  // AddItem): saving would keep half of it, so the record file stays as it was.
  if (std::uncaught_exceptions() > 0) {
    abandon();
    return;
  }
  try {
    closeFile();
  } catch (...) {  // nothing can report from here; callers close explicitly to see failures
  }
}

void TQDB::abandon() {
  index_.EmptyAndClear();
  system_.EmptyAndClear();
  cache_.Clear();
  data_ = File();
  removeWorkingFiles();
  resetState();
}

std::string TQDB::notValid() const { return formatMessage(text::kNotValid, fileName_); }

void TQDB::requireFile() const {
  if (!assigned_) throw EQDBNoFile(std::string(text::kNoFile));
}

bool TQDB::refuseReadOnly() {
  if (!readOnly_) return false;
  if (WarnReadOnly) {
    WarnReadOnly(*this);
    return true;
  }
  throw EQDBReadOnly(formatMessage(text::kReadOnly, fileName_));
}

bool TQDB::refuseEmpty() {
  if (index_.Count() > 0) return false;
  if (WarnNoData) {
    WarnNoData(*this);
    return true;
  }
  throw EQDBNoData(formatMessage(text::kNoData, fileName_));
}

void TQDB::CheckIntegrity() const {
  auto require = [](bool condition, const char* what) {
    if (!condition) throw std::logic_error(std::string("record engine invariant: ") + what);
  };
  require(cache_.Consistent(), "cache bytes match its entries and limit");
  if (!assigned_) {
    require(index_.Count() == 0 && system_.Count() == 0, "no index without a file");
    return;
  }
  require(data_.isOpen(), "working data file open");
  require(index_.Count() == 0 ? position_ == 0 : position_ >= 0 && position_ < index_.Count(),
          "current position inside the index");
  const std::int64_t dataLength = data_.size();
  for (const TIndexList* list : {&system_, &index_}) {
    for (int i = 0; i < list->Count(); ++i) {
      const TIndex& entry = list->Item(i);
      require(entry.offset >= 0 && entry.size >= 0 &&
                  std::int64_t{entry.offset} + entry.size <= dataLength,
              "item inside the working data file");
    }
  }
}

void TQDB::checkInChecked() const {
#if defined(ONDRIX_ENGINE_CHECKS)
  CheckIntegrity();
#endif
}

// ---------------------------------------------------------------------------------------------
// Opening

void TQDB::SetFileName(const std::string& name) {
  const std::string wanted = ExpandFileNames && !name.empty() ? expandFileName(name) : name;
  const std::string current =
      ExpandFileNames && !fileName_.empty() ? expandFileName(fileName_) : fileName_;
  if (wanted == current) return;
  try {
    if (assigned_) closeFile();
    fileName_ = wanted;
    if (!fileName_.empty() && !hasExtension(fileName_)) fileName_ += ".QDB";
    if (!fileName_.empty()) openFile();
    if (OnFileAssigned) OnFileAssigned(*this);
  } catch (...) {
    fileName_.clear();
    throw;
  }
}

void TQDB::openFile() {
  try {
    if (!fileExists(fileName_)) createEmptyFile();
    split();
    loadIndex();
    assigned_ = true;
    readCaseSensitivity();
    checkInChecked();
  } catch (...) {
    abandon();
    throw;
  }
}

void TQDB::createEmptyFile() {
  static constexpr char kEmpty[21] = {'Q', 'D', 'B', 0, 0, 0, 0, 0, 'Q', 'I', 'X',
                                      0,   5,   0,   0, 0, 0, 0, 0, 0, 0};
  writeWholeFile(fileName_, std::string_view(kEmpty, sizeof kEmpty), newFileMode());
}

void TQDB::split() {
  struct stat st {};
  if (::stat(fileName_.c_str(), &st) != 0) throw fileErrorFromErrno(errno, fileName_);
  openedTime_ = st.st_mtim;
  timeNoted_ = true;
  if ((st.st_mode & 0222) == 0 || ::access(fileName_.c_str(), W_OK) != 0) readOnly_ = true;

  File in = File::open(fileName_, O_RDONLY);
  const std::int64_t total = in.size();
  char tag[4];
  in.readExact(tag, sizeof tag, fileName_);
  if (std::memcmp(tag, kFileTag, sizeof tag) != 0) throw EQDBFileError(-1, notValid());

  std::uint32_t key = 0;
  in.readExact(tag, sizeof tag, fileName_);
  if (std::memcmp(tag, kPasswordTag, sizeof tag) == 0) {
    Sha1Digest stored{};
    in.readExact(stored.data(), stored.size(), fileName_);
    std::string password;
    if (OnDemandPassword) OnDemandPassword(*this, password);
    password = toKey(password);
    if (passwordCheck(password) != stored) {
      throw EQDBInvalidPW(std::string(text::kInvalidPassword));
    }
    protected_ = true;
    password_ = password;
    key = scrambleKey(password);
  } else {
    in.seek(sizeof kFileTag);
  }
  const BufferVisitor unscramble = [key](std::uint8_t* data, std::size_t size) {
    scrambleBuffer(data, size, key);
  };

  const std::int32_t dataLength = readInt32(in, fileName_);
  if (dataLength < 0 || dataLength > total - in.position()) throw EQDBFileError(-1, notValid());

  // The working pair: QDBxxxxxx and QIXxxxxxx in the temporary folder.
  File indexOut;
  for (int attempt = 0; attempt < kPairAttempts && !indexOut.isOpen(); ++attempt) {
    TempFile temp = createTempFile("QDB");
    const std::string indexPath = withPrefix(temp.path, "QIX");
    const int fd = ::open(indexPath.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
      ::unlink(temp.path.c_str());
      continue;
    }
    indexOut = File(fd, indexPath);
    data_ = std::move(temp.file);
    dataPath_ = temp.path;
    indexPath_ = indexPath;
  }
  if (!indexOut.isOpen()) throw EQDBIndexError(std::string(text::kNoTempFile));

  copyBytes(in, data_, dataLength, fileName_, protected_ ? unscramble : BufferVisitor{});
  in.readExact(tag, sizeof tag, fileName_);
  if (std::memcmp(tag, kIndexTag, sizeof tag) != 0) throw EQDBFileError(-1, notValid());
  const std::int32_t indexLength = readInt32(in, fileName_);
  if (indexLength < 0 || indexLength > total - in.position()) throw EQDBFileError(-1, notValid());
  copyBytes(in, indexOut, indexLength, fileName_, protected_ ? unscramble : BufferVisitor{});
  indexOut.close();
  data_.close();
}

void TQDB::loadIndex() {
  data_ = File::open(dataPath_, O_RDWR);
  const std::int64_t dataLength = data_.size();
  File indexFile = File::open(indexPath_, O_RDONLY);
  const std::int64_t indexLength = indexFile.size();
  try {
    TBFStream in(std::move(indexFile), static_cast<std::size_t>(indexLength));
    const std::int32_t count = in.ReadInt32();
    if (count < 0 || count > (indexLength - 4) / kMinEntrySize) throw EQDBIndexError(notValid());
    Progress progress(*this, count, kProgressLoading);
    index_.Sorted = false;
    for (int i = 0; i < count; ++i) {
      progress.step(i);
      std::string key = in.ReadKey();
      TIndex entry;
      entry.offset = in.ReadInt32();
      entry.size = in.ReadInt32();
      entry.flags = in.ReadInt32();
      if (entry.offset < 0 || entry.size < 0 ||
          std::int64_t{entry.offset} + entry.size > dataLength) {
        throw EQDBIndexError(notValid());
      }
      if (entry.flags & kFlagSystem) {
        try {
          system_.Add(std::move(key), entry);
        } catch (const EQDBListError&) {
          throw EQDBIndexError(formatMessage(text::kNoMemoryIndex, fileName_));
        }
      } else {
        index_.Add(std::move(key), entry);
      }
    }
    progress.done();
    index_.Reverse();
    index_.Sorted = true;
  } catch (const EQDBListError&) {
    throw EQDBIndexError(notValid());
  } catch (const EQDBError&) {
    throw;
  } catch (const std::exception&) {
    throw EQDBIndexError(notValid());
  }
  position_ = 0;
  currentKey_ = index_.Count() > 0 ? index_.Key(0) : std::string();
  modified_ = false;
}

void TQDB::readCaseSensitivity() {
  int at = 0;
  if (!system_.Find(kCaseSensitiveItem, at)) return;
  std::string value;
  readEntry(system_.Item(at), value);
  index_.CaseSensitive = value.size() == 1 && value[0] == 1;
}

// ---------------------------------------------------------------------------------------------
// Items

void TQDB::readEntry(const TIndex& entry, std::string& out) {
  try {
    std::string raw(static_cast<std::size_t>(entry.size), '\0');
    data_.seek(entry.offset);
    data_.readExact(raw.data(), raw.size(), fileName_);
    if (entry.flags & kFlagCompressed) {
      if (!decompressItem(raw, out)) throw EQDBIndexError(notValid());
    } else {
      out = std::move(raw);
    }
  } catch (const std::exception&) {
    throw EQDBIndexError(notValid());
  }
}

bool TQDB::FindKey(std::string_view key) {
  if (!assigned_) return false;
  int at = 0;
  if (!index_.Find(toKey(key), at)) return false;
  position_ = at;
  currentKey_ = index_.Key(at);
  if (OnNavigate) OnNavigate(*this);
  if (OnFound) OnFound(*this);
  return true;
}

void TQDB::SetPosition(int position) {
  requireFile();
  if (refuseEmpty()) return;
  if (position < 0 || position >= index_.Count()) {
    if (WarnOutOfBounds) {
      WarnOutOfBounds(*this);
      return;
    }
    throw EQDBOutOfBounds(std::string(text::kOutOfBounds));
  }
  position_ = position;
  currentKey_ = index_.Key(position);
  if (OnNavigate) OnNavigate(*this);
}

void TQDB::GetItem(std::string& out) {
  requireFile();
  if (refuseEmpty()) return;
  // The cache goes by the key of the entry read, so it can never serve another item's bytes.
  const std::string& key = index_.Key(position_);
  if (cache_.Lookup(key, out)) return;
  readEntry(index_.Item(position_), out);
  cache_.Offer(key, out);
}

std::string TQDB::GetSystemItem(std::string_view key) {
  requireFile();
  int at = 0;
  if (!system_.Find(toKey(key), at)) throw EQDBBadKey(formatMessage(text::kBadKey, key));
  std::string out;
  readEntry(system_.Item(at), out);
  return out;
}

void TQDB::AddItem(std::string_view bytes, std::string_view key) {
  requireFile();
  if (refuseReadOnly()) return;
  std::string storedKey = toKey(key);
  int at = 0;
  if (index_.Find(storedKey, at)) throw EQDBIndexError(std::string(text::kDuplicate));

  const std::int64_t end = data_.size();
  TIndex entry;
  entry.offset = static_cast<std::int32_t>(end);
  std::string packed;
  std::string_view stored = bytes;
  if (Compression) {
    try {
      compressItem(bytes, packed);
    } catch (const std::bad_alloc&) {
      throw EQDBNoCompress(std::string(text::kNoCompress));
    }
    stored = packed;
    entry.flags |= kFlagCompressed;
  }
  if (end + static_cast<std::int64_t>(stored.size()) > INT32_MAX) {
    throw fileErrorFromErrno(EFBIG, fileName_);
  }
  entry.size = static_cast<std::int32_t>(stored.size());

  try {
    index_.Insert(at, storedKey, entry);
  } catch (const EQDBListError&) {
    throw EQDBIndexError(formatMessage(text::kNoMemoryIndex, fileName_));
  }
  try {
    data_.seek(end);
    data_.writeAll(stored.data(), stored.size());
  } catch (...) {
    index_.Delete(at);
    try {
      data_.truncate(end);
    } catch (...) {  // the index no longer covers the tail; it is dead space at worst
    }
    throw;
  }
  position_ = at;
  currentKey_ = storedKey;
  cache_.Offer(storedKey, bytes);
  modified_ = true;
  checkInChecked();
  if (OnAdded) OnAdded(*this);
  if (OnNavigate) OnNavigate(*this);
}

void TQDB::DeleteItem() {
  if (BeforeDelete) BeforeDelete(*this);
  requireFile();
  if (refuseReadOnly() || refuseEmpty()) return;
  cache_.Drop(index_.Key(position_));
  index_.Delete(position_);
  if (position_ > 0) {
    --position_;
    currentKey_ = index_.Key(position_);
  } else {
    currentKey_.clear();
  }
  modified_ = true;
  checkInChecked();
  if (OnDeleted) OnDeleted(*this);
  if (AfterDelete) AfterDelete(*this);
}

void TQDB::GetKeyList(TKeyList& list) {
  list.EmptyAndClear();
  const bool sorted = list.Sorted;
  list.Sorted = false;
  Progress progress(*this, index_.Count(), kProgressListing);
  for (int i = 0; i < index_.Count(); ++i) {
    progress.step(i);
    list.Add(index_.Key(i), TNoObject{});
  }
  progress.done();
  list.Sorted = sorted;
}

void TQDB::GetKeyList(std::vector<std::string>& list) {
  TKeyList keys;
  GetKeyList(keys);
  list.clear();
  for (int i = 0; i < keys.Count(); ++i) list.push_back(keys.Key(i));
}

std::vector<TDiskIndexEntry> TQDB::DiskIndex() {
  requireFile();
  std::vector<TDiskIndexEntry> entries;
  try {
    File file = File::open(indexPath_, O_RDONLY);
    const auto length = static_cast<std::size_t>(file.size());
    TBFStream in(std::move(file), length);
    const std::int32_t count = in.ReadInt32();
    for (std::int32_t i = 0; i < count; ++i) {
      TDiskIndexEntry entry;
      entry.key = in.ReadKey();
      entry.index.offset = in.ReadInt32();
      entry.index.size = in.ReadInt32();
      entry.index.flags = in.ReadInt32();
      entries.push_back(std::move(entry));
    }
  } catch (const StreamEnd&) {
    throw EQDBIndexError(notValid());
  }
  return entries;
}

// ---------------------------------------------------------------------------------------------
// Packing and saving

void TQDB::Pack() {
  requireFile();
  if (refuseReadOnly()) return;
  const int oldPosition = position_;
  std::vector<std::int32_t> systemOffsets;
  std::vector<std::int32_t> offsets;
  Progress progress(*this, system_.Count() + index_.Count(), kProgressPacking);
  TempFile packed = createTempFile("QDB");
  try {
    std::int32_t end = 0;
    int step = 0;
    std::string bytes;
    auto copy = [&](const TIndex& entry) {
      progress.step(step++);
      bytes.resize(static_cast<std::size_t>(entry.size));
      data_.seek(entry.offset);
      data_.readExact(bytes.data(), bytes.size(), fileName_);
      packed.file.writeAll(bytes.data(), bytes.size());
      const std::int32_t at = end;
      end += entry.size;
      return at;
    };
    for (int i = 0; i < system_.Count(); ++i) systemOffsets.push_back(copy(system_.Item(i)));
    for (int i = 0; i < index_.Count(); ++i) offsets.push_back(copy(index_.Item(i)));
    packed.file.sync();
    packed.file.close();
    replaceFile(packed.path, dataPath_);
  } catch (...) {
    ::unlink(packed.path.c_str());
    throw;
  }
  // The new data file is in place: the offsets in memory must follow it at once.
  for (int i = 0; i < system_.Count(); ++i) system_.Item(i).offset = systemOffsets[i];
  for (int i = 0; i < index_.Count(); ++i) index_.Item(i).offset = offsets[i];
  data_ = File::open(dataPath_, O_RDWR);
  progress.done();
  if (oldPosition > 0) SetPosition(oldPosition);
  checkInChecked();
}

void TQDB::SaveIndex() {
  requireFile();
  if (!modified_) return;
  writeIndex();
  modified_ = false;
}

void TQDB::writeIndex() {
  TTempBFStream out(indexPath_);
  const int total = index_.Count() + system_.Count();
  Progress progress(*this, total, kProgressWritingIndex);
  out.WriteInt32(total);
  int step = 0;
  for (const TIndexList* list : {&system_, &index_}) {
    for (int i = list->Count() - 1; i >= 0; --i) {
      progress.step(step++);
      const TIndex& entry = list->Item(i);
      out.WriteKey(list->Key(i));
      out.WriteInt32(entry.offset);
      out.WriteInt32(entry.size);
      out.WriteInt32(entry.flags);
    }
  }
  out.Commit();
  progress.done();
}

// ---------------------------------------------------------------------------------------------
// Closing

void TQDB::closeFile() {
  std::exception_ptr failure;
  if (!readOnly_ && SaveOnClose) {
    try {
      writeIndex();
    } catch (...) {
      failure = std::current_exception();
    }
  }
  index_.EmptyAndClear();
  system_.EmptyAndClear();
  cache_.Clear();
  data_ = File();
  // A failed index write leaves the record file as it was: joining would pair new data with
  // the old index.
  if (!failure && !readOnly_) {
    try {
      join();
    } catch (...) {
      failure = std::current_exception();
    }
  }
  removeWorkingFiles();
  resetState();
  if (failure) std::rethrow_exception(failure);
}

void TQDB::join() {
  struct stat st {};
  const bool exists = ::stat(fileName_.c_str(), &st) == 0;
  const mode_t mode = exists ? (st.st_mode & 07777) : newFileMode();
  if (timeNoted_ && (!exists || !sameTime(st.st_mtim, openedTime_))) {
    bool ok = false;
    if (BeforeOverWrite) BeforeOverWrite(*this, ok);
    if (!ok) {
      // Another writer changed the file: keep its version and write ours beside it.
      const std::string folder = folderOf(fileName_);
      std::string diverted = fileName_;
      do {
        diverted = folder + "1" + baseNameOf(diverted);
      } while (fileExists(diverted));
      fileName_ = diverted;
    }
  }

  Progress progress(*this, 2, kProgressClosing);
  TempFile out = createTempFile("QDD");
  try {
    out.file.writeAll(kFileTag, sizeof kFileTag);
    BufferVisitor scramble;
    if (!password_.empty()) {
      out.file.writeAll(kPasswordTag, sizeof kPasswordTag);
      const Sha1Digest check = passwordCheck(password_);
      out.file.writeAll(check.data(), check.size());
      scramble = [key = scrambleKey(password_)](std::uint8_t* data, std::size_t size) {
        scrambleBuffer(data, size, key);
      };
    }
    int step = 0;
    for (const std::string* section : {&dataPath_, &indexPath_}) {
      progress.step(step++);
      File in = File::open(*section, O_RDONLY);
      const std::int64_t length = in.size();
      if (length > INT32_MAX) throw fileErrorFromErrno(EFBIG, fileName_);
      if (section == &indexPath_) out.file.writeAll(kIndexTag, sizeof kIndexTag);
      writeInt32(out.file, static_cast<std::int32_t>(length));
      copyBytes(in, out.file, length, fileName_, scramble);
    }
    ::fchmod(out.file.fd(), mode);
    out.file.sync();
    out.file.close();
    replaceFile(out.path, fileName_);
  } catch (...) {
    ::unlink(out.path.c_str());
    throw;
  }
  syncFolder(fileName_);
  if (::stat(fileName_.c_str(), &st) == 0) openedTime_ = st.st_mtim;
  progress.done();
}

void TQDB::removeWorkingFiles() {
  if (!dataPath_.empty()) ::unlink(dataPath_.c_str());
  if (!indexPath_.empty()) ::unlink(indexPath_.c_str());
  dataPath_.clear();
  indexPath_.clear();
}

void TQDB::resetState() {
  position_ = 0;
  currentKey_.clear();
  modified_ = false;
  assigned_ = false;
  protected_ = false;
  password_.clear();
  timeNoted_ = false;
  readOnly_ = false;
  index_.Sorted = true;
  index_.CaseSensitive = false;
}

}  // namespace ondrix::store
