#include "query/query_report.h"

#include "output/recording_surface.h"
#include "support/scripted_prompter.h"
#include "query_fixture.h"

#include <gtest/gtest.h>

namespace lorvan {
namespace {

using test::QueryData;
using test::ScriptedPrompter;
using test::YearFileBuilder;
using test::customerLine;

// Customer 3 on two days (Anna and Bernd on the first), customer 12 on one day (Anna).
QueryData& sampleData(QueryData& data) {
    data.add(YearFileBuilder("Anna Berg", 2024)
                 .day(3, 14)
                 .line(kKindCustomer, "8:00", "9:00")
                 .withLine(customerLine("3"))
                 .line(kKindCustomer, "9:00", "9:45")
                 .withLine(customerLine("12"))
                 .day(3, 15)
                 .line(kKindCustomer, "8:00", "10:00")
                 .withLine(customerLine("3")));
    data.add(YearFileBuilder("Bernd Kurz", 2024)
                 .day(3, 14)
                 .line(kKindCustomer, "8:00", "8:30")
                 .withLine([](CZeitZeile& l) {
                     l.customer = "3";
                     l.costKind = kCostFixedAmount;
                     l.costAmount = 12.5;
                 }));
    return data;
}

QueryReport reportOf(const QueryData& data, QueryChoices choices) {
    ScriptedPrompter prompter;
    std::optional<QueryResult> result = evaluateQuery(data.source(), choices, prompter);
    EXPECT_TRUE(result.has_value());
    return QueryReport{"Übersicht " + choices.structureText(), choices, result ? result->root : QueryNode{}};
}

QueryChoices customerDayEmployee(bool daySum) {
    QueryChoices choices;
    choices.levels = {QueryLevel{kLevelCustomer, true}, QueryLevel{kLevelDay, daySum},
                      QueryLevel{kLevelEmployee, true}, QueryLevel{kLevelNone, false}};
    return choices;
}

std::vector<std::string> rowsOf(const CReportTable& table) {
    std::vector<std::string> rows;
    for (const CReportRow& row : table.rows()) {
        std::string text;
        for (const auto& [number, column] : table.columns()) {
            if (number > 1) text += "|";
            if (const CReportCell* cell = row.cell(number)) text += cell->text;
        }
        rows.push_back(text);
    }
    return rows;
}

TEST(QueryExport, SumsEndTheRowAndChildrenWithoutSumContinueIt) {
    QueryData data;
    sampleData(data);
    QueryChoices choices = customerDayEmployee(false);
    choices.showCosts = true;
    const CReportTable table = queryExportTable(reportOf(data, choices));
    EXPECT_EQ(table.name, "EXPORT");
    std::vector<std::string> titles;
    std::vector<int32_t> types;
    for (const auto& [number, column] : table.columns()) {
        titles.push_back(column.title);
        types.push_back(column.valueType);
        EXPECT_DOUBLE_EQ(column.width, 1.0);
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"Kunde", "Tag", "Mitarbeiter", "Summe Arbeitszeit", "Kosten"}));
    EXPECT_EQ(types, (std::vector<int32_t>{kValueText, kValueDate, kValueText, kValueHoursMinutes, kValueDecimal}));
    // Bernd's fixed 12.50 is the only cost; Anna's lines from her wage have none without wage period
    // use (cost kind 2 with amount 0).
    EXPECT_EQ(rowsOf(table), (std::vector<std::string>{
                                 "12 - Neu GmbH|||00:45|",
                                 "|14.03.2024|Anna Berg|00:45|",
                                 "3 - Dritte AG|||03:30|12,50",
                                 "|14.03.2024|Anna Berg|01:00|",
                                 "||Bernd Kurz|00:30|12,50",
                                 "|15.03.2024|Anna Berg|02:00|",
                             }));

    // With the day's sum the employees start below their day.
    EXPECT_EQ(rowsOf(queryExportTable(reportOf(data, customerDayEmployee(true)))),
              (std::vector<std::string>{
                  "12 - Neu GmbH|||00:45",
                  "|14.03.2024||00:45",
                  "||Anna Berg|00:45",
                  "3 - Dritte AG|||03:30",
                  "|14.03.2024||01:30",
                  "||Anna Berg|01:00",
                  "||Bernd Kurz|00:30",
                  "|15.03.2024||02:00",
                  "||Anna Berg|02:00",
              }));
}

std::vector<std::string> describe(const std::vector<QueryPrintRow>& rows) {
    std::vector<std::string> texts;
    for (const QueryPrintRow& row : rows) {
        std::string text = (row.newPage ? "^" : "") + std::to_string(row.depth) + " " + row.text;
        if (!row.childText.empty()) text += " / " + row.childText;
        if (!row.minutes.empty()) text += " " + row.minutes;
        if (!row.costs.empty()) text += " " + row.costs;
        texts.push_back(text);
    }
    return texts;
}

