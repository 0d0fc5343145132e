#pragma once

#include "foundation/datum.h"

#include <cstdint>
#include <string>
#include <string_view>

// Calendar arithmetic (proleptic Gregorian, no time zone) and the German date texts.
namespace lorvan {

bool isLeapYear(int32_t year);
// Days of the month 1-12 (0 outside that range).
int32_t daysInMonth(int32_t month, int32_t year);
// Serial day count from 1 January of year 0; 0 for an invalid date.
// (1 January of year 0 is day 0, 1.1.1 is day 366; only differences and fromDayNumber use it.)
int32_t dayNumber(const Datum& date);
Datum fromDayNumber(int32_t n);
// An invalid date counts as day 0 here (FromDayNumber(DayNumber(date) + n)).
Datum addDays(const Datum& date, int32_t n);
// dayNumber(a) - dayNumber(b)
int32_t daysBetween(const Datum& a, const Datum& b);
// Adds n months to the month (carrying into the year); the day is left as it is.
Datum addMonths(Datum date, int32_t n);
int32_t dayOfYear(const Datum& date);
// An n outside the year yields an invalid date (day <= 0, or a December day beyond 31).
Datum fromDayOfYear(int32_t n, int32_t year);
// 1 = Sunday ... 7 = Saturday; 0 for an invalid date (likewise weekdayMonday and weekNumber).
int32_t weekdayCalendar(const Datum& date);
// 1 = Monday ... 7 = Sunday
int32_t weekdayMonday(const Datum& date);
// Week number: ISO from the first ISO week on; 0 for early-January days of the previous year's
// last week, 53 for late-December days that ISO counts to the next year.
int32_t weekNumber(const Datum& date);
// By year, then month, then day: <0, 0, >0.
int compareDates(const Datum& a, const Datum& b);
bool isValidDate(const Datum& date);

// Result of parsing a typed date; day or month 0 means "not given".
struct ParsedDate {
    bool valid = false;
    int32_t day = 0;
    int32_t month = 0;
    int32_t year = 0;
};
// The accepted date forms. Blanks are skipped, numbers and the separators , - . / : must
// alternate (no leading, trailing or double separator). Empty or blank text: valid, day, month and year 0.
// A single number of up to 4 digits is classed by its value, of 5-6 or 7-8 digits by its digit
// count (leading zeros count); longer numbers are invalid. With separators, a year below 100 is a
// two-digit year and any other year must be 1800-2999.
ParsedDate parseDate(std::string_view text);
// A full date (day, month and year given) or raises "Falsches Datumsformat: " + text.
Datum parseFullDate(std::string_view text);

std::string formatDate(const Datum& date);    // 07.03.2026
std::string formatDateIso(const Datum& date); // 2026-03-07
std::string formatDateShort(int32_t day, int32_t month, int32_t year);

// Calendar numbering 1 = Sunday; empty outside 1-7.
std::string weekdayName(int32_t n, bool shortName);
// The long name of the date's weekday.
std::string weekdayNameMonday(const Datum& date);
// The title of a day in lists and windows: "07.03.2026 (Samstag)".
std::string formatDateWithWeekday(const Datum& date);
// "Januar" ... "Dezember"; empty outside 1-12.
std::string monthName(int32_t n);

} // namespace lorvan
