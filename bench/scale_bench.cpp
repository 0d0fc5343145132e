// The program's work on the demo firm of 1,000 employees × 5 years (lorvan-cli demo --employees 1000
// --years 5, made once per process on 15.11.2026 into a temporary folder), each beside a baseline that
// reads the bytes of the same files from the page cache the way `cat` does:
//   "Mitarbeiter verwalten" opened (Daten.mar read, the list model filled) / Daten.mar read;
//   the month closing of December 2025 with both lists, the booking export and the absence export,
//   and the customer query of the last year / the 1,000 year files of 2025 read;
//   the import of December 2026's clock times of all employees / the 1,000 year files of 2026 read,
//   and / the same files loaded and saved once each.
// Run with TMPDIR on a memory file system (/dev/shm) to keep the disk out.
#include "cli/demo/demo_data.h"
#include "closing/absence_export.h"
#include "closing/booking_export.h"
#include "closing/closing_lists.h"
#include "closing/month_collection.h"
#include "foundation/calendar.h"
#include "foundation/file_io.h"
#include "foundation/format.h"
#include "foundation/time_text.h"
#include "import/time_import.h"
#include "masterdata/customer_file.h"
#include "masterdata/employee_file.h"
#include "masterdata/employee_flows.h"
#include "masterdata/employee_list_model.h"
#include "platform/clock.h"
#include "platform/prompter.h"
#include "query/customer_query.h"
#include "yearfile/year_document.h"
#include "yearfile/year_file.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace lorvan;
namespace fs = std::filesystem;

constexpr int32_t kEmployees = 1000;
constexpr int32_t kYears = 5;
const Datum kToday{15, 11, 2026};
constexpr ClosingMonthChoice kClosingMonth{12, 2025};

struct ScaleFirm {
    std::string directory; // with a trailing "/"
    CTwMaDoc employees;
    CTwKundenDoc customers;
    std::vector<CMitarbeiterDoc> chosen; // every employee, as the closing chooses them
    std::map<int32_t, std::vector<std::string>> filesOfYear;
    std::string importFile;
    size_t importLines = 0;

