// The add-in editor's logic on a temporary data folder: loading, adding, re-parenting, deleting
// with entries, the keys it writes and the menu the main window builds from them.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "shell/addin_editor_form.h"
#include "store/records/event_record.h"
#include "store/stores/addin_db.h"
#include "store/stores/record_file.h"

namespace ondrix::shell {
namespace {

using store::AddinItem;

class RecordingView final : public TAddinEditorView {
 public:
  void ShowAddins(const std::vector<TAddinEntry>& a, const std::vector<TAddinMenuItem>& m) override {
    shown = a;
    menu = m;
  }
  bool Confirm(const std::string& question) override {
    questions.push_back(question);
    return answer;
  }
  void ShowMessage(const std::string& text) override { messages.push_back(text); }

  std::vector<TAddinEntry> shown;
  std::vector<TAddinMenuItem> menu;
  std::vector<std::string> questions, messages;
  bool answer = true;
};

// A menu as "caption[tag](children)" text, compact to compare.
std::string describe(const std::vector<TAddinMenuItem>& items) {
  std::string out;
  for (const TAddinMenuItem& item : items) {
    if (!out.empty()) out += ' ';
    out += item.Caption + "[" + std::to_string(item.Tag) + (item.HasAction ? "" : ",sub") + "]";
    if (!item.Children.empty()) out += "(" + describe(item.Children) + ")";
  }
  return out;
}

class AddinEditor : public ::testing::Test {
 protected:
  AddinEditor() : data(folder()) {}
  ~AddinEditor() override { std::filesystem::remove_all(data); }

  static std::string folder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "ondrix-addins-XXXXXX").string();
    return std::string(mkdtemp(pattern.data())) + "/";
  }
  void Store(const std::vector<std::pair<std::string, std::string>>& items) {
    store::writeRecordFile(data + "ADDINS.QDB", items);
  }
  // The stored items as "key:parent:caption:script".
  std::vector<std::string> Stored() {
    store::RecordFile file(data, store::AddinDB::kFileName);
    file.Open();
    std::vector<std::string> out;
    for (const std::string& key : file.Keys()) {
      const auto item = AddinItem::decode(file.Get(key).value_or(""));
      out.push_back(item ? key + ":" + std::to_string(item->ParentNo) + ":" + item->Caption + ":" + item->Script
                         : key + ":unreadable");
    }
    file.Close();
    return out;
  }
  std::vector<std::string> Shown() const {
    std::vector<std::string> out;
    for (const TAddinEntry& e : view.shown)
      out.push_back(std::to_string(e.Number) + ":" + std::to_string(e.Item.ParentNo) + ":" + e.Item.Caption);
    return out;
  }

  std::string data;
  RecordingView view;
  TAddinEditorForm form{data, view};
};

TEST_F(AddinEditor, MissingFileHoldsNoAddinsAndTheFirstAddMakesIt) {
  form.Load();
  EXPECT_TRUE(view.shown.empty());
  EXPECT_FALSE(std::filesystem::exists(data + "ADDINS.QDB"));
  ASSERT_TRUE(form.Add({0, "&Tools", "begin end."}));
  ASSERT_TRUE(form.Add({1, "Say hi", "begin ShowMessage('hi') end."}));
  EXPECT_EQ(Stored(), (std::vector<std::string>{"00001:0:&Tools:begin end.",
                                                "00002:1:Say hi:begin ShowMessage('hi') end."}));
  EXPECT_EQ(describe(view.menu), "&Tools[1,sub](Say hi[65538])");
}

TEST_F(AddinEditor, LoadGivesEachEntryTheParentTheMenuGivesIt) {
  Store({{"00003", AddinItem{0, "Top", ""}.encode()},
         {"00007", AddinItem{3, "Under top", ""}.encode()},
         {"00009", AddinItem{42, "Missing parent", ""}.encode()},
         {"00010", AddinItem{12, "Later parent", ""}.encode()},
         {"00012", AddinItem{10, "Cycle", ""}.encode()}});
  form.Load();
  EXPECT_EQ(Shown(), (std::vector<std::string>{"3:0:Top", "7:3:Under top", "9:0:Missing parent", "10:0:Later parent",
                                               "12:10:Cycle"}));
  EXPECT_EQ(describe(view.menu),
            "Top[3,sub](Under top[196615]) Missing parent[9] Later parent[10,sub](Cycle[655372])");
  // Nothing is written until something changes.
  EXPECT_EQ(Stored()[2], "00009:42:Missing parent:");
}

