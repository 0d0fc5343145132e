#include "potential/potential_files.h"

#include "foundation/calendar.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lorvan {
namespace {

using test::ScriptedPrompter;
using test::TempDir;

PotentialYear yearOf(int32_t year, int32_t firstWeek, int32_t lastWeek) {
    PotentialYear y;
    y.year = year;
    y.firstWeek = firstWeek;
    y.lastWeek = lastWeek;
    return y;
}

TEST(PotentialWeekText, AcceptsAtMostTwoWeekDigitsAndFourYearDigitsFrom2018) {
    struct Case {
        const char* text;
        std::optional<CalendarWeek> expected;
    };
    const Case cases[] = {
        {"5/2024", CalendarWeek{5, 2024}},  {"05/2024", CalendarWeek{5, 2024}}, {"53/2026", CalendarWeek{53, 2026}},
        {"01/2018", CalendarWeek{1, 2018}}, {"005/2024", std::nullopt},         {"05/24", std::nullopt},
        {"05/2017", std::nullopt},          {"00/2024", std::nullopt},          {"54/2024", std::nullopt},
        {"052024", std::nullopt},           {"ab/2024", std::nullopt},          {"05/20245", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseCalendarWeek(c.text), c.expected) << c.text;
}

TEST(PotentialWeekText, RangeAcrossTheYearTakesTheLastWeeksOfTheFirstYear) {
    const std::vector<YearWeeks> years = weeksByYear({52, 2024}, {2, 2025});
    ASSERT_EQ(years.size(), 2u);
    EXPECT_EQ(years[0].year, 2024);
    EXPECT_EQ(years[0].firstWeek, 52);
    EXPECT_EQ(years[0].lastWeek, 53);
    EXPECT_EQ(years[1].year, 2025);
    EXPECT_EQ(years[1].firstWeek, 1);
    EXPECT_EQ(years[1].lastWeek, 2);
    EXPECT_EQ(mondayOfWeek({1, 2025}), (Datum{30, 12, 2024}));
    EXPECT_EQ(mondayOfWeek({5, 2024}), (Datum{29, 1, 2024}));
}

TEST(PotentialFileNames, YearAndWeekPartsAreReplaced) {
    EXPECT_EQ(yearFileName("/d/2024/pze2024.csv", 2024, 2024, "X").candidates,
              std::vector<std::string>{"/d/2024/pze2024.csv"});
    EXPECT_EQ(yearFileName("/d/2024/pze2024.csv", 2024, 2025, "X").candidates,
              std::vector<std::string>{"/d/2025/pze2025.csv"});
    EXPECT_EQ(yearFileName("/d/index.csv", 2024, 2025, "Die Indexdatei mit Fehlverhalten").error,
              "Die Indexdatei mit Fehlverhalten für '2025' konnte nicht bestimmt werden, da '2024' nicht im "
              "Dateinamen '/d/index.csv' gefunden wurde.");

    // The lower-cased path first, then the path as written with only the week part changed.
    EXPECT_EQ(weekFileName("/Daten/Maschine/KW05.csv", {5, 2024}, {6, 2024}).candidates,
              (std::vector<std::string>{"/daten/maschine/kw06.csv", "/Daten/Maschine/KW06.csv"}));
    EXPECT_EQ(weekFileName("/Daten/Maschine/KW05.csv", {5, 2024}, {5, 2024}).candidates,
              std::vector<std::string>{"/Daten/Maschine/KW05.csv"});
    EXPECT_EQ(weekFileName("/m/2024/kw52.csv", {52, 2024}, {1, 2025}).candidates,
              std::vector<std::string>{"/m/2025/kw01.csv"});
    EXPECT_EQ(weekFileName("/m/woche5.csv", {5, 2024}, {6, 2024}).error,
              "Die Maschine-Mitarbeiter-Auswertungsdatei für Woche 'kw06' konnte nicht bestimmt werden, da 'kw05' "
              "nicht im Dateinamen '/m/woche5.csv' gefunden wurde.");
    EXPECT_EQ(weekFileName("/m/kw52.csv", {52, 2024}, {1, 2025}).error,
              "Die Maschine-Mitarbeiter-Auswertungsdatei für Woche 'kw01' konnte nicht bestimmt werden, da '2024' "
              "nicht im Dateinamen '/m/kw52.csv' gefunden wurde.");
}

const char* const kPzeText = ";Auswertung PZE/BDE;2024;x\r\n"
                             "\r\n"
                             "Kopf\r\n"
                             ";;KW05;;;;;KW06;;;;\r\n"
                             ";;PZE;BDE;Pause;?;FZ;PZE;BDE;Pause;?;FZ\r\n"
                             "\r\n"
                             "1;Maier Anna;38,5;30,0;2,5;x;1,0;40;35;3;y;2\r\n"
                             "\r\n"
                             "2;;9;9;9;9;9\r\n"
                             "3;Berg, Jan;1;2;3;4;5\r\n";

TEST(PotentialPzeBde, WeekColumnsGiveFiveFieldsPerEmployee) {
    ScriptedPrompter prompter;
    PotentialYear year = yearOf(2024, 5, 6);
    readPzeBdeText(kPzeText, "/p.csv", year, prompter);
    EXPECT_TRUE(prompter.texts().empty());
    EXPECT_EQ(year.entries.size(), 2u);
    const PotentialEntry* anna = year.find("Maier, Anna");
    ASSERT_NE(anna, nullptr);
    EXPECT_EQ(anna->name, "Maier Anna");
    EXPECT_EQ(year.pzeValues(*anna, 5), (std::vector<std::string>{"38,5", "30,0", "2,5", "x", "1,0"}));
    EXPECT_EQ(year.pzeValues(*anna, 6), (std::vector<std::string>{"40", "35", "3", "y", "2"}));
    EXPECT_EQ(year.pzeValues(*year.find("Berg, Jan"), 6), std::vector<std::string>(5));

    // A week outside the range gets no column.
    PotentialYear onlySix = yearOf(2024, 6, 6);
    readPzeBdeText(kPzeText, "/p.csv", onlySix, prompter);
    EXPECT_EQ(onlySix.weekColumns, (std::map<int32_t, int32_t>{{6, 8}}));
}

TEST(PotentialPzeBde, WrongFormStopsTheReadingAndKeepsWhatWasRead) {
    const std::string wrongFormat = "Der Import der PZE/BDE-Datei wird abgebrochen.\nFalsches Dateiformat.\n";
    struct Case {
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {";Auswertung BDE;2024;x\n", wrongFormat + "Erwartet wird in Zeile 1 und Spalte 2 'Auswertung PZE/BDE'\n\n"
                                                   "/p.csv\nZeile 1:\n;Auswertung BDE;2024;x\n"},
        {";Auswertung PZE/BDE;2024\n", wrongFormat + "Erwartet wird in Zeile 1 und Spalte 2 'Auswertung PZE/BDE'\n\n"
                                                     "/p.csv\nZeile 1:\n;Auswertung PZE/BDE;2024\n"},
        {";Auswertung PZE/BDE;2023;x\n",
         wrongFormat + "Erwartet wird in Zeile 1 und Spalte 3 das Jahr der Datei. Gefunden: '2023'\n\n"
                       "/p.csv\nZeile 1:\n;Auswertung PZE/BDE;2023;x\n"},
        {";Auswertung PZE/BDE;2024;x\n\n\n;KW05;;;;;\n;a;b\n",
         wrongFormat + "Die Anzahl der Spalten ist in Zeile 5 kleiner als in Zeile 4\n\n/p.csv\nZeile 5:\n;a;b\n"},
        {";Auswertung PZE/BDE;2024;x\n\n\n;\"KW05;x\n",
         "Der Import der PZE/BDE-Datei wird abgebrochen wegen Fehlern beim Einlesen der Wochenzeile.\n"
         "Bei Feld 2 fehlt der abschließende Feldbegrenzer:\n\"KW05;x\n'\n\n/p.csv\nZeile 4:\n;\"KW05;x\n"},
    };
    for (const Case& c : cases) {
        ScriptedPrompter prompter;
        PotentialYear year = yearOf(2024, 5, 6);
        readPzeBdeText(c.text, "/p.csv", year, prompter);
        EXPECT_EQ(prompter.texts(), std::vector<std::string>{c.message}) << c.text;
    }

    // An employee line that cannot be split ends the reading; the employees before it stay.
    ScriptedPrompter prompter;
    PotentialYear year = yearOf(2024, 5, 6);
    readPzeBdeText(std::string(kPzeText) + "4;\"Wolf;1\n5;Kern;1\n", "/p.csv", year, prompter);
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Der Import der PZE/BDE-Datei wird abgebrochen.\nBei Feld 2 "
                                                         "fehlt der abschließende Feldbegrenzer:\n\"Wolf;1\n'\n\n"
                                                         "/p.csv\nZeile 11:\n4;\"Wolf;1\n"});
    EXPECT_NE(year.find("Berg, Jan"), nullptr);
    EXPECT_EQ(year.find("Kern"), nullptr);
}

