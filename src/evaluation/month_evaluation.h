#pragma once

#include "evaluation/day_evaluation.h"
#include "evaluation/evaluation_context.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The month evaluation: one row per relevant calendar day, the days grouped into calendar weeks
// (Monday to Sunday) with their overtime surcharges, and the month totals that the working-time
// account, the reports and the wages use. The values the account needs are cached in the month
// record and saved with the file; rows and weeks are rebuilt on demand.
//
// Durations are minutes, hours are decimal hours. Weekdays of rows are 1 = Sunday ... 7 = Saturday,
// the first and last weekday of a week 0 = Sunday ... 6 = Saturday.
namespace lorvan {

class CLorvanDoc;
class CMonatDoc;
struct MonthEvaluation;

// Texts of the day rows.
inline constexpr const char* kCodeHoliday = "F";
inline constexpr const char* kCodeVacation = "U";
inline constexpr const char* kCodeHalfVacation = "UH";
inline constexpr const char* kCodeSick = "K";
inline constexpr const char* kCodeTimeOff = "ZA";
inline constexpr const char* kCodeSickPay = "KG";
inline constexpr const char* kCodeChildSick = "KI";
inline constexpr const char* kCodeParentalLeave = "EZ";
inline constexpr const char* kCodeDayOff = "Frei";
inline constexpr const char* kCodeNotEmployed = "NB";
inline constexpr const char* kStatusUnknown = "Unbekannt";
inline constexpr const char* kStatusNoTimes = "Keine Zeiten";
inline constexpr const char* kStatusIncomplete = "Unvollständig";

// A work block of a day row with the surcharge minutes booked on it (the Saturday or night run that
// ended with this block).
struct RowBlock : ExportedBlock {
    int32_t saturdayMinutes = 0;
    int32_t nightMinutes = 0;
};

// One calendar day of the month.
struct DayRow {
    int32_t day = 0;
    int32_t month = 0;
    int32_t year = 0;
    int32_t weekday = 0; // 1 = Sunday ... 7 = Saturday
    std::string code;    // "F", "U", "UH", "K", "ZA", "KG", "KI", "EZ", "Frei", "NB" or empty
    std::string status;  // "Unbekannt", "Keine Zeiten", "Unvollständig" or empty
    std::string reportRemark;
    std::string internalRemark;
    int32_t targetMinutes = 0; // after absences replaced the target
    int32_t creditedAbsenceMinutes = 0;
    int32_t timeOffMinutes = 0;
    int32_t workMinutes = 0;
    int32_t creditedMinutes = 0;
    int32_t holidayMinutes = 0;
    int32_t sundayMinutes = 0;
    int32_t saturdayMinutes = 0;
    int32_t nightMinutes = 0;
    int32_t accountDeviation = 0;
    int32_t standbyDuty = 0; // 0, 1 ("Stördienst") or 2 ("Stördienst-Doppelt")
    std::vector<RowBlock> blocks;
    bool firstAfterNotEmployed = false; // "Erster Arbeitstag: "
    bool notEmployedStart = false;      // "Nicht mehr beschäftigt seit dem: "
};

// A calendar week, cut at the first and last day of the month.
struct WeekEvaluation {
    int32_t weekNumber = 0;
    int32_t firstWeekday = 0; // 0 = Sunday ... 6 = Saturday
    int32_t lastWeekday = -1; // -1 while open, 0 when the week ran through Sunday
    std::vector<DayRow> rows;
    // The previous month's days of this week (first week of a month only).
    std::shared_ptr<const MonthEvaluation> carriedIn;
    bool hasEntries = false;
    int32_t accountMinutes = 0;  // credited minutes outside the surcharge buckets
    int32_t overtimeMinutes = 0; // work minutes outside the surcharge buckets
    int32_t holidayBucketMinutes = 0;
    int32_t sundaySaturdayBucketMinutes = 0;
    double vacationDays = 0.0;
    int32_t sickDays = 0;
    int32_t timeOffDays = 0;
    double holidayHours = 0.0;
    double vacationHours = 0.0;
    double sickHours = 0.0;
    int32_t surcharge1Minutes = 0;
    int32_t surcharge2Minutes = 0;
    int32_t weekDeviation = 0;
    int32_t weeklyPayout = 0;

