#include "reports/month_report.h"

#include "evaluation/month_evaluation.h"
#include "evaluation/wages.h"
#include "evaluation/year_statistics.h"
#include "foundation/calendar.h"
#include "foundation/error.h"
#include "foundation/format.h"
#include "foundation/number_text.h"
#include "foundation/time_text.h"
#include "reports/report_text.h"
#include "yearfile/year_file.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace lorvan {
namespace {

constexpr double kLeft = 0.6;
constexpr double kRight = 7.9;
constexpr double kEpsilon = 1e-9;

constexpr const char* kFootnote =
    " * Umrechnung Zeitminuten in Dezimaleinheiten (dividiert durch 0,60, d.h. z.B. "
    "0:30 = 0,30 / 0,60 = 0,5)";

size_t indexOf(MonthColumn column) {
    return static_cast<size_t>(column);
}

// The surcharge columns with what decides them and what they show.
struct SurchargeColumn {
    MonthColumn column;
    SurchargeKind kind;
    int32_t CEinstArbzt::*on;
    double CEinstArbzt::*percent;
    std::string CEinstArbzt::*wageType;
    int32_t MonthEvaluation::*minutes;
    const char* printPrefix;
    const char* exportPrefix;
};

constexpr SurchargeColumn kSurchargeColumns[] = {
    {MonthColumn::Surcharge1, SurchargeKind::Surcharge1, &CEinstArbzt::surcharge1On,
     &CEinstArbzt::surcharge1Percent, &CEinstArbzt::wageTypeSurcharge1, &MonthEvaluation::surcharge1Minutes,
     "Ü-\n", "Ü-"},
    {MonthColumn::Surcharge2, SurchargeKind::Surcharge2, &CEinstArbzt::surcharge2On,
     &CEinstArbzt::surcharge2Percent, &CEinstArbzt::wageTypeSurcharge2, &MonthEvaluation::surcharge2Minutes,
     "Ü-\n", "Ü-"},
    {MonthColumn::Holiday, SurchargeKind::Holiday, &CEinstArbzt::holidaySurchargeOn,
     &CEinstArbzt::holidayPercent, &CEinstArbzt::wageTypeHoliday, &MonthEvaluation::holidayMinutes, "F-\n",
     "F-"},
    {MonthColumn::Sunday, SurchargeKind::Sunday, &CEinstArbzt::sundaySurchargeOn, &CEinstArbzt::sundayPercent,
     &CEinstArbzt::wageTypeSunday, &MonthEvaluation::sundayMinutes, "So-\n", "So-"},
    {MonthColumn::Saturday, SurchargeKind::Saturday, &CEinstArbzt::saturdaySurchargeOn,
     &CEinstArbzt::saturdayPercent, &CEinstArbzt::wageTypeSaturday, &MonthEvaluation::saturdayMinutes,
     "Sa-\n", "Sa-"},
    {MonthColumn::Night, SurchargeKind::Night, &CEinstArbzt::nightSurchargeOn, &CEinstArbzt::nightPercent,
     &CEinstArbzt::wageTypeNight, &MonthEvaluation::nightMinutes, "Nacht\n", "Nacht-"},
};

// The booking rows of the surcharges, in booking order.
struct SurchargeBooking {
    MonthColumn column;
    const char* text; // format with percent, month and year
};

constexpr SurchargeBooking kSurchargeBookings[] = {
    {MonthColumn::Surcharge1, "Überstunden %.0f%% für %2.2d/%4.4d"},
    {MonthColumn::Surcharge2, "Überstunden %.0f%% für %2.2d/%4.4d"},
    {MonthColumn::Sunday, "Sonntagszuschlag %.0f%% für %2.2d/%4.4d"},
    {MonthColumn::Saturday, "Samstagszuschlag %.0f%% für %2.2d/%4.4d"},
    {MonthColumn::Night, "Nachtzuschlag %.0f%% für %2.2d/%4.4d"},
    {MonthColumn::Holiday, "Feiertag %.0f%% für %2.2d/%4.4d"},
};

const SurchargeColumn& surchargeColumnOf(MonthColumn column) {
    for (const SurchargeColumn& s : kSurchargeColumns)
        if (s.column == column) return s;
    throw LorvanError(kPointerNotSet);
}

std::string dayText(const DayRow& row) {
    return format("%2.2d.", row.day) + weekdayName(row.weekday, true);
}

std::string dateText(const DayRow& row) {
    return formatDateShort(row.day, row.month, row.year);
}

std::string clockText(int32_t hour, int32_t minute) {
    return format("%1.2d:%2.2d", hour, minute);
}

// "%.1f", or "%.f" for a whole number, with a decimal comma.
std::string daysNumber(double days) {
    const bool whole = days == std::floor(days);
    return decimalPointToComma(whole ? format("%.f", days) : format("%.1f", days));
}

// Multi-line text of the program settings: CR LF as line breaks.
std::string withLineBreaks(const std::string& text) {
    std::string result;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        result += text[i];
    }
    return result;
}

class MonthReportBuilder {
  public:
    MonthReportBuilder(YearEvaluator& evaluator, int32_t month, const ReportInputs& inputs, bool forExport)
        : document_(evaluator.document()), settings_(document_.settings()), month_(month), inputs_(inputs),
          forExport_(forExport), exportTable_("EXPORT") {
        // The balances evaluate the earlier months first; the month's own evaluation is taken last.
        if (settings_.accountActive(month)) {
            previousBalance_ = evaluator.accountBalance(month - 1);
            balance_ = evaluator.accountBalance(month, &monthlyPayout_);
        }
        evaluation_ = &evaluator.evaluate(month);
        columns_.emplace(document_, *evaluation_, forExport);
        wagePeriod_ = wagePeriodOrNull(settings_, month);
    }

