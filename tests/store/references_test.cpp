// Connection and default references after a palette or keylist is deleted, and the combination
// comparison of key labels.

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "store/file_system.h"
#include "store/stores/con_db_fcns.h"
#include "store/stores/def_db_fcns.h"
#include "store/stores/key_db_fcns.h"
#include "store/stores/numbered_references.h"
#include "store_fixture.h"

namespace ondrix::store {
namespace {

static_assert(referenceAfterDelete(2, 2) == 0);
static_assert(referenceAfterDelete(5, 2) == 4);
static_assert(referenceAfterDelete(1, 2) == 1);
static_assert(referenceAfterDelete(-1, 2) == -1);

class ReferencesTest : public DataFolderTest {
 protected:
  // Connection i uses palette palettes[i] and keylist keylists[i].
  void writeBook(const std::vector<int>& palettes, const std::vector<int>& keylists) {
    ConDBFcns con(folder());
    con.Open();
    for (std::size_t i = 0; i < palettes.size(); ++i) {
      ConnectionRecord r;
      r.RecordNo = static_cast<int>(i);
      r.Name = "c" + std::to_string(i);
      r.PaletteNo = palettes[i];
      r.KeyListNo = keylists[i];
      con.Write(static_cast<int>(i), r);
    }
    con.Close();
  }
  std::vector<int> field(std::int32_t ConnectionRecord::*member) {
    ConDBFcns con(folder());
    con.Open();
    std::vector<int> values;
    for (int i = 0; i < con.Count(); ++i) values.push_back(con.Read(i).*member);
    con.Close();
    return values;
  }
};

TEST_F(ReferencesTest, ConnectionsOnBothSidesOfTheDeletedNumberKeepTheirItems) {
  writeBook({0, 3, 4, 5, 2, 4}, {1, 4, 5, 6, 4, 0});
  ConDBFcns con(folder());
  con.PaletteDeleted(4);
  EXPECT_EQ(field(&ConnectionRecord::PaletteNo), (std::vector<int>{0, 3, 0, 4, 2, 0}));
  EXPECT_EQ(field(&ConnectionRecord::KeyListNo), (std::vector<int>{1, 4, 5, 6, 4, 0}));
  con.KeyListDeleted(4);
  EXPECT_EQ(field(&ConnectionRecord::KeyListNo), (std::vector<int>{1, 0, 4, 5, 0, 0}));
  EXPECT_EQ(field(&ConnectionRecord::PaletteNo), (std::vector<int>{0, 3, 0, 4, 2, 0}));
  EXPECT_FALSE(exists("CONINFO.QDB.new"));
}

// Every write, sync or rename of the replacement fails in turn: the book read afterwards is always
// the old one or the new one, never a mixture or an empty file.
TEST_F(ReferencesTest, AnInterruptedReplacementLeavesTheOldOrTheNewBook) {
  const std::vector<int> oldKeys{4, 6, 5, 2, 5};
  const std::vector<int> newKeys{4, 5, 0, 2, 0};
  struct FailingAt : FileSystem {
    int countdown = 0;
    bool fail() { return --countdown == 0; }
    ssize_t write(int fd, const void* data, std::size_t size) override {
      if (fail()) return errno = EIO, -1;
      return FileSystem::write(fd, data, size);
    }
    int fsync(int fd) override { return fail() ? (errno = EIO, -1) : FileSystem::fsync(fd); }
    int rename(const char* from, const char* to) override {
      return fail() ? (errno = EIO, -1) : FileSystem::rename(from, to);
    }
  };
  bool completed = false;
  for (int n = 1; n < 200 && !completed; ++n) {
    writeBook({0, 0, 0, 0, 0}, oldKeys);
    FailingAt failing;
    failing.countdown = n;
    {
      ScopedFileSystem seam(failing);
      try {
        ConDBFcns(folder()).KeyListDeleted(5);
        completed = true;
      } catch (const std::exception&) {
      }
    }
    const std::vector<int> now = field(&ConnectionRecord::KeyListNo);
    EXPECT_TRUE(now == oldKeys || now == newKeys) << "failing call " << n;
    if (completed) {
      EXPECT_EQ(now, newKeys);
    }
  }
  EXPECT_TRUE(completed);
}

TEST_F(DataFolderTest, DefaultNumbersFollowTheDeletion) {
  DefDBFcns defs(folder());
  defs.Open();
  defs.WriteInteger("PaletteNo", 3);
  defs.WriteInteger("KeyListNo", 5);
  defs.WriteText("FontName", "Terminal");
  defs.NumberDeleted("NoSuchValue", 1);  // no such value: nothing happens
  defs.NumberDeleted("PaletteNo", 1);
  defs.NumberDeleted("KeyListNo", 5);
  EXPECT_EQ(defs.ReadInteger("PaletteNo"), 2);
  EXPECT_EQ(defs.ReadInteger("KeyListNo"), 0);
  EXPECT_EQ(defs.ReadText("FontName"), "Terminal");
  defs.NumberDeleted("PaletteNo", 4);  // a higher number was deleted: unchanged
  EXPECT_EQ(defs.ReadInteger("PaletteNo"), 2);
  defs.Close();
}

TEST(KeyLabels, SameCombinationIgnoresCaseAndModifierOrder) {
  struct Case {
    const char* a;
    const char* b;
    bool same;
  };
  const Case cases[] = {
      {"Ctrl+Shift+f1", "CTRL+SHIFT+F1", true}, {"Shift+Ctrl+f1", "Ctrl+Shift+f1", true},
      {"Up", "UP", true},                       {"Shift+Tab", "SHIFT+TAB", true},
      {"Ctrl+f1", "Ctrl+Shift+f1", false},      {"Alt+x", "Ctrl+x", false},
      {"f1", "f11", false},                     {"Ctrl+", "", false},
  };
  for (const Case& c : cases) EXPECT_EQ(sameCombination(c.a, c.b), c.same) << c.a << " / " << c.b;
}

}  // namespace
}  // namespace ondrix::store