TEST_F(AddinEditor, ChangesRenumberInMenuOrderWithFiveDigitKeys) {
  Store({{"00004", AddinItem{0, "A", "a"}.encode()},
         {"00020", AddinItem{4, "B", "b"}.encode()},
         {"00031", AddinItem{20, "C", "c"}.encode()},
         {"00040", AddinItem{0, "D", "d"}.encode()}});
  form.Load();
  // B (with C under it) moves under D, which comes after it: both go after D.
  ASSERT_TRUE(form.Edit(20, {40, "B2", "b2"}));
  EXPECT_EQ(Stored(), (std::vector<std::string>{"00001:0:A:a", "00002:0:D:d", "00003:2:B2:b2", "00004:3:C:c"}));
  EXPECT_EQ(describe(view.menu), "A[1] D[2,sub](B2[131075,sub](C[196612]))");
  EXPECT_EQ(describe(form.MenuPreview()), describe(view.menu));
  // Editing without a new parent keeps the place.
  ASSERT_TRUE(form.Edit(1, {0, "A2", "new script"}));
  EXPECT_EQ(Stored()[0], "00001:0:A2:new script");
}

TEST_F(AddinEditor, AnAddinCannotGoUnderItselfOrItsOwnEntries) {
  Store({{"00001", AddinItem{0, "A", ""}.encode()},
         {"00002", AddinItem{1, "B", ""}.encode()},
         {"00003", AddinItem{2, "C", ""}.encode()},
         {"00004", AddinItem{0, "D", ""}.encode()}});
  form.Load();
  std::vector<std::int32_t> choices;
  for (const TAddinEntry& e : form.ParentChoices(1)) choices.push_back(e.Number);
  EXPECT_EQ(choices, (std::vector<std::int32_t>{4}));
  EXPECT_EQ(form.ParentChoices(0).size(), 4u);
  const std::vector<std::string> before = Stored();
  for (const std::int32_t parent : {1, 3, 99}) EXPECT_FALSE(form.Edit(1, {parent, "A", ""})) << parent;
  EXPECT_FALSE(form.Add({99, "X", ""}));
  EXPECT_FALSE(form.Edit(2, {1, "", ""}));
  EXPECT_EQ(view.messages, (std::vector<std::string>{
                               "An add-in cannot go under itself or one of its own entries.",
                               "An add-in cannot go under itself or one of its own entries.",
                               "An add-in cannot go under itself or one of its own entries.",
                               "An add-in cannot go under itself or one of its own entries.",
                               "Please enter a caption for the add-in."}));
  EXPECT_EQ(Stored(), before);
}

TEST_F(AddinEditor, DeleteAsksAndMovesTheEntriesUpOneLevel) {
  Store({{"00001", AddinItem{0, "A", ""}.encode()},
         {"00002", AddinItem{1, "B", ""}.encode()},
         {"00003", AddinItem{2, "C1", ""}.encode()},
         {"00004", AddinItem{2, "C2", ""}.encode()},
         {"00005", AddinItem{3, "Deep", ""}.encode()}});
  form.Load();
  view.answer = false;
  EXPECT_FALSE(form.Delete(2));
  EXPECT_EQ(Stored().size(), 5u);
  view.answer = true;
  ASSERT_TRUE(form.Delete(2));
  EXPECT_EQ(view.questions,
            (std::vector<std::string>(2, "Delete the add-in \"B\"? Its entries move up one level.")));
  EXPECT_EQ(Stored(), (std::vector<std::string>{"00001:0:A:", "00002:1:C1:", "00003:1:C2:", "00004:2:Deep:"}));
  EXPECT_EQ(describe(view.menu), "A[1,sub](C1[65538,sub](Deep[131076]) C2[65539])");
  ASSERT_TRUE(form.Delete(1));
  EXPECT_EQ(view.questions.back(), "Delete the add-in \"A\"? Its entries move up one level.");
  EXPECT_EQ(Stored(), (std::vector<std::string>{"00001:0:C1:", "00002:0:C2:", "00003:1:Deep:"}));
  EXPECT_FALSE(form.Delete(77));
}

TEST_F(AddinEditor, UnreadableItemsAreKeptAfterTheOthers) {
  Store({{"00001", AddinItem{0, "A", ""}.encode()},
         {"00002", std::string("\x05", 1)},
         {"00003", AddinItem{0, "B", ""}.encode()}});
  form.Load();
  EXPECT_EQ(Shown(), (std::vector<std::string>{"1:0:A", "3:0:B"}));
  ASSERT_TRUE(form.Add({3, "C", ""}));
  EXPECT_EQ(Stored(), (std::vector<std::string>{"00001:0:A:", "00002:0:B:", "00003:2:C:", "00004:unreadable"}));
}

}  // namespace
}  // namespace ondrix::shell
