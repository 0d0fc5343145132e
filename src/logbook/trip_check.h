#pragma once

#include "foundation/datum.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The checks of a trip before it is taken into a logbook, in their order, each with the field that
// gets the focus.
namespace lorvan {

class CFahrtDoc;
class CTwFahrtenbuchDoc;

// The fields of the dialog "Fahrtenbuch-Eintrag".
enum class TripField {
    None,
    Person,           // "Firma / Person"
    Street,           // "Straße"
    Place,            // "Ort"
    Purpose,          // "Zweck der Fahrt"
    Driver,           // "Fahrer"
    Kilometres,       // "Kilometerstand (neu)"
    DrivenKilometres, // "Gefahrene Kilometer"
    Kind,             // "Geschäftlich" ... "Unbekannt"
    StartDate,        // "Datum / Uhrzeit  von"
    StartTime,
    EndDate,          // "bis"
    EndTime,
};

// The first failed check: its message and the field to focus. No message: the trip passed.
struct TripProblem {
    std::string message;
    TripField field = TripField::None;
    bool ok() const { return message.empty(); }
};

// What a trip is checked against.
struct TripCheckContext {
    double previousKilometres = 0.0; // the previous valid trip's reading, else the start reading
    int32_t year = 0;                // the logbook's year
    Datum today;
    // The valid trips before this one, the nearest first (the first is "the previous trip").
    std::vector<const CFahrtDoc*> earlier;
    // The next valid trip when a trip inside the list is changed: the trip must not overtake it.
    const CFahrtDoc* next = nullptr;
};

// The context of the trip at index of the logbook; index == trips.size() for a trip to be appended.
TripCheckContext tripCheckContext(const CTwFahrtenbuchDoc& logbook, size_t index, Datum today);

// The rules in order: driver, destination, kilometres, dates, order of the dates, not in the
// future, entered within 31 days, in the logbook's year, the times, the previous trip, purpose and
// person of a business trip; then that the next trip still follows this one.
TripProblem checkTrip(const CFahrtDoc& trip, const TripCheckContext& context);

// A "TT.MM.JJJJ" text as a date; nothing for an empty, incomplete or invalid one (the trip's dates
// and the print range).
std::optional<Datum> tripDate(const std::string& text);

} // namespace lorvan
