#include "masterdata/employee_list_model.h"
#include "platform/clock.h"
#include "support/scripted_prompter.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace lorvan {
namespace {

CMitarbeiterDoc record(int32_t number, const std::string& name, const std::string& department = "") {
    CMitarbeiterDoc e;
    e.number = number;
    e.name = name;
    e.department = department;
    return e;
}

std::vector<int32_t> numbers(const EmployeeListModel& model) {
    std::vector<int32_t> result;
    for (const auto& row : model.rows())
        result.push_back(row.number);
    return result;
}

struct ListFixture {
    FixedClock clock{Datum{15, 3, 2026}};
    std::map<int32_t, CMitarbeiterDoc> employees;
    void add(const CMitarbeiterDoc& e) { employees[e.number] = e; }
};

TEST(EmployeeListModel, ColumnsInOrderWithTheirWidths) {
    std::vector<std::string> titles;
    std::vector<int32_t> widths;
    for (const auto& column : kEmployeeColumns) {
        titles.push_back(column.title);
        widths.push_back(column.width);
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"Personalnummer", "Name", "Abteilung", "Zusatzinfo",
                                                "Probezeit Resttage", "Eintritt", "Austritt", "Aktiv"}));
    EXPECT_EQ(widths, (std::vector<int32_t>{100, 160, 160, 160, 160, 100, 100, 50}));
}

TEST(EmployeeListModel, RowsShowTheDerivedTexts) {
    ListFixture f;
    CMitarbeiterDoc e = record(7, "Jörg Weiß", "Lager");
    e.extraInfo = "Teilzeit";
    e.entryDate = Datum{1, 9, 2025};
    e.inProbation = 1;
    e.probationEnd = Datum{15, 3, 2026};
    e.hasExit = 1;
    e.exitDate = Datum{31, 12, 2026};
    f.add(e);
    EmployeeListModel model(f.employees, f.clock);
    ASSERT_EQ(model.rows().size(), 1u);
    EXPECT_EQ(model.rows()[0].cells,
              (std::array<std::string, kEmployeeColumnCount>{"7", "Jörg Weiß", "Lager", "Teilzeit", "0",
                                                             "01.09.2025", "31.12.2026", "Ja"}));
    EXPECT_EQ(model.year(), 2026);
}

TEST(EmployeeListModel, SortKeysPerColumnPutEmptyValuesFirst) {
    FixedClock clock(Datum{15, 3, 2026});
    CMitarbeiterDoc full = record(3, "Anna", "Lager");
    full.extraInfo = "Teilzeit";
    full.entryDate = Datum{1, 9, 2025};
    full.inProbation = 1;
    full.probationEnd = Datum{24, 3, 2026};
    full.hasExit = 1;
    full.exitDate = Datum{31, 12, 2026};
    CMitarbeiterDoc bare = record(4, "Bert");
    bare.active = 0;
    struct Case {
        EmployeeColumn column;
        std::string fullKey;
        std::string bareKey;
    };
    const Case cases[] = {
        {EmployeeColumn::Name, "Anna", "Bert"},
        {EmployeeColumn::Department, "LagerAnna", "!!!Bert"},
        {EmployeeColumn::ExtraInfo, "TeilzeitAnna", "!!!Bert"},
        {EmployeeColumn::ProbationDays, "0000000009Anna", "!!!Bert"},
        {EmployeeColumn::Entry, "2025-09-01Anna", "!!!Bert"},
        {EmployeeColumn::Exit, "2026-12-31Anna", "!!!Bert"},
        {EmployeeColumn::Active, "JaAnna", "NeinBert"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(employeeSortKey(full, c.column, clock), c.fullKey);
        EXPECT_EQ(employeeSortKey(bare, c.column, clock), c.bareKey);
    }
}

TEST(EmployeeListModel, SortingByAColumnIsByteWiseAndKeepsNumberOrderForEqualKeys) {
    ListFixture f;
    f.add(record(1, "Carla", "Verkauf"));
    f.add(record(2, "Bert"));
    f.add(record(3, "Anna", "Lager"));
    f.add(record(4, "Dora", "Lager"));
    f.add(record(5, "Emil"));
    CMitarbeiterDoc longProbation = record(6, "Zoe");
    longProbation.inProbation = 1;
    longProbation.probationEnd = Datum{1, 1, 2060}; // more than 9999 days ahead
    f.add(longProbation);
    CMitarbeiterDoc shortProbation = record(7, "Yves");
    shortProbation.inProbation = 1;
    shortProbation.probationEnd = Datum{1, 4, 2026};
    f.add(shortProbation);
    EmployeeListModel model(f.employees, f.clock);
    EXPECT_EQ(numbers(model), (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7}));
    struct Case {
        EmployeeColumn column;
        std::vector<int32_t> expected;
    };
    const Case cases[] = {
        {EmployeeColumn::Name, {3, 2, 1, 4, 5, 7, 6}},
        {EmployeeColumn::Department, {2, 5, 7, 6, 3, 4, 1}}, // without department first
        {EmployeeColumn::ProbationDays, {3, 2, 1, 4, 5, 7, 6}},
        {EmployeeColumn::Number, {1, 2, 3, 4, 5, 6, 7}},
    };
    for (const auto& c : cases) {
        model.sortBy(c.column);
        EXPECT_EQ(numbers(model), c.expected) << static_cast<int>(c.column);
    }
}

