#include "yearfile/settings.h"

#include "foundation/archive.h"
#include "foundation/error.h"
#include "platform/clock.h"
#include "support/error_text.h"
#include "support/settings_bytes.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace lorvan {
namespace {

using test::ByteBuilder;
using test::describeSettings;
using test::settingsBytes;
using test::SettingsBytesOptions;

const std::string kTrailer = "\x5A\xA5\x5A\xA5";
const char* const kEndOfFile = "Es wurde versucht, auf eine Stelle hinter dem Ende von Test.azr zuzugreifen.";

// Loads the record followed by foreign bytes, which it must leave unread.
CEinstArbzt loadRecord(const std::string& bytes, int32_t version) {
    const std::string all = bytes + kTrailer;
    ArchiveReader ar(all, "Test.azr");
    CEinstArbzt s;
    s.load(ar, version);
    EXPECT_EQ(ar.remaining(), kTrailer.size()) << "version " << version;
    return s;
}

std::string storeRecord(const CEinstArbzt& s) {
    ArchiveWriter w;
    s.store(w);
    return w.bytes();
}

std::string hex(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        char b[4];
        std::snprintf(b, sizeof b, "%02X ", c);
        out += b;
    }
    return out;
}

CEinstArbzt named(const char* name, int32_t year) {
    CEinstArbzt s;
    s.name = name;
    s.year = year;
    return s;
}

WorkingTimePeriod period(int32_t from, int32_t last) {
    WorkingTimePeriod p;
    p.fromMonth = from;
    p.lastPeriod = last;
    return p;
}

WagePeriod wagePeriod(int32_t from, int32_t last, double hourlyWage) {
    WagePeriod p;
    p.fromMonth = from;
    p.lastPeriod = last;
    p.hourlyWage = hourlyWage;
    return p;
}

// Default chunks of older layouts.
void weekdayHours(ByteBuilder& b, const double (&hours)[7]) {
    for (double h : hours)
        b.f64(h);
}
void weekdayPairs(ByteBuilder& b, const double (&hours)[7], const int32_t (&halfDay)[7]) {
    for (size_t d = 0; d < 7; ++d)
        b.f64(hours[d]).i32(halfDay[d]);
}
void defaultAccount(ByteBuilder& b) {
    b.i32(0).f64(0).i32(0).i32(1).i32(12);
}
void defaultMode(ByteBuilder& b) {
    b.str("RA").f64(160.33).i32(0);
}
void defaultMonthTargets(ByteBuilder& b) {
    b.i32(0);
    for (int m = 0; m < 12; ++m)
        b.f64(0);
}
void defaultNamesVacationEntry(ByteBuilder& b) {
    b.str("").str("").str("");
    b.i32(0).f64(30).f64(0).i32(0);
    b.i32(0).str("");
}
void defaultSurchargesCurrent(ByteBuilder& b) {
    b.i32(5).i32(1).i32(1).f64(42).f64(44).f64(20).f64(50);
    b.i32(1).f64(50).i32(1).f64(100);
    b.i32(1).str("4:00").str("21:00").f64(25);
    b.i32(0).str("").str("").f64(0);
}

const double kDefaultHours[7] = {0, 8, 8, 8, 8, 5, 0};
const double kNoHours[7] = {0, 0, 0, 0, 0, 0, 0};
const int32_t kNoHalfDays[7] = {0, 0, 0, 0, 0, 0, 0};

// ----- archive: current version -----

TEST(SettingsArchive, CurrentRecordRoundTrips) {
    const CEinstArbzt s = test::sampleSettings();
    const CEinstArbzt back = loadRecord(storeRecord(s), 44);
    EXPECT_EQ(describeSettings(back), describeSettings(s));
    EXPECT_TRUE(back == s);
}

TEST(SettingsArchive, CurrentLayoutByteForByte) {
    CEinstArbzt s = named("Ä", 2026);
    s.federalState = "Berlin";
    s.workingTimePeriods[0].halfDayByWeekday[5] = 1;

    ByteBuilder steps1to20;
    steps1to20.str("Ä").i32(2026);
    steps1to20.i32(1).str("Berlin").i32(1).i32(1);
    defaultSurchargesCurrent(steps1to20);
    steps1to20.each({"", "", "", "", "", ""}).i32(0).str("").str("");
    steps1to20.i32(1).i32(1);
    const int32_t breaks[7] = {0, 45, 45, 45, 45, 15, 0};
    for (size_t d = 0; d < 7; ++d)
        steps1to20.f64(kDefaultHours[d]).i32(breaks[d]).i32(d == 5 ? 1 : 0);
    steps1to20.i32(1).i32(0).f64(0).i32(0).i32(0);
    steps1to20.i32(0).f64(0).i32(0).i32(1).i32(12);
    steps1to20.str("RA").f64(160.33).i32(0).i32(0);
    for (int m = 0; m < 12; ++m)
        steps1to20.f64(0);
    steps1to20.i32(1).i32(0).i32(0).f64(0).f64(0).str("").str("");
    steps1to20.str("").str("").str("");
    steps1to20.i32(0).f64(30).f64(0).i32(0);
    steps1to20.i32(0).str("");
    steps1to20.f64(100);
    const std::string head = steps1to20.bytes();

    // Without wage use the record ends after the unplanned vacation text, even with wage periods.
    s.wagePeriods = {wagePeriod(1, 1, 13)};
    EXPECT_EQ(hex(storeRecord(s)), hex(head + ByteBuilder().i32(0).i32(0).i32(0).i32(0).str("").bytes()));

    // The cost evaluation alone brings the wage periods in.
    s.employeeInCostEvaluation = 1;
    s.wagePeriods[0].deviatingHourlyWages["Öl"] = 2.5;
    ByteBuilder tail;
    tail.i32(0).i32(0).i32(1).i32(0).str("");
    tail.i32(1).i32(1).f64(13).f64(0).f64(0).i32(0).f64(0).f64(0).f64(0).f64(0).f64(0).str("");
    tail.i32(1).str("Öl").f64(2.5);
    EXPECT_EQ(hex(storeRecord(s)), hex(head + tail.bytes()));
}

