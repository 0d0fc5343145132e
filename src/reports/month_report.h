#pragma once

#include "output/report_table.h"
#include "reports/report_inputs.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The month evaluation report of a year file: the day table week by week with its week lines, the
// sums, wages, booking lines, absences, standby duties, legend, deviating hourly wages and the closing
// notes, built as report tables for printing or as the one table "EXPORT" for the spreadsheet.
namespace lorvan {

class CLorvanDoc;
class YearEvaluator;
struct MonthEvaluation;

// The columns of the day table. Every table of the report that lies on the day table's grid uses the
// same column numbers, so a row can move between those tables (and into the export).
enum class MonthColumn {
    Day,
    From,
    To,
    Pause,
    Target,
    Duration,
    Absence,
    Deviation,
    Account,
    Surcharge1,
    Surcharge2,
    Holiday,
    Sunday,
    Saturday,
    Night,
    Standby,
    Calculation1,
    Calculation2,
    Calculation3,
    Remark,
};
inline constexpr int32_t kMonthColumnCount = 20;

// Which columns the month's day table has, with their numbers (1, 2, ... in the order above), titles
// and widths; printed and exported forms differ in titles, widths and the columns that fit.
class MonthColumns {
  public:
    MonthColumns(const CLorvanDoc& document, const MonthEvaluation& evaluation, bool forExport);

    // 0 when the column is absent.
    int32_t number(MonthColumn column) const { return numbers_[static_cast<size_t>(column)]; }
    bool has(MonthColumn column) const { return number(column) != 0; }
    const std::string& title(MonthColumn column) const { return titles_[static_cast<size_t>(column)]; }
    // Inches (1.0 for every column of the export).
    double width(MonthColumn column) const { return widths_[static_cast<size_t>(column)]; }

  private:
    std::array<int32_t, kMonthColumnCount> numbers_{};
    std::array<std::string, kMonthColumnCount> titles_;
    std::array<double, kMonthColumnCount> widths_{};
};

// The printed report: the title, the header of the day table and the tables after it in print order.
struct MonthReport {
    std::string title; // "Monatsauswertung März 2026 - Jörg Weiß"
    CReportTable header;
    std::vector<CReportTable> tables;
};

// The printed month evaluation of month 1-12. Raises the missing-settings text when no working-time
// period covers the month.
MonthReport monthReport(YearEvaluator& evaluator, int32_t month, const ReportInputs& inputs);

// The same content as one table "EXPORT" (one-line titles, every column 1.0 wide).
CReportTable monthExportTable(YearEvaluator& evaluator, int32_t month, const ReportInputs& inputs);

// "%02.02ld.%ld" of month and year, a blank and the person's name: "03.2026 Jörg Weiß".
std::string monthSheetName(const CLorvanDoc& document, int32_t month);

// A page of the month evaluation holds this many table rows.
inline constexpr int32_t kMonthPageRows = 48;

// The rows a table takes on the page: its body rows and, when shown, its header lines.
int32_t pageRowsOf(const CReportTable& table);

// Divides the tables into pages of kMonthPageRows rows, in order. Every page starts with the header.
// A table of more than half a page that would run past the end of a page that still has room is split
// there (the first part a table of its own with the same columns and options); any other table that
// does not fit starts a new page.
std::vector<std::vector<CReportTable>> divideIntoPages(const CReportTable& header,
                                                       const std::vector<CReportTable>& tables);

} // namespace lorvan
