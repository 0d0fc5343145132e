#include "cli/commands.h"
#include "foundation/error.h"
#include "foundation/file_io.h"
#include "masterdata/employee_file.h"
#include "support/error_text.h"
#include "support/temp_dir.h"
#include "support/year_file_builder.h"
#include "yearfile/year_file.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>
#include <string>
#include <vector>

namespace lorvan {
namespace {

// A year file of March 2024 beside an employee file whose record for the owner starts on the 13th.
class MonthCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = test::YearFileBuilder("Anna Berg", 2024)
                    .settings([](CEinstArbzt& s) {
                        s.keepWorkingTimeAccount = 1;
                        s.monthlyPayoutOn = 1;
                        s.monthlyPayoutThreshold = 0.5;
                    })
                    .day(3, 14)
                    .work("7:00", "16:00")
                    .saveAs(dir_.file("Anna_Berg2024.azr"));
        writeEmployees(dir_.path().string(), Datum{13, 3, 2024});
    }

    static void writeEmployees(const std::string& directory, const Datum& entry) {
        CTwMaDoc employees;
        CMitarbeiterDoc anna;
        anna.number = 1;
        anna.name = "Anna Berg";
        anna.entryDate = entry;
        employees.put(anna);
        employees.save(directory + "/Daten.mar");
    }

    nlohmann::json run(int (*command)(const cli::Options&, const std::vector<std::string>&, std::ostream&),
                       const std::vector<std::string>& args, const cli::Options& options = {}) {
        std::ostringstream out;
        EXPECT_EQ(command(options, args, out), 0);
        return nlohmann::json::parse(out.str());
    }

    test::TempDir dir_;
    std::string path_;
};

TEST_F(MonthCommand, JsonHasTheEvaluationTheCachedValuesAndTheBalanceAndLeavesTheFileAsItWas) {
    const std::string before = readWholeFile(path_);
    const nlohmann::json json = run(cli::runMonth, {path_, "3", "--json"});
    const nlohmann::json& e = json["evaluation"];
    EXPECT_EQ(e["month"], 3);
    EXPECT_EQ(e["credited_minutes"], 540);
    const nlohmann::json& firstWeek = e["weeks"][0];
    EXPECT_EQ(firstWeek["rows"][0]["code"], "NB"); // Friday 1 March, before the entry
    EXPECT_EQ(firstWeek["carried_in"], nullptr);
    const nlohmann::json& third = e["weeks"][2]; // 11-17 March
    EXPECT_EQ(third["rows"][2]["day"], 13);
    EXPECT_EQ(third["rows"][2]["status"], "Unbekannt");
    EXPECT_EQ(third["rows"][2]["first_after_not_employed"], true);
    const nlohmann::json& worked = third["rows"][3];
    EXPECT_EQ(worked["account_deviation"], 60);
    EXPECT_EQ(worked["blocks"][0]["work_minutes"], 540);
    EXPECT_EQ(worked["blocks"][0]["night_minutes"], 0);
    EXPECT_EQ(json["cached"]["results_valid"], 1);
    EXPECT_EQ(json["cached"]["account_change"], 1.0);
    EXPECT_EQ(json["account_balance"], 0.5);
    EXPECT_EQ(json["account_payout"], 0.5);
    EXPECT_EQ(readWholeFile(path_), before);
}

TEST_F(MonthCommand, TheDataOptionChoosesTheEmployeeFile) {
    test::TempDir other;
    writeEmployees(other.path().string(), Datum{1, 1, 2020});
    cli::Options options;
    options.dataDirectory = other.path().string();
    const nlohmann::json json = run(cli::runMonth, {path_, "3"}, options);
    EXPECT_EQ(json["evaluation"]["weeks"][0]["rows"][0]["status"], "Unbekannt");
    EXPECT_EQ(json["evaluation"]["weeks"][0]["rows"][0]["code"], "");
}

