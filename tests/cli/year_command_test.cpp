#include "cli/commands.h"
#include "foundation/error.h"
#include "foundation/file_io.h"
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

// 2026, remaining vacation managed (entitlement 25, 1 day left from last year): in March a worked
// Monday of 9 hours, two vacation days and a sick day; in June a half vacation day.
class YearCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = test::YearFileBuilder("Anna Berg", 2026)
                    .settings([](CEinstArbzt& s) {
                        s.manageRemainingVacation = 1;
                        s.vacationEntitlement = 25.0;
                        s.remainingVacationPreviousYear = 1.0;
                    })
                    .day(3, 2)
                    .work("7:00", "16:00")
                    .day(3, 3, kVacation)
                    .day(3, 4, kVacation)
                    .day(3, 5, kSickWithPay)
                    .day(6, 1, kHalfVacationDay)
                    .saveAs(dir_.file("Anna_Berg2026.azr"));
    }

    std::string run(const std::vector<std::string>& args) {
        std::ostringstream out;
        EXPECT_EQ(cli::runYear({}, args, out), 0);
        return out.str();
    }

    test::TempDir dir_;
    std::string path_;
};

TEST_F(YearCommand, JsonHasTheTableTheMonthsAndTheTextsAndLeavesTheFileAsItWas) {
    const std::string before = readWholeFile(path_);
    const nlohmann::json json = nlohmann::json::parse(run({path_, "--json"}));
    EXPECT_EQ(json["name"], "Anna Berg");
    EXPECT_EQ(json["manage_remaining_vacation"], true);
    EXPECT_EQ(json["table"]["name"], "JAHR");
    EXPECT_EQ(json["table"]["columns"][1]["title"], "Arbeitstage");
    EXPECT_EQ(json["table"]["rows"][0], (std::vector<std::string>{"März", "1", "", "1", "", ""}));
    EXPECT_EQ(json["table"]["rows"][2], (std::vector<std::string>{"Summe", "1", "", "1", "", ""}));
    const nlohmann::json& march = json["months"][0];
    EXPECT_EQ(march["month"], 3);
    EXPECT_EQ(march["vacation_days"], 2.0);
    EXPECT_EQ(march["remaining_vacation"], 24.0);
    EXPECT_EQ(march["sick_days"]["with_pay"], 1);
    EXPECT_EQ(json["months"][1]["remaining_vacation"], 23.5);
    EXPECT_EQ(json["vacation_days"], 2.5);
    EXPECT_EQ(json["remaining_vacation"], 23.5);
    EXPECT_EQ(json["sick_days"],
              (nlohmann::json{{"with_pay", 1}, {"sick_pay", 0}, {"child_sick", 0}, {"parental_leave", 0}}));
    EXPECT_EQ(
        json["vacation_text"],
        "Genommener Urlaub:\n\nMärz\t\t2,0\nJuni\t\t0,5\n\nGesamt\t\t2,5 Tage\nResturlaub\t23,5 Tage\n");
    EXPECT_EQ(json["sickness_text"], "Krankheitstage:\n\nKrankheitstage im März\nmit Lohnfortzahlung\t1\n"
                                     "\nGesamt\nmit Lohnfortzahlung\t1 Tage\n");
    EXPECT_EQ(readWholeFile(path_), before);
}

TEST_F(YearCommand, TextShowsTheTableAndTheTwoTexts) {
    EXPECT_EQ(
        run({path_, "--text"}),
        "Jahresauswertung 2026\n"
        "Arbeitszeiten von Anna Berg\n\n"
        "Monat  Arbeitstage  Tage < 8 Stunden  Tage >= 8 Stunden  Tage >= 14 Stunden  Tage >= 24 Stunden\n"
        "März             1                                    1                                        \n"
        "Juni             0                                                                             \n"
        "Summe            1                                    1                                        \n"
        "\nGenommener Urlaub:\n\nMärz\t\t2,0\nJuni\t\t0,5\n\nGesamt\t\t2,5 Tage\nResturlaub\t23,5 Tage\n"
        "\nKrankheitstage:\n\nKrankheitstage im März\nmit Lohnfortzahlung\t1\n"
        "\nGesamt\nmit Lohnfortzahlung\t1 Tage\n");
}

TEST_F(YearCommand, RefusesBadArguments) {
    const struct {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{}, "year: genau eine Jahresdatei angeben."},
        {{path_, path_}, "year: genau eine Jahresdatei angeben."},
        {{path_, "--json", "--text"}, "year: nur eine Ausgabeform angeben (--json oder --text)."},
        {{path_, "--json", "--pdf", "y.pdf"},
         "year: nur eine Ausgabeform angeben (--json, --text, --pdf oder --xlsx)."},
        {{path_, "--pdf", "y.pdf", "--xlsx", "y.xlsx"},
         "year: nur eine Ausgabedatei angeben (--pdf oder --xlsx)."},
        {{path_, "--xlsx"}, "year: --xlsx braucht einen Dateinamen."},
        {{path_, "--report", "grid"}, "year: --report gilt nur mit --pdf oder --xlsx."},
        {{path_, "--xlsx", "y.xlsx", "--report", "monat"},
         "year: unbekannter Bericht 'monat' (year, account, grid oder absences)."},
    };
    for (const auto& c : cases) {
        std::ostringstream out;
        EXPECT_THROW_MSG(cli::runYear({}, c.args, out), c.message);
        EXPECT_EQ(out.str(), "");
    }
}

} // namespace
} // namespace lorvan
