#include "foundation/file_io.h"
#include "logbook/logbook_file.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <functional>
#include <string>

namespace lorvan {
namespace {

using test::CliRun;

constexpr const char* kTrip =
    R"({"driver": "Anna", "street": "Weg 2", "place": "Ort", "kilometres": 1050.5, "start_date": "04.03.2026",
        "start_time": "8:00", "end_time": "9:30", "purpose": "Kundenbesuch", "person": "Firma X"})";

// lorvan-cli on a data directory "daten" with a vehicle "AB-CD 123".
class LogbookCommand : public ::testing::Test {
  protected:
    LogbookCommand() {
        std::filesystem::create_directory(data());
        EXPECT_EQ(cli("", "logbook add-vehicle", R"({"plate": "AB-CD 123", "description": "Transporter"})").status, 0);
    }

    std::string data() const { return dir.file("daten"); }
    std::string logbook(int32_t year) const { return data() + "/ABCD_123" + std::to_string(year) + ".fb"; }

    // today: "DD.MM.YYYY hh:mm" or empty.
    CliRun cli(const std::string& today, const std::string& args, const std::string& input = "") const {
        const std::string in = dir.file("stdin.txt");
        test::writeBytes(in, input);
        std::string command = "XDG_CONFIG_HOME='" + dir.file("config") + "' " + std::string(LORVAN_CLI) + " --data '" +
                              data() + "' ";
        if (!today.empty()) command += "--today '" + today + "' ";
        return test::runCommand(command + args, dir.path().string(), in);
    }

    CliRun createWithStart(const std::string& today, int32_t year) const {
        return cli(today, "logbook create ABCD_123 " + std::to_string(year) +
                              " --start-kilometres 1000 --start-street 'Hauptstr. 1' --start-place Musterstadt");
    }

    nlohmann::json show(const std::string& today, int32_t year) const {
        const CliRun shown = cli(today, "logbook show 'AB-CD 123' " + std::to_string(year) + " --json");
        EXPECT_EQ(shown.status, 0) << shown.err;
        return nlohmann::json::parse(shown.out);
    }

    test::TempDir dir;
};

TEST_F(LogbookCommand, VehiclesAndTheirPlates) {
    EXPECT_EQ(cli("", "logbook vehicles").out, "AB-CD 123\tTransporter\n");
    const CliRun clash = cli("", "logbook add-vehicle", R"({"plate": "abcd 123"})");
    EXPECT_EQ(clash.status, 1);
    EXPECT_EQ(clash.err, "Das Amtliche Kennzeichen 'abcd 123' ergibt denselben Dateinamen für die Fahrtenbücher wie "
                         "das Kennzeichen 'AB-CD 123' eines anderen Fahrzeugs.\n");
    // A whole vehicle file written with such plates is refused too.
    const CliRun written = cli("", "write '" + data() + "/Daten.fz'",
                               R"({"file_kind": "fz", "vehicles": [{"plate": "X 1"}, {"plate": "x- 1"}]})");
    EXPECT_EQ(written.status, 1);
}

