#include <benchmark/benchmark.h>

#include "bench_data.h"
#include "store/compressor.h"

namespace ondrix::store {
namespace {

constexpr std::size_t kInputSize = 1 << 20;

std::string input(int kind) {
  switch (kind) {
    case 0: return bench::settingsText(kInputSize);
    case 1: return bench::binaryRecords(kInputSize);
    default: return bench::noise(kInputSize);
  }
}

const char* kindName(int kind) { return kind == 0 ? "text" : kind == 1 ? "records" : "random"; }

void BM_Compress(benchmark::State& state) {
  const std::string data = input(static_cast<int>(state.range(0)));
  std::string out;
  for (auto _ : state) {
    out.clear();
    benchmark::DoNotOptimize(compressItem(data, out));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * data.size()));
  state.SetLabel(std::string(kindName(static_cast<int>(state.range(0)))) + " ratio " +
                 std::to_string(100 * out.size() / data.size()) + "%");
}
BENCHMARK(BM_Compress)->DenseRange(0, 2);

void BM_Decompress(benchmark::State& state) {
  const std::string data = input(static_cast<int>(state.range(0)));
  std::string packed;
  compressItem(data, packed);
  std::string out;
  for (auto _ : state) {
    if (!decompressItem(packed, out)) state.SkipWithError("decompression failed");
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * data.size()));
  state.SetLabel(kindName(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_Decompress)->DenseRange(0, 2);

}  // namespace
}  // namespace ondrix::store