    MonthReport buildPrinted() {
        MonthReport report;
        report.title = "Monatsauswertung " + format("%s %d", monthName(month_).c_str(), evaluation_->year) +
                       " - " + settings_.name;
        report.header = gridTable("HEADER");
        report.header.showHeader = true;
        report.header.headerLines = 2;
        buildAll();
        report.tables = std::move(tables_);
        return report;
    }

    CReportTable buildExport() {
        for (size_t i = 0; i < kMonthColumnCount; ++i) {
            const auto column = static_cast<MonthColumn>(i);
            if (!columns().has(column)) continue;
            CReportColumn& c = exportTable_.addColumn(columns().number(column), 1.0, columns().title(column));
            if (column >= MonthColumn::Calculation1 && column <= MonthColumn::Calculation3)
                c.valueType = kValueDecimal;
        }
        buildAll();
        return std::move(exportTable_);
    }

  private:
    const MonthColumns& columns() const { return *columns_; }
    const MonthEvaluation& e() const { return *evaluation_; }

    void buildAll() {
        dayTable();
        sums();
        wages();
        bookings();
        absences();
        sicknessNote();
        standbyDuties();
        legend();
        deviatingWages();
        closing();
    }

    // ----- tables and cells -----

    // A table on the day table's grid, without header row; the present columns from first to last
    // are joined into one column under the number of the first.
    CReportTable gridTable(const char* name, MonthColumn first = MonthColumn::Remark,
                           MonthColumn last = MonthColumn::Day) {
        CReportTable table(name);
        table.left = kLeft;
        table.right = kRight;
        table.showHeader = false;
        int32_t joined = 0;
        for (size_t i = 0; i < kMonthColumnCount; ++i) {
            const auto column = static_cast<MonthColumn>(i);
            if (!columns().has(column)) continue;
            const double width = columns().width(column);
            if (column >= first && column <= last) {
                if (joined != 0) {
                    table.column(joined)->width += width;
                    continue;
                }
                joined = columns().number(column);
                table.addColumn(joined, width, columns().title(column)).flags = 0;
                continue;
            }
            CReportColumn& c = table.addColumn(columns().number(column), width, columns().title(column));
            if (column == MonthColumn::Day || column == MonthColumn::Remark) c.flags = kTextIndentTitle;
        }
        return table;
    }

    // The table rows go to: the export table, or the given table of the printed report.
    CReportTable& sink(CReportTable& printed) { return forExport_ ? exportTable_ : printed; }

    void keep(CReportTable&& printed) {
        if (!forExport_ && printed.rowCount() > 0) tables_.push_back(std::move(printed));
    }

    // An empty text, an absent column and a column that already has its cell in the row add nothing.
    void put(CReportRow& row, MonthColumn column, const std::string& text, bool bold = false) {
        if (text.empty() || !columns().has(column)) return;
        const int32_t number = columns().number(column);
        if (row.cell(number) != nullptr) return;
        row.addCell(number, text, bold);
    }

    // The text of a booking or payout in the remark column, which calls for the footnote.
    void putPayoutRemark(CReportRow& row, const std::string& wageType, double hours) {
        if (!columns().has(MonthColumn::Remark)) return;
        put(row, MonthColumn::Remark, "Auszahlung " + wageType + ": " + formatAmount(hours) + " *");
        footnoteDue_ = true;
    }

    std::string minutesCell(int32_t minutes) const {
        return minutes == 0 ? std::string() : formatMinutes(minutes, 1, false);
    }
    std::string signedCell(int32_t minutes) const {
        return minutes == 0 ? std::string() : formatMinutes(minutes, 1, true);
    }

    // ----- the day table -----

    void dayTable() {
        for (const WeekEvaluation& week : e().weeks) {
            for (const DayRow& row : week.rows) {
                if (row.firstAfterNotEmployed) fullLine("Erster Arbeitstag: " + dateText(row));
                if (row.notEmployedStart) fullLine("Nicht mehr beschäftigt seit dem: " + dateText(row));
                if (!row.status.empty())
                    statusRow(row);
                else if (row.code != kCodeNotEmployed && !isEmptyDay(row))
                    timeRows(row);
            }
            if (week.hasEntries) weekLine(week);
        }
    }

    static bool isEmptyDay(const DayRow& row) {
        const bool noCode = row.code.empty() || (row.code == kCodeHoliday && row.targetMinutes == 0 &&
                                                 row.creditedAbsenceMinutes == 0);
        return noCode && row.standbyDuty == 0 && row.reportRemark.empty() && row.blocks.empty();
    }

    void fullLine(const std::string& text) {
        CReportTable printed = textTable("GANZEZEILE");
        sink(printed).addRow().addCell(1, text, true);
        keep(std::move(printed));
    }

    void statusRow(const DayRow& row) {
        CReportTable printed = gridTable("HALB", MonthColumn::From, MonthColumn::Duration);
        CReportRow& r = sink(printed).addRow();
        put(r, MonthColumn::Day, dayText(row));
        put(r, MonthColumn::From, row.status);
        put(r, MonthColumn::Remark, row.reportRemark);
        keep(std::move(printed));
    }

    std::string overtimeNote(const DayRow& row) const {
        if (!inputs_.printMonthReportTexts || inputs_.overtimeThresholdHours <= 0) return {};
        if (row.workMinutes <= inputs_.overtimeThresholdHours * 60) return {};
        return inputs_.overtimeNoteText;
    }