TEST_F(LogbookCommand, TripsAreCheckedDeletedWithinADayAndCancelledAfterwards) {
    const std::string now = "05.03.2026 10:00";
    const CliRun noStart = cli(now, "logbook create 'AB-CD 123' 2026");
    EXPECT_EQ(noStart.status, 1);
    EXPECT_FALSE(std::filesystem::exists(logbook(2026)));
    const CliRun otherYear = createWithStart(now, 2025);
    EXPECT_EQ(otherYear.err, "Neue Fahrtenbücher können nur für das aktuelle Jahr angelegt werden.\n");
    ASSERT_EQ(createWithStart(now, 2026).status, 0);

    ASSERT_EQ(cli(now, "logbook add-trip ABCD_123 2026", kTrip).status, 0);
    // The driven kilometres give the reading; the start date takes the end date along.
    const CliRun second = cli("05.03.2026 11:00", "logbook add-trip ABCD_123 2026",
                              R"({"driver": "Anna", "street": "Weg 3", "place": "Ort", "driven_kilometres": 20,
                                  "start_date": "04.03.2026", "start_time": "10:00", "kind": 2})");
    ASSERT_EQ(second.status, 0) << second.err;
    nlohmann::json shown = show("05.03.2026 11:00", 2026);
    ASSERT_EQ(shown["trips"].size(), 2u);
    EXPECT_EQ(shown["trips"][1]["kilometres"], 1070.5);
    EXPECT_EQ(shown["trips"][1]["end_date"], "04.03.2026");
    EXPECT_EQ(shown["trips"][0]["start_time"], "08:00");
    EXPECT_EQ(shown["trips"][0]["time_span"], "04.03.2026   08:00 - 09:30  (1:30 h)");
    EXPECT_EQ(shown["sums"]["business"], 50.5);
    EXPECT_EQ(shown["sums"]["private"], 20.0);

    // Changing the first trip may not overtake the second one.
    const CliRun overtaking = cli("05.03.2026 11:00", "logbook edit-trip ABCD_123 2026 1", R"({"kilometres": 1080})");
    EXPECT_EQ(overtaking.status, 1);
    EXPECT_EQ(overtaking.err, "Der neue Kilometerstand muss größer als der alte Kilometerstand sein.\n");

    struct Case {
        const char* today;
        const char* command;
        int status;
        const char* err;
    };
    const Case cases[] = {
        {"06.03.2026 09:00", "delete-trip ABCD_123 2026 1", 0, ""}, // 23 hours
        {"06.03.2026 11:00", "delete-trip ABCD_123 2026 1", 1,      // 24 hours
         "Der Eintrag ist älter als ein Tag und kann deshalb nicht mehr gelöscht werden.\n"},
        {"06.03.2026 11:00", "edit-trip ABCD_123 2026 1", 1,
         "Der Eintrag ist älter als ein Tag und kann deshalb nicht mehr geändert werden.\n"},
        {"06.03.2026 11:00", "cancel-trip ABCD_123 2026 1", 0, ""},
        {"06.03.2026 11:00", "cancel-trip ABCD_123 2026 1", 1, "Der Eintrag ist bereits storniert.\n"},
        {"05.03.2026 09:00", "show ABCD_123 2026", 1, ""},
    };
    for (const Case& c : cases) {
        const CliRun run = cli(c.today, std::string("logbook ") + c.command, R"({"driver": "Bert"})");
        EXPECT_EQ(run.status, c.status) << c.command << run.err;
        if (*c.err) {
            EXPECT_EQ(run.err, c.err) << c.command;
        }
    }
    // The clock turned back before the last trip's creation refuses the logbook.
    EXPECT_NE(cli("05.03.2026 09:00", "logbook show ABCD_123 2026").err.find(kClockTurnedBack), std::string::npos);
    shown = show("06.03.2026 11:00", 2026);
    ASSERT_EQ(shown["trips"].size(), 1u);
    EXPECT_EQ(shown["trips"][0]["kind_letter"], "S");
    EXPECT_EQ(shown["trips"][0]["driver"], "Anna");
}

TEST_F(LogbookCommand, TripsOnlyWithinAMonth) {
    ASSERT_EQ(createWithStart("05.03.2026 10:00", 2026).status, 0);
    const CliRun late = cli("06.04.2026 10:00", "logbook add-trip ABCD_123 2026", kTrip); // 33 days
    EXPECT_EQ(late.status, 1);
    EXPECT_EQ(late.err, "Fahrtenbuch-Einträge dürfen maximal einen Monat nach der Fahrt erfasst werden, um die "
                        "Ordnungsmäßigkeit für das Finanzamt sicherzustellen.\n");
    EXPECT_EQ(cli("04.04.2026 10:00", "logbook add-trip ABCD_123 2026", kTrip).status, 0); // 31 days
}

