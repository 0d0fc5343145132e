#include "evaluation/day_evaluation.h"

#include "foundation/error.h"
#include "foundation/time_text.h"
#include "yearfile/year_file.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace lorvan {
namespace {

// A line of the given kind from..to whose duration is the span.
CZeitZeile timeLine(const std::string& kind, const std::string& from, const std::string& to,
                    int32_t pause = 0) {
    CZeitZeile line;
    line.kind = kind;
    line.from = from;
    line.to = to;
    line.duration = parseClock(spanText(from, to));
    line.pause = pause;
    return line;
}

CArbzt block(const std::string& from, const std::string& to, int32_t pause = 0, bool standby = false) {
    CArbzt b;
    b.setFrom(from);
    b.setTo(to);
    b.pause = pause;
    b.standby = standby ? 1 : 0;
    b.standbyRating = 50.0;
    return b;
}

// 10.03.2026 is a Tuesday, 14.03.2026 a Saturday.
class DayEvaluation : public ::testing::Test {
  protected:
    DayEvaluation() { doc.settings().year = 2026; }

    CTagDoc& dayWith(const std::vector<CZeitZeile>& lines, int32_t month = 3, int32_t dayNumber = 10) {
        CTagDoc& day = doc.addMonth(month).addDay(dayNumber);
        for (const CZeitZeile& line : lines)
            day.addLine(line);
        return day;
    }

    CLorvanDoc doc;
};

struct BlockShape {
    std::string from;
    std::string to;
    int32_t span;
    int32_t pause;
    bool standby;
    int32_t workMinutes;
    double creditedMinutes;
};

std::string clockText(int32_t hour, int32_t minute) {
    return std::to_string(hour) + ":" + (minute < 10 ? "0" : "") + std::to_string(minute);
}

TEST_F(DayEvaluation, BuildBlocksJoinsAndSplitsLines) {
    const CZeitZeile work1 = timeLine(kKindWorkingTime, "8:00", "12:00");
    const CZeitZeile lunch = timeLine(kKindBreak, "12:00", "12:30", 30);
    const CZeitZeile work2 = timeLine(kKindWorkingTime, "12:30", "17:00");
    struct Case {
        const char* name;
        std::vector<CZeitZeile> lines;
        bool nightSurcharge;
        std::vector<BlockShape> blocks;
    };
    const Case cases[] = {
        {"break joined without night surcharge",
         {work1, lunch, work2},
         false,
         {{"8:00", "17:00", 540, 30, false, 510, 510.0}}},
        {"break splits with night surcharge",
         {work1, lunch, work2},
         true,
         {{"8:00", "12:00", 240, 0, false, 240, 240.0},
          {"12:00", "12:30", 30, 30, false, 0, 0.0},
          {"12:30", "17:00", 270, 0, false, 270, 270.0}}},
        {"gap",
         {work1, timeLine(kKindWorkingTime, "13:00", "17:00")},
         false,
         {{"8:00", "12:00", 240, 0, false, 240, 240.0}, {"13:00", "17:00", 240, 0, false, 240, 240.0}}},
        {"standby after work at 50 %",
         {timeLine(kKindWorkingTime, "14:00", "18:00"), timeLine(kKindStandby, "18:00", "22:00")},
         false,
         {{"14:00", "18:00", 240, 0, false, 240, 240.0}, {"18:00", "22:00", 240, 0, true, 0, 120.0}}},
        {"two standby lines join",
         {timeLine(kKindStandby, "18:00", "22:00"), timeLine(kKindStandby, "22:00", "23:00")},
         false,
         {{"18:00", "23:00", 300, 0, true, 0, 150.0}}},
        {"past midnight",
         {timeLine(kKindWorkingTime, "22:00", "24:00"), timeLine(kKindTravel, "24:00", "26:30")},
         true,
         {{"22:00", "26:30", 270, 0, false, 270, 270.0}}},
    };
    doc.settings().standbyRatingPercent = 50.0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        doc.settings().nightSurchargeOn = c.nightSurcharge;
        doc.removeMonth(3);
        const std::vector<CArbzt> blocks = buildBlocks(dayWith(c.lines), false);
        ASSERT_EQ(blocks.size(), c.blocks.size());
        for (size_t i = 0; i < blocks.size(); ++i) {
            const CArbzt& b = blocks[i];
            const BlockShape& e = c.blocks[i];
            EXPECT_EQ(clockText(b.fromHour, b.fromMinute), e.from) << i;
            EXPECT_EQ(clockText(b.toHour, b.toMinute), e.to) << i;
            EXPECT_EQ(b.span, e.span) << i;
            EXPECT_EQ(b.pause, e.pause) << i;
            EXPECT_EQ(b.standby != 0, e.standby) << i;
            EXPECT_EQ(b.standbyRating, e.standby ? 50.0 : 0.0) << i;
            EXPECT_EQ(b.workMinutes(), e.workMinutes) << i;
            EXPECT_EQ(b.standbyMinutes(), e.standby ? e.span - e.pause : 0) << i;
            EXPECT_DOUBLE_EQ(b.creditedMinutes(), e.creditedMinutes) << i;
            EXPECT_EQ(b.text, "") << i;
        }
    }
}

