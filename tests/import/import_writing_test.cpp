// The writing phase: days, absences and time lines in the year files, the month closing, and the
// failures of single files.

#include "import_fixture.h"

#include "import/company_layouts.h"
#include "masterdata/customer_file.h"
#include "masterdata/service_file.h"

#include <stdexcept>
#include <sys/stat.h>

namespace lorvan::test {
namespace {

constexpr const char* kWithWarnings =
    "Beim Import der Daten sind Warnungen aufgetreten.\nBitte kontrollieren Sie die importierten Daten, und "
    "korrigieren Sie sie falls notwendig.";
constexpr const char* kIncomplete =
    "Die Daten konnten nicht vollständig importiert werden.\nBitte korrigieren Sie "
    "die Fehler und importieren Sie die Datei dann ggf. erneut.";

using WritingTest = ImportTest;

std::vector<std::string> fromTo(const CTagDoc* day) {
    std::vector<std::string> lines;
    if (day == nullptr) return lines;
    for (const CZeitZeile& line : day->lines())
        lines.push_back(line.from + "-" + line.to);
    return lines;
}

TEST_F(WritingTest, LineOfTheTimeFileBecomesATimeLine) {
    const TimeImportResult result = run({"4711;15.03.2026;08:00;16:30;;;;;30"});
    EXPECT_TRUE(result.success);
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Die Daten wurden fehlerfrei importiert."});
    const CLorvanDoc anna = load("Anna Berg");
    const CTagDoc* day = dayOf(anna, 3, 15);
    ASSERT_NE(day, nullptr);
    ASSERT_EQ(day->lineCount(), 1u);
    const CZeitZeile& line = day->line(0);
    EXPECT_EQ(line.kind, "Arbeitszeit");
    EXPECT_EQ(line.from, "08:00");
    EXPECT_EQ(line.to, "16:30");
    EXPECT_EQ(line.duration, 510);
    EXPECT_EQ(line.pause, 30);
    EXPECT_EQ(line.fromFixed, 1);
    EXPECT_EQ(line.toFixed, 1);
    EXPECT_EQ(day->complete, 1);
    EXPECT_EQ(result.filesWritten, std::vector<std::string>{yearFile("Anna Berg")});
    ASSERT_EQ(result.days.size(), 1u);
    EXPECT_EQ(result.days[0].status, ImportDayStatus::Imported);
    EXPECT_EQ(result.days[0].protocol, "Tag: 15.03.2026\n08:00 - 16:30\nAbschließende Prüfung: Ok\n");
}

TEST_F(WritingTest, NewDayOnAPublicHolidayCarriesTheMark) {
    YearFileBuilder("Anna Berg", 2026).month(4).saveAs(yearFile("Anna Berg"));
    run({"4711;06.04.2026;08:00;12:00", "4711;07.04.2026;08:00;12:00", "4711;28.12.2026;;;;U"});
    const CLorvanDoc anna = load("Anna Berg");
    EXPECT_EQ(dayOf(anna, 4, 6)->publicHoliday, 1) << "Ostermontag, in a month that existed";
    EXPECT_EQ(dayOf(anna, 4, 7)->publicHoliday, 0);
    EXPECT_EQ(dayOf(anna, 12, 25)->publicHoliday, 1) << "a new month gets its holidays";
    EXPECT_EQ(dayOf(anna, 12, 26)->publicHoliday, 1);
}

TEST_F(WritingTest, ReimportReplacesTheDaysTimesKeepExistingAddsThem) {
    YearFileBuilder("Anna Berg", 2026).day(3, 2).work("07:00", "12:00").saveAs(yearFile("Anna Berg"));
    run({"4711;02.03.2026;13:00;17:00"});
    run({"4711;02.03.2026;13:00;17:00"});
    CLorvanDoc anna = load("Anna Berg");
    EXPECT_EQ(fromTo(dayOf(anna, 3, 2)), std::vector<std::string>{"13:00-17:00"});
    EXPECT_EQ(dayOf(anna, 3, 2)->line(0).pause, 45)
        << "the day's first working-time line gets the break of Monday";

    YearFileBuilder("Anna Berg", 2026).day(3, 2).work("07:00", "12:00").saveAs(yearFile("Anna Berg"));
    options.keepExisting = true;
    prompter = ScriptedPrompter();
    const TimeImportResult result = run({"4711;02.03.2026;13:00;17:00"});
    anna = load("Anna Berg");
    EXPECT_EQ(fromTo(dayOf(anna, 3, 2)), (std::vector<std::string>{"07:00-12:00", "13:00-17:00"}));
    EXPECT_EQ(dayOf(anna, 3, 2)->line(1).pause, 0);
    EXPECT_EQ(dayOf(anna, 3, 2)->complete, 0);
    EXPECT_EQ(
        result.days[0].protocol,
        "Tag: 02.03.2026\n\nWARNUNG: Es wurden Zeiten zu den bereits vorhandenen Zeiten hinzugefügt.\n"
        "13:00 - 17:00\nAbschließende Prüfung:\nDie Arbeitszeit ist nicht durchgehend.\nArbeitszeit:\n"
        "07:00 - 12:00\n13:00 - 17:00\nWARNUNG: Die Pausenzeit ist zu kurz angegeben worden (0/45).\n\n");
    EXPECT_TRUE(result.success);
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{kWithWarnings});
}

TEST_F(WritingTest, SingleLineWithoutTimesIsTheDaysAbsence) {
    struct Case {
        const char* code;
        int32_t kind;
        int32_t publicHoliday;
        const char* remark;
        const char* protocol;
    };
    const Case cases[] = {
        {"U", kVacation, 0, "", "Tag: 02.03.2026\n - U\n"},
        {"krank", kSickWithPay, 0, "", "Tag: 02.03.2026\n - KRANK\nGeändert von 'U' nach 'KRANK'\n"},
        {"", kNormalWorkingDay, 0, "", "Tag: 02.03.2026\n - \nFehlzeit entfernt: U\n"},
        {"F", kVacation, 1, "", "Tag: 02.03.2026\n - F\n"},
        {"(U)", kVacation, 0, "(U)", "Tag: 02.03.2026\n - (U)\n"},
        {"S", kNormalWorkingDay, 0, "S", "Tag: 02.03.2026\n - S\nFehlzeit entfernt: U\n"},
        {"A", kTimeOff, 0, "", "Tag: 02.03.2026\n - A\nGeändert von 'U' nach 'A'\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        YearFileBuilder("Anna Berg", 2026).day(3, 2, kVacation).saveAs(yearFile("Anna Berg"));
        const TimeImportResult result = run({std::string("4711;02.03.2026;;;;") + c.code});
        const CLorvanDoc anna = load("Anna Berg");
        const CTagDoc* day = dayOf(anna, 3, 2);
        EXPECT_EQ(day->dayKind, c.kind);
        EXPECT_EQ(day->publicHoliday, c.publicHoliday);
        EXPECT_EQ(day->internalRemark, c.remark);
        EXPECT_EQ(day->lineCount(), 0u);
        ASSERT_EQ(result.days.size(), 1u);
        EXPECT_EQ(result.days[0].protocol, c.protocol);
    }
    // A day with more lines keeps a line without times as a time line.
    const TimeImportResult result = run({"4711;03.03.2026;;;;U", "4711;03.03.2026;08:00;12:00"});
    EXPECT_EQ(dayOf(load("Anna Berg"), 3, 3)->dayKind, kNormalWorkingDay);
    EXPECT_EQ(dayOf(load("Anna Berg"), 3, 3)->lineCount(), 2u);
    EXPECT_TRUE(result.days[0].warnings);
}

TEST_F(WritingTest, AbsenceFile) {
    YearFileBuilder("Anna Berg", 2026).day(3, 17).work("08:00", "12:00").saveAs(yearFile("Anna Berg"));
    options.mode = ImportMode::StandardAbsences;
    const TimeImportResult result =
        run({";4711;;15.03.2026;KG", ";4711;;16.03.2026;U", ";4711;;16.03.2026;K", ";4711;x;17.03.2026;U"});
    const CLorvanDoc anna = load("Anna Berg");
    EXPECT_EQ(dayOf(anna, 3, 15)->dayKind, kSickWithSickPay);
    EXPECT_EQ(dayOf(anna, 3, 16)->dayKind, kSickWithPay);
    EXPECT_EQ(dayOf(anna, 3, 17)->dayKind, kVacation);
    EXPECT_EQ(dayOf(anna, 3, 17)->lineCount(), 1u) << "an absence leaves the times";
    ASSERT_EQ(result.days.size(), 3u);
    EXPECT_EQ(result.days[1].protocol,
              "Tag: 16.03.2026\n\nWARNUNG: Es wurden mehrere Fehlzeiten am selben Tag hinzugefügt: 'U' 'K' \n"
              " - U\nGeändert von '' nach 'U'\n - K\nGeändert von 'U' nach 'K'\n");
    EXPECT_EQ(result.days[2].protocol, "Tag: 17.03.2026\n - U\nWARNUNG: Fehlzeitkennzeichen und Zeiten "
                                       "eingetragen'U'\nGeändert von '' nach 'U'\n");
    EXPECT_EQ(result.days[1].absences, (std::vector<std::string>{"U", "K"}));
}

TEST_F(WritingTest, DaysOfAClosedMonthAreSkipped) {
    environment.monthClosed = [](int32_t month, int32_t year) { return year == 2026 && month <= 2; };
    for (const ImportMode mode : {ImportMode::StandardTimes, ImportMode::StandardAbsences}) {
        SCOPED_TRACE(static_cast<int>(mode));
        YearFileBuilder("Anna Berg", 2026).day(2, 2, kVacation).saveAs(yearFile("Anna Berg"));
        prompter = ScriptedPrompter();
        options.mode = mode;
        const TimeImportResult result =
            mode == ImportMode::StandardTimes
                ? run({"4711;02.02.2026;08:00;12:00", "4711;02.03.2026;08:00;12:00"})
                : run({";4711;;02.02.2026;K", ";4711;;02.03.2026;K"});
        ASSERT_EQ(result.days.size(), 2u);
        EXPECT_EQ(result.days[0].status, ImportDayStatus::Skipped);
        EXPECT_EQ(
            result.days[0].protocol,
            "Die Daten für Anna Berg 02.02.2026 werden ignoriert, da Monatsabschluss bereits erfolgt.\n");
        EXPECT_EQ(result.daysSkipped, 1u);
        EXPECT_EQ(result.daysImported, 1u);
        const CLorvanDoc anna = load("Anna Berg");
        EXPECT_EQ(dayOf(anna, 2, 2)->dayKind, kVacation);
        EXPECT_EQ(dayOf(anna, 2, 2)->lineCount(), 0u);
        EXPECT_NE(dayOf(anna, 3, 2), nullptr);
        EXPECT_TRUE(result.success);
        EXPECT_EQ(prompter.texts(), std::vector<std::string>{kWithWarnings});
    }
}

TEST_F(WritingTest, CheckedAndClosedDayKeepsItsValues) {
    YearFileBuilder("Anna Berg", 2026)
        .day(3, 3)
        .work("08:00", "09:00")
        .withDay([](CTagDoc& d) { d.checkedAndClosed = 1; })
        .saveAs(yearFile("Anna Berg"));
    const std::string before = bytesOf("Anna Berg");
    const TimeImportResult result = run({"4711;03.03.2026;10:00;12:00", "4711;03.03.2026;13:00;14:00"});
    EXPECT_EQ(bytesOf("Anna Berg"), before) << "nothing changed: the file is not written";
    ASSERT_EQ(result.days.size(), 1u);
    EXPECT_EQ(result.days[0].status, ImportDayStatus::Skipped);
    EXPECT_EQ(
        result.days[0].protocol,
        "Tag: 03.03.2026\nWARNUNG: Übergebene Werte werden ignoriert, da Tag geprüft und abgeschlossen.\n");
}

TEST_F(WritingTest, TimeLinesTakeKindsMasterDataAndCompletion) {
    CTwKundenDoc customers;
    CKundeDoc muster;
    muster.number = 12;
    muster.name = "Muster GmbH";
    customers.put(muster);
    customers.checkCustomerExistsOnEntry = 1;
    customers.save(dir.file("Daten.kd"));
    CTwDienstlDoc services;
    services.services["Montage"] = CDienstlDoc{"Montage", 1, 45.5};
    services.save(dir.file("Daten.dl"));
    YearFileBuilder("Anna Berg", 2026)
        .settings([](CEinstArbzt& s) { s.defaultStartOfWork = "07:00"; })
        .saveAs(yearFile("Anna Berg"));
    YearFileBuilder("Jörg Weiß", 2026)
        .settings([](CEinstArbzt& s) {
            s.dayEnteredAsOneValue = 1;
            s.defaultStartOfWork = "08:00";
        })
        .saveAs(yearFile("Jörg Weiß"));

    const TimeImportResult result = run({
        "4711;02.03.2026;08:00;09:00;;P",             // a pause line: its pause is its duration
        "4711;03.03.2026;;;4:30",                     // the first line starts at the default start
        "4713;04.03.2026;;17:00;8",                   // from = to - duration
        "4711;05.03.2026;08:00;10:00;;;12",           // a customer by number keeps the customer's name
        "4711;06.03.2026;08:00;10:00;;;Unbekannt AG", // unknown customer while customers are checked
        "4711;09.03.2026;08:00;10:00;;B;;Montage",    // the service gives cost kind and amount
        "4711;10.03.2026;08:00;10:00;;;;Reparatur",   // unknown service
        "4711;11.03.2026;18:00;22:00;;bereitschaft;;Montage;30", // standby: no pause, no service, no cost
        "4711;12.03.2026;12:00;08:00",                           // kept with the stored line's warning
        "4712;02.03.2026;08:00",                                 // a day entered as one value
    });
    const CLorvanDoc anna = load("Anna Berg");
    const CZeitZeile& pause = dayOf(anna, 3, 2)->line(0);
    EXPECT_EQ(pause.kind, "Pause");
    EXPECT_EQ(pause.pause, 60);
    const CZeitZeile& defaultStart = dayOf(anna, 3, 3)->line(0);
    EXPECT_EQ(defaultStart.from + "-" + defaultStart.to, "07:00-11:30");
    EXPECT_EQ(defaultStart.pause, 45);
    const CLorvanDoc bernd = load("Bernd Berger");
    const CZeitZeile& back = dayOf(bernd, 3, 4)->line(0);
    EXPECT_EQ(back.from + "-" + back.to, "09:00-17:00");
    EXPECT_EQ(back.duration, 480);
    const CTagDoc* customer = dayOf(anna, 3, 5);
    EXPECT_EQ(customer->line(0).kind, "Kunde");
    EXPECT_EQ(customer->line(0).customer, "Muster GmbH");
    EXPECT_EQ(customer->complete, 1);
    const CTagDoc* unknownCustomer = dayOf(anna, 3, 6);
    EXPECT_EQ(unknownCustomer->line(0).customer, "Unbekannt AG");
    EXPECT_EQ(unknownCustomer->complete, 0) << "customers are checked on entry: a warning";
    const CZeitZeile& service = dayOf(anna, 3, 9)->line(0);
    EXPECT_EQ(service.kind, "Büro");
    EXPECT_EQ(service.service, "Montage");
    EXPECT_EQ(service.costKind, 1);
    EXPECT_DOUBLE_EQ(service.costAmount, 45.5);
    EXPECT_EQ(dayOf(anna, 3, 10)->line(0).service, "Reparatur");
    EXPECT_EQ(dayOf(anna, 3, 10)->complete, 0);
    const CZeitZeile& standby = dayOf(anna, 3, 11)->line(0);
    EXPECT_EQ(standby.kind, "Bereitschaft");
    EXPECT_EQ(standby.pause, 0);
    EXPECT_EQ(standby.service, "");
    EXPECT_EQ(standby.costAmount, 0.0);
    EXPECT_EQ(fromTo(dayOf(anna, 3, 12)), std::vector<std::string>{"12:00-08:00"});
    EXPECT_EQ(dayOf(anna, 3, 12)->complete, 0);
    const CLorvanDoc joerg = load("Jörg Weiß");
    const CZeitZeile& oneValue = dayOf(joerg, 3, 2)->line(0);
    EXPECT_EQ(oneValue.from + "-" + oneValue.to, "08:00-16:45") << "8 hours of Monday and 45 minutes' break";
    EXPECT_EQ(oneValue.pause, 45);

    auto protocolOf = [&](int32_t employee, int32_t day) {
        for (const ImportDayReport& report : result.days)
            if (report.employeeNumber == employee && report.date.day == day) return report.protocol;
        return std::string();
    };
    EXPECT_TRUE(contains(protocolOf(4711, 6), "Suche Kunde: Unbekannt AG\n"));
    EXPECT_TRUE(contains(protocolOf(4711, 10), "Suche Dienstleistung: 'Reparatur'\n"));
    EXPECT_TRUE(contains(protocolOf(4711, 12),
                         "12:00 - 08:00\nWARNUNG: Der Eintrag '12:00 - 08:00' wurde nicht "
                         "korrekt berechnet.\nDie Zeile wurde trotzdem importiert.\n"));
    EXPECT_TRUE(result.success) << "warnings only";
}

TEST_F(WritingTest, CachedResultsOfTheChangedMonthsAndLaterGoOutOfDate) {
    YearFileBuilder builder("Anna Berg", 2026);
    for (int32_t m = 1; m <= 4; ++m)
        builder.month(m, [](CMonatDoc& month) {
            month.resultsValid = 1;
            month.accountChange = 3.5;
        });
    builder.saveAs(yearFile("Anna Berg"));
    run({"4711;02.03.2026;08:00;12:00", "4711;14.04.2026;08:00;12:00"});
    const CLorvanDoc anna = load("Anna Berg");
    EXPECT_EQ(anna.month(1)->resultsValid, 1);
    EXPECT_EQ(anna.month(2)->resultsValid, 1);
    EXPECT_EQ(anna.month(3)->resultsValid, 0);
    EXPECT_EQ(anna.month(4)->resultsValid, 0);
}

TEST_F(WritingTest, FileThatCannotBeReadOrIsOfAnotherYearFailsItsDaysOnly) {
    std::string bytes = bytesOf("Bernd Berger");
    bytes[0] = 99; // a version this program does not know yet
    writeBytes(yearFile("Bernd Berger"), bytes);
    CLorvanDoc otherYear = YearFileBuilder("Jörg Weiß", 2025).build();
    otherYear.save(yearFile("Jörg Weiß"));
    const std::string joerg = bytesOf("Jörg Weiß");

    const TimeImportResult result =
        run({"4713;02.03.2026;08:00;12:00", "4712;02.03.2026;08:00;12:00", "4711;02.03.2026;08:00;12:00"});
    ASSERT_EQ(result.days.size(), 3u);
    EXPECT_EQ(result.days[0].status, ImportDayStatus::Imported);
    EXPECT_EQ(result.days[1].status, ImportDayStatus::Failed);
    EXPECT_EQ(result.days[1].protocol, "Tag: 02.03.2026\nFEHLER: Die Datei '" + yearFile("Jörg Weiß") +
                                           "' wurde für ein anderes Jahr angelegt.\n");
    EXPECT_EQ(result.days[2].status, ImportDayStatus::Failed);
    EXPECT_TRUE(contains(result.days[2].protocol, "FEHLER: Die Datei '" + yearFile("Bernd Berger") +
                                                      "' konnte nicht gelesen werden.\n"));
    EXPECT_TRUE(contains(result.days[2].protocol, "neueren Version"));
    EXPECT_EQ(bytesOf("Bernd Berger"), bytes);
    EXPECT_EQ(bytesOf("Jörg Weiß"), joerg);
    EXPECT_NE(dayOf(load("Anna Berg"), 3, 2), nullptr);
    EXPECT_FALSE(result.success);
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{kIncomplete});
}

TEST_F(WritingTest, FailedSaveFailsEveryDayOfTheFile) {
    const std::string path = yearFile("Anna Berg");
    const std::string before = bytesOf("Anna Berg");
    ::chmod(path.c_str(), 0444);
    const TimeImportResult result =
        run({"4711;02.03.2026;08:00;12:00", "4711;03.03.2026;08:00;12:00", "4712;02.03.2026;08:00;12:00"});
    EXPECT_EQ(bytesOf("Anna Berg"), before);
    ASSERT_EQ(result.days.size(), 3u);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(result.days[i].status, ImportDayStatus::Failed);
        EXPECT_TRUE(contains(result.days[i].protocol,
                             "FEHLER: Die Daten konnten nicht gespeichert werden.\nDie Datei '" + path +
                                 "' konnte nicht geschrieben werden.\n(Der Zugriff wurde verweigert.)\n"))
            << result.days[i].protocol;
    }
    EXPECT_EQ(result.days[2].status, ImportDayStatus::Imported);
    EXPECT_EQ(result.daysFailed, 2u);
    EXPECT_EQ(result.filesWritten, std::vector<std::string>{yearFile("Jörg Weiß")});
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{kIncomplete})
        << "the save's message went into the protocol";
}

