#include "reports/month_text_report.h"

#include "evaluation/month_evaluation.h"
#include "foundation/time_text.h"
#include "yearfile/year_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace lorvan {
namespace {

using ::testing::Contains;

// March 2024 with an account: a vacation Monday, a Thursday of 9 hours with a remark, and the last day
// of February worked, so that the first week reaches into the previous month. The default period
// works Monday to Thursday 8 hours and Friday 5 hours.
class MonthTextReport : public ::testing::Test {
  protected:
    MonthTextReport() {
        CEinstArbzt& s = doc_.settings();
        s.name = "Anna Berg";
        s.year = 2024;
        s.keepWorkingTimeAccount = 1;
        work(2, 29, "7:00", "15:00");
        work(3, 14, "7:00", "16:00").reportRemark = "Inventur";
        doc_.addMonth(3).addDay(11).dayKind = kVacation;
    }

    CTagDoc& work(int32_t month, int32_t day, const char* from, const char* to, const char* service = "") {
        CTagDoc& d = doc_.addMonth(month).addDay(day);
        CZeitZeile& line = d.addLine();
        line.kind = kKindCustomer;
        line.from = from;
        line.to = to;
        line.duration = parseClock(spanText(from, to));
        line.service = service;
        return d;
    }

    std::string text(int32_t month) {
        YearEvaluator evaluator(doc_, EvaluationContext{});
        const MonthEvaluation& e = evaluator.evaluate(month);
        double payout = 0.0;
        const double balance = evaluator.accountBalance(month, &payout);
        return monthTextReport(doc_, e, balance, payout);
    }

    static std::vector<std::string> lines(const std::string& text) {
        std::vector<std::string> result;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);)
            result.push_back(line);
        return result;
    }

    CLorvanDoc doc_;
};

TEST_F(MonthTextReport, DaysWeekByWeekThenTheMonthsFiguresAndTheAccount) {
    const std::string report = text(3);
    EXPECT_EQ(
        report.substr(0, report.find("Fr 01.03.")),
        "Monatsauswertung März 2024 für Anna Berg\n\n"
        "Tag        Code Status           Soll Gutschr.  Arbeit      Sa   Nacht      So       F    Abw.\n"
        "KW 9 (mit Vormonat)\n");
    const std::vector<std::string> all = lines(report);
    for (const char* expected : {
             "Mo 11.03.  U                     8:00    8:00    0:00    0:00    0:00    0:00    0:00   +0:00",
             "Do 14.03.                        8:00    9:00    9:00    0:00    0:00    0:00    0:00   +1:00  "
             "Inventur",
             "Fr 15.03.       Unbekannt        5:00    0:00    0:00    0:00    0:00    0:00    0:00   +0:00",
             "KW 12",
             "  Woche: Überstunden-Basis 17:00, Zuschlag 1 0:00, Zuschlag 2 0:00, Abweichung +1:00, "
             "Auszahlung 0:00",
             "Soll-Stunden:                    16,00",
             "Fehlzeiten-Soll:                 -8,00",
             "Gutgeschriebene Zeit:            9:00",
             "Urlaub:                          1,00 Tage (8,00 Std.)",
             "Stördienste:                     0",
             "Abweichung Arbeitszeitkonto:     +1:00",
             "Veränderung Arbeitszeitkonto:    1,00",
         })
        EXPECT_THAT(all, Contains(expected));
    // The account closes the text of a file without wages.
    EXPECT_EQ(report.substr(report.find("Stand Arbeitszeitkonto")),
              "Stand Arbeitszeitkonto:          1,00\n"
              "Monatliche Auszahlung:           0,00\n");

    // A month without its record has no account change and correction of its own.
    const std::string may = text(5);
    EXPECT_EQ(may.find("Veränderung Arbeitszeitkonto:"), std::string::npos);
    EXPECT_EQ(may.find("Korrektur:"), std::string::npos);
    EXPECT_THAT(lines(may), Contains("Stand Arbeitszeitkonto:          1,00"));
}

TEST_F(MonthTextReport, AFileWithWagesEndsWithTheMonthsWages) {
    // Wage 15.00 without account, "Montage" at 20.00, 10.00 vacation pay a day and two Sunday hours
    // at 50 %.
    CEinstArbzt& s = doc_.settings();
    s.keepWorkingTimeAccount = 0;
    s.wagesInMonthEvaluation = 1;
    s.sundaySurchargeOn = 1;
    s.sundayPercent = 50;
    WagePeriod period;
    period.hourlyWage = 15.0;
    period.vacationPayPerDay = 10.0;
    period.deviatingHourlyWages["Montage"] = 20.0;
    s.wagePeriods = {period};
    work(3, 15, "7:00", "12:00", "Montage");
    work(3, 17, "9:00", "11:00");

    const std::string report = text(3);
    EXPECT_EQ(report.substr(report.find("\nLöhne")),
              "\nLöhne\n"
              "Stundenlohn:                     15,00 EUR\n"
              "Montage:                         5,00 Std. x 20,00 EUR = 100,00 EUR\n"
              "Bezahlte Stunden:                11,00\n"
              "Bruttolohn aus Stundenlohn:      165,00 EUR\n"
              "Brutto EUR:                      265,00 EUR\n"
              "Sonntags-Zuschlag 50%:           2,00 Std. x 7,50 EUR = 15,00 EUR\n"
              "Feiertage:                       0,00 Std. x 15,00 EUR = 0,00 EUR\n"
              "Urlaubslohn:                     8,00 Std. x 15,00 EUR = 120,00 EUR\n"
              "Krank:                           0,00 Std. x 15,00 EUR = 0,00 EUR\n"
              "Urlaubsgeld:                     Satz: 10,00, 80,00 EUR\n"
              "Urlaubsgeld Mitarbeiterkosten:   10,00 EUR\n"
              "Stördienst:                      0,00 EUR\n"
              "AG-Kosten je Stunde:             0,00 EUR\n"
              "Wertschöpfung je Stunde:         0,00 EUR\n");

    // While the account's paid hours hold the absences, their hours are not paid again.
    s.keepWorkingTimeAccount = 1;
    EXPECT_THAT(lines(text(3)),
                Contains("Urlaubslohn:                     8,00 Std. (in den bezahlten Stunden)"));
}

} // namespace
} // namespace lorvan
