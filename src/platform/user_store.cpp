#include "platform/user_store.h"

#include "foundation/error.h"
#include "foundation/file_system.h"
#include "foundation/format.h"
#include "foundation/ini_file.h"

#include <cstdlib>

namespace lorvan {

IniUserStore::IniUserStore(std::string path) : path_(std::move(path)) {}

std::string IniUserStore::defaultPath(const std::string& xdgConfigHome, const std::string& home) {
    // The XDG rules ignore a relative XDG_CONFIG_HOME.
    const std::string base = !xdgConfigHome.empty() && xdgConfigHome.front() == '/'
                                 ? xdgConfigHome
                                 : withSeparator(home, true) + ".config";
    return withSeparator(base, true) + "TwApps/Lorvan.conf";
}

std::string IniUserStore::defaultPathOfProcess() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    return defaultPath(xdg ? xdg : "", UserEnvironment::ofProcess().home);
}

std::string entryOf(const std::map<std::string, std::string>& section, const std::string& entry,
                    const std::string& defaultValue) {
    const auto it = section.find(entry);
    return it == section.end() ? defaultValue : it->second;
}

std::map<std::string, std::string> IniUserStore::readSection(const std::string& section) const {
    IniFile file(path_);
    file.setUtf8();
    IniSection values;
    try {
        if (!file.readSection(section, values)) return {};
    } catch (const LorvanError&) {
        return {};
    }
    return values;
}

bool UserStore::writeStrings(const std::string& section, const std::map<std::string, std::string>& values) {
    for (const auto& [entry, value] : values)
        if (!writeString(section, entry, value)) return false;
    return true;
}

bool IniUserStore::writeString(const std::string& section, const std::string& entry,
                               const std::string& value) {
    return writeStrings(section, {{entry, value}});
}

bool IniUserStore::writeStrings(const std::string& section,
                                const std::map<std::string, std::string>& newValues) {
    lastError_.clear();
    if (!createDirectoryPath(directoryOfPath(path_, false), lastError_, "")) return false;
    IniFile file(path_);
    file.setUtf8();
    IniSection values;
    try {
        file.readSection(section, values);
    } catch (const LorvanError& e) {
        lastError_ = e.what();
        return false;
    }
    if (!file.messageText().empty()) {
        lastError_ = file.fullErrorText();
        return false;
    }
    for (const auto& [entry, value] : newValues)
        values[entry] = value;
    if (!file.writeSection(section, values)) {
        lastError_ = file.fullErrorText();
        return false;
    }
    return true;
}

std::string windowSizeSection(long viewNumber) {
    return format("WindowSize%ld", viewNumber);
}

} // namespace lorvan
