#pragma once

#include "logbook/logbook_window.h"
#include "logbook/vehicle_file.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// "Fahrzeuge verwalten" as a model: the vehicles of "Daten.fz" with their descriptions, the year
// field, new, edit and delete of a vehicle, opening a vehicle's logbook, saving and closing.
namespace lorvan {

// Runs "Fahrzeug bearbeiten" on the vehicle: true for OK with the fields taken into it.
class VehicleDialogRunner {
  public:
    virtual ~VehicleDialogRunner() = default;
    virtual bool run(CFahrzDoc& vehicle) = 0;
};

inline constexpr const char* kPlateMissing = "Geben Sie das Amtliche Kennzeichen ein.";
inline constexpr const char* kPlateFixedByLogbook =
    "Das Kennzeichen des Fahrzeugs kann nach Erstellen eines Fahrtenbuchs nicht mehr geändert werden.";
inline constexpr const char* kNewLogbookOnlyThisYear =
    "Neue Fahrtenbücher können nur für das aktuelle Jahr angelegt werden.";
// "Es existiert schon ein Fahrzeug mit dem Amtlichen Kennzeichen '%s'."
std::string plateTakenMessage(const std::string& plate);
// Two plates whose logbooks would share their file names.
std::string plateFileNameClashMessage(const std::string& plate, const std::string& otherPlate);

// Why a plate cannot be filed (empty, taken, or the file-name form empty or taken ignoring case);
// empty when it can. exceptPlate is the vehicle being edited.
std::string plateProblem(const CTwFahrzDoc& vehicles, const std::string& plate, const std::string& exceptPlate);

// The first vehicle of a whole file whose plate cannot be filed there (for writers that replace the
// file); empty when every plate can.
std::string vehicleFileProblem(const CTwFahrzDoc& vehicles);

// Whether a logbook of the plate exists in the data directory (a file <form><year>.fb, the form
// compared without regard to letter case).
bool hasLogbookFiles(const std::string& dataDirectory, const std::string& plate);

enum class VehicleListField { None, List, Year };

class VehicleList {
  public:
    // The vehicle file of the data directory (a missing one is empty and written at the first
    // save); the year field starts at the current year. Raises the unreadable-file message.
    explicit VehicleList(LogbookEnvironment environment);

    const CTwFahrzDoc& file() const { return file_; }
    const std::string& path() const { return path_; }
    bool changed() const { return changed_; }

    // The rows: plate and description in file order.
    std::vector<CFahrzDoc> rows() const;

    int32_t year() const { return year_; }
    void setYear(int32_t year) { year_ = year; }

    // New vehicle: the dialog until its plate can be filed or it is cancelled; true when added.
    bool newVehicle(VehicleDialogRunner& runner);
    // Edit vehicle: a plate change is refused once a logbook of the old plate exists (the
    // description change stays); the file is saved at once. True when something was taken over.
    bool editVehicle(const std::string& plate, VehicleDialogRunner& runner);
    // The plate of the vehicle the last successful newVehicle or editVehicle took over (after an
    // edit whose plate change was refused, the old plate).
    const std::string& lastPlate() const { return lastPlate_; }
    // "Soll '<plate>' gelöscht werden?"; the vehicle's logbooks stay on disk.
    bool deleteVehicle(const std::string& plate);

    // Saves the vehicle file, then gives the path of the vehicle's logbook of the year field; a
    // logbook that does not exist yet only for the current year (else the message, focus Year).
    struct LogbookChoice {
        std::string path;
        VehicleListField focus = VehicleListField::None;
    };
    LogbookChoice chooseLogbook(const std::string& plate);

    bool save();
    bool saveAndClose() { return save(); }
    // "Es wurden die Einstellungen zum Fahrtenbuch geändert. …" (yes / no / cancel) with unsaved
    // changes; false keeps the window open.
    bool close();

  private:
    LogbookEnvironment environment_;
    std::string path_;
    CTwFahrzDocAz file_;
    int32_t year_ = 0;
    bool changed_ = false;
    std::string lastPlate_;
};

} // namespace lorvan
