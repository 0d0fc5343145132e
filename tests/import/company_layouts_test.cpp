#include "import/company_layouts.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace lorvan {
namespace {

std::string sampleText(const std::string& name) {
    std::ifstream in(std::string(LORVAN_TEST_DATA) + "/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A record in one line: line number, employee, department, date, then "A:" and the absence code or
// from-to, and the warning ("W:") and error ("E:") when there are any.
std::string describe(const LayoutRecord& r) {
    std::string text = std::to_string(r.lineNumber) + "|" + r.employee + "|" + r.department + "|" + r.date + "|";
    text += r.isAbsence ? "A:" + r.absenceCode : r.from + "-" + r.to;
    if (!r.duration.empty() || !r.pause.empty()) text += "|D:" + r.duration + "|P:" + r.pause;
    if (!r.warning.empty()) text += "|W:" + r.warning;
    if (!r.error.empty()) text += "|E:" + r.error;
    return text;
}

std::vector<std::string> describe(const LayoutReading& reading) {
    std::vector<std::string> lines;
    for (const LayoutRecord& r : reading.records) lines.push_back(describe(r));
    return lines;
}

// ----- The absence table -----

constexpr const char* kNoYear = "Die Jahreszahl wurde im Dateinamen nicht gefunden. Der Import wird abgebrochen.\n";
constexpr const char* kBadDayLine = "Der Import wird abgebrochen wegen Fehlern beim Einlesen der Zeile mit ;Tag;.";
constexpr const char* kBadDateLine = "Der Import wird abgebrochen wegen Fehlern beim Einlesen der Datumszeile.";
constexpr const char* kNoRemainingVacation = "Der Import wird abgebrochen, weil die Spalte mit dem Text Resturlaub "
                                             "nicht in der Zeile vor den Datumswerten gefunden wurde.";
constexpr const char* kNoDateLine = "Falsches Dateiformat. Erwartet wird ;Datum;";

constexpr const char* kTableHead = "Nr;Name;Abteilung;Resturlaub;Tag;30;31;1\n"
                                   ";;;;Datum;30.12.;31.12.;01.01.\n";

TEST(CompanyAbsences, SampleFileGivesOneRecordPerEmployeeAndDateColumn) {
    const LayoutReading reading =
        readCompanyAbsences(sampleText("import_company_absences_2026.csv"), "/daten/import_company_absences_2026.csv");
    EXPECT_EQ(reading.stop, "");
    const std::vector<std::string> expected = {
        "5|4711|Produktion|28.12.2026|A:U",
        "5|4711|Produktion|29.12.2026|A:U",
        "5|4711|Produktion|30.12.2026|A:U",
        "5|4711|Produktion|31.12.2026|A:U",
        "5|4711|Produktion|01.01.2027|A:F",
        "5|4711|Produktion|02.01.2027|A:",
        "6|Jörg Weiß|Lager|28.12.2026|A:",
        "6|Jörg Weiß|Lager|29.12.2026|A:K",
        "6|Jörg Weiß|Lager|30.12.2026|A:K",
        "6|Jörg Weiß|Lager|31.12.2026|A:",
        "6|Jörg Weiß|Lager|01.01.2027|A:F",
        "6|Jörg Weiß|Lager|02.01.2027|A:UH",
        "8|4712|Vertrieb Innendienst|28.12.2026|A:",
        "8|4712|Vertrieb Innendienst|29.12.2026|A:",
        "8|4712|Vertrieb Innendienst|30.12.2026|A:",
        "8|4712|Vertrieb Innendienst|31.12.2026|A:",
        "8|4712|Vertrieb Innendienst|01.01.2027|A:F",
        "8|4712|Vertrieb Innendienst|02.01.2027|A:",
        "8|4712|Vertrieb Innendienst|03.01.2027|A:ZA",
    };
    EXPECT_EQ(describe(reading), expected);
    ASSERT_EQ(reading.records.size(), expected.size());
    EXPECT_EQ(reading.records.front().lineText, "4711;Berger, Anna;Produktion;12,5;;U;U;U;U;F;;");
    // A quoted field that goes on in the next line: the record keeps both lines.
    EXPECT_EQ(reading.records.back().lineText, "4712;Claudia Roth;\"Vertrieb\nInnendienst\";0;;;;;;F;;ZA");
}

TEST(CompanyAbsences, YearComesFromTheFirstFourDigitRunOfTheFileName) {
    const struct {
        const char* fileName;
        const char* firstDate; // nullptr: no year found
    } cases[] = {
        {"Fehlzeiten_2026.csv", "30.12.2026"},
        {"C:\\Export\\Fehlzeiten 1999.csv", "30.12.1999"},
        {"Abw_12345_2027.csv", "30.12.2027"},     // five digits are no year
        {"Plan_03_2026-01.csv", "30.12.2026"},
        {"Plan_2026_2030.csv", "30.12.2026"},     // the first one counts
        {"Plan_20260315.csv", nullptr},          // eight digits are no year
        {"/daten/2026/Fehlzeiten.csv", nullptr}, // folders do not count
        {"Plan_1899_2100.csv", nullptr},         // outside 1900-2099
        {"", nullptr},
    };
    const std::string text = std::string(kTableHead) + "4711;;;;;U;;;\n";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fileName);
        const LayoutReading reading = readCompanyAbsences(text, c.fileName);
        if (!c.firstDate) {
            EXPECT_EQ(reading.stop, kNoYear);
            EXPECT_TRUE(reading.records.empty());
            continue;
        }
        EXPECT_EQ(reading.stop, "");
        ASSERT_EQ(reading.records.size(), 3u);
        EXPECT_EQ(reading.records[0].date, c.firstDate);
    }
}

TEST(CompanyAbsences, BrokenHeaderStopsTheImportBeforeAnyRecord) {
    const struct {
        const char* text;
        const char* stop;
    } cases[] = {
        {"", kBadDayLine},
        {"Nr;Name;Abteilung;Resturlaub;Datum;01.01.\n4711;;;;;U\n", kBadDayLine},  // no ";Tag;" line
        {"Nr;Name;Tag;Resturlaub;Tage;1\n;;;;Datum;01.01.\n", kBadDayLine},       // "Tag" not in column 5
        {"Nr;Name;Abteilung;Resturlaub;Tag\n;;;;Datum\n", kBadDayLine},           // "Tag" ends the line
        {"Titel;Tag;\nNr;Name;Abteilung;Resturlaub;Tag;1\n;;;;Datum;01.01.\n", kBadDayLine}, // the first one counts
        {"Nr;Name;Abteilung;Resturlaub;Tag;\n;;;;Datum;\n", kBadDayLine},         // no day numbers
        {"Nr;Name;Abteilung;Resturlaub;Tag;1;32\n;;;;Datum;01.01.;02.01.\n", kBadDayLine},
        {"Nr;Name;Abteilung;Resturlaub;Tag;1;;3\n;;;;Datum;01.01.;;03.01.\n", kBadDayLine},
        {"Nr;Name;Abteilung;Resturlaub;Tag;1;2a\n;;;;Datum;01.01.;02.01.\n", kBadDayLine},
        {"Nr;Name;Abteilung;Resturlaub;Tag;1\n", kNoDateLine},
        {"Nr;Name;Abteilung;Resturlaub;Tag;1\n4711;;;;;U\n", kNoDateLine},
        {"Nr;Name;Abteilung;Resturlaub;Tag;1\n;;;;Daten;01.01.\n", kNoDateLine},
        {"Nr;Name;Abteilung;Urlaub;Tag;1\n;;;;Datum;01.01.\n", kNoRemainingVacation},
        {"Nr;Name;Resturlaub;Abteilung;Tag;1\n;;;;Datum;01.01.\n", kNoRemainingVacation},
        {"Nr;Name;Abteilung;Resturlaub;Tag;1;2\n;;;;Datum;01.01.\n", kBadDateLine},               // a date missing
        {"Nr;Name;Abteilung;Resturlaub;Tag;1\n;;;;Datum;01.01.;02.01.\n", kBadDateLine},          // one too many
        {"Nr;Name;Abteilung;Resturlaub;Tag;1\n;;;;;Datum;01.01.\n", kBadDateLine},                 // label moved
        {"Nr;Name;Abteilung;Resturlaub;Tag;2\n;;;;Datum;01.01.\n", kBadDateLine},                 // other day
        {"Nr;Name;Abteilung;Resturlaub;Tag;29\n;;;;Datum;29.02.\n", kBadDateLine},                // 2026 has none
        {"Nr;Name;Abteilung;Resturlaub;Tag;1\n;;;;Datum;01.13.\n", kBadDateLine},
        {"Nr;Name;Abteilung;Resturlaub;Tag;1\n;;;;Datum;1-1\n", kBadDateLine},
        {"Nr;Name;Abteilung;Resturlaub;Tag;1\n;;;;Datum;01.01.2026\n", kBadDateLine},
        {"Nr;Name;Abteilung;Resturlaub;Tag;2;1\n;;;;Datum;02.01.;01.01.\n", kBadDateLine},        // backwards
        {"Nr;Name;Abteilung;Resturlaub;Tag;1;1\n;;;;Datum;01.01.;01.01.\n", kBadDateLine},        // twice
        {"Nr;Name;Abteilung;Resturlaub;Tag;1;1;1\n;;;;Datum;01.12.;01.01.;01.01.\n", kBadDateLine},
        {"Nr;Name;Abteilung;Resturlaub;Tag;1;1;31;1\n;;;;Datum;01.12.;01.01.;31.12.;01.01.\n", kBadDateLine}, // 2 changes
        {"Nr;Name;Abteilung;Resturlaub;Tag;1\n;;;;Datum;\"01.01.\n", kBadDateLine},               // open quote
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const LayoutReading reading = readCompanyAbsences(c.text, "Fehlzeiten_2026.csv");
        EXPECT_EQ(reading.stop, c.stop);
        EXPECT_TRUE(reading.records.empty());
    }
}

TEST(CompanyAbsences, HeaderFormsThatAreAccepted) {
    const struct {
        std::string head;
        std::vector<std::string> dates;
    } cases[] = {
        // Trailing empty columns, a date without its final dot, one-digit numbers, any case of Resturlaub.
        {"Nr;Name;Abteilung;RESTURLAUB;Tag;1;2;;\n;;;;Datum;1.1;02.01.;;\n", {"01.01.2026", "02.01.2026"}},
        // Titles before the ";Tag;" line and blank lines between it and the date line.
        {"Plan;2026\n\nNr;Name;Abteilung;Resturlaub;Tag;9\n\n  \n;;;;Datum;09.03.\n", {"09.03.2026"}},
        // The dates run into the next year once.
        {"Nr;Name;Abteilung;Resturlaub;Tag;31;1;28\n;;;;Datum;31.12.;01.01.;28.02.\n",
         {"31.12.2026", "01.01.2027", "28.02.2027"}},
        // Windows line ends and a byte order mark.
        {"\xEF\xBB\xBFNr;Name;Abteilung;Resturlaub;Tag;1\r\n;;;;Datum;01.01.\r\n", {"01.01.2026"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.head);
        std::string employeeLine = "4711;;;;";
        for (size_t i = 0; i < c.dates.size(); ++i) employeeLine += ";U";
        const LayoutReading reading = readCompanyAbsences(c.head + employeeLine + "\r\n", "F_2026.csv");
        EXPECT_EQ(reading.stop, "");
        std::vector<std::string> dates;
        for (const LayoutRecord& r : reading.records) dates.push_back(r.date);
        EXPECT_EQ(dates, c.dates);
    }
}

TEST(CompanyAbsences, EmployeeLines) {
    const std::string text = std::string(kTableHead) +
                             "4711;Berger, Anna;Produktion;2;x; U ;k\n"      // number before name; codes trimmed
                             ";Weiß;;;;;;EZ\n"                                // name when there is no number
                             ";;Lager;;;U;;\n"                                // neither: an error
                             "4713;Roth;;;;;;;U\n"                            // a code beyond the dates
                             "4714;Kurz;;;;U\n"                              // short: no record after its end
                             ";;;;;;;\n"                                      // empty columns only: skipped
                             "4715;\"Lang\n\nName\";;;;F;;\n"                 // continued over two more lines
                             "4716;Ende;;;;\"U;\n";                           // quote never closed
    const LayoutReading reading = readCompanyAbsences(text, "Fehlzeiten_2026.csv");
    EXPECT_EQ(reading.stop, "");
    const std::vector<std::string> expected = {
        "3|4711|Produktion|30.12.2026|A:U",
        "3|4711|Produktion|31.12.2026|A:k",
        "4|Weiß||30.12.2026|A:",
        "4|Weiß||31.12.2026|A:",
        "4|Weiß||01.01.2027|A:EZ",
        "5||Lager||A:|E:Die Zeile enthält weder eine Personalnummer noch einen Namen.\n",
        "6|4713|||A:|E:Die Zeile enthält mehr Spalten als die Datumszeile.\n",
        "7|4714||30.12.2026|A:U",
        "9|4715||30.12.2026|A:F",
        "9|4715||31.12.2026|A:",
        "12||||A:|E:Bei Feld 6 fehlt der abschließende Feldbegrenzer \":\n\"U\n",
    };
    EXPECT_EQ(describe(reading), expected);
}

// ----- The clock-event export -----

constexpr const char* kPage = "Mitarbeiter :;4711;Berger, Anna;Produktion\n"
                              "Datum von;01.03.2026;bis;31.03.2026\n"
                              "Datum;Status;Meldezeitpunkt;Stunden;davon \"Nacht\"-Stunden\n";

TEST(CompanyTimes, SampleFileGivesTheWorkPeriodsAndTheirFindings) {
    const LayoutReading reading = readCompanyTimes(sampleText("import_company_times.txt"));
    EXPECT_EQ(reading.stop, "");
    const std::vector<std::string> expected = {
        "6|4711|Produktion|02.03.2026|07:58-12:01",
        "8|4711|Produktion|02.03.2026|12:31-16:30",
        "10|4711|Produktion|03.03.2026|22:00-30:00|W:Arbeitszeit über Mitternacht: 03.03.2026 22:00 - 04.03.2026 06:00\n",
        "12|4711|Produktion|05.03.2026|06:00-10:00",
        "14|4711|Produktion|05.03.2026|13:00-19:30|W:Lange Übergangszeit 180 Minuten zwischen: 10:00 und 13:00\n"
        "Arbeitszeit überschreitet gesetzliche Maximaldauer 10.50 Stunden\n",
        "22|4712|Vertrieb|02.03.2026|08:00-16:00",
        "24|4712|Vertrieb|03.03.2026|-16:00|E:Startzeit fehlt für Bis: 03.03.2026 16:00",
        "25|4712|Vertrieb|04.03.2026|08:00-|E:Endezeit fehlt",
        "26|4712|Vertrieb|04.03.2026|09:00-12:00",
        "28|4712|Vertrieb|04.03.2026|-12:05|E:Zwei Endezeiten nacheinander: 04.03.2026 12:00 und 12:05",
        "29|4712|Vertrieb|06.03.2026|08:00-|W:Mitarbeiter: Claudia Roth\nTag: 06.03.2026\n|E:Tag nicht beendet.\n",
    };
    EXPECT_EQ(describe(reading), expected);
    ASSERT_EQ(reading.records.size(), expected.size());
    EXPECT_EQ(reading.records.front().lineText, "02.03.2026;Kommt;07:58;;");
    // The protocol puts the warning before the error: the day that was not finished reads as one text.
    const LayoutRecord& unfinished = reading.records.back();
    EXPECT_EQ(unfinished.warning + "FEHLER: " + unfinished.error,
              "Mitarbeiter: Claudia Roth\nTag: 06.03.2026\nFEHLER: Tag nicht beendet.\n");
}

TEST(CompanyTimes, EventsBecomeWorkPeriods) {
    const struct {
        const char* name;
        const char* events; // the lines after kPage, which ends at line 3
        std::vector<std::string> records;
    } cases[] = {
        {"events are put in time order first",
         "02.03.2026;Geht;16:00\n02.03.2026;Kommt;08:00\n",
         {"5|4711|Produktion|02.03.2026|08:00-16:00"}},
        {"seconds are dropped, the case of the status does not matter, one-digit hours",
         "02.03.2026;KOMMT;7:05:59\n02.03.2026;geht;15:59:01\n",
         {"4|4711|Produktion|02.03.2026|07:05-15:59"}},
        {"leaving at 24:00 stays on the day",
         "02.03.2026;Kommt;16:00\n02.03.2026;Geht;24:00\n",
         {"4|4711|Produktion|02.03.2026|16:00-24:00"}},
        {"over midnight up to just below 24 hours",
         "02.03.2026;Kommt;06:00\n03.03.2026;Geht;05:59\n",
         {"4|4711|Produktion|02.03.2026|06:00-29:59|W:Arbeitszeit über Mitternacht: 02.03.2026 06:00 - 03.03.2026 05:59\n"
          "Arbeitszeit überschreitet gesetzliche Maximaldauer 23.98 Stunden\n"}},
        {"24 hours or more: no end and no start",
         "02.03.2026;Kommt;06:00\n03.03.2026;Geht;06:00\n",
         {"4|4711|Produktion|02.03.2026|06:00-|E:Endezeit fehlt",
          "5|4711|Produktion|03.03.2026|-06:00|E:Startzeit fehlt für Bis: 03.03.2026 06:00"}},
        {"leaving two days later",
         "02.03.2026;Kommt;22:00\n04.03.2026;Geht;01:00\n",
         {"4|4711|Produktion|02.03.2026|22:00-|E:Endezeit fehlt",
          "5|4711|Produktion|04.03.2026|-01:00|E:Startzeit fehlt für Bis: 04.03.2026 01:00"}},
        {"a leaving after the previous day's leaving has no start",
         "02.03.2026;Kommt;08:00\n02.03.2026;Geht;16:00\n03.03.2026;Geht;16:00\n",
         {"4|4711|Produktion|02.03.2026|08:00-16:00",
          "6|4711|Produktion|03.03.2026|-16:00|E:Startzeit fehlt für Bis: 03.03.2026 16:00"}},
        {"three leavings in a row on one day",
         "02.03.2026;Geht;08:00\n02.03.2026;Geht;09:00\n02.03.2026;Geht;10:00\n",
         {"4|4711|Produktion|02.03.2026|-08:00|E:Startzeit fehlt für Bis: 02.03.2026 08:00",
          "5|4711|Produktion|02.03.2026|-09:00|E:Zwei Endezeiten nacheinander: 02.03.2026 08:00 und 09:00",
          "6|4711|Produktion|02.03.2026|-10:00|E:Zwei Endezeiten nacheinander: 02.03.2026 09:00 und 10:00"}},
        {"a gap of exactly two hours is no long gap, one more minute is",
         "02.03.2026;Kommt;06:00\n02.03.2026;Geht;08:00\n02.03.2026;Kommt;10:00\n02.03.2026;Geht;11:00\n"
         "02.03.2026;Kommt;13:01\n02.03.2026;Geht;14:00\n",
         {"4|4711|Produktion|02.03.2026|06:00-08:00", "6|4711|Produktion|02.03.2026|10:00-11:00",
          "8|4711|Produktion|02.03.2026|13:01-14:00|W:Lange Übergangszeit 121 Minuten zwischen: 11:00 und 13:01\n"}},
        {"no gap is counted from a period over midnight to the next day",
         "02.03.2026;Kommt;22:00\n03.03.2026;Geht;02:00\n03.03.2026;Kommt;20:00\n03.03.2026;Geht;21:00\n",
         {"4|4711|Produktion|02.03.2026|22:00-26:00|W:Arbeitszeit über Mitternacht: 02.03.2026 22:00 - 03.03.2026 02:00\n",
          "6|4711|Produktion|03.03.2026|20:00-21:00"}},
        {"exactly ten hours on a day are allowed, one minute more is not",
         "02.03.2026;Kommt;06:00\n02.03.2026;Geht;12:00\n02.03.2026;Kommt;12:30\n02.03.2026;Geht;16:30\n"
         "03.03.2026;Kommt;06:00\n03.03.2026;Geht;16:01\n",
         {"4|4711|Produktion|02.03.2026|06:00-12:00", "6|4711|Produktion|02.03.2026|12:30-16:30",
          "8|4711|Produktion|03.03.2026|06:00-16:01|W:Arbeitszeit überschreitet gesetzliche Maximaldauer 10.02 Stunden\n"}},
        {"a coming and leaving in the same minute is a period without length",
         "02.03.2026;Kommt;08:00\n02.03.2026;Geht;08:00\n",
         {"4|4711|Produktion|02.03.2026|08:00-08:00"}},
        {"a page break in the middle of a period",
         "02.03.2026;Kommt;08:00\nSeite 1;;\nMitarbeiter :;4711;Berger, Anna;Produktion\n"
         "Datum;Status;Meldezeitpunkt;Stunden;davon \"Nacht\"-Stunden\n02.03.2026;Geht;16:00;8,00\n",
         {"4|4711|Produktion|02.03.2026|08:00-16:00"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const LayoutReading reading = readCompanyTimes(std::string(kPage) + c.events + "Endsumme;;;;\n");
        EXPECT_EQ(reading.stop, "");
        EXPECT_EQ(describe(reading), c.records);
    }
}

TEST(CompanyTimes, PagesAndLinesThatAreNotRead) {
    const struct {
        const char* name;
        const char* text;
        std::vector<std::string> records;
    } cases[] = {
        {"an employee with a name only; titles, sums and footers are passed over",
         "Buchungsliste\n\nMitarbeiter :;;Weiß, Jörg\nDatum;Status;Meldezeitpunkt\n02.03.2026;Kommt;08:00\n"
         "02.03.2026;;;8,00\n02.03.2026;Geht;16:00\nSeite 1\nEndsumme;;;8,00\nGedruckt am 01.04.2026\n",
         {"5|Weiß, Jörg||02.03.2026|08:00-16:00"}},
        {"two employees, each paired on their own",
         "Mitarbeiter :;1;A\n02.03.2026;Kommt;08:00\nEndsumme\nMitarbeiter :;2;B\n02.03.2026;Geht;16:00\n"
         "Endsumme\n",
         {"2|1||02.03.2026|08:00-|W:Mitarbeiter: A\nTag: 02.03.2026\n|E:Tag nicht beendet.\n",
          "5|2||02.03.2026|-16:00|E:Startzeit fehlt für Bis: 02.03.2026 16:00"}},
        {"bad fields of an event line",
         "Mitarbeiter :;4711\n31.02.2026;Kommt;08:00\n3.2026;Kommt;08:00\n02.03.2026;Pause;08:00\n"
         "02.03.2026;;08:00\n02.03.2026;Kommt;25:61\n02.03.2026;Kommt;\n02.03.2026;Kommt;08:00\n"
         "02.03.2026;Geht;12:00\n",
         {"2|4711|||-|E:Das Datum '31.02.2026' ist ungültig.\n", "3|4711|||-|E:Das Datum '3.2026' ist ungültig.\n",
          "4|4711||02.03.2026|-|E:Unbekannter Status 'Pause'. Erwartet wird Kommt oder Geht.\n",
          "5|4711||02.03.2026|-|E:Unbekannter Status ''. Erwartet wird Kommt oder Geht.\n",
          "6|4711||02.03.2026|-|E:Der Meldezeitpunkt '25:61' ist ungültig.\n",
          "7|4711||02.03.2026|-|E:Der Meldezeitpunkt '' ist ungültig.\n", "8|4711||02.03.2026|08:00-12:00"}},
        {"events outside the page's period; leaving on the day after it closes a night",
         "Mitarbeiter :;4711\nDatum von;02.03.2026;bis;03.03.2026\n01.03.2026;Kommt;08:00\n04.03.2026;Kommt;08:00\n"
         "03.03.2026;Kommt;22:00\n04.03.2026;Geht;06:00\n05.03.2026;Geht;06:00\n",
         {"3|4711||01.03.2026|-|E:Das Datum 01.03.2026 liegt nicht im Zeitraum 02.03.2026 bis 03.03.2026.\n",
          "4|4711||04.03.2026|-|E:Das Datum 04.03.2026 liegt nicht im Zeitraum 02.03.2026 bis 03.03.2026.\n",
          "5|4711||03.03.2026|22:00-30:00|W:Arbeitszeit über Mitternacht: 03.03.2026 22:00 - 04.03.2026 06:00\n",
          "7|4711||05.03.2026|-|E:Das Datum 05.03.2026 liegt nicht im Zeitraum 02.03.2026 bis 03.03.2026.\n"}},
        {"a bad period is an error and checks nothing; the next page has no period",
         "Mitarbeiter :;4711\nDatum von;03.03.2026;bis;02.03.2026\nDatum von;02.03.2026\n01.01.2026;Kommt;08:00\n"
         "01.01.2026;Geht;09:00\n",
         {"2||||-|E:Der Zeitraum ist ungültig. Erwartet wird: Datum von;TT.MM.JJJJ;bis;TT.MM.JJJJ\n",
          "3||||-|E:Der Zeitraum ist ungültig. Erwartet wird: Datum von;TT.MM.JJJJ;bis;TT.MM.JJJJ\n",
          "4|4711||01.01.2026|08:00-09:00"}},
        {"events without an employee",
         "02.03.2026;Kommt;08:00\nMitarbeiter :;;\n02.03.2026;Kommt;08:00\nMitarbeiter :;4711\nEndsumme\n"
         "02.03.2026;Geht;16:00\n02.03.2026;;;8,00\n",
         {"1||||-|E:Die Buchung gehört zu keinem Mitarbeiter (sie steht nicht zwischen einer Zeile mit Mitarbeiter : "
          "und der Endsumme).\n",
          "2||||-|E:In der Zeile mit Mitarbeiter : fehlen Personalnummer und Name.\n",
          "3||||-|E:Die Buchung gehört zu keinem Mitarbeiter (sie steht nicht zwischen einer Zeile mit Mitarbeiter : "
          "und der Endsumme).\n",
          "6||||-|E:Die Buchung gehört zu keinem Mitarbeiter (sie steht nicht zwischen einer Zeile mit Mitarbeiter : "
          "und der Endsumme).\n"}},
        {"a quote that never closes takes the rest of the file",
         "Mitarbeiter :;4711\n02.03.2026;Kommt;08:00\n02.03.2026;\"Geht;16:00\n03.03.2026;Kommt;08:00\n",
         {"2|4711||02.03.2026|08:00-|W:Mitarbeiter: 4711\nTag: 02.03.2026\n|E:Tag nicht beendet.\n",
          "3||||-|E:Bei Feld 2 fehlt der abschließende Feldbegrenzer \":\n\"Geht;16:00 03.03.2026;Kommt;08:00\n"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const LayoutReading reading = readCompanyTimes(c.text);
        EXPECT_EQ(reading.stop, "");
        EXPECT_EQ(describe(reading), c.records);
    }
}

TEST(CompanyTimes, FileWithoutEmployeePageStops) {
    for (const char* text : {"", "Datum;Status;Meldezeitpunkt\n02.03.2026;Kommt;08:00\n", "Mitarbeiter:;4711\n"}) {
        SCOPED_TRACE(text);
        const LayoutReading reading = readCompanyTimes(text);
        EXPECT_EQ(reading.stop, "Falsches Dateiformat. Erwartet wird Mitarbeiter :");
        EXPECT_TRUE(reading.records.empty());
    }
}

} // namespace
} // namespace lorvan
