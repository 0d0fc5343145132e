#pragma once

#include <nlohmann/json.hpp>

// JSON form of the settings record of a working-time year file (the "settings" object).
namespace lorvan {
class CEinstArbzt;
} // namespace lorvan

namespace lorvan::cli {

nlohmann::json settingsToJson(const CEinstArbzt& settings);
// Fills the record from the JSON object. Missing keys keep the record's values (the defaults of a
// new record); unknown keys, wrong types and period lists that are not ordered by from month
// (first period in January, months rising up to 12) are refused with a LorvanError, and the record
// then stays as it was. The last-period flags follow the order of the list: only the last period
// of each list has it. With orderChecked false only the first period must start in January and the
// months stay within 0-12 (0: none chosen); the order is then left to the settings dialog's checks.
void settingsFromJson(const nlohmann::json& json, CEinstArbzt& settings, bool orderChecked = true);

} // namespace lorvan::cli
