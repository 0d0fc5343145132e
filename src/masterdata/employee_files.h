#pragma once

#include "masterdata/open_documents.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The year files of an employee on disk, and what the flows on them need from the program around
// them: closing the windows of a file, and copying and deleting files.
namespace lorvan {

class Prompter;

// The year file of the employee for the year: the data directory + the file-name form of the name +
// the year + ".azr" ("Jens Schäfer", 2024 -> ".../Jens_Schaefer2024.azr").
std::string yearFilePath(const std::string& dataDirectory, const std::string& name, int32_t year);

// The year files of the employee: every file of the data directory and of its subdirectory "ARCHIV"
// (at any depth below it) named <file-name form><4 digits>.azr, letter case ignored, in name order
// per folder. Other subdirectories are not searched. A name whose file-name form is empty owns no
// file (such a name would otherwise own "2024.azr" of nobody, or worse).
std::vector<std::string> employeeFiles(const std::string& dataDirectory, const std::string& name);

// File-name forms compared without regard to letter case: files are found that way, so "Anna" and
// "anna" would share their year files.
bool sameFileNameForm(std::string_view nameA, std::string_view nameB);

inline constexpr const char* kArchiveFolder = "ARCHIV";

// Copying and deleting the year files of an employee. The default works on the file system; tests
// put in failures that the file system of the test machine would not give.
class FileOperations {
  public:
    virtual ~FileOperations() = default;
    // Copies without overwriting; on failure the cause alone.
    virtual bool copy(const std::string& source, const std::string& target, std::string& cause);
    // Deletes, clearing the write protection first; on failure the cause alone.
    virtual bool remove(const std::string& path, std::string& cause);
    // The file can be written: it is not write-protected. Nothing to write to gives true.
    virtual bool writable(const std::string& path);
};

// "Die Datei '<path>' konnte nicht gelöscht werden.\nBitte löschen Sie sie über den Explorer.\n\n"
// "Ursache:\n<cause>"
std::string fileNotDeletedMessage(const std::string& path, const std::string& cause);

} // namespace lorvan