TEST(EmployeeListModel, OnlyActiveFilterIsOnAtStart) {
    ListFixture f;
    f.add(record(1, "Anna"));
    CMitarbeiterDoc inactive = record(2, "Bert");
    inactive.active = 0;
    f.add(inactive);
    CMitarbeiterDoc odd = record(3, "Carla");
    odd.active = 2; // only 1 is active
    f.add(odd);
    EmployeeListModel model(f.employees, f.clock);
    EXPECT_TRUE(model.onlyActive());
    EXPECT_EQ(numbers(model), (std::vector<int32_t>{1}));
    model.setOnlyActive(false);
    EXPECT_EQ(numbers(model), (std::vector<int32_t>{1, 2, 3}));
    EXPECT_EQ(model.rows()[2].cells[7], "Nein");
}

TEST(EmployeeListModel, SelectionAfterARefill) {
    ListFixture f;
    for (int32_t n = 1; n <= 4; ++n)
        f.add(record(n, std::string(1, static_cast<char>('E' - n))));
    EmployeeListModel model(f.employees, f.clock); // names D, C, B, A
    EXPECT_FALSE(model.selectedRow().has_value());

    model.select(1);
    model.sortBy(EmployeeColumn::Name); // the selected employee stays selected
    EXPECT_EQ(model.selectedNumber(), 2);
    EXPECT_EQ(model.selectedRow(), 2u);

    f.add(record(9, "0 new"));
    model.refill(9); // the employee just created
    EXPECT_EQ(model.selectedRow(), 0u);

    model.select(3);
    f.employees.erase(9);
    model.refill(); // the row position stays
    EXPECT_EQ(model.selectedRow(), 3u);
    f.employees.erase(1);
    model.refill(); // past the end: the last row
    EXPECT_EQ(model.selectedRow(), 2u);

    model.refill(42); // not listed: the position rule
    EXPECT_EQ(model.selectedRow(), 2u);
    f.employees.clear();
    model.refill();
    EXPECT_FALSE(model.selectedRow().has_value());
    model.select(0);
    EXPECT_FALSE(model.selectedRow().has_value());
}

TEST(EmployeeListModel, DamagedRecordsOfAFileListAndSortInEveryColumn) {
    ListFixture f;
    CMitarbeiterDoc extreme = record(-2147483647 - 1, std::string("\xFF\x00x", 3));
    extreme.entryDate = Datum{2147483647, -5, 2147483647};
    extreme.inProbation = -1;
    extreme.probationEnd = Datum{99, 99, 2147483647};
    extreme.hasExit = 7;
    extreme.exitDate = Datum{-1, 0, -2147483647 - 1};
    extreme.active = 1;
    f.add(extreme);
    f.add(record(2147483647, ""));
    EmployeeListModel model(f.employees, f.clock);
    for (const auto& column : kEmployeeColumns) {
        model.sortBy(column.column);
        ASSERT_EQ(model.rows().size(), 2u);
    }
    EXPECT_EQ(model.rows()[0].cells[4], ""); // no day count from a damaged probation end
}

TEST(EmployeeListModel, YearAcceptsNineteenNinetyToNineThousandNineHundredNinetyNine) {
    ListFixture f;
    EmployeeListModel model(f.employees, f.clock);
    test::ScriptedPrompter prompter;
    EXPECT_TRUE(model.setYear(1990, prompter));
    EXPECT_TRUE(model.setYear(9999, prompter));
    EXPECT_FALSE(model.setYear(1989, prompter));
    EXPECT_FALSE(model.setYear(10000, prompter));
    EXPECT_EQ(model.year(), 9999);
    EXPECT_EQ(prompter.texts(),
              (std::vector<std::string>(2, "Geben Sie eine ganze Zahl zwischen 1990 und 9999 ein.")));
}

} // namespace
} // namespace lorvan
