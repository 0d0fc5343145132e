#include "output/spreadsheet_export.h"

#include "foundation/calendar.h"
#include "foundation/format.h"
#include "foundation/text_encoding.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace lorvan {

namespace {

constexpr size_t kMaxSheetNameCharacters = 31;
constexpr size_t kCutSheetNameCharacters = 29;
constexpr double kMaxColumnWidth = 255.0;
constexpr double kMinutesPerDay = 24.0 * 60.0;

const Datum kSerialDayZero{30, 12, 1899};
const Datum kFirstSerialDate{1, 3, 1900};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

size_t longestLine(std::string_view text) {
    size_t longest = 0;
    while (true) {
        const size_t end = text.find('\n');
        longest = std::max(longest, characterCount(text.substr(0, end)));
        if (end == std::string_view::npos) return longest;
        text.remove_prefix(end + 1);
    }
}

// The format of a typed column in the program; empty for text columns.
std::string columnFormat(int32_t valueType, SpreadsheetProgram program) {
    switch (valueType) {
    case kValueInteger:
        return kFormatInteger;
    case kValueHoursMinutes:
        return program == SpreadsheetProgram::Excel ? kFormatHoursExcel : kFormatHoursCalc;
    case kValueDecimal:
        return kFormatDecimal;
    case kValueDate:
        return kFormatDate;
    default:
        return {};
    }
}

// Excel aligns numbers by their kind: whole and decimal numbers as usual, dates to the left and
// hours centred. Calc keeps its default alignment.
CellAlignment columnAlignment(int32_t valueType, SpreadsheetProgram program) {
    if (program != SpreadsheetProgram::Excel) return CellAlignment::General;
    if (valueType == kValueDate) return CellAlignment::Left;
    if (valueType == kValueHoursMinutes) return CellAlignment::Centre;
    return CellAlignment::General;
}

bool isTypedColumn(int32_t valueType) {
    return valueType >= kValueInteger && valueType <= kValueDate;
}

// Digits with "." every three places from the right.
std::string groupThousands(std::string digits) {
    for (int pos = static_cast<int>(digits.size()) - 3; pos > 0; pos -= 3)
        digits.insert(pos, ".");
    return digits;
}

std::string germanNumberText(double value, int decimals, bool grouped) {
    const std::string plain = format("%.*f", decimals, std::fabs(value));
    const size_t point = plain.find('.');
    std::string whole = plain.substr(0, point);
    if (grouped) whole = groupThousands(whole);
    std::string text = (std::signbit(value) && plain.find_first_not_of("0.") != std::string::npos) ? "-" : "";
    text += whole;
    if (point != std::string::npos) text += "," + plain.substr(point + 1);
    return text;
}

} // namespace

const SheetCell* Sheet::cell(int32_t row, int32_t column) const {
    const auto it = cells.find({row, column});
    return it == cells.end() ? nullptr : &it->second;
}

const char* spreadsheetProgramName(SpreadsheetProgram program) {
    return program == SpreadsheetProgram::Excel ? "Excel" : "OpenOffice/StarOffice";
}

std::string exportCommandText(std::string_view excelText, SpreadsheetProgram program) {
    std::string text(excelText);
    const size_t at = text.find("Excel");
    if (at != std::string::npos) text.replace(at, 5, spreadsheetProgramName(program));
    return text;
}

std::string cleanSheetName(std::string_view name) {
    std::string clean(name);
    for (char& c : clean) {
        if (c == '/' || c == '\\' || c == '?' || c == '*' || c == '[' || c == ']') c = ' ';
    }
    if (characterCount(clean) > kMaxSheetNameCharacters) {
        clean = leftCharacters(clean, kCutSheetNameCharacters) + "..";
    }
    return clean;
}

std::string headerText(const std::string& title, int32_t headerLines, int32_t row) {
    const size_t newline = title.find('\n');
    if (headerLines <= 1 || newline == std::string::npos) return title;
    return row == 1 ? title.substr(0, newline) : title.substr(newline + 1);
}

std::optional<GermanNumber> readGermanNumber(std::string_view text) {
    // Without the thousands dots what stays must read completely as a number: a stray sign or a
    // second comma would otherwise turn "1-2" into 1 and lose the text.
    std::string plain;
    for (char c : text) {
        if (c != '.') plain += c;
    }
    size_t pos = plain.empty() || plain[0] != '-' ? 0 : 1;
    bool digits = false;
    bool decimal = false;
    for (; pos < plain.size(); ++pos) {
        if (isDigit(plain[pos])) {
            digits = true;
        } else if (plain[pos] == ',' && !decimal) {
            decimal = true;
            plain[pos] = '.';
        } else {
            return std::nullopt;
        }
    }
    if (!digits) return std::nullopt;
    double value = 0.0;
    const char* begin = plain.data() + (plain[0] == '-' ? 1 : 0);
    std::from_chars(begin, plain.data() + plain.size(), value);
    if (plain[0] == '-') value = -value;
    return GermanNumber{value, decimal};
}

