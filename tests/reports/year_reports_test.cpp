#include "reports/year_reports.h"

#include "evaluation/month_evaluation.h"
#include "foundation/time_text.h"
#include "output/recording_surface.h"
#include "reports/month_report.h"
#include "reports/report_print.h"
#include "yearfile/year_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lorvan {
namespace {

std::vector<std::string> texts(const CReportTable& t, const CReportRow& row) {
    std::vector<std::string> result;
    for (const auto& [number, column] : t.columns())
        result.push_back(row.cell(number) != nullptr ? row.cell(number)->text : "");
    return result;
}

std::vector<std::string> titles(const CReportTable& t) {
    std::vector<std::string> result;
    for (const auto& [number, column] : t.columns())
        result.push_back(column.title);
    return result;
}

// 2026 with an account from February: a Monday in February one hour over its 8 hours, a corrected
// March with a vacation day, a public holiday and an internal remark on a worked day.
class YearReports : public ::testing::Test {
  protected:
    YearReports() {
        CEinstArbzt& s = doc_.settings();
        s.name = "Anna Berg";
        s.year = 2026;
        s.keepWorkingTimeAccount = 1;
        s.accountFromMonth = 2;
        s.convertSurchargesIntoHours = 1;
        s.surcharge2On = 0;
        s.holidaySurchargeOn = 0;
        s.sundaySurchargeOn = 0;
        s.nightSurchargeOn = 0;
        CTagDoc& monday = doc_.addMonth(2).addDay(2);
        CZeitZeile& line = monday.addLine();
        line.kind = kKindWorkingTime;
        line.from = "7:00";
        line.to = "16:00";
        line.duration = 540;
        monday.internalRemark = "Schlüssel geholt";
        CMonatDoc& march = doc_.addMonth(3);
        march.accountCorrection = -0.5;
        march.correctionComment = "Arzt";
        march.addDay(2).dayKind = kVacation;
        march.addDay(3).publicHoliday = 1;
    }

