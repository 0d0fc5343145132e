#include "output/print_table.h"

#include "foundation/error.h"
#include "support/error_text.h"
#include "output/page.h"
#include "output/recording_surface.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace lorvan {
namespace {

using Kind = RecordedCall::Kind;

std::vector<RecordedCall> horizontalLines(const RecordingSurface& surface) {
    std::vector<RecordedCall> result;
    for (const RecordedCall& line : surface.lines())
        if (line.rect.top == line.rect.bottom) result.push_back(line);
    return result;
}

std::vector<RecordedCall> verticalLines(const RecordingSurface& surface) {
    std::vector<RecordedCall> result;
    for (const RecordedCall& line : surface.lines())
        if (line.rect.left == line.rect.right) result.push_back(line);
    return result;
}

TEST(PrintTable, LaysTheColumnsOutSoThatTheTableEndsAtItsRightEdge) {
    struct Case {
        const char* name;
        int32_t dpi;
        std::function<void(CReportTable&)> options;
        std::vector<double> widths;
        std::vector<int32_t> x;
        std::vector<int32_t> deviceWidths;
    };
    const Case cases[] = {
        {"defaults: the last column takes the rest up to 7.9 inches",
         600,
         [](CReportTable&) {},
         {1.0, 2.0, 1.5},
         {0, 600, 1800},
         {600, 1200, 2940}},
        {"equal widths ignore the given ones",
         300,
         [](CReportTable& t) {
             t.equalWidths = true;
             t.left = 0.6;
             t.right = 7.0;
         },
         {1.0, 2.0, 1.5},
         {180, 820, 1460},
         {640, 640, 640}},
        {"too wide: the last column shrinks", 600, [](CReportTable&) {}, {5.0, 5.0}, {0, 3000}, {3000, 1740}},
        {"device units",
         600,
         [](CReportTable& t) {
             t.inInches = false;
             t.left = 100;
             t.right = 1000;
         },
         {200, 300},
         {100, 300},
         {200, 700}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingSurface surface(c.dpi);
        CPage page(surface);
        CReportTable table;
        c.options(table);
        for (size_t i = 0; i < c.widths.size(); ++i)
            table.addColumn(static_cast<int32_t>(i + 1), c.widths[i], "Spalte");
        CPrintTable printed(table, page, 0);
        std::vector<int32_t> x;
        std::vector<int32_t> widths;
        for (const auto& [number, column] : table.columns()) {
            x.push_back(column.deviceX);
            widths.push_back(column.deviceWidth);
        }
        EXPECT_EQ(x, c.x);
        EXPECT_EQ(widths, c.deviceWidths);
    }
}

TEST(PrintTable, RowAndHeaderHeightsFollowTheFontSize) {
    RecordingSurface surface(600);
    CPage page(surface);
    CReportTable table;
    table.addColumn(1, 1.0, "Tag");
    CPrintTable oneLine(table, page, 0);
    EXPECT_EQ(oneLine.baseRowHeight(), 125); // 10 × 1.5 / 72 × 600
    EXPECT_EQ(oneLine.headerHeight(), 125);
    table.headerLines = 2;
    table.rowLines = 2;
    CPrintTable twoLines(table, page, 0);
    EXPECT_EQ(twoLines.headerHeight(), 216); // 2 × 108
    EXPECT_EQ(twoLines.baseRowHeight(), 250);
}

// Three columns at 600 dpi from 0 to 7.9 inches: x 0, 600, 1800; a header of two lines (216 dots) from
// y 600; body rows of 125 dots from 816.
class TableLayout : public ::testing::Test {
  protected:
    TableLayout() {
        table.headerLines = 2;
        table.drawRowLines = true;
        table.addColumn(1, 1.0, "");
        table.addColumn(2, 2.0, "Kunde").lineBefore = false;
        CReportColumn& remark = table.addColumn(3, 1.5, "Az\nDiff");
        remark.flags = kTextIndentTitle | kTextRight;
        remark.fontSize = 14;
        CReportRow& first = table.addRow();
        first.addCell(1, "05.03.-U");
        first.addCell(3, "1:30", true);
        table.addRow().addCell(2, "Müller GmbH");
    }
    int32_t print(int32_t top = 600) {
        CPrintTable printed(table, page, top);
        return printed.printTable();
    }

    RecordingSurface surface{600};
    CPage page{surface};
    CReportTable table;
};

TEST_F(TableLayout, PrintsHeaderCellsRowsAndLinesAtTheirDevicePositions) {
    EXPECT_EQ(print(), 816 + 2 * 125);

    // Header: the box over the whole width, a box per cell, the titles bold between 2 dots of margin.
    const std::vector<RecordedCall> boxes = surface.boxes();
    ASSERT_EQ(boxes.size(), 5u);
    EXPECT_EQ(boxes[0].rect, (Rect{0, 600, 4740, 816}));
    EXPECT_EQ(boxes[1].rect, (Rect{0, 600, 600, 816}));
    EXPECT_EQ(boxes[2].rect, (Rect{600, 600, 1800, 816}));
    EXPECT_EQ(boxes[3].rect, (Rect{1800, 600, 4740, 816}));
    const RecordedCall* untitled = surface.findText("Col 1");
    ASSERT_NE(untitled, nullptr);
    EXPECT_EQ(untitled->rect, (Rect{0, 602, 600, 814}));
    EXPECT_EQ(untitled->flags, kTextCentre | kTextBold | kTextVerticalCentre);
    EXPECT_TRUE(untitled->font.bold);
    const RecordedCall* indented = surface.findText("Az\nDiff");
    ASSERT_NE(indented, nullptr);
    EXPECT_EQ(indented->rect, (Rect{1810, 602, 4740, 814}));
    EXPECT_EQ(indented->font.height, 83); // the table's size, not the column's

    // Cells: 10 dots in from the left, 5 from the right, 2 from top and bottom; single line and
    // vertically centred; a column's larger size is cut to the table's with row lines.
    const RecordedCall* date = surface.findText("05.03.-U");
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(date->rect, (Rect{10, 818, 595, 939}));
    EXPECT_EQ(date->flags, kTextCentre | kTextSingleLine | kTextVerticalCentre);
    const RecordedCall* bold = surface.findText("1:30");
    ASSERT_NE(bold, nullptr);
    EXPECT_EQ(bold->rect, (Rect{1810, 818, 4735, 939}));
    EXPECT_EQ(bold->flags, kTextIndentTitle | kTextRight | kTextSingleLine | kTextVerticalCentre | kTextBold);
    EXPECT_EQ(bold->font.height, 83);
    EXPECT_EQ(surface.findText("Müller GmbH")->rect, (Rect{610, 943, 1795, 1064}));

    // A line under every row, column lines below the header except at the left edge and where
    // lineBefore is off, and the frame.
    const std::vector<RecordedCall> rows = horizontalLines(surface);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].rect, (Rect{0, 941, 4740, 941}));
    EXPECT_EQ(rows[1].rect, (Rect{0, 1066, 4740, 1066}));
    const std::vector<RecordedCall> columns = verticalLines(surface);
    ASSERT_EQ(columns.size(), 1u);
    EXPECT_EQ(columns[0].rect, (Rect{1800, 816, 1800, 1066}));
    EXPECT_EQ(boxes[4].rect, (Rect{0, 600, 4740, 1066}));
    EXPECT_EQ(boxes[4].fill, std::nullopt);
}