    void timeRows(const DayRow& row) {
        CReportTable printed = gridTable("ZEITEN");
        CReportTable& table = sink(printed);
        const size_t count = std::max<size_t>(1, row.blocks.size());
        for (size_t i = 0; i < count; ++i) {
            CReportRow& r = table.addRow();
            if (i == 0) {
                put(r, MonthColumn::Day, dayText(row));
                put(r, MonthColumn::Remark, row.reportRemark.empty() ? overtimeNote(row) : row.reportRemark);
                if (row.standbyDuty > 0) put(r, MonthColumn::Standby, format("%d", row.standbyDuty));
            }
            if (i < row.blocks.size()) blockCells(r, row.blocks[i]);
            if (i + 1 == count) dayCells(r, row);
        }
        keep(std::move(printed));
    }

    void blockCells(CReportRow& r, const RowBlock& block) {
        put(r, MonthColumn::From, clockText(block.startHour, block.fromMinute));
        put(r, MonthColumn::To, clockText(block.endHour, block.toMinute));
        if (block.pause > 0) put(r, MonthColumn::Pause, formatMinutes(block.pause, 1, false));
        put(r, MonthColumn::Duration, minutesCell(static_cast<int32_t>(block.creditedMinutes)));
        put(r, MonthColumn::Saturday, minutesCell(block.saturdayMinutes));
        put(r, MonthColumn::Night, minutesCell(block.nightMinutes));
        if (block.standby) put(r, MonthColumn::Standby, forExport_ ? standbyRatingCell(block) : "B*");
        for (size_t i = 0; i < 3; ++i)
            put(r, static_cast<MonthColumn>(indexOf(MonthColumn::Calculation1) + i),
                formatAmount(block.calculationSums[i]));
    }

    std::string standbyRatingCell(const RowBlock& block) const {
        if (settings_.standbyRatingPercent == 0) return minutesCell(block.standbyMinutes);
        return decimalPointToComma(format("%.1f", settings_.standbyRatingPercent)) + " %";
    }

    void dayCells(CReportRow& r, const DayRow& row) {
        put(r, MonthColumn::Holiday, minutesCell(row.holidayMinutes));
        put(r, MonthColumn::Sunday, minutesCell(row.sundayMinutes));
        if (!row.code.empty()) {
            std::string absence = row.code;
            if (row.creditedAbsenceMinutes > 0)
                absence += " " + formatMinutes(row.creditedAbsenceMinutes, 1, false);
            put(r, MonthColumn::Absence, absence);
        }
        put(r, MonthColumn::Target, minutesCell(row.targetMinutes));
        if (settings_.dailyDeviationsNeeded(month_))
            put(r, MonthColumn::Deviation, signedCell(row.accountDeviation));
    }

    void weekLine(const WeekEvaluation& week) {
        CReportTable printed = gridTable("WOCHE");
        CReportRow& r = sink(printed).addRow();
        put(r, MonthColumn::Day, "Woche", true);
        put(r, MonthColumn::From, format("%d", week.weekNumber), true);
        put(r, MonthColumn::Absence, minutesCell(week.absenceCreditMinutes()), true);
        put(r, MonthColumn::Duration,
            minutesCell(week.accountMinutes + week.holidayBucketMinutes + week.sundaySaturdayBucketMinutes),
            true);
        put(r, MonthColumn::Deviation, signedCell(week.weekDeviation + week.weeklyPayout), true);
        put(r, MonthColumn::Account, signedCell(week.weekDeviation), true);
        put(r, MonthColumn::Surcharge1, minutesCell(week.surcharge1Minutes), true);
        put(r, MonthColumn::Surcharge2, minutesCell(week.surcharge2Minutes), true);
        keep(std::move(printed));
    }

    // ----- sums -----

    CReportTable labelGrid(const char* name) {
        return gridTable(name, MonthColumn::Day, MonthColumn::Target);
    }

    void sums() {
        CReportTable printed = labelGrid("GESAMT");
        CReportTable& table = sink(printed);
        totalRow(table);
        if (settings_.isModeMA(month_)) accountHoursRows(table);
        if (settings_.accountActive(month_)) accountRows(table);
        keep(std::move(printed));
    }

    // "Summe Arbeitszeit": the month's totals in their columns.
    void totalRow(CReportTable& table) {
        int32_t absences = 0;
        int32_t deviation = 0;
        int32_t account = 0;
        for (const WeekEvaluation& week : e().weeks) {
            absences += week.absenceCreditMinutes();
            deviation += week.weekDeviation + week.weeklyPayout;
            account += week.weekDeviation;
        }
        CReportRow& total = table.addRow();
        put(total, MonthColumn::Day, "Summe Arbeitszeit", true);
        put(total, MonthColumn::Duration, minutesCell(e().creditedMinutes), true);
        put(total, MonthColumn::Absence, minutesCell(absences), true);
        put(total, MonthColumn::Deviation, signedCell(deviation), true);
        put(total, MonthColumn::Account, signedCell(account), true);
        for (const SurchargeColumn& s : kSurchargeColumns)
            put(total, s.column, minutesCell(e().*s.minutes), true);
        put(total, MonthColumn::Standby,
            e().standbyDuties > 0 ? format("%d", e().standbyDuties) : minutesCell(e().standbyMinutes), true);
        for (size_t i = 0; i < 3; ++i)
            put(total, static_cast<MonthColumn>(indexOf(MonthColumn::Calculation1) + i),
                formatAmount(e().calculationSums[i]), true);
    }

