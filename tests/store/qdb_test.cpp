#include "store/qdb.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <functional>

#include "store/compressor.h"
#include "store/protection.h"
#include "qdb_test_support.h"

namespace ondrix::store {
namespace {

using testing::DiskEntry;
using testing::le32;
using testing::readFile;
using testing::recordFile;
using testing::writeFile;

template <class Error>
void expectError(const std::function<void()>& action, const std::string& message) {
  try {
    action();
    ADD_FAILURE() << "no error, expected: " << message;
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), message);
  } catch (const std::exception& e) {
    ADD_FAILURE() << "other error: " << e.what() << ", expected: " << message;
  }
}

std::string item(TQDB& db, const std::string& key) {
  EXPECT_TRUE(db.FindKey(key)) << key;
  std::string out;
  db.GetItem(out);
  return out;
}

std::vector<std::string> keys(TQDB& db) {
  std::vector<std::string> list;
  db.GetKeyList(list);
  return list;
}

class QdbTest : public ::testing::Test {
 protected:
  testing::ScratchFolders folders;
  std::string path = folders.file("TEST.QDB");
};

TEST_F(QdbTest, MissingFileIsCreatedEmptyAndClosesToCountAndIndex) {
  TQDB db;
  db.SetFileName(path);
  EXPECT_EQ(readFile(path), std::string("QDB\0\0\0\0\0QIX\0\5\0\0\0\0\0\0\0\0", 21));
  EXPECT_TRUE(keys(db).empty());
  std::string out;
  expectError<EQDBNoData>([&] { db.GetItem(out); }, "File " + path + " is empty");
  expectError<EQDBNoData>([&] { db.DeleteItem(); }, "File " + path + " is empty");
  db.SetFileName("");
  EXPECT_EQ(readFile(path), std::string("QDB\0\0\0\0\0QIX\0\4\0\0\0\0\0\0\0", 20));
  EXPECT_EQ(folders.tempFileCount(), 0u);
}

TEST_F(QdbTest, WritesDataInAddOrderAndIndexInDescendingOrder) {
  {
    TQDB db;
    db.SetFileName(path);
    db.AddItem("BB", "b");
    db.AddItem("A", "a");
    db.AddItem("", "c");
  }
  EXPECT_EQ(readFile(path), recordFile("BBA", {{"c", 3, 0, 0}, {"b", 0, 2, 0}, {"a", 2, 1, 0}}));
  EXPECT_EQ(folders.tempFileCount(), 0u);
}

TEST_F(QdbTest, NameWithoutExtensionGetsQdb) {
  TQDB db;
  db.SetFileName(folders.file("SETTINGS"));
  EXPECT_EQ(db.FileName(), folders.file("SETTINGS.QDB"));
  db.SetFileName("");
  EXPECT_TRUE(std::filesystem::exists(folders.file("SETTINGS.QDB")));
}

