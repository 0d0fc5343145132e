#include "reports/month_report.h"

#include "evaluation/month_evaluation.h"
#include "foundation/time_text.h"
#include "yearfile/year_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lorvan {
namespace {

// A year 2024 file without account, break checking, surcharges and wages, whose months are filled by
// the tests. The default period works Monday to Thursday 8 hours and Friday 5 hours.
class MonthReportTest : public ::testing::Test {
  protected:
    MonthReportTest() {
        CEinstArbzt& s = doc_.settings();
        s.name = "Anna Berg";
        s.year = 2024;
        s.checkBreakTimes = 0;
        s.surcharge1On = 0;
        s.surcharge2On = 0;
        s.sundaySurchargeOn = 0;
        s.holidaySurchargeOn = 0;
        s.nightSurchargeOn = 0;
    }

    CTagDoc& work(int32_t month, int32_t day, const char* from, const char* to, int32_t pause = 0) {
        CTagDoc& d = doc_.addMonth(month).addDay(day);
        CZeitZeile& line = d.addLine();
        line.kind = kKindWorkingTime;
        line.from = from;
        line.to = to;
        line.pause = pause;
        line.duration = parseClock(spanText(from, to));
        return d;
    }

    CTagDoc& absence(int32_t month, int32_t day, int32_t kind) {
        CTagDoc& d = doc_.addMonth(month).addDay(day);
        d.dayKind = kind;
        return d;
    }

    MonthReport report(int32_t month, const ReportInputs& inputs = {}) {
        YearEvaluator evaluator(doc_, EvaluationContext{});
        return monthReport(evaluator, month, inputs);
    }

    CReportTable exported(int32_t month, const ReportInputs& inputs = {}) {
        YearEvaluator evaluator(doc_, EvaluationContext{});
        return monthExportTable(evaluator, month, inputs);
    }

    static const CReportTable* find(const MonthReport& r, const std::string& name) {
        for (const CReportTable& t : r.tables)
            if (t.name == name) return &t;
        return nullptr;
    }

    static std::vector<std::string> titles(const CReportTable& t) {
        std::vector<std::string> result;
        for (const auto& [number, column] : t.columns())
            result.push_back(column.title);
        return result;
    }

    // The texts of a row by column number, "" where the row has no cell, up to the table's last column.
    static std::vector<std::string> texts(const CReportTable& t, const CReportRow& row) {
        std::vector<std::string> result;
        const int32_t last = t.columns().empty() ? 0 : t.columns().rbegin()->first;
        for (int32_t c = 1; c <= last; ++c)
            result.push_back(row.cell(c) != nullptr ? row.cell(c)->text : "");
        return result;
    }

    // The texts of every row of a table.
    static std::vector<std::vector<std::string>> rowTexts(const CReportTable& t) {
        std::vector<std::vector<std::string>> result;
        for (const CReportRow& row : t.rows())
            result.push_back(texts(t, row));
        return result;
    }

