#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Times of day (h:mm, hours up to 47 for the following day) and durations in minutes.
namespace lorvan {

// Style 1: "%1.1ld:%2.2ld" (7:05); other styles "%1.2ld:%2.2ld" (07:05); "-" for negative values,
// "+" for non-negative values only with withPlus.
std::string formatMinutes(int32_t minutes, int style, bool withPlus);
// h:mm -> minutes; a text without colon yields 0. Each part is read like atol.
int32_t parseClock(std::string_view text);
// What the user typed for a duration or pause -> minutes (7:30, 730, 7,5 -> 450; 8 -> 480; 30 -> 30).
// Decimal hours (7,5) are computed exactly in decimal before truncating: 8,20 -> 492.
int32_t parseDuration(std::string_view text);
// Checks a typed time and rewrites it into canonical form; false for an invalid text.
// A part left empty counts as 0 ("7:" -> 07:00); a text of blanks only is valid and becomes empty.
// On failure the text is left as it was.
bool normalizeTime(std::string& text, bool secondsMode, bool timeOfDay);
// 7 -> 7:00, 730 -> 7:30; empty text or text with a colon stays.
std::string completeTimeInput(std::string_view text);
// Duration from..to in minutes, as parseClock(spanText(from, to)): 0 when negative or reaching
// 48 hours.
int32_t spanMinutes(std::string_view from, std::string_view to);
// Duration from..to as "%1.2ld:%2.2ld"; empty when negative or reaching 48 hours.
std::string spanText(std::string_view from, std::string_view to);
// time + minutes; empty when the result reaches 48:00 (or falls below 0:00).
std::string addClock(std::string_view time, int32_t minutes);
// time - minutes; empty when negative (or at 48:00 and beyond, as spanText).
std::string subClock(std::string_view time, int32_t minutes);
// A time after midnight (above 24:00) reduced by 24 hours. An empty text stays empty.
std::string clockOfDay(std::string_view time);

} // namespace lorvan
