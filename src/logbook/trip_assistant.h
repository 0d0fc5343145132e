#pragma once

#include "foundation/datum.h"
#include "logbook/logbook_file.h"
#include "logbook/logbook_window.h"
#include "logbook/trip_check.h"
#include "logbook/vehicle_file.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The trip assistant "Übernahme der Fahrten ins Fahrtenbuch": the journeys of one day of a year file
// (its time lines of kind "Fahrt") become proposed logbook trips, per vehicle; the user reviews
// them, inserts missing trips, moves trips to another vehicle and transfers them into the logbook.
namespace lorvan {

class CLorvanDoc;
class CTagDoc;
class Clock;
class CustomerList;
class LogbookWordLists;
class Prompter;
class TripDialog;

// A trip proposed by the assistant. Index 0 marks a trip the user inserted by hand (a plain trip):
// it is deleted, not parked, when it leaves the list.
class CFahrtDocAssistent : public CFahrtDoc {
  public:
    int32_t index = 0;                            // 1-based among the day's travel lines
    std::optional<size_t> travelLine;             // list position of the "Fahrt" line in the day
    std::optional<size_t> destinationLine;        // the line after it, unless another "Fahrt" or none
    std::string vehicle;                          // "Fahrzeug" of the travel line (may be empty)
    double odometer = 0.0;                        // "Kilometerstand danach"
    double distance = 0.0;                        // "Gefahrene Kilometer"
    bool valid = true;                            // passed the entry checks in its place
    std::string problem;                          // the failed check's message when not valid

    bool madeFromTimeLine() const { return index > 0; }
};

inline constexpr const char* kCreateLogbookFirst =
    "Legen Sie erst über das Menü \"Datei\" - \"Fahrtenbuch\" ein Fahrtenbuch an.";
inline constexpr const char* kNoTravelLines =
    "Legen Sie erst Zeiten mit der Art = \"Fahrt\" an, die dann an ein Fahrtenbuch übergeben werden können.";
inline constexpr const char* kEntryTooLate =
    "Fahrtenbuch-Einträge dürfen maximal einen Monat nach der Fahrt erfasst werden, um die "
    "Ordnungsmäßigkeit für das Finanzamt sicherzustellen.";
inline constexpr const char* kOnlyTripOfVehicle =
    "Wenn keine Fahrt mit diesem Fahrzeug ausgeführt wurde, wechseln Sie bitte das Fahrzeug.";
inline constexpr const char* kLogbookClosedForTransfer =
    "Das Fahrtenbuch für dieses Fahrzeug und dieses Jahr ist abgeschlossen und kann nicht mehr geändert werden.";
inline constexpr const char* kNoVehicleForRest =
    "Es existiert kein Fahrzeug mit Fahrtenbuch um die restlichen Fahrten zuzuordnen.\n\n"
    "Legen Sie erst über das Menü \"Datei\" - \"Fahrtenbuch\" ein Fahrtenbuch an.";
// "Legen Sie für das Fahrzeug <plate> erst über das Menü ... an."
std::string createLogbookForVehicleMessage(const std::string& plate);

// The preset rule: nothing for a customer visit that has an address already; else the preset whose
// kind equals the trip's person fills street and place when both are empty, and its purpose (when
// set) replaces the trip's.
void applyPreset(CFahrtDoc& trip, const CTwFahrzDoc& vehicles);
// Fills a trip from one preset: street and place when both are empty, the purpose when it is set.
void fillFromPreset(CFahrtDoc& trip, const CFahrtVorbData& preset);
// Moves a trip's reading when the reading before it changed from oldPrevious to newPrevious.
void adjustToPrevious(CFahrtDocAssistent& trip, double newPrevious, double oldPrevious);

// "Letzte erfasste Fahrt mit diesem Fahrzeug".
struct LogbookEndDisplay {
    std::string at;         // "am": the time span of the last valid trip, empty without one
    std::string kilometres; // its reading, else the start reading
    std::string street;     // "nach Straße"
    std::string place;      // "Ort"
};

struct TripAssistantServices {
    Prompter* prompter = nullptr; // required
    const Clock* clock = nullptr; // required
    std::string dataDirectory;    // "Daten.fz" and the logbooks
    CustomerList* customers = nullptr; // for customer numbers; may be null
    LogbookWordLists* words = nullptr; // extended by the trip dialog; may be null
    // The trip dialog "Fahrtenbuch-Eintrag": true for OK (its confirm passed). Empty: cancelled.
    std::function<bool(TripDialog& dialog)> editTrip;
    // The presets dialog "Vorbesetzungen festlegen". Empty: nothing opens.
    std::function<void()> editPresets;
    // Saves the logbook after a transfer; false when it was not written (the failure was shown).
    // Empty: the document storage with its change check, through the prompter.
    std::function<bool(CTwFahrtenbuchDoc& logbook)> saveLogbook;
};

// What the window does after a command.
enum class AssistantStep {
    Stay,        // the window stays as it is
    NoSelection, // nothing selected: a warning beep
    Close,       // the window closes
};

class TripAssistant {
  public:
    // The day must belong to a month of a year file.
    TripAssistant(const CTagDoc& day, TripAssistantServices services);
    ~TripAssistant();