TEST_F(WritingTest, OpenDocumentIsChangedInPlaceAndKeepsNoFailedDay) {
    CLorvanDoc open;
    open.open(yearFile("Anna Berg"));
    environment.openDocument = [&](const std::string& path) {
        return path == yearFile("Anna Berg") ? &open : nullptr;
    };
    run({"4711;02.03.2026;08:00;12:00", "4712;02.03.2026;08:00;12:00"});
    ASSERT_NE(dayOf(open, 3, 2), nullptr);
    EXPECT_FALSE(open.isModified());
    EXPECT_NE(dayOf(load("Anna Berg"), 3, 2), nullptr);
    EXPECT_NE(dayOf(load("Jörg Weiß"), 3, 2), nullptr);

    ::chmod(yearFile("Anna Berg").c_str(), 0444);
    const TimeImportResult failed = run({"4711;03.03.2026;08:00;12:00"});
    EXPECT_EQ(failed.days[0].status, ImportDayStatus::Failed);
    EXPECT_EQ(dayOf(open, 3, 3), nullptr)
        << "a later save of the window must not write a day reported as failed";
    EXPECT_NE(dayOf(open, 3, 2), nullptr);
}

TEST_F(WritingTest, CancelBetweenFilesLeavesTheRestUntouched) {
    const std::string joerg = bytesOf("Jörg Weiß");
    std::vector<std::pair<size_t, size_t>> asked;
    environment.progress = [&](size_t done, size_t total) {
        asked.emplace_back(done, total);
        return done < 1;
    };
    const TimeImportResult result =
        run({"4711;02.03.2026;08:00;12:00", "4711;03.03.2026;08:00;12:00", "4712;02.03.2026;08:00;12:00"});
    EXPECT_EQ(asked, (std::vector<std::pair<size_t, size_t>>{{0, 2}, {1, 2}}));
    EXPECT_EQ(fromTo(dayOf(load("Anna Berg"), 3, 3)), std::vector<std::string>{"08:00-12:00"});
    EXPECT_EQ(bytesOf("Jörg Weiß"), joerg);
    EXPECT_FALSE(result.success);
    EXPECT_EQ(result.stopReason, "Der Import wurde abgebrochen.\nDie bis dahin geschriebenen Dateien sind "
                                 "vollständig importiert, die übrigen blieben unverändert.");
}

