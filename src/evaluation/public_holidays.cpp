#include "evaluation/public_holidays.h"

#include "foundation/calendar.h"
#include "yearfile/year_file.h"

#include <algorithm>
#include <initializer_list>

namespace lorvan {
namespace {

bool isOneOf(std::string_view state, std::initializer_list<std::string_view> states) {
    return std::find(states.begin(), states.end(), state) != states.end();
}

// Easter Sunday + offset days (Good Friday -2 up to Corpus Christi +60). From March to June the
// months have the same lengths in every year, so the date is counted on from 1 March.
Datum afterEaster(const Datum& easter, int32_t offset) {
    static constexpr std::array<int32_t, 4> kLengths = {31, 30, 31, 30};
    int32_t day = (easter.month == 4 ? kLengths[0] : 0) + easter.day + offset;
    int32_t month = 3;
    for (const int32_t length : kLengths) {
        if (day <= length) break;
        day -= length;
        ++month;
    }
    return {day, month, easter.year};
}

void addIfInMonth(std::vector<int32_t>& days, const Datum& date, int32_t month) {
    if (date.month == month) days.push_back(date.day);
}

} // namespace

bool isFederalState(std::string_view state) {
    return std::find(kFederalStates.begin(), kFederalStates.end(), state) != kFederalStates.end();
}

// The first list of states had no Berlin and knew none of the holidays that laws added later
// (Frauentag, Weltkindertag, the single-year 8 May in Berlin); they are kept here from the year
// the law made them holidays.
bool regionalHolidayHolds(int32_t group, std::string_view state, int32_t year) {
    switch (group) {
    case kEpiphanyGroup:
        return isOneOf(state, {"Baden-Württemberg", "Bayern", "Sachsen-Anhalt"});
    case kCorpusChristiGroup:
        return isOneOf(state, {"Baden-Württemberg", "Bayern", "Hessen", "Nordrhein-Westfalen",
                               "Rheinland-Pfalz", "Saarland"});
    case kAssumptionDayGroup:
        return isOneOf(state, {"Bayern", "Saarland"});
    case kReformationDayGroup:
        // 2017, the 500th anniversary, was a holiday everywhere; the four northern states keep it
        // since 2018.
        if (year == 2017) return true;
        if (isOneOf(state,
                    {"Mecklenburg-Vorpommern", "Brandenburg", "Sachsen", "Sachsen-Anhalt", "Thüringen"}))
            return true;
        return year >= 2018 && isOneOf(state, {"Hamburg", "Schleswig-Holstein", "Niedersachsen", "Bremen"});
    case kAllSaintsDayGroup:
        return isOneOf(state,
                       {"Baden-Württemberg", "Bayern", "Nordrhein-Westfalen", "Rheinland-Pfalz", "Saarland"});
    case kRepentanceDayGroup:
        return state == "Sachsen";
    case kWomensDayGroup:
        return (state == "Berlin" && year >= 2019) || (state == "Mecklenburg-Vorpommern" && year >= 2023);
    case kWorldChildrensDayGroup:
        return state == "Thüringen" && year >= 2019;
    case kLiberationDayGroup:
        return state == "Berlin" && (year == 2020 || year == 2025);
    default:
        return false;
    }
}

Datum easterSunday(int32_t year) {
    if (year < 1582) return Datum{};
    const int32_t k = year / 100;
    const int32_t m = (15 + k - (8 * k + 13) / 25 - year / 400) % 30;
    int32_t d = (19 * (year % 19) + m) % 30;
    // Moving d down here gives the two exceptions of the rule (26 April becomes 19 April, 25 April
    // becomes 18 April) through the weekday term below.
    if (d == 29)
        d = 28;
    else if (d == 28 && year % 19 > 10)
        d = 27;
    const int32_t n = (4 + k - year / 400) % 7;
    const int32_t e = (2 * (year % 4) + 4 * (year % 7) + 6 * d + n) % 7;
    const int32_t s = d + e + 1;
    return s > 10 ? Datum{s - 10, 4, year} : Datum{s + 21, 3, year};
}

Datum dayOfRepentance(int32_t year) {
    const int32_t w = weekdayMonday(Datum{25, 12, year});
    if (w == 0) return Datum{};
    // 25 December less w + 32 days: 25 days back to 30 November, the rest within November.
    return Datum{23 - w, 11, year};
}

std::vector<int32_t> publicHolidaysOfMonth(int32_t year, int32_t month, std::string_view state) {
    std::vector<int32_t> days;
    const Datum easter = easterSunday(year);
    auto addMovable = [&](std::initializer_list<int32_t> offsets) {
        if (easter.isEmpty()) return;
        for (const int32_t offset : offsets)
            addIfInMonth(days, afterEaster(easter, offset), month);
    };
    auto holds = [&](int32_t group) { return regionalHolidayHolds(group, state, year); };
    switch (month) {
    case 1:
        days.push_back(1);
        if (holds(kEpiphanyGroup)) days.push_back(6);
        break;
    case 3:
    case 4:
        if (month == 3 && holds(kWomensDayGroup)) days.push_back(8);
        addMovable({-2, 0, 1}); // Good Friday, Easter Sunday, Easter Monday
        break;
    case 5:
    case 6:
        if (month == 5) days.push_back(1);
        if (month == 5 && holds(kLiberationDayGroup)) days.push_back(8);
        addMovable({39, 49, 50}); // Ascension, Whit Sunday, Whit Monday
        if (holds(kCorpusChristiGroup)) addMovable({60});
        break;
    case 8:
        if (holds(kAssumptionDayGroup)) days.push_back(15);
        break;
    case 9:
        if (holds(kWorldChildrensDayGroup)) days.push_back(20);
        break;
    case 10:
        days.push_back(3);
        if (holds(kReformationDayGroup)) days.push_back(31);
        break;
    case 11:
        if (holds(kAllSaintsDayGroup)) days.push_back(1);
        if (holds(kRepentanceDayGroup)) {
            const Datum repentance = dayOfRepentance(year);
            if (!repentance.isEmpty()) days.push_back(repentance.day);
        }
        break;
    case 12:
        days.push_back(25);
        days.push_back(26);
        break;
    default:
        break;
    }
    std::sort(days.begin(), days.end());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    return days;
}

std::vector<Datum> publicHolidaysOfYear(int32_t year, std::string_view state) {
    std::vector<Datum> dates;
    for (int32_t month = 1; month <= 12; ++month)
        for (const int32_t day : publicHolidaysOfMonth(year, month, state))
            dates.push_back({day, month, year});
    return dates;
}

bool isPublicHoliday(const Datum& date, std::string_view state) {
    const std::vector<int32_t> days = publicHolidaysOfMonth(date.year, date.month, state);
    return std::find(days.begin(), days.end(), date.day) != days.end();
}

void enterPublicHolidays(CMonatDoc& month) {
    CLorvanDoc* document = month.document();
    if (!document) return;
    const CEinstArbzt& settings = document->settings();
    if (settings.enterPublicHolidaysAutomatically == 0) return;
    for (const int32_t number : publicHolidaysOfMonth(month.year(), month.number(), settings.federalState))
        month.addDay(number).publicHoliday = 1;
    document->setModified();
}

} // namespace lorvan
