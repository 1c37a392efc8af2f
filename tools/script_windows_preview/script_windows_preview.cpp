// script_windows_preview: shows the script manager or the event handler editor without the main
// window, for looking at them (and taking screenshots) while working on them.
//
//   script_windows_preview manager DATA_FOLDER [SCRIPT...]   the script manager with the scripts open
//   script_windows_preview events DATA_FOLDER [OWNER]        the event handler editor ("System")
//
// The program folder is the executable's (where OndrixScript.txt is written).

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <string>

#include "platform/qt/qt_services.h"
#include "platform/services.h"
#include "script/host_object.h"
#include "script/script_engine.h"
#include "shell/ui/event_editor_window.h"
#include "shell/ui/script_manager_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 3) {
    std::fprintf(stderr, "usage: script_windows_preview manager|events DATA_FOLDER [SCRIPT...|OWNER]\n");
    return 2;
  }
  const std::string mode = argv[1];
  std::string data = argv[2];
  if (!data.empty() && data.back() != '/') data += '/';
  const std::string program = QCoreApplication::applicationDirPath().toStdString() + "/";

  ondrix::platform::qt::QtDialogs dialogs;
  const ondrix::platform::ScopedServices services({nullptr, nullptr, nullptr, nullptr, &dialogs});
  const ondrix::script::ScriptEngine engine;
  ondrix::script::TComponent mainForm(nullptr, "TMainForm", "MainForm");

  if (mode == "manager") {
    ondrix::shell::ui::ScriptManagerWindow window(program, data, mainForm);
    for (int i = 3; i < argc; ++i) window.form().OpenFile(argv[i]);
    if (argc == 3) window.form().Execute(ondrix::shell::EditorCommand::NewScript);
    window.ShowWindow();
    return app.exec();
  }
  if (mode == "events") {
    ondrix::shell::ui::EventEditorWindow window(argc > 3 ? argv[3] : "System", program, data, mainForm);
    window.form().FormShow();
    return window.exec();
  }
  std::fprintf(stderr, "script_windows_preview: unknown mode %s\n", mode.c_str());
  return 2;
}
