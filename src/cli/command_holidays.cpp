#include "cli/commands.h"
#include "evaluation/public_holidays.h"
#include "foundation/calendar.h"
#include "foundation/error.h"

#include <cstdint>
#include <ostream>

namespace lorvan::cli {
namespace {

// The year as typed: 1800 to 2999, digits only.
int32_t yearArgument(const std::string& text) {
    const bool digits =
        !text.empty() && text.size() <= 4 && text.find_first_not_of("0123456789") == std::string::npos;
    const int32_t year = digits ? std::stoi(text) : 0;
    if (year < 1800 || year > 2999)
        throw LorvanError("Das Jahr muss zwischen 1800 und 2999 liegen: '" + text + "'");
    return year;
}

} // namespace

// The public holidays of a year, one date a line. Without a state the holidays common to all
// states; a state name that is not in the list is refused, so that a typing error does not pass
// as the common holidays.
int runHolidays(const Options&, const std::vector<std::string>& args, std::ostream& out) {
    if (args.empty() || args.size() > 2) throw LorvanError("holidays: Jahr und optional Bundesland angeben.");
    const int32_t year = yearArgument(args[0]);
    const std::string state = args.size() == 2 ? args[1] : std::string();
    if (!state.empty() && !isFederalState(state))
        throw LorvanError("Unbekanntes Bundesland: '" + state + "'");
    for (const Datum& date : publicHolidaysOfYear(year, state))
        out << formatDate(date) << '\n';
    return 0;
}

} // namespace lorvan::cli
