#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Decimal hours, money and the file-name form of names.
namespace lorvan {

// Minutes -> decimal hours rounded half up to two places (90 -> 1.5, 10 -> 0.17, 1 -> 0.02).
// Negative minutes give the negative of the same positive value (-1 -> -0.02).
double minutesToHours(int32_t minutes);
// roundAmount(hours * 60, 0, 0) as an integer.
int32_t hoursToMinutes(double hours);
// mode 0: half away from zero; 1: toward zero; 2: away from zero. places 0, 1 or 2.
// The scaled magnitude is taken to millionths first, so decimal amounts round as written:
// 1.005 -> 1.01 (mode 0), 0.29 -> 0.29 (mode 1), 1.1 -> 1.1 (mode 2). Unknown modes round as mode 0,
// unknown places as 0.
double roundAmount(double value, int mode, int places);
// "%.2f" with a decimal comma (12,50); 0 yields the empty text.
std::string formatAmount(double value);
std::string decimalCommaToPoint(std::string_view text);
std::string decimalPointToComma(std::string_view text);
// Reads a decimal integer like atol: leading blanks, an optional sign, digits up to the first
// non-digit; saturates instead of overflowing (at +-10^12).
int64_t readLeadingInteger(std::string_view text);
// Digits only (with allowPunctuation also "," "-" "."); an empty text is true.
bool isNumberText(std::string_view text, bool allowPunctuation);
// "Jörg Weiß-Bäcker" -> "Joerg_WeissBaecker"
// Input is UTF-8; a decomposed umlaut (vowel + U+0308) is transliterated like the composed one.
std::string toFileNamePart(std::string_view text);

} // namespace lorvan
