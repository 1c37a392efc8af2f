// ondrix: the terminal window. For now one development entry: "ondrix --connect HOST[:PORT]"
// opens a main window with one telnet session to HOST (port 23 by default), with palette 0,
// keylist 0 and the default colours of the data folder's record files (or their factory values).
// "--grab FILE" saves a picture of the window to FILE two seconds after the start and quits.

#include <QApplication>
#include <QCloseEvent>
#include <QMainWindow>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>
#include <cstdio>
#include <string>

#include "app/gui/session_settings.h"
#include "platform/codepage.h"
#include "platform/paths.h"
#include "platform/qt/qt_event_loop.h"
#include "platform/qt/qt_services.h"
#include "platform/services.h"
#include "session/tnemulvt.h"
#include "term/view/term_view.h"

// In sanitizer builds: allocations the desktop-bus and font libraries keep until the process ends
// are not leaks of ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus\nleak:libfontconfig\n"; }

namespace {

constexpr int kExitUsage = 2;

class SessionWindow : public QMainWindow {
 public:
  SessionWindow(ondrix::session::TTnEmulVT& session, const QString& title) : session_(session) {
    setWindowTitle(title);
    view_ = new ondrix::term::view::TermView(session, this);
    setCentralWidget(view_);
    statusBar()->showMessage(QString::fromLatin1("Connecting..."));
  }
  ondrix::term::view::TermView& view() { return *view_; }
  void setStatus(const QString& text) { statusBar()->showMessage(text); }

 protected:
  void closeEvent(QCloseEvent* event) override {
    if (session_.IsConnected()) session_.Disconnect();
    event->accept();
  }

 private:
  ondrix::session::TTnEmulVT& session_;
  ondrix::term::view::TermView* view_ = nullptr;
};

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
  static void showError(const char* text) {
    QMessageBox::critical(QApplication::activeWindow(), QString::fromLatin1("Ondrix"),
                          QString::fromStdString(ondrix::platform::cp1252ToUtf8(text)));
  }
};

int usage(const char* message) {
  std::fprintf(stderr, "%s\nUsage: ondrix --connect HOST[:PORT] [--grab FILE]\n", message);
  return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
  // The arguments are read before the window system is reached, so mistakes are reported also
  // where there is no display.
  std::string target;
  QString grabFile;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--connect" && i + 1 < argc)
      target = argv[++i];
    else if (arg == "--grab" && i + 1 < argc)
      grabFile = QString::fromLocal8Bit(argv[++i]);
    else
      return usage(("Unknown argument: " + arg).c_str());
  }
  if (target.empty()) return usage("Nothing to open.");

  std::string host = target;
  int port = 23;
  if (const auto colon = target.rfind(':'); colon != std::string::npos) {
    host = target.substr(0, colon);
    try {
      std::size_t used = 0;
      port = std::stoi(target.substr(colon + 1), &used);
      if (used != target.size() - colon - 1 || port < 1 || port > 65535) throw std::out_of_range("port");
    } catch (const std::exception&) {
      return usage(("Not a port number: " + target.substr(colon + 1)).c_str());
    }
  }
  if (host.empty()) return usage("No host name given.");

  OndrixApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1("Ondrix"));

  ondrix::platform::qt::QtEventLoop loop;
  ondrix::platform::qt::QtBeeper beeper;
  ondrix::platform::qt::QtDialogs dialogs;
  const ondrix::platform::ScopedServices services({&loop, nullptr, &beeper, nullptr, &dialogs});

  const ondrix::app::SessionSettings settings = ondrix::app::loadSessionSettings(ondrix::platform::dataFolder());
  for (const std::string& note : settings.notes) std::fprintf(stderr, "%s\n", note.c_str());

  ondrix::session::TTnEmulVT session;
  SessionWindow window(session, QString::fromStdString("Ondrix - " + host + ":" + std::to_string(port)));
  session.Configure(host, host, true, false, false, false, false, false, port, 80, 25, "VT100");
  ondrix::app::applyPalette(session, settings);
  ondrix::app::applyKeys(session, settings);
  session.OnSessionConnected = [&](ondrix::session::TTnEmulVT* s) {
    window.setStatus(s->Error == 0 ? QString::fromLatin1("Connected") : QString::fromLatin1("Not connected"));
  };
  session.OnSessionClosed = [&](ondrix::session::TTnEmulVT*) {
    window.setStatus(QString::fromLatin1("Connection closed"));
  };

  // The whole screen: the view's size and the status bar below it.
  const QSize screen = window.view().sizeHint();
  window.resize(screen.width(), screen.height() + window.statusBar()->sizeHint().height());
  window.show();
  window.activateWindow();
  try {
    session.Connect();
  } catch (const std::exception& e) {
    OndrixApplication::showError(e.what());
  }

  if (!grabFile.isEmpty()) {
    QTimer::singleShot(2000, &window, [&] {
      window.grab().save(grabFile);
      window.close();
    });
  }
  return QApplication::exec();
}
