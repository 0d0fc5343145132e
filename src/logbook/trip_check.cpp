#include "logbook/trip_check.h"

#include "foundation/calendar.h"
#include "foundation/time_text.h"
#include "logbook/logbook_file.h"

namespace lorvan {
namespace {

constexpr const char* kKilometresNotAbove = "Der neue Kilometerstand muss größer als der alte Kilometerstand sein.";
constexpr const char* kDayBeforePrevious = "Der Tag darf nicht kleiner als der Tag des vorherigen Eintrags sein.";
constexpr const char* kStartBeforePrevious =
    "Die Startzeit darf nicht größer als die Zielzeit des vorherigen Eintrags sein.";

bool validTime(const std::string& text) {
    std::string copy = text;
    return normalizeTime(copy, false, true);
}

// The time a trip starting on startDay at startTime must not come before: walking back through
// the earlier trips that end on that day, the first one's end time, else its start time.
std::optional<int32_t> comparisonTime(const std::vector<const CFahrtDoc*>& earlier, const std::string& startDay) {
    for (const CFahrtDoc* trip : earlier) {
        if (trip->endDate != startDay) break;
        if (!trip->endTime.empty()) return parseClock(trip->endTime);
        if (!trip->startTime.empty()) return parseClock(trip->startTime);
    }
    return std::nullopt;
}

// Rule 11 for a trip after the earlier ones (nearest first); dates already checked to be valid.
TripProblem followsEarlier(const CFahrtDoc& trip, const std::vector<const CFahrtDoc*>& earlier,
                           TripField dayField, TripField timeField) {
    if (earlier.empty()) return {};
    const auto previousEnd = tripDate(earlier.front()->endDate);
    const auto start = tripDate(trip.startDate);
    if (!previousEnd || !start) return {};
    const int order = compareDates(*previousEnd, *start);
    if (order > 0) return {kDayBeforePrevious, dayField};
    if (order == 0 && !trip.startTime.empty()) {
        const auto before = comparisonTime(earlier, trip.startDate);
        if (before && parseClock(trip.startTime) < *before) return {kStartBeforePrevious, timeField};
    }
    return {};
}

} // namespace

std::optional<Datum> tripDate(const std::string& text) {
    const ParsedDate parsed = parseDate(text);
    if (!parsed.valid || parsed.day == 0 || parsed.month == 0) return std::nullopt;
    const Datum date{parsed.day, parsed.month, parsed.year};
    if (!isValidDate(date)) return std::nullopt;
    return date;
}

TripCheckContext tripCheckContext(const CTwFahrtenbuchDoc& logbook, size_t index, Datum today) {
    TripCheckContext context;
    context.year = logbook.year;
    context.today = today;
    context.previousKilometres = logbook.previousKilometres(index);
    for (auto i = logbook.previousValidTrip(index); i; i = logbook.previousValidTrip(*i))
        context.earlier.push_back(&logbook.trips[*i]);
    if (index < logbook.trips.size())
        if (const auto next = logbook.nextValidTrip(index)) context.next = &logbook.trips[*next];
    return context;
}

TripProblem checkTrip(const CFahrtDoc& trip, const TripCheckContext& context) {
    if (trip.driver.empty() && trip.kind() != TripKind::Unknown)
        return {"Der Name des Fahrers muss eingegeben werden.", TripField::Driver};
    if (trip.street.empty()) return {"Der neue Standort muss eingegeben werden.", TripField::Street};
    if (trip.place.empty()) return {"Der neue Standort muss eingegeben werden.", TripField::Place};
    if (!(trip.kilometres > 0.0)) return {"Es muss der neue Kilometerstand eingegeben werden.", TripField::Kilometres};
    if (!(trip.kilometres > context.previousKilometres)) return {kKilometresNotAbove, TripField::Kilometres};

    if (trip.startDate.empty()) return {"Der Tag der Fahrt muss eingegeben werden.", TripField::StartDate};
    if (trip.endDate.empty()) return {"Der Tag des Endes der Fahrt muss eingegeben werden.", TripField::EndDate};
    const auto start = tripDate(trip.startDate);
    if (!start) return {"Der Beginn der Fahrt ist kein gültiges Datum.", TripField::StartDate};
    const auto end = tripDate(trip.endDate);
    if (!end) return {"Das Ende der Fahrt ist kein gültiges Datum.", TripField::EndDate};
    if (compareDates(*start, *end) > 0) return {"Der Beginn der Fahrt muss vor dem Ende liegen.", TripField::StartDate};
    if (compareDates(*start, context.today) > 0)
        return {"Das Datum darf nicht in der Zukunft liegen.", TripField::StartDate};
    if (compareDates(*end, context.today) > 0) return {"Das Datum darf nicht in der Zukunft liegen.", TripField::EndDate};
    if (daysBetween(context.today, *start) > 31)
        return {"Fahrtenbuch-Einträge dürfen maximal einen Monat nach der Fahrt erfasst werden, um die "
                "Ordnungsmäßigkeit für das Finanzamt sicherzustellen.",
                TripField::StartDate};
    if (start->year != context.year)
        return {"Die Fahrt muss im Jahr des Fahrtenbuchs liegen.", TripField::StartDate};
    if (end->year != context.year) return {"Die Fahrt muss im Jahr des Fahrtenbuchs liegen.", TripField::EndDate};

    if (!trip.startTime.empty() && !validTime(trip.startTime))
        return {"Die Startzeit '" + trip.startTime + "' ist ungültig.", TripField::StartTime};
    if (!trip.endTime.empty() && !validTime(trip.endTime))
        return {"Die Zielzeit '" + trip.endTime + "' ist ungültig.", TripField::EndTime};
    if (!trip.startTime.empty() && !trip.endTime.empty() && compareDates(*start, *end) == 0 &&
        parseClock(trip.endTime) - parseClock(trip.startTime) < 1)
        return {"Die Zielzeit muss größer als die Startzeit sein.", TripField::EndTime};

    if (TripProblem p = followsEarlier(trip, context.earlier, TripField::StartDate, TripField::StartTime); !p.ok())
        return p;

    if (trip.kind() == TripKind::Business) {
        if (trip.purpose.empty()) return {"Der Zweck der Fahrt muss eingegeben werden.", TripField::Purpose};
        if (trip.person.empty()) return {"Das Ziel der Fahrt muss eingegeben werden.", TripField::Person};
    }

    // A changed trip must leave the next valid trip behind it: the same rules, seen from that trip.
    if (context.next && !context.next->cancelled()) {
        if (!(context.next->kilometres > trip.kilometres)) return {kKilometresNotAbove, TripField::Kilometres};
        std::vector<const CFahrtDoc*> before{&trip};
        before.insert(before.end(), context.earlier.begin(), context.earlier.end());
        if (TripProblem p = followsEarlier(*context.next, before, TripField::EndDate, TripField::EndTime); !p.ok())
            return p;
    }
    return {};
}

} // namespace lorvan
