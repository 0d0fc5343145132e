#include "output/xlsx_writer.h"

#include "foundation/error.h"
#include "support/temp_dir.h"
#include "support/xlsx_contents.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace lorvan {
namespace {

using test::XlsxContents;

// One column of every value type, a two-line header, and a typed column 27 ("AA").
CReportTable everyType() {
    CReportTable table("EXPORT");
    table.headerLines = 2;
    table.addColumn(1, 1.0, "Tag");
    table.addColumn(2, 1.0, "Anzahl").valueType = kValueInteger;
    table.addColumn(3, 1.0, "Ist\nStunden").valueType = kValueHoursMinutes;
    table.addColumn(4, 1.0, "Lohn").valueType = kValueDecimal;
    table.addColumn(5, 1.0, "Datum").valueType = kValueDate;
    table.addColumn(27, 1.0, "Km").valueType = kValueInteger;
    CReportRow& row = table.addRow();
    row.addCell(1, "Mo & Di <frei>");
    row.addCell(2, "1.234,5");
    row.addCell(3, "7:30");
    row.addCell(4, "1.234,56");
    row.addCell(5, "31.12.2024");
    row.addCell(27, "12");
    CReportRow& texts = table.addRow();
    texts.addCell(2, "12a");
    texts.addCell(3, "8");
    texts.addCell(5, "32.12.2024");
    texts.addCell(27, "25:10");
    return table;
}

struct CellExpectation {
    const char* ref;
    bool isString;
    std::string value;
    std::string numberFormat;
};

void expectCells(const XlsxContents& xlsx, std::initializer_list<CellExpectation> expected) {
    for (const auto& e : expected) {
        SCOPED_TRACE(e.ref);
        const auto cell = xlsx.cell(e.ref);
        ASSERT_TRUE(cell.has_value());
        EXPECT_EQ(cell->isString, e.isString);
        EXPECT_EQ(cell->value, e.value);
        EXPECT_EQ(cell->numberFormat, e.numberFormat);
    }
}

TEST(XlsxWriter, ExcelWorkbookHoldsTypedValuesFormatsAndColumnStyles) {
    test::TempDir dir;
    const std::string path = dir.file("export.xlsx");
    const XlsxWriteResult result =
        writeXlsx(buildSheet(everyType(), "2024 - Meier/Schulz", SpreadsheetProgram::Excel), path);
    EXPECT_TRUE(result.nameAccepted);

    const XlsxContents xlsx(path);
    EXPECT_EQ(xlsx.sheetName(), "2024 - Meier Schulz");
    expectCells(xlsx, {
                          // header texts are shared strings; in typed columns they show the column's style
                          {"A1", true, "Tag", ""},
                          {"A2", true, "Tag", ""},
                          {"C1", true, "Ist", "[hh]:mm;@"},
                          {"C2", true, "Stunden", "[hh]:mm;@"},
                          {"A3", true, "Mo & Di <frei>", ""},
                          {"B3", false, "1234.5", "#,##0.00"},
                          {"C3", false, "0.3125", "[hh]:mm;@"},
                          {"D3", false, "1234.56", "#,##0.00"},
                          {"E3", false, "45657", "dd.mm.yyyy"},
                          {"AA3", false, "12", "0"},
                          {"B4", true, "12a", "0"},
                          {"C4", false, "8", "#,##0"},
                          {"E4", true, "32.12.2024", "dd.mm.yyyy"},
                          {"AA4", true, "25:10", "0"},
                      });
    EXPECT_FALSE(xlsx.cell("A4").has_value());
    EXPECT_EQ(xlsx.cell("C3")->alignment, "center");
    EXPECT_EQ(xlsx.cell("E3")->alignment, "left");
    EXPECT_EQ(xlsx.cell("B3")->alignment, "");

    const struct {
        int number;
        std::string numberFormat;
        std::string alignment;
    } columns[] = {
        {1, "", ""},
        {2, "0", ""},
        {3, "[hh]:mm;@", "center"},
        {4, "#,##0.00", ""},
        {5, "dd.mm.yyyy", "left"},
        {27, "0", ""},
    };
    for (const auto& c : columns) {
        SCOPED_TRACE(c.number);
        const auto column = xlsx.column(c.number);
        ASSERT_TRUE(column.has_value());
        EXPECT_EQ(column->numberFormat, c.numberFormat);
        EXPECT_EQ(column->alignment, c.alignment);
        EXPECT_GT(column->width, 1.0);
    }
    // "Mo & Di <frei>" is the widest text of column 1
    EXPECT_NEAR(xlsx.column(1)->width, fittedWidth(14), 1.0);
}

TEST(XlsxWriter, CalcWorkbookFormatsOnlyTheFilledCells) {
    test::TempDir dir;
    const std::string path = dir.file("export.xlsx");
    writeXlsx(buildSheet(everyType(), "Kundenabfrage", SpreadsheetProgram::Calc), path);

    const XlsxContents xlsx(path);
    EXPECT_EQ(xlsx.sheetName(), "Kundenabfrage");
    expectCells(xlsx, {
                          {"C1", true, "Ist", ""},
                          {"C3", false, "0.3125", "[hh]:mm"},
                          {"C4", false, "8", "0"},
                          {"E3", false, "45657", "dd.mm.yyyy"},
                      });
    EXPECT_EQ(xlsx.cell("C3")->alignment, "");
    ASSERT_TRUE(xlsx.column(3).has_value()); // the width only
    EXPECT_EQ(xlsx.column(3)->numberFormat, "");
}

TEST(XlsxWriter, ARefusedSheetNameLeavesTheDefaultName) {
    test::TempDir dir;
    for (const char* name : {"Januar: Meier", "", "'Meier'"}) {
        SCOPED_TRACE(name);
        const std::string path = dir.file("refused.xlsx");
        EXPECT_FALSE(writeXlsx(buildSheet(everyType(), name, SpreadsheetProgram::Excel), path).nameAccepted);
        EXPECT_EQ(XlsxContents(path).sheetName(), "Tabelle1");
    }
    EXPECT_TRUE(isAllowedSheetName("01.2025 Anna Schneider"));
}

TEST(XlsxWriter, AWorkbookThatCannotBeWrittenRaisesAndLeavesNoFile) {
    test::TempDir dir;
    const std::string missingFolder = dir.file("fehlt/export.xlsx");
    try {
        writeXlsx(buildSheet(everyType(), "x", SpreadsheetProgram::Excel), missingFolder);
        FAIL() << "no error";
    } catch (const LorvanError& e) {
        EXPECT_EQ(std::string(e.what()).rfind(missingFolder + ": ", 0), 0u) << e.what();
    }

    // A column beyond the last one a worksheet has.
    CReportTable wide;
    wide.addColumn(20000, 1.0, "zu weit");
    const std::string path = dir.file("wide.xlsx");
    EXPECT_THROW(writeXlsx(buildSheet(wide, "x", SpreadsheetProgram::Excel), path), LorvanError);
    EXPECT_FALSE(std::filesystem::exists(path));
}

} // namespace
} // namespace lorvan