TEST_F(WritingTest, UnexpectedErrorWhileWritingKeepsTheFilesWrittenAndTouchesNoOther) {
    const std::string joerg = bytesOf("Jörg Weiß");
    environment.openDocument = [&](const std::string& path) -> CLorvanDoc* {
        if (path == yearFile("Jörg Weiß")) throw std::runtime_error("Fenster weg");
        return nullptr;
    };
    const TimeImportResult result = run({"4711;02.03.2026;08:00;12:00", "4712;02.03.2026;08:00;12:00"});
    EXPECT_FALSE(result.success);
    EXPECT_TRUE(contains(result.protocol, "FEHLER: EXCEPTION: Fenster weg\n"));
    EXPECT_EQ(prompter.texts().back(), "Der Import wurde aufgrund eines Fehlers abgebrochen.");
    EXPECT_NE(dayOf(load("Anna Berg"), 3, 2), nullptr);
    EXPECT_EQ(bytesOf("Jörg Weiß"), joerg);
}

// ----- the company layouts: their records go the same way -----

// A record of line `line` ("Zeile <line>") for the employee and date.
LayoutRecord record(int64_t line, const std::string& employee, const std::string& date) {
    LayoutRecord r;
    r.lineNumber = line;
    r.lineText = "Zeile " + std::to_string(line);
    r.employee = employee;
    r.date = date;
    return r;
}

