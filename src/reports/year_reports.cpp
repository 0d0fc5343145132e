#include "reports/year_reports.h"

#include "evaluation/account.h"
#include "evaluation/day_evaluation.h"
#include "evaluation/month_evaluation.h"
#include "evaluation/year_statistics.h"
#include "foundation/calendar.h"
#include "foundation/format.h"
#include "foundation/number_text.h"
#include "reports/year_table.h"
#include "yearfile/year_file.h"

#include <optional>
#include <utility>

namespace lorvan {
namespace {

// The surcharge columns of the account table, in column order.
struct AccountSurcharge {
    int32_t CEinstArbzt::*on;
    double CEinstArbzt::*percent;
    double AccountRow::*hours;
    const char* printPrefix;
    const char* exportPrefix;
    double width;
};

constexpr AccountSurcharge kAccountSurcharges[] = {
    {&CEinstArbzt::surcharge1On, &CEinstArbzt::surcharge1Percent, &AccountRow::surcharge1Hours, "Zuschl.\n",
     "Zuschl.", 0.7},
    {&CEinstArbzt::surcharge2On, &CEinstArbzt::surcharge2Percent, &AccountRow::surcharge2Hours, "Zuschl.\n",
     "Zuschl.", 0.7},
    {&CEinstArbzt::holidaySurchargeOn, &CEinstArbzt::holidayPercent, &AccountRow::holidayHours, "Zuschl.\nF-",
     "Feiertag-Zuschl.", 0.8},
    {&CEinstArbzt::sundaySurchargeOn, &CEinstArbzt::sundayPercent, &AccountRow::sundayHours, "Zuschl.\nSo-",
     "So-Zuschl.", 0.8},
    {&CEinstArbzt::saturdaySurchargeOn, &CEinstArbzt::saturdayPercent, &AccountRow::saturdayHours,
     "Zuschl.\nSa-", "Sa-Zuschl.", 0.8},
    {&CEinstArbzt::nightSurchargeOn, &CEinstArbzt::nightPercent, &AccountRow::nightHours, "Zuschl.Nacht\n",
     "Nacht-Zuschl.", 1.05},
};

constexpr const char* kWeekdayTitles[] = {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"};

std::string withoutInternalRemark(const CTagDoc& day) {
    std::string text = statusText(day);
    if (day.internalRemark.empty()) return text;
    const size_t cut = text.size() - day.internalRemark.size();
    if (cut >= 3 && text.compare(cut - 3, 3, " / ") == 0) return text.substr(0, cut - 3);
    return text.substr(0, cut);
}

// The day's absence text of the grids: the status text without the internal remark, "F" for a public
// holiday.
std::string absenceText(const CTagDoc& day) {
    if (day.complete && day.publicHoliday) return "F";
    return withoutInternalRemark(day);
}

std::string titleLine(const CLorvanDoc& document, YearReportKind kind) {
    const CEinstArbzt& s = document.settings();
    switch (kind) {
    case YearReportKind::Account:
        return format("Arbeitszeitkonto %d - %s", s.year, s.name.c_str());
    case YearReportKind::Absences:
        return format("Fehlzeiten %d - %s", s.year, s.name.c_str());
    case YearReportKind::YearEvaluation:
    case YearReportKind::WorkingTimeGrid:
        break;
    }
    return format("Jahresauswertung %d", s.year);
}

} // namespace

std::string yearSheetName(const CLorvanDoc& document) {
    return format("%d - %s", document.settings().year, document.settings().name.c_str());
}

CReportTable accountTable(YearEvaluator& evaluator, bool forExport) {
    const CEinstArbzt& s = evaluator.document().settings();
    const AccountList list = accountList(evaluator);

    CReportTable table(forExport ? "EXPORT" : "JAHR");
    if (!forExport) {
        table.left = 0.6;
        table.right = 11.0;
    }
    int32_t number = 0;
    const auto add = [&](double width, const std::string& title, bool numeric) -> CReportColumn& {
        CReportColumn& c = table.addColumn(++number, forExport ? 1.0 : width, title);
        if (forExport && numeric) c.valueType = kValueDecimal;
        if (!forExport && title.find('\n') != std::string::npos) table.headerLines = 2;
        return c;
    };
    CReportColumn& month = add(1.0, "Monat", false);
    if (!forExport) month.flags = kTextIndentTitle;
    add(1.05, "Überstunden", true);
    std::vector<const AccountSurcharge*> surcharges;
    if (s.convertSurchargesIntoHours != 0) {
        for (const AccountSurcharge& a : kAccountSurcharges) {
            if (s.*a.on == 0) continue;
            const std::string percent = format("%.0f", s.*a.percent) + "%";
            add(a.width, (forExport ? a.exportPrefix : a.printPrefix) + percent, true);
            surcharges.push_back(&a);
        }
    }
    add(0.9, "Korrektur", true);
    if (s.monthlyPayoutOn != 0) add(1.0, "Auszahlung", true);
    add(0.9, "Summe", true);
    CReportColumn& remark = add(1.0, "Anmerkung", false);
    if (!forExport) remark.flags = kTextIndentTitle;

    for (const AccountRow& a : list.rows) {
        if (a.kind == AccountRowKind::CarryOver && a.sum == 0) continue;
        CReportRow& row = table.addRow();
        std::vector<std::string> cells{a.label};
        const bool month = a.kind == AccountRowKind::Month;
        cells.push_back(month ? formatAmount(a.computed) : "");
        for (const AccountSurcharge* sc : surcharges)
            cells.push_back(month ? formatAmount(a.*sc->hours) : "");
        cells.push_back(month ? formatAmount(a.correction) : "");
        if (s.monthlyPayoutOn != 0) cells.push_back(month ? formatAmount(a.payout) : "");
        cells.push_back(formatAmount(a.sum));
        cells.push_back(a.comment);
        for (size_t i = 0; i < cells.size(); ++i)
            if (!cells[i].empty()) row.addCell(static_cast<int32_t>(i + 1), cells[i]);
    }
    return table;
}

std::string gridDayText(const CMonatDoc& month, int32_t day, bool absencesOnly) {
    const CTagDoc* record = month.day(day);
    const int32_t work = record != nullptr ? dayWorkMinutes(*record) : 0;
    const std::string absence = record != nullptr ? absenceText(*record) : std::string();
    if (absencesOnly) {
        if (!absence.empty()) return format("%2.2d. - %s", day, absence.c_str());
        return format("%2.2d.", day) + std::string(6, ' ');
    }
    if (work > 0) {
        const std::string hours = decimalPointToComma(format("%.2f", work / 60.0));
        return format("%2.2d. - %sh", day, hours.c_str());
    }
    if (!absence.empty()) return format("%2.2d. -   %s      ", day, absence.c_str());
    return format("%2.2d.", day) + std::string(14, ' ');
}

std::vector<CReportTable> monthGrid(const CMonatDoc& month, bool absencesOnly) {
    std::vector<CReportTable> tables;
    CReportTable& name = tables.emplace_back("MONAT");
    name.left = 0.63;
    name.right = 7.0;
    name.plain = true;
    name.addColumn(1, 5.0, monthName(month.number())).flags = kTextIndentTitle;

    CReportTable& weeks = tables.emplace_back("WOCHE");
    weeks.left = 0.63;
    weeks.right = 7.0;
    // Left-aligned day texts; the page engine lays them out without their trailing blanks and sets a
    // long absence text smaller, so that it stays within its cell.
    for (int32_t i = 0; i < 7; ++i)
        weeks.addColumn(i + 1, 0.91, kWeekdayTitles[i]).flags = 0;
    const int32_t year = month.year();
    const int32_t length = daysInMonth(month.number(), year);
    CReportRow* row = nullptr;
    for (int32_t day = 1; day <= length; ++day) {
        const int32_t weekday = weekdayMonday(Datum{day, month.number(), year});
        if (row == nullptr || weekday == 1) row = &weeks.addRow();
        row->addCell(weekday, gridDayText(month, day, absencesOnly));
    }
    return tables;
}

CReportTable gridExportTable(const CLorvanDoc& document, bool absencesOnly) {
    CReportTable table("EXPORT");
    table.addColumn(1, 1.0, "Monat");
    for (int32_t day = 1; day <= 31; ++day)
        table.addColumn(day + 1, 1.0, format("%2.2d.", day));
    table.addColumn(33, 1.0, "WOCHE");
    for (const auto& [number, month] : document.months()) {
        CReportRow& row = table.addRow();
        row.addCell(1, monthName(number));
        const int32_t length = daysInMonth(number, month.year());
        for (int32_t day = 1; day <= length; ++day)
            row.addCell(day + 1, gridDayText(month, day, absencesOnly));
    }
    return table;
}

YearReport yearReport(YearEvaluator& evaluator, YearReportKind kind) {
    const CLorvanDoc& document = evaluator.document();
    YearReport report;
    report.kind = kind;
    report.title = titleLine(document, kind);
    report.documentName = report.title;
    if (kind == YearReportKind::YearEvaluation || kind == YearReportKind::WorkingTimeGrid) {
        // The name stands in the line below the title.
        report.subtitle = format("Arbeitszeiten von %s", document.settings().name.c_str());
        report.documentName += " - " + document.settings().name;
    }
    report.landscape = kind == YearReportKind::Account;
    if (document.months().empty()) return report;

    switch (kind) {
    case YearReportKind::YearEvaluation:
        report.pages.push_back({*yearTable(document, false)});
        break;
    case YearReportKind::Account:
        report.pages.push_back({accountTable(evaluator, false)});
        break;
    case YearReportKind::WorkingTimeGrid:
    case YearReportKind::Absences:
        for (const auto& [number, month] : document.months()) {
            const size_t page = number <= 6 ? 0 : 1;
            if (report.pages.size() <= page) report.pages.resize(page + 1);
            for (CReportTable& table : monthGrid(month, kind == YearReportKind::Absences))
                report.pages[page].push_back(std::move(table));
        }
        std::erase_if(report.pages, [](const std::vector<CReportTable>& page) { return page.empty(); });
        break;
    }
    return report;
}

std::vector<CReportTable> yearExportTables(YearEvaluator& evaluator, YearReportKind kind) {
    const CLorvanDoc& document = evaluator.document();
    if (document.months().empty()) return {};
    switch (kind) {
    case YearReportKind::YearEvaluation:
        return {*yearTable(document, true)};
    case YearReportKind::Account:
        return {accountTable(evaluator, true)};
    case YearReportKind::WorkingTimeGrid:
        return {gridExportTable(document, false)};
    case YearReportKind::Absences:
        return {gridExportTable(document, true)};
    }
    return {};
}

} // namespace lorvan
