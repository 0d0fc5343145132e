#include "potential/potential_analysis.h"
#include "potential/potential_form.h"

#include "evaluation/month_evaluation.h"
#include "masterdata/employee_files.h"
#include "platform/clock.h"
#include "platform/user_store.h"
#include "support/fake_browser.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"
#include "support/year_file_builder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace lorvan {
namespace {

using test::ScriptedPrompter;
using test::TempDir;
using test::YearFileBuilder;

CMitarbeiterDoc employee(int32_t number, const std::string& name) {
    CMitarbeiterDoc e;
    e.number = number;
    e.name = name;
    e.department = "Halle";
    e.entryDate = Datum{1, 3, 2019};
    return e;
}

// Mon-Thu 8 h, Fri 5 h; the credited time is the span of the lines.
YearFileBuilder plainYear(const std::string& name, int32_t year) {
    return YearFileBuilder(name, year).settings([](CEinstArbzt& s) {
        s.checkBreakTimes = 0;
        s.enforceCorrectBreakTimes = 0;
        s.enterPublicHolidaysAutomatically = 0;
    });
}

struct PotentialFixture {
    TempDir data;
    ScriptedPrompter prompter;

    std::string dir() const { return data.path().string() + "/"; }
    void save(YearFileBuilder builder) {
        const CEinst& s = builder.doc().settings();
        builder.saveAs(yearFilePath(dir(), s.name, s.year));
    }
    std::string write(const std::string& name, const std::string& text) {
        const std::string path = data.file(name);
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    CReportTable analyse(CalendarWeek from, CalendarWeek to, const std::vector<CMitarbeiterDoc>& employees,
                         const PotentialFiles& files = {}) {
        return analyseWeeks(from, to, files, PotentialSource{dir(), employees}, prompter);
    }
};

// The rows as cell texts by column number; "" where a column stays empty.
std::vector<std::map<int32_t, std::string>> rowsOf(const CReportTable& table) {
    std::vector<std::map<int32_t, std::string>> rows;
    for (const CReportRow& row : table.rows()) {
        std::map<int32_t, std::string> cells;
        for (const auto& [number, column] : table.columns())
            cells[number] = row.cell(number) ? row.cell(number)->text : "";
        rows.push_back(cells);
    }
    return rows;
}

TEST(PotentialDayDeviation, RoundsCreditedTimeDownAndLeavesFreeDaysAlone) {
    CEinstArbzt s;
    s.overtimeRoundingMinutes = 15;
    auto row = [](int32_t credited, int32_t target, const char* code = "", const char* status = "",
                  int32_t absence = 0) {
        DayRow r;
        r.month = 3;
        r.creditedMinutes = credited;
        r.targetMinutes = target;
        r.code = code;
        r.status = status;
        r.creditedAbsenceMinutes = absence;
        return r;
    };
    EXPECT_EQ(potentialDayDeviation(row(500, 480), s), 15);
    EXPECT_EQ(potentialDayDeviation(row(480, 480), s), 0);
    EXPECT_EQ(potentialDayDeviation(row(470, 480), s), -15);
    EXPECT_EQ(potentialDayDeviation(row(0, 480, "U", "", 480), s), 0);
    EXPECT_EQ(potentialDayDeviation(row(0, 480, "", "Keine Zeiten"), s), 0);
    for (const char* code : {"Frei", "NB", "EZ", "KG", "KI"})
        EXPECT_EQ(potentialDayDeviation(row(600, 480, code), s), 0) << code;
    // Absences that do not affect the account in mode "RA": the target counts 0.
    s.keepWorkingTimeAccount = 1;
    s.absencesAffectAccount = 0;
    EXPECT_EQ(potentialDayDeviation(row(120, 480, "F", "", 480), s), 120);
    // A rounding of 0 stored in a file is taken as one minute instead of dividing by zero.
    s.overtimeRoundingMinutes = 0;
    EXPECT_EQ(potentialDayDeviation(row(500, 480), s), 20);
}

TEST(PotentialAnalysis, WeekRowsWithDayCodesRunningValuesAndTheFiles) {
    PotentialFixture f;
    f.save(plainYear("Maier, Anna", 2024)
               .settings([](CEinstArbzt& s) {
                   s.overtimeRoundingMinutes = 15;
                   s.manageRemainingVacation = 1;
                   s.vacationEntitlement = 30;
                   s.remainingVacationPreviousYear = 2;
                   s.unplannedVacationText = "3";
               })
               .day(1, 22).work("7:00", "15:00") // week 4: before the range
               .day(1, 23, kSickWithPay)
               .day(1, 29).work("7:00", "15:00")
               .day(1, 30, kVacation)
               .day(1, 31).work("7:00", "15:20")
               .day(2, 1).work("7:00", "15:00").withDay([](CTagDoc& d) { d.internalRemark = "Messe"; })
               .day(2, 2).withDay([](CTagDoc& d) { d.internalRemark = "Umzug"; })
               .day(2, 12).work("7:00", "15:00")); // week 7: after the range
    const std::string pze = f.write("pze2024.csv", ";Auswertung PZE/BDE;2024;x\n\n\n;;KW05;;;;\n;;P;B;Pa;?;F\n\n"
                                                   "1;Maier Anna;38,5;30,0;2,5;x;1,0\n");
    const std::string machine = f.write("KW05.csv", "\n\n;Maier Anna\n\nC-a;1,5\nW-b;2\nI-W-c;0,25\n");
    const std::string index = f.write("index2024.csv", "Jahr;Index;Personalnummer\n"
                                                       "2024;1;7;Zu spät;Tor;Früh;Ja;31.01.2024;;Verschlafen;;P1\n"
                                                       "2024;2;7;Pause;Halle;Spät;Nein;02.02.2024;;Lange Pause;;P2\n");
    const CReportTable table = f.analyse({5, 2024}, {6, 2024}, {employee(7, "Maier, Anna")}, {pze, machine, index});
    EXPECT_EQ(table.name, "EXPORT");
    ASSERT_EQ(table.columnCount(), 32);
    EXPECT_EQ(table.column(9)->title, "Urlaub gen.(Rest)(ungeplant)");
    EXPECT_EQ(table.column(11)->valueType, kValueText);
    EXPECT_EQ(table.column(12)->valueType, kValueDecimal);
    EXPECT_EQ(table.column(29)->valueType, kValueDecimal);
    EXPECT_EQ(table.column(30)->valueType, kValueText);
    EXPECT_EQ(f.prompter.texts(), std::vector<std::string>{"Die Maschine-Mitarbeiter-Auswertungsdatei für Woche 'kw06' "
                                                           "wurde nicht gefunden: '" +
                                                           f.dir() + "KW06.csv'"});
    const auto rows = rowsOf(table);
    // Week 5 runs from January into February and is one row; week 6 has no entries and no row.
    ASSERT_EQ(rows.size(), 1u);
    const std::map<int32_t, std::string> expected = {
        {1, "7"},
        {2, "Maier, Anna"},
        {3, "Halle"},
        {4, ""},
        {5, "01.03.2019"},
        {6, ""},
        {7, "5"},
        {8, "Messe;Umzug"},
        {9, "1 (31)(3)"},
        {10, "0 (1)"},
        {11, "0 (0)"},
        {12, ""},
        {13, "0,25"},
        {14, ""},
        {15, "U"},
        {16, "0,25"},
        {17, ""},
        {18, ""},
        {19, ""},
        {20, ""},
        {21, ""},
        {22, "38,5"},
        {23, "30,0"},
        {24, "2,5"},
        {25, "x"},
        {26, "1,0"},
        {27, "1,50"},
        {28, "2,00"},
        {29, "0,25"},
        {30, "Zu spät-Tor-Früh-Ja\r\nPause-Halle-Spät-Nein"},
        {31, "Verschlafen\r\nLange Pause"},
        {32, "P1\r\nP2"},
    };
    EXPECT_EQ(rows[0], expected);
}

TEST(PotentialAnalysis, TheBalanceCountsAWeekAcrossTheMonthEndOnce) {
    PotentialFixture f;
    // Week 9 of 2024 runs from Monday 26 February to Sunday 3 March; an hour over each working day.
    f.save(plainYear("Jan Berg", 2024)
               .settings([](CEinstArbzt& s) {
                   s.keepWorkingTimeAccount = 1;
                   s.accountCarryOver = 2.0;
                   s.employeeInCostEvaluation = 1;
                   s.wagePeriods = {WagePeriod{}};
                   s.wagePeriods[0].hourlyWage = 14.5;
               })
               .month(2, [](CMonatDoc& m) { m.accountCorrection = 1.5; })
               .day(2, 26).work("7:00", "16:00")
               .day(2, 27).work("7:00", "16:00")
               .day(2, 28).work("7:00", "16:00")
               .day(2, 29).work("7:00", "16:00")
               .day(3, 1).work("7:00", "13:00")
               .day(3, 4).work("7:00", "14:00"));
    const auto rows = rowsOf(f.analyse({9, 2024}, {10, 2024}, {employee(3, "Jan Berg")}));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].at(7), "9");
    // 2 h carried over + 4 h of February + the correction of 1.5 h + 1 h of March.
    EXPECT_EQ(rows[0].at(12), "8,50");
    EXPECT_EQ(rows[0].at(13), "5,00");
    EXPECT_EQ(rows[0].at(14), "1,00");
    EXPECT_EQ(rows[0].at(18), "1,00");
    EXPECT_EQ(rows[0].at(21), "14,50");
    EXPECT_EQ(rows[1].at(7), "10");
    EXPECT_EQ(rows[1].at(12), "7,50");
    EXPECT_EQ(rows[1].at(13), "-1,00");
}

