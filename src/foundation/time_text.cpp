#include "foundation/time_text.h"

#include "foundation/format.h"
#include "foundation/number_text.h"

#include <limits>
#include <utility>

namespace lorvan {
namespace {

constexpr int64_t kMaxMinutes = 48 * 60;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int32_t clampToInt32(int64_t v) {
    if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}


// Hours typed as a decimal number with a decimal point, times 60, truncated toward zero. Read
// like atof (leading blanks, an optional sign, digits with one point up to the first character
// that does not fit; 0 without a number), but computed exactly in decimal, so that 8.20 gives 492
// and not the 491 of the binary product 8.2 * 60 = 491.99999999999994. Digits after the twelfth
// decimal place are ignored.
int64_t decimalHoursToMinutes(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    int64_t whole = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        if (whole < 1'000'000'000'000) whole = whole * 10 + (text[i] - '0');
    }
    int64_t fraction = 0;
    int64_t scale = 1;
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && isDigit(text[i]); ++i) {
            if (scale < 1'000'000'000'000) {
                fraction = fraction * 10 + (text[i] - '0');
                scale *= 10;
            }
        }
    }
    const int64_t minutes = whole * 60 + fraction * 60 / scale;
    return negative ? -minutes : minutes;
}

// Minutes of an h:mm text (hours before the first colon, minutes after it); 0 without a colon.
int64_t clockMinutes(std::string_view text) {
    // The canonical forms h:mm and hh:mm, which nearly every stored time has, read directly.
    const size_t n = text.size();
    if ((n == 4 || n == 5) && text[n - 3] == ':' && isDigit(text[0]) && isDigit(text[n - 2]) &&
        isDigit(text[n - 1]) && (n == 4 || isDigit(text[1]))) {
        const int64_t hours = n == 5 ? (text[0] - '0') * 10 + (text[1] - '0') : text[0] - '0';
        return hours * 60 + (text[n - 2] - '0') * 10 + (text[n - 1] - '0');
    }
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos) return 0;
    return readLeadingInteger(text.substr(0, colon)) * 60 + readLeadingInteger(text.substr(colon + 1));
}

// "%1.<hourDigits>ld:%2.2ld" of hours >= 0 and minutes 0-59, written without printf: the imports
// and the evaluations write millions of these, and every time line loaded writes one. The text is
// written backwards from end (the minutes, the colon, then the hours); gives where it begins.
char* writeClock(char* end, int64_t hours, int64_t minutes, int hourDigits) {
    char* begin = end;
    *--begin = static_cast<char>('0' + minutes % 10);
    *--begin = static_cast<char>('0' + minutes / 10);
    *--begin = ':';
    int digits = 0;
    do {
        *--begin = static_cast<char>('0' + hours % 10);
        hours /= 10;
        ++digits;
    } while (hours != 0);
    for (; digits < hourDigits; ++digits)
        *--begin = '0';
    return begin;
}

// Room for the longest clock text: a sign, 19 hour digits, the colon and two minute digits.
constexpr size_t kClockTextRoom = 24;

std::string clockText(int64_t minutes) {
    char text[kClockTextRoom];
    char* end = text + sizeof text;
    return std::string(writeClock(end, minutes / 60, minutes % 60, 2), end);
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

// A part of a typed time: blanks trimmed, digits only (an empty part counts as 0).
bool readTimePart(std::string_view part, int64_t& value) {
    part = trimBlanks(part);
    value = 0;
    for (const char c : part) {
        if (!isDigit(c)) return false;
        if (value < 1'000'000) value = value * 10 + (c - '0');
    }
    return true;
}

} // namespace

std::string formatMinutes(int32_t minutes, int style, bool withPlus) {
    const int64_t magnitude = minutes < 0 ? -static_cast<int64_t>(minutes) : minutes;
    const long h = static_cast<long>(magnitude / 60);
    const long m = static_cast<long>(magnitude % 60);
    char text[kClockTextRoom];
    char* end = text + sizeof text;
    char* begin = writeClock(end, h, m, style == 1 ? 1 : 2);
    if (minutes < 0)
        *--begin = '-';
    else if (withPlus)
        *--begin = '+';
    return std::string(begin, end);
}

int32_t parseClock(std::string_view text) {
    return clampToInt32(clockMinutes(text));
}

