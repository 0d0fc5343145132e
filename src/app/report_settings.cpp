#include "app/report_settings.h"

#include "platform/user_store.h"

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

SpreadsheetProgram storedSpreadsheetProgram(const UserStore& store) {
    return store.readString(kStoreSettings, kStoreSpreadsheet, "Excel") == "OpenOffice"
               ? SpreadsheetProgram::Calc
               : SpreadsheetProgram::Excel;
}

bool storeSpreadsheetProgram(UserStore& store, SpreadsheetProgram program) {
    return store.writeString(kStoreSettings, kStoreSpreadsheet,
                             program == SpreadsheetProgram::Calc ? "OpenOffice" : "Excel");
}

} // namespace lorvan
