#include "reports/day_sheet.h"

#include "output/recording_surface.h"
#include "support/error_text.h"
#include "support/year_file_builder.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace lorvan {
namespace {

using test::YearFileBuilder;
using Row = std::vector<std::string>;

// Customer 17 with notes for the day sheet; every other number is unknown.
class FakeCustomers : public DaySheetCustomers {
  public:
    std::optional<DaySheetCustomer> customer(const std::string& entry) const override {
        if (entry.rfind("17", 0) == 0) return DaySheetCustomer{"Bäckerei Korn\n\nMarktplatz 3", "Hund im Hof"};
        return std::nullopt;
    }
};

// The texts of every row by column number, "" where the row has no cell.
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

const Datum kDay{16, 3, 2026};

YearFileBuilder builder() {
    return YearFileBuilder("Jörg Weiß", 2026);
}

std::vector<Row> printedRows(const CLorvanDoc& doc, const DaySheetCustomers* customers = nullptr) {
    const DaySheet sheet = daySheet(doc, kDay, DaySheetForm::Entry, customers);
    EXPECT_EQ(sheet.pages.size(), 1u);
    return rowsOf(sheet.pages.front());
}

TEST(DaySheet, EmptyRowsOnlyWhereALineDoesNotStartAtThePreviousEndAndBeforeTheTotal) {
    const CLorvanDoc doc = builder()
                               .day(3, 16)
                               .work("8:00", "12:00")
                               .work("12:30", "16:00", 15)
                               .work("16:00", "17:00")
                               .build();
    const std::vector<Row> expected{
        {"Arbeitszeit", "08:00 - 12:00", "4:00", "", ""},
        {"", "", "", "", ""},
        {"Arbeitszeit", "12:30 - 16:00", "3:15", "15", ""},
        {"Arbeitszeit", "16:00 - 17:00", "1:00", "", ""},
        {"", "", "", "", ""},
        {"", "", "8:15", "", ""},
    };
    EXPECT_EQ(printedRows(doc), expected);
}

TEST(DaySheet, TheGivenThreeLinesTotalEightAndAHalfHours) {
    const CLorvanDoc doc =
        builder().day(3, 16).work("8:00", "12:00").work("12:30", "16:00").work("16:00", "17:00").build();
    const std::vector<Row> rows = printedRows(doc);
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[5][kDaySheetWork - 1], "8:30");
}

TEST(DaySheet, CustomerColumnOfRepeatedCustomersWithAndWithoutService) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> lines; // customer, service
        std::vector<std::string> customerColumn;
    };
    const Case cases[] = {
        {"same customer without service", {{"Müller", ""}, {"Müller", ""}}, {"Müller", "    - \" - "}},
        {"same customer with services",
         {{"Müller", "Montage"}, {"Müller", "Wartung"}},
         {"Müller", "  Montage", "  Wartung"}},
        {"first with service, second without", {{"Müller", "Montage"}, {"Müller", ""}},
         {"Müller", "  Montage", "    - \" - "}},
        {"another customer", {{"Müller", ""}, {"Schulz", "Montage"}}, {"Müller", "Schulz", "  Montage"}},
    };
    for (const Case& c : cases) {
        YearFileBuilder b = builder();
        b.day(3, 16);
        int32_t hour = 8;
        for (const auto& [customer, service] : c.lines) {
            b.line(kKindCustomer, std::to_string(hour) + ":00", std::to_string(hour + 2) + ":00");
            b.withLine([&](CZeitZeile& l) { l.customer = customer; });
            if (!service.empty()) b.service(service);
            hour += 2;
        }
        std::vector<Row> rows = printedRows(b.build());
        rows.resize(rows.size() - 2); // the empty row and the total
        std::vector<std::string> column;
        for (const Row& row : rows)
            column.push_back(row[kDaySheetCustomer - 1]);
        EXPECT_EQ(column, c.customerColumn) << c.name;
        // A customer row followed by its service row leaves the values to the service row.
        for (size_t i = 0; i < rows.size(); ++i) {
            const bool serviceFollows = i + 1 < rows.size() && rows[i][0].front() != ' ' &&
                                        rows[i + 1][0].rfind("  ", 0) == 0 && rows[i + 1][0][2] != ' ';
            EXPECT_EQ(rows[i][kDaySheetTimes - 1].empty(), serviceFollows) << c.name << " row " << i;
        }
    }
}