int32_t parseDuration(std::string_view text) {
    int64_t result = 0;
    if (text.find(':') != std::string_view::npos) {
        result = clockMinutes(text);
    } else if (text.size() > 2) {
        if (text.find_first_of(",.") == std::string_view::npos) {
            std::string withColon(text);
            withColon.insert(withColon.size() - 2, 1, ':');
            result = clockMinutes(withColon);
        } else {
            std::string decimal(text);
            for (char& c : decimal)
                if (c == ',') c = '.';
            result = decimalHoursToMinutes(decimal);
        }
    }
    if (result == 0) {
        const int64_t b = readLeadingInteger(text);
        result = (b < 10 && b != 0) ? b * 60 : b;
    }
    return clampToInt32(result);
}

bool normalizeTime(std::string& text, bool secondsMode, bool timeOfDay) {
    if (text.empty()) return true;
    if (trimBlanks(text).empty()) { // only blanks: nothing typed
        text.clear();
        return true;
    }

    std::string_view parts[3] = {"0", "0", "0"}; // hours, minutes, seconds
    const std::string_view all(text);
    const size_t first = all.find(':');
    const size_t last = all.rfind(':');
    if (first == std::string_view::npos) {
        parts[secondsMode ? 1 : 0] = all;
    } else if (first == last) {
        parts[secondsMode ? 1 : 0] = all.substr(0, first);
        parts[secondsMode ? 2 : 1] = all.substr(first + 1);
    } else {
        parts[0] = all.substr(0, first);
        parts[1] = all.substr(first + 1, last - first - 1);
        parts[2] = all.substr(last + 1);
    }

    int64_t h = 0;
    int64_t m = 0;
    int64_t s = 0;
    if (!readTimePart(parts[0], h) || !readTimePart(parts[1], m) || !readTimePart(parts[2], s)) return false;

    const bool minutesSecondsOk = m <= 59 && s <= 59;
    const bool ok = timeOfDay ? ((h <= 23 && minutesSecondsOk) || (h == 24 && m == 0 && s == 0))
                              : (h <= 47 && minutesSecondsOk);
    if (!ok) return false;

    // Every part is below 100 here: "%1.2ld" gives exactly two digits. Built by hand, since imports
    // check millions of times.
    char canonical[8];
    size_t length = 0;
    const auto put = [&](int64_t value) {
        canonical[length++] = static_cast<char>('0' + value / 10);
        canonical[length++] = static_cast<char>('0' + value % 10);
    };
    if (!secondsMode) {
        put(h);
        canonical[length++] = ':';
        put(m);
    } else if (h == 0) {
        put(m);
        canonical[length++] = ':';
        put(s);
    } else {
        put(h);
        canonical[length++] = ':';
        put(m);
        canonical[length++] = ':';
        put(s);
    }
    if (std::string_view(canonical, length) != text) text.assign(canonical, length);
    return true;
}

std::string completeTimeInput(std::string_view text) {
    std::string result(text);
    if (result.empty() || result.find(':') != std::string::npos) return result;
    if (result.size() <= 2) {
        result += ":00";
    } else {
        result.insert(result.size() - 2, 1, ':');
    }
    return result;
}

int32_t spanMinutes(std::string_view from, std::string_view to) {
    const int64_t span = clockMinutes(to) - clockMinutes(from);
    return span < 0 || span >= kMaxMinutes ? 0 : static_cast<int32_t>(span);
}

std::string spanText(std::string_view from, std::string_view to) {
    const int64_t span = clockMinutes(to) - clockMinutes(from);
    if (span < 0 || span >= kMaxMinutes) return {};
    return clockText(span);
}

std::string addClock(std::string_view time, int32_t minutes) {
    const int64_t result = clockMinutes(time) + minutes;
    if (result < 0 || result >= kMaxMinutes) return {};
    return clockText(result);
}

std::string subClock(std::string_view time, int32_t minutes) {
    const int64_t result = clockMinutes(time) - minutes;
    if (result < 0 || result >= kMaxMinutes) return {};
    return clockText(result);
}

std::string clockOfDay(std::string_view time) {
    if (time.empty()) return {};
    int64_t h = 0;
    int64_t m = 0;
    const size_t colon = time.find(':');
    if (colon != std::string_view::npos) {
        h = readLeadingInteger(time.substr(0, colon));
        m = readLeadingInteger(time.substr(colon + 1));
    }
    if (h > 24 || (h == 24 && m > 0)) h -= 24;
    return format("%1.2ld:%2.2ld", static_cast<long>(h), static_cast<long>(m));
}

} // namespace lorvan
