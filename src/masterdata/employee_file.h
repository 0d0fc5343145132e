#pragma once

#include "masterdata/employee.h"
#include "yearfile/document_base.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace lorvan {

// The choices last made in the customer query, kept for the whole firm in "Daten.mar".
struct CustomerQuerySettings {
    struct Level {
        std::string name;
        int32_t showSum = 0; // "Summe ausweisen"
    };

    int32_t periodChoice = 0; // 0 "Alles", 1 current year, 2 last year, 3 current month, 4 last month, 5 own
    std::string periodStart;  // own period as "DD.MM.YYYY"; empty unless the choice is 5
    std::string periodEnd;
    int32_t allEmployees = 1; // 1 = all; every other value = a selection
    int32_t allCustomers = 1;
    std::array<Level, 4> levels{{{"Kunde", 1}, {"Tag", 1}, {"Mitarbeiter", 1}, {"Keine weitere Ebene", 0}}};
    int32_t pageBreak = 0; // 0 only when the page is full, 1 after level 1, 2 after level 2
    int32_t showCosts = 0; // "Kosten ausweisen"
    int32_t allServices = 1;
    int32_t onlyServicesWithCustomer = 1;

    void store(ArchiveWriter& ar) const;
    void load(ArchiveReader& ar, int32_t fileVersion);
};

// The message for a name whose file-name form another employee's name already has.
std::string nameConflictMessage(const std::string& existingName);

// The employee file "Daten.mar": the employees by number, the customer query settings and the
// list of persons that the imports skip.
class CTwMaDoc : public CTwDocBase {
public:
    static constexpr int32_t kCurrentVersion = 14;
    static constexpr const char* kFileName = "Daten.mar";
    // "Daten.mar" in the data directory.
    static std::string pathIn(const std::string& dataDirectory);

    // Keyed by the record's number (key and number always agree).
    std::map<int32_t, CMitarbeiterDoc> employees;
    CustomerQuerySettings customerQuery;
    // Each entry in single quotes, the quoted entries concatenated: 'Anna''Bert'.
    std::string ignoreList;

    int32_t currentVersion() const override { return kCurrentVersion; }

    const CMitarbeiterDoc* findByNumber(int32_t number) const;
    // Files the record under its number, replacing a record with that number.
    void put(const CMitarbeiterDoc& employee) { employees[employee.number] = employee; }
    // The highest number plus 1; 1 for an empty file.
    int32_t nextFreeNumber() const;

    // Some employee's name equals the text exactly.
    bool nameExists(std::string_view name) const;
    // In number order, the first name that equals the text or, with byForm, whose file-name form
    // equals it; the empty text when there is none.
    std::string findByName(std::string_view text, bool byForm) const;
    // The first employee (in number order) whose name has the same file-name form as the given
    // name, letter case ignored, or nullptr; the employee with the number `except` (the one being
    // edited) does not count. Two such employees would share their year files, which are found
    // without regard to case.
    const CMitarbeiterDoc* findFileNameFormConflict(std::string_view name,
                                                    std::optional<int32_t> except = std::nullopt) const;

    // The person is on the import ignore list: its quoted form occurs in the list.
    bool isIgnored(std::string_view person) const;
    // Appends the person in quotes unless it is on the list already; true when the list changed.
    // Saving the file is the caller's part.
    bool addIgnored(std::string_view person);

protected:
    void store(ArchiveWriter& ar) const override;
    int32_t load(ArchiveReader& ar) override;
    void clear() override;
};

} // namespace lorvan
