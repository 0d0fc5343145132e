#include "foundation/file_io.h"
#include "masterdata/customer_file.h"
#include "masterdata/service_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <tuple>
#include <vector>

namespace lorvan {
namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

// lorvan-cli on a data directory "daten" of the temporary directory, with the arguments (already
// shell-quoted) and the input on standard input.
class MasterDataCommand : public ::testing::Test {
  protected:
    MasterDataCommand() { std::filesystem::create_directory(data()); }

    std::string data() const { return dir.file("daten"); }
    std::string customerFile() const { return data() + "/Daten.kd"; }
    std::string serviceFile() const { return data() + "/Daten.dl"; }

    CliRun cli(const std::string& args, const std::string& input = "") const {
        const std::string in = dir.file("stdin.txt");
        test::writeBytes(in, input);
        const std::string out = dir.file("stdout.txt");
        const std::string err = dir.file("stderr.txt");
        const std::string command = "XDG_CONFIG_HOME='" + dir.file("config") + "' " +
                                    std::string(LORVAN_CLI) + " --data '" + data() + "' " + args + " <'" +
                                    in + "' >'" + out + "' 2>'" + err + "'";
        const int raw = std::system(command.c_str());
        CliRun r;
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = readWholeFile(out);
        r.err = readWholeFile(err);
        return r;
    }

    void saveCustomers(std::initializer_list<CKundeDoc> customers) const {
        CTwKundenDoc file;
        for (const CKundeDoc& c : customers)
            file.put(c);
        file.save(customerFile());
    }
    CTwKundenDoc customers() const {
        CTwKundenDoc file;
        file.open(customerFile());
        return file;
    }

    static CKundeDoc customer(int32_t number, const std::string& name, const std::string& street = "",
                              const std::string& zipCity = "") {
        CKundeDoc c;
        c.number = number;
        c.name = name;
        c.street = street;
        c.zipCity = zipCity;
        return c;
    }

    test::TempDir dir;
};

class CustomersCommand : public MasterDataCommand {
  protected:
    CustomersCommand() {
        saveCustomers({customer(3, "Beispiel GmbH", "Hauptstr. 1", "12345 Musterstadt"),
                       customer(7, "Beispiel & Söhne"), customer(9, "Bäckerei Müller", "Lindenweg 4")});
    }
};

TEST_F(CustomersCommand, ListShowsTheWindowRowsOrTheRecords) {
    const CliRun text = cli("customers list");
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out, "3\tBeispiel GmbH\tHauptstr. 1\t12345 Musterstadt\n"
                        "7\tBeispiel & Söhne\t\t\n"
                        "9\tBäckerei Müller\tLindenweg 4\t\n");
    const CliRun json = cli("customers list --json");
    EXPECT_EQ(json.status, 0) << json.err;
    EXPECT_NE(json.out.find("\"zip_city\": \"12345 Musterstadt\""), std::string::npos) << json.out;
    EXPECT_EQ(json.out.rfind("[\n  {\n    \"name\": \"Beispiel GmbH\",", 0), 0u) << json.out;

    std::filesystem::remove(customerFile());
    EXPECT_EQ(cli("customers list").out, "");
}