TEST(PotentialMachine, SumsTheThreeKindsPerEmployeeColumn) {
    const char* text = "Maschinenauswertung\n"
                       "\n"
                       ";Maier Anna;Gesamtergebnis;Berg Jan\n"
                       "C-Summe;99;99;99\n"
                       "C-Fräsen;1,5;9;0\n"
                       "W-Drehen;2;9\n"
                       "I-W-Prüfen;0,25;9;abc\n"
                       "C-Bohren;0,5;1;4\n"
                       "X-Anderes;7;7;7\n";
    ScriptedPrompter prompter;
    PotentialYear year = yearOf(2024, 5, 6);
    readMachineText(text, "/kw05.csv", 5, year, prompter);
    EXPECT_TRUE(prompter.texts().empty());
    const PotentialEntry& anna = year.entries.at("Maier Anna");
    EXPECT_EQ(anna.machineColumn, 2);
    EXPECT_DOUBLE_EQ(anna.weekSums.at(5).c, 2.0);
    EXPECT_DOUBLE_EQ(anna.weekSums.at(5).w, 2.0);
    EXPECT_DOUBLE_EQ(anna.weekSums.at(5).iw, 0.25);
    EXPECT_DOUBLE_EQ(year.entries.at("Berg Jan").weekSums.at(5).c, 4.0);
    EXPECT_EQ(year.entries.count("Gesamtergebnis"), 0u);

    ScriptedPrompter broken;
    readMachineText("a\nb\n;\"Maier\n", "/kw05.csv", 5, year, broken);
    EXPECT_EQ(broken.texts(), std::vector<std::string>{
                                  "Der Import der Maschine-Mitarbeiter-Datei wird abgebrochen wegen Fehlern beim "
                                  "Einlesen der Mitarbeiterzeile.\nBei Feld 2 fehlt der abschließende "
                                  "Feldbegrenzer:\n\"Maier\n'\n\n/kw05.csv\nZeile 3:\n;\"Maier\n"});
}