TEST(SettingsArchive, DeviatingWagesInWindows1252Order) {
    // Œ is 0x8C in Windows-1252 but U+0152 in Unicode, so it sorts before Ä (0xC4) only by bytes.
    WagePeriod p;
    p.deviatingHourlyWages = {{"Ärzte", 1}, {"Œl", 2}, {"Zaun", 3}, {"apfel", 4}};
    std::vector<std::string> names;
    for (const auto& [name, wage] : p.deviatingHourlyWages)
        names.push_back(name);
    EXPECT_EQ(names, (std::vector<std::string>{"Zaun", "apfel", "Œl", "Ärzte"}));
}

TEST(SettingsArchive, StoreKeepsEveryPeriodReadable) {
    struct Case {
        const char* what;
        std::vector<WorkingTimePeriod> periods;
        std::vector<WagePeriod> wages;
        std::vector<int32_t> expectedFromMonths;
        std::vector<int32_t> expectedWageFromMonths;
    };
    const Case cases[] = {
        {"a middle period marked last",
         {period(1, 1), period(5, 1), period(9, 0)},
         {wagePeriod(1, 1, 9), wagePeriod(3, 0, 10)},
         {1, 5, 9},
         {1, 3}},
        {"empty lists", {}, {}, {1}, {1}},
    };
    for (const Case& c : cases) {
        CEinstArbzt s;
        s.wagesInMonthEvaluation = 1;
        s.workingTimePeriods = c.periods;
        s.wagePeriods = c.wages;
        const CEinstArbzt back = loadRecord(storeRecord(s), 44);
        std::vector<int32_t> from, lastFlags, wageFrom;
        for (const auto& p : back.workingTimePeriods)
            from.push_back(p.fromMonth);
        for (const auto& p : back.workingTimePeriods)
            lastFlags.push_back(p.lastPeriod);
        for (const auto& p : back.wagePeriods)
            wageFrom.push_back(p.fromMonth);
        EXPECT_EQ(from, c.expectedFromMonths) << c.what;
        EXPECT_EQ(wageFrom, c.expectedWageFromMonths) << c.what;
        std::vector<int32_t> expectedFlags(from.size(), 0);
        expectedFlags.back() = 1;
        EXPECT_EQ(lastFlags, expectedFlags) << c.what;
    }
}

// ----- archive: older versions -----

TEST(SettingsArchive, EveryVersionReadsItsDefaults) {
    for (int32_t v = 1; v <= 44; ++v) {
        CEinstArbzt expected = named("Muster", 2005);
        if (v <= 5) expected.enterPublicHolidaysAutomatically = 0;
        if (v >= 6 && v <= 35) expected.absencesAffectAccount = 0; // derived: no account kept
        EXPECT_EQ(describeSettings(loadRecord(settingsBytes(v), v)), describeSettings(expected))
            << "version " << v;
    }
}

// One wage period with every field that version v stores.
std::string wagePeriodBytes(int32_t v) {
    ByteBuilder b;
    b.i32(1).i32(1).f64(14).f64(22).f64(60).i32(5);
    if (v >= 37) b.f64(3.5).f64(9);
    if (v >= 38) b.f64(1.2).f64(1.8);
    if (v >= 44) b.f64(12.5).str("L7");
    if (v >= 33) b.i32(2).str("Ölwechsel").f64(19.9).str("Abnahme").f64(25);
    return b.bytes();
}

TEST(SettingsArchive, TruncatedRecordsReportTheEndOfTheFile) {
    for (int32_t v = 1; v <= 44; ++v) {
        SettingsBytesOptions o;
        o.keepAccount = true;
        o.wagePeriods = wagePeriodBytes(v);
        const std::string bytes = settingsBytes(v, o);
        loadRecord(bytes, v);
        for (size_t n = 0; n < bytes.size(); ++n) {
            ArchiveReader ar(std::string_view(bytes).substr(0, n), "Test.azr");
            CEinstArbzt s;
            try {
                s.load(ar, v);
                ADD_FAILURE() << "version " << v << " loaded from " << n << " of " << bytes.size()
                              << " bytes";
            } catch (const EndOfFileError& e) {
                EXPECT_STREQ(e.what(), kEndOfFile);
            }
        }
    }
}

TEST(SettingsArchive, HostilePeriodListsStopAtTheEndOfTheFile) {
    // Thirteen periods without the last-period flag cannot be a valid list.
    auto workingTimeFlood = [](int32_t count, bool lastFlagOnFinal) {
        ByteBuilder b;
        b.str("X").i32(2020).i32(1).str("").i32(1).i32(1);
        defaultSurchargesCurrent(b);
        b.each({"", "", "", "", "", ""}).i32(0).str("").str("");
        for (int32_t i = 0; i < count; ++i) {
            b.i32(i + 1).i32(lastFlagOnFinal && i + 1 == count ? 1 : 0);
            for (int d = 0; d < 7; ++d)
                b.i32(0).i32(0).i32(0).i32(0);
            b.i32(0).i32(0).f64(0).i32(0).i32(0);
        }
        return b.bytes() + std::string(4000, '\0');
    };
    {
        const std::string bytes = workingTimeFlood(12, true);
        ArchiveReader ar(bytes, "Test.azr");
        CEinstArbzt s;
        s.load(ar, 44);
        EXPECT_EQ(s.workingTimePeriods.size(), 12u);
    }
    {
        const std::string bytes = workingTimeFlood(13, false);
        ArchiveReader ar(bytes, "Test.azr");
        CEinstArbzt s;
        try {
            s.load(ar, 44);
            ADD_FAILURE() << "a list of thirteen periods was accepted";
        } catch (const EndOfFileError& e) {
            EXPECT_STREQ(e.what(), kEndOfFile);
        }
    }
    // A count of deviating wages that the file cannot hold fails at once.
    SettingsBytesOptions o;
    o.wagePeriods = ByteBuilder().i32(1).i32(1).f64(9).f64(0).f64(0).i32(0).bytes() +
                    std::string(32 + 9, '\0') + ByteBuilder().i32(0x7FFFFFFF).bytes() +
                    std::string(1000, 'x');
    const std::string bytes = settingsBytes(44, o);
    ArchiveReader ar(bytes, "Test.azr");
    CEinstArbzt s;
    try {
        s.load(ar, 44);
        ADD_FAILURE() << "an impossible count was accepted";
    } catch (const EndOfFileError& e) {
        EXPECT_STREQ(e.what(), kEndOfFile);
    }
}

