#pragma once

#include <nlohmann/json.hpp>

// JSON form of the master files "Daten.mar", "Daten.kd" and "Daten.dl" for show and write.
namespace lorvan {
class CTwMaDoc;
class CTwKundenDoc;
class CTwDienstlDoc;
} // namespace lorvan

namespace lorvan::cli {

nlohmann::json employeeFileToJson(const CTwMaDoc& doc);
// Replaces the document's contents; missing keys keep the defaults of a new record, unknown keys
// and wrong types are refused with a LorvanError.
void employeeFileFromJson(const nlohmann::json& json, CTwMaDoc& doc);

nlohmann::json customerFileToJson(const CTwKundenDoc& doc);
void customerFileFromJson(const nlohmann::json& json, CTwKundenDoc& doc);

nlohmann::json serviceFileToJson(const CTwDienstlDoc& doc);
void serviceFileFromJson(const nlohmann::json& json, CTwDienstlDoc& doc);

} // namespace lorvan::cli
