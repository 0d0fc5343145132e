#include "reports/day_sheet.h"

#include "foundation/calendar.h"
#include "foundation/error.h"
#include "foundation/format.h"
#include "foundation/text_encoding.h"
#include "foundation/time_text.h"
#include "output/print_table.h"
#include "reports/report_print.h"
#include "reports/report_text.h"
#include "yearfile/year_file.h"

#include <algorithm>
#include <utility>

namespace lorvan {
namespace {

constexpr double kLeft = 0.6;
constexpr double kRight = 7.9;
constexpr double kLogoTop = 0.2;
constexpr double kHeaderTop = 0.5;
constexpr int32_t kLabelSize = 14;
constexpr int32_t kValueSize = 16;
constexpr int32_t kFooterSize = 12;
constexpr int32_t kRulePen = 5;
constexpr const char* kChecked =
    "Arbeitsbericht geprüft: _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ ";
constexpr const char* kDitto = "    - \" - ";

// The page rule: rows are measured in units, a page holds at most this many.
constexpr int32_t kPageUnits = 2750;
constexpr int32_t kUnitsPerRow = 25;
constexpr int32_t kUnitsPerLine = 50;

// A time of the sheet: "%1.2ld:%2.2ld", an hour above 24 (or 24 with minutes) taken back a day.
std::string sheetClock(const std::string& time) {
    if (time.empty()) return {};
    int32_t minutes = parseClock(time);
    if (minutes > 24 * 60) minutes -= 24 * 60;
    return format("%1.2d:%2.2d", minutes / 60, minutes % 60);
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : "\n") + line;
    return text;
}

// Notes and remark of a row: the notes first, the remark after a line break.
std::string notesAndRemark(const std::string& notes, const std::string& remark) {
    if (notes.empty()) return remark;
    if (remark.empty()) return notes;
    return notes + "\n" + remark;
}

int32_t lineCount(const std::string& text) {
    return 1 + static_cast<int32_t>(std::count(text.begin(), text.end(), '\n'));
}

// One row of the sheet before it goes into a printed or an exported table.
struct SheetRow {
    std::string kind;     // export "Art"
    std::string customer; // print: the customer column; export: the customer's text
    std::string service;  // export only
    std::string from;
    std::string to;
    int32_t work = 0;
    int32_t pause = 0;
    std::string remark;

    int32_t units() const {
        return kUnitsPerRow + kUnitsPerLine * std::max(lineCount(customer), lineCount(remark));
    }
};

// The rows of the day in list order: an empty row where a line does not start at the previous line's
// end, the customer rows, and after the last line an empty row and the total.
std::vector<SheetRow> sheetRows(const CTagDoc* day, bool forExport, const DaySheetCustomers* customers) {
    std::vector<SheetRow> rows;
    if (day == nullptr) return rows;
    const CZeitZeile* previous = nullptr;
    std::optional<std::string> lastCustomer;
    int32_t total = 0;
    for (const CZeitZeile& line : day->lines()) {
        if (previous != nullptr && parseClock(line.from) != parseClock(previous->to)) rows.emplace_back();
        previous = &line;

        SheetRow values;
        values.kind = line.kind;
        values.service = line.service;
        values.from = sheetClock(line.from);
        values.to = sheetClock(line.to);
        values.work = line.duration - line.pause;
        values.pause = line.pause;
        const std::string remark = forExport ? line.remark : joinLines(wrapRemark(line.remark));
        if (values.work > 0) total += values.work;

        if (line.kind != kKindCustomer) {
            lastCustomer.reset();
            if (!forExport) {
                if (line.service.empty())
                    values.customer = line.kind;
                else if (line.kind == kKindWorkingTime)
                    values.customer = line.service;
                else
                    values.customer = line.kind + "\n" + line.service;
            }
            values.remark = remark;
            rows.push_back(std::move(values));
            continue;
        }

        const bool sameCustomer = lastCustomer && *lastCustomer == line.customer;
        lastCustomer = line.customer;
        const std::optional<DaySheetCustomer> known =
            customers != nullptr ? customers->customer(line.customer) : std::nullopt;
        const std::string text = known ? known->text : line.customer;
        if (forExport) {
            values.customer = text;
            values.remark = notesAndRemark(sameCustomer || !known ? "" : known->notes, remark);
            rows.push_back(std::move(values));
            continue;
        }
        if (sameCustomer) {
            values.customer = line.service.empty() ? kDitto : "  " + line.service;
            values.remark = remark;
            rows.push_back(std::move(values));
            continue;
        }
        const std::string notes = known ? known->notes : std::string();
        if (line.service.empty()) {
            values.customer = text;
            values.remark = notesAndRemark(notes, remark);
            rows.push_back(std::move(values));
            continue;
        }
        // The service row under the customer carries the line's values and remark.
        SheetRow customerRow;
        customerRow.customer = text;
        customerRow.remark = notes;
        rows.push_back(std::move(customerRow));
        values.customer = "  " + line.service;
        values.remark = remark;
        rows.push_back(std::move(values));
    }
    if (total > 0) {
        rows.emplace_back();
        SheetRow totalRow;
        totalRow.work = total;
        rows.push_back(std::move(totalRow));
    }
    return rows;
}

const CTagDoc* dayOf(const CLorvanDoc& document, const Datum& date) {
    if (date.year != document.settings().year || !isValidDate(date))
        throw LorvanError("Der " + formatDate(date) + " liegt nicht im Jahr " +
                          std::to_string(document.settings().year) + " der Jahresdatei.");
    const CMonatDoc* month = document.month(date.month);
    return month != nullptr ? month->day(date.day) : nullptr;
}

std::string workText(int32_t work) {
    return work > 0 ? formatMinutes(work, 1, false) : std::string();
}

std::string pauseText(int32_t pause) {
    return pause != 0 ? format("%d", pause) : std::string();
}

CReportTable printedTable() {
    CReportTable table("TAGESZETTEL");
    table.left = kLeft;
    table.fontSize = 12;
    table.drawRowLines = true;
    table.minRows = kDaySheetMinimumRows;
    table.addColumn(kDaySheetCustomer, 2.4, "Kunde").flags = kTextMultiLineCell;
    table.addColumn(kDaySheetTimes, 1.5, "Arbeitszeit von-bis").flags = kTextCentre | kTextIndentTitle;
    table.addColumn(kDaySheetWork, 0.6, "Arbeit");
    table.addColumn(kDaySheetPause, 0.6, "Pause");
    CReportColumn& remark = table.addColumn(kDaySheetRemark, 2.0, "Bemerkungen");
    remark.flags = kTextMultiLineCell;
    remark.fontSize = 10;
    table.right = kLeft + 2.4 + 1.5 + 0.6 + 0.6 + 2.0;
    return table;
}

void put(CReportRow& row, int32_t column, const std::string& text) {
    if (!text.empty()) row.addCell(column, text);
}

} // namespace

