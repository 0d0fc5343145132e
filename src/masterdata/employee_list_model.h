#pragma once

#include "masterdata/employee.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

// The list of employees of "Mitarbeiter verwalten" and "Mitarbeiter auswählen": its rows, columns,
// sorting, the filter "nur aktive Mitarbeiter anzeigen", the selection, and the field "Jahr".
namespace lorvan {

class Clock;
class Prompter;

enum class EmployeeColumn { Number, Name, Department, ExtraInfo, ProbationDays, Entry, Exit, Active };
inline constexpr size_t kEmployeeColumnCount = 8;

struct EmployeeColumnInfo {
    EmployeeColumn column;
    const char* title;
    int32_t width; // pixels
};

inline constexpr std::array<EmployeeColumnInfo, kEmployeeColumnCount> kEmployeeColumns{{
    {EmployeeColumn::Number, "Personalnummer", 100},
    {EmployeeColumn::Name, "Name", 160},
    {EmployeeColumn::Department, "Abteilung", 160},
    {EmployeeColumn::ExtraInfo, "Zusatzinfo", 160},
    {EmployeeColumn::ProbationDays, "Probezeit Resttage", 160},
    {EmployeeColumn::Entry, "Eintritt", 100},
    {EmployeeColumn::Exit, "Austritt", 100},
    {EmployeeColumn::Active, "Aktiv", 50},
}};

inline constexpr const char* kOnlyActiveEmployeesLabel = "nur aktive Mitarbeiter anzeigen";
inline constexpr int32_t kFirstYear = 1990;
inline constexpr int32_t kLastYear = 9999;
inline constexpr const char* kYearRangeMessage = "Geben Sie eine ganze Zahl zwischen 1990 und 9999 ein.";

// The text of the employee in the column ("Ja"/"Nein" for "Aktiv").
std::string employeeCell(const CMitarbeiterDoc& employee, EmployeeColumn column, const Clock& clock);
// The key by which a column other than "Personalnummer" sorts (byte-wise, ascending): the column's
// text followed by the name; an empty department, extra info, probation or date sorts as "!!!", so
// that it comes first. The remaining probation days are zero-padded to ten digits, so that their
// keys sort like the numbers.
std::string employeeSortKey(const CMitarbeiterDoc& employee, EmployeeColumn column, const Clock& clock);

struct EmployeeRow {
    int32_t number = 0; // the row's item data: every command finds its record by it
    std::array<std::string, kEmployeeColumnCount> cells;
};

class EmployeeListModel {
  public:
    // Lists the employees of the map (which must outlive the model): only active ones, sorted by
    // "Personalnummer", nothing selected, "Jahr" the current year.
    EmployeeListModel(const std::map<int32_t, CMitarbeiterDoc>& employees, const Clock& clock);

    // Fills the rows again from the map. The employee `select` (just created or edited) is selected
    // when it is listed; otherwise the selected row position stays, and a position past the end
    // selects the last row.
    void refill(std::optional<int32_t> select = std::nullopt);

    const std::vector<EmployeeRow>& rows() const { return rows_; }

    bool onlyActive() const { return onlyActive_; }
    // Switches the filter and refills.
    void setOnlyActive(bool on);

    EmployeeColumn sortColumn() const { return sortColumn_; }
    // A click on the column header: sorts by it (ascending) and keeps the selected employee selected.
    void sortBy(EmployeeColumn column);

    std::optional<size_t> selectedRow() const { return selected_; }
    std::optional<int32_t> selectedNumber() const;
    // Selects the row (nothing outside the rows).
    void select(std::optional<size_t> row);
    // Selects the row of the employee; false when it is not listed.
    bool selectNumber(int32_t number);

    // "Jahr": the year whose file is opened; 1990 to 9999, else kYearRangeMessage and the year stays.
    int32_t year() const { return year_; }
    bool setYear(int32_t year, Prompter& prompter);

  private:
    const std::map<int32_t, CMitarbeiterDoc>& employees_;
    const Clock& clock_;
    std::vector<EmployeeRow> rows_;
    bool onlyActive_ = true;
    EmployeeColumn sortColumn_ = EmployeeColumn::Number;
    std::optional<size_t> selected_;
    int32_t year_;
};

} // namespace lorvan