LayoutRecord absence(int64_t line, const std::string& employee, const std::string& date,
                     const std::string& code) {
    LayoutRecord r = record(line, employee, date);
    r.isAbsence = true;
    r.absenceCode = code;
    return r;
}

LayoutRecord period(int64_t line, const std::string& employee, const std::string& date,
                    const std::string& from, const std::string& to) {
    LayoutRecord r = record(line, employee, date);
    r.from = from;
    r.to = to;
    return r;
}

TEST_F(WritingTest, CompanyAbsenceTable) {
    YearFileBuilder("Anna Berg", 2026).day(3, 2, kSickWithSickPay).saveAs(yearFile("Anna Berg"));
    options.mode = ImportMode::CompanyAbsences;
    LayoutReading reading;
    reading.records = {absence(3, "4711", "02.03.2026", "K"), absence(3, "4711", "03.03.2026", "U"),
                       absence(4, "4712", "02.03.2026", "U"), absence(5, "4712", "03.03.2026", "U")};
    reading.records[0].department = "Versand";
    reading.records[2].error = "Unbekannte Spalte";
    reading.records[3].warning = "Resturlaub fehlt.";
    prompter.answerYes(); // import despite the erroneous line
    TimeImport import(options, environment);
    ASSERT_TRUE(import.read(reading));
    import.write();
    const TimeImportResult& result = import.result();
    EXPECT_EQ(result.errorFreeLines, 2);
    EXPECT_EQ(result.erroneousLines, 1);
    EXPECT_TRUE(contains(result.protocol,
                         "Zeile 3:\nZeile 3\nDie Abteilung hat sich geändert.\nAlt: 4711 - Anna Berg "
                         "- Verwaltung\nNeu: 4711 - Anna Berg - Versand\n"));
    EXPECT_TRUE(
        contains(result.protocol, "Zeile 4:\nZeile 4\nFEHLER: Unbekannte Spalte\nZeile mit Fehler.\n"));
    EXPECT_TRUE(contains(result.protocol, "Zeile 5:\nZeile 5\nResturlaub fehlt.\n"));
    const CLorvanDoc anna = load("Anna Berg");
    EXPECT_EQ(dayOf(anna, 3, 2)->dayKind, kSickWithSickPay)
        << "K keeps sick pay in the company absence table";
    EXPECT_EQ(dayOf(anna, 3, 3)->dayKind, kVacation);
    const CLorvanDoc joerg = load("Jörg Weiß");
    EXPECT_EQ(dayOf(joerg, 3, 2), nullptr);
    EXPECT_EQ(dayOf(joerg, 3, 3)->dayKind, kVacation);
}

