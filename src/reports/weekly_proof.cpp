#include "reports/weekly_proof.h"

#include "evaluation/month_evaluation.h"
#include "foundation/calendar.h"
#include "foundation/error.h"
#include "foundation/format.h"
#include "foundation/number_text.h"
#include "foundation/time_text.h"
#include "output/print_table.h"
#include "reports/report_print.h"
#include "reports/report_text.h"
#include "yearfile/year_file.h"

#include <algorithm>
#include <array>
#include <deque>
#include <optional>
#include <utility>

namespace lorvan {
namespace {

constexpr double kLeft = 0.6;
constexpr double kRight = 11.0;
constexpr double kEpsilon = 1e-9;
constexpr int32_t kTitleSize = 14;
constexpr int32_t kRulePen = 5;
constexpr const char* kDitto = "    - \" - ";
constexpr const char* kMiscounted = "Die Liste hat sich verzählt.";

enum class Column {
    Day,
    From,
    To,
    Customer,
    Service,
    Duration,
    Pause,
    Deviation,
    Surcharge1,
    Surcharge2,
    Holiday,
    Sunday,
    Saturday,
    Night,
    DeviatingWage,
    Standby,
    Calculation1,
    Calculation2,
    Calculation3,
    Remark,
};
constexpr size_t kColumnCount = 20;

size_t indexOf(Column column) {
    return static_cast<size_t>(column);
}

struct SurchargeColumn {
    Column column;
    int32_t CEinstArbzt::*on;
    double CEinstArbzt::*percent;
    const char* printPrefix;
    const char* exportPrefix;
    double width;
};

constexpr SurchargeColumn kSurchargeColumns[] = {
    {Column::Surcharge1, &CEinstArbzt::surcharge1On, &CEinstArbzt::surcharge1Percent, "Ü-\n", "Ü-", 0.4},
    {Column::Surcharge2, &CEinstArbzt::surcharge2On, &CEinstArbzt::surcharge2Percent, "Ü-\n", "Ü-", 0.4},
    {Column::Holiday, &CEinstArbzt::holidaySurchargeOn, &CEinstArbzt::holidayPercent, "F-\n", "F-", 0.4},
    {Column::Sunday, &CEinstArbzt::sundaySurchargeOn, &CEinstArbzt::sundayPercent, "So-\n", "So-", 0.4},
    {Column::Saturday, &CEinstArbzt::saturdaySurchargeOn, &CEinstArbzt::saturdayPercent, "Sa-\n", "Sa-", 0.4},
    {Column::Night, &CEinstArbzt::nightSurchargeOn, &CEinstArbzt::nightPercent, "Nacht\n", "Nacht-", 0.5},
};

std::string periodDates(const WeeklyProofPeriod& period, const char* between) {
    return format("%02d.%02d.%04d%s%02d.%02d.%04d", period.from.day, period.from.month, period.from.year, between,
                  period.to.day, period.to.month, period.to.year);
}

std::string clockText(int32_t hour, int32_t minute) {
    return format("%1.2d:%2.2d", hour, minute);
}

std::string minutes1(int32_t minutes) {
    return formatMinutes(minutes, 1, false);
}

std::string minutes2(int32_t minutes) {
    return formatMinutes(minutes, 2, false);
}

bool listsDeviatingWages(const WagePeriod* period) {
    return period != nullptr && !period->deviatingHourlyWages.empty();
}

// The columns of the report with their numbers, titles and widths.
class Columns {
  public:
    Columns(const CLorvanDoc& document, const MonthEvaluation& e, const WeeklyProofPeriod& period, bool forExport) {
        const CEinstArbzt& s = document.settings();
        const int32_t first = period.from.month;
        const int32_t last = period.to.month;
        double x = kLeft;
        int32_t next = 1;
        const auto add = [&](Column column, std::string printTitle, std::string exportTitle, double width,
                             int32_t valueType) {
            const size_t i = indexOf(column);
            numbers_[i] = next++;
            titles_[i] = forExport ? std::move(exportTitle) : std::move(printTitle);
            widths_[i] = forExport ? 1.0 : width;
            types_[i] = valueType;
            x += width;
        };

        add(Column::Day, "Tag", "Tag", 0.7, kValueText);
        add(Column::From, "Von", "Von", 0.6, kValueHoursMinutes);
        add(Column::To, "Bis", "Bis", 0.6, kValueHoursMinutes);
        bool anyCustomer = false;
        for (const WeekEvaluation& week : e.weeks)
            for (const DayRow& row : week.rows)
                for (const RowBlock& block : row.blocks)
                    anyCustomer = anyCustomer || !block.text.empty();
        add(Column::Customer, s.dayEnteredAsOneValue != 0 && !anyCustomer ? "Dienstleistung" : "Kunde", "Kunde",
            2.0, kValueText);
        if (forExport) add(Column::Service, "", "Dienstleistung", 1.0, kValueText);
        add(Column::Duration, "Dauer", "Dauer", 0.5, kValueHoursMinutes);
        if (s.checkBreakTimes != 0) add(Column::Pause, "Pause", "Pause", 0.4, kValueHoursMinutes);
        if (deviationsShown(s, period) || s.isModeWA(first) || s.isModeWA(last))
            add(Column::Deviation, "Az\nDiff", "Az-Diff", 0.5, kValueHoursMinutes);
        for (const SurchargeColumn& c : kSurchargeColumns) {
            if (s.*c.on == 0) continue;
            const std::string percent = percentText(s.*c.percent) + "%";
            add(c.column, c.printPrefix + percent, c.exportPrefix + percent, c.width, kValueHoursMinutes);
        }
        const bool wagesShown = s.wagesInMonthEvaluation != 0;
        if (forExport && wagesShown &&
            (listsDeviatingWages(wagePeriodOrNull(s, first)) || listsDeviatingWages(wagePeriodOrNull(s, last))))
            add(Column::DeviatingWage, "", "Abweichender Stundenlohn", 1.0, kValueDecimal);
        const WagePeriod* wagePeriod = wagePeriodOrNull(s, first);
        if (e.standbyDuties > 0 || (wagesShown && wagePeriod != nullptr && wagePeriod->standbyPay > 0))
            add(Column::Standby, "\nSD", "SD", 0.2, kValueInteger);
        for (size_t i = 0; i < 3; ++i) {
            const std::string& name = s.calculationFieldNames[i];
            if (name.empty()) continue;
            if (!forExport && x > kRight - 0.5 + kEpsilon) continue;
            add(static_cast<Column>(indexOf(Column::Calculation1) + i), calculationTitle(name), name, 0.5,
                kValueDecimal);
        }
        if (forExport)
            add(Column::Remark, "", "Bemerkungen", 1.0, kValueText);
        else if (x < kRight - kEpsilon)
            add(Column::Remark, "Bemerkungen", "", kRight - x, kValueText);
    }

