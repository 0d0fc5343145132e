#include "foundation/file_io.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <regex>
#include <sstream>
#include <string>

namespace lorvan {
namespace {

// The demo data directory "daten" in a fresh folder; lorvan-cli runs on it with today 15 April 2026.
struct ClosingCli {
    test::TempDir dir;
    std::string data = dir.file("daten");

    ClosingCli() { EXPECT_EQ(run("demo '" + data + "'", false).status, 0); }

    test::CliRun run(const std::string& args, bool withData = true) {
        std::string line = "XDG_CONFIG_HOME='" + dir.file("config") + "' " + std::string(LORVAN_CLI);
        if (withData) line += " --data '" + data + "' --today 15.04.2026";
        return test::runCommand(line + " " + args, dir.path().string());
    }
};

TEST(ClosingCommands, TheWholeChainOnTheDemoData) {
    ClosingCli cli;
    const test::CliRun accounts = cli.run("closing accounts --json --month 03.2026");
    ASSERT_EQ(accounts.status, 0) << accounts.err;
    const auto json = nlohmann::json::parse(accounts.out);
    EXPECT_EQ(json["title"], "Liste Mitarbeiter Arbeitszeitkonto");
    EXPECT_EQ(json["stand"], "Stand: 15.04.2026 für Monat: 03.2026");
    EXPECT_EQ(json["columns"], (nlohmann::json{"Mitarbeiter", "Std:Min", "Std", "Resturlaub (in Tagen)"}));
    EXPECT_TRUE(json["skipped"].empty());
    int employees = 0;
    for (const auto& row : json["rows"])
        if (std::regex_match(row[0].get<std::string>(), std::regex("[0-9]+ - .+"))) ++employees;
    EXPECT_GE(employees, 2);

    const test::CliRun costs = cli.run("closing costs --xlsx '" + cli.dir.file("kosten.xlsx") + "' --month 03.2026");
    EXPECT_EQ(costs.status, 0) << costs.err;
    EXPECT_TRUE(std::filesystem::exists(cli.dir.file("kosten.xlsx")));
    const test::CliRun print = cli.run("closing print --pdf '" + cli.dir.file("monate.pdf") + "' --month 03.2026");
    EXPECT_EQ(print.status, 0) << print.err;
    EXPECT_EQ(readWholeFile(cli.dir.file("monate.pdf")).substr(0, 5), "%PDF-");

    const std::string bookings = cli.dir.file("buchung.txt");
    const std::string calendar = cli.dir.file("kalender.txt");
    const test::CliRun booking = cli.run("booking export --consultant 4711 --client 815 --out '" + bookings +
                                         "' --calendar '" + calendar + "' --month 03.2026");
    ASSERT_EQ(booking.status, 0) << booking.err;
    EXPECT_NE(booking.out.find("Die Buchungsdatei wurde mit "), std::string::npos);
    // Read back: the header, then number;wage type;hours with a decimal comma, CR LF each.
    std::istringstream lines(readWholeFile(bookings));
    std::string line;
    ASSERT_TRUE(std::getline(lines, line));
    EXPECT_EQ(line, "4711;815;03/2026\r");
    int count = 0;
    while (std::getline(lines, line)) {
        EXPECT_TRUE(std::regex_match(line, std::regex("[0-9]+;[^;\r]+;[0-9]+,[0-9]{2}\r"))) << line;
        ++count;
    }
    EXPECT_GT(count, 0);
    EXPECT_NE(booking.out.find("mit " + std::to_string(count) + " Sätzen"), std::string::npos);
    std::istringstream days(readWholeFile(calendar));
    ASSERT_TRUE(std::getline(days, line));
    EXPECT_EQ(line, "4711;815;03/2026\r");
    while (std::getline(days, line))
        EXPECT_TRUE(std::regex_match(line, std::regex("[0-9]+;[0-9]{2}\\.03\\.2026;(U|K|K6|PK);[0-9]+\\.[0-9]{2}\r")))
            << line;
    // The month is closed.
    EXPECT_NE(readWholeFile(cli.data + "/Lorvan.ini").find("MonatsabschlussBis=03.2026"), std::string::npos);

    const std::string absences = cli.dir.file("fehlzeiten.csv");
    const test::CliRun missing = cli.run("absences export --out '" + absences + "' --all-days --month 03.2026");
    EXPECT_EQ(missing.status, 0) << missing.err;
    EXPECT_EQ(readWholeFile(absences).rfind("Abteilung;PersonalNr;Mitarbeiter;Datum;FehlzeitKz;", 0), 0u);
}

TEST(ClosingCommands, RefusalsLeaveEverythingAsItWas) {
    ClosingCli cli;
    // The demo writes no Lorvan.ini; none may appear (no month closed).
    const std::string ini = cli.data + "/Lorvan.ini";
    ASSERT_FALSE(std::filesystem::exists(ini));
    const std::string bookings = cli.dir.file("buchung.txt");
    const struct {
        std::string args;
        std::string message;
    } cases[] = {
        {"closing accounts --month 2024", "Der Monat ist ungültig."},
        {"closing accounts --month 03.2030", "Es sind keine Monatsdaten für die ausgewählten Mitarbeiter vorhanden."},
        {"closing accounts --employee 99 --month 03.2026", "Es gibt keinen Mitarbeiter mit der Personalnummer '99'."},
        {"booking export --consultant 1 --client 2 --out '" + bookings + "' --calendar '" + bookings + "' --month 03.2026",
         "Die Kalenderdatei muss eine andere Datei als die Buchungsdatei sein."},
        {"--protocol '" + bookings + "' booking export --consultant 1 --client 2 --out '" + bookings +
             "' --year-end --month 03.2026",
         "Die Protokolldatei Jahresabschluss muss eine andere Datei"},
        {"booking export --consultant 1 --client 2 --out '" + cli.data + "/Daten.mar' --month 03.2026",
         "ist eine Datendatei des Programms und wird nicht überschrieben"},
        {"booking export --consultant 1 --client '2\n3' --out '" + bookings + "' --month 03.2026",
         "Die Mandantennummer darf keinen Zeilenumbruch enthalten."},
        {"booking export --client 2 --out '" + bookings + "' --month 03.2026", "Die Beraternummer muss eingegeben werden."},
        {"absences export --out '" + cli.data + "/Anna_Schneider2026.azr' --month 03.2026",
         "ist eine Datendatei des Programms"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const test::CliRun run = cli.run(c.args);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(bookings));
        EXPECT_FALSE(std::filesystem::exists(ini));
    }
    EXPECT_GT(std::filesystem::file_size(cli.data + "/Daten.mar"), 0u);
}

TEST(ClosingCommands, AnUnreadableYearFileIsNamedAndSkipped) {
    ClosingCli cli;
    test::writeBytes(cli.data + "/Anna_Schneider2026.azr", "kaputt");
    const test::CliRun run = cli.run("closing accounts --json --month 03.2026");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto json = nlohmann::json::parse(run.out);
    ASSERT_EQ(json["skipped"].size(), 1u);
    EXPECT_EQ(json["skipped"][0]["path"], cli.data + "/Anna_Schneider2026.azr");
    EXPECT_EQ(json["skipped"][0]["employee"], "1 - Anna Schneider");
    EXPECT_NE(run.err.find("Anna_Schneider2026.azr' von 1 - Anna Schneider konnte nicht gelesen werden"),
              std::string::npos);
    for (const auto& row : json["rows"])
        EXPECT_EQ(row[0].get<std::string>().find("Anna Schneider"), std::string::npos);
}

} // namespace
} // namespace lorvan