TEST_F(WritingTest, CompanyAbsenceTableInAClosedMonthChangesNothing) {
    YearFileBuilder("Anna Berg", 2026).day(3, 2, kVacation).day(3, 4).saveAs(yearFile("Anna Berg"));
    const std::string before = bytesOf("Anna Berg");
    environment.monthClosed = [](int32_t month, int32_t) { return month == 3; };
    options.mode = ImportMode::CompanyAbsences;
    LayoutReading reading;
    reading.records = {absence(3, "4711", "02.03.2026", "K"), absence(3, "4711", "03.03.2026", "U"),
                       absence(3, "4711", "04.03.2026", "F"), absence(3, "4711", "05.03.2026", "")};
    TimeImport import(options, environment);
    ASSERT_TRUE(import.read(reading));
    import.write();
    const TimeImportResult& result = import.result();
    EXPECT_EQ(bytesOf("Anna Berg"), before);
    ASSERT_EQ(result.days.size(), 4u);
    EXPECT_EQ(result.days[0].protocol,
              "Tag: 02.03.2026\n - K\nÄnderung wegen Monatsabschluss ignoriert von 'U' nach 'K'\n");
    EXPECT_EQ(result.days[1].protocol,
              "Tag: 03.03.2026\n - U\nÄnderung wegen Monatsabschluss ignoriert: 'U'\n");
    EXPECT_EQ(result.days[2].protocol,
              "Tag: 04.03.2026\n - F\nÄnderung wegen Monatsabschluss ignoriert: 'F'\n");
    EXPECT_EQ(result.days[3].protocol, "Tag: 05.03.2026\n - \n");
}

