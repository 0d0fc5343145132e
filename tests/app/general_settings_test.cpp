#include "app/general_settings.h"
#include "app/report_settings.h"
#include "platform/user_store.h"
#include "app_fixture.h"

#include <gtest/gtest.h>

namespace lorvan {
namespace {

using test::AppFixture;
using test::readFile;
using test::writeBytes;

// An uncompressed monochrome bitmap of the size.
std::string bitmap(int32_t width, int32_t height) {
    const uint32_t rowBytes = (static_cast<uint32_t>(width) + 31) / 32 * 4;
    std::string b;
    auto put = [&b](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            b.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
    };
    b += "BM";
    put(62 + rowBytes * static_cast<uint32_t>(height), 4);
    put(0, 4);
    put(62, 4); // pixels after the headers and the two palette entries
    put(40, 4);
    put(static_cast<uint32_t>(width), 4);
    put(static_cast<uint32_t>(height), 4);
    put(1, 2); // planes
    put(1, 2); // bits per pixel
    put(0, 4); // uncompressed
    b.append(20 + 8, '\0');
    b.append(rowBytes * static_cast<size_t>(height), '\0');
    return b;
}

// The application on an existing data directory with its own Lorvan.ini.
struct SettingsFixture : AppFixture {
    UserEnvironment environment{home.path().string(), ""};

