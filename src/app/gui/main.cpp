// ondrix: the program with its main window.
//
//   ondrix [-s SCRIPT] [-q] [NAME...] [--grab FILE]
//
// "-s SCRIPT" runs a script file (changing to its folder first when the name has one), "-q" opens
// the quick-connect dialog after everything else, and every other argument names a connection of
// the book to open (letter case does not matter); they are handled in order once the window is
// shown. "--grab FILE" is for tests and documentation: it saves a picture of the window to FILE
// two seconds after the start and closes the window. The data folder follows the rule of
// platform::dataFolder (ONDRIX_DATA, DATA/ beside the program, or the user's own folder); missing
// factory record files are created there first.

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "automation/routine_table.h"
#include "automation/script_procs.h"
#include "platform/codepage.h"
#include "platform/paths.h"
#include "platform/qt/qt_event_loop.h"
#include "platform/qt/qt_media_player.h"
#include "platform/qt/qt_services.h"
#include "platform/qt/script_windows_qt.h"
#include "platform/services.h"
#include "script/std_routines.h"
#include "shell/ui/connection_dialogs.h"
#include "shell/ui/main_window.h"
#include "shell/ui/managers_installer.h"
#include "shell/ui/outside/outside_installer.h"
#if ONDRIX_SESSION_WINDOWS
#include "shell/ui/session_windows.h"
#endif
#if ONDRIX_SCRIPT_WINDOWS
#include "shell/ui/script_windows_installer.h"
#endif
#include "store/stores/factory_data.h"

// In sanitizer builds: allocations the desktop-bus and font libraries keep until the process ends
// are not leaks of ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus\nleak:libfontconfig\n"; }

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr int kGrabDelayMs = 2000;

void showError(const char* text) {
  QMessageBox::critical(QApplication::activeWindow(), QString::fromLatin1("Ondrix"),
                        QString::fromStdString(ondrix::platform::cp1252ToUtf8(text)));
}

// The top-level handler: a failure that escapes an event (an engine's exception) is shown in a
// message box, and the program goes on.
class OndrixApplication : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
      showError(e.what());
    }
    return false;
  }
};

constexpr const char* kUsage = "Usage: ondrix [-s SCRIPT] [-q] [NAME...] [--grab FILE]\n";
constexpr const char* kHelp =
    "Usage: ondrix [-s SCRIPT] [-q] [NAME...]\n"
    "A telnet terminal with its own script language.\n"
    "\n"
    "  -s SCRIPT    run the script file SCRIPT (.oxs) once the window is shown\n"
    "  -q           open the quick-connect dialog\n"
    "  NAME         open the connection NAME of the connection book\n"
    "  --help       print this help and exit\n"
    "  --version    print the version and exit\n"
    "\n"
    "Data folder: $ONDRIX_DATA when set, else DATA/ beside the program when writable,\n"
    "else $XDG_DATA_HOME/ondrix/DATA (default ~/.local/share/ondrix/DATA).\n"
    "Headless use: ondrix-cli. See ondrix(1).\n";

}  // namespace

int main(int argc, char** argv) {
  // Read before the window system is reached, so that mistakes are reported without a display.
  std::vector<std::string> arguments;
  QString grabFile;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0) {
      std::fputs(kHelp, stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("ondrix %s\n", ONDRIX_VERSION);
      return 0;
    }
    if (std::strcmp(argv[i], "--grab") == 0) {
      if (i + 1 == argc) {
        std::fprintf(stderr, "--grab needs a file name\n%s", kUsage);
        return kExitUsage;
      }
      grabFile = QString::fromLocal8Bit(argv[++i]);
      continue;
    }
    arguments.emplace_back(argv[i]);
  }

  // PARAMCOUNT and PARAMSTR: the program and its arguments as given.
  std::vector<std::string> programArguments{ondrix::platform::programPath()};
  programArguments.insert(programArguments.end(), arguments.begin(), arguments.end());
  ondrix::script::setProgramArguments(std::move(programArguments));

  OndrixApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1("Ondrix"));

  ondrix::platform::qt::QtEventLoop loop;
  ondrix::platform::qt::QtBeeper beeper;
  ondrix::platform::qt::QtDialogs dialogs;
  const ondrix::platform::ScopedServices services({&loop, nullptr, &beeper, nullptr, &dialogs});
  ondrix::platform::qt::QtScriptWindows scriptWindows;
  const ondrix::platform::ScopedScriptWindows scriptWindowsInstalled(scriptWindows);
  ondrix::platform::qt::QtMediaPlayer mediaPlayer;
  const ondrix::platform::ScopedMediaPlayer mediaPlayerInstalled(mediaPlayer);

  std::unique_ptr<ondrix::shell::ui::MainWindow> window;
  std::unique_ptr<ondrix::automation::TScriptProcs> scriptProcs;
  try {
    const std::string data = ondrix::platform::dataFolder();
    ondrix::store::createFactoryData(data);
    window = std::make_unique<ondrix::shell::ui::MainWindow>(ondrix::platform::programFolder(), data);
    // The terminal procedures, once the main window's script engine has set its tables up and
    // before any script runs.
    ondrix::automation::registerAutomationRoutines();
    scriptProcs = std::make_unique<ondrix::automation::TScriptProcs>(&window->form());
  } catch (const std::exception& e) {
    showError(e.what());
    return kExitFailure;
  }

  // The windows of the managers and dialogs take over their commands of the main window; the
  // connection editor's "Event handlers..." opens the event handler editor where there is one.
  ondrix::shell::TMainForm& form = window->form();
  ondrix::shell::ui::installKeyAndPaletteManagers(form, window.get());
  ondrix::shell::ui::installOutsideComponents(form, window.get());
#if ONDRIX_SESSION_WINDOWS
  ondrix::shell::ui::installSessionWindows(form, *window);
#endif
#if ONDRIX_SCRIPT_WINDOWS
  ondrix::shell::ui::installScriptWindows(form, window.get());
  ondrix::shell::ui::installConnectionDialogs(form, window.get(), [&form](QWidget* parent, const std::string& name) {
    ondrix::shell::ui::showEventHandlerEditor(name, form, parent);
  });
#else
  ondrix::shell::ui::installConnectionDialogs(form, window.get());
#endif

  window->show();
  // The start-up steps that belong to the shown window run from the event loop, so that a
  // failure in one of them reaches the top-level handler like any other.
  QTimer::singleShot(0, window.get(), [&window, &arguments] { window->form().FormShow(arguments); });
  if (!grabFile.isEmpty()) {
    QTimer::singleShot(kGrabDelayMs, window.get(), [&window, grabFile] {
      if (!window->grab().save(grabFile)) std::fprintf(stderr, "Cannot write %s\n", grabFile.toLocal8Bit().constData());
      window->close();
    });
  }
  const int status = QApplication::exec();
  scriptProcs.reset();
  window.reset();
  return status;
}
