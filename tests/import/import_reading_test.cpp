// The reading phase: field rules, bad input, the summary and its question, employee matching and
// the year-file checks.

#include "import_fixture.h"

#include "foundation/file_system.h"

#include <stdexcept>

namespace lorvan::test {
namespace {

constexpr const char* kFileHasErrors = "Die Importdatei enthält Fehler.\nEs wurden noch keine Daten "
                                       "importiert.\nBitte prüfen Sie das Protokoll.";

using ReadingTest = ImportTest;

TEST_F(ReadingTest, BadLinesAloneEndTheImportAfterReadingWithoutTheQuestion) {
    struct Case {
        const char* line;
        const char* error;
    };
    const Case cases[] = {
        {"4711;31.02.2026;08:00;12:00", "FEHLER: Das Datum '31.02.2026' ist ungültig.\n"},
        {"4711;3.2026;08:00;12:00", "FEHLER: Das Datum '3.2026' ist ungültig.\n"},
        {"4711;;08:00;12:00", "FEHLER: Das Datum '' ist ungültig.\n"},
        {"4711;02.03.2026;25:61;26:00", "FEHLER: Der Von-Wert '25:61' ist ungültig.\n"},
        {"4711;02.03.2026;08:00;48:00", "FEHLER: Der Bis-Wert '48:00' ist ungültig.\n"},
        {"4711;02.03.2026;08:00;;7,5h", "FEHLER: Die Dauer '7,5h' ist ungültig.\n"},
        {"4711;02.03.2026;08:00;12:00;;;;;1x",
         "08:00 - 12:00\nFEHLER: Die Pause '1x' wurde im falschen Format angegeben.\n"},
        {"4711;02.03.2026;08:00;12:00;;;;;-5",
         "08:00 - 12:00\nFEHLER: Die Pause '-5' wurde im falschen Format angegeben.\n"},
        {"4711;02.03.2026;;;;XY", "FEHLER: Unbekannte Fehlzeit: XY\n"},
        {"4711;02.03.2026;\"08:00;12:00",
         "FEHLER: Bei Feld 3 fehlt der abschließende Feldbegrenzer \":\n\"08:00;12:00\n"},
    };
    const std::string before = bytesOf("Anna Berg");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        prompter = ScriptedPrompter();
        const TimeImportResult result = run({c.line});
        EXPECT_FALSE(result.success);
        EXPECT_FALSE(result.wroteDays);
        EXPECT_EQ(result.errorFreeLines, 0);
        EXPECT_EQ(result.erroneousLines, 1);
        EXPECT_TRUE(contains(result.protocol, std::string("Zeile 1:\n") + c.line + "\n"));
        EXPECT_TRUE(contains(result.protocol, c.error)) << result.protocol;
        EXPECT_TRUE(contains(result.protocol, "Zeile mit Fehler.\n\n"));
        EXPECT_TRUE(contains(result.protocol, "\nZusammenfassung Lesen:\nFehlerfrei: 0\nFehlerhaft: 1\nfür 0 "
                                              "Mitarbeiter\n\nFEHLER: Die Importdatei enthält Fehler.\n"));
        ASSERT_EQ(prompter.log().size(), 1u) << "a message, and no question";
        EXPECT_EQ(prompter.log()[0].text, kFileHasErrors);
        ASSERT_EQ(result.lines.size(), 1u);
        EXPECT_EQ(result.lines[0].number, 1);
        EXPECT_EQ(bytesOf("Anna Berg"), before);
    }
}

TEST_F(ReadingTest, ProtocolOfALineReadWithoutErrors) {
    options.logAll = true;
    const TimeImportResult result = run({"4711;02.03.2026;8:00;16:30;;;;;30"});
    const std::string reading =
        "Die Datei '" + options.importFile +
        "' wird gelesen.\n"
        "Zeile 1:\n4711;02.03.2026;8:00;16:30;;;;;30\nMitarbeiter: Anna Berg\nDatum: 02.03.2026\n"
        "Von-Bis: 08:00 - 16:30\nZeile fehlerfrei gelesen.\n\n"
        "\nZusammenfassung Lesen:\nFehlerfrei: 1\nFehlerhaft: 0\nfür 1 Mitarbeiter\n\n";
    EXPECT_EQ(result.protocol.substr(0, reading.size()), reading);
    // The writing phase starts the protocol window's text afresh.
    EXPECT_EQ(result.shownProtocol.rfind(
                  "Importieren der Daten\nMitarbeiter: 4711 - Anna Berg\nTag: 02.03.2026\n", 0),
              0u)
        << result.shownProtocol;
    options.logAll = false;
    const TimeImportResult quiet = run({"4711;02.03.2026;8:00;16:30;;;;;30"});
    EXPECT_FALSE(contains(quiet.protocol, "Zusammenfassung")) << "no errors: the summary is an ordinary text";
    EXPECT_FALSE(contains(quiet.protocol, "Zeile 1:"));
}

TEST_F(ReadingTest, ErrorsAndGoodLinesAskWhetherToImportAnyway) {
    for (const bool yes : {false, true}) {
        SCOPED_TRACE(yes);
        prompter = ScriptedPrompter();
        std::vector<std::string> shown;
        environment.showProtocol = [&](const std::string& text) { shown.push_back(text); };
        const std::string before = bytesOf("Anna Berg");
        prompter.answer(yes ? Answer::Yes : Answer::No);
        const TimeImportResult result =
            run({"4711;02.03.2026;08:00;12:00", "4711;31.02.2026;08:00;12:00", "4711;03.03.2026;x"});
        EXPECT_EQ(result.errorFreeLines, 1);
        EXPECT_EQ(result.erroneousLines, 2);
        EXPECT_TRUE(contains(result.protocol, "Fehlerfrei: 1\nFehlerhaft: 2\nfür 1 Mitarbeiter\n"));
        ASSERT_GE(prompter.log().size(), 2u);
        EXPECT_EQ(prompter.log()[0].text, kFileHasErrors);
        EXPECT_EQ(prompter.log()[1].text, "Sollen die Zeiten trotzdem importiert werden?");
        ASSERT_FALSE(shown.empty());
        EXPECT_TRUE(contains(shown.front(), "Zeile 2:\n4711;31.02.2026"));
        EXPECT_FALSE(result.success) << "lines were left out";
        if (!yes) {
            EXPECT_EQ(result.stopReason, kFileHasErrors);
            EXPECT_EQ(bytesOf("Anna Berg"), before);
            continue;
        }
        const CLorvanDoc anna = load("Anna Berg");
        ASSERT_NE(dayOf(anna, 3, 2), nullptr);
        EXPECT_EQ(dayOf(anna, 3, 2)->lineCount(), 1u);
        EXPECT_EQ(dayOf(anna, 3, 3), nullptr) << "an erroneous line never enters the picture";
        EXPECT_EQ(prompter.log().back().text,
                  "Die Daten konnten nicht vollständig importiert werden.\nBitte "
                  "korrigieren Sie die Fehler und importieren Sie die Datei dann ggf. "
                  "erneut.");
    }
}

TEST_F(ReadingTest, LinesAreCountedAsTheyStandInTheFile) {
    options.skipFirstLine = true;
    prompter.answerNo();
    const TimeImportResult result = run({
        "Personalnr;Datum;Von;Bis",
        "   ",
        "4711;02.03.2026;08:00;12:00;;;\"Muster",
        "GmbH\";;",
        "4711;31.02.2026;08:00;12:00",
    });
    EXPECT_EQ(result.errorFreeLines, 1);
    ASSERT_EQ(result.lines.size(), 1u);
    EXPECT_EQ(result.lines[0].number, 5) << "the continued field counts its two lines";
    EXPECT_TRUE(contains(result.protocol, "Zeile 5:\n4711;31.02.2026"));
    ASSERT_EQ(result.days.size(), 0u) << "the question was answered No";
    EXPECT_EQ(prompter.log()[1].text, "Sollen die Zeiten trotzdem importiert werden?");
}

TEST_F(ReadingTest, ContinuedLineIsOneRecord) {
    const TimeImportResult result = run({"4711;02.03.2026;08:00;12:00;;;\"Muster", "GmbH\";;"});
    ASSERT_EQ(result.days.size(), 1u);
    const CLorvanDoc anna = load("Anna Berg");
    ASSERT_EQ(dayOf(anna, 3, 2)->lineCount(), 1u);
    EXPECT_EQ(dayOf(anna, 3, 2)->line(0).customer, "Muster GmbH");
    EXPECT_EQ(dayOf(anna, 3, 2)->line(0).kind, "Kunde");
}

TEST_F(ReadingTest, FileInWindowsEncodingOrUtf8) {
    for (const std::string& bytes : {std::string("J\xF6rg Wei\xDF;02.03.2026;;;;U\r\n"),
                                     std::string("\xEF\xBB\xBFJ\xC3\xB6rg Wei\xC3\x9F;02.03.2026;;;;U\n")}) {
        writeBytes(options.importFile, bytes);
        const TimeImportResult result = runTimeImport(options, environment);
        ASSERT_EQ(result.days.size(), 1u);
        EXPECT_EQ(result.days[0].employeeNumber, 4712);
    }
}

TEST_F(ReadingTest, EmployeeTextFindsItsEmployee) {
    struct Case {
        const char* text;
        int32_t number;
    };
    const Case cases[] = {
        {"4713", 4713},        // personnel number
        {"Anna", 4711},        // part of the name
        {"Lager", 4712},       // extra info
        {"joerg weiss", 4712}, // file-name form, letter case ignored
        {"Berger, B.", 4713},  // surname before the comma
        {"Frau Berg", 0},      // pass 4: the surname "Berg" is part of two names: nobody
    };
    options.mode = ImportMode::StandardAbsences;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        if (std::string(c.text) == "Frau Berg") {
            // "Berg" is part of two names: the search goes through all passes and asks.
            prompter.answerNo();
            prompter.answerNo();
            prompter.answerYes();
            const TimeImportResult result = run({std::string(";") + c.text + ";;02.03.2026;U"});
            ASSERT_EQ(result.lines.size(), 1u);
            EXPECT_TRUE(result.lines[0].ignored);
            EXPECT_TRUE(
                contains(result.lines[0].protocol,
                         "Suche Mitarbeiter: Frau Berg\nEs gibt mehrere Mitarbeiter mit einer passenden "
                         "Bezeichnung:\n4711 - Anna Berg - Verwaltung\n4713 - Bernd Berger\n"))
                << result.lines[0].protocol;
            continue;
        }
        const TimeImportResult result = run({std::string(";") + c.text + ";;02.03.2026;U"});
        ASSERT_EQ(result.days.size(), 1u);
        EXPECT_EQ(result.days[0].employeeNumber, c.number);
    }
    EXPECT_TRUE(prompter.allAnswered());
}

