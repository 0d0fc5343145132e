#include "masterdata/employee_lookup.h"

#include "masterdata/employee_file.h"

#include <filesystem>
#include <system_error>

namespace lorvan {

EmployeeFileLookup::EmployeeFileLookup(const CTwMaDoc& file) {
    for (const auto& [number, employee] : file.employees)
        byName_.emplace(employee.name, Employment{employee.entryDate, employee.hasExit, employee.exitDate});
}

std::unique_ptr<EmployeeFileLookup> EmployeeFileLookup::open(const std::string& directory) {
    const std::string path = (std::filesystem::path(directory) / "Daten.mar").string();
    std::error_code error;
    if (!std::filesystem::exists(path, error)) return nullptr;
    CTwMaDoc file;
    file.open(path);
    return std::make_unique<EmployeeFileLookup>(file);
}

std::optional<Employment> EmployeeFileLookup::employmentOf(const std::string& exactName) const {
    const auto found = byName_.find(exactName);
    if (found == byName_.end()) return std::nullopt;
    return found->second;
}

} // namespace lorvan