std::vector<std::string> wrapRemark(std::string_view text, size_t width) {
    std::vector<std::string> lines;
    const size_t half = width / 2;
    // Each paragraph of the text on its own lines.
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view paragraph = text.substr(start, end - start);
        if (!paragraph.empty() && paragraph.back() == '\r') paragraph.remove_suffix(1);
        start = end + 1;
        if (paragraph.empty()) {
            if (end < text.size()) lines.emplace_back();
            continue;
        }
        // The pieces: up to and including a blank, comma, semicolon or hyphen.
        std::vector<std::string> pieces;
        std::string piece;
        for (char c : paragraph) {
            piece += c;
            if (c == ' ' || c == ',' || c == ';' || c == '-') pieces.push_back(std::exchange(piece, {}));
        }
        if (!piece.empty()) pieces.push_back(std::move(piece));

        std::string line;
        for (std::string rest : pieces) {
            while (!rest.empty()) {
                const size_t used = characterCount(line);
                const size_t length = characterCount(rest);
                if (used + length <= width) {
                    line += rest;
                    break;
                }
                const size_t left = width - used;
                if (left > half) {
                    line += characterSlice(rest, 0, left);
                    rest = characterSlice(rest, left, length - left);
                }
                lines.push_back(std::exchange(line, {}));
            }
        }
        if (!line.empty()) lines.push_back(std::move(line));
    }
    for (std::string& line : lines)
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
    return lines;
}

DaySheet daySheet(const CLorvanDoc& document, const Datum& date, DaySheetForm form,
                  const DaySheetCustomers* customers) {
    const CTagDoc* day = dayOf(document, date);
    DaySheet sheet;
    sheet.form = form;
    sheet.date = date;
    sheet.name = document.settings().name;
    if (day != nullptr) sheet.furtherEmployees = day->furtherEmployees;
    sheet.documentName = "Tageszettel " + formatDate(date) + " - " + sheet.name;

    sheet.pages.push_back(printedTable());
    int32_t units = 0;
    for (const SheetRow& row : sheetRows(day, false, customers)) {
        const int32_t height = row.units();
        if (units > 0 && units + height > kPageUnits) {
            sheet.pages.push_back(printedTable());
            units = 0;
        }
        units += height;
        CReportRow& r = sheet.pages.back().addRow();
        put(r, kDaySheetCustomer, row.customer);
        if (!row.from.empty() || !row.to.empty())
            r.addCell(kDaySheetTimes, row.from + " - " + row.to);
        put(r, kDaySheetWork, workText(row.work));
        put(r, kDaySheetPause, pauseText(row.pause));
        put(r, kDaySheetRemark, row.remark);
    }
    return sheet;
}