    // The actual and target hours of an account kept by the month ("MA").
    void accountHoursRows(CReportTable& table) {
        int32_t accountMinutes = 0;
        for (const WeekEvaluation& week : e().weeks)
            accountMinutes += week.accountMinutes + week.absenceCreditMinutes();
        CReportRow& actual = table.addRow();
        put(actual, MonthColumn::Day, "Ist-Std. für Arbeitszeitkonto");
        put(actual, MonthColumn::Duration, minutesCell(accountMinutes));
        CReportRow& target = table.addRow();
        put(target, MonthColumn::Day, "Soll-Std. für Arbeitszeitkonto");
        put(target, MonthColumn::Duration, minutesCell(hoursToMinutes(settings_.monthlyTarget(month_))));
    }

    // The working-time account from the previous month's balance to this month's.
    void accountRows(CReportTable& table) {
        CReportRow& previous = table.addRow();
        put(previous, MonthColumn::Day, "Arbeitszeitkonto Vormonat");
        put(previous, MonthColumn::Duration, signedCell(hoursToMinutes(previousBalance_)));

        CReportRow& change = table.addRow();
        put(change, MonthColumn::Day, "Arbeitszeitkonto Änderung");
        if (const CMonatDoc* record = document_.month(month_)) {
            accountChangeCells(change, *record);
            if (record->accountCorrection != 0) accountCorrectionRow(table, *record);
        }
        if (monthlyPayout_ > 0) monthlyPayoutRow(table);
        CReportRow& balance = table.addRow();
        put(balance, MonthColumn::Day, format("Arbeitszeitkonto Stand %2.2d/%4.4d", month_, e().year), true);
        put(balance, MonthColumn::Duration, signedCell(hoursToMinutes(balance_)), true);
    }

    // The month's change of the account, with the surcharges converted into hours in their columns.
    void accountChangeCells(CReportRow& change, const CMonatDoc& record) {
        put(change, MonthColumn::Duration, signedCell(hoursToMinutes(record.accountChange)));
        if (!settings_.surchargesIntoHours(month_)) return;
        put(change, MonthColumn::Surcharge1, signedCell(hoursToMinutes(record.surchargeHoursOvertime1)));
        put(change, MonthColumn::Surcharge2, signedCell(hoursToMinutes(record.surchargeHoursOvertime2)));
        put(change, MonthColumn::Holiday, signedCell(hoursToMinutes(record.surchargeHoursHoliday)));
        put(change, MonthColumn::Sunday, signedCell(hoursToMinutes(record.surchargeHoursSunday)));
        put(change, MonthColumn::Saturday, signedCell(hoursToMinutes(record.surchargeHoursSaturday)));
        put(change, MonthColumn::Night, signedCell(hoursToMinutes(record.surchargeHoursNight)));
    }

    void accountCorrectionRow(CReportTable& table, const CMonatDoc& record) {
        CReportRow& correction = table.addRow();
        put(correction, MonthColumn::Day, "Arbeitszeitkonto Korrektur");
        put(correction, MonthColumn::Duration, signedCell(hoursToMinutes(record.accountCorrection)));
        put(correction, MonthColumn::Remark, record.correctionComment);
    }

    void monthlyPayoutRow(CReportTable& table) {
        CReportRow& payout = table.addRow();
        put(payout, MonthColumn::Day, "Arbeitszeitkonto Auszahlung");
        put(payout, MonthColumn::Duration, signedCell(-hoursToMinutes(monthlyPayout_)));
        if (!settings_.wageTypeMonthlyPayout.empty())
            putPayoutRemark(payout, settings_.wageTypeMonthlyPayout, monthlyPayout_);
    }

    // ----- wages -----

    void wages() {
        if (settings_.wagesInMonthEvaluation == 0) return;
        const std::optional<MonthWages> w = monthWages(document_, e());
        if (!w) return;
        CReportTable printed = labelGrid("LOHN");
        CReportTable& table = sink(printed);
        CReportRow& rate = table.addRow();
        put(rate, MonthColumn::Day, "Satz");
        put(rate, MonthColumn::Duration, formatAmount(w->hourlyWage));
        CReportRow& gross = table.addRow();
        put(gross, MonthColumn::Day, "Brutto EUR");
        put(gross, MonthColumn::Duration, formatAmount(w->monthGross));
        if (!settings_.surchargesIntoHours(month_)) {
            for (const SurchargeColumn& s : kSurchargeColumns) {
                if (e().*s.minutes <= 0) continue;
                put(rate, s.column, formatAmount(surchargeRate(document_, e(), s.kind)));
                put(gross, s.column, formatAmount(surchargePay(document_, e(), s.kind)));
            }
        }
        keep(std::move(printed));
    }

    // ----- booking lines -----

    MonthColumn payoutColumn() const {
        if (columns().has(MonthColumn::Account)) return MonthColumn::Account;
        if (columns().has(MonthColumn::Deviation)) return MonthColumn::Deviation;
        return MonthColumn::Duration;
    }

    void bookings() {
        CReportTable printed = labelGrid("BUCHUNGEN");
        CReportTable& table = sink(printed);
        const bool merged = weeklyPayoutBooking(table);
        surchargeBookings(table, merged);
        shiftAllowanceBooking(table);
        keep(std::move(printed));
    }

