#include "evaluation/month_evaluation.h"

#include "foundation/calendar.h"
#include "foundation/error.h"
#include "foundation/number_text.h"
#include "yearfile/settings.h"
#include "yearfile/year_file.h"

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string_view>

namespace lorvan {

namespace {

// Multiples of the overtime rounding. A rounding of 0 or below (possible in a damaged file) counts
// whole minutes instead of dividing by zero.
int32_t roundingOf(const CEinstArbzt& settings) {
    return settings.overtimeRoundingMinutes > 0 ? settings.overtimeRoundingMinutes : 1;
}

int32_t floorToMultiple(int32_t value, int32_t rounding) {
    int32_t quotient = value / rounding;
    if (value % rounding != 0 && value < 0) --quotient;
    return quotient * rounding;
}

// Sunday (0) last, as in a week from Monday to Sunday.
int32_t mondayFirst(int32_t weekdayIndex) {
    return weekdayIndex == 0 ? 7 : weekdayIndex;
}

bool isOneOf(const std::string& code, std::initializer_list<std::string_view> codes) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

// Surcharge minutes of consecutive blocks with window minutes; booked on the run's last block when
// the run reaches the overtime rounding, dropped when shorter.
struct SurchargeRun {
    int32_t sum = 0;
    size_t lastBlock = 0;

    void add(int32_t minutes, size_t block) {
        sum += minutes;
        lastBlock = block;
    }

    // Books the run into the block, the row and the month; the run starts anew.
    void close(DayRow& row, int32_t minimum, int32_t RowBlock::*blockField, int32_t DayRow::*rowField,
               int32_t& monthMinutes) {
        if (sum > 0 && sum >= minimum) {
            row.blocks[lastBlock].*blockField += sum;
            row.*rowField += sum;
            monthMinutes += sum;
        }
        sum = 0;
    }
};

class DayLoop {
  public:
    DayLoop(MonthEvaluation& evaluation, const CLorvanDoc& document, int32_t month,
            const EvaluationContext& context, const DetailedBlocks* detailed = nullptr)
        : detailed_(detailed), e_(evaluation), document_(document), settings_(document.settings()), month_(month),
          year_(document.settings().year), period_(settings_.periodForMonth(month)),
          fixedDays_(period_.fixedRegularWorkingDays != 0), rounding_(roundingOf(settings_)),
          saturdayWindow_(clockWindow(settings_.saturdayBegin, settings_.saturdayEnd)),
          nightWindow_(clockWindow(settings_.nightBegin, settings_.nightEnd)) {
        if (context.employees != nullptr) {
            employmentKnown_ = true;
            employment_ = context.employees->employmentOf(settings_.name);
        }
    }

    // Every date from first to last; each day's record comes from its own month, the settings from
    // the loop's month.
    void run(const Datum& first, const Datum& last, std::shared_ptr<const MonthEvaluation> carriedIn) {
        bool weekOpen = false;
        bool notEmployedRun = false;
        const int32_t firstNumber = dayNumber(first);
        const int32_t lastNumber = dayNumber(last);
        // The calendar weeks the period touches (six for a month).
        if (lastNumber >= firstNumber) e_.weeks.reserve(static_cast<size_t>((lastNumber - firstNumber) / 7 + 2));
        for (int32_t serial = firstNumber; serial <= lastNumber; ++serial) {
            const Datum date = fromDayNumber(serial);
            const int32_t d = date.day;
            const int32_t w = weekdayCalendar(date);
            if (!weekOpen || w == 2) {
                if (weekOpen) closeWeek(e_.weeks.back(), 0);
                WeekEvaluation week;
                week.rows.reserve(7); // a week has seven days: its rows are never moved
                week.weekNumber = weekNumber(date);
                week.firstWeekday = w - 1;
                week.carriedIn = std::move(carriedIn);
                carriedIn.reset();
                e_.weeks.push_back(std::move(week));
                weekOpen = true;
            }
            WeekEvaluation& week = e_.weeks.back();
            double t = fixedDays_ ? period_.hoursByWeekday[w - 1] : period_.hoursPerWorkingDay;
            int32_t tMin = hoursToMinutes(t);

            std::optional<DayRow> row;
            const CMonatDoc* monthRecord = document_.month(date.month);
            const CTagDoc* record = monthRecord != nullptr ? monthRecord->day(d) : nullptr;
            if (record != nullptr) {
                row.emplace();
                evaluateRecord(*row, *record, week, w, t, tMin);
            } else if (notEmployedOn(date)) {
                // A day outside the employment without a record: it never added its target to the
                // month, so there is none to take off again.
                row.emplace();
                row->code = kCodeNotEmployed;
            } else if (fixedDays_ && t != 0) {
                row.emplace();
                row->status = kStatusUnknown;
            }
            if (!row) continue;

            row->day = d;
            row->month = date.month;
            row->year = date.year;
            row->weekday = w;
            if (row->code == kCodeNotEmployed) {
                if (!notEmployedRun) {
                    notEmployedRun = true;
                    if (serial != dayNumber(first)) row->notEmployedStart = true;
                }
            } else if (notEmployedRun) {
                notEmployedRun = false;
                row->firstAfterNotEmployed = true;
            }
            row->targetMinutes = tMin;
            if (row->status.empty()) dailyDeviation(*row, week);
            week.rows.push_back(std::move(*row));
        }
        if (weekOpen) closeWeek(e_.weeks.back(), weekdayCalendar(last) - 1);
        shiftAllowance();
    }

