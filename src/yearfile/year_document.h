#pragma once

#include "yearfile/document_base.h"

#include <cstdint>
#include <optional>
#include <string>

// Year files are named after their owner and year: <file-name form of the name><year>.azr in the
// data directory.
namespace lorvan {

class CEinst;
class Clock;

inline constexpr const char* kYearFileExtension = "azr";
inline constexpr const char* kYearFileExists =
    "Für dieses Jahr existiert mit diesen Angaben schon ein Datenbestand.";

// toFileNamePart(name) + year + ".azr", e.g. "Joerg_Weiss2024.azr".
std::string fileNameFor(const std::string& name, int32_t year);
// The data directory (given a trailing "/") + fileNameFor(name, year).
std::string fullYearFilePath(const std::string& dataDirectory, const std::string& name, int32_t year);

struct YearFileOwner {
    std::string name;
    int32_t year = 0;
    friend bool operator==(const YearFileOwner&, const YearFileOwner&) = default;
};
// The owner and year that a year file's name stands for: the year is the four characters before
// ".azr" (letter case ignored), the name part what comes before them. The owner is the employee
// whose name equals the name part or whose file-name form does; without such an employee (or
// without employees) the name part itself. Nothing for a name that does not end in <year>.azr.
std::optional<YearFileOwner> yearFileOwnerOf(const std::string& path, const EmployeeNames* employees);

// The storage of a year file: its path follows from the owner and year of its settings.
class CTwDoc : public CTwDocBase {
  public:
    using CTwDocBase::open;
    using CTwDocBase::save;

    // A document created new and not saved yet: its path is derived at the first save.
    bool needsFileName() const { return needsFileName_; }

    // A new, empty year file that needs a file name; the settings get their defaults (the caller
    // may take settings over from another file and then shows the settings dialog).
    void startNew(const Clock& clock);

    // Opens the file and adds it to the recently used files. A path that does not exist but is
    // named like a year file gives a new document with owner and year taken from the name, which
    // is written on its first save (the caller then shows the settings dialog).
    bool open(const std::string& path, const StorageContext& context) override;

    // A document that needs a file name, or a save without path, goes to fullYearFilePath of its
    // owner and year: refused with kYearFileExists when that file exists, otherwise written (no
    // change check and no backup) and added to the recently used files. Any other save is the
    // checked save of every document.
    bool save(const std::string& path, bool setAsCurrentPath, const StorageContext& context) override;

    // After the owner or year changed: the document's path becomes fullYearFilePath of the new
    // values; the old path leaves the recently used files (the old file stays on disk).
    void syncPath(const StorageContext& context);

    // The window title: the file name, or for a new document the name it will get.
    std::string title() const;

  protected:
    // The settings record that holds the owner's name and the year.
    virtual CEinst& ownerSettings() = 0;
    virtual const CEinst& ownerSettings() const = 0;

  private:
    bool needsFileName_ = false;
};

} // namespace lorvan
