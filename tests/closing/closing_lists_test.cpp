#include "closing_fixture.h"

#include "closing/closing_lists.h"
#include "output/recording_surface.h"
#include "reports/report_inputs.h"

#include <gtest/gtest.h>

namespace lorvan {
namespace {

using test::closingEmployee;
using test::ClosingFixture;
using test::plainYear;
using test::YearFileBuilder;

// The texts of a row by column; columns without a cell are left out.
std::map<int32_t, std::string> cellsOf(const CReportRow& row) {
    std::map<int32_t, std::string> cells;
    for (const CReportCell& cell : row.cells())
        cells[cell.column] = cell.text;
    return cells;
}

std::vector<std::map<int32_t, std::string>> rowsOf(const CReportTable& table) {
    std::vector<std::map<int32_t, std::string>> rows;
    for (const CReportRow& row : table.rows())
        rows.push_back(cellsOf(row));
    return rows;
}

TEST(AccountList, GroupedByDepartmentWithBalanceAndVacation) {
    ClosingFixture f;
    f.addEmployee(closingEmployee(1, "Lena Lang", "Lager"));
    f.addEmployee(closingEmployee(2, "Bert Bach", "Büro"));
    f.addEmployee(closingEmployee(3, "Ina Igel", "Büro"));
    f.save(plainYear("Lena Lang", 2024)
               .settings([](CEinstArbzt& s) {
                   s.keepWorkingTimeAccount = 1;
                   s.accountCarryOver = -1.25;
               })
               .day(3, 4)
               .work("8:00", "16:00"));
    f.save(plainYear("Bert Bach", 2024)
               .settings([](CEinstArbzt& s) {
                   s.keepWorkingTimeAccount = 1;
                   s.accountCarryOver = 12.5;
                   s.manageRemainingVacation = 1;
                   s.vacationEntitlement = 30;
                   s.unplannedVacationText = "3";
               })
               .day(1, 8, kVacation)
               .day(3, 4)
               .work("8:00", "16:00"));
    f.save(plainYear("Ina Igel", 2024).day(2, 5).work("8:00", "16:00")); // no March
    const auto collection = f.collect(3, 2024, chooseEmployees(f.employees, ClosingSelection::Departments,
                                                               {"Lager", "Büro"}, {}, true));
    const CReportTable table = accountListTable(*collection, f.clock.today(), false);
    EXPECT_EQ(table.name, "EXPORT");
    std::vector<std::string> titles;
    for (const auto& [number, column] : table.columns())
        titles.push_back(column.title);
    EXPECT_EQ(titles, (std::vector<std::string>{"Mitarbeiter", "Std:Min", "Std", "Resturlaub (in Tagen)"}));
    using Row = std::map<int32_t, std::string>;
    EXPECT_EQ(rowsOf(table), (std::vector<Row>{
                                 {{1, "Liste Mitarbeiter Arbeitszeitkonto"}},
                                 {{1, "Stand: 15.04.2024 für Monat: 03.2024"}},
                                 {},
                                 {{1, "Büro"}},
                                 {{1, "2 - Bert Bach"}, {2, "12:30"}, {3, "12,50"}, {4, "29"}},
                                 {},
                                 {{1, "Lager"}},
                                 {{1, "1 - Lena Lang"}, {2, "-1:15"}, {3, "-1,25"}},
                             }));
    EXPECT_TRUE(table.row(0).cells()[0].bold);
    EXPECT_TRUE(table.row(3).cells()[0].bold);

    // The special build: the unplanned vacation; the current month: no "für Monat".
    f.clock.set(Datum{20, 3, 2024});
    const CReportTable special = accountListTable(*collection, f.clock.today(), true);
    ASSERT_NE(special.column(5), nullptr);
    EXPECT_EQ(special.column(5)->title, "ungeplanter Resturlaub");
    EXPECT_EQ(cellsOf(special.row(1)), (Row{{1, "Stand: 20.03.2024"}}));
    EXPECT_EQ(cellsOf(special.row(4)).at(5), "3");
}

// 52 hours in the week of 11 March 2024: 10 hours above the 42 of surcharge 1 (surcharge 2 off).
YearFileBuilder costYear(const std::string& name) {
    YearFileBuilder b = plainYear(name, 2024).settings([](CEinstArbzt& s) {
        s.surcharge2On = 0;
        s.surcharge1Percent = 25;
        s.employeeInCostEvaluation = 1;
        WagePeriod wage;
        wage.hourlyWage = 20;
        wage.employerCostPerHour = 30;
        wage.valueCreationPerHour = 50;
        s.wagePeriods = {wage};
    });
    for (int32_t day = 11; day <= 15; ++day)
        b.day(3, day).work("7:00", "17:24");
    return b;
}

TEST(CostList, ColumnsFormulasAndSums) {
    ClosingFixture f;
    f.addEmployee(closingEmployee(4, "Anna Berg", "Büro"));
    f.addEmployee(closingEmployee(5, "Kurt Kahl", "Lager"));
    f.save(costYear("Anna Berg").day(2, 6, kSickWithPay));
    f.save(plainYear("Kurt Kahl", 2024).day(2, 5).work("8:00", "16:00")); // no March
    const auto collection = f.collect(3, 2024);
    const CReportTable table = costListTable(*collection, f.clock.today());
    ASSERT_EQ(table.columnCount(), 29);
    EXPECT_EQ(table.column(8)->title, "AZK-Änderung");
    EXPECT_EQ(table.column(29)->title, "Gewinn");
    EXPECT_EQ(table.column(4)->valueType, kValueText);
    EXPECT_EQ(table.column(5)->valueType, kValueDecimal);
    const auto rows = rowsOf(table);
    ASSERT_EQ(rows.size(), 2u + 3u + 2u + 2u); // titles; Anna Feb, Mar, Summe, empty; Kurt Feb, Summe, empty
    const auto& february = rows[2];
    EXPECT_EQ(february.at(1), "Anna Berg");
    EXPECT_EQ(february.at(2), "4");
    EXPECT_EQ(february.at(3), "Büro");
    EXPECT_EQ(february.at(4), "02.2024");
    EXPECT_EQ(february.at(15), "8,00"); // sick with continued pay
    EXPECT_EQ(february.at(21), "20,00");
    EXPECT_EQ(february.at(24), "160,00"); // (0 - 0 + 8) x 20
    EXPECT_EQ(february.at(27), "400,00"); // 8 x 50 lost
    EXPECT_EQ(february.at(28), "640,00"); // 8 x 30 + the loss
    EXPECT_EQ(february.at(29), "-640,00");
    const auto& march = rows[3];
    EXPECT_EQ(march.at(4), "03.2024");
    EXPECT_EQ(march.at(6), "52,00");
    EXPECT_EQ(march.at(11), "10,00");
    EXPECT_EQ(march.at(24), "1090,00"); // 52 x 20 + 10 h x (25 % of 20 = 5,00)
    EXPECT_EQ(march.at(25), "1635,00"); // 52 x 30 + 10 h x 7,50
    EXPECT_EQ(march.at(26), "2600,00"); // 52 x 50
    EXPECT_EQ(march.at(29), "965,00");  // 2600 - 1635
    EXPECT_EQ(march.count(9), 0u);      // no account: AZK-Ende empty
    const auto& sum = rows[4];
    EXPECT_EQ(sum.at(4), "Summe");
    EXPECT_EQ(sum.at(6), "52,00");
    EXPECT_EQ(sum.at(11), "10,00");
    EXPECT_EQ(sum.at(15), "8,00");
    EXPECT_EQ(sum.at(24), "1250,00");
    EXPECT_TRUE(rows[5].empty());
    // Kurt lacks March: his February and his sum are there all the same.
    EXPECT_EQ(rows[6].at(1), "Kurt Kahl");
    EXPECT_EQ(rows[6].at(4), "02.2024");
    EXPECT_EQ(rows[7].at(4), "Summe");
    EXPECT_EQ(rows[7].at(6), "8,00");
    EXPECT_EQ(rows[7].count(24), 0u); // not in the cost evaluation
}

TEST(CostList, Surcharge1Of90MinutesAndThePlausi) {
    ClosingFixture f;
    f.addEmployee(closingEmployee(4, "Anna Berg"));
    YearFileBuilder b = plainYear("Anna Berg", 2024);
    for (int32_t day = 11; day <= 14; ++day)
        b.day(3, day).work("7:00", "16:00");
    b.day(3, 15).work("7:00", "14:30");
    f.save(b);
    const CReportTable table = costListTable(*f.collect(3, 2024), f.clock.today());
    const auto rows = rowsOf(table);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[2].at(11), "1,50");
    EXPECT_EQ(rows[3].at(11), "1,50");
    EXPECT_EQ(rows[2].at(5), "37,00");
    EXPECT_EQ(rows[2].at(6), "43,50");
    EXPECT_EQ(rows[2].at(7), "6,50");
    EXPECT_EQ(rows[2].at(19), "5,00"); // 43,5 - 37 - 0 - 1,5
}

TEST(ClosingLists, PrintedPagesFitTheirBoxes) {
    ClosingFixture f;
    for (int32_t n = 1; n <= 60; ++n) {
        const std::string name = "Mitarbeiterin Nummer " + std::to_string(n);
        f.addEmployee(closingEmployee(n, name, n <= 30 ? "Büro und Verwaltung" : "Lager"));
        f.save(costYear(name));
    }
    const auto collection = f.collect(3, 2024);
    const ClosingListReport account = printableAccountList(accountListTable(*collection, f.clock.today(), true));
    EXPECT_EQ(account.title, "Liste Mitarbeiter Arbeitszeitkonto");
    EXPECT_EQ(account.stand, "Stand: 15.04.2024 für Monat: 03.2024");
    EXPECT_FALSE(account.landscape);
    EXPECT_EQ(account.pages.size(), 2u); // 60 employees and two departments with their headings
    RecordingSurface portrait(600);
    std::string logo;
    printClosingList(portrait, account, logo, [](const std::string&) {});
    EXPECT_TRUE(portrait.textsOutsideTheirBox().empty());
    EXPECT_NE(portrait.findText("Mitarbeiter"), nullptr);

    const ClosingListReport cost = printableCostList(costListTable(*collection, f.clock.today()));
    EXPECT_TRUE(cost.landscape);
    EXPECT_EQ(cost.pages.size(), 3u * 7u); // 3 bands of 180 rows, 28 to a page
    RecordingSurface landscape(600, 600, Rect{0, 0, 7014, 4962});
    printClosingList(landscape, cost, logo, [](const std::string&) {});
    EXPECT_TRUE(landscape.textsOutsideTheirBox().empty());
    EXPECT_NE(landscape.findText("Gewinn"), nullptr);
}

TEST(ClosingLists, MonthEvaluationsOnePerCollectedMonth) {
    ClosingFixture f;
    f.addEmployee(closingEmployee(1, "Anna Berg"));
    f.addEmployee(closingEmployee(2, "Kurt Kahl"));
    f.save(costYear("Anna Berg"));
    f.save(costYear("Kurt Kahl"));
    const auto collection = f.collect(3, 2024);
    const std::vector<MonthReport> reports = monthEvaluationReports(*collection, ReportInputs{});
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].title, "Monatsauswertung 03.2024 - Anna Berg");
    EXPECT_EQ(reports[1].title, "Monatsauswertung 03.2024 - Kurt Kahl");
    RecordingSurface surface(600);
    std::string logo;
    printMonthEvaluations(surface, reports, logo, [](const std::string&) {});
    const RecordedCall* title = surface.findText("Monatsauswertung 03.2024 - Kurt Kahl");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->rect.left, 360);
    EXPECT_EQ(title->rect.top, 300);
    EXPECT_TRUE(title->font.bold);
}

} // namespace
} // namespace lorvan