TEST_F(ReadingTest, SingleEmployeeTakesEveryLine) {
    CTwMaDoc one;
    one.put(employee(4711, "Anna Berg"));
    saveEmployees(one);
    const TimeImportResult result = run({"irgendwer;02.03.2026;;;;U"});
    ASSERT_EQ(result.days.size(), 1u);
    EXPECT_EQ(result.days[0].employeeNumber, 4711);
}

TEST_F(ReadingTest, NumberBeyondTheRangeOfPersonnelNumbersMatchesNobody) {
    // 4294971007 is 2^32 + 4711: wrapped into 32 bits it would be Anna's number.
    prompter.answerNo();
    prompter.answerNo();
    prompter.answerYes();
    const TimeImportResult result = run({"4294971007;02.03.2026;;;;U"});
    EXPECT_EQ(prompter.log()[0].text, "FEHLER: Es wurde kein passender Mitarbeiter gefunden.\n\nSoll der "
                                      "Mitarbeiter jetzt angelegt werden?");
    EXPECT_EQ(result.ignoredLines, 1);
    EXPECT_TRUE(result.days.empty());
}

TEST_F(ReadingTest, UnknownEmployee) {
    const std::string created =
        "FEHLER: Es wurde kein passender Mitarbeiter gefunden.\n\nSoll der Mitarbeiter jetzt "
        "angelegt werden?";
    const std::string always = "Soll der Mitarbeiter für alle zukünftigen Importe ignoriert werden?";
    const std::string thisTime = "Soll der Mitarbeiter für diesen Import ignoriert werden?";
    const std::string before = bytesOf("Anna Berg");

    // Abort: No, No, No.
    for (int i = 0; i < 3; ++i)
        prompter.answerNo();
    TimeImportResult result = run({"4711;02.03.2026;;;;U", "Zacharias;02.03.2026;;;;U"});
    EXPECT_EQ(prompter.texts(),
              (std::vector<std::string>{created, always, thisTime, "Der Import wird abgebrochen."}));
    EXPECT_EQ(result.stopReason, "Der Import wird abgebrochen.");
    EXPECT_TRUE(
        contains(result.protocol, "Suche Mitarbeiter: Zacharias\nFEHLER: Der Import wird abgebrochen.\n"));
    EXPECT_FALSE(result.wroteDays);
    EXPECT_EQ(bytesOf("Anna Berg"), before);

    // Ignore this time: every line of the text is skipped, the question comes once.
    prompter = ScriptedPrompter();
    prompter.answerNo();
    prompter.answerNo();
    prompter.answerYes();
    result = run({"Zacharias;02.03.2026;;;;U", "Zacharias;03.03.2026;;;;U", "4711;02.03.2026;;;;U"});
    EXPECT_EQ(result.ignoredLines, 2);
    EXPECT_EQ(result.errorFreeLines, 1);
    EXPECT_TRUE(result.success);
    EXPECT_EQ(employees().ignoreList, "");

    // Ignore always: on the list, and the next import skips the text without asking.
    prompter = ScriptedPrompter();
    prompter.answerNo();
    prompter.answerYes();
    prompter.answerYes();
    run({"Zacharias;02.03.2026;;;;U"});
    EXPECT_EQ(employees().ignoreList, "'Zacharias'");
    prompter = ScriptedPrompter();
    options.logAll = true;
    result = run({"Zacharias;02.03.2026;;;;U"});
    EXPECT_TRUE(contains(result.protocol,
                         "Zeile 1:\nZacharias;02.03.2026;;;;U\nMitarbeiter Zacharias wird ignoriert.\n"));
    EXPECT_EQ(result.ignoredLines, 1);
    EXPECT_TRUE(prompter.allAnswered());
}

