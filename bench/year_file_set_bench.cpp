// Loading and evaluating a set of 1,000 full-year files, as the customer query and the month closing
// do, against reading the same bytes without interpreting them (what `cat` does). The set is written
// once into a temporary folder and removed afterwards; with LORVAN_YEAR_FILE_SET=DIR it is written
// into (or taken from) DIR and kept, so that `cat DIR/*.azr > /dev/null` can be timed on the same
// files.
#include "year_file_samples.h"

#include "evaluation/month_evaluation.h"
#include "foundation/file_io.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace lorvan;
namespace fs = std::filesystem;

constexpr int kFiles = 1000;

struct YearFileSet {
    fs::path directory;
    bool keep = false;
    std::vector<std::string> paths;
    size_t bytes = 0;

    YearFileSet() {
        const char* given = std::getenv("LORVAN_YEAR_FILE_SET");
        keep = given != nullptr && *given != '\0';
        directory = keep ? fs::path(given) : fs::temp_directory_path() / "lorvan-year-file-set-bench";
        fs::create_directories(directory);
        for (int i = 0; i < kFiles; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "Mitarbeiter_%04d2024.azr", i + 1);
            const fs::path path = directory / name;
            if (!fs::exists(path)) {
                char person[32];
                std::snprintf(person, sizeof person, "Mitarbeiter %04d", i + 1);
                const std::string data = bench::fullYear(person).toBytes();
                std::ofstream(path, std::ios::binary).write(data.data(), static_cast<std::streamsize>(data.size()));
            }
            paths.push_back(path.string());
            bytes += static_cast<size_t>(fs::file_size(path));
        }
    }
    ~YearFileSet() {
        if (!keep) fs::remove_all(directory);
    }
};

const YearFileSet& fileSet() {
    static const YearFileSet set;
    return set;
}

// Only the bytes: the floor that loading is measured against.
void BM_ReadYearFileSet(benchmark::State& state) {
    const YearFileSet& set = fileSet();
    for (auto _ : state)
        for (const std::string& path : set.paths)
            benchmark::DoNotOptimize(readWholeFile(path));
    state.SetBytesProcessed(static_cast<int64_t>(set.bytes * state.iterations()));
}
BENCHMARK(BM_ReadYearFileSet)->Unit(benchmark::kMillisecond);

void BM_OpenYearFileSet(benchmark::State& state) {
    const YearFileSet& set = fileSet();
    for (auto _ : state) {
        for (const std::string& path : set.paths) {
            CLorvanDoc doc;
            doc.open(path);
            benchmark::DoNotOptimize(doc);
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(set.bytes * state.iterations()));
}
BENCHMARK(BM_OpenYearFileSet)->Unit(benchmark::kMillisecond);

// A month closing over the set: every file opened and its twelve months evaluated.
void BM_OpenAndEvaluateYearFileSet(benchmark::State& state) {
    const YearFileSet& set = fileSet();
    const EvaluationContext context;
    for (auto _ : state) {
        for (const std::string& path : set.paths) {
            CLorvanDoc doc;
            doc.open(path);
            doc.resetFromMonth(1);
            YearEvaluator evaluator(doc, context);
            for (int32_t m = 1; m <= 12; ++m)
                benchmark::DoNotOptimize(&evaluator.evaluate(m));
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(set.bytes * state.iterations()));
}
BENCHMARK(BM_OpenAndEvaluateYearFileSet)->Unit(benchmark::kMillisecond);

} // namespace
