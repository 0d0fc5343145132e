#pragma once

#include "foundation/datum.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The settings record of a working-time year file: how the times of that file are evaluated.
namespace lorvan {

class ArchiveReader;
class ArchiveWriter;
class Clock;

// Shown when a month has no working-time period to evaluate it with.
inline constexpr const char* kWorkingTimeSettingsMissing =
    "Die Arbeitszeit-Einstellungen sind nicht vorhanden. Bitte prüfen Sie nochmal die Angaben unter 'Extras' "
    "- "
    "'Einstellungen der aktuellen Datei' oder legen Sie die Datei neu an.";

// Orders texts by their Windows-1252 bytes, as the archive holds them.
struct Cp1252Less {
    bool operator()(const std::string& a, const std::string& b) const;
};

// Regular working time from one month of the year up to the next period (the last one up to December).
// Weekday index 0 = Sunday ... 6 = Saturday.
struct WorkingTimePeriod {
    int32_t fromMonth = 1;
    int32_t lastPeriod = 1;
    int32_t fixedRegularWorkingDays = 1;
    int32_t workingDaysPerWeek = 0;
    double hoursPerWorkingDay = 0.0;
    int32_t breakMinutesPerWorkingDay = 0;
    std::array<double, 7> hoursByWeekday{0.0, 8.0, 8.0, 8.0, 8.0, 5.0, 0.0};
    std::array<int32_t, 7> breakMinutesByWeekday{0, 45, 45, 45, 45, 15, 0};
    std::array<int32_t, 7> halfDayByWeekday{};
    // 0 = daily working time, 1 = average daily working time for vacation, sick and holiday days.
    int32_t hoursBasis = 0;

    // Average hours of a working day.
    double averageDailyHours() const;
    // Sum of the weekday hours, or days per week x hours per day.
    double weeklyRegularHours() const;

    friend bool operator==(const WorkingTimePeriod&, const WorkingTimePeriod&) = default;
};

// Wages from one month of the year up to the next period (the last one up to December).
struct WagePeriod {
    int32_t fromMonth = 1;
    int32_t lastPeriod = 1;
    int32_t standbyPayDays = 0;
    double standbyPay = 0.0;
    double hourlyWage = 0.0;
    double employerCostPerHour = 0.0;
    double valueCreationPerHour = 0.0;
    double employerCostFactor = 0.0;
    double valueCreationFactor = 0.0;
    double vacationPayPerDay = 0.0;
    double shiftAllowancePercent = 0.0;
    std::string shiftAllowanceWageType;
    // Service name -> hourly wage for that service.
    std::map<std::string, double, Cp1252Less> deviatingHourlyWages;

    friend bool operator==(const WagePeriod&, const WagePeriod&) = default;
};

// Common settings base: the owner's name and the calendar year.
class CEinst {
  public:
    virtual ~CEinst() = default;

    // A year of 0 becomes the current year, or the next year when today is in December.
    virtual void completeDefaults(const Clock& clock);
    virtual void store(ArchiveWriter& ar) const;
    virtual void load(ArchiveReader& ar, int32_t version);

    std::string name;
    int32_t year = 0;

    friend bool operator==(const CEinst&, const CEinst&) = default;
};

// The checks of the owner's name and the year (the page "Allgemein" of the settings): no name, no year,
// a year after the current one (the next year, and any year while today is in December, are
// accepted), a year before 2000. The first failing message. Whether a file for name and year exists
// already is the caller's check (kYearFileExists).
std::optional<std::string> generalSettingsRefusal(const CEinst& settings, const Clock& clock);

class CEinstArbzt : public CEinst {
  public:
    static constexpr int32_t kCurrentVersion = 44;

    void store(ArchiveWriter& ar) const override;
    // Reads a record of the given file version (1 to kCurrentVersion); fields the version lacks
    // keep their defaults.
    void load(ArchiveReader& ar, int32_t version) override;

    // The period with the greatest from month <= month; raises kWorkingTimeSettingsMissing.
    const WorkingTimePeriod& periodForMonth(int32_t month) const;
    // The wage period with the greatest from month <= month; raises kPointerNotSet.
    const WagePeriod& wagePeriodForMonth(int32_t month) const;
    double monthlyTarget(int32_t month) const;
    int32_t breakMinutesForDate(const Datum& date) const;
    double averageDailyHours(const WorkingTimePeriod& period) const { return period.averageDailyHours(); }
    double weeklyRegularHours(const WorkingTimePeriod& period) const { return period.weeklyRegularHours(); }

