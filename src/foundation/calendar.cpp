#include "foundation/calendar.h"

#include "foundation/error.h"
#include "foundation/format.h"

#include <array>

namespace lorvan {
namespace {

constexpr std::array<int32_t, 12> kMonthDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

constexpr std::array<const char*, 7> kWeekdayLong = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                                                     "Donnerstag", "Freitag", "Samstag"};
constexpr std::array<const char*, 7> kWeekdayShort = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
constexpr std::array<const char*, 12> kMonthNames = {"Januar",    "Februar", "M\xC3\xA4rz", "April",
                                                     "Mai",       "Juni",    "Juli",        "August",
                                                     "September", "Oktober", "November",    "Dezember"};

// Days from 1 January of year 0 to 1 January of the given year (proleptic Gregorian).
constexpr int64_t daysBeforeYear(int64_t year) {
    const int64_t y = year - 1; // full years before; year 0 is a leap year
    if (year <= 0) return 0;
    return 365 * year + (y / 4 - y / 100 + y / 400) + 1;
}

int32_t twoDigitYear(int64_t year) {
    return static_cast<int32_t>(year < 50 ? year + 2000 : year + 1900);
}

// A year as written in a date text with separators: 0-99 is a two-digit year, 3+ digits must be
// 1800-2999. Returns 0 for an invalid year.
int32_t separatedYear(int64_t value) {
    if (value < 100) return twoDigitYear(value);
    if (value >= 1800 && value <= 2999) return static_cast<int32_t>(value);
    return 0;
}

bool validDayOfMonth(int64_t day, int64_t month, int32_t year) {
    return month >= 1 && month <= 12 && day >= 1 && day <= daysInMonth(static_cast<int32_t>(month), year);
}

ParsedDate makeResult(int64_t day, int64_t month, int32_t year) {
    ParsedDate r;
    r.valid = true;
    r.day = static_cast<int32_t>(day);
    r.month = static_cast<int32_t>(month);
    r.year = year;
    return r;
}

// The forms of a date typed as one number without separators.
ParsedDate parseSingleNumber(int64_t value, int digits) {
    if (digits <= 4) {
        if (value <= 99) return makeResult(0, 0, twoDigitYear(value));
        if (value <= 1299) return makeResult(0, value / 100, twoDigitYear(value % 100));
        if (value >= 1800 && value <= 2999) return makeResult(0, 0, static_cast<int32_t>(value));
        return {};
    }
    if (digits <= 6) {
        const int64_t head = value / 10000;
        const int64_t last4 = value % 10000;
        if (last4 >= 1800 && last4 <= 2999) { // MYYYY / MMYYYY
            if (head < 1 || head > 12) return {};
            return makeResult(0, head, static_cast<int32_t>(last4));
        }
        if (last4 >= 100 && last4 <= 1299) { // DMMYY / DDMMYY
            const int64_t month = last4 / 100;
            const int32_t year = twoDigitYear(last4 % 100);
            if (!validDayOfMonth(head, month, year)) return {};
            return makeResult(head, month, year);
        }
        return {};
    }
    if (digits <= 8) { // DMMYYYY / DDMMYYYY
        const int64_t day = value / 1000000;
        const int64_t month = value / 10000 % 100;
        const int64_t year = value % 10000;
        if (year < 1800 || year > 2999) return {};
        if (!validDayOfMonth(day, month, static_cast<int32_t>(year))) return {};
        return makeResult(day, month, static_cast<int32_t>(year));
    }
    return {};
}

bool isSeparator(char c) {
    return c == ',' || c == '-' || c == '.' || c == '/' || c == ':';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

bool isLeapYear(int32_t year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int32_t daysInMonth(int32_t month, int32_t year) {
    if (month < 1 || month > 12) return 0;
    if (month == 2 && isLeapYear(year)) return 29;
    return kMonthDays[static_cast<size_t>(month - 1)];
}

bool isValidDate(const Datum& date) {
    return date.year >= 1 && date.year <= 9999 && date.month >= 1 && date.month <= 12 && date.day >= 1 &&
           date.day <= daysInMonth(date.month, date.year);
}

int32_t dayNumber(const Datum& date) {
    if (!isValidDate(date)) return 0;
    return static_cast<int32_t>(daysBeforeYear(date.year)) + dayOfYear(date) - 1;
}

Datum fromDayNumber(int32_t n) {
    // Civil-from-days on a calendar whose era starts 1 March of year 0.
    const int64_t z = static_cast<int64_t>(n) - 60; // 1 March of year 0 is day 60
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;                                      // [0, 146096]
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365; // [0, 399]
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);               // [0, 365]
    const int64_t mp = (5 * doy + 2) / 153;                                    // [0, 11], March = 0
    const int64_t day = doy - (153 * mp + 2) / 5 + 1;
    const int64_t month = mp < 10 ? mp + 3 : mp - 9;
    const int64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);
    return Datum{static_cast<int32_t>(day), static_cast<int32_t>(month), static_cast<int32_t>(year)};
}

Datum addDays(const Datum& date, int32_t n) {
    return fromDayNumber(dayNumber(date) + n);
}

int32_t daysBetween(const Datum& a, const Datum& b) {
    return dayNumber(a) - dayNumber(b);
}

Datum addMonths(Datum date, int32_t n) {
    int64_t month = static_cast<int64_t>(date.month) + n;
    int64_t year = date.year;
    // Same result as stepping the month by 12 until it lies in 1-12, without looping.
    if (month > 12) {
        year += (month - 1) / 12;
        month = (month - 1) % 12 + 1;
    } else if (month <= 0) {
        const int64_t back = (12 - month) / 12;
        year -= back;
        month += 12 * back;
    }
    date.month = static_cast<int32_t>(month);
    date.year = static_cast<int32_t>(year);
    return date;
}

int32_t dayOfYear(const Datum& date) {
    int32_t days = date.day;
    const int32_t months = date.month < 1 ? 0 : (date.month > 12 ? 12 : date.month);
    for (int32_t m = 1; m < months; ++m)
        days += daysInMonth(m, date.year);
    return days;
}

Datum fromDayOfYear(int32_t n, int32_t year) {
    int32_t month = 1;
    while (month < 12 && n > daysInMonth(month, year)) {
        n -= daysInMonth(month, year);
        ++month;
    }
    return Datum{n, month, year};
}

int32_t weekdayCalendar(const Datum& date) {
    const int32_t n = dayNumber(date);
    if (n == 0) return 0;
    return (n + 6) % 7 + 1; // day 0 (1 January of year 0) was a Saturday
}

int32_t weekdayMonday(const Datum& date) {
    const int32_t n = dayNumber(date);
    if (n == 0) return 0;
    return (n + 5) % 7 + 1;
}

int32_t weekNumber(const Datum& date) {
    const int32_t day = dayNumber(date);
    if (day == 0) return 0;
    const Datum jan4{4, 1, date.year};
    int32_t r = dayNumber(jan4) - (weekdayMonday(jan4) - 1);
    int32_t k = 1;
    if (r < dayNumber(Datum{1, 1, date.year})) {
        r += 7;
        k = 2;
    }
    const int32_t m = day - (weekdayMonday(date) - 1);
    const int32_t diff = m - r; // a multiple of 7, so floor and truncation agree
    return diff / 7 + k;
}

int compareDates(const Datum& a, const Datum& b) {
    if (a.year != b.year) return a.year < b.year ? -1 : 1;
    if (a.month != b.month) return a.month < b.month ? -1 : 1;
    if (a.day != b.day) return a.day < b.day ? -1 : 1;
    return 0;
}

ParsedDate parseDate(std::string_view text) {
    // Tokens: numbers (with their digit count) alternating with single separators.
    struct Number {
        int64_t value;
        int digits;
    };
    std::array<Number, 3> numbers{};
    int count = 0;
    bool expectNumber = true;
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == ' ') {
            ++i;
        } else if (isDigit(c)) {
            if (!expectNumber || count == 3) return {};
            int64_t value = 0;
            int digits = 0;
            while (i < text.size() && isDigit(text[i])) {
                if (++digits > 8) return {}; // no accepted form has a longer number
                value = value * 10 + (text[i] - '0');
                ++i;
            }
            numbers[static_cast<size_t>(count++)] = Number{value, digits};
            expectNumber = false;
        } else if (isSeparator(c)) {
            if (expectNumber) return {};
            expectNumber = true;
            ++i;
        } else {
            return {};
        }
    }
    if (count == 0) return expectNumber ? makeResult(0, 0, 0) : ParsedDate{}; // empty text
    if (expectNumber) return {};                                              // trailing separator

    if (count == 1) return parseSingleNumber(numbers[0].value, numbers[0].digits);
    if (count == 2) {
        const int64_t month = numbers[0].value;
        const int32_t year = separatedYear(numbers[1].value);
        if (month < 1 || month > 12 || year == 0) return {};
        return makeResult(0, month, year);
    }
    const int64_t day = numbers[0].value;
    const int64_t month = numbers[1].value;
    const int32_t year = separatedYear(numbers[2].value);
    if (year == 0 || !validDayOfMonth(day, month, year)) return {};
    return makeResult(day, month, year);
}