TEST(PotentialAnalysis, RangeAcrossTheYearReadsTheFilesOfTheNextYear) {
    PotentialFixture f;
    f.save(plainYear("Jan Berg", 2024).day(12, 23).work("7:00", "15:00").day(12, 30, kVacation));
    f.save(plainYear("Jan Berg", 2025).day(1, 2).work("7:00", "16:00").day(1, 6).work("7:00", "15:00"));
    const std::string header = "\n\n\n;;KW01;;;;;KW02;;;;\n;;P;B;Pa;?;F;P;B;Pa;?;F\n\n3;Jan Berg;8;7;1;-;0;9;8;1;-;0\n";
    f.write("pze2024.csv", ";Auswertung PZE/BDE;2024;x" + header);
    f.write("pze2025.csv", ";Auswertung PZE/BDE;2025;x" + header);
    f.write("index.csv", "Jahr;Index;Personalnummer\n");
    const CReportTable table = f.analyse({52, 2024}, {2, 2025}, {employee(3, "Jan Berg")},
                                         {f.dir() + "pze2024.csv", "", f.dir() + "index.csv"});
    EXPECT_EQ(f.prompter.texts(), std::vector<std::string>{"Die Indexdatei mit Fehlverhalten für '2025' konnte nicht "
                                                           "bestimmt werden, da '2024' nicht im Dateinamen '" +
                                                           f.dir() + "index.csv' gefunden wurde."});
    const auto rows = rowsOf(table);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].at(7), "52");
    EXPECT_EQ(rows[1].at(7), "53");
    EXPECT_EQ(rows[1].at(14), "U");
    EXPECT_EQ(rows[2].at(7), "1");
    EXPECT_EQ(rows[2].at(17), "1,00");
    EXPECT_EQ(rows[2].at(22), "8");
    EXPECT_EQ(rows[3].at(7), "2");
    EXPECT_EQ(rows[3].at(22), "9");
}

