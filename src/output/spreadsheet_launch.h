#pragma once

#include "output/report_table.h"
#include "output/spreadsheet_export.h"
#include "platform/program_runner.h"
#include "platform/prompter.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Handing an exported table to the spreadsheet program: the workbook is written to a file of its
// own in an export folder and opened with the program of the export switch. The desktop and the
// command line supply how a program is started.
namespace lorvan {

inline constexpr const char* kExcelConnectionMessage =
    "Die Verbindung zu Excel konnte nicht hergestellt werden.";
inline constexpr const char* kCalcConnectionMessage =
    "Die Verbindung zu OpenOffice/StarOffice konnte nicht hergestellt werden.";
inline constexpr const char* kCalcNotStartedMessage =
    "Die Verbindung zu OpenOffice/StarOffice konnte nicht hergestellt werden.\n\nWenn Sie die Anwendung "
    "installiert haben, stellen Sie sicher, dass der Schnellstarter beim Starten des Rechners mit gestartet "
    "wird oder Öffnen Sie OpenOffice vor dem Ausführen dieser Funktion.";
inline constexpr const char* kSheetNameRefusedMessage =
    "Der Name der Arbeitsmappe konnte nicht gesetzt werden.";
// Followed by the workbook's path when the program could not be started: the file is kept.
inline constexpr const char* kWorkbookSavedAt = "Die Arbeitsmappe wurde gespeichert unter: ";

// The command that opens the workbook: for Excel the desktop's program for .xlsx files
// ("xdg-open"), for OpenOffice/StarOffice its spreadsheet ("libreoffice --calc").
std::vector<std::string> spreadsheetCommand(SpreadsheetProgram program, const std::string& path);

// A file in the folder that does not exist yet: the cleaned sheet name in file-name form + ".xlsx",
// numbered "_2", "_3", ... while taken ("Export" when no letter or digit is left). Every export gets
// a workbook of its own, so a workbook still open in the spreadsheet program is never overwritten.
std::filesystem::path exportFilePath(const std::filesystem::path& folder, std::string_view sheetName);

// The message followed by "\n\n" and the description (at most 1000 characters) when there is one.
std::string messageWithDescription(const char* message, const std::string& description);

struct SpreadsheetTarget {
    SpreadsheetProgram program = SpreadsheetProgram::Excel;
    std::filesystem::path exportFolder; // created when missing
    ProgramRunner& runner;
    Prompter& prompter;
};

// Exports one table as its own workbook: the sheet is built, written into the export folder and
// opened in the program. Every failure is shown through the prompter (a refused sheet name only as a
// note for Excel; the export goes on). A program that does not start gives its connection message
// and where the workbook was saved, so the user can open it himself; why it did not start is left
// out (that is the system's business, not the user's). Returns the workbook's path; empty when none
// was written. The table is not changed.
std::string exportTable(const CReportTable& table, std::string_view sheetName,
                        const SpreadsheetTarget& target);
// The same for a fixed program.
std::string exportToExcel(const CReportTable& table, std::string_view sheetName,
                          const std::filesystem::path& exportFolder, ProgramRunner& runner,
                          Prompter& prompter);
std::string exportToCalc(const CReportTable& table, std::string_view sheetName,
                         const std::filesystem::path& exportFolder, ProgramRunner& runner,
                         Prompter& prompter);

} // namespace lorvan
