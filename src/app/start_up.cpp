#include "app/start_up.h"

#include "app/application.h"
#include "app/document_kinds.h"
#include "platform/user_store.h"
#include "foundation/file_system.h"
#include "platform/prompter.h"

#include <cctype>

namespace lorvan {
namespace {

bool startsWithBuildName(const std::string& text) {
    static constexpr std::string_view name = "BRAXTEL";
    if (text.size() < name.size()) return false;
    for (size_t k = 0; k < name.size(); ++k)
        if (std::toupper(static_cast<unsigned char>(text[k])) != name[k]) return false;
    return true;
}

} // namespace

// ASCII only: the offsets of the argument and of its upper-case form are the same.
size_t findBuildKey(const std::string& argument) {
    static constexpr std::string_view key = "BUILD=";
    for (size_t i = 0; i + key.size() <= argument.size(); ++i) {
        bool equal = true;
        for (size_t k = 0; k < key.size() && equal; ++k)
            equal = std::toupper(static_cast<unsigned char>(argument[i + k])) == key[k];
        if (equal) return i;
    }
    return std::string::npos;
}

bool parseBuildSwitch(const std::vector<std::string>& arguments, Prompter& prompter) {
    bool on = false;
    for (const std::string& argument : arguments) {
        const size_t at = findBuildKey(argument);
        if (at == std::string::npos) continue;
        const std::string text = argument.substr(at + 6);
        if (startsWithBuildName(text))
            on = true;
        else
            prompter.error("Unbekannter Build-Parameter: '" + text + "'");
    }
    return on;
}

bool runStartUp(CLorvanApp& app, const std::vector<std::string>& arguments, StartUpHost& host) {
    if (parseBuildSwitch(arguments, app.prompter())) app.setBuildSwitch(true);

    const std::string stored = app.store().readString(kStoreSettings, kStoreDataPath, kDataPathNotSet);
    const bool valid = stored != kDataPathNotSet && !stored.empty() && directoryExists(stored);
    app.setDataDirectory(valid ? stored : std::string());
    app.loadSettings(app.dataDirectory(), true);

    if (!valid) {
        // The general settings dialog proposes a directory ("NV") or offers to create the stored one.
        app.setDataDirectory(stored.empty() ? std::string(kDataPathNotSet) : stored);
        return host.runGeneralSettings(app);
    }
    host.openWorkArea(app.openWorkArea(kViewEmployees, true));
    return true;
}

} // namespace lorvan
