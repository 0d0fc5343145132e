#include "yearfile/settings.h"

#include "foundation/archive.h"
#include "foundation/calendar.h"
#include "foundation/error.h"
#include "foundation/number_text.h"
#include "foundation/text_encoding.h"
#include "platform/clock.h"

namespace lorvan {

namespace {

// The period lists carry no count: they run up to the period with the last-period flag. Their from
// months rise strictly within the year, so a list never holds more than twelve periods; a file that
// claims more is corrupt, and reading stops there instead of growing the list with the file.
constexpr size_t kMaxPeriods = 12;

// Files of version 40 or lower derive the break of a working day from its hours.
int32_t derivedBreakMinutes(double hoursPerWorkingDay) {
    if (hoursPerWorkingDay > 6.0) return 45;
    if (hoursPerWorkingDay > 3.0) return 15;
    return 0;
}

bool monthInYear(int32_t month) {
    return month >= 1 && month <= 12;
}

// The entry with the greatest from month <= month, or nullptr.
template <typename Period> const Period* findPeriod(const std::vector<Period>& periods, int32_t month) {
    const Period* found = nullptr;
    for (const Period& p : periods)
        if (p.fromMonth <= month && (!found || p.fromMonth > found->fromMonth)) found = &p;
    return found;
}

void storePeriod(ArchiveWriter& ar, const WorkingTimePeriod& p, bool last) {
    ar.writeInt32(p.fromMonth);
    ar.writeInt32(last ? 1 : 0);
    for (size_t d = 0; d < 7; ++d) {
        ar.writeFloat64(p.hoursByWeekday[d]);
        ar.writeInt32(p.breakMinutesByWeekday[d]);
        ar.writeInt32(p.halfDayByWeekday[d]);
    }
    ar.writeInt32(p.fixedRegularWorkingDays);
    ar.writeInt32(p.workingDaysPerWeek);
    ar.writeFloat64(p.hoursPerWorkingDay);
    ar.writeInt32(p.hoursBasis);
    ar.writeInt32(p.breakMinutesPerWorkingDay);
}

WorkingTimePeriod loadPeriod(ArchiveReader& ar, int32_t version) {
    WorkingTimePeriod p;
    p.fromMonth = ar.readInt32();
    p.lastPeriod = ar.readInt32();
    for (size_t d = 0; d < 7; ++d) {
        p.hoursByWeekday[d] = ar.readFloat64();
        if (version >= 34) p.breakMinutesByWeekday[d] = ar.readInt32();
        p.halfDayByWeekday[d] = ar.readInt32();
    }
    p.fixedRegularWorkingDays = ar.readInt32();
    p.workingDaysPerWeek = ar.readInt32();
    p.hoursPerWorkingDay = ar.readFloat64();
    p.hoursBasis = ar.readInt32();
    if (version >= 41) p.breakMinutesPerWorkingDay = ar.readInt32();
    return p;
}

void storeWagePeriod(ArchiveWriter& ar, const WagePeriod& p, bool last) {
    ar.writeInt32(p.fromMonth);
    ar.writeInt32(last ? 1 : 0);
    ar.writeFloat64(p.hourlyWage);
    ar.writeFloat64(p.vacationPayPerDay);
    ar.writeFloat64(p.standbyPay);
    ar.writeInt32(p.standbyPayDays);
    ar.writeFloat64(p.employerCostPerHour);
    ar.writeFloat64(p.valueCreationPerHour);
    ar.writeFloat64(p.employerCostFactor);
    ar.writeFloat64(p.valueCreationFactor);
    ar.writeFloat64(p.shiftAllowancePercent);
    ar.writeString(p.shiftAllowanceWageType);
    ar.writeCount(p.deviatingHourlyWages.size());
    for (const auto& [service, wage] : p.deviatingHourlyWages) {
        ar.writeString(service);
        ar.writeFloat64(wage);
    }
}

WagePeriod loadWagePeriod(ArchiveReader& ar, int32_t version) {
    WagePeriod p;
    p.fromMonth = ar.readInt32();
    p.lastPeriod = ar.readInt32();
    p.hourlyWage = ar.readFloat64();
    p.vacationPayPerDay = ar.readFloat64();
    p.standbyPay = ar.readFloat64();
    p.standbyPayDays = ar.readInt32();
    if (version >= 37) {
        p.employerCostPerHour = ar.readFloat64();
        p.valueCreationPerHour = ar.readFloat64();
    }
    if (version >= 38) {
        p.employerCostFactor = ar.readFloat64();
        p.valueCreationFactor = ar.readFloat64();
    }
    if (version >= 44) {
        p.shiftAllowancePercent = ar.readFloat64();
        p.shiftAllowanceWageType = ar.readString();
    }
    if (version >= 33) {
        // Each pair holds at least a one-byte length and a float64.
        const int32_t n = ar.readCount(1 + 8);
        for (int32_t i = 0; i < n; ++i) {
            std::string service = ar.readString();
            const double wage = ar.readFloat64();
            p.deviatingHourlyWages.insert_or_assign(std::move(service), wage);
        }
    }
    return p;
}

// Reads periods up to the one with the last-period flag.
template <typename Period, typename LoadOne>
std::vector<Period> loadPeriodList(ArchiveReader& ar, int32_t version, LoadOne loadOne) {
    std::vector<Period> periods;
    for (;;) {
        if (periods.size() == kMaxPeriods) throw EndOfFileError(ar.fileName());
        periods.push_back(loadOne(ar, version));
        if (periods.back().lastPeriod != 0) break;
    }
    return periods;
}

// Writes every period of the list; only the last one carries the last-period flag, so that the
// reader finds exactly the periods of the list again. An empty list is written as one default
// period, since a reader always reads at least one.
template <typename Period, typename StoreOne>
void storePeriodList(ArchiveWriter& ar, const std::vector<Period>& periods, StoreOne storeOne) {
    if (periods.empty()) {
        storeOne(ar, Period{}, true);
        return;
    }
    for (size_t i = 0; i < periods.size(); ++i)
        storeOne(ar, periods[i], i + 1 == periods.size());
}

} // namespace

bool Cp1252Less::operator()(const std::string& a, const std::string& b) const {
    return compareCp1252(a, b) < 0;
}

// ----- WorkingTimePeriod -----

double WorkingTimePeriod::averageDailyHours() const {
    if (!fixedRegularWorkingDays) return hoursPerWorkingDay;
    double sum = 0.0;
    int days = 0;
    for (size_t d = 0; d < 7; ++d) {
        if (hoursByWeekday[d] == 0.0) continue;
        sum += halfDayByWeekday[d] ? hoursByWeekday[d] * 2.0 : hoursByWeekday[d];
        ++days;
    }
    return days > 0 ? roundAmount(sum / days, 0, 2) : 0.0;
}

double WorkingTimePeriod::weeklyRegularHours() const {
    if (!fixedRegularWorkingDays) return workingDaysPerWeek * hoursPerWorkingDay;
    double sum = 0.0;
    for (double h : hoursByWeekday)
        sum += h;
    return sum;
}

// ----- CEinst -----

void CEinst::completeDefaults(const Clock& clock) {
    if (year != 0) return;
    const Datum today = clock.today();
    year = today.month == 12 ? today.year + 1 : today.year;
}

std::optional<std::string> generalSettingsRefusal(const CEinst& settings, const Clock& clock) {
    if (settings.name.empty()) return "Wählen Sie einen Mitarbeiter aus.";
    if (settings.year == 0) return "Das Jahr muss als erstes eingegeben werden.";
    const Datum today = clock.today();
    if (settings.year > today.year && settings.year != today.year + 1 && today.month != 12)
        return "Es können keine Angaben für zukünftige Jahre erfasst werden.";
    if (settings.year < 2000) return "Es können keine Angaben für Jahre vor 2000 erfasst werden.";
    return std::nullopt;
}

void CEinst::store(ArchiveWriter& ar) const {
    ar.writeString(name);
    ar.writeInt32(year);
}

void CEinst::load(ArchiveReader& ar, int32_t /*version*/) {
    name = ar.readString();
    year = ar.readInt32();
}

// ----- CEinstArbzt: archive -----

void CEinstArbzt::store(ArchiveWriter& ar) const {
    CEinst::store(ar);

    ar.writeInt32(enterPublicHolidaysAutomatically);
    ar.writeString(federalState);
    ar.writeInt32(checkBreakTimes);
    ar.writeInt32(enforceCorrectBreakTimes);

    ar.writeInt32(overtimeRoundingMinutes);
    ar.writeInt32(surcharge1On);
    ar.writeInt32(surcharge2On);
    ar.writeFloat64(surcharge1FromWeeklyHours);
    ar.writeFloat64(surcharge2FromWeeklyHours);
    ar.writeFloat64(surcharge1Percent);
    ar.writeFloat64(surcharge2Percent);

    ar.writeInt32(sundaySurchargeOn);
    ar.writeFloat64(sundayPercent);
    ar.writeInt32(holidaySurchargeOn);
    ar.writeFloat64(holidayPercent);

    ar.writeInt32(nightSurchargeOn);
    ar.writeString(nightEnd);
    ar.writeString(nightBegin);
    ar.writeFloat64(nightPercent);

    ar.writeInt32(saturdaySurchargeOn);
    ar.writeString(saturdayEnd);
    ar.writeString(saturdayBegin);
    ar.writeFloat64(saturdayPercent);

    ar.writeString(wageTypeSurcharge1);
    ar.writeString(wageTypeSurcharge2);
    ar.writeString(wageTypeSunday);
    ar.writeString(wageTypeHoliday);
    ar.writeString(wageTypeNight);
    ar.writeString(wageTypeSaturday);

    ar.writeInt32(weekEndsAtMonthEnd);

    ar.writeString(basePayWageTypeSunday);
    ar.writeString(basePayWageTypeHoliday);

    storePeriodList(ar, workingTimePeriods, storePeriod);

    ar.writeInt32(keepWorkingTimeAccount);
    ar.writeFloat64(accountCarryOver);
    ar.writeInt32(convertSurchargesIntoHours);
    ar.writeInt32(accountFromMonth);
    ar.writeInt32(accountToMonth);

    ar.writeString(accountMode);
    ar.writeFloat64(monthlyTargetHours);
    ar.writeInt32(printDailyDeviations);
    ar.writeInt32(targetDependsOnMonth);
    for (double h : monthlyTargetHoursPerMonth)
        ar.writeFloat64(h);

    ar.writeInt32(absencesAffectAccount);
    ar.writeInt32(monthlyPayoutOn);
    ar.writeInt32(weeklyPayoutOn);
    ar.writeFloat64(monthlyPayoutThreshold);
    ar.writeFloat64(weeklyPayoutThreshold);
    ar.writeString(wageTypeMonthlyPayout);
    ar.writeString(wageTypeWeeklyPayout);

    for (const std::string& n : calculationFieldNames)
        ar.writeString(n);

    ar.writeInt32(manageRemainingVacation);
    ar.writeFloat64(vacationEntitlement);
    ar.writeFloat64(remainingVacationPreviousYear);
    ar.writeInt32(countVacationOnWeekendsAndHolidays);

    ar.writeInt32(dayEnteredAsOneValue);
    ar.writeString(defaultStartOfWork);

    ar.writeFloat64(standbyRatingPercent);

    ar.writeInt32(wagesInMonthEvaluation);
    ar.writeInt32(wagesAsCostsInCustomerQuery);
    ar.writeInt32(employeeInCostEvaluation);
    ar.writeInt32(salariedEmployee);

    ar.writeString(unplannedVacationText);

    if (wagesUsed()) storePeriodList(ar, wagePeriods, storeWagePeriod);
}

void CEinstArbzt::load(ArchiveReader& ar, int32_t version) {
    const int32_t v = version;
    *this = CEinstArbzt();
    CEinst::load(ar, v);
    if (v <= 3) ar.readInt32(); // no longer used
    if (v <= 5) {
        // Nothing else was stored.
        enterPublicHolidaysAutomatically = 0;
        federalState.clear();
        wagesInMonthEvaluation = 0;
        return;
    }

    enterPublicHolidaysAutomatically = ar.readInt32();
    federalState = ar.readString();
    if (v >= 7) checkBreakTimes = ar.readInt32();
    enforceCorrectBreakTimes = v >= 21 ? ar.readInt32() : checkBreakTimes;

    if (v >= 30) {
        overtimeRoundingMinutes = ar.readInt32();
        surcharge1On = ar.readInt32();
        surcharge2On = ar.readInt32();
        surcharge1FromWeeklyHours = ar.readFloat64();
        surcharge2FromWeeklyHours = ar.readFloat64();
        surcharge1Percent = ar.readFloat64();
        surcharge2Percent = ar.readFloat64();
        sundaySurchargeOn = ar.readInt32();
        sundayPercent = ar.readFloat64();
        holidaySurchargeOn = ar.readInt32();
        holidayPercent = ar.readFloat64();
        nightSurchargeOn = ar.readInt32();
        nightEnd = ar.readString();
        nightBegin = ar.readString();
        nightPercent = ar.readFloat64();
        saturdaySurchargeOn = ar.readInt32();
        saturdayEnd = ar.readString();
        saturdayBegin = ar.readString();
        saturdayPercent = ar.readFloat64();
    } else if (v >= 9) {
        // One flag switched all surcharges on or off.
        const int32_t surchargesOn = ar.readInt32();
        overtimeRoundingMinutes = ar.readInt32();
        if (v >= 22) {
            surcharge1FromWeeklyHours = ar.readFloat64();
            surcharge2FromWeeklyHours = ar.readFloat64();
            surcharge1Percent = ar.readFloat64();
            surcharge2Percent = ar.readFloat64();
        } else if (v >= 10) {
            // One threshold T: surcharge 1 from T + 2, surcharge 2 from T + 4 hours a week.
            const double threshold = ar.readFloat64();
            surcharge1FromWeeklyHours = threshold + 2.0;
            surcharge2FromWeeklyHours = threshold + 4.0;
        }
        if (v >= 23) {
            sundayPercent = ar.readFloat64();
            holidayPercent = ar.readFloat64();
        }
        if (v >= 13) {
            nightSurchargeOn = ar.readInt32();
            nightEnd = ar.readString();
            nightBegin = ar.readString();
            ar.readInt32(); // no longer used
        } else {
            nightSurchargeOn = surchargesOn;
        }
        if (v == 29)
            nightPercent = ar.readFloat64();
        else if (v >= 14)
            nightPercent = ar.readInt32();
        if (v == 29) {
            saturdaySurchargeOn = ar.readInt32();
            saturdayEnd = ar.readString();
            saturdayBegin = ar.readString();
            ar.readInt32(); // no longer used
            saturdayPercent = ar.readFloat64();
        }
        surcharge1On = surchargesOn && surcharge1Percent > 0;
        surcharge2On = surchargesOn && surcharge2Percent > 0;
        sundaySurchargeOn = surchargesOn && sundayPercent > 0;
        holidaySurchargeOn = surchargesOn && holidayPercent > 0;
    }

    if (v >= 34) {
        wageTypeSurcharge1 = ar.readString();
        wageTypeSurcharge2 = ar.readString();
        wageTypeSunday = ar.readString();
        wageTypeHoliday = ar.readString();
        wageTypeNight = ar.readString();
        wageTypeSaturday = ar.readString();
    }
    if (v >= 35) weekEndsAtMonthEnd = ar.readInt32();
    if (v >= 43) {
        basePayWageTypeSunday = ar.readString();
        basePayWageTypeHoliday = ar.readString();
    }

    // Up to version 31 the year has one working-time period whose fields are spread over the record.
    auto single = [this]() -> WorkingTimePeriod& { return workingTimePeriods.front(); };
    if (v >= 32) {
        workingTimePeriods = loadPeriodList<WorkingTimePeriod>(ar, v, loadPeriod);
    } else if (v >= 8) {
        for (size_t d = 0; d < 7; ++d) {
            single().hoursByWeekday[d] = ar.readFloat64();
            if (v >= 20) single().halfDayByWeekday[d] = ar.readInt32();
        }
    }

    if (v >= 8) {
        keepWorkingTimeAccount = ar.readInt32();
        accountCarryOver = ar.readFloat64();
        convertSurchargesIntoHours = ar.readInt32();
        accountFromMonth = ar.readInt32();
        accountToMonth = ar.readInt32();
    }
    if (v >= 10) {
        accountMode = ar.readString();
        monthlyTargetHours = ar.readFloat64();
        printDailyDeviations = ar.readInt32();
    }
    if (v >= 15) {
        targetDependsOnMonth = ar.readInt32();
        for (double& h : monthlyTargetHoursPerMonth)
            h = ar.readFloat64();
    }
    absencesAffectAccount = v >= 36 ? ar.readInt32() : (keepWorkingTimeAccount && accountMode == "RA");
    if (v >= 34) {
        monthlyPayoutOn = ar.readInt32();
        weeklyPayoutOn = ar.readInt32();
        monthlyPayoutThreshold = ar.readFloat64();
        weeklyPayoutThreshold = ar.readFloat64();
        wageTypeMonthlyPayout = ar.readString();
        wageTypeWeeklyPayout = ar.readString();
    }
    if (v >= 16)
        for (std::string& n : calculationFieldNames)
            n = ar.readString();
    if (v >= 17) {
        manageRemainingVacation = ar.readInt32();
        vacationEntitlement = ar.readFloat64();
        remainingVacationPreviousYear = ar.readFloat64();
        countVacationOnWeekendsAndHolidays = ar.readInt32();
        dayEnteredAsOneValue = ar.readInt32();
        defaultStartOfWork = ar.readString();
    }
    if (v >= 19 && v <= 31) {
        single().fixedRegularWorkingDays = ar.readInt32();
        single().workingDaysPerWeek = ar.readInt32();
        single().hoursPerWorkingDay = ar.readFloat64();
        if (v >= 24) single().hoursBasis = ar.readInt32();
    }
    if (v <= 18) {
        bool anyHours = false;
        for (double h : single().hoursByWeekday)
            anyHours = anyHours || h != 0.0;
        if (anyHours) {
            single().fixedRegularWorkingDays = 1;
        } else {
            single().fixedRegularWorkingDays = 0;
            single().workingDaysPerWeek = 5;
            single().hoursPerWorkingDay = 8.0;
        }
    }
    if (v <= 40)
        for (WorkingTimePeriod& p : workingTimePeriods)
            p.breakMinutesPerWorkingDay = derivedBreakMinutes(p.hoursPerWorkingDay);

    if (v >= 26) standbyRatingPercent = ar.readFloat64();
    wagesInMonthEvaluation = ar.readInt32();
    if (v >= 25) wagesAsCostsInCustomerQuery = ar.readInt32();
    if (v >= 37) employeeInCostEvaluation = ar.readInt32();
    if (v >= 41) salariedEmployee = ar.readInt32();
    if (v >= 42) unplannedVacationText = ar.readString();

    if (wagesUsed()) wagePeriods = loadPeriodList<WagePeriod>(ar, v, loadWagePeriod);
}

// ----- CEinstArbzt: operations -----

const WorkingTimePeriod& CEinstArbzt::periodForMonth(int32_t month) const {
    if (const WorkingTimePeriod* p = findPeriod(workingTimePeriods, month)) return *p;
    throw LorvanError(kWorkingTimeSettingsMissing);
}

const WagePeriod& CEinstArbzt::wagePeriodForMonth(int32_t month) const {
    if (const WagePeriod* p = findPeriod(wagePeriods, month)) return *p;
    throw LorvanError(kPointerNotSet);
}

double CEinstArbzt::monthlyTarget(int32_t month) const {
    if (targetDependsOnMonth && monthInYear(month)) return monthlyTargetHoursPerMonth[month - 1];
    return monthlyTargetHours;
}

int32_t CEinstArbzt::breakMinutesForDate(const Datum& date) const {
    if (!checkBreakTimes || !isValidDate(date)) return 0;
    const WorkingTimePeriod& p = periodForMonth(date.month);
    if (!p.fixedRegularWorkingDays) return p.breakMinutesPerWorkingDay;
    return p.breakMinutesByWeekday[static_cast<size_t>(weekdayCalendar(date) - 1)];
}

double dailyTargetHours(const CEinstArbzt& settings, const Datum& date) {
    if (!isValidDate(date)) return 0.0;
    const WorkingTimePeriod& p = settings.periodForMonth(date.month);
    if (!p.fixedRegularWorkingDays) return p.hoursPerWorkingDay;
    return p.hoursByWeekday[static_cast<size_t>(weekdayCalendar(date) - 1)];
}

bool CEinstArbzt::accountActive(int32_t month) const {
    return keepWorkingTimeAccount && accountFromMonth <= month && month <= accountToMonth;
}

bool CEinstArbzt::dailyDeviationsNeeded(int32_t month) const {
    return accountActive(month) && (accountMode == "RA" || printDailyDeviations);
}

bool CEinstArbzt::surchargesIntoHours(int32_t month) const {
    return accountActive(month) && convertSurchargesIntoHours;
}

bool CEinstArbzt::wagesUsed() const {
    return wagesInMonthEvaluation || wagesAsCostsInCustomerQuery || employeeInCostEvaluation;
}

void CEinstArbzt::copyFrom(const CEinstArbzt& source, double sourceRemainingVacation,
                           double sourceAccountBalance) {
    const bool anotherPerson = name.empty() ? source.year == year : source.name != name;

    enterPublicHolidaysAutomatically = source.enterPublicHolidaysAutomatically;
    federalState = source.federalState;
    checkBreakTimes = source.checkBreakTimes;
    enforceCorrectBreakTimes = source.enforceCorrectBreakTimes;
    wagesInMonthEvaluation = source.wagesInMonthEvaluation;
    wagesAsCostsInCustomerQuery = source.wagesAsCostsInCustomerQuery;
    employeeInCostEvaluation = source.employeeInCostEvaluation;
    salariedEmployee = source.salariedEmployee;
    manageRemainingVacation = source.manageRemainingVacation;
    vacationEntitlement = source.vacationEntitlement;
    countVacationOnWeekendsAndHolidays = source.countVacationOnWeekendsAndHolidays;
    dayEnteredAsOneValue = source.dayEnteredAsOneValue;
    defaultStartOfWork = source.defaultStartOfWork;
    standbyRatingPercent = source.standbyRatingPercent;

    overtimeRoundingMinutes = source.overtimeRoundingMinutes;
    surcharge1On = source.surcharge1On;
    surcharge2On = source.surcharge2On;
    surcharge1FromWeeklyHours = source.surcharge1FromWeeklyHours;
    surcharge2FromWeeklyHours = source.surcharge2FromWeeklyHours;
    surcharge1Percent = source.surcharge1Percent;
    surcharge2Percent = source.surcharge2Percent;
    wageTypeSurcharge1 = source.wageTypeSurcharge1;
    wageTypeSurcharge2 = source.wageTypeSurcharge2;
    weekEndsAtMonthEnd = source.weekEndsAtMonthEnd;
    sundaySurchargeOn = source.sundaySurchargeOn;
    sundayPercent = source.sundayPercent;
    wageTypeSunday = source.wageTypeSunday;
    basePayWageTypeSunday = source.basePayWageTypeSunday;
    holidaySurchargeOn = source.holidaySurchargeOn;
    holidayPercent = source.holidayPercent;
    wageTypeHoliday = source.wageTypeHoliday;
    basePayWageTypeHoliday = source.basePayWageTypeHoliday;
    nightSurchargeOn = source.nightSurchargeOn;
    nightEnd = source.nightEnd;
    nightBegin = source.nightBegin;
    nightPercent = source.nightPercent;
    wageTypeNight = source.wageTypeNight;
    saturdaySurchargeOn = source.saturdaySurchargeOn;
    saturdayEnd = source.saturdayEnd;
    saturdayBegin = source.saturdayBegin;
    saturdayPercent = source.saturdayPercent;
    wageTypeSaturday = source.wageTypeSaturday;

    convertSurchargesIntoHours = source.convertSurchargesIntoHours;
    accountMode = source.accountMode;
    monthlyTargetHours = source.monthlyTargetHours;
    targetDependsOnMonth = source.targetDependsOnMonth;
    monthlyTargetHoursPerMonth = source.monthlyTargetHoursPerMonth;
    printDailyDeviations = source.printDailyDeviations;
    absencesAffectAccount = source.absencesAffectAccount;
    monthlyPayoutOn = source.monthlyPayoutOn;
    weeklyPayoutOn = source.weeklyPayoutOn;
    monthlyPayoutThreshold = source.monthlyPayoutThreshold;
    weeklyPayoutThreshold = source.weeklyPayoutThreshold;
    wageTypeMonthlyPayout = source.wageTypeMonthlyPayout;
    wageTypeWeeklyPayout = source.wageTypeWeeklyPayout;
    calculationFieldNames = source.calculationFieldNames;
    unplannedVacationText = source.unplannedVacationText;

    remainingVacationPreviousYear = !source.manageRemainingVacation || anotherPerson
                                        ? source.remainingVacationPreviousYear
                                        : sourceRemainingVacation;

    if (!source.keepWorkingTimeAccount) {
        keepWorkingTimeAccount = 0;
        accountFromMonth = 1;
        accountToMonth = 12;
        accountCarryOver = 0.0;
    } else if (anotherPerson) {
        keepWorkingTimeAccount = source.keepWorkingTimeAccount;
        accountFromMonth = source.accountFromMonth;
        accountToMonth = source.accountToMonth;
        accountCarryOver = source.accountCarryOver;
    } else {
        accountFromMonth = 1;
        accountToMonth = 12;
        if (source.accountToMonth == 12) {
            keepWorkingTimeAccount = source.keepWorkingTimeAccount;
            accountCarryOver = sourceAccountBalance;
        } else {
            keepWorkingTimeAccount = 0;
            accountCarryOver = 0.0;
        }
    }

    // The same person continues with the period that was valid at the end of the source year.
    auto continueWithLast = [](auto list) {
        if (list.size() > 1) list.erase(list.begin(), list.end() - 1);
        if (!list.empty()) {
            list.front().fromMonth = 1;
            list.front().lastPeriod = 1;
        }
        return list;
    };
    workingTimePeriods =
        anotherPerson ? source.workingTimePeriods : continueWithLast(source.workingTimePeriods);
    if (wagesUsed()) wagePeriods = anotherPerson ? source.wagePeriods : continueWithLast(source.wagePeriods);
}

} // namespace lorvan
