#include "closing_fixture.h"

#include "closing/month_collection.h"

#include <gtest/gtest.h>

namespace lorvan {
namespace {

using test::closingEmployee;
using test::ClosingFixture;
using test::plainYear;

TEST(ClosingMonth, LastAndCurrentMonth) {
    EXPECT_EQ(lastMonthOf(Datum{10, 1, 2025}), (ClosingMonthChoice{12, 2024}));
    EXPECT_EQ(lastMonthOf(Datum{31, 3, 2024}), (ClosingMonthChoice{2, 2024}));
    EXPECT_EQ(currentMonthOf(Datum{31, 3, 2024}), (ClosingMonthChoice{3, 2024}));
}

TEST(ClosingMonth, TypedMonths) {
    const struct {
        const char* text;
        std::optional<ClosingMonthChoice> month;
    } cases[] = {
        {"03.2024", ClosingMonthChoice{3, 2024}},
        {"3.2024", ClosingMonthChoice{3, 2024}},
        {"12/2023", ClosingMonthChoice{12, 2023}},
        {"13.2024", std::nullopt},
        {"2024", std::nullopt},
        {"00.2024", std::nullopt},
        {"", std::nullopt},
        {"März", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseClosingMonthText(c.text), c.month);
    }
    EXPECT_EQ(closingMonthText({3, 2024}), "03.2024");
}

TEST(ClosingMonth, EmployeesByDepartmentAllOrIndividually) {
    std::map<int32_t, CMitarbeiterDoc> all;
    for (const CMitarbeiterDoc& e : {closingEmployee(1, "Lena", "Lager"), closingEmployee(2, "Bert", "Büro"),
                                     closingEmployee(3, "Olaf", "Lager"), closingEmployee(4, "Ina", "Büro"),
                                     closingEmployee(5, "Paul", "")})
        all[e.number] = e;
    all[3].active = 0;
    auto numbers = [](const std::vector<CMitarbeiterDoc>& chosen) {
        std::vector<int32_t> n;
        for (const CMitarbeiterDoc& e : chosen)
            n.push_back(e.number);
        return n;
    };
    // Departments in byte order (B before L), each by number; inactive ones only without the filter.
    EXPECT_EQ(numbers(chooseEmployees(all, ClosingSelection::Departments, {"Lager", "Büro"}, {}, true)),
              (std::vector<int32_t>{2, 4, 1}));
    EXPECT_EQ(numbers(chooseEmployees(all, ClosingSelection::Departments, {"Lager"}, {}, false)),
              (std::vector<int32_t>{1, 3}));
    EXPECT_EQ(numbers(chooseEmployees(all, ClosingSelection::Departments, {""}, {}, true)),
              (std::vector<int32_t>{5}));
    EXPECT_EQ(numbers(chooseEmployees(all, ClosingSelection::All, {}, {}, true)),
              (std::vector<int32_t>{1, 2, 4, 5}));
    EXPECT_EQ(numbers(chooseEmployees(all, ClosingSelection::Employees, {}, {5, 3, 9}, true)),
              (std::vector<int32_t>{3, 5}));
}

TEST(CollectMonths, MonthListAndYearToDate) {
    ClosingFixture f;
    f.addEmployee(closingEmployee(1, "Anna Berg"));
    f.addEmployee(closingEmployee(2, "Kurt Kahl"));
    f.addEmployee(closingEmployee(3, "Ohne Datei"));
    f.save(plainYear("Anna Berg", 2024).day(1, 8).day(2, 5).day(3, 4).day(4, 2));
    f.save(plainYear("Kurt Kahl", 2024).day(1, 8).day(2, 5)); // no March
    const auto collection = f.collect(3, 2024);
    ASSERT_EQ(collection->monthList.size(), 1u);
    EXPECT_EQ(collection->monthList[0].employee().number, 1);
    EXPECT_EQ(collection->monthList[0].month, 3);
    std::vector<std::pair<int32_t, int32_t>> ytd;
    for (const CollectedMonth& m : collection->yearToDate)
        ytd.emplace_back(m.employee().number, m.month);
    EXPECT_EQ(ytd, (std::vector<std::pair<int32_t, int32_t>>{{1, 1}, {1, 2}, {1, 3}, {2, 1}, {2, 2}}));
    EXPECT_EQ(collection->chosenEmployees.size(), 3u);
    EXPECT_EQ(collection->protocol(), "");
}

TEST(CollectMonths, UnreadableFileIsNamedAndTheOthersGoOn) {
    ClosingFixture f;
    f.addEmployee(closingEmployee(1, "Anna Berg"));
    f.addEmployee(closingEmployee(2, "Kurt Kahl"));
    test::writeBytes(f.path("Anna_Berg2024.azr"), "kaputt");
    f.save(plainYear("Kurt Kahl", 2024).day(3, 4));
    const auto collection = f.collect(3, 2024);
    ASSERT_EQ(collection->monthList.size(), 1u);
    EXPECT_EQ(collection->monthList[0].employee().number, 2);
    ASSERT_EQ(collection->skipped.size(), 1u);
    EXPECT_EQ(collection->skipped[0].path, f.path("Anna_Berg2024.azr"));
    EXPECT_EQ(collection->skipped[0].employee, "1 - Anna Berg");
    EXPECT_NE(collection->protocol().find("Die Jahresdatei '" + f.path("Anna_Berg2024.azr") +
                                          "' von 1 - Anna Berg konnte nicht gelesen werden und wurde übersprungen: "),
              std::string::npos);
}

TEST(CollectMonths, TwoNamesOfOneFileReadItOnce) {
    ClosingFixture f;
    f.addEmployee(closingEmployee(1, "Jörg Weiß"));
    f.addEmployee(closingEmployee(2, "Joerg Weiss"));
    f.save(plainYear("Jörg Weiß", 2024).day(3, 4));
    const auto collection = f.collect(3, 2024);
    ASSERT_EQ(collection->monthList.size(), 1u);
    EXPECT_EQ(collection->monthList[0].employee().number, 1);
    EXPECT_EQ(collection->yearToDate.size(), 1u);
    EXPECT_EQ(collection->protocol(), "Die Jahresdatei '" + f.path("Joerg_Weiss2024.azr") +
                                          "' gehört dem Namen nach zu 1 - Jörg Weiß und zu 2 - Joerg Weiss; sie "
                                          "wird nur einmal berücksichtigt, für 1 - Jörg Weiß.\n");
}

} // namespace
} // namespace lorvan
