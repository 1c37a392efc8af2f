#pragma once
// One QApplication on the offscreen platform for the whole test program.

#include <QApplication>

namespace ondrix::shell::ui::testing {

inline QApplication& offscreenApp() {
  static int argc = 1;
  static char name[] = "script_windows_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(argc, argv);
  }();
  return *app;
}

}  // namespace ondrix::shell::ui::testing
