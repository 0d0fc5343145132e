#include "foundation/file_io.h"
#include "masterdata/employee_file.h"
#include "masterdata/employee_files.h"
#include "support/temp_dir.h"
#include "support/year_file_builder.h"
#include "yearfile/year_file.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <string>
#include <sys/wait.h>

namespace lorvan {
namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs lorvan-cli on the data directory "daten" of dir, today 15 June 2026.
CliRun importCli(const test::TempDir& dir, const std::string& args) {
    const std::string out = dir.file("stdout.txt");
    const std::string err = dir.file("stderr.txt");
    const std::string command = "XDG_CONFIG_HOME='" + dir.file("config") + "' " + std::string(LORVAN_CLI) +
                                " --data '" + dir.file("daten") + "' --today 15.06.2026 " + args + " >'" + out +
                                "' 2>'" + err + "'";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readWholeFile(out), readWholeFile(err)};
}

// "daten" with Anna Berg (1) in "Daten.mar" and the template "T.azr"; the staff list "liste.csv".
struct CliFixture {
    test::TempDir dir;
    std::string data = dir.file("daten") + "/";
    std::string list = dir.file("liste.csv");

    CliFixture() {
        std::filesystem::create_directories(data);
        CTwMaDoc employees;
        CMitarbeiterDoc anna;
        anna.number = 1;
        anna.name = "Anna Berg";
        employees.put(anna);
        employees.save(CTwMaDoc::pathIn(data));
        test::YearFileBuilder("Vorlage", 2025)
            .settings([](CEinstArbzt& s) {
                s.keepWorkingTimeAccount = 1;
                s.manageRemainingVacation = 1;
            })
            .saveAs(data + "T.azr");
        // Windows-1252, as the staff lists of other systems come.
        test::writeBytes(list, "Nr;Name;Info;Abteilung;Ignorieren;Vorlage;Konto;Rest;Anspruch\r\n"
                               "4711;M\xFC" "ller, Jan;;Lager;;T.azr;12,5;3;30\r\n"
                               "x12;Bert\r\n"
                               "4712;Karl Klein;;;1\r\n");
    }
};

TEST(ImportEmployeesCommand, ImportsTheListWithProtocolAndJson) {
    CliFixture f;
    const std::string protocolFile = f.dir.file("protokoll.txt");
    const CliRun run = importCli(f.dir, "--protocol '" + protocolFile + "' import employees '" + f.list +
                                           "' --year 2026 --skip-first-line --log-all --only-new --json");
    EXPECT_EQ(run.status, 1) << run.err; // one line failed
    const nlohmann::json json = nlohmann::json::parse(run.out);
    EXPECT_FALSE(json["success"].get<bool>());
    EXPECT_EQ(json["failure"], "Beim Import sind Fehler aufgetreten.");
    EXPECT_EQ(json["error_free_lines"], 2);
    EXPECT_EQ(json["erroneous_lines"], 1);
    EXPECT_EQ(json["employees_created"], 1);
    const std::string janFile = yearFilePath(f.data, "Müller, Jan", 2026);
    EXPECT_EQ(json["year_files"], nlohmann::json::array({janFile}));
    ASSERT_EQ(json["lines"].size(), 3u);
    EXPECT_EQ(json["lines"][0]["line"], 2);
    EXPECT_EQ(json["lines"][0]["name"], "Müller, Jan");
    EXPECT_EQ(json["lines"][0]["status"], "imported");
    EXPECT_EQ(json["lines"][1]["status"], "error");
    EXPECT_EQ(json["lines"][1]["protocol"], "Zeile 3:\nFEHLER: Die Personalnr 'x12' ist keine Zahl für: Bert\n"
                                            "Die Datei für Mitarbeiter Bert konnte nicht angelegt werden.\n");
    EXPECT_EQ(json["lines"][2]["status"], "ignored");

    const std::string protocol = json["protocol"];
    EXPECT_EQ(protocol.rfind("Die Datei '" + f.list + "' wird gelesen.\nZeile 2:\nMitarbeiter: 4711 - Müller, Jan\n", 0),
              0u);
    EXPECT_NE(protocol.find("\nZusammenfassung:\nFehlerfrei: 2\nFehlerhaft: 1\n\n"), std::string::npos);
    EXPECT_EQ(readWholeFile(protocolFile), protocol);
    EXPECT_NE(run.err.find("Beim Import sind Fehler aufgetreten.\n"), std::string::npos);
    EXPECT_NE(run.err.find(protocol), std::string::npos);

    CTwMaDoc employees;
    employees.open(CTwMaDoc::pathIn(f.data));
    ASSERT_NE(employees.findByNumber(4711), nullptr);
    EXPECT_EQ(employees.findByNumber(4711)->department, "Lager");
    EXPECT_EQ(employees.ignoreList, "'4712'");
    CLorvanDoc year;
    year.open(janFile);
    EXPECT_DOUBLE_EQ(year.settings().accountCarryOver, 12.5);
    EXPECT_DOUBLE_EQ(year.settings().vacationEntitlement, 30.0);

    // Without the bad line the run succeeds; standard output lists the year files it wrote.
    test::writeBytes(f.list, "1;Anna Berg;;;;T.azr\n");
    const CliRun again = importCli(f.dir, "import employees '" + f.list + "' --year 2027");
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(again.out, yearFilePath(f.data, "Anna Berg", 2027) + "\n");
    EXPECT_EQ(again.err, "Die Datei '" + f.list + "' wird gelesen.\nDer Import war erfolgreich.\n");
}

TEST(ImportEmployeesCommand, RefusesBeforeTheRunAndChangesNothing) {
    CliFixture f;
    const std::string employeeFile = CTwMaDoc::pathIn(f.data);
    const std::string before = readWholeFile(employeeFile);
    struct Case {
        std::string args;
        std::string message;
    };
    const std::string list = "'" + f.list + "'";
    const Case cases[] = {
        {"import employees " + list + " --year 2028", "Die Jahreszahl ist unlogisch.\n"},
        {"import employees '" + f.dir.file("fehlt.csv") + "' --year 2026", "Die angegebene Datei existiert nicht.\n"},
        {"--protocol " + list + " import employees " + list + " --year 2026",
         "Die Protokolldatei darf nicht die Importdatei sein.\n"},
        {"--protocol '" + employeeFile + "' import employees " + list + " --year 2026",
         "Die Datei '" + employeeFile +
             "' gehört zu den Daten der Anwendung und kann nicht als Protokolldatei verwendet werden.\n"},
        {"--protocol '" + f.dir.file("Alt2026.azr") + "' import employees " + list + " --year 2026",
         "Die Datei '" + f.dir.file("Alt2026.azr") +
             "' gehört zu den Daten der Anwendung und kann nicht als Protokolldatei verwendet werden.\n"},
        {"import employees " + list, "import employees: --year fehlt.\nAufruf: lorvan-cli import employees DATEI "
                                     "--year JJJJ [--skip-first-line] [--log-all] [--only-new] [--json]\n"},
    };
    for (const Case& c : cases) {
        const CliRun run = importCli(f.dir, c.args);
        EXPECT_EQ(run.status, 1) << c.args;
        EXPECT_EQ(run.err, c.message) << c.args;
        EXPECT_EQ(run.out, "") << c.args;
    }
    EXPECT_EQ(readWholeFile(employeeFile), before);
    EXPECT_FALSE(std::filesystem::exists(yearFilePath(f.data, "Müller, Jan", 2026)));
}

} // namespace
} // namespace lorvan
