#pragma once

#include "output/page.h"
#include "output/report_table.h"
#include "query/customer_query.h"

#include <string>
#include <vector>

// The answer of the customer query as a printed report, as the table "EXPORT" for the spreadsheet
// and as plain text.
namespace lorvan {

class Surface;

inline constexpr const char* kQuerySheetName = "Kundenabfrage";

struct QueryReport {
    std::string title; // querySummary's title
    QueryChoices choices;
    QueryNode root;
};

// One printed row: a node, or a node together with its only child when that child has no children
// of its own (then both texts, the child's in second place).
struct QueryPrintRow {
    int32_t depth = 1;
    std::string text;
    std::string childText;
    std::string minutes; // with " h"; empty without sum or without time
    std::string costs;   // with " EUR"; empty without costs
    bool newPage = false; // the page breaks before the row (page break after level 1 or 2)
};

// The rows depth first in key order. The sums show where the node (or in a combined row the node or
// its child) has its sum flag set.
std::vector<QueryPrintRow> queryPrintRows(const QueryReport& report);

// Prints the report: on every page the logo at the top right and the title, then the rows, each a
// small table indented by 0.5 inch per level below the first; a page ends when the next row does
// not fit or where the page break asks for it; the page number at the foot. logoPath and sink as
// for the reports of a year file.
void printQueryReport(Surface& surface, const QueryReport& report, std::string& logoPath,
                      const MessageSink& sink);

// The table "EXPORT": one column per level in use titled with its name ("Tag" as date), then
// "Summe Arbeitszeit" (hours:minutes) and with costs "Kosten" (decimal), all 1.0 wide. Written
// depth first: a node's text goes into its level's column of the current row; with its sum flag
// its totals go into the last columns and its children start on a new row; otherwise the first
// child continues the row. Every further child starts a new row.
CReportTable queryExportTable(const QueryReport& report);

// The printed rows as text lines, two blanks per level of indent, the sums right of the texts.
std::string queryReportText(const QueryReport& report);

} // namespace lorvan