struct OldCase {
    const char* what;
    int32_t version;
    std::string bytes;
    std::function<void(CEinstArbzt&)> expect;
};

std::vector<OldCase> oldCases() {
    std::vector<OldCase> cases;
    {
        ByteBuilder b;
        b.str("Jörg").i32(1999).i32(77);
        cases.push_back({"v3: an extra int32 after the year", 3, b.bytes(), [](CEinstArbzt& e) {
                             e.name = "Jörg";
                             e.year = 1999;
                             e.enterPublicHolidaysAutomatically = 0;
                         }});
    }
    {
        ByteBuilder b;
        b.str("Jörg").i32(2001);
        cases.push_back({"v5: nothing after the year", 5, b.bytes(), [](CEinstArbzt& e) {
                             e.name = "Jörg";
                             e.year = 2001;
                             e.enterPublicHolidaysAutomatically = 0;
                         }});
    }
    {
        ByteBuilder b;
        b.str("Anna").i32(2002).i32(1).str("Bayern").i32(1);
        b.i32(1).i32(1).f64(11.5).f64(20).f64(50).i32(3);
        cases.push_back(
            {"v6: no break check, wage periods of the oldest form", 6, b.bytes(), [](CEinstArbzt& e) {
                 e.name = "Anna";
                 e.year = 2002;
                 e.federalState = "Bayern";
                 e.wagesInMonthEvaluation = 1;
                 e.absencesAffectAccount = 0;
                 WagePeriod w = wagePeriod(1, 1, 11.5);
                 w.vacationPayPerDay = 20;
                 w.standbyPay = 50;
                 w.standbyPayDays = 3;
                 e.wagePeriods = {w};
             }});
    }
    {
        ByteBuilder b;
        b.str("Bert").i32(2003).i32(0).str("").i32(0);
        b.i32(0).i32(15);
        weekdayHours(b, kNoHours);
        b.i32(1).f64(12.5).i32(1).i32(3).i32(11);
        b.i32(0);
        cases.push_back(
            {"v9: surcharges off, no weekday hours, account without mode", 9, b.bytes(), [](CEinstArbzt& e) {
                 e.name = "Bert";
                 e.year = 2003;
                 e.enterPublicHolidaysAutomatically = 0;
                 e.checkBreakTimes = 0;
                 e.enforceCorrectBreakTimes = 0;
                 e.overtimeRoundingMinutes = 15;
                 e.surcharge1On = e.surcharge2On = e.sundaySurchargeOn = e.holidaySurchargeOn = 0;
                 e.nightSurchargeOn = 0;
                 WorkingTimePeriod& p = e.workingTimePeriods[0];
                 p.hoursByWeekday = {};
                 p.fixedRegularWorkingDays = 0;
                 p.workingDaysPerWeek = 5;
                 p.hoursPerWorkingDay = 8.0;
                 p.breakMinutesPerWorkingDay = 45;
                 e.keepWorkingTimeAccount = 1;
                 e.accountCarryOver = 12.5;
                 e.convertSurchargesIntoHours = 1;
                 e.accountFromMonth = 3;
                 e.accountToMonth = 11;
                 e.absencesAffectAccount = 1;
             }});
    }
    {
        ByteBuilder b;
        b.str("Carla").i32(2004).i32(1).str("Hessen").i32(1);
        b.i32(1).i32(5).f64(38).i32(0).str("5:00").str("22:00").i32(99);
        weekdayHours(b, {0, 7, 7, 7, 7, 6, 0});
        b.i32(1).f64(0).i32(0).i32(1).i32(12);
        b.str("MA").f64(150).i32(1);
        b.i32(0);
        cases.push_back({"v13: threshold T, night fields without percent", 13, b.bytes(), [](CEinstArbzt& e) {
                             e.name = "Carla";
                             e.year = 2004;
                             e.federalState = "Hessen";
                             e.surcharge1FromWeeklyHours = 40;
                             e.surcharge2FromWeeklyHours = 42;
                             e.nightSurchargeOn = 0;
                             e.nightEnd = "5:00";
                             e.nightBegin = "22:00";
                             e.workingTimePeriods[0].hoursByWeekday = {0, 7, 7, 7, 7, 6, 0};
                             e.keepWorkingTimeAccount = 1;
                             e.accountMode = "MA";
                             e.monthlyTargetHours = 150;
                             e.printDailyDeviations = 1;
                             e.absencesAffectAccount = 0;
                         }});
    }
    {
        ByteBuilder b;
        b.str("Dora").i32(2005).i32(1).str("").i32(1);
        b.i32(1).i32(5).f64(39).i32(1).str("4:00").str("21:00").i32(0).i32(30);
        weekdayHours(b, kNoHours);
        defaultAccount(b);
        defaultMode(b);
        b.i32(1);
        for (int m = 1; m <= 12; ++m)
            b.f64(m * 10.0);
        b.str("Km").str("Öl").str("");
        b.i32(1).f64(28).f64(3.5).i32(1).i32(1).str("7:30");
        b.i32(0);
        cases.push_back({"v18: integer night percent, monthly targets, vacation, no spread fields", 18,
                         b.bytes(), [](CEinstArbzt& e) {
                             e.name = "Dora";
                             e.year = 2005;
                             e.surcharge1FromWeeklyHours = 41;
                             e.surcharge2FromWeeklyHours = 43;
                             e.nightPercent = 30;
                             e.targetDependsOnMonth = 1;
                             for (int m = 0; m < 12; ++m)
                                 e.monthlyTargetHoursPerMonth[m] = (m + 1) * 10.0;
                             e.calculationFieldNames = {"Km", "Öl", ""};
                             e.manageRemainingVacation = 1;
                             e.vacationEntitlement = 28;
                             e.remainingVacationPreviousYear = 3.5;
                             e.countVacationOnWeekendsAndHolidays = 1;
                             e.dayEnteredAsOneValue = 1;
                             e.defaultStartOfWork = "7:30";
                             WorkingTimePeriod& p = e.workingTimePeriods[0];
                             p.hoursByWeekday = {};
                             p.fixedRegularWorkingDays = 0;
                             p.workingDaysPerWeek = 5;
                             p.hoursPerWorkingDay = 8.0;
                             p.breakMinutesPerWorkingDay = 45;
                             e.absencesAffectAccount = 0;
                         }});
    }
    {
        ByteBuilder b;
        b.str("Emil").i32(2006).i32(1).str("").i32(0);
        b.i32(1).i32(5).f64(36).i32(1).str("4:00").str("21:00").i32(0).i32(25);
        weekdayPairs(b, {0, 8, 8, 8, 8, 4, 0}, {0, 0, 0, 0, 0, 1, 0});
        defaultAccount(b);
        defaultMode(b);
        defaultMonthTargets(b);
        defaultNamesVacationEntry(b);
        b.i32(0).i32(4).f64(7.5);
        b.i32(0);
        cases.push_back(
            {"v20: half days, spread fields without hours basis", 20, b.bytes(), [](CEinstArbzt& e) {
                 e.name = "Emil";
                 e.year = 2006;
                 e.checkBreakTimes = 0;
                 e.enforceCorrectBreakTimes = 0;
                 e.surcharge1FromWeeklyHours = 38;
                 e.surcharge2FromWeeklyHours = 40;
                 WorkingTimePeriod& p = e.workingTimePeriods[0];
                 p.hoursByWeekday = {0, 8, 8, 8, 8, 4, 0};
                 p.halfDayByWeekday = {0, 0, 0, 0, 0, 1, 0};
                 p.fixedRegularWorkingDays = 0;
                 p.workingDaysPerWeek = 4;
                 p.hoursPerWorkingDay = 7.5;
                 p.breakMinutesPerWorkingDay = 45;
                 e.absencesAffectAccount = 0;
             }});
    }
    {
        ByteBuilder b;
        b.str("Fritz").i32(2007).i32(1).str("").i32(1).i32(0);
        b.i32(1).i32(10).f64(40).f64(45).f64(25).f64(0).f64(60).f64(0);
        b.i32(1).str("4:00").str("21:00").i32(0).i32(40);
        weekdayPairs(b, kDefaultHours, kNoHalfDays);
        defaultAccount(b);
        defaultMode(b);
        defaultMonthTargets(b);
        defaultNamesVacationEntry(b);
        b.i32(1).i32(0).f64(0).i32(1);
        b.i32(0);
        cases.push_back({"v24: four surcharge values, percents switch surcharges off, hours basis", 24,
                         b.bytes(), [](CEinstArbzt& e) {
                             e.name = "Fritz";
                             e.year = 2007;
                             e.enforceCorrectBreakTimes = 0;
                             e.overtimeRoundingMinutes = 10;
                             e.surcharge1FromWeeklyHours = 40;
                             e.surcharge2FromWeeklyHours = 45;
                             e.surcharge1Percent = 25;
                             e.surcharge2Percent = 0;
                             e.surcharge2On = 0;
                             e.sundayPercent = 60;
                             e.holidayPercent = 0;
                             e.holidaySurchargeOn = 0;
                             e.nightPercent = 40;
                             e.workingTimePeriods[0].hoursBasis = 1;
                             e.absencesAffectAccount = 0;
                         }});
    }
    {
        ByteBuilder b;
        b.str("Greta").i32(2008).i32(1).str("").i32(1).i32(1);
        b.i32(1).i32(5).f64(42).f64(44).f64(20).f64(50).f64(50).f64(100);
        b.i32(1).str("4:00").str("21:00").i32(0).i32(25);
        weekdayPairs(b, kDefaultHours, kNoHalfDays);
        defaultAccount(b);
        defaultMode(b);
        defaultMonthTargets(b);
        defaultNamesVacationEntry(b);
        b.i32(1).i32(0).f64(0).i32(0);
        b.f64(80).i32(0).i32(1);
        b.i32(1).i32(0).f64(10).f64(0).f64(0).i32(0);
        b.i32(7).i32(1).f64(12).f64(0).f64(0).i32(0);
        cases.push_back({"v26: standby rating, customer query flag brings wage periods", 26, b.bytes(),
                         [](CEinstArbzt& e) {
                             e.name = "Greta";
                             e.year = 2008;
                             e.standbyRatingPercent = 80;
                             e.wagesAsCostsInCustomerQuery = 1;
                             e.wagePeriods = {wagePeriod(1, 0, 10), wagePeriod(7, 1, 12)};
                             e.absencesAffectAccount = 0;
                         }});
    }
    {
        ByteBuilder b;
        b.str("Hanna").i32(2009).i32(1).str("").i32(1).i32(1);
        b.i32(1).i32(5).f64(42).f64(44).f64(20).f64(50).f64(50).f64(100);
        b.i32(1).str("4:00").str("21:00").i32(0).f64(27.5);
        b.i32(1).str("18:00").str("13:00").i32(0).f64(10);
        weekdayPairs(b, kDefaultHours, kNoHalfDays);
        defaultAccount(b);
        defaultMode(b);
        defaultMonthTargets(b);
        defaultNamesVacationEntry(b);
        b.i32(1).i32(0).f64(0).i32(0);
        b.f64(100).i32(0).i32(0);
        cases.push_back(
            {"v29: float night percent and the Saturday block", 29, b.bytes(), [](CEinstArbzt& e) {
                 e.name = "Hanna";
                 e.year = 2009;
                 e.nightPercent = 27.5;
                 e.saturdaySurchargeOn = 1;
                 e.saturdayEnd = "18:00";
                 e.saturdayBegin = "13:00";
                 e.saturdayPercent = 10;
                 e.absencesAffectAccount = 0;
             }});
    }
    {
        ByteBuilder b;
        b.str("Ida").i32(2010).i32(1).str("").i32(1).i32(1);
        b.i32(5).i32(1).i32(0).f64(42).f64(44).f64(20).f64(50);
        b.i32(0).f64(50).i32(1).f64(100);
        b.i32(1).str("4:00").str("21:00").f64(25);
        b.i32(0).str("").str("").f64(0);
        weekdayPairs(b, {0, 6, 6, 6, 6, 6, 0}, kNoHalfDays);
        b.i32(1).f64(-3.25).i32(0).i32(1).i32(12);
        defaultMode(b);
        defaultMonthTargets(b);
        defaultNamesVacationEntry(b);
        b.i32(0).i32(5).f64(6.0).i32(1);
        b.f64(100).i32(0).i32(0);
        cases.push_back(
            {"v31: current surcharge block, spread period fields", 31, b.bytes(), [](CEinstArbzt& e) {
                 e.name = "Ida";
                 e.year = 2010;
                 e.surcharge2On = 0;
                 e.sundaySurchargeOn = 0;
                 WorkingTimePeriod& p = e.workingTimePeriods[0];
                 p.hoursByWeekday = {0, 6, 6, 6, 6, 6, 0};
                 p.fixedRegularWorkingDays = 0;
                 p.workingDaysPerWeek = 5;
                 p.hoursPerWorkingDay = 6.0;
                 p.breakMinutesPerWorkingDay = 15;
                 p.hoursBasis = 1;
                 e.keepWorkingTimeAccount = 1;
                 e.accountCarryOver = -3.25;
                 e.absencesAffectAccount = 1;
             }});
    }
    {
        ByteBuilder b;
        b.str("Jan").i32(2011).i32(1).str("").i32(1).i32(1);
        defaultSurchargesCurrent(b);
        b.i32(1).i32(0);
        weekdayPairs(b, {0, 8, 8, 8, 8, 8, 0}, kNoHalfDays);
        b.i32(1).i32(0).f64(7.5).i32(0);
        b.i32(7).i32(1);
        weekdayPairs(b, kNoHours, kNoHalfDays);
        b.i32(0).i32(3).f64(3.0).i32(1);
        defaultAccount(b);
        defaultMode(b);
        defaultMonthTargets(b);
        defaultNamesVacationEntry(b);
        b.f64(100).i32(0).i32(0);
        cases.push_back({"v32: period list without weekday breaks", 32, b.bytes(), [](CEinstArbzt& e) {
                             e.name = "Jan";
                             e.year = 2011;
                             WorkingTimePeriod p1 = period(1, 0);
                             p1.hoursByWeekday = {0, 8, 8, 8, 8, 8, 0};
                             p1.hoursPerWorkingDay = 7.5;
                             p1.breakMinutesPerWorkingDay = 45;
                             WorkingTimePeriod p2 = period(7, 1);
                             p2.hoursByWeekday = {};
                             p2.fixedRegularWorkingDays = 0;
                             p2.workingDaysPerWeek = 3;
                             p2.hoursPerWorkingDay = 3.0;
                             p2.hoursBasis = 1;
                             e.workingTimePeriods = {p1, p2};
                             e.absencesAffectAccount = 0;
                         }});
    }
    {
        ByteBuilder b;
        b.str("Karl").i32(2012).i32(1).str("Sachsen").i32(1).i32(1);
        defaultSurchargesCurrent(b);
        b.each({"L1", "L2", "LSo", "LFt", "LNa", "LSa"});
        b.i32(1).i32(1);
        const int32_t breaks[7] = {0, 30, 30, 30, 30, 0, 0};
        for (size_t d = 0; d < 7; ++d)
            b.f64(kDefaultHours[d]).i32(breaks[d]).i32(0);
        b.i32(1).i32(0).f64(0).i32(0);
        b.i32(1).f64(0).i32(0).i32(1).i32(12);
        b.str("WA").f64(160.33).i32(0);
        defaultMonthTargets(b);
        b.i32(1).i32(0).f64(20).f64(0).str("LM").str("LW");
        defaultNamesVacationEntry(b);
        b.f64(100).i32(0).i32(0);
        cases.push_back({"v34: wage types, weekday breaks, payout block", 34, b.bytes(), [](CEinstArbzt& e) {
                             e.name = "Karl";
                             e.year = 2012;
                             e.federalState = "Sachsen";
                             e.wageTypeSurcharge1 = "L1";
                             e.wageTypeSurcharge2 = "L2";
                             e.wageTypeSunday = "LSo";
                             e.wageTypeHoliday = "LFt";
                             e.wageTypeNight = "LNa";
                             e.wageTypeSaturday = "LSa";
                             e.workingTimePeriods[0].breakMinutesByWeekday = {0, 30, 30, 30, 30, 0, 0};
                             e.keepWorkingTimeAccount = 1;
                             e.accountMode = "WA";
                             e.absencesAffectAccount = 0;
                             e.monthlyPayoutOn = 1;
                             e.monthlyPayoutThreshold = 20;
                             e.wageTypeMonthlyPayout = "LM";
                             e.wageTypeWeeklyPayout = "LW";
                         }});
    }
    return cases;
}

