#pragma once

#include "output/page.h"
#include "output/report_table.h"
#include "reports/month_report.h"

#include <string>
#include <vector>

// The lists of the month closing: "Liste Mitarbeiter Arbeitszeitkonto" (one row per month of the month
// list, grouped by department) and "Liste Mitarbeiterkosten" (one row per month of the year-to-date
// list with a "Summe" row per employee), both as the table "EXPORT" for the spreadsheet and as printed
// pages; and the month evaluations of every collected month in one print.
namespace lorvan {

class MonthCollection;
class Surface;
struct Datum;
struct ReportInputs;

inline constexpr const char* kAccountListTitle = "Liste Mitarbeiter Arbeitszeitkonto";
inline constexpr const char* kCostListTitle = "Liste Mitarbeiterkosten";

// The table "EXPORT" of the account list. buildSwitch adds the column "ungeplanter Resturlaub".
CReportTable accountListTable(const MonthCollection& collection, const Datum& today, bool buildSwitch);
// The table "EXPORT" of the cost list.
CReportTable costListTable(const MonthCollection& collection, const Datum& today);

// A list as printed: the title and the "Stand" line on every page, the rows page by page; the cost
// list, wider than any page, in bands of columns (name and month on every band).
struct ClosingListReport {
    std::string title;
    std::string stand; // "Stand: 15.04.2024 für Monat: 03.2024"
    bool landscape = false;
    std::vector<std::vector<CReportTable>> pages;
};
ClosingListReport printableAccountList(const CReportTable& exportTable);
ClosingListReport printableCostList(const CReportTable& exportTable);

void printClosingList(Surface& surface, const ClosingListReport& report, std::string& logoPath,
                      const MessageSink& sink);

// The month evaluation of every month of the month list, in order, each titled "Monatsauswertung
// 03.2024 - <name>".
std::vector<MonthReport> monthEvaluationReports(const MonthCollection& collection, const ReportInputs& inputs);
// Each report starts on a new page.
void printMonthEvaluations(Surface& surface, const std::vector<MonthReport>& reports, std::string& logoPath,
                           const MessageSink& sink);

} // namespace lorvan