TEST_F(WritingTest, CompanyClockExport) {
    options.mode = ImportMode::CompanyTimes;
    LayoutReading reading;
    reading.records = {period(7, "4711", "02.03.2026", "07:00", "12:00"),
                       period(9, "4711", "02.03.2026", "12:30", "16:00"),
                       period(11, "4713", "02.03.2026", "22:00", "30:00")};
    TimeImport import(options, environment);
    ASSERT_TRUE(import.read(reading));
    import.write();
    EXPECT_EQ(fromTo(dayOf(load("Anna Berg"), 3, 2)),
              (std::vector<std::string>{"07:00-12:00", "12:30-16:00"}));
    EXPECT_EQ(fromTo(dayOf(load("Bernd Berger"), 3, 2)), std::vector<std::string>{"22:00-30:00"});

    // A stop of the reader ends the run before anything is written.
    const std::string before = bytesOf("Anna Berg");
    reading.records = {period(3, "4711", "03.03.2026", "07:00", "12:00")};
    reading.stop = "Der Import wird abgebrochen wegen Fehlern beim Einlesen der Datumszeile.";
    prompter = ScriptedPrompter();
    TimeImport stopped(options, environment);
    EXPECT_FALSE(stopped.read(reading));
    stopped.write();
    EXPECT_EQ(bytesOf("Anna Berg"), before);
    EXPECT_EQ(stopped.result().stopReason, reading.stop);
    EXPECT_FALSE(stopped.result().wroteDays);
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{reading.stop});
}

} // namespace
} // namespace lorvan::test