    // The opening sequence; false when it refused (its message was shown) and the window closes.
    bool open();

    // "Tag": "07.03.2026 (Samstag)".
    std::string dayTitle() const;
    int32_t year() const { return date_.year; }
    const Datum& date() const { return date_; }
    // "Fahrzeug": the plates to choose from, and the current one.
    const std::vector<std::string>& vehicleChoice() const { return vehicleChoice_; }
    const std::string& currentVehicle() const { return current_; }
    LogbookEndDisplay logbookEnd() const;
    const CTwFahrtenbuchDoc* logbook() const { return logbook_.get(); }

    const std::vector<CFahrtDocAssistent>& trips() const { return list_; }
    const std::map<int32_t, CFahrtDocAssistent>& parkedTrips() const { return parked_; }
    // The rows of the list (the columns of the logbook window); trips()[i].valid tells the icon.
    std::vector<TripRow> rows() const;
    int selected() const { return selected_; }
    void select(int index);

    // "Neue Fahrt da&vor einfügen..." / "&Neue Fahrt danach einfügen...".
    AssistantStep insertTrip(bool after);
    // Double click, Enter or "Aktuell ausgewählten &Eintrag öffnen...".
    AssistantStep editTrip(int index);
    // "Ausgewäh&lte Fahrt wurde nicht mit diesem Fahrzeug ausgeführt" (and the Delete key).
    AssistantStep removeTrip(int index);
    // "Fahrzeug": regroups the trips for the vehicle and loads its logbook; a vehicle without
    // logbook keeps the previous one.
    void changeVehicle(const std::string& plate);
    // "Vor&besetzungen erfassen...": the presets dialog, then the presets again on every trip.
    void editPresets();
    // "Fahrten für dieses Fahrzeug in&s Fahrtenbuch übernehmen".
    AssistantStep transfer();

    // Recomputes readings and validity from the list trip at index on (see recomputeFrom in the
    // source); public for the tests of the rule.
    void recomputeFrom(size_t index, double oldPrevious);
    // The reading the list trip at index follows: the trip before it, the logbook's last valid trip,
    // else the logbook's start reading.
    double previousKilometres(size_t index) const;

  private:
    struct Chain;
    CFahrtDocAssistent makeTrip(size_t travel, std::optional<size_t> destination) const;
    void readPresets();
    void buildTrips();
    // Trips without vehicle or with the current one join the list (the first vehicle met becomes
    // the current one when there is none); others stay parked.
    void distribute();
    void regroup(const std::string& plate);
    bool loadLogbook();
    void linkAll();
    bool checkInPlace(CFahrtDocAssistent& trip, size_t index);
    TripCheckContext checkContext(size_t index) const;
    std::vector<const CFahrtDoc*> earlierTrips(size_t index) const;
    // The trip before list position index: the list's, else the logbook's last trip.
    const CFahrtDoc* tripBefore(size_t index) const;
    bool previousIsValid(size_t index) const;
    bool runDialog(CFahrtDocAssistent& trip, size_t index);
    void reduceToVehiclesWithLogbook();

    const CTagDoc& day_;
    TripAssistantServices services_;
    Datum date_;
    std::string driver_;
    CTwFahrzDoc vehicles_;
    bool vehiclesRead_ = false;
    std::vector<std::string> vehicleChoice_;
    std::string current_;
    std::unique_ptr<CTwFahrtenbuchDoc> logbook_;
    std::vector<CFahrtDocAssistent> list_;
    std::map<int32_t, CFahrtDocAssistent> parked_;
    int selected_ = -1;
};

} // namespace lorvan
