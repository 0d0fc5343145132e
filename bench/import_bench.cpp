// The time import on a file of 1,000,000 lines for 200 employees over two years: the reading phase
// against a bare splitting pass over the same text, and the writing phase against loading and saving
// the touched year files once each.
#include "import_samples.h"

#include "foundation/split_fields.h"
#include "import/time_import.h"
#include "platform/clock.h"
#include "platform/prompter.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace lorvan;
namespace fs = std::filesystem;

constexpr int kEmployees = 200; // 1,000,000 lines

using Fixture = bench::ImportSamples;

Fixture& fixture() {
    static Fixture f(kEmployees);
    return f;
}

struct Run {
    FixedAnswerPrompter prompter{false, true};
    FixedClock clock{Datum{1, 12, 2026}};
    TimeImportOptions options;
    TimeImportEnvironment environment;

    Run() {
        options.importFile = fixture().dataDirectory + "import.csv";
        environment.prompter = &prompter;
        environment.clock = &clock;
        environment.dataDirectory = fixture().dataDirectory;
    }
};

void BM_ImportReading(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        // The text as the import gets it from the file.
        state.PauseTiming();
        std::string text = f.text;
        state.ResumeTiming();
        Run run;
        TimeImport import(run.options, run.environment);
        if (!import.read(std::move(text))) state.SkipWithError("reading failed");
        benchmark::DoNotOptimize(import.picture().employees.size());
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(f.lines));
    state.SetLabel("lines");
}
BENCHMARK(BM_ImportReading)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// What the reading phase cannot do with less: the lines split into their fields once.
void BM_SplitFieldsOnly(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        std::map<int, std::string> fields;
        std::string message;
        size_t count = 0;
        std::string_view rest = f.text;
        while (!rest.empty()) {
            const size_t end = rest.find('\n');
            std::string_view line = rest.substr(0, end);
            rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            SplitFields(line, SplitVariant::TimeImport, {}, 9, fields, message);
            count += fields.size();
        }
        benchmark::DoNotOptimize(count);
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(f.lines));
}
BENCHMARK(BM_SplitFieldsOnly)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// The writing phase alone: the 400 year files filled with the two years' days and saved once each.
void BM_ImportWriting(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        state.PauseTiming();
        Fixture::put(f.emptyFiles);
        Run run;
        auto import = std::make_unique<TimeImport>(run.options, run.environment);
        if (!import->read(f.text)) state.SkipWithError("reading failed");
        state.ResumeTiming();
        import->write();
        state.PauseTiming();
        if (import->result().filesWritten.size() != f.emptyFiles.size())
            state.SkipWithError("files not written");
        import.reset();
        state.ResumeTiming();
    }
    if (f.importedFiles.empty())
        for (const auto& [path, bytes] : f.emptyFiles) {
            CLorvanDoc document;
            document.open(path);
            f.importedFiles[path] = document.toBytes();
        }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(f.lines));
}
BENCHMARK(BM_ImportWriting)->Unit(benchmark::kMillisecond)->Iterations(5);

// The least the writing phase must do: every touched year file, as the import leaves it, loaded and
// saved once (with the change check of every save).
void BM_LoadAndSaveTouchedFiles(benchmark::State& state) {
    Fixture& f = fixture();
    if (f.importedFiles.empty()) {
        state.SkipWithError("run BM_ImportWriting first");
        return;
    }
    Fixture::put(f.importedFiles);
    FixedAnswerPrompter prompter(false, true);
    const StorageContext storage{&prompter, f.dataDirectory, nullptr, nullptr};
    for (auto _ : state) {
        for (const auto& [path, bytes] : f.importedFiles) {
            CLorvanDoc document;
            document.open(path);
            document.setModified();
            if (!document.save(path, true, storage)) state.SkipWithError("save failed");
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(f.lines));
}
BENCHMARK(BM_LoadAndSaveTouchedFiles)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