TEST_F(TableLayout, WithoutRowLinesAColumnKeepsItsOwnFontSize) {
    table.drawRowLines = false;
    print();
    EXPECT_EQ(surface.findText("1:30")->font.height, 117);
    EXPECT_TRUE(horizontalLines(surface).empty());
}

TEST_F(TableLayout, HeaderFillsAndTitleColours) {
    struct Case {
        int32_t fill;
        std::optional<Rgb> colour;
        Rgb title;
    };
    const Case cases[] = {{kFillNone, std::nullopt, kBlack},
                          {kFillGrey, kFillGreyColor, kBlack},
                          {kFillLightGrey, kFillLightGreyColor, kWhite},
                          {kFillBlack, kBlack, kWhite}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fill);
        surface.clear();
        table.headerFill = c.fill;
        print();
        EXPECT_EQ(surface.boxes()[1].fill, c.colour);
        EXPECT_EQ(surface.findText("Kunde")->color, c.title);
        EXPECT_EQ(surface.findText("Müller GmbH")->color, kBlack);
    }
}

TEST_F(TableLayout, PadsToMinRowsWithRuledRowsInsideTheFrame) {
    table.minRows = 30;
    table.addRow().addCell(1, "07.03.");
    const int32_t end = print();
    EXPECT_EQ(end, 816 + 30 * 125);
    const std::vector<RecordedCall> rows = horizontalLines(surface);
    ASSERT_EQ(rows.size(), 30u);
    for (int32_t k = 0; k < 30; ++k)
        EXPECT_EQ(rows[static_cast<size_t>(k)].rect.top, 816 + (k + 1) * 125) << k;
    EXPECT_EQ(surface.boxes().back().rect, (Rect{0, 600, 4740, end}));
    EXPECT_EQ(verticalLines(surface)[0].rect.bottom, end);
}

