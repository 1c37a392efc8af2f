// Fails the Nth write, sync or rename of a whole open-change-close cycle, for every N, and checks
// that the record file is then either the old or the new file, complete, and that no working
// file is left behind.

#include <gtest/gtest.h>

#include <cerrno>

#include "qdb_test_support.h"
#include "store/file_system.h"
#include "store/qdb.h"

namespace ondrix::store {
namespace {

class FailingFileSystem : public FileSystem {
 public:
  explicit FailingFileSystem(int failAt) : failAt_(failAt) {}
  ssize_t write(int fd, const void* data, std::size_t size) override {
    if (fails()) return -1;
    return FileSystem::write(fd, data, size);
  }
  int fsync(int fd) override { return fails() ? -1 : FileSystem::fsync(fd); }
  int rename(const char* from, const char* to) override {
    return fails() ? -1 : FileSystem::rename(from, to);
  }
  bool injected() const { return calls_ >= failAt_; }

 private:
  bool fails() {
    if (++calls_ != failAt_) return false;
    errno = ENOSPC;
    return true;
  }
  int failAt_;
  int calls_ = 0;
};

void replaceItem(const std::string& path, const std::string& key, const std::string& bytes) {
  TQDB db;
  db.SetFileName(path);
  if (db.FindKey(key)) {
    db.DeleteItem();
    db.AddItem(bytes, key);
    db.Pack();
  } else {
    db.AddItem(bytes, key);
  }
  db.SetFileName("");
}

TEST(QdbFaults, EveryFailedWriteSyncOrRenameLeavesTheOldOrTheNewFile) {
  testing::ScratchFolders folders;
  const std::string path = folders.file("CONINFO.QDB");
  replaceItem(path, "0", std::string(3000, 'o'));
  replaceItem(path, "1", "one");
  const std::string before = testing::readFile(path);
  replaceItem(path, "0", std::string(2000, 'n'));
  const std::string after = testing::readFile(path);
  ASSERT_NE(before, after);

  int failures = 0;
  for (int n = 1; n < 200; ++n) {
    testing::writeFile(path, before);
    FailingFileSystem faulty(n);
    bool failed = false;
    {
      ScopedFileSystem scope(faulty);
      try {
        replaceItem(path, "0", std::string(2000, 'n'));
      } catch (const EQDBError& e) {
        failed = true;
        EXPECT_EQ(std::string(e.what()), "The drive is full") << n;
      }
    }
    const std::string now = testing::readFile(path);
    if (failed) {
      EXPECT_TRUE(now == before || now == after) << "fault at call " << n;
    } else {
      EXPECT_EQ(now, after) << "fault at call " << n;  // a failed folder sync is not an error
    }
    EXPECT_EQ(folders.tempFileCount(), 0u) << n;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folders.data()),
                            std::filesystem::directory_iterator()), 1) << n;
    if (!faulty.injected()) break;
    failures += failed ? 1 : 0;
  }
  EXPECT_GT(failures, 5);
}

// Renames out of the temporary folder fail as they do across file systems.
class CrossDeviceFileSystem : public FileSystem {
 public:
  explicit CrossDeviceFileSystem(std::string tempFolder) : temp_(std::move(tempFolder)) {}
  int rename(const char* from, const char* to) override {
    if (std::string_view(from).starts_with(temp_) && !std::string_view(to).starts_with(temp_)) {
      errno = EXDEV;
      return -1;
    }
    return FileSystem::rename(from, to);
  }

 private:
  std::string temp_;
};

TEST(QdbFaults, ReplacingAcrossFileSystemsCopiesBesideTheTargetFirst) {
  testing::ScratchFolders folders;
  const std::string path = folders.file("KEYS.QDB");
  CrossDeviceFileSystem crossDevice(folders.temp().string());
  ScopedFileSystem scope(crossDevice);
  replaceItem(path, "k", "value");
  replaceItem(path, "k", "other");
  EXPECT_EQ(testing::readFile(path), testing::recordFile("other", {{"k", 0, 5, 0}}));
  EXPECT_EQ(folders.tempFileCount(), 0u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folders.data()),
                          std::filesystem::directory_iterator()), 1);
}

}  // namespace
}  // namespace ondrix::store
