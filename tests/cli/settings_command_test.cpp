#include "cli/commands.h"
#include "foundation/error.h"
#include "foundation/file_io.h"
#include "masterdata/service_file.h"
#include "support/temp_dir.h"
#include "support/year_file_builder.h"
#include "yearfile/year_file.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace lorvan {
namespace {

// A data directory with Anna's year files of 2025 (account and remaining vacation kept) and 2026
// (April with a worked day, its results cached), and the service "Montage".
class SettingsCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        options_.dataDirectory = dir_.path().string();
        options_.today = Datum{10, 6, 2026};
        test::YearFileBuilder("Anna", 2025)
            .settings([](CEinstArbzt& s) {
                s.federalState = "Bayern";
                s.keepWorkingTimeAccount = 1;
                s.accountCarryOver = 4.5;
                s.manageRemainingVacation = 1;
                s.vacationEntitlement = 25.0;
            })
            .saveAs(dir_.file("Anna2025.azr"));
        anna_ = test::YearFileBuilder("Anna", 2026)
                    .settings([](CEinstArbzt& s) {
                        s.federalState = "Bayern";
                        s.wagesInMonthEvaluation = 1;
                        WagePeriod wage;
                        wage.hourlyWage = 15.0;
                        wage.deviatingHourlyWages = {{"Montage", 18.0}, {"Abgeschafft", 20.0}};
                        s.wagePeriods = {wage};
                    })
                    .month(4, [](CMonatDoc& m) { m.resultsValid = 1; })
                    .day(4, 14)
                    .work("7:00", "16:00", 30)
                    .saveAs(dir_.file("Anna2026.azr"));
        CTwDienstlDoc services;
        CDienstlDoc montage;
        montage.name = "Montage";
        services.put(montage);
        services.save(dir_.file("Daten.dl"));
    }

    int settings(const std::vector<std::string>& args, const std::string& input = "") {
        out_.str("");
        err_.str("");
        std::istringstream in(input);
        return cli::runSettings(options_, args, in, out_, err_);
    }

    nlohmann::json monthEvaluation(const std::string& path, const std::string& month) {
        std::ostringstream out;
        EXPECT_EQ(cli::runMonth(options_, {path, month, "--json"}, out), 0);
        return nlohmann::json::parse(out.str()).at("evaluation");
    }

    static CLorvanDoc load(const std::string& path) {
        CLorvanDoc doc;
        doc.open(path);
        return doc;
    }

    test::TempDir dir_;
    cli::Options options_;
    std::string anna_;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(SettingsCommand, CheckNamesTheFirstFailingPageAndField) {
    EXPECT_EQ(settings({"check", anna_}, R"({"surcharge_1_on": 0})"), 1);
    EXPECT_EQ(err_.str(), "Seite: Überstunden\nFeld: surcharge_2_on\n");
    EXPECT_EQ(settings({"check", anna_}, R"({"working_time_periods": [{"from_month": 1}, {"from_month": 0}]})"), 1);
    EXPECT_EQ(err_.str(), "Seite: Arbeitszeit (2)\nFeld: from_month\n");
    // The unusual rounding: No (the default) keeps the page, --yes accepts it.
    EXPECT_EQ(settings({"check", anna_}, R"({"overtime_rounding_minutes": 7})"), 1);
    EXPECT_EQ(err_.str(), "Seite: Überstunden\nFeld: overtime_rounding_minutes\n");
    options_.answerYes = true;
    EXPECT_EQ(settings({"check", anna_}, R"({"settings": {"overtime_rounding_minutes": 7}})"), 0);
    EXPECT_EQ(out_.str(), "Die Einstellungen sind in Ordnung.\n");
}

TEST_F(SettingsCommand, SetWritesTheFileAndTheMonthFollows) {
    const double before = monthEvaluation(anna_, "4").at("target_hours").get<double>();
    const std::string bytes = readWholeFile(anna_);
    EXPECT_EQ(settings({"set", anna_}, R"({"night_begin": "12:00"})"), 1);
    EXPECT_EQ(readWholeFile(anna_), bytes); // a failing check writes nothing

    ASSERT_EQ(settings({"set", anna_}, R"({"working_time_periods": [{"from_month": 1,
                                        "hours_by_weekday": [0, 7, 7, 7, 7, 7, 0]}]})"),
              0)
        << err_.str();
    const CLorvanDoc saved = load(anna_);
    EXPECT_EQ(saved.month(4)->resultsValid, 0);
    EXPECT_EQ(saved.settings().workingTimePeriods[0].hoursByWeekday[5], 7.0);
    // Only the wages of services that still exist stay.
    EXPECT_EQ(saved.settings().wagePeriods[0].deviatingHourlyWages.size(), 1u);
    EXPECT_EQ(saved.settings().wagePeriods[0].deviatingHourlyWages.count("Montage"), 1u);
    const double after = monthEvaluation(anna_, "4").at("target_hours").get<double>();
    EXPECT_LT(after, before); // Friday has 7 hours instead of 5, the other weekdays 7 instead of 8
    EXPECT_NE(after, before);
}

TEST_F(SettingsCommand, KeepsDeviatingWagesWhenTheServicesCannotBeRead) {
    std::ofstream(dir_.file("Daten.dl")) << "kaputt";
    ASSERT_EQ(settings({"set", anna_}, "{}"), 0) << err_.str();
    EXPECT_EQ(load(anna_).settings().wagePeriods[0].deviatingHourlyWages.size(), 2u);
}

TEST_F(SettingsCommand, AMissingFileIsCreatedUnderItsOwnerAndYear) {
    const std::string path = dir_.file("Anna2027.azr");
    EXPECT_EQ(settings({"set", path}, "{}"), 1);
    EXPECT_EQ(err_.str(), "Seite: Urlaub / Feiertage / Bereitschaft\nFeld: federal_state\n");
    ASSERT_EQ(settings({"set", path}, R"({"federal_state": "Hessen"})"), 0) << err_.str();
    EXPECT_EQ(load(path).settings().federalState, "Hessen");
    // A file for a year to come, or one that exists already under the new name, is refused.
    EXPECT_EQ(settings({"set", dir_.file("Anna2028.azr")}, R"({"federal_state": "Hessen"})"), 1);
    EXPECT_EQ(settings({"set", dir_.file("Anna2027.azr")}, R"({"name": "Anna", "year": 2026})"), 1);
    EXPECT_EQ(err_.str(), "Seite: Allgemein\nFeld: name\n");
    EXPECT_FALSE(std::filesystem::exists(dir_.file("Anna2028.azr")));
}

TEST_F(SettingsCommand, CopyFromPrintsTheFilledSettings) {
    ASSERT_EQ(settings({"copy-from", anna_, dir_.file("Anna2025.azr")}), 0);
    const nlohmann::json copied = nlohmann::json::parse(out_.str());
    EXPECT_EQ(copied.at("name"), "Anna");
    EXPECT_EQ(copied.at("year"), 2026);
    EXPECT_EQ(copied.at("keep_working_time_account"), 1);
    EXPECT_EQ(copied.at("account_carry_over"), 4.5);
    EXPECT_EQ(copied.at("remaining_vacation_previous_year"), 25.0);
    EXPECT_EQ(load(anna_).settings().keepWorkingTimeAccount, 0); // nothing written

    std::ofstream(dir_.file("Kaputt2025.azr")) << "kaputt";
    EXPECT_THROW(settings({"copy-from", anna_, dir_.file("Kaputt2025.azr")}), LorvanError);
}

} // namespace
} // namespace lorvan
