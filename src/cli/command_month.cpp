#include "cli/commands.h"

#include "app/open_year_file.h"
#include "cli/record_commands.h"
#include "cli/report_output.h"

#include "evaluation/account.h"
#include "evaluation/month_evaluation.h"
#include "evaluation/wages.h"
#include "foundation/calendar.h"
#include "foundation/error.h"
#include "foundation/format.h"
#include "foundation/number_text.h"
#include "foundation/time_text.h"
#include "platform/prompter.h"
#include "reports/month_report.h"
#include "reports/month_text_report.h"
#include "reports/report_print.h"
#include "yearfile/year_file.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <ostream>

namespace lorvan::cli {
namespace {

using nlohmann::ordered_json;

enum class OutputForm { Json, Text };

// The arguments before the form option, and the form (--json when none is given).
OutputForm takeForm(std::vector<std::string>& args, const char* command) {
    OutputForm form = OutputForm::Json;
    int32_t given = 0;
    for (auto it = args.begin(); it != args.end();) {
        if (*it == "--json" || *it == "--text") {
            form = *it == "--json" ? OutputForm::Json : OutputForm::Text;
            ++given;
            it = args.erase(it);
        } else {
            ++it;
        }
    }
    if (given > 1)
        throw LorvanError(std::string(command) + ": nur eine Ausgabeform angeben (--json oder --text).");
    return form;
}

std::string hoursText(double hours) {
    return decimalPointToComma(format("%.2f", hours));
}

ordered_json blockToJson(const RowBlock& b) {
    return ordered_json{
        {"start_hour", b.startHour},
        {"from_minute", b.fromMinute},
        {"end_hour", b.endHour},
        {"to_minute", b.toMinute},
        {"pause", b.pause},
        {"credited_minutes", b.creditedMinutes},
        {"work_minutes", b.workMinutes},
        {"raw_from_hour", b.rawFromHour},
        {"raw_from_minute", b.rawFromMinute},
        {"raw_to_hour", b.rawToHour},
        {"raw_to_minute", b.rawToMinute},
        {"span", b.span},
        {"raw_pause", b.rawPause},
        {"text", b.text},
        {"service", b.service},
        {"remark", b.remark},
        {"standby", b.standby},
        {"standby_minutes", b.standbyMinutes},
        {"saturday_minutes", b.saturdayMinutes},
        {"night_minutes", b.nightMinutes},
    };
}

ordered_json rowToJson(const DayRow& r) {
    ordered_json blocks = ordered_json::array();
    for (const RowBlock& b : r.blocks)
        blocks.push_back(blockToJson(b));
    return ordered_json{
        {"day", r.day},
        {"month", r.month},
        {"year", r.year},
        {"weekday", r.weekday},
        {"code", r.code},
        {"status", r.status},
        {"report_remark", r.reportRemark},
        {"internal_remark", r.internalRemark},
        {"target_minutes", r.targetMinutes},
        {"credited_absence_minutes", r.creditedAbsenceMinutes},
        {"time_off_minutes", r.timeOffMinutes},
        {"work_minutes", r.workMinutes},
        {"credited_minutes", r.creditedMinutes},
        {"holiday_minutes", r.holidayMinutes},
        {"sunday_minutes", r.sundayMinutes},
        {"saturday_minutes", r.saturdayMinutes},
        {"night_minutes", r.nightMinutes},
        {"account_deviation", r.accountDeviation},
        {"standby_duty", r.standbyDuty},
        {"first_after_not_employed", r.firstAfterNotEmployed},
        {"not_employed_start", r.notEmployedStart},
        {"blocks", blocks},
    };
}

ordered_json monthToJson(const MonthEvaluation& e);

ordered_json weekToJson(const WeekEvaluation& w) {
    ordered_json rows = ordered_json::array();
    for (const DayRow& r : w.rows)
        rows.push_back(rowToJson(r));
    return ordered_json{
        {"week_number", w.weekNumber},
        {"first_weekday", w.firstWeekday},
        {"last_weekday", w.lastWeekday},
        {"has_entries", w.hasEntries},
        {"account_minutes", w.accountMinutes},
        {"overtime_minutes", w.overtimeMinutes},
        {"holiday_bucket_minutes", w.holidayBucketMinutes},
        {"sunday_saturday_bucket_minutes", w.sundaySaturdayBucketMinutes},
        {"vacation_days", w.vacationDays},
        {"sick_days", w.sickDays},
        {"time_off_days", w.timeOffDays},
        {"holiday_hours", w.holidayHours},
        {"vacation_hours", w.vacationHours},
        {"sick_hours", w.sickHours},
        {"surcharge_1_minutes", w.surcharge1Minutes},
        {"surcharge_2_minutes", w.surcharge2Minutes},
        {"week_deviation", w.weekDeviation},
        {"weekly_payout", w.weeklyPayout},
        {"carried_in", w.carriedIn ? monthToJson(*w.carriedIn) : ordered_json(nullptr)},
        {"rows", rows},
    };
}

ordered_json monthToJson(const MonthEvaluation& e) {
    ordered_json weeks = ordered_json::array();
    for (const WeekEvaluation& w : e.weeks)
        weeks.push_back(weekToJson(w));
    return ordered_json{
        {"year", e.year},
        {"month", e.month},
        {"target_hours", e.targetHours},
        {"target_hours_without_holidays", e.targetHoursWithoutHolidays},
        {"absence_target_hours", e.absenceTargetHours},
        {"holiday_days", e.holidayDays},
        {"holiday_hours", e.holidayHours},
        {"vacation_days", e.vacationDays},
        {"vacation_hours", e.vacationHours},
        {"sick_days", e.sickDays},
        {"sick_days_with_pay", e.sickDaysWithPay},
        {"sick_hours_with_pay", e.sickHoursWithPay},
        {"sick_pay_days", e.sickPayDays},
        {"sick_pay_hours", e.sickPayHours},
        {"child_sick_days", e.childSickDays},
        {"child_sick_hours", e.childSickHours},
        {"parental_leave_hours", e.parentalLeaveHours},
        {"standby_duties", e.standbyDuties},
        {"credited_minutes", e.creditedMinutes},
        {"shift_allowance_minutes", e.shiftAllowanceMinutes},
        {"surcharge_1_minutes", e.surcharge1Minutes},
        {"surcharge_2_minutes", e.surcharge2Minutes},
        {"saturday_minutes", e.saturdayMinutes},
        {"night_minutes", e.nightMinutes},
        {"holiday_minutes", e.holidayMinutes},
        {"sunday_minutes", e.sundayMinutes},
        {"pause_minutes", e.pauseMinutes},
        {"calculation_sums", e.calculationSums},
        {"has_standby_blocks", e.hasStandbyBlocks},
        {"standby_minutes", e.standbyMinutes},
        {"account_deviation_minutes", e.accountDeviationMinutes},
        {"weekly_payout_minutes", e.weeklyPayoutMinutes},
        {"weeks", weeks},
    };
}

ordered_json cachedToJson(const CMonatDoc* m) {
    if (m == nullptr) return nullptr;
    return ordered_json{
        {"results_valid", m->resultsValid},
        {"account_change", m->accountChange},
        {"surcharge_hours_overtime_1", m->surchargeHoursOvertime1},
        {"surcharge_hours_overtime_2", m->surchargeHoursOvertime2},
        {"surcharge_hours_night", m->surchargeHoursNight},
        {"surcharge_hours_saturday", m->surchargeHoursSaturday},
        {"surcharge_hours_holiday", m->surchargeHoursHoliday},
        {"surcharge_hours_sunday", m->surchargeHoursSunday},
        {"account_payout", m->accountPayout},
        {"account_correction", m->accountCorrection},
        {"correction_comment", m->correctionComment},
    };
}

const char* surchargeKey(SurchargeKind kind) {
    switch (kind) {
    case SurchargeKind::Surcharge1:
        return "surcharge_1";
    case SurchargeKind::Surcharge2:
        return "surcharge_2";
    case SurchargeKind::Holiday:
        return "holiday";
    case SurchargeKind::Sunday:
        return "sunday";
    case SurchargeKind::Saturday:
        return "saturday";
    case SurchargeKind::Night:
        return "night";
    }
    return "";
}

const char* absenceFormKey(AbsencePayForm form) {
    switch (form) {
    case AbsencePayForm::DaysOnly:
        return "days_only";
    case AbsencePayForm::HoursOnly:
        return "hours_only";
    case AbsencePayForm::Amount:
        return "amount";
    }
    return "";
}

ordered_json absencePayToJson(const AbsencePay& pay) {
    return ordered_json{
        {"form", absenceFormKey(pay.form)},
        {"hours", pay.hours},
        {"rate", pay.rate},
        {"amount", pay.amount},
    };
}

ordered_json wagesToJson(const std::optional<MonthWages>& wages) {
    if (!wages) return nullptr;
    const MonthWages& w = *wages;
    ordered_json services = ordered_json::array();
    for (const ServiceWage& s : w.services.services)
        services.push_back(ordered_json{
            {"service", s.service},
            {"hourly_wage", s.hourlyWage},
            {"minutes", s.minutes},
            {"hours", s.hours},
            {"gross", s.gross},
        });
    ordered_json surcharges = ordered_json::array();
    for (const SurchargeWage& s : w.surcharges)
        surcharges.push_back(ordered_json{
            {"kind", surchargeKey(s.kind)},
            {"minutes", s.minutes},
            {"percent", s.percent},
            {"rate", s.rate},
            {"pay", s.pay},
        });
    ordered_json vacationPay = nullptr;
    if (w.vacationPay)
        vacationPay = ordered_json{{"rate", w.vacationPay->rate}, {"amount", w.vacationPay->amount}};
    ordered_json shift = nullptr;
    if (w.shiftAllowance)
        shift = ordered_json{
            {"minutes", w.shiftAllowance->minutes},
            {"percent", w.shiftAllowance->percent},
            {"wage_type", w.shiftAllowance->wageType},
            {"booking_text", w.shiftAllowance->bookingText},
        };
    return ordered_json{
        {"hourly_wage", w.hourlyWage},
        {"services", services},
        {"covered_minutes", w.services.coveredMinutes},
        {"paid_hours", w.paidHours},
        {"regular_gross", w.regularGross},
        {"month_gross", w.monthGross},
        {"surcharges", surcharges},
        {"holiday_pay", absencePayToJson(w.holidayPay)},
        {"vacation_wage", absencePayToJson(w.vacationWage)},
        {"sick_pay", absencePayToJson(w.sickPay)},
        {"vacation_pay", vacationPay},
        {"vacation_pay_cost_list", w.vacationPayForCostList},
        {"standby_pay", w.standbyPay},
        {"shift_allowance", shift},
        {"employer_cost_per_hour", w.costRates.employerCostPerHour},
        {"value_creation_per_hour", w.costRates.valueCreationPerHour},
    };
}

} // namespace

// The evaluation is computed in memory; the file is not written back, even when its cached month
// results change.
int runMonth(const Options& options, const std::vector<std::string>& arguments, std::ostream& out) {
    std::vector<std::string> args = arguments;
    const FileOutput output = takeFileOutput(args, "month");
    const bool formGiven = std::any_of(args.begin(), args.end(),
                                       [](const std::string& a) { return a == "--json" || a == "--text"; });
    if (output.kind != FileOutput::Kind::None && formGiven)
        throw LorvanError("month: nur eine Ausgabeform angeben (--json, --text, --pdf oder --xlsx).");
    const OutputForm form = takeForm(args, "month");
    if (args.size() != 2) throw LorvanError("month: Jahresdatei und Monat angeben.");
    const int32_t month = monthArgument(args[1]);
    OpenYearFile file(args[0], options.dataDirectory);
    YearEvaluator evaluator(file.document, file.context());
    if (output.kind != FileOutput::Kind::None) {
        const ReportInputs inputs = reportInputsOf(options.settings);
        if (output.kind == FileOutput::Kind::Xlsx) {
            writeReportXlsx(output.path, {monthExportTable(evaluator, month, inputs)},
                            monthSheetName(file.document, month));
        } else {
            const MonthReport report = monthReport(evaluator, month, inputs);
            std::string logo = inputs.logoFile;
            writeReportPdf(output.path, false, report.title, [&](Surface& surface) {
                printMonthReport(surface, report, logo, [](const std::string& m) { std::cerr << m << '\n'; });
            });
        }
        return 0;
    }
    const MonthEvaluation& e = evaluator.evaluate(month);
    double payout = 0.0;
    const double balance = evaluator.accountBalance(month, &payout);
    if (form == OutputForm::Text) {
        out << monthTextReport(file.document, e, balance, payout);
        return 0;
    }
    ordered_json json{
        {"evaluation", monthToJson(e)},
        {"cached", cachedToJson(file.document.month(month))},
        {"account_balance", balance},
        {"account_payout", payout},
        {"wages", wagesToJson(monthWages(file.document, e))},
    };
    out << json.dump(2) << '\n';
    return 0;
}

namespace {

// "--correct M HOURS [--comment TEXT]": the month and its correction, taken out of the arguments.
struct CorrectionRequest {
    int32_t month = 0;
    AccountCorrection correction;
    bool commentGiven = false;
};

double hoursArgument(const std::string& text) {
    const std::string number = decimalCommaToPoint(text);
    char* end = nullptr;
    const double hours = number.empty() ? 0.0 : std::strtod(number.c_str(), &end);
    if (number.empty() || end != number.c_str() + number.size() || !std::isfinite(hours) ||
        std::abs(hours) > kCorrectionHoursLimit)
        throw LorvanError("Die Korrektur '" + text + "' ist keine gültige Stundenzahl.");
    return hours;
}

std::optional<CorrectionRequest> takeCorrection(std::vector<std::string>& args) {
    std::optional<CorrectionRequest> request;
    for (size_t i = 0; i < args.size();) {
        if (args[i] == "--correct") {
            if (i + 2 >= args.size()) throw LorvanError("account: --correct MONAT STUNDEN angeben.");
            request = request.value_or(CorrectionRequest{});
            request->month = monthArgument(args[i + 1]);
            request->correction.hours = hoursArgument(args[i + 2]);
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 3);
        } else if (args[i] == "--comment") {
            if (i + 1 >= args.size()) throw LorvanError("account: --comment TEXT angeben.");
            request = request.value_or(CorrectionRequest{});
            request->correction.comment = args[i + 1];
            request->commentGiven = true;
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        } else {
            ++i;
        }
    }
    if (request && request->month == 0) throw LorvanError("account: --comment nur zusammen mit --correct.");
    return request;
}

// Stores the correction as "Arbeitszeitkonto korrigieren" does and writes the file at once.
void storeCorrection(const Options& options, OpenYearFile& file, const CorrectionRequest& request) {
    CorrectionRequest stored = request;
    if (!request.commentGiven) {
        // Without --comment the month keeps its comment.
        if (const auto current = accountCorrectionOf(file.document, request.month))
            stored.correction.comment = current->comment;
    }
    if (!storeAccountCorrection(file.document, request.month, stored.correction))
        throw LorvanError("Der " + monthName(request.month) + " ist in der Jahresdatei nicht angelegt.");
    FixedAnswerPrompter prompter(options.answerYes, true);
    StorageContext storage;
    storage.prompter = &prompter;
    storage.dataDirectory = options.dataDirectory;
    if (!file.document.save(file.path, true, storage))
        throw LorvanError("Die Jahresdatei '" + file.path + "' wurde nicht gespeichert.");
}

} // namespace

