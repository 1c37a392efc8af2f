// TMainForm: what happens when the window is first shown (bounds, the System handlers, OnStart,
// the command line) and when it closes (reattach, disconnect every page, bounds, OnStop), and the
// record file changes that another process's edit diverted into "1"-prefixed files.

#include <unistd.h>

#include <ctime>
#include <filesystem>

#include "platform/services.h"
#include "shell/main_form_impl.h"
#include "store/key_compare.h"
#include "store/stores/con_db_fcns.h"
#include "store/stores/def_db_fcns.h"
#include "store/stores/evt_db_fcns.h"
#include "store/stores/record_file.h"

namespace ondrix::shell {
namespace fs = std::filesystem;

namespace {

void trace(const std::string& text) {
  if (platform::TraceSink* sink = platform::services().trace; sink->enabled()) sink->write(text + "\n");
}

// "1CONINFO.QDB" -> "1CONINFO-20261208-215500.QDB" (and "-2", "-3", ... when that exists).
fs::path conflictName(const fs::path& folder, const fs::path& file) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "-%Y%m%d-%H%M%S", &local);
  const std::string stem = file.stem().string() + stamp;
  fs::path target = folder / (stem + file.extension().string());
  std::error_code error;
  for (int n = 2; fs::exists(target, error); ++n)
    target = folder / (stem + "-" + std::to_string(n) + file.extension().string());
  return target;
}

}  // namespace

// A "1"-prefixed file holds the changes a record file's close could not save because another
// process had changed the file meanwhile. They are kept, out of the way, rather than deleted.
void TMainForm::Impl::moveConflictFiles() {
  const fs::path data(form.dataFolder_);
  const fs::path conflicts = data / kConflictsFolder;
  std::error_code error;
  std::vector<fs::path> found;
  for (fs::directory_iterator it(data, error), end; !error && it != end; it.increment(error))
    if (it->path().filename().string().starts_with('1') && it->is_regular_file(error)) found.push_back(it->path());
  if (found.empty()) return;
  std::string moved;
  for (const fs::path& file : found) {
    fs::create_directories(conflicts, error);
    const fs::path target = conflictName(conflicts, file.filename());
    fs::rename(file, target, error);
    if (error) {
      trace("Start-up: could not move " + file.string() + " to " + target.string() + ": " + error.message());
      continue;
    }
    trace("Start-up: moved " + file.string() + " to " + target.string());
    moved += (moved.empty() ? "" : ", ") + file.filename().string();
  }
  // The names first: the status panel is narrow.
  if (!moved.empty()) form.WriteStatus(moved + " kept in DATA/" + std::string(kConflictsFolder));
}

void TMainForm::FormShow(const std::vector<std::string>& arguments) {
  Impl::EntryGuard guard(*impl_);
  view_.SetCaption(kCaption);
  EnableSessionCommands(false);

  TBounds bounds;
  impl_->runGuarded([&] {
    store::DefDBFcns defaults(dataFolder_);
    defaults.Open();
    bounds = TBounds{defaults.ReadInteger("Left"), defaults.ReadInteger("Top"), defaults.ReadInteger("Width"),
                     defaults.ReadInteger("Height")};
    defaults.Close();
  });
  view_.SetBounds(bounds);  // a missing key reads -1, which the view leaves as it is

  // The six System handler records, ensured in one opening of EVENTS.QDB (each opening and
  // closing of a record file rewrites it); a missing record is written disabled and empty.
  impl_->runGuarded([&] {
    store::RecordFile events(dataFolder_, store::EvtDBFcns::kFileName);
    events.Open();
    for (std::int32_t kind = 1; kind <= 6; ++kind) {
      const std::string key = store::EventRec::key(store::kSystemOwner, kind);
      if (!events.Get(key)) events.Put(key, store::EventRec{std::string(store::kSystemOwner), kind, 0, {}}.encode());
    }
    events.Close();
  });
  impl_->runGuarded([&] { RunEvent(5, std::string(store::kSystemOwner)); });
  impl_->processCommandLine(arguments);
}

void TMainForm::Impl::processCommandLine(const std::vector<std::string>& arguments) {
  std::vector<std::string> names;
  runGuarded([&] {
    store::ConDBFcns connections(form.dataFolder_);
    connections.Open();
    names = connections.ListNames();
    connections.Close();
  });
  bool quickConnect = false;
  for (std::size_t i = 0; i < arguments.size() && !form.closeRequested_ && !form.shutDown_; ++i) {
    const std::string& argument = arguments[i];
    if (argument == "-s" || argument == "-S") {
      const std::string file = i + 1 < arguments.size() ? arguments[++i] : std::string();
      runGuarded([&] {
        std::error_code error;
        const fs::path path(file);
        if (!path.has_parent_path() || !fs::is_regular_file(path, error)) {
          form.RunScriptFile(file);  // a bare name, or the not-found message
          return;
        }
        // Relative names inside the script resolve against the script's folder.
        const fs::path absolute = fs::absolute(path, error);
        if (::chdir(path.parent_path().c_str()) != 0) trace("Start-up: cannot change to the folder of " + file);
        form.RunScriptFile(absolute.string());
      });
    } else if (argument == "-q" || argument == "-Q") {
      quickConnect = true;
    } else {
      for (std::size_t n = 0; n < names.size(); ++n)
        if (store::compareKeys(argument, names[n], false) == 0) {
          form.ConnectMenuClick(static_cast<int>(n));
          break;
        }
    }
  }
  if (quickConnect && !form.closeRequested_) form.Execute(CommandId::QuickConnect);
}

void TMainForm::Impl::saveBounds() {
  const TBounds bounds = form.view_.Bounds();
  store::DefDBFcns defaults(form.dataFolder_);
  defaults.Open();
  defaults.WriteInteger("Left", bounds.Left);
  defaults.WriteInteger("Top", bounds.Top);
  defaults.WriteInteger("Width", bounds.Width);
  defaults.WriteInteger("Height", bounds.Height);
  defaults.Close();
}

void TMainForm::Shutdown() {
  if (shutDown_) return;
  Impl::EntryGuard guard(*impl_);
  shutDown_ = true;
  impl_->stopTimer();
  impl_->timerSet = false;
  if (impl_->reattachAll) impl_->runGuarded(impl_->reattachAll);
  // "Disconnect current" on the active page until none is left; each OnDisconnect runs before
  // its tab goes.
  while (PageCount() > 0) {
    const int before = PageCount();
    ClosePage(activePage_ >= 0 ? activePage_ : 0);
    if (PageCount() == before) impl_->discardPage(0);  // a page already closing
  }
  impl_->runGuarded([&] { impl_->saveBounds(); });
  impl_->runGuarded([&] { RunEvent(6, std::string(store::kSystemOwner)); });
  globalWatches_.clear();
  impl_->userButtons.clear();
  impl_->userSpacers.clear();
  RemoveAddinMenu();
  closeRequested_ = false;
}

}  // namespace ondrix::shell
