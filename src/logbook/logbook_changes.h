#pragma once

#include <string>

// Which changes of a stored logbook the program itself could make, for writers that replace a
// logbook file as a whole (the command line's write).
namespace lorvan {

class CTwFahrtenbuchDoc;
struct ClockTime;

// Empty when the changed logbook follows from the stored one by what the program allows: trips
// appended (created no later than now); deletable trips changed (keeping their creation time) or
// removed; a trip that is no longer deletable cancelled (status 0 -> 1, nothing else); the logbook
// closed (0 -> 1); the start values changed while there is no trip. Year and plate stay, and a
// closed logbook changes no more. Otherwise the reason, in German.
std::string disallowedLogbookChange(const CTwFahrtenbuchDoc& stored, const CTwFahrtenbuchDoc& changed,
                                    const ClockTime& now);

} // namespace lorvan