TEST_F(DayEvaluation, BuildBlocksSumsCalculationFieldsAndServiceMinutes) {
    doc.settings().standbyRatingPercent = 50.0;
    doc.settings().nightSurchargeOn = 0;
    CZeitZeile a = timeLine(kKindWorkingTime, "8:00", "12:00", 15);
    a.service = "Wartung";
    a.calculationFields = {1.5, 2.0, 0.0};
    CZeitZeile b = timeLine(kKindWorkingTime, "12:00", "13:00");
    b.service = "Wartung";
    b.calculationFields = {0.5, 0.0, 3.0};
    CZeitZeile c = timeLine(kKindStandby, "13:00", "13:45"); // 45 x 50 % = 22.5 -> 22
    c.service = "Notdienst";
    const CZeitZeile d = timeLine(kKindOffice, "14:00", "15:00");
    CTagDoc& day = dayWith({a, b, c, d});

    std::map<std::string, int32_t> services{{"Wartung", 10}};
    const std::vector<CArbzt> blocks = buildBlocks(day, false, &services);
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_EQ(blocks[0].pause, 15);
    EXPECT_EQ(blocks[0].calculationSums, (std::array<double, 3>{2.0, 2.0, 3.0}));
    EXPECT_EQ(blocks[1].calculationSums, (std::array<double, 3>{}));
    EXPECT_EQ(services, (std::map<std::string, int32_t>{{"Notdienst", 22}, {"Wartung", 10 + 225 + 60}}));

    std::map<std::string, int32_t> untouched;
    buildBlocks(day, true, &untouched);
    EXPECT_TRUE(untouched.empty());
}

class FakeCustomers : public CustomerLookup {
  public:
    std::optional<std::string> customerText(int32_t number) const override {
        if (number == 12) return "12 - Neu GmbH";
        return std::nullopt;
    }
};

TEST_F(DayEvaluation, DetailedBlocksTakeTheirLineTexts) {
    doc.settings().standbyRatingPercent = 50.0;
    CZeitZeile numbered = timeLine(kKindCustomer, "7:00", "8:00");
    numbered.customer = "12 - Alt GmbH";
    numbered.service = "Wartung";
    numbered.remark = "Schlüssel holen";
    CZeitZeile unknownNumber = timeLine(kKindCustomer, "8:00", "9:00");
    unknownNumber.customer = "99 - Weg";
    CZeitZeile named = timeLine(kKindCustomer, "9:00", "10:00");
    named.customer = "Meier";
    CZeitZeile work = timeLine(kKindWorkingTime, "13:00", "14:00");
    work.service = "Reinigung";
    // The last block takes its texts as well.
    CTagDoc& day = dayWith({numbered, unknownNumber, named, timeLine(kKindOffice, "11:00", "12:00"),
                            timeLine(kKindStandby, "12:00", "13:00"), work});

    struct Expected {
        const char* text;
        const char* service;
        const char* remark;
    };
    const Expected expected[] = {
        {"12 - Neu GmbH", "Wartung", "Schlüssel holen"},
        {"99 - Weg", "", ""},
        {"Meier", "", ""},
        {"Büro", "", ""},
        {"Bereitschaft (50,0 %)", "", ""},
        {"", "Reinigung", ""},
    };
    const FakeCustomers customers;
    const std::vector<CArbzt> blocks = buildBlocks(day, true, nullptr, &customers);
    ASSERT_EQ(blocks.size(), std::size(expected));
    for (size_t i = 0; i < blocks.size(); ++i) {
        EXPECT_EQ(blocks[i].text, expected[i].text) << i;
        EXPECT_EQ(blocks[i].service, expected[i].service) << i;
        EXPECT_EQ(blocks[i].remark, expected[i].remark) << i;
    }
    EXPECT_EQ(blocks[4].standby, 1);

    // Without a customer list the entry is shown as it stands.
    EXPECT_EQ(buildBlocks(day, true).front().text, "12 - Alt GmbH");
}