    // The weekly payouts of the month; true when their wage type is surcharge 1's, whose booking
    // this row then is.
    bool weeklyPayoutBooking(CReportTable& table) {
        const bool paysWeekly = settings_.isModeRA(month_) || settings_.isModeWA(month_);
        const double payout = paysWeekly ? minutesToHours(e().weeklyPayoutMinutes) : 0.0;
        if (payout == 0 || settings_.wageTypeWeeklyPayout.empty()) return false;
        const int32_t year = e().year;
        const int32_t minutes = hoursToMinutes(payout);
        CReportRow& row = table.addRow();
        MonthColumn column = payoutColumn();
        const bool merged = settings_.wageTypeWeeklyPayout == settings_.wageTypeSurcharge1;
        if (merged) {
            if (minutes == e().surcharge1Minutes) {
                put(row, MonthColumn::Day,
                    format("Überstunden %.0f%% für %2.2d/%4.4d", settings_.surcharge1Percent, month_, year));
                if (columns().has(MonthColumn::Surcharge1)) column = MonthColumn::Surcharge1;
            } else {
                put(row, MonthColumn::Day, "Überstunden Differenz PRÜFEN !!", true);
                put(row, MonthColumn::Surcharge1, minutesCell(e().surcharge1Minutes));
            }
        } else {
            put(row, MonthColumn::Day, format("Überstunden für %2.2d/%4.4d", month_, year));
        }
        put(row, column, formatMinutes(minutes, 1, false));
        putPayoutRemark(row, settings_.wageTypeWeeklyPayout, minutesToHours(minutes));
        return merged;
    }

    // One booking per surcharge column with a wage type, in booking order.
    void surchargeBookings(CReportTable& table, bool surcharge1Merged) {
        for (const SurchargeBooking& booking : kSurchargeBookings) {
            const SurchargeColumn& s = surchargeColumnOf(booking.column);
            const std::string& wageType = settings_.*s.wageType;
            if (!columns().has(booking.column) || wageType.empty()) continue;
            if (booking.column == MonthColumn::Surcharge1 && surcharge1Merged) continue;
            const int32_t minutes = e().*s.minutes;
            CReportRow& row = table.addRow();
            put(row, MonthColumn::Day, format(booking.text, settings_.*s.percent, month_, e().year));
            put(row, booking.column, formatMinutes(minutes, 1, false));
            putPayoutRemark(row, wageType, minutesToHours(minutes));
        }
    }

    void shiftAllowanceBooking(CReportTable& table) {
        if (e().shiftAllowanceMinutes <= 0) return;
        const std::optional<ShiftAllowance> shift = shiftAllowance(document_, e());
        if (!shift) return;
        CReportRow& row = table.addRow();
        put(row, MonthColumn::Day,
            format("Schichtzulage %.0f%% für %2.2d/%4.4d", shift->percent, month_, e().year));
        put(row, MonthColumn::Duration, formatMinutes(shift->minutes, 1, false));
        putPayoutRemark(row, shift->wageType, minutesToHours(shift->minutes));
    }

    // ----- absences -----

    // The columns of the absence table: its own grid in print, the day table's columns in the export.
    struct AbsenceColumns {
        int32_t label = 1;
        int32_t count = 2;
        int32_t hours = 3;
        int32_t amount = 4;
        int32_t note = 5; // 0: none
    };

    CReportTable absenceTable(AbsenceColumns& c) {
        CReportTable table("FEHLZEIT");
        table.left = kLeft;
        table.showHeader = false;
        if (forExport_) {
            c.label = 1;
            c.count = columns().number(MonthColumn::Duration);
            c.hours = columns().number(MonthColumn::Absence);
            c.amount = c.hours + 1;
            c.note = columns().number(MonthColumn::Remark);
            return table;
        }
        double label = 1.5;
        for (MonthColumn column : {MonthColumn::Pause, MonthColumn::Target})
            if (columns().has(column)) label += 0.4;
        double amount = 0.0;
        // The calculation columns too, so that the note stands under the remark column.
        for (size_t i = indexOf(MonthColumn::Deviation); i <= indexOf(MonthColumn::Calculation3); ++i)
            amount += columns().has(static_cast<MonthColumn>(i))
                          ? columns().width(static_cast<MonthColumn>(i))
                          : 0.0;
        amount = std::max(amount, 0.55);
        table.addColumn(c.label, label, "").flags = 0;
        table.addColumn(c.count, 0.55, "");
        table.addColumn(c.hours, 0.5, "");
        table.addColumn(c.amount, amount, "");
        double right = kLeft + label + 0.55 + 0.5 + amount;
        if (columns().has(MonthColumn::Remark)) {
            table.addColumn(c.note, columns().width(MonthColumn::Remark), "").flags = 0;
            right += columns().width(MonthColumn::Remark);
        } else {
            c.note = 0;
        }
        table.right = right;
        return table;
    }

    std::string countText(int32_t count) const { return format("%d %s", count, count == 1 ? "Tag" : "Tage"); }
    std::string hoursCell(double hours) const { return formatMinutes(hoursToMinutes(hours), 1, false); }
    std::string decimalCell(double hours) {
        footnoteDue_ = true;
        return decimalPointToComma(format("%.2f", hours)) + " *";
    }
    std::string euroCell(double amount) const {
        return "EUR " + decimalPointToComma(format("%.2f", roundAmount(amount, 0, 2)));
    }
    std::string rateCell(double rate) const { return "Satz: " + decimalPointToComma(format("%.2f", rate)); }

    // One row of the absence table before it is placed.
    struct AbsenceLine {
        std::string label;
        std::string count;
        std::string hours;
        std::string decimal; // decimal hours, marked " *"
        std::string euro;    // "EUR ..." at the amount column
        std::string rate;    // "Satz: ..." at the count column
        std::string note;
    };

    // Where the absence rows go and which values they show.
    struct AbsenceRows {
        CReportTable& table;
        AbsenceColumns columns;
        bool byHour;    // paid by the hour: hours, decimal hours and amounts appear
        bool hoursOnly; // the paid hours hold the absences: decimal hours instead of amounts
        double wage;    // the hourly wage of the amounts
    };