    bool accountActive(int32_t month) const;
    bool isModeRA(int32_t month) const { return accountMode == "RA" && accountActive(month); }
    bool isModeWA(int32_t month) const { return accountMode == "WA" && accountActive(month); }
    bool isModeMA(int32_t month) const { return accountMode == "MA" && accountActive(month); }
    bool dailyDeviationsNeeded(int32_t month) const;
    bool surchargesIntoHours(int32_t month) const;
    bool wagesUsed() const;

    // Fills this record from the settings of another year file; the two values are that file's
    // remaining vacation and account balance at the end of December.
    void copyFrom(const CEinstArbzt& source, double sourceRemainingVacation, double sourceAccountBalance);

    friend bool operator==(const CEinstArbzt&, const CEinstArbzt&) = default;

    // Holidays
    int32_t enterPublicHolidaysAutomatically = 1;
    std::string federalState;
    // Breaks
    int32_t checkBreakTimes = 1;
    int32_t enforceCorrectBreakTimes = 1;
    // Use
    int32_t wagesInMonthEvaluation = 0;
    int32_t wagesAsCostsInCustomerQuery = 0;
    int32_t employeeInCostEvaluation = 0;
    int32_t salariedEmployee = 0;
    // Periods, ordered by from month
    std::vector<WorkingTimePeriod> workingTimePeriods{WorkingTimePeriod{}};
    std::vector<WagePeriod> wagePeriods;
    // Overtime
    int32_t overtimeRoundingMinutes = 5;
    int32_t surcharge1On = 1;
    int32_t surcharge2On = 1;
    double surcharge1FromWeeklyHours = 42.0;
    double surcharge2FromWeeklyHours = 44.0;
    double surcharge1Percent = 20.0;
    double surcharge2Percent = 50.0;
    std::string wageTypeSurcharge1;
    std::string wageTypeSurcharge2;
    int32_t weekEndsAtMonthEnd = 0;
    // Surcharges
    int32_t sundaySurchargeOn = 1;
    double sundayPercent = 50.0;
    std::string wageTypeSunday;
    std::string basePayWageTypeSunday;
    int32_t holidaySurchargeOn = 1;
    double holidayPercent = 100.0;
    std::string wageTypeHoliday;
    std::string basePayWageTypeHoliday;
    int32_t nightSurchargeOn = 1;
    std::string nightEnd = "4:00";
    std::string nightBegin = "21:00";
    double nightPercent = 25.0;
    std::string wageTypeNight;
    int32_t saturdaySurchargeOn = 0;
    std::string saturdayEnd;
    std::string saturdayBegin;
    double saturdayPercent = 0.0;
    std::string wageTypeSaturday;
    // Account
    int32_t keepWorkingTimeAccount = 0;
    double accountCarryOver = 0.0;
    int32_t accountFromMonth = 1;
    int32_t accountToMonth = 12;
    int32_t convertSurchargesIntoHours = 0;
    std::string accountMode = "RA";
    double monthlyTargetHours = 160.33;
    int32_t printDailyDeviations = 0;
    int32_t targetDependsOnMonth = 0;
    std::array<double, 12> monthlyTargetHoursPerMonth{};
    int32_t absencesAffectAccount = 1;
    int32_t monthlyPayoutOn = 0;
    int32_t weeklyPayoutOn = 0;
    double monthlyPayoutThreshold = 0.0;
    double weeklyPayoutThreshold = 0.0;
    std::string wageTypeMonthlyPayout;
    std::string wageTypeWeeklyPayout;
    // Vacation
    int32_t manageRemainingVacation = 0;
    double vacationEntitlement = 30.0;
    double remainingVacationPreviousYear = 0.0;
    int32_t countVacationOnWeekendsAndHolidays = 0;
    // Standby
    double standbyRatingPercent = 100.0;
    // Entry
    int32_t dayEnteredAsOneValue = 0;
    std::string defaultStartOfWork;
    // Names of the three calculation fields (at most 20 characters each)
    std::array<std::string, 3> calculationFieldNames;
    // Only read, stored and copied
    std::string unplannedVacationText;
};

// The regular hours of that date: the working-time period's hours for its weekday, or the hours per
// working day where the period has no fixed regular working days; 0 for an invalid date. Raises
// kWorkingTimeSettingsMissing when no period covers the month.
double dailyTargetHours(const CEinstArbzt& settings, const Datum& date);

} // namespace lorvan
