#include "masterdata/employee_list.h"

#include "foundation/error.h"
#include "foundation/file_system.h"
#include "masterdata/employee_file.h"
#include "platform/prompter.h"

namespace lorvan {

EmployeeList::EmployeeList(std::string dataDirectory) : dataDirectory_(std::move(dataDirectory)) {}

void EmployeeList::setDataDirectory(std::string dataDirectory) {
    dataDirectory_ = std::move(dataDirectory);
    held_ = false;
    discard();
}

void EmployeeList::discard() {
    employees_.clear();
    ignoreList_.clear();
    loaded_ = false;
}

void EmployeeList::ensureLoaded() const {
    if (held_ && loaded_) return;
    employees_.clear();
    ignoreList_.clear();
    loaded_ = false;
    fill();
}

void EmployeeList::fill() const {
    if (!employees_.empty()) {
        if (held_) return;
        throw LorvanError(kFillEmployeeListError);
    }
    load();
}

void EmployeeList::load() const {
    const std::string path = CTwMaDoc::pathIn(dataDirectory_);
    ignoreList_.clear();
    loaded_ = false;
    if (!fileExists(path)) {
        loaded_ = true;
        return;
    }
    CTwMaDoc file;
    try {
        file.open(path);
    } catch (const std::exception& e) {
        const std::string reason = e.what();
        throw LorvanError(reason.empty() ? std::string(kLoadEmployeesError)
                                         : std::string(kLoadEmployeesError) + ": " + reason);
    }
    employees_ = std::move(file.employees);
    ignoreList_ = std::move(file.ignoreList);
    loaded_ = true;
}

const std::map<int32_t, CMitarbeiterDoc>& EmployeeList::all() const {
    ensureLoaded();
    return employees_;
}

std::optional<CMitarbeiterDoc> EmployeeList::findByNumber(int32_t number) const {
    const auto& employees = all();
    const auto found = employees.find(number);
    if (found == employees.end()) return std::nullopt;
    return found->second;
}

bool EmployeeList::nameExists(std::string_view name) const {
    for (const auto& [number, employee] : all())
        if (employee.name == name) return true;
    return false;
}

std::string EmployeeList::findByName(std::string_view text, bool byForm) const {
    for (const auto& [number, employee] : all())
        if (employee.name == text || (byForm && employee.fileNameForm() == text)) return employee.name;
    return std::string();
}

std::optional<CMitarbeiterDoc> EmployeeList::findByDisplayText(std::string_view text) const {
    for (const auto& [number, employee] : all())
        if (employee.displayText() == text) return employee;
    return std::nullopt;
}

bool EmployeeList::isIgnored(std::string_view person) const {
    ensureLoaded();
    // The same test as the file's: the quoted person occurs in the list.
    return !person.empty() && ignoreList_.find("'" + std::string(person) + "'") != std::string::npos;
}

bool EmployeeList::addIgnored(std::string_view person, const StorageContext& context) {
    const std::string path = CTwMaDoc::pathIn(dataDirectory_);
    CTwMaDoc file;
    if (fileExists(path) && !file.open(path, context)) return false;
    if (!file.addIgnored(person)) return true;
    const bool saved = file.save(path, true, context);
    discard();
    return saved;
}

} // namespace lorvan
