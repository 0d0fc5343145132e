#include "foundation/file_io.h"
#include "masterdata/employee_file.h"
#include "platform/user_store.h"
#include "support/temp_dir.h"
#include "support/year_file_builder.h"
#include "yearfile/year_file.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace lorvan {
namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

// A data directory with three employees, year files of Anna (one archived) and a per-user store of
// its own, and lorvan-cli run on them.
class EmployeesCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(data("ARCHIV/2024"));
        CTwMaDoc file;
        file.put(record(1, "Anna Berg", "Büro"));
        file.put(record(2, "Bert Kunz", "Lager"));
        CMitarbeiterDoc carla = record(7, "Carla Roth", "Lager");
        carla.active = 0;
        file.put(carla);
        file.save(data("Daten.mar"));
        for (int32_t year : {2025, 2026})
            test::YearFileBuilder("Anna Berg", year)
                .saveAs(data("Anna_Berg" + std::to_string(year) + ".azr"));
        test::YearFileBuilder("Anna Berg", 2024).saveAs(data("ARCHIV/2024/Anna_Berg2024.azr"));
    }

    static CMitarbeiterDoc record(int32_t number, const std::string& name, const std::string& department) {
        CMitarbeiterDoc e;
        e.number = number;
        e.name = name;
        e.department = department;
        return e;
    }

    std::string data(const std::string& relative = "") const { return dir_.file("daten/" + relative); }
    std::string configFile() const { return dir_.file("config/TwApps/Lorvan.conf"); }

    // Runs lorvan-cli on the data directory; the arguments are shell-quoted already.
    CliRun cli(const std::string& args, const std::string& input = "") {
        const std::string out = dir_.file("stdout.txt");
        const std::string err = dir_.file("stderr.txt");
        std::string command = "XDG_CONFIG_HOME='" + dir_.file("config") + "' " + std::string(LORVAN_CLI) +
                              " --data '" + data() + "' --today 15.03.2026 " + args + " >'" + out + "' 2>'" +
                              err + "'";
        if (!input.empty()) {
            test::writeBytes(dir_.file("in.json"), input);
            command += " <'" + dir_.file("in.json") + "'";
        }
        const int raw = std::system(command.c_str());
        CliRun r;
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = readWholeFile(out);
        r.err = readWholeFile(err);
        return r;
    }

    CTwMaDoc employees() const {
        CTwMaDoc file;
        file.open(data("Daten.mar"));
        return file;
    }
    std::vector<std::string> yearFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(data()))
            if (entry.is_regular_file() && entry.path().extension() == ".azr")
                names.push_back(std::filesystem::relative(entry.path(), data()).string());
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string ownerInside(const std::string& relative) const {
        CLorvanDoc doc;
        doc.open(data(relative));
        return doc.settings().name;
    }

    test::TempDir dir_;
};

TEST_F(EmployeesCommand, ListShowsActiveEmployeesAsATableOrAllOfThemAsJson) {
    const CliRun text = cli("employees list");
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(
        text.out,
        "Personalnummer  Name       Abteilung  Zusatzinfo  Probezeit Resttage  Eintritt  Austritt  Aktiv\n"
        "             1  Anna Berg  Büro                                                           Ja\n"
        "             2  Bert Kunz  Lager                                                          Ja\n");

    const CliRun all = cli("employees list --all --json");
    ASSERT_EQ(all.status, 0) << all.err;
    const nlohmann::json records = nlohmann::json::parse(all.out);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[2]["number"], 7);
    EXPECT_EQ(records[2]["active"], 0);
    // The form of a record in `show`.
    const CliRun shown = cli("show '" + data("Daten.mar") + "'");
    EXPECT_EQ(nlohmann::json::parse(shown.out)["employees"], records);
}

TEST_F(EmployeesCommand, UnreadableEmployeeFileFailsWithItsMessage) {
    test::writeBytes(data("Daten.mar"), std::string("\x0E\0\0\0\x09\0\0\0", 8));
    const CliRun r = cli("employees list");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind("Die Datei " + data("Daten.mar") + " lässt sich leider nicht einlesen. :-(", 0), 0u)
        << r.err;
}