Datum parseFullDate(std::string_view text) {
    const ParsedDate d = parseDate(text);
    if (!d.valid || d.day == 0 || d.month == 0 || d.year == 0)
        throw LorvanError("Falsches Datumsformat: " + std::string(text));
    return Datum{d.day, d.month, d.year};
}

std::string formatDate(const Datum& date) {
    // Every date of the calendar written without printf: the imports write one per day.
    if (date.day >= 0 && date.day <= 99 && date.month >= 0 && date.month <= 99 && date.year >= 0 &&
        date.year <= 9999) {
        const auto digit = [](int32_t value) { return static_cast<char>('0' + value % 10); };
        return std::string{digit(date.day / 10),    digit(date.day),        '.',
                           digit(date.month / 10),  digit(date.month),      '.',
                           digit(date.year / 1000), digit(date.year / 100), digit(date.year / 10),
                           digit(date.year)};
    }
    return format("%2.2ld.%2.2ld.%4.4ld", static_cast<long>(date.day), static_cast<long>(date.month),
                  static_cast<long>(date.year));
}

std::string formatDateIso(const Datum& date) {
    return format("%4.4ld-%2.2ld-%2.2ld", static_cast<long>(date.year), static_cast<long>(date.month),
                  static_cast<long>(date.day));
}

std::string formatDateShort(int32_t day, int32_t month, int32_t year) {
    return format("%02d.%02d.%04d", day, month, year);
}

std::string weekdayName(int32_t n, bool shortName) {
    if (n < 1 || n > 7) return {};
    const size_t i = static_cast<size_t>(n - 1);
    return shortName ? kWeekdayShort[i] : kWeekdayLong[i];
}

std::string weekdayNameMonday(const Datum& date) {
    const int32_t m = weekdayMonday(date);
    if (m == 0) return {};
    return weekdayName(m % 7 + 1, false);
}

std::string formatDateWithWeekday(const Datum& date) {
    return formatDate(date) + " (" + weekdayNameMonday(date) + ")";
}

std::string monthName(int32_t n) {
    if (n < 1 || n > 12) return {};
    return kMonthNames[static_cast<size_t>(n - 1)];
}

} // namespace lorvan
