#pragma once

#include "reports/weekly_proof.h"

#include <cstdint>
#include <optional>
#include <string>

// The logic of the dialog "Wochenauswertung für": the period as a calendar week ("Woche") or as the
// dates "von" and "bis" of the file's year, each field setting the others as the user types, the
// labels beside the dates and the check before "&Seitenansicht", "&Druck" and the export.
namespace lorvan {

class Prompter;

inline constexpr const char* kWeeklyProofPeriodIncomplete = "Der Zeitraum muss erst vollständig erfasst werden.";
// The label beside a date of another year.
inline constexpr const char* kWeeklyProofDateError = "Fehler";

class CDruckWoche {
  public:
    enum class Field { Week, From, To };

    // The dialog for the person of the file's settings and its year; "Woche" starts at 0 and both dates
    // empty.
    CDruckWoche(std::string person, int32_t year);

    const std::string& person() const { return person_; }
    int32_t year() const { return year_; }
    int32_t week() const { return week_; }
    const std::optional<Datum>& from() const { return from_; }
    const std::optional<Datum>& to() const { return to_; }
    // The weekday name of the date, "Fehler" after a date of another year, else empty.
    const std::string& fromLabel() const { return fromLabel_; }
    const std::string& toLabel() const { return toLabel_; }

    // "Woche": the Monday and Sunday of that week, cut to 1 January and 31 December; a number beyond
    // the year's last week gives the week of 31 December (and that number), 0 the week of 1 January.
    void setWeek(int32_t week);
    // "von": a date of the year sets the week number to its week and "bis" to that week's Sunday (at
    // most 31 December); nullopt empties the field, a date of another year too (its label "Fehler").
    void setFrom(const std::optional<Datum>& date);
    // "bis": a date of the year whose week differs from the week number sets the week number to that
    // week while "von" is empty, else to 0 (a free period).
    void setTo(const std::optional<Datum>& date);

    // The period for preview, print and export; nullopt, with the message shown and focus set to
    // "Woche", while a date is missing or "von" lies after "bis".
    std::optional<WeeklyProofPeriod> period(Prompter& prompter);
    Field focus() const { return focus_; }

  private:
    // The date when it lies in the year; the label says what was taken.
    std::optional<Datum> take(const std::optional<Datum>& date, std::string& label) const;

    std::string person_;
    int32_t year_;
    int32_t week_ = 0;
    std::optional<Datum> from_;
    std::optional<Datum> to_;
    std::string fromLabel_;
    std::string toLabel_;
    Field focus_ = Field::Week;
};

// The Monday of the week number in the year (ISO numbering; week 0 is the week of 1 January when that
// week belongs to the previous year), not cut to the year.
Datum mondayOfWeek(int32_t week, int32_t year);
// The last week number of the year: the week of 31 December.
int32_t lastWeekOfYear(int32_t year);

} // namespace lorvan
