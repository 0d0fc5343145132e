#pragma once

#include "foundation/calendar.h"
#include "foundation/number_text.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

// Small helpers shared by the day evaluation and the day checks.
namespace lorvan::day_detail {

inline bool isAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

inline int32_t saturatedInt32(int64_t value) {
    if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

// Truncated toward zero; out of range values saturate, NaN gives 0.
inline int32_t truncatedInt32(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (value <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

// Reads an integer like atol (leading blanks, an optional sign, digits up to the first non-digit),
// saturating at the int32 range.
inline int32_t readLeadingInteger(std::string_view text) { return saturatedInt32(lorvan::readLeadingInteger(text)); }

struct ClockParts {
    int32_t hour = 0;
    int32_t minute = 0;
};

// Hour and minute of a time in the form the entry writes ("7:05", "23:30"); nothing for any other
// text, which then takes the general reading below.
inline std::optional<ClockParts> canonicalClock(std::string_view text) {
    const size_t n = text.size();
    if (n != 4 && n != 5) return std::nullopt;
    if (text[n - 3] != ':' || !isAsciiDigit(text[0]) || (n == 5 && !isAsciiDigit(text[1])) ||
        !isAsciiDigit(text[n - 2]) || !isAsciiDigit(text[n - 1]))
        return std::nullopt;
    const int32_t hour = n == 4 ? text[0] - '0' : (text[0] - '0') * 10 + (text[1] - '0');
    return ClockParts{hour, (text[n - 2] - '0') * 10 + (text[n - 1] - '0')};
}

// Hour and minute of an h:mm text; nothing for a text without colon. The evaluations read every
// time of every line this way, so the entry's own form is read directly.
inline std::optional<ClockParts> splitClock(std::string_view text) {
    if (const std::optional<ClockParts> clock = canonicalClock(text)) return clock;
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    return ClockParts{readLeadingInteger(text.substr(0, colon)), readLeadingInteger(text.substr(colon + 1))};
}

// weekdayCalendar: 1 = Sunday ... 7 = Saturday.
inline bool isMondayToFriday(const Datum& date) {
    const int32_t weekday = weekdayCalendar(date);
    return weekday >= 2 && weekday <= 6;
}

} // namespace lorvan::day_detail
