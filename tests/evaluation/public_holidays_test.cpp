#include "evaluation/public_holidays.h"
#include "foundation/calendar.h"
#include "yearfile/year_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace lorvan {
namespace {

using Days = std::vector<int32_t>;

TEST(EasterSunday, GaussRuleIncludingItsTwoExceptionsAndNoDateBefore1582) {
    struct Case {
        int32_t year;
        Datum easter;
    };
    const Case cases[] = {
        {2024, {31, 3, 2024}}, {2025, {20, 4, 2025}}, {2026, {5, 4, 2026}},  {2027, {28, 3, 2027}},
        {2019, {21, 4, 2019}}, {2011, {24, 4, 2011}}, {2008, {23, 3, 2008}}, {2038, {25, 4, 2038}},
        {1981, {19, 4, 1981}}, // d = 29: 26 April becomes 19 April
        {2049, {18, 4, 2049}}, // d = 28 with year mod 19 > 10: 25 April becomes 18 April
        {1954, {18, 4, 1954}}, {1500, Datum{}},       {1581, Datum{}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(easterSunday(c.year), c.easter) << c.year;
}

TEST(DayOfRepentance, IsTheWednesdayBefore23NovemberForEveryWeekdayOfChristmas) {
    // 25 December falls on Sunday (2022), Monday (2023), Wednesday (2024), Thursday (2025),
    // Friday (2026), Saturday (2027) and Tuesday (2018).
    const Datum cases[] = {{16, 11, 2022}, {22, 11, 2023}, {20, 11, 2024}, {19, 11, 2025},
                           {18, 11, 2026}, {17, 11, 2027}, {21, 11, 2018}};
    for (const auto& expected : cases) {
        const Datum got = dayOfRepentance(expected.year);
        EXPECT_EQ(got, expected) << expected.year;
        EXPECT_EQ(weekdayMonday(got), 3) << expected.year;
    }
}

// The holidays every state keeps, hand-checked against the calendars of those years, and the
// dates of the movable regional ones.
struct YearDates {
    std::vector<std::string> common;
    std::string corpusChristi;
    std::string repentance;
};

const std::map<int32_t, YearDates>& yearDates() {
    static const std::map<int32_t, YearDates> dates = {
        {2017,
         {{"01.01", "14.04", "16.04", "17.04", "01.05", "25.05", "04.06", "05.06", "03.10", "25.12", "26.12"},
          "15.06",
          "22.11"}},
        {2018,
         {{"01.01", "30.03", "01.04", "02.04", "01.05", "10.05", "20.05", "21.05", "03.10", "25.12", "26.12"},
          "31.05",
          "21.11"}},
        {2019,
         {{"01.01", "19.04", "21.04", "22.04", "01.05", "30.05", "09.06", "10.06", "03.10", "25.12", "26.12"},
          "20.06",
          "20.11"}},
        {2020,
         {{"01.01", "10.04", "12.04", "13.04", "01.05", "21.05", "31.05", "01.06", "03.10", "25.12", "26.12"},
          "11.06",
          "18.11"}},
        {2023,
         {{"01.01", "07.04", "09.04", "10.04", "01.05", "18.05", "28.05", "29.05", "03.10", "25.12", "26.12"},
          "08.06",
          "22.11"}},
        {2025,
         {{"01.01", "18.04", "20.04", "21.04", "01.05", "29.05", "08.06", "09.06", "03.10", "25.12", "26.12"},
          "19.06",
          "19.11"}},
        {2026,
         {{"01.01", "03.04", "05.04", "06.04", "01.05", "14.05", "24.05", "25.05", "03.10", "25.12", "26.12"},
          "04.06",
          "18.11"}},
    };
    return dates;
}

enum Regional {
    Epiphany,
    CorpusChristi,
    Assumption,
    Reformation,
    AllSaints,
    Repentance,
    WomensDay,
    ChildrensDay,
    May8
};

struct RegionalRule {
    Regional holiday;
    int32_t from = 0;
    int32_t to = 9999;
};

struct StateCase {
    std::string state;
    std::vector<RegionalRule> regional;
};

// In the order of the selection list, then texts that name no state. Reformation Day 2017 was
// kept everywhere.
const StateCase kStateCases[] = {
    {"Hamburg", {{Reformation, 2017}}},
    {"Schleswig-Holstein", {{Reformation, 2017}}},
    {"Niedersachsen", {{Reformation, 2017}}},
    {"Hessen", {{CorpusChristi}, {Reformation, 2017, 2017}}},
    {"Mecklenburg-Vorpommern", {{Reformation}, {WomensDay, 2023}}},
    {"Brandenburg", {{Reformation}}},
    {"Bayern", {{Epiphany}, {CorpusChristi}, {Assumption}, {AllSaints}, {Reformation, 2017, 2017}}},
    {"Baden-Württemberg", {{Epiphany}, {CorpusChristi}, {AllSaints}, {Reformation, 2017, 2017}}},
    {"Sachsen", {{Reformation}, {Repentance}}},
    {"Sachsen-Anhalt", {{Epiphany}, {Reformation}}},
    {"Rheinland-Pfalz", {{CorpusChristi}, {AllSaints}, {Reformation, 2017, 2017}}},
    {"Nordrhein-Westfalen", {{CorpusChristi}, {AllSaints}, {Reformation, 2017, 2017}}},
    {"Thüringen", {{Reformation}, {ChildrensDay, 2019}}},
    {"Saarland", {{CorpusChristi}, {Assumption}, {AllSaints}, {Reformation, 2017, 2017}}},
    {"Bremen", {{Reformation, 2017}}},
    {"Berlin", {{WomensDay, 2019}, {Reformation, 2017, 2017}, {May8, 2020, 2020}, {May8, 2025, 2025}}},
    {"", {{Reformation, 2017, 2017}}},
    {"Bavaria", {{Reformation, 2017, 2017}}},
    {"bayern", {{Reformation, 2017, 2017}}},
    {"Sachsen ", {{Reformation, 2017, 2017}}},
};

std::string dayAndMonth(Regional holiday, const YearDates& dates) {
    switch (holiday) {
    case Epiphany:
        return "06.01";
    case CorpusChristi:
        return dates.corpusChristi;
    case Assumption:
        return "15.08";
    case Reformation:
        return "31.10";
    case AllSaints:
        return "01.11";
    case Repentance:
        return dates.repentance;
    case WomensDay:
        return "08.03";
    case ChildrensDay:
        return "20.09";
    case May8:
        return "08.05";
    }
    return "";
}

// "DD.MM.YYYY" in date order.
std::vector<std::string> expectedHolidays(const StateCase& c, int32_t year) {
    const YearDates& dates = yearDates().at(year);
    std::vector<std::string> dayMonths = dates.common;
    for (const auto& rule : c.regional)
        if (year >= rule.from && year <= rule.to) dayMonths.push_back(dayAndMonth(rule.holiday, dates));
    std::vector<std::string> result;
    for (const auto& dm : dayMonths)
        result.push_back(dm + "." + std::to_string(year));
    auto key = [](const std::string& d) { return d.substr(3, 2) + d.substr(0, 2); };
    std::sort(result.begin(), result.end(), [&](const auto& a, const auto& b) { return key(a) < key(b); });
    return result;
}

TEST(PublicHolidays, EveryStateOverTheYearsOfTheChangesInTheLaw) {
    for (size_t i = 0; i < kFederalStates.size(); ++i)
        EXPECT_EQ(kStateCases[i].state, kFederalStates[i]);
    for (const auto& c : kStateCases) {
        for (const auto& [year, dates] : yearDates()) {
            std::vector<std::string> got;
            for (const Datum& d : publicHolidaysOfYear(year, c.state))
                got.push_back(formatDate(d));
            EXPECT_EQ(got, expectedHolidays(c, year)) << "'" << c.state << "' " << year;
        }
    }
}

TEST(PublicHolidays, MovableDatesFindTheirMonthAndCoincidingDatesCountOnce) {
    struct Case {
        int32_t year;
        int32_t month;
        std::string state;
        Days days;
    };
    const Case cases[] = {
        // Easter 2024 on 31 March: Good Friday and Easter Sunday in March, Easter Monday in April.
        {2024, 3, "Hamburg", {29, 31}},
        {2024, 4, "Hamburg", {1}},
        {2024, 5, "Bayern", {1, 9, 19, 20, 30}},
        {2024, 5, "Hamburg", {1, 9, 19, 20}},
        {2024, 6, "Bayern", {}},
        // Easter 2008 on 23 March: Ascension falls on 1 May.
        {2008, 3, "Bayern", {21, 23, 24}},
        {2008, 4, "Bayern", {}},
        {2008, 5, "Bayern", {1, 11, 12, 22}},
        // Reformation Day before 2017 only in the eastern states.
        {2016, 10, "Sachsen-Anhalt", {3, 31}},
        {2016, 10, "Hamburg", {3}},
        {2016, 10, "Berlin", {3}},
        // No movable holidays before the Gregorian calendar; the fixed ones stay.
        {1500, 1, "Bayern", {1, 6}},
        {1500, 4, "Bayern", {}},
        {1500, 5, "Bayern", {1}},
        {2024, 2, "Bayern", {}},
        {2024, 7, "Bayern", {}},
        {2024, 13, "Bayern", {}},
        {2024, 0, "Bayern", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(publicHolidaysOfMonth(c.year, c.month, c.state), c.days)
            << c.state << " " << c.month << "/" << c.year;
}

TEST(PublicHolidays, SingleDateTest) {
    struct Case {
        Datum date;
        std::string state;
        bool holiday;
    };
    const Case cases[] = {
        {{8, 3, 2019}, "Berlin", true},
        {{8, 3, 2018}, "Berlin", false},
        {{8, 3, 2022}, "Mecklenburg-Vorpommern", false},
        {{8, 3, 2023}, "Mecklenburg-Vorpommern", true},
        {{20, 9, 2018}, "Thüringen", false},
        {{8, 5, 2021}, "Berlin", false},
        {{24, 12, 2025}, "Bayern", false},
        {{31, 12, 2025}, "Bayern", false},
        {{26, 12, 2025}, "", true},
        {{20, 11, 2024}, "Sachsen", true},
        {{20, 11, 2024}, "Bayern", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isPublicHoliday(c.date, c.state), c.holiday) << formatDate(c.date) << " " << c.state;
}

TEST(RegionalHolidayGroups, UnknownGroupsHoldNowhere) {
    for (const int32_t group : {-1, 9, 100})
        EXPECT_FALSE(regionalHolidayHolds(group, "Bayern", 2025)) << group;
    EXPECT_TRUE(regionalHolidayHolds(kAssumptionDayGroup, "Bayern", 2025));
}

// A year file of 2024 in Bayern with the automatic entry of public holidays on.
class EnterPublicHolidays : public ::testing::Test {
  protected:
    void SetUp() override {
        doc.settings().year = 2024;
        doc.settings().federalState = "Bayern";
        doc.settings().enterPublicHolidaysAutomatically = 1;
    }

    static Days dayNumbers(const CMonatDoc& month) {
        Days days;
        for (const auto& [number, day] : month.days())
            days.push_back(number);
        return days;
    }

    CLorvanDoc doc;
};

TEST_F(EnterPublicHolidays, CreatesMarkedDaysAndNothingElse) {
    CMonatDoc& may = doc.addMonth(5);
    enterPublicHolidays(may);
    EXPECT_EQ(dayNumbers(may), (Days{1, 9, 19, 20, 30}));
    for (const auto& [number, day] : may.days()) {
        EXPECT_EQ(day.publicHoliday, 1) << number;
        EXPECT_EQ(day.dayKind, kNormalWorkingDay) << number;
        EXPECT_EQ(day.complete, 1) << number;
        EXPECT_EQ(day.lineCount(), 0u) << number;
        EXPECT_EQ(day.date(), (Datum{number, 5, 2024}));
    }
    EXPECT_TRUE(doc.isModified());
}

TEST_F(EnterPublicHolidays, OffOrWithoutDocumentChangesNothing) {
    doc.settings().enterPublicHolidaysAutomatically = 0;
    CMonatDoc& may = doc.addMonth(5);
    enterPublicHolidays(may);
    EXPECT_TRUE(may.days().empty());
    EXPECT_FALSE(doc.isModified());

    CMonatDoc loose(nullptr, 5);
    enterPublicHolidays(loose);
    EXPECT_TRUE(loose.days().empty());
}

TEST_F(EnterPublicHolidays, ExistingDayKeepsItsEntriesAndGetsTheMark) {
    CMonatDoc& may = doc.addMonth(5);
    CTagDoc& ascension = may.addDay(9);
    ascension.dayKind = kVacation;
    ascension.internalRemark = "Brückentag";
    ascension.addLine().from = "8:00";
    enterPublicHolidays(may);
    const CTagDoc* day = may.day(9);
    ASSERT_NE(day, nullptr);
    EXPECT_EQ(day->publicHoliday, 1);
    EXPECT_EQ(day->dayKind, kVacation);
    EXPECT_EQ(day->internalRemark, "Brückentag");
    ASSERT_EQ(day->lineCount(), 1u);
    EXPECT_EQ(day->line(0).from, "8:00");
}

} // namespace
} // namespace lorvan