TEST_F(TableLayout, ASeparatorAboveARowIsHeavier) {
    table.lineWidth = 2;
    table.row(1).separatorAbove = true;
    print();
    const std::vector<RecordedCall> rows = horizontalLines(surface);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].rect.top, 941);
    EXPECT_EQ(rows[1].pen.width, 6);
    EXPECT_EQ(rows[0].pen.width, 2);
}

TEST_F(TableLayout, TablesThatPrintNothing) {
    struct Case {
        const char* name;
        std::function<void(CReportTable&)> change;
    };
    const Case cases[] = {
        {"plain without header row", [](CReportTable& t) { t.plain = true, t.showHeader = false; }},
        {"no columns", [](CReportTable& t) { t = CReportTable(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        surface.clear();
        CReportTable copy = table;
        c.change(copy);
        EXPECT_EQ(CPrintTable(copy, page, 600).printTable(), 600);
        EXPECT_TRUE(surface.calls().empty());
    }
}

TEST_F(TableLayout, PlainTablesDrawNoLines) {
    table.plain = true;
    table.minRows = 10;
    EXPECT_EQ(print(), 816 + 2 * 125);
    EXPECT_TRUE(surface.lines().empty());
    EXPECT_EQ(surface.boxes().size(), 4u); // header box and cells only, no frame
}

TEST_F(TableLayout, ACellOfAMissingColumnIsAnInternalError) {
    table.columns().erase(3);
    EXPECT_THROW_MSG(print(), std::string(kPointerNotSet));
}

TEST_F(TableLayout, MeasureOnlyGivesTheSameEndWithoutDrawing) {
    table.column(2)->flags |= kTextMultiLineCell;
    table.row(1).addCell(2, std::string(80, 'x') + " " + std::string(40, 'y'));
    const int32_t drawn = print();
    surface.clear();
    page.setMeasureOnly(true);
    EXPECT_EQ(print(), drawn);
    EXPECT_TRUE(surface.calls().empty());
}

TEST(PrintTable, AMultiLineCellMakesItsRowTallerInWholeOrHalfRowUnits) {
    // The row's units u = 1 + (h - b) × 0.02 rounded up to a half; when u base heights do not reach h
    // the row grows to whole units that do.
    struct Case {
        const char* name;
        int32_t dpi;
        int32_t lines;     // of the multi-line cell
        int32_t rowHeight; // of that row
        int32_t units;     // it counts for minRows
    };
    const Case cases[] = {
        // b = 125, three lines of 83: h = 2 + 249 + 2 = 253, u = 1 + 2.56 -> 4.0, 500 >= 253
        {"600 dpi", 600, 3, 253, 4},
        // b = 15, six lines of 10: h = 64, u = 1 + 0.98 -> 2.0; 30 < 64, so 5 units of 15
        {"72 dpi", 72, 6, 75, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingSurface surface(c.dpi);
        CPage page(surface);
        CReportTable table;
        table.showHeader = false;
        table.drawRowLines = true;
        table.addColumn(1, 1.0, "Bemerkungen").flags = kTextMultiLineCell;
        table.addColumn(2, 1.0, "Dauer");
        // Words of five characters, two to a line at either resolution.
        std::string text;
        for (int32_t i = 0; i < c.lines * 2; ++i)
            text += (i > 0 ? " " : "") + std::string(5, static_cast<char>('a' + i));
        table.addRow().addCell(1, text);
        table.addRow().addCell(2, "8:00");
        table.minRows = c.units + 2;
        const int32_t base = CPrintTable(table, page, 0).baseRowHeight();
        const int32_t end = CPrintTable(table, page, 100).printTable();

        const RecordedCall* cell = surface.findText(text);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->rect.bottom, 100 + 2 + c.lines * page.fontHeight(10)); // no bottom edge
        EXPECT_EQ(cell->flags, kTextMultiLineCell);
        EXPECT_EQ(surface.findText("8:00")->rect.top, 100 + c.rowHeight + 2);
        // One padding row brings the count from units + 1 to minRows.
        EXPECT_EQ(end, 100 + c.rowHeight + 2 * base);
    }
}

TEST(PrintTable, AHeaderRowGrowsToItsWrappedTitlesInWholeLines) {
    RecordingSurface surface(600);
    CPage page(surface);
    CReportTable table;
    table.addColumn(1, 1.0, "Monat");
    table.addColumn(2, 1.0, "Tage >= 14 Stunden"); // two lines of 83 in 600 dots
    table.addColumn(3, 1.0, "Summe");
    table.addRow().addCell(1, "Januar");
    CPrintTable printed(table, page, 600);
    // Two lines with their margins need 170 dots: two header lines of the several-line height.
    EXPECT_EQ(printed.headerHeight(), 216);
    EXPECT_EQ(printed.printTable(), 600 + 216 + 125);

    const RecordedCall* title = surface.findText("Tage >= 14 Stunden");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->rect, (Rect{600, 602, 1200, 814}));
    EXPECT_EQ(title->font.height, 83);
    EXPECT_EQ(surface.boxes()[0].rect, (Rect{0, 600, 4740, 816}));
    EXPECT_EQ(surface.findText("Januar")->rect.top, 818);
    EXPECT_TRUE(surface.textsOutsideTheirBox().empty());
}

TEST(PrintTable, ACellTooWideForItsColumnStepsDownWrapsOrMakesItsRowTaller) {
    // Columns of 0.6 inches: cells of 345 dots, 8 characters of 10 points, 11 of 7 points.
    RecordingSurface surface(600);
    CPage page(surface);
    CReportTable table;
    table.showHeader = false;
    for (int32_t i = 1; i <= 4; ++i)
        table.addColumn(i, 0.6, "");
    table.column(4)->flags = 0;
    CReportRow& row = table.addRow();
    row.addCell(1, "EUR 28,00");                        // 9 characters: one line of 9 points
    row.addCell(2, "Satz: 1234,00");                    // 13: two lines of 7 points within the row
    row.addCell(3, "Urlaub wegen Umzug ins neue Haus"); // wraps at 10 points, the row grows
    row.addCell(4, "05.              ");                // trailing blanks are not laid out
    table.addRow().addCell(1, "8:00");
    const int32_t end = CPrintTable(table, page, 0).printTable();

    struct Expected {
        const char* text;
        int32_t height; // of the font
        bool singleLine;
    };
    const Expected cells[] = {{"EUR 28,00", 75, true},
                              {"Satz: 1234,00", 58, false},
                              {"Urlaub wegen Umzug ins neue Haus", 83, false},
                              {"05.", 83, true},
                              {"8:00", 83, true}};
    for (const Expected& e : cells) {
        SCOPED_TRACE(e.text);
        const RecordedCall* cell = surface.findText(e.text);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->font.height, e.height);
        EXPECT_EQ((cell->flags & kTextSingleLine) != 0, e.singleLine);
    }
    // The grown cell takes five lines of 83 with its margins, 419 dots; the next row starts below it.
    const RecordedCall* grown = surface.findText("Urlaub wegen Umzug ins neue Haus");
    EXPECT_EQ(grown->rect, (Rect{730, 2, 1075, 2 + 5 * 83}));
    EXPECT_EQ(surface.findText("8:00")->rect.top, 419 + 2);
    EXPECT_EQ(end, 419 + 125);
    EXPECT_TRUE(surface.textsOutsideTheirBox().empty());
}

TEST(PrintTable, PrintedAtYInchesReturnsTheYBelowInInches) {
    RecordingSurface surface(600);
    CPage page(surface);
    CReportTable table;
    table.addColumn(1, 1.0, "Monat");
    table.addRow().addCell(1, "Januar");
    table.addRow().addCell(1, "Februar");
    EXPECT_DOUBLE_EQ(printTable(page, table, 1.0), (600.0 + 3 * 125) / 600);
}

} // namespace
} // namespace lorvan
