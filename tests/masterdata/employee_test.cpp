#include "masterdata/employee.h"
#include "platform/clock.h"

#include <gtest/gtest.h>

#include <string>

namespace lorvan {
namespace {

TEST(Employee, RemainingProbationDaysCountFromTodayAndVanishAfterTheEnd) {
    struct Case {
        int32_t inProbation;
        Datum end;
        Datum today;
        const char* expected;
    };
    const Case cases[] = {
        {1, {15, 3, 2024}, {15, 3, 2024}, "0"},  // last day of probation
        {1, {14, 3, 2024}, {15, 3, 2024}, ""},   // over since yesterday
        {1, {31, 3, 2024}, {29, 2, 2024}, "31"}, // across a leap day
        {1, {1, 1, 2025}, {31, 12, 2024}, "1"},
        {-7, {1, 1, 2025}, {31, 12, 2024}, "1"}, // every non-zero value means in probation
        {0, {1, 1, 2025}, {31, 12, 2024}, ""},
        {1, {40, 13, 2030}, {1, 1, 2024}, ""}, // a damaged end date gives no count
    };
    for (const auto& c : cases) {
        CMitarbeiterDoc e;
        e.inProbation = c.inProbation;
        e.probationEnd = c.end;
        EXPECT_EQ(e.remainingProbationDaysText(FixedClock(c.today)), c.expected)
            << c.end.day << "." << c.end.month << "." << c.end.year;
    }
}

TEST(Employee, DateTextsAreEmptyWithoutTheirDateOrFlag) {
    CMitarbeiterDoc e;
    e.probationEnd = {31, 8, 2024};
    e.exitDate = {30, 9, 2025};
    EXPECT_EQ(e.entryText(), "");
    EXPECT_EQ(e.entrySortKey(), "");
    EXPECT_EQ(e.probationEndText(), "");
    EXPECT_EQ(e.probationEndSortKey(), "");
    EXPECT_EQ(e.exitText(), "");
    EXPECT_EQ(e.exitSortKey(), "");

    e.entryDate = {1, 3, 2024};
    e.inProbation = 1;
    e.hasExit = 1;
    EXPECT_EQ(e.entryText(), "01.03.2024");
    EXPECT_EQ(e.entrySortKey(), "2024-03-01");
    EXPECT_EQ(e.probationEndText(), "31.08.2024");
    EXPECT_EQ(e.probationEndSortKey(), "2024-08-31");
    EXPECT_EQ(e.exitText(), "30.09.2025");
    EXPECT_EQ(e.exitSortKey(), "2025-09-30");
}

TEST(Employee, DisplayTextAndFileNameForm) {
    CMitarbeiterDoc e;
    e.number = 4711;
    e.name = "Jörg Schäfer";
    EXPECT_EQ(e.displayText(), "4711 - Jörg Schäfer");
    EXPECT_EQ(e.fileNameForm(), "Joerg_Schaefer");
}

TEST(Employee, ActiveOnlyWithOne) {
    CMitarbeiterDoc e;
    EXPECT_TRUE(e.isActive());
    e.active = 2;
    EXPECT_FALSE(e.isActive());
    e.active = 0;
    EXPECT_FALSE(e.isActive());
}

// Employed from 15.03.2024, left on 10.06.2024.
CMitarbeiterDoc employedMarchToJune() {
    CMitarbeiterDoc e;
    e.entryDate = {15, 3, 2024};
    e.hasExit = 1;
    e.exitDate = {10, 6, 2024};
    return e;
}

TEST(Employee, EmployedAndLeftOnADay) {
    struct Case {
        Datum day;
        bool notEmployed;
        bool notYetLeft;
    };
    const Case cases[] = {
        {{14, 3, 2024}, true, true},  {{15, 3, 2024}, false, true}, {{10, 6, 2024}, false, true},
        {{11, 6, 2024}, true, false}, {{1, 1, 1}, true, true},
    };
    const CMitarbeiterDoc e = employedMarchToJune();
    for (const auto& c : cases) {
        EXPECT_EQ(e.notEmployedOn(c.day), c.notEmployed) << c.day.day << "." << c.day.month;
        EXPECT_EQ(e.notYetLeftOn(c.day), c.notYetLeft) << c.day.day << "." << c.day.month;
    }

    CMitarbeiterDoc open; // no entry date, no exit: always employed
    EXPECT_FALSE(open.notEmployedOn({1, 1, 1900}));
    EXPECT_TRUE(open.notYetLeftOn({31, 12, 2999}));
    open.exitDate = {1, 1, 2000}; // an exit date without the flag counts for nothing
    EXPECT_FALSE(open.notEmployedOn({1, 1, 2024}));
}

TEST(Employee, EmploymentBoundsWithinTheMonth) {
    struct Case {
        Datum day;
        bool employed;
        int32_t firstDay;
        int32_t lastDay;
    };
    const Case cases[] = {
        {{1, 2, 2024}, false, 0, 0},                                 // before the month of entry
        {{29, 2, 2024}, false, 0, 0},  {{1, 3, 2024}, true, 15, 31}, // month of entry
        {{31, 3, 2024}, true, 15, 31}, {{10, 4, 2024}, true, 1, 30}, // a whole month
        {{1, 6, 2024}, true, 1, 10},                                 // month of exit
        {{20, 6, 2024}, true, 1, 10}, // also when asked for a day after the exit
        {{1, 7, 2024}, false, 0, 0},  // after the month of exit
    };
    const CMitarbeiterDoc e = employedMarchToJune();
    for (const auto& c : cases) {
        Datum first, last;
        ASSERT_EQ(e.employmentBoundsInMonth(c.day, first, last), c.employed)
            << c.day.day << "." << c.day.month;
        if (!c.employed) continue;
        EXPECT_EQ(first, (Datum{c.firstDay, c.day.month, c.day.year}));
        EXPECT_EQ(last, (Datum{c.lastDay, c.day.month, c.day.year}));
    }
}

TEST(Employee, EmploymentBoundsWithoutDatesAndWithEntryAndExitInOneMonth) {
    Datum first, last;
    CMitarbeiterDoc e;
    ASSERT_TRUE(e.employmentBoundsInMonth({7, 2, 2023}, first, last));
    EXPECT_EQ(first, (Datum{1, 2, 2023}));
    EXPECT_EQ(last, (Datum{28, 2, 2023}));

    e.entryDate = {5, 8, 2024};
    e.hasExit = 1;
    e.exitDate = {20, 8, 2024};
    ASSERT_TRUE(e.employmentBoundsInMonth({1, 8, 2024}, first, last));
    EXPECT_EQ(first.day, 5);
    EXPECT_EQ(last.day, 20);

    e.exitDate = {3, 8, 2024}; // left before the entry: no employed day
    EXPECT_FALSE(e.employmentBoundsInMonth({1, 8, 2024}, first, last));
}

} // namespace
} // namespace lorvan
