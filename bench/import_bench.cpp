// The time import on a file of 1,000,000 lines for 200 employees over two years: the reading phase
// against a bare splitting pass over the same text, and the writing phase against loading and saving
// the touched year files once each.
#include "foundation/calendar.h"
#include "foundation/format.h"
#include "foundation/split_fields.h"
#include "foundation/time_text.h"
#include "import/time_import.h"
#include "masterdata/employee_file.h"
#include "platform/clock.h"
#include "platform/prompter.h"
#include "yearfile/year_file.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace lorvan;
namespace fs = std::filesystem;

constexpr int kEmployees = 200;
constexpr int kLinesPerEmployee = 5000; // 1,000,000 lines
constexpr int kLinesPerDay = 10;

// The data directory with the employees and their empty year files of 2025 and 2026, the import
// text, and the year files as the import leaves them.
struct Fixture {
    fs::path directory;
    std::string dataDirectory;
    std::string text;
    size_t lines = 0;
    std::map<std::string, std::string> emptyFiles;    // path -> bytes before the import
    std::map<std::string, std::string> importedFiles; // path -> bytes after the import

    Fixture() {
        directory = fs::temp_directory_path() / "lorvan-import-bench";
        fs::remove_all(directory);
        fs::create_directories(directory);
        dataDirectory = directory.string() + "/";
        CTwMaDoc employees;
        for (int e = 0; e < kEmployees; ++e) {
            CMitarbeiterDoc employee;
            employee.number = 1001 + e;
            employee.name = format("Mitarbeiter %03d", e + 1);
            employees.put(employee);
            for (const int32_t year : {2025, 2026}) {
                CLorvanDoc document;
                document.settings().name = employee.name;
                document.settings().year = year;
                const std::string path = fullYearFilePath(dataDirectory, employee.name, year);
                document.save(path);
                emptyFiles[path] = document.toBytes();
            }
        }
        employees.save(dataDirectory + "Daten.mar");

        // Ordered as a time clock exports: day by day, every employee's lines of the day.
        std::vector<int> written(kEmployees, 0);
        for (Datum date{1, 1, 2025}; date.year <= 2026; date = addDays(date, 1)) {
            if (weekdayMonday(date) > 5) continue;
            const std::string day = formatDate(date);
            for (int e = 0; e < kEmployees; ++e) {
                for (int i = 0; i < kLinesPerDay && written[e] < kLinesPerEmployee; ++i, ++written[e]) {
                    const int from = 6 * 60 + i * 50;
                    text += std::to_string(1001 + e) + ";" + day + ";" + formatMinutes(from, 2, false) + ";" +
                            formatMinutes(from + 50, 2, false) + ";;" + (i == 4 ? "P" : "A") + ";;;\r\n";
                    ++lines;
                }
            }
        }
    }
    ~Fixture() { fs::remove_all(directory); }

    static void put(const std::map<std::string, std::string>& files) {
        for (const auto& [path, bytes] : files) {
            CLorvanDoc document;
            document.fromBytes(bytes, path);
            document.save(path);
        }
    }
};

Fixture& fixture() {
    static Fixture f;
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
