#pragma once

#include "foundation/datum.h"
#include "logbook/trip_texts.h"
#include "yearfile/document_base.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The yearly logbook of a vehicle: "<file-name form of the plate><year>.fb" in the data directory.
namespace lorvan {

class Clock;
struct ClockTime;

// A stored moment: a status (0 = valid) and the days since 30.12.1899, the fraction being the
// time of day.
struct StoredMoment {
    int32_t status = 0;
    double days = 0.0;
    friend bool operator==(const StoredMoment&, const StoredMoment&) = default;
};
StoredMoment momentOf(const ClockTime& time);
// The moment's date and time; nothing for a moment that names no date of the calendar (a damaged
// value).
std::optional<ClockTime> clockTimeOf(const StoredMoment& moment);
// "TT.MM.JJJJ hh:mm", or empty for a damaged value.
std::string momentText(const StoredMoment& moment);

// One trip of a logbook, in the order of the file. The stored kind and status are kept as read;
// kind() and cancelled() interpret them.
class CFahrtDoc {
  public:
    int32_t kindValue = 0;     // 0 business, 1 commute, 2 private, 3 unknown; others read as private
    std::string person;        // "Firma / Person" as typed (may be a customer number)
    std::string customerName;  // the customer found for a number in person, else empty
    std::string purpose;       // "Zweck der Fahrt"
    std::string driver;        // "Fahrer"
    double kilometres = 0.0;   // "Kilometerstand (neu)": the reading at the end of the trip
    std::string place;         // "Ort" of the destination
    std::string street;        // "Straße" of the destination
    std::string endDate;       // "TT.MM.JJJJ"
    std::string startDate;     // "TT.MM.JJJJ"
    std::string endTime;       // h:mm or empty
    std::string startTime;     // h:mm or empty
    int32_t status = 0;        // 0 valid, 1 cancelled ("Storno")
    StoredMoment created;      // when the record was made

    // Both dates today, empty texts, kind business, valid, created now.
    static CFahrtDoc newTrip(const ClockTime& now);

    TripKind kind() const;
    bool cancelled() const { return status == 1; }
    // Street + ", " + place (the comma only when both are there).
    std::string locationText() const;
    // The customer name when set, else the person.
    std::string shownPerson() const;
    // "S" for a cancelled trip, else "G", "A", "P" or "U".
    std::string kindLetter() const;
    // The reading as "%.1f" with a decimal comma.
    std::string kilometresText() const;
    // start date + "   " + start time + " - " + (end date + "   " when the dates differ) + end time,
    // with withDuration and both times set followed by "  (" + hh:mm + " h)".
    std::string timeSpanText(bool withDuration) const;
    // Whole days between the creation and now (negative when created later than now).
    int64_t wholeDaysSinceCreated(const ClockTime& now) const;
    // Created after now: the clock was turned back since (a damaged creation time counts as not).
    bool createdAfter(const ClockTime& now) const;

    friend bool operator==(const CFahrtDoc&, const CFahrtDoc&) = default;
};

inline constexpr const char* kLogbookExtension = "fb";
inline constexpr const char* kClockTurnedBack =
    "Das Fahrtenbuch kann nicht geladen werden, da die Systemzeit verstellt wurde.";
inline constexpr const char* kLogbookExists =
    "Für dieses Jahr und dieses Kennzeichen existiert schon ein Datenbestand.";

// "%s%ld.%s": the plate's file-name form, the year and "fb" ("AB-CD 123", 2024 -> "ABCD_1232024.fb").
std::string logbookFileName(std::string_view plate, int32_t year);
// The data directory (a "/" added when missing) + logbookFileName.
std::string logbookPath(const std::string& dataDirectory, std::string_view plate, int32_t year);
// The plate part and year of a logbook's file name: the four characters before ".fb" (letter case
// ignored) are the year. Nothing for a name of another form.
struct LogbookName {
    std::string platePart;
    int32_t year = 0;
};
std::optional<LogbookName> logbookNameOf(const std::string& path);
// Every "*.fb" file of the data directory, in name order.
std::vector<std::string> logbookFiles(const std::string& dataDirectory);

class CTwFahrtenbuchDoc : public CTwDocBase {
  public:
    static constexpr int32_t kCurrentVersion = 3;

    int32_t year = 0;
    std::string plate;
    double startKilometres = 0.0;
    std::string startPlace;
    std::string startStreet;
    int32_t closed = 0; // 1 when closed for good
    std::vector<CFahrtDoc> trips;

    int32_t currentVersion() const override { return kCurrentVersion; }
    bool isClosed() const { return closed == 1; }

    // Walking back from the trip at index (exclusive), the first trip that is not cancelled.
    std::optional<size_t> previousValidTrip(size_t index) const;
    // Walking on from the trip at index (exclusive), the first trip that is not cancelled.
    std::optional<size_t> nextValidTrip(size_t index) const;
    // The last trip that is not cancelled.
    std::optional<size_t> lastValidTrip() const { return previousValidTrip(trips.size()); }
    // The previous valid trip's reading, else the start kilometres; for a cancelled trip the
    // directly preceding trip's reading (else the start kilometres).
    double previousKilometres(size_t index) const;
    // The trip's reading less previousKilometres.
    double drivenKilometres(size_t index) const;
    // "Letzter Standort": the previous valid trip's location text, else start street + ", " +
    // start place.
    std::string startLocation(size_t index) const;
    // Created less than a whole day before now, and the logbook not closed.
    bool deletable(size_t index, const ClockTime& now) const;
    // The driven kilometres of the valid trips by kind.
    KindSums sumsByKind() const;

    // A trip created after now: the clock was turned back since.
    bool hasTripCreatedAfter(const ClockTime& now) const;

  protected:
    void store(ArchiveWriter& ar) const override;
    int32_t load(ArchiveReader& ar) override;
    void clear() override;
};

// Opens a logbook and refuses it with kClockTurnedBack when one of its trips was created after
// now (the document is then empty). Other failures as CTwDocBase::open.
void openLogbook(CTwFahrtenbuchDoc& doc, const std::string& path, const Clock& clock);

} // namespace lorvan
