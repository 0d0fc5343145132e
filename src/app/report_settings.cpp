#include "app/report_settings.h"

namespace lorvan {

ReportInputs reportInputsOf(const ProgramSettings& settings, bool buildSwitch) {
    ReportInputs inputs;
    inputs.logoFile = settings.logoFile;
    inputs.printMonthReportTexts = settings.printMonthReportTexts;
    inputs.monthReportText = settings.monthReportText;
    inputs.overtimeNoteText = settings.overtimeNoteText;
    inputs.overtimeThresholdHours = settings.overtimeThresholdHours;
    inputs.sicknessNoteText = settings.sicknessNoteText;
    inputs.sicknessThresholdDays = settings.sicknessThresholdDays;
    inputs.buildSwitch = buildSwitch;
    return inputs;
}

} // namespace lorvan
