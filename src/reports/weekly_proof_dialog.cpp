#include "reports/weekly_proof_dialog.h"

#include "foundation/calendar.h"
#include "platform/prompter.h"

#include <utility>

namespace lorvan {

namespace {

Datum firstOfYear(int32_t year) {
    return Datum{1, 1, year};
}

Datum lastOfYear(int32_t year) {
    return Datum{31, 12, year};
}

// The date cut to the year.
Datum withinYear(const Datum& date, int32_t year) {
    if (compareDates(date, firstOfYear(year)) < 0) return firstOfYear(year);
    if (compareDates(date, lastOfYear(year)) > 0) return lastOfYear(year);
    return date;
}

Datum sundayOf(const Datum& date) {
    return addDays(date, 7 - weekdayMonday(date));
}

} // namespace

Datum mondayOfWeek(int32_t week, int32_t year) {
    // Week 1 is the week of 4 January.
    const Datum fourth{4, 1, year};
    const Datum firstMonday = addDays(fourth, 1 - weekdayMonday(fourth));
    return addDays(firstMonday, 7 * (week - 1));
}

int32_t lastWeekOfYear(int32_t year) {
    return weekNumber(lastOfYear(year));
}

CDruckWoche::CDruckWoche(std::string person, int32_t year) : person_(std::move(person)), year_(year) {}

void CDruckWoche::setWeek(int32_t week) {
    if (week < 0) week = 0;
    Datum monday;
    if (week == 0) {
        monday = addDays(firstOfYear(year_), 1 - weekdayMonday(firstOfYear(year_)));
    } else {
        if (week > lastWeekOfYear(year_)) week = lastWeekOfYear(year_);
        monday = mondayOfWeek(week, year_);
    }
    week_ = week;
    from_ = withinYear(monday, year_);
    to_ = withinYear(addDays(monday, 6), year_);
    fromLabel_ = weekdayNameMonday(*from_);
    toLabel_ = weekdayNameMonday(*to_);
}

std::optional<Datum> CDruckWoche::take(const std::optional<Datum>& date, std::string& label) const {
    if (!date) {
        label.clear();
        return std::nullopt;
    }
    if (date->year != year_ || !isValidDate(*date)) {
        label = kWeeklyProofDateError;
        return std::nullopt;
    }
    label = weekdayNameMonday(*date);
    return date;
}

void CDruckWoche::setFrom(const std::optional<Datum>& date) {
    from_ = take(date, fromLabel_);
    if (!from_) return;
    week_ = weekNumber(*from_);
    to_ = withinYear(sundayOf(*from_), year_);
    toLabel_ = weekdayNameMonday(*to_);
}

void CDruckWoche::setTo(const std::optional<Datum>& date) {
    to_ = take(date, toLabel_);
    if (!to_) return;
    const int32_t week = weekNumber(*to_);
    if (week != week_) week_ = from_ ? 0 : week;
}

std::optional<WeeklyProofPeriod> CDruckWoche::period(Prompter& prompter) {
    if (!from_ || !to_ || compareDates(*from_, *to_) > 0) {
        prompter.error(kWeeklyProofPeriodIncomplete);
        focus_ = Field::Week;
        return std::nullopt;
    }
    return WeeklyProofPeriod{*from_, *to_, week_};
}

} // namespace lorvan
