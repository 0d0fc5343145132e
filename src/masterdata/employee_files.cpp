#include "masterdata/employee_files.h"

#include "foundation/file_system.h"
#include "foundation/number_text.h"
#include "platform/prompter.h"
#include "yearfile/year_document.h"

#include <algorithm>
#include <cctype>
#include <sys/stat.h>

namespace lorvan {
namespace {

char lowerAscii(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

// The file name ends in <4 digits>.azr (letter case ignored).
bool endsInYearAndExtension(std::string_view fileName) {
    if (fileName.size() < 8) return false;
    const std::string_view tail = fileName.substr(fileName.size() - 8);
    for (size_t i = 0; i < 4; ++i)
        if (tail[i] < '0' || tail[i] > '9') return false;
    return equalIgnoringCase(tail.substr(4), ".azr");
}

// The cause of a message of the file services ("message\n(cause)").
std::string causeOf(const std::string& errorText) {
    const size_t open = errorText.find("\n(");
    if (open == std::string::npos) return errorText;
    std::string cause = errorText.substr(open + 2);
    if (!cause.empty() && cause.back() == ')') cause.pop_back();
    return cause;
}

} // namespace

std::string yearFilePath(const std::string& dataDirectory, const std::string& name, int32_t year) {
    return fullYearFilePath(dataDirectory, name, year);
}

std::vector<std::string> employeeFiles(const std::string& dataDirectory, const std::string& name) {
    const std::string form = toFileNamePart(name);
    std::vector<std::string> files;
    if (form.empty()) return files;
    std::vector<std::string> candidates;
    findFilesByStem(dataDirectory, form, 8, kArchiveFolder, candidates);
    for (std::string& path : candidates)
        if (endsInYearAndExtension(fileNameOfPath(path))) files.push_back(std::move(path));
    return files;
}

bool sameFileNameForm(std::string_view nameA, std::string_view nameB) {
    return equalIgnoringCase(toFileNamePart(nameA), toFileNamePart(nameB));
}

bool FileOperations::copy(const std::string& source, const std::string& target, std::string& cause) {
    return copyFile(source, target, cause);
}

bool FileOperations::remove(const std::string& path, std::string& cause) {
    std::string errorText;
    if (deleteFile(path, errorText, true)) return true;
    cause = causeOf(errorText);
    return false;
}

bool FileOperations::writable(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return true;
    return !S_ISREG(st.st_mode) || (st.st_mode & S_IWUSR) != 0;
}

std::string fileNotDeletedMessage(const std::string& path, const std::string& cause) {
    return "Die Datei '" + path +
           "' konnte nicht gelöscht werden.\nBitte löschen Sie sie über den Explorer.\n\nUrsache:\n" + cause;
}

} // namespace lorvan