std::optional<double> timeOfDayValue(std::string_view text) {
    const size_t colon = text.find(':');
    if (colon == 0 || colon == std::string_view::npos || text.size() != colon + 3) return std::nullopt;
    if (!std::all_of(text.begin(), text.begin() + colon, isDigit)) return std::nullopt;
    if (!isDigit(text[colon + 1]) || !isDigit(text[colon + 2])) return std::nullopt;
    int hours = 0;
    for (size_t i = 0; i < colon; ++i) {
        hours = hours * 10 + (text[i] - '0');
        if (hours > 23) return std::nullopt;
    }
    const int minutes = (text[colon + 1] - '0') * 10 + (text[colon + 2] - '0');
    if (minutes > 59) return std::nullopt;
    return (hours * 60 + minutes) / kMinutesPerDay;
}

std::optional<double> dateValue(std::string_view text) {
    const ParsedDate parsed = parseDate(text);
    if (!parsed.valid || parsed.day == 0 || parsed.month == 0) return std::nullopt;
    const Datum date{parsed.day, parsed.month, parsed.year};
    if (!isValidDate(date) || compareDates(date, kFirstSerialDate) < 0) return std::nullopt;
    return static_cast<double>(daysBetween(date, kSerialDayZero));
}

SheetCell convertCell(const std::string& text, int32_t valueType, SpreadsheetProgram program) {
    SheetCell cell;
    cell.text = text;
    if (!isTypedColumn(valueType)) return cell;
    cell.numberFormat = columnFormat(valueType, program);
    cell.alignment = columnAlignment(valueType, program);

    const auto setNumber = [&cell](double value, const char* numberFormat) {
        cell.isNumber = true;
        cell.number = value;
        cell.numberFormat = numberFormat;
    };
    switch (valueType) {
    case kValueInteger:
        if (const auto n = readGermanNumber(text))
            setNumber(n->value, n->decimal ? kFormatDecimal : kFormatInteger);
        break;
    case kValueDecimal:
        if (const auto n = readGermanNumber(text)) setNumber(n->value, kFormatDecimal);
        break;
    case kValueHoursMinutes:
        if (text.find(':') != std::string::npos) {
            if (const auto t = timeOfDayValue(text)) {
                cell.isNumber = true; // in the column's hours format
                cell.number = *t;
            }
        } else if (const auto n = readGermanNumber(text)) {
            const char* whole = program == SpreadsheetProgram::Excel ? kFormatGroupedInteger : kFormatInteger;
            setNumber(n->value, n->decimal ? kFormatDecimal : whole);
        }
        break;
    case kValueDate:
        if (const auto d = dateValue(text)) setNumber(*d, kFormatDate);
        break;
    default:
        break;
    }
    return cell;
}

std::string displayText(const SheetCell& cell) {
    if (!cell.isNumber) return cell.text;
    const std::string& f = cell.numberFormat;
    if (f == kFormatDate)
        return formatDate(addDays(kSerialDayZero, static_cast<int32_t>(std::floor(cell.number))));
    if (f == kFormatHoursExcel || f == kFormatHoursCalc) {
        const long long minutes = std::llround(cell.number * kMinutesPerDay);
        return format("%s%02lld:%02lld", minutes < 0 ? "-" : "", std::llabs(minutes) / 60,
                      std::llabs(minutes) % 60);
    }
    if (f == kFormatDecimal) return germanNumberText(cell.number, 2, true);
    if (f == kFormatGroupedInteger) return germanNumberText(cell.number, 0, true);
    if (f == kFormatInteger) return germanNumberText(cell.number, 0, false);
    return germanNumberText(cell.number, std::floor(cell.number) == cell.number ? 0 : 2, false);
}

double fittedWidth(size_t characters) {
    if (characters == 0) return 0.0;
    const double width = std::round((characters * 1.1 + 1.0) * 100.0) / 100.0;
    return std::min(width, kMaxColumnWidth);
}

Sheet buildSheet(const CReportTable& table, std::string_view sheetName, SpreadsheetProgram program) {
    Sheet sheet;
    sheet.name = cleanSheetName(sheetName);
    const int32_t headerRows = table.showHeader ? std::max(table.headerLines, 0) : 0;
    sheet.rowCount = headerRows + static_cast<int32_t>(table.rowCount());

    for (const auto& [number, column] : table.columns()) {
        sheet.columnCount = std::max(sheet.columnCount, number);
        SheetColumn& sheetColumn = sheet.columns[number];
        if (program == SpreadsheetProgram::Excel) {
            sheetColumn.numberFormat = columnFormat(column.valueType, program);
            sheetColumn.alignment = columnAlignment(column.valueType, program);
        }
        for (int32_t row = 1; row <= headerRows; ++row) {
            std::string text = headerText(column.title, table.headerLines, row);
            if (!text.empty()) sheet.cells[{row, number}].text = std::move(text);
        }
    }

    // Every body row is converted, the first ones too when there is no header.
    int32_t row = headerRows;
    for (const CReportRow& tableRow : table.rows()) {
        ++row;
        for (const CReportCell& cell : tableRow.cells()) {
            if (cell.text.empty()) continue;
            const CReportColumn* column = table.column(cell.column);
            const int32_t valueType = column != nullptr ? column->valueType : kValueText;
            sheet.cells[{row, cell.column}] = convertCell(cell.text, valueType, program);
        }
    }

    std::map<int32_t, size_t> widest;
    for (const auto& [place, cell] : sheet.cells) {
        size_t& w = widest[place.second];
        w = std::max(w, longestLine(displayText(cell)));
    }
    for (auto& [number, column] : sheet.columns)
        column.width = fittedWidth(widest[number]);
    return sheet;
}

} // namespace lorvan
