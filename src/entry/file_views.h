#pragma once

#include "foundation/datum.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lorvan {

class CLorvanDoc;
class CMonatDoc;

// The caption above the name and year (or month) fields of the year and month views.
inline constexpr const char* kFileViewCaption = "Arbeitszeiten erfassen und auswerten für";
// What every change in a closed month answers.
inline constexpr const char* kMonthLockedMessage =
    "Änderungen sind nicht mehr zulässig, da der Monatsabschluss bereits durchgeführt wurde.";
inline constexpr const char* kYearListTitle = "Angelegte Monate";
inline constexpr const char* kMonthListTitle = "Angelegte Tage";
inline constexpr const char* kInfoColumnTitle = "Info";

// One row of the list of a year view (a month) or of a month view (a day).
struct FileViewRow {
    int32_t number = 0;   // the month or day number, kept as the row's item data
    std::string text;     // month name, or "07.03.2026 (Samstag)"
    std::string info;     // month view: the day's status text
    int32_t category = 0; // month view: the status category 0-8 that picks the row's icon

    friend bool operator==(const FileViewRow&, const FileViewRow&) = default;
};

// The existing months in number order.
std::vector<FileViewRow> yearViewRows(const CLorvanDoc& document);
// The existing days of the month in number order with their status texts and categories.
std::vector<FileViewRow> monthViewRows(const CMonatDoc& month);

// The text of the month field of a month view: "März 2026".
std::string monthViewTitle(const CMonatDoc& month);

// The row selected when a view opens: the row of the current number (today's month in a year view
// of the current year, today's day in a month view of the current month) when there is one,
// otherwise the last row; -1 without rows. currentNumber is 0 when the view does not show today.
int initialRow(const std::vector<FileViewRow>& rows, int32_t currentNumber);
int yearViewInitialRow(const CLorvanDoc& document, const std::vector<FileViewRow>& rows, const Datum& today);
int monthViewInitialRow(const CMonatDoc& month, const std::vector<FileViewRow>& rows, const Datum& today);

// "Nächster Monat": the number after the last existing month (1 without months); 0 after December.
int32_t nextMonthProposal(const CLorvanDoc& document);
// "Nächster Tag": counting up from 1, the first day of the month without a day record that is not
// a free weekday (0 hours in a working-time period with fixed regular working days); 0 when that
// day is no longer a date of the month. Without working-time settings no weekday is free.
int32_t nextDayProposal(const CLorvanDoc& document, int32_t month);

} // namespace lorvan
