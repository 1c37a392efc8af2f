// The whole road of received text, offscreen: a loopback host sends 64 MiB (plain text, coloured
// text or full-screen redraw traffic) through the socket, the telnet layer and the telnet
// terminal into a shown terminal widget that paints as the data arrives. Reported as bytes per
// second of wall time, with the number of paints the widget made.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>
#include <string>

#include "../common/sending_host.h"
#include "../term/stream_generators.h"
#include "platform/beep.h"
#include "platform/qt/qt_event_loop.h"
#include "platform/services.h"
#include "session/tnemulvt.h"
#include "term/view/term_view.h"

namespace {

using namespace ondrix;

QApplication& app() {
  static int argc = 1;
  static char name[] = "session_paint_bench";
  static char* argv[] = {name, nullptr};
  static QApplication* instance = [] {
    // Offscreen unless told otherwise (QT_QPA_PLATFORM=xcb under Xvfb paints to an X server).
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(argc, argv);
  }();
  return *instance;
}

constexpr std::size_t kSessionBytes = 64u << 20;

class PaintCounter : public QObject {
 public:
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

void ReceiveAndPaint(benchmark::State& state, const std::string& text) {
  app();
  platform::qt::QtEventLoop loop;
  platform::CountingBeeper beeper;
  const platform::ScopedServices services({&loop, nullptr, &beeper, nullptr, nullptr});
  int paints = 0;
  for (auto _ : state) {
    bench::SendingHost host(text, kSessionBytes);
    session::TTnEmulVT vt;
    term::view::TermView view(vt);
    PaintCounter counter;
    view.installEventFilter(&counter);
    vt.Configure("Bench", "127.0.0.1", false, false, false, false, false, false, host.port(), 80, 25, "VT100");
    view.resize(view.sizeHint());
    view.show();
    bool closed = false;
    vt.OnSessionClosed = [&](session::TTnEmulVT*) { closed = true; };
    vt.Connect();
    for (int rounds = 0; !closed && rounds < 10'000'000; ++rounds) loop.runOnce(std::chrono::milliseconds(100));
    QCoreApplication::processEvents();  // the last paint
    if (!closed) state.SkipWithError("the host did not finish");
    paints += counter.paints;
  }
  state.counters["paints"] = benchmark::Counter(paints, benchmark::Counter::kAvgIterations);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kSessionBytes));
}

void PlainText(benchmark::State& state) { ReceiveAndPaint(state, term::bench::asciiLines()); }
void ColouredText(benchmark::State& state) { ReceiveAndPaint(state, term::bench::colouredText()); }
void RedrawTraffic(benchmark::State& state) { ReceiveAndPaint(state, term::bench::redrawTraffic()); }

BENCHMARK(PlainText)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(3);
BENCHMARK(ColouredText)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(3);
BENCHMARK(RedrawTraffic)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(3);

}  // namespace

BENCHMARK_MAIN();
