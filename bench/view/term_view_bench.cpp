// A full repaint of the terminal widget, offscreen: every cell of an 80x25 and of a 199x99
// screen, with the attribute changing every few cells and text in most runs.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <random>
#include <string>

#include "term/emulvt.h"
#include "term/view/term_view.h"

namespace {

QApplication& app() {
  static int argc = 1;
  static char name[] = "term_view_bench";
  static char* argv[] = {name, nullptr};
  static QApplication* instance = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(argc, argv);
  }();
  return *instance;
}

// Fills the screen with runs of 1..8 cells, each in another colour pair, mostly text.
void fill(ondrix::term::TEmulVT& vt) {
  std::mt19937 random(42);
  std::string bytes;
  for (int row = 0; row < vt.Rows(); ++row) {
    bytes += "\x1b[" + std::to_string(row + 1) + ";1H";
    int col = 0;
    while (col < vt.Cols()) {
      const int run = std::min(1 + static_cast<int>(random() % 8), vt.Cols() - col);
      bytes += "\x1b[" + std::to_string(30 + random() % 8) + ";" + std::to_string(40 + random() % 8) + "m";
      for (int i = 0; i < run; ++i)
        bytes.push_back(random() % 5 == 0 ? ' ' : static_cast<char>('A' + random() % 26));
      col += run;
    }
  }
  vt.WriteStr(bytes);
  vt.UpdateScreen();
}

void FullRepaint(benchmark::State& state) {
  app();
  ondrix::term::TEmulVT model;
  ondrix::term::view::TermView view(model);
  model.SetCols(static_cast<int>(state.range(0)));
  model.SetRows(static_cast<int>(state.range(1)));
  fill(model);
  view.resize(view.sizeHint());
  QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    view.render(&image, QPoint(), QRegion(), {});  // as a paint of the opaque widget: no background first
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["cells"] = static_cast<double>(state.range(0) * state.range(1));
}

BENCHMARK(FullRepaint)->Args({80, 25})->Args({199, 99})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
