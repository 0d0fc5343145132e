#pragma once

#include "logbook/vehicle_file.h"

#include <cstdint>
#include <set>
#include <string>
#include <vector>

// The completion lists of the trip dialog: drivers, purposes, persons, streets and places.
namespace lorvan {

class CFahrtDoc;

class LogbookWordLists {
  public:
    using Words = std::set<std::string, Cp1252Less>;

    // Fills the lists anew: the drivers from the employee names, the purposes from "Kundenbesuch",
    // the persons from the customer names and from the customer texts of the time lines in the
    // year files "*<year>.azr" of the data directory, streets and places from the presets of
    // "Daten.fz"; then every valid trip of every "*.fb" file of the data directory. Files that
    // cannot be read are passed over. Persons that begin with a digit (customer numbers) are left out.
    void build(const std::string& dataDirectory, int32_t currentYear, const std::vector<std::string>& employeeNames,
               const std::vector<std::string>& customerNames);
    bool built() const { return built_; }

    // Takes a trip's texts in (a cancelled trip adds nothing).
    void add(const CFahrtDoc& trip);
    void addPresets(const CTwFahrzDoc& vehicles);
    void addPerson(const std::string& person);

    const Words& drivers() const { return drivers_; }
    const Words& purposes() const { return purposes_; }
    const Words& persons() const { return persons_; }
    const Words& streets() const { return streets_; }
    const Words& places() const { return places_; }
    // The same as a list (for CompletionList::setWordList).
    static std::vector<std::string> list(const Words& words) { return {words.begin(), words.end()}; }

  private:
    Words drivers_, purposes_, persons_, streets_, places_;
    bool built_ = false;
};

// The characters the person field leaves out when it compares.
inline constexpr const char* kPersonIgnoredCharacters = "-/,;";

} // namespace lorvan