CReportTable daySheetExportTable(const CLorvanDoc& document, const Datum& date,
                                 const DaySheetCustomers* customers) {
    const CTagDoc* day = dayOf(document, date);
    CReportTable table("EXPORT");
    table.addColumn(kDaySheetExportKind, 1.0, "Art").flags = 0;
    table.addColumn(kDaySheetExportCustomer, 1.0, "Kunde").flags = 0;
    table.addColumn(kDaySheetExportService, 1.0, "Dienstleistung").flags = 0;
    table.addColumn(kDaySheetExportFrom, 1.0, "Von").valueType = kValueHoursMinutes;
    table.addColumn(kDaySheetExportTo, 1.0, "Bis").valueType = kValueHoursMinutes;
    table.addColumn(kDaySheetExportWork, 1.0, "Arbeitszeit").valueType = kValueHoursMinutes;
    table.addColumn(kDaySheetExportPause, 1.0, "Pause").valueType = kValueInteger;
    table.addColumn(kDaySheetExportRemark, 1.0, "Bemerkungen").flags = 0;
    for (const SheetRow& row : sheetRows(day, true, customers)) {
        CReportRow& r = table.addRow();
        put(r, kDaySheetExportKind, row.kind);
        put(r, kDaySheetExportCustomer, row.customer);
        put(r, kDaySheetExportService, row.service);
        put(r, kDaySheetExportFrom, row.from);
        put(r, kDaySheetExportTo, row.to);
        put(r, kDaySheetExportWork, workText(row.work));
        put(r, kDaySheetExportPause, pauseText(row.pause));
        put(r, kDaySheetExportRemark, row.remark);
    }
    return table;
}

std::string daySheetName(const CLorvanDoc& document, const Datum& date) {
    return formatDate(date) + " - " + document.settings().name;
}

namespace {

// The header of the sheet's form; returns the y of the rule below it.
double printHeader(CPage& page, const DaySheet& sheet, double logoBottom) {
    const std::string date = format("%2.2d.%2.2d.%4.4d", sheet.date.day, sheet.date.month, sheet.date.year);
    double bottom = 0.0;
    if (sheet.form == DaySheetForm::Entry) {
        page.printText(kHeaderTop, kLeft, 0, kLabelSize, "Datum:");
        const double dateBottom = page.printText(kHeaderTop, 1.4, kTextBold, kValueSize, date);
        double nameTop = dateBottom;
        if (!sheet.furtherEmployees.empty() && dateBottom < logoBottom) nameTop = logoBottom + 0.03;
        const std::string name =
            sheet.name + (sheet.furtherEmployees.empty() ? "" : "; " + sheet.furtherEmployees);
        page.printText(nameTop, kLeft, 0, kLabelSize, "Name:");
        bottom = page.printText(nameTop, 1.4, kTextBold, kValueSize, name);
    } else {
        const std::string name =
            sheet.name + (sheet.furtherEmployees.empty() ? "" : "/" + sheet.furtherEmployees);
        const bool dateBeside = logoBottom <= kHeaderTop;
        page.printText(kHeaderTop, kLeft, 0, kLabelSize, "Name:");
        const double limit = page.setRightLimit(dateBeside ? 5.5 : kRight);
        const double nameBottom = page.printText(kHeaderTop, 1.2, kTextBold, kValueSize, name);
        page.setRightLimit(limit);
        if (dateBeside) {
            page.printText(kHeaderTop, 5.6, 0, kLabelSize, "Datum:");
            // The label at 14 points is wider than the half inch before the date: the date follows it.
            const double dateLeft = std::max(6.1, page.toInchesX(page.lastMeasured().right) + 0.05);
            bottom = std::max(nameBottom, page.printText(kHeaderTop, dateLeft, kTextBold, kValueSize, date));
        } else {
            const double dateTop = nameBottom + 0.05;
            page.printText(dateTop, kLeft, 0, kLabelSize, "Datum:");
            bottom = page.printText(dateTop, 1.2, kTextBold, kValueSize, date);
        }
    }
    return std::max(bottom, logoBottom + 0.03);
}

} // namespace

void printDaySheet(Surface& surface, const DaySheet& sheet, std::string& logoPath, const MessageSink& sink) {
    const size_t pages = sheet.pages.size();
    for (size_t index = 0; index < pages; ++index) {
        PageScope scope(surface);
        CPage page(surface);
        const double logoBottom = page.printLogo(logoPath, kLogoTop, kRight, sink);
        const double rule = printHeader(page, sheet, logoBottom);
        page.drawLine(rule, kLeft, rule, kRight, kRulePen);
        CReportTable table = sheet.pages[index];
        double y = printTable(page, table, rule + 0.4) + 0.4;
        if (index + 1 == pages) y = page.printText(y, 3.6, 0, kFooterSize, kChecked);
        if (pages > 1)
            page.printText(y, kLeft, 0, kFooterSize,
                           format("Seite %zu von %zu", index + 1, pages));
    }
}

} // namespace lorvan
