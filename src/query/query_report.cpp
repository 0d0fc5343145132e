#include "query/query_report.h"

#include "foundation/format.h"
#include "output/print_table.h"
#include "output/surface.h"

#include <algorithm>

namespace lorvan {
namespace {

// The places on the page, in inches.
constexpr double kTitleLeft = 0.7;
constexpr double kTop = 0.2;
constexpr double kLogoRight = 7.9;
constexpr double kIndent = 0.5;
constexpr double kTextsEnd = 5.4;
constexpr double kTimeRight = 6.4;
constexpr double kCostRight = 7.9;
constexpr double kPageNumberTop = 11.0;
constexpr double kRowsBottom = 10.8; // rows end above the page number
constexpr int32_t kTitleSize = 12;
constexpr int32_t kRowSize = 10;

void addRows(const QueryNode& node, bool showCosts, std::vector<QueryPrintRow>& rows) {
    for (const QueryNode& child : node.children) {
        QueryPrintRow row;
        row.depth = child.depth;
        row.text = child.display;
        bool sum = child.showSum;
        const bool combined = child.children.size() == 1 && !child.children.front().hasChildren();
        if (combined) {
            row.childText = child.children.front().display;
            sum = sum || child.children.front().showSum;
        }
        if (sum) {
            row.minutes = queryMinutesText(child.minutes, true);
            if (showCosts) row.costs = queryCostText(child.costs, true);
        }
        rows.push_back(std::move(row));
        if (!combined) addRows(child, showCosts, rows);
    }
}

// One row as a small table without lines: the texts from the row's indent to the sums, then the
// time and the costs right-aligned.
CReportTable rowTable(const QueryPrintRow& row) {
    CReportTable table("ZEILE");
    table.showHeader = false;
    table.drawFrame = false;
    table.drawColumnLines = false;
    table.fontSize = kRowSize;
    table.left = kTitleLeft + kIndent * (row.depth - 1);
    table.right = kCostRight;
    const double textWidth = kTextsEnd - table.left;
    int32_t column = 0;
    CReportRow& cells = table.addRow();
    const auto add = [&](double width, int32_t flags, const std::string& text, bool bold) {
        table.addColumn(++column, width, "").flags = flags | kTextSingleLine | kTextVerticalCentre;
        if (!text.empty()) cells.addCell(column, text, bold);
    };
    const bool bold = row.depth == 1;
    if (row.childText.empty()) {
        add(textWidth, 0, row.text, bold);
    } else {
        add(textWidth / 2, 0, row.text, bold);
        add(textWidth / 2, 0, row.childText, false);
    }
    add(kTimeRight - kTextsEnd, kTextRight, row.minutes, bold);
    add(kCostRight - kTimeRight, kTextRight, row.costs, bold);
    return table;
}

// The page's head: logo and title; returns where the rows begin.
double printHead(CPage& page, const std::string& title, std::string& logoPath, const MessageSink& sink) {
    const double logoBottom = page.printLogo(logoPath, kTop, kLogoRight, sink);
    const double titleBottom = page.printText(kTop, kTitleLeft, kTextBold, kTitleSize, title);
    return std::max(logoBottom, titleBottom) + 0.2;
}

void printPageNumber(CPage& page, int32_t number) {
    page.printTextInBox(kPageNumberTop, 0.0, kPageNumberTop + 0.3, page.pageWidthInches(),
                        kTextCentre | kTextSingleLine, kRowSize, kFillNone, format("%ld", static_cast<long>(number)));
}

void writeNode(const QueryNode& node, const QueryReport& report, CReportTable& table, CReportRow*& row) {
    const int32_t timeColumn = report.choices.levelCount() + 1;
    bool first = true;
    for (const QueryNode& child : node.children) {
        if (!first) row = &table.addRow();
        first = false;
        if (child.depth <= report.choices.levelCount()) row->addCell(child.depth, child.display);
        if (child.showSum) {
            row->addCell(timeColumn, queryMinutesText(child.minutes, false));
            if (report.choices.showCosts) row->addCell(timeColumn + 1, queryCostText(child.costs, false));
            if (child.hasChildren()) row = &table.addRow();
        }
        writeNode(child, report, table, row);
    }
}

} // namespace

std::vector<QueryPrintRow> queryPrintRows(const QueryReport& report) {
    std::vector<QueryPrintRow> rows;
    addRows(report.root, report.choices.showCosts, rows);
    const int32_t level = report.choices.pageBreak;
    if (level != 1 && level != 2) return rows;
    bool seen = false;
    for (size_t i = 0; i < rows.size(); ++i) {
        const QueryPrintRow& row = rows[i];
        const bool covers = row.depth == level || (row.depth + 1 == level && !row.childText.empty());
        if (!covers) continue;
        if (seen) {
            // The first node of a level-1 node stays with it: the page breaks before the level-1 node.
            if (row.depth == level && i > 0 && rows[i - 1].depth == level - 1)
                rows[i - 1].newPage = true;
            else
                rows[i].newPage = true;
        }
        seen = true;
    }
    return rows;
}

void printQueryReport(Surface& surface, const QueryReport& report, std::string& logoPath, const MessageSink& sink) {
    const std::vector<QueryPrintRow> rows = queryPrintRows(report);
    int32_t pageNumber = 0;
    std::unique_ptr<CPage> page;
    double y = 0.0;
    const auto endPage = [&] {
        if (!page) return;
        printPageNumber(*page, pageNumber);
        page.reset();
        surface.endPage();
    };
    const auto newPage = [&] {
        endPage();
        surface.beginPage();
        page = std::make_unique<CPage>(surface);
        ++pageNumber;
        y = printHead(*page, report.title, logoPath, sink);
    };
    newPage();
    bool rowOnPage = false;
    for (const QueryPrintRow& row : rows) {
        CReportTable table = rowTable(row);
        double bottom;
        {
            const bool measuring = page->setMeasureOnly(true);
            CReportTable measured = table;
            bottom = printTable(*page, measured, y);
            page->setMeasureOnly(measuring);
        }
        if (rowOnPage && (row.newPage || bottom > kRowsBottom)) {
            newPage();
            rowOnPage = false;
        }
        y = printTable(*page, table, y);
        rowOnPage = true;
    }
    endPage();
}

CReportTable queryExportTable(const QueryReport& report) {
    CReportTable table("EXPORT");
    const int32_t levels = report.choices.levelCount();
    for (int32_t level = 1; level <= levels; ++level) {
        const std::string name = report.choices.levelName(level);
        table.addColumn(level, 1.0, name).valueType = name == kLevelDay ? kValueDate : kValueText;
    }
    table.addColumn(levels + 1, 1.0, "Summe Arbeitszeit").valueType = kValueHoursMinutes;
    if (report.choices.showCosts) table.addColumn(levels + 2, 1.0, "Kosten").valueType = kValueDecimal;
    if (!report.root.hasChildren()) return table;
    CReportRow* row = &table.addRow();
    writeNode(report.root, report, table, row);
    return table;
}

std::string queryReportText(const QueryReport& report) {
    std::string text = report.title + "\n\n";
    for (const QueryPrintRow& row : queryPrintRows(report)) {
        std::string line(static_cast<size_t>(2 * (row.depth - 1)), ' ');
        line += row.text;
        if (!row.childText.empty()) line += " / " + row.childText;
        std::string sums = row.minutes;
        if (!row.costs.empty()) sums += (sums.empty() ? "" : "  ") + row.costs;
        if (!sums.empty()) line = padRight(line, 50) + "  " + sums;
        text += line + "\n";
    }
    return text;
}

} // namespace lorvan
