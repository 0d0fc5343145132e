#pragma once

#include "app/program_settings.h"
#include "foundation/datum.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace lorvan {
struct LogbookPrintInput;
}

namespace lorvan::cli {

// Global options of the command line.
struct Options {
    std::string dataDirectory;  // --data
    std::optional<Datum> today; // --today
    int32_t todayMinutes = 0;   // the time of day of --today (minutes since midnight)
    bool answerYes = false;     // --yes / --no
    std::string protocolFile;   // --protocol
    // Lorvan.ini of the data directory (cli/data_directory.h): the month closing and the notes.
    ProgramSettings settings;
};

// Each command writes its result to out and returns the exit status; failures raise LorvanError.
int runShow(const Options& options, const std::vector<std::string>& args, std::ostream& out);
int runWrite(const Options& options, const std::vector<std::string>& args, std::istream& in, std::ostream& out);
int runDemo(const Options& options, const std::vector<std::string>& args, std::ostream& out);
// holidays YEAR [STATE]: the public holidays of the year, one DD.MM.YYYY a line.
int runHolidays(const Options& options, const std::vector<std::string>& args, std::ostream& out);
// month FILE MONTH --json|--text: the month evaluation of a year file (read-only).
int runMonth(const Options& options, const std::vector<std::string>& args, std::ostream& out);
// account FILE --json|--text: the list of the working-time account (read-only).
int runAccount(const Options& options, const std::vector<std::string>& args, std::ostream& out);
// employees list|add|edit|delete|files|create-year-file: the employees of the data directory.
int runEmployees(const Options& options, const std::vector<std::string>& args, std::istream& in, std::ostream& out);
// year FILE --json|--text: the year table, vacation and sick days and the two year texts (read-only).
int runYear(const Options& options, const std::vector<std::string>& args, std::ostream& out);
// customers list [--json] | search TEXT | add < JSON | edit NR < JSON | delete NR: the customer file
// "Daten.kd" of the data directory through the flows of the customer window.
int runCustomers(const Options& options, const std::vector<std::string>& args, std::istream& in, std::ostream& out);
// services list [--json] | search TEXT | add < JSON | edit NAME < JSON | delete NAME: "Daten.dl" likewise.
int runServices(const Options& options, const std::vector<std::string>& args, std::istream& in, std::ostream& out);
// months add|delete FILE M: creates or deletes a month of a year file as the year view does.
int runMonths(const Options& options, const std::vector<std::string>& args, std::ostream& out);
// quick-entry [--from D] [--to D] --employee NR ... < DAY.JSON: the quick entry of one day for several
// employees and days; lists the files written.
int runQuickEntry(const Options& options, const std::vector<std::string>& args, std::istream& in,
                  std::ostream& out);

// day-sheet FILE DD.MM.YYYY [--form entry|view] [--json|--pdf OUT|--xlsx OUT]: the day sheet of a day
// (read-only).
int runDaySheet(const Options& options, const std::vector<std::string>& args, std::ostream& out);
// weekly-proof FILE (--week N | --from D --to D) [--json|--pdf OUT|--xlsx OUT]: the weekly proof of hours
// of a calendar week or a period of the file's year (read-only).
int runWeeklyProof(const Options& options, const std::vector<std::string>& args, std::ostream& out);

// line check FILE DD.MM.YYYY [--first|--not-first] < LINE.JSON: a time line typed into the dialog
// "Arbeitszeit eingeben" of that day, completed and checked as its OK does (writes nothing).
int runLine(const Options& options, const std::vector<std::string>& args, std::istream& in, std::ostream& out);

// days add|delete FILE DATE, days show FILE DATE [--json|--text], days set FILE DATE [--fill-until DATE]
// < DAY.JSON: one day of a year file through the day entry (checks, questions, month closing, saving).
int runDays(const Options& options, const std::vector<std::string>& args, std::istream& in, std::ostream& out);

// settings check|set FILE < SETTINGS.JSON, settings copy-from FILE SOURCE: the settings dialog of a year
// file (checks in page order; failures name the page and field on err).
int runSettings(const Options& options, const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                std::ostream& err);

// import times|absences FILE [--layout standard|column|clock] [--skip-first-line] [--keep-existing]
// [--log-all] [--json]: the import of working times or absences into the year files; the protocol
// goes to err as it arises. Exit status 0 when everything was read and written without error.
// "import employees ..." goes on to runImportEmployees.
int runImport(const Options& options, const std::vector<std::string>& args, std::istream& in, std::ostream& out,
              std::ostream& err);
// import employees FILE --year YYYY ...: the employee import; args are the arguments after "employees".
int runImportEmployees(const Options& options, const std::vector<std::string>& args, std::istream& in,
                       std::ostream& out, std::ostream& err);

// query [--period all|year|last-year|month|last-month|own --from D --to D] [--employees all|NR,...]
// [--customers all|TEXT,...] [--services all|TEXT,...] [--levels customer,service,day,employee,...]
// [--sums 1,0,...] [--costs|--no-costs] [--page-break N] [--save-settings] [--json|--text|--pdf OUT|--xlsx OUT],
// query --list customers|services: the customer query over the year files of the data directory.
int runQuery(const Options& options, const std::vector<std::string>& args, std::ostream& out);
// closing accounts|costs [--json|--text|--pdf OUT|--xlsx OUT], closing print --pdf OUT: the lists of the
// month closing and the month evaluations of every collected month (read-only). The selection options of
// cli/closing_selection.h choose month and employees; skipped files go to err.
int runClosing(const Options& options, const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// booking export --consultant NR --client NR [--date MM/YYYY] --out FILE [--calendar FILE] [--year-end]: the
// booking export of the month closing; success advances the month closing in Lorvan.ini. The year-end
// protocol goes to --protocol.
int runBooking(const Options& options, const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// absences export --out FILE [--all-days]: the export of missing times.
int runAbsences(const Options& options, const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// potential analyse|times --from WW/JJJJ --to WW/JJJJ [--pze FILE] [--machine FILE] [--misconduct FILE]
// [--xlsx OUT|--csv OUT]: the weekly potential analysis or the begin/end list of the chosen employees (the
// employee options of cli/closing_selection.h); messages about the files go to err, the table is written
// in any case (JSON on out without an output file).
int runPotential(const Options& options, const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// logbook vehicles|add-vehicle|create|show|add-trip|edit-trip|delete-trip|cancel-trip: the vehicles of
// "Daten.fz" and their yearly logbooks through the flows of the logbook windows.
int runLogbook(const Options& options, const std::vector<std::string>& args, std::istream& in, std::ostream& out);
// logbook print PLATE YEAR [--from D] [--to D] [--json|--pdf OUT]: the print of a logbook for a period,
// on the logbook as read (args are the options after PLATE YEAR; usage names the call in messages).
// Without --pdf the pages as laid out on the PDF page, with their tables, the sums and the period as JSON.
int runLogbookPrint(const Options& options, const LogbookPrintInput& logbook, const std::vector<std::string>& args,
                    std::ostream& out, const std::string& usage);
// logbook-print-input FILE.json [--from D] [--to D] [--json|--pdf OUT]: the same print of a logbook given
// as JSON (plate, year, start values and the trips with their file fields).
int runLogbookPrintInput(const Options& options, const std::vector<std::string>& args, std::ostream& out);
// trips propose FILE DD.MM.YYYY [--json], trips transfer FILE DD.MM.YYYY PLATE: the trip assistant of a
// day of a year file (the proposed trips per vehicle; the transfer of one vehicle's trips).
int runTrips(const Options& options, const std::vector<std::string>& args, std::ostream& out);
// presets list [--json] | set [options] [< JSON] | delete KIND: the presets of the trip assistant in
// "Daten.fz" through the dialogs "Vorbesetzungen festlegen" and "Vorbesetzung definieren".
int runPresets(const Options& options, const std::vector<std::string>& args, std::istream& in, std::ostream& out);

} // namespace lorvan::cli
