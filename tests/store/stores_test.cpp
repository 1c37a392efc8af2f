#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "store/file_system.h"
#include "store/stores/addin_db.h"
#include "store/stores/con_db_fcns.h"
#include "store/stores/def_db_fcns.h"
#include "store/stores/evt_db_fcns.h"
#include "store/stores/key_db_fcns.h"
#include "store/stores/pal_db_fcns.h"
#include "store/stores/stored_values.h"
#include "store_fixture.h"

namespace ondrix::store {
namespace {

using Names = std::vector<std::string>;

class ConnectionStoreTest : public DataFolderTest {
 protected:
  // Writes connections with these names, numbered in the given order.
  void addConnections(const Names& names, int paletteOf3 = -1) {
    ConDBFcns con(folder());
    con.Open();
    for (std::size_t i = 0; i < names.size(); ++i) {
      ConnectionRecord r;
      r.RecordNo = static_cast<int>(i);
      r.Name = names[i];
      r.Host = "host" + std::to_string(i);
      r.PaletteNo = static_cast<int>(i) == 1 ? paletteOf3 : static_cast<int>(i);
      con.Write(static_cast<int>(i), r);
    }
    con.Close();
  }
};

TEST_F(ConnectionStoreTest, RenumberSortsByCharacterCodeAndNumbersWithoutGaps) {
  addConnections({"b", "A", "a"});
  ConDBFcns con(folder());
  con.Open();
  con.Renumber();
  EXPECT_EQ(con.ListNames(), (Names{"A", "a", "b"}));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(con.Read(i).RecordNo, i);
  EXPECT_EQ(con.Read(0).Host, "host1");
  EXPECT_EQ(con.Read(3).RecordNo, -1);
  con.Close();
  EXPECT_FALSE(exists("CONINFO.QDB.new"));
}

TEST_F(ConnectionStoreTest, MissingRecordReadsAsMinusOneAndZeros) {
  ConDBFcns con(folder());
  con.Open();
  EXPECT_EQ(con.Read(4), ConnectionRecord::missing());
  EXPECT_EQ(con.Count(), 0);
  con.Close();
}

TEST_F(ConnectionStoreTest, DeleteTakesTheConnectionsHandlersAndRenumbers) {
  addConnections({"alpha", "beta", "gamma"});
  EvtDBFcns events(folder());
  events.Open();
  for (int kind = 1; kind <= 4; ++kind) {
    events.Write("beta", kind, EventRec{"beta", kind, 1, "x"});
    events.Write("alpha", kind, EventRec{"alpha", kind, 1, "y"});
  }
  events.Write("System", 2, EventRec{"System", 2, 1, "z"});
  events.Close();

  ConDBFcns con(folder());
  con.Open();
  con.Delete(1, events);
  EXPECT_EQ(con.ListNames(), (Names{"alpha", "gamma"}));
  EXPECT_EQ(con.Read(1).RecordNo, 1);
  EXPECT_EQ(con.Read(1).Name, "gamma");
  con.Delete(9, events);  // no such connection: nothing changes
  EXPECT_EQ(con.Count(), 2);
  con.Close();

  events.Open();
  for (int kind = 1; kind <= 4; ++kind) {
    EXPECT_EQ(events.Read("beta", kind).Enabled, 0) << kind;
    EXPECT_EQ(events.Read("alpha", kind).Script, "y") << kind;
  }
  EXPECT_EQ(events.Read("System", 2).Script, "z");
  events.Close();
}

TEST_F(ConnectionStoreTest, ReplacePaletteTouchesOnlyMatchingRecords) {
  addConnections({"a", "b", "c", "d"}, 3);  // palettes 0, 3, 2, 3
  ConDBFcns con(folder());
  con.ReplacePalette(3, 0);
  con.ReplaceKeyList(0, 2);
  con.Open();
  EXPECT_EQ(con.Read(0).PaletteNo, 0);
  EXPECT_EQ(con.Read(1).PaletteNo, 0);
  EXPECT_EQ(con.Read(2).PaletteNo, 2);
  EXPECT_EQ(con.Read(3).PaletteNo, 0);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(con.Read(i).KeyListNo, 2);
  con.Close();
}

TEST_F(ConnectionStoreTest, RenumberThatFailsToReplaceKeepsTheOldBook) {
  addConnections({"b", "a"});
  // Every rename fails: the renumbered file cannot take the book's place.
  struct FailingRename : FileSystem {
    int rename(const char*, const char*) override {
      errno = EIO;
      return -1;
    }
  } failing;
  {
    ScopedFileSystem seam(failing);
    ConDBFcns con(folder());
    con.Open();
    EXPECT_ANY_THROW(con.Renumber());
  }
  ConDBFcns con(folder());
  con.Open();
  EXPECT_EQ(con.ListNames(), (Names{"b", "a"}));
  con.Close();
}

TEST_F(ConnectionStoreTest, LeftoverOfAnInterruptedRenumberIsIgnored) {
  addConnections({"b", "a"});
  {
    // A complete record file with a stray item, as an interrupted run could leave it.
    writeRecordFile(folder() + "CONINFO.QDB.stale", {{"00007", "stray"}});
    std::filesystem::rename(folder() + "CONINFO.QDB.stale", folder() + "CONINFO.QDB.new");
  }
  ConDBFcns con(folder());
  con.Open();
  con.Renumber();
  EXPECT_EQ(con.ListNames(), (Names{"a", "b"}));
  EXPECT_EQ(con.Read(7).RecordNo, -1);
  con.Close();
}

TEST_F(DataFolderTest, DefaultsEncodingsAndMissingValues) {
  DefDBFcns defs(folder());
  defs.Open();
  EXPECT_EQ(defs.ReadInteger("Port"), -1);
  EXPECT_EQ(defs.ReadText("Emulation"), "");
  EXPECT_FALSE(defs.ReadBoolean("AddCR"));
  defs.WriteText("Emulation", "VT220");
  defs.WriteInteger("Port", 2323);
  defs.WriteBoolean("AddCR", true);
  defs.WriteInteger("LocalEcho", 2);  // a boolean is true only for exactly 1
  EXPECT_EQ(defs.ReadText("Emulation"), "VT220");
  defs.WriteText("Emulation", "ANSI");  // an existing name is replaced
  defs.Close();
  defs.Open();
  EXPECT_EQ(defs.ReadText("Emulation"), "ANSI");
  EXPECT_EQ(defs.ReadInteger("Port"), 2323);
  EXPECT_TRUE(defs.ReadBoolean("AddCR"));
  EXPECT_FALSE(defs.ReadBoolean("LocalEcho"));
  EXPECT_EQ(defs.ReadInteger("AddCR"), 1);
  defs.Close();
}

TEST_F(DataFolderTest, NewConnectionIsSeededFromTheDefaults) {
  DefDBFcns defs(folder());
  defs.Open();
  defs.WriteText("Emulation", "VT220-extra");
  defs.WriteInteger("Lines", 30);
  defs.WriteBoolean("LocalEcho", true);
  ConDBFcns con(folder());
  con.Open();
  const ConnectionRecord first = con.AddNew(defs);
  const ConnectionRecord second = con.AddNew(defs);
  defs.Close();
  EXPECT_EQ(first.Name, "New connection 0");
  EXPECT_EQ(second.Name, "New connection 1");
  EXPECT_EQ(second.RecordNo, 1);
  EXPECT_EQ(con.Read(1), second);
  EXPECT_EQ(second.Emulation, "VT220-");
  EXPECT_EQ(second.Lines, 30);
  EXPECT_EQ(second.Columns, -1);  // missing default
  EXPECT_TRUE(second.LocalEcho);
  EXPECT_EQ(second.Host, "");
  con.Close();
}

TEST_F(DataFolderTest, DeletingAPaletteRenumbersTheRest) {
  PalDBFcns pal(folder());
  pal.Open();
  for (int i = 0; i < 4; ++i) {
    PaletteRecord p;
    p.RecordNo = i;
    p.Name = "P" + std::to_string(i);
    p.Colors[0] = static_cast<std::uint32_t>(i);
    pal.Write(i, p);
  }
  pal.Delete(2);
  EXPECT_EQ(pal.ListNames(), (Names{"P0", "P1", "P3"}));
  EXPECT_EQ(pal.Read(2).RecordNo, 2);
  EXPECT_EQ(pal.Read(2).Colors[0], 3u);
  EXPECT_EQ(pal.Read(3).RecordNo, -1);
  pal.Close();
}

TEST_F(DataFolderTest, DeletingAKeylistRenumbersTheRest) {
  KeyDBFcns keys(folder());
  keys.Open();
  for (int i = 0; i < 8; ++i) {
    TKeyItem k;
    k.RecordNo = i;
    k.Name = "K" + std::to_string(i);
    k.Entries.push_back(KeyEntry{"F" + std::to_string(i + 1), "x", 59, false, false, false, false});
    keys.Write(i, k);
  }
  keys.Delete(5);
  EXPECT_EQ(keys.ListNames(), (Names{"K0", "K1", "K2", "K3", "K4", "K6", "K7"}));
  const TKeyItem sixth = keys.Read(5);
  EXPECT_EQ(sixth.RecordNo, 5);
  EXPECT_EQ(sixth.Name, "K6");
  ASSERT_EQ(sixth.Entries.size(), 1u);
  EXPECT_EQ(sixth.Entries[0].KeyLabel, "F7");
  const TKeyItem missing = keys.Read(11);
  EXPECT_EQ(missing.RecordNo, 11);
  EXPECT_TRUE(missing.Name.empty());
  EXPECT_TRUE(missing.Entries.empty());
  keys.Close();
}

TEST(KeyEntryDefinition, ModifiersScanCodesAndExtendedFlag) {
  const auto lookup = [](std::string_view name) -> std::int32_t {
    if (name == "F1") return 59;
    if (name == "UP") return 172;  // extended, stored + 100
    if (name == "KP8") return 72;
    if (name == "DEL") return 183;
    if (name == "A") return 30;
    return -1;
  };
  struct Case {
    const char* typed;
    const char* label;
    int scan;
    bool shift, ctrl, alt, extended;
  };
  const Case cases[] = {
      {"shift+f1", "SHIFT+F1", 59, true, false, false, false},
      {"Up", "UP", 72, false, false, false, true},
      {"KP8", "KP8", 72, false, false, false, true},  // 71-73, 75, 77, 79-83 count as extended
      {"CTRL+ALT+DEL", "CTRL+ALT+DEL", 83, false, true, true, true},
      {"alt+shift+ctrl+a", "ALT+SHIFT+CTRL+A", 30, true, true, true, false},
      {"ctrl+nosuchkey", "CTRL+NOSUCHKEY", 255, false, true, false, false},
  };
  for (const Case& c : cases) {
    const KeyEntry e = defineKeyEntry(c.typed, "\\e[A", lookup);
    EXPECT_EQ(e.KeyLabel, c.label) << c.typed;
    EXPECT_EQ(e.ScanCode, c.scan) << c.typed;
    EXPECT_EQ(e.ShiftKey, c.shift) << c.typed;
    EXPECT_EQ(e.CtrlKey, c.ctrl) << c.typed;
    EXPECT_EQ(e.AltKey, c.alt) << c.typed;
    EXPECT_EQ(e.ExtendedKey, c.extended) << c.typed;
    EXPECT_EQ(e.SendText, "\\e[A");
  }
}

class EventStoreTest : public DataFolderTest {
 protected:
  void write(const std::string& name, int kind, bool enabled, const std::string& script) {
    EvtDBFcns events(folder());
    events.Open();
    events.Write(name, kind, EventRec{name, kind, static_cast<std::uint8_t>(enabled), script});
    events.Close();
  }
  // Runs a connection event and returns which handlers ran, as "name:kind:script".
  std::vector<std::string> dispatch(int kind, const std::string& connection) {
    std::vector<std::string> ran;
    EvtDBFcns events(folder());
    events.RunConnectionEvent(kind, connection,
                              [&](std::string_view name, std::int32_t k, const std::string& s) {
                                ran.push_back(std::string(name) + ":" + std::to_string(k) + ":" + s);
                              });
    return ran;
  }
};

TEST_F(EventStoreTest, ConnectionHandlerFirstThenSystem) {
  write("System", 2, true, "sys");
  EXPECT_EQ(dispatch(2, "Lab"), (Names{"System:2:sys"}));  // no handler of its own
  write("Lab", 2, false, "own");
  EXPECT_EQ(dispatch(2, "Lab"), (Names{"System:2:sys"}));  // disabled: System runs instead
  write("Lab", 2, true, "");
  EXPECT_EQ(dispatch(2, "Lab"), (Names{"System:2:sys"}));  // empty script does not run
  write("Lab", 2, true, "own");
  EXPECT_EQ(dispatch(2, "Lab"), (Names{"Lab:2:own"}));
  EXPECT_TRUE(dispatch(3, "Lab").empty());  // nothing stored for kind 3
}

TEST_F(EventStoreTest, EnsureCreatesMissingAndKeepsExisting) {
  write("System", 5, true, "start");
  EvtDBFcns events(folder());
  for (int kind = 1; kind <= 6; ++kind) events.Ensure(kind, "System");
  events.Open();
  EXPECT_EQ(events.Read("System", 5), (EventRec{"System", 5, 1, "start"}));
  EXPECT_EQ(events.Read("System", 6), (EventRec{"System", 6, 0, ""}));
  EXPECT_EQ(events.Read("Nobody", 1), (EventRec{"Nobody", 1, 0, ""}));
  events.Close();
  events.Delete("System", 5);
  events.Open();
  EXPECT_EQ(events.Read("System", 5).Enabled, 0);
  events.Close();
}

TEST_F(DataFolderTest, AddinsReadByNumber) {
  writeRecordFile(folder() + "ADDINS.QDB", {{"00001", AddinItem{0, "Tools", ""}.encode()},
                                            {"00002", AddinItem{1, "Mail", "begin end."}.encode()},
                                            {"00003", std::string("\1\0", 2)}});
  AddinDB addins(folder());
  addins.Open();
  EXPECT_EQ(addins.ListKeys(), (Names{"00001", "00002", "00003"}));
  EXPECT_EQ(addins.Read(2), (AddinItem{1, "Mail", "begin end."}));
  EXPECT_FALSE(addins.Read(3).has_value());  // cut short
  EXPECT_FALSE(addins.Read(4).has_value());  // missing
  addins.Close();
}

TEST_F(DataFolderTest, StoredValuesJoinSectionAndName) {
  StoredValues values(folder());
  EXPECT_EQ(values.GetValue("a", "b"), "");
  values.SetValue("a", "b", "x");
  EXPECT_EQ(values.GetValue("ab", ""), "x");
  values.SetValue("ab", "", "y");  // the same key: replaced
  EXPECT_EQ(values.GetValue("a", "b"), "y");
  values.SetValue(std::string(300, 's'), "n", "long");
  EXPECT_EQ(values.GetValue(std::string(255, 's'), ""), "long");
  values.DeleteValue("a", "b");
  EXPECT_EQ(values.GetValue("a", "b"), "");
  EXPECT_TRUE(values.DeleteAllValues());
  EXPECT_FALSE(exists("STORAGE.QDB"));
  EXPECT_FALSE(values.DeleteAllValues());  // nothing to remove: the caller reports it
}

}  // namespace
}  // namespace ondrix::store
