#include "evaluation/day_checks.h"

#include "evaluation/day_evaluation_detail.h"
#include "foundation/error.h"
#include "foundation/format.h"
#include "foundation/time_text.h"
#include "platform/prompter.h"
#include "yearfile/settings.h"
#include "yearfile/year_file.h"

#include <algorithm>
#include <tuple>
#include <utility>

namespace lorvan {

using namespace day_detail;

namespace {

std::tuple<int32_t, int32_t> hourAndMinute(std::string_view text) {
    const ClockParts clock = splitClock(text).value_or(ClockParts{});
    return {clock.hour, clock.minute};
}

} // namespace

std::string entryDescription(const CZeitZeile& line) {
    std::string description = line.from + " - " + line.to;
    if (!line.customer.empty()) description += " (" + line.customer + ")";
    return description;
}

std::optional<std::string> checkStoredTimes(const CZeitZeile& line) {
    std::string text = line.from;
    if (!normalizeTime(text, false, false)) return "Der Von-Wert '" + line.from + "' ist ungültig.";
    text = line.to;
    if (!normalizeTime(text, false, false)) return "Der Bis-Wert '" + line.to + "' ist ungültig.";
    text = line.durationText;
    if (!normalizeTime(text, false, false)) return "Die Dauer '" + line.durationText + "' ist ungültig.";
    return std::nullopt;
}

std::optional<std::string> checkStoredLine(const CZeitZeile& line) {
    // The description goes into a message only: a line that passes needs none.
    const auto describe = [&] { return entryDescription(line); };
    if (line.kind.empty()) return "Die Art des Eintrags '" + describe() + "' wurde nicht ausgewählt.";
    if (line.kind == kKindCustomer && line.customer.empty())
        return "Der Kunde wurde bei Eintrag '" + describe() + "' nicht eingegeben.";
    if (line.from.empty() || line.to.empty() || line.duration == 0)
        return "Der Eintrag '" + describe() + "' wurde nicht korrekt berechnet.";
    if (hourAndMinute(line.from) > hourAndMinute(line.to))
        return "Der Beginn des Eintrags '" + describe() + "' liegt vor dem Ende.";
    if (line.pause > line.duration || (line.pause == line.duration && line.kind != kKindBreak))
        return "Die Pause war länger als möglich bei Eintrag '" + describe() + "'.";
    if (spanMinutes(line.from, line.to) != line.duration)
        return "Die Dauer passt nicht zum Von-Bis-Wert bei Eintrag '" + describe() + "'.";
    return std::nullopt;
}

std::optional<std::string> checkStoredTimesAndLine(const CZeitZeile& line) {
    if (std::optional<std::string> message = checkStoredTimes(line)) return message;
    return checkStoredLine(line);
}

DayFindings findDayProblems(const DayEntryState& state, const LineCheck& lineCheck) {
    DayFindings findings;
    // By from-time, lines of equal from-time in their order. A day has a handful of lines: an
    // insertion sort needs no buffer (the import checks every day it writes). Each from-time is read
    // once.
    std::vector<std::pair<int32_t, const CZeitZeile*>> sorted;
    sorted.reserve(state.lines.size());
    for (const CZeitZeile& line : state.lines) {
        const std::pair<int32_t, const CZeitZeile*> entry{parseClock(line.from), &line};
        size_t j = sorted.size();
        sorted.emplace_back();
        for (; j > 0 && sorted[j - 1].first > entry.first; --j)
            sorted[j] = sorted[j - 1];
        sorted[j] = entry;
    }
    std::vector<const CZeitZeile*> lines;
    lines.reserve(sorted.size());
    for (const auto& [from, line] : sorted)
        lines.push_back(line);

    if (lineCheck) {
        for (const CZeitZeile* line : lines) {
            if (std::optional<std::string> message = lineCheck(*line)) {
                findings.lineMessage = std::move(message);
                return findings;
            }
        }
    }

    if (!lines.empty()) {
        std::string chain = lines.front()->from;
        for (size_t i = 1; i < lines.size(); ++i) {
            const CZeitZeile& previous = *lines[i - 1];
            const CZeitZeile& line = *lines[i];
            // A line that begins as the one before ends (the usual case) neither overlaps nor leaves a gap.
            if (previous.to == line.from) continue;
            const bool overlaps = hourAndMinute(previous.to) > hourAndMinute(line.from);
            findings.overlap = findings.overlap || overlaps;
            findings.gap = findings.gap || !overlaps;
            chain += " - " + previous.to + "\n" + line.from;
        }
        chain += " - " + lines.back()->to + "\n";
        if (findings.overlap || findings.gap) findings.chain = std::move(chain);
    }

    if (state.settings == nullptr) throw LorvanError(kPointerNotSet);
    const CEinstArbzt& settings = *state.settings;
    if (!state.publicHoliday && !lines.empty() && settings.checkBreakTimes) {
        int64_t given = 0;
        int64_t total = 0;
        for (const CZeitZeile* line : lines) {
            given += line->pause;
            total += line->duration;
        }
        const int32_t required = settings.breakMinutesForDate(state.date);
        if (given < required && total > 120) {
            findings.breakTooShort = true;
            findings.breakGiven = given;
            findings.breakRequired = required;
        }
    }
    return findings;
}

DayCheckResult checkDay(const DayEntryState& state, Prompter& prompter, const LineCheck& lineCheck) {
    const DayFindings findings = findDayProblems(state, lineCheck);
    if (findings.lineMessage) return {false, *findings.lineMessage};
    if (findings.overlap) {
        if (!prompter.askYesNo("Die Arbeitszeiten überschneiden sich!\nArbeitszeit:\n" + findings.chain +
                               "\nSind die Zeiten in Ordnung?"))
            return {false, {}};
    } else if (findings.gap) {
        if (!prompter.askYesNo("Die Arbeitszeit ist nicht durchgehend.\nArbeitszeit:\n" + findings.chain +
                               "\nSind die Zeiten in Ordnung?"))
            return {false, {}};
    }
    if (findings.breakTooShort) {
        const bool stop = prompter.askYesNo(format(
            state.settings->enforceCorrectBreakTimes
                ? "Die Pausenzeit ist zu kurz angegeben worden (%ld/%ld). Sie wird durch das Programm "
                  "automatisch korrigiert.\nWollen Sie ihre Eingaben korrigieren?"
                : "Die Pausenzeit ist zu kurz angegeben worden (%ld/%ld).\nWollen Sie ihre Eingaben "
                  "korrigieren?",
            static_cast<long>(findings.breakGiven), static_cast<long>(findings.breakRequired)));
        if (stop) return {false, {}};
    }
    return {true, {}};
}

} // namespace lorvan
