#include "automation/file_handles.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace ondrix::automation {
namespace {

class FileHandlesTest : public ::testing::Test {
 protected:
  testing::TempFolder folder_;
  FileHandles files_;
  std::string path_ = folder_.Path("data.txt");
};

TEST_F(FileHandlesTest, CreateTruncatesAndModesLimitAccess) {
  folder_.Write("data.txt", "old contents");
  const std::int32_t h = files_.Create(path_);
  ASSERT_GE(h, 0);
  EXPECT_EQ(files_.Write(h, "new", 3), 3);
  files_.Close(h);
  EXPECT_EQ(folder_.Read("data.txt"), "new");

  const std::int32_t reader = files_.Open(path_, FileHandles::kOpenRead);
  ASSERT_GE(reader, 0);
  EXPECT_EQ(files_.Write(reader, "x", 1), -1);  // opened for reading only
  std::string bytes;
  EXPECT_EQ(files_.Read(reader, 10, bytes), 3);
  EXPECT_EQ(bytes, "new");

  const std::int32_t writer = files_.Open(path_, FileHandles::kOpenWrite);
  ASSERT_GE(writer, 0);
  EXPECT_EQ(files_.Read(writer, 1, bytes), -1);  // opened for writing only
  EXPECT_EQ(files_.Write(writer, "N", 1), 1);
  files_.Close(writer);
  EXPECT_EQ(folder_.Read("data.txt"), "New");  // not truncated by opening

  EXPECT_EQ(files_.Open(folder_.Path("missing"), FileHandles::kOpenRead), -1);
  EXPECT_EQ(files_.Open(path_, 3), -1);  // no such mode
}

TEST_F(FileHandlesTest, SeekFromEachOrigin) {
  folder_.Write("data.txt", "0123456789");
  const std::int32_t h = files_.Open(path_, FileHandles::kOpenReadWrite);
  EXPECT_EQ(files_.Seek(h, 4, 0), 4);
  EXPECT_EQ(files_.Seek(h, 2, 1), 6);
  EXPECT_EQ(files_.Seek(h, -3, 2), 7);
  std::string bytes;
  EXPECT_EQ(files_.Read(h, 100, bytes), 3);
  EXPECT_EQ(bytes, "789");
  EXPECT_EQ(files_.Seek(h, 0, 3), -1);
  EXPECT_EQ(files_.Seek(h, -1, 0), -1);
}

// Counts beyond the file or the text, and negative counts, stay inside what exists.
TEST_F(FileHandlesTest, CountsAreCappedToWhatExists) {
  const std::int32_t h = files_.Create(path_);
  EXPECT_EQ(files_.Write(h, "abc", 1000000), 3);
  EXPECT_EQ(files_.Write(h, "abc", -5), 0);
  EXPECT_EQ(files_.Write(h, "abc", 0), 0);
  files_.Seek(h, 0, 0);
  std::string bytes;
  EXPECT_EQ(files_.Read(h, 0x7FFFFFFF, bytes), 3);  // no 2 GiB buffer either
  EXPECT_EQ(bytes, "abc");
  files_.Seek(h, 0, 0);
  EXPECT_EQ(files_.Read(h, -1, bytes), 0);
  EXPECT_EQ(bytes, "");
}

// A handle this table did not hand out is refused, whatever it refers to in the process.
TEST_F(FileHandlesTest, ForeignHandlesAreRefusedAndNeverClosed) {
  int pair[2];
  ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
  std::string bytes;
  for (std::int32_t foreign : {0, 1, 2, pair[0], -1, 999999}) {
    EXPECT_EQ(files_.Write(foreign, "x", 1), -1) << foreign;
    EXPECT_EQ(files_.Read(foreign, 1, bytes), -1) << foreign;
    EXPECT_EQ(files_.Seek(foreign, 0, 0), -1) << foreign;
    files_.Close(foreign);
  }
  EXPECT_EQ(::write(pair[0], "y", 1), 1);  // still open: Close ignored it
  ::close(pair[0]);
  ::close(pair[1]);

  const std::int32_t h = files_.Create(path_);
  files_.Close(h);
  EXPECT_EQ(files_.Write(h, "x", 1), -1);  // closed handles are forgotten
}

TEST_F(FileHandlesTest, OpenHandlesAreClosedWithTheTable) {
  std::int32_t h;
  {
    FileHandles scoped;
    h = scoped.Create(path_);
    ASSERT_GE(h, 0);
  }
  EXPECT_EQ(::fcntl(h, F_GETFD), -1);
}

}  // namespace
}  // namespace ondrix::automation
