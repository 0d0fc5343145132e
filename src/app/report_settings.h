#pragma once

#include "app/program_settings.h"
#include "output/spreadsheet_export.h"
#include "reports/report_inputs.h"

#include <string>

namespace lorvan {

// What the reports of a year file take from the program settings of this run.
ReportInputs reportInputsOf(const ProgramSettings& settings, bool buildSwitch = false);

class UserStore;

// The spreadsheet program every export goes to is a matter of the computer, so it is kept in the
// per-user store: "Settings" / "Tabellenprogramm" = "Excel" (the default) or "OpenOffice".
inline constexpr const char* kStoreSpreadsheet = "Tabellenprogramm";
SpreadsheetProgram storedSpreadsheetProgram(const UserStore& store);
bool storeSpreadsheetProgram(UserStore& store, SpreadsheetProgram program);

} // namespace lorvan