TEST_F(CustomersCommand, SearchPrintsTheMatchAndTheProtocolOfThePasses) {
    struct Case {
        const char* text;
        const char* match; // start of the printed JSON
        const char* protocol;
    };
    const Case cases[] = {
        {"7 - Beispiel & Söhne", "{\n  \"name\": \"Beispiel & Söhne\"", ""},
        {"Mueller", "{\n  \"name\": \"Bäckerei Müller\"", ""},
        {"Beispiel", "null",
         "Suche Kunde: Beispiel\n"
         "Es gibt mehrere Kunden mit einer passenden Bezeichnung:\n"
         "3 - Beispiel GmbH - Hauptstr. 1\n"
         "7 - Beispiel & Söhne\n"
         "FEHLER: Es wurde kein passender Kunde gefunden.\n"},
        {"Meier", "null", "Suche Kunde: Meier\nFEHLER: Es wurde kein passender Kunde gefunden.\n"},
    };
    for (const auto& c : cases) {
        const CliRun r = cli("customers search '" + std::string(c.text) + "'");
        EXPECT_EQ(r.status, 0) << c.text << ": " << r.err;
        EXPECT_EQ(r.out.rfind(c.match, 0), 0u) << r.out;
        const size_t end = r.out.find(std::string(c.match) == "null" ? "null\n" : "\n}\n");
        ASSERT_NE(end, std::string::npos) << r.out;
        EXPECT_EQ(r.out.substr(r.out.find('\n', end + 1) + 1), c.protocol) << c.text;
    }
    const std::string protocol = dir.file("protokoll.txt");
    const CliRun r = cli("--protocol '" + protocol + "' customers search Meier");
    EXPECT_EQ(r.out, "null\n");
    EXPECT_EQ(readWholeFile(protocol),
              "Suche Kunde: Meier\nFEHLER: Es wurde kein passender Kunde gefunden.\n");
}

TEST_F(CustomersCommand, AddTakesTheProposedNumberWhenTheInputHasNone) {
    const CliRun r =
        cli("customers add", R"({"name": "Neu GmbH", "phone": "0211 1", "notes": "Hof\nTor 2"})");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(
        r.out,
        "{\n  \"name\": \"Neu GmbH\",\n  \"notes\": \"Hof\\r\\nTor 2\",\n  \"number\": 10,\n"
        "  \"phone\": \"0211 1\",\n  \"print_notes\": 0,\n  \"street\": \"\",\n  \"zip_city\": \"\"\n}\n");
    EXPECT_EQ(customers().findByNumber(10)->phone, "0211 1");

    ASSERT_EQ(cli("customers add", R"({"number": 4, "name": "Vier"})").status, 0);
    EXPECT_EQ(customers().findByNumber(4)->name, "Vier");
}

TEST_F(CustomersCommand, RefusedInputExitsWithTheMessageAndWritesNothing) {
    struct Case {
        std::string args;
        std::string input;
        std::string err;
    };
    const std::string longName(101, 'x');
    const Case cases[] = {
        {"customers add", R"({"number": 0, "name": "Null"})", "Geben Sie eine Kundennummer ein.\n"},
        {"customers add", R"({"number": -4, "name": "Minus"})", "Geben Sie eine Kundennummer ein.\n"},
        {"customers add", R"({"street": "Nur Straße"})", "Geben Sie einen Namen ein.\n"},
        {"customers add", R"({"number": 3, "name": "Doppelt"})",
         "Es existiert schon ein Kunde (Beispiel GmbH) mit der Kundennummer 3.\n"},
        {"customers add", R"({"name": ")" + longName + R"("})",
         "Der Text für 'Name' ist zu lang (höchstens 100 Zeichen).\n"},
        {"customers add", R"({"name": "A", "phone": ")" + std::string(51, '1') + R"("})",
         "Der Text für 'Telefon' ist zu lang (höchstens 50 Zeichen).\n"},
        {"customers add", R"({"name": "A", "nme": 1})", "Unbekannter Schlüssel 'nme' in 'Kunde'.\n"},
        {"customers add", R"({"name": 5})", "Falscher Wert für 'name' in 'Kunde': erwartet ein Text.\n"},
        {"customers add", R"(["A"])", "'Kunde' muss ein JSON-Objekt sein.\n"},
        {"customers edit 3", R"({"name": ""})", "Geben Sie einen Namen ein.\n"},
        {"customers edit 3", R"({"number": 0})", "Geben Sie eine Kundennummer ein.\n"},
        {"customers edit 3", R"({"number": 7})",
         "Es existiert schon ein Kunde (Beispiel & Söhne) mit der Kundennummer 7.\n"},
        {"customers edit 4", "{}", "Es gibt keinen Kunden mit der Kundennummer 4.\n"},
        {"customers edit x7", "{}", "Ungültige Kundennummer: 'x7'\n"},
        {"customers edit 99999999999", "{}", "Ungültige Kundennummer: '99999999999'\n"},
        {"customers delete 4", "", "Es gibt keinen Kunden mit der Kundennummer 4.\n"},
        // Without --yes every question is answered No.
        {"customers delete 7", "", "Soll 7 - Beispiel & Söhne gelöscht werden? -> Nein\n"},
        {"--no customers delete 7", "", "Soll 7 - Beispiel & Söhne gelöscht werden? -> Nein\n"},
    };
    const std::string before = readWholeFile(customerFile());
    for (const auto& c : cases) {
        const CliRun r = cli(c.args, c.input);
        EXPECT_EQ(r.status, 1) << c.args << " " << c.input;
        EXPECT_EQ(r.err, c.err) << c.args << " " << c.input;
        EXPECT_EQ(r.out, "") << c.args;
        EXPECT_EQ(readWholeFile(customerFile()), before) << c.args << " " << c.input;
    }
    const CliRun badJson = cli("customers add", "{");
    EXPECT_EQ(badJson.status, 1);
    EXPECT_EQ(badJson.err.rfind("Die Eingabe ist kein gültiges JSON: ", 0), 0u) << badJson.err;
}