int runAccount(const Options& options, const std::vector<std::string>& arguments, std::ostream& out) {
    std::vector<std::string> args = arguments;
    const OutputForm form = takeForm(args, "account");
    const std::optional<CorrectionRequest> correction = takeCorrection(args);
    if (args.size() != 1) throw LorvanError("account: genau eine Jahresdatei angeben.");
    OpenYearFile file(args[0], options.dataDirectory);
    if (correction) storeCorrection(options, file, *correction);
    YearEvaluator evaluator(file.document, file.context());
    const AccountList list = accountList(evaluator);
    const CEinstArbzt& settings = file.document.settings();
    if (form == OutputForm::Text) {
        out << "Arbeitszeitkonto für " << settings.name << ' ' << settings.year << "\n\n";
        std::vector<std::vector<std::string>> table{list.headings};
        for (const AccountRow& row : list.rows)
            table.push_back(accountRowCells(row, settings));
        for (const auto& cells : table) {
            for (size_t i = 0; i < cells.size(); ++i)
                out << (i == 0 ? padRight(cells[i], 10) : " " + padLeft(cells[i], 9));
            out << '\n';
        }
        out << "\nAktueller Stand des Arbeitszeitkontos in Stunden: " << hoursText(list.balance) << '\n';
        return 0;
    }
    ordered_json rows = ordered_json::array();
    for (const AccountRow& row : list.rows) {
        const char* kind = row.kind == AccountRowKind::CarryOver ? "carry_over"
                           : row.kind == AccountRowKind::Total   ? "total"
                                                                 : "month";
        rows.push_back(ordered_json{
            {"kind", kind},
            {"month", row.month},
            {"label", row.label},
            {"computed", row.computed},
            {"surcharge_1_hours", row.surcharge1Hours},
            {"surcharge_2_hours", row.surcharge2Hours},
            {"holiday_hours", row.holidayHours},
            {"sunday_hours", row.sundayHours},
            {"saturday_hours", row.saturdayHours},
            {"night_hours", row.nightHours},
            {"correction", row.correction},
            {"payout", row.payout},
            {"sum", row.sum},
            {"comment", row.comment},
            {"cells", accountRowCells(row, settings)},
        });
    }
    ordered_json json{
        {"name", settings.name}, {"year", settings.year},   {"headings", list.headings},
        {"rows", rows},          {"balance", list.balance},
    };
    out << json.dump(2) << '\n';
    return 0;
}

} // namespace lorvan::cli
