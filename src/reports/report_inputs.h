#pragma once

#include <string>

// What the reports of a year file take from the program settings and the start-up: the logo, the notes
// of the month evaluation with their thresholds, and the special build switch. The application fills
// it from its program settings; the reports never read those themselves.
namespace lorvan {

struct ReportInputs {
    std::string logoFile;               // bitmap printed at the top right; empty = no logo
    bool printMonthReportTexts = false; // the notes below are printed at all
    std::string monthReportText;        // closing text of the month evaluation (may hold CR LF)
    std::string overtimeNoteText;       // remark of a day whose work exceeds the threshold
    double overtimeThresholdHours = 0;  // 0 = no such remark
    std::string sicknessNoteText;       // note under the absences when the sick days exceed the threshold
    double sicknessThresholdDays = 0;   // 0 = no such note
    bool buildSwitch = false;           // the special build: two more absence rows, two columns exchanged
};

// Shown when a report has no table to export; nothing is written then.
inline constexpr const char* kNothingToExport = "Es sind keine Angaben zum Export vorhanden.";
// Shown when the day sheet or the weekly proof has no row to export; nothing is written then.
inline constexpr const char* kNoDataToExport = "Es sind keine Daten zum Export vorhanden.";
// Shown when a print has nothing to print; it does not start then.
inline constexpr const char* kNoDataToPrint = "Es sind keine Daten zum Druck vorhanden.";

} // namespace lorvan