TEST_F(CustomersCommand, EditChangesOnlyTheGivenKeysAndAsksBeforeANewNumber) {
    const CliRun street = cli("customers edit 3", R"({"street": "Neue Str. 2"})");
    ASSERT_EQ(street.status, 0) << street.err;
    EXPECT_EQ(street.err, "");
    const CTwKundenDoc after = customers();
    const CKundeDoc* edited = after.findByNumber(3);
    ASSERT_NE(edited, nullptr);
    EXPECT_EQ(edited->street, "Neue Str. 2");
    EXPECT_EQ(edited->name, "Beispiel GmbH");
    EXPECT_EQ(edited->zipCity, "12345 Musterstadt");

    const std::string question =
        "Bei Änderung der Kundennummer werden die erfassten Daten NICHT angepasst.\n"
        "Beachten Sie bitte, dass eine nachträgliche Zuordnung der Daten durch das Programm "
        "dann NICHT mehr möglich ist.\n\nMöchten Sie die Kundennummer wirklich ändern?";
    // No keeps the number and still takes the other values.
    const CliRun declined = cli("customers edit 3", R"({"number": 30, "phone": "0211 3"})");
    EXPECT_EQ(declined.status, 0) << declined.err;
    EXPECT_EQ(declined.err, question + " -> Nein\n");
    EXPECT_EQ(customers().findByNumber(3)->phone, "0211 3");
    EXPECT_EQ(customers().findByNumber(30), nullptr);
    EXPECT_NE(declined.out.find("\"number\": 3,\n"), std::string::npos) << declined.out;

    const CliRun accepted = cli("--yes customers edit 3", R"({"number": 30})");
    EXPECT_EQ(accepted.status, 0) << accepted.err;
    EXPECT_EQ(accepted.err, question + " -> Ja\n");
    EXPECT_EQ(customers().findByNumber(3), nullptr);
    EXPECT_EQ(customers().findByNumber(30)->phone, "0211 3");
}

TEST_F(CustomersCommand, ALongerNameFromTheFileStaysWholeWhenOtherFieldsChange) {
    const std::string longName(140, 'L');
    saveCustomers({customer(5, longName)});
    const CliRun r = cli("customers edit 5", R"({"phone": "1"})");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(customers().findByNumber(5)->name, longName);
    const CliRun longer = cli("customers edit 5", R"({"name": ")" + longName + R"(L"})");
    EXPECT_EQ(longer.status, 1);
    EXPECT_EQ(longer.err, "Der Text für 'Name' ist zu lang (höchstens 140 Zeichen).\n");
}