  private:
    bool notEmployedOn(const Datum& date) const {
        if (!employmentKnown_) return false;
        return !employment_ || employment_->notEmployedOn(date);
    }

    void evaluateRecord(DayRow& row, const CTagDoc& record, WeekEvaluation& week, int32_t w, double& t,
                        int32_t& tMin) {
        row.reportRemark = record.reportRemark;
        row.internalRemark = record.internalRemark;
        if (record.complete == 0) {
            row.status = kStatusIncomplete;
            return;
        }
        const int32_t kind = record.dayKind;
        const bool holiday = record.publicHoliday != 0;
        e_.targetHours += t;
        if (!holiday && kind != kNotEmployed) e_.targetHoursWithoutHolidays += t;

        const double weekdayHours = period_.hoursByWeekday[w - 1];
        const bool dayHasTarget = !fixedDays_ || weekdayHours != 0;
        double c = period_.hoursPerWorkingDay;
        if (fixedDays_)
            c = (period_.hoursBasis == 1 && weekdayHours != 0) ? settings_.averageDailyHours(period_)
                                                               : weekdayHours;
        const bool vacationEverywhere =
            settings_.manageRemainingVacation != 0 && settings_.countVacationOnWeekendsAndHolidays != 0;

        if (holiday && !(kind == kVacation && vacationEverywhere)) {
            row.code = kCodeHoliday;
            if (dayHasTarget) {
                week.hasEntries = true;
                t = c;
                tMin = hoursToMinutes(c);
                e_.holidayDays += 1;
                e_.holidayHours += c;
                week.holidayHours += c;
                row.creditedAbsenceMinutes += tMin;
            }
        } else if (kind == kNotEmployed || kind == kDayOff) {
            row.code = kind == kNotEmployed ? kCodeNotEmployed : kCodeDayOff;
            e_.targetHours -= t;
        } else if (dayHasTarget || ((kind == kVacation || kind == kHalfVacationDay) && vacationEverywhere)) {
            classifyAbsence(row, kind, week, w, c, t, tMin);
        }

        if (kind == kStandbyDuty) row.standbyDuty = 1;
        if (kind == kDoubleStandbyDuty) row.standbyDuty = 2;
        e_.standbyDuties += row.standbyDuty;

        evaluateBlocks(row, record, week, w, dayHasTarget);
    }

    void addVacation(DayRow& row, WeekEvaluation& week, double days, double hours, int32_t creditedMinutes) {
        week.hasEntries = true;
        week.vacationDays += days;
        e_.vacationDays += days;
        e_.vacationHours += hours;
        week.vacationHours += hours;
        row.creditedAbsenceMinutes += creditedMinutes;
    }

