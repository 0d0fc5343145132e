#include "masterdata/employee_fixture.h"

#include "app/processing.h"
#include "foundation/error.h"
#include "foundation/file_io.h"
#include "foundation/file_system.h"
#include "import/employee_import.h"
#include "import/employee_import_form.h"
#include "import/import_file_text.h"
#include "masterdata/employee_files.h"
#include "platform/user_store.h"
#include "support/error_text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace lorvan {
namespace {

using test::YearFileBuilder;

constexpr const char* kHeader = "Personalnr;Name;Zusatzinfo;Abteilung;Ignorieren;Vorlage;Übertrag;Resturlaub;Anspruch\n";

// The data directory of EmployeeFixture with Anna Berg (1, "Büro") in "Daten.mar", the template
// "T.azr" (keeps an account and manages the remaining vacation) and an import file; today is 15 June
// 2026, the import year 2026.
struct ImportFixture : test::EmployeeFixture {
    EmployeeImportOptions options;
    EmployeeImportEnvironment environment;

    ImportFixture() {
        clock.set(Datum{15, 6, 2026});
        CMitarbeiterDoc anna = test::employeeRecord(1, "Anna Berg");
        anna.department = "Büro";
        employees({anna});
        YearFileBuilder("Vorlage", 2025)
            .settings([](CEinstArbzt& s) {
                s.keepWorkingTimeAccount = 1;
                s.manageRemainingVacation = 1;
                s.vacationEntitlement = 28.0;
                s.federalState = "Bayern";
            })
            .saveAs(path("T.azr"));
        options.importFile = path("import.csv");
        options.year = 2026;
        environment.prompter = &prompter;
        environment.clock = &clock;
        environment.dataDirectory = dir();
    }

    std::string yearFile(const std::string& name, int32_t year = 2026) const {
        return yearFilePath(dir(), name, year);
    }
    CLorvanDoc load(const std::string& file) const {
        CLorvanDoc doc;
        doc.open(file);
        return doc;
    }

