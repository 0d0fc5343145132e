// The month closing of December over 1,000 busy year files: collecting the months, both lists, the
// booking and calendar lines and the export of missing times, against reading the same files from the
// page cache the way `cat` does.
#include "closing/absence_export.h"
#include "closing/booking_export.h"
#include "closing/closing_lists.h"
#include "closing/month_collection.h"
#include "foundation/calendar.h"
#include "foundation/format.h"
#include "foundation/time_text.h"
#include "masterdata/employee_file.h"
#include "masterdata/employee_files.h"
#include "yearfile/year_file.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace lorvan;
namespace fs = std::filesystem;

constexpr int kEmployees = 1000;
constexpr int kYear = 2024;

struct Fixture {
    fs::path directory;
    std::string dataDirectory;
    std::vector<CMitarbeiterDoc> employees;
    std::vector<std::string> paths;

    Fixture() {
        directory = fs::temp_directory_path() / "lorvan-closing-bench";
        fs::remove_all(directory);
        fs::create_directories(directory);
        dataDirectory = directory.string() + "/";
        CTwMaDoc file;
        for (int e = 0; e < kEmployees; ++e) {
            CMitarbeiterDoc employee;
            employee.number = 1001 + e;
            employee.name = format("Mitarbeiter %04d", e + 1);
            employee.department = format("Abteilung %d", e % 7);
            file.put(employee);
            employees.push_back(employee);
            CLorvanDoc document;
            CEinstArbzt& s = document.settings();
            s.name = employee.name;
            s.year = kYear;
            s.keepWorkingTimeAccount = 1;
            s.manageRemainingVacation = 1;
            s.employeeInCostEvaluation = 1;
            s.wageTypeSurcharge1 = "200";
            s.wageTypeNight = "430";
            WagePeriod wage;
            wage.hourlyWage = 18;
            wage.employerCostPerHour = 27;
            wage.valueCreationPerHour = 45;
            s.wagePeriods = {wage};
            // Every working day two lines; every 20th day vacation, every 30th sick; a long Friday now and then.
            for (Datum d{1, 1, kYear}; d.year == kYear; d = addDays(d, 1)) {
                const int32_t weekday = weekdayMonday(d);
                if (weekday > 5) continue;
                CTagDoc& day = document.addMonth(d.month).addDay(d.day);
                const int32_t n = dayOfYear(d) + e;
                if (n % 20 == 0) {
                    day.dayKind = kVacation;
                    continue;
                }
                if (n % 30 == 0) {
                    day.dayKind = kSickWithPay;
                    continue;
                }
                for (const auto& [from, to] : {std::pair{"7:00", "12:00"}, std::pair{"12:30", n % 9 == 0 ? "20:00" : "16:30"}}) {
                    CZeitZeile& line = day.addLine();
                    line.kind = kKindWorkingTime;
                    line.from = from;
                    line.to = to;
                    line.duration = parseClock(to) - parseClock(from);
                }
            }
            const std::string path = yearFilePath(dataDirectory, employee.name, kYear);
            document.save(path);
            paths.push_back(path);
        }
        file.save(CTwMaDoc::pathIn(dataDirectory));
    }
    ~Fixture() { fs::remove_all(directory); }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

// What `cat` does: every file read through once into a buffer.
void BM_ReadFilesLikeCat(benchmark::State& state) {
    Fixture& f = fixture();
    std::vector<char> buffer(128 * 1024);
    for (auto _ : state) {
        size_t bytes = 0;
        for (const std::string& path : f.paths) {
            const int fd = ::open(path.c_str(), O_RDONLY);
            ssize_t n = 0;
            while ((n = ::read(fd, buffer.data(), buffer.size())) > 0)
                bytes += static_cast<size_t>(n);
            ::close(fd);
        }
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_ReadFilesLikeCat)->Unit(benchmark::kMillisecond);

void BM_CollectDecember(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        auto collection = collectMonths(f.dataDirectory, f.employees, ClosingMonthChoice{12, kYear});
        benchmark::DoNotOptimize(collection->monthList.size());
    }
}
BENCHMARK(BM_CollectDecember)->Unit(benchmark::kMillisecond);

// The whole closing: both lists, the booking and calendar lines and the missing-times export.
void BM_MonthClosingDecember(benchmark::State& state) {
    Fixture& f = fixture();
    const Datum today{15, 1, kYear + 1};
    const std::string absences = f.dataDirectory + "../lorvan-closing-bench-fehlzeiten.csv";
    for (auto _ : state) {
        auto collection = collectMonths(f.dataDirectory, f.employees, ClosingMonthChoice{12, kYear});
        const CReportTable accounts = accountListTable(*collection, today, false);
        const CReportTable costs = costListTable(*collection, today);
        std::string bookings;
        std::string calendar;
        std::vector<std::string> warnings;
        int32_t count = 0;
        for (const CollectedMonth& m : collection->monthList) {
            count += writeBookings(bookings, m, warnings);
            count += writeCalendarDays(calendar, m);
        }
        const AbsenceExportResult result = exportAbsences(absences, true, collection->monthList);
        benchmark::DoNotOptimize(accounts.rowCount() + costs.rowCount() + static_cast<size_t>(count + result.count));
    }
    fs::remove(absences);
}
BENCHMARK(BM_MonthClosingDecember)->Unit(benchmark::kMillisecond);

} // namespace
