#pragma once

#include <map>
#include <string>

namespace lorvan {

// The entry of a section read at once, or defaultValue when it is missing.
std::string entryOf(const std::map<std::string, std::string>& section, const std::string& entry,
                    const std::string& defaultValue = {});

// The per-user settings store: sections of named text values (the data directory, window sizes,
// the recent files and the last choices of dialogs).
class UserStore {
  public:
    virtual ~UserStore() = default;
    // All entries of the section at once; empty when the section is missing or cannot be read.
    virtual std::map<std::string, std::string> readSection(const std::string& section) const = 0;
    // The value, or defaultValue when the section or the entry is missing.
    std::string readString(const std::string& section, const std::string& entry,
                           const std::string& defaultValue) const {
        return entryOf(readSection(section), entry, defaultValue);
    }
    // False when the value could not be stored; lastError() then says why.
    virtual bool writeString(const std::string& section, const std::string& entry,
                             const std::string& value) = 0;
    // Several entries of one section at once; the other entries of the section stay.
    virtual bool writeStrings(const std::string& section, const std::map<std::string, std::string>& values);
    virtual std::string lastError() const { return {}; }
};

// The store as an INI file in UTF-8, one INI section per section; each write rewrites the file
// crash-safely. Missing folders above the file are created on the first write.
class IniUserStore final : public UserStore {
  public:
    explicit IniUserStore(std::string path);

    // $XDG_CONFIG_HOME/TwApps/Lorvan.conf; without XDG_CONFIG_HOME (or when it is not absolute)
    // home + "/.config/TwApps/Lorvan.conf".
    static std::string defaultPath(const std::string& xdgConfigHome, const std::string& home);
    // defaultPath from this process's environment.
    static std::string defaultPathOfProcess();

    const std::string& path() const { return path_; }

    std::map<std::string, std::string> readSection(const std::string& section) const override;
    bool writeString(const std::string& section, const std::string& entry, const std::string& value) override;
    bool writeStrings(const std::string& section, const std::map<std::string, std::string>& values) override;
    std::string lastError() const override { return lastError_; }

  private:
    std::string path_;
    std::string lastError_;
};

// Sections and entries of the store.
inline constexpr const char* kStoreSettings = "Settings";
inline constexpr const char* kStoreDataPath = "DataPath";
// The value read for "DataPath" when no data directory was chosen yet.
inline constexpr const char* kDataPathNotSet = "NV";

// "WindowSize%ld" with the view number; entries "Width" and "High".
std::string windowSizeSection(long viewNumber);
inline constexpr const char* kStoreWidth = "Width";
inline constexpr const char* kStoreHeight = "High";

} // namespace lorvan