    void classifyAbsence(DayRow& row, int32_t kind, WeekEvaluation& week, int32_t w, double c, double& t,
                         int32_t& tMin) {
        switch (kind) {
        case kVacation: {
            e_.absenceTargetHours -= t;
            t = c;
            tMin = hoursToMinutes(c);
            const bool half = fixedDays_ && period_.halfDayByWeekday[w - 1] != 0;
            row.code = half ? kCodeHalfVacation : kCodeVacation;
            addVacation(row, week, half ? 0.5 : 1.0, c, tMin);
            break;
        }
        case kHalfVacationDay:
            // Half the day is vacation, the other half stays to be worked: the row keeps the whole
            // day's target and is credited half of it.
            e_.absenceTargetHours -= t * 0.5;
            tMin = hoursToMinutes(c);
            t = c * 0.5;
            row.code = kCodeHalfVacation;
            addVacation(row, week, 0.5, t, hoursToMinutes(t));
            break;
        case kSickWithPay:
            e_.absenceTargetHours -= t;
            week.hasEntries = true;
            t = c;
            tMin = hoursToMinutes(c);
            row.code = kCodeSick;
            e_.sickDays += 1;
            e_.sickDaysWithPay += 1;
            e_.sickHoursWithPay += c;
            week.sickDays += 1;
            week.sickHours += c;
            row.creditedAbsenceMinutes += tMin;
            break;
        case kTimeOff:
            week.hasEntries = true;
            row.code = kCodeTimeOff;
            row.timeOffMinutes += tMin;
            week.timeOffDays += 1;
            break;
        case kSickWithSickPay:
        case kChildSick: {
            // The row keeps its target; nothing is credited.
            e_.absenceTargetHours -= t;
            week.hasEntries = true;
            t = c;
            const bool sickPay = kind == kSickWithSickPay;
            row.code = sickPay ? kCodeSickPay : kCodeChildSick;
            if (row.reportRemark.empty()) row.reportRemark = sickPay ? "Krankengeld" : "Krankheit Kind";
            e_.sickDays += 1;
            (sickPay ? e_.sickPayDays : e_.childSickDays) += 1;
            (sickPay ? e_.sickPayHours : e_.childSickHours) += c;
            week.sickDays += 1;
            break;
        }
        case kParentalLeave:
            e_.absenceTargetHours -= t;
            week.hasEntries = true;
            t = c;
            tMin = hoursToMinutes(c);
            row.code = kCodeParentalLeave;
            if (row.reportRemark.empty()) row.reportRemark = "Elternzeit";
            e_.parentalLeaveHours += c;
            break;
        default:
            break;
        }
    }

    void evaluateBlocks(DayRow& row, const CTagDoc& record, WeekEvaluation& week, int32_t w,
                        bool dayHasTarget) {
        const std::vector<CArbzt> blocks =
            detailed_ != nullptr ? buildBlocks(record, true, nullptr, detailed_->customers)
                                 : buildBlocks(record, false, &e_.serviceMinutes);
        if (blocks.empty() && dayHasTarget && row.code.empty()) row.status = kStatusNoTimes;

        const bool h = record.publicHoliday != 0 && settings_.holidaySurchargeOn != 0;
        const bool sunday = w == 1 && settings_.sundaySurchargeOn != 0;
        const bool saturday = !h && !sunday && w == 7 && settings_.saturdaySurchargeOn != 0;
        const bool night = !h && settings_.nightSurchargeOn != 0;
        SurchargeRun saturdayRun;
        SurchargeRun nightRun;
        const int32_t minimum = settings_.overtimeRoundingMinutes;
        row.blocks.reserve(blocks.size());
        for (size_t i = 0; i < blocks.size(); ++i) {
            const CArbzt& block = blocks[i];
            RowBlock exported;
            static_cast<ExportedBlock&>(exported) = block.exported();
            row.blocks.push_back(std::move(exported));

            const int32_t credited = static_cast<int32_t>(block.creditedMinutes());
            const int32_t work = block.workMinutes();
            week.hasEntries = true;
            row.creditedMinutes += credited;
            row.workMinutes += work;
            e_.creditedMinutes += credited;
            e_.pauseMinutes += block.pause;
            for (size_t k = 0; k < 3; ++k)
                e_.calculationSums[k] += block.calculationSums[k];
            if (block.standby != 0) {
                e_.hasStandbyBlocks = true;
                e_.standbyMinutes += block.standbyMinutes();
            }

            if (h) {
                week.holidayBucketMinutes += credited;
            } else if (sunday) {
                week.sundaySaturdayBucketMinutes += credited;
            } else if (saturday) {
                const int32_t s = windowMinutes(block, saturdayWindow_, true);
                week.sundaySaturdayBucketMinutes += s;
                week.accountMinutes += credited - s;
                week.overtimeMinutes += work - s;
                if (s > 0)
                    saturdayRun.add(s, i);
                else
                    saturdayRun.close(row, minimum, &RowBlock::saturdayMinutes, &DayRow::saturdayMinutes,
                                      e_.saturdayMinutes);
            } else {
                week.accountMinutes += credited;
                week.overtimeMinutes += work;
            }

            if (night) {
                const int32_t n = windowMinutes(block, nightWindow_, false);
                if (n > 0)
                    nightRun.add(n, i);
                else
                    nightRun.close(row, minimum, &RowBlock::nightMinutes, &DayRow::nightMinutes,
                                   e_.nightMinutes);
            }
        }
        nightRun.close(row, minimum, &RowBlock::nightMinutes, &DayRow::nightMinutes, e_.nightMinutes);
        saturdayRun.close(row, minimum, &RowBlock::saturdayMinutes, &DayRow::saturdayMinutes,
                          e_.saturdayMinutes);

        if (h) {
            row.holidayMinutes += row.workMinutes;
            e_.holidayMinutes += row.workMinutes;
        } else if (sunday) {
            row.sundayMinutes += row.workMinutes;
            e_.sundayMinutes += row.workMinutes;
        }
    }