TEST_F(DayEvaluation, BuildBlocksOfAnEmptyOrDetachedDay) {
    EXPECT_TRUE(buildBlocks(dayWith({}), false).empty());
    CTagDoc detached;
    detached.addLine(timeLine(kKindWorkingTime, "8:00", "9:00"));
    EXPECT_THROW(buildBlocks(detached, false), LorvanError);
}

TEST(WorkBlock, IncompleteTimes) {
    struct Case {
        const char* from;
        const char* to;
        int32_t fromHour, fromMinute, toHour, toMinute, span;
    };
    const Case cases[] = {
        {"", "12:00", 12, 0, 12, 0, 0},    // an unset start takes the end
        {"8:30", "", 8, 30, 8, 30, 0},     // an end without colon equals the start
        {"", "", 0, 0, 0, 0, 0},           // neither: 0:00
        {"12:00", "8:00", 12, 0, 8, 0, 0}, // end before start
        {"20:00", "26:15", 20, 0, 26, 15, 375},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.from) + "-" + c.to);
        const CArbzt b = block(c.from, c.to);
        EXPECT_EQ(b.fromHour, c.fromHour);
        EXPECT_EQ(b.fromMinute, c.fromMinute);
        EXPECT_EQ(b.toHour, c.toHour);
        EXPECT_EQ(b.toMinute, c.toMinute);
        EXPECT_EQ(b.span, c.span);
    }
}

// The entry's own forms are read directly; every other text still the way atol reads its parts.
TEST(WorkBlock, TimesInEveryForm) {
    struct Case {
        const char* text;
        int32_t hour, minute;
    };
    const Case cases[] = {
        {"7:05", 7, 5},   {"07:05", 7, 5},   {"23:59", 23, 59}, {"47:30", 47, 30},
        {"7:5", 7, 5},    {" 7:05", 7, 5},   {"7:055", 7, 55},  {"-1:30", -1, 30},
        {"x7:00", 0, 0},  {"7:0x", 7, 0},    {"123:45", 123, 45}, {"1:2:3", 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CArbzt b;
        b.setFrom(c.text);
        EXPECT_EQ(b.fromHour, c.hour);
        EXPECT_EQ(b.fromMinute, c.minute);
        b.setTo(c.text);
        EXPECT_EQ(b.toHour, c.hour);
        EXPECT_EQ(b.toMinute, c.minute);
    }
}

TEST(WorkBlock, ExportedClockOfDay) {
    struct Case {
        const char* from;
        const char* to;
        int32_t startHour, endHour;
    };
    const Case cases[] = {
        {"22:00", "26:00", 22, 2},
        {"20:00", "24:00", 20, 24}, // 24:00 itself is not after midnight
        {"24:00", "27:30", 0, 3},
        {"8:00", "17:00", 8, 17},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.from) + "-" + c.to);
        const ExportedBlock e = block(c.from, c.to).exported();
        EXPECT_EQ(e.startHour, c.startHour);
        EXPECT_EQ(e.endHour, c.endHour);
    }

    CArbzt standby = block("20:00", "26:00", 30, true);
    standby.text = "Bereitschaft (50,0 %)";
    standby.service = "Notdienst";
    standby.remark = "Anruf";
    standby.calculationSums = {1.0, 2.0, 3.0};
    const ExportedBlock e = standby.exported();
    EXPECT_EQ(e.fromMinute, 0);
    EXPECT_EQ(e.toMinute, 0);
    EXPECT_EQ(e.rawFromHour, 20);
    EXPECT_EQ(e.rawToHour, 26);
    EXPECT_EQ(e.span, 360);
    EXPECT_EQ(e.pause, 30);
    EXPECT_EQ(e.rawPause, 30);
    EXPECT_EQ(e.workMinutes, 0);
    EXPECT_TRUE(e.standby);
    EXPECT_EQ(e.standbyMinutes, 330);
    EXPECT_DOUBLE_EQ(e.creditedMinutes, 165.0);
    EXPECT_EQ(e.text, "Bereitschaft (50,0 %)");
    EXPECT_EQ(e.service, "Notdienst");
    EXPECT_EQ(e.remark, "Anruf");
}

