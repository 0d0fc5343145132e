#pragma once

#include "foundation/datum.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lorvan::cli {

struct DemoSummary {
    int employees = 0;
    int customers = 0;
    int services = 0;
    int yearFiles = 0;
};

// Creates a demo data directory: employees with German names, customers, services, and for every
// employee the year files of the previous and the current year (up to today's month) with working
// days, time lines, vacation, sickness and public holidays; a vehicle with its logbook of the current
// year. Refuses a directory that already holds data files.
DemoSummary createDemoData(const std::string& directory, const Datum& today);

constexpr int32_t kMaxDemoEmployees = 10000;
constexpr int32_t kMaxDemoYears = 30;

struct DemoSize {
    int32_t employees = 0; // 1 to kMaxDemoEmployees
    int32_t years = 0;     // 1 to kMaxDemoYears
};

// A demo data directory of any size, with the same kind of data: employees with unique German
// names (first and last names combined; their year-file names differ, letter case ignored) in the
// office, the field, part-time and the warehouse; customers and services growing with the number of
// employees; for every employee the year files of the last size.years years up to today, every file
// written once with its evaluation cached; the vehicle with its logbook. The same size and today
// give the same files. A size out of range raises LorvanError with a German message.
DemoSummary createDemoData(const std::string& directory, const Datum& today, const DemoSize& size);

// The names of the first count employees of a demo firm: first and last names combined, later with
// double last names; no two alike in their file-name form, letter case ignored (so that no two
// employees share a year file on any file system).
std::vector<std::string> demoEmployeeNames(int32_t count);

} // namespace lorvan::cli
