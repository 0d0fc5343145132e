#include "cli/record_commands.h"

#include "foundation/calendar.h"
#include "foundation/error.h"
#include "foundation/file_io.h"
#include "platform/clock.h"

#include <istream>
#include <iterator>
#include <ostream>

namespace lorvan::cli {

void RaisingPrompter::inform(const std::string& text) {
    throw LorvanError(text);
}
void RaisingPrompter::warn(const std::string& text) {
    throw LorvanError(text);
}
void RaisingPrompter::error(const std::string& text) {
    throw LorvanError(text);
}
bool RaisingPrompter::askYesNo(const std::string& text) {
    throw LorvanError(text);
}
Answer RaisingPrompter::askYesNoCancel(const std::string& text) {
    throw LorvanError(text);
}
bool RaisingPrompter::askOkCancel(const std::string& text) {
    throw LorvanError(text);
}

const std::string& requireDataDirectory(const Options& options, const char* command) {
    if (options.dataDirectory.empty())
        throw LorvanError(std::string(command) + ": Es ist kein Datenverzeichnis festgelegt (--data VERZ).");
    return options.dataDirectory;
}

nlohmann::json readJsonInput(std::istream& in) {
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    try {
        return nlohmann::json::parse(text);
    } catch (const nlohmann::json::parse_error& e) {
        throw LorvanError(std::string("Die Eingabe ist kein gültiges JSON: ") + e.what());
    }
}

void writeProtocol(const Options& options, const std::string& protocol, std::ostream& out) {
    if (options.protocolFile.empty())
        out << protocol;
    else
        writeFileAtomically(options.protocolFile, protocol);
}

std::string textTooLongMessage(const char* label, size_t maxLength) {
    return "Der Text für '" + std::string(label) + "' ist zu lang (höchstens " + std::to_string(maxLength) +
           " Zeichen).";
}

void expectArguments(const std::vector<std::string>& args, size_t count, const std::string& usage) {
    if (args.size() != count) throw LorvanError("Aufruf: " + usage);
}

Datum dateArgument(const std::string& text) {
    const ParsedDate parsed = parseDate(text);
    if (!parsed.valid || parsed.day == 0 || parsed.month == 0) throw LorvanError("Falsches Datumsformat: " + text);
    return Datum{parsed.day, parsed.month, parsed.year};
}

int32_t monthArgument(const std::string& text, bool zeroAllowed) {
    const bool digits =
        !text.empty() && text.size() <= 2 && text.find_first_not_of("0123456789") == std::string::npos;
    const int32_t month = digits ? std::stoi(text) : -1;
    if (month < (zeroAllowed ? 0 : 1) || month > 12)
        throw LorvanError("Der Monat muss zwischen 1 und 12 liegen: '" + text + "'");
    return month;
}

MonthClosedRule monthClosedRule(const Options& options) {
    const ProgramSettings settings = options.settings;
    return [settings](int32_t month, int32_t year) { return isMonthClosed(settings, month, year); };
}

Datum today(const Options& options) {
    return options.today ? *options.today : SystemClock().today();
}

FixedClock commandClock(const Options& options) {
    const ClockTime now = options.today ? ClockTime{*options.today, options.todayMinutes} : SystemClock().now();
    return FixedClock(now.date, now.minutes);
}

} // namespace lorvan::cli