TEST_F(ReadingTest, UnknownEmployeeCreatedWithItsYearFile) {
    prompter.answerYes(); // create the employee
    prompter.answerYes(); // create the year file
    int confirmed = 0;
    environment.confirmNewFileSettings = [&](CLorvanDoc& document) {
        ++confirmed;
        EXPECT_EQ(document.settings().name, "Zacharias Neu");
        return true;
    };
    const TimeImportResult result =
        run({"Zacharias Neu;02.03.2026;08:00;12:00", "Zacharias Neu;03.03.2026;08:00;12:00"});
    EXPECT_EQ(prompter.log()[1].text,
              "Für das Jahr 2026 existiert die Arbeitszeitdatei für Zacharias Neu noch nicht.\n"
              "Soll die Datei jetzt angelegt werden?");
    EXPECT_EQ(confirmed, 1);
    const CTwMaDoc file = employees();
    ASSERT_NE(file.findByNumber(4714), nullptr);
    EXPECT_EQ(file.findByNumber(4714)->name, "Zacharias Neu");
    EXPECT_TRUE(result.success);
    const CLorvanDoc created = load("Zacharias Neu");
    EXPECT_EQ(created.settings().year, 2026);
    EXPECT_EQ(dayOf(created, 3, 3)->lineCount(), 1u);
}

