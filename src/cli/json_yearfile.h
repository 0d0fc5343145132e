#pragma once

#include <nlohmann/json.hpp>

// JSON form of a working-time year file (".azr") for show and write.
namespace lorvan {
class CLorvanDoc;
} // namespace lorvan

namespace lorvan::cli {

// Months and days as arrays in number order, each with its "number"; "duration_text" is derived.
nlohmann::json yearFileToJson(const CLorvanDoc& doc);
// Replaces the document's contents (on failure the document stays as it was). Missing keys keep the
// defaults of a new record (a new time line takes its cost kind from the settings); unknown keys,
// wrong types, missing or impossible month and day numbers are refused with a LorvanError;
// "duration_text" is ignored and rebuilt from "duration".
void yearFileFromJson(const nlohmann::json& json, CLorvanDoc& doc);

} // namespace lorvan::cli
