#pragma once

#include "foundation/datum.h"

#include <cstdint>
#include <optional>
#include <string>

namespace lorvan {

class ArchiveReader;
class ArchiveWriter;
class Clock;

// One employee of the employee file "Daten.mar". The number is the key of the record; the
// file-name form of the name names the employee's year files.
class CMitarbeiterDoc {
public:
    int32_t number = 0;
    std::string name;
    std::string extraInfo;
    std::string department;
    Datum entryDate;
    int32_t inProbation = 0; // non-zero: "in Probezeit"
    Datum probationEnd;      // last day of probation; meaningful only while in probation
    int32_t hasExit = 0;     // non-zero: "mit Austritt"
    Datum exitDate;          // meaningful only with an exit
    int32_t active = 1;      // 1 = active, every other value = not active

    // Days from today to the end of probation (0 on its last day); nothing when not in probation
    // or when probation is over.
    std::optional<int32_t> remainingProbationDays(const Clock& clock) const;
    // The same as "%ld", or the empty text.
    std::string remainingProbationDaysText(const Clock& clock) const;

    // "DD.MM.YYYY", or the empty text without an entry date / probation / exit.
    std::string entryText() const;
    std::string probationEndText() const;
    std::string exitText() const;
    // The same dates as "YYYY-MM-DD" (sort keys), or the empty text.
    std::string entrySortKey() const;
    std::string probationEndSortKey() const;
    std::string exitSortKey() const;

    // "%ld - %s": number and name.
    std::string displayText() const;
    // The name as it appears in year file names (toFileNamePart).
    std::string fileNameForm() const;

    // Entry after the day, or an exit before it.
    bool notEmployedOn(const Datum& day) const;
    // No exit, or an exit on or after the day.
    bool notYetLeftOn(const Datum& day) const;
    // The employed days of the month of the given day: false when the employee is employed on no
    // day of that month; otherwise first and last are the first and last employed days (the
    // month's own bounds unless entry or exit fall into that month).
    bool employmentBoundsInMonth(const Datum& day, Datum& first, Datum& last) const;

    bool isActive() const { return active == 1; }

    // Layout of version 14; load reads what the file's version holds and keeps the defaults of a
    // new record for the rest.
    void store(ArchiveWriter& ar) const;
    void load(ArchiveReader& ar, int32_t version);
    // The fewest bytes one record of the given file version can take.
    static size_t minimumStoredSize(int32_t version);
};

} // namespace lorvan
