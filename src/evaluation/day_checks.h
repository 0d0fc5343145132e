#pragma once

#include "foundation/datum.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The checks that run when a day is saved with "Angaben vollständig" ticked, and the checks of a
// stored time line that they and the import reuse.
namespace lorvan {

class CEinstArbzt;
class CZeitZeile;
class Prompter;

// The entry description of a line in messages: "8:00 - 12:00 (Muster GmbH)" (from, to, and the
// customer in brackets when there is one).
std::string entryDescription(const CZeitZeile& line);

// The time texts of a stored line: from, to and the duration text must be valid times (hours up to
// 47). Returns the message of the first invalid one.
std::optional<std::string> checkStoredTimes(const CZeitZeile& line);
// The contents of a stored line: kind, customer, computed times, order, pause, duration.
std::optional<std::string> checkStoredLine(const CZeitZeile& line);

// The check a day runs on each line before the day checks; returns the line's first failing message.
using LineCheck = std::function<std::optional<std::string>(const CZeitZeile&)>;
// checkStoredTimes, then checkStoredLine.
std::optional<std::string> checkStoredTimesAndLine(const CZeitZeile& line);

// What the day entry holds when the day is saved.
struct DayEntryState {
    std::vector<CZeitZeile> lines; // taken in the order of their from-time
    Datum date;
    bool publicHoliday = false;
    const CEinstArbzt* settings = nullptr; // required
};

struct DayCheckResult {
    bool accepted = true;
    // The failing line's message, to be shown by the caller; empty when the user declined a question.
    std::string message;
};

// What the checks of a day find, without asking: the first failing line check (then nothing else
// is looked at), times that overlap or leave gaps, and a break shorter than the date requires.
struct DayFindings {
    std::optional<std::string> lineMessage;
    bool overlap = false;
    bool gap = false;
    std::string chain; // with overlap or gap: the blocks "8:00 - 12:00\n11:00 - 16:00\n"
    bool breakTooShort = false;
    int64_t breakGiven = 0;
    int64_t breakRequired = 0;
};
DayFindings findDayProblems(const DayEntryState& state, const LineCheck& lineCheck = checkStoredTimesAndLine);

// Runs the line check on every line (the first failure stops with its message), asks about overlapping
// or non-continuous times, and about too short breaks. A question answered so that the user goes back
// to the entries yields accepted = false without a message.
DayCheckResult checkDay(const DayEntryState& state, Prompter& prompter,
                        const LineCheck& lineCheck = checkStoredTimesAndLine);

} // namespace lorvan