TEST_F(EmployeesCommand, AddGivesTheProposedNumberWhenNoneIsGiven) {
    const CliRun r = cli("employees add", R"({"name": "Dora Lang", "in_probation": 1,
                                              "entry_date": {"day": 31, "month": 8, "year": 2025}})");
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json created = nlohmann::json::parse(r.out);
    EXPECT_EQ(created["number"], 8);
    EXPECT_EQ(created["probation_end"], (nlohmann::json{{"day", 2}, {"month", 3}, {"year", 2026}}));
    const CTwMaDoc file = employees();
    const CMitarbeiterDoc* dora = file.findByNumber(8);
    ASSERT_NE(dora, nullptr);
    EXPECT_EQ(dora->name, "Dora Lang");

    const CliRun numbered = cli("employees add", R"({"number": 40, "name": "Emil"})");
    ASSERT_EQ(numbered.status, 0) << numbered.err;
    const CTwMaDoc after = employees();
    ASSERT_NE(after.findByNumber(40), nullptr);
    EXPECT_TRUE(after.findByNumber(40)->entryDate.isEmpty()); // no entry date given: none recorded
}

TEST_F(EmployeesCommand, RefusedInputWritesNothing) {
    struct Case {
        std::string json;
        std::string message;
    };
    const Case cases[] = {
        {R"({"name": "anna berg"})",
         "Der Name Anna Berg existiert schon.\nBitte wählen Sie einen anderen Namen, da "
         "es sonst zu Konflikten bei der Dateierstellung kommen kann.\n"},
        {R"({"number": 2, "name": "Neu"})",
         "Es existiert schon ein Mitarbeiter (Bert Kunz) mit der Personalnummer 2.\n"},
        {R"({"number": -4, "name": "Neu"})", "Geben Sie eine Personalnummer ein.\n"},
        {R"({"department": "Lager"})", "Geben Sie einen Namen ein.\n"},
        {R"({"name": "Neu", "nmae": 1})", "Unbekannter Schlüssel 'nmae' in 'employee'.\n"},
        {R"({"name": "Neu", "exit_date": {"day": 31, "month": 2, "year": 2026}})",
         "Ungültiges Datum für 'exit_date': 31.2.2026\n"},
        {R"([1, 2])", "'employee' muss ein JSON-Objekt sein.\n"},
    };
    const std::string before = readWholeFile(data("Daten.mar"));
    for (const auto& c : cases) {
        const CliRun r = cli("--yes employees add", c.json);
        EXPECT_EQ(r.status, 1) << c.json;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, c.message);
        EXPECT_EQ(readWholeFile(data("Daten.mar")), before);
    }
}

TEST_F(EmployeesCommand, EditChangesOnlyTheGivenKeys) {
    const CliRun r = cli("employees edit 2", R"({"department": "Versand", "has_exit": 1})");
    ASSERT_EQ(r.status, 0) << r.err;
    const CMitarbeiterDoc bert = *employees().findByNumber(2);
    EXPECT_EQ(bert.name, "Bert Kunz");
    EXPECT_EQ(bert.department, "Versand");
    EXPECT_EQ(bert.hasExit, 1);
    EXPECT_EQ(bert.exitDate, (Datum{15, 4, 2026})); // the proposal: today plus one month
    EXPECT_TRUE(bert.entryDate.isEmpty());
    EXPECT_EQ(nlohmann::json::parse(r.out)["department"], "Versand");

    const CliRun missing = cli("employees edit 9", "{}");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "Es gibt keinen Mitarbeiter mit der Personalnummer 9.\n");
}

