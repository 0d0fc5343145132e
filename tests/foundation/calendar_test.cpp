#include "foundation/calendar.h"

#include "foundation/error.h"
#include "support/error_text.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace lorvan {
namespace {

std::string show(const Datum& d) {
    return formatDate(d);
}

TEST(Calendar, LeapYears) {
    EXPECT_TRUE(isLeapYear(2000));
    EXPECT_FALSE(isLeapYear(1900));
    EXPECT_TRUE(isLeapYear(2024));
    EXPECT_FALSE(isLeapYear(2026));
    EXPECT_FALSE(isLeapYear(2100));
    EXPECT_TRUE(isLeapYear(2400));
}

TEST(Calendar, DaysInMonth) {
    const int32_t expected[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int32_t m = 1; m <= 12; ++m)
        EXPECT_EQ(daysInMonth(m, 2026), expected[m - 1]) << m;
    EXPECT_EQ(daysInMonth(2, 2024), 29);
    EXPECT_EQ(daysInMonth(2, 1900), 28);
    EXPECT_EQ(daysInMonth(0, 2026), 0);
    EXPECT_EQ(daysInMonth(13, 2026), 0);
}

TEST(Calendar, ValidDates) {
    EXPECT_TRUE(isValidDate(Datum{}));
    EXPECT_TRUE(isValidDate(Datum{29, 2, 2024}));
    EXPECT_TRUE(isValidDate(Datum{31, 12, 9999}));
    EXPECT_FALSE(isValidDate(Datum{29, 2, 2026}));
    EXPECT_FALSE(isValidDate(Datum{0, 1, 2026}));
    EXPECT_FALSE(isValidDate(Datum{1, 0, 2026}));
    EXPECT_FALSE(isValidDate(Datum{1, 13, 2026}));
    EXPECT_FALSE(isValidDate(Datum{32, 1, 2026}));
    EXPECT_FALSE(isValidDate(Datum{1, 1, 0}));
    EXPECT_FALSE(isValidDate(Datum{1, 1, 10000}));
}

TEST(Calendar, DayNumberIsZeroForInvalidDates) {
    EXPECT_EQ(dayNumber(Datum{31, 2, 2026}), 0);
    EXPECT_EQ(dayNumber(Datum{0, 0, 2026}), 0);
    EXPECT_EQ(dayNumber(Datum{1, 1, 0}), 0);
    EXPECT_EQ(dayNumber(Datum{1, 1, 10000}), 0);
    EXPECT_GT(dayNumber(Datum{}), 0);
}

TEST(Calendar, DayNumberCountsFromFirstJanuaryOfYearZero) {
    // Year 0 is a leap year of the proleptic calendar: 366 days before 1 January of year 1.
    EXPECT_EQ(dayNumber(Datum{1, 1, 1}), 366);
    EXPECT_EQ(dayNumber(Datum{1, 1, 401}) - dayNumber(Datum{1, 1, 1}), 146097);
    EXPECT_EQ(fromDayNumber(0), (Datum{1, 1, 0}));
    EXPECT_EQ(fromDayNumber(59), (Datum{29, 2, 0}));
    EXPECT_EQ(fromDayNumber(60), (Datum{1, 3, 0}));
}

// fromDayNumber inverts dayNumber on every day from 1.1.1 to 31.12.9999, day after day.
TEST(Calendar, DayNumberRoundTripsOverTheWholeRange) {
    const int32_t first = dayNumber(Datum{1, 1, 1});
    const int32_t last = dayNumber(Datum{31, 12, 9999});
    Datum previous = fromDayNumber(first);
    ASSERT_EQ(previous, (Datum{1, 1, 1}));
    for (int32_t n = first + 1; n <= last; ++n) {
        const Datum d = fromDayNumber(n);
        if (!isValidDate(d) || dayNumber(d) != n) FAIL() << n << " -> " << show(d);
        // d follows previous: next day of the month, or the 1st of the next month
        const bool nextDay =
            d.day == previous.day + 1 && d.month == previous.month && d.year == previous.year;
        const bool nextMonth = d.day == 1 && previous.day == daysInMonth(previous.month, previous.year) &&
                               (d.month == previous.month + 1
                                    ? d.year == previous.year
                                    : d.month == 1 && previous.month == 12 && d.year == previous.year + 1);
        if (!nextDay && !nextMonth) FAIL() << show(previous) << " -> " << show(d);
        previous = d;
    }
    EXPECT_EQ(previous, (Datum{31, 12, 9999}));
}

// dayNumber, weekday and day of year against std::chrono.
TEST(Calendar, DaysAgreeWithStdChrono) {
    using namespace std::chrono;
    const sys_days first = sys_days{year{1} / January / 1};
    const int32_t firstNumber = dayNumber(Datum{1, 1, 1});
    for (sys_days sd = sys_days{year{1583} / January / 1}; sd <= sys_days{year{2500} / December / 31};
         sd += days{1}) {
        const year_month_day ymd{sd};
        const Datum d{static_cast<int32_t>(static_cast<unsigned>(ymd.day())),
                      static_cast<int32_t>(static_cast<unsigned>(ymd.month())),
                      static_cast<int32_t>(ymd.year())};
        ASSERT_EQ(dayNumber(d) - firstNumber, (sd - first).count()) << show(d);
        const weekday wd{sd};
        ASSERT_EQ(weekdayCalendar(d), static_cast<int32_t>(wd.c_encoding()) + 1) << show(d);
        ASSERT_EQ(weekdayMonday(d), static_cast<int32_t>(wd.iso_encoding())) << show(d);
        ASSERT_EQ(dayOfYear(d), (sd - sys_days{ymd.year() / January / 1}).count() + 1) << show(d);
        ASSERT_EQ(fromDayOfYear(dayOfYear(d), d.year), d);
    }
    EXPECT_EQ(weekdayCalendar(Datum{1, 1, 1}), 2);      // a Monday
    EXPECT_EQ(weekdayCalendar(Datum{31, 12, 9999}), 6); // a Friday
    EXPECT_EQ(weekdayCalendar(Datum{31, 2, 2026}), 0);
    EXPECT_EQ(weekdayMonday(Datum{31, 2, 2026}), 0);
}

// ISO 8601 week of a date (independent formula) and the year that week belongs to.
struct IsoWeek {
    int32_t week;
    int32_t year;
};
IsoWeek isoWeek(std::chrono::sys_days sd) {
    using namespace std::chrono;
    const sys_days thursday = sd - days{weekday{sd}.iso_encoding() - 1} + days{3};
    const year y = year_month_day{thursday}.year();
    return IsoWeek{static_cast<int32_t>((thursday - sys_days{y / January / 1}).count() / 7 + 1),
                   static_cast<int32_t>(y)};
}

TEST(Calendar, WeekNumberEdgeCases) {
    struct Case {
        Datum date;
        int32_t week;
    };
    const Case cases[] = {
        {{1, 1, 2025}, 1},                          // a Wednesday
        {{6, 1, 2025}, 2},                          // the following Monday
        {{5, 1, 2025}, 1},                          // Sunday of week 1
        {{1, 1, 2027}, 0},                          // a Friday: ISO week 53 of 2026
        {{3, 1, 2027}, 0},                          // Sunday of that week
        {{4, 1, 2027}, 1},                          // Monday
        {{30, 12, 2024}, 53},                       // a Monday: ISO week 1 of 2025
        {{31, 12, 2024}, 53}, {{28, 12, 2026}, 53}, // 2026 has 53 ISO weeks
        {{31, 12, 2026}, 53}, {{1, 1, 2021}, 0},    // Friday
        {{1, 1, 2022}, 0},                          // Saturday
        {{1, 1, 2023}, 0},                          // Sunday
        {{2, 1, 2023}, 1},    {{1, 1, 2024}, 1},    // Monday
        {{29, 12, 2025}, 53},                       // Monday, ISO week 1 of 2026
        {{7, 3, 2026}, 10},
    };
    for (const auto& c : cases)
        EXPECT_EQ(weekNumber(c.date), c.week) << show(c.date);
    EXPECT_EQ(weekNumber(Datum{31, 2, 2026}), 0);
}

TEST(Calendar, WeekNumberAgreesWithIsoFromTheFirstIsoWeekOn) {
    using namespace std::chrono;
    for (sys_days sd = sys_days{year{1800} / January / 1}; sd <= sys_days{year{2200} / December / 31};
         sd += days{1}) {
        const year_month_day ymd{sd};
        const Datum d{static_cast<int32_t>(static_cast<unsigned>(ymd.day())),
                      static_cast<int32_t>(static_cast<unsigned>(ymd.month())),
                      static_cast<int32_t>(ymd.year())};
        const IsoWeek iso = isoWeek(sd);
        const int32_t expected = iso.year < d.year ? 0 : (iso.year > d.year ? 53 : iso.week);
        ASSERT_EQ(weekNumber(d), expected) << show(d);
    }
}

TEST(Calendar, AddDaysAndDaysBetween) {
    EXPECT_EQ(addDays(Datum{28, 2, 2024}, 1), (Datum{29, 2, 2024}));
    EXPECT_EQ(addDays(Datum{28, 2, 2026}, 1), (Datum{1, 3, 2026}));
    EXPECT_EQ(addDays(Datum{31, 12, 2025}, 1), (Datum{1, 1, 2026}));
    EXPECT_EQ(addDays(Datum{1, 1, 2026}, -1), (Datum{31, 12, 2025}));
    EXPECT_EQ(addDays(Datum{1, 3, 2026}, 365), (Datum{1, 3, 2027}));
    EXPECT_EQ(daysBetween(Datum{1, 1, 2027}, Datum{1, 1, 2026}), 365);
    EXPECT_EQ(daysBetween(Datum{1, 1, 2026}, Datum{1, 1, 2027}), -365);
}

TEST(Calendar, AddMonthsLeavesTheDay) {
    struct Case {
        Datum date;
        int32_t n;
        Datum expected;
    };
    const Case cases[] = {
        {{15, 3, 2026}, 1, {15, 4, 2026}},    {{15, 12, 2026}, 1, {15, 1, 2027}},
        {{15, 1, 2026}, -1, {15, 12, 2025}},  {{15, 1, 2026}, -12, {15, 1, 2025}},
        {{15, 1, 2026}, -13, {15, 12, 2024}}, {{15, 12, 2026}, 12, {15, 12, 2027}},
        {{15, 12, 2026}, 13, {15, 1, 2028}},  {{31, 1, 2026}, 1, {31, 2, 2026}}, // the day is not clamped
        {{15, 6, 2026}, 0, {15, 6, 2026}},    {{15, 6, 2026}, -30, {15, 12, 2023}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(addMonths(c.date, c.n), c.expected) << show(c.date) << " " << c.n;
}

TEST(Calendar, DayOfYear) {
    EXPECT_EQ(dayOfYear(Datum{1, 1, 2026}), 1);
    EXPECT_EQ(dayOfYear(Datum{1, 3, 2026}), 60);
    EXPECT_EQ(dayOfYear(Datum{1, 3, 2024}), 61);
    EXPECT_EQ(dayOfYear(Datum{31, 12, 2024}), 366);
    EXPECT_EQ(fromDayOfYear(60, 2026), (Datum{1, 3, 2026}));
    EXPECT_EQ(fromDayOfYear(60, 2024), (Datum{29, 2, 2024}));
    EXPECT_EQ(fromDayOfYear(365, 2026), (Datum{31, 12, 2026}));
}

TEST(Calendar, Compare) {
    EXPECT_EQ(compareDates(Datum{1, 2, 2026}, Datum{1, 2, 2026}), 0);
    EXPECT_LT(compareDates(Datum{31, 12, 2025}, Datum{1, 1, 2026}), 0);
    EXPECT_GT(compareDates(Datum{1, 2, 2026}, Datum{31, 1, 2026}), 0);
    EXPECT_GT(compareDates(Datum{2, 1, 2026}, Datum{1, 1, 2026}), 0);
    EXPECT_LT(compareDates(Datum{1, 1, 1}, Datum{1, 1, 2026}), 0);
}

TEST(Calendar, FormatDate) {
    EXPECT_EQ(formatDate(Datum{7, 3, 2026}), "07.03.2026");
    EXPECT_EQ(formatDate(Datum{}), "01.01.0001");
    EXPECT_EQ(formatDateIso(Datum{7, 3, 2026}), "2026-03-07");
    EXPECT_EQ(formatDateShort(7, 3, 2026), "07.03.2026");
    EXPECT_EQ(formatDateShort(31, 12, 999), "31.12.0999");
}

TEST(Calendar, Names) {
    const char* longNames[] = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                               "Donnerstag", "Freitag", "Samstag"};
    const char* shortNames[] = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
    for (int32_t n = 1; n <= 7; ++n) {
        EXPECT_EQ(weekdayName(n, false), longNames[n - 1]);
        EXPECT_EQ(weekdayName(n, true), shortNames[n - 1]);
    }
    EXPECT_EQ(weekdayName(0, false), "");
    EXPECT_EQ(weekdayName(8, true), "");
    EXPECT_EQ(weekdayNameMonday(Datum{7, 3, 2026}), "Samstag");
    EXPECT_EQ(weekdayNameMonday(Datum{8, 3, 2026}), "Sonntag");
    EXPECT_EQ(weekdayNameMonday(Datum{9, 3, 2026}), "Montag");
    EXPECT_EQ(weekdayNameMonday(Datum{30, 2, 2026}), "");

    const char* months[] = {"Januar", "Februar", "M\xC3\xA4rz", "April",   "Mai",      "Juni",
                            "Juli",   "August",  "September",   "Oktober", "November", "Dezember"};
    for (int32_t n = 1; n <= 12; ++n)
        EXPECT_EQ(monthName(n), months[n - 1]);
    EXPECT_EQ(monthName(3), "März"); // the test source is UTF-8
    EXPECT_EQ(monthName(0), "");
    EXPECT_EQ(monthName(13), "");
}

struct ParseCase {
    const char* text;
    bool valid;
    int32_t day;
    int32_t month;
    int32_t year;
};

TEST(Calendar, ParseDate) {
    const ParseCase cases[] = {
        // empty text: nothing given
        {"", true, 0, 0, 0},
        {"   ", true, 0, 0, 0},
        // n.n.n
        {"1.2.26", true, 1, 2, 2026},
        {"01.02.2026", true, 1, 2, 2026},
        {" 7 . 3 . 2026 ", true, 7, 3, 2026},
        {"7-3-2026", true, 7, 3, 2026},
        {"7/3/26", true, 7, 3, 2026},
        {"7,3,26", true, 7, 3, 2026},
        {"7:3:26", true, 7, 3, 2026},
        {"7.3/26", true, 7, 3, 2026},
        {"1.1.49", true, 1, 1, 2049},
        {"1.1.50", true, 1, 1, 1950},
        {"1.1.99", true, 1, 1, 1999},
        {"1.1.0", true, 1, 1, 2000},
        {"1.1.00", true, 1, 1, 2000},
        {"29.2.2024", true, 29, 2, 2024},
        {"31.12.2999", true, 31, 12, 2999},
        {"1.1.1800", true, 1, 1, 1800},
        {"31.2.2026", false, 0, 0, 0},
        {"29.2.2026", false, 0, 0, 0},
        {"29.2.1900", false, 0, 0, 0},
        {"0.1.2026", false, 0, 0, 0},
        {"1.0.2026", false, 0, 0, 0},
        {"1.13.2026", false, 0, 0, 0},
        {"1.1.1700", false, 0, 0, 0},
        {"1.1.1799", false, 0, 0, 0},
        {"1.1.3000", false, 0, 0, 0},
        {"1.1.100", false, 0, 0, 0},
        // n.n: month and year
        {"3.2026", true, 0, 3, 2026},
        {"3.26", true, 0, 3, 2026},
        {"12/99", true, 0, 12, 1999},
        {"13.2026", false, 0, 0, 0},
        {"0.2026", false, 0, 0, 0},
        {"3.1700", false, 0, 0, 0},
        // one number: two-digit year
        {"0", true, 0, 0, 2000},
        {"26", true, 0, 0, 2026},
        {"49", true, 0, 0, 2049},
        {"50", true, 0, 0, 1950},
        {"99", true, 0, 0, 1999},
        // one number 100-1299: month and two-digit year
        {"100", true, 0, 1, 2000},
        {"326", true, 0, 3, 2026},
        {"1226", true, 0, 12, 2026},
        {"1299", true, 0, 12, 1999},
        {"0326", true, 0, 3, 2026},
        // one number 1300-1799: invalid
        {"1300", false, 0, 0, 0},
        {"1700", false, 0, 0, 0},
        {"1799", false, 0, 0, 0},
        // one number 1800-2999: a year
        {"1800", true, 0, 0, 1800},
        {"2026", true, 0, 0, 2026},
        {"2999", true, 0, 0, 2999},
        {"3000", false, 0, 0, 0},
        {"9999", false, 0, 0, 0},
        // 5 or 6 digits, last four a year: month and year
        {"32026", true, 0, 3, 2026},
        {"122026", true, 0, 12, 2026},
        {"132026", false, 0, 0, 0},
        {"002026", false, 0, 0, 0},
        {"31700", false, 0, 0, 0},
        // 5 or 6 digits, last four 100-1299: day, month, two-digit year
        {"150326", true, 15, 3, 2026},
        {"10326", true, 1, 3, 2026},
        {"311299", true, 31, 12, 1999},
        {"290224", true, 29, 2, 2024},
        {"290225", false, 0, 0, 0},
        {"310426", false, 0, 0, 0},
        {"000326", false, 0, 0, 0},
        {"150026", false, 0, 0, 0}, // last four 0026 fit neither form
        {"151326", false, 0, 0, 0}, // last four 1326 fit neither form
        {"99999", false, 0, 0, 0},
        // 7 or 8 digits: day, month, four-digit year
        {"15032026", true, 15, 3, 2026},
        {"1032026", true, 1, 3, 2026},
        {"29022024", true, 29, 2, 2024},
        {"29022026", false, 0, 0, 0},
        {"15131026", false, 0, 0, 0},
        {"15031700", false, 0, 0, 0},
        {"15033000", false, 0, 0, 0},
        {"00032026", false, 0, 0, 0},
        {"123456789", false, 0, 0, 0},
        {"99999999999999999999999", false, 0, 0, 0},
        // tokens
        {"12a", false, 0, 0, 0},
        {"a", false, 0, 0, 0},
        {"1.2.2026x", false, 0, 0, 0},
        {"\t1.2.2026", false, 0, 0, 0},
        {"1..2026", false, 0, 0, 0},
        {".3.2026", false, 0, 0, 0},
        {"1.3.", false, 0, 0, 0},
        {".", false, 0, 0, 0},
        {"1.2.3.2026", false, 0, 0, 0},
        {"1 2", false, 0, 0, 0},
        {"1.2 2026", false, 0, 0, 0},
        {"-1.2.2026", false, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const ParsedDate d = parseDate(c.text);
        EXPECT_EQ(d.valid, c.valid) << '"' << c.text << '"';
        if (c.valid && d.valid) {
            EXPECT_EQ(d.day, c.day) << c.text;
            EXPECT_EQ(d.month, c.month) << c.text;
            EXPECT_EQ(d.year, c.year) << c.text;
        }
    }
}

TEST(Calendar, ParseDateRoundTripsFormatDate) {
    for (Datum d{1, 1, 1800}; d.year <= 2999; d = addDays(d, 1)) {
        const ParsedDate p = parseDate(formatDate(d));
        ASSERT_TRUE(p.valid) << show(d);
        ASSERT_EQ((Datum{p.day, p.month, p.year}), d);
    }
}

TEST(Calendar, ParseFullDate) {
    EXPECT_EQ(parseFullDate("7.3.26"), (Datum{7, 3, 2026}));
    EXPECT_EQ(parseFullDate("15032026"), (Datum{15, 3, 2026}));
    EXPECT_EQ(parseFullDate("150326"), (Datum{15, 3, 2026}));
    for (const char* bad : {"", "3.2026", "2026", "326", "31.2.2026", "12a", "32026"}) {
        EXPECT_THROW_MSG(parseFullDate(bad), std::string("Falsches Datumsformat: ") + bad);
    }
}

} // namespace
} // namespace lorvan