TEST(SettingsArchive, OlderVersionsByteByByte) {
    for (const OldCase& c : oldCases()) {
        CEinstArbzt expected;
        c.expect(expected);
        EXPECT_EQ(describeSettings(loadRecord(c.bytes, c.version)), describeSettings(expected)) << c.what;
    }
}

TEST(SettingsArchive, LaterAdditionsOfVersions35To43) {
    struct Case {
        const char* what;
        int32_t version;
        std::string bytes;
        std::function<void(CEinstArbzt&)> expect;
    };
    auto account = [](const char* mode) {
        SettingsBytesOptions o;
        o.keepAccount = true;
        o.accountMode = mode;
        return o;
    };
    auto hours = [](double h) {
        SettingsBytesOptions o;
        o.fixedRegularWorkingDays = false;
        o.hoursPerWorkingDay = h;
        return o;
    };
    auto withHours = [](double h, int32_t breakMinutes) {
        return [h, breakMinutes](CEinstArbzt& e) {
            WorkingTimePeriod& p = e.workingTimePeriods[0];
            p.fixedRegularWorkingDays = 0;
            p.workingDaysPerWeek = 5;
            p.hoursPerWorkingDay = h;
            p.breakMinutesPerWorkingDay = breakMinutes;
        };
    };
    auto withAccount = [](const char* mode, int32_t absences) {
        return [mode, absences](CEinstArbzt& e) {
            e.keepWorkingTimeAccount = 1;
            e.accountMode = mode;
            e.absencesAffectAccount = absences;
        };
    };
    const Case cases[] = {
        {"v35 account in RA: absences affect it", 35, settingsBytes(35, account("RA")), withAccount("RA", 1)},
        {"v35 account in MA: absences do not", 35, settingsBytes(35, account("MA")), withAccount("MA", 0)},
        {"v36 stores the flag", 36, settingsBytes(36, account("MA")), withAccount("MA", 1)},
        {"v40 7.5 hours: 45 minutes", 40, settingsBytes(40, hours(7.5)), withHours(7.5, 45)},
        {"v40 5 hours: 15 minutes", 40, settingsBytes(40, hours(5)), withHours(5, 15)},
        {"v40 3 hours: no break", 40, settingsBytes(40, hours(3)), withHours(3, 0)},
        {"v41 stores the break", 41, settingsBytes(41, hours(7.5)), withHours(7.5, 0)},
    };
    for (const Case& c : cases) {
        CEinstArbzt expected = named("Muster", 2005);
        c.expect(expected);
        EXPECT_EQ(describeSettings(loadRecord(c.bytes, c.version)), describeSettings(expected)) << c.what;
    }

    // The fields that versions 35, 41, 42 and 43 added, each at its place.
    ByteBuilder b;
    b.str("Lena").i32(2020).i32(1).str("").i32(1).i32(1);
    defaultSurchargesCurrent(b);
    b.each({"", "", "", "", "", ""}).i32(1).str("G-So").str("G-Ft");
    b.i32(1).i32(1);
    const int32_t breaks[7] = {0, 45, 45, 45, 45, 15, 0};
    for (size_t d = 0; d < 7; ++d)
        b.f64(kDefaultHours[d]).i32(breaks[d]).i32(0);
    b.i32(1).i32(0).f64(0).i32(0).i32(20);
    defaultAccount(b);
    defaultMode(b);
    defaultMonthTargets(b);
    b.i32(1).i32(0).i32(0).f64(0).f64(0).str("").str("");
    defaultNamesVacationEntry(b);
    b.f64(100).i32(0).i32(0).i32(0).i32(1).str("2 Tage");
    CEinstArbzt expected = named("Lena", 2020);
    expected.weekEndsAtMonthEnd = 1;
    expected.basePayWageTypeSunday = "G-So";
    expected.basePayWageTypeHoliday = "G-Ft";
    expected.workingTimePeriods[0].breakMinutesPerWorkingDay = 20;
    expected.salariedEmployee = 1;
    expected.unplannedVacationText = "2 Tage";
    EXPECT_EQ(describeSettings(loadRecord(b.bytes(), 43)), describeSettings(expected));
}