    // Daily deviations are shown for the month of "von" or of "bis".
    static bool deviationsShown(const CEinstArbzt& s, const WeeklyProofPeriod& period) {
        return s.dailyDeviationsNeeded(period.from.month) || s.dailyDeviationsNeeded(period.to.month);
    }

    int32_t number(Column column) const { return numbers_[indexOf(column)]; }
    bool has(Column column) const { return number(column) != 0; }

    // A table on the grid of the columns; with the header row only for "HEADER" in print.
    CReportTable table(const std::string& name, bool forExport) const {
        CReportTable table(name);
        table.left = kLeft;
        table.right = kRight;
        table.fontSize = 12;
        table.drawRowLines = true;
        table.showHeader = forExport || name == "HEADER";
        table.headerLines = forExport ? 1 : 2;
        for (size_t i = 0; i < kColumnCount; ++i) {
            if (numbers_[i] == 0) continue;
            const auto column = static_cast<Column>(i);
            CReportColumn& c = table.addColumn(numbers_[i], widths_[i], titles_[i]);
            c.valueType = types_[i];
            if (column == Column::Customer) c.flags = kTextIndentTitle | kTextMultiLineCell;
            if (column == Column::Remark) {
                c.flags = kTextMultiLineCell;
                c.fontSize = 10;
            }
        }
        return table;
    }

  private:
    std::array<int32_t, kColumnCount> numbers_{};
    std::array<std::string, kColumnCount> titles_;
    std::array<double, kColumnCount> widths_{};
    std::array<int32_t, kColumnCount> types_{};
};

class ProofBuilder {
  public:
    ProofBuilder(const CLorvanDoc& document, const EvaluationContext& context, const WeeklyProofPeriod& period,
                 const CustomerLookup* customers, bool forExport)
        : settings_(document.settings()), period_(period), forExport_(forExport),
          evaluation_(evaluateWeeklyProof(document, context, period, customers)),
          columns_(document, *evaluation_, period, forExport),
          dailyDeviations_(Columns::deviationsShown(settings_, period)),
          period0_(settings_.periodForMonth(period.from.month)) {}

