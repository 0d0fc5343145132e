#include "evaluation/month_evaluation.h"

#include "foundation/calendar.h"
#include "foundation/error.h"
#include "foundation/number_text.h"
#include "foundation/time_text.h"
#include "support/error_text.h"
#include "support/temp_dir.h"
#include "yearfile/year_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lorvan {
namespace {

struct Line {
    const char* from;
    const char* to;
    int32_t pause = 0;
    const char* kind = kKindWorkingTime;
};

CLorvanDoc makeDoc(int32_t year) {
    CLorvanDoc doc;
    doc.settings().name = "Anna Berg";
    doc.settings().year = year;
    return doc;
}

CTagDoc& addDay(CLorvanDoc& doc, int32_t month, int32_t day, int32_t kind = kNormalWorkingDay,
                std::vector<Line> lines = {}) {
    CTagDoc& record = doc.addMonth(month).addDay(day);
    record.dayKind = kind;
    for (const Line& l : lines) {
        CZeitZeile& line = record.addLine();
        line.kind = l.kind;
        line.from = l.from;
        line.to = l.to;
        line.duration = parseClock(spanText(l.from, l.to));
        line.pause = l.pause;
    }
    return record;
}

const DayRow* findRow(const MonthEvaluation& e, int32_t day) {
    for (const WeekEvaluation& week : e.weeks)
        for (const DayRow& row : week.rows)
            if (row.day == day) return &row;
    return nullptr;
}

const WeekEvaluation& weekOf(const MonthEvaluation& e, int32_t day) {
    for (const WeekEvaluation& week : e.weeks)
        for (const DayRow& row : week.rows)
            if (row.day == day) return week;
    throw std::logic_error("no week holds that day");
}

const EvaluationContext kNoContext{};

// Monday 4 March 2024 in the default period (Mo-Th 8 h, Fr 5 h, rounding 5).
TEST(MonthEvaluationDayRow, CodesTargetsCreditsAndDeviationsByDayKind) {
    struct Case {
        const char* name;
        int32_t kind;
        std::vector<Line> lines;
        int32_t holiday;
        int32_t complete;
        const char* code;
        const char* status;
        const char* remark;
        int32_t target;
        int32_t creditedAbsence;
        int32_t credited;
        int32_t holidayMinutes;
        int32_t deviation;
    };
    const Case cases[] = {
        {"work with rounding",
         kNormalWorkingDay,
         {{"7:58", "16:02", 30}},
         0,
         1,
         "",
         "",
         "",
         480,
         0,
         454,
         0,
         -30},
        {"vacation", kVacation, {}, 0, 1, "U", "", "", 480, 480, 0, 0, 0},
        {"sick with pay", kSickWithPay, {}, 0, 1, "K", "", "", 480, 480, 0, 0, 0},
        {"sick pay", kSickWithSickPay, {}, 0, 1, "KG", "", "Krankengeld", 480, 0, 0, 0, 0},
        {"child sick", kChildSick, {}, 0, 1, "KI", "", "Krankheit Kind", 480, 0, 0, 0, 0},
        {"parental leave", kParentalLeave, {}, 0, 1, "EZ", "", "Elternzeit", 480, 0, 0, 0, 0},
        {"time off", kTimeOff, {}, 0, 1, "ZA", "", "", 480, 0, 0, 0, -480},
        {"day off", kDayOff, {}, 0, 1, "Frei", "", "", 480, 0, 0, 0, 0},
        {"not employed", kNotEmployed, {}, 0, 1, "NB", "", "", 480, 0, 0, 0, 0},
        {"no times", kNormalWorkingDay, {}, 0, 1, "", "Keine Zeiten", "", 480, 0, 0, 0, 0},
        {"incomplete",
         kNormalWorkingDay,
         {{"8:00", "12:00"}},
         0,
         0,
         "",
         "Unvollständig",
         "",
         480,
         0,
         0,
         0,
         0},
        {"holiday", kNormalWorkingDay, {}, 1, 1, "F", "", "", 480, 480, 0, 0, 0},
        {"worked holiday", kNormalWorkingDay, {{"8:00", "10:00"}}, 1, 1, "F", "", "", 480, 480, 120, 120, 0},
        {"holiday beats not employed", kNotEmployed, {}, 1, 1, "F", "", "", 480, 480, 0, 0, 0},
        // Half a vacation day: the other half is worked, so four hours of work leave the account even.
        {"half vacation day", kHalfVacationDay, {{"8:00", "12:00"}}, 0, 1, "UH", "", "", 480, 240, 240, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CLorvanDoc doc = makeDoc(2024);
        CTagDoc& day = addDay(doc, 3, 4, c.kind, c.lines);
        day.publicHoliday = c.holiday;
        day.complete = c.complete;
        const auto e = evaluateMonth(doc, 3, kNoContext);
        const DayRow* row = findRow(*e, 4);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->code, c.code);
        EXPECT_EQ(row->status, c.status);
        EXPECT_EQ(row->reportRemark, c.remark);
        EXPECT_EQ(row->targetMinutes, c.target);
        EXPECT_EQ(row->creditedAbsenceMinutes, c.creditedAbsence);
        EXPECT_EQ(row->creditedMinutes, c.credited);
        EXPECT_EQ(row->holidayMinutes, c.holidayMinutes);
        EXPECT_EQ(row->accountDeviation, c.deviation);
    }
}

TEST(MonthEvaluationDayRow, AbsencesCountInTheMonthTotals) {
    CLorvanDoc doc = makeDoc(2024);
    addDay(doc, 3, 4, kVacation);
    addDay(doc, 3, 5, kSickWithSickPay);
    addDay(doc, 3, 6, kSickWithPay);
    addDay(doc, 3, 7, kHalfVacationDay, {{"8:00", "12:00"}});
    addDay(doc, 3, 8, kDayOff);
    const auto e = evaluateMonth(doc, 3, kNoContext);
    EXPECT_EQ(e->vacationDays, 1.5);
    EXPECT_EQ(e->vacationHours, 12.0);
    EXPECT_EQ(e->sickDays, 2);
    EXPECT_EQ(e->sickDaysWithPay, 1);
    EXPECT_EQ(e->sickHoursWithPay, 8.0);
    EXPECT_EQ(e->sickPayDays, 1);
    EXPECT_EQ(e->sickPayHours, 8.0);
    // Vacation, sick pay and sickness replace their whole target, the half day half of it.
    EXPECT_EQ(e->absenceTargetHours, -28.0);
    // Every complete record adds its target; the free Friday takes its own off again.
    EXPECT_EQ(e->targetHours, 32.0);
    EXPECT_EQ(e->targetHoursWithoutHolidays, 37.0);
    const WeekEvaluation& week = weekOf(*e, 4);
    EXPECT_EQ(week.vacationDays, 1.5);
    EXPECT_EQ(week.sickDays, 2);
    EXPECT_EQ(week.sickHours, 8.0);
}

TEST(MonthEvaluationDayRow, AWorkingDayWithoutRecordIsUnknownAndAddsNoTarget) {
    CLorvanDoc doc = makeDoc(2024);
    addDay(doc, 3, 5); // Tuesday, complete, no lines
    const auto e = evaluateMonth(doc, 3, kNoContext);
    const DayRow* noTimes = findRow(*e, 5);
    const DayRow* unknown = findRow(*e, 12); // the next Tuesday
    ASSERT_TRUE(noTimes && unknown);
    EXPECT_EQ(noTimes->status, "Keine Zeiten");
    EXPECT_EQ(unknown->status, "Unbekannt");
    EXPECT_EQ(unknown->targetMinutes, 480);
    EXPECT_EQ(noTimes->accountDeviation, 0);
    EXPECT_EQ(unknown->accountDeviation, 0);
    EXPECT_EQ(e->targetHours, 8.0);
    // Weekends without records have no rows.
    EXPECT_EQ(findRow(*e, 9), nullptr);
    EXPECT_EQ(findRow(*e, 10), nullptr);
}

TEST(MonthEvaluationDayRow, AVacationDayOnAHalfDayWeekdayCountsHalf) {
    CLorvanDoc doc = makeDoc(2024);
    doc.settings().workingTimePeriods[0].halfDayByWeekday[5] = 1; // Friday
    addDay(doc, 3, 8, kVacation);
    const auto e = evaluateMonth(doc, 3, kNoContext);
    EXPECT_EQ(findRow(*e, 8)->code, "UH");
    EXPECT_EQ(findRow(*e, 8)->creditedAbsenceMinutes, 300);
    EXPECT_EQ(e->vacationDays, 0.5);
    EXPECT_EQ(e->vacationHours, 5.0);
}

// Saturday 9 March 2024.
TEST(MonthEvaluationSurcharges, SaturdayWindowLeavesTheRestInTheOvertimeBase) {
    CLorvanDoc doc = makeDoc(2024);
    doc.settings().saturdaySurchargeOn = 1;
    doc.settings().saturdayBegin = "13:00";
    doc.settings().saturdayEnd = "21:00";
    addDay(doc, 3, 9, kNormalWorkingDay, {{"12:00", "16:00"}});
    const auto e = evaluateMonth(doc, 3, kNoContext);
    const DayRow& row = *findRow(*e, 9);
    EXPECT_EQ(row.saturdayMinutes, 180);
    ASSERT_EQ(row.blocks.size(), 1u);
    EXPECT_EQ(row.blocks[0].saturdayMinutes, 180);
    EXPECT_EQ(e->saturdayMinutes, 180);
    const WeekEvaluation& week = weekOf(*e, 9);
    EXPECT_EQ(week.sundaySaturdayBucketMinutes, 180);
    EXPECT_EQ(week.overtimeMinutes, 60);
    EXPECT_EQ(week.accountMinutes, 60);
}

// Tuesday 5 March 2024, night 21:00-4:00, rounding 5; "Pause" lines split blocks while the night
// surcharge is on.
TEST(MonthEvaluationSurcharges, NightRunsAreBookedOnTheirLastBlockWhenTheyReachTheRounding) {
    struct Case {
        const char* name;
        std::vector<Line> lines;
        int32_t holiday;
        int32_t night;
        std::vector<int32_t> perBlock;
    };
    const Case cases[] = {
        {"run shorter than the rounding", {{"21:00", "21:04"}}, 0, 0, {0}},
        {"run of exactly the rounding", {{"21:00", "21:05"}}, 0, 5, {5}},
        {"across midnight", {{"20:00", "26:00"}}, 0, 300, {300}},
        {"two short blocks form one run", {{"21:00", "21:03"}, {"22:00", "22:03"}}, 0, 6, {0, 6}},
        {"a pause block ends the run",
         {{"20:00", "22:00"}, {"22:00", "22:30", 30, kKindBreak}, {"22:30", "23:00"}},
         0,
         90,
         {60, 0, 30}},
        {"a day block ends a short run",
         {{"3:58", "4:01"}, {"8:00", "12:00"}, {"21:00", "21:03"}},
         0,
         0,
         {0, 0, 0}},
        {"no night surcharge on a holiday", {{"21:00", "23:00"}}, 1, 0, {0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CLorvanDoc doc = makeDoc(2024);
        addDay(doc, 3, 5, kNormalWorkingDay, c.lines).publicHoliday = c.holiday;
        const auto e = evaluateMonth(doc, 3, kNoContext);
        const DayRow& row = *findRow(*e, 5);
        EXPECT_EQ(row.nightMinutes, c.night);
        EXPECT_EQ(e->nightMinutes, c.night);
        std::vector<int32_t> perBlock;
        for (const RowBlock& b : row.blocks)
            perBlock.push_back(b.nightMinutes);
        EXPECT_EQ(perBlock, c.perBlock);
    }
}

TEST(MonthEvaluationSurcharges, SundayAndHolidayWorkGoesToItsBucketsNotToTheAccount) {
    CLorvanDoc doc = makeDoc(2024);
    addDay(doc, 3, 10, kNormalWorkingDay, {{"8:00", "12:00"}});                   // Sunday
    addDay(doc, 3, 11, kNormalWorkingDay, {{"8:00", "11:00"}}).publicHoliday = 1; // Monday
    const auto e = evaluateMonth(doc, 3, kNoContext);
    EXPECT_EQ(e->sundayMinutes, 240);
    EXPECT_EQ(e->holidayMinutes, 180);
    EXPECT_EQ(findRow(*e, 10)->accountDeviation, 0);
    EXPECT_EQ(weekOf(*e, 10).sundaySaturdayBucketMinutes, 240);
    EXPECT_EQ(weekOf(*e, 11).holidayBucketMinutes, 180);
    EXPECT_EQ(weekOf(*e, 11).accountMinutes, 0);
}

// Week 11-17 March 2024: Mo-Th 9 h, Fr 9 h 10 = 45 h 10 of overtime base.
TEST(MonthEvaluationSurcharges, WeeklyOvertimeAboveBothThresholds) {
    struct Case {
        const char* name;
        int32_t surcharge2On;
        int32_t rounding;
        int32_t s1;
        int32_t s2;
        double s1Hours; // at 20 %
        double s2Hours; // at 50 %
    };
    const Case cases[] = {
        {"both levels, rounding 15", 1, 15, 120, 60, 0.4, 0.5},
        {"both levels, rounding 5", 1, 5, 120, 70, 0.4, 0.59},
        {"first level only", 0, 15, 180, 0, 0.6, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CLorvanDoc doc = makeDoc(2024);
        CEinstArbzt& s = doc.settings();
        s.nightSurchargeOn = 0;
        s.overtimeRoundingMinutes = c.rounding;
        s.surcharge2On = c.surcharge2On;
        s.keepWorkingTimeAccount = 1;
        s.convertSurchargesIntoHours = 1;
        for (int32_t d = 11; d <= 14; ++d)
            addDay(doc, 3, d, kNormalWorkingDay, {{"7:00", "16:00"}});
        addDay(doc, 3, 15, kNormalWorkingDay, {{"7:00", "16:10"}});
        YearEvaluator evaluator(doc, kNoContext);
        const MonthEvaluation& e = evaluator.evaluate(3);
        EXPECT_EQ(weekOf(e, 11).overtimeBase(), 2710);
        EXPECT_EQ(weekOf(e, 11).surcharge1Minutes, c.s1);
        EXPECT_EQ(weekOf(e, 11).surcharge2Minutes, c.s2);
        EXPECT_EQ(e.surcharge1Minutes, c.s1);
        EXPECT_EQ(e.surcharge2Minutes, c.s2);
        EXPECT_DOUBLE_EQ(doc.month(3)->surchargeHoursOvertime1, c.s1Hours);
        EXPECT_DOUBLE_EQ(doc.month(3)->surchargeHoursOvertime2, c.s2Hours);
    }
}

// The week 25 February - 3 March 2019 (Monday to Thursday in February): February earned its
// surcharges for 48 h; March's Friday adds 10 h on top of that.
TEST(MonthEvaluationSurcharges, TheCarriedInWeekPartCountsButIsNotPaidTwice) {
    struct Case {
        int32_t weekEndsAtMonthEnd;
        bool carried;
        int32_t s1;
        int32_t s2;
    };
    const Case cases[] = {{0, true, 0, 600}, {1, false, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.weekEndsAtMonthEnd);
        CLorvanDoc doc = makeDoc(2019);
        doc.settings().nightSurchargeOn = 0;
        doc.settings().weekEndsAtMonthEnd = c.weekEndsAtMonthEnd;
        for (int32_t d = 25; d <= 28; ++d)
            addDay(doc, 2, d, kNormalWorkingDay, {{"6:00", "18:00"}});
        addDay(doc, 3, 1, kNormalWorkingDay, {{"6:00", "16:00"}});
        const auto february = evaluateMonth(doc, 2, kNoContext);
        EXPECT_EQ(february->surcharge1Minutes, 120);
        EXPECT_EQ(february->surcharge2Minutes, 240);
        const auto march = evaluateMonth(doc, 3, kNoContext);
        ASSERT_FALSE(march->weeks.empty());
        const WeekEvaluation& first = march->weeks.front();
        EXPECT_EQ(first.carriedIn != nullptr, c.carried);
        if (first.carriedIn) {
            EXPECT_EQ(first.carriedIn->month, 2);
            ASSERT_EQ(first.carriedIn->weeks.size(), 1u);
            EXPECT_EQ(first.carriedIn->weeks[0].rows.size(), 4u);
            EXPECT_EQ(first.carriedIn->weeks[0].rows.front().day, 25);
        }
        EXPECT_EQ(first.surcharge1Minutes, c.s1);
        EXPECT_EQ(first.surcharge2Minutes, c.s2);
        EXPECT_EQ(march->weeks[1].carriedIn, nullptr);
    }
}

// 1 January 2020 is a Wednesday: Monday 30 and Tuesday 31 December 2019 lie in the previous
// year's file beside this one.
class JanuaryCarriedIn : public ::testing::Test {
  protected:
    void SetUp() override {
        doc_.settings().nightSurchargeOn = 0;
        addDay(doc_, 1, 2, kNormalWorkingDay, {{"6:00", "18:00"}});
        addDay(doc_, 1, 3, kNormalWorkingDay, {{"6:00", "18:00"}});
        doc_.save(dir_.file("Anna_Berg2020.azr"));
    }
    void writePreviousYear() {
        CLorvanDoc previous = makeDoc(2019);
        previous.settings().nightSurchargeOn = 0;
        for (int32_t d : {30, 31})
            addDay(previous, 12, d, kNormalWorkingDay, {{"6:00", "18:00"}});
        previous.save(dir_.file("Anna_Berg2019.azr"));
    }

    test::TempDir dir_;
    CLorvanDoc doc_ = makeDoc(2020);
    FilePreviousYearSource previousYears_;
    EvaluationContext context_{nullptr, &previousYears_};
};

TEST_F(JanuaryCarriedIn, ThePreviousYearsDecemberDaysJoinTheFirstWeek) {
    writePreviousYear();
    const auto e = evaluateMonth(doc_, 1, context_);
    const WeekEvaluation& first = e->weeks.front();
    ASSERT_NE(first.carriedIn, nullptr);
    EXPECT_EQ(first.carriedIn->year, 2019);
    EXPECT_EQ(first.carriedIn->month, 12);
    ASSERT_EQ(first.carriedIn->weeks.size(), 1u);
    EXPECT_EQ(first.carriedIn->weeks[0].rows.size(), 2u);
    // 24 h carried in + 24 h in January: 48 h, of which 4 h above 44 h and 2 h from 42 h.
    EXPECT_EQ(first.surcharge2Minutes, 240);
    EXPECT_EQ(first.surcharge1Minutes, 120);
}

TEST_F(JanuaryCarriedIn, AMissingOrUnreadablePreviousYearGivesNoCarriedInPart) {
    EXPECT_EQ(evaluateMonth(doc_, 1, context_)->weeks.front().carriedIn, nullptr);
    test::writeBytes(dir_.file("Anna_Berg2019.azr"), std::string("\x2C\0\0\0\x09", 5));
    EXPECT_EQ(evaluateMonth(doc_, 1, context_)->weeks.front().carriedIn, nullptr);
    EXPECT_EQ(evaluateMonth(doc_, 1, kNoContext)->weeks.front().carriedIn, nullptr);
}

class FixedEmployment : public EmployeeLookup {
  public:
    FixedEmployment(std::string name, Employment employment)
        : name_(std::move(name)), employment_(employment) {}
    std::optional<Employment> employmentOf(const std::string& exactName) const override {
        if (exactName != name_) return std::nullopt;
        return employment_;
    }

  private:
    std::string name_;
    Employment employment_;
};

// March 2024: entry on Wednesday 13, exit on Wednesday 20.
TEST(MonthEvaluationEmployment, DaysOutsideTheEmploymentGetNotEmployedRowsWithTheirMarks) {
    const FixedEmployment inFile("Anna Berg", {Datum{13, 3, 2024}, 1, Datum{20, 3, 2024}});
    const FixedEmployment otherName("anna berg", {Datum{13, 3, 2024}, 1, Datum{20, 3, 2024}});
    struct Case {
        const char* name;
        const EmployeeLookup* lookup;
        std::vector<int32_t> notEmployed; // days with code "NB"
        std::vector<int32_t> starts;      // days with the not-employed-start mark
        std::vector<int32_t> firsts;      // days with the first-after-not-employed mark
    };
    std::vector<int32_t> before;
    for (int32_t d = 1; d <= 12; ++d)
        before.push_back(d);
    std::vector<int32_t> outside = before;
    for (int32_t d = 21; d <= 31; ++d)
        outside.push_back(d);
    std::vector<int32_t> allButTheRecord;
    for (int32_t d = 1; d <= 31; ++d)
        if (d != 14) allButTheRecord.push_back(d);
    const Case cases[] = {
        {"entry and exit", &inFile, outside, {21}, {13}},
        // Every date lies outside; only the day record interrupts the run.
        {"name not in the employee file", &otherName, allButTheRecord, {15}, {14}},
        {"no employee file", nullptr, {}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CLorvanDoc doc = makeDoc(2024);
        addDay(doc, 3, 14, kNormalWorkingDay, {{"8:00", "16:00"}});
        const auto e = evaluateMonth(doc, 3, EvaluationContext{c.lookup, nullptr});
        std::vector<int32_t> notEmployed, starts, firsts;
        for (const WeekEvaluation& week : e->weeks) {
            for (const DayRow& row : week.rows) {
                if (row.code == "NB") {
                    notEmployed.push_back(row.day);
                    EXPECT_EQ(row.accountDeviation, 0);
                }
                if (row.notEmployedStart) starts.push_back(row.day);
                if (row.firstAfterNotEmployed) firsts.push_back(row.day);
            }
        }
        EXPECT_EQ(notEmployed, c.notEmployed);
        EXPECT_EQ(starts, c.starts);
        EXPECT_EQ(firsts, c.firsts);
        // A day outside the employment without a record has no target to take off.
        EXPECT_EQ(e->targetHours, 8.0);
    }
}

TEST(MonthEvaluationEmployment, ANotEmployedDayRecordOpensARunToo) {
    CLorvanDoc doc = makeDoc(2024);
    addDay(doc, 3, 4, kNotEmployed);
    addDay(doc, 3, 5, kNotEmployed);
    const auto e = evaluateMonth(doc, 3, kNoContext);
    EXPECT_TRUE(findRow(*e, 4)->notEmployedStart);
    EXPECT_FALSE(findRow(*e, 5)->notEmployedStart);
    EXPECT_TRUE(findRow(*e, 6)->firstAfterNotEmployed); // an "Unbekannt" row ends the run
    EXPECT_EQ(e->targetHours, 0.0);
    EXPECT_EQ(e->targetHoursWithoutHolidays, 0.0);
}

// Week 11-17 March 2024 fully worked; Monday 8:00-16:04 is 4 minutes above its target, which the
// daily rounding drops and the weekly deviation keeps.
TEST(MonthEvaluationAccount, AccountChangeByMode) {
    struct Case {
        const char* mode;
        int32_t weeklyPayout;
        double change;
        double payout;
    };
    const Case cases[] = {
        {"RA", 0, 0.0, 0.0},
        {"WA", 0, 0.07, 0.0},
        {"WA", 1, 0.0, 0.07},
        {"MA", 0, 37.07 - 160.33, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mode) + (c.weeklyPayout ? " with weekly payout" : ""));
        CLorvanDoc doc = makeDoc(2024);
        CEinstArbzt& s = doc.settings();
        s.keepWorkingTimeAccount = 1;
        s.accountMode = c.mode;
        s.weeklyPayoutOn = c.weeklyPayout;
        addDay(doc, 3, 11, kNormalWorkingDay, {{"8:00", "16:04"}});
        for (int32_t d = 12; d <= 14; ++d)
            addDay(doc, 3, d, kNormalWorkingDay, {{"8:00", "16:00"}});
        addDay(doc, 3, 15, kNormalWorkingDay, {{"8:00", "13:00"}});
        YearEvaluator evaluator(doc, kNoContext);
        evaluator.evaluate(3);
        EXPECT_NEAR(doc.month(3)->accountChange, c.change, 1e-9);
        EXPECT_NEAR(doc.month(3)->accountPayout, c.payout, 1e-9);
    }
}

TEST(MonthEvaluationAccount, WeeklyDeviationOfPartialWeeks) {
    // March 2024 in mode "WA": Friday 1 March alone is 2 h short and the first week part ends on the
    // last regular working day, so the shortfall counts. Monday 25 - Sunday 31 has no entries.
    CLorvanDoc doc = makeDoc(2024);
    doc.settings().keepWorkingTimeAccount = 1;
    doc.settings().accountMode = "WA";
    addDay(doc, 3, 1, kNormalWorkingDay, {{"8:00", "11:00"}});
    const auto e = evaluateMonth(doc, 3, kNoContext);
    EXPECT_EQ(e->weeks.front().weekDeviation, -120);
    EXPECT_EQ(e->weeks.back().weekDeviation, 0);
    EXPECT_EQ(e->accountDeviationMinutes, -120);
}

TEST(MonthEvaluationAccount, AbsencesOutsideTheAccountKeepTheDayEven) {
    CLorvanDoc doc = makeDoc(2024);
    doc.settings().keepWorkingTimeAccount = 1;
    doc.settings().absencesAffectAccount = 0;
    addDay(doc, 3, 4, kVacation, {{"8:00", "9:00"}});
    const auto e = evaluateMonth(doc, 3, kNoContext);
    EXPECT_EQ(findRow(*e, 4)->targetMinutes, 480);
    EXPECT_EQ(findRow(*e, 4)->accountDeviation, 60);
}

TEST(MonthEvaluationAccount, AZeroOvertimeRoundingCountsWholeMinutes) {
    CLorvanDoc doc = makeDoc(2024);
    doc.settings().overtimeRoundingMinutes = 0;
    addDay(doc, 3, 4, kNormalWorkingDay, {{"8:00", "16:03"}});
    EXPECT_EQ(findRow(*evaluateMonth(doc, 3, kNoContext), 4)->accountDeviation, 3);
}

TEST(MonthEvaluationWages, ShiftAllowanceMinutes) {
    struct Case {
        int32_t year;
        int32_t month;
        int32_t typeFromMonth; // the wage period with a shift-allowance wage type starts here
        int32_t minutes;
    };
    // Friday 27 August 2021 4 h, Monday 30 August 2021 2 h (likewise in 2022 for comparison).
    const Case cases[] = {
        {2021, 8, 9, 120},
        {2021, 8, 8, 360},
        {2021, 8, 10, 0},
        {2022, 8, 9, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.year) + " from " + std::to_string(c.typeFromMonth));
        CLorvanDoc doc = makeDoc(c.year);
        CEinstArbzt& s = doc.settings();
        s.wagesInMonthEvaluation = 1;
        WagePeriod first;
        first.lastPeriod = 0;
        WagePeriod withType;
        withType.fromMonth = c.typeFromMonth;
        withType.shiftAllowanceWageType = "420";
        s.wagePeriods = {first, withType};
        addDay(doc, 8, 27, kNormalWorkingDay, {{"8:00", "12:00"}});
        addDay(doc, 8, 30, kNormalWorkingDay, {{"8:00", "10:00"}});
        EXPECT_EQ(evaluateMonth(doc, c.month, kNoContext)->shiftAllowanceMinutes, c.minutes);
    }
}

TEST(MonthEvaluationWages, AMissingWagePeriodIsAnInternalError) {
    CLorvanDoc doc = makeDoc(2024);
    doc.settings().wagesInMonthEvaluation = 1;
    addDay(doc, 3, 4, kNormalWorkingDay, {{"8:00", "9:00"}});
    EXPECT_THROW_MSG(evaluateMonth(doc, 3, kNoContext), "Zeiger nicht besetzt");
}

class MonthCache : public ::testing::Test {
  protected:
    void SetUp() override {
        doc_.settings().keepWorkingTimeAccount = 1;
        addDay(doc_, 3, 4, kNormalWorkingDay, {{"8:00", "17:00"}});
        addDay(doc_, 4, 2, kNormalWorkingDay, {{"8:00", "17:00"}});
    }
    CLorvanDoc doc_ = makeDoc(2024);
    YearEvaluator evaluator_{doc_, kNoContext};
};

TEST_F(MonthCache, TheDocumentIsMarkedModifiedOnlyWhenACachedValueChanged) {
    evaluator_.evaluate(3);
    EXPECT_EQ(doc_.month(3)->resultsValid, 1);
    EXPECT_EQ(doc_.month(3)->accountChange, 1.0);
    EXPECT_TRUE(doc_.isModified());

    doc_.setModified(false);
    doc_.month(3)->resultsValid = 0; // as after loading an old file: same values, recomputed
    evaluator_.evaluate(3);
    EXPECT_EQ(doc_.month(3)->resultsValid, 1);
    EXPECT_FALSE(doc_.isModified());

    doc_.month(3)->day(4)->line(0).to = "16:00";
    doc_.month(3)->day(4)->line(0).duration = 480;
    doc_.dayOfMonthSaved(3);
    EXPECT_EQ(doc_.month(4)->resultsValid, 0);
    EXPECT_EQ(evaluator_.accountChange(3), 0.0);
    EXPECT_TRUE(doc_.isModified());
}

TEST_F(MonthCache, AValidMonthIsNotRebuiltAndResetRebuildsThatMonthAndTheLaterOnes) {
    const MonthEvaluation* march = &evaluator_.evaluate(3);
    evaluator_.evaluate(4);
    EXPECT_EQ(&evaluator_.evaluate(3), march);
    doc_.month(4)->day(2)->line(0).to = "18:00";
    doc_.month(4)->day(2)->line(0).duration = 600;
    EXPECT_EQ(evaluator_.accountChange(4), 1.0); // still the cached value
    evaluator_.reset(4);
    EXPECT_EQ(doc_.month(3)->resultsValid, 1);
    EXPECT_EQ(doc_.month(4)->resultsValid, 0);
    EXPECT_EQ(evaluator_.accountChange(4), 2.0);
}

TEST_F(MonthCache, AMonthWithoutWorkingTimeSettingsRaisesTheirMessageAndCachesNothing) {
    doc_.settings().workingTimePeriods.clear();
    EXPECT_THROW_MSG(evaluator_.evaluate(3), kWorkingTimeSettingsMissing);
    EXPECT_EQ(doc_.month(3)->resultsValid, 0);
    EXPECT_FALSE(doc_.isModified());
}

} // namespace
} // namespace lorvan
