#pragma once

#include <nlohmann/json.hpp>

#include <string>

// JSON form of the vehicle file "Daten.fz" and of the yearly logbooks ".fb" for show and write.
namespace lorvan {
class CTwFahrzDoc;
class CTwFahrtenbuchDoc;
class CFahrzDoc;
class CFahrtDoc;
} // namespace lorvan

namespace lorvan::cli {

nlohmann::json vehicleFileToJson(const CTwFahrzDoc& doc);
// Replaces the document's contents; unknown keys and wrong types are refused with a LorvanError.
void vehicleFileFromJson(const nlohmann::json& json, CTwFahrzDoc& doc);
nlohmann::json logbookToJson(const CTwFahrtenbuchDoc& doc);
void logbookFromJson(const nlohmann::json& json, CTwFahrtenbuchDoc& doc);

// One vehicle; the keys that are there go into the record.
nlohmann::json vehicleToJson(const CFahrzDoc& vehicle);
void vehicleFromJson(const nlohmann::json& json, CFahrzDoc& vehicle, const std::string& context);
// One trip with every stored field ("created" as days since 30.12.1899, "created_text" derived).
nlohmann::json tripToJson(const CFahrtDoc& trip);
// The fields a user types into "Fahrtenbuch-Eintrag" (kind, person, purpose, driver, kilometres,
// place, street, the dates and times); the others are refused.
void typedTripFromJson(const nlohmann::json& json, CFahrtDoc& trip, const std::string& context);

} // namespace lorvan::cli