    // Counts and decimal hours exchange their columns while the build switch is set; "Satz:" and "EUR"
    // values keep theirs, and a count whose row has an amount stays in the count column.
    void placeAbsence(const AbsenceRows& to, const AbsenceLine& line) {
        const AbsenceColumns& c = to.columns;
        const bool exchanged = inputs_.buildSwitch;
        CReportRow& row = to.table.addRow();
        const auto cell = [&](int32_t column, const std::string& text) {
            if (column != 0 && !text.empty() && row.cell(column) == nullptr) row.addCell(column, text);
        };
        cell(c.label, line.label);
        cell(c.count, line.rate);
        cell(exchanged && line.euro.empty() ? c.amount : c.count, line.count);
        cell(c.hours, line.hours);
        cell(exchanged ? c.count : c.amount, line.decimal);
        cell(c.amount, line.euro);
        cell(c.note, line.note);
    }

    // Hours and the decimal hours or the amount at the hourly wage, for an employee paid by the hour.
    void putPaidHours(const AbsenceRows& to, AbsenceLine& line, double hours) {
        if (!to.byHour || hours <= 0) return;
        line.hours = hoursCell(hours);
        if (to.hoursOnly)
            line.decimal = decimalCell(hours);
        else
            line.euro = euroCell(to.wage * hours);
    }

    void absences() {
        AbsenceColumns c;
        CReportTable printed = absenceTable(c);
        const AbsenceRows to{sink(printed), c, paidByTheHour(settings_, month_),
                             paidHoursContainAbsences(settings_, month_),
                             wagePeriod_ != nullptr ? wagePeriod_->hourlyWage : 0.0};
        if (inputs_.buildSwitch && to.byHour) targetWageRows(to);
        if (e().holidayHours > 0) holidayRow(to);
        if (settings_.manageRemainingVacation != 0 || e().vacationDays > 0) vacationRows(to);
        sicknessRows(to);
        keep(std::move(printed));
    }

    // The special build's target hours of the hourly wage, and their correction in the next month.
    void targetWageRows(const AbsenceRows& to) {
        const int32_t year = e().year;
        placeAbsence(to, {"Soll-Stundenlohn", "", "", "", "", formatAmount(e().targetHoursWithoutHolidays),
                          format("siehe Lohnabrechnung %02d/%d", month_, year)});
        if (e().absenceTargetHours == 0) return;
        const int32_t nextMonth = month_ == 12 ? 1 : month_ + 1;
        const int32_t nextYear = month_ == 12 ? year + 1 : year;
        placeAbsence(to, {"Korrektur-Stundenlohn", "", hoursCell(e().absenceTargetHours), "", "",
                          formatAmount(e().absenceTargetHours),
                          format("siehe Lohnabrechnung %02d/%d", nextMonth, nextYear)});
    }

    void holidayRow(const AbsenceRows& to) {
        AbsenceLine line{"Feiertage", countText(e().holidayDays), "", "", "", "", ""};
        putPaidHours(to, line, e().holidayHours);
        placeAbsence(to, line);
    }

    // "Urlaub" with the days taken (or "KEIN") and the remaining vacation, then the vacation's wage
    // and vacation pay.
    void vacationRows(const AbsenceRows& to) {
        const double vacationDays = e().vacationDays;
        AbsenceLine line{"Urlaub", "", "", "", "", "", ""};
        if (vacationDays > 0) {
            line.count = daysNumber(vacationDays) + (vacationDays <= 1 ? " Tag" : " Tage");
            if (to.byHour) line.hours = hoursCell(e().vacationHours);
            if (to.byHour && to.hoursOnly) line.decimal = decimalCell(e().vacationHours);
        } else {
            line.hours = "KEIN";
        }
        if (settings_.manageRemainingVacation != 0) {
            const double remaining = remainingVacation(document_, month_);
            line.note = "Resturlaub: " + daysNumber(remaining) + (remaining <= 1 ? " Tag" : " Tage");
        }
        placeAbsence(to, line);
        if (vacationDays <= 0) return;
        if (to.byHour && !to.hoursOnly)
            placeAbsence(to, {"Urlaubslohn", "", "", "", euroCell(to.wage * e().vacationHours),
                              rateCell(to.wage), ""});
        if (settings_.wagesInMonthEvaluation != 0 && wagePeriod_ != nullptr &&
            wagePeriod_->vacationPayPerDay > 0) {
            const double pay = wagePeriod_->vacationPayPerDay;
            placeAbsence(to,
                         {"Urlaubsgeld", "", "", "", euroCell(pay * e().vacationHours), rateCell(pay), ""});
        }
    }

    // Sickness with continued pay, with sick pay and of a child, each with the year's days so far.
    void sicknessRows(const AbsenceRows& to) {
        const auto yearTotal = [&](int32_t SickDayCounts::*kind) {
            return format("Gesamt %d: %d Tage", e().year, sickDayCountsUpTo(document_, month_).*kind);
        };
        if (e().sickHoursWithPay > 0 || e().sickDaysWithPay > 0) {
            AbsenceLine line{"Krank", countText(e().sickDaysWithPay),    "", "", "",
                             "",      yearTotal(&SickDayCounts::withPay)};
            putPaidHours(to, line, e().sickHoursWithPay);
            placeAbsence(to, line);
        }
        if (e().sickPayDays > 0)
            placeAbsence(to, {"Krankengeld", countText(e().sickPayDays), "", "", "", "",
                              yearTotal(&SickDayCounts::sickPay)});
        if (e().childSickDays > 0)
            placeAbsence(to, {"Krankheit Kind", countText(e().childSickDays), "", "", "", "",
                              yearTotal(&SickDayCounts::childSick)});
    }

