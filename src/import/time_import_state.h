#pragma once

// The state of one run of the time import, shared by its reading and its writing phase (not part
// of the import's interface).

#include "import/company_layouts.h"
#include "import/employee_matching.h"
#include "import/import_protocol.h"
#include "import/time_import.h"
#include "masterdata/employee_flows.h"
#include "yearfile/year_file.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace lorvan {

struct TimeImport::State {
    State(const TimeImportOptions& options, TimeImportEnvironment& environment);

    TimeImportOptions options;
    TimeImportEnvironment& environment;
    ImportProtocol protocol;
    // The employee file's flows report through this prompter, so that their messages reach the
    // protocol as well as the user.
    ProtocolPrompter employeePrompts;
    EmployeeManagement employees;
    std::optional<EmployeeMatcher> matcher;

    // The text read and the records of a company layout; the picture's lines point into them.
    std::string text;
    std::vector<LayoutRecord> records;
    ImportPicture picture;
    TimeImportResult result;

    // The year files checked in the reading phase by (personnel number, year): the error text of a
    // missing one, empty when it exists or was created.
    std::map<std::pair<int32_t, int32_t>, std::string> checkedYearFiles;
    // Year files created in the reading phase, by path: written in the writing phase with their days.
    std::map<std::string, std::unique_ptr<CLorvanDoc>> newYearFiles;

    bool started = false;
    bool stopped = false;

    bool isTimeMode() const {
        return options.mode == ImportMode::StandardTimes || options.mode == ImportMode::CompanyTimes;
    }
    // Opens the employee file and starts the protocol; false when the employee file cannot be read.
    bool start();
    // Ends the run before the writing phase with the reason shown and recorded.
    void stop(const std::string& reason);
};

// The reading phase (import_reading.cpp).
bool readStandardText(TimeImport::State& state);
bool readLayoutRecords(TimeImport::State& state, const std::string& stopText);
// The writing phase (import_writing.cpp).
void writeDays(TimeImport::State& state);

} // namespace lorvan
