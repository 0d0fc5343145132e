#include "cli/data_directory.h"

#include "platform/user_store.h"
#include "foundation/file_system.h"

namespace lorvan::cli {

std::string findDataDirectory(const std::string& dataOption, const UserStore& store) {
    if (!dataOption.empty()) return dataOption;
    const std::string stored = store.readString(kStoreSettings, kStoreDataPath, kDataPathNotSet);
    if (stored.empty() || stored == kDataPathNotSet || !directoryExists(stored)) return {};
    return stored;
}

void prepareDataDirectory(Options& options, const UserStore& store) {
    options.dataDirectory = findDataDirectory(options.dataDirectory, store);
    if (!options.dataDirectory.empty()) loadSettings(options.settings, options.dataDirectory, true, store);
}

} // namespace lorvan::cli
