#include "evaluation/wages.h"

#include "evaluation/month_evaluation.h"
#include "foundation/error.h"
#include "support/error_text.h"
#include "support/year_file_builder.h"
#include "yearfile/settings.h"
#include "yearfile/year_file.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace lorvan {
namespace {

// A year file of 2024 that shows wages in the month evaluation, with one wage period.
CLorvanDoc wageDoc(double hourlyWage) {
    CLorvanDoc doc;
    CEinstArbzt& s = doc.settings();
    s.name = "Anna Berg";
    s.year = 2024;
    s.wagesInMonthEvaluation = 1;
    WagePeriod period;
    period.hourlyWage = hourlyWage;
    s.wagePeriods = {period};
    return doc;
}

WagePeriod& wagePeriod(CLorvanDoc& doc) {
    return doc.settings().wagePeriods.front();
}

// An empty mode keeps no account.
void keepAccount(CEinstArbzt& s, const char* mode, int32_t absencesAffectAccount = 1) {
    s.keepWorkingTimeAccount = *mode != 0 ? 1 : 0;
    if (*mode != 0) s.accountMode = mode;
    s.absencesAffectAccount = absencesAffectAccount;
}

// March 2024 with the given totals, as the month evaluation leaves them.
MonthEvaluation marchWith(int32_t creditedMinutes) {
    MonthEvaluation e;
    e.year = 2024;
    e.month = 3;
    e.creditedMinutes = creditedMinutes;
    return e;
}

TEST(Wages, PaidHoursAndGrossByAccountModeAndServices) {
    struct Case {
        const char* name;
        const char* mode;
        int32_t absencesAffectAccount;
        int32_t accountDeviationMinutes;
        const char* service; // worked in the month
        int32_t serviceMinutes;
        std::optional<double> montageWage; // the deviating wage of "Montage"
        double paidHours;
        double regularGross;
        double monthGross;
    };
    // Credited 9600 minutes (160 h); 8 h each of vacation, holiday and sickness with pay; wage 15.00.
    const Case cases[] = {
        {"no account", "", 1, 0, "", 0, std::nullopt, 160.0, 2400.0, 2400.0},
        {"service with a deviating wage", "", 1, 0, "Montage", 600, 20.0, 150.0, 2250.0, 2450.0},
        {"deviating wage 0 pays nothing for the service", "", 1, 0, "Montage", 600, 0.0, 150.0, 2250.0,
         2250.0},
        {"other services stay in the regular hours", "", 1, 0, "Wartung", 600, 20.0, 160.0, 2400.0, 2400.0},
        // 160 h + 24 absence hours - 10 h account change.
        {"RA with absences", "RA", 1, 600, "", 0, std::nullopt, 174.0, 2610.0, 2610.0},
        // 158.5 h + 24 h + 10 h; the service's 1.5 h at 20.00.
        {"RA with absences and a service", "RA", 1, -600, "Montage", 90, 20.0, 192.5, 2887.5, 2917.5},
        {"RA without absences keeps the credited hours", "RA", 0, 600, "", 0, std::nullopt, 160.0, 2400.0,
         2400.0},
        {"WA counts absences whatever the setting", "WA", 0, 600, "", 0, std::nullopt, 174.0, 2610.0, 2610.0},
        {"MA pays the monthly target", "MA", 1, 0, "", 0, std::nullopt, 160.33, 2404.95, 2404.95},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CLorvanDoc doc = wageDoc(15.0);
        keepAccount(doc.settings(), c.mode, c.absencesAffectAccount);
        if (c.montageWage) wagePeriod(doc).deviatingHourlyWages["Montage"] = *c.montageWage;
        MonthEvaluation e = marchWith(9600);
        e.vacationHours = 8.0;
        e.holidayHours = 8.0;
        e.sickHoursWithPay = 8.0;
        e.sickPayHours = 8.0; // sickness without continued pay is not paid
        e.accountDeviationMinutes = c.accountDeviationMinutes;
        if (*c.service != 0) e.serviceMinutes[c.service] = c.serviceMinutes;
        EXPECT_DOUBLE_EQ(paidHours(doc, e), c.paidHours);
        EXPECT_DOUBLE_EQ(regularGross(doc, e), c.regularGross);
        EXPECT_DOUBLE_EQ(monthGross(doc, e), c.monthGross);
    }
}

TEST(Wages, ServiceWagesListTheServicesOfTheMonthWithADeviatingWage) {
    CLorvanDoc doc = wageDoc(15.0);
    wagePeriod(doc).deviatingHourlyWages = {{"Wartung", 17.35}, {"Montage", 20.0}, {"Beratung", 40.0}};
    MonthEvaluation e = marchWith(9600);
    e.serviceMinutes = {{"Wartung", 50}, {"Montage", 600}, {"Inventur", 120}};
    const ServiceWages wages = serviceWages(doc, e);
    ASSERT_EQ(wages.services.size(), 2u);
    EXPECT_EQ(wages.services[0].service, "Montage");
    EXPECT_DOUBLE_EQ(wages.services[0].hours, 10.0);
    EXPECT_DOUBLE_EQ(wages.services[0].gross, 200.0);
    EXPECT_EQ(wages.services[1].service, "Wartung");
    EXPECT_EQ(wages.services[1].minutes, 50);
    EXPECT_DOUBLE_EQ(wages.services[1].hourlyWage, 17.35);
    EXPECT_DOUBLE_EQ(wages.services[1].gross, 14.4); // 50 minutes are 0.83 h; x 17.35 = 14.4005
    EXPECT_EQ(wages.coveredMinutes, 650);
    EXPECT_DOUBLE_EQ(wages.gross(), 214.4);
}

// The month's service minutes come from the complete days; a standby line counts at its rating.
TEST(Wages, ServiceMinutesAreCollectedFromTheCompleteDaysOfTheMonth) {
    const CLorvanDoc doc = test::YearFileBuilder(wageDoc(15.0))
                               .settings([](CEinstArbzt& s) { s.standbyRatingPercent = 50.0; })
                               .day(3, 4)
                               .line(kKindCustomer, "8:00", "10:00")
                               .service("Montage")
                               .line(kKindCustomer, "10:00", "11:30")
                               .service("Montage")
                               .line(kKindOffice, "11:30", "12:00")
                               .day(3, 5)
                               .line(kKindStandby, "18:00", "21:00")
                               .service("Notdienst")
                               .day(3, 6)
                               .line(kKindCustomer, "8:00", "12:00")
                               .service("Montage")
                               .withDay([](CTagDoc& day) { day.complete = 0; })
                               // Tuesday 27 February belongs to the first week of March, not to its wages.
                               .day(2, 27)
                               .line(kKindCustomer, "8:00", "9:00")
                               .service("Montage")
                               .build();
    const auto e = evaluateMonth(doc, 3, EvaluationContext{});
    EXPECT_EQ(e->serviceMinutes, (std::map<std::string, int32_t>{{"Montage", 210}, {"Notdienst", 90}}));
}

TEST(Wages, SurchargePayUnlessConvertedIntoHours) {
    struct Case {
        const char* name;
        SurchargeKind kind;
        double percent;
        int32_t minutes;
        bool convert;
        int32_t accountToMonth;
        std::optional<double> rate;
        double pay;
    };
    // Wage 15.55.
    const Case cases[] = {
        {"surcharge 1, pay rounded half away from zero", SurchargeKind::Surcharge1, 25.0, 90, false, 12, 3.89,
         5.84}, // 3.8875 -> 3.89; 1.5 x 3.89 = 5.835
        {"surcharge 2", SurchargeKind::Surcharge2, 50.0, 61, false, 12, 7.78, 7.94}, // 7.775; 1.02 h x 7.78
        {"holiday", SurchargeKind::Holiday, 100.0, 480, false, 12, 15.55, 124.4},
        {"Sunday", SurchargeKind::Sunday, 50.0, 30, false, 12, 7.78, 3.89},
        {"Saturday", SurchargeKind::Saturday, 12.5, 45, false, 12, 1.94, 1.46}, // 1.94375; 1.455
        {"night", SurchargeKind::Night, 25.0, 45, false, 12, 3.89, 2.92},       // 2.9175
        {"no minutes", SurchargeKind::Night, 25.0, 0, false, 12, std::nullopt, 0.0},
        {"converted into account hours", SurchargeKind::Night, 25.0, 45, true, 12, std::nullopt, 0.0},
        {"converted, but outside the account's months", SurchargeKind::Night, 25.0, 45, true, 2, 3.89, 2.92},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CLorvanDoc doc = wageDoc(15.55);
        CEinstArbzt& s = doc.settings();
        keepAccount(s, "RA");
        s.convertSurchargesIntoHours = c.convert ? 1 : 0;
        s.accountToMonth = c.accountToMonth;
        MonthEvaluation e = marchWith(9600);
        switch (c.kind) {
        case SurchargeKind::Surcharge1:
            s.surcharge1Percent = c.percent;
            e.surcharge1Minutes = c.minutes;
            break;
        case SurchargeKind::Surcharge2:
            s.surcharge2Percent = c.percent;
            e.surcharge2Minutes = c.minutes;
            break;
        case SurchargeKind::Holiday:
            s.holidayPercent = c.percent;
            e.holidayMinutes = c.minutes;
            break;
        case SurchargeKind::Sunday:
            s.sundayPercent = c.percent;
            e.sundayMinutes = c.minutes;
            break;
        case SurchargeKind::Saturday:
            s.saturdayPercent = c.percent;
            e.saturdayMinutes = c.minutes;
            break;
        case SurchargeKind::Night:
            s.nightPercent = c.percent;
            e.nightMinutes = c.minutes;
            break;
        }
        const std::optional<SurchargeWage> wage = surchargeWage(doc, e, c.kind);
        ASSERT_EQ(wage.has_value(), c.rate.has_value());
        EXPECT_DOUBLE_EQ(surchargeRate(doc, e, c.kind), c.rate.value_or(0.0));
        EXPECT_DOUBLE_EQ(surchargePay(doc, e, c.kind), c.pay);
        // Only the kind with minutes is paid.
        const std::optional<MonthWages> month = monthWages(doc, e);
        ASSERT_TRUE(month.has_value());
        ASSERT_EQ(month->surcharges.size(), c.rate ? 1u : 0u);
        if (c.rate) {
            EXPECT_EQ(month->surcharges.front().kind, c.kind);
        }
    }
}

TEST(Wages, AbsencesArePaidAsHoursOrAmountsOrShownAsDaysOnly) {
    struct Case {
        const char* name;
        const char* mode;
        int32_t absencesAffectAccount;
        int32_t wagesInMonthEvaluation;
        int32_t salaried;
        int32_t fixedDays;
        AbsencePayForm form;
    };
    const Case cases[] = {
        {"no account", "", 1, 1, 0, 1, AbsencePayForm::Amount},
        {"RA without absences", "RA", 0, 1, 0, 1, AbsencePayForm::Amount},
        {"RA with absences", "RA", 1, 1, 0, 1, AbsencePayForm::HoursOnly},
        {"WA", "WA", 0, 1, 0, 1, AbsencePayForm::HoursOnly},
        {"MA", "MA", 0, 1, 0, 1, AbsencePayForm::HoursOnly},
        {"wages not shown in the month evaluation", "", 1, 0, 0, 1, AbsencePayForm::HoursOnly},
        {"salaried", "", 1, 1, 1, 1, AbsencePayForm::DaysOnly},
        {"no fixed regular working days", "", 1, 1, 0, 0, AbsencePayForm::DaysOnly},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CLorvanDoc doc = wageDoc(15.55);
        CEinstArbzt& s = doc.settings();
        keepAccount(s, c.mode, c.absencesAffectAccount);
        s.wagesInMonthEvaluation = c.wagesInMonthEvaluation;
        s.employeeInCostEvaluation = 1;
        s.salariedEmployee = c.salaried;
        s.workingTimePeriods.front().fixedRegularWorkingDays = c.fixedDays;
        MonthEvaluation e = marchWith(9600);
        e.holidayHours = 8.0;
        e.vacationHours = 12.0;
        e.sickHoursWithPay = 7.5;
        const bool shown = c.form != AbsencePayForm::DaysOnly;
        const bool amounts = c.form == AbsencePayForm::Amount;
        struct Expected {
            AbsenceKind kind;
            double hours;
            double amount;
        };
        for (const Expected& x :
             {Expected{AbsenceKind::Holiday, 8.0, 124.4}, Expected{AbsenceKind::Vacation, 12.0, 186.6},
              Expected{AbsenceKind::SickWithPay, 7.5, 116.63}}) { // 116.625
            const AbsencePay pay = absencePay(doc, e, x.kind);
            EXPECT_EQ(pay.form, c.form);
            EXPECT_DOUBLE_EQ(pay.hours, shown ? x.hours : 0.0);
            EXPECT_DOUBLE_EQ(pay.rate, amounts ? 15.55 : 0.0);
            EXPECT_DOUBLE_EQ(pay.amount, amounts ? x.amount : 0.0);
        }
    }
}

TEST(Wages, VacationPayOfTheMonthReportAndOfTheEmployeeCostList) {
    struct Case {
        const char* name;
        double perDay;
        double vacationDays;
        double vacationHours;
        int32_t wagesInMonthEvaluation;
        int32_t salaried;
        std::optional<double> reportAmount;
        double costListAmount;
    };
    const Case cases[] = {
        {"two days of 8 h", 10.0, 2.0, 16.0, 1, 0, 160.0, 20.0},
        {"a day and a half", 12.35, 1.5, 12.0, 1, 0, 148.2, 18.53}, // 18.525
        {"no vacation", 10.0, 0.0, 0.0, 1, 0, 0.0, 0.0},
        {"no vacation pay", 0.0, 2.0, 16.0, 1, 0, std::nullopt, 0.0},
        {"wages not shown in the month evaluation", 10.0, 2.0, 16.0, 0, 0, std::nullopt, 20.0},
        {"salaried", 10.0, 2.0, 16.0, 1, 1, std::nullopt, 20.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CLorvanDoc doc = wageDoc(15.0);
        CEinstArbzt& s = doc.settings();
        s.wagesInMonthEvaluation = c.wagesInMonthEvaluation;
        s.employeeInCostEvaluation = 1;
        s.salariedEmployee = c.salaried;
        wagePeriod(doc).vacationPayPerDay = c.perDay;
        MonthEvaluation e = marchWith(9600);
        e.vacationDays = c.vacationDays;
        e.vacationHours = c.vacationHours;
        const std::optional<VacationPay> pay = vacationPay(doc, e);
        ASSERT_EQ(pay.has_value(), c.reportAmount.has_value());
        if (pay) {
            EXPECT_DOUBLE_EQ(pay->rate, c.perDay);
            EXPECT_DOUBLE_EQ(pay->amount, *c.reportAmount);
        }
        EXPECT_DOUBLE_EQ(vacationPayForCostList(doc, e), c.costListAmount);
    }
}

TEST(Wages, StandbyPayIsTheShareOfTheDutyDays) {
    struct Case {
        const char* name;
        double pay;
        int32_t days;
        int32_t duties;
        double expected;
    };
    const Case cases[] = {
        {"300 for 30 days, 3 duties", 300.0, 30, 3, 30.0},
        {"25 for 7 days, 2 duties", 25.0, 7, 2, 7.14}, // 7.1428...
        {"50 for 3 days, 1 duty", 50.0, 3, 1, 16.67},  // 16.666...
        {"no duties", 300.0, 30, 0, 0.0},
        {"no standby pay", 0.0, 30, 3, 0.0},
        // A file can hold a pay without days (the settings dialog refuses it): no endless amount.
        {"no standby-pay days", 300.0, 0, 3, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CLorvanDoc doc = wageDoc(15.0);
        wagePeriod(doc).standbyPay = c.pay;
        wagePeriod(doc).standbyPayDays = c.days;
        MonthEvaluation e = marchWith(0);
        e.standbyDuties = c.duties;
        EXPECT_DOUBLE_EQ(standbyPay(doc, e), c.expected);
    }
}

// Standby duties are counted by the month evaluation: one "Stördienst" and one "Stördienst-Doppelt".
TEST(Wages, StandbyPayOfAnEvaluatedMonth) {
    CLorvanDoc doc = wageDoc(15.0);
    wagePeriod(doc).standbyPay = 300.0;
    wagePeriod(doc).standbyPayDays = 30;
    doc.addMonth(3).addDay(4).dayKind = kStandbyDuty;
    doc.addMonth(3).addDay(5).dayKind = kDoubleStandbyDuty;
    const auto e = evaluateMonth(doc, 3, EvaluationContext{});
    EXPECT_DOUBLE_EQ(standbyPay(doc, *e), 30.0);
}

TEST(Wages, ShiftAllowanceIsBookedWithTheWagePeriodsPercentAndWageType) {
    struct Case {
        const char* name;
        int32_t year;
        int32_t month;
        int32_t minutes;
        std::optional<ShiftAllowance> expected;
    };
    // From September on the wage period names the wage type "0400" at 15 %; before, none at 0 %.
    const Case cases[] = {
        {"September", 2021, 9, 9600, ShiftAllowance{9600, 15.0, "0400", "Schichtzulage 15% für 09/2021"}},
        // The shift allowance began on 29 August 2021 and is booked as September's.
        {"August 2021", 2021, 8, 1440, ShiftAllowance{1440, 15.0, "0400", "Schichtzulage 15% für 08/2021"}},
        {"August of another year", 2022, 8, 1440,
         ShiftAllowance{1440, 0.0, "", "Schichtzulage 0% für 08/2022"}},
        {"no minutes", 2021, 9, 0, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CLorvanDoc doc = wageDoc(15.0);
        doc.settings().year = c.year;
        WagePeriod september = wagePeriod(doc);
        wagePeriod(doc).lastPeriod = 0;
        september.fromMonth = 9;
        september.shiftAllowancePercent = 15.0;
        september.shiftAllowanceWageType = "0400";
        doc.settings().wagePeriods.push_back(september);
        MonthEvaluation e = marchWith(c.minutes);
        e.year = c.year;
        e.month = c.month;
        e.shiftAllowanceMinutes = c.minutes;
        const std::optional<ShiftAllowance> allowance = shiftAllowance(doc, e);
        ASSERT_EQ(allowance.has_value(), c.expected.has_value());
        if (!allowance) continue;
        EXPECT_EQ(allowance->minutes, c.expected->minutes);
        EXPECT_DOUBLE_EQ(allowance->percent, c.expected->percent);
        EXPECT_EQ(allowance->wageType, c.expected->wageType);
        EXPECT_EQ(allowance->bookingText, c.expected->bookingText);
    }
}

// The week of Monday 4 March 2024 in the default period (Mo-Th 8 h, Fr 5 h): 9 h work, vacation,
// 4 h of "Notdienst" at 30.00, sickness with pay, 5 h work. Wage 15.00.
class EvaluatedMonth : public ::testing::Test {
  protected:
    CLorvanDoc doc_ =
        test::YearFileBuilder(wageDoc(15.0))
            .settings([](CEinstArbzt& s) { s.wagePeriods.front().deviatingHourlyWages["Notdienst"] = 30.0; })
            .day(3, 4)
            .line(kKindCustomer, "7:00", "16:00")
            .day(3, 5, kVacation)
            .day(3, 6)
            .line(kKindCustomer, "8:00", "12:00")
            .service("Notdienst")
            .day(3, 7, kSickWithPay)
            .day(3, 8)
            .line(kKindCustomer, "7:00", "12:00")
            .build();
};

// Where the account keeps the deviations from the target, the wage pays the target less the service
// hours: 37 h - 4 h = 33 h. Otherwise the 14 h of regular work, with the absences paid apart.
TEST_F(EvaluatedMonth, EachAccountModePaysItsHours) {
    struct Case {
        const char* name;
        const char* mode;
        int32_t absencesAffectAccount;
        int32_t wagesInMonthEvaluation;
        double paidHours;
        double monthGross;
        AbsencePayForm absenceForm;
    };
    const Case cases[] = {
        {"no account", "", 1, 1, 14.0, 330.0, AbsencePayForm::Amount},
        {"no account, wages for the cost list only", "", 1, 0, 14.0, 330.0, AbsencePayForm::HoursOnly},
        {"RA with absences", "RA", 1, 1, 33.0, 615.0, AbsencePayForm::HoursOnly},
        {"RA without absences", "RA", 0, 1, 14.0, 330.0, AbsencePayForm::Amount},
        {"WA", "WA", 1, 1, 33.0, 615.0, AbsencePayForm::HoursOnly},
        {"MA", "MA", 1, 1, 160.33, 2524.95, AbsencePayForm::HoursOnly},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CEinstArbzt& s = doc_.settings();
        keepAccount(s, c.mode, c.absencesAffectAccount);
        s.wagesInMonthEvaluation = c.wagesInMonthEvaluation;
        s.employeeInCostEvaluation = 1;
        const auto e = evaluateMonth(doc_, 3, EvaluationContext{});
        const std::optional<MonthWages> wages = monthWages(doc_, *e);
        ASSERT_TRUE(wages.has_value());
        EXPECT_EQ(wages->services.coveredMinutes, 240);
        EXPECT_DOUBLE_EQ(wages->services.gross(), 120.0);
        EXPECT_DOUBLE_EQ(wages->paidHours, c.paidHours);
        EXPECT_DOUBLE_EQ(wages->monthGross, c.monthGross);
        EXPECT_EQ(wages->vacationWage.form, c.absenceForm);
        EXPECT_DOUBLE_EQ(wages->vacationWage.hours, 8.0);
        EXPECT_DOUBLE_EQ(wages->sickPay.amount, c.absenceForm == AbsencePayForm::Amount ? 120.0 : 0.0);
    }
}

TEST(Wages, OnlyAFileThatUsesWagesHasWageFigures) {
    CLorvanDoc doc = wageDoc(15.0);
    doc.settings().wagesInMonthEvaluation = 0;
    EXPECT_FALSE(monthWages(doc, marchWith(9600)).has_value());

    // Wages in use without a wage period for the month: only a damaged file has that.
    doc.settings().wagesAsCostsInCustomerQuery = 1;
    doc.settings().wagePeriods.front().fromMonth = 4;
    EXPECT_THROW_MSG(monthWages(doc, marchWith(9600)), kPointerNotSet);
}

} // namespace
} // namespace lorvan
