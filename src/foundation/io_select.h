#pragma once

#include <string>
#include <vector>
#include <utility>

// What the file and directory selection shows and how it turns the user's choice into a path. The
// desktop dialog maps its widgets to this class; everything here works without a screen.
namespace lorvan {

enum class IoSelectMode : int {
    SelectFile = 0,      // "auswählen", only existing files
    DefineFile = 1,      // "festlegen"
    OpenFile = 2,        // "öffnen", only existing files
    SaveFile = 3,        // "speichern", a save dialog
    SelectDirectory = 4, // "festlegen", lists no files and takes the folder shown
};

// One entry of the file type list: the text shown and the patterns it filters by (";"-separated).
struct FileTypeFilter {
    std::string label;
    std::string patterns;
    friend bool operator==(const FileTypeFilter&, const FileTypeFilter&) = default;
};

class IoSelect {
  public:
    // The proposal is the path offered at the start; relative parts are taken from the initial
    // directory.
    IoSelect(IoSelectMode mode, std::string proposal, std::string titleBase, std::string initialDirectory);

    IoSelectMode mode() const { return mode_; }
    // The title base + " " + the mode's verb, e.g. "Datenverzeichnis festlegen"; a title set with
    // setTitle instead.
    std::string title() const;
    void setTitle(std::string exactTitle) { exactTitle_ = std::move(exactTitle); }
    std::string confirmButtonText() const;

    // Patterns that neither begin with "*" nor contain "." are bare extensions ("azr; txt"), each
    // trimmed and turned into "*.azr". The entry shows name + " (" + patterns + ")".
    void addFilter(const std::string& name, const std::string& patterns);
    // "Alle Dateien (*.*)" after the own entries; on by default, always there without own entries.
    void setAllFilesEntry(bool shown) { allFilesEntry_ = shown; }
    // The type list in order; for a directory selection only "Keine Dateien", matching no name.
    std::vector<FileTypeFilter> filters() const;

    // A leading "*." is dropped ("*.azr" -> "azr").
    void setDefaultExtension(const std::string& extension);
    const std::string& defaultExtension() const { return defaultExtension_; }
    // The typed name with "." + the default extension when its file name has no extension (the
    // name unchanged for a directory selection).
    std::string withDefaultExtension(const std::string& typedName) const;

    struct StartPlace {
        std::string directory; // with trailing "/"
        std::string fileName;  // the proposed name; empty for a directory selection
    };
    // Where the dialog opens: the nearest existing directory of the proposal (made absolute against
    // the initial directory), else the initial directory, else the current directory.
    StartPlace startPlace(const std::string& currentDirectory) const;

    bool acceptsOnlyExistingFiles() const;
    bool asksBeforeOverwriting() const;
    bool isSaveDialog() const { return mode_ == IoSelectMode::SaveFile; }
    bool listsFiles() const { return mode_ != IoSelectMode::SelectDirectory; }

    // What the path variable receives on confirm: the folder with a trailing "/" for a directory
    // selection, the full path of the chosen file otherwise.
    std::string result(const std::string& chosen) const;

    static constexpr const char* kErrorTitle = "Dateiauswahl";
    // The messages when the dialog ended with an error (a plain cancel shows nothing).
    static std::string invalidFileNameMessage(const std::string& path);
    static std::string dialogErrorMessage(unsigned errorCode);

  private:
    IoSelectMode mode_;
    std::string proposal_;
    std::string titleBase_;
    std::string exactTitle_;
    std::string initialDirectory_;
    std::vector<FileTypeFilter> filters_;
    bool allFilesEntry_ = true;
    std::string defaultExtension_;
};

} // namespace lorvan