const char* const kIndexText = "Bericht\n"
                               "Jahr;Index;Personalnummer;A;B;C;D;Datum;x;Grund;y;Protokoll\n"
                               "2024;1;7;Zu spät;Tor;Früh;Ja;31.01.2024;;Verschlafen;;Prot1\n"
                               "2023;9;7;alt;alt;alt;alt;31.01.2023;;alt;;alt\n"
                               "2024;2;7;Pause;Halle;Spät;Nein;02.02.2024;;Lange Pause;;Prot2\n"
                               "2024;3;7;a;b;c;d;10.06.2024;;r;;p\n"
                               "2024;4;8;a;b;c;d;05.02.2025;;r;;p\n";

TEST(PotentialMisconduct, LinesOfTheYearArePerNumberAndWeekInFileOrder) {
    ScriptedPrompter prompter;
    PotentialYear year = yearOf(2024, 5, 6);
    readMisconductText(kIndexText, "/index.csv", year, prompter);
    // A date of another year only warns; its week counts.
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Es steht ein Datum 05.02.2025 mit dem falschen Jahr in der "
                                                         "Datei.\n/index.csv\nZeile 7:\n2024;4;8;a;b;c;d;05.02.2025;;"
                                                         "r;;p\n"});
    const std::vector<MisconductEntry>* week5 = year.misconductOf(7, 5);
    ASSERT_NE(week5, nullptr);
    ASSERT_EQ(week5->size(), 2u);
    EXPECT_EQ((*week5)[0].misconduct, "Zu spät-Tor-Früh-Ja");
    EXPECT_EQ((*week5)[0].reason, "Verschlafen");
    EXPECT_EQ((*week5)[1].protocol, "Prot2");
    EXPECT_NE(year.misconductOf(8, 6), nullptr);
    EXPECT_EQ(year.misconduct.size(), 2u);
}

