#include "app/recent_files.h"

#include "platform/user_store.h"
#include "foundation/format.h"
#include "foundation/text_encoding.h"

#include <algorithm>
#include <map>

namespace lorvan {
namespace {

std::string entryName(size_t index) {
    return format("File%zu", index + 1);
}

bool samePath(const std::string& a, const std::string& b) {
    return toUpperCp1252(a) == toUpperCp1252(b);
}

} // namespace

RecentFileList::RecentFileList(UserStore& store) : store_(store) {
    const std::map<std::string, std::string> stored = store_.readSection(kRecentFileSection);
    for (size_t i = 0; i < kSize; ++i) {
        std::string path = entryOf(stored, entryName(i));
        if (path.empty()) continue;
        const bool known = std::any_of(entries_.begin(), entries_.end(),
                                       [&](const std::string& entry) { return samePath(entry, path); });
        if (!known) entries_.push_back(std::move(path));
    }
}

void RecentFileList::addPath(const std::string& path) {
    if (path.empty()) return;
    std::erase_if(entries_, [&](const std::string& entry) { return samePath(entry, path); });
    entries_.insert(entries_.begin(), path);
    if (entries_.size() > kSize) entries_.resize(kSize);
    save();
}

void RecentFileList::removePath(const std::string& path) {
    if (std::erase_if(entries_, [&](const std::string& entry) { return samePath(entry, path); }) > 0) save();
}

void RecentFileList::renamePath(const std::string& oldPath, const std::string& newPath) {
    const auto renamed = std::find_if(entries_.begin(), entries_.end(),
                                      [&](const std::string& entry) { return samePath(entry, oldPath); });
    if (renamed == entries_.end()) return;
    *renamed = newPath;
    // The new name may stand elsewhere in the list already; the renamed entry keeps its place.
    const size_t keep = static_cast<size_t>(renamed - entries_.begin());
    for (size_t i = entries_.size(); i-- > 0;)
        if (i != keep && samePath(entries_[i], newPath))
            entries_.erase(entries_.begin() + static_cast<long>(i));
    save();
}

void RecentFileList::save() {
    std::map<std::string, std::string> values;
    for (size_t i = 0; i < kSize; ++i)
        values[entryName(i)] = i < entries_.size() ? entries_[i] : "";
    // The list is a convenience: a store that cannot be written leaves it as it is in memory.
    store_.writeStrings(kRecentFileSection, values);
}

} // namespace lorvan
