#pragma once

#include <cstdint>
#include <string>

// Figures of a whole year file, read from the day records directly (not from the cached month
// results): how long the days were, how much vacation was taken and remains, how many sick days of
// which kind occurred, and the texts of the vacation and sickness dialogs of the month and year views.
//
// Only days the calendar has are looked at: a stored day past the month's end (30 February of a file
// whose year was changed) counts nowhere, as in the month evaluation.
namespace lorvan {

class CLorvanDoc;
class CMonatDoc;
class CTagDoc;

// The work minutes of the day: the work minutes of its blocks (standby blocks count 0).
int32_t dayWorkMinutes(const CTagDoc& day);

// The number of days of the month with work minutes > 0 whose full hours (work minutes / 60,
// truncated) are below fullHoursBelow; fullHoursBelow <= 0 counts every worked day.
int32_t dayLengthCounts(const CMonatDoc& month, int32_t fullHoursBelow);

// Vacation days of the month in halves: days of kind "Urlaub" and "Halber Urlaubstag". Unless vacation
// on weekends and holidays is counted, a day counts only when it is not a public holiday and, in a
// period with fixed regular working days, its weekday has hours. A half vacation day, and a vacation
// day on a weekday marked as half day (fixed working days), count 0.5. Raises the missing-settings text
// when a vacation day lies in a month without working-time period.
double vacationDays(const CMonatDoc& month);

// Entitlement + remaining vacation of the previous year - the vacation days of the file's months up to
// and including the month; 0 when the file does not manage remaining vacation.
double remainingVacation(const CLorvanDoc& file, int32_t month);

// Sick days of Monday to Friday that are not public holidays, per kind.
struct SickDayCounts {
    int32_t withPay = 0;       // "Krank mit Lohnfortzahlung"
    int32_t sickPay = 0;       // "Krank mit Krankengeld"
    int32_t childSick = 0;     // "Krankheit Kind"
    int32_t parentalLeave = 0; // "Elternzeit"

    bool any() const { return withPay > 0 || sickPay > 0 || childSick > 0 || parentalLeave > 0; }
    SickDayCounts& operator+=(const SickDayCounts& other);
    friend bool operator==(const SickDayCounts&, const SickDayCounts&) = default;
};

SickDayCounts sickDayCounts(const CMonatDoc& month);
// The counts of the file's months from January up to and including the month.
SickDayCounts sickDayCountsUpTo(const CLorvanDoc& file, int32_t month);

// Not detailed: the month's line of the year text ("März\t\t2,5\n"), empty without vacation days.
// Detailed ("Genommener Urlaub des Monats"): the counted days with their dates and the total, or that
// no vacation was taken; with remaining vacation managed, the remaining vacation after the month.
std::string vacationText(const CMonatDoc& month, bool detailed);

// The month's sick days by kind; the month's counts are added to yearCounts. Not detailed: one line
// per kind with its count (empty without sick days); detailed ("Krankheitstage des Monats"): the days
// of each kind with their dates and each kind's total.
std::string sicknessText(const CMonatDoc& month, bool detailed, SickDayCounts& yearCounts);

// The text of the dialog "Genommener Urlaub": every month's line, the year's total and, with remaining
// vacation managed, the remaining vacation at the end of December.
std::string yearVacationText(const CLorvanDoc& file);

// The text of the dialog "Krankheitstage anzeigen": every month's lines and the year's totals.
std::string yearSicknessText(const CLorvanDoc& file);

} // namespace lorvan