TEST(QueryPrint, ANodeWithOneChildlessChildSharesItsRow) {
    QueryData data;
    sampleData(data);
    QueryChoices choices = customerDayEmployee(false);
    choices.showCosts = true;
    EXPECT_EQ(describe(queryPrintRows(reportOf(data, choices))), (std::vector<std::string>{
                                                                      "1 12 - Neu GmbH 00:45 h",
                                                                      "2 14.03.2024 / Anna Berg 00:45 h",
                                                                      "1 3 - Dritte AG 03:30 h 12,50 EUR",
                                                                      "2 14.03.2024",
                                                                      "3 Anna Berg 01:00 h",
                                                                      "3 Bernd Kurz 00:30 h 12,50 EUR",
                                                                      "2 15.03.2024 / Anna Berg 02:00 h",
                                                                  }));
}

TEST(QueryPrint, PageBreaksBeforeEveryFurtherNodeOfTheLevel) {
    QueryData data;
    sampleData(data);
    QueryChoices choices = customerDayEmployee(true);
    choices.pageBreak = 1;
    EXPECT_EQ(describe(queryPrintRows(reportOf(data, choices))), (std::vector<std::string>{
                                                                      "1 12 - Neu GmbH 00:45 h",
                                                                      "2 14.03.2024 / Anna Berg 00:45 h",
                                                                      "^1 3 - Dritte AG 03:30 h",
                                                                      "2 14.03.2024 01:30 h",
                                                                      "3 Anna Berg 01:00 h",
                                                                      "3 Bernd Kurz 00:30 h",
                                                                      "2 15.03.2024 / Anna Berg 02:00 h",
                                                                  }));
    // After level 2: the first day of a customer keeps the customer on its page.
    choices.pageBreak = 2;
    EXPECT_EQ(describe(queryPrintRows(reportOf(data, choices))), (std::vector<std::string>{
                                                                      "1 12 - Neu GmbH 00:45 h",
                                                                      "2 14.03.2024 / Anna Berg 00:45 h",
                                                                      "^1 3 - Dritte AG 03:30 h",
                                                                      "2 14.03.2024 01:30 h",
                                                                      "3 Anna Berg 01:00 h",
                                                                      "3 Bernd Kurz 00:30 h",
                                                                      "^2 15.03.2024 / Anna Berg 02:00 h",
                                                                  }));
}

int32_t pagesOf(const RecordingSurface& surface) {
    return static_cast<int32_t>(surface.callsOf(RecordedCall::Kind::BeginPage).size());
}

TEST(QueryPrint, PrintsTitleRowsAndPageNumbersWithinTheirBoxes) {
    QueryData data;
    sampleData(data);
    QueryChoices choices = customerDayEmployee(true);
    choices.pageBreak = 1;
    QueryReport report = reportOf(data, choices);
    report.title = "Übersicht Kunde/Tag/Mitarbeiter - 2024";
    RecordingSurface surface;
    std::string logo;
    printQueryReport(surface, report, logo, [](const std::string& text) { FAIL() << text; });
    EXPECT_EQ(pagesOf(surface), 2);
    const RecordedCall* title = surface.findText(report.title);
    ASSERT_NE(title, nullptr);
    EXPECT_TRUE(title->font.bold);
    ASSERT_NE(surface.findText("02:00 h"), nullptr);
    ASSERT_NE(surface.findText("2"), nullptr); // the second page's number
    EXPECT_TRUE(surface.textsOutsideTheirBox().empty());
    // Indented by 0.5 inch per level: the employee row starts an inch right of its customer.
    const RecordedCall* customer = surface.findText("3 - Dritte AG");
    const RecordedCall* employee = surface.findText("Bernd Kurz");
    ASSERT_TRUE(customer && employee);
    EXPECT_NEAR(employee->rect.left - customer->rect.left, 600, 10);
}

TEST(QueryPrint, AFullPageGoesOnOnTheNext) {
    QueryData data;
    YearFileBuilder builder("Anna Berg", 2024);
    for (int32_t day = 1; day <= 31; ++day)
        builder.day(1, day).work("8:00", "9:00").day(3, day).work("8:00", "9:00");
    data.add(builder);
    QueryChoices choices;
    choices.levels = {QueryLevel{kLevelDay, true}, QueryLevel{kLevelFromTo, true}, QueryLevel{kLevelNone, false},
                      QueryLevel{kLevelNone, false}};
    const QueryReport report = reportOf(data, choices);
    RecordingSurface surface;
    std::string logo;
    printQueryReport(surface, report, logo, {});
    EXPECT_GE(pagesOf(surface), 2);
    EXPECT_TRUE(surface.textsOutsideTheirBox().empty());
    const std::string text = queryReportText(report);
    EXPECT_EQ(text.find("Übersicht Tag/Arbeitszeit (Von-Bis)\n\n01.01.2024 / 08:00 - 09:00"), 0u) << text;
}

} // namespace
} // namespace lorvan
