#include "evaluation/wages.h"

#include "evaluation/month_evaluation.h"
#include "foundation/format.h"
#include "foundation/number_text.h"
#include "yearfile/settings.h"
#include "yearfile/year_file.h"

namespace lorvan {

namespace {

double cents(double value) {
    return roundAmount(value, 0, 2);
}

double hourlyWageOf(const CLorvanDoc& document, const MonthEvaluation& evaluation) {
    return wagePeriodOf(document, evaluation.month).hourlyWage;
}

int32_t minutesOf(const MonthEvaluation& e, SurchargeKind kind) {
    switch (kind) {
    case SurchargeKind::Surcharge1:
        return e.surcharge1Minutes;
    case SurchargeKind::Surcharge2:
        return e.surcharge2Minutes;
    case SurchargeKind::Holiday:
        return e.holidayMinutes;
    case SurchargeKind::Sunday:
        return e.sundayMinutes;
    case SurchargeKind::Saturday:
        return e.saturdayMinutes;
    case SurchargeKind::Night:
        return e.nightMinutes;
    }
    return 0;
}

double percentOf(const CEinstArbzt& s, SurchargeKind kind) {
    switch (kind) {
    case SurchargeKind::Surcharge1:
        return s.surcharge1Percent;
    case SurchargeKind::Surcharge2:
        return s.surcharge2Percent;
    case SurchargeKind::Holiday:
        return s.holidayPercent;
    case SurchargeKind::Sunday:
        return s.sundayPercent;
    case SurchargeKind::Saturday:
        return s.saturdayPercent;
    case SurchargeKind::Night:
        return s.nightPercent;
    }
    return 0.0;
}

double absenceHours(const MonthEvaluation& e, AbsenceKind kind) {
    switch (kind) {
    case AbsenceKind::Holiday:
        return e.holidayHours;
    case AbsenceKind::Vacation:
        return e.vacationHours;
    case AbsenceKind::SickWithPay:
        return e.sickHoursWithPay;
    }
    return 0.0;
}

} // namespace

const WagePeriod& wagePeriodOf(const CLorvanDoc& document, int32_t month) {
    return document.settings().wagePeriodForMonth(month);
}

double ServiceWages::gross() const {
    double sum = 0.0;
    for (const ServiceWage& s : services)
        sum += s.gross;
    return sum;
}

ServiceWages serviceWages(const CLorvanDoc& document, const MonthEvaluation& evaluation) {
    ServiceWages result;
    for (const auto& [service, wage] : wagePeriodOf(document, evaluation.month).deviatingHourlyWages) {
        const auto minutes = evaluation.serviceMinutes.find(service);
        if (minutes == evaluation.serviceMinutes.end()) continue;
        ServiceWage item;
        item.service = service;
        item.hourlyWage = wage;
        item.minutes = minutes->second;
        item.hours = minutesToHours(item.minutes);
        item.gross = cents(item.hours * wage);
        result.coveredMinutes += item.minutes;
        result.services.push_back(std::move(item));
    }
    return result;
}

double paidHours(const CLorvanDoc& document, const MonthEvaluation& e) {
    const CEinstArbzt& s = document.settings();
    const int32_t m = e.month;
    double h = minutesToHours(e.creditedMinutes - serviceWages(document, e).coveredMinutes);
    if ((s.absencesAffectAccount != 0 && s.isModeRA(m)) || s.isModeWA(m)) {
        // The account keeps what deviates from the target; the wage pays the rest, absences included.
        h += e.sickHoursWithPay + e.vacationHours + e.holidayHours -
             cachedResultsOf(document, e).accountChange;
    } else if (s.isModeMA(m)) {
        h = s.monthlyTarget(m);
    }
    return h;
}

double regularGross(const CLorvanDoc& document, const MonthEvaluation& evaluation) {
    return cents(paidHours(document, evaluation) * hourlyWageOf(document, evaluation));
}

double monthGross(const CLorvanDoc& document, const MonthEvaluation& evaluation) {
    return regularGross(document, evaluation) + serviceWages(document, evaluation).gross();
}

std::optional<SurchargeWage> surchargeWage(const CLorvanDoc& document, const MonthEvaluation& evaluation,
                                           SurchargeKind kind) {
    const CEinstArbzt& s = document.settings();
    const int32_t minutes = minutesOf(evaluation, kind);
    if (minutes == 0 || s.surchargesIntoHours(evaluation.month)) return std::nullopt;
    SurchargeWage result;
    result.kind = kind;
    result.minutes = minutes;
    result.percent = percentOf(s, kind);
    result.rate = cents(hourlyWageOf(document, evaluation) * result.percent * 0.01);
    result.pay = cents(minutesToHours(minutes) * result.rate);
    return result;
}

double surchargeRate(const CLorvanDoc& document, const MonthEvaluation& evaluation, SurchargeKind kind) {
    const std::optional<SurchargeWage> wage = surchargeWage(document, evaluation, kind);
    return wage ? wage->rate : 0.0;
}

double surchargePay(const CLorvanDoc& document, const MonthEvaluation& evaluation, SurchargeKind kind) {
    const std::optional<SurchargeWage> wage = surchargeWage(document, evaluation, kind);
    return wage ? wage->pay : 0.0;
}

bool paidByTheHour(const CEinstArbzt& settings, int32_t month) {
    return settings.salariedEmployee == 0 && settings.periodForMonth(month).fixedRegularWorkingDays != 0;
}

bool paidHoursContainAbsences(const CEinstArbzt& s, int32_t month) {
    if (s.wagesInMonthEvaluation == 0) return true;
    return (s.absencesAffectAccount != 0 && s.isModeRA(month)) || s.isModeMA(month) || s.isModeWA(month);
}

AbsencePay absencePay(const CLorvanDoc& document, const MonthEvaluation& evaluation, AbsenceKind kind) {
    const CEinstArbzt& s = document.settings();
    AbsencePay result;
    if (!paidByTheHour(s, evaluation.month)) return result;
    result.hours = absenceHours(evaluation, kind);
    if (paidHoursContainAbsences(s, evaluation.month)) {
        result.form = AbsencePayForm::HoursOnly;
        return result;
    }
    result.form = AbsencePayForm::Amount;
    result.rate = hourlyWageOf(document, evaluation);
    result.amount = cents(result.rate * result.hours);
    return result;
}

std::optional<VacationPay> vacationPay(const CLorvanDoc& document, const MonthEvaluation& evaluation) {
    const CEinstArbzt& s = document.settings();
    if (s.wagesInMonthEvaluation == 0 || !paidByTheHour(s, evaluation.month)) return std::nullopt;
    const double perDay = wagePeriodOf(document, evaluation.month).vacationPayPerDay;
    if (perDay <= 0) return std::nullopt;
    return VacationPay{perDay, cents(perDay * evaluation.vacationHours)};
}

double vacationPayForCostList(const CLorvanDoc& document, const MonthEvaluation& evaluation) {
    const double perDay = wagePeriodOf(document, evaluation.month).vacationPayPerDay;
    if (perDay <= 0 || evaluation.vacationDays <= 0) return 0.0;
    return cents(perDay * evaluation.vacationDays);
}

double standbyPay(const CLorvanDoc& document, const MonthEvaluation& evaluation) {
    if (!document.settings().wagesUsed()) return 0.0;
    const WagePeriod& period = wagePeriodOf(document, evaluation.month);
    // A pay without its number of days (only a damaged or hand-made file has one) pays nothing
    // rather than an endless amount.
    if (period.standbyPay <= 0 || period.standbyPayDays <= 0) return 0.0;
    return cents(evaluation.standbyDuties * period.standbyPay / period.standbyPayDays);
}

std::optional<ShiftAllowance> shiftAllowance(const CLorvanDoc& document, const MonthEvaluation& evaluation) {
    if (evaluation.shiftAllowanceMinutes <= 0) return std::nullopt;
    const WagePeriod* period = &wagePeriodOf(document, evaluation.month);
    if (period->shiftAllowanceWageType.empty() && evaluation.month == 8 && evaluation.year == 2021)
        period = &wagePeriodOf(document, 9);
    ShiftAllowance result;
    result.minutes = evaluation.shiftAllowanceMinutes;
    result.percent = period->shiftAllowancePercent;
    result.wageType = period->shiftAllowanceWageType;
    result.bookingText = format("Schichtzulage %.0f%% für %2.2ld/%4.4ld", result.percent,
                                static_cast<long>(evaluation.month), static_cast<long>(evaluation.year));
    return result;
}

EmployeeCostRates employeeCostRates(const CLorvanDoc& document, int32_t month) {
    const WagePeriod& period = wagePeriodOf(document, month);
    return EmployeeCostRates{period.hourlyWage, period.employerCostPerHour, period.valueCreationPerHour};
}

std::optional<MonthWages> monthWages(const CLorvanDoc& document, const MonthEvaluation& evaluation) {
    if (!document.settings().wagesUsed()) return std::nullopt;
    MonthWages w;
    w.hourlyWage = hourlyWageOf(document, evaluation);
    w.services = serviceWages(document, evaluation);
    w.paidHours = paidHours(document, evaluation);
    w.regularGross = regularGross(document, evaluation);
    w.monthGross = monthGross(document, evaluation);
    for (const SurchargeKind kind : kSurchargeKinds)
        if (std::optional<SurchargeWage> wage = surchargeWage(document, evaluation, kind))
            w.surcharges.push_back(*wage);
    w.holidayPay = absencePay(document, evaluation, AbsenceKind::Holiday);
    w.vacationWage = absencePay(document, evaluation, AbsenceKind::Vacation);
    w.sickPay = absencePay(document, evaluation, AbsenceKind::SickWithPay);
    w.vacationPay = vacationPay(document, evaluation);
    w.vacationPayForCostList = vacationPayForCostList(document, evaluation);
    w.standbyPay = standbyPay(document, evaluation);
    w.shiftAllowance = shiftAllowance(document, evaluation);
    w.costRates = employeeCostRates(document, evaluation.month);
    return w;
}

} // namespace lorvan
