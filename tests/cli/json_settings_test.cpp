#include "cli/json_settings.h"

#include "foundation/error.h"
#include "support/error_text.h"
#include "support/settings_bytes.h"
#include "yearfile/settings.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace lorvan {
namespace {

using nlohmann::json;
using test::describeSettings;

std::set<std::string> keysOf(const json& object) {
    std::set<std::string> keys;
    for (auto it = object.begin(); it != object.end(); ++it)
        keys.insert(it.key());
    return keys;
}

TEST(JsonSettings, KeysAreTheDocumentedOnes) {
    const json j = cli::settingsToJson(test::sampleSettings());
    EXPECT_EQ(keysOf(j), (std::set<std::string>{"name",
                                                "year",
                                                "enter_public_holidays_automatically",
                                                "federal_state",
                                                "check_break_times",
                                                "enforce_correct_break_times",
                                                "wages_in_month_evaluation",
                                                "wages_as_costs_in_customer_query",
                                                "employee_in_cost_evaluation",
                                                "salaried_employee",
                                                "overtime_rounding_minutes",
                                                "surcharge_1_on",
                                                "surcharge_2_on",
                                                "surcharge_1_from_weekly_hours",
                                                "surcharge_2_from_weekly_hours",
                                                "surcharge_1_percent",
                                                "surcharge_2_percent",
                                                "wage_type_surcharge_1",
                                                "wage_type_surcharge_2",
                                                "week_ends_at_month_end",
                                                "sunday_surcharge_on",
                                                "sunday_percent",
                                                "wage_type_sunday",
                                                "base_pay_wage_type_sunday",
                                                "holiday_surcharge_on",
                                                "holiday_percent",
                                                "wage_type_holiday",
                                                "base_pay_wage_type_holiday",
                                                "night_surcharge_on",
                                                "night_end",
                                                "night_begin",
                                                "night_percent",
                                                "wage_type_night",
                                                "saturday_surcharge_on",
                                                "saturday_end",
                                                "saturday_begin",
                                                "saturday_percent",
                                                "wage_type_saturday",
                                                "keep_working_time_account",
                                                "account_carry_over",
                                                "account_from_month",
                                                "account_to_month",
                                                "convert_surcharges_into_hours",
                                                "account_mode",
                                                "monthly_target_hours",
                                                "print_daily_deviations",
                                                "target_depends_on_month",
                                                "monthly_target_hours_per_month",
                                                "absences_affect_account",
                                                "monthly_payout_on",
                                                "weekly_payout_on",
                                                "monthly_payout_threshold",
                                                "weekly_payout_threshold",
                                                "wage_type_monthly_payout",
                                                "wage_type_weekly_payout",
                                                "calculation_field_names",
                                                "manage_remaining_vacation",
                                                "vacation_entitlement",
                                                "remaining_vacation_previous_year",
                                                "count_vacation_on_weekends_and_holidays",
                                                "day_entered_as_one_value",
                                                "default_start_of_work",
                                                "standby_rating_percent",
                                                "unplanned_vacation_text",
                                                "working_time_periods",
                                                "wage_periods"}));
    EXPECT_EQ(keysOf(j["working_time_periods"][0]),
              (std::set<std::string>{"from_month", "last_period", "fixed_regular_working_days",
                                     "working_days_per_week", "hours_per_working_day",
                                     "break_minutes_per_working_day", "hours_by_weekday",
                                     "break_minutes_by_weekday", "half_day_by_weekday", "hours_basis"}));
    EXPECT_EQ(
        keysOf(j["wage_periods"][0]),
        (std::set<std::string>{"from_month", "last_period", "standby_pay_days", "standby_pay", "hourly_wage",
                               "employer_cost_per_hour", "value_creation_per_hour", "employer_cost_factor",
                               "value_creation_factor", "vacation_pay_per_day", "shift_allowance_percent",
                               "shift_allowance_wage_type", "deviating_hourly_wages"}));
    EXPECT_EQ(j["wage_periods"][0]["deviating_hourly_wages"]["Ärztehaus"], 21.5);
    EXPECT_EQ(j["working_time_periods"][0]["hours_by_weekday"], json::parse("[0, 7.5, 7.5, 7.5, 7.5, 6, 0]"));
}

TEST(JsonSettings, RoundTripsEveryField) {
    const CEinstArbzt s = test::sampleSettings();
    CEinstArbzt back;
    cli::settingsFromJson(json::parse(cli::settingsToJson(s).dump()), back);
    EXPECT_EQ(describeSettings(back), describeSettings(s));
}

TEST(JsonSettings, MissingKeysKeepTheDefaults) {
    CEinstArbzt s;
    cli::settingsFromJson(json::parse(R"({"name": "Anna", "working_time_periods": [
        {"from_month": 1, "last_period": 1, "hours_per_working_day": 6},
        {"from_month": 7, "last_period": 0, "fixed_regular_working_days": 0}]})"),
                          s);
    CEinstArbzt expected;
    expected.name = "Anna";
    WorkingTimePeriod first;
    first.hoursPerWorkingDay = 6;
    first.lastPeriod = 0; // only the last period of the list carries the flag
    WorkingTimePeriod second;
    second.fromMonth = 7;
    second.fixedRegularWorkingDays = 0;
    expected.workingTimePeriods = {first, second};
    EXPECT_EQ(describeSettings(s), describeSettings(expected));
}

