#pragma once

#include "entry/day_entry.h"

#include <cstdint>
#include <functional>
#include <string>

// Creating and deleting the days of a month (the month view's "A&nlegen" and "Aktuell ausgewählten
// Eintrag &löschen"). Both refuse with kMonthLockedMessage while the month is closed.
namespace lorvan {

class Prompter;

// The text beside the day number field while a number is typed: "Der Tag ist ungültig." for a date
// that does not exist, "Der Tag wurde schon angelegt." for an existing day, otherwise ".03.2026
// (Montag)" (month, year and weekday). Empty while no number (0) is typed.
std::string dayNumberText(const CMonatDoc& month, int32_t day);

// Creates day `day` of the month: kind 0, complete, no lines. Refuses 0 ("Tragen Sie erst den Tag
// ein, der angelegt werden soll."), an existing day ("Der Tag existiert schon.") and a date that does
// not exist ("Der Tag ist ungültig."); on Done *created (when given) points to the new day and the
// document is marked modified.
EntryResult createDay(CMonatDoc& month, int32_t day, Prompter& prompter, const MonthClosedRule& monthClosed,
                      CTagDoc** created = nullptr);

// Closes the entry window of a day when one is open.
using CloseDayWindow = std::function<void(const CTagDoc& day)>;

// Deletes day `day` (0: no selection, the caller beeps) after the question "Soll der 07.03.2026
// gelöscht werden?" (extended when the day has time lines); closes its window through closeWindow,
// invalidates the month's results and marks the document modified.
EntryResult deleteDay(CMonatDoc& month, int32_t day, Prompter& prompter, const MonthClosedRule& monthClosed,
                      const CloseDayWindow& closeWindow = {});

} // namespace lorvan
