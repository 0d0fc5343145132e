#include "entry/file_views.h"

#include "foundation/calendar.h"
#include "yearfile/year_file.h"

#include <gtest/gtest.h>

namespace lorvan {
namespace {

struct FileViews : ::testing::Test {
    CLorvanDoc doc;
    FileViews() {
        doc.settings().year = 2026;
        doc.settings().name = "Jörg Weiß";
    }
};

TEST_F(FileViews, YearViewListsTheMonthsInOrder) {
    doc.addMonth(11);
    doc.addMonth(3);
    EXPECT_EQ(yearViewRows(doc), (std::vector<FileViewRow>{{3, "März", "", 0}, {11, "November", "", 0}}));
}

TEST_F(FileViews, MonthViewShowsDayTitleStatusAndCategory) {
    CMonatDoc& march = doc.addMonth(3);
    march.addDay(10).dayKind = kVacation;
    march.addDay(2);
    CTagDoc& incomplete = march.addDay(31);
    incomplete.complete = 0;
    EXPECT_EQ(monthViewRows(march),
              (std::vector<FileViewRow>{{2, "02.03.2026 (Montag)", "Keine Zeiten", 8},
                                        {10, "10.03.2026 (Dienstag)", "Urlaub", 3},
                                        {31, "31.03.2026 (Dienstag)", "Unvollständig", 1}}));
    EXPECT_EQ(monthViewTitle(march), "März 2026");
}

TEST_F(FileViews, InitialSelectionIsTodayInTheCurrentYearOrMonthElseTheLastRow) {
    CMonatDoc& march = doc.addMonth(3);
    doc.addMonth(5);
    march.addDay(4);
    march.addDay(9);
    const std::vector<FileViewRow> months = yearViewRows(doc);
    const std::vector<FileViewRow> days = monthViewRows(march);
    struct Case {
        Datum today;
        int yearRow;
        int monthRow;
    };
    const Case cases[] = {
        {{4, 3, 2026}, 0, 0},  // today's month and day are there
        {{9, 4, 2026}, 1, 1},  // today's month has no row: the last one
        {{4, 3, 2025}, 1, 1},  // another year shows its last rows
        {{10, 3, 2026}, 0, 1}, // today has no day row
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.today.day * 10000 + c.today.month * 100);
        EXPECT_EQ(yearViewInitialRow(doc, months, c.today), c.yearRow);
        EXPECT_EQ(monthViewInitialRow(march, days, c.today), c.monthRow);
    }
    EXPECT_EQ(initialRow({}, 3), -1);
}

TEST_F(FileViews, NextMonthFollowsTheLastAndStopsAfterDecember) {
    EXPECT_EQ(nextMonthProposal(doc), 1);
    doc.addMonth(4);
    doc.addMonth(2);
    EXPECT_EQ(nextMonthProposal(doc), 5);
    doc.addMonth(12);
    EXPECT_EQ(nextMonthProposal(doc), 0);
}

} // namespace
} // namespace lorvan

namespace lorvan {
namespace {

TEST(NextDayProposal, SkipsExistingDaysAndFreeWeekdaysOfFixedWorkingDays) {
    // March 2026 starts on a Sunday; the default period works Monday to Friday.
    struct Case {
        const char* name;
        std::vector<int32_t> existing;
        bool fixedWorkingDays;
        int32_t month;
        int32_t expected;
    };
    std::vector<int32_t> everyWorkingDayOfFebruary;
    for (int32_t day = 1; day <= 28; ++day)
        if (weekdayCalendar(Datum{day, 2, 2026}) != 1 && weekdayCalendar(Datum{day, 2, 2026}) != 7)
            everyWorkingDayOfFebruary.push_back(day);
    const Case cases[] = {
        {"Sunday 1 March is free", {}, true, 3, 2},
        {"existing Monday is skipped", {2, 3}, true, 3, 4},
        {"without fixed days every day counts", {}, false, 3, 1},
        {"after Friday 6 comes Monday 9", {2, 3, 4, 5, 6}, true, 3, 9},
        {"a full month proposes nothing", everyWorkingDayOfFebruary, true, 2, 0},
        {"a month without record starts at its first working day", {}, true, 6, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CLorvanDoc doc;
        doc.settings().year = 2026;
        doc.settings().workingTimePeriods.front().fixedRegularWorkingDays = c.fixedWorkingDays ? 1 : 0;
        CMonatDoc& month = doc.addMonth(c.month);
        for (int32_t day : c.existing)
            month.addDay(day);
        EXPECT_EQ(nextDayProposal(doc, c.month), c.expected);
    }
}

} // namespace
} // namespace lorvan