    // ----- notes, standby, legend, deviating wages -----

    CReportTable textTable(const char* name) const {
        CReportTable table(name);
        table.left = kLeft;
        table.right = kRight;
        table.showHeader = false;
        table.drawFrame = false;
        table.drawColumnLines = false;
        table.addColumn(1, kRight - kLeft, "").flags = kTextMultiLineCell;
        return table;
    }

    void sicknessNote() {
        if (forExport_ || !inputs_.printMonthReportTexts || inputs_.sicknessThresholdDays <= 0) return;
        if (e().sickDays <= inputs_.sicknessThresholdDays) return;
        CReportTable table = textTable("ABSCHLUSS");
        table.addRow().addCell(1, withLineBreaks(inputs_.sicknessNoteText));
        keep(std::move(table));
    }

    void standbyDuties() {
        const bool standbyPaid =
            settings_.wagesUsed() && wagePeriod_ != nullptr && wagePeriod_->standbyPay > 0;
        if (e().standbyDuties <= 0 && !standbyPaid) return;
        CReportTable printed("AUSW");
        printed.left = kLeft;
        printed.showHeader = false;
        printed.addColumn(1, 1.5, "").flags = 0;
        printed.addColumn(2, 0.55, "");
        printed.addColumn(3, 1.0, "");
        printed.right = kLeft + 1.5 + 0.55 + 1.0;
        CReportRow& row = sink(printed).addRow();
        row.addCell(1, "Stördienst");
        if (e().standbyDuties > 0) {
            row.addCell(2, format("%d", e().standbyDuties));
            if (standbyPaid) row.addCell(3, euroCell(standbyPay(document_, e())));
        } else {
            row.addCell(2, "KEIN");
        }
        keep(std::move(printed));
    }

    void legend() {
        if (forExport_ || !e().hasStandbyBlocks) return;
        CReportTable table("LEGENDE");
        table.left = kLeft;
        table.showHeader = false;
        table.addColumn(1, 0.5, "");
        table.addColumn(2, 5.0, "").flags = 0;
        table.right = kLeft + 5.5;
        CReportRow& rating = table.addRow();
        rating.addCell(1, "B*");
        rating.addCell(2, "Bereitschaftszeiten wurden mit " +
                              decimalPointToComma(format("%.2f", settings_.standbyRatingPercent)) +
                              " % gerechnet.");
        if (settings_.standbyRatingPercent == 0) {
            CReportRow& time = table.addRow();
            time.addCell(1, "Zeit");
            time.addCell(2, formatMinutes(e().standbyMinutes, 2, false));
        }
        keep(std::move(table));
    }

    void deviatingWages() {
        if (settings_.wagesInMonthEvaluation == 0) return;
        const std::optional<MonthWages> w = monthWages(document_, e());
        if (!w || w->services.services.empty()) return;

        CReportTable printed("DIENSTL_STL");
        printed.left = kLeft;
        printed.right = 6.6;
        printed.addColumn(1, 3.0, "Tätigkeit").flags = kTextIndentTitle;
        printed.addColumn(2, 1.0, "Stundenlohn").flags = kTextRight;
        printed.addColumn(3, 1.0, "Stunden").flags = kTextRight;
        printed.addColumn(4, 1.0, "Bruttolohn").flags = kTextRight;
        deviatingWagesGap(printed);
        CReportTable& table = sink(printed);
        const auto addRow = [&](const std::string& label, double wage, double hours, double gross) {
            CReportRow& row = table.addRow();
            const std::string texts[] = {label, formatAmount(wage), formatAmount(hours), formatAmount(gross)};
            for (int32_t i = 0; i < 4; ++i)
                if (!texts[i].empty()) row.addCell(i + 1, texts[i]);
        };
        for (const ServiceWage& s : w->services.services)
            addRow(s.service, s.hourlyWage, s.hours, s.gross);
        addRow("", w->hourlyWage, w->paidHours, w->regularGross);
        addRow("Summe", 0.0, 0.0, w->monthGross);
        keep(std::move(printed));
    }

    // What sets the deviating wages off: in print an empty line, in the export two empty rows and the
    // printed table's titles.
    void deviatingWagesGap(const CReportTable& printed) {
        if (forExport_) {
            exportTable_.addRow();
            exportTable_.addRow();
            CReportRow& titles = exportTable_.addRow();
            for (int32_t i = 1; i <= 4; ++i)
                titles.addCell(i, printed.column(i)->title);
            return;
        }
        CReportTable gap("LEERZEILE");
        gap.left = kLeft;
        gap.right = kLeft + 6.0;
        gap.showHeader = false;
        gap.drawFrame = false;
        gap.drawColumnLines = false;
        gap.addColumn(1, 6.0, "");
        gap.addRow();
        tables_.push_back(std::move(gap));
    }

    void closing() {
        if (forExport_) return;
        CReportTable table = textTable("ABSCHLUSS");
        if (footnoteDue_) table.addRow().addCell(1, kFootnote);
        if (inputs_.printMonthReportTexts && !inputs_.monthReportText.empty())
            table.addRow().addCell(1, withLineBreaks(inputs_.monthReportText));
        keep(std::move(table));
    }

    const CLorvanDoc& document_;
    const CEinstArbzt& settings_;
    const int32_t month_;
    const ReportInputs& inputs_;
    const bool forExport_;
    const MonthEvaluation* evaluation_ = nullptr;
    std::optional<MonthColumns> columns_;
    const WagePeriod* wagePeriod_ = nullptr;
    double previousBalance_ = 0.0;
    double balance_ = 0.0;
    double monthlyPayout_ = 0.0;
    bool footnoteDue_ = false;
    std::vector<CReportTable> tables_;
    CReportTable exportTable_;
};

} // namespace