    void dailyDeviation(DayRow& row, WeekEvaluation& week) const {
        int32_t a = row.creditedMinutes;
        int32_t g = row.targetMinutes;
        if (row.creditedAbsenceMinutes != 0) {
            if (settings_.absencesAffectAccount == 0 && settings_.isModeRA(month_))
                g = 0;
            else
                a += row.creditedAbsenceMinutes;
        }
        if (isOneOf(row.code,
                    {kCodeDayOff, kCodeNotEmployed, kCodeParentalLeave, kCodeSickPay, kCodeChildSick}))
            return;
        if (row.holidayMinutes != 0 || row.sundayMinutes != 0) return;
        row.accountDeviation = floorToMultiple(a, rounding_) - g;
        week.weekDeviation += row.accountDeviation;
    }

    // The week's account minutes with its absences, or without them where absences do not count.
    int32_t accountQuantity(const WeekEvaluation& week) const {
        if (settings_.absencesAffectAccount == 0 && settings_.isModeRA(month_)) return week.accountMinutes;
        return week.accountMinutes + week.absenceCreditMinutes();
    }

    int32_t weeklyDeviation(const WeekEvaluation& week) const {
        if (week.rows.empty()) return 0;
        const int32_t first = mondayFirst(week.firstWeekday);
        const int32_t last = mondayFirst(week.lastWeekday);
        double x = 0.0;
        if (fixedDays_) {
            for (int32_t i = first; i <= last; ++i)
                x += period_.hoursByWeekday[i % 7];
        } else {
            x = period_.workingDaysPerWeek * period_.hoursPerWorkingDay;
        }
        const auto xMin = static_cast<int32_t>(x * 60);

        int32_t n = 7;
        if (fixedDays_ && period_.hoursByWeekday[0] == 0) {
            n = 1;
            for (int32_t i = 6; i >= 1; --i) {
                if (period_.hoursByWeekday[i] != 0) {
                    n = i;
                    break;
                }
            }
        }

        int32_t result = accountQuantity(week);
        int32_t b = 0;
        if (week.carriedIn)
            for (const WeekEvaluation& carried : week.carriedIn->weeks)
                b += accountQuantity(carried);
        if (week.carriedIn && b > 0) {
            if (n >= first && b - xMin <= 0) result += b - xMin;
        } else {
            result -= xMin;
        }
        if (result < 0) {
            const bool partEndsEarly = settings_.weekEndsAtMonthEnd == 0 && last < n;
            if (partEndsEarly || (!week.hasEntries && !week.carriedIn)) result = 0;
        }
        return result;
    }

