#pragma once

#include "foundation/archive.h"
#include "yearfile/settings.h"

#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

// Building settings records of any file version byte by byte, and a field-by-field text of a
// record whose differences gtest shows line by line.
namespace lorvan::test {

// Archive bytes written field by field in the order a test lists them.
class ByteBuilder {
  public:
    ByteBuilder& i32(int32_t v) {
        w_.writeInt32(v);
        return *this;
    }
    ByteBuilder& f64(double v) {
        w_.writeFloat64(v);
        return *this;
    }
    ByteBuilder& str(std::string_view utf8) {
        w_.writeString(utf8);
        return *this;
    }
    template <typename T, size_t N> ByteBuilder& each(const T (&values)[N]) {
        for (const T& v : values)
            add(v);
        return *this;
    }
    ByteBuilder& raw(std::string_view bytes) {
        for (char c : bytes)
            w_.writeUInt8(static_cast<uint8_t>(c));
        return *this;
    }
    const std::string& bytes() const { return w_.bytes(); }

  private:
    void add(int32_t v) { i32(v); }
    void add(double v) { f64(v); }
    void add(const char* v) { str(v); }

    ArchiveWriter w_;
};

// What settingsBytes writes besides the defaults of a new record.
struct SettingsBytesOptions {
    std::string name = "Muster";
    int32_t year = 2005;
    // Keep a working-time account in this mode (stored from version 8, the mode from 10).
    bool keepAccount = false;
    std::string accountMode = "RA";
    // Regular working time without fixed working days (stored from version 19), else the default
    // hours by weekday.
    bool fixedRegularWorkingDays = true;
    double hoursPerWorkingDay = 0.0;
    // Non-empty: the flag "wages in the month evaluation" is set and these bytes (the wage periods,
    // in the layout of the version) follow. Versions below 6 store no wages.
    std::string wagePeriods{};
};

// The settings record of a new file as the given version (1 to 44) stored it: every field holds
// the default of a new record, except what the options say.
inline std::string settingsBytes(int32_t v, const SettingsBytesOptions& o = {}) {
    ByteBuilder b;
    b.str(o.name).i32(o.year);
    if (v <= 3) b.i32(0);
    if (v <= 5) return b.bytes();
    b.i32(1).str("");
    if (v >= 7) b.i32(1);
    if (v >= 21) b.i32(1);
    if (v >= 30) {
        b.i32(5).i32(1).i32(1).f64(42).f64(44).f64(20).f64(50);
        b.i32(1).f64(50).i32(1).f64(100);
        b.i32(1).str("4:00").str("21:00").f64(25);
        b.i32(0).str("").str("").f64(0);
    } else if (v >= 9) {
        b.i32(1).i32(5);
        if (v >= 22)
            b.f64(42).f64(44).f64(20).f64(50);
        else if (v >= 10)
            b.f64(40);
        if (v >= 23) b.f64(50).f64(100);
        if (v >= 13) b.i32(1).str("4:00").str("21:00").i32(0);
        if (v == 29)
            b.f64(25);
        else if (v >= 14)
            b.i32(25);
        if (v == 29) b.i32(0).str("").str("").i32(0).f64(0);
    }
    if (v >= 34) b.each({"", "", "", "", "", ""});
    if (v >= 35) b.i32(0);
    if (v >= 43) b.str("").str("");
    const double hours[7] = {0, 8, 8, 8, 8, 5, 0};
    const int32_t breaks[7] = {0, 45, 45, 45, 45, 15, 0};
    if (v >= 32) {
        b.i32(1).i32(1);
        for (int d = 0; d < 7; ++d) {
            b.f64(hours[d]);
            if (v >= 34) b.i32(breaks[d]);
            b.i32(0);
        }
        b.i32(o.fixedRegularWorkingDays ? 1 : 0)
            .i32(o.fixedRegularWorkingDays ? 0 : 5)
            .f64(o.hoursPerWorkingDay)
            .i32(0);
        if (v >= 41) b.i32(0);
    } else if (v >= 8) {
        for (int d = 0; d < 7; ++d) {
            b.f64(hours[d]);
            if (v >= 20) b.i32(0);
        }
    }
    if (v >= 8) b.i32(o.keepAccount ? 1 : 0).f64(0).i32(0).i32(1).i32(12);
    if (v >= 10) b.str(o.accountMode).f64(160.33).i32(0);
    if (v >= 15) {
        b.i32(0);
        for (int m = 0; m < 12; ++m)
            b.f64(0);
    }
    if (v >= 36) b.i32(1);
    if (v >= 34) b.i32(0).i32(0).f64(0).f64(0).str("").str("");
    if (v >= 16) b.str("").str("").str("");
    if (v >= 17) b.i32(0).f64(30).f64(0).i32(0).i32(0).str("");
    if (v >= 19 && v <= 31) {
        b.i32(o.fixedRegularWorkingDays ? 1 : 0)
            .i32(o.fixedRegularWorkingDays ? 0 : 5)
            .f64(o.hoursPerWorkingDay);
        if (v >= 24) b.i32(0);
    }
    if (v >= 26) b.f64(100);
    const bool wages = v >= 6 && !o.wagePeriods.empty();
    b.i32(wages ? 1 : 0);
    if (v >= 25) b.i32(0);
    if (v >= 37) b.i32(0);
    if (v >= 41) b.i32(0);
    if (v >= 42) b.str("");
    if (wages) b.raw(o.wagePeriods);
    return b.bytes();
}

// A record in which every field differs from a new record's: three working-time periods (from
// January, April, October), two wage periods (January, July) with deviating wages, texts with
// umlauts and a character that Windows-1252 lacks.
inline CEinstArbzt sampleSettings() {
    CEinstArbzt s;
    s.name = "Jörg Weiß";
    s.year = 2026;
    s.enterPublicHolidaysAutomatically = 0;
    s.federalState = "Baden-Württemberg";
    s.checkBreakTimes = 1;
    s.enforceCorrectBreakTimes = 0;
    s.wagesInMonthEvaluation = 1;
    s.wagesAsCostsInCustomerQuery = 1;
    s.employeeInCostEvaluation = 1;
    s.salariedEmployee = 1;
    WorkingTimePeriod p1;
    p1.lastPeriod = 0;
    p1.hoursByWeekday = {0, 7.5, 7.5, 7.5, 7.5, 6, 0};
    p1.breakMinutesByWeekday = {0, 30, 30, 30, 30, 15, 0};
    p1.halfDayByWeekday = {0, 0, 0, 0, 0, 1, 0};
    p1.hoursBasis = 1;
    WorkingTimePeriod p2;
    p2.fromMonth = 4;
    p2.lastPeriod = 0;
    p2.fixedRegularWorkingDays = 0;
    p2.workingDaysPerWeek = 4;
    p2.hoursPerWorkingDay = 9.25;
    p2.breakMinutesPerWorkingDay = 50;
    WorkingTimePeriod p3;
    p3.fromMonth = 10;
    p3.hoursByWeekday = {4, 0, 0, 0, 0, 0, 4};
    s.workingTimePeriods = {p1, p2, p3};
    WagePeriod w1;
    w1.lastPeriod = 0;
    w1.hourlyWage = 14.5;
    w1.standbyPayDays = 7;
    w1.standbyPay = 120;
    w1.employerCostPerHour = 5.25;
    w1.valueCreationPerHour = 40;
    w1.employerCostFactor = 1.21;
    w1.valueCreationFactor = 2.5;
    w1.vacationPayPerDay = 12;
    w1.shiftAllowancePercent = 12.5;
    w1.shiftAllowanceWageType = "S-Zuschlag";
    w1.deviatingHourlyWages = {{"Zaun", 18.0}, {"Ärztehaus", 21.5}, {"Œuvre", 30.0}, {"Prüfung ✓", 1.0}};
    WagePeriod w2;
    w2.fromMonth = 7;
    w2.hourlyWage = 15.75;
    s.wagePeriods = {w1, w2};
    s.overtimeRoundingMinutes = 15;
    s.surcharge1On = 0;
    s.surcharge2On = 1;
    s.surcharge1FromWeeklyHours = 40;
    s.surcharge2FromWeeklyHours = 48.5;
    s.surcharge1Percent = 25;
    s.surcharge2Percent = 60;
    s.wageTypeSurcharge1 = "1001";
    s.wageTypeSurcharge2 = "1002";
    s.weekEndsAtMonthEnd = 1;
    s.sundaySurchargeOn = 0;
    s.sundayPercent = 55;
    s.wageTypeSunday = "1003";
    s.basePayWageTypeSunday = "2003";
    s.holidaySurchargeOn = 0;
    s.holidayPercent = 125;
    s.wageTypeHoliday = "1004";
    s.basePayWageTypeHoliday = "2004";
    s.nightSurchargeOn = 0;
    s.nightEnd = "6:00";
    s.nightBegin = "22:30";
    s.nightPercent = 30;
    s.wageTypeNight = "1005";
    s.saturdaySurchargeOn = 1;
    s.saturdayEnd = "20:00";
    s.saturdayBegin = "13:00";
    s.saturdayPercent = 10;
    s.wageTypeSaturday = "1006";
    s.keepWorkingTimeAccount = 1;
    s.accountCarryOver = -12.75;
    s.accountFromMonth = 2;
    s.accountToMonth = 11;
    s.convertSurchargesIntoHours = 1;
    s.accountMode = "MA";
    s.monthlyTargetHours = 151.5;
    s.printDailyDeviations = 1;
    s.targetDependsOnMonth = 1;
    s.monthlyTargetHoursPerMonth = {160, 150, 170, 165, 155, 160, 168, 176, 160, 168, 160, 140};
    s.absencesAffectAccount = 0;
    s.monthlyPayoutOn = 1;
    s.weeklyPayoutOn = 1;
    s.monthlyPayoutThreshold = 20;
    s.weeklyPayoutThreshold = 5.5;
    s.wageTypeMonthlyPayout = "3001";
    s.wageTypeWeeklyPayout = "3002";
    s.manageRemainingVacation = 1;
    s.vacationEntitlement = 28.5;
    s.remainingVacationPreviousYear = 4.5;
    s.countVacationOnWeekendsAndHolidays = 1;
    s.standbyRatingPercent = 50;
    s.dayEnteredAsOneValue = 1;
    s.defaultStartOfWork = "7:15";
    s.calculationFieldNames = {"Kilometer", "Material €", "Überstunden"};
    s.unplannedVacationText = "3 Tage";
    return s;
}

// Every field of the record, one "name=value" line each.
inline std::string describeSettings(const CEinstArbzt& s) {
    std::ostringstream out;
    out.precision(17);
#define LORVAN_FIELD(x) out << #x "=" << s.x << "\n"
    LORVAN_FIELD(name);
    LORVAN_FIELD(year);
    LORVAN_FIELD(enterPublicHolidaysAutomatically);
    LORVAN_FIELD(federalState);
    LORVAN_FIELD(checkBreakTimes);
    LORVAN_FIELD(enforceCorrectBreakTimes);
    LORVAN_FIELD(wagesInMonthEvaluation);
    LORVAN_FIELD(wagesAsCostsInCustomerQuery);
    LORVAN_FIELD(employeeInCostEvaluation);
    LORVAN_FIELD(salariedEmployee);
    LORVAN_FIELD(overtimeRoundingMinutes);
    LORVAN_FIELD(surcharge1On);
    LORVAN_FIELD(surcharge2On);
    LORVAN_FIELD(surcharge1FromWeeklyHours);
    LORVAN_FIELD(surcharge2FromWeeklyHours);
    LORVAN_FIELD(surcharge1Percent);
    LORVAN_FIELD(surcharge2Percent);
    LORVAN_FIELD(wageTypeSurcharge1);
    LORVAN_FIELD(wageTypeSurcharge2);
    LORVAN_FIELD(weekEndsAtMonthEnd);
    LORVAN_FIELD(sundaySurchargeOn);
    LORVAN_FIELD(sundayPercent);
    LORVAN_FIELD(wageTypeSunday);
    LORVAN_FIELD(basePayWageTypeSunday);
    LORVAN_FIELD(holidaySurchargeOn);
    LORVAN_FIELD(holidayPercent);
    LORVAN_FIELD(wageTypeHoliday);
    LORVAN_FIELD(basePayWageTypeHoliday);
    LORVAN_FIELD(nightSurchargeOn);
    LORVAN_FIELD(nightEnd);
    LORVAN_FIELD(nightBegin);
    LORVAN_FIELD(nightPercent);
    LORVAN_FIELD(wageTypeNight);
    LORVAN_FIELD(saturdaySurchargeOn);
    LORVAN_FIELD(saturdayEnd);
    LORVAN_FIELD(saturdayBegin);
    LORVAN_FIELD(saturdayPercent);
    LORVAN_FIELD(wageTypeSaturday);
    LORVAN_FIELD(keepWorkingTimeAccount);
    LORVAN_FIELD(accountCarryOver);
    LORVAN_FIELD(accountFromMonth);
    LORVAN_FIELD(accountToMonth);
    LORVAN_FIELD(convertSurchargesIntoHours);
    LORVAN_FIELD(accountMode);
    LORVAN_FIELD(monthlyTargetHours);
    LORVAN_FIELD(printDailyDeviations);
    LORVAN_FIELD(targetDependsOnMonth);
    for (double h : s.monthlyTargetHoursPerMonth)
        out << "monthlyTargetHoursPerMonth[]=" << h << "\n";
    LORVAN_FIELD(absencesAffectAccount);
    LORVAN_FIELD(monthlyPayoutOn);
    LORVAN_FIELD(weeklyPayoutOn);
    LORVAN_FIELD(monthlyPayoutThreshold);
    LORVAN_FIELD(weeklyPayoutThreshold);
    LORVAN_FIELD(wageTypeMonthlyPayout);
    LORVAN_FIELD(wageTypeWeeklyPayout);
    LORVAN_FIELD(manageRemainingVacation);
    LORVAN_FIELD(vacationEntitlement);
    LORVAN_FIELD(remainingVacationPreviousYear);
    LORVAN_FIELD(countVacationOnWeekendsAndHolidays);
    LORVAN_FIELD(standbyRatingPercent);
    LORVAN_FIELD(dayEnteredAsOneValue);
    LORVAN_FIELD(defaultStartOfWork);
    for (const std::string& n : s.calculationFieldNames)
        out << "calculationFieldNames[]=" << n << "\n";
    LORVAN_FIELD(unplannedVacationText);
#undef LORVAN_FIELD
    for (const WorkingTimePeriod& p : s.workingTimePeriods) {
        out << "period from=" << p.fromMonth << " last=" << p.lastPeriod
            << " fixed=" << p.fixedRegularWorkingDays << " days=" << p.workingDaysPerWeek
            << " hours=" << p.hoursPerWorkingDay << " break=" << p.breakMinutesPerWorkingDay
            << " basis=" << p.hoursBasis << "\n  by weekday:";
        for (size_t d = 0; d < 7; ++d)
            out << " " << p.hoursByWeekday[d] << "/" << p.breakMinutesByWeekday[d] << "/"
                << p.halfDayByWeekday[d];
        out << "\n";
    }
    for (const WagePeriod& p : s.wagePeriods) {
        out << "wage period from=" << p.fromMonth << " last=" << p.lastPeriod
            << " standbyDays=" << p.standbyPayDays << " standbyPay=" << p.standbyPay
            << " hourly=" << p.hourlyWage << " cost=" << p.employerCostPerHour
            << " value=" << p.valueCreationPerHour << " costFactor=" << p.employerCostFactor
            << " valueFactor=" << p.valueCreationFactor << " vacationPay=" << p.vacationPayPerDay
            << " shift=" << p.shiftAllowancePercent << " shiftWageType=" << p.shiftAllowanceWageType << "\n";
        for (const auto& [service, wage] : p.deviatingHourlyWages)
            out << "  " << service << "=" << wage << "\n";
    }
    return out.str();
}

} // namespace lorvan::test