MonthColumns::MonthColumns(const CLorvanDoc& document, const MonthEvaluation& evaluation, bool forExport) {
    const CEinstArbzt& s = document.settings();
    const int32_t m = evaluation.month;
    double x = kLeft;
    int32_t next = 1;
    const auto add = [&](MonthColumn column, std::string printTitle, std::string exportTitle, double width) {
        const size_t i = indexOf(column);
        numbers_[i] = next++;
        titles_[i] = forExport ? std::move(exportTitle) : std::move(printTitle);
        widths_[i] = forExport ? 1.0 : width;
        x += width;
    };

    add(MonthColumn::Day, "\nTag", "Tag", 0.5);
    add(MonthColumn::From, "\nVon", "Von", 0.5);
    add(MonthColumn::To, "\nBis", "Bis", 0.5);
    if (evaluation.pauseMinutes > 0 || s.checkBreakTimes != 0 || s.isModeRA(m) || s.isModeMA(m) ||
        s.isModeWA(m))
        add(MonthColumn::Pause, "\nPause", "Pause", 0.4);
    const bool daily = s.dailyDeviationsNeeded(m);
    if (daily) add(MonthColumn::Target, "\nSoll", "Soll", 0.4);
    add(MonthColumn::Duration, "\nDauer", "Dauer", 0.55);
    add(MonthColumn::Absence, "Fehl-\nzeit", "Fehlzeit", 0.5);
    if (daily) add(MonthColumn::Deviation, "Az\nDiff", "Az-Diff", 0.5);
    if (s.isModeWA(m) || (s.isModeRA(m) && s.weeklyPayoutOn != 0))
        add(MonthColumn::Account, "Az\nKonto", "ArbztKonto", 0.5);
    for (const SurchargeColumn& c : kSurchargeColumns) {
        if (s.*c.on == 0 || evaluation.*c.minutes <= 0) continue;
        const std::string percent = percentText(s.*c.percent) + "%";
        add(c.column, c.printPrefix + percent, c.exportPrefix + percent, 0.4);
    }
    const WagePeriod* wagePeriod = wagePeriodOrNull(s, m);
    const bool standbyPaid =
        s.wagesInMonthEvaluation != 0 && wagePeriod != nullptr && wagePeriod->standbyPay > 0;
    if (evaluation.standbyDuties > 0 || standbyPaid || evaluation.hasStandbyBlocks) {
        if (evaluation.hasStandbyBlocks)
            add(MonthColumn::Standby, "\nBS", "Bereitschaft", 0.2);
        else
            add(MonthColumn::Standby, "\nSD", "SD", 0.2);
    }
    for (size_t i = 0; i < 3; ++i) {
        const std::string& name = s.calculationFieldNames[i];
        if (name.empty()) continue;
        if (!forExport && x + 0.4 > kRight + kEpsilon) continue;
        add(static_cast<MonthColumn>(indexOf(MonthColumn::Calculation1) + i), calculationTitle(name), name,
            0.4);
    }
    if (forExport)
        add(MonthColumn::Remark, "", "Bemerkung", 1.0);
    else if (x < kRight - kEpsilon)
        add(MonthColumn::Remark, "\nBemerkung", "", kRight - x);
}

MonthReport monthReport(YearEvaluator& evaluator, int32_t month, const ReportInputs& inputs) {
    return MonthReportBuilder(evaluator, month, inputs, false).buildPrinted();
}

CReportTable monthExportTable(YearEvaluator& evaluator, int32_t month, const ReportInputs& inputs) {
    return MonthReportBuilder(evaluator, month, inputs, true).buildExport();
}

std::string monthSheetName(const CLorvanDoc& document, int32_t month) {
    return format("%2.2d.%d", month, document.settings().year) + " " + document.settings().name;
}

int32_t pageRowsOf(const CReportTable& table) {
    return static_cast<int32_t>(table.rowCount()) + (table.showHeader ? table.headerLines : 0);
}

std::vector<std::vector<CReportTable>> divideIntoPages(const CReportTable& header,
                                                       const std::vector<CReportTable>& tables) {
    std::vector<std::vector<CReportTable>> pages;
    int32_t used = 0;
    const auto newPage = [&] {
        pages.emplace_back();
        pages.back().push_back(header);
        used = pageRowsOf(header);
    };
    newPage();
    for (const CReportTable& table : tables) {
        CReportTable rest = table;
        while (true) {
            const int32_t rows = pageRowsOf(rest);
            const bool freshPage = pages.back().size() == 1;
            if (used + rows <= kMonthPageRows || (freshPage && rows <= kMonthPageRows / 2)) {
                used += rows;
                pages.back().push_back(std::move(rest));
                break;
            }
            const int32_t room = kMonthPageRows - used - (rest.showHeader ? rest.headerLines : 0);
            if (rows > kMonthPageRows / 2 && room > 0) {
                CReportTable first = rest;
                first.clearRows();
                for (size_t i = 0; i < static_cast<size_t>(room); ++i)
                    first.addRow(rest.row(i));
                CReportTable remainder = rest;
                remainder.clearRows();
                for (size_t i = static_cast<size_t>(room); i < rest.rowCount(); ++i)
                    remainder.addRow(rest.row(i));
                pages.back().push_back(std::move(first));
                rest = std::move(remainder);
            }
            newPage();
        }
    }
    return pages;
}

} // namespace lorvan