    CLorvanDoc doc_;
};

TEST_F(MonthReportTest, TheColumnsFollowTheMonthAndTheSettings) {
    struct Case {
        const char* what;
        void (*setUp)(CLorvanDoc&);
        std::vector<std::string> printed;
        std::vector<std::string> exported;
    };
    const Case cases[] = {
        {"no pauses, no break checking, no account",
         [](CLorvanDoc&) {},
         {"\nTag", "\nVon", "\nBis", "\nDauer", "Fehl-\nzeit", "\nBemerkung"},
         {"Tag", "Von", "Bis", "Dauer", "Fehlzeit", "Bemerkung"}},
        {"break checking and the account with daily deviations and weekly payout",
         [](CLorvanDoc& d) {
             d.settings().checkBreakTimes = 1;
             d.settings().keepWorkingTimeAccount = 1;
             d.settings().weeklyPayoutOn = 1;
         },
         {"\nTag", "\nVon", "\nBis", "\nPause", "\nSoll", "\nDauer", "Fehl-\nzeit", "Az\nDiff", "Az\nKonto",
          "\nBemerkung"},
         {"Tag", "Von", "Bis", "Pause", "Soll", "Dauer", "Fehlzeit", "Az-Diff", "ArbztKonto", "Bemerkung"}},
        {"the Sunday surcharge on without Sunday work; the night surcharge with night work",
         [](CLorvanDoc& d) {
             d.settings().sundaySurchargeOn = 1;
             d.settings().nightSurchargeOn = 1;
         },
         {"\nTag", "\nVon", "\nBis", "\nDauer", "Fehl-\nzeit", "Nacht\n25%", "\nBemerkung"},
         {"Tag", "Von", "Bis", "Dauer", "Fehlzeit", "Nacht-25%", "Bemerkung"}},
        {"calculation fields: a long name in two lines of six characters, a short one after a break",
         [](CLorvanDoc& d) {
             d.settings().calculationFieldNames = {"Material (EUR)", "", "Km"};
         },
         {"\nTag", "\nVon", "\nBis", "\nDauer", "Fehl-\nzeit", "Materi\nal (EU", "\nKm", "\nBemerkung"},
         {"Tag", "Von", "Bis", "Dauer", "Fehlzeit", "Material (EUR)", "Km", "Bemerkung"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        doc_ = CLorvanDoc();
        doc_.settings().year = 2024;
        doc_.settings().checkBreakTimes = 0;
        doc_.settings().surcharge1On = doc_.settings().surcharge2On = 0;
        doc_.settings().sundaySurchargeOn = doc_.settings().holidaySurchargeOn = 0;
        doc_.settings().nightSurchargeOn = 0;
        c.setUp(doc_);
        work(3, 4, "20:00", "23:00"); // Monday evening: three night hours
        EXPECT_EQ(titles(report(3).header), c.printed);
        EXPECT_EQ(titles(exported(3)), c.exported);
    }
}

TEST_F(MonthReportTest, WithoutPauseColumnTheSumsLabelIsOneAndAHalfInchesWide) {
    work(3, 4, "8:00", "12:00");
    const MonthReport r = report(3);
    const CReportTable* sums = find(r, "GESAMT");
    ASSERT_NE(sums, nullptr);
    EXPECT_DOUBLE_EQ(sums->column(1)->width, 1.5);
    EXPECT_EQ(texts(*sums, sums->row(0)),
              (std::vector<std::string>{"Summe Arbeitszeit", "", "", "4:00", "", ""}));
    doc_.settings().checkBreakTimes = 1;
    EXPECT_DOUBLE_EQ(find(report(3), "GESAMT")->column(1)->width, 1.9);
}

TEST_F(MonthReportTest, DayBlocksWeekLinesAndStatusRows) {
    doc_.settings().keepWorkingTimeAccount = 1; // "RA": target and deviation columns
    CTagDoc& monday = work(3, 4, "7:00", "12:00");
    CZeitZeile& afternoon = monday.addLine();
    afternoon.kind = kKindWorkingTime;
    afternoon.from = "12:30";
    afternoon.to = "16:00";
    afternoon.duration = 210;
    monday.reportRemark = "Baustelle";
    absence(3, 5, kVacation);
    doc_.addMonth(3).addDay(6).complete = 0;

    const MonthReport r = report(3);
    std::vector<std::vector<std::string>> rows;
    for (const CReportTable& t : r.tables)
        if (t.name == "ZEITEN" || t.name == "HALB" || t.name == "WOCHE")
            for (const CReportRow& row : t.rows())
                rows.push_back(texts(t, row));
    // Tag Von Bis Pause Soll Dauer Fehlzeit AzDiff Bemerkung; the first week (1-3 March) is empty.
    const std::vector<std::vector<std::string>> expected = {
        {"01.Fr", "Unbekannt", "", "", "", "", "", "", ""},
        {"04.Mo", "07:00", "12:00", "", "", "5:00", "", "", "Baustelle"},
        {"", "12:30", "16:00", "", "8:00", "3:30", "", "+0:30", ""},
        {"05.Di", "", "", "", "8:00", "", "U 8:00", "", ""},
        {"06.Mi", "Unvollständig", "", "", "", "", "", "", ""},
        {"07.Do", "Unbekannt", "", "", "", "", "", "", ""},
        {"08.Fr", "Unbekannt", "", "", "", "", "", "", ""},
        {"Woche", "10", "", "", "", "8:30", "8:00", "+0:30", ""},
    };
    ASSERT_GE(rows.size(), expected.size());
    rows.resize(expected.size());
    EXPECT_EQ(rows, expected);
}

TEST_F(MonthReportTest, AWeeklyPayoutOfTheSurchargeOneWageTypeIsOneBookingLine) {
    CEinstArbzt& s = doc_.settings();
    s.keepWorkingTimeAccount = 1;
    s.weeklyPayoutOn = 1;
    s.surcharge1On = 1;
    s.surcharge1Percent = 25;
    s.wageTypeWeeklyPayout = "0330";
    s.wageTypeSurcharge1 = "0330";
    work(3, 4, "7:00", "17:00"); // 2 hours over the Monday's 8

    const MonthReport merged = report(3);
    const CReportTable* bookings = find(merged, "BUCHUNGEN");
    ASSERT_NE(bookings, nullptr);
    ASSERT_EQ(bookings->rowCount(), 1u);
    const CReportRow& row = bookings->row(0);
    EXPECT_EQ(row.cell(1)->text, "Überstunden 25% für 03/2024");
    // Tag Von Bis Pause Soll Dauer Fehlzeit AzDiff AzKonto Ü-25% Bemerkung
    EXPECT_EQ(texts(*bookings, row),
              (std::vector<std::string>{"Überstunden 25% für 03/2024", "", "", "", "", "", "", "", "", "2:00",
                                        "Auszahlung 0330: 2,00 *"}));

    s.wageTypeSurcharge1 = "0340";
    const MonthReport separate = report(3);
    bookings = find(separate, "BUCHUNGEN");
    ASSERT_EQ(bookings->rowCount(), 1u); // surcharge 1 is 0 without the payout's wage type
    EXPECT_EQ(bookings->row(0).cell(1)->text, "Überstunden für 03/2024");
    EXPECT_EQ(bookings->row(0).cell(9)->text, "2:00"); // the account column
    // The footnote explains the " *" of the remark.
    const CReportTable& last = separate.tables.back();
    EXPECT_EQ(last.name, "ABSCHLUSS");
    EXPECT_EQ(last.row(0).cell(1)->text,
              " * Umrechnung Zeitminuten in Dezimaleinheiten (dividiert durch 0,60, "
              "d.h. z.B. 0:30 = 0,30 / 0,60 = 0,5)");
}

TEST_F(MonthReportTest, AbsenceRows) {
    CEinstArbzt& s = doc_.settings();
    s.wagesInMonthEvaluation = 1;
    WagePeriod wage;
    wage.hourlyWage = 12.5;
    wage.vacationPayPerDay = 10.0;
    s.wagePeriods = {wage};
    s.manageRemainingVacation = 1;
    s.vacationEntitlement = 30;
    for (int32_t day : {1, 2, 3}) // Wednesday to Friday of May 2024
        absence(5, day, kNormalWorkingDay).publicHoliday = 1;
    absence(5, 6, kVacation);
    absence(5, 7, kVacation);
    absence(6, 3, kHalfVacationDay);
    absence(6, 4, kSickWithPay);

    // label, count, hours, amount, note
    const MonthReport mayReport = report(5);
    const CReportTable* may = find(mayReport, "FEHLZEIT");
    ASSERT_NE(may, nullptr);
    EXPECT_EQ(rowTexts(*may), (std::vector<std::vector<std::string>>{
                                  {"Feiertage", "3 Tage", "21:00", "EUR 262,50", ""},
                                  {"Urlaub", "2 Tage", "16:00", "", "Resturlaub: 28 Tage"},
                                  {"Urlaubslohn", "Satz: 12,50", "", "EUR 200,00", ""},
                                  {"Urlaubsgeld", "Satz: 10,00", "", "EUR 160,00", ""},
                              }));

    ReportInputs build;
    build.buildSwitch = true;
    const MonthReport juneReport = report(6, build);
    const CReportTable* june = find(juneReport, "FEHLZEIT");
    ASSERT_NE(june, nullptr);
    // The build switch adds the target rows and moves the counts into the amount column.
    EXPECT_EQ(rowTexts(*june),
              (std::vector<std::vector<std::string>>{
                  {"Soll-Stundenlohn", "16,00", "", "", "siehe Lohnabrechnung 06/2024"},
                  {"Korrektur-Stundenlohn", "-12,00", "-12:00", "", "siehe Lohnabrechnung 07/2024"},
                  {"Urlaub", "", "4:00", "0,5 Tag", "Resturlaub: 27,5 Tage"},
                  {"Urlaubslohn", "Satz: 12,50", "", "EUR 50,00", ""},
                  {"Urlaubsgeld", "Satz: 10,00", "", "EUR 40,00", ""},
                  {"Krank", "1 Tag", "8:00", "EUR 100,00", "Gesamt 2024: 1 Tage"},
              }));
}

TEST_F(MonthReportTest, TheExportHoldsTheDayRowsAndTheSumsInOneTable) {
    doc_.settings().calculationFieldNames = {"Km", "", ""};
    CTagDoc& day = work(3, 4, "8:00", "12:00");
    day.line(0).calculationFields[0] = 12.5;
    const CReportTable table = exported(3);
    EXPECT_EQ(table.name, "EXPORT");
    EXPECT_EQ(table.column(6)->valueType, kValueDecimal);
    const std::vector<std::vector<std::string>> rows = rowTexts(table);
    // Tag Von Bis Dauer Fehlzeit Km Bemerkung
    const std::vector<std::vector<std::string>> expected = {
        {"01.Fr", "Unbekannt", "", "", "", "", ""},
        {"04.Mo", "08:00", "12:00", "4:00", "", "12,50", ""},
    };
    ASSERT_GE(rows.size(), 2u);
    EXPECT_EQ(std::vector(rows.begin(), rows.begin() + 2), expected);
    EXPECT_EQ(rows.back(), (std::vector<std::string>{"Summe Arbeitszeit", "", "", "4:00", "", "12,50", ""}));
    for (const CReportColumn* c : {table.column(1), table.column(7)})
        EXPECT_DOUBLE_EQ(c->width, 1.0);
    EXPECT_EQ(monthSheetName(doc_, 3), "03.2024 Anna Berg");
}

TEST_F(MonthReportTest, OvertimeAndSicknessNotesOnlyWhileTheTextsArePrinted) {
    work(3, 4, "6:00", "17:00"); // 11 hours
    absence(3, 5, kSickWithPay);
    absence(3, 6, kSickWithPay);
    ReportInputs inputs;
    inputs.overtimeThresholdHours = 10;
    inputs.overtimeNoteText = "Höchstarbeitszeit überschritten";
    inputs.sicknessThresholdDays = 1;
    inputs.sicknessNoteText = "Bitte AU vorlegen";
    inputs.monthReportText = "Zeile 1\r\nZeile 2";

    const auto notes = [](const MonthReport& r) {
        std::vector<std::string> texts;
        for (const CReportTable& t : r.tables)
            if (t.name == "ABSCHLUSS")
                for (const CReportRow& row : t.rows())
                    texts.push_back(row.cell(1)->text);
        return texts;
    };
    // The sick hours are shown as decimal hours, so the footnote is due either way.
    const std::string footnote =
        " * Umrechnung Zeitminuten in Dezimaleinheiten (dividiert durch 0,60, d.h. z.B. "
        "0:30 = 0,30 / 0,60 = 0,5)";
    const MonthReport off = report(3, inputs);
    EXPECT_EQ(notes(off), (std::vector<std::string>{footnote}));

    inputs.printMonthReportTexts = true;
    const MonthReport on = report(3, inputs);
    const CReportTable* monday = nullptr;
    for (const CReportTable& t : on.tables)
        if (t.name == "ZEITEN" && t.row(0).cell(1)->text == "04.Mo") monday = &t;
    ASSERT_NE(monday, nullptr);
    EXPECT_EQ(monday->row(0).cell(6)->text, "Höchstarbeitszeit überschritten");
    EXPECT_EQ(notes(on), (std::vector<std::string>{"Bitte AU vorlegen", footnote, "Zeile 1\nZeile 2"}));
}

// Tables of n rows without header.
std::vector<CReportTable> tablesOfRows(std::initializer_list<int32_t> counts) {
    std::vector<CReportTable> tables;
    for (int32_t n : counts) {
        CReportTable& t = tables.emplace_back("T" + std::to_string(tables.size()));
        t.showHeader = false;
        t.addColumn(1, 1.0, "");
        for (int32_t i = 0; i < n; ++i)
            t.addRow().addCell(1, std::to_string(i));
    }
    return tables;
}

TEST(MonthPageDivision, FortyEightRowsAPageAndTheHeaderOnEveryPage) {
    CReportTable header("HEADER");
    header.headerLines = 2;
    header.addColumn(1, 1.0, "\nTag");
    struct Case {
        const char* what;
        std::vector<CReportTable> tables;
        std::vector<std::vector<std::string>> pages; // name and rows of each table after the header
    };
    const Case cases[] = {
        {"a page is full with 46 rows after the header",
         tablesOfRows({40, 6, 1}),
         {{"T0:40", "T1:6"}, {"T2:1"}}},
        {"a table of more than 24 rows is split", tablesOfRows({20, 30}), {{"T0:20", "T1:26"}, {"T1:4"}}},
        {"a table of 24 rows moves to the next page", tablesOfRows({30, 24}), {{"T0:30"}, {"T1:24"}}},
        {"a split rest that still overruns is split again",
         tablesOfRows({10, 100}),
         {{"T0:10", "T1:36"}, {"T1:46"}, {"T1:18"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<std::vector<CReportTable>> pages = divideIntoPages(header, c.tables);
        std::vector<std::vector<std::string>> actual;
        for (const std::vector<CReportTable>& page : pages) {
            EXPECT_EQ(page.front().name, "HEADER");
            auto& names = actual.emplace_back();
            for (size_t i = 1; i < page.size(); ++i)
                names.push_back(page[i].name + ":" + std::to_string(page[i].rowCount()));
        }
        EXPECT_EQ(actual, c.pages);
    }
}

} // namespace
} // namespace lorvan
