#include "year_file_samples.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace lorvan;

using bench::fullYear;

void BM_YearFileSave(benchmark::State& state) {
    const CLorvanDoc doc = fullYear();
    size_t bytes = 0;
    for (auto _ : state) {
        std::string data = doc.toBytes();
        bytes += data.size();
        benchmark::DoNotOptimize(data);
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
}
BENCHMARK(BM_YearFileSave)->Unit(benchmark::kMicrosecond);

void BM_YearFileLoad(benchmark::State& state) {
    const std::string data = fullYear().toBytes();
    CLorvanDoc doc;
    for (auto _ : state) {
        doc.fromBytes(data, "bench.azr");
        benchmark::DoNotOptimize(doc);
    }
    state.SetBytesProcessed(static_cast<int64_t>(data.size() * state.iterations()));
    state.counters["file_bytes"] = static_cast<double>(data.size());
}
BENCHMARK(BM_YearFileLoad)->Unit(benchmark::kMicrosecond);

} // namespace
