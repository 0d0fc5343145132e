#pragma once

#include "app/program_settings.h"
#include "reports/report_inputs.h"

namespace lorvan {

// What the reports of a year file take from the program settings of this run.
ReportInputs reportInputsOf(const ProgramSettings& settings, bool buildSwitch = false);

} // namespace lorvan