    SettingsFixture() {
        app.setDataDirectory(dataDirectory());
        EXPECT_TRUE(store.writeString("Settings", "DataPath", dataDirectory()));
    }
};

TEST(GeneralSettings, PrintSwitchFillsInAndEmptiesTheNotes) {
    SettingsFixture f;
    GeneralSettingsForm form(f.app, f.environment);
    form.values().overtimeNoteText = "eigener Text";
    form.setPrintTexts(true);
    EXPECT_TRUE(form.values().printMonthReportTexts);
    EXPECT_EQ(
        form.values().monthReportText,
        "\r\nWir möchten, dass Sie Ihrer Abrechnung vertrauen können, deshalb haben wir die Übergabe der "
        "Daten "
        "aus der Zeiterfassung in die Buchhaltung automatisiert.\r\nAber auch eine Software kann Fehler "
        "haben, "
        "deshalb prüfen Sie diese Auswertung in den nächsten Monaten sehr genau und sprechen Sie uns bei "
        "Unklarheiten an.\r\n");
    EXPECT_EQ(form.values().overtimeNoteText, "Achten Sie auf Entspannungszeiten!");
    EXPECT_EQ(form.values().overtimeThresholdHours, 10);
    EXPECT_EQ(form.values().sicknessNoteText, "Krankheitstage sind zusätzlich benötigte Tage für die "
                                              "Regeneration ihres Körpers.\r\nWenn Sie und Ihr "
                                              "Arzt dort an Ihre Grenzen kommen oder die Ursache in unserem "
                                              "Unternehmen liegt: Sprechen Sie uns an! "
                                              "Wir finden gemeinsam Lösungen.");
    EXPECT_EQ(form.values().sicknessThresholdDays, 3);

    form.setPrintTexts(false);
    EXPECT_FALSE(form.values().printMonthReportTexts);
    EXPECT_EQ(form.values().monthReportText, "");
    EXPECT_EQ(form.values().overtimeNoteText, "");
    EXPECT_EQ(form.values().sicknessNoteText, "");
    EXPECT_EQ(form.values().overtimeThresholdHours, 0);
    EXPECT_EQ(form.values().sicknessThresholdDays, 0);
}

TEST(GeneralSettings, OkChecksInOrder) {
    struct Case {
        const char* what;
        const char* directory; // below the data folder; "" = the data directory itself
        const char* logo;      // "" none, "missing", "text", or "WxH"
        const char* monthClosing;
        std::vector<Answer> answers;
        GeneralSettingsField focus;
        std::vector<std::string> messages; // "%d" stands for the directory, "%l" for the logo path
    };
    const std::string logoMissing = "Die Datei '%l' existiert nicht.";
    const std::string logoFormat =
        "Das Bildformat der Datei '%l' wird nicht unterstützt.\nBitte verwenden Sie eine Bitmap.";
    using F = GeneralSettingsField;
    // clang-format off
    const Case cases[] = {
        {"all fine", "", "300x90", "03.2024", {}, F::None, {}},
        {"directory not created", "neu", "", "", {Answer::No}, F::DataDirectory, {kCreateDataDirectoryQuestion}},
        {"directory created", "neu/tiefer", "", "", {Answer::Yes}, F::None, {kCreateDataDirectoryQuestion}},
        {"directory under a file", "datei/neu", "", "", {Answer::Yes}, F::DataDirectory,
         {kCreateDataDirectoryQuestion, "Das Verzeichnis '%d' konnte nicht angelegt werden.\n(Die Datei ist bereits vorhanden.)"}},
        {"logo too high", "", "300x91", "", {}, F::LogoFile, {kLogoTooLargeMessage}},
        {"logo too wide", "", "301x90", "", {}, F::LogoFile, {kLogoTooLargeMessage}},
        {"logo missing", "", "missing", "", {}, F::LogoFile, {logoMissing}},
        {"logo no bitmap", "", "text", "", {}, F::LogoFile, {logoFormat}},
        {"logo before month", "", "301x90", "13.2024", {}, F::LogoFile, {kLogoTooLargeMessage}},
        {"month 13", "", "", "13.2024", {}, F::MonthClosing, {kMonthFormatMessage}},
        {"month 00", "", "", "00.2024", {}, F::MonthClosing, {kMonthFormatMessage}},
        {"year 2017", "", "", "12.2017", {}, F::MonthClosing, {kMonthFormatMessage}},
        {"one digit", "", "", "3.2017", {}, F::MonthClosing, {kMonthFormatMessage}},
        {"letters", "", "", "MM.JJJJ", {}, F::MonthClosing, {kMonthFormatMessage}},
        {"blank", "", "", " 03.2024", {}, F::MonthClosing, {kMonthFormatMessage}},
        {"2018", "", "", "01.2018", {}, F::None, {}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SettingsFixture f;
        writeBytes(f.data.file("datei"), "x");
        GeneralSettingsForm form(f.app, f.environment);
        const std::string directory = *c.directory ? f.data.file(c.directory) : f.data.path().string();
        ASSERT_TRUE(form.chooseDataDirectory(directory));
        std::string logo;
        const std::string kind = c.logo;
        if (!kind.empty()) {
            logo = f.data.file("logo.bmp");
            if (kind == "text")
                writeBytes(logo, "kein Bild");
            else if (kind != "missing")
                writeBytes(logo, bitmap(std::stoi(kind), std::stoi(kind.substr(kind.find('x') + 1))));
        }
        ASSERT_TRUE(form.setLogoFile(logo));
        form.values().monthClosing = c.monthClosing;
        for (Answer a : c.answers)
            f.prompter.answer(a);

        EXPECT_EQ(form.confirm(f.prompter), c.focus) << c.what;
        std::vector<std::string> expected;
        for (std::string m : c.messages) {
            for (auto [mark, value] : {std::pair{"%d", directory + "/"}, std::pair{"%l", logo}})
                if (const size_t at = m.find(mark); at != std::string::npos) m.replace(at, 2, value);
            expected.push_back(m);
        }
        EXPECT_EQ(f.prompter.texts(), expected) << c.what;
        EXPECT_TRUE(f.prompter.allAnswered()) << c.what;

        const bool accepted = c.focus == GeneralSettingsField::None;
        EXPECT_EQ(f.app.dataDirectory(), accepted ? directory + "/" : f.dataDirectory()) << c.what;
        EXPECT_EQ(f.app.settings().monthClosing, accepted ? c.monthClosing : "") << c.what;
        EXPECT_EQ(fileExists(directory + "/Lorvan.ini"), accepted) << c.what;
    }
}

TEST(GeneralSettings, OkTakesEverythingAndStoresANewDirectory) {
    SettingsFixture f;
    test::TempDir other;
    GeneralSettingsForm form(f.app, f.environment);
    ASSERT_TRUE(form.chooseDataDirectory(other.path().string() + "/"));
    EXPECT_EQ(form.dataDirectory(), other.path().string());
    form.setPrintTexts(true);
    form.values().temporaryRelease = true;
    form.values().monthClosing = "02.2024";
    EXPECT_FALSE(f.app.settings().printMonthReportTexts) << "the dialog edits a copy";

    ASSERT_EQ(form.confirm(f.prompter), GeneralSettingsField::None);
    EXPECT_TRUE(f.prompter.log().empty());
    EXPECT_EQ(f.store.readString("Settings", "DataPath", "NV"), other.path().string() + "/");
    EXPECT_EQ(f.app.dataDirectory(), other.path().string() + "/");
    EXPECT_TRUE(f.app.settings().temporaryRelease);
    EXPECT_FALSE(f.app.isMonthClosed(1, 2024));
    const std::string ini = readFile(other.file("Lorvan.ini"));
    EXPECT_NE(ini.find("StdArbztUeberschreitung=600\r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("TageKrankUeberschreitung=30\r\n"), std::string::npos) << ini;
    EXPECT_EQ(ini.find("Freigabe"), std::string::npos) << "the temporary release is never saved";
}

TEST(GeneralSettings, StoreFailureKeepsTheOldDirectoryAndItsSettings) {
    SettingsFixture f;
    writeBytes(f.data.file("Lorvan.ini"), "[Settings]\r\nMonatsabschlussBis=01.2024\r\n");
    f.app.loadSettings(f.dataDirectory(), false);
    test::TempDir other;
    writeBytes(other.file("Lorvan.ini"), "[Settings]\r\nMonatsabschlussBis=09.2030\r\n");

    IniUserStore broken(f.home.path().string()); // a directory cannot be written as a file
    CLorvanApp app(broken, f.prompter);
    app.setDataDirectory(f.dataDirectory());
    app.settings() = f.app.settings();
    GeneralSettingsForm form(app, f.environment);
    ASSERT_TRUE(form.chooseDataDirectory(other.path().string()));
    EXPECT_EQ(form.values().monthClosing, "09.2030");

    EXPECT_EQ(form.confirm(f.prompter), GeneralSettingsField::DataDirectory);
    EXPECT_EQ(f.prompter.texts(),
              std::vector<std::string>{"EIN01 - Die Einstellungen können nicht gespeichert werden."});
    EXPECT_EQ(app.dataDirectory(), f.dataDirectory());
    EXPECT_EQ(app.settings().monthClosing, "01.2024");
    EXPECT_EQ(readFile(f.data.file("Lorvan.ini")), "[Settings]\r\nMonatsabschlussBis=01.2024\r\n");
}

TEST(GeneralSettings, ReloadsFromTheShownDirectory) {
    SettingsFixture f;
    f.app.settings().overtimeNoteText = "im Speicher";
    writeBytes(f.data.file("Lorvan.ini"), "[Settings]\r\nTextStdArbztUeberschreitung=aus der Datei\r\n");
    GeneralSettingsForm form(f.app, f.environment);
    EXPECT_FALSE(form.proposesDataDirectory());
    EXPECT_EQ(form.dataDirectory(), f.data.path().string());
    EXPECT_EQ(form.values().overtimeNoteText, "aus der Datei");
    EXPECT_EQ(f.app.settings().overtimeNoteText, "im Speicher");

    // A directory without settings leaves the shown values as they are, also with older store values.
    ASSERT_TRUE(f.store.writeString("Settings", "TextStdArbztUeberschreitung", "aus dem Speicher"));
    test::TempDir bare;
    ASSERT_TRUE(form.chooseDataDirectory(bare.path().string()));
    EXPECT_EQ(form.values().overtimeNoteText, "aus der Datei");

    // Paths longer than the field are not taken; the limit counts characters, not bytes.
    std::string umlauts = "/";
    for (int i = 0; i < 254; ++i)
        umlauts += "ä";
    EXPECT_TRUE(form.setLogoFile(umlauts));
    EXPECT_FALSE(form.setLogoFile(umlauts + "a"));
    EXPECT_EQ(form.logoFile(), umlauts);
}

TEST(GeneralSettings, BrowsingForTheDataDirectoryEndsWithTheFirstYearFile) {
    SettingsFixture f;
    GeneralSettingsForm form(f.app, f.environment);
    EXPECT_TRUE(form.canBrowseDataDirectory());
    writeBytes(f.data.file("Notiz.txt"), "x");
    EXPECT_TRUE(form.canBrowseDataDirectory());
    writeBytes(f.data.file("Max_Muster2024.azr"), "x");
    EXPECT_FALSE(form.canBrowseDataDirectory());

    const IoSelect logo = form.logoSelection();
    EXPECT_EQ(logo.title(), "Datei mit Logo öffnen");
    EXPECT_EQ(logo.filters().front().label, "Bitmap (*.bmp)");
}

} // namespace
} // namespace lorvan

namespace lorvan {
namespace {

TEST(GeneralSettings, SpreadsheetProgramIsKeptPerUser) {
    SettingsFixture f;
    EXPECT_EQ(storedSpreadsheetProgram(f.store), SpreadsheetProgram::Excel) << "Excel without an entry";
    GeneralSettingsForm form(f.app, f.environment);
    EXPECT_EQ(form.spreadsheetProgram(), SpreadsheetProgram::Excel);
    form.setSpreadsheetProgram(SpreadsheetProgram::Calc);
    EXPECT_EQ(form.confirm(f.prompter), GeneralSettingsField::None);
    EXPECT_EQ(f.store.readString("Settings", "Tabellenprogramm", ""), "OpenOffice");
    EXPECT_EQ(GeneralSettingsForm(f.app, f.environment).spreadsheetProgram(), SpreadsheetProgram::Calc);
    EXPECT_EQ(readFile(f.dataDirectory() + "Lorvan.ini").find("Tabellenprogramm"), std::string::npos)
        << "the choice belongs to the computer, not to the shared data directory";
}

} // namespace
} // namespace lorvan
