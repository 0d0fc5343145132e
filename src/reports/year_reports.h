#pragma once

#include "output/report_table.h"

#include <cstdint>
#include <string>
#include <vector>

// The reports of the year view of a year file: the year evaluation, the working-time account, the
// monthly working-time grid and the absence overview, as printed pages of tables or as the tables
// "EXPORT" for the spreadsheet.
namespace lorvan {

class CLorvanDoc;
class CMonatDoc;
class YearEvaluator;

enum class YearReportKind { YearEvaluation, Account, WorkingTimeGrid, Absences };

struct YearReport {
    YearReportKind kind = YearReportKind::YearEvaluation;
    std::string title;    // "Jahresauswertung 2026", "Arbeitszeitkonto 2026 - Jörg Weiß", ...
    std::string subtitle; // "Arbeitszeiten von Jörg Weiß", or empty
    // The title with the employee's name where the title itself lacks it ("Jahresauswertung 2026 -
    // Jörg Weiß"): what the report's windows, print jobs and files are called, so that the reports
    // of two employees can be told apart.
    std::string documentName;
    bool landscape = false;
    // The tables of each page, in print order (the grids: January to June, then July to December).
    std::vector<std::vector<CReportTable>> pages;
};

// The printed report. A file without months gives a report without pages.
YearReport yearReport(YearEvaluator& evaluator, YearReportKind kind);

// The report's tables built as "EXPORT"; none for a file without months.
std::vector<CReportTable> yearExportTables(YearEvaluator& evaluator, YearReportKind kind);

// The sheet of the year view's exports: "%d - %s" with year and name.
std::string yearSheetName(const CLorvanDoc& document);

// The account table "JAHR" (printed) or "EXPORT": "Monat", "Überstunden", the surcharges converted into
// hours, "Korrektur", "Auszahlung" (monthly payout), "Summe", "Anmerkung"; rows "Vortrag" (only with a
// carry-over), one per month of the account and "Summe".
CReportTable accountTable(YearEvaluator& evaluator, bool forExport);

// The text of a day in the 31-day grids: in the working-time grid "05. - 8,00h", "05. -   Urlaub      "
// or "05." followed by 14 blanks; in the absence grid "05. - Urlaub" or "05." followed by 6 blanks.
std::string gridDayText(const CMonatDoc& month, int32_t day, bool absencesOnly);

// The printed grid of one month: the table "MONAT" with the month name, then "WOCHE" with one row per
// calendar week (Monday to Sunday) of the month.
std::vector<CReportTable> monthGrid(const CMonatDoc& month, bool absencesOnly);

// The grids' export: "Monat", "01." to "31.", "WOCHE"; one row per month of the file.
CReportTable gridExportTable(const CLorvanDoc& document, bool absencesOnly);

} // namespace lorvan