TEST(WorkBlock, WindowMinutes) {
    struct Case {
        const char* name;
        CArbzt block;
        const char* windowStart;
        const char* windowEnd;
        bool subtractPause;
        int32_t expected;
    };
    const Case cases[] = {
        {"night across midnight", block("20:00", "26:00"), "22:00", "6:00", false, 240},
        {"pause subtracted", block("20:00", "26:00", 30), "22:00", "6:00", true, 210},
        {"pause kept without subtraction", block("20:00", "26:00", 30), "22:00", "6:00", false, 240},
        {"pause not below the result", block("21:00", "22:30", 30), "22:00", "6:00", true, 30},
        {"day block outside the night", block("7:00", "9:00"), "22:00", "6:00", false, 0},
        {"early morning", block("4:00", "8:00"), "22:00", "6:00", false, 120},
        {"block after midnight moved back", block("25:00", "27:00"), "22:00", "6:00", false, 120},
        {"long block counts both nights", block("20:00", "47:00"), "22:00", "6:00", false, 540},
        {"window end 0:00 is 24:00", block("12:00", "23:00"), "14:00", "0:00", false, 540},
        {"Saturday afternoon", block("12:00", "18:00"), "13:00", "20:00", false, 300},
        {"end before start", block("12:00", "8:00"), "0:00", "0:00", false, 0},
        {"standby", block("20:00", "26:00", 0, true), "22:00", "6:00", false, 0},
        {"pause only", block("22:00", "22:30", 30), "22:00", "6:00", false, 0},
        // A window that wraps within the same hour is a window past midnight too.
        {"wrap within the hour", block("20:00", "23:00"), "22:30", "22:00", false, 150},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(windowMinutes(c.block, c.windowStart, c.windowEnd, c.subtractPause), c.expected);
    }
}

TEST_F(DayEvaluation, LineNetMinutes) {
    doc.settings().standbyRatingPercent = 33.3;
    CTagDoc& day =
        dayWith({timeLine(kKindWorkingTime, "8:00", "12:00", 30), timeLine(kKindStandby, "18:00", "22:00"),
                 timeLine(kKindBreak, "12:00", "12:30", 30)});
    EXPECT_EQ(lineNetMinutes(day.line(0)), 210);
    EXPECT_EQ(lineNetMinutes(day.line(1)), 79); // 240 x 33.3 % = 79.92, truncated
    EXPECT_EQ(lineNetMinutes(day.line(2)), 0);

    // A standby line needs the rating of its year file.
    EXPECT_THROW(lineNetMinutes(timeLine(kKindStandby, "18:00", "22:00")), LorvanError);
    EXPECT_EQ(lineNetMinutes(timeLine(kKindWorkingTime, "8:00", "9:00")), 60);
}