TEST(DaySheet, OtherKindsShowTheirKindOrServiceAndEndTheCustomerRun) {
    const CLorvanDoc doc = builder()
                               .day(3, 16)
                               .line(kKindCustomer, "7:00", "8:00")
                               .withLine([](CZeitZeile& l) { l.customer = "Müller"; })
                               .line(kKindTravel, "8:00", "9:00")
                               .line(kKindWorkingTime, "9:00", "10:00")
                               .service("Lager")
                               .line(kKindOffice, "10:00", "11:00")
                               .service("Ablage")
                               .line(kKindCustomer, "11:00", "12:00")
                               .withLine([](CZeitZeile& l) { l.customer = "Müller"; })
                               .build();
    const std::vector<Row> rows = printedRows(doc);
    std::vector<std::string> column;
    for (size_t i = 0; i + 2 < rows.size(); ++i)
        column.push_back(rows[i][kDaySheetCustomer - 1]);
    EXPECT_EQ(column, (std::vector<std::string>{"Müller", "Fahrt", "Lager", "Büro\nAblage", "Müller"}));
}

TEST(DaySheet, KnownCustomerShowsItsTextWithNotesOnTheCustomerRowAndTheRemarkOnTheServiceRow) {
    const FakeCustomers customers;
    const CLorvanDoc doc = builder()
                               .day(3, 16)
                               .line(kKindCustomer, "8:00", "9:00")
                               .withLine([](CZeitZeile& l) {
                                   l.customer = "17 - Bäckerei Korn";
                                   l.remark = "Ofen geprüft";
                               })
                               .service("Wartung")
                               .line(kKindCustomer, "9:00", "10:00")
                               .withLine([](CZeitZeile& l) {
                                   l.customer = "17";
                                   l.remark = "Tür";
                               })
                               .build();
    const std::vector<Row> rows = printedRows(doc, &customers);
    ASSERT_GE(rows.size(), 3u);
    EXPECT_EQ(rows[0], (Row{"Bäckerei Korn\n\nMarktplatz 3", "", "", "", "Hund im Hof"}));
    EXPECT_EQ(rows[1], (Row{"  Wartung", "08:00 - 09:00", "1:00", "", "Ofen geprüft"}));
    // The entry differs from the first one: a new customer with notes and remark in one cell.
    EXPECT_EQ(rows[2], (Row{"Bäckerei Korn\n\nMarktplatz 3", "09:00 - 10:00", "1:00", "", "Hund im Hof\nTür"}));
}

TEST(DaySheet, TimesAfterMidnightAreTakenBackADay) {
    const CLorvanDoc doc = builder().day(3, 16).work("22:00", "24:00").work("24:00", "25:30").build();
    const std::vector<Row> rows = printedRows(doc);
    EXPECT_EQ(rows[0][kDaySheetTimes - 1], "22:00 - 24:00");
    EXPECT_EQ(rows[1][kDaySheetTimes - 1], "24:00 - 01:30");
}