TEST_F(MonthCommand, TextShowsTheRowsAndTotalsWithGermanLabels) {
    std::ostringstream out;
    EXPECT_EQ(cli::runMonth({}, {path_, "3", "--text"}, out), 0);
    const std::string text = out.str();
    for (const char* expected :
         {"Monatsauswertung März 2024 für Anna Berg\n", "Do 14.03.", "Erster Arbeitstag",
          "Stand Arbeitszeitkonto:          0,50\n", "Monatliche Auszahlung:           0,50\n"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
}

TEST_F(MonthCommand, WageFiguresOnlyForAFileThatUsesWages) {
    EXPECT_EQ(run(cli::runMonth, {path_, "3"})["wages"], nullptr);
    std::ostringstream plain;
    cli::runMonth({}, {path_, "3", "--text"}, plain);
    EXPECT_EQ(plain.str().find("Löhne"), std::string::npos);

    // Wage 15.00, "Montage" at 20.00: 5 h of "Montage" and 4 h of other work on 14 March.
    test::YearFileBuilder("Anna Berg", 2024)
        .settings([](CEinstArbzt& s) {
            s.wagesInMonthEvaluation = 1;
            WagePeriod period;
            period.hourlyWage = 15.0;
            period.deviatingHourlyWages["Montage"] = 20.0;
            s.wagePeriods = {period};
        })
        .day(3, 14)
        .line(kKindCustomer, "7:00", "12:00")
        .service("Montage")
        .line(kKindCustomer, "12:00", "16:00")
        .saveAs(path_);

    const nlohmann::json wages = run(cli::runMonth, {path_, "3"})["wages"];
    EXPECT_EQ(wages["hourly_wage"], 15.0);
    EXPECT_EQ(wages["services"][0]["service"], "Montage");
    EXPECT_EQ(wages["services"][0]["gross"], 100.0);
    EXPECT_EQ(wages["covered_minutes"], 300);
    EXPECT_EQ(wages["paid_hours"], 4.0);
    EXPECT_EQ(wages["regular_gross"], 60.0);
    EXPECT_EQ(wages["month_gross"], 160.0);
    EXPECT_EQ(wages["vacation_wage"]["form"], "amount");

    std::ostringstream out;
    EXPECT_EQ(cli::runMonth({}, {path_, "3", "--text"}, out), 0);
    const std::string text = out.str();
    for (const char* expected :
         {"\nLöhne\nStundenlohn:                     15,00 EUR\n",
          "Montage:                         5,00 Std. x 20,00 EUR = 100,00 EUR\n",
          "Bezahlte Stunden:                4,00\n", "Brutto EUR:                      160,00 EUR\n"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
}

TEST_F(MonthCommand, AccountListsTheRowsOfTheDialog) {
    const nlohmann::json json = run(cli::runAccount, {path_, "--json"});
    EXPECT_EQ(json["headings"], (std::vector<std::string>{"Monat", "Berechnet", "Korrektur", "Auszahlung",
                                                          "Summe", "Anmerkung"}));
    ASSERT_EQ(json["rows"].size(), 3u);
    EXPECT_EQ(json["rows"][0]["label"], "Vortrag");
    EXPECT_EQ(json["rows"][1]["cells"],
              (std::vector<std::string>{"März", "1,00", "0,00", "0,50", "0,50", ""}));
    EXPECT_EQ(json["rows"][2]["label"], "Summe");
    EXPECT_EQ(json["balance"], 0.5);
}

TEST_F(MonthCommand, AccountCorrectionIsWrittenToTheFileAtOnce) {
    const nlohmann::json json =
        run(cli::runAccount, {path_, "--correct", "3", "-1,25", "--comment", "Ausgleich", "--json"});
    EXPECT_EQ(json["rows"][1]["correction"], -1.25);
    EXPECT_EQ(json["rows"][1]["comment"], "Ausgleich");
    CLorvanDoc stored;
    stored.open(path_);
    EXPECT_EQ(stored.month(3)->accountCorrection, -1.25);
    EXPECT_EQ(stored.month(3)->correctionComment, "Ausgleich");
    EXPECT_EQ(stored.month(3)->resultsValid, 0);

    // Without --comment the month keeps its comment.
    run(cli::runAccount, {path_, "--correct", "3", "2"});
    stored.open(path_);
    EXPECT_EQ(stored.month(3)->accountCorrection, 2.0);
    EXPECT_EQ(stored.month(3)->correctionComment, "Ausgleich");
}

TEST_F(MonthCommand, RefusesBadArguments) {
    struct Case {
        int (*command)(const cli::Options&, const std::vector<std::string>&, std::ostream&);
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {cli::runMonth, {path_, "13"}, "Der Monat muss zwischen 1 und 12 liegen: '13'"},
        {cli::runMonth, {path_, "März"}, "Der Monat muss zwischen 1 und 12 liegen: 'März'"},
        {cli::runMonth, {path_}, "month: Jahresdatei und Monat angeben."},
        {cli::runMonth,
         {path_, "3", "--json", "--text"},
         "month: nur eine Ausgabeform angeben (--json oder --text)."},
        {cli::runMonth,
         {path_, "3", "--text", "--xlsx", "m.xlsx"},
         "month: nur eine Ausgabeform angeben (--json, --text, --pdf oder --xlsx)."},
        {cli::runAccount, {}, "account: genau eine Jahresdatei angeben."},
        {cli::runAccount, {path_, "--correct", "3", "1,5x"}, "Die Korrektur '1,5x' ist keine gültige Stundenzahl."},
        {cli::runAccount, {path_, "--correct", "4", "1"}, "Der April ist in der Jahresdatei nicht angelegt."},
        {cli::runAccount, {path_, "--comment", "x"}, "account: --comment nur zusammen mit --correct."},
    };
    for (const Case& c : cases) {
        std::ostringstream out;
        EXPECT_THROW_MSG(c.command({}, c.args, out), c.message);
        EXPECT_EQ(out.str(), "");
    }
}

} // namespace
} // namespace lorvan
