#pragma once

#include "logbook/logbook_file.h"
#include "logbook/trip_dialog.h"
#include "yearfile/document_base.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// A logbook as its window works on it ("Fahrtenbuch"): creating a year's logbook (which closes the
// previous year), the start values, new, changed, deleted and cancelled trips, saving and closing.
namespace lorvan {

class Clock;
class CTwFahrzDoc;
class CustomerList;
class LogbookWordLists;
class Prompter;

// What the logbook flows need from the program around them.
struct LogbookEnvironment {
    std::string dataDirectory;
    Prompter* prompter = nullptr;      // required
    const Clock* clock = nullptr;      // required: today and now
    LogbookWordLists* words = nullptr; // may be null
    CustomerList* customers = nullptr; // may be null
    RecentFiles* recent = nullptr;     // may be null

    StorageContext storage() const;
};

inline constexpr const char* kLogbookClosed =
    "Das Fahrtenbuch ist bereits abgeschlossen und kann deshalb nicht mehr geändert werden.";
inline constexpr const char* kTripTooOld =
    "Der Eintrag ist älter als ein Tag und kann deshalb nicht mehr gelöscht werden.";
inline constexpr const char* kTripAlreadyCancelled = "Der Eintrag ist bereits storniert.";

// The question before the previous year's logbook is closed.
std::string closePreviousYearQuestion(int32_t previousYear);

// Creates the logbook of a file name that does not exist yet: the vehicle is the one whose plate or
// plate's file-name form equals the name part (none: raises "Es konnte kein Fahrzeug mit dem
// Kennzeichen '…' gefunden werden."). An existing logbook of the previous year is closed first
// (with a question when still open; No or a failed save gives nothing) and hands on its last
// valid trip's reading and destination as the start values (its own start values when it has no
// valid trip).
std::optional<CTwFahrtenbuchDoc> createLogbook(const std::string& path, const CTwFahrzDoc& vehicles,
                                               const LogbookEnvironment& environment);

// Closes a logbook for good and saves it; false (the logbook as it was) when the save failed.
bool closeLogbook(CTwFahrtenbuchDoc& logbook, const LogbookEnvironment& environment);

// The start values of the window ("Straße", "Ort", "Kilometerstand").
enum class StartField { None, Street, Place, Kilometres };

// One row of the trip list.
struct TripRow {
    std::string kind;       // "Art": the kind letter ("S" for cancelled)
    std::string start;      // "Start": start date + " " + start time
    std::string person;     // "nach": the shown person
    std::string location;   // "Ort": the location text
    std::string kilometres; // "Kilometerstand"
    std::string arrival;    // "Ankunft": end date + " " + end time
    bool cancelled = false;
};
// The row of a trip in a trip list (the logbook window's and the trip assistant's).
TripRow tripRow(const CFahrtDoc& trip);

enum class DeleteOutcome {
    Beep,      // nothing selected
    Refused,   // closed logbook or already cancelled: the message was shown
    Kept,      // the question was answered No
    Deleted,   // removed from the list
    Cancelled, // marked "Storno"
};

class LogbookWindow {
  public:
    // A logbook loaded from its file, or with newPath one just created (not yet on disk, changed,
    // written to newPath at its first save).
    LogbookWindow(CTwFahrtenbuchDoc logbook, std::string vehicleDescription, LogbookEnvironment environment,
                  std::string newPath = {});

    // Opens the logbook at path: the file when it exists (refused when the clock was turned back),
    // else a new logbook through createLogbook. Failures are shown; nothing then.
    static std::unique_ptr<LogbookWindow> open(const std::string& path, const LogbookEnvironment& environment);
    // The same with the vehicle file of the data directory already read by the caller.
    static std::unique_ptr<LogbookWindow> open(const std::string& path, const CTwFahrzDoc& vehicles,
                                               const LogbookEnvironment& environment);

    const CTwFahrtenbuchDoc& logbook() const { return logbook_; }
    const std::string& vehicleDescription() const { return description_; }
    bool isNew() const { return !pathForNew_.empty(); }
    bool changed() const { return changed_; }
    // Counts every change of the trip list (a print selection made before is then out of date).
    int32_t tripListRevision() const { return revision_; }

    // "01.01.<year>" and "31.12.<year>": the print range proposed.
    std::string printFrom() const;
    std::string printTo() const;

    std::vector<TripRow> rows() const;
    bool deletable(size_t index) const;

    // The start values as typed; editable only while the logbook has no trip and is open.
    bool startValuesEditable() const;
    std::string startText(StartField field) const;
    bool setStartText(StartField field, const std::string& text);
    // The first start value as typed that is missing ("Ort", "Straße", a "Kilometerstand" above 0);
    // StartField::None when all are there.
    StartField missingStartValue() const;
    // The first start value that is missing, shown; StartField::None when all are there (and then
    // taken into the logbook).
    StartField takeStartValues();

    // The dialog of the trip at index, or of a new trip after the last one (index == trips.size()).
    TripDialog tripDialog(size_t index) const;

    // "&Neue Fahrt...": refused when closed; before the first trip the start values are checked
    // (the field to focus is returned); OK of the dialog appends the trip.
    StartField newTrip(TripDialogRunner& runner);
    // Opens the trip (read-only when it is no longer deletable); OK takes it over and saves.
    bool editTrip(size_t index, TripDialogRunner& runner);
    // The delete command with its questions: delete a deletable trip, else offer to cancel it.
    DeleteOutcome deleteTrip(std::optional<size_t> index);

    // Without questions (for the command line); refused with the window's messages as LorvanError.
    void appendTrip(const CFahrtDoc& trip);
    void replaceTrip(size_t index, const CFahrtDoc& trip);
    void removeTrip(size_t index);
    void cancelTrip(size_t index);

    // Saves; a new logbook is refused when its file appeared meanwhile. False when not saved.
    bool save();
    // "&Speichern + Schliessen": without trips the start values first; then the save.
    bool saveAndClose();
    // Closing with unsaved changes: "Es wurde das Fahrtenbuch geändert. …" (yes / no / cancel).
    // False keeps the window open.
    bool close();

  private:
    void requireOpen() const;
    void touch();

    CTwFahrtenbuchDoc logbook_;
    std::string description_;
    bool changed_;
    int32_t revision_ = 0;
    LogbookEnvironment environment_;
    std::string startStreet_, startPlace_, startKilometres_;
    std::string pathForNew_; // set until a new logbook is first saved
};

} // namespace lorvan