    ScaleFirm() {
        std::string pattern = (fs::temp_directory_path() / "lorvan-scale-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        directory = pattern + "/";
        cli::createDemoData(directory + "daten", kToday, cli::DemoSize{kEmployees, kYears});
        directory += "daten/";
        employees.open(CTwMaDoc::pathIn(directory));
        customers.open(directory + "Daten.kd");
        for (const auto& [number, employee] : employees.employees) {
            chosen.push_back(employee);
            for (int32_t year = kToday.year - kYears + 1; year <= kToday.year; ++year)
                filesOfYear[year].push_back(yearFilePath(directory, employee.name, year));
        }
        // December 2026 as a time clock exports it: day by day, every employee's coming and going
        // with the lunch break, by personnel number.
        std::string text;
        for (Datum date{1, 12, 2026}; date.month == 12; date = addDays(date, 1)) {
            if (weekdayMonday(date) > 5) continue;
            const std::string day = formatDate(date);
            for (const auto& [number, employee] : employees.employees) {
                const int32_t start = 7 * 60 + number % 4 * 15;
                const std::pair<int32_t, int32_t> parts[] = {{start, start + 4 * 60}, {start + 4 * 60 + 30, start + 8 * 60 + 30}};
                for (const auto& [from, to] : parts) {
                    text += std::to_string(number) + ";" + day + ";" + formatMinutes(from, 2, false) + ";" +
                            formatMinutes(to, 2, false) + ";;A;;;\r\n";
                    ++importLines;
                }
            }
        }
        importFile = pattern + "/dezember.csv";
        std::ofstream(importFile, std::ios::binary) << text;
    }
    ~ScaleFirm() {
        std::error_code ignored;
        fs::remove_all(fs::path(directory).parent_path().parent_path(), ignored);
    }
};

ScaleFirm& firm() {
    static ScaleFirm f;
    return f;
}

// Reads every file through once, as cat does; the bytes read.
uint64_t readFiles(const std::vector<std::string>& files) {
    static std::vector<char> buffer(128 * 1024);
    uint64_t total = 0;
    for (const std::string& path : files) {
        const int fd = ::open(path.c_str(), O_RDONLY);
        for (ssize_t n; (n = ::read(fd, buffer.data(), buffer.size())) > 0;) total += static_cast<uint64_t>(n);
        ::close(fd);
    }
    return total;
}

void BM_ScaleReadEmployeeFile(benchmark::State& state) {
    const std::vector<std::string> files{CTwMaDoc::pathIn(firm().directory)};
    for (auto _ : state) benchmark::DoNotOptimize(readFiles(files));
}
BENCHMARK(BM_ScaleReadEmployeeFile)->Unit(benchmark::kMicrosecond);

// What the window "Mitarbeiter verwalten" does when it opens: Daten.mar read by the flows, and the
// list model filled with the active employees and their cells.
void BM_ScaleOpenEmployeeWindow(benchmark::State& state) {
    FixedAnswerPrompter prompter(true, true);
    const FixedClock clock(kToday);
    for (auto _ : state) {
        EmployeeFlowContext context;
        context.prompter = &prompter;
        context.clock = &clock;
        context.dataDirectory = firm().directory;
        EmployeeManagement management(context);
        if (!management.open()) state.SkipWithError("Daten.mar not read");
        EmployeeListModel model(management.file().employees, clock);
        benchmark::DoNotOptimize(model.rows().size());
    }
}
BENCHMARK(BM_ScaleOpenEmployeeWindow)->Unit(benchmark::kMicrosecond);

// The baseline of the closing, the query and the import: the 1,000 year files of one year.
void BM_ScaleReadYearFiles(benchmark::State& state) {
    const std::vector<std::string>& files = firm().filesOfYear.at(static_cast<int32_t>(state.range(0)));
    uint64_t bytes = 0;
    for (auto _ : state) benchmark::DoNotOptimize(bytes = readFiles(files));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_ScaleReadYearFiles)->Arg(2025)->Arg(2026)->Unit(benchmark::kMillisecond);

// The month closing of December 2025: the months collected and both lists (working-time account,
// employee costs).
void BM_ScaleClosingLists(benchmark::State& state) {
    ScaleFirm& f = firm();
    for (auto _ : state) {
        auto collection = collectMonths(f.directory, f.chosen, kClosingMonth);
        const CReportTable accounts = accountListTable(*collection, kToday, false);
        const CReportTable costs = costListTable(*collection, kToday);
        benchmark::DoNotOptimize(accounts.rowCount() + costs.rowCount());
    }
}
BENCHMARK(BM_ScaleClosingLists)->Unit(benchmark::kMillisecond);

// The booking export of December 2025: the months collected, the booking and the calendar lines.
void BM_ScaleBookingExport(benchmark::State& state) {
    ScaleFirm& f = firm();
    for (auto _ : state) {
        auto collection = collectMonths(f.directory, f.chosen, kClosingMonth);
        std::string bookings;
        std::string calendar;
        std::vector<std::string> warnings;
        int32_t count = 0;
        for (const CollectedMonth& m : collection->monthList) {
            count += writeBookings(bookings, m, warnings);
            count += writeCalendarDays(calendar, m);
        }
        benchmark::DoNotOptimize(count);
    }
}
BENCHMARK(BM_ScaleBookingExport)->Unit(benchmark::kMillisecond);

// The absence export of December 2025 (every missing day), written to a file.
void BM_ScaleAbsenceExport(benchmark::State& state) {
    ScaleFirm& f = firm();
    const std::string path = f.directory + "../fehlzeiten.csv";
    for (auto _ : state) {
        auto collection = collectMonths(f.directory, f.chosen, kClosingMonth);
        const AbsenceExportResult result = exportAbsences(path, true, collection->monthList);
        benchmark::DoNotOptimize(result.count);
    }
}
BENCHMARK(BM_ScaleAbsenceExport)->Unit(benchmark::kMillisecond);

// The customer query of the last year (2025) over all year files: per customer, service and employee,
// with costs.
void BM_ScaleCustomerQueryLastYear(benchmark::State& state) {
    ScaleFirm& f = firm();
    QueryChoices choices;
    choices.period.choice = kPeriodLastYear;
    choices.period.today = kToday;
    choices.levels = {QueryLevel{kLevelCustomer, true}, QueryLevel{kLevelService, true},
                      QueryLevel{kLevelEmployee, true}, QueryLevel{kLevelNone, false}};
    choices.showCosts = true;
    FixedAnswerPrompter prompter(true, true);
    for (auto _ : state) {
        auto result = evaluateQuery(QuerySource{f.directory, &f.employees, &f.customers}, choices, prompter);
        if (!result) state.SkipWithError("query failed");
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_ScaleCustomerQueryLastYear)->Unit(benchmark::kMillisecond);

// The import of a month of clock times of all employees (December 2026, two lines a working day),
// reading and writing phase; the year files of 2026 are put back between the runs.
void BM_ScaleImportMonth(benchmark::State& state) {
    ScaleFirm& f = firm();
    const std::vector<std::string>& files = f.filesOfYear.at(2026);
    std::map<std::string, std::string> before;
    for (const std::string& path : files) before[path] = readWholeFile(path);
    FixedAnswerPrompter prompter(false, true);
    const FixedClock clock(kToday);
    for (auto _ : state) {
        TimeImportOptions options;
        options.importFile = f.importFile;
        TimeImportEnvironment environment;
        environment.prompter = &prompter;
        environment.clock = &clock;
        environment.dataDirectory = f.directory;
        TimeImport import(options, environment);
        if (!import.read(readWholeFile(f.importFile))) state.SkipWithError("reading failed");
        import.write();
        state.PauseTiming();
        if (import.result().filesWritten.size() != files.size()) state.SkipWithError("not every file written");
        for (const auto& [path, bytes] : before) std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        state.ResumeTiming();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(f.importLines));
}
BENCHMARK(BM_ScaleImportMonth)->Unit(benchmark::kMillisecond)->Iterations(3);

// The least the import's writing phase must do: the same 1,000 year files of 2026 loaded and saved
// once each (with the change check of every save); the import's goal is measured against this.
void BM_ScaleLoadAndSaveYearFiles(benchmark::State& state) {
    ScaleFirm& f = firm();
    FixedAnswerPrompter prompter(false, true);
    const StorageContext storage{&prompter, f.directory, nullptr, nullptr};
    for (auto _ : state) {
        for (const std::string& path : f.filesOfYear.at(2026)) {
            CLorvanDoc document;
            document.open(path);
            document.setModified();
            if (!document.save(path, true, storage)) state.SkipWithError("save failed");
        }
    }
}
BENCHMARK(BM_ScaleLoadAndSaveYearFiles)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