TEST(PotentialWeekTimes, BeginAndEndPerWeekdayWithAbsenceCodesAndHours) {
    PotentialFixture f;
    f.save(plainYear("Jan Berg", 2024)
               .day(1, 29).work("7:00", "12:00").work("12:30", "16:00")
               .day(1, 30, kVacation)
               .day(2, 4).work("22:00", "25:30")
               .day(2, 5).work("7:00", "8:00"));
    const CReportTable table =
        listWeekTimes(mondayOfWeek({5, 2024}), {5, 2024}, PotentialSource{f.dir(), {employee(3, "Jan Berg")}}, f.prompter);
    ASSERT_EQ(table.columnCount(), 19);
    EXPECT_EQ(table.column(5)->title, "Mo-Beg");
    EXPECT_EQ(table.column(18)->title, "So-Ende");
    EXPECT_EQ(table.column(19)->valueType, kValueDecimal);
    const auto rows = rowsOf(table);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].at(4), "5");
    EXPECT_EQ(rows[0].at(5), "7:00");
    EXPECT_EQ(rows[0].at(6), "16:00");
    EXPECT_EQ(rows[0].at(7), "U");
    EXPECT_EQ(rows[0].at(8), "");
    EXPECT_EQ(rows[0].at(17), "22:00");
    EXPECT_EQ(rows[0].at(18), "1:30");
    EXPECT_EQ(rows[0].at(19), "12,00");
}

TEST(PotentialExport, TitleAndDelimitedForm) {
    EXPECT_EQ(potentialExportTitle({5, 2024}, {6, 2024}, Datum{15, 4, 2024}), "05.2024-06.2024 am 15.04.2024");
    CReportTable table("EXPORT");
    table.addColumn(1, 1.0, "A");
    table.addColumn(2, 1.0, "B;C");
    CReportRow& row = table.addRow();
    row.addCell(1, "x\r\ny");
    row.addCell(2, "sagt \"ja\"");
    table.addRow().addCell(2, "z");
    EXPECT_EQ(reportTableCsv(table), "A;\"B;C\"\n\"x\ny\";\"sagt \"\"ja\"\"\"\n;z\n");
}

