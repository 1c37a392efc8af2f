#pragma once
// The one QApplication of the outside windows' tests, on the offscreen platform.

#include <QApplication>

namespace ondrix::shell::ui::testing {

inline QApplication& offscreenApp() {
  static int argc = 1;
  static char name[] = "outside_windows_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* instance = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(argc, argv);
  }();
  return *instance;
}

}  // namespace ondrix::shell::ui::testing