TEST(PotentialMisconduct, MissingHeadingAndBadNumbersAreReported) {
    ScriptedPrompter prompter;
    PotentialYear year = yearOf(2024, 5, 6);
    readMisconductText("Index;Personalnummer\n2024;1;7;a;b;c;d;31.01.2024\n", "/index.csv", year, prompter);
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{
                                    "Der Inhalt der Indexdatei mit Fehlverhalten kann nicht gelesen werden.\nFalsches "
                                    "Dateiformat.\nErwartet wird eine Überschriftenzeile, die beginnt mit: "
                                    "Index;Personalnummer\n\n/index.csv\n"});
    EXPECT_TRUE(year.misconduct.empty());

    // A personnel number that reads as 0 stops the reading; the lines before it stay.
    ScriptedPrompter numbers;
    readMisconductText("Jahr;Index;Personalnummer\n2024;1;7;a;b;c;d;31.01.2024\n2024;2;x7;a;b;c;d;31.01.2024\n"
                       "2024;3;7;a;b;c;d;01.02.2024\n",
                       "/index.csv", year, numbers);
    EXPECT_EQ(numbers.texts(), std::vector<std::string>{"Die Personalnummer ist im falschen Format x7\n/index.csv\n"
                                                        "Zeile 3:\n2024;2;x7;a;b;c;d;31.01.2024\n"});
    ASSERT_NE(year.misconductOf(7, 5), nullptr);
    EXPECT_EQ(year.misconductOf(7, 5)->size(), 1u);
}

TEST(PotentialFiles, WeekFilesInAFolderWithCapitalsAreFoundOnACaseSensitiveFileSystem) {
    TempDir dir;
    const std::filesystem::path folder = dir.path() / "Maschine";
    std::filesystem::create_directories(folder);
    const std::string employees = "x\n\n;Maier Anna\n\n";
    test::writeBytes((folder / "KW05.csv").string(), employees + "C-a;1\n");
    test::writeBytes((folder / "KW06.csv").string(), employees + "C-a;2\n");
    ScriptedPrompter prompter;
    const auto years = readPotentialFiles({5, 2024}, {7, 2024}, {"", (folder / "KW05.csv").string(), ""}, prompter);
    const PotentialEntry& anna = years.at(2024).entries.at("Maier Anna");
    EXPECT_DOUBLE_EQ(anna.weekSums.at(5).c, 1.0);
    EXPECT_DOUBLE_EQ(anna.weekSums.at(6).c, 2.0);
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Die Maschine-Mitarbeiter-Auswertungsdatei für Woche 'kw07' "
                                                         "wurde nicht gefunden: '" +
                                                         (folder / "KW07.csv").string() + "'"});
}

} // namespace
} // namespace lorvan
