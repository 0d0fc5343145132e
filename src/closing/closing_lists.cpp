#include "closing/closing_lists.h"

#include "closing/month_collection.h"
#include "evaluation/month_evaluation.h"
#include "evaluation/wages.h"
#include "evaluation/year_statistics.h"
#include "foundation/datum.h"
#include "foundation/error.h"
#include "foundation/format.h"
#include "foundation/number_text.h"
#include "foundation/time_text.h"
#include "output/print_table.h"
#include "output/surface.h"
#include "reports/report_inputs.h"
#include "reports/report_print.h"

#include <algorithm>
#include <array>
#include <map>

namespace lorvan {
namespace {

// A number as the lists write it: two places with a decimal comma, exactly 0 as an empty cell.
std::string amountText(double value) {
    return formatAmount(roundAmount(value, 0, 2));
}

std::string standText(const MonthCollection& collection, const Datum& today) {
    std::string text = format("Stand: %2.2d.%2.2d.%4.4d", today.day, today.month, today.year);
    if (collection.chosen != currentMonthOf(today))
        text += format(" für Monat: %2.2d.%4.4d", collection.chosen.month, collection.chosen.year);
    return text;
}

void addTitleRows(CReportTable& table, const char* title, const std::string& stand) {
    table.addRow().addCell(1, title, true);
    table.addRow().addCell(1, stand);
}

// The account of one year file carried forward month by month: the change, the monthly payout and
// the balance at the end of each month up to the chosen one, evaluated once.
struct MonthAccount {
    double change = 0.0;
    double payout = 0.0;
    double balance = 0.0; // rounded to two places
};

class AccountCarry {
  public:
    // The months up to the chosen month of the collection are carried.
    explicit AccountCarry(int32_t lastMonth) : last_(lastMonth) {}

    const MonthAccount& of(const CollectedMonth& m) {
        auto& months = byFile_[m.file];
        if (months.empty()) fill(m, std::max(last_, m.month), months);
        return months.at(m.month);
    }

  private:
    static void fill(const CollectedMonth& m, int32_t last, std::map<int32_t, MonthAccount>& months) {
        YearEvaluator& evaluator = m.evaluator();
        const CEinstArbzt& settings = m.document().settings();
        const bool kept = settings.keepWorkingTimeAccount != 0;
        std::map<int32_t, YearEvaluator::AccountStep> steps;
        if (kept)
            for (const YearEvaluator::AccountStep& step : evaluator.accountSteps(last))
                steps[step.month] = step;
        double balance = kept ? settings.accountCarryOver : 0.0;
        for (int32_t month = 1; month <= last; ++month) {
            MonthAccount account;
            const auto step = steps.find(month);
            if (step != steps.end()) {
                balance = step->second.balance;
                account.payout = step->second.payout;
            }
            account.balance = kept ? roundAmount(balance, 0, 2) : 0.0;
            months[month] = account;
        }
    }