TEST(SettingsArchive, WagePeriodFieldsByVersion) {
    for (int32_t v : {6, 32, 33, 36, 37, 38, 43, 44}) {
        SettingsBytesOptions o;
        o.wagePeriods = wagePeriodBytes(v);
        const CEinstArbzt s = loadRecord(settingsBytes(v, o), v);
        ASSERT_EQ(s.wagePeriods.size(), 1u) << v;
        WagePeriod expected = wagePeriod(1, 1, 14);
        expected.vacationPayPerDay = 22;
        expected.standbyPay = 60;
        expected.standbyPayDays = 5;
        if (v >= 37) expected.employerCostPerHour = 3.5, expected.valueCreationPerHour = 9;
        if (v >= 38) expected.employerCostFactor = 1.2, expected.valueCreationFactor = 1.8;
        if (v >= 44) expected.shiftAllowancePercent = 12.5, expected.shiftAllowanceWageType = "L7";
        if (v >= 33) expected.deviatingHourlyWages = {{"Ölwechsel", 19.9}, {"Abnahme", 25}};
        EXPECT_TRUE(s.wagePeriods[0] == expected) << "version " << v << "\n" << describeSettings(s);
    }
}

// ----- operations -----

TEST(SettingsOperations, PeriodForMonth) {
    CEinstArbzt s;
    WorkingTimePeriod first = period(1, 0);
    first.hoursPerWorkingDay = 1;
    WorkingTimePeriod second = period(7, 1);
    second.hoursPerWorkingDay = 2;
    s.workingTimePeriods = {first, second};
    s.wagePeriods = {wagePeriod(3, 0, 10), wagePeriod(9, 1, 11)};
    const struct {
        int32_t month;
        double hours;
        double wage; // 0: no wage period
    } cases[] = {{1, 1, 0}, {3, 1, 10}, {6, 1, 10}, {7, 2, 10}, {9, 2, 11}, {12, 2, 11}};
    for (const auto& c : cases) {
        EXPECT_EQ(s.periodForMonth(c.month).hoursPerWorkingDay, c.hours) << c.month;
        if (c.wage == 0) {
            EXPECT_THROW_MSG(s.wagePeriodForMonth(c.month), "Zeiger nicht besetzt") << c.month;
        } else {
            EXPECT_EQ(s.wagePeriodForMonth(c.month).hourlyWage, c.wage) << c.month;
        }
    }
    s.workingTimePeriods.clear();
    EXPECT_THROW_MSG(s.periodForMonth(5),
                     "Die Arbeitszeit-Einstellungen sind nicht vorhanden. Bitte prüfen Sie nochmal die "
                     "Angaben unter 'Extras' - 'Einstellungen der aktuellen Datei' oder legen Sie die "
                     "Datei neu an.");
}