TEST_F(CustomersCommand, DeleteWithYesRemovesTheCustomer) {
    const CliRun r = cli("--yes customers delete 7");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "Soll 7 - Beispiel & Söhne gelöscht werden? -> Ja\n");
    EXPECT_EQ(customers().customers.size(), 2u);
    EXPECT_EQ(customers().findByNumber(7), nullptr);
}

TEST_F(MasterDataCommand, AFileOfAnOlderVersionIsBackedUpBeforeItIsFirstWrittenAgain) {
    // Customer file of version 1 with customer 7.
    std::string v1("\x01\0\0\0"
                   "\x01\0\0\0"
                   "\x07\0\0\0",
                   12);
    v1 += std::string("\x01"
                      "A",
                      2) +
          std::string(4, '\0');
    test::writeBytes(customerFile(), v1);
    const CliRun r = cli("customers add", R"({"name": "B"})");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readWholeFile(data() + "/InternalBackup/Daten1.kd"), v1);
    EXPECT_EQ(customers().loadedVersion(), 2);
    EXPECT_EQ(customers().customers.size(), 2u);
}

TEST_F(MasterDataCommand, WithoutADataDirectoryTheCommandsRefuse) {
    const std::string command = "XDG_CONFIG_HOME='" + dir.file("config") + "' " + std::string(LORVAN_CLI) +
                                " customers list >/dev/null 2>'" + dir.file("err.txt") + "'";
    const int raw = std::system(command.c_str());
    EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, 1);
    EXPECT_EQ(readWholeFile(dir.file("err.txt")),
              "customers: Es ist kein Datenverzeichnis festgelegt (--data VERZ).\n");
}

class ServicesCommand : public MasterDataCommand {
  protected:
    ServicesCommand() {
        CTwDienstlDoc file;
        for (const auto& [name, kind, costs] : {std::tuple<const char*, int32_t, double>{"Beratung", 1, 65.0},
                                                {"Beratung vor Ort", 1, 80.0},
                                                {"Wartung", 0, 0.0}}) {
            CDienstlDoc s;
            s.name = name;
            s.costKind = kind;
            s.costs = costs;
            file.put(s);
        }
        file.save(serviceFile());
    }
    CTwDienstlDoc services() const {
        CTwDienstlDoc file;
        file.open(serviceFile());
        return file;
    }
};

TEST_F(ServicesCommand, ListAndSearch) {
    const CliRun list = cli("services list");
    EXPECT_EQ(list.status, 0) << list.err;
    EXPECT_EQ(list.out, "Beratung\tFest je Stunde\t65,00\n"
                        "Beratung vor Ort\tFest je Stunde\t80,00\n"
                        "Wartung\tAus Stundenlohn\t\n");
    EXPECT_EQ(
        cli("services list --json").out.rfind("[\n  {\n    \"cost_kind\": 1,\n    \"costs\": 65.0,\n", 0),
        0u);

    const CliRun exact = cli("services search Beratung");
    EXPECT_EQ(exact.out, "{\n  \"cost_kind\": 1,\n  \"costs\": 65.0,\n  \"name\": \"Beratung\"\n}\n");
    const CliRun several = cli("services search berat");
    EXPECT_EQ(several.out, "null\n"
                           "Suche Dienstleistung: 'berat'\n"
                           "Es gibt mehrere Dienstleistungen mit einer passenden Bezeichnung:\n"
                           "Beratung\nBeratung vor Ort\n"
                           "FEHLER: Es wurde keine passende Dienstleistung gefunden.\n");
}