    // The sick, vacation and holiday hours as minutes.
    int32_t absenceCreditMinutes() const;
    // Overtime minutes plus the absence credits.
    int32_t overtimeBase() const;
};

struct MonthEvaluation {
    int32_t year = 0;
    int32_t month = 0;
    std::vector<WeekEvaluation> weeks;
    double targetHours = 0.0;
    double targetHoursWithoutHolidays = 0.0;
    double absenceTargetHours = 0.0; // minus the targets that absences replaced
    int32_t holidayDays = 0;
    double holidayHours = 0.0;
    double vacationDays = 0.0;
    double vacationHours = 0.0;
    int32_t sickDays = 0;
    int32_t sickDaysWithPay = 0; // "K"
    double sickHoursWithPay = 0.0;
    int32_t sickPayDays = 0; // "KG"
    double sickPayHours = 0.0;
    int32_t childSickDays = 0; // "KI"
    double childSickHours = 0.0;
    double parentalLeaveHours = 0.0; // "EZ"
    int32_t standbyDuties = 0;
    int32_t creditedMinutes = 0;
    int32_t shiftAllowanceMinutes = 0;
    int32_t surcharge1Minutes = 0;
    int32_t surcharge2Minutes = 0;
    int32_t saturdayMinutes = 0;
    int32_t nightMinutes = 0;
    int32_t holidayMinutes = 0;
    int32_t sundayMinutes = 0;
    int32_t pauseMinutes = 0;
    std::array<double, 3> calculationSums{};
    bool hasStandbyBlocks = false;
    int32_t standbyMinutes = 0;
    int32_t accountDeviationMinutes = 0;
    int32_t weeklyPayoutMinutes = 0;
    // Net minutes of the complete days' time lines by service (standby lines at their rating); lines
    // without a service are not listed.
    std::map<std::string, int32_t> serviceMinutes;
};

// The values a month record caches (hours).
struct CachedMonthResults {
    double accountChange = 0.0;
    double surcharge1Hours = 0.0;
    double surcharge2Hours = 0.0;
    double nightHours = 0.0;
    double saturdayHours = 0.0;
    double holidayHours = 0.0;
    double sundayHours = 0.0;
    double accountPayout = 0.0;

    static CachedMonthResults of(const CMonatDoc& month);
    void storeInto(CMonatDoc& month) const;
    friend bool operator==(const CachedMonthResults&, const CachedMonthResults&) = default;
};

// Evaluates month 1-12 of the document without touching its cache. Raises the missing-settings
// text when no working-time period covers the month, kPointerNotSet when the shift allowance needs
// a wage period that is missing.
std::unique_ptr<MonthEvaluation> evaluateMonth(const CLorvanDoc& document, int32_t month,
                                               const EvaluationContext& context);

// Blocks of one time line each with customer text, service and remark (customer numbers shown through
// customers, when given), for reports that list the lines; the month's service minutes stay empty.
struct DetailedBlocks {
    const CustomerLookup* customers = nullptr;
};

// The day loop of the month evaluation over the day records of the document from..to (dates of the
// document's year): it runs from the first record in that range to the last, takes every day from its
// own month and the working-time period and account settings from settingsMonth; carriedIn becomes the
// carried-in part of the week of "from" (dropped when the first record lies in a later week); with detailed, the rows get detailed blocks. Without a record in the
// range the evaluation has no weeks. Raises the missing-settings text when no working-time period covers
// settingsMonth.
std::unique_ptr<MonthEvaluation> evaluateDays(const CLorvanDoc& document, const Datum& from, const Datum& to,
                                              int32_t settingsMonth, const EvaluationContext& context,
                                              std::shared_ptr<const MonthEvaluation> carriedIn = nullptr,
                                              std::optional<DetailedBlocks> detailed = std::nullopt);

// The cached values that follow from an evaluation of the document's month.
CachedMonthResults cachedResultsOf(const CLorvanDoc& document, const MonthEvaluation& evaluation);

// The evaluations of one year file: keeps the detailed month evaluations while the month's cache is
// valid and keeps the cached values of the month records up to date.
class YearEvaluator {
  public:
    YearEvaluator(CLorvanDoc& document, const EvaluationContext& context);

    // The month's evaluation, rebuilt when the month's results-valid flag is 0 or none is held; the
    // cached values are written into the month record, its flag is set, and the document is marked
    // modified when a cached value changed. A month without a record is evaluated every time and
    // caches nothing.
    const MonthEvaluation& evaluate(int32_t month);
    // Resets the cache of the month and of every later month.
    void reset(int32_t month);
    // The cached account change + the six cached surcharge hours + the month's account correction
    // (evaluating the month first); 0 for a month without a record.
    double accountChange(int32_t month);
    // The account balance at the end of the month, rounded to two places; payout (when given) gets
    // the monthly payout of that month.
    double accountBalance(int32_t month, double* payout = nullptr);

    // One step of the balance: the month, its change, what the monthly payout took and the running
    // balance after it (unrounded).
    struct AccountStep {
        int32_t month = 0;
        double change = 0.0;
        double payout = 0.0;
        double balance = 0.0;
    };
    // The steps over the month records within the account's months up to the month; empty when the
    // account is off.
    std::vector<AccountStep> accountSteps(int32_t upToMonth);

    CLorvanDoc& document() { return document_; }

  private:
    CLorvanDoc& document_;
    EvaluationContext context_;
    std::map<int32_t, std::unique_ptr<MonthEvaluation>> evaluations_;
};

} // namespace lorvan
