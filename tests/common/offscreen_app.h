#pragma once
// The one QApplication of a test program, on the offscreen platform. It is never destroyed: a
// QApplication torn down by the exit handlers leaves Qt's font engines behind, which the leak
// check reports.

#include <QApplication>

namespace ondrix {

inline QApplication& offscreenApplication() {
  static int argc = 1;
  static char name[] = "ondrix_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(argc, argv);
  }();
  return *app;
}

}  // namespace ondrix
