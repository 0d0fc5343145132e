#include "cli/commands.h"
#include "foundation/file_io.h"
#include "masterdata/employee_file.h"
#include "support/cli_run.h"
#include "support/error_text.h"
#include "support/temp_dir.h"
#include "support/year_file_builder.h"
#include "yearfile/year_document.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

namespace lorvan {
namespace {

using test::CliRun;

// A data directory with Anna Berg (4711), Jörg Weiß (4712) and Bernd Berger (4713) and their year
// files of 2026 with the settings of a new file: 8 hours Monday to Thursday, 5 on Friday.
class ImportCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        CTwMaDoc employees;
        for (const auto& [number, name] :
             {std::pair{4711, "Anna Berg"}, {4712, "Jörg Weiß"}, {4713, "Bernd Berger"}}) {
            CMitarbeiterDoc record;
            record.number = number;
            record.name = name;
            employees.put(record);
        }
        employees.save(data("Daten.mar"));
        for (const char* name : {"Anna Berg", "Jörg Weiß", "Bernd Berger"})
            test::YearFileBuilder(name, 2026).saveAs(data(fileNameFor(name, 2026)));
    }

    std::string data(const std::string& name = "") const { return dir_.path().string() + "/" + name; }

    CliRun cli(const std::string& args) {
        return test::runCommand("XDG_CONFIG_HOME='" + dir_.file("config") + "' " + std::string(LORVAN_CLI) +
                                    " --data '" + data() + "' --today 01.03.2026 " + args,
                                dir_.path().string());
    }

    nlohmann::json month(const std::string& name) {
        const CliRun run = cli("month '" + data(fileNameFor(name, 2026)) + "' 2 --json");
        EXPECT_EQ(run.status, 0) << run.err;
        return nlohmann::json::parse(run.out)["evaluation"];
    }

    test::TempDir dir_;
};

// February 2026 for three employees: Anna works every working day its regular hours, Jörg is on
// vacation in the first week and sick on Monday of the second, Bernd works one week of long days.
TEST_F(ImportCommand, MonthForThreeEmployeesEvaluatesAsComputedByHand) {
    std::string file = "Personalnr;Datum;Von;Bis;Dauer;Art;Kunde;Dienstleistung;Pause\r\n";
    for (int day = 2; day <= 27; ++day) {
        const int weekday = (day - 2) % 7; // 0 = Monday
        if (weekday > 4) continue;
        const std::string date = (day < 10 ? "0" : "") + std::to_string(day) + ".02.2026";
        // Anna: 8 hours with 45 minutes' break, Friday 5 hours with 15 minutes.
        file += weekday < 4 ? "4711;" + date + ";08:00;16:45;;;;;45\r\n"
                            : "4711;" + date + ";08:00;13:15;;;;;15\r\n";
        if (day <= 6) file += "Jörg Weiß;" + date + ";;;;U\r\n";
        if (day >= 16 && day <= 20) file += "4713;" + date + ";07:00;16:00;;A;;;45\r\n";
    }
    file += "Jörg Weiß;09.02.2026;;;;K\r\n";
    test::writeBytes(dir_.file("februar.csv"), file);

    const CliRun run = cli("--protocol '" + dir_.file("protokoll.txt") + "' import times '" +
                           dir_.file("februar.csv") + "' --skip-first-line --json");
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json result = nlohmann::json::parse(run.out);
    EXPECT_EQ(result["error_free_lines"], 20 + 6 + 5);
    EXPECT_EQ(result["erroneous_lines"], 0);
    EXPECT_EQ(result["employees"], 3);
    EXPECT_EQ(result["days_imported"], 31);
    EXPECT_EQ(result["days_with_warnings"], 0);
    EXPECT_EQ(result["files_written"].size(), 3u);
    EXPECT_EQ(result["days"][0]["date"], "02.02.2026");
    // Standard error gets the protocol as it arises, and the end message.
    EXPECT_EQ(run.err, result["protocol"].get<std::string>() + "Die Daten wurden fehlerfrei importiert.\n");
    EXPECT_NE(readWholeFile(dir_.file("protokoll.txt")).find("Die Daten wurden fehlerfrei importiert."),
              std::string::npos);

    // Anna: 4 weeks of 4 x 8 + 5 hours = 148 hours, exactly the target; 4 x (4 x 45 + 15) minutes' break.
    const nlohmann::json anna = month("Anna Berg");
    EXPECT_EQ(anna["target_hours"], 148.0);
    EXPECT_EQ(anna["credited_minutes"], 148 * 60);
    EXPECT_EQ(anna["pause_minutes"], 780);
    EXPECT_EQ(anna["account_deviation_minutes"], 0);
    // Jörg: a week of vacation (37 hours), one sick day with pay (8 hours), no work.
    const nlohmann::json joerg = month("Jörg Weiß");
    EXPECT_EQ(joerg["vacation_days"], 5.0);
    EXPECT_EQ(joerg["vacation_hours"], 37.0);
    EXPECT_EQ(joerg["sick_days_with_pay"], 1);
    EXPECT_EQ(joerg["sick_hours_with_pay"], 8.0);
    EXPECT_EQ(joerg["pause_minutes"], 0);
    // Bernd: five days of 9 hours less 45 minutes' break = 5 x 495 minutes.
    const nlohmann::json bernd = month("Bernd Berger");
    EXPECT_EQ(bernd["credited_minutes"], 5 * 495);
    EXPECT_EQ(bernd["pause_minutes"], 5 * 45);

    // The same file again changes nothing in the figures: the days are replaced, not added.
    ASSERT_EQ(cli("import times '" + dir_.file("februar.csv") + "' --skip-first-line").status, 0);
    EXPECT_EQ(month("Bernd Berger")["credited_minutes"], 5 * 495);
}

TEST_F(ImportCommand, RefusedCallsAndTheExitStatusOfErrors) {
    test::writeBytes(dir_.file("a.csv"), "4711;31.02.2026;08:00;12:00\r\n");
    cli::Options options;
    options.dataDirectory = data();
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    const auto run = [&](const std::vector<std::string>& args) {
        return cli::runImport(options, args, in, out, err);
    };
    const std::string usage =
        "\nAufruf: lorvan-cli import times|absences DATEI [--layout standard|column|clock] "
        "[--skip-first-line] [--keep-existing] [--log-all] [--json]";
    EXPECT_THROW_MSG(run({}), "import: times oder absences angeben." + usage);
    EXPECT_THROW_MSG(run({"times"}), "import: die Importdatei fehlt." + usage);
    EXPECT_THROW_MSG(run({"times", dir_.file("a.csv"), "--layout", "column"}),
                     "Die Dateiform 'column' gehört zu 'import absences'." + usage);
    EXPECT_THROW_MSG(run({"absences", dir_.file("a.csv"), "--layout", "xy"}),
                     "Unbekannte Dateiform 'xy' (standard, column oder clock)." + usage);
    EXPECT_THROW_MSG(run({"times", dir_.file("fehlt.csv")}), "Die angegebene Datei existiert nicht.");
    options.protocolFile = data("Daten.mar");
    EXPECT_THROW_MSG(
        run({"times", dir_.file("a.csv")}),
        "Die Datei '" + data("Daten.mar") +
            "' gehört zu den Daten der Anwendung und kann nicht als Protokolldatei verwendet werden.");
    options.protocolFile.clear();
    EXPECT_EQ(run({"times", dir_.file("a.csv")}), 1);
    EXPECT_NE(err.str().find("FEHLER: Das Datum '31.02.2026' ist ungültig.\n"), std::string::npos);
}

} // namespace
} // namespace lorvan
