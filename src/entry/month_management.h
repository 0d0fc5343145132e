#pragma once

#include "entry/month_lock.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// The months of a year file coming into being and going away (the year view's "A&nlegen" and
// "Aktuell ausgewählten Eintrag &löschen"), and the step to the next year's file.
namespace lorvan {

class CLorvanDoc;
class Clock;
class Prompter;
struct EvaluationContext;

inline constexpr const char* kMonthExistsMessage = "Der Monat existiert schon.";
inline constexpr const char* kMonthNumberInvalidMessage = "Der Monat muss zwischen 1 und 12 liegen.";
inline constexpr const char* kTwelveMonthsQuestion =
    "Es kann kein neuer Monat angelegt werden.\nWollen Sie jetzt einen neuen Datenbestand für das nächste Jahr "
    "anlegen?";
inline constexpr const char* kNoMonthNumberQuestion =
    "Tragen Sie erst den Monat ein, der angelegt werden soll.\nWollen Sie jetzt einen neuen Datenbestand für "
    "das nächste Jahr anlegen?";

// What the year view does after "A&nlegen".
enum class MonthCreation {
    Nothing,      // refused or declined (the message shown)
    OpenMonth,    // the month was created: open its month view
    OpenNextYear, // the user wants the next year's file (nextYearFile)
};

// Creates month m (0: no number entered) in the document. A document with all twelve months, or no
// number, offers the next year's file instead. An existing month, a number outside 1-12 and a closed
// month are refused with their message. A new month gets its public holidays when the settings
// enter them automatically; the cached results from that month on are reset, since the next month's
// carried-in week and the account carry on from it, and the document is marked changed.
MonthCreation createMonth(CLorvanDoc& document, int32_t month, Prompter& prompter, const MonthClosedRule& closed);

// "Soll der März gelöscht werden?", with "\n\nDer Monat enthält Tage, die dann ebenfalls gelöscht
// werden." when the month has days.
std::string deleteMonthQuestion(const CLorvanDoc& document, int32_t month);

// Deletes month m after the question: refused in a closed month; No keeps it. closeMonthWindows
// closes the open windows of that month and tells whether all closed (a window that stays open stops
// the deletion). The month goes with its days and time lines, the cached results from it on are
// reset and the document is marked changed. False when nothing was deleted (0 or a missing month:
// nothing happens, the view beeps).
bool deleteMonth(CLorvanDoc& document, int32_t month, Prompter& prompter, const MonthClosedRule& closed,
                 const std::function<bool()>& closeMonthWindows);

// A new year file of the person for the year. With a file of another year to start from (from not
// null), its settings are taken over as the settings dialog's copy does it, with that file's
// remaining vacation and account balance at the end of December (evaluated on a copy in the given
// context); without one the settings keep the defaults of a new file. The document is new: it is
// written to its year file's path at its first save. Name and year must pass the checks of
// "Allgemein" (generalSettingsRefusal: no year files for years to come or before 2000); their
// message, like evaluation errors, is raised as LorvanError.
CLorvanDoc startYearFile(const std::string& name, int32_t year, const CLorvanDoc* from,
                         const EvaluationContext& context, const Clock& clock);

// A new year file of the person for the year in the data directory: the settings are taken over
// from the person's file of the year before there when it exists (startYearFile with that file),
// otherwise they keep the defaults. Raises LorvanError as startYearFile does, and the reader's
// message when the previous year's file cannot be read.
CLorvanDoc startYearFileIn(const std::string& dataDirectory, const std::string& name, int32_t year,
                           const Clock& clock);

// The next year's file of the same person: the path of its year file (in the data directory, or
// beside the document without one) and, when that file does not exist yet, the new document that
// takes the settings over from this one (startYearFile). An existing file is opened by the caller.
struct NextYearFile {
    std::string path;
    std::unique_ptr<CLorvanDoc> created; // nullptr when the file exists
};
NextYearFile nextYearFile(const CLorvanDoc& document, const std::string& dataDirectory,
                          const EvaluationContext& context, const Clock& clock);

} // namespace lorvan
