#include "app/open_year_file.h"

#include <filesystem>

namespace lorvan {

OpenYearFile::OpenYearFile(const std::string& filePath, const std::string& dataDirectory) : path(filePath) {
    document.open(path);
    employees = EmployeeFileLookup::open(employeeFileFolder(path, dataDirectory));
}

OpenYearFile::OpenYearFile(const std::string& filePath, CLorvanDoc newDocument, const std::string& dataDirectory)
    : path(filePath), document(std::move(newDocument)) {
    employees = EmployeeFileLookup::open(employeeFileFolder(path, dataDirectory));
}

std::string OpenYearFile::employeeFileFolder(const std::string& path, const std::string& dataDirectory) {
    if (!dataDirectory.empty()) return dataDirectory;
    std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? std::string(".") : folder;
}

} // namespace lorvan
