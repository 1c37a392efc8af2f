// One open-add-close cycle of the record engine on files of 10, 1,000 and 10,000 items, the
// way every store changes a file.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "bench_data.h"
#include "store/qdb.h"

namespace ondrix::store {
namespace {

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void writeAll(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void BM_OpenAddClose(benchmark::State& state) {
  char pattern[] = "/tmp/ondrix-qdb-bench-XXXXXX";
  const std::string folder = mkdtemp(pattern);
  setenv("TMPDIR", folder.c_str(), 1);
  const std::string path = folder + "/BENCH.QDB";
  const std::string record = bench::binaryRecords(1368);
  {
    TQDB db;
    db.SetFileName(path);
    for (int i = 0; i < state.range(0); ++i) db.AddItem(record, "Connection " + std::to_string(i));
  }
  const std::string original = readAll(path);
  for (auto _ : state) {
    TQDB db;
    db.SetFileName(path);
    db.AddItem(record, "New connection");
    db.SetFileName("");
    state.PauseTiming();
    writeAll(path, original);
    state.ResumeTiming();
  }
  state.SetLabel(std::to_string(original.size() / 1024) + " KiB file");
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_OpenAddClose)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ondrix::store
