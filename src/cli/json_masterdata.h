#pragma once

#include <nlohmann/json.hpp>

// JSON form of the master files "Daten.mar", "Daten.kd" and "Daten.dl" for show and write.
namespace lorvan {
class CTwMaDoc;
class CTwKundenDoc;
class CTwDienstlDoc;
class CKundeDoc;
class CDienstlDoc;
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

// One customer or service as it stands in its file's JSON. Reading takes the keys that are there
// into the record and leaves the others as they are; unknown keys and wrong types are refused
// (context names the object in the message).
nlohmann::json customerToJson(const CKundeDoc& customer);
void customerFromJson(const nlohmann::json& json, CKundeDoc& customer, const std::string& context);
nlohmann::json serviceToJson(const CDienstlDoc& service);
void serviceFromJson(const nlohmann::json& json, CDienstlDoc& service, const std::string& context);

} // namespace lorvan::cli