    // Imports the lines (after the header line) of a file written as the bytes given.
    EmployeeImportResult import(const std::string& lines) {
        test::writeBytes(options.importFile, kHeader + lines);
        return runEmployeeImport(options, environment);
    }
    std::string reading() const { return "Die Datei '" + options.importFile + "' wird gelesen.\n"; }
};

std::string notCreated(const std::string& name) {
    return "Die Datei für Mitarbeiter " + name + " konnte nicht angelegt werden.\n";
}

TEST(EmployeeImport, NewEmployeeFromATemplateWithTheValuesOfTheLine) {
    ImportFixture f;
    const EmployeeImportResult result = f.import("4711;Maier, Anna;;Lager;;T.azr;12,5;3;30\n");

    ASSERT_TRUE(result.success) << result.protocol;
    EXPECT_EQ(result.protocol, f.reading() +
                                   "Zeile 2:\nMitarbeiter: 4711 - Maier, Anna\nZeile fehlerfrei gelesen.\n\n"
                                   "\nZusammenfassung:\nFehlerfrei: 1\nFehlerhaft: 0\n\n"
                                   "Der Import war erfolgreich.\n");
    const CTwMaDoc employees = f.employeeFile();
    const CMitarbeiterDoc* anna = employees.findByNumber(4711);
    ASSERT_NE(anna, nullptr);
    EXPECT_EQ(anna->name, "Maier, Anna");
    EXPECT_EQ(anna->department, "Lager");
    EXPECT_TRUE(anna->isActive());
    const CLorvanDoc doc = f.load(f.yearFile("Maier, Anna"));
    EXPECT_EQ(doc.settings().name, "Maier, Anna");
    EXPECT_EQ(doc.settings().year, 2026);
    EXPECT_EQ(doc.settings().federalState, "Bayern");
    EXPECT_DOUBLE_EQ(doc.settings().accountCarryOver, 12.5);
    EXPECT_DOUBLE_EQ(doc.settings().remainingVacationPreviousYear, 3.0);
    EXPECT_DOUBLE_EQ(doc.settings().vacationEntitlement, 30.0);
    ASSERT_EQ(result.lines.size(), 1u);
    EXPECT_EQ(result.lines[0].status, EmployeeLineStatus::Imported);
    EXPECT_TRUE(result.lines[0].newEmployee);
    EXPECT_EQ(result.lines[0].yearFile, f.yearFile("Maier, Anna"));
    EXPECT_TRUE(f.prompter.log().empty());
}

TEST(EmployeeImport, WithoutTemplateNorPreviousYearTheRecordStaysButTheLineFails) {
    ImportFixture f;
    const EmployeeImportResult result = f.import("4711;Maier, Anna;;Lager;;;12,5;3;30\n");

    EXPECT_FALSE(result.success);
    EXPECT_EQ(result.lines.at(0).protocol, "Zeile 2:\nMitarbeiter: 4711 - Maier, Anna\n"
                                           "FEHLER: Die Vorlagedatei existiert nicht:\n" +
                                               f.yearFile("Maier, Anna", 2025) + "\n" + notCreated("Maier, Anna"));
    EXPECT_NE(result.protocol.find("Zeile mit Fehler.\n\n\nZusammenfassung:\nFehlerfrei: 0\nFehlerhaft: 1\n\n"),
              std::string::npos);
    EXPECT_EQ(result.protocol.find("erfolgreich"), std::string::npos);
    EXPECT_NE(f.employeeFile().findByNumber(4711), nullptr);
    EXPECT_EQ(f.prompter.texts(), std::vector<std::string>{kImportErrorsMessage});
    EXPECT_EQ(result.failure, kImportErrorsMessage);
}

// Each line fails alone: its text, and nothing of it reaches the employee file or a year file.
TEST(EmployeeImport, LineErrorsChangeNothing) {
    struct Case {
        std::string line;
        std::string error;
        std::string shown; // the name in "Die Datei für Mitarbeiter ... konnte nicht angelegt werden."
        bool withEmployee = true; // the line protocol names the employee before the error
    };
    const std::string conflict = "FEHLER: Der Name Anna Berg existiert schon.\nBitte wählen Sie einen anderen Namen, "
                                 "da es sonst zu Konflikten bei der Dateierstellung kommen kann.\n";
    const std::string outside = "' muss eine Datei im Datenverzeichnis sein; geben Sie nur ihren Namen an.\n";
    const Case cases[] = {
        {"x12;Bert", "FEHLER: Die Personalnr 'x12' ist keine Zahl für: Bert\n", "Bert", false},
        {"-5;Bert", "FEHLER: Die Personalnr '-5' ist keine Zahl für: Bert\n", "Bert", false},
        {"0;Bert", "FEHLER: Die Personalnr '0' muss größer als 0 sein für: Bert\n", "Bert", false},
        {";Bert", "FEHLER: Die Personalnr wurde nicht übergeben für: Bert\n", "Bert", false},
        // Beyond the numbers a record holds; it would wrap onto 1 (4294967297 = 2^32 + 1).
        {"4294967297;Bert", "FEHLER: Die Personalnr '4294967297' ist zu groß für: Bert\n", "Bert", false},
        {"7;Bert;;;;../T.azr", "FEHLER: Die Vorlagedatei '../T.azr" + outside, "Bert"},
        {"7;Bert;;;;sub/T.azr", "FEHLER: Die Vorlagedatei 'sub/T.azr" + outside, "Bert"},
        {"7;Bert;;;;/tmp/T.azr", "FEHLER: Die Vorlagedatei '/tmp/T.azr" + outside, "Bert"},
        {"7;Bert;;;;C:\\Daten\\T.azr", "FEHLER: Die Vorlagedatei 'C:\\Daten\\T.azr" + outside, "Bert"},
        {"7;Bert;;;;T.azr;n/a", "FEHLER: In Spalte 7 (Übertrag Arbeitszeitkonto) steht keine Zahl: 'n/a'\n", "Bert"},
        {"7;Bert;;;;T.azr;;n/a", "FEHLER: In Spalte 8 (Resturlaub Vorjahr) steht keine Zahl: 'n/a'\n", "Bert"},
        {"7;Bert;;;;T.azr;;;1.234,5", "FEHLER: In Spalte 9 (Urlaubsanspruch) steht keine Zahl: '1.234,5'\n", "Bert"},
        {"7;;;Lager;;T.azr", "FEHLER: Geben Sie einen Namen ein.\n", "7"},
        {"7;--;;;;T.azr", "FEHLER: Geben Sie einen Namen ein.\n", "--"},
        {"7;anna berg;;;;T.azr", conflict, "anna berg"},
    };
    for (const Case& c : cases) {
        ImportFixture f;
        const EmployeeImportResult result = f.import(c.line + "\n");
        ASSERT_EQ(result.lines.size(), 1u) << c.line;
        const std::string named = c.withEmployee ? "Mitarbeiter: " + result.lines[0].personnelNumber + " - " +
                                                       result.lines[0].name + "\n"
                                                 : "";
        EXPECT_EQ(result.lines[0].protocol, "Zeile 2:\n" + named + c.error + notCreated(c.shown)) << c.line;
        EXPECT_EQ(result.lines[0].status, EmployeeLineStatus::Failed) << c.line;
        EXPECT_FALSE(result.success) << c.line;
        const CTwMaDoc file = f.employeeFile();
        EXPECT_EQ(file.employees.size(), 1u) << c.line;
        EXPECT_EQ(file.employees.at(1).name, "Anna Berg") << c.line;
        EXPECT_FALSE(fileExists(f.yearFile("Bert"))) << c.line;
    }
}

TEST(EmployeeImport, NameClashesAndRenamesThatWouldLoseYearFiles) {
    ImportFixture f;
    f.employees({test::employeeRecord(1, "Anna Berg"), test::employeeRecord(2, "Carl Dorn"),
                 test::employeeRecord(3, "Eva Faber")});
    YearFileBuilder("Carl Dorn", 2025).saveAs(f.yearFile("Carl Dorn", 2025));
    const EmployeeImportResult result = f.import("1;CARL DORN;;;;T.azr\n"      // another's file-name form
                                                 "2;Carl Dorn-Weber;;;;T.azr\n" // Carl has a year file
                                                 "3;Eva Faber-Gross;;;;T.azr\n" // Eva has none yet: renamed
                                                 "3;Eva Gross;;;;T.azr\n");     // now she has: refused
    ASSERT_EQ(result.lines.size(), 4u);
    EXPECT_EQ(result.lines[0].protocol,
              "Zeile 2:\nMitarbeiter: 1 - CARL DORN\nFEHLER: Der Name Carl Dorn existiert schon.\nBitte wählen Sie "
              "einen anderen Namen, da es sonst zu Konflikten bei der Dateierstellung kommen kann.\n" +
                  notCreated("CARL DORN"));
    EXPECT_EQ(result.lines[1].protocol,
              "Zeile 3:\nMitarbeiter: 2 - Carl Dorn-Weber\nFEHLER: Der Name von 2 - Carl Dorn kann beim Import nicht "
              "geändert werden, da es Jahresdateien unter diesem Namen gibt. Ändern Sie den Namen unter "
              "'Mitarbeiter verwalten'.\n" +
                  notCreated("Carl Dorn-Weber"));
    EXPECT_EQ(result.lines[2].status, EmployeeLineStatus::Imported);
    EXPECT_EQ(result.lines[3].status, EmployeeLineStatus::Failed);
    EXPECT_NE(result.lines[3].protocol.find("FEHLER: Der Name von 3 - Eva Faber-Gross kann beim Import nicht"),
              std::string::npos);
    const CTwMaDoc file = f.employeeFile();
    EXPECT_EQ(file.employees.at(1).name, "Anna Berg");
    EXPECT_EQ(file.employees.at(2).name, "Carl Dorn");
    EXPECT_EQ(file.employees.at(3).name, "Eva Faber-Gross");
    EXPECT_TRUE(fileExists(f.yearFile("Eva Faber-Gross")));
    EXPECT_FALSE(fileExists(f.yearFile("Eva Gross")));
}

TEST(EmployeeImport, ExistingEmployeeKeepsWhatTheLineLeavesEmpty) {
    ImportFixture f;
    CMitarbeiterDoc anna = test::employeeRecord(1, "Anna Berg");
    anna.department = "Büro";
    anna.extraInfo = "Teilzeit";
    f.employees({anna});
    const EmployeeImportResult result = f.import("1;;;Lager;;T.azr\n");
    ASSERT_TRUE(result.success) << result.protocol;
    EXPECT_EQ(result.lines[0].protocol, "Zeile 2:\nMitarbeiter: 1 - \n");
    EXPECT_FALSE(result.lines[0].newEmployee);
    const CTwMaDoc employees = f.employeeFile();
    const CMitarbeiterDoc& kept = employees.employees.at(1);
    EXPECT_EQ(kept.name, "Anna Berg");
    EXPECT_EQ(kept.extraInfo, "Teilzeit");
    EXPECT_EQ(kept.department, "Lager");
    EXPECT_TRUE(fileExists(f.yearFile("Anna Berg")));
}

TEST(EmployeeImport, IgnoreMarkPutsNewNumbersOnTheIgnoreList) {
    ImportFixture f;
    f.options.logAll = false;
    const EmployeeImportResult first = f.import("4712;Karl Klein;;;1;T.azr\n"
                                                "4713;Lena Lang;;;0;T.azr\n"
                                                "1;Anna Berg;;;1;T.azr\n");
    ASSERT_TRUE(first.success) << first.protocol;
    EXPECT_EQ(first.protocol, f.reading() + kImportSucceededText);
    EXPECT_EQ(first.lines[0].status, EmployeeLineStatus::Ignored);
    CTwMaDoc file = f.employeeFile();
    EXPECT_EQ(file.ignoreList, "'4712'");
    EXPECT_EQ(file.findByNumber(4712), nullptr);
    EXPECT_NE(file.findByNumber(4713), nullptr); // "0" is no mark
    EXPECT_EQ(file.employees.at(1).name, "Anna Berg");

    // Again, with the mark gone: the line is skipped without a word; an employee on the list who
    // exists is imported all the same.
    file.ignoreList += "'1'";
    file.save(CTwMaDoc::pathIn(f.dir()));
    f.options.logAll = true;
    const EmployeeImportResult second = f.import("4712;Karl Klein;;;;T.azr\n1;Anna Berg;;Lager;;T.azr\n");
    ASSERT_TRUE(second.success) << second.protocol;
    EXPECT_EQ(second.lines[0].status, EmployeeLineStatus::Skipped);
    EXPECT_EQ(second.lines[0].protocol, "Zeile 2:\n");
    EXPECT_EQ(second.lines[1].status, EmployeeLineStatus::Imported);
    file = f.employeeFile();
    EXPECT_EQ(file.findByNumber(4712), nullptr);
    EXPECT_EQ(file.employees.at(1).department, "Lager");
    EXPECT_EQ(file.ignoreList, "'4712''1'");
}

TEST(EmployeeImport, LineNumbersCountSkippedAndBlankLines) {
    ImportFixture f;
    test::writeBytes(f.options.importFile, "2;Bert Bach;;;;T.azr\r\n   \t\r\n\r\n\"3\" ; \"Cora Cramer\" ;;;;T.azr\r\n");
    struct Case {
        bool skipFirstLine;
        std::vector<int64_t> lines;
    };
    for (const Case& c : {Case{true, {4}}, Case{false, {1, 4}}}) {
        f.options.skipFirstLine = c.skipFirstLine;
        const EmployeeImportResult result = runEmployeeImport(f.options, f.environment);
        std::vector<int64_t> numbers;
        for (const EmployeeLineReport& line : result.lines)
            numbers.push_back(line.lineNumber);
        EXPECT_EQ(numbers, c.lines);
        EXPECT_TRUE(result.success) << result.protocol;
        EXPECT_EQ(result.lines.back().protocol.rfind("Zeile 4:\nMitarbeiter: 3 - Cora Cramer\n", 0), 0u);
    }
    EXPECT_NE(f.employeeFile().findByNumber(2), nullptr);
}

TEST(EmployeeImport, UnclosedQuoteIsALineError) {
    ImportFixture f;
    const EmployeeImportResult result = f.import("5;\"Maier\n6;Nina Noll;;;;T.azr\n");
    ASSERT_EQ(result.lines.size(), 2u);
    EXPECT_EQ(result.lines[0].protocol,
              "Zeile 2:\nLese Zeile\n5;\"Maier\nFEHLER: Bei Feld 2 fehlt der abschließende Feldbegrenzer \":\n\"Maier\n");
    EXPECT_EQ(result.lines[1].status, EmployeeLineStatus::Imported);
    EXPECT_NE(result.protocol.find("Fehlerfrei: 1\nFehlerhaft: 1\n"), std::string::npos);
}

TEST(EmployeeImport, ReportFlagReportsAnExistingYearFileAndStillTakesTheGivenValues) {
    ImportFixture f;
    YearFileBuilder("Anna Berg", 2026)
        .settings([](CEinstArbzt& s) {
            s.keepWorkingTimeAccount = 1;
            s.manageRemainingVacation = 1;
            s.vacationEntitlement = 25.0;
        })
        .saveAs(f.yearFile("Anna Berg"));
    const EmployeeImportResult result = f.import("1;Anna Berg;;;;;4;;27\n");
    ASSERT_TRUE(result.success) << result.protocol;
    EXPECT_EQ(result.lines[0].protocol, "Zeile 2:\nMitarbeiter: 1 - Anna Berg\nDie Datei für Mitarbeiter Anna Berg "
                                        "existiert bereits: " +
                                            f.yearFile("Anna Berg") + "\n");
    const CLorvanDoc doc = f.load(f.yearFile("Anna Berg"));
    EXPECT_DOUBLE_EQ(doc.settings().accountCarryOver, 4.0);
    EXPECT_DOUBLE_EQ(doc.settings().vacationEntitlement, 27.0);
}

// "Daten.mar" is written once, after every line was read and before the first year file: at every
// point between lines the file on disk either is untouched or already holds every employee of the run.
TEST(EmployeeImport, EmployeeFileIsSavedOnceBeforeTheYearFiles) {
    ImportFixture f;
    const std::string employeeFile = CTwMaDoc::pathIn(f.dir());
    const std::string before = readWholeFile(employeeFile);
    std::vector<std::string> seen;
    std::vector<bool> yearFiles;
    f.environment.keepResponsive = [&] {
        seen.push_back(readWholeFile(employeeFile));
        yearFiles.push_back(fileExists(f.yearFile("Bert Bach")) || fileExists(f.yearFile("Cora Cramer")));
    };
    const EmployeeImportResult result = f.import("2;Bert Bach;;;;T.azr\n3;Cora Cramer;;;;T.azr\n9;Ida;;;1\n");
    ASSERT_TRUE(result.success) << result.protocol;
    const std::string after = readWholeFile(employeeFile);
    ASSERT_EQ(seen.size(), 5u); // after each of three lines read, before each of two year files
    EXPECT_EQ(seen[0], before);
    EXPECT_EQ(seen[2], before);
    EXPECT_EQ(seen[3], after);
    EXPECT_FALSE(yearFiles[3]);
    EXPECT_EQ(seen[4], after);
    const CTwMaDoc file = f.employeeFile();
    EXPECT_EQ(file.employees.size(), 3u);
    EXPECT_EQ(file.ignoreList, "'9'");
}

TEST(EmployeeImport, FailedSaveOfTheEmployeeFileFailsTheLinesThatChangedIt) {
    ImportFixture f;
    const std::string employeeFile = CTwMaDoc::pathIn(f.dir());
    ::chmod(employeeFile.c_str(), 0444);
    const EmployeeImportResult result = f.import("2;Bert Bach;;;;T.azr\n"   // new
                                                 "1;Anna Berg;;;;T.azr\n"   // unchanged: still imported
                                                 "9;Ida;;;1\n");            // ignore list
    const std::string reason = "FEHLER: Die Mitarbeiterdatei konnte nicht gespeichert werden.\nDie Datei '" +
                               employeeFile + "' konnte nicht geschrieben werden.\n(Der Zugriff wurde verweigert.)\n";
    ASSERT_EQ(result.lines.size(), 3u);
    EXPECT_EQ(result.lines[0].protocol, "Zeile 2:\nMitarbeiter: 2 - Bert Bach\n" + reason + notCreated("Bert Bach"));
    EXPECT_EQ(result.lines[1].status, EmployeeLineStatus::Imported);
    EXPECT_EQ(result.lines[2].protocol, "Zeile 4:\n" + reason);
    EXPECT_FALSE(fileExists(f.yearFile("Bert Bach")));
    EXPECT_TRUE(fileExists(f.yearFile("Anna Berg")));
    EXPECT_EQ(f.employeeFile().employees.size(), 1u);
    EXPECT_NE(result.protocol.find("Fehlerfrei: 1\nFehlerhaft: 2\n"), std::string::npos);
}

TEST(EmployeeImport, FilesOfEveryEncoding) {
    struct Case {
        std::string bytes;
        std::string text;
    };
    const Case cases[] = {
        {"Berg", "Berg"},
        {"J\xC3\xB6rg Wei\xC3\x9F", "Jörg Weiß"},     // UTF-8
        {"\xEF\xBB\xBFJ\xC3\xB6rg", "Jörg"},          // with byte order mark
        {"\xEF\xBB\xBF" "Berg", "Berg"},
        {"M\xFCller \x80", "Müller €"},                // Windows-1252
        {"\xC3\xB6 \xFC", "Ã¶ ü"},                     // not valid UTF-8 as a whole: Windows-1252
        {"\xC0\xAF", "À¯"},                            // an overlong form is no UTF-8
        {"ab\xC3", "abÃ"},                             // cut in the middle of a character
        {"\xED\xA0\x80", "í\xC2\xA0€"},                // a surrogate is no UTF-8
    };
    for (const Case& c : cases)
        EXPECT_EQ(decodeImportBytes(c.bytes), c.text) << c.bytes;

    ImportFixture f;
    const EmployeeImportResult result = f.import("2;M\xFCller, J\xF6rg;;;;T.azr\n");
    ASSERT_TRUE(result.success) << result.protocol;
    EXPECT_EQ(f.employeeFile().employees.at(2).name, "Müller, Jörg");
}

TEST(EmployeeImport, RunWithoutEmployeeFileOrImportFile) {
    {
        ImportFixture f;
        std::filesystem::remove(CTwMaDoc::pathIn(f.dir()));
        const EmployeeImportResult result = f.import("2;Bert Bach;;;;T.azr\n");
        EXPECT_FALSE(result.success);
        EXPECT_EQ(result.protocol, "");
        EXPECT_EQ(f.prompter.texts(), std::vector<std::string>{kNoEmployeeFileMessage});
        EXPECT_FALSE(fileExists(CTwMaDoc::pathIn(f.dir())));
    }
    {
        ImportFixture f;
        test::writeBytes(CTwMaDoc::pathIn(f.dir()), std::string("\x0F\0\0\0", 4));
        test::writeBytes(f.options.importFile, "2;Bert Bach\n");
        const std::string raised = test::errorOf([&] { runEmployeeImport(f.options, f.environment); });
        EXPECT_EQ(raised.rfind("Fehler beim Laden der Mitarbeiter: Die Datei ", 0), 0u) << raised;
    }
    {
        ImportFixture f;
        f.options.importFile = f.path("fehlt.csv");
        const EmployeeImportResult result = runEmployeeImport(f.options, f.environment);
        EXPECT_EQ(result.protocol, f.reading() + "EXCEPTION: Die angegebene Datei existiert nicht.\n");
        EXPECT_EQ(result.failure, kImportErrorsMessage);
    }
}

TEST(EmployeeImport, ProcessingFlagIsSetForTheRunOnly) {
    ImportFixture f;
    ProcessingFlag flag;
    f.environment.processing = &flag;
    std::vector<bool> running;
    f.environment.keepResponsive = [&] { running.push_back(flag.running()); };
    EXPECT_TRUE(f.import("2;Bert Bach;;;;T.azr\n").success);
    EXPECT_EQ(running, (std::vector<bool>{true, true}));
    EXPECT_FALSE(flag.running());

    ProcessingGuard other(flag);
    EXPECT_THROW_MSG(f.import("3;Cora Cramer;;;;T.azr\n"), kNestedProcessingError);
    EXPECT_EQ(f.employeeFile().findByNumber(3), nullptr);
}

TEST(EmployeeImportForm, ChecksBeforeTheRun) {
    struct Case {
        bool fileExists;
        int32_t year;
        std::optional<EmployeeImportField> focus;
    };
    const Case cases[] = {
        {false, 2026, EmployeeImportField::File}, {true, 2024, EmployeeImportField::Year},
        {true, 2025, std::nullopt},               {true, 2027, std::nullopt},
        {true, 2028, EmployeeImportField::Year},
    };
    for (const Case& c : cases) {
        ImportFixture f;
        IniUserStore store(f.path("config/Lorvan.conf"));
        if (c.fileExists) test::writeBytes(f.options.importFile, kHeader);
        EmployeeImportForm form(store, f.clock);
        form.importFile = f.options.importFile;
        form.year = c.year;
        const EmployeeImportForm::Outcome outcome = form.import(f.environment);
        EXPECT_EQ(outcome.focus, c.focus) << c.year;
        EXPECT_EQ(outcome.ran, !c.focus) << c.year;
        if (c.focus) {
            EXPECT_EQ(f.prompter.texts(), std::vector<std::string>{*c.focus == EmployeeImportField::File
                                                                       ? kImportFileMissingMessage
                                                                       : kImplausibleYearMessage});
            EXPECT_TRUE(store.readSection(kStoreSettings).empty()); // nothing stored
        } else {
            EXPECT_TRUE(outcome.closes());
        }
    }
}

TEST(EmployeeImportForm, ChoicesAreKeptPerUser) {
    ImportFixture f;
    IniUserStore store(f.path("config/Lorvan.conf"));
    {
        const EmployeeImportForm fresh(store, f.clock);
        EXPECT_EQ(fresh.importFile, "");
        EXPECT_EQ(fresh.year, 2026);
        EXPECT_TRUE(fresh.skipFirstLine && fresh.onlyNew && fresh.logAll);
    }
    store.writeStrings(kStoreSettings, {{"MaImportIgnoreFirstRow", "0"}, {"MaImportOnlyNew", "x"}, {"MaImportLogAll", ""}});
    EmployeeImportForm form(store, f.clock);
    EXPECT_FALSE(form.skipFirstLine);
    EXPECT_TRUE(form.onlyNew);
    EXPECT_TRUE(form.logAll);

    test::writeBytes(f.options.importFile, "2;Bert Bach;;;;T.azr\n");
    form.chooseFile(f.options.importFile);
    form.logAll = false;
    const EmployeeImportForm::Outcome outcome = form.import(f.environment);
    EXPECT_TRUE(outcome.closes()) << outcome.result.protocol;
    const auto section = store.readSection(kStoreSettings);
    EXPECT_EQ(section.at("MaImportFile"), f.options.importFile);
    EXPECT_EQ(section.at("MaImportIgnoreFirstRow"), "0");
    EXPECT_EQ(section.at("MaImportOnlyNew"), "1");
    EXPECT_EQ(section.at("MaImportLogAll"), "0");

    const IoSelect selection = form.fileSelection(f.dir());
    EXPECT_EQ(selection.title(), "Importdatei");
    EXPECT_TRUE(selection.acceptsOnlyExistingFiles());
    ASSERT_EQ(selection.filters().size(), 1u); // only "Alle Dateien (*.*)"
    form.chooseFile(std::string(300, 'a'));
    EXPECT_EQ(form.importFile.size(), EmployeeImportForm::kMaxPathLength);
}

} // namespace
} // namespace lorvan