TEST_F(ServicesCommand, AddEditAndDelete) {
    const CliRun added = cli("services add", R"({"name": "Montage", "cost_kind": 2, "costs": 120.5})");
    ASSERT_EQ(added.status, 0) << added.err;
    EXPECT_EQ(services().find("Montage")->costs, 120.5);

    // Kind 0 takes no amount and empties the one there was.
    ASSERT_EQ(cli("services edit Montage", R"({"cost_kind": 0})").status, 0);
    EXPECT_EQ(services().find("Montage")->costKind, 0);
    EXPECT_EQ(services().find("Montage")->costs, 0.0);

    const std::string question =
        "Bei Änderung der Bezeichnung werden die erfassten Daten NICHT angepasst.\n"
        "Beachten Sie bitte, dass eine nachträgliche Zuordnung der Daten durch das Programm "
        "dann NICHT mehr möglich ist.\n\nMöchten Sie die Bezeichnung wirklich ändern?";
    const CliRun declined = cli("services edit Beratung", R"({"name": "Erstberatung", "costs": 70})");
    EXPECT_EQ(declined.status, 0) << declined.err;
    EXPECT_EQ(declined.err, question + " -> Nein\n");
    EXPECT_EQ(services().find("Beratung")->costs, 70.0);
    EXPECT_EQ(services().find("Erstberatung"), nullptr);

    ASSERT_EQ(cli("--yes services edit Beratung", R"({"name": "Erstberatung"})").status, 0);
    EXPECT_EQ(services().names(),
              (std::vector<std::string>{"Beratung vor Ort", "Erstberatung", "Montage", "Wartung"}));

    const CliRun deleted = cli("--yes services delete 'Beratung vor Ort'");
    EXPECT_EQ(deleted.status, 0) << deleted.err;
    EXPECT_EQ(deleted.err, "Soll 'Beratung vor Ort' gelöscht werden? -> Ja\n");
    EXPECT_EQ(services().services.size(), 3u);
}

TEST_F(ServicesCommand, RefusedInputExitsWithTheMessageAndWritesNothing) {
    struct Case {
        std::string args;
        std::string input;
        std::string err;
    };
    const Case cases[] = {
        {"services add", R"({"cost_kind": 1})", "Geben Sie eine Bezeichnung ein.\n"},
        {"services add", R"({"name": "  "})", "Geben Sie eine Bezeichnung ein.\n"},
        {"services add", R"({"name": "Beratung"})",
         "Es existiert schon eine Dienstleistung mit der Bezeichnung 'Beratung'.\n"},
        {"services add", R"({"name": "X", "costs": 5})",
         "Ein Betrag ('costs') gehört nur zu festen Kosten ('cost_kind' 1 oder 2).\n"},
        {"services add", R"({"name": "X", "cost_kind": 3})",
         "Falscher Wert für 'cost_kind' in 'Dienstleistung': erwartet 0, 1 oder 2.\n"},
        {"services edit Beratung", R"({"name": "Beratung vor Ort"})",
         "Es existiert schon eine Dienstleistung mit der Bezeichnung 'Beratung vor Ort'.\n"},
        {"services edit Beratung", R"({"name": ""})", "Geben Sie eine Bezeichnung ein.\n"},
        {"services edit beratung", "{}", "Es gibt keine Dienstleistung mit der Bezeichnung 'beratung'.\n"},
        {"services delete Wartung", "", "Soll 'Wartung' gelöscht werden? -> Nein\n"},
    };
    const std::string before = readWholeFile(serviceFile());
    for (const auto& c : cases) {
        const CliRun r = cli(c.args, c.input);
        EXPECT_EQ(r.status, 1) << c.args << " " << c.input;
        EXPECT_EQ(r.err, c.err) << c.args << " " << c.input;
        EXPECT_EQ(readWholeFile(serviceFile()), before) << c.args << " " << c.input;
    }
}

TEST_F(MasterDataCommand, AddCreatesAMissingFile) {
    ASSERT_EQ(cli("services add", R"({"name": "Erste"})").status, 0);
    ASSERT_EQ(cli("customers add", R"({"name": "Erster"})").status, 0);
    EXPECT_EQ(customers().findByNumber(1)->name, "Erster");
    CTwDienstlDoc services;
    services.open(serviceFile());
    EXPECT_EQ(services.names(), std::vector<std::string>{"Erste"});
}

} // namespace
} // namespace lorvan