    WeeklyProof buildPrinted() {
        WeeklyProof proof;
        proof.title = weeklyProofTitle(period_) + " - " + settings_.name;
        proof.header = columns_.table("HEADER", false);
        for (const WeekEvaluation& week : evaluation_->weeks) {
            for (const DayRow& row : week.rows) {
                CReportTable day = columns_.table(format("TAG_%d", row.day), false);
                dayRows(day, row);
                if (day.rowCount() > 0) proof.days.push_back(std::move(day));
            }
        }
        proof.totals = columns_.table("GESAMT", false);
        totals(proof.totals);
        return proof;
    }

    CReportTable buildExport() {
        CReportTable table = columns_.table("EXPORT", true);
        for (const WeekEvaluation& week : evaluation_->weeks)
            for (const DayRow& row : week.rows)
                dayRows(table, row);
        if (table.rowCount() > 0) totals(table);
        return table;
    }

  private:
    const MonthEvaluation& e() const { return *evaluation_; }

    void put(CReportRow& row, Column column, const std::string& text) const {
        if (text.empty() || !columns_.has(column)) return;
        const int32_t number = columns_.number(column);
        if (row.cell(number) == nullptr) row.addCell(number, text);
    }

    std::string dateText(const DayRow& row) const {
        return forExport_ ? format("%2.2d.%2.2d.%4.4d", row.day, row.month, row.year)
                          : format("%2.2d.%2.2d.", row.day, row.month);
    }

    bool weekdayWithoutHours(const DayRow& row) const {
        return period0_.fixedRegularWorkingDays != 0 && period0_.hoursByWeekday[row.weekday - 1] == 0;
    }

    void dayRows(CReportTable& table, const DayRow& row) {
        if (!row.status.empty()) {
            CReportRow& r = table.addRow();
            put(r, Column::Day, dateText(row));
            put(r, Column::From, row.status);
            put(r, Column::Remark, row.reportRemark);
            return;
        }
        if (row.blocks.empty() && row.standbyDuty == 0 && row.reportRemark.empty() &&
            (row.code.empty() || (row.code == kCodeHoliday && weekdayWithoutHours(row))))
            return;

        CReportRow& dateRow = table.addRow();
        put(dateRow, Column::Day, dateText(row) + (row.code.empty() ? "" : "-" + row.code));
        put(dateRow, Column::Remark, row.reportRemark);
        if (row.standbyDuty > 0) put(dateRow, Column::Standby, format("%d", row.standbyDuty));
        if (row.accountDeviation != 0 && dailyDeviations_) put(dateRow, Column::Deviation, minutes1(row.accountDeviation));
        if (row.holidayMinutes > 0) put(dateRow, Column::Holiday, minutes1(row.holidayMinutes));
        if (row.sundayMinutes > 0) put(dateRow, Column::Sunday, minutes1(row.sundayMinutes));

        customerBefore_.reset();
        if (row.blocks.size() > 1) {
            put(dateRow, Column::From, "Gesamt");
            put(dateRow, Column::Duration, minutes2(row.creditedMinutes));
            if (row.saturdayMinutes > 0) put(dateRow, Column::Saturday, minutes1(row.saturdayMinutes));
            if (row.nightMinutes > 0) put(dateRow, Column::Night, minutes1(row.nightMinutes));
            std::array<double, 3> sums{};
            for (const RowBlock& block : row.blocks)
                for (size_t k = 0; k < 3; ++k)
                    sums[k] += block.calculationSums[k];
            calculationCells(dateRow, sums);
            // The date row is full; every block gets rows of its own.
            for (const RowBlock& block : row.blocks)
                blockRows(table, nullptr, block, row.month);
            return;
        }
        if (row.blocks.size() == 1) {
            const RowBlock& block = row.blocks.front();
            const bool ownRow = (!row.reportRemark.empty() && !block.remark.empty()) ||
                                (!block.text.empty() && !block.service.empty());
            blockRows(table, ownRow ? nullptr : &dateRow, block, row.month);
        }
    }

    void calculationCells(CReportRow& row, const std::array<double, 3>& values) const {
        for (size_t k = 0; k < 3; ++k)
            if (values[k] != 0)
                put(row, static_cast<Column>(indexOf(Column::Calculation1) + k), formatAmount(values[k]));
    }