    void closeWeek(WeekEvaluation& week, int32_t lastWeekday) {
        week.lastWeekday = lastWeekday;
        if (settings_.surcharge1On != 0) {
            int32_t a = 0;
            if (week.carriedIn)
                for (const WeekEvaluation& carried : week.carriedIn->weeks)
                    a += carried.overtimeBase();
            const int32_t b = week.overtimeBase();
            if (a + b > 0) {
                int32_t p = a < 1 ? a : floorToMultiple(a, rounding_);
                int32_t c = floorToMultiple(a + b, rounding_);
                if (settings_.surcharge2On != 0) {
                    const int32_t t2 = hoursToMinutes(settings_.surcharge2FromWeeklyHours);
                    if (t2 < c) {
                        week.surcharge2Minutes += c - std::max(t2, p);
                        p = std::min(t2, p);
                        c = t2;
                    }
                }
                const int32_t t1 = hoursToMinutes(settings_.surcharge1FromWeeklyHours);
                if (t1 < c) week.surcharge1Minutes += c - std::max(t1, p);
            }
        }
        if (settings_.isModeWA(month_)) week.weekDeviation = weeklyDeviation(week);
        if (settings_.accountActive(month_) && settings_.weeklyPayoutOn != 0) {
            const int32_t limit = hoursToMinutes(settings_.weeklyPayoutThreshold);
            int32_t payout = 0;
            if (week.weekDeviation > limit) {
                payout = week.weekDeviation - limit;
                week.weekDeviation = limit;
                week.weeklyPayout = payout;
                e_.weeklyPayoutMinutes += payout;
            }
            if (payout != week.surcharge1Minutes && !settings_.wageTypeWeeklyPayout.empty() &&
                settings_.wageTypeWeeklyPayout == settings_.wageTypeSurcharge1)
                week.surcharge1Minutes = payout;
        }
        e_.surcharge1Minutes += week.surcharge1Minutes;
        e_.surcharge2Minutes += week.surcharge2Minutes;
        // The account follows the week deviations: the daily deviations (the weekly one in mode
        // "WA"), less what the weekly payout took.
        e_.accountDeviationMinutes += week.weekDeviation;
    }

    void shiftAllowance() {
        if (e_.creditedMinutes <= 0 || !settings_.wagesUsed()) return;
        if (!settings_.wagePeriodForMonth(month_).shiftAllowanceWageType.empty()) {
            e_.shiftAllowanceMinutes = e_.creditedMinutes;
        } else if (month_ == 8 && year_ == 2021 &&
                   !settings_.wagePeriodForMonth(9).shiftAllowanceWageType.empty()) {
            // The shift allowance began on 29 August 2021.
            int32_t minutes = 0;
            for (const WeekEvaluation& week : e_.weeks)
                for (const DayRow& row : week.rows)
                    if (row.day >= 29) minutes += row.creditedMinutes;
            e_.shiftAllowanceMinutes = minutes;
        }
    }