TEST(DaySheet, RemarksWrapAtThirtyCharacters) {
    struct Case {
        std::string text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {std::string(45, 'x'), {std::string(30, 'x'), std::string(15, 'x')}},
        {"kurz", {"kurz"}},
        // Pieces are added while they fit.
        {"Schrauben, Muttern; Dübel-Set und Kabelbinder", {"Schrauben, Muttern; Dübel-Set", "und Kabelbinder"}},
        // 14 characters left: the long word starts a new line.
        {"Heizung prüfen Wärmetauscherreinigung", {"Heizung prüfen", "Wärmetauscherreinigung"}},
        // 22 characters left: the long word is cut at the line end.
        {"Ölwechsel Abgasrückführungsventilreinigung",
         {"Ölwechsel Abgasrückführungsven", "tilreinigung"}},
        {"erste Zeile\r\nzweite Zeile", {"erste Zeile", "zweite Zeile"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(wrapRemark(c.text), c.lines) << c.text;
}

TEST(DaySheet, ALongDayContinuesOnANewPageByTheRowUnits) {
    YearFileBuilder b = builder();
    b.day(3, 16);
    // 40 one-line rows of 75 units: 36 fit into 2750 units.
    for (int32_t i = 0; i < 40; ++i)
        b.line(kKindWorkingTime, std::to_string(i / 4) + ":" + std::to_string(i % 4 * 15),
               std::to_string((i + 1) / 4) + ":" + std::to_string((i + 1) % 4 * 15));
    const DaySheet sheet = daySheet(b.build(), kDay, DaySheetForm::View, nullptr);
    ASSERT_EQ(sheet.pages.size(), 2u);
    EXPECT_EQ(sheet.pages[0].rowCount(), 36u);
    EXPECT_EQ(sheet.pages[1].rowCount(), 6u); // 4 lines, the empty row, the total
    for (const CReportTable& page : sheet.pages) {
        EXPECT_TRUE(page.drawRowLines);
        EXPECT_EQ(page.minRows, kDaySheetMinimumRows);
    }
}

TEST(DaySheet, ADayWithoutRecordIsABlankRuledSheetAndADateOfAnotherYearIsRefused) {
    const CLorvanDoc doc = builder().build();
    const DaySheet sheet = daySheet(doc, kDay, DaySheetForm::Entry, nullptr);
    ASSERT_EQ(sheet.pages.size(), 1u);
    EXPECT_EQ(sheet.pages[0].rowCount(), 0u);
    EXPECT_EQ(sheet.pages[0].minRows, 30);
    EXPECT_EQ(sheet.documentName, "Tageszettel 16.03.2026 - Jörg Weiß");
    EXPECT_EQ(daySheetExportTable(doc, kDay, nullptr).rowCount(), 0u);
    EXPECT_THROW_MSG(daySheet(doc, Datum{16, 3, 2025}, DaySheetForm::Entry, nullptr),
                     "Der 16.03.2025 liegt nicht im Jahr 2026 der Jahresdatei.");
}

TEST(DaySheet, ExportHasOneRowPerLineWithTypedColumns) {
    const FakeCustomers customers;
    const CLorvanDoc doc = builder()
                               .day(3, 16)
                               .line(kKindCustomer, "8:00", "9:30", 10)
                               .withLine([](CZeitZeile& l) { l.customer = "17"; })
                               .service("Wartung")
                               .work("10:00", "12:00")
                               .build();
    const CReportTable table = daySheetExportTable(doc, kDay, &customers);
    EXPECT_EQ(table.name, "EXPORT");
    std::vector<std::string> titles;
    for (const auto& [number, column] : table.columns()) {
        titles.push_back(column.title);
        EXPECT_EQ(column.width, 1.0);
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"Art", "Kunde", "Dienstleistung", "Von", "Bis", "Arbeitszeit",
                                                "Pause", "Bemerkungen"}));
    EXPECT_EQ(table.column(kDaySheetExportWork)->valueType, kValueHoursMinutes);
    EXPECT_EQ(table.column(kDaySheetExportPause)->valueType, kValueInteger);
    EXPECT_EQ(table.column(kDaySheetExportFrom)->valueType, kValueHoursMinutes);
    const std::vector<Row> expected{
        {"Kunde", "Bäckerei Korn\n\nMarktplatz 3", "Wartung", "08:00", "09:30", "1:20", "10", "Hund im Hof"},
        {"", "", "", "", "", "", "", ""},
        {"Arbeitszeit", "", "", "10:00", "12:00", "2:00", "", ""},
        {"", "", "", "", "", "", "", ""},
        {"", "", "", "", "", "3:20", "", ""},
    };
    EXPECT_EQ(rowsOf(table), expected);
    EXPECT_EQ(daySheetName(doc, kDay), "16.03.2026 - Jörg Weiß");
}

// The page in inches as the recording surface at 100 dpi has it.
double inchesOf(int32_t device) {
    return device / 100.0;
}

TEST(DaySheet, HeaderFormsPlaceNameAndDate) {
    const CLorvanDoc doc = builder().day(3, 16).withDay([](CTagDoc& d) { d.furtherEmployees = "Eva Roth"; })
                               .work("8:00", "9:00").build();
    std::string logo;
    {
        RecordingSurface surface(100);
        printDaySheet(surface, daySheet(doc, kDay, DaySheetForm::Entry, nullptr), logo, {});
        const RecordedCall* date = surface.findText("16.03.2026");
        const RecordedCall* name = surface.findText("Jörg Weiß; Eva Roth");
        ASSERT_NE(date, nullptr);
        ASSERT_NE(name, nullptr);
        EXPECT_NEAR(inchesOf(date->rect.left), 1.4, 0.011);
        EXPECT_NEAR(inchesOf(date->rect.top), 0.5, 0.011);
        EXPECT_GT(name->rect.top, date->rect.top);
        EXPECT_NE(surface.findText("Arbeitsbericht geprüft: _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ "), nullptr);
        EXPECT_EQ(surface.findText("Seite 1 von 1"), nullptr);
        EXPECT_TRUE(surface.textsOutsideTheirBox().empty());
    }
    {
        // Without a logo the date stands beside the name.
        RecordingSurface surface(100);
        printDaySheet(surface, daySheet(doc, kDay, DaySheetForm::View, nullptr), logo, {});
        const RecordedCall* name = surface.findText("Jörg Weiß/Eva Roth");
        const RecordedCall* date = surface.findText("16.03.2026");
        ASSERT_NE(name, nullptr);
        ASSERT_NE(date, nullptr);
        EXPECT_NEAR(inchesOf(name->rect.left), 1.2, 0.011);
        const RecordedCall* label = surface.findText("Datum:");
        ASSERT_NE(label, nullptr);
        EXPECT_NEAR(inchesOf(label->rect.left), 5.6, 0.011);
        EXPECT_GE(inchesOf(date->rect.left), 6.1 - 0.011);
        EXPECT_GT(date->rect.left, label->rect.left + RecordingSurface::textWidth("Datum:", label->font, 0));
        EXPECT_EQ(date->rect.top, name->rect.top);
    }
}

TEST(DaySheet, EveryPageOfALongDayIsNumberedAndOnlyTheLastIsSigned) {
    YearFileBuilder b = builder();
    b.day(3, 16);
    for (int32_t i = 0; i < 40; ++i)
        b.line(kKindWorkingTime, std::to_string(i / 4) + ":" + std::to_string(i % 4 * 15),
               std::to_string((i + 1) / 4) + ":" + std::to_string((i + 1) % 4 * 15));
    RecordingSurface surface(100);
    std::string logo;
    printDaySheet(surface, daySheet(b.build(), kDay, DaySheetForm::Entry, nullptr), logo, {});
    EXPECT_EQ(surface.callsOf(RecordedCall::Kind::BeginPage).size(), 2u);
    EXPECT_NE(surface.findText("Seite 1 von 2"), nullptr);
    EXPECT_NE(surface.findText("Seite 2 von 2"), nullptr);
    int32_t signatures = 0;
    for (const RecordedCall& text : surface.texts())
        if (text.text.rfind("Arbeitsbericht geprüft", 0) == 0) ++signatures;
    EXPECT_EQ(signatures, 1);
    EXPECT_TRUE(surface.textsOutsideTheirBox().empty());
}

} // namespace
} // namespace lorvan
