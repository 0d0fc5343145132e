#include "output/spreadsheet_export.h"

#include <gtest/gtest.h>

#include <string>

namespace lorvan {
namespace {

constexpr auto kExcel = SpreadsheetProgram::Excel;
constexpr auto kCalc = SpreadsheetProgram::Calc;

std::string repeat(const std::string& part, int n) {
    std::string text;
    for (int i = 0; i < n; ++i)
        text += part;
    return text;
}

TEST(SpreadsheetExport, SheetNamesLoseForbiddenCharactersAndAreCutAfter31Characters) {
    const struct {
        std::string name;
        std::string expected;
    } cases[] = {
        {"2024 - Meier/Schulz [A]", "2024 - Meier Schulz  A "},
        {"a\\b?c*d", "a b c d"},
        {repeat("x", 31), repeat("x", 31)},
        {repeat("x", 32), repeat("x", 29) + ".."},
        {repeat("0123456789", 4), "01234567890123456789012345678.."},
        // characters, not bytes
        {repeat("ä", 31), repeat("ä", 31)},
        {repeat("ä", 35), repeat("ä", 29) + ".."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cleanSheetName(c.name), c.expected) << c.name;
}

TEST(SpreadsheetExport, HeaderRowsSplitTheTitleAtItsFirstLineBreak) {
    const struct {
        std::string title;
        int32_t headerLines;
        int32_t row;
        std::string expected;
    } cases[] = {
        {"Soll\nStunden", 1, 1, "Soll\nStunden"},
        {"Soll\nStunden", 2, 1, "Soll"},
        {"Soll\nStunden", 2, 2, "Stunden"},
        {"a\nb\nc", 3, 3, "b\nc"},
        {"Datum", 2, 1, "Datum"},
        {"Datum", 2, 2, "Datum"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(headerText(c.title, c.headerLines, c.row), c.expected) << c.title << " " << c.row;
    }
}

TEST(SpreadsheetExport, TypedTextsBecomeValuesWithTheirFormats) {
    const struct {
        std::string text;
        int32_t valueType;
        SpreadsheetProgram program;
        bool isNumber;
        double number;
        std::string numberFormat;
    } cases[] = {
        {"1.234", kValueInteger, kExcel, true, 1234, "0"},
        {"1.234,5", kValueInteger, kExcel, true, 1234.5, "#,##0.00"},
        {"-17", kValueInteger, kCalc, true, -17, "0"},
        {"12a", kValueInteger, kExcel, false, 0, "0"},
        // a number text that does not read completely stays text instead of losing its tail
        {"1-2", kValueInteger, kExcel, false, 0, "0"},
        {"-", kValueInteger, kExcel, false, 0, "0"},
        {"1,2,3", kValueDecimal, kExcel, false, 0, "#,##0.00"},
        {"7,25", kValueDecimal, kExcel, true, 7.25, "#,##0.00"},
        {"-0,5", kValueDecimal, kExcel, true, -0.5, "#,##0.00"},
        {"8", kValueDecimal, kCalc, true, 8, "#,##0.00"},
        {"7:30", kValueHoursMinutes, kExcel, true, 7.5 / 24, "[hh]:mm;@"},
        {"07:30", kValueHoursMinutes, kCalc, true, 7.5 / 24, "[hh]:mm"},
        {"23:59", kValueHoursMinutes, kExcel, true, (23 * 60 + 59) / 1440.0, "[hh]:mm;@"},
        {"25:10", kValueHoursMinutes, kExcel, false, 0, "[hh]:mm;@"},
        {"24:00", kValueHoursMinutes, kExcel, false, 0, "[hh]:mm;@"},
        {"-1:30", kValueHoursMinutes, kCalc, false, 0, "[hh]:mm"},
        {"7:5", kValueHoursMinutes, kExcel, false, 0, "[hh]:mm;@"},
        {"7:75", kValueHoursMinutes, kExcel, false, 0, "[hh]:mm;@"},
        {"Summe: 12", kValueHoursMinutes, kExcel, false, 0, "[hh]:mm;@"},
        {"8", kValueHoursMinutes, kExcel, true, 8, "#,##0"},
        {"8", kValueHoursMinutes, kCalc, true, 8, "0"},
        {"7,5", kValueHoursMinutes, kCalc, true, 7.5, "#,##0.00"},
        {"frei", kValueHoursMinutes, kExcel, false, 0, "[hh]:mm;@"},
        {"31.12.2024", kValueDate, kExcel, true, 45657, "dd.mm.yyyy"},
        {"1.3.1900", kValueDate, kCalc, true, 61, "dd.mm.yyyy"},
        {"28.2.1900", kValueDate, kExcel, false, 0, "dd.mm.yyyy"},
        {"32.12.2024", kValueDate, kExcel, false, 0, "dd.mm.yyyy"},
        {"12.2024", kValueDate, kExcel, false, 0, "dd.mm.yyyy"},
        {"1.234", kValueText, kExcel, false, 0, ""},
        {"1.234", 9, kExcel, false, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text + " type " + std::to_string(c.valueType));
        const SheetCell cell = convertCell(c.text, c.valueType, c.program);
        EXPECT_EQ(cell.text, c.text);
        EXPECT_EQ(cell.isNumber, c.isNumber);
        if (c.isNumber) {
            EXPECT_DOUBLE_EQ(cell.number, c.number);
        }
        EXPECT_EQ(cell.numberFormat, c.numberFormat);
    }
}

TEST(SpreadsheetExport, ExcelAlignsDatesLeftAndHoursCentredCalcKeepsItsDefault) {
    const struct {
        int32_t valueType;
        SpreadsheetProgram program;
        CellAlignment expected;
    } cases[] = {
        {kValueInteger, kExcel, CellAlignment::General}, {kValueDecimal, kExcel, CellAlignment::General},
        {kValueDate, kExcel, CellAlignment::Left},       {kValueHoursMinutes, kExcel, CellAlignment::Centre},
        {kValueDate, kCalc, CellAlignment::General},     {kValueHoursMinutes, kCalc, CellAlignment::General},
        {kValueText, kExcel, CellAlignment::General},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(convertCell("x", c.valueType, c.program).alignment, c.expected) << c.valueType;
    }
}

TEST(SpreadsheetExport, DisplayTextIsWhatAGermanSpreadsheetShows) {
    const struct {
        SheetCell cell;
        std::string expected;
    } cases[] = {
        {{true, "", 1234567.5, "#,##0.00"}, "1.234.567,50"},
        {{true, "", -1234.5, "#,##0.00"}, "-1.234,50"},
        {{true, "", -0.001, "#,##0.00"}, "0,00"},
        {{true, "", 1234, "0"}, "1234"},
        {{true, "", 12345, "#,##0"}, "12.345"},
        {{true, "", 7.5 / 24, "[hh]:mm;@"}, "07:30"},
        {{true, "", 45657, "dd.mm.yyyy"}, "31.12.2024"},
        {{false, "25:10", 0, "[hh]:mm;@"}, "25:10"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(displayText(c.cell), c.expected) << c.expected;
}

// Columns 1 text, 2 hours, 4 date (no column 3); two header lines.
CReportTable timesTable() {
    CReportTable table("EXPORT");
    table.headerLines = 2;
    table.addColumn(1, 1.0, "Mitarbeiter");
    table.addColumn(2, 1.0, "Ist\nStunden").valueType = kValueHoursMinutes;
    table.addColumn(4, 1.0, "Datum").valueType = kValueDate;
    CReportRow& first = table.addRow();
    first.addCell(1, "Anna Schneider");
    first.addCell(2, "7:30");
    first.addCell(4, "31.12.2024");
    CReportRow& second = table.addRow();
    second.addCell(1, "");
    second.addCell(2, "168:30");
    table.addRow(); // an empty row keeps its sheet row
    table.addRow().addCell(4, "02.01.2025");
    return table;
}

TEST(SpreadsheetExport, SheetPutsHeaderLinesAboveTheBodyAndCellsInTheirColumns) {
    const Sheet sheet = buildSheet(timesTable(), "2024 - Anna/Schneider", kExcel);
    EXPECT_EQ(sheet.name, "2024 - Anna Schneider");
    EXPECT_EQ(sheet.rowCount, 6);
    EXPECT_EQ(sheet.columnCount, 4);

    EXPECT_EQ(sheet.cell(1, 2)->text, "Ist");
    EXPECT_EQ(sheet.cell(2, 2)->text, "Stunden");
    EXPECT_EQ(sheet.cell(1, 1)->text, "Mitarbeiter");
    EXPECT_EQ(sheet.cell(2, 1)->text, "Mitarbeiter");
    EXPECT_FALSE(sheet.cell(1, 2)->isNumber);

    EXPECT_EQ(sheet.cell(3, 1)->text, "Anna Schneider");
    EXPECT_TRUE(sheet.cell(3, 2)->isNumber);
    EXPECT_TRUE(sheet.cell(3, 4)->isNumber);
    EXPECT_EQ(sheet.cell(4, 1), nullptr); // an empty text leaves the cell empty
    EXPECT_FALSE(sheet.cell(4, 2)->isNumber);
    EXPECT_EQ(sheet.cell(6, 4)->number, 45659);
    EXPECT_EQ(sheet.cell(3, 3), nullptr);
    EXPECT_EQ(sheet.cells.size(), 11u);

    EXPECT_EQ(sheet.columns.at(2).numberFormat, "[hh]:mm;@");
    EXPECT_EQ(sheet.columns.at(2).alignment, CellAlignment::Centre);
    EXPECT_EQ(sheet.columns.at(4).numberFormat, "dd.mm.yyyy");
    EXPECT_EQ(sheet.columns.at(1).numberFormat, "");
    // widths follow the longest text shown: a name, "168:30" beside "Stunden", a date
    EXPECT_DOUBLE_EQ(sheet.columns.at(1).width, fittedWidth(14));
    EXPECT_DOUBLE_EQ(sheet.columns.at(2).width, fittedWidth(7));
    EXPECT_DOUBLE_EQ(sheet.columns.at(4).width, fittedWidth(10));
    EXPECT_EQ(sheet.columns.count(3), 0u);
}

TEST(SpreadsheetExport, CalcSetsNoColumnFormats) {
    const Sheet sheet = buildSheet(timesTable(), "x", kCalc);
    for (const auto& [number, column] : sheet.columns) {
        EXPECT_EQ(column.numberFormat, "") << number;
        EXPECT_EQ(column.alignment, CellAlignment::General) << number;
    }
    EXPECT_EQ(sheet.cell(3, 2)->numberFormat, "[hh]:mm");
}

TEST(SpreadsheetExport, WithoutHeaderTheBodyStartsInRowOneAndIsConvertedFromThere) {
    CReportTable table = timesTable();
    table.showHeader = false;
    const Sheet sheet = buildSheet(table, "x", kExcel);
    EXPECT_EQ(sheet.rowCount, 4);
    EXPECT_EQ(sheet.cell(1, 1)->text, "Anna Schneider");
    EXPECT_TRUE(sheet.cell(1, 2)->isNumber);
    EXPECT_TRUE(sheet.cell(1, 4)->isNumber);
    EXPECT_DOUBLE_EQ(sheet.columns.at(1).width, fittedWidth(14));
}

TEST(SpreadsheetExport, ExportCommandTextsNameTheChosenProgram) {
    EXPECT_EQ(exportCommandText("&Export nach Excel...", kExcel), "&Export nach Excel...");
    EXPECT_EQ(exportCommandText("&Export nach Excel...", kCalc), "&Export nach OpenOffice/StarOffice...");
    EXPECT_EQ(exportCommandText("E&xport nach Excel monatliche Arbeitszeiten...", kCalc),
              "E&xport nach OpenOffice/StarOffice monatliche Arbeitszeiten...");
}

} // namespace
} // namespace lorvan