TEST_F(DayEvaluation, LineCost) {
    WagePeriod january;
    january.hourlyWage = 20.0;
    january.deviatingHourlyWages["Reinigung"] = 24.0;
    WagePeriod june;
    june.fromMonth = 6;
    june.hourlyWage = 25.0;
    doc.settings().wagePeriods = {january, june};

    struct Case {
        const char* name;
        int32_t costKind;
        double amount;
        int32_t minutes; // duration, the pause included
        const char* service;
        int32_t month;
        bool wagesAllowed;
        double expected;
        bool notAvailable;
    };
    const Case cases[] = {
        {"fixed amount", kCostFixedAmount, 45.5, 90, "", 3, false, 45.5, false},
        {"per hour", kCostPerHour, 30.0, 90, "", 3, false, 45.0, false},
        {"per hour rounded", kCostPerHour, 19.99, 50, "", 3, false, 16.66, false},
        {"wage not allowed", kCostFromHourlyWage, 0.0, 90, "", 3, false, 0.0, true},
        {"wage", kCostFromHourlyWage, 0.0, 90, "", 3, true, 30.0, false},
        {"deviating wage", kCostFromHourlyWage, 0.0, 90, "Reinigung", 3, true, 36.0, false},
        {"wage of the day's month", kCostFromHourlyWage, 0.0, 90, "Reinigung", 7, true, 37.5, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        doc.settings().wagesAsCostsInCustomerQuery = c.wagesAllowed;
        CZeitZeile line = timeLine(kKindCustomer, "8:00", "8:00");
        line.duration = c.minutes;
        line.pause = 30;
        line.costKind = c.costKind;
        line.costAmount = c.amount;
        line.service = c.service;
        doc.removeMonth(c.month);
        const CZeitZeile& stored = dayWith({line}, c.month).line(0);
        bool notAvailable = false;
        EXPECT_DOUBLE_EQ(lineCost(stored, notAvailable), c.expected);
        EXPECT_EQ(notAvailable, c.notAvailable);
    }
}

TEST_F(DayEvaluation, StatusTextAndCategory) {
    struct Case {
        int32_t dayKind;
        int32_t complete;
        int32_t holiday;
        bool withLine;
        int32_t dayNumber; // 10 Tuesday, 14 Saturday, 15 Sunday
        const char* remark;
        const char* text;
        int32_t category;
    };
    const Case cases[] = {
        {kNormalWorkingDay, 1, 0, false, 14, "", "", 0},
        {kNormalWorkingDay, 1, 0, false, 15, "", "", 0},
        {kNormalWorkingDay, 1, 0, false, 10, "", "Keine Zeiten", 8},
        {kNormalWorkingDay, 1, 0, true, 10, "", "", 0},
        {kStandbyDuty, 1, 0, false, 10, "", "Keine Zeiten", 8},
        {kNormalWorkingDay, 1, 0, false, 10, "Schulung", "Keine Zeiten / Schulung", 8},
        {kNormalWorkingDay, 1, 0, true, 10, "Schulung", "Schulung", 0},
        {kVacation, 1, 1, false, 10, "", "Feiertag", 2},
        {kVacation, 0, 1, false, 10, "", "Unvollständig", 1},
        {kVacation, 1, 0, false, 10, "", "Urlaub", 3},
        {kSickWithPay, 1, 0, false, 10, "", "Krank", 5},
        {kTimeOff, 1, 0, false, 10, "", "Zeitausgleich", 6},
        {kHalfVacationDay, 1, 0, true, 10, "", "Urlaub (1/2)", 4},
        {kDayOff, 1, 0, false, 10, "", "Frei", 7},
        {kSickWithSickPay, 1, 0, false, 10, "", "Krankengeld", 5},
        {kChildSick, 1, 0, false, 10, "", "Krank Kind", 5},
        {kParentalLeave, 1, 0, false, 10, "", "Elternzeit", 7},
        {kNotEmployed, 1, 0, false, 14, "", "Nicht beschäftigt", 7},
        {kVacation, 1, 0, false, 10, "halb", "Urlaub / halb", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text + std::string("|") + c.remark);
        doc.removeMonth(3);
        CTagDoc& day = dayWith({}, 3, c.dayNumber);
        if (c.withLine) day.addLine(timeLine(kKindWorkingTime, "8:00", "9:00"));
        day.dayKind = c.dayKind;
        day.complete = c.complete;
        day.publicHoliday = c.holiday;
        day.internalRemark = c.remark;
        EXPECT_EQ(statusText(day), c.text);
        EXPECT_EQ(statusCategory(day), c.category);
    }
}

} // namespace
} // namespace lorvan
