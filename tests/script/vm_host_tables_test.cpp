// The host tables the compiler resolves names against and the machine calls through.

#include <gtest/gtest.h>

#include "script/host_interfaces.h"

namespace ondrix::script {
namespace {

TFunListItem item(const char* name, std::size_t params) {
  TFunListItem i;
  i.name = name;
  i.paramTypes.assign(params, kParamValue);
  return i;
}

TEST(VmHostTables, RoutineNumbersStayWhenNamesAreRegisteredAgain) {
  TFunList list;
  EXPECT_EQ(list.add(item("ShowMessage", 1)), 0);
  EXPECT_EQ(list.add(item("TForm.Caption_SET", 1)), 1);
  EXPECT_EQ(list.add(item("Abs", 1)), 2);
  EXPECT_EQ(list.add(item("SHOWMESSAGE", 3)), 0);  // replaces, keeps its number
  EXPECT_EQ(list.size(), 3);
  EXPECT_EQ(list.at(0).paramCount(), 3);
  EXPECT_EQ(list.find("showmessage"), 0);
  EXPECT_EQ(list.find("tform.caption_set"), 1);
  EXPECT_EQ(list.at(1).name, "TFORM.CAPTION_SET");
  EXPECT_EQ(list.at(1).member, "CAPTION_SET");
  EXPECT_EQ(list.at(2).member, "ABS");
  EXPECT_EQ(list.find("Caption_SET"), -1);
  EXPECT_EQ(list.add(item("Many", 150)), 3);
  EXPECT_EQ(list.at(3).paramCount(), 100);
}

TEST(VmHostTables, ConstantPositionsAreFixed) {
  TResConstList constants;
  EXPECT_EQ(constants.add("mbOK", ScriptValue::integer(4)), 0);
  EXPECT_EQ(constants.add("Pi", ScriptValue::real(3.14)), 1);
  EXPECT_EQ(constants.add("MBOK", ScriptValue::integer(5)), 0);
  EXPECT_EQ(constants.find("mbok"), 0);
  EXPECT_EQ(constants.at(0).value.integerValue(), 5);
  EXPECT_EQ(constants.find("e"), -1);
}

TEST(VmHostTables, ProvidersAreAskedFromTheLastInNameOrder) {
  TDynaVars vars;
  std::string asked;
  auto provider = [&](const char* name, std::int32_t id, const THalComp* bound) {
    return TDynaVarItem{name, bound,
                        [&asked, name, id](std::string_view) {
                          asked += name;
                          asked += ' ';
                          return id;
                        },
                        {}, {}};
  };
  const auto* other = reinterpret_cast<const THalComp*>(&vars);
  vars.add(provider("b", -1, nullptr));
  vars.add(provider("c", 30, other));
  vars.add(provider("a", 10, nullptr));
  ASSERT_EQ(vars.size(), 3);
  EXPECT_EQ(vars.at(0)->name, "A");
  EXPECT_EQ(vars.at(2)->name, "C");
  EXPECT_EQ(vars.at(3), nullptr);

  DynaVarRef ref = vars.resolve("x", nullptr);  // C is bound to another component: skipped
  EXPECT_EQ(asked, "b a ");
  EXPECT_EQ(ref.provider, 0);
  EXPECT_EQ(ref.id, 10);
  asked.clear();
  ref = vars.resolve("x", other);
  EXPECT_EQ(asked, "c ");
  EXPECT_EQ(ref.provider, 2);
  vars.remove("C");
  vars.remove("A");
  EXPECT_FALSE(vars.resolve("x", other).found());
}

TEST(VmHostTables, ObjectsAndClasses) {
  tobjcollect objects;
  objects.add("MainForm", "TMainForm", 42);
  ASSERT_NE(objects.find("mainform"), nullptr);
  EXPECT_EQ(objects.find("MAINFORM")->className, "TMAINFORM");
  EXPECT_EQ(objects.find("MAINFORM")->handle, 42);
  EXPECT_EQ(objects.find("Screen"), nullptr);

  ClassRegistry classes;
  classes.add("TMainForm", "TForm");
  classes.add("TForm");
  EXPECT_TRUE(classes.knows("tmainform"));
  EXPECT_EQ(classes.parentOf("TMainForm"), "TFORM");
  EXPECT_EQ(classes.parentOf("TForm"), "");
  EXPECT_FALSE(classes.knows("TButton"));
}

}  // namespace
}  // namespace ondrix::script
