#include "reports/weekly_proof.h"

#include "evaluation/evaluation_context.h"
#include "foundation/calendar.h"
#include "output/recording_surface.h"
#include "reports/weekly_proof_dialog.h"
#include "support/error_text.h"
#include "support/scripted_prompter.h"
#include "support/year_file_builder.h"
#include "yearfile/settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lorvan {
namespace {

using test::YearFileBuilder;
using Row = std::vector<std::string>;

std::vector<Row> rowsOf(const CReportTable& table) {
    std::vector<Row> rows;
    const int32_t last = table.columns().rbegin()->first;
    for (const CReportRow& row : table.rows()) {
        Row texts;
        for (int32_t c = 1; c <= last; ++c)
            texts.push_back(row.cell(c) != nullptr ? row.cell(c)->text : "");
        rows.push_back(texts);
    }
    return rows;
}

std::vector<std::string> titlesOf(const CReportTable& table) {
    std::vector<std::string> titles;
    for (const auto& [number, column] : table.columns())
        titles.push_back(column.title);
    return titles;
}

// A 2026 file (1 January is a Thursday) without account, break checking, surcharges and wages.
YearFileBuilder plainFile() {
    return YearFileBuilder("Jörg Weiß", 2026).settings([](CEinstArbzt& s) {
        s.checkBreakTimes = 0;
        s.surcharge1On = 0;
        s.surcharge2On = 0;
        s.sundaySurchargeOn = 0;
        s.holidaySurchargeOn = 0;
        s.nightSurchargeOn = 0;
        s.saturdaySurchargeOn = 0;
    });
}

WeeklyProofPeriod period(Datum from, Datum to, int32_t week = 0) {
    return WeeklyProofPeriod{from, to, week};
}

// The rows of all day tables of the printed report, in order.
std::vector<Row> dayRows(const WeeklyProof& proof) {
    std::vector<Row> rows;
    for (const CReportTable& day : proof.days)
        for (const Row& row : rowsOf(day))
            rows.push_back(row);
    return rows;
}

TEST(WeeklyProof, TitlesAndSheetNamesOfCalendarWeeksAndFreePeriods) {
    struct Case {
        int32_t week;
        Datum from;
        Datum to;
        const char* title;
        const char* sheet;
    };
    const Case cases[] = {
        {12, {16, 3, 2026}, {22, 3, 2026}, "Stundennachweis für KW 12 (16.03.2026 - 22.03.2026)",
         "KW 12 (16.03.2026-22.03.2026)"},
        {1, {1, 1, 2026}, {4, 1, 2026}, "Stundennachweis für KW 1 (01.01.2026 - 04.01.2026)",
         "KW 1 (01.01.2026-04.01.2026)"},
        {0, {1, 1, 2026}, {14, 1, 2026}, "Stundennachweis für 01.01.2026 - 14.01.2026 ",
         "01.01.2026 - 14.01.2026 "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(weeklyProofTitle(period(c.from, c.to, c.week)), c.title);
        EXPECT_EQ(weeklyProofSheetName(period(c.from, c.to, c.week)), c.sheet);
    }
    const CLorvanDoc doc = plainFile().day(3, 16).work("8:00", "9:00").build();
    EXPECT_EQ(weeklyProof(doc, {}, period({16, 3, 2026}, {22, 3, 2026}, 12), nullptr).title,
              "Stundennachweis für KW 12 (16.03.2026 - 22.03.2026) - Jörg Weiß");
}

TEST(WeeklyProofDialog, WeekNumberSetsTheDatesCutToTheYear) {
    struct Case {
        int32_t typed;
        int32_t week;
        Datum from;
        Datum to;
    };
    const Case cases[] = {
        {12, 12, {16, 3, 2026}, {22, 3, 2026}},
        {1, 1, {1, 1, 2026}, {4, 1, 2026}},  // the Monday lies in 2025
        {0, 0, {1, 1, 2026}, {4, 1, 2026}},  // the week of 1 January, a free period
        {53, 53, {28, 12, 2026}, {31, 12, 2026}},
        {60, 53, {28, 12, 2026}, {31, 12, 2026}}, // beyond the last week: the week of 31 December
    };
    for (const Case& c : cases) {
        CDruckWoche dialog("Jörg Weiß", 2026);
        dialog.setWeek(c.typed);
        EXPECT_EQ(dialog.week(), c.week) << c.typed;
        EXPECT_EQ(dialog.from(), c.from) << c.typed;
        EXPECT_EQ(dialog.to(), c.to) << c.typed;
    }
}

TEST(WeeklyProofDialog, DatesSetTheWeekAndAPeriodBeyondOneWeekIsFree) {
    CDruckWoche dialog("Jörg Weiß", 2026);
    dialog.setWeek(1);
    // A "bis" in a later week makes the period a free one with the two dates.
    dialog.setTo(Datum{14, 1, 2026});
    EXPECT_EQ(dialog.week(), 0);
    EXPECT_EQ(dialog.toLabel(), "Mittwoch");
    test::ScriptedPrompter prompter;
    const std::optional<WeeklyProofPeriod> chosen = dialog.period(prompter);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(weeklyProofTitle(*chosen), "Stundennachweis für 01.01.2026 - 14.01.2026 ");

    // "von" on a Wednesday: its week, "bis" that week's Sunday.
    dialog.setFrom(Datum{18, 3, 2026});
    EXPECT_EQ(dialog.week(), 12);
    EXPECT_EQ(dialog.to(), (Datum{22, 3, 2026}));
    EXPECT_EQ(dialog.fromLabel(), "Mittwoch");
    EXPECT_EQ(dialog.toLabel(), "Sonntag");

    // With "von" empty a "bis" of another week takes that week.
    CDruckWoche onlyTo("Jörg Weiß", 2026);
    onlyTo.setWeek(12);
    onlyTo.setFrom(std::nullopt);
    onlyTo.setTo(Datum{1, 4, 2026});
    EXPECT_EQ(onlyTo.week(), 14);
    EXPECT_TRUE(prompter.log().empty());
}

TEST(WeeklyProofDialog, IncompleteReversedAndForeignPeriodsAreRefused) {
    CDruckWoche dialog("Jörg Weiß", 2026);
    test::ScriptedPrompter prompter;
    EXPECT_FALSE(dialog.period(prompter)); // nothing entered

    dialog.setWeek(12);
    dialog.setTo(Datum{10, 3, 2026}); // before "von"
    EXPECT_FALSE(dialog.period(prompter));

    dialog.setWeek(12);
    dialog.setFrom(Datum{16, 3, 2025}); // another year: emptied, labelled "Fehler"
    EXPECT_EQ(dialog.from(), std::nullopt);
    EXPECT_EQ(dialog.fromLabel(), "Fehler");
    EXPECT_FALSE(dialog.period(prompter));

    EXPECT_EQ(prompter.texts(), std::vector<std::string>(3, "Der Zeitraum muss erst vollständig erfasst werden."));
    EXPECT_EQ(dialog.focus(), CDruckWoche::Field::Week);
}

TEST(WeeklyProof, ADayWithTwoBlocksHasATotalRowAndAVacationDayItsCode) {
    const CLorvanDoc doc = plainFile()
                               .day(3, 16)
                               .work("8:00", "12:00")
                               .work("12:30", "17:00")
                               .withDay([](CTagDoc& d) { d.reportRemark = "Inventur"; })
                               .day(3, 17, kVacation)
                               .day(3, 18)
                               .work("7:00", "15:00")
                               .withLine([](CZeitZeile& l) { l.remark = "Rampe"; })
                               .build();
    const WeeklyProof proof = weeklyProof(doc, {}, period({16, 3, 2026}, {22, 3, 2026}, 12), nullptr);
    EXPECT_EQ(titlesOf(proof.header), (Row{"Tag", "Von", "Bis", "Kunde", "Dauer", "Bemerkungen"}));
    EXPECT_EQ(proof.header.name, "HEADER");
    EXPECT_TRUE(proof.header.showHeader);
    ASSERT_EQ(proof.days.size(), 3u);
    EXPECT_EQ(proof.days[0].name, "TAG_16");
    EXPECT_FALSE(proof.days[0].showHeader);
    const std::vector<Row> expected{
        {"16.03.", "Gesamt", "", "", "08:30", "Inventur"},
        {"", "08:00", "12:00", "", "04:00", ""},
        {"", "12:30", "17:00", "", "04:30", ""},
        {"17.03.-U", "", "", "", "", ""},
        // One block without a day remark goes onto the date row.
        {"18.03.", "07:00", "15:00", "", "08:00", "Rampe"},
    };
    EXPECT_EQ(dayRows(proof), expected);
    EXPECT_EQ(proof.totals.name, "GESAMT");
    EXPECT_EQ(rowsOf(proof.totals), (std::vector<Row>{{"Summe", "", "", "", "16:30", ""}}));
}

TEST(WeeklyProof, CustomerColumnRepeatsNoCustomerAndSplitsCustomerAndService) {
    const CLorvanDoc doc = plainFile()
                               .day(3, 16)
                               .line(kKindCustomer, "8:00", "10:00")
                               .withLine([](CZeitZeile& l) { l.customer = "Müller"; })
                               .service("Montage")
                               .line(kKindCustomer, "10:00", "11:00")
                               .withLine([](CZeitZeile& l) { l.customer = "Müller"; })
                               .line(kKindWorkingTime, "11:00", "12:00")
                               .service("Lager")
                               .day(3, 17)
                               .line(kKindCustomer, "8:00", "9:00")
                               .withLine([](CZeitZeile& l) { l.customer = "Schulz"; })
                               .service("Wartung")
                               .build();
    const WeeklyProof proof = weeklyProof(doc, {}, period({16, 3, 2026}, {22, 3, 2026}, 12), nullptr);
    const std::vector<Row> expected{
        {"16.03.", "Gesamt", "", "", "04:00", ""},
        {"", "", "", "Müller", "", ""},
        {"", "08:00", "10:00", "  Montage", "02:00", ""},
        {"", "10:00", "11:00", "    - \" - ", "01:00", ""},
        {"", "11:00", "12:00", "Lager", "01:00", ""},
        // A single block with customer and service leaves the date row for rows of its own.
        {"17.03.", "", "", "", "", ""},
        {"", "", "", "Schulz", "", ""},
        {"", "08:00", "09:00", "  Wartung", "01:00", ""},
    };
    EXPECT_EQ(dayRows(proof), expected);

    const CReportTable exported = weeklyProofExportTable(doc, {}, period({16, 3, 2026}, {22, 3, 2026}, 12), nullptr);
    EXPECT_EQ(titlesOf(exported), (Row{"Tag", "Von", "Bis", "Kunde", "Dienstleistung", "Dauer", "Bemerkungen"}));
    const std::vector<Row> rows = rowsOf(exported);
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows[1], (Row{"", "08:00", "10:00", "Müller", "Montage", "02:00", ""}));
    EXPECT_EQ(rows[4], (Row{"17.03.2026", "", "", "", "", "", ""}));
    EXPECT_EQ(rows[5], (Row{"", "08:00", "09:00", "Schulz", "Wartung", "01:00", ""}));
    EXPECT_EQ(rows[6][0], "Summe");
    EXPECT_EQ(exported.column(2)->valueType, kValueHoursMinutes);
}

TEST(WeeklyProof, APeriodFromWednesdayDoesNotCountTheSurchargesOfMondayAndTuesdayAgain) {
    YearFileBuilder b = plainFile().settings([](CEinstArbzt& s) {
        s.surcharge1On = 1;
        s.surcharge1Percent = 25;
        s.surcharge1FromWeeklyHours = 20;
        s.overtimeRoundingMinutes = 15;
        s.weekEndsAtMonthEnd = 0;
    });
    b.day(3, 16).work("6:00", "21:00").day(3, 17).work("6:00", "21:00").day(3, 18).work("8:00", "13:00");
    const CLorvanDoc doc = b.build();
    const auto surchargeOf = [&](const WeeklyProof& proof) {
        const int32_t column = static_cast<int32_t>(titlesOf(proof.header).size()) - 1; // before the remark
        EXPECT_EQ(proof.header.column(column)->title, "Ü-\n25%");
        return rowsOf(proof.totals).front()[static_cast<size_t>(column - 1)];
    };
    const WeeklyProof whole = weeklyProof(doc, {}, period({16, 3, 2026}, {22, 3, 2026}, 12), nullptr);
    EXPECT_EQ(surchargeOf(whole), "15:00");
    const WeeklyProof fromWednesday = weeklyProof(doc, {}, period({18, 3, 2026}, {22, 3, 2026}), nullptr);
    EXPECT_EQ(surchargeOf(fromWednesday), "5:00");
    ASSERT_EQ(fromWednesday.days.size(), 1u);
    EXPECT_EQ(fromWednesday.days[0].name, "TAG_18");

    // With the week ending at the month end there is no carried-in part.
    CLorvanDoc ownWeek = doc;
    ownWeek.settings().weekEndsAtMonthEnd = 1;
    EXPECT_EQ(rowsOf(weeklyProof(ownWeek, {}, period({18, 3, 2026}, {22, 3, 2026}), nullptr).totals).front()[5], "");
}

TEST(WeeklyProof, APeriodAcrossMonthsTakesEveryDayByItsDate) {
    const CLorvanDoc doc =
        plainFile().day(3, 30).work("8:00", "12:00").day(4, 2).work("8:00", "10:00").day(4, 9).work("8:00", "9:00").build();
    const WeeklyProof proof = weeklyProof(doc, {}, period({30, 3, 2026}, {5, 4, 2026}), nullptr);
    std::vector<std::string> dates;
    for (const Row& row : dayRows(proof))
        dates.push_back(row[0]);
    // 31 March and 1 April have no record but are working days between the records.
    EXPECT_EQ(dates, (std::vector<std::string>{"30.03.", "31.03.", "01.04.", "02.04."}));
    EXPECT_EQ(rowsOf(proof.days[1])[0][1], "Unbekannt");
    EXPECT_EQ(rowsOf(proof.totals)[0][4], "06:00");
}

TEST(WeeklyProof, NothingToExportAndMissingSettings) {
    const CLorvanDoc empty = plainFile().day(3, 2).work("8:00", "9:00").build();
    EXPECT_EQ(weeklyProofExportTable(empty, {}, period({16, 3, 2026}, {22, 3, 2026}, 12), nullptr).rowCount(), 0u);

    CLorvanDoc unset = plainFile().day(3, 16).work("8:00", "9:00").build();
    unset.settings().workingTimePeriods.clear();
    EXPECT_THROW_MSG(weeklyProof(unset, {}, period({16, 3, 2026}, {22, 3, 2026}, 12), nullptr),
                     kWorkingTimeSettingsMissing);
}

TEST(WeeklyProof, ADayTallerThanAPageIsDividedAndEveryPageStartsWithTheHeader) {
    YearFileBuilder b = plainFile();
    b.day(3, 16);
    for (int32_t i = 0; i < 50; ++i) {
        const int32_t from = 6 * 60 + 15 * i;
        const int32_t to = from + 15;
        b.work(std::to_string(from / 60) + ":" + std::to_string(from % 60),
               std::to_string(to / 60) + ":" + std::to_string(to % 60));
    }
    b.day(3, 17).work("8:00", "9:00");
    const WeeklyProof proof = weeklyProof(b.build(), {}, period({16, 3, 2026}, {22, 3, 2026}, 12), nullptr);
    RecordingSurface surface(100, 100, Rect{0, 0, 1169, 827});
    std::string logo;
    printWeeklyProof(surface, proof, logo, {});
    const size_t pages = surface.callsOf(RecordedCall::Kind::BeginPage).size();
    EXPECT_GE(pages, 2u);
    size_t headers = 0;
    size_t quarters = 0;
    for (const RecordedCall& text : surface.texts()) {
        if (text.text == "Bemerkungen") ++headers;
        if (text.text == "00:15") ++quarters;
    }
    EXPECT_EQ(headers, pages);
    EXPECT_EQ(quarters, 50u); // every block printed once
    EXPECT_NE(surface.findText("17.03."), nullptr);
    EXPECT_NE(surface.findText("Summe"), nullptr);
    EXPECT_TRUE(surface.textsOutsideTheirBox().empty());
}

} // namespace
} // namespace lorvan