    CLorvanDoc doc_;
};

TEST_F(YearReports, AccountTableWithoutCarryOverStartsWithTheFirstMonth) {
    YearEvaluator evaluator(doc_, EvaluationContext{});
    const CReportTable printed = accountTable(evaluator, false);
    EXPECT_EQ(titles(printed), (std::vector<std::string>{"Monat", "Überstunden", "Zuschl.\n20%", "Korrektur",
                                                         "Summe", "Anmerkung"}));
    EXPECT_EQ(printed.headerLines, 2);
    std::vector<std::vector<std::string>> rows;
    for (const CReportRow& row : printed.rows())
        rows.push_back(texts(printed, row));
    // February: 9 h against 8 h; the unknown days of the month have no deviation.
    EXPECT_EQ(rows, (std::vector<std::vector<std::string>>{
                        {"Februar", "1,00", "", "", "1,00", ""},
                        {"März", "", "", "-0,50", "-0,50", "Arzt"},
                        {"Summe", "", "", "", "0,50", ""},
                    }));

    doc_.settings().accountCarryOver = 2.0;
    const CReportTable exported = accountTable(evaluator, true);
    EXPECT_EQ(titles(exported), (std::vector<std::string>{"Monat", "Überstunden", "Zuschl.20%", "Korrektur",
                                                          "Summe", "Anmerkung"}));
    EXPECT_EQ(exported.column(2)->valueType, kValueDecimal);
    EXPECT_EQ(texts(exported, exported.row(0)),
              (std::vector<std::string>{"Vortrag", "", "", "", "2,00", ""}));
}

TEST_F(YearReports, GridDayTexts) {
    struct Case {
        int32_t month;
        int32_t day;
        bool absencesOnly;
        std::string text;
    };
    const Case cases[] = {
        {2, 2, false, "02. - 9,00h"},     {3, 2, false, "02. -   Urlaub      "},
        {3, 3, false, "03. -   F      "}, {3, 4, false, "04.              "},
        {2, 2, true, "02.      "},        {3, 2, true, "02. - Urlaub"},
        {3, 3, true, "03. - F"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(gridDayText(*doc_.month(c.month), c.day, c.absencesOnly), c.text)
            << c.month << "/" << c.day;
}

TEST_F(YearReports, GridsPrintWeeksAndExportOneRowPerMonth) {
    const std::vector<CReportTable> march = monthGrid(*doc_.month(3), true);
    ASSERT_EQ(march.size(), 2u);
    EXPECT_EQ(titles(march[0]), (std::vector<std::string>{"März"}));
    EXPECT_EQ(march[1].name, "WOCHE");
    ASSERT_EQ(march[1].rowCount(), 6u); // 1 March 2026 is a Sunday, the 30th and 31st a Monday and Tuesday
    EXPECT_EQ(texts(march[1], march[1].row(0)),
              (std::vector<std::string>{"", "", "", "", "", "", "01.      "}));

    const CReportTable exported = gridExportTable(doc_, false);
    EXPECT_EQ(exported.columnCount(), 33);
    EXPECT_EQ(exported.column(33)->title, "WOCHE");
    ASSERT_EQ(exported.rowCount(), 2u);
    EXPECT_EQ(exported.row(0).cell(1)->text, "Februar");
    EXPECT_EQ(exported.row(0).cell(3)->text, "02. - 9,00h");
    EXPECT_EQ(exported.row(0).cell(30), nullptr); // no 29 February
}

TEST_F(YearReports, AFileWithoutMonthsHasNothingToExport) {
    CLorvanDoc empty;
    empty.settings().name = "Anna Berg";
    empty.settings().year = 2026;
    YearEvaluator evaluator(empty, EvaluationContext{});
    for (YearReportKind kind : {YearReportKind::YearEvaluation, YearReportKind::Account,
                                YearReportKind::WorkingTimeGrid, YearReportKind::Absences}) {
        EXPECT_TRUE(yearExportTables(evaluator, kind).empty());
        EXPECT_TRUE(yearReport(evaluator, kind).pages.empty());
    }
    EXPECT_EQ(yearSheetName(empty), "2026 - Anna Berg");
}

TEST_F(YearReports, EveryReportNamesTheEmployeeInPrintAndInItsDocumentName) {
    YearEvaluator evaluator(doc_, EvaluationContext{});
    const struct {
        YearReportKind kind;
        const char* printedName; // the title, and the line under it where there is one
        const char* documentName;
    } cases[] = {
        {YearReportKind::YearEvaluation, "Jahresauswertung 2026\nArbeitszeiten von Anna Berg",
         "Jahresauswertung 2026 - Anna Berg"},
        {YearReportKind::WorkingTimeGrid, "Jahresauswertung 2026\nArbeitszeiten von Anna Berg",
         "Jahresauswertung 2026 - Anna Berg"},
        {YearReportKind::Account, "Arbeitszeitkonto 2026 - Anna Berg", "Arbeitszeitkonto 2026 - Anna Berg"},
        {YearReportKind::Absences, "Fehlzeiten 2026 - Anna Berg", "Fehlzeiten 2026 - Anna Berg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.documentName);
        const YearReport report = yearReport(evaluator, c.kind);
        EXPECT_EQ(report.subtitle.empty() ? report.title : report.title + "\n" + report.subtitle,
                  c.printedName);
        EXPECT_EQ(report.documentName, c.documentName);
        RecordingSurface surface(600);
        std::string logo;
        printYearReport(surface, report, logo, [](const std::string&) {});
        EXPECT_NE(surface.findText(report.title), nullptr);
        if (!report.subtitle.empty()) {
            EXPECT_NE(surface.findText(report.subtitle), nullptr);
        }
    }
}

TEST_F(YearReports, PagePositionsAt600Dpi) {
    YearEvaluator evaluator(doc_, EvaluationContext{});
    RecordingSurface surface(600);
    std::string logo;
    printYearReport(surface, yearReport(evaluator, YearReportKind::Account), logo, [](const std::string&) {});
    const RecordedCall* title = surface.findText("Arbeitszeitkonto 2026 - Anna Berg");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->rect.top, 600); // 1.0 inch
    EXPECT_EQ(title->rect.left, 360);
    EXPECT_TRUE(title->font.bold);
    // The rule of pen width 5 under the title runs to 11.0 inches.
    const std::vector<RecordedCall> lines = surface.lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front().pen.width, 5);
    EXPECT_EQ(lines.front().rect.left, 360);
    EXPECT_EQ(lines.front().rect.right, 6600);
    const RecordedCall* note = surface.findText("Alle Angaben in Stunden");
    ASSERT_NE(note, nullptr);
    EXPECT_FALSE(note->font.bold);
    EXPECT_EQ(note->rect.left, 360);
}

TEST_F(YearReports, TheMonthHeaderStartsEveryPage) {
    for (int32_t day = 2; day <= 27; ++day) { // every working day of February with two blocks
        CTagDoc& d = doc_.addMonth(2).addDay(day);
        if (d.lineCount() > 0) continue;
        for (const auto& [from, to] : {std::pair{"7:00", "12:00"}, std::pair{"12:30", "16:00"}}) {
            CZeitZeile& line = d.addLine();
            line.kind = kKindWorkingTime;
            line.from = from;
            line.to = to;
            line.duration = parseClock(spanText(from, to));
        }
    }
    YearEvaluator evaluator(doc_, EvaluationContext{});
    const MonthReport report = monthReport(evaluator, 2, {});
    RecordingSurface surface(600);
    std::string logo;
    printMonthReport(surface, report, logo, [](const std::string&) {});
    int32_t pages = 0;
    std::vector<int32_t> headerTops;
    for (const RecordedCall& call : surface.calls()) {
        if (call.kind == RecordedCall::Kind::BeginPage) ++pages;
        if (call.kind == RecordedCall::Kind::Text && call.text == "\nTag")
            headerTops.push_back(call.rect.top);
    }
    EXPECT_EQ(pages, 2);
    ASSERT_EQ(headerTops.size(), 2u);
    EXPECT_EQ(headerTops[1], 300 + 2); // 0.5 inch on the second page, the title's place
    const RecordedCall* title = surface.findText("Monatsauswertung Februar 2026 - Anna Berg");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->rect.top, 300);
    EXPECT_EQ(title->rect.left, 360);
}

} // namespace
} // namespace lorvan