TEST(SettingsOperations, MonthlyTarget) {
    CEinstArbzt s;
    s.monthlyTargetHours = 151;
    s.monthlyTargetHoursPerMonth[2] = 170;
    EXPECT_EQ(s.monthlyTarget(3), 151);
    s.targetDependsOnMonth = 1;
    EXPECT_EQ(s.monthlyTarget(3), 170);
    EXPECT_EQ(s.monthlyTarget(4), 0);
    EXPECT_EQ(s.monthlyTarget(13), 151); // no month of the year: never outside the twelve values
}

TEST(SettingsOperations, BreakMinutesForDate) {
    CEinstArbzt s;
    WorkingTimePeriod fromJuly = period(7, 1);
    fromJuly.fixedRegularWorkingDays = 0;
    fromJuly.breakMinutesPerWorkingDay = 30;
    s.workingTimePeriods = {period(1, 0), fromJuly};
    const struct {
        Datum date;
        int32_t checkBreakTimes;
        int32_t expected;
    } cases[] = {
        {{2, 3, 2026}, 1, 45}, // Monday
        {{6, 3, 2026}, 1, 15}, // Friday
        {{8, 3, 2026}, 1, 0},  // Sunday
        {{6, 7, 2026}, 1, 30}, // per working day from July
        {{2, 3, 2026}, 0, 0},  // checking off
        {{30, 2, 2026}, 1, 0}, // no such date
        {{1, 13, 2026}, 1, 0},
    };
    for (const auto& c : cases) {
        s.checkBreakTimes = c.checkBreakTimes;
        EXPECT_EQ(s.breakMinutesForDate(c.date), c.expected) << c.date.day << "." << c.date.month;
    }
}

