#include "logbook/logbook_changes.h"

#include "logbook/logbook_file.h"
#include "logbook/logbook_window.h"
#include "platform/clock.h"

namespace lorvan {
namespace {

bool sameStartValues(const CTwFahrtenbuchDoc& a, const CTwFahrtenbuchDoc& b) {
    return a.startKilometres == b.startKilometres && a.startPlace == b.startPlace && a.startStreet == b.startStreet;
}

std::string entry(size_t index) {
    return "Eintrag " + std::to_string(index + 1) + ": ";
}

} // namespace

std::string disallowedLogbookChange(const CTwFahrtenbuchDoc& stored, const CTwFahrtenbuchDoc& changed,
                                    const ClockTime& now) {
    if (stored.year != changed.year || stored.plate != changed.plate)
        return "Jahr und Kennzeichen eines Fahrtenbuchs können nicht geändert werden.";
    if (stored.isClosed()) {
        const bool same = changed.closed == stored.closed && sameStartValues(stored, changed) && stored.trips == changed.trips;
        return same ? std::string() : kLogbookClosed;
    }
    if (changed.closed != 0 && changed.closed != 1) return "Das Feld 'closed' kann nur 0 oder 1 sein.";
    if (!stored.trips.empty() && !sameStartValues(stored, changed))
        return "Die Startwerte können nach Erfassung des ersten Eintrags nicht mehr geändert werden.";

    size_t next = 0; // the next trip of the changed logbook not yet matched
    for (size_t i = 0; i < stored.trips.size(); ++i) {
        const CFahrtDoc& old = stored.trips[i];
        const CFahrtDoc* candidate = next < changed.trips.size() ? &changed.trips[next] : nullptr;
        if (stored.deletable(i, now)) {
            // Changed (the same creation time) or removed.
            if (candidate && candidate->created == old.created) ++next;
            continue;
        }
        if (!candidate) return entry(i) + kTripTooOld;
        if (*candidate == old) {
            ++next;
            continue;
        }
        CFahrtDoc cancelled = old;
        cancelled.status = 1;
        if (old.status == 0 && *candidate == cancelled) {
            ++next;
            continue;
        }
        return entry(i) + "Der Eintrag ist älter als ein Tag und kann nur noch storniert werden.";
    }
    for (size_t i = next; i < changed.trips.size(); ++i) {
        const CFahrtDoc& added = changed.trips[i];
        if (added.createdAfter(now) || added.wholeDaysSinceCreated(now) > 0)
            return entry(i) + "Ein neuer Eintrag muss jetzt erstellt sein.";
    }
    return std::string();
}

} // namespace lorvan