    // The rows of a block: onto the given row (the date row), else rows of its own.
    void blockRows(CReportTable& table, CReportRow* onto, const RowBlock& block, int32_t month) {
        CReportRow* values = onto;
        if (forExport_) {
            if (values == nullptr) values = &table.addRow();
            put(*values, Column::Customer, block.text);
            put(*values, Column::Service, block.service);
            const WagePeriod* wages = wagePeriodOrNull(settings_, month);
            if (wages != nullptr && !block.service.empty()) {
                const auto wage = wages->deviatingHourlyWages.find(block.service);
                if (wage != wages->deviatingHourlyWages.end())
                    put(*values, Column::DeviatingWage, formatAmount(wage->second));
            }
        } else {
            std::string customer;
            bool serviceRow = false;
            if (block.text.empty()) {
                customer = block.service;
                customerBefore_.reset();
            } else if (customerBefore_ && *customerBefore_ == block.text) {
                customer = block.service.empty() ? kDitto : "  " + block.service;
            } else {
                customer = block.text;
                serviceRow = !block.service.empty();
                customerBefore_ = block.text;
            }
            if (values == nullptr) values = &table.addRow();
            put(*values, Column::Customer, customer);
            if (serviceRow) {
                values = &table.addRow();
                put(*values, Column::Customer, "  " + block.service);
            }
        }
        CReportRow& r = *values;
        put(r, Column::From, clockText(block.startHour, block.fromMinute));
        put(r, Column::To, clockText(block.endHour, block.toMinute));
        if (block.pause > 0) put(r, Column::Pause, minutes1(block.pause));
        const auto credited = static_cast<int32_t>(block.creditedMinutes);
        if (credited != 0) put(r, Column::Duration, minutes2(credited));
        put(r, Column::Remark, block.remark);
        calculationCells(r, block.calculationSums);
        if (block.saturdayMinutes > 0) put(r, Column::Saturday, minutes1(block.saturdayMinutes));
        if (block.nightMinutes > 0) put(r, Column::Night, minutes1(block.nightMinutes));
    }

    void totals(CReportTable& table) const {
        CReportRow& sum = table.addRow();
        put(sum, Column::Day, "Summe");
        put(sum, Column::Duration, minutes2(e().creditedMinutes));
        const std::pair<Column, int32_t> kinds[] = {
            {Column::Deviation, e().accountDeviationMinutes}, {Column::Surcharge1, e().surcharge1Minutes},
            {Column::Surcharge2, e().surcharge2Minutes},      {Column::Holiday, e().holidayMinutes},
            {Column::Sunday, e().sundayMinutes},              {Column::Saturday, e().saturdayMinutes},
            {Column::Night, e().nightMinutes},
        };
        for (const auto& [column, minutes] : kinds)
            if (minutes != 0) put(sum, column, minutes1(minutes));
        if (e().standbyDuties >= 1) put(sum, Column::Standby, format("%d", e().standbyDuties));
        calculationCells(sum, e().calculationSums);
        if (e().hasStandbyBlocks && settings_.standbyRatingPercent == 0) {
            CReportRow& standby = table.addRow();
            put(standby, Column::Customer, "Bereitschaft");
            put(standby, Column::Duration, minutes2(e().standbyMinutes));
        }
    }