TEST(SettingsOperations, DailyTargetHoursByWeekdayOrPerWorkingDay) {
    CEinstArbzt s;
    WorkingTimePeriod fromJuly = period(7, 1);
    fromJuly.fixedRegularWorkingDays = 0;
    fromJuly.hoursPerWorkingDay = 7.5;
    s.workingTimePeriods = {period(1, 0), fromJuly};
    const struct {
        Datum date;
        double expected;
    } cases[] = {
        {{2, 3, 2026}, 8.0}, // Monday
        {{6, 3, 2026}, 5.0}, // Friday
        {{8, 3, 2026}, 0.0}, // Sunday
        {{5, 7, 2026}, 7.5}, // a Sunday, but from July no fixed working days
        {{30, 2, 2026}, 0.0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dailyTargetHours(s, c.date), c.expected) << c.date.day << "." << c.date.month;
}

TEST(SettingsOperations, AverageAndWeeklyHours) {
    const struct {
        const char* what;
        int32_t fixed;
        std::array<double, 7> hours;
        std::array<int32_t, 7> halfDay;
        double expectedAverage;
        double expectedWeekly;
    } cases[] = {
        {"Friday half day counts double", 1, {0, 8, 8, 8, 8, 4, 0}, {0, 0, 0, 0, 0, 1, 0}, 8.0, 36.0},
        {"rounded half away from zero", 1, {0, 7, 7.25, 0, 0, 0, 0}, {}, 7.13, 14.25},
        {"no working day", 1, {}, {}, 0.0, 0.0},
        {"without fixed days: days x hours", 0, {0, 8, 8, 8, 8, 4, 0}, {}, 7.5, 30.0},
    };
    CEinstArbzt s;
    for (const auto& c : cases) {
        WorkingTimePeriod p;
        p.fixedRegularWorkingDays = c.fixed;
        p.hoursByWeekday = c.hours;
        p.halfDayByWeekday = c.halfDay;
        p.workingDaysPerWeek = 4;
        p.hoursPerWorkingDay = 7.5;
        EXPECT_DOUBLE_EQ(s.averageDailyHours(p), c.expectedAverage) << c.what;
        EXPECT_DOUBLE_EQ(s.weeklyRegularHours(p), c.expectedWeekly) << c.what;
    }
}

TEST(SettingsOperations, AverageFollowsChangesOfACopy) {
    WorkingTimePeriod p;
    EXPECT_DOUBLE_EQ(p.averageDailyHours(), 7.4);
    WorkingTimePeriod copy = p; // a dialog copy, edited afterwards
    copy.hoursByWeekday[5] = 8;
    EXPECT_DOUBLE_EQ(copy.averageDailyHours(), 8.0);
    copy.fixedRegularWorkingDays = 0;
    copy.hoursPerWorkingDay = 6;
    EXPECT_DOUBLE_EQ(copy.averageDailyHours(), 6.0);
}

TEST(SettingsOperations, AccountPredicates) {
    const struct {
        int32_t keep, from, to, print, convert;
        const char* mode;
        int32_t month;
        bool active, ra, wa, ma, daily, intoHours;
    } cases[] = {
        {0, 1, 12, 1, 1, "RA", 5, false, false, false, false, false, false},
        {1, 3, 10, 0, 1, "RA", 2, false, false, false, false, false, false},
        {1, 3, 10, 0, 1, "RA", 3, true, true, false, false, true, true},
        {1, 3, 10, 0, 0, "WA", 10, true, false, true, false, false, false},
        {1, 3, 10, 1, 0, "WA", 10, true, false, true, false, true, false},
        {1, 3, 10, 0, 1, "MA", 11, false, false, false, false, false, false},
        {1, 1, 12, 0, 1, "MA", 12, true, false, false, true, false, true},
    };
    for (const auto& c : cases) {
        CEinstArbzt s;
        s.keepWorkingTimeAccount = c.keep;
        s.accountFromMonth = c.from;
        s.accountToMonth = c.to;
        s.printDailyDeviations = c.print;
        s.convertSurchargesIntoHours = c.convert;
        s.accountMode = c.mode;
        const std::string at = std::string(c.mode) + " month " + std::to_string(c.month);
        EXPECT_EQ(s.accountActive(c.month), c.active) << at;
        EXPECT_EQ(s.isModeRA(c.month), c.ra) << at;
        EXPECT_EQ(s.isModeWA(c.month), c.wa) << at;
        EXPECT_EQ(s.isModeMA(c.month), c.ma) << at;
        EXPECT_EQ(s.dailyDeviationsNeeded(c.month), c.daily) << at;
        EXPECT_EQ(s.surchargesIntoHours(c.month), c.intoHours) << at;
    }
}

TEST(SettingsOperations, WagesUsedByTheThreeUseFlags) {
    CEinstArbzt s;
    s.salariedEmployee = 1;
    EXPECT_FALSE(s.wagesUsed());
    for (int32_t CEinstArbzt::*flag :
         {&CEinstArbzt::wagesInMonthEvaluation, &CEinstArbzt::wagesAsCostsInCustomerQuery,
          &CEinstArbzt::employeeInCostEvaluation}) {
        CEinstArbzt t;
        t.*flag = 1;
        EXPECT_TRUE(t.wagesUsed());
    }
}

TEST(SettingsOperations, CompleteDefaultsSetsTheYear) {
    const struct {
        int32_t year;
        Datum today;
        int32_t expected;
    } cases[] = {{0, {30, 11, 2025}, 2025}, {0, {1, 12, 2025}, 2026}, {2019, {1, 12, 2025}, 2019}};
    for (const auto& c : cases) {
        CEinstArbzt s;
        s.year = c.year;
        s.completeDefaults(FixedClock(c.today));
        EXPECT_EQ(s.year, c.expected);
    }
}

// ----- copy from another year file -----

CEinstArbzt copySource() {
    CEinstArbzt s =
        test::sampleSettings(); // name "Jörg Weiß", 2026, account 2..11, three periods, two wage periods
    s.accountToMonth = 12;
    return s;
}

TEST(SettingsCopy, CopiesTheRulesButNotTheOwner) {
    const CEinstArbzt source = copySource();
    CEinstArbzt target = named("Jörg Weiß", 2027);
    target.copyFrom(source, 7.5, 33.25);
    // Everything except the owner, the account months and carry-over, the remaining vacation and
    // the periods is the source's.
    CEinstArbzt expected = source;
    expected.year = 2027;
    expected.accountFromMonth = 1;
    expected.remainingVacationPreviousYear = 7.5;
    expected.accountCarryOver = 33.25;
    WorkingTimePeriod last = source.workingTimePeriods.back();
    last.fromMonth = 1;
    expected.workingTimePeriods = {last};
    WagePeriod lastWage = source.wagePeriods.back();
    lastWage.fromMonth = 1;
    expected.wagePeriods = {lastWage};
    EXPECT_EQ(describeSettings(target), describeSettings(expected));
}

TEST(SettingsCopy, PersonAccountAndPeriods) {
    const struct {
        const char* what;
        const char* targetName;
        int32_t targetYear;
        int32_t sourceManages, sourceKeeps, sourceTo;
        double remaining;
        int32_t keep, from, to;
        double carryOver;
        size_t periods;
    } cases[] = {
        {"same person: computed values", "Jörg Weiß", 2027, 1, 1, 12, 7.5, 1, 1, 12, 33.25, 1},
        {"same person, vacation not managed", "Jörg Weiß", 2027, 0, 1, 12, 4.5, 1, 1, 12, 33.25, 1},
        {"same person, account ended in November", "Jörg Weiß", 2027, 1, 1, 11, 7.5, 0, 1, 12, 0, 1},
        {"source keeps no account", "Jörg Weiß", 2027, 1, 0, 11, 7.5, 0, 1, 12, 0, 1},
        {"another person: stored values", "Anna", 2027, 1, 1, 11, 4.5, 1, 2, 11, -12.75, 3},
        {"another person keeps no account", "Anna", 2027, 1, 0, 11, 4.5, 0, 1, 12, 0, 3},
        {"no name, same year: another person", "", 2026, 1, 1, 12, 4.5, 1, 2, 12, -12.75, 3},
        {"no name, other year: same person", "", 2027, 1, 1, 12, 7.5, 1, 1, 12, 33.25, 1},
    };
    for (const auto& c : cases) {
        CEinstArbzt source = copySource();
        source.manageRemainingVacation = c.sourceManages;
        source.keepWorkingTimeAccount = c.sourceKeeps;
        source.accountToMonth = c.sourceTo;
        CEinstArbzt target = named(c.targetName, c.targetYear);
        target.copyFrom(source, 7.5, 33.25);
        EXPECT_EQ(target.remainingVacationPreviousYear, c.remaining) << c.what;
        EXPECT_EQ(target.keepWorkingTimeAccount, c.keep) << c.what;
        EXPECT_EQ(target.accountFromMonth, c.from) << c.what;
        EXPECT_EQ(target.accountToMonth, c.to) << c.what;
        EXPECT_EQ(target.accountCarryOver, c.carryOver) << c.what;
        EXPECT_EQ(target.workingTimePeriods.size(), c.periods) << c.what;
        EXPECT_EQ(target.wagePeriods.size(), c.periods == 1 ? 1u : 2u) << c.what;
        EXPECT_EQ(target.workingTimePeriods.front().fromMonth, 1) << c.what;
        EXPECT_EQ(target.workingTimePeriods.back().lastPeriod, 1) << c.what;
        EXPECT_EQ(target.name, c.targetName) << c.what;
        EXPECT_EQ(target.year, c.targetYear) << c.what;
    }
}

TEST(SettingsCopy, WagePeriodsOnlyWhenWagesAreUsed) {
    CEinstArbzt source = copySource();
    source.wagesInMonthEvaluation = source.wagesAsCostsInCustomerQuery = source.employeeInCostEvaluation = 0;
    CEinstArbzt target = named("Anna", 2027);
    target.copyFrom(source, 0, 0);
    EXPECT_TRUE(target.wagePeriods.empty());
}

} // namespace
} // namespace lorvan