TEST_F(EmployeesCommand, RenameNeedsYesAndCarriesTheNameToTheFiles) {
    IniUserStore store(configFile());
    store.writeStrings("Recent File List",
                       {{"File1", data("Anna_Berg2026.azr")}, {"File2", data("Bert.azr")}});
    const std::vector<std::string> before = yearFiles();
    const std::string employeeFile = readWholeFile(data("Daten.mar"));
    const CliRun refused = cli("employees edit 1", R"({"name": "Anna Weiß"})");
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "Die vorhandenen Dateien für diesen Mitarbeiter werden geändert. -> Abbrechen\n");
    EXPECT_EQ(yearFiles(), before);
    EXPECT_EQ(readWholeFile(data("Daten.mar")), employeeFile);

    const CliRun r = cli("--yes employees edit 1", R"({"name": "Anna Weiß", "number": 3})");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(yearFiles(), (std::vector<std::string>{"ARCHIV/2024/Anna_Weiss2024.azr", "Anna_Weiss2025.azr",
                                                     "Anna_Weiss2026.azr"}));
    EXPECT_EQ(ownerInside("ARCHIV/2024/Anna_Weiss2024.azr"), "Anna Weiß");
    const CTwMaDoc after = employees();
    ASSERT_NE(after.findByNumber(3), nullptr);
    EXPECT_EQ(after.findByNumber(3)->name, "Anna Weiß");
    EXPECT_EQ(employees().findByNumber(1), nullptr);
    EXPECT_EQ(IniUserStore(configFile()).readString("Recent File List", "File1", ""),
              data("Anna_Weiss2026.azr"));
}

TEST_F(EmployeesCommand, DeleteAsksAndDeletesTheFilesWithTheRecord) {
    const CliRun refused = cli("employees delete 1");
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err,
              "Soll 1 - Anna Berg gelöscht werden?\n\nDie Dateien dieses Mitarbeiters werden ebenfalls "
              "gelöscht. -> Nein\n");
    EXPECT_EQ(yearFiles().size(), 3u);

    const CliRun r = cli("--yes employees delete 1");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(yearFiles().empty());
    EXPECT_EQ(employees().findByNumber(1), nullptr);

    const CliRun withoutFiles = cli("--yes employees delete 7"); // saved at once as well
    ASSERT_EQ(withoutFiles.status, 0) << withoutFiles.err;
    EXPECT_EQ(employees().employees.size(), 1u);
}

TEST_F(EmployeesCommand, FilesListsTheYearFilesWithTheArchive) {
    test::writeBytes(data("Anna_Berg_alt2020.azr"), "x");
    const CliRun r = cli("employees files 1");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, data("ARCHIV/2024/Anna_Berg2024.azr") + "\n" + data("Anna_Berg2025.azr") + "\n" +
                         data("Anna_Berg2026.azr") + "\n");
}

TEST_F(EmployeesCommand, CreateYearFileWritesItsProtocol) {
    const CliRun created = cli("employees create-year-file 1 2027 --report-existing");
    ASSERT_EQ(created.status, 0) << created.err;
    EXPECT_EQ(created.out, "");
    EXPECT_EQ(ownerInside("Anna_Berg2027.azr"), "Anna Berg");

    const CliRun existing = cli("--protocol '" + dir_.file("protokoll.txt") +
                                "' employees create-year-file 1 2027 --report-existing --account 3.5");
    ASSERT_EQ(existing.status, 0) << existing.err;
    EXPECT_EQ(existing.out, "");
    EXPECT_EQ(readWholeFile(dir_.file("protokoll.txt")),
              "Die Datei für Mitarbeiter Anna Berg existiert bereits: " + data("Anna_Berg2027.azr") + "\n");

    const CliRun outside = cli("employees create-year-file 2 2027 --template ../Anna_Berg2026.azr");
    EXPECT_EQ(outside.status, 1);
    EXPECT_EQ(outside.out, "FEHLER: Die Vorlagedatei existiert nicht:\n" + data("../Anna_Berg2026.azr") +
                               "\nDie Datei für Mitarbeiter Bert Kunz konnte nicht angelegt werden.\n");
    EXPECT_FALSE(std::filesystem::exists(data("Bert_Kunz2027.azr")));

    const CliRun badYear = cli("employees create-year-file 1 1989");
    EXPECT_EQ(badYear.status, 1);
    EXPECT_EQ(badYear.err, "Das Jahr muss zwischen 1990 und 9999 liegen: '1989'\n");
}

} // namespace
} // namespace lorvan
