#include "cli/json_settings.h"

#include "cli/json_fields.h"
#include "foundation/error.h"
#include "yearfile/settings.h"

#include <string>
#include <vector>

namespace lorvan::cli {

using nlohmann::json;

namespace {

json periodToJson(const WorkingTimePeriod& p) {
    return {
        {"from_month", p.fromMonth},
        {"last_period", p.lastPeriod},
        {"fixed_regular_working_days", p.fixedRegularWorkingDays},
        {"working_days_per_week", p.workingDaysPerWeek},
        {"hours_per_working_day", p.hoursPerWorkingDay},
        {"break_minutes_per_working_day", p.breakMinutesPerWorkingDay},
        {"hours_by_weekday", p.hoursByWeekday},
        {"break_minutes_by_weekday", p.breakMinutesByWeekday},
        {"half_day_by_weekday", p.halfDayByWeekday},
        {"hours_basis", p.hoursBasis},
    };
}

json wagePeriodToJson(const WagePeriod& p) {
    json wages = json::object();
    for (const auto& [service, wage] : p.deviatingHourlyWages)
        wages[service] = wage;
    return {
        {"from_month", p.fromMonth},
        {"last_period", p.lastPeriod},
        {"standby_pay_days", p.standbyPayDays},
        {"standby_pay", p.standbyPay},
        {"hourly_wage", p.hourlyWage},
        {"employer_cost_per_hour", p.employerCostPerHour},
        {"value_creation_per_hour", p.valueCreationPerHour},
        {"employer_cost_factor", p.employerCostFactor},
        {"value_creation_factor", p.valueCreationFactor},
        {"vacation_pay_per_day", p.vacationPayPerDay},
        {"shift_allowance_percent", p.shiftAllowancePercent},
        {"shift_allowance_wage_type", p.shiftAllowanceWageType},
        {"deviating_hourly_wages", wages},
    };
}

WorkingTimePeriod periodFromJson(const json& object, const std::string& context) {
    WorkingTimePeriod p;
    JsonObjectReader r(object, context);
    r.get("from_month", p.fromMonth);
    r.get("last_period", p.lastPeriod);
    r.get("fixed_regular_working_days", p.fixedRegularWorkingDays);
    r.get("working_days_per_week", p.workingDaysPerWeek);
    r.get("hours_per_working_day", p.hoursPerWorkingDay);
    r.get("break_minutes_per_working_day", p.breakMinutesPerWorkingDay);
    r.get("hours_by_weekday", p.hoursByWeekday);
    r.get("break_minutes_by_weekday", p.breakMinutesByWeekday);
    r.get("half_day_by_weekday", p.halfDayByWeekday);
    r.get("hours_basis", p.hoursBasis);
    r.finish();
    return p;
}

WagePeriod wagePeriodFromJson(const json& object, const std::string& context) {
    WagePeriod p;
    JsonObjectReader r(object, context);
    r.get("from_month", p.fromMonth);
    r.get("last_period", p.lastPeriod);
    r.get("standby_pay_days", p.standbyPayDays);
    r.get("standby_pay", p.standbyPay);
    r.get("hourly_wage", p.hourlyWage);
    r.get("employer_cost_per_hour", p.employerCostPerHour);
    r.get("value_creation_per_hour", p.valueCreationPerHour);
    r.get("employer_cost_factor", p.employerCostFactor);
    r.get("value_creation_factor", p.valueCreationFactor);
    r.get("vacation_pay_per_day", p.vacationPayPerDay);
    r.get("shift_allowance_percent", p.shiftAllowancePercent);
    r.get("shift_allowance_wage_type", p.shiftAllowanceWageType);
    if (const json* wages = r.object("deviating_hourly_wages")) {
        for (auto it = wages->begin(); it != wages->end(); ++it) {
            if (!it->is_number())
                throw LorvanError("Falscher Wert für '" + it.key() + "' in '" + context +
                                  ".deviating_hourly_wages': erwartet eine Zahl.");
            p.deviatingHourlyWages[it.key()] = it->get<double>();
        }
    }
    r.finish();
    return p;
}

// Reads the list under key (when present) and checks its order: the first period starts in January,
// the from months rise up to December. Only the last period carries the last-period flag.
template <typename Period, typename FromJson>
void periodListFromJson(JsonObjectReader& r, const char* key, std::vector<Period>& periods, bool mayBeEmpty,
                        bool orderChecked, FromJson fromJson) {
    const json* list = r.array(key);
    if (!list) return;
    const std::string context = r.context() + "." + key;
    std::vector<Period> result;
    for (size_t i = 0; i < list->size(); ++i)
        result.push_back(fromJson((*list)[i], elementContext(r.context(), key, i)));
    if (result.empty() && !mayBeEmpty) throw LorvanError("'" + context + "' darf nicht leer sein.");
    for (size_t i = 0; i < result.size(); ++i) {
        const int32_t from = result[i].fromMonth;
        const bool ordered = i == 0 ? from == 1
                             : orderChecked ? from > result[i - 1].fromMonth && from <= 12
                                            : from >= 0 && from <= 12;
        if (!ordered)
            throw LorvanError(
                "Die Zeiträume in '" + context +
                "' müssen im Januar beginnen und nach 'from_month' bis höchstens 12 aufsteigend "
                "geordnet sein.");
        result[i].lastPeriod = i + 1 == result.size() ? 1 : 0;
    }
    periods = std::move(result);
}

} // namespace

json settingsToJson(const CEinstArbzt& s) {
    json periods = json::array();
    for (const WorkingTimePeriod& p : s.workingTimePeriods)
        periods.push_back(periodToJson(p));
    json wagePeriods = json::array();
    for (const WagePeriod& p : s.wagePeriods)
        wagePeriods.push_back(wagePeriodToJson(p));
    return {
        {"name", s.name},
        {"year", s.year},
        {"enter_public_holidays_automatically", s.enterPublicHolidaysAutomatically},
        {"federal_state", s.federalState},
        {"check_break_times", s.checkBreakTimes},
        {"enforce_correct_break_times", s.enforceCorrectBreakTimes},
        {"wages_in_month_evaluation", s.wagesInMonthEvaluation},
        {"wages_as_costs_in_customer_query", s.wagesAsCostsInCustomerQuery},
        {"employee_in_cost_evaluation", s.employeeInCostEvaluation},
        {"salaried_employee", s.salariedEmployee},
        {"overtime_rounding_minutes", s.overtimeRoundingMinutes},
        {"surcharge_1_on", s.surcharge1On},
        {"surcharge_2_on", s.surcharge2On},
        {"surcharge_1_from_weekly_hours", s.surcharge1FromWeeklyHours},
        {"surcharge_2_from_weekly_hours", s.surcharge2FromWeeklyHours},
        {"surcharge_1_percent", s.surcharge1Percent},
        {"surcharge_2_percent", s.surcharge2Percent},
        {"wage_type_surcharge_1", s.wageTypeSurcharge1},
        {"wage_type_surcharge_2", s.wageTypeSurcharge2},
        {"week_ends_at_month_end", s.weekEndsAtMonthEnd},
        {"sunday_surcharge_on", s.sundaySurchargeOn},
        {"sunday_percent", s.sundayPercent},
        {"wage_type_sunday", s.wageTypeSunday},
        {"base_pay_wage_type_sunday", s.basePayWageTypeSunday},
        {"holiday_surcharge_on", s.holidaySurchargeOn},
        {"holiday_percent", s.holidayPercent},
        {"wage_type_holiday", s.wageTypeHoliday},
        {"base_pay_wage_type_holiday", s.basePayWageTypeHoliday},
        {"night_surcharge_on", s.nightSurchargeOn},
        {"night_end", s.nightEnd},
        {"night_begin", s.nightBegin},
        {"night_percent", s.nightPercent},
        {"wage_type_night", s.wageTypeNight},
        {"saturday_surcharge_on", s.saturdaySurchargeOn},
        {"saturday_end", s.saturdayEnd},
        {"saturday_begin", s.saturdayBegin},
        {"saturday_percent", s.saturdayPercent},
        {"wage_type_saturday", s.wageTypeSaturday},
        {"keep_working_time_account", s.keepWorkingTimeAccount},
        {"account_carry_over", s.accountCarryOver},
        {"account_from_month", s.accountFromMonth},
        {"account_to_month", s.accountToMonth},
        {"convert_surcharges_into_hours", s.convertSurchargesIntoHours},
        {"account_mode", s.accountMode},
        {"monthly_target_hours", s.monthlyTargetHours},
        {"print_daily_deviations", s.printDailyDeviations},
        {"target_depends_on_month", s.targetDependsOnMonth},
        {"monthly_target_hours_per_month", s.monthlyTargetHoursPerMonth},
        {"absences_affect_account", s.absencesAffectAccount},
        {"monthly_payout_on", s.monthlyPayoutOn},
        {"weekly_payout_on", s.weeklyPayoutOn},
        {"monthly_payout_threshold", s.monthlyPayoutThreshold},
        {"weekly_payout_threshold", s.weeklyPayoutThreshold},
        {"wage_type_monthly_payout", s.wageTypeMonthlyPayout},
        {"wage_type_weekly_payout", s.wageTypeWeeklyPayout},
        {"calculation_field_names", s.calculationFieldNames},
        {"manage_remaining_vacation", s.manageRemainingVacation},
        {"vacation_entitlement", s.vacationEntitlement},
        {"remaining_vacation_previous_year", s.remainingVacationPreviousYear},
        {"count_vacation_on_weekends_and_holidays", s.countVacationOnWeekendsAndHolidays},
        {"day_entered_as_one_value", s.dayEnteredAsOneValue},
        {"default_start_of_work", s.defaultStartOfWork},
        {"standby_rating_percent", s.standbyRatingPercent},
        {"unplanned_vacation_text", s.unplannedVacationText},
        {"working_time_periods", periods},
        {"wage_periods", wagePeriods},
    };
}

void settingsFromJson(const json& object, CEinstArbzt& settings, bool orderChecked) {
    CEinstArbzt s = settings;
    JsonObjectReader r(object, "settings");
    r.get("name", s.name);
    r.get("year", s.year);
    r.get("enter_public_holidays_automatically", s.enterPublicHolidaysAutomatically);
    r.get("federal_state", s.federalState);
    r.get("check_break_times", s.checkBreakTimes);
    r.get("enforce_correct_break_times", s.enforceCorrectBreakTimes);
    r.get("wages_in_month_evaluation", s.wagesInMonthEvaluation);
    r.get("wages_as_costs_in_customer_query", s.wagesAsCostsInCustomerQuery);
    r.get("employee_in_cost_evaluation", s.employeeInCostEvaluation);
    r.get("salaried_employee", s.salariedEmployee);
    r.get("overtime_rounding_minutes", s.overtimeRoundingMinutes);
    r.get("surcharge_1_on", s.surcharge1On);
    r.get("surcharge_2_on", s.surcharge2On);
    r.get("surcharge_1_from_weekly_hours", s.surcharge1FromWeeklyHours);
    r.get("surcharge_2_from_weekly_hours", s.surcharge2FromWeeklyHours);
    r.get("surcharge_1_percent", s.surcharge1Percent);
    r.get("surcharge_2_percent", s.surcharge2Percent);
    r.get("wage_type_surcharge_1", s.wageTypeSurcharge1);
    r.get("wage_type_surcharge_2", s.wageTypeSurcharge2);
    r.get("week_ends_at_month_end", s.weekEndsAtMonthEnd);
    r.get("sunday_surcharge_on", s.sundaySurchargeOn);
    r.get("sunday_percent", s.sundayPercent);
    r.get("wage_type_sunday", s.wageTypeSunday);
    r.get("base_pay_wage_type_sunday", s.basePayWageTypeSunday);
    r.get("holiday_surcharge_on", s.holidaySurchargeOn);
    r.get("holiday_percent", s.holidayPercent);
    r.get("wage_type_holiday", s.wageTypeHoliday);
    r.get("base_pay_wage_type_holiday", s.basePayWageTypeHoliday);
    r.get("night_surcharge_on", s.nightSurchargeOn);
    r.get("night_end", s.nightEnd);
    r.get("night_begin", s.nightBegin);
    r.get("night_percent", s.nightPercent);
    r.get("wage_type_night", s.wageTypeNight);
    r.get("saturday_surcharge_on", s.saturdaySurchargeOn);
    r.get("saturday_end", s.saturdayEnd);
    r.get("saturday_begin", s.saturdayBegin);
    r.get("saturday_percent", s.saturdayPercent);
    r.get("wage_type_saturday", s.wageTypeSaturday);
    r.get("keep_working_time_account", s.keepWorkingTimeAccount);
    r.get("account_carry_over", s.accountCarryOver);
    r.get("account_from_month", s.accountFromMonth);
    r.get("account_to_month", s.accountToMonth);
    r.get("convert_surcharges_into_hours", s.convertSurchargesIntoHours);
    r.get("account_mode", s.accountMode);
    r.get("monthly_target_hours", s.monthlyTargetHours);
    r.get("print_daily_deviations", s.printDailyDeviations);
    r.get("target_depends_on_month", s.targetDependsOnMonth);
    r.get("monthly_target_hours_per_month", s.monthlyTargetHoursPerMonth);
    r.get("absences_affect_account", s.absencesAffectAccount);
    r.get("monthly_payout_on", s.monthlyPayoutOn);
    r.get("weekly_payout_on", s.weeklyPayoutOn);
    r.get("monthly_payout_threshold", s.monthlyPayoutThreshold);
    r.get("weekly_payout_threshold", s.weeklyPayoutThreshold);
    r.get("wage_type_monthly_payout", s.wageTypeMonthlyPayout);
    r.get("wage_type_weekly_payout", s.wageTypeWeeklyPayout);
    r.get("calculation_field_names", s.calculationFieldNames);
    r.get("manage_remaining_vacation", s.manageRemainingVacation);
    r.get("vacation_entitlement", s.vacationEntitlement);
    r.get("remaining_vacation_previous_year", s.remainingVacationPreviousYear);
    r.get("count_vacation_on_weekends_and_holidays", s.countVacationOnWeekendsAndHolidays);
    r.get("day_entered_as_one_value", s.dayEnteredAsOneValue);
    r.get("default_start_of_work", s.defaultStartOfWork);
    r.get("standby_rating_percent", s.standbyRatingPercent);
    r.get("unplanned_vacation_text", s.unplannedVacationText);
    periodListFromJson(r, "working_time_periods", s.workingTimePeriods, false, orderChecked, periodFromJson);
    periodListFromJson(r, "wage_periods", s.wagePeriods, true, orderChecked, wagePeriodFromJson);
    r.finish();
    settings = std::move(s);
}

} // namespace lorvan::cli
