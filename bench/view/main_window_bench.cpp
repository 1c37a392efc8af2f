// Start-up of the main window with a 1,000-connection book, offscreen: from creating the window
// (which builds its menus, toolbars and the Connect submenu from the record files) through the
// form's FormShow to the first full paint of the window.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <filesystem>
#include <string>

#include "platform/qt/qt_event_loop.h"
#include "platform/services.h"
#include "shell/ui/main_window.h"
#include "store/stores/con_db_fcns.h"
#include "store/stores/def_db_fcns.h"
#include "store/stores/factory_data.h"

namespace {

using namespace ondrix;

constexpr int kConnections = 1000;

QApplication& app() {
  static int argc = 1;
  static char name[] = "main_window_bench";
  static char* argv[] = {name, nullptr};
  static QApplication* instance = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(argc, argv);
  }();
  return *instance;
}

// A program folder with a data folder holding the factory files and the connection book.
struct BookFolder {
  BookFolder() {
    root = std::filesystem::temp_directory_path() / ("ondrix_main_window_bench_" + std::to_string(::getpid()));
    std::filesystem::create_directories(root);
    data = (root / "DATA").string() + "/";
    store::createFactoryData(data);
    store::ConDBFcns book(data);
    store::DefDBFcns defaults(data);
    book.Open();
    defaults.Open();
    for (int i = 0; i < kConnections; ++i) {
      store::ConnectionRecord r = book.AddNew(defaults);
      r.Host = "127.0.0.1";
      book.Write(r.RecordNo, r);
    }
    defaults.Close();
    book.Close();
  }
  ~BookFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
  }
  std::filesystem::path root;
  std::string data;
};

void BM_StartToFirstPaint(benchmark::State& state) {
  app();
  platform::qt::QtEventLoop loop;
  const platform::ScopedServices services({&loop, nullptr, nullptr, nullptr, nullptr});
  static BookFolder folder;
  for (auto _ : state) {
    auto window = std::make_unique<shell::ui::MainWindow>(folder.root.string(), folder.data);
    window->show();
    window->form().FormShow({});
    const QPixmap painted = window->grab();
    benchmark::DoNotOptimize(painted.cacheKey());
    state.PauseTiming();
    if (window->connectMenu()->actions().size() != kConnections) state.SkipWithError("the Connect menu is incomplete");
    window.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartToFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

BENCHMARK_MAIN();
