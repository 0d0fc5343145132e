#include "evaluation/account.h"

#include "evaluation/month_evaluation.h"
#include "foundation/calendar.h"
#include "foundation/format.h"
#include "foundation/number_text.h"
#include "yearfile/settings.h"
#include "yearfile/year_file.h"

#include <algorithm>
#include <cmath>

namespace lorvan {

namespace {

// The surcharge kinds in column order: heading prefix, on flag, percent and the row's value.
struct SurchargeColumn {
    const char* prefix;
    int32_t CEinstArbzt::*on;
    double CEinstArbzt::*percent;
    double AccountRow::*hours;
};

constexpr SurchargeColumn kSurchargeColumns[] = {
    {"Ü-", &CEinstArbzt::surcharge1On, &CEinstArbzt::surcharge1Percent, &AccountRow::surcharge1Hours},
    {"Ü-", &CEinstArbzt::surcharge2On, &CEinstArbzt::surcharge2Percent, &AccountRow::surcharge2Hours},
    {"Ü-F-", &CEinstArbzt::holidaySurchargeOn, &CEinstArbzt::holidayPercent, &AccountRow::holidayHours},
    {"Ü-So-", &CEinstArbzt::sundaySurchargeOn, &CEinstArbzt::sundayPercent, &AccountRow::sundayHours},
    {"Ü-Sa-", &CEinstArbzt::saturdaySurchargeOn, &CEinstArbzt::saturdayPercent, &AccountRow::saturdayHours},
    {"Ü-Nacht-", &CEinstArbzt::nightSurchargeOn, &CEinstArbzt::nightPercent, &AccountRow::nightHours},
};

bool showsSurcharge(const CEinstArbzt& settings, const SurchargeColumn& column) {
    return settings.convertSurchargesIntoHours != 0 && settings.*column.on != 0;
}

std::string amountText(double value) {
    return decimalPointToComma(format("%.2f", value));
}

} // namespace

std::vector<std::string> accountColumnHeadings(const CEinstArbzt& settings) {
    std::vector<std::string> headings{"Monat", "Berechnet"};
    for (const SurchargeColumn& column : kSurchargeColumns)
        if (showsSurcharge(settings, column))
            headings.push_back(column.prefix + format("%.0f", settings.*column.percent));
    headings.emplace_back("Korrektur");
    if (settings.monthlyPayoutOn != 0) headings.emplace_back("Auszahlung");
    headings.emplace_back("Summe");
    headings.emplace_back("Anmerkung");
    return headings;
}

std::vector<std::string> accountRowCells(const AccountRow& row, const CEinstArbzt& settings) {
    const bool month = row.kind == AccountRowKind::Month;
    auto amount = [&](double value) { return month ? amountText(value) : std::string(); };
    std::vector<std::string> cells{row.label, amount(row.computed)};
    for (const SurchargeColumn& column : kSurchargeColumns)
        if (showsSurcharge(settings, column)) cells.push_back(amount(row.*column.hours));
    cells.push_back(amount(row.correction));
    if (settings.monthlyPayoutOn != 0) cells.push_back(amount(row.payout));
    const bool sumShown = row.kind != AccountRowKind::CarryOver || row.sum != 0.0;
    cells.push_back(sumShown ? amountText(row.sum) : std::string());
    cells.push_back(row.comment);
    return cells;
}

AccountList accountList(YearEvaluator& evaluator) {
    const CLorvanDoc& document = evaluator.document();
    const CEinstArbzt& settings = document.settings();
    AccountList list;
    list.headings = accountColumnHeadings(settings);

    AccountRow carryOver;
    carryOver.kind = AccountRowKind::CarryOver;
    carryOver.label = "Vortrag";
    carryOver.sum = settings.keepWorkingTimeAccount != 0 ? settings.accountCarryOver : 0.0;
    list.rows.push_back(carryOver);

    for (const YearEvaluator::AccountStep& step : evaluator.accountSteps(12)) {
        const CMonatDoc& record = *document.month(step.month);
        AccountRow row;
        row.month = step.month;
        row.label = monthName(step.month);
        row.computed = record.accountChange;
        row.surcharge1Hours = record.surchargeHoursOvertime1;
        row.surcharge2Hours = record.surchargeHoursOvertime2;
        row.holidayHours = record.surchargeHoursHoliday;
        row.sundayHours = record.surchargeHoursSunday;
        row.saturdayHours = record.surchargeHoursSaturday;
        row.nightHours = record.surchargeHoursNight;
        row.correction = record.accountCorrection;
        row.payout = step.payout;
        row.sum = step.change - step.payout;
        row.comment = record.correctionComment;
        list.rows.push_back(row);
    }

    list.balance = evaluator.accountBalance(12);
    AccountRow total;
    total.kind = AccountRowKind::Total;
    total.label = "Summe";
    total.sum = list.balance;
    list.rows.push_back(total);
    return list;
}

std::optional<std::string> correctionRefusal(const AccountRow& row) {
    switch (row.kind) {
    case AccountRowKind::CarryOver:
        return std::string(kCarryOverCorrectionRefused);
    case AccountRowKind::Total:
        return std::string(kTotalCorrectionRefused);
    case AccountRowKind::Month:
        break;
    }
    return std::nullopt;
}

namespace {

// The first `count` characters of a UTF-8 text (a character never loses its continuation bytes).
std::string firstCharacters(const std::string& text, size_t count) {
    size_t characters = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) == 0x80) continue;
        if (characters == count) return text.substr(0, i);
        ++characters;
    }
    return text;
}

} // namespace

std::optional<AccountCorrection> accountCorrectionOf(const CLorvanDoc& document, int32_t month) {
    const CMonatDoc* record = document.month(month);
    if (record == nullptr) return std::nullopt;
    return AccountCorrection{record->accountCorrection, record->correctionComment};
}

bool storeAccountCorrection(CLorvanDoc& document, int32_t month, const AccountCorrection& correction) {
    CMonatDoc* record = document.month(month);
    if (record == nullptr) return false;
    const double hours = std::isfinite(correction.hours) ? roundAmount(correction.hours, 0, 2) : 0.0;
    record->accountCorrection = std::clamp(hours, -kCorrectionHoursLimit, kCorrectionHoursLimit);
    record->correctionComment = firstCharacters(correction.comment, kCorrectionCommentLength);
    document.correctionSaved(month);
    document.setModified();
    return true;
}

} // namespace lorvan
