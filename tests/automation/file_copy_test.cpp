#include "automation/file_copy.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace ondrix::automation {
namespace {

using testing::TempFolder;

bool exists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

TEST(FileCopy, CopiesIntoAnExistingFolderUnderTheSourceName) {
  TempFolder t;
  t.Write("a.txt", "alpha");
  ASSERT_EQ(::mkdir(t.Path("sub").c_str(), 0755), 0);
  EXPECT_TRUE(copyFile(t.Path("a.txt"), t.Path("sub")));
  EXPECT_EQ(t.Read("sub/a.txt"), "alpha");
  EXPECT_TRUE(copyFile(t.Path("a.txt"), t.Path("b.txt")));
  EXPECT_EQ(t.Read("b.txt"), "alpha");
  EXPECT_EQ(t.Read("a.txt"), "alpha");
}

TEST(FileCopy, FailuresLeaveNothingBehind) {
  TempFolder t;
  t.Write("a.txt", "alpha");
  EXPECT_FALSE(copyFile(t.Path("missing"), t.Path("x")));
  EXPECT_FALSE(exists(t.Path("x")));
  EXPECT_FALSE(copyFile(t.Path("a.txt"), t.Path("no/such/folder/x")));
  // Copying a file onto itself would truncate it before reading.
  EXPECT_FALSE(copyFile(t.Path("a.txt"), t.Path("./a.txt")));
  EXPECT_EQ(t.Read("a.txt"), "alpha");
}

TEST(FileCopy, ExpandFileNameResolvesAgainstTheCurrentFolder) {
  EXPECT_EQ(expandFileName("/a/b/../c/./d"), "/a/c/d");
  EXPECT_EQ(expandFileName("/.."), "/");
  EXPECT_EQ(expandFileName("x"), currentFolder() == "/" ? "/x" : currentFolder() + "/x");
}

TEST(FileMove, RenamesWithinAFileSystem) {
  TempFolder t;
  t.Write("a.txt", "alpha");
  EXPECT_TRUE(moveFile(t.Path("a.txt"), t.Path("b.txt")));
  EXPECT_FALSE(exists(t.Path("a.txt")));
  EXPECT_EQ(t.Read("b.txt"), "alpha");
  EXPECT_FALSE(moveFile(t.Path("a.txt"), t.Path("c.txt")));
}

// Across file systems the file is copied and the source removed once the copy is complete.
TEST(FileMove, CopiesAcrossFileSystems) {
  TempFolder here;
  TempFolder there("/dev/shm");
  struct stat a {}, b {};
  if (!there.Made() || ::stat(here.Root().c_str(), &a) != 0 || ::stat(there.Root().c_str(), &b) != 0 ||
      a.st_dev == b.st_dev)
    GTEST_SKIP() << "no second file system";
  here.Write("a.txt", std::string(200000, 'z'));
  EXPECT_TRUE(moveFile(here.Path("a.txt"), there.Root()));
  EXPECT_EQ(there.Read("a.txt"), std::string(200000, 'z'));
  EXPECT_FALSE(exists(here.Path("a.txt")));
}

TEST(FileRename, NeverReplacesAnExistingFile) {
  TempFolder t;
  t.Write("a.txt", "alpha");
  t.Write("b.txt", "beta");
  EXPECT_FALSE(renameFile(t.Path("a.txt"), t.Path("b.txt")));
  EXPECT_EQ(t.Read("b.txt"), "beta");
  EXPECT_TRUE(renameFile(t.Path("a.txt"), t.Path("c.txt")));
  EXPECT_EQ(t.Read("c.txt"), "alpha");
}

}  // namespace
}  // namespace ondrix::automation