TEST_F(ReadingTest, EmployeeThatCannotBeCreated) {
    CTwMaDoc file = employees();
    file.put(employee(4720, "Anna Bergmann"));
    saveEmployees(file);
    struct Case {
        const char* text;
        std::vector<std::string> messages; // shown while creating, before the failure
    };
    const Case cases[] = {
        {"", {}},
        {"   ", {}},
        {"4799", {"Geben Sie einen Namen ein."}},
        {"anna berg",
         {"Der Name Anna Berg existiert schon.\nBitte wählen Sie einen anderen Namen, da es sonst zu "
          "Konflikten bei der Dateierstellung kommen kann."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        prompter = ScriptedPrompter();
        prompter.answerYes();
        const TimeImportResult result = run({std::string(c.text) + ";02.03.2026;;;;U"});
        std::vector<std::string> expected = c.messages;
        expected.push_back("Der Mitarbeiter konnte nicht angelegt werden.");
        std::vector<std::string> texts = prompter.texts();
        ASSERT_GE(texts.size(), expected.size() + 1);
        EXPECT_EQ(std::vector<std::string>(texts.begin() + 1,
                                           texts.begin() + 1 + static_cast<long>(expected.size())),
                  expected);
        EXPECT_EQ(result.erroneousLines, 1);
        EXPECT_TRUE(contains(result.protocol, "FEHLER: Der Mitarbeiter konnte nicht angelegt werden.\n"));
        for (const std::string& message : c.messages)
            EXPECT_TRUE(contains(result.protocol, message)) << "the dialog's message is in the protocol";
        EXPECT_EQ(employees().employees.size(), 4u);
    }
}

TEST_F(ReadingTest, MissingYearFile) {
    const std::string question =
        "Für das Jahr 2025 existiert die Arbeitszeitdatei für Anna Berg noch nicht.\nSoll "
        "die Datei jetzt angelegt werden?";
    const std::string error =
        "FEHLER: Für das Jahr 2025 existiert die Arbeitszeitdatei noch nicht.\nBitte öffnen "
        "Sie diese zuerst in der Anwendung und bestätigen Sie die aktuellen Einstellungen.\n";
    // No: every line of that year is erroneous; the question comes once.
    prompter.answerNo();
    prompter.answerNo(); // import the good line anyway? No.
    TimeImportResult result =
        run({"4711;02.03.2025;08:00;12:00", "4711;03.03.2025;08:00;12:00", "4711;02.03.2026;08:00;12:00"});
    EXPECT_EQ(prompter.log()[0].text, question);
    EXPECT_EQ(result.erroneousLines, 2);
    EXPECT_TRUE(contains(result.protocol, "Datum: 02.03.2025") == false);
    EXPECT_TRUE(contains(result.protocol, "Mitarbeiter: Anna Berg\n" + error));

    // Settings not confirmed: not created.
    prompter = ScriptedPrompter();
    prompter.answerYes();
    environment.confirmNewFileSettings = [](CLorvanDoc&) { return false; };
    result = run({"4711;02.03.2025;08:00;12:00"});
    EXPECT_TRUE(contains(result.protocol, error));

    // Created and confirmed, but the run stops before writing: no file appears.
    prompter = ScriptedPrompter();
    prompter.answerYes();
    prompter.answerNo();
    environment.confirmNewFileSettings = {};
    result = run({"4711;02.03.2025;08:00;12:00", "4711;31.02.2026"});
    EXPECT_EQ(result.errorFreeLines, 1);
    EXPECT_FALSE(fileExists(yearFile("Anna Berg", 2025)));

    // A year the settings refuse (more than a year ahead): the reason and the error.
    prompter = ScriptedPrompter();
    prompter.answerYes();
    result = run({"4711;02.03.2028;08:00;12:00"});
    EXPECT_TRUE(contains(result.protocol, "FEHLER: Für das Jahr 2028 existiert"));
    EXPECT_EQ(result.erroneousLines, 1);
}

TEST_F(ReadingTest, NewYearFileTakesTheSettingsOfTheYearBefore) {
    CLorvanDoc anna = load("Anna Berg");
    anna.settings().federalState = "Bayern";
    anna.save(yearFile("Anna Berg"));
    prompter.answerYes();
    const TimeImportResult result = run({"4711;04.01.2027;;;;U"});
    EXPECT_TRUE(result.success);
    const CLorvanDoc created = load("Anna Berg", 2027);
    EXPECT_EQ(created.settings().year, 2027);
    EXPECT_EQ(created.settings().federalState, "Bayern");
    EXPECT_EQ(dayOf(created, 1, 4)->dayKind, kVacation);
    EXPECT_EQ(dayOf(created, 1, 6)->publicHoliday, 1)
        << "Heilige Drei Könige in Bayern: the new month's holidays";
}

TEST_F(ReadingTest, MissingFileEndsTheImportWithItsMessage) {
    options.importFile = dir.file("fehlt.csv");
    const TimeImportResult result = runTimeImport(options, environment);
    EXPECT_FALSE(result.success);
    EXPECT_EQ(result.stopReason, "Die angegebene Datei existiert nicht.");
    EXPECT_EQ(result.protocol, "FEHLER: Die angegebene Datei existiert nicht.\n");
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Die angegebene Datei existiert nicht."});
}

TEST_F(ReadingTest, UnexpectedErrorEndsTheImport) {
    prompter.answerYes();
    environment.confirmNewFileSettings = [](CLorvanDoc&) -> bool { throw std::runtime_error("kaputt"); };
    const TimeImportResult result = run({"4711;02.03.2025;08:00;12:00"});
    EXPECT_FALSE(result.success);
    EXPECT_TRUE(contains(result.protocol, "FEHLER: EXCEPTION: kaputt\n"));
    EXPECT_EQ(prompter.log().back().text, "Der Import wurde aufgrund eines Fehlers abgebrochen.");
}

} // namespace
} // namespace lorvan::test