    const CEinstArbzt& settings_;
    WeeklyProofPeriod period_;
    bool forExport_;
    std::unique_ptr<MonthEvaluation> evaluation_;
    Columns columns_;
    bool dailyDeviations_;
    const WorkingTimePeriod& period0_;
    std::optional<std::string> customerBefore_;
};

} // namespace

std::string weeklyProofTitle(const WeeklyProofPeriod& period) {
    if (period.week != 0) return format("Stundennachweis für KW %d (", period.week) + periodDates(period, " - ") + ")";
    return "Stundennachweis für " + periodDates(period, " - ") + " ";
}

std::string weeklyProofSheetName(const WeeklyProofPeriod& period) {
    if (period.week != 0) return format("KW %d (", period.week) + periodDates(period, "-") + ")";
    return periodDates(period, " - ") + " ";
}

std::unique_ptr<MonthEvaluation> evaluateWeeklyProof(const CLorvanDoc& document, const EvaluationContext& context,
                                                     const WeeklyProofPeriod& period,
                                                     const CustomerLookup* customers) {
    const CEinstArbzt& settings = document.settings();
    std::shared_ptr<const MonthEvaluation> carriedIn;
    const int32_t weekday = weekdayMonday(period.from);
    if (settings.weekEndsAtMonthEnd == 0 && weekday > 1) {
        Datum monday = addDays(period.from, 1 - weekday);
        if (monday.year != settings.year) monday = Datum{1, 1, settings.year};
        if (compareDates(monday, period.from) < 0) {
            std::unique_ptr<MonthEvaluation> before =
                evaluateDays(document, monday, addDays(period.from, -1), period.to.month, context);
            if (!before->weeks.empty()) carriedIn = std::move(before);
        }
    }
    return evaluateDays(document, period.from, period.to, period.from.month, context, std::move(carriedIn),
                        DetailedBlocks{customers});
}

WeeklyProof weeklyProof(const CLorvanDoc& document, const EvaluationContext& context,
                        const WeeklyProofPeriod& period, const CustomerLookup* customers) {
    return ProofBuilder(document, context, period, customers, false).buildPrinted();
}

CReportTable weeklyProofExportTable(const CLorvanDoc& document, const EvaluationContext& context,
                                    const WeeklyProofPeriod& period, const CustomerLookup* customers) {
    return ProofBuilder(document, context, period, customers, true).buildExport();
}

namespace {

// Lays the pages out: the title once per page, the header table, then the tables that fit.
class ProofPrinter {
  public:
    ProofPrinter(Surface& surface, const WeeklyProof& report, std::string& logoPath, const MessageSink& sink)
        : surface_(surface), report_(report), logoPath_(logoPath), sink_(sink) {}

    void print() {
        std::vector<const CReportTable*> tables;
        for (const CReportTable& day : report_.days)
            tables.push_back(&day);
        tables.push_back(&report_.totals);
        size_t index = 0;
        while (index < tables.size()) {
            PageScope scope(surface_);
            CPage page(surface_);
            double y = pageStart(page);
            const double bottom = page.pageHeightInches() - 0.3;
            bool placed = false;
            while (index < tables.size()) {
                CReportTable table = *tables[index];
                if (heightOf(page, table, y) <= bottom) {
                    y = printTable(page, table, y);
                    placed = true;
                    ++index;
                    continue;
                }
                // A table taller than a whole page is divided; others go to the next page.
                if (!placed) {
                    y = printPart(page, table, y, bottom, index, tables);
                }
                break;
            }
        }
    }

  private:
    double pageStart(CPage& page) {
        const double titleBottom = page.printText(0.5, kLeft, kTextBold, kTitleSize, report_.title);
        const double logoBottom = page.printLogo(logoPath_, 0.2, kRight, sink_);
        const double rule = std::max(titleBottom, logoBottom + 0.03);
        page.drawLine(rule, kLeft, rule, kRight, kRulePen);
        CReportTable header = report_.header;
        return printTable(page, header, rule + 0.2);
    }

    static double heightOf(CPage& page, CReportTable table, double y) {
        const bool previous = page.setMeasureOnly(true);
        const double end = printTable(page, table, y);
        page.setMeasureOnly(previous);
        return end;
    }

    // Prints as many rows of the table as fit and leaves the rest as the next table to print.
    double printPart(CPage& page, const CReportTable& table, double y, double bottom, size_t index,
                     std::vector<const CReportTable*>& tables) {
        CReportTable part = table;
        part.clearRows();
        size_t rows = 0;
        while (rows < table.rowCount()) {
            CReportTable longer = part;
            longer.addRow(table.row(rows));
            if (rows > 0 && heightOf(page, longer, y) > bottom) break;
            part = std::move(longer);
            ++rows;
        }
        CReportTable& rest = remainders_.emplace_back(table);
        rest.clearRows();
        for (size_t i = rows; i < table.rowCount(); ++i)
            rest.addRow(table.row(i));
        if (part.rowCount() + rest.rowCount() != table.rowCount()) throw LorvanError(kMiscounted);
        tables[index] = &rest;
        if (rest.rowCount() == 0) tables.erase(tables.begin() + static_cast<std::ptrdiff_t>(index));
        return printTable(page, part, y);
    }

    Surface& surface_;
    const WeeklyProof& report_;
    std::string& logoPath_;
    const MessageSink& sink_;
    std::deque<CReportTable> remainders_;
};

} // namespace

void printWeeklyProof(Surface& surface, const WeeklyProof& report, std::string& logoPath,
                      const MessageSink& sink) {
    ProofPrinter(surface, report, logoPath, sink).print();
}

} // namespace lorvan
