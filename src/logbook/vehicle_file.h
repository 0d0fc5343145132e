#pragma once

#include "yearfile/document_base.h"
#include "yearfile/settings.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// The vehicle file "Daten.fz": the company's vehicles and the presets of the trip assistant.
namespace lorvan {

// One vehicle; the plate is its key.
class CFahrzDoc {
  public:
    std::string plate;       // "Amtliches Kennzeichen"
    std::string description; // "Beschreibung des Fahrzeugs in der Liste"
    friend bool operator==(const CFahrzDoc&, const CFahrzDoc&) = default;
};

// A preset of the trip assistant: what a trip to a destination of this kind gets filled in.
class CFahrtVorbData {
  public:
    std::string kind; // "Art", the key (exact text)
    std::string street;
    std::string place;
    std::string purpose;
    friend bool operator==(const CFahrtVorbData&, const CFahrtVorbData&) = default;
};

// The file-name form of a plate: blanks become "_", umlauts and "ß" are spelt out, every other
// character that is not a letter A-Z/a-z, a digit or "_" is dropped ("AB-CD 123" -> "ABCD_123").
std::string plateFileNameForm(std::string_view plate);

// Refuses a plate whose file-name form has no letter or digit: its logbooks would be named by the
// year (and underscores) alone.
inline constexpr const char* kPlateWithoutFileName =
    "Das Amtliche Kennzeichen muss mindestens einen Buchstaben oder eine Ziffer enthalten.";

class CTwFahrzDoc : public CTwDocBase {
  public:
    static constexpr int32_t kCurrentVersion = 3;
    static constexpr const char* kFileName = "Daten.fz";

    // By plate in byte order; key and plate always agree.
    std::map<std::string, CFahrzDoc, Cp1252Less> vehicles;
    // By kind in byte order; key and kind always agree.
    std::map<std::string, CFahrtVorbData, Cp1252Less> presets;

    int32_t currentVersion() const override { return kCurrentVersion; }

    // The first vehicle whose plate, or whose plate's file-name form, equals the text; nullptr when
    // there is none.
    const CFahrzDoc* findVehicle(std::string_view text) const;
    const CFahrzDoc* findByPlate(std::string_view plate) const;
    // Another vehicle (not the one filed under exceptPlate) whose plate's file-name form equals that
    // of the plate, letter case ignored: the two would share their logbook files.
    const CFahrzDoc* fileNameClash(std::string_view plate, std::string_view exceptPlate) const;
    void put(const CFahrzDoc& vehicle) { vehicles[vehicle.plate] = vehicle; }
    bool remove(const std::string& plate) { return vehicles.erase(plate) > 0; }

    const CFahrtVorbData* findPreset(std::string_view kind) const;
    void putPreset(const CFahrtVorbData& preset) { presets[preset.kind] = preset; }

    // The plates in file order.
    std::vector<std::string> plates() const;

  protected:
    void store(ArchiveWriter& ar) const override;
    int32_t load(ArchiveReader& ar) override;
    void clear() override;
};

// The vehicle file as the application opens it (the document kind of "Fahrzeuge verwalten").
class CTwFahrzDocAz : public CTwFahrzDoc {};

// The data directory (a "/" added when missing) + "Daten.fz".
std::string vehicleFilePath(const std::string& dataDirectory);

} // namespace lorvan
