#include "logbook/trip_texts.h"

#include "foundation/calendar.h"
#include "foundation/format.h"
#include "foundation/number_text.h"
#include "foundation/time_text.h"

#include <climits>

namespace lorvan {

void KindSums::add(int32_t kind, double kilometres) {
    switch (kind) {
    case kTripBusiness:
        business += kilometres;
        break;
    case kTripCommute:
        commute += kilometres;
        break;
    case kTripUnknown:
        unknown += kilometres;
        break;
    default:
        privateUse += kilometres;
        break;
    }
}

std::string tripKindText(int32_t kind, bool cancelled) {
    if (cancelled) return kTripCancelledText;
    switch (kind) {
    case kTripBusiness:
        return "Geschäftlich";
    case kTripCommute:
        return "Arbeitsweg";
    case kTripUnknown:
        return "Unbekannt";
    default:
        return "Privat";
    }
}

std::string tripKindLetter(int32_t kind, bool cancelled) {
    if (cancelled) return "S";
    switch (kind) {
    case kTripBusiness:
        return "G";
    case kTripCommute:
        return "A";
    case kTripUnknown:
        return "U";
    default:
        return "P";
    }
}

std::string kilometresText(double kilometres) {
    return decimalPointToComma(format("%.1f", kilometres));
}

std::string shownPerson(const std::string& person, const std::string& customerName) {
    return customerName.empty() ? person : customerName;
}

std::string locationText(const std::string& street, const std::string& place) {
    if (street.empty() || place.empty()) return street + place;
    return street + ", " + place;
}

int32_t tripDurationMinutes(const std::string& startDate, const std::string& startTime,
                            const std::string& endDate, const std::string& endTime) {
    const int64_t start = parseClock(startTime);
    const int64_t end = parseClock(endTime);
    int64_t minutes = end - start;
    if (startDate != endDate) {
        const ParsedDate from = parseDate(startDate);
        const ParsedDate to = parseDate(endDate);
        const Datum first{from.day, from.month, from.year};
        const Datum last{to.day, to.month, to.year};
        if (!from.valid || !to.valid || !isValidDate(first) || !isValidDate(last)) return 0;
        minutes = (24 * 60 - start) + int64_t{daysBetween(last, first)} * 24 * 60 + end - 24 * 60;
    }
    // Damaged times or dates far apart: no duration rather than an overflow.
    if (minutes < INT32_MIN / 2 || minutes > INT32_MAX / 2) return 0;
    return static_cast<int32_t>(minutes);
}

std::string tripTimeSpanText(const std::string& startDate, const std::string& startTime,
                             const std::string& endDate, const std::string& endTime, bool withDuration) {
    std::string text = startDate + "   " + startTime + " - ";
    if (endDate != startDate) text += endDate + "   ";
    text += endTime;
    if (withDuration && !startTime.empty() && !endTime.empty())
        text += "  (" + formatMinutes(tripDurationMinutes(startDate, startTime, endDate, endTime), 1, false) +
                " h)";
    return text;
}

} // namespace lorvan
