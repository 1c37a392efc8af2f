#include "shell/outside_libraries.h"

#include <dlfcn.h>

#include <optional>

#include "platform/services.h"
#include "shell/main_form.h"

namespace ondrix::shell {
namespace {

// A library loaded by path, unloaded when this goes.
class SharedLibrary {
 public:
  explicit SharedLibrary(const std::string& path) : handle_(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {}
  ~SharedLibrary() {
    if (handle_) dlclose(handle_);
  }
  SharedLibrary(const SharedLibrary&) = delete;
  SharedLibrary& operator=(const SharedLibrary&) = delete;

  // The export `name`, or nullptr when the library did not load or lacks it.
  TOutsideEntry entry(const char* name) const {
    return handle_ ? reinterpret_cast<TOutsideEntry>(dlsym(handle_, name)) : nullptr;
  }

 private:
  void* handle_;
};

// Reopens ADDINS.QDB and rebuilds the add-in menu when the add-in manager's call ends, however.
class AddinsReopener {
 public:
  explicit AddinsReopener(TMainForm& form) : form_(form) { form_.CloseAddins(); }
  ~AddinsReopener() {
    form_.ReopenAddins();
    form_.RemoveAddinMenu();
    form_.BuildAddinMenu();
  }
  AddinsReopener(const AddinsReopener&) = delete;
  AddinsReopener& operator=(const AddinsReopener&) = delete;

 private:
  TMainForm& form_;
};

void runAddinManager(TMainForm& form, void* mainWindow) {
  std::optional<AddinsReopener> reopen;  // declared first: reopens after the library is unloaded
  const SharedLibrary library(form.ProgramFolder() + kAddinManagerLibrary);
  const TOutsideEntry entry = library.entry(kAddinManagerExport);
  if (!entry) {
    platform::services().dialogs->messageBox(kAddinManagerNotFound, TMainForm::kErrorCaption,
                                             platform::MessageStyle::Information, platform::MessageButtons::Ok);
    return;
  }
  reopen.emplace(form);
  entry(mainWindow);
}

void runAbout(TMainForm& form, void* mainWindow) {
  const SharedLibrary library(form.ProgramFolder() + kAboutLibrary);
  if (const TOutsideEntry entry = library.entry(kAboutExport)) entry(mainWindow);
}

}  // namespace

void installOutsideLibraries(TMainForm& form, void* mainWindow) {
  form.SetCommandHandler(CommandId::AddinManager, [&form, mainWindow] { runAddinManager(form, mainWindow); });
  form.SetCommandHandler(CommandId::About, [&form, mainWindow] { runAbout(form, mainWindow); });
}

}  // namespace ondrix::shell
