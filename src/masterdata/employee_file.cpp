#include "masterdata/employee_file.h"

#include "foundation/archive.h"
#include "foundation/error.h"
#include "foundation/file_system.h"
#include "foundation/number_text.h"
#include "masterdata/employee_files.h"

#include <limits>

namespace lorvan {
namespace {

// Yes/no fields of the customer query: only 1 means yes.
int32_t readYesOnlyWhenOne(ArchiveReader& ar) {
    return ar.readInt32() == 1 ? 1 : 0;
}
void writeZeroOrOne(ArchiveWriter& ar, int32_t value) {
    ar.writeInt32(value == 1 ? 1 : 0);
}

} // namespace

void CustomerQuerySettings::store(ArchiveWriter& ar) const {
    ar.writeInt32(periodChoice);
    ar.writeString(periodStart);
    ar.writeString(periodEnd);
    writeZeroOrOne(ar, allEmployees);
    writeZeroOrOne(ar, allCustomers);
    for (const Level& level : levels) {
        ar.writeString(level.name);
        ar.writeInt32(level.showSum);
    }
    ar.writeInt32(pageBreak);
    ar.writeInt32(showCosts);
    writeZeroOrOne(ar, allServices);
    ar.writeInt32(onlyServicesWithCustomer);
}

void CustomerQuerySettings::load(ArchiveReader& ar, int32_t fileVersion) {
    *this = CustomerQuerySettings();
    if (fileVersion < 2) return;
    periodChoice = ar.readInt32();
    periodStart = ar.readString();
    periodEnd = ar.readString();
    allEmployees = readYesOnlyWhenOne(ar);
    allCustomers = readYesOnlyWhenOne(ar);
    for (Level& level : levels) {
        level.name = ar.readString();
        level.showSum = ar.readInt32();
    }
    if (fileVersion >= 3) pageBreak = ar.readInt32();
    if (fileVersion >= 4) showCosts = ar.readInt32();
    if (fileVersion >= 5) {
        allServices = readYesOnlyWhenOne(ar);
        onlyServicesWithCustomer = ar.readInt32();
    }
}

std::string nameConflictMessage(const std::string& existingName) {
    return "Der Name " + existingName +
           " existiert schon.\nBitte wählen Sie einen anderen Namen, da es sonst zu Konflikten bei der "
           "Dateierstellung kommen kann.";
}

std::string CTwMaDoc::pathIn(const std::string& dataDirectory) {
    return withSeparator(dataDirectory, true) + kFileName;
}

const CMitarbeiterDoc* CTwMaDoc::findByNumber(int32_t number) const {
    const auto it = employees.find(number);
    return it == employees.end() ? nullptr : &it->second;
}

int32_t CTwMaDoc::nextFreeNumber() const {
    if (employees.empty() || employees.rbegin()->first <= 0) return 1;
    const int32_t highest = employees.rbegin()->first;
    if (highest < std::numeric_limits<int32_t>::max()) return highest + 1;
    // Nothing follows the highest possible number: propose the lowest free one instead.
    int32_t candidate = 1;
    for (auto it = employees.lower_bound(1); it != employees.end() && it->first == candidate; ++it)
        ++candidate;
    return candidate;
}

bool CTwMaDoc::nameExists(std::string_view name) const {
    for (const auto& [number, employee] : employees)
        if (employee.name == name) return true;
    return false;
}

std::string CTwMaDoc::findByName(std::string_view text, bool byForm) const {
    for (const auto& [number, employee] : employees)
        if (employee.name == text || (byForm && employee.fileNameForm() == text)) return employee.name;
    return std::string();
}

const CMitarbeiterDoc* CTwMaDoc::findFileNameFormConflict(std::string_view name,
                                                          std::optional<int32_t> except) const {
    for (const auto& [number, employee] : employees)
        if (number != except && sameFileNameForm(employee.name, name)) return &employee;
    return nullptr;
}

bool CTwMaDoc::isIgnored(std::string_view person) const {
    // The empty person would otherwise match the '' between any two entries.
    if (person.empty()) return false;
    return ignoreList.find("'" + std::string(person) + "'") != std::string::npos;
}

bool CTwMaDoc::addIgnored(std::string_view person) {
    if (person.empty() || isIgnored(person)) return false;
    ignoreList += "'" + std::string(person) + "'";
    return true;
}

void CTwMaDoc::store(ArchiveWriter& ar) const {
    ar.writeInt32(kCurrentVersion);
    ar.writeCount(employees.size());
    for (const auto& [number, employee] : employees)
        employee.store(ar);
    customerQuery.store(ar);
    ar.writeString(ignoreList);
}

int32_t CTwMaDoc::load(ArchiveReader& ar) {
    clear();
    const int32_t version = ar.readInt32();
    if (version > kCurrentVersion) throw NewerVersionError();
    const int32_t count = ar.readCount(CMitarbeiterDoc::minimumStoredSize(version));
    for (int32_t i = 0; i < count; ++i) {
        CMitarbeiterDoc employee;
        employee.load(ar, version);
        employees[employee.number] = std::move(employee);
    }
    customerQuery.load(ar, version);
    if (version >= 11) ignoreList = ar.readString();
    return version;
}

void CTwMaDoc::clear() {
    employees.clear();
    customerQuery = CustomerQuerySettings();
    ignoreList.clear();
}

} // namespace lorvan
