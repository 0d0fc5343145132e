#include "foundation/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace lorvan {

double minutesToHours(int32_t minutes) {
    // x = (minutes * 100 / 60) hundredths, truncated; one hundredth more when the rest
    // minutes / 60 - x reaches 0.005. The rest is (minutes * 100 % 60) / 60 hundredths, so the test
    // is exact in integers: rest * 2 >= 60. Negative minutes round like positive ones (-1 -> -0.02),
    // so that a deficit shows the same hours as the same surplus.
    const int64_t scaled = std::abs(static_cast<int64_t>(minutes)) * 100;
    int64_t hundredths = scaled / 60;
    if ((scaled % 60) * 2 >= 60) ++hundredths;
    const double hours = static_cast<double>(hundredths) / 100.0;
    return minutes < 0 ? -hours : hours;
}

int32_t hoursToMinutes(double hours) {
    const double minutes = roundAmount(hours * 60.0, 0, 0);
    if (std::isnan(minutes)) return 0;
    if (minutes >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (minutes <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(minutes);
}

double roundAmount(double value, int mode, int places) {
    const double scale = places == 2 ? 100.0 : (places == 1 ? 10.0 : 1.0);
    double magnitude = std::fabs(value) * scale;
    // Amounts are decimal numbers that binary cannot always hold (0.29 * 100 = 28.999999999999996).
    // Snapping the scaled value to millionths first rounds them as written: 1.005 -> 1.01,
    // Round(0.29, toward zero) stays 0.29, Round(1.1, away from zero) stays 1.10.
    if (magnitude < 1e9) magnitude = std::round(magnitude * 1e6) / 1e6;
    double rounded;
    if (mode == 1) { // toward zero
        rounded = std::floor(magnitude);
    } else if (mode == 2) { // away from zero
        rounded = std::floor(magnitude);
        if (rounded < magnitude) rounded += 1.0;
    } else { // 0 (and any unknown mode): half away from zero
        rounded = std::floor(magnitude + 0.5);
    }
    // Dividing by the scale gives the double nearest to the decimal result (2.35, not 235 * 0.01).
    const double result = rounded / scale;
    return std::signbit(value) ? -result : result;
}

std::string formatAmount(double value) {
    if (value == 0) return {};
    std::array<char, 400> buffer; // enough for any finite double in fixed notation
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, 2);
    std::string text(buffer.data(), result.ptr);
    for (char& c : text)
        if (c == '.') c = ',';
    return text;
}

std::string decimalCommaToPoint(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        if (c == ',') c = '.';
    return result;
}

std::string decimalPointToComma(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        if (c == '.') c = ',';
    return result;
}

bool isNumberText(std::string_view text, bool allowPunctuation) {
    for (const char c : text) {
        if (c >= '0' && c <= '9') continue;
        if (allowPunctuation && (c == ',' || c == '-' || c == '.')) continue;
        return false;
    }
    return true;
}

std::string toFileNamePart(std::string_view text) {
    std::string result;
    result.reserve(text.size() + 8);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_') {
            result += c;
            // A decomposed umlaut (vowel + U+0308 COMBINING DIAERESIS) is the same letter as ä, ö, ü.
            const bool umlautVowel = c == 'a' || c == 'o' || c == 'u' || c == 'A' || c == 'O' || c == 'U';
            if (umlautVowel && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0xCC &&
                static_cast<unsigned char>(text[i + 2]) == 0x88) {
                result += 'e';
                i += 2;
            }
        } else if (c == ' ') {
            result += '_';
        } else if (static_cast<unsigned char>(c) == 0xC3 && i + 1 < text.size() &&
                   (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80) {
            // UTF-8 of U+00C0..U+00FF: the umlauts and ß are transliterated, the rest deleted.
            const char* replacement = nullptr;
            switch (static_cast<unsigned char>(text[i + 1])) {
            case 0xA4:
                replacement = "ae";
                break;
            case 0xB6:
                replacement = "oe";
                break;
            case 0xBC:
                replacement = "ue";
                break;
            case 0x84:
                replacement = "Ae";
                break;
            case 0x96:
                replacement = "Oe";
                break;
            case 0x9C:
                replacement = "Ue";
                break;
            case 0x9F:
                replacement = "ss";
                break;
            default:
                break;
            }
            if (replacement) result += replacement;
            ++i;
        }
        // Every other byte (other ASCII characters, other UTF-8 sequences, stray bytes) is deleted.
    }
    return result;
}

int64_t readLeadingInteger(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    int64_t value = 0;
    for (; i < text.size() && (text[i] >= '0' && text[i] <= '9'); ++i) {
        if (value < 1'000'000'000'000) value = value * 10 + (text[i] - '0');
    }
    return negative ? -value : value;
}

} // namespace lorvan