    int32_t last_;
    std::map<const ClosingYearFile*, std::map<int32_t, MonthAccount>> byFile_;
};

} // namespace

CReportTable accountListTable(const MonthCollection& collection, const Datum& today, bool buildSwitch) {
    CReportTable table("EXPORT");
    table.addColumn(1, 1.0, "Mitarbeiter").valueType = kValueText;
    table.addColumn(2, 1.0, "Std:Min").valueType = kValueText;
    table.addColumn(3, 1.0, "Std").valueType = kValueDecimal;
    table.addColumn(4, 1.0, "Resturlaub (in Tagen)").valueType = kValueInteger;
    if (buildSwitch) table.addColumn(5, 1.0, "ungeplanter Resturlaub").valueType = kValueInteger;
    addTitleRows(table, kAccountListTitle, standText(collection, today));

    AccountCarry accounts(collection.chosen.month);
    std::string department;
    for (const CollectedMonth& m : collection.monthList) {
        const CMitarbeiterDoc& employee = m.employee();
        if (employee.department != department) {
            table.addRow();
            table.addRow().addCell(1, employee.department, true);
            department = employee.department;
        }
        const double balance = accounts.of(m).balance;
        CReportRow& row = table.addRow();
        row.addCell(1, employee.displayText());
        row.addCell(2, formatMinutes(static_cast<int32_t>(roundAmount(balance * 60.0, 0, 0)), 1, false));
        row.addCell(3, decimalPointToComma(format("%1.2f", balance)));
        const CEinstArbzt& settings = m.document().settings();
        if (settings.manageRemainingVacation != 0) {
            row.addCell(4, format("%.0f", remainingVacation(m.document(), m.month)));
            if (buildSwitch) row.addCell(5, settings.unplannedVacationText);
        }
    }
    return table;
}

namespace {

enum CostColumn : int32_t {
    kCostName = 1,
    kCostNumber,
    kCostDepartment,
    kCostMonth,
    kCostTarget,
    kCostActual,
    kCostDifference,
    kCostAccountChange,
    kCostAccountEnd,
    kCostAccountPayout,
    kCostSurcharge1,
    kCostVacation,
    kCostRemainingVacation,
    kCostHoliday,
    kCostSickWithPay,
    kCostSickPay,
    kCostChildSick,
    kCostParentalLeave,
    kCostPlausi,
    kCostNight,
    kCostHourlyWage,
    kCostEmployerCostPerHour,
    kCostValuePerHour,
    kCostTotalWage,
    kCostTotalEmployerCost,
    kCostValueCreation,
    kCostValueLoss,
    kCostSicknessCost,
    kCostProfit,
};

constexpr std::array<const char*, 29> kCostTitles = {
    "Mitarbeiter",     "Personalnr",   "Abteilung",     "Monat",           "Soll",
    "Ist",             "Differenz",    "AZK-Änderung",  "AZK-Ende",        "AZK-Auszahlung",
    "AZK-ÜStd",        "Urlaub",       "Resturlaubstage", "Feiertag",      "Krankheit Lohnfortzahlung",
    "Krankengeld",     "Krankheit Kind", "Elternzeit",  "Plausi",          "Nacht",
    "Std.Lohn",        "Std.AG Kosten", "Std. Wert",    "Ges.Lohn",        "Ges.AG Kosten",
    "Wertschöpfung",   "Wertausfall",  "Krankheitskosten", "Gewinn"};

// The columns that the "Summe" row adds up.
constexpr std::array<int32_t, 17> kSummedColumns = {
    kCostTarget,      kCostActual,   kCostAccountPayout, kCostSurcharge1,   kCostVacation,       kCostHoliday,
    kCostSickWithPay, kCostSickPay,  kCostChildSick,     kCostParentalLeave, kCostNight,         kCostTotalWage,
    kCostTotalEmployerCost, kCostValueCreation, kCostValueLoss, kCostSicknessCost, kCostProfit};

// What a month costs at rate r (the hourly wage or the employer cost per hour).
double monthCost(const CLorvanDoc& document, int32_t month, const MonthEvaluation& e, double actual,
                 double accountChange, const WagePeriod& period, double r) {
    double cost = roundAmount((actual - accountChange + e.sickHoursWithPay) * r, 0, 2);
    if (period.vacationPayPerDay > 0 && e.vacationDays > 0)
        cost += roundAmount(period.vacationPayPerDay * e.vacationDays, 0, 2);
    const CEinstArbzt& s = document.settings();
    if (!s.surchargesIntoHours(month)) {
        const std::array<std::pair<int32_t, double>, 6> surcharges = {{
            {e.surcharge1Minutes, s.surcharge1Percent},
            {e.surcharge2Minutes, s.surcharge2Percent},
            {e.holidayMinutes, s.holidayPercent},
            {e.sundayMinutes, s.sundayPercent},
            {e.saturdayMinutes, s.saturdayPercent},
            {e.nightMinutes, s.nightPercent},
        }};
        for (const auto& [minutes, percent] : surcharges)
            if (minutes > 0)
                cost += roundAmount(minutesToHours(minutes) * roundAmount(percent * r * 0.01, 0, 2), 0, 2);
    }
    return cost;
}

} // namespace

CReportTable costListTable(const MonthCollection& collection, const Datum& today) {
    CReportTable table("EXPORT");
    for (int32_t c = 1; c <= static_cast<int32_t>(kCostTitles.size()); ++c)
        table.addColumn(c, 1.0, kCostTitles[static_cast<size_t>(c - 1)]).valueType =
            c >= kCostTarget ? kValueDecimal : kValueText;
    addTitleRows(table, kCostListTitle, standText(collection, today));

    AccountCarry accounts(collection.chosen.month);
    // The columns of a row and of a "Summe" row, in column order; unset columns stay empty.
    struct Values {
        std::array<double, kCostTitles.size() + 1> value{};
        std::array<bool, kCostTitles.size() + 1> set{};
        double& operator[](int32_t column) {
            set[static_cast<size_t>(column)] = true;
            return value[static_cast<size_t>(column)];
        }
        double valueOr0(int32_t column) const {
            return set[static_cast<size_t>(column)] ? value[static_cast<size_t>(column)] : 0.0;
        }
    };
    Values sums;
    // The remaining vacation carried from month to month of each file: what remainingVacation gives,
    // without walking the earlier months again for every month.
    const ClosingYearFile* vacationFile = nullptr;
    double remaining = 0.0;
    auto putIdentity = [](CReportRow& row, const CMitarbeiterDoc& employee) {
        row.addCell(kCostName, employee.name);
        row.addCell(kCostNumber, format("%d", employee.number));
        row.addCell(kCostDepartment, employee.department);
    };
    for (size_t i = 0; i < collection.yearToDate.size(); ++i) {
        const CollectedMonth& m = collection.yearToDate[i];
        const CLorvanDoc& document = m.document();
        const CEinstArbzt& s = document.settings();
        YearEvaluator& evaluator = m.evaluator();
        const MonthEvaluation& e = evaluator.evaluate(m.month);
        const MonthAccount& account = accounts.of(m);
        const double accountChangeFull = evaluator.accountChange(m.month);
        const double correction = document.month(m.month) ? document.month(m.month)->accountCorrection : 0.0;

        Values v;
        v[kCostTarget] = e.targetHours;
        v[kCostActual] = minutesToHours(e.creditedMinutes);
        v[kCostDifference] = v[kCostActual] - v[kCostTarget];
        v[kCostAccountChange] = accountChangeFull - account.payout;
        v[kCostAccountEnd] = account.balance;
        v[kCostAccountPayout] = account.payout;
        v[kCostSurcharge1] = minutesToHours(e.surcharge1Minutes);
        v[kCostVacation] = e.vacationHours;
        v[kCostHoliday] = e.holidayHours;
        v[kCostSickWithPay] = e.sickHoursWithPay;
        v[kCostSickPay] = e.sickPayHours;
        v[kCostChildSick] = e.childSickHours;
        v[kCostParentalLeave] = e.parentalLeaveHours;
        v[kCostPlausi] = v[kCostActual] - v[kCostTarget] - (accountChangeFull - correction) - v[kCostSurcharge1] + v[kCostVacation] +
                     v[kCostHoliday] + v[kCostSickWithPay] + v[kCostSickPay] + v[kCostChildSick] + v[kCostParentalLeave];
        v[kCostNight] = minutesToHours(e.nightMinutes);
        if (s.employeeInCostEvaluation != 0 && !s.wagePeriods.empty()) {
            try {
                const WagePeriod& period = wagePeriodOf(document, m.month);
                v[kCostHourlyWage] = period.hourlyWage;
                v[kCostEmployerCostPerHour] = period.employerCostPerHour;
                v[kCostValuePerHour] = period.valueCreationPerHour;
                v[kCostTotalWage] = monthCost(document, m.month, e, v[kCostActual], v[kCostAccountChange], period,
                                          period.hourlyWage);
                v[kCostTotalEmployerCost] = monthCost(document, m.month, e, v[kCostActual], v[kCostAccountChange], period,
                                                  period.employerCostPerHour);
                v[kCostValueCreation] = roundAmount(v[kCostActual] * period.valueCreationPerHour, 0, 2);
                v[kCostValueLoss] = roundAmount(
                    (e.sickHoursWithPay + e.sickPayHours + e.childSickHours) * period.valueCreationPerHour, 0, 2);
                v[kCostSicknessCost] =
                    roundAmount(e.sickHoursWithPay * period.employerCostPerHour, 0, 2) + v[kCostValueLoss];
                v[kCostProfit] = v[kCostValueCreation] - v[kCostTotalEmployerCost] - v[kCostValueLoss];
            } catch (const LorvanError&) {
                // No wage period for the month: the cost columns stay empty.
            }
        }

        CReportRow& row = table.addRow();
        putIdentity(row, m.employee());
        row.addCell(kCostMonth, format("%02d.%d", m.month, document.settings().year));
        for (int32_t column = 1; column <= static_cast<int32_t>(kCostTitles.size()); ++column) {
            if (!v.set[static_cast<size_t>(column)]) continue;
            const double shown = roundAmount(v.value[static_cast<size_t>(column)], 0, 2);
            if (const std::string text = formatAmount(shown); !text.empty()) row.addCell(column, text);
        }
        if (s.manageRemainingVacation != 0) {
            if (vacationFile != m.file) {
                vacationFile = m.file;
                remaining = s.vacationEntitlement + s.remainingVacationPreviousYear;
                // The months before the first one listed (none: the list starts with the file's first month).
                for (const auto& [number, record] : document.months())
                    if (number < m.month) remaining -= vacationDays(record);
            }
            remaining -= vacationDays(*document.month(m.month));
            if (remaining != 0) row.addCell(kCostRemainingVacation, decimalPointToComma(format("%.1f", remaining)));
        }
        for (const int32_t column : kSummedColumns)
            sums[column] += roundAmount(v.valueOr0(column), 0, 2);

        const bool lastOfEmployee =
            i + 1 == collection.yearToDate.size() || collection.yearToDate[i + 1].file != m.file;
        if (lastOfEmployee) {
            CReportRow& sum = table.addRow();
            putIdentity(sum, m.employee());
            sum.addCell(kCostMonth, "Summe");
            sums[kCostDifference] = sums.valueOr0(kCostActual) - sums.valueOr0(kCostTarget);
            for (int32_t column = 1; column <= static_cast<int32_t>(kCostTitles.size()); ++column)
                if (sums.set[static_cast<size_t>(column)])
                    if (const std::string text = amountText(sums.value[static_cast<size_t>(column)]); !text.empty())
                        sum.addCell(column, text);
            table.addRow();
            sums = Values();
        }
    }
    return table;
}

namespace {

constexpr int32_t kPortraitRows = 44;
constexpr int32_t kLandscapeRows = 28;

// The body rows of an export table without its two title rows.
std::vector<const CReportRow*> bodyRows(const CReportTable& table) {
    std::vector<const CReportRow*> rows;
    for (size_t i = 2; i < table.rowCount(); ++i)
        rows.push_back(&table.row(i));
    return rows;
}

std::string cellText(const CReportTable& table, size_t row, int32_t column) {
    if (row >= table.rowCount()) return {};
    const CReportCell* cell = table.row(row).cell(column);
    return cell ? cell->text : std::string();
}

// The printed tables of one band of columns (source column -> width), page by page.
void addBandPages(ClosingListReport& report, const CReportTable& source,
                  const std::vector<std::pair<int32_t, double>>& band, double left, int32_t rowsPerPage) {
    const std::vector<const CReportRow*> rows = bodyRows(source);
    for (size_t start = 0; start < rows.size() || start == 0; start += static_cast<size_t>(rowsPerPage)) {
        CReportTable table("LISTE");
        table.left = left;
        table.headerLines = 2;
        double x = left;
        int32_t number = 1;
        std::map<int32_t, int32_t> placeOf;
        for (const auto& [column, width] : band) {
            const CReportColumn* original = source.column(column);
            CReportColumn& c = table.addColumn(number, width, original ? original->title : std::string());
            // Names and departments from the left, numbers centred, clear of the column lines.
            c.flags = column == 1 || column == 3 ? kTextIndentTitle : kTextCentre;
            placeOf[column] = number++;
            x += width;
        }
        table.right = x;
        const size_t end = std::min(rows.size(), start + static_cast<size_t>(rowsPerPage));
        for (size_t i = start; i < end; ++i) {
            CReportRow& row = table.addRow();
            for (const CReportCell& cell : rows[i]->cells()) {
                const auto place = placeOf.find(cell.column);
                if (place != placeOf.end()) row.addCell(place->second, cell.text, cell.bold);
            }
        }
        report.pages.push_back({std::move(table)});
        if (rows.empty()) break;
    }
}

} // namespace

ClosingListReport printableAccountList(const CReportTable& exportTable) {
    ClosingListReport report;
    report.title = cellText(exportTable, 0, 1);
    report.stand = cellText(exportTable, 1, 1);
    std::vector<std::pair<int32_t, double>> band = {{1, 2.9}, {2, 1.1}, {3, 1.1}, {4, 1.3}};
    if (exportTable.column(5)) {
        band[0].second = 2.3;
        band.push_back({5, 1.2});
    }
    addBandPages(report, exportTable, band, kReportLeft, kPortraitRows);
    return report;
}

ClosingListReport printableCostList(const CReportTable& exportTable) {
    ClosingListReport report;
    report.title = cellText(exportTable, 0, 1);
    report.stand = cellText(exportTable, 1, 1);
    report.landscape = true;
    // Name and month lead every band; the other columns follow, ten to a band.
    const std::vector<std::pair<int32_t, double>> keys = {{kCostName, 1.7}, {kCostMonth, 0.75}};
    std::vector<int32_t> rest;
    for (const auto& [number, column] : exportTable.columns())
        if (number != kCostName && number != kCostMonth) rest.push_back(number);
    constexpr size_t kPerBand = 10;
    for (size_t start = 0; start < rest.size(); start += kPerBand) {
        std::vector<std::pair<int32_t, double>> band = keys;
        for (size_t i = start; i < std::min(rest.size(), start + kPerBand); ++i)
            band.push_back({rest[i], rest[i] == kCostDepartment ? 1.0 : 0.82});
        addBandPages(report, exportTable, band, 0.5, kLandscapeRows);
    }
    return report;
}

void printClosingList(Surface& surface, const ClosingListReport& report, std::string& logoPath,
                      const MessageSink& sink) {
    const double right = report.landscape ? 11.0 : kMonthRight;
    const double left = report.landscape ? 0.5 : kReportLeft;
    int32_t number = 0;
    for (const std::vector<CReportTable>& tables : report.pages) {
        PageScope scope(surface);
        CPage page(surface);
        double y = page.printText(kMonthTitleTop, left, kTextBold, 14, report.title);
        y = page.printText(y + 0.05, left, 0, 10, report.stand);
        const double logoBottom = page.printLogo(logoPath, kMonthLogoTop, right, sink);
        const double rule = std::max(y, logoBottom) + 0.05;
        page.drawLine(rule, left, rule, right, 5);
        y = rule + 0.2;
        for (CReportTable table : tables)
            y = printTable(page, table, y);
        page.printText(y + 0.2, left, 0, 8, format("Seite %d von %zu", ++number, report.pages.size()));
    }
}

std::vector<MonthReport> monthEvaluationReports(const MonthCollection& collection, const ReportInputs& inputs) {
    std::vector<MonthReport> reports;
    for (const CollectedMonth& m : collection.monthList) {
        MonthReport report = monthReport(m.evaluator(), m.month, inputs);
        report.title = "Monatsauswertung " + format("%02d.%d", m.month, m.document().settings().year) + " - " +
                       m.document().settings().name;
        reports.push_back(std::move(report));
    }
    return reports;
}

void printMonthEvaluations(Surface& surface, const std::vector<MonthReport>& reports, std::string& logoPath,
                           const MessageSink& sink) {
    for (const MonthReport& report : reports)
        printMonthReport(surface, report, logoPath, sink);
}

} // namespace lorvan
