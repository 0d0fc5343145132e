#include "reports/report_print.h"

#include "output/print_table.h"
#include "reports/month_report.h"
#include "reports/year_reports.h"

#include <algorithm>

namespace lorvan {
namespace {

constexpr int32_t kTitleSize = 14;
constexpr int32_t kRulePen = 5;

// The positions of the year view's reports.
struct YearLayout {
    double logoTop = 0.0;
    double logoRight = 0.0;
    double titleTop = 0.0;
    double tableGap = 0.0; // from the rule to the first table
};

YearLayout layoutOf(YearReportKind kind) {
    switch (kind) {
    case YearReportKind::YearEvaluation:
        return {0.5, 7.0, 1.0, 1.0};
    case YearReportKind::Account:
        return {0.5, 11.0, 1.0, 1.0};
    case YearReportKind::WorkingTimeGrid:
    case YearReportKind::Absences:
        break;
    }
    return {0.2, 7.0, 0.5, 0.3};
}

} // namespace

PageScope::PageScope(Surface& surface) : surface_(surface) {
    surface_.beginPage();
}

PageScope::~PageScope() {
    surface_.endPage();
}

void printMonthReport(Surface& surface, const MonthReport& report, std::string& logoPath,
                      const MessageSink& sink) {
    const std::vector<std::vector<CReportTable>> pages = divideIntoPages(report.header, report.tables);
    bool first = true;
    for (const std::vector<CReportTable>& tables : pages) {
        PageScope scope(surface);
        CPage page(surface);
        double y = kMonthTitleTop;
        if (first) {
            const double titleBottom =
                page.printText(kMonthTitleTop, kReportLeft, kTextBold, kTitleSize, report.title);
            const double logoBottom = page.printLogo(logoPath, kMonthLogoTop, kMonthRight, sink);
            if (titleBottom >= logoBottom) {
                const double rule = titleBottom + 0.05;
                page.drawLine(rule, kReportLeft, rule, kMonthRight, kRulePen);
                y = rule + 0.2;
            } else {
                y = logoBottom + 0.1;
            }
            first = false;
        }
        for (CReportTable table : tables)
            y = printTable(page, table, y);
    }
}

void printYearReport(Surface& surface, const YearReport& report, std::string& logoPath,
                     const MessageSink& sink) {
    const YearLayout layout = layoutOf(report.kind);
    for (const std::vector<CReportTable>& tables : report.pages) {
        PageScope scope(surface);
        CPage page(surface);
        double titleBottom =
            page.printText(layout.titleTop, kReportLeft, kTextBold, kTitleSize, report.title);
        if (!report.subtitle.empty())
            titleBottom = page.printText(titleBottom, kReportLeft, kTextBold, kTitleSize, report.subtitle);
        const double logoBottom = page.printLogo(logoPath, layout.logoTop, layout.logoRight, sink);
        const double rule = std::max(titleBottom, logoBottom) + 0.1;
        page.drawLine(rule, kReportLeft, rule, layout.logoRight, kRulePen);
        double y = rule + layout.tableGap;
        for (CReportTable table : tables) {
            y = printTable(page, table, y);
            if (table.name == "WOCHE") y += 0.1;
        }
        if (report.kind == YearReportKind::Account)
            page.printText(y + 0.5, kReportLeft, 0, 12, "Alle Angaben in Stunden");
    }
}

} // namespace lorvan
