#include "cli/record_commands.h"

#include "foundation/error.h"
#include "foundation/file_io.h"

#include <istream>
#include <iterator>
#include <ostream>

namespace lorvan::cli {

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

} // namespace lorvan::cli
