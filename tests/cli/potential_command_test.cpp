#include "foundation/file_io.h"
#include "foundation/text_encoding.h"
#include "masterdata/employee_file.h"
#include "masterdata/employee_files.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"
#include "support/xlsx_contents.h"
#include "support/year_file_builder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <string>

namespace lorvan {
namespace {

// A data directory with one employee, 7 "Maier, Anna", her year file of 2024 and the three files of
// the analysis for week 5; lorvan-cli runs on it with today 15 April 2024.
struct PotentialCli {
    test::TempDir dir;
    std::string data = dir.file("daten");

    PotentialCli() {
        std::filesystem::create_directories(data);
        CMitarbeiterDoc anna;
        anna.number = 7;
        anna.name = "Maier, Anna";
        anna.department = "Halle";
        CTwMaDoc employees;
        employees.put(anna);
        employees.save(CTwMaDoc::pathIn(data + "/"));
        test::YearFileBuilder("Maier, Anna", 2024)
            .settings([](CEinstArbzt& s) {
                s.checkBreakTimes = 0;
                s.enforceCorrectBreakTimes = 0;
                s.enterPublicHolidaysAutomatically = 0;
                s.overtimeRoundingMinutes = 15;
            })
            .day(1, 29).work("7:00", "15:20")
            .day(1, 30, kVacation)
            .saveAs(yearFilePath(data + "/", "Maier, Anna", 2024));
        write("pze2024.csv", ";Auswertung PZE/BDE;2024;x\n\n\n;;KW05;;;;\n;;P;B;Pa;?;F\n\n1;Maier Anna;38,5;30;2;-;1\n");
        write("KW05.csv", "\n\n;Maier Anna\n\nC-a;1,5\n");
        write("index2024.csv", "Jahr;Index;Personalnummer\n2024;1;7;Zu spät;Tor;Früh;Ja;31.01.2024;;Grund1;;P1\n"
                               "2024;2;7;Pause;Halle;Spät;Nein;02.02.2024;;Grund2;;P2\n");
    }
    void write(const std::string& name, const std::string& text) {
        std::ofstream(dir.file(name), std::ios::binary) << text;
    }
    test::CliRun run(const std::string& args) {
        return test::runCommand("XDG_CONFIG_HOME='" + dir.file("config") + "' " + std::string(LORVAN_CLI) +
                                    " --data '" + data + "' --today 15.04.2024 " + args,
                                dir.path().string());
    }
    std::string files() const {
        return " --pze '" + dir.file("pze2024.csv") + "' --machine '" + dir.file("KW05.csv") + "' --misconduct '" +
               dir.file("index2024.csv") + "'";
    }
};

TEST(PotentialCommand, AnalysisAsWorkbookAndAsDelimitedText) {
    PotentialCli cli;
    const std::string workbook = cli.dir.file("analyse.xlsx");
    const test::CliRun xlsx = cli.run("potential analyse --from 5/2024 --to 06/2024 --xlsx '" + workbook + "'" + cli.files());
    ASSERT_EQ(xlsx.status, 0) << xlsx.err;
    // The machine file of week 6 is missing: said, and the table is written all the same.
    EXPECT_EQ(xlsx.err, "Die Maschine-Mitarbeiter-Auswertungsdatei für Woche 'kw06' wurde nicht gefunden: '" +
                            cli.dir.file("KW06.csv") + "'\n");
    const test::XlsxContents sheet(workbook);
    EXPECT_EQ(sheet.sheetName(), "05.2024-06.2024 am 15.04.2024");
    EXPECT_EQ(sheet.cell("A1")->value, "Personalnr");
    EXPECT_EQ(sheet.cell("AF1")->value, "Fehlerprotokoll");
    EXPECT_EQ(sheet.cell("A2")->value, "7");
    EXPECT_EQ(sheet.cell("G2")->value, "5");
    EXPECT_EQ(sheet.cell("N2")->value, "0.25"); // Monday: 8:20 against 8:00, rounded to 15 minutes
    EXPECT_FALSE(sheet.cell("N2")->isString);
    EXPECT_EQ(sheet.cell("O2")->value, "U");
    EXPECT_EQ(sheet.cell("V2")->value, "38.5");
    EXPECT_EQ(sheet.cell("AA2")->value, "1.5");
    // Two misconduct lines of the week in one cell (the workbook writes the CR as "_x000D_").
    EXPECT_EQ(sheet.cell("AD2")->value.rfind("Zu spät-Tor-Früh-Ja", 0), 0u);
    EXPECT_NE(sheet.cell("AD2")->value.find("\nPause-Halle-Spät-Nein"), std::string::npos);
    EXPECT_FALSE(sheet.cell("A3").has_value());

    const std::string csv = cli.dir.file("analyse.csv");
    const test::CliRun text = cli.run("potential analyse --from 05/2024 --to 05/2024 --csv '" + csv + "'" + cli.files());
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.err, "");
    const std::string lines = cp1252ToUtf8(readWholeFile(csv));
    EXPECT_EQ(lines.substr(0, 25), "Personalnr;Mitarbeiter;Ab");
    EXPECT_NE(lines.find("\r\n7;Maier, Anna;Halle;;;;5;;1 (-1)();0 (0);0 (0);;0,25;0,25;U;;;;;;;38,5;30;2;-;1;1,50;;;"
                         "\"Zu spät-Tor-Früh-Ja\r\nPause-Halle-Spät-Nein\";\"Grund1\r\nGrund2\";\"P1\r\nP2\"\r\n"),
              std::string::npos)
        << lines;
}

TEST(PotentialCommand, TimesAsJsonAndRefusals) {
    PotentialCli cli;
    const test::CliRun times = cli.run("potential times --from 05/2024 --to 05/2024 --employee 7");
    ASSERT_EQ(times.status, 0) << times.err;
    const auto json = nlohmann::json::parse(times.out);
    ASSERT_EQ(json["rows"].size(), 1u);
    EXPECT_EQ(json["rows"][0][4], "7:00");
    EXPECT_EQ(json["rows"][0][5], "15:20");
    EXPECT_EQ(json["rows"][0][6], "U");
    EXPECT_EQ(json["rows"][0][18], "8,33");

    struct Case {
        std::string args;
        std::string message;
    };
    const Case cases[] = {
        {"potential analyse --to 05/2024", "Woche von wurde nicht angegeben."},
        {"potential analyse --from 005/2024 --to 05/2024", "Woche von im falschen Format. Erwartet wird WW/JJJJ"},
        {"potential analyse --from 05/2024 --to 05/24", "Woche bis im falschen Format. Erwartet wird WW/JJJJ"},
        {"potential analyse --from 05/2024 --to 06/2024 --pze fehlt.csv",
         "Die angegebene Datei existiert nicht. fehlt.csv"},
        {"potential analyse --from 05/2024 --to 06/2024 --csv '" + cli.data + "/Daten.mar'", ""},
    };
    for (const Case& c : cases) {
        const test::CliRun run = cli.run(c.args);
        EXPECT_EQ(run.status, 1) << c.args;
        if (!c.message.empty()) {
            EXPECT_EQ(run.err, c.message + "\n") << c.args;
        }
    }
}

} // namespace
} // namespace lorvan
