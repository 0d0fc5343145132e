#include "app/program_settings.h"
#include "app_fixture.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace lorvan {
namespace {

using test::AppFixture;
using test::readFile;
using test::writeBytes;

TEST(ProgramSettings, LoadsEveryKeyAndSavesThemBackSorted) {
    AppFixture f;
    writeBytes(f.data.file("Lorvan.ini"), "[Settings]\r\n"
                                          "LogoFile=/daten/logo.bmp\r\n"
                                          "TextMonatsauswertung=Zeile 1$$NEWLINE$$Zeile 2\r\n"
                                          "TexteAufMonatsauswertung=1\r\n"
                                          "TextStdArbztUeberschreitung=Pause machen\r\n"
                                          "TextTageKrankUeberschreitung=Gute Besserung\r\n"
                                          "StdArbztUeberschreitung=600\r\n"
                                          "TageKrankUeberschreitung=30\r\n"
                                          "MonatsabschlussBis=03.2024\r\n"
                                          "[Other]\r\n"
                                          "Key=Value\r\n");
    ProgramSettings s;
    ASSERT_TRUE(loadSettings(s, f.dataDirectory(), false, f.store));
    EXPECT_EQ(s.logoFile, "/daten/logo.bmp");
    EXPECT_EQ(s.monthReportText, "Zeile 1\r\nZeile 2");
    EXPECT_TRUE(s.printMonthReportTexts);
    EXPECT_EQ(s.overtimeNoteText, "Pause machen");
    EXPECT_EQ(s.sicknessNoteText, "Gute Besserung");
    EXPECT_EQ(s.overtimeThresholdHours, 10);
    EXPECT_EQ(s.sicknessThresholdDays, 3);
    EXPECT_EQ(s.monthClosing, "03.2024");

    std::remove(f.data.file("Lorvan.ini").c_str());
    ASSERT_TRUE(saveSettings(s, f.dataDirectory(), f.prompter));
    EXPECT_EQ(readFile(f.data.file("Lorvan.ini")), "[Settings]\r\n"
                                                   "LogoFile=/daten/logo.bmp\r\n"
                                                   "MonatsabschlussBis=03.2024\r\n"
                                                   "StdArbztUeberschreitung=600\r\n"
                                                   "TageKrankUeberschreitung=30\r\n"
                                                   "TextMonatsauswertung=Zeile 1$$NEWLINE$$Zeile 2\r\n"
                                                   "TextStdArbztUeberschreitung=Pause machen\r\n"
                                                   "TextTageKrankUeberschreitung=Gute Besserung\r\n"
                                                   "TexteAufMonatsauswertung=1\r\n");
    EXPECT_TRUE(f.prompter.log().empty());
}

TEST(ProgramSettings, ThresholdsAreWholeHoursAndDays) {
    struct Case {
        const char* stored; // value of both keys on disk
        const char* printFlag;
        double hours;             // read as minutes
        double days;              // read as tenths
        const char* savedMinutes; // written back
        const char* savedTenths;
        bool print;
    };
    const Case cases[] = {
        {"90", "1", 1, 9, "60", "90", true},      {"150", "0", 2, 15, "120", "150", false},
        {"35", "ja", 0, 3, "0", "30", false},     {"59", "", 0, 5, "0", "50", false},
        {"abc", "1 ", 0, 0, "0", "0", true}, // the whole line is trimmed, so "1 " is "1"
        {"-90", "1", -1, -9, "-60", "-90", true},
    };
    for (const Case& c : cases) {
        AppFixture f;
        writeBytes(f.data.file("Lorvan.ini"), std::string("[Settings]\r\nStdArbztUeberschreitung=") +
                                                  c.stored + "\r\nTageKrankUeberschreitung=" + c.stored +
                                                  "\r\nTexteAufMonatsauswertung=" + c.printFlag + "\r\n");
        ProgramSettings s;
        s.overtimeThresholdHours = 99; // replaced, since the section is there
        ASSERT_TRUE(loadSettings(s, f.dataDirectory(), true, f.store));
        EXPECT_EQ(s.overtimeThresholdHours, c.hours) << c.stored;
        EXPECT_EQ(s.sicknessThresholdDays, c.days) << c.stored;
        EXPECT_EQ(s.printMonthReportTexts, c.print) << c.printFlag;
        ASSERT_TRUE(saveSettings(s, f.dataDirectory(), f.prompter));
        const std::string ini = readFile(f.data.file("Lorvan.ini"));
        EXPECT_NE(ini.find(std::string("StdArbztUeberschreitung=") + c.savedMinutes + "\r\n"),
                  std::string::npos)
            << ini;
        EXPECT_NE(ini.find(std::string("TageKrankUeberschreitung=") + c.savedTenths + "\r\n"),
                  std::string::npos)
            << ini;
    }
}

TEST(ProgramSettings, WithoutSectionOnlyTheStartUpTakesTheOlderStoreValues) {
    AppFixture f;
    writeBytes(f.data.file("Lorvan.ini"), "[Other]\r\nLogoFile=falsch\r\n");
    ASSERT_TRUE(f.store.writeStrings("Settings", {{"LogoFile", "/alt/logo.bmp"},
                                                  {"TextMonatsauswertung", "A\r\nB"},
                                                  {"TexteAufMonatsauswertung", "2"},
                                                  {"TextStdArbztUeberschreitung", "viel"},
                                                  {"TextTageKrankUeberschreitung", "krank"},
                                                  {"StdArbztUeberschreitung", "90"},
                                                  {"TageKrankUeberschreitung", "35"},
                                                  {"MonatsabschlussBis", "05.2020"}}));
    ProgramSettings before;
    before.monthClosing = "02.2023";
    before.overtimeNoteText = "bleibt";

    ProgramSettings later = before;
    EXPECT_FALSE(loadSettings(later, f.dataDirectory(), false, f.store));
    EXPECT_EQ(later, before);

    ProgramSettings atStart = before;
    EXPECT_FALSE(loadSettings(atStart, f.dataDirectory(), true, f.store));
    EXPECT_EQ(atStart.logoFile, "/alt/logo.bmp");
    EXPECT_EQ(atStart.monthReportText, "A\r\nB");
    EXPECT_TRUE(atStart.printMonthReportTexts); // anything but "0"
    EXPECT_EQ(atStart.overtimeNoteText, "viel");
    EXPECT_EQ(atStart.sicknessNoteText, "krank");
    EXPECT_EQ(atStart.overtimeThresholdHours, 1);
    EXPECT_EQ(atStart.sicknessThresholdDays, 3);
    EXPECT_EQ(atStart.monthClosing, "02.2023"); // never taken from the store

    // An empty store gives the defaults; a missing file counts like a missing section.
    AppFixture empty;
    ProgramSettings defaults = before;
    EXPECT_FALSE(loadSettings(defaults, empty.dataDirectory(), true, empty.store));
    EXPECT_EQ(defaults.overtimeNoteText, "");
    EXPECT_FALSE(defaults.printMonthReportTexts);
    EXPECT_EQ(defaults.monthClosing, "02.2023");
}

TEST(ProgramSettings, SaveFailureIsShownWithTheFileError) {
    AppFixture f;
    const std::string missing = f.data.file("fehlt");
    EXPECT_FALSE(saveSettings(ProgramSettings{}, missing, f.prompter));
    ASSERT_EQ(f.prompter.log().size(), 1u);
    EXPECT_EQ(f.prompter.log()[0].kind, "error");
    EXPECT_EQ(f.prompter.log()[0].text,
              "Die Einstellungen können nicht gespeichert werden.\nDie Datei '" + missing +
                  "/Lorvan.ini' konnte nicht geöffnet werden.\n(Die Datei wurde nicht "
                  "gefunden.)");
}

TEST(ProgramSettings, MonthClosingRule) {
    struct Case {
        const char* closing;
        int month;
        int year;
        bool closed;
    };
    const Case cases[] = {
        {"03.2024", 3, 2024, true},  {"03.2024", 2, 2024, true},  {"03.2024", 4, 2024, false},
        {"03.2024", 12, 2023, true}, {"03.2024", 1, 2025, false}, {"12.2023", 12, 2023, true},
        {"", 1, 2000, false},        {"13.2024", 1, 2000, false}, {"abc", 1, 2000, false},
    };
    for (const Case& c : cases) {
        ProgramSettings s;
        s.monthClosing = c.closing;
        EXPECT_EQ(isMonthClosed(s, c.month, c.year), c.closed)
            << c.closing << " " << c.month << "." << c.year;
        s.temporaryRelease = true;
        EXPECT_FALSE(isMonthClosed(s, c.month, c.year)) << c.closing;
    }
}

TEST(ProgramSettings, AdvanceMonthClosingOnlyMovesForwardAndSavesAtOnce) {
    struct Case {
        const char* stored;
        const char* closed;
        const char* result;
    };
    const Case cases[] = {
        {"", "03.2024", "03.2024"},        {"02.2024", "03.2024", "03.2024"},
        {"03.2024", "03.2024", "03.2024"}, {"04.2024", "03.2024", "04.2024"},
        {"01.2025", "12.2024", "01.2025"}, {"12.2023", "01.2024", "01.2024"},
        {"xx", "01.2019", "01.2019"},      {"03.2024", "13.2024", "03.2024"},
        {"03.2024", "", "03.2024"},
    };
    for (const Case& c : cases) {
        AppFixture f;
        f.app.setDataDirectory(f.dataDirectory());
        f.app.settings().monthClosing = c.stored;
        f.app.advanceMonthClosing(c.closed);
        EXPECT_EQ(f.app.settings().monthClosing, c.result) << c.stored << " <- " << c.closed;
        const std::string ini = readFile(f.data.file("Lorvan.ini"));
        if (std::string(c.result) != c.stored)
            EXPECT_NE(ini.find(std::string("MonatsabschlussBis=") + c.result + "\r\n"), std::string::npos)
                << ini;
        else
            EXPECT_EQ(ini, "") << "nothing changed, nothing written";
    }
}

} // namespace
} // namespace lorvan