struct FormFixture : PotentialFixture {
    TempDir home;
    IniUserStore store{home.file("Lorvan.conf")};
    FixedClock clock{Datum{15, 4, 2024}};
    PotentialAnalysisForm form() { return PotentialAnalysisForm(PotentialSource{dir(), {}}, store, prompter, clock); }
};

TEST(PotentialForm, ChecksInOrderWithTheirFocus) {
    struct Case {
        const char* from;
        const char* to;
        const char* pze;
        std::string message;
        PotentialField focus;
    };
    const Case cases[] = {
        {"", "06/2024", "", kWeekFromMissing, PotentialField::WeekFrom},
        {"005/2024", "06/2024", "", kWeekFromInvalid, PotentialField::WeekFrom},
        {"05/24", "06/2024", "", kWeekFromInvalid, PotentialField::WeekFrom},
        {"05/2017", "06/2024", "", kWeekFromInvalid, PotentialField::WeekFrom},
        {"5/2024", " ", "", kWeekToMissing, PotentialField::WeekTo},
        {"5/2024", "6/24", "", kWeekToInvalid, PotentialField::WeekTo},
        {"5/2024", "4/2024", "", kWeekToBeforeFrom, PotentialField::WeekTo},
        {"5/2024", "6/2024", "/nicht/da.csv", kFileDoesNotExist, PotentialField::PzeFile},
    };
    for (const Case& c : cases) {
        FormFixture f;
        PotentialAnalysisForm form = f.form();
        form.weekFrom = c.from;
        form.weekTo = c.to;
        form.pzeFile = c.pze;
        EXPECT_FALSE(form.checkAnalysis()) << c.from << " " << c.to;
        EXPECT_EQ(form.focus(), c.focus) << c.from << " " << c.to;
        EXPECT_EQ(f.prompter.texts(), std::vector<std::string>{c.message});
        EXPECT_TRUE(f.store.readSection("Monatsabschluss").empty());
    }
}

TEST(PotentialForm, PassedChecksStoreTheValues) {
    FormFixture f;
    const std::string machine = f.write("KW05.csv", "");
    {
        PotentialAnalysisForm form = f.form();
        form.weekFrom = "5/2024";
        form.weekTo = "06/2024";
        form.machineFile = machine;
        ASSERT_TRUE(form.checkAnalysis());
        EXPECT_EQ(form.exportTitle(), "05.2024-06.2024 am 15.04.2024");
        EXPECT_EQ(form.analysis().columnCount(), 32);
    }
    PotentialAnalysisForm again = f.form();
    EXPECT_EQ(again.weekFrom, "5/2024");
    EXPECT_EQ(again.weekTo, "06/2024");
    EXPECT_EQ(again.machineFile, machine);
    EXPECT_EQ(again.fileSelection(PotentialField::MachineFile, f.dir()).title(),
              "Auswertung Maschine-Mitarbeiter-Datei von Woche_von auswählen");

    // "&Arbeitszeiten..." checks and stores the weeks only.
    again.weekTo = "07/2024";
    again.machineFile = "/nicht/da.csv";
    ASSERT_TRUE(again.checkWorkingTimes());
    EXPECT_EQ(again.workingTimes().columnCount(), 19);
    EXPECT_EQ(f.store.readString("Monatsabschluss", "MitarbeiterbewertungWocheBis", ""), "07/2024");
    EXPECT_EQ(f.store.readString("Monatsabschluss", "MitarbeiterbewertungMaschMaDatei", ""), machine);
}

TEST(PotentialForm, HazardNoticeOpensTheProductPage) {
    FormFixture f;
    PotentialAnalysisForm form = f.form();
    test::FakeBrowser browser(false);
    form.showHazardNotice(browser);
    EXPECT_EQ(browser.opened, std::vector<std::string>{"https://www.lorvan.example/lorvan/Gefahrenhinweis.pdf"});
    EXPECT_EQ(f.prompter.texts(), std::vector<std::string>{"Der Internetbrowser konnte nicht geöffnet werden, um "
                                                           "folgende Seite anzuzeigen:\nhttps://www.lorvan.example/"
                                                           "lorvan/Gefahrenhinweis.pdf"});
}

} // namespace
} // namespace lorvan
