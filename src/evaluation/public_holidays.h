#pragma once

#include "foundation/datum.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

// The German public holidays by federal state, and their automatic entry into a new month of a
// year file. A holiday has no name here: it is a date whose day record carries the holiday mark.
namespace lorvan {

class CMonatDoc;

// The federal states in the order of the selection list; the settings store the name itself.
// Berlin was missing from the first list; it is appended as the sixteenth entry, so every name
// stored before keeps its position.
inline constexpr std::array<std::string_view, 16> kFederalStates = {
    "Hamburg",
    "Schleswig-Holstein",
    "Niedersachsen",
    "Hessen",
    "Mecklenburg-Vorpommern",
    "Brandenburg",
    "Bayern",
    "Baden-Württemberg",
    "Sachsen",
    "Sachsen-Anhalt",
    "Rheinland-Pfalz",
    "Nordrhein-Westfalen",
    "Thüringen",
    "Saarland",
    "Bremen",
    "Berlin",
};

// True for a name of the list (compared byte for byte).
bool isFederalState(std::string_view state);

// The holidays that only some states keep; each is tested with its group.
enum RegionalHolidayGroup : int32_t {
    kEpiphanyGroup = 0,          // 6 January
    kCorpusChristiGroup = 1,     // Easter Sunday + 60 days
    kAssumptionDayGroup = 2,     // 15 August
    kReformationDayGroup = 3,    // 31 October
    kAllSaintsDayGroup = 4,      // 1 November
    kRepentanceDayGroup = 5,     // Buß- und Bettag, the Wednesday before 23 November
    kWomensDayGroup = 6,         // Internationaler Frauentag, 8 March
    kWorldChildrensDayGroup = 7, // Weltkindertag, 20 September
    kLiberationDayGroup = 8,     // 8 May, kept only in single years
};

// Whether the regional holiday of the group is kept in the state in that year. A state text that
// is not in the list keeps none, except Reformation Day 2017, which every state kept. Any other
// group number holds for no state.
bool regionalHolidayHolds(int32_t group, std::string_view state, int32_t year);

// Easter Sunday of the Gregorian calendar (Gauss's rule); the empty date before 1582.
Datum easterSunday(int32_t year);
// Buß- und Bettag: 25 December less (its weekday, Monday = 1, + 32) days.
Datum dayOfRepentance(int32_t year);

// The day numbers of the public holidays of that month in the state, ascending, without
// duplicates. A state text that is not in the list gets the holidays common to all states.
std::vector<int32_t> publicHolidaysOfMonth(int32_t year, int32_t month, std::string_view state);
// The public holidays of the year in the state, in date order.
std::vector<Datum> publicHolidaysOfYear(int32_t year, std::string_view state);
bool isPublicHoliday(const Datum& date, std::string_view state);

// For a month just created in a year file: when the file's settings enter public holidays
// automatically, every holiday of the month in the settings' state gets a day record with the
// holiday mark (kind and all else as for a new day) and the file is marked as changed. A day
// record that already exists keeps its contents and only gets the mark. A month without a
// document is left alone.
void enterPublicHolidays(CMonatDoc& month);

} // namespace lorvan
