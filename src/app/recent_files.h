#pragma once

#include "yearfile/document_base.h"

#include <string>
#include <vector>

namespace lorvan {

class UserStore;

// The last opened files, most recent first, shown under "Letzte Datei" in the "&Datei" menu. Paths
// are compared without regard to letter case. Kept in the per-user store, section
// "Recent File List" with the entries "File1" ... "File10"; every change is written back at once.
class RecentFileList final : public RecentFiles {
  public:
    static constexpr size_t kSize = 10;

    // Loads the list from the store (empty entries are skipped).
    explicit RecentFileList(UserStore& store);

    const std::vector<std::string>& entries() const { return entries_; }

    // Puts the path at the top; an equal entry further down goes away.
    void addPath(const std::string& path) override;
    // A file deleted elsewhere in the program leaves the list.
    void removePath(const std::string& path) override;
    // A file renamed elsewhere in the program keeps its place under its new name.
    void renamePath(const std::string& oldPath, const std::string& newPath) override;

  private:
    void save();
    UserStore& store_;
    std::vector<std::string> entries_;
};

inline constexpr const char* kRecentFileSection = "Recent File List";

} // namespace lorvan
