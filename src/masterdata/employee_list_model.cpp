#include "masterdata/employee_list_model.h"

#include "foundation/format.h"
#include "foundation/text_encoding.h"
#include "platform/clock.h"
#include "platform/prompter.h"

#include <algorithm>

namespace lorvan {
namespace {

constexpr const char* kEmptyFirst = "!!!";

std::string orEmptyFirst(const std::string& text) {
    return text.empty() ? std::string(kEmptyFirst) : text;
}

} // namespace

std::string employeeCell(const CMitarbeiterDoc& employee, EmployeeColumn column, const Clock& clock) {
    switch (column) {
    case EmployeeColumn::Number:
        return format("%ld", static_cast<long>(employee.number));
    case EmployeeColumn::Name:
        return employee.name;
    case EmployeeColumn::Department:
        return employee.department;
    case EmployeeColumn::ExtraInfo:
        return employee.extraInfo;
    case EmployeeColumn::ProbationDays:
        return employee.remainingProbationDaysText(clock);
    case EmployeeColumn::Entry:
        return employee.entryText();
    case EmployeeColumn::Exit:
        return employee.exitText();
    case EmployeeColumn::Active:
        return employee.isActive() ? "Ja" : "Nein";
    }
    return std::string();
}

std::string employeeSortKey(const CMitarbeiterDoc& employee, EmployeeColumn column, const Clock& clock) {
    switch (column) {
    case EmployeeColumn::Number:
        // Offset into the unsigned range, so that negative numbers of old files sort too.
        return format("%010lld", static_cast<long long>(employee.number) + 2147483648LL) + employee.name;
    case EmployeeColumn::Name:
        return employee.name;
    case EmployeeColumn::Department:
        return orEmptyFirst(employee.department) + employee.name;
    case EmployeeColumn::ExtraInfo:
        return orEmptyFirst(employee.extraInfo) + employee.name;
    case EmployeeColumn::ProbationDays: {
        const auto days = employee.remainingProbationDays(clock);
        return (days ? format("%010ld", static_cast<long>(*days)) : std::string(kEmptyFirst)) + employee.name;
    }
    case EmployeeColumn::Entry:
        return orEmptyFirst(employee.entrySortKey()) + employee.name;
    case EmployeeColumn::Exit:
        return orEmptyFirst(employee.exitSortKey()) + employee.name;
    case EmployeeColumn::Active:
        return employeeCell(employee, column, clock) + employee.name;
    }
    return employee.name;
}

EmployeeListModel::EmployeeListModel(const std::map<int32_t, CMitarbeiterDoc>& employees, const Clock& clock)
    : employees_(employees), clock_(clock), year_(clock.today().year) {
    refill();
}

void EmployeeListModel::refill(std::optional<int32_t> select) {
    const std::optional<size_t> previous = selected_;
    struct Entry {
        std::string key;
        EmployeeRow row;
    };
    std::vector<Entry> entries;
    for (const auto& [number, employee] : employees_) {
        if (onlyActive_ && !employee.isActive()) continue;
        Entry entry;
        if (sortColumn_ != EmployeeColumn::Number) entry.key = employeeSortKey(employee, sortColumn_, clock_);
        entry.row.number = number;
        for (size_t i = 0; i < kEmployeeColumnCount; ++i)
            entry.row.cells[i] = employeeCell(employee, kEmployeeColumns[i].column, clock_);
        entries.push_back(std::move(entry));
    }
    // The map gives number order; equal keys keep it.
    if (sortColumn_ != EmployeeColumn::Number)
        std::stable_sort(entries.begin(), entries.end(),
                         [](const Entry& a, const Entry& b) { return compareCp1252(a.key, b.key) < 0; });
    rows_.clear();
    for (Entry& entry : entries)
        rows_.push_back(std::move(entry.row));

    selected_.reset();
    if (rows_.empty()) return;
    if (select && selectNumber(*select)) return;
    if (previous) selected_ = std::min(*previous, rows_.size() - 1);
}

void EmployeeListModel::setOnlyActive(bool on) {
    onlyActive_ = on;
    refill();
}

void EmployeeListModel::sortBy(EmployeeColumn column) {
    sortColumn_ = column;
    refill(selectedNumber());
}

std::optional<int32_t> EmployeeListModel::selectedNumber() const {
    if (!selected_) return std::nullopt;
    return rows_[*selected_].number;
}

void EmployeeListModel::select(std::optional<size_t> row) {
    selected_ = row && *row < rows_.size() ? row : std::nullopt;
}

bool EmployeeListModel::selectNumber(int32_t number) {
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].number == number) {
            selected_ = i;
            return true;
        }
    }
    return false;
}

bool EmployeeListModel::setYear(int32_t year, Prompter& prompter) {
    if (year < kFirstYear || year > kLastYear) {
        prompter.error(kYearRangeMessage);
        return false;
    }
    year_ = year;
    return true;
}

} // namespace lorvan