    const DetailedBlocks* detailed_;
    MonthEvaluation& e_;
    const CLorvanDoc& document_;
    const CEinstArbzt& settings_;
    int32_t month_;
    int32_t year_;
    const WorkingTimePeriod& period_;
    bool fixedDays_;
    int32_t rounding_;
    // The surcharge windows, read once for the month rather than for every block.
    ClockWindow saturdayWindow_;
    ClockWindow nightWindow_;
    bool employmentKnown_ = false;
    std::optional<Employment> employment_;
};

// The previous month's days of the week that contains the 1st, evaluated on their own; none when
// the week starts on the 1st, the week ends at the month end, or no such day has a record.
std::shared_ptr<const MonthEvaluation> carriedInPart(const CLorvanDoc& document, int32_t month,
                                                     const EvaluationContext& context) {
    const CEinstArbzt& settings = document.settings();
    if (settings.weekEndsAtMonthEnd != 0) return nullptr;
    const int32_t daysBefore = weekdayMonday(Datum{1, month, settings.year}) - 1;
    if (daysBefore <= 0) return nullptr;

    std::unique_ptr<CLorvanDoc> previousYear;
    const CLorvanDoc* source = &document;
    int32_t sourceMonth = month - 1;
    if (month == 1) {
        if (context.previousYears == nullptr) return nullptr;
        previousYear = context.previousYears->previousYear(document);
        if (!previousYear || previousYear->settings().year != settings.year - 1) return nullptr;
        source = previousYear.get();
        sourceMonth = 12;
    }
    const CMonatDoc* record = source->month(sourceMonth);
    if (record == nullptr) return nullptr;
    const int32_t length = daysInMonth(sourceMonth, source->settings().year);
    const int32_t firstDay = length - daysBefore + 1;
    int32_t firstListed = 0;
    int32_t lastListed = 0;
    for (const auto& [number, day] : record->days()) {
        if (number < firstDay || number > length) continue;
        if (firstListed == 0) firstListed = number;
        lastListed = number;
    }
    if (firstListed == 0) return nullptr;

    auto carried = std::make_shared<MonthEvaluation>();
    carried->year = source->settings().year;
    carried->month = sourceMonth;
    const int32_t sourceYear = source->settings().year;
    DayLoop(*carried, *source, sourceMonth, context)
        .run(Datum{firstListed, sourceMonth, sourceYear}, Datum{lastListed, sourceMonth, sourceYear}, nullptr);
    return carried;
}

double surchargeHours(int32_t minutes, double percent) {
    return roundAmount(minutesToHours(minutes) * percent * 0.01, 0, 2);
}

} // namespace

int32_t WeekEvaluation::absenceCreditMinutes() const {
    return hoursToMinutes(sickHours + vacationHours + holidayHours);
}

int32_t WeekEvaluation::overtimeBase() const {
    return overtimeMinutes + absenceCreditMinutes();
}

CachedMonthResults CachedMonthResults::of(const CMonatDoc& month) {
    CachedMonthResults r;
    r.accountChange = month.accountChange;
    r.surcharge1Hours = month.surchargeHoursOvertime1;
    r.surcharge2Hours = month.surchargeHoursOvertime2;
    r.nightHours = month.surchargeHoursNight;
    r.saturdayHours = month.surchargeHoursSaturday;
    r.holidayHours = month.surchargeHoursHoliday;
    r.sundayHours = month.surchargeHoursSunday;
    r.accountPayout = month.accountPayout;
    return r;
}

void CachedMonthResults::storeInto(CMonatDoc& month) const {
    month.accountChange = accountChange;
    month.surchargeHoursOvertime1 = surcharge1Hours;
    month.surchargeHoursOvertime2 = surcharge2Hours;
    month.surchargeHoursNight = nightHours;
    month.surchargeHoursSaturday = saturdayHours;
    month.surchargeHoursHoliday = holidayHours;
    month.surchargeHoursSunday = sundayHours;
    month.accountPayout = accountPayout;
}

std::unique_ptr<MonthEvaluation> evaluateMonth(const CLorvanDoc& document, int32_t month,
                                               const EvaluationContext& context) {
    if (month < 1 || month > 12) throw std::invalid_argument("month outside 1-12");
    auto evaluation = std::make_unique<MonthEvaluation>();
    evaluation->year = document.settings().year;
    evaluation->month = month;
    DayLoop loop(*evaluation, document, month, context);
    loop.run(Datum{1, month, evaluation->year}, Datum{daysInMonth(month, evaluation->year), month, evaluation->year},
             carriedInPart(document, month, context));
    return evaluation;
}

std::unique_ptr<MonthEvaluation> evaluateDays(const CLorvanDoc& document, const Datum& from, const Datum& to,
                                              int32_t settingsMonth, const EvaluationContext& context,
                                              std::shared_ptr<const MonthEvaluation> carriedIn,
                                              std::optional<DetailedBlocks> detailed) {
    if (settingsMonth < 1 || settingsMonth > 12) throw std::invalid_argument("month outside 1-12");
    auto evaluation = std::make_unique<MonthEvaluation>();
    evaluation->year = document.settings().year;
    evaluation->month = settingsMonth;
    DayLoop loop(*evaluation, document, settingsMonth, context, detailed ? &*detailed : nullptr);
    // Months and days are kept in order: the first record found is the first, the last the last.
    std::optional<Datum> first;
    std::optional<Datum> last;
    for (const auto& [number, month] : document.months()) {
        for (const auto& [day, record] : month.days()) {
            const Datum date{day, number, evaluation->year};
            if (compareDates(date, from) < 0 || compareDates(date, to) > 0) continue;
            if (!first) first = date;
            last = date;
        }
    }
    // The carried-in days belong to the week of "from"; a first record in a later week opens a week
    // of its own.
    if (first && compareDates(*first, addDays(from, 7 - weekdayMonday(from))) > 0) carriedIn.reset();
    if (first) loop.run(*first, *last, std::move(carriedIn));
    return evaluation;
}

CachedMonthResults cachedResultsOf(const CLorvanDoc& document, const MonthEvaluation& e) {
    const CEinstArbzt& s = document.settings();
    const int32_t m = e.month;
    CachedMonthResults r;
    if (s.isModeRA(m) || s.isModeWA(m)) {
        r.accountChange = minutesToHours(e.accountDeviationMinutes);
        r.accountPayout = minutesToHours(e.weeklyPayoutMinutes);
    } else if (s.isModeMA(m)) {
        int32_t minutes = 0;
        for (const WeekEvaluation& week : e.weeks)
            minutes +=
                week.accountMinutes + hoursToMinutes(week.vacationHours + week.sickHours + week.holidayHours);
        r.accountChange = minutesToHours(minutes) - s.monthlyTarget(m);
    }
    if (s.surchargesIntoHours(m)) {
        r.surcharge1Hours = surchargeHours(e.surcharge1Minutes, s.surcharge1Percent);
        r.surcharge2Hours = surchargeHours(e.surcharge2Minutes, s.surcharge2Percent);
        r.saturdayHours = surchargeHours(e.saturdayMinutes, s.saturdayPercent);
        r.nightHours = surchargeHours(e.nightMinutes, s.nightPercent);
        r.holidayHours = surchargeHours(e.holidayMinutes, s.holidayPercent);
        r.sundayHours = surchargeHours(e.sundayMinutes, s.sundayPercent);
    }
    return r;
}

YearEvaluator::YearEvaluator(CLorvanDoc& document, const EvaluationContext& context)
    : document_(document), context_(context) {}

const MonthEvaluation& YearEvaluator::evaluate(int32_t month) {
    CMonatDoc* record = document_.month(month);
    const auto held = evaluations_.find(month);
    if (record != nullptr && record->resultsValid != 0 && held != evaluations_.end()) return *held->second;

    std::unique_ptr<MonthEvaluation> evaluation = evaluateMonth(document_, month, context_);
    if (record != nullptr) {
        const CachedMonthResults before = CachedMonthResults::of(*record);
        record->resultsValid = 1;
        const CachedMonthResults after = cachedResultsOf(document_, *evaluation);
        after.storeInto(*record);
        if (!(before == after)) document_.setModified();
    }
    auto& slot = evaluations_[month];
    slot = std::move(evaluation);
    return *slot;
}

void YearEvaluator::reset(int32_t month) {
    document_.resetFromMonth(month);
    evaluations_.erase(evaluations_.lower_bound(month), evaluations_.end());
}

double YearEvaluator::accountChange(int32_t month) {
    const CMonatDoc* record = document_.month(month);
    if (record == nullptr) return 0.0;
    evaluate(month);
    return record->accountChange + record->surchargeHoursOvertime1 + record->surchargeHoursOvertime2 +
           record->surchargeHoursNight + record->surchargeHoursSaturday + record->surchargeHoursHoliday +
           record->surchargeHoursSunday + record->accountCorrection;
}

std::vector<YearEvaluator::AccountStep> YearEvaluator::accountSteps(int32_t upToMonth) {
    std::vector<AccountStep> steps;
    const CEinstArbzt& s = document_.settings();
    if (s.keepWorkingTimeAccount == 0) return steps;
    double balance = s.accountCarryOver;
    std::vector<int32_t> months;
    for (const auto& [number, record] : document_.months())
        if (number <= upToMonth && number >= s.accountFromMonth && number <= s.accountToMonth)
            months.push_back(number);
    for (const int32_t number : months) {
        AccountStep step;
        step.month = number;
        step.change = accountChange(number);
        balance += step.change;
        if (s.monthlyPayoutOn != 0 && balance > s.monthlyPayoutThreshold) {
            step.payout = balance - s.monthlyPayoutThreshold;
            balance = s.monthlyPayoutThreshold;
        }
        step.balance = balance;
        steps.push_back(step);
    }
    return steps;
}

double YearEvaluator::accountBalance(int32_t month, double* payout) {
    if (payout != nullptr) *payout = 0.0;
    const CEinstArbzt& s = document_.settings();
    if (s.keepWorkingTimeAccount == 0) return 0.0;
    double balance = s.accountCarryOver;
    for (const AccountStep& step : accountSteps(month)) {
        balance = step.balance;
        if (step.month == month && payout != nullptr) *payout = step.payout;
    }
    return roundAmount(balance, 0, 2);
}

} // namespace lorvan