TEST_F(QdbTest, ReaderReversesDiskOrderWithoutSorting) {
  writeFile(path, recordFile("xy", {{"B", 0, 1, 0}, {"A", 1, 1, 0}}));
  TQDB db;
  db.SetFileName(path);
  EXPECT_EQ(keys(db), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(db.CurrentKey(), "A");
  EXPECT_EQ(item(db, "a"), "y");
  EXPECT_EQ(item(db, "B"), "x");
  const auto disk = db.DiskIndex();
  ASSERT_EQ(disk.size(), 2u);
  EXPECT_EQ(disk[0].key, "B");
  EXPECT_EQ(disk[1].key, "A");
}

TEST_F(QdbTest, KeysCompareWithoutCaseByDefault) {
  TQDB db;
  db.SetFileName(path);
  db.AddItem("1", "abc");
  expectError<EQDBIndexError>([&] { db.AddItem("2", "ABC"); }, "Duplicate keys are not allowed");
  db.AddItem("3", "\xE9t\xE9");  // Windows-1252 e-acute folds to E-acute
  expectError<EQDBIndexError>([&] { db.AddItem("4", "\xC9T\xC9"); }, "Duplicate keys are not allowed");
  EXPECT_EQ(item(db, "aBc"), "1");
  EXPECT_EQ(db.CurrentKey(), "abc");
  EXPECT_FALSE(db.FindKey("ab"));
  EXPECT_EQ(db.Count(), 2);
  db.AddItem("5", "B");
  db.AddItem("6", "a");
  EXPECT_EQ(keys(db), (std::vector<std::string>{"a", "abc", "B", "\xE9t\xE9"}));
}

TEST_F(QdbTest, CaseSensitiveSystemItemSeparatesKeys) {
  writeFile(path, recordFile("\x01" "AL", {{"QDBCaseSensitive", 0, 1, kFlagSystem},
                                           {"a", 2, 1, 0}, {"A", 1, 1, 0}}));
  TQDB db;
  db.SetFileName(path);
  EXPECT_TRUE(db.CaseSensitive());
  EXPECT_EQ(keys(db), (std::vector<std::string>{"A", "a"}));
  EXPECT_EQ(item(db, "a"), "L");
  EXPECT_EQ(item(db, "A"), "A");
  EXPECT_FALSE(db.FindKey("QDBCaseSensitive"));
  EXPECT_EQ(db.GetSystemItem("QDBCaseSensitive"), "\x01");
  expectError<EQDBBadKey>([&] { db.GetSystemItem("Other"); }, "The key 'Other' does not exist");
  db.AddItem("b", "b");
  db.SetFileName("");
  // System entries come first on disk and survive the rewrite.
  EXPECT_EQ(readFile(path), recordFile("\x01" "ALb", {{"QDBCaseSensitive", 0, 1, kFlagSystem},
                                                      {"b", 3, 1, 0}, {"a", 2, 1, 0},
                                                      {"A", 1, 1, 0}}));
}

// One engine opens a case-sensitive file and then a plain one: closing the first must forget its
// case rule, or the second file would let "abc" and "ABC" in side by side.
TEST_F(QdbTest, AnEngineReusedForASecondFileForgetsTheFirstFilesCaseRule) {
  writeFile(path, recordFile("\x01", {{"QDBCaseSensitive", 0, 1, kFlagSystem}}));
  const std::string plain = folders.file("PLAIN.QDB");
  TQDB db;
  db.SetFileName(path);
  ASSERT_TRUE(db.CaseSensitive());
  db.AddItem("1", "abc");
  db.AddItem("2", "ABC");  // two keys in the case-sensitive file
  db.SetFileName("");
  db.SetFileName(plain);
  EXPECT_FALSE(db.CaseSensitive());
  db.AddItem("1", "abc");
  expectError<EQDBIndexError>([&] { db.AddItem("2", "ABC"); }, "Duplicate keys are not allowed");
  EXPECT_EQ(item(db, "ABC"), "1");
  db.SetFileName("");
  db.SetFileName(path);  // and back: the first file's rule is read again
  EXPECT_TRUE(db.CaseSensitive());
  EXPECT_EQ(keys(db), (std::vector<std::string>{"ABC", "abc"}));
}

TEST_F(QdbTest, CaseSensitiveNeedsExactlyOneByteOfOne) {
  for (const std::string& value : {std::string("\x02"), std::string("\x01\x01"), std::string()}) {
    writeFile(path, recordFile(value, {{"QDBCaseSensitive", 0, static_cast<int>(value.size()),
                                        kFlagSystem}}));
    TQDB db;
    db.SetFileName(path);
    EXPECT_FALSE(db.CaseSensitive()) << value.size();
  }
}

TEST_F(QdbTest, DeletedBytesStayAsDeadSpaceUntilPacked) {
  writeFile(path, recordFile("S", {{"sys", 0, 1, kFlagSystem}}));
  TQDB db;
  db.SetFileName(path);
  db.AddItem("first", "k");
  db.AddItem("zz", "z");
  ASSERT_TRUE(db.FindKey("k"));
  db.DeleteItem();
  db.AddItem("second", "k");
  db.SaveIndex();
  db.SetFileName("");
  EXPECT_EQ(readFile(path), recordFile("Sfirstzzsecond", {{"sys", 0, 1, kFlagSystem},
                                                          {"z", 6, 2, 0}, {"k", 8, 6, 0}}));
  db.SetFileName(path);
  ASSERT_TRUE(db.FindKey("z"));
  db.Pack();
  EXPECT_EQ(db.Position(), 1);
  EXPECT_EQ(item(db, "k"), "second");
  db.SetFileName("");
  EXPECT_EQ(readFile(path), recordFile("Ssecondzz", {{"sys", 0, 1, kFlagSystem},
                                                     {"z", 7, 2, 0}, {"k", 1, 6, 0}}));
}

TEST_F(QdbTest, CurrentPositionFollowsFindAddAndDelete) {
  TQDB db;
  db.SetFileName(path);
  for (const char* k : {"c", "a", "b"}) db.AddItem(k, k);
  EXPECT_EQ(db.Position(), 1);
  ASSERT_TRUE(db.FindKey("c"));
  db.DeleteItem();
  EXPECT_EQ(db.Position(), 1);
  EXPECT_EQ(db.CurrentKey(), "b");
  ASSERT_TRUE(db.FindKey("a"));
  db.DeleteItem();
  EXPECT_EQ(db.Position(), 0);
  EXPECT_EQ(db.CurrentKey(), "");
  std::string out;
  db.GetItem(out);
  EXPECT_EQ(out, "b");
  expectError<EQDBOutOfBounds>([&] { db.SetPosition(1); }, "The list index is out of bounds");
  int warned = 0;
  db.WarnOutOfBounds = [&](TQDB&) { ++warned; };
  db.SetPosition(5);
  EXPECT_EQ(warned, 1);
}

TEST_F(QdbTest, OperationsWithoutAFileFail) {
  TQDB db;
  std::string out;
  const std::string text = "Illegal operation - no file assigned";
  expectError<EQDBNoFile>([&] { db.AddItem("x", "k"); }, text);
  expectError<EQDBNoFile>([&] { db.GetItem(out); }, text);
  expectError<EQDBNoFile>([&] { db.DeleteItem(); }, text);
  expectError<EQDBNoFile>([&] { db.Pack(); }, text);
  expectError<EQDBNoFile>([&] { db.SaveIndex(); }, text);
  EXPECT_FALSE(db.FindKey("k"));
}

TEST_F(QdbTest, ChangedFileIsNotOverwrittenButDiverted) {
  writeFile(path, recordFile("", {}));
  writeFile(folders.file("1TEST.QDB"), "occupied");
  TQDB db;
  db.SetFileName(path);
  db.AddItem("mine", "k");
  const std::string theirs = recordFile("theirs", {{"t", 0, 6, 0}});
  writeFile(path, theirs);
  timespec times[2] = {{0, UTIME_OMIT}, {1000, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  db.SetFileName("");
  EXPECT_EQ(readFile(path), theirs);
  EXPECT_EQ(readFile(folders.file("1TEST.QDB")), "occupied");
  EXPECT_EQ(readFile(folders.file("11TEST.QDB")), recordFile("mine", {{"k", 0, 4, 0}}));
}

TEST_F(QdbTest, OverwriteConfirmedByHookReplacesTheFile) {
  TQDB db;
  db.BeforeOverWrite = [](TQDB&, bool& ok) { ok = true; };
  db.SetFileName(path);
  writeFile(path, recordFile("x", {{"x", 0, 1, 0}}));
  timespec times[2] = {{0, UTIME_OMIT}, {1000, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  db.SetFileName("");
  EXPECT_EQ(readFile(path), recordFile("", {}));
  EXPECT_FALSE(std::filesystem::exists(folders.file("1TEST.QDB")));
}

TEST_F(QdbTest, ReadOnlyFileReadsButRefusesChangesAndIsNotWritten) {
  const std::string bytes = recordFile("v", {{"k", 0, 1, 0}});
  writeFile(path, bytes);
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  struct stat before {};
  stat(path.c_str(), &before);
  TQDB db;
  db.SetFileName(path);
  EXPECT_TRUE(db.ReadOnly());
  EXPECT_EQ(item(db, "k"), "v");
  const std::string text = path + " is marked as read-only";
  expectError<EQDBReadOnly>([&] { db.AddItem("w", "j"); }, text);
  expectError<EQDBReadOnly>([&] { db.DeleteItem(); }, text);
  expectError<EQDBReadOnly>([&] { db.Pack(); }, text);
  db.SetFileName("");
  struct stat after {};
  stat(path.c_str(), &after);
  EXPECT_EQ(readFile(path), bytes);
  EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
  EXPECT_EQ(folders.tempFileCount(), 0u);
}

std::string scrambled(std::string section, std::string_view password) {
  auto* data = reinterpret_cast<std::uint8_t*>(section.data());
  scrambleBuffer(data, section.size(), scrambleKey(password));
  return section;
}

std::string protectedFile(const Sha1Digest& check, const std::string& data,
                          const std::string& index) {
  const std::string scrambledIndex = scrambled(index, "");
  return std::string("QDB\0QPW", 8) + std::string(check.begin(), check.end()) +
         le32(static_cast<int>(data.size())) + scrambled(data, "") + std::string("QIX", 4) +
         le32(static_cast<int>(index.size())) + scrambledIndex;
}

TEST(Protection, Sha1AndScramblingMatchTheirDefinitions) {
  const Sha1Digest abc = sha1("abc");
  EXPECT_EQ(abc[0], 0xA9);
  EXPECT_EQ(abc[19], 0x9D);
  std::uint8_t buffer[6] = {0, 0, 0, 0, 0, 0};
  scrambleBuffer(buffer, 6, 1);
  const std::uint32_t state = 1u * 1664525u + 1013904223u;
  EXPECT_EQ(buffer[0], state & 0xFF);
  EXPECT_EQ(buffer[3], state >> 24);
  const auto b1 = static_cast<std::uint8_t>((state & 0xFF) * 13 + 95);
  EXPECT_EQ(buffer[4], b1);
  EXPECT_EQ(buffer[5], static_cast<std::uint8_t>(b1 * 13 + 95));
  std::uint8_t short_[2] = {0, 0};
  scrambleBuffer(short_, 2, 0x107);
  EXPECT_EQ(short_[0], static_cast<std::uint8_t>(7 * 13 + 95));
}

TEST_F(QdbTest, ProtectedFileOpensWithTheEmptyPasswordAndIsWrittenPlain) {
  const std::string index = testing::indexSection({{"key", 0, 5, 0}});
  writeFile(path, protectedFile(passwordCheck(""), "hello", index));
  TQDB db;
  db.SetFileName(path);
  EXPECT_EQ(item(db, "key"), "hello");
  db.SetFileName("");
  EXPECT_EQ(readFile(path), recordFile("hello", {{"key", 0, 5, 0}}));
}

TEST_F(QdbTest, ProtectedFileWithAnotherPasswordIsRefused) {
  const std::string index = testing::indexSection({{"key", 0, 5, 0}});
  const std::string bytes = protectedFile(passwordCheck("secret"), "hello", index);
  writeFile(path, bytes);
  TQDB db;
  expectError<EQDBInvalidPW>([&] { db.SetFileName(path); },
                             "The password you have provided is invalid");
  EXPECT_EQ(db.FileName(), "");
  EXPECT_EQ(readFile(path), bytes);
  EXPECT_EQ(folders.tempFileCount(), 0u);
}

TEST_F(QdbTest, PasswordFromTheHookKeepsTheFileProtected) {
  const std::string index = testing::indexSection({{"key", 0, 5, 0}});
  // A data section larger than one scrambling buffer.
  const std::string big(600000, 'q');
  {
    std::string file = std::string("QDB\0QPW", 8);
    const Sha1Digest check = passwordCheck("pw");
    file += std::string(check.begin(), check.end()) + le32(static_cast<int>(big.size()));
    for (std::size_t at = 0; at < big.size(); at += 524288) {
      std::string chunk = big.substr(at, 524288);
      auto* d = reinterpret_cast<std::uint8_t*>(chunk.data());
      scrambleBuffer(d, chunk.size(), scrambleKey("pw"));
      file += chunk;
    }
    std::string idx = testing::indexSection({{"big", 0, static_cast<int>(big.size()), 0}});
    file += std::string("QIX", 4) + le32(static_cast<int>(idx.size()));
    auto* d = reinterpret_cast<std::uint8_t*>(idx.data());
    scrambleBuffer(d, idx.size(), scrambleKey("pw"));
    file += idx;
    writeFile(path, file);
  }
  const std::string original = readFile(path);
  TQDB db;
  db.OnDemandPassword = [](TQDB&, std::string& password) { password = "pw"; };
  db.SetFileName(path);
  EXPECT_EQ(item(db, "big"), big);
  db.SetFileName("");
  EXPECT_EQ(readFile(path), original);
}

TEST_F(QdbTest, CompressedItemsAreWrittenFlaggedAndReadBack) {
  std::string text;
  for (int i = 0; i < 4000; ++i) text += "host=example.org port=23 emulation=VT100\r\n";
  {
    TQDB db;
    db.Compression = true;
    db.SetFileName(path);
    db.AddItem(text, "big");
    db.AddItem("", "empty");
  }
  std::string expectedData;
  const std::size_t size = compressItem(text, expectedData);
  EXPECT_LT(size, text.size() / 4);
  EXPECT_EQ(readFile(path),
            recordFile(expectedData, {{"empty", static_cast<int>(size), 0, kFlagCompressed},
                                      {"big", 0, static_cast<int>(size), kFlagCompressed}}));
  TQDB db;
  db.SetFileName(path);
  EXPECT_EQ(item(db, "big"), text);
  EXPECT_EQ(item(db, "empty"), "");
}

TEST_F(QdbTest, MalformedFilesAreRejectedWithTheEngineText) {
  const std::string good = recordFile("abc", {{"k", 0, 3, 0}});
  const std::string noData = std::string("QDB", 4) + le32(0) + std::string("QIX", 4);
  const std::string keyWithoutZero = noData + le32(17) + le32(1) + "abcdefghijklm";
  const std::string entryCutOff = noData + le32(19) + le32(1) + std::string("kkkkkk\0", 7) +
                                  le32(0) + le32(0);
  const std::string badCompressed("\x05\x00\x40\x80\x00\x00\x10", 7);
  const std::vector<std::pair<const char*, std::string>> cases = {
      {"empty file", ""},
      {"wrong file tag", "QDC" + good.substr(3)},
      {"cut in the data length", good.substr(0, 6)},
      {"data length past the end", std::string("QDB", 4) + le32(100) + "abc"},
      {"negative data length", std::string("QDB", 4) + le32(-1) + "abc"},
      {"wrong index tag", std::string("QDB", 4) + le32(0) + std::string("QIY", 4) + le32(4) + le32(0)},
      {"index length past the end", good.substr(0, good.size() - 1)},
      {"index too short for the count", noData + le32(2) + std::string(2, '\0')},
      {"count larger than the section", std::string("QDB", 4) + le32(0) + std::string("QIX", 4) + le32(8) + le32(1000) + le32(0)},
      {"negative count", std::string("QDB", 4) + le32(0) + std::string("QIX", 4) + le32(4) + le32(-1)},
      {"key without its zero", keyWithoutZero},
      {"entry cut off", entryCutOff},
      {"offset past the data", recordFile("abc", {{"k", 1, 3, 0}})},
      {"negative offset", recordFile("abc", {{"k", -1, 1, 0}})},
      {"negative size", recordFile("abc", {{"k", 0, -1, 0}})},
      {"duplicate system key", recordFile("ab", {{"s", 0, 1, 1}, {"S", 1, 1, 1}})},
      {"bad case-sensitivity item", recordFile(badCompressed, {{"QDBCaseSensitive", 0, 7, 3}})},
  };
  for (const auto& [name, bytes] : cases) {
    writeFile(path, bytes);
    TQDB db;
    const std::string expected = std::string(name) == std::string("duplicate system key")
                                     ? "Not enough memory to extend the index to " + path
                                     : "The file " + path + " is not a valid QDB file";
    expectError<EQDBError>([&] { db.SetFileName(path); }, expected);
    EXPECT_EQ(db.FileName(), "") << name;
    EXPECT_FALSE(db.FileAssigned()) << name;
    EXPECT_EQ(readFile(path), bytes) << name;
    EXPECT_EQ(folders.tempFileCount(), 0u) << name;
  }
}

TEST_F(QdbTest, CorruptCompressedItemFailsOnRead) {
  const std::string bad("\x05\x00\x40\x80\x00\x00\x10", 7);  // copy before the output start
  writeFile(path, recordFile(bad, {{"k", 0, 7, kFlagCompressed}}));
  TQDB db;
  db.SetFileName(path);
  std::string out;
  ASSERT_TRUE(db.FindKey("k"));
  expectError<EQDBIndexError>([&] { db.GetItem(out); },
                              "The file " + path + " is not a valid QDB file");
}

TEST_F(QdbTest, CacheKeepsSmallItemsAndCountsHits) {
  TQDB db;
  db.SetFileName(path);
  db.AddItem(std::string(65535, 'a'), "small");
  db.AddItem(std::string(65536, 'b'), "large");
  EXPECT_TRUE(db.Cache().Contains("small"));
  EXPECT_FALSE(db.Cache().Contains("large"));
  db.ResetCacheFrequency();
  EXPECT_EQ(db.CacheFrequency(), 0);
  EXPECT_EQ(item(db, "small"), std::string(65535, 'a'));  // hit
  EXPECT_EQ(item(db, "large"), std::string(65536, 'b'));  // miss, not cached
  EXPECT_EQ(db.CacheFrequency(), 100);
  db.AddItem("tiny", "t");  // evicts "small"
  EXPECT_FALSE(db.Cache().Contains("small"));
  EXPECT_EQ(db.Cache().Evictions(), 1u);
  EXPECT_EQ(db.CacheFrequency(), 50);
  ASSERT_TRUE(db.FindKey("t"));
  db.DeleteItem();
  EXPECT_FALSE(db.Cache().Contains("t"));
}

TEST_F(QdbTest, ProgressAndNotificationsAreReported) {
  std::vector<std::string> events;
  std::vector<std::pair<int, int>> progress;
  TQDB db;
  db.OnAdded = [&](TQDB&) { events.push_back("added"); };
  db.OnNavigate = [&](TQDB&) { events.push_back("navigate"); };
  db.OnFound = [&](TQDB&) { events.push_back("found"); };
  db.BeforeDelete = [&](TQDB&) { events.push_back("before"); };
  db.OnDeleted = [&](TQDB&) { events.push_back("deleted"); };
  db.AfterDelete = [&](TQDB&) { events.push_back("after"); };
  db.OnFileAssigned = [&](TQDB&) { events.push_back("assigned"); };
  db.SetFileName(path);
  db.AddItem("x", "k");
  ASSERT_TRUE(db.FindKey("k"));
  db.DeleteItem();
  EXPECT_EQ(events, (std::vector<std::string>{"assigned", "added", "navigate", "navigate", "found",
                                              "before", "deleted", "after"}));
  for (int i = 0; i < 25; ++i) db.AddItem("v", "key" + std::to_string(i));
  db.ProgressUpdate = [&](TQDB&, int percent, int kind) { progress.emplace_back(kind, percent); };
  std::vector<std::string> list;
  db.GetKeyList(list);
  // 25 steps: every third step reports i * 10 / 3; the end reports 0.
  EXPECT_EQ(progress, (std::vector<std::pair<int, int>>{{4, 0}, {4, 10}, {4, 20}, {4, 30}, {4, 40},
                                                        {4, 50}, {4, 60}, {4, 70}, {4, 80}, {4, 0}}));
}

}  // namespace
}  // namespace ondrix::store

namespace ondrix::store {
namespace {

TEST(QdbErrors, FileFailuresMapToTheirCodesAndTexts) {
  struct Case {
    int errnoValue;
    int code;
    std::string text;
  };
  const std::vector<Case> cases = {
      {ENOENT, -2, "Could not find the file F.QDB"},
      {ENOTDIR, -2, "Could not find the file F.QDB"},
      {EIO, -3, "The drive you are trying to access is not ready"},
      {EMFILE, -4, "No more file handles are available"},
      {ETXTBSY, -5, "The file F.QDB seems to be in use by another program"},
      {ENOSPC, -101, "The drive is full"},
      {EACCES, EACCES, "Unidentified problem -  " + std::to_string(EACCES)},
  };
  for (const auto& c : cases) {
    const EQDBFileError error = fileErrorFromErrno(c.errnoValue, "F.QDB");
    EXPECT_EQ(error.code(), c.code) << c.errnoValue;
    EXPECT_EQ(std::string(error.what()), c.text) << c.errnoValue;
  }
}

TEST_F(QdbTest, MissingFolderReportsTheFileAsNotFound) {
  TQDB db;
  const std::string missing = folders.file("absent/X.QDB");
  expectError<EQDBFileError>([&] { db.SetFileName(missing); }, "Could not find the file " + missing);
  EXPECT_EQ(db.FileName(), "");
}

}  // namespace
}  // namespace ondrix::store
