#pragma once

#include <nlohmann/json.hpp>

#include <initializer_list>
#include <string>

// JSON form of a working-time year file (".azr") for show and write.
namespace lorvan {
class CLorvanDoc;
class CTagDoc;
class CZeitZeile;
} // namespace lorvan

namespace lorvan::cli {

// Months and days as arrays in number order, each with its "number"; "duration_text" is derived.
nlohmann::json yearFileToJson(const CLorvanDoc& doc);
// The same text as yearFileToJson(doc).dump(2), appended to out without building the tree (show).
void writeYearFileJson(const CLorvanDoc& doc, std::string& out);
// Replaces the document's contents (on failure the document stays as it was). Missing keys keep the
// defaults of a new record (a new time line takes its cost kind from the settings); unknown keys,
// wrong types, missing or impossible month and day numbers are refused with a LorvanError;
// "duration_text" is ignored and rebuilt from "duration".
void yearFileFromJson(const nlohmann::json& json, CLorvanDoc& doc);

// One time line as the year file's form holds it.
nlohmann::json timeLineToJson(const CZeitZeile& line);
// One day as the year file's form holds it: "number", the day's fields and "time_lines".
nlohmann::json dayToJson(const CTagDoc& day);
// The fields and time lines of a day object replace those of day (the day keeps its number and its
// place in the month; "number" and the ignored keys are skipped). The same refusals as above; on
// failure the day stays as it was.
void dayFromJson(const nlohmann::json& json, CTagDoc& day, std::initializer_list<const char*> ignoredKeys = {});

} // namespace lorvan::cli
