#pragma once

#include "cli/commands.h"
#include "entry/month_lock.h"
#include "foundation/datum.h"
#include "platform/clock.h"
#include "platform/prompter.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

// What the commands share: reading their arguments and input, and the rules of the data directory.
namespace lorvan::cli {

// A dialog's check run by a command: its message becomes the command's failure.
class RaisingPrompter final : public Prompter {
  public:
    void inform(const std::string& text) override;
    void warn(const std::string& text) override;
    void error(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    Answer askYesNoCancel(const std::string& text) override;
    bool askOkCancel(const std::string& text) override;
};

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
// A date DD.MM.YYYY; refused with "Falsches Datumsformat: <text>".
Datum dateArgument(const std::string& text);
// A month number 1-12 (with zeroAllowed also 0: no month given); refused with "Der Monat muss zwischen 1
// und 12 liegen: '<text>'".
int32_t monthArgument(const std::string& text, bool zeroAllowed = false);
// The month closing of the data directory's Lorvan.ini (and its temporary release).
MonthClosedRule monthClosedRule(const Options& options);
// Today: --today, else the system's date.
Datum today(const Options& options);
// Now: --today with its time of day (midnight without one), else the system's clock.
FixedClock commandClock(const Options& options);

} // namespace lorvan::cli
