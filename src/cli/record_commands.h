#pragma once

#include "cli/commands.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

// What the commands on the customer and service files share.
namespace lorvan::cli {

// The data directory; refused when there is none.
const std::string& requireDataDirectory(const Options& options, const char* command);
// The whole standard input as JSON; refused when it is not JSON.
nlohmann::json readJsonInput(std::istream& in);
// The protocol of a search: into --protocol (replacing that file), else after the result on out.
void writeProtocol(const Options& options, const std::string& protocol, std::ostream& out);
// A text longer than its field takes: "Der Text für 'Name' ist zu lang (höchstens 100 Zeichen)."
std::string textTooLongMessage(const char* label, size_t maxLength);
// Refuses a call with another number of arguments than expected, naming the right one.
void expectArguments(const std::vector<std::string>& args, size_t count, const std::string& usage);

} // namespace lorvan::cli