TEST_F(LogbookCommand, CreatingTheNextYearClosesThePreviousOne) {
    ASSERT_EQ(createWithStart("05.03.2025 10:00", 2025).status, 0);
    ASSERT_EQ(cli("05.03.2025 10:00", "logbook add-trip ABCD_123 2025",
                  std::string(kTrip).replace(std::string(kTrip).find("2026"), 4, "2025"))
                  .status,
              0);
    const std::string question = "Soll das Fahrtenbuch aus dem Jahr 2025 jetzt abgeschlossen werden?\n\n"
                                 "Berücksichtigen Sie bitte, dass dann dort keine Änderungen mehr gemacht werden können!";
    const CliRun declined = cli("02.01.2026 08:00", "--no logbook create ABCD_123 2026");
    EXPECT_EQ(declined.status, 1);
    EXPECT_EQ(declined.err, question + " -> Nein\n");
    EXPECT_FALSE(std::filesystem::exists(logbook(2026)));

    const CliRun created = cli("02.01.2026 08:00", "--yes logbook create ABCD_123 2026");
    ASSERT_EQ(created.status, 0) << created.err;
    const nlohmann::json next = show("02.01.2026 08:00", 2026);
    EXPECT_EQ(next["start_kilometres"], 1050.5);
    EXPECT_EQ(next["start_street"], "Weg 2");
    EXPECT_EQ(show("02.01.2026 08:00", 2025)["closed"], 1);
    const CliRun refused = cli("02.01.2026 08:00", "logbook cancel-trip ABCD_123 2025 1");
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "Das Fahrtenbuch ist bereits abgeschlossen und kann deshalb nicht mehr geändert werden.\n");
}

TEST_F(LogbookCommand, WriteOfAnExistingLogbookAllowsOnlyWhatTheProgramCouldDo) {
    ASSERT_EQ(createWithStart("05.03.2026 10:00", 2026).status, 0);
    ASSERT_EQ(cli("05.03.2026 10:00", "logbook add-trip ABCD_123 2026", kTrip).status, 0);
    const std::string later = "07.03.2026 10:00";
    const nlohmann::json stored = nlohmann::json::parse(cli(later, "show '" + logbook(2026) + "'").out);
    const std::string bytes = readWholeFile(logbook(2026));

    struct Case {
        const char* name;
        std::function<void(nlohmann::json&)> change;
        bool allowed;
    };
    const Case cases[] = {
        {"change an old trip", [](nlohmann::json& j) { j["trips"][0]["kilometres"] = 1060.0; }, false},
        {"remove an old trip", [](nlohmann::json& j) { j["trips"].clear(); }, false},
        {"reopen after closing", [](nlohmann::json& j) { j["closed"] = 2; }, false},
        {"change the start values", [](nlohmann::json& j) { j["start_kilometres"] = 900.0; }, false},
        {"cancel an old trip", [](nlohmann::json& j) { j["trips"][0]["status"] = 1; }, true},
        {"close", [](nlohmann::json& j) { j["closed"] = 1; }, true},
        {"reopen", [](nlohmann::json& j) { j["closed"] = 0; }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        nlohmann::json changed = nlohmann::json::parse(cli(later, "show '" + logbook(2026) + "'").out);
        c.change(changed);
        const std::string before = readWholeFile(logbook(2026));
        const CliRun written = cli(later, "write '" + logbook(2026) + "'", changed.dump());
        EXPECT_EQ(written.status, c.allowed ? 0 : 1) << written.err;
        if (!c.allowed) {
            EXPECT_NE(written.err.find("Die Datei bleibt unverändert."), std::string::npos) << written.err;
            EXPECT_EQ(readWholeFile(logbook(2026)), before);
        }
    }
    EXPECT_NE(readWholeFile(logbook(2026)), bytes);
    EXPECT_EQ(stored["trips"][0]["status"], 0);
}

} // namespace
} // namespace lorvan