TEST(JsonSettings, RefusesWhatItCannotTake) {
    const struct {
        const char* json;
        const char* message;
    } cases[] = {
        {R"({"name": "Anna", "foo": 1})", "Unbekannter Schlüssel 'foo' in 'settings'."},
        {R"({"working_time_periods": [{"from_month": 1, "x": 1}]})",
         "Unbekannter Schlüssel 'x' in 'settings.working_time_periods[0]'."},
        {R"({"year": "2026"})", "Falscher Wert für 'year' in 'settings': erwartet eine ganze Zahl."},
        {R"({"working_time_periods": [{"hours_by_weekday": [0, 8, 8, 8, 8, 8]}]})",
         "Falscher Wert für 'hours_by_weekday' in 'settings.working_time_periods[0]': erwartet Liste mit 7 "
         "Werten."},
        {R"({"wage_periods": [{"deviating_hourly_wages": {"Zaun": "18"}}]})",
         "Falscher Wert für 'Zaun' in 'settings.wage_periods[0].deviating_hourly_wages': erwartet eine "
         "Zahl."},
        {R"({"working_time_periods": []})", "'settings.working_time_periods' darf nicht leer sein."},
        {R"({"working_time_periods": [{"from_month": 2}]})",
         "Die Zeiträume in 'settings.working_time_periods' müssen im Januar beginnen und nach 'from_month' "
         "bis "
         "höchstens 12 aufsteigend geordnet sein."},
        {R"({"working_time_periods": [{"from_month": 1}, {"from_month": 5}, {"from_month": 5}]})",
         "Die Zeiträume in 'settings.working_time_periods' müssen im Januar beginnen und nach 'from_month' "
         "bis "
         "höchstens 12 aufsteigend geordnet sein."},
        {R"({"wage_periods": [{"from_month": 1}, {"from_month": 13}]})",
         "Die Zeiträume in 'settings.wage_periods' müssen im Januar beginnen und nach 'from_month' bis "
         "höchstens 12 aufsteigend geordnet sein."},
    };
    for (const auto& c : cases) {
        const CEinstArbzt before = test::sampleSettings();
        CEinstArbzt s = before;
        EXPECT_THROW_MSG(cli::settingsFromJson(json::parse(c.json), s), c.message) << c.json;
        EXPECT_EQ(describeSettings(s), describeSettings(before)) << c.json;
    }
}

} // namespace
} // namespace lorvan
