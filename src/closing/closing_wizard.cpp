#include "closing/closing_wizard.h"

#include "closing/booking_export.h"
#include "closing/closing_lists.h"
#include "foundation/format.h"
#include "platform/clock.h"
#include "platform/prompter.h"
#include "platform/user_store.h"
#include "yearfile/settings.h"

#include <algorithm>
#include <set>

namespace lorvan {
namespace {

constexpr const char* kPeriodKey = "Zeitraum";
constexpr const char* kEmployeesKey = "Mitarbeiter";
constexpr const char* kDepartmentsKey = "Abteilung";
constexpr const char* kAbsenceFileKey = "FehlzeitCsvDatei";
constexpr const char* kAbsenceOnlyMissingKey = "FehlzeitNurLeer";

// "Alle" when nothing narrows the choice; the names joined with "," while fewer than four, else
// "Ausgewählt". A selection of every possible entry, at least two, counts as all.
std::string selectionSummary(const std::vector<std::string>& names, size_t possibleLeft) {
    if (possibleLeft == 0 && names.size() >= 2) return "Alle";
    if (names.size() >= 4) return "Ausgewählt";
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ",") + name;
    return text;
}

template <typename T> bool moveOne(std::vector<T>& from, std::vector<T>& to, size_t index) {
    if (index >= from.size()) return false;
    to.push_back(from[index]);
    from.erase(from.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

template <typename T> bool moveAll(std::vector<T>& from, std::vector<T>& to) {
    if (from.empty()) return false;
    to.insert(to.end(), from.begin(), from.end());
    from.clear();
    return true;
}

void sortDepartments(std::vector<std::string>& departments) {
    std::sort(departments.begin(), departments.end(), Cp1252Less{});
}

void sortEmployees(std::vector<CMitarbeiterDoc>& employees) {
    std::sort(employees.begin(), employees.end(),
              [](const CMitarbeiterDoc& a, const CMitarbeiterDoc& b) { return a.number < b.number; });
}

} // namespace

MonthClosingWizard::MonthClosingWizard(std::string dataDirectory, std::map<int32_t, CMitarbeiterDoc> employees,
                                       UserStore& store, Prompter& prompter, const Clock& clock)
    : dataDirectory_(std::move(dataDirectory)), employees_(std::move(employees)), store_(store),
      prompter_(prompter), clock_(clock) {
    const auto section = store_.readSection(kClosingSection);
    const std::string period = entryOf(section, kPeriodKey, "0");
    if (period == "1") period_ = ClosingPeriod::CurrentMonth;
    if (period == "2") period_ = ClosingPeriod::EnteredMonth;
    const bool byEmployee = entryOf(section, kEmployeesKey, "0") == "1";
    const bool byDepartment = entryOf(section, kDepartmentsKey, "0") == "1";
    selection_ = byDepartment ? ClosingSelection::Departments
                 : byEmployee ? ClosingSelection::Employees
                              : ClosingSelection::All;
    absenceFile = entryOf(section, kAbsenceFileKey);
    absenceOnlyMissing = entryOf(section, kAbsenceOnlyMissingKey, "1") == "1";
    if (period_ == ClosingPeriod::EnteredMonth) setPeriod(period_);
    refreshLists();
}

MonthClosingWizard::~MonthClosingWizard() = default;

const char* MonthClosingWizard::stepTitle(ClosingPage page) {
    switch (page) {
    case ClosingPage::Period:
        return "Zeitraum auswählen";
    case ClosingPage::Departments:
        return "Auswählen einzelner Abteilungen";
    case ClosingPage::Employees:
        return "Auswählen einzelner Mitarbeiter";
    case ClosingPage::Finish:
        return "Fertig stellen";
    }
    return "";
}

std::string MonthClosingWizard::caption() const {
    if (page_ == ClosingPage::Period) return "Monatsabschluss - Festlegen des Zeitraums und der Auswahlmöglichkeiten";
    return std::string("Monatsabschluss - ") + stepTitle(page_);
}

std::vector<ClosingPage> MonthClosingWizard::pages() const {
    std::vector<ClosingPage> pages{ClosingPage::Period};
    if (selection_ == ClosingSelection::Departments) pages.push_back(ClosingPage::Departments);
    if (selection_ == ClosingSelection::Employees) pages.push_back(ClosingPage::Employees);
    pages.push_back(ClosingPage::Finish);
    return pages;
}

std::array<std::string, 3> MonthClosingWizard::periodEntries() const {
    const Datum today = clock_.today();
    const ClosingMonthChoice last = lastMonthOf(today);
    const ClosingMonthChoice current = currentMonthOf(today);
    return {format("Letzter Monat      %02d.%d", last.month, last.year),
            format("Aktueller Monat   %02d.%d", current.month, current.year), "Monat eingeben"};
}

void MonthClosingWizard::setPeriod(ClosingPeriod period) {
    period_ = period;
    if (period == ClosingPeriod::EnteredMonth) {
        const ClosingMonthChoice last = lastMonthOf(clock_.today());
        const ClosingMonthChoice beforeLast = lastMonthOf(Datum{1, last.month, last.year});
        monthText = closingMonthText(beforeLast);
    }
}

void MonthClosingWizard::setOnlyActive(bool on) {
    onlyActive_ = on;
    refreshLists();
}

void MonthClosingWizard::refreshLists() {
    std::set<std::string, Cp1252Less> departments;
    std::vector<CMitarbeiterDoc> offered;
    for (const auto& [number, employee] : employees_) {
        if (onlyActive_ && !employee.isActive()) continue;
        departments.insert(employee.department);
        offered.push_back(employee);
    }
    std::vector<std::string> keptDepartments;
    for (const std::string& d : selectedDepartments_)
        if (departments.erase(d) > 0) keptDepartments.push_back(d);
    selectedDepartments_ = keptDepartments;
    possibleDepartments_.assign(departments.begin(), departments.end());

    std::vector<CMitarbeiterDoc> keptEmployees;
    for (const CMitarbeiterDoc& e : selectedEmployees_) {
        const auto it = std::find_if(offered.begin(), offered.end(),
                                     [&](const CMitarbeiterDoc& o) { return o.number == e.number; });
        if (it == offered.end()) continue;
        keptEmployees.push_back(*it);
        offered.erase(it);
    }
    selectedEmployees_ = keptEmployees;
    possibleEmployees_ = offered;
}

bool MonthClosingWizard::selectAllDepartments() {
    const bool moved = moveAll(possibleDepartments_, selectedDepartments_);
    sortDepartments(selectedDepartments_);
    return moved;
}

bool MonthClosingWizard::selectDepartment(size_t index) {
    const bool moved = moveOne(possibleDepartments_, selectedDepartments_, index);
    sortDepartments(selectedDepartments_);
    return moved;
}

bool MonthClosingWizard::deselectDepartment(size_t index) {
    const bool moved = moveOne(selectedDepartments_, possibleDepartments_, index);
    sortDepartments(possibleDepartments_);
    return moved;
}

bool MonthClosingWizard::deselectAllDepartments() {
    const bool moved = moveAll(selectedDepartments_, possibleDepartments_);
    sortDepartments(possibleDepartments_);
    return moved;
}

bool MonthClosingWizard::selectAllEmployees() {
    const bool moved = moveAll(possibleEmployees_, selectedEmployees_);
    sortEmployees(selectedEmployees_);
    return moved;
}

bool MonthClosingWizard::selectEmployee(size_t index) {
    const bool moved = moveOne(possibleEmployees_, selectedEmployees_, index);
    sortEmployees(selectedEmployees_);
    return moved;
}

bool MonthClosingWizard::deselectEmployee(size_t index) {
    const bool moved = moveOne(selectedEmployees_, possibleEmployees_, index);
    sortEmployees(possibleEmployees_);
    return moved;
}

bool MonthClosingWizard::deselectAllEmployees() {
    const bool moved = moveAll(selectedEmployees_, possibleEmployees_);
    sortEmployees(possibleEmployees_);
    return moved;
}

bool MonthClosingWizard::refuse(const char* message, ClosingField field) {
    prompter_.warn(message);
    focus_ = field;
    return false;
}

void MonthClosingWizard::storeChoices() {
    store_.writeStrings(kClosingSection,
                        {{kPeriodKey, format("%d", static_cast<int32_t>(period_))},
                         {kEmployeesKey, selection_ != ClosingSelection::All ? "1" : "0"},
                         {kDepartmentsKey, selection_ == ClosingSelection::Departments ? "1" : "0"}});
}

std::optional<ClosingMonthChoice> MonthClosingWizard::chosenMonth() const {
    const Datum today = clock_.today();
    switch (period_) {
    case ClosingPeriod::LastMonth:
        return lastMonthOf(today);
    case ClosingPeriod::CurrentMonth:
        return currentMonthOf(today);
    case ClosingPeriod::EnteredMonth:
        return parseClosingMonthText(monthText);
    }
    return std::nullopt;
}

std::vector<CMitarbeiterDoc> MonthClosingWizard::chosenEmployees() const {
    std::vector<int32_t> numbers;
    for (const CMitarbeiterDoc& e : selectedEmployees_)
        numbers.push_back(e.number);
    return chooseEmployees(employees_, selection_, selectedDepartments_, numbers, onlyActive_);
}

bool MonthClosingWizard::collect() {
    collection_.reset();
    accountList_.reset();
    costList_.reset();
    const std::optional<ClosingMonthChoice> month = chosenMonth();
    if (!month) return refuse(kMonthInvalid, ClosingField::Month);
    std::unique_ptr<MonthCollection> collection = collectMonths(dataDirectory_, chosenEmployees(), *month);
    if (collection->monthList.empty()) {
        prompter_.warn(kNoMonthData);
        return false;
    }
    collection_ = std::move(collection);
    return true;
}

bool MonthClosingWizard::next() {
    focus_ = ClosingField::None;
    switch (page_) {
    case ClosingPage::Period:
        if (period_ == ClosingPeriod::EnteredMonth) {
            if (trimWhiteSpace(monthText).empty()) return refuse(kMonthMissing, ClosingField::Month);
            if (!parseClosingMonthText(monthText)) return refuse(kMonthInvalid, ClosingField::Month);
        }
        storeChoices();
        refreshLists();
        if (selection_ == ClosingSelection::Departments) {
            page_ = ClosingPage::Departments;
            return true;
        }
        if (selection_ == ClosingSelection::Employees) {
            page_ = ClosingPage::Employees;
            return true;
        }
        break;
    case ClosingPage::Departments:
        if (selectedDepartments_.empty()) return refuse(kNoDepartmentSelected, ClosingField::PossibleDepartments);
        break;
    case ClosingPage::Employees:
        if (selectedEmployees_.empty()) return refuse(kNoEmployeeSelected, ClosingField::PossibleEmployees);
        break;
    case ClosingPage::Finish:
        return false;
    }
    if (!collect()) return false;
    page_ = ClosingPage::Finish;
    return true;
}

bool MonthClosingWizard::back() {
    focus_ = ClosingField::None;
    switch (page_) {
    case ClosingPage::Period:
        return false;
    case ClosingPage::Departments:
    case ClosingPage::Employees:
        page_ = ClosingPage::Period;
        return true;
    case ClosingPage::Finish:
        page_ = selection_ == ClosingSelection::Departments ? ClosingPage::Departments
                : selection_ == ClosingSelection::Employees ? ClosingPage::Employees
                                                            : ClosingPage::Period;
        return true;
    }
    return false;
}

std::string MonthClosingWizard::monthSummary() const {
    const std::optional<ClosingMonthChoice> month = chosenMonth();
    if (!month) return "???? - Formatfehler";
    if (period_ == ClosingPeriod::CurrentMonth) return format("%d.%d", month->month, month->year);
    return closingMonthText(*month);
}

std::string MonthClosingWizard::employeeSummary() const {
    switch (selection_) {
    case ClosingSelection::All:
        return "Alle";
    case ClosingSelection::Departments:
        return selectionSummary(selectedDepartments_, possibleDepartments_.size());
    case ClosingSelection::Employees: {
        std::vector<std::string> names;
        for (const CMitarbeiterDoc& e : selectedEmployees_)
            names.push_back(e.name);
        return selectionSummary(names, possibleEmployees_.size());
    }
    }
    return {};
}

const CReportTable& MonthClosingWizard::accountList(bool buildSwitch) {
    if (!accountList_ || accountListSwitch_ != buildSwitch) {
        accountList_ = accountListTable(*collection_, clock_.today(), buildSwitch);
        accountListSwitch_ = buildSwitch;
    }
    return *accountList_;
}

const CReportTable& MonthClosingWizard::costList() {
    if (!costList_) costList_ = costListTable(*collection_, clock_.today());
    return *costList_;
}

bool MonthClosingWizard::confirmBookingExport(BookingExportForm& form,
                                              const std::function<void(const std::string&)>& advance) {
    if (!form.ok()) return false;
    advance(closingMonthText(collection_->chosen));
    return true;
}

void MonthClosingWizard::close() {
    storeChoices();
    store_.writeStrings(kClosingSection,
                        {{kAbsenceFileKey, absenceFile}, {kAbsenceOnlyMissingKey, absenceOnlyMissing ? "1" : "0"}});
}

} // namespace lorvan
