#pragma once

// The time import's sample data for the benchmarks and the profiling driver: a data directory with
// employees and their empty year files of 2025 and 2026, and an import text of clock times.
#include "foundation/calendar.h"
#include "foundation/format.h"
#include "foundation/time_text.h"
#include "masterdata/employee_file.h"
#include "yearfile/year_file.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace lorvan::bench {

struct ImportSamples {
    static constexpr int kLinesPerEmployee = 5000;
    static constexpr int kLinesPerDay = 10;

    std::filesystem::path directory;
    std::string dataDirectory;
    std::string text;
    size_t lines = 0;
    std::map<std::string, std::string> emptyFiles;    // path -> bytes before the import
    std::map<std::string, std::string> importedFiles; // path -> bytes after the import

    // employees × 5,000 lines (200 employees: 1,000,000 lines).
    explicit ImportSamples(int employeeCount) {
        namespace fs = std::filesystem;
        directory = fs::temp_directory_path() / "lorvan-import-bench";
        fs::remove_all(directory);
        fs::create_directories(directory);
        dataDirectory = directory.string() + "/";
        CTwMaDoc employees;
        for (int e = 0; e < employeeCount; ++e) {
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
        std::vector<int> written(static_cast<size_t>(employeeCount), 0);
        for (Datum date{1, 1, 2025}; date.year <= 2026; date = addDays(date, 1)) {
            if (weekdayMonday(date) > 5) continue;
            const std::string day = formatDate(date);
            for (int e = 0; e < employeeCount; ++e) {
                for (int i = 0; i < kLinesPerDay && written[e] < kLinesPerEmployee; ++i, ++written[e]) {
                    const int from = 6 * 60 + i * 50;
                    text += std::to_string(1001 + e) + ";" + day + ";" + formatMinutes(from, 2, false) + ";" +
                            formatMinutes(from + 50, 2, false) + ";;" + (i == 4 ? "P" : "A") + ";;;\r\n";
                    ++lines;
                }
            }
        }
    }
    ~ImportSamples() { std::filesystem::remove_all(directory); }
    ImportSamples(const ImportSamples&) = delete;
    ImportSamples& operator=(const ImportSamples&) = delete;

    // The year files put back as given.
    static void put(const std::map<std::string, std::string>& files) {
        for (const auto& [path, bytes] : files) {
            CLorvanDoc document;
            document.fromBytes(bytes, path);
            document.save(path);
        }
    }
};

} // namespace lorvan::bench
