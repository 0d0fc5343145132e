#include "employee_fixture.h"

#include "foundation/error.h"
#include "masterdata/year_file_creation.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>

namespace lorvan {
namespace {

using test::EmployeeFixture;
using test::YearFileBuilder;

// Keeps a vacation account (30 days, 2.5 left from the year before, 3 days taken in March: 29.5 at
// the end of December) and a working-time account whose balance is its carry-over of 5 hours.
YearFileBuilder accountsOf(const std::string& name, int32_t year) {
    return YearFileBuilder(name, year)
        .settings([](CEinstArbzt& s) {
            s.manageRemainingVacation = 1;
            s.vacationEntitlement = 30.0;
            s.remainingVacationPreviousYear = 2.5;
            s.keepWorkingTimeAccount = 1;
            s.accountCarryOver = 5.0;
            s.federalState = "Bayern";
        })
        .day(3, 3, kVacation)
        .day(3, 4, kVacation)
        .day(3, 5, kVacation);
}

struct CreationFixture : EmployeeFixture {
    CMitarbeiterDoc anna = test::employeeRecord(1, "Anna Berg");
    std::string protocol;

    bool create(const YearFileRequest& request) {
        StorageContext storage;
        storage.prompter = &prompter;
        storage.dataDirectory = dir();
        return createYearFile(anna, request, protocol, storage, clock);
    }
    CLorvanDoc load(const std::string& relative) const {
        CLorvanDoc doc;
        doc.open(path(relative));
        return doc;
    }
    std::string failed() const {
        return "Die Datei für Mitarbeiter Anna Berg konnte nicht angelegt werden.\n";
    }
};

YearFileRequest forYear(int32_t year) {
    YearFileRequest request;
    request.year = year;
    return request;
}

TEST(CreateYearFile, NewFileContinuesThePreviousYear) {
    CreationFixture f;
    accountsOf("Anna Berg", 2025).saveAs(f.path("Anna_Berg2025.azr"));
    EXPECT_TRUE(f.create(forYear(2026)));
    EXPECT_EQ(f.protocol, "");
    const CLorvanDoc doc = f.load("Anna_Berg2026.azr");
    EXPECT_EQ(doc.settings().name, "Anna Berg");
    EXPECT_EQ(doc.settings().year, 2026);
    EXPECT_EQ(doc.settings().federalState, "Bayern");
    EXPECT_DOUBLE_EQ(doc.settings().remainingVacationPreviousYear, 29.5);
    EXPECT_DOUBLE_EQ(doc.settings().accountCarryOver, 5.0);
    EXPECT_TRUE(doc.months().empty());
}

TEST(CreateYearFile, NewFileFromANamedTemplateOfAnotherPersonWithGivenValues) {
    CreationFixture f;
    accountsOf("Muster", 2025).saveAs(f.path("Vorlage.azr"));
    YearFileRequest request = forYear(2026);
    request.templateName = "Vorlage.azr";
    request.accountCarryOver = "12.5";
    request.remainingVacation = " 3";
    request.vacationEntitlement = "28.5 Tage";
    EXPECT_TRUE(f.create(request));
    EXPECT_EQ(f.protocol, "");
    const CLorvanDoc doc = f.load("Anna_Berg2026.azr");
    EXPECT_EQ(doc.settings().name, "Anna Berg");
    EXPECT_DOUBLE_EQ(doc.settings().accountCarryOver, 12.5);
    EXPECT_DOUBLE_EQ(doc.settings().remainingVacationPreviousYear, 3.0);
    EXPECT_DOUBLE_EQ(doc.settings().vacationEntitlement, 28.5);
}

TEST(CreateYearFile, MissingOrOutsideTemplateFails) {
    struct Case {
        std::string templateName;
        std::string shownPath; // relative to the data directory
    };
    const Case cases[] = {
        {"", "Anna_Berg2025.azr"},
        {"Fehlt.azr", "Fehlt.azr"},
        {"../Vorlage.azr", "../Vorlage.azr"},
        {"sub/Vorlage.azr", "sub/Vorlage.azr"},
        {"sub\\Vorlage.azr", "sub\\Vorlage.azr"},
        {"..", ".."},
    };
    for (const auto& c : cases) {
        CreationFixture f;
        // Files the unsafe names would reach.
        accountsOf("Muster", 2025).saveAs((f.data.path().parent_path() / "Vorlage.azr").string());
        std::filesystem::create_directories(f.path("sub"));
        accountsOf("Muster", 2025).saveAs(f.path("sub/Vorlage.azr"));
        YearFileRequest request = forYear(2026);
        request.templateName = c.templateName;
        EXPECT_FALSE(f.create(request)) << c.templateName;
        EXPECT_EQ(f.protocol,
                  "FEHLER: Die Vorlagedatei existiert nicht:\n" + f.path(c.shownPath) + "\n" + f.failed());
        EXPECT_FALSE(f.exists("Anna_Berg2026.azr"));
        std::filesystem::remove((f.data.path().parent_path() / "Vorlage.azr").string());
    }
}

TEST(CreateYearFile, ExistingFileIsCorrectedFromThePreviousYear) {
    CreationFixture f;
    accountsOf("Anna Berg", 2025).saveAs(f.path("Anna_Berg2025.azr"));
    YearFileBuilder("Anna Berg", 2026)
        .settings([](CEinstArbzt& s) {
            s.manageRemainingVacation = 1;
            s.keepWorkingTimeAccount = 1;
        })
        .saveAs(f.path("Anna_Berg2026.azr"));
    EXPECT_TRUE(f.create(forYear(2026)));
    EXPECT_EQ(f.protocol, "Anna Berg: Resturlaub Vorjahr wurde korrigiert\n"
                          "Anna Berg: Übertrag Arbeitszeitkonto wurde korrigiert\n");
    CLorvanDoc doc = f.load("Anna_Berg2026.azr");
    EXPECT_DOUBLE_EQ(doc.settings().remainingVacationPreviousYear, 29.5);
    EXPECT_DOUBLE_EQ(doc.settings().accountCarryOver, 5.0);

    f.protocol.clear();
    EXPECT_TRUE(f.create(forYear(2026))); // nothing left to correct
    EXPECT_EQ(f.protocol, "");
}

TEST(CreateYearFile, ExistingFileWithoutAccountsIsNotCorrected) {
    CreationFixture f;
    accountsOf("Anna Berg", 2025).saveAs(f.path("Anna_Berg2025.azr"));
    YearFileBuilder("Anna Berg", 2026).saveAs(f.path("Anna_Berg2026.azr"));
    YearFileRequest request = forYear(2026);
    request.accountCarryOver = "9";
    request.remainingVacation = "9";
    EXPECT_TRUE(f.create(request));
    EXPECT_EQ(f.protocol, "");
    const CLorvanDoc doc = f.load("Anna_Berg2026.azr");
    EXPECT_DOUBLE_EQ(doc.settings().accountCarryOver, 0.0);
    EXPECT_DOUBLE_EQ(doc.settings().remainingVacationPreviousYear, 0.0);
}

TEST(CreateYearFile, ExistingFileIsReportedAndTakesOnlyTheGivenValues) {
    CreationFixture f;
    accountsOf("Anna Berg", 2025).saveAs(f.path("Anna_Berg2025.azr"));
    YearFileBuilder("Anna Berg", 2026)
        .settings([](CEinstArbzt& s) {
            s.manageRemainingVacation = 1;
            s.keepWorkingTimeAccount = 1;
        })
        .saveAs(f.path("Anna_Berg2026.azr"));
    YearFileRequest request = forYear(2026);
    request.reportExisting = true;
    request.accountCarryOver = "-7.25";
    EXPECT_TRUE(f.create(request));
    EXPECT_EQ(f.protocol,
              "Die Datei für Mitarbeiter Anna Berg existiert bereits: " + f.path("Anna_Berg2026.azr") + "\n");
    const CLorvanDoc doc = f.load("Anna_Berg2026.azr");
    EXPECT_DOUBLE_EQ(doc.settings().accountCarryOver, -7.25);
    EXPECT_DOUBLE_EQ(doc.settings().remainingVacationPreviousYear, 0.0);
}

TEST(CreateYearFile, ExistingFileWithoutPreviousYearTakesTheGivenValues) {
    CreationFixture f;
    YearFileBuilder("Anna Berg", 2026)
        .settings([](CEinstArbzt& s) { s.manageRemainingVacation = 1; })
        .saveAs(f.path("Anna_Berg2026.azr"));
    YearFileRequest request = forYear(2026);
    request.vacationEntitlement = "27";
    EXPECT_TRUE(f.create(request));
    EXPECT_EQ(f.protocol, "");
    EXPECT_DOUBLE_EQ(f.load("Anna_Berg2026.azr").settings().vacationEntitlement, 27.0);
}

TEST(CreateYearFile, UnreadableTemplateOrFileFailsWithItsCause) {
    for (const bool templateBroken : {true, false}) {
        CreationFixture f;
        const std::string broken = templateBroken ? "Anna_Berg2025.azr" : "Anna_Berg2026.azr";
        if (templateBroken) {
            test::writeBytes(f.path(broken), std::string("\x2C\0\0\0", 4));
        } else {
            accountsOf("Anna Berg", 2025).saveAs(f.path("Anna_Berg2025.azr"));
            test::writeBytes(f.path(broken), std::string("\x2D\0\0\0", 4));
        }
        EXPECT_FALSE(f.create(forYear(2026)));
        const std::string cause = templateBroken ? "Es wurde versucht, auf eine Stelle hinter dem Ende von " +
                                                       f.path(broken) + " zuzugreifen."
                                                 : std::string(kNewerVersionMessage);
        EXPECT_EQ(f.protocol, "FEHLER: Die Datei '" + f.path(broken) + "' konnte nicht gelesen werden.\n" +
                                  cause + "\n" + f.failed());
    }
}

TEST(CreateYearFile, FailedSaveIsAFailureAndTellsNoCorrection) {
    CreationFixture f;
    accountsOf("Anna Berg", 2025).saveAs(f.path("Anna_Berg2025.azr"));
    YearFileBuilder("Anna Berg", 2026)
        .settings([](CEinstArbzt& s) { s.keepWorkingTimeAccount = 1; })
        .saveAs(f.path("Anna_Berg2026.azr"));
    ::chmod(f.path("Anna_Berg2026.azr").c_str(), 0444);
    EXPECT_FALSE(f.create(forYear(2026)));
    EXPECT_EQ(f.protocol, "FEHLER: Die Daten konnten nicht gespeichert werden.\nDie Datei '" +
                              f.path("Anna_Berg2026.azr") +
                              "' konnte nicht geschrieben werden.\n(Der Zugriff wurde verweigert.)\n" +
                              f.failed());
    EXPECT_TRUE(f.prompter.texts().empty()); // into the protocol, not shown
}

TEST(CreateYearFile, DecimalNumbersWithAPoint) {
    struct Case {
        std::string text;
        double value;
    };
    const Case cases[] = {
        {"12.5", 12.5}, {" -3.25x", -3.25}, {"abc", 0.0}, {"7,5", 7.0}, {".5", 0.5},
        {"+4", 4.0},    {"1e3", 1.0},       {"", 0.0},    {"nan", 0.0}, {std::string(400, '9'), 0.0},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(readDecimalNumber(c.text), c.value) << c.text;
}

} // namespace
} // namespace lorvan
