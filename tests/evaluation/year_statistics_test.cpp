#include "evaluation/year_statistics.h"

#include "foundation/error.h"
#include "foundation/time_text.h"
#include "support/error_text.h"
#include "yearfile/year_file.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

// Dates are of 2026: 2 March is a Monday, 6 March a Friday, 7 and 8 March a weekend.
namespace lorvan {
namespace {

CLorvanDoc makeDoc() {
    CLorvanDoc doc;
    doc.settings().name = "Anna Berg";
    doc.settings().year = 2026;
    return doc;
}

CTagDoc& addDay(CLorvanDoc& doc, int32_t month, int32_t day, int32_t kind, bool holiday = false) {
    CTagDoc& record = doc.addMonth(month).addStoredDay(day);
    record.dayKind = kind;
    record.publicHoliday = holiday ? 1 : 0;
    return record;
}

void addLine(CTagDoc& day, const char* from, const char* to, const char* kind = kKindWorkingTime) {
    CZeitZeile& line = day.addLine();
    line.kind = kind;
    line.from = from;
    line.to = to;
    line.duration = parseClock(spanText(from, to));
}

TEST(DayLengthCounts, CountsWorkedDaysBelowTheFullHours) {
    CLorvanDoc doc = makeDoc();
    addLine(addDay(doc, 3, 2, kNormalWorkingDay), "8:00", "14:00");                // 6 h
    addLine(addDay(doc, 3, 3, kNormalWorkingDay), "7:00", "16:30");                // 9 h 30
    addLine(addDay(doc, 3, 4, kNormalWorkingDay), "6:00", "21:00");                // 15 h
    addLine(addDay(doc, 3, 5, kNormalWorkingDay), "0:00", "25:00");                // 25 h
    addLine(addDay(doc, 3, 6, kNormalWorkingDay), "8:00", "15:59");                // 7 h 59
    addLine(addDay(doc, 3, 9, kNormalWorkingDay), "8:00", "16:00");                // 8 h
    addLine(addDay(doc, 3, 10, kNormalWorkingDay), "8:00", "18:00", kKindStandby); // standby: 0
    addDay(doc, 3, 11, kNormalWorkingDay);                                         // no lines
    const CMonatDoc& march = *doc.month(3);

    const struct {
        int32_t below;
        int32_t expected;
    } cases[] = {{0, 6}, {-3, 6}, {8, 2}, {9, 3}, {14, 4}, {24, 5}, {25, 5}, {26, 6}};
    for (const auto& c : cases)
        EXPECT_EQ(dayLengthCounts(march, c.below), c.expected) << "below " << c.below;
}

struct VacationCase {
    const char* what;
    int32_t day; // of March 2026
    int32_t kind;
    bool holiday;
    bool countEverywhere;
    bool fixedDays;
    bool halfDayFriday;
    double expected;
};

class VacationDaysTest : public ::testing::TestWithParam<VacationCase> {};

TEST_P(VacationDaysTest, CountsTheDay) {
    const VacationCase& c = GetParam();
    CLorvanDoc doc = makeDoc();
    CEinstArbzt& s = doc.settings();
    s.countVacationOnWeekendsAndHolidays = c.countEverywhere ? 1 : 0;
    s.workingTimePeriods.front().fixedRegularWorkingDays = c.fixedDays ? 1 : 0;
    s.workingTimePeriods.front().halfDayByWeekday[5] = c.halfDayFriday ? 1 : 0;
    addDay(doc, 3, c.day, c.kind, c.holiday);
    EXPECT_EQ(vacationDays(*doc.month(3)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    YearStatistics, VacationDaysTest,
    ::testing::Values(VacationCase{"monday", 2, kVacation, false, false, true, false, 1.0},
                      VacationCase{"half vacation day", 2, kHalfVacationDay, false, false, true, false, 0.5},
                      VacationCase{"saturday without hours", 7, kVacation, false, false, true, false, 0.0},
                      VacationCase{"saturday, half day", 7, kHalfVacationDay, false, false, true, false, 0.0},
                      VacationCase{"saturday counted", 7, kVacation, false, true, true, false, 1.0},
                      VacationCase{"saturday, no fixed days", 7, kVacation, false, false, false, false, 1.0},
                      VacationCase{"holiday", 2, kVacation, true, false, true, false, 0.0},
                      VacationCase{"holiday, no fixed days", 2, kVacation, true, false, false, false, 0.0},
                      VacationCase{"holiday counted", 2, kVacation, true, true, true, false, 1.0},
                      VacationCase{"friday marked half day", 6, kVacation, false, false, true, true, 0.5},
                      VacationCase{"half day flag, no fixed days", 6, kVacation, false, false, false, true,
                                   1.0},
                      VacationCase{"sick day", 2, kSickWithPay, false, false, true, false, 0.0}),
    [](const ::testing::TestParamInfo<VacationCase>& info) {
        std::string name = info.param.what;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return name;
    });

// A file whose year was changed may hold days the calendar does not have; they have no weekday.
TEST(VacationDays, StoredDayPastTheMonthsEndIsNotAVacationDay) {
    CLorvanDoc doc = makeDoc();
    addDay(doc, 2, 30, kVacation);
    addDay(doc, 2, 29, kHalfVacationDay);
    addDay(doc, 2, 31, kSickWithPay);
    EXPECT_EQ(vacationDays(*doc.month(2)), 0.0);
    EXPECT_EQ(vacationText(*doc.month(2), true), "Kein Urlaub im Februar genommen.");
    EXPECT_EQ(sickDayCounts(*doc.month(2)), SickDayCounts{});
}

TEST(VacationDays, AVacationDayNeedsAWorkingTimePeriod) {
    CLorvanDoc doc = makeDoc();
    doc.settings().workingTimePeriods.clear();
    addLine(addDay(doc, 3, 2, kNormalWorkingDay), "8:00", "9:00");
    EXPECT_EQ(vacationDays(*doc.month(3)), 0.0);
    addDay(doc, 3, 3, kVacation);
    EXPECT_THROW_MSG(vacationDays(*doc.month(3)), kWorkingTimeSettingsMissing);
}

// Entitlement 30, 2.5 days left from last year; 10.5 days taken up to May, 3 more after it.
class VacationTexts : public ::testing::Test {
  protected:
    void SetUp() override {
        CEinstArbzt& s = doc_.settings();
        s.manageRemainingVacation = 1;
        s.vacationEntitlement = 30.0;
        s.remainingVacationPreviousYear = 2.5;
        s.workingTimePeriods.front().halfDayByWeekday[5] = 1; // Friday
        for (int32_t day = 2; day <= 6; ++day)
            addDay(doc_, 3, day, kVacation); // 4.5: Friday 6 March is a half day
        addDay(doc_, 3, 7, kVacation);       // Saturday: not counted
        addDay(doc_, 4, 6, kVacation);
        addDay(doc_, 4, 7, kHalfVacationDay);
        for (int32_t day = 4; day <= 8; ++day)
            addDay(doc_, 5, day, kVacation);
        addDay(doc_, 5, 1, kVacation, true); // holiday: not counted
        addDay(doc_, 6, 1, kVacation);
        addDay(doc_, 6, 2, kVacation);
        addDay(doc_, 7, 1, kNormalWorkingDay);
        addDay(doc_, 9, 7, kVacation);
    }
    CLorvanDoc doc_ = makeDoc();
};

TEST_F(VacationTexts, RemainingVacationCountsTheMonthsUpToTheMonth) {
    EXPECT_EQ(remainingVacation(doc_, 2), 32.5);
    EXPECT_EQ(remainingVacation(doc_, 5), 22.0);
    EXPECT_EQ(remainingVacation(doc_, 12), 19.0);
    doc_.settings().manageRemainingVacation = 0;
    EXPECT_EQ(remainingVacation(doc_, 5), 0.0);
}

TEST_F(VacationTexts, MonthLinesOfTheYearText) {
    const struct {
        int32_t month;
        const char* expected;
    } cases[] = {{3, "März\t\t4,5\n"}, {4, "April\t\t1,5\n"}, {7, ""}, {9, "September\t1,0\n"}};
    for (const auto& c : cases)
        EXPECT_EQ(vacationText(*doc_.month(c.month), false), c.expected) << c.month;
}

TEST_F(VacationTexts, DetailedTextListsTheCountedDaysAndTheRemainingVacation) {
    EXPECT_EQ(vacationText(*doc_.month(3), true), "Genommener Urlaub im März\n\n"
                                                  "02.03.2026 (Montag)\n"
                                                  "03.03.2026 (Dienstag)\n"
                                                  "04.03.2026 (Mittwoch)\n"
                                                  "05.03.2026 (Donnerstag)\n"
                                                  "06.03.2026 (Freitag) - (1/2 Tag)\n"
                                                  "\nGesamt: 4,5 Tage"
                                                  "\n\nResturlaub: 28,0 Tage");
    EXPECT_EQ(vacationText(*doc_.month(5), true), "Genommener Urlaub im Mai\n\n"
                                                  "04.05.2026 (Montag)\n"
                                                  "05.05.2026 (Dienstag)\n"
                                                  "06.05.2026 (Mittwoch)\n"
                                                  "07.05.2026 (Donnerstag)\n"
                                                  "08.05.2026 (Freitag) - (1/2 Tag)\n"
                                                  "\nGesamt: 4,5 Tage"
                                                  "\n\nResturlaub: 22,0 Tage");
    EXPECT_EQ(vacationText(*doc_.month(9), true), "Genommener Urlaub im September\n\n"
                                                  "07.09.2026 (Montag)\n"
                                                  "\nGesamt: 1,0 Tag"
                                                  "\n\nResturlaub: 19,0 Tage");
    EXPECT_EQ(vacationText(*doc_.month(7), true), "Kein Urlaub im Juli genommen.\n\nResturlaub: 20,0 Tage");
    doc_.settings().manageRemainingVacation = 0;
    EXPECT_EQ(vacationText(*doc_.month(7), true), "Kein Urlaub im Juli genommen.");
}

TEST_F(VacationTexts, RemainingVacationOfExactlyOneDayIsATag) {
    doc_.settings().vacationEntitlement = 11.0;
    EXPECT_EQ(vacationText(*doc_.month(7), true), "Kein Urlaub im Juli genommen.\n\nResturlaub: 1,0 Tag");
}

TEST_F(VacationTexts, YearText) {
    EXPECT_EQ(yearVacationText(doc_), "Genommener Urlaub:\n\n"
                                      "März\t\t4,5\n"
                                      "April\t\t1,5\n"
                                      "Mai\t\t4,5\n"
                                      "Juni\t\t2,0\n"
                                      "September\t1,0\n"
                                      "\nGesamt\t\t13,5 Tage\n"
                                      "Resturlaub\t19,0 Tage\n");
    doc_.settings().manageRemainingVacation = 0;
    const std::string text = yearVacationText(doc_);
    EXPECT_EQ(text.substr(text.find("\nGesamt")), "\nGesamt\t\t13,5 Tage\n");
    EXPECT_EQ(yearVacationText(makeDoc()), "Genommener Urlaub:\n\n\nGesamt\t\t0,0 Tage\n");
}

// March 2026: sick with pay Monday 2 and Tuesday 3 (and Saturday 7 and a holiday, not counted),
// sick pay Wednesday 4, parental leave Thursday 5; November: one child-sickness day.
class SicknessTexts : public ::testing::Test {
  protected:
    void SetUp() override {
        addDay(doc_, 1, 5, kNormalWorkingDay);
        addDay(doc_, 3, 2, kSickWithPay);
        addDay(doc_, 3, 3, kSickWithPay);
        addDay(doc_, 3, 4, kSickWithSickPay);
        addDay(doc_, 3, 5, kParentalLeave);
        addDay(doc_, 3, 6, kSickWithPay, true);
        addDay(doc_, 3, 7, kSickWithPay);
        addDay(doc_, 3, 8, kChildSick);
        addDay(doc_, 11, 3, kChildSick);
    }
    CLorvanDoc doc_ = makeDoc();
};

TEST_F(SicknessTexts, MonthTextsAddTheCountsToTheYear) {
    SickDayCounts year{1, 0, 0, 0};
    EXPECT_EQ(sicknessText(*doc_.month(3), false, year), "\nKrankheitstage im März\n"
                                                         "mit Lohnfortzahlung\t2\n"
                                                         "mit Krankengeld\t\t1\n"
                                                         "mit Elternzeit\t\t1\n");
    EXPECT_EQ(year, (SickDayCounts{3, 1, 0, 1}));
    EXPECT_EQ(sicknessText(*doc_.month(3), true, year), "\nKrankheitstage im März\n"
                                                        "\nmit Lohnfortzahlung\n"
                                                        "02.03.2026 (Montag)\n"
                                                        "03.03.2026 (Dienstag)\n"
                                                        "Gesamt: 2 Tage\n"
                                                        "\nmit Krankgengeld\n"
                                                        "04.03.2026 (Mittwoch)\n"
                                                        "Gesamt: 1 Tag\n"
                                                        "\nElternzeit\n"
                                                        "05.03.2026 (Donnerstag)\n"
                                                        "Gesamt: 1 Tag\n");
    EXPECT_EQ(year, (SickDayCounts{5, 2, 0, 2}));
    EXPECT_EQ(sicknessText(*doc_.month(11), false, year),
              "\nKrankheitstage im November\nmit Krankheit Kind\t1\n");
    EXPECT_EQ(sicknessText(*doc_.month(1), false, year), "");
    EXPECT_EQ(sicknessText(*doc_.month(1), true, year), "Keine Krankheitstage im Januar.");
    EXPECT_EQ(year, (SickDayCounts{5, 2, 1, 2}));
}

TEST_F(SicknessTexts, YearTextAndCountsUpToAMonth) {
    EXPECT_EQ(yearSicknessText(doc_), "Krankheitstage:\n"
                                      "\nKrankheitstage im März\n"
                                      "mit Lohnfortzahlung\t2\n"
                                      "mit Krankengeld\t\t1\n"
                                      "mit Elternzeit\t\t1\n"
                                      "\nKrankheitstage im November\n"
                                      "mit Krankheit Kind\t1\n"
                                      "\nGesamt\n"
                                      "mit Lohnfortzahlung\t2 Tage\n"
                                      "mit Krankengeld\t\t1 Tage\n"
                                      "mit Krankheit Kind\t1 Tage\n"
                                      "mit Elternzeit\t\t1 Tage\n");
    EXPECT_EQ(sickDayCountsUpTo(doc_, 10), (SickDayCounts{2, 1, 0, 1}));
    EXPECT_EQ(sickDayCountsUpTo(doc_, 12), (SickDayCounts{2, 1, 1, 1}));
    EXPECT_EQ(yearSicknessText(makeDoc()), "Krankheitstage:\n");
}

} // namespace
} // namespace lorvan
