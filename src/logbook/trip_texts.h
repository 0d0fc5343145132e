#pragma once

#include <cstdint>
#include <string>

// The texts of a logbook trip that lists, dialogs and the print show, from the trip's plain values.
namespace lorvan {

// The kinds of trip as stored; any other value counts as private.
enum class TripKind : int32_t { Business = 0, Commute = 1, Private = 2, Unknown = 3 };
inline constexpr int32_t kTripBusiness = 0; // "Geschäftlich"
inline constexpr int32_t kTripCommute = 1;  // "Arbeitsweg"
inline constexpr int32_t kTripPrivate = 2;  // "Privat"
inline constexpr int32_t kTripUnknown = 3;  // "Unbekannt"

inline constexpr const char* kTripCancelledText = "Storno";

// Driven kilometres summed by kind of trip (every kind but business, commute and unknown counts as
// private).
struct KindSums {
    double business = 0.0;
    double commute = 0.0;
    double privateUse = 0.0;
    double unknown = 0.0;

    // Adds the kilometres to the sum of the stored kind.
    void add(int32_t kind, double kilometres);
};

// "Storno" for a cancelled trip, else "Geschäftlich", "Arbeitsweg", "Unbekannt" or, for every other
// kind, "Privat".
std::string tripKindText(int32_t kind, bool cancelled);
// "S" for a cancelled trip, else "G", "A", "P", "U" (every other kind "P").
std::string tripKindLetter(int32_t kind, bool cancelled);
// A kilometre reading or distance as "%.1f" with a decimal comma (12345,6).
std::string kilometresText(double kilometres);
// The customer name when it is set, else the person as typed.
std::string shownPerson(const std::string& person, const std::string& customerName);
// Street + ", " + place, the comma only when both are there.
std::string locationText(const std::string& street, const std::string& place);

// The minutes from start to end: end - start on one day, else the rest of the start day plus the
// whole days between plus the end's minutes. 0 when a date is no valid date or the span does not fit
// a duration (damaged values).
int32_t tripDurationMinutes(const std::string& startDate, const std::string& startTime,
                            const std::string& endDate, const std::string& endTime);
// "01.03.2024   08:00 - 09:30", with the end date before the end time when the trip ends on another
// day ("01.03.2024   22:00 - 02.03.2024   01:15"); withDuration adds "  (1:30 h)" when both times
// are set.
std::string tripTimeSpanText(const std::string& startDate, const std::string& startTime,
                             const std::string& endDate, const std::string& endTime, bool withDuration);

} // namespace lorvan
