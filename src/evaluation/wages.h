#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Wages and employee costs of a month: the paid hours and the gross wage, the wages of services
// with a deviating hourly wage, the pay of surcharges, absences and standby duties, vacation pay,
// the shift allowance and the per-hour rates of the employee cost list.
//
// Every function takes the year file and the month evaluation of one of its months (see
// month_evaluation.h). Money is EUR, rounded to cents (half away from zero) at each step; hours are
// decimal hours and enter the products unrounded. The wage period comes from the file's settings;
// a file without a wage period for the month raises kPointerNotSet.
namespace lorvan {

class CEinstArbzt;
class CLorvanDoc;
struct MonthEvaluation;
struct WagePeriod;

// The wage period in force in the month (LorvanError kPointerNotSet when there is none).
const WagePeriod& wagePeriodOf(const CLorvanDoc& document, int32_t month);

// The time of one service paid at its deviating hourly wage.
struct ServiceWage {
    std::string service;
    double hourlyWage = 0.0;
    int32_t minutes = 0;
    double hours = 0.0;
    double gross = 0.0;
};

struct ServiceWages {
    // The services of the month that the wage period lists with a deviating wage, in its order.
    std::vector<ServiceWage> services;
    // Their minutes, which the regular wage does not pay again.
    int32_t coveredMinutes = 0;

    double gross() const;
};

ServiceWages serviceWages(const CLorvanDoc& document, const MonthEvaluation& evaluation);

// The hours paid at the regular hourly wage: the credited time outside the services with deviating
// wages; with the account counting absences ("RA" with absences, "WA") plus the credited absences
// minus the account change, in mode "MA" the monthly target.
double paidHours(const CLorvanDoc& document, const MonthEvaluation& evaluation);
// Paid hours x hourly wage.
double regularGross(const CLorvanDoc& document, const MonthEvaluation& evaluation);
// Regular gross + the gross of the services with deviating wages.
double monthGross(const CLorvanDoc& document, const MonthEvaluation& evaluation);

enum class SurchargeKind { Surcharge1, Surcharge2, Holiday, Sunday, Saturday, Night };
inline constexpr std::array<SurchargeKind, 6> kSurchargeKinds = {
    SurchargeKind::Surcharge1, SurchargeKind::Surcharge2, SurchargeKind::Holiday,
    SurchargeKind::Sunday,     SurchargeKind::Saturday,   SurchargeKind::Night};

// The pay of one surcharge kind in a month.
struct SurchargeWage {
    SurchargeKind kind = SurchargeKind::Surcharge1;
    int32_t minutes = 0;
    double percent = 0.0;
    double rate = 0.0; // EUR per hour
    double pay = 0.0;
};

// The surcharge's pay; none when the month has no minutes of that kind or its surcharges are
// converted into account hours.
std::optional<SurchargeWage> surchargeWage(const CLorvanDoc& document, const MonthEvaluation& evaluation,
                                           SurchargeKind kind);
// Its rate and pay, 0 where surchargeWage gives none.
double surchargeRate(const CLorvanDoc& document, const MonthEvaluation& evaluation, SurchargeKind kind);
double surchargePay(const CLorvanDoc& document, const MonthEvaluation& evaluation, SurchargeKind kind);

// Absences are paid by the hour only for an employee who is not salaried and whose working-time
// period of the month has fixed regular working days.
bool paidByTheHour(const CEinstArbzt& settings, int32_t month);
// The paid hours already hold the absences (or no wages are shown in the month evaluation): the
// absences are reported as hours only.
bool paidHoursContainAbsences(const CEinstArbzt& settings, int32_t month);

enum class AbsenceKind { Holiday, Vacation, SickWithPay };

enum class AbsencePayForm {
    DaysOnly,  // salaried, or no fixed regular working days: day counts, no hours, no money
    HoursOnly, // the paid hours hold the absence: its hours, marked " *" in the report
    Amount,    // its hours at the hourly wage
};

struct AbsencePay {
    AbsencePayForm form = AbsencePayForm::DaysOnly;
    double hours = 0.0;  // DaysOnly: 0
    double rate = 0.0;   // Amount: the hourly wage ("Satz" of the vacation wage)
    double amount = 0.0; // Amount: holiday pay, vacation wage ("Urlaubslohn") or sick pay
};

AbsencePay absencePay(const CLorvanDoc& document, const MonthEvaluation& evaluation, AbsenceKind kind);

// "Urlaubsgeld" of the month evaluation: the vacation pay per day as rate, times the month's vacation
// hours. None unless wages are shown in the month evaluation, the employee is paid by the hour and
// the wage period has a vacation pay above 0.
struct VacationPay {
    double rate = 0.0;
    double amount = 0.0;
};
std::optional<VacationPay> vacationPay(const CLorvanDoc& document, const MonthEvaluation& evaluation);
// The vacation pay item of the employee cost list: vacation pay per day x the month's vacation days.
double vacationPayForCostList(const CLorvanDoc& document, const MonthEvaluation& evaluation);

// Duties x standby pay / standby-pay days (the pay is meant for that many duty days); 0 when wages
// are not used, there is no standby pay, or the number of days is missing.
double standbyPay(const CLorvanDoc& document, const MonthEvaluation& evaluation);

// The month's shift allowance as it is booked.
struct ShiftAllowance {
    int32_t minutes = 0;
    double percent = 0.0;
    std::string wageType;
    std::string bookingText; // "Schichtzulage 10% für 08/2021"
};
// None when the month has no shift-allowance minutes. Percent and wage type come from the month's
// wage period; for August 2021, whose allowance began on the 29th, from September's when August's
// names no wage type.
std::optional<ShiftAllowance> shiftAllowance(const CLorvanDoc& document, const MonthEvaluation& evaluation);

// The rates by which the employee cost list turns hours into money.
struct EmployeeCostRates {
    double hourlyWage = 0.0;
    double employerCostPerHour = 0.0;
    double valueCreationPerHour = 0.0;
};
EmployeeCostRates employeeCostRates(const CLorvanDoc& document, int32_t month);

// All wage figures of a month.
struct MonthWages {
    double hourlyWage = 0.0;
    ServiceWages services;
    double paidHours = 0.0;
    double regularGross = 0.0;
    double monthGross = 0.0;
    std::vector<SurchargeWage> surcharges; // the paid kinds in the order of kSurchargeKinds
    AbsencePay holidayPay;
    AbsencePay vacationWage;
    AbsencePay sickPay;
    std::optional<VacationPay> vacationPay;
    double vacationPayForCostList = 0.0;
    double standbyPay = 0.0;
    std::optional<ShiftAllowance> shiftAllowance;
    EmployeeCostRates costRates;
};

// None while the file uses no wages (none of the three wage use settings is on).
std::optional<MonthWages> monthWages(const CLorvanDoc& document, const MonthEvaluation& evaluation);

} // namespace lorvan
