// Loads arbitrary bytes as a yearly logbook ".fb": every input must either load or fail with a
// LorvanError; a loaded logbook must save and load again, and its derived values (texts, readings,
// sums, the day and clock rules) must be computable for every trip, whatever its numbers hold.
#include "foundation/error.h"
#include "logbook/logbook_file.h"
#include "logbook/trip_check.h"
#include "platform/clock.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lorvan::CTwFahrtenbuchDoc doc;
    try {
        doc.fromBytes(std::string_view(reinterpret_cast<const char*>(data), size), "x2026.fb");
    } catch (const lorvan::LorvanError&) {
        return 0;
    }
    const lorvan::ClockTime now{{10, 3, 2026}, 9 * 60};
    for (size_t i = 0; i < doc.trips.size(); ++i) {
        const lorvan::CFahrtDoc& trip = doc.trips[i];
        static_cast<void>(trip.timeSpanText(true));
        static_cast<void>(trip.kilometresText());
        static_cast<void>(trip.kindLetter());
        static_cast<void>(lorvan::momentText(trip.created));
        static_cast<void>(doc.drivenKilometres(i));
        static_cast<void>(doc.startLocation(i));
        static_cast<void>(doc.deletable(i, now));
        static_cast<void>(lorvan::checkTrip(trip, lorvan::tripCheckContext(doc, i, now.date)));
    }
    static_cast<void>(doc.sumsByKind());
    static_cast<void>(doc.hasTripCreatedAfter(now));
    const std::string bytes = doc.toBytes();
    lorvan::CTwFahrtenbuchDoc again;
    again.fromBytes(bytes, "x2026.fb");
    if (again.toBytes() != bytes) std::abort();
    return 0;
}
