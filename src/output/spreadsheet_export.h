#pragma once

#include "output/report_table.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

// The spreadsheet export of a report table: the table becomes one sheet with header rows, body rows,
// typed cells (numbers, times of day, dates) with their number formats, column alignments and
// widths fitted to the content. Everything here is plain data; xlsx_writer.h writes such a sheet to
// an .xlsx file and spreadsheet_launch.h hands the file to the spreadsheet program.
namespace lorvan {

// The one switch for all exports: which spreadsheet program gets the tables. Both take the same
// input; they differ in a few number formats and in whether the column formats are set.
enum class SpreadsheetProgram { Excel, Calc };

// "Excel" or "OpenOffice/StarOffice", the name the export commands show.
const char* spreadsheetProgramName(SpreadsheetProgram program);
// A menu or button text naming Excel with the name of the chosen program put in ("&Export nach
// Excel..." -> "&Export nach OpenOffice/StarOffice..." for Calc).
std::string exportCommandText(std::string_view excelText, SpreadsheetProgram program);

// Number formats in the syntax stored in .xlsx files. That syntax is always the en-US one: ","
// groups thousands, "." is the decimal point, d/m/y/h are the date and time letters. The
// spreadsheet program shows a format in the user's locale, so in a German installation "#,##0.00"
// is the "#.##0,00" of the German format dialog and displays 1.234,50, "dd.mm.yyyy" is "TT.MM.JJJJ",
// and "[hh]:mm" is "[HH]:MM". Writing the German spelling into the file would be read as a
// different (broken) format everywhere.
inline constexpr const char* kFormatInteger = "0";            // integer column
inline constexpr const char* kFormatGroupedInteger = "#,##0"; // "#.##0": whole hours in Excel
inline constexpr const char* kFormatDecimal = "#,##0.00";     // "#.##0,00"
inline constexpr const char* kFormatHoursExcel = "[hh]:mm;@"; // hours-and-minutes column, Excel
inline constexpr const char* kFormatHoursCalc = "[hh]:mm";    // "[HH]:MM", Calc
inline constexpr const char* kFormatDate = "dd.mm.yyyy";      // "TT.MM.JJJJ"

enum class CellAlignment { General, Left, Centre };

struct SheetCell {
    bool isNumber = false; // else a text
    std::string text;      // the text as the table had it (also kept for converted cells)
    double number = 0.0;   // a number, or a serial date-time (days since 30.12.1899)
    std::string numberFormat;
    CellAlignment alignment = CellAlignment::General;
};

struct SheetColumn {
    std::string numberFormat; // for the whole column (Excel only); empty: none
    CellAlignment alignment = CellAlignment::General;
    double width = 0.0; // in characters of the standard font; 0 keeps the default width
};

// One worksheet; rows and columns count from 1.
struct Sheet {
    std::string name;
    int32_t rowCount = 0;
    int32_t columnCount = 0;                                // the highest column with a table column
    std::map<std::pair<int32_t, int32_t>, SheetCell> cells; // (row, column)
    std::map<int32_t, SheetColumn> columns;

    const SheetCell* cell(int32_t row, int32_t column) const;
};

// Every "/", "\", "?", "*", "[" and "]" becomes a blank; a name of more than 31 characters is cut to
// its first 29 characters followed by "..".
std::string cleanSheetName(std::string_view name);

// The text of header row `row` (1 to headerLines) for a column title: the whole title with one header
// line; with more, the text before the first "\n" in row 1 and the text after it in every further
// row; a title without "\n" in every row.
std::string headerText(const std::string& title, int32_t headerLines, int32_t row);

// A number text in German notation: digits with "." thousands separators, an optional leading "-"
// and at most one decimal comma. The dots are dropped; without a comma the value is whole.
struct GermanNumber {
    double value = 0.0;
    bool decimal = false; // the text had a decimal comma
};
std::optional<GermanNumber> readGermanNumber(std::string_view text);
// "h:mm" with hours 0-23 as the time of day on 30.12.1899 (a fraction of a day); anything else
// (more hours, a sign, a minute part that is not two digits below 60) has no value.
std::optional<double> timeOfDayValue(std::string_view text);
// A full date in the typed date forms as days since 30.12.1899; no value for other texts and for
// dates before 1 March 1900 (there the two spreadsheet programs count days differently).
std::optional<double> dateValue(std::string_view text);

// One non-empty body text of a column of that value type, converted for that program: the typed
// value with its number format, or the text (with the column's format in a typed column).
SheetCell convertCell(const std::string& text, int32_t valueType, SpreadsheetProgram program);

// What a spreadsheet in a German locale shows for the cell (1.234,50; 07:30; 31.12.2024).
std::string displayText(const SheetCell& cell);
// The column width that fits a text of that many characters.
double fittedWidth(size_t characters);

// The sheet of a table: header rows when showHeader, one sheet row per table row, each cell in the
// sheet column of its column number, typed columns converted, widths fitted to all texts shown.
Sheet buildSheet(const CReportTable& table, std::string_view sheetName, SpreadsheetProgram program);

} // namespace lorvan
