// The main window's "&Add-in manager..." and "&About..." commands with their libraries present,
// absent and failing to load (stand-in libraries from outside_library_stub.cpp).

#include <filesystem>
#include <fstream>
#include <sstream>

#include "main_form/main_form_fixture.h"
#include "shell/outside_libraries.h"
#include "store/records/event_record.h"
#include "store/stores/record_file.h"

namespace ondrix::shell::testing {
namespace {

using store::AddinItem;

class OutsideLibraries : public MainFormTest {
 protected:
  void SetUp() override {
    store::writeRecordFile(data + "ADDINS.QDB", {{"00001", AddinItem{0, "Old", ""}.encode()}});
    CreateForm();
    installOutsideLibraries(*form, data.data());
  }
  void Install(const char* library, const char* as) {
    std::filesystem::copy_file(library, root / as, std::filesystem::copy_options::overwrite_existing);
  }
  // What the add-in manager will have written when it returns.
  void PrepareNewAddins() {
    store::writeRecordFile(data + "ADDINS.next", {{"00001", AddinItem{0, "Tools", ""}.encode()},
                                                  {"00002", AddinItem{1, "Hello", "begin end."}.encode()}});
  }
  std::string Called() const {
    std::ifstream f(data + "called");
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
  }
  std::string MenuCaptions() const {
    std::string out;
    for (const TAddinMenuItem& item : view.AddinMenu) {
      out += item.Caption + (item.HasAction ? ";" : "(");
      for (const TAddinMenuItem& child : item.Children) out += child.Caption + ";";
      if (!item.HasAction) out += ")";
    }
    return out;
  }
};

TEST_F(OutsideLibraries, AddinManagerRewritesTheStoreAndTheMenuIsRebuilt) {
  Install(STUB_ADDIN_MANAGER_LIBRARY, kAddinManagerLibrary);
  PrepareNewAddins();
  ASSERT_TRUE(form->CommandEnabled(CommandId::AddinManager));
  EXPECT_EQ(MenuCaptions(), "Old;");
  form->Execute(CommandId::AddinManager);
  EXPECT_EQ(Called(), "AddinManager\n");
  EXPECT_TRUE(dialogs.boxes.empty());
  EXPECT_EQ(MenuCaptions(), "Tools(Hello;)");
  // The reopened store serves the menu: the new entry runs from it.
  EXPECT_EQ(view.AddinMenu[0].Children[0].Tag, 2 + 65536);
}

TEST_F(OutsideLibraries, MissingOrBrokenAddinManagerIsNotFound) {
  PrepareNewAddins();
  form->Execute(CommandId::AddinManager);  // absent
  std::ofstream(root / kAddinManagerLibrary) << "not a library";
  form->Execute(CommandId::AddinManager);  // not loadable
  Install(STUB_ABOUT_LIBRARY, kAddinManagerLibrary);
  form->Execute(CommandId::AddinManager);  // loads, lacks the export
  EXPECT_EQ(dialogs.boxes, std::vector<std::string>(3, "Add-in manager not found."));
  EXPECT_EQ(Called(), "");
  EXPECT_EQ(MenuCaptions(), "Old;");
  // The store stayed open: a later manager that works still rewrites it and the menu follows.
  Install(STUB_ADDIN_MANAGER_LIBRARY, kAddinManagerLibrary);
  form->Execute(CommandId::AddinManager);
  EXPECT_EQ(MenuCaptions(), "Tools(Hello;)");
}

TEST_F(OutsideLibraries, AboutRunsTheLibraryOrDoesNothing) {
  ASSERT_TRUE(form->CommandEnabled(CommandId::About));
  form->Execute(CommandId::About);
  EXPECT_EQ(Called(), "");
  EXPECT_TRUE(dialogs.boxes.empty());
  Install(STUB_ABOUT_LIBRARY, kAboutLibrary);
  form->Execute(CommandId::About);
  EXPECT_EQ(Called(), "AboutOXPro\n");
}

}  // namespace
}  // namespace ondrix::shell::testing
