#pragma once

#include "foundation/datum.h"

#include <string>

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

} // namespace lorvan::cli
