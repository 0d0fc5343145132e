#include "logbook/logbook_print.h"

#include "logbook/logbook_file.h"
#include "logbook/trip_check.h"

#include "foundation/calendar.h"
#include "foundation/format.h"
#include "foundation/number_text.h"
#include "output/print_table.h"
#include "platform/prompter.h"
#include "reports/report_inputs.h"
#include "reports/report_print.h"

#include <initializer_list>
#include <optional>
#include <utility>

namespace lorvan {
namespace {

// The places on the page, in inches.
constexpr double kLeft = 0.6;
constexpr double kRuleRight = 7.5;
constexpr double kIndent = 0.9;
constexpr double kTitleTop = 0.5;
constexpr double kLogoTop = 0.2;
constexpr double kPageNumberX = 7.1;
constexpr double kSignatureLeft = 2.8;
constexpr double kGap = 0.1;
constexpr int32_t kTitleSize = 14;
constexpr int32_t kTextSize = 10;
constexpr int32_t kSmallSize = 8;
constexpr int32_t kHeavyPen = 5;
constexpr int32_t kThinPen = 1;
constexpr int32_t kSignaturePen = 3;

// A plain list: no header, frame or lines, from 0.6 inch to the default right edge.
CReportTable listTable(const char* name, std::initializer_list<std::pair<double, int32_t>> columns) {
    CReportTable table(name);
    table.left = kLeft;
    table.showHeader = false;
    table.drawFrame = false;
    table.drawColumnLines = false;
    table.drawRowLines = false;
    int32_t number = 0;
    for (const auto& [width, flags] : columns)
        table.addColumn(++number, width, "").flags = flags;
    return table;
}

// "KopiervorlageShort": date and time, driver.
CReportTable shortTable(const char* name) {
    return listTable(name, {{2.7, kTextIndentTitle}, {2.4, kTextIndentTitle}});
}

// "KopiervorlageRow": street / place, person / purpose, reading / kind, kilometres.
CReportTable rowTable(const char* name) {
    return listTable(name, {{0.3, kTextIndentTitle},
                            {2.4, kTextIndentTitle},
                            {2.4, kTextIndentTitle},
                            {1.2, kTextRight},
                            {0.6, kTextRight},
                            {0.01, kTextIndentTitle}});
}

CReportTable rule(const char* name) {
    return CReportTable(name);
}

// Every column of the table struck out, but the one given (0: none).
void strikeOut(CReportTable& table, int32_t except = 0) {
    for (auto& [number, column] : table.columns())
        if (number != except) column.flags |= kTextStrikeOut;
}

std::vector<CReportTable> pageHead() {
    CReportTable first = shortTable(kLogbookHeader1);
    CReportRow& dates = first.addRow();
    dates.addCell(1, "Datum/Zeit");
    dates.addCell(2, "Fahrer");
    CReportTable second = rowTable(kLogbookHeader2);
    CReportRow& where = second.addRow();
    where.addCell(2, "Straße");
    where.addCell(3, "Person/Firma");
    where.addCell(4, "Km-Stand");
    CReportRow& what = second.addRow();
    what.addCell(2, "Ort");
    what.addCell(3, "Zweck");
    what.addCell(4, "Art");
    what.addCell(5, "km");
    return {std::move(first), std::move(second), rule(kLogbookRule)};
}

std::vector<CReportTable> startBlock(const LogbookPrintInput& logbook) {
    CReportTable title = shortTable(kLogbookStartTitle);
    title.addRow().addCell(1, "Ausgangsposition");
    CReportTable start = rowTable(kLogbookStart);
    CReportRow& street = start.addRow();
    street.addCell(2, logbook.startStreet);
    street.addCell(4, kilometresText(logbook.startKilometres));
    start.addRow().addCell(2, logbook.startPlace);
    return {std::move(title), std::move(start), rule(kLogbookThinRule)};
}

std::vector<CReportTable> tripTables(const PrintTrip& trip) {
    CReportTable first = shortTable(kLogbookFirstRow);
    CReportRow& when = first.addRow();
    when.addCell(1, tripTimeSpanText(trip.startDate, trip.startTime, trip.endDate, trip.endTime, true));
    when.addCell(2, trip.driver);
    CReportTable row = rowTable(kLogbookRow);
    CReportRow& where = row.addRow();
    where.addCell(2, trip.street);
    where.addCell(3, shownPerson(trip.person, trip.customerName));
    where.addCell(4, kilometresText(trip.kilometres));
    CReportTable second = rowTable(kLogbookRow2);
    CReportRow& what = second.addRow();
    what.addCell(2, trip.place);
    what.addCell(3, trip.purpose);
    what.addCell(4, tripKindText(trip.kind, trip.cancelled));
    if (!trip.cancelled) what.addCell(5, kilometresText(trip.drivenKilometres));
    if (trip.cancelled) {
        strikeOut(first);
        strikeOut(row);
        strikeOut(second, 4);
    }
    return {std::move(first), std::move(row), std::move(second)};
}

std::string sumText(double sum) {
    return decimalPointToComma(format("%.1f km  =", sum));
}

std::string shareText(double share) {
    return decimalPointToComma(format("%.2f", share)) + " %";
}

void addSumRow(CReportTable& table, const char* label, const std::string& value, const char* kind, double sum,
               const LogbookSums& sums) {
    CReportRow& row = table.addRow();
    row.addCell(1, label);
    row.addCell(2, value);
    row.addCell(3, "");
    row.addCell(4, kind);
    row.addCell(5, sumText(sum));
    row.addCell(6, shareText(sums.share(sum)));
}

// The sums up to the two empty rows; the caller adds the third empty row and the date.
CReportTable sumsTable(const LogbookPrintInput& logbook, const std::vector<PrintTrip>& trips) {
    CReportTable table = listTable(kLogbookSums, {{1.5, kTextIndentTitle},
                                                  {1.2, kTextRight},
                                                  {0.8, kTextIndentTitle},
                                                  {1.6, kTextIndentTitle},
                                                  {0.8, kTextRight},
                                                  {1.0, kTextRight}});
    const LogbookSums sums = logbookSums(trips);
    const std::string start = kilometresText(logbook.startKilometres);
    std::string end = start;
    for (const PrintTrip& trip : trips)
        if (!trip.cancelled) end = kilometresText(trip.kilometres);
    addSumRow(table, "Start-Kilometerstand:", start, "Summe Kilometer Geschäftlich", sums.business, sums);
    addSumRow(table, "End-Kilometerstand:", end, "Summe Kilometer Privat", sums.privateUse, sums);
    if (sums.commute > 0) addSumRow(table, "", "", "Summe Kilometer Arbeitsweg", sums.commute, sums);
    if (sums.unknown > 0) addSumRow(table, "", "", "Summe Kilometer Unbekannt", sums.unknown, sums);
    table.addRow();
    table.addRow();
    return table;
}

// Where the tables end when printed one below the other from y; rules take no room but the gap below.
double placeTables(CPage& page, const std::vector<CReportTable>& tables, double y) {
    for (const CReportTable& table : tables) {
        if (isLogbookRule(table)) {
            page.drawLine(y, kLeft, y, kRuleRight, table.name == kLogbookRule ? kHeavyPen : kThinPen);
            y += kGap;
            continue;
        }
        CReportTable copy = table;
        y = printTable(page, copy, y);
    }
    return y;
}

void append(std::vector<CReportTable>& page, std::vector<CReportTable> tables) {
    for (CReportTable& table : tables)
        page.push_back(std::move(table));
}

} // namespace

bool isLogbookRule(const CReportTable& table) {
    return table.name == kLogbookRule || table.name == kLogbookThinRule;
}

int32_t estimatedLogbookPages(size_t trips) {
    if (trips <= 9) return 1;
    if (trips <= 21) return 2;
    return 2 + static_cast<int32_t>((trips - 21 + 11) / 12);
}

double LogbookSums::share(double sum) const {
    if (sum <= 0) return 0;
    return roundAmount(sum * 100 / total(), 0, 2);
}

LogbookSums logbookSums(const std::vector<PrintTrip>& trips) {
    LogbookSums sums;
    for (const PrintTrip& trip : trips)
        if (!trip.cancelled) sums.add(trip.kind, trip.drivenKilometres);
    return sums;
}

std::string logbookPrintTitle(const std::string& plate) {
    return "Kfz-Fahrtenbuch für " + plate;
}

std::string logbookPeriodLine(const std::string& from, const std::string& to) {
    return "vom " + from + " bis " + to;
}

std::string logbookFooter(const std::string& version) {
    return "Erstellt mit dem Programm Lorvan " + version;
}

void LogbookPrint::setFrom(const std::string& text) {
    if (text == from_) return;
    from_ = text;
    tripsChanged();
}

void LogbookPrint::setTo(const std::string& text) {
    if (text == to_) return;
    to_ = text;
    tripsChanged();
}

void LogbookPrint::tripsChanged() {
    selection_.clear();
    pages_.clear();
}

bool LogbookPrint::checkPrintRange(const LogbookPrintInput& logbook, Prompter& prompter) {
    if (from_.empty()) from_ = format("01.01.%d", logbook.year);
    if (to_.empty()) to_ = format("31.12.%d", logbook.year);
    const std::optional<Datum> from = tripDate(from_);
    if (!from) {
        focus_ = Field::From;
        prompter.error(kPrintFromInvalid);
        return false;
    }
    const std::optional<Datum> to = tripDate(to_);
    if (!to) {
        focus_ = Field::To;
        prompter.error(kPrintToInvalid);
        return false;
    }
    if (compareDates(*from, *to) > 0) {
        focus_ = Field::To;
        prompter.error(kPrintFromAfterTo);
        return false;
    }
    focus_ = Field::None;
    periodFrom_ = *from;
    periodTo_ = *to;
    checked_ = true;
    if (selection_.empty()) {
        pages_.clear();
        for (const PrintTrip& trip : logbook.trips) {
            const std::optional<Datum> start = tripDate(trip.startDate);
            if (start && compareDates(*start, *from) >= 0 && compareDates(*start, *to) <= 0)
                selection_.push_back(trip);
        }
    }
    if (selection_.empty()) {
        prompter.warn(kNoDataToPrint);
        return false;
    }
    return true;
}

std::string LogbookPrint::periodFrom(const LogbookPrintInput& logbook) const {
    return checked_ ? formatDate(periodFrom_) : formatDate(Datum{1, 1, logbook.year});
}

std::string LogbookPrint::periodTo(const LogbookPrintInput& logbook) const {
    return checked_ ? formatDate(periodTo_) : formatDate(Datum{31, 12, logbook.year});
}

int32_t LogbookPrint::pageCount() const {
    if (pages_.empty()) return estimatedLogbookPages(selection_.size());
    return static_cast<int32_t>(pages_.size());
}

LogbookPrint::Frame LogbookPrint::printFrame(CPage& page, int32_t number, const LogbookPrintInput& logbook,
                                             LogbookPrintEnvironment& environment) const {
    double logoBottom = kLogoTop;
    if (environment.logoPath)
        logoBottom = page.printLogo(*environment.logoPath, kLogoTop, kRuleRight, environment.sink);
    double y = page.printText(kTitleTop, kLeft, kTextBold, kTitleSize, logbookPrintTitle(logbook.plate));
    if (!logbook.description.empty()) y = page.printText(y, kIndent, 0, kTextSize, logbook.description);
    if (y < logoBottom) y = logoBottom + 0.03;
    const double below =
        page.printText(y, kIndent, 0, kTextSize, logbookPeriodLine(periodFrom(logbook), periodTo(logbook)));
    page.printText(y, kPageNumberX, 0, kTextSize, format("Seite %d", number));
    Frame frame;
    frame.lineHeight = below - y;
    page.drawLine(below, kLeft, below, kRuleRight, kHeavyPen);
    frame.contentTop = below + kGap;
    const double footer = page.pageHeightInches() - frame.lineHeight;
    page.printText(footer, kLeft, 0, kSmallSize, logbookFooter(environment.version));
    page.drawLine(footer - kGap, kLeft, footer - kGap, kRuleRight, kHeavyPen);
    frame.contentBottom = footer - kGap - 0.2;
    return frame;
}

void LogbookPrint::layOut(CPage& page, const LogbookPrintInput& logbook,
                          LogbookPrintEnvironment& environment) {
    if (!pages_.empty()) return;
    const bool measureOnly = page.setMeasureOnly(true);
    const Frame frame = printFrame(page, 1, logbook, environment);
    std::vector<std::vector<CReportTable>> pages(1);
    pages.back() = pageHead();
    append(pages.back(), startBlock(logbook));
    double y = placeTables(page, pages.back(), frame.contentTop);
    for (const PrintTrip& trip : selection_) {
        std::vector<CReportTable> tables = tripTables(trip);
        double bottom = placeTables(page, tables, y);
        // A trip that does not fit goes to a new page below its head; one that fits no page stays.
        if (bottom + kGap > frame.contentBottom && pages.back().size() > 3) {
            pages.emplace_back(pageHead());
            y = placeTables(page, pages.back(), frame.contentTop);
            bottom = placeTables(page, tables, y);
        }
        append(pages.back(), std::move(tables));
        pages.back().push_back(rule(kLogbookThinRule));
        y = bottom + kGap;
    }
    CReportTable sums = sumsTable(logbook, selection_);
    CReportTable measured = sums;
    const double sumsBottom = printTable(page, measured, y);
    const double lines = frame.lineHeight;
    const bool ownPage = sumsBottom + 2 * lines > frame.contentBottom;
    if (ownPage || sumsBottom + 3 * lines <= frame.contentBottom) sums.addRow();
    sums.addRow().addCell(3, formatDate(environment.today));
    if (ownPage) pages.emplace_back();
    pages.back().push_back(std::move(sums));
    page.setMeasureOnly(measureOnly);
    pages_ = std::move(pages);
}

void LogbookPrint::printLogbookPage(CPage& page, int32_t number, const LogbookPrintInput& logbook,
                                    LogbookPrintEnvironment& environment) {
    layOut(page, logbook, environment);
    if (number < 1 || number > pageCount()) return;
    const Frame frame = printFrame(page, number, logbook, environment);
    const double end = placeTables(page, pages_[static_cast<size_t>(number - 1)], frame.contentTop);
    if (number != pageCount()) return;
    page.drawLine(end, kSignatureLeft, end, kRuleRight, kSignaturePen);
    page.printText(end + kGap, kSignatureLeft, 0, kSmallSize, kLogbookSignature);
}

void printLogbook(Surface& surface, LogbookPrint& print, const LogbookPrintInput& logbook,
                  LogbookPrintEnvironment& environment) {
    for (int32_t number = 1; number <= print.pageCount(); ++number) {
        PageScope scope(surface);
        CPage page(surface);
        print.printLogbookPage(page, number, logbook, environment);
    }
}

LogbookPrintInput logbookPrintInput(const CTwFahrtenbuchDoc& logbook, const std::string& description) {
    LogbookPrintInput input;
    input.plate = logbook.plate;
    input.description = description;
    input.year = logbook.year;
    input.startStreet = logbook.startStreet;
    input.startPlace = logbook.startPlace;
    input.startKilometres = logbook.startKilometres;
    input.trips.reserve(logbook.trips.size());
    for (size_t i = 0; i < logbook.trips.size(); ++i) {
        const CFahrtDoc& trip = logbook.trips[i];
        PrintTrip& row = input.trips.emplace_back();
        row.kind = trip.kindValue;
        row.cancelled = trip.cancelled();
        row.driver = trip.driver;
        row.person = trip.person;
        row.customerName = trip.customerName;
        row.purpose = trip.purpose;
        row.street = trip.street;
        row.place = trip.place;
        row.startDate = trip.startDate;
        row.startTime = trip.startTime;
        row.endDate = trip.endDate;
        row.endTime = trip.endTime;
        row.kilometres = trip.kilometres;
        row.drivenKilometres = logbook.drivenKilometres(i);
    }
    return input;
}

} // namespace lorvan
