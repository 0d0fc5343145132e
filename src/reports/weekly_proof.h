#pragma once

#include "foundation/datum.h"
#include "output/page.h"
#include "output/report_table.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The weekly proof of hours ("Stundennachweis") of a calendar week or of any period of a year file:
// every day with its work blocks, durations, deviations and surcharge minutes, and the totals; printed
// in landscape as the tables "HEADER", "TAG_n" (one per day, never split across pages) and "GESAMT", or
// built as the one table "EXPORT" for the spreadsheet.
namespace lorvan {

class CLorvanDoc;
class CustomerLookup;
class Surface;
struct EvaluationContext;
struct MonthEvaluation;

// The period of the report: dates of the file's year, from not after to; a week number other than 0
// makes it a calendar-week report.
struct WeeklyProofPeriod {
    Datum from;
    Datum to;
    int32_t week = 0;
};

// "Stundennachweis für KW 12 (16.03.2026 - 22.03.2026)", or for a free period
// "Stundennachweis für 16.03.2026 - 22.03.2026 " (with its trailing blank).
std::string weeklyProofTitle(const WeeklyProofPeriod& period);
// The export's sheet name: "KW 12 (16.03.2026-22.03.2026)" or "16.03.2026 - 22.03.2026 ".
std::string weeklyProofSheetName(const WeeklyProofPeriod& period);

// The period's day records evaluated with the day loop of the month evaluation (detailed blocks), the
// settings of the month of "von". When the week does not end at the month end and "von" is not a
// Monday, the days from that week's Monday (at most back to 1 January) up to the day before "von" are
// evaluated first, with the settings of the month of "bis", and form the carried-in part of the first
// week. Raises the missing-settings text when no working-time period covers a month needed.
std::unique_ptr<MonthEvaluation> evaluateWeeklyProof(const CLorvanDoc& document, const EvaluationContext& context,
                                                     const WeeklyProofPeriod& period,
                                                     const CustomerLookup* customers);

struct WeeklyProof {
    std::string title; // weeklyProofTitle + " - " + the person's name
    CReportTable header;             // "HEADER": the column titles
    std::vector<CReportTable> days;  // "TAG_<day>": the rows of one day each
    CReportTable totals;             // "GESAMT"
};

// The printed report.
WeeklyProof weeklyProof(const CLorvanDoc& document, const EvaluationContext& context,
                        const WeeklyProofPeriod& period, const CustomerLookup* customers);

// The same content as the table "EXPORT"; a table without rows when there is nothing to export.
CReportTable weeklyProofExportTable(const CLorvanDoc& document, const EvaluationContext& context,
                                    const WeeklyProofPeriod& period, const CustomerLookup* customers);

// The pages: logo, title and rule, then the header table and as many day tables as fit; every further
// page starts with the header table again. The totals follow the last day.
void printWeeklyProof(Surface& surface, const WeeklyProof& report, std::string& logoPath,
                      const MessageSink& sink);

} // namespace lorvan
