#include "query/query_wizard.h"

#include "foundation/calendar.h"
#include "foundation/error.h"
#include "foundation/file_system.h"
#include "foundation/format.h"
#include "foundation/text_encoding.h"
#include "platform/clock.h"
#include "platform/prompter.h"

#include <algorithm>
#include <utility>

namespace lorvan {

std::string queryPageCaption(QueryPage page) {
    switch (page) {
    case QueryPage::Period:
        return "Kundenabfrage - Festlegen des Zeitraums und der Auswahlmöglichkeiten";
    case QueryPage::Structure:
        return "Kundenabfrage - Festlegen des Aufbaus";
    case QueryPage::Employees:
        return "Kundenabfrage - Auswählen einzelner Mitarbeiter";
    case QueryPage::Customers:
        return "Kundenabfrage - Auswählen einzelner Kunden";
    case QueryPage::Services:
        return "Kundenabfrage - Auswählen einzelner Dienstleistungen";
    case QueryPage::Finish:
        break;
    }
    return "Kundenabfrage - Fertig stellen";
}

// --- selection lists

void SelectionLists::reset(const std::vector<Entry>& entries) {
    possible_.clear();
    selected_.clear();
    for (size_t i = 0; i < entries.size(); ++i) {
        Entry entry = entries[i];
        entry.order = i;
        possible_.push_back(std::move(entry));
    }
}

std::vector<std::string> SelectionLists::selectedTexts() const {
    std::vector<std::string> texts;
    for (const Entry& entry : selected_)
        texts.push_back(entry.text);
    return texts;
}

void SelectionLists::insertOrdered(std::vector<Entry>& list, Entry entry) {
    const auto at = std::lower_bound(list.begin(), list.end(), entry.order,
                                     [](const Entry& e, size_t order) { return e.order < order; });
    list.insert(at, std::move(entry));
}

bool SelectionLists::moveAll() {
    if (possible_.empty()) return false;
    for (Entry& entry : possible_)
        insertOrdered(selected_, std::move(entry));
    possible_.clear();
    return true;
}

bool SelectionLists::moveSelected(int possibleRow) {
    if (possibleRow < 0 || static_cast<size_t>(possibleRow) >= possible_.size()) return false;
    insertOrdered(selected_, std::move(possible_[static_cast<size_t>(possibleRow)]));
    possible_.erase(possible_.begin() + possibleRow);
    return true;
}

bool SelectionLists::moveBack(int selectedRow) {
    if (selectedRow < 0 || static_cast<size_t>(selectedRow) >= selected_.size()) return false;
    insertOrdered(possible_, std::move(selected_[static_cast<size_t>(selectedRow)]));
    selected_.erase(selected_.begin() + selectedRow);
    return true;
}

bool SelectionLists::moveBackAll() {
    if (selected_.empty()) return false;
    for (Entry& entry : selected_)
        insertOrdered(possible_, std::move(entry));
    selected_.clear();
    return true;
}

size_t SelectionLists::moveContaining(const std::string& text) {
    const std::string wanted = toUpperCp1252(text);
    size_t moved = 0;
    for (size_t i = 0; i < possible_.size();) {
        if (toUpperCp1252(possible_[i].text).find(wanted) != std::string::npos) {
            moveSelected(static_cast<int>(i));
            ++moved;
        } else {
            ++i;
        }
    }
    return moved;
}

// --- wizard

DruckKunde::DruckKunde(std::string employeeFilePath, const CTwMaDoc& employees, const CTwKundenDoc& customers,
                       const Clock& clock, Prompter& prompter)
    : choices(QueryChoices::fromSettings(employees.customerQuery, clock.today())),
      employeeFilePath_(std::move(employeeFilePath)), employeeFile_(employees), customerFile_(customers),
      clock_(clock), prompter_(prompter) {}

std::vector<std::string> DruckKunde::periodTexts() const {
    return periodChoiceTexts(clock_.today());
}

std::vector<std::string> DruckKunde::levelChoices(int32_t level) {
    std::vector<std::string> names(kQueryLevelNames.begin(), kQueryLevelNames.end());
    if (level == 1) names.pop_back();
    return names;
}

QueryChoices DruckKunde::runChoices() const {
    QueryChoices run = choices;
    run.period.today = clock_.today();
    run.employees = choices.allEmployees ? std::vector<std::string>{} : employees_.selectedTexts();
    run.customers = choices.allCustomers ? std::vector<std::string>{} : customers_.selectedTexts();
    run.services = choices.allServices ? std::vector<std::string>{} : services_.selectedTexts();
    return run;
}

void DruckKunde::refreshEmployees() {
    std::vector<SelectionLists::Entry> entries;
    for (const auto& [number, employee] : employeeFile_.employees) {
        if (onlyActiveEmployees && !employee.isActive()) continue;
        entries.push_back({employee.name, format("%ld", static_cast<long>(number)), 0});
    }
    employees_.reset(entries);
}

std::optional<QueryPage> DruckKunde::pageAfter(QueryPage page) const {
    if (page == QueryPage::Period) return QueryPage::Structure;
    if (page == QueryPage::Structure && !choices.allEmployees) return QueryPage::Employees;
    if ((page == QueryPage::Structure || page == QueryPage::Employees) && !choices.allCustomers)
        return QueryPage::Customers;
    if (page != QueryPage::Services && page != QueryPage::Finish && !choices.allServices) return QueryPage::Services;
    if (page == QueryPage::Finish) return std::nullopt;
    return QueryPage::Finish;
}

bool DruckKunde::enter(QueryPage page) {
    const QuerySource source{directoryOfPath(employeeFilePath_, false), &employeeFile_, &customerFile_};
    switch (page) {
    case QueryPage::Employees:
        refreshEmployees();
        break;
    case QueryPage::Customers: {
        const std::vector<std::string> texts = possibleCustomers(source, runChoices());
        if (texts.empty()) {
            prompter_.warn(kNoCustomersMessage);
            return false;
        }
        std::vector<SelectionLists::Entry> entries;
        for (const std::string& text : texts)
            entries.push_back({text, "", 0});
        customers_.reset(entries);
        break;
    }
    case QueryPage::Services: {
        const std::vector<std::string> texts = possibleServices(source, runChoices());
        if (texts.empty()) {
            prompter_.warn(kNoServicesMessage);
            return false;
        }
        std::vector<SelectionLists::Entry> entries;
        for (const std::string& text : texts)
            entries.push_back({text, "", 0});
        services_.reset(entries);
        break;
    }
    case QueryPage::Finish:
        if (!evaluate()) return false;
        break;
    case QueryPage::Period:
    case QueryPage::Structure:
        break;
    }
    pages_.push_back(page);
    return true;
}

bool DruckKunde::evaluate() {
    const QuerySource source{directoryOfPath(employeeFilePath_, false), &employeeFile_, &customerFile_};
    const QueryChoices run = runChoices();
    std::optional<QueryResult> result = evaluateQuery(source, run, prompter_);
    if (!result) return false;
    if (!result->hasData()) {
        prompter_.warn(kNoDataMessage);
        return false;
    }
    const auto count = [](const SelectionLists& lists) { return lists.possible().size() + lists.selected().size(); };
    summary_ = querySummary(run, PossibleCounts{count(employees_), count(customers_), count(services_)});
    report_ = QueryReport{summary_.title, run, std::move(result->root)};
    skipped_ = std::move(result->skippedFiles);
    return true;
}

bool DruckKunde::next() {
    focus_ = QueryField::None;
    const QueryPage current = page();
    if (current == QueryPage::Period) {
        if (choices.period.choice == kPeriodOwn && compareDates(choices.period.start, choices.period.end) > 0) {
            prompter_.warn(kPeriodOrderMessage);
            focus_ = QueryField::PeriodEnd;
            return false;
        }
        pages_.assign(1, QueryPage::Period);
    }
    if (current == QueryPage::Employees && employees_.selected().empty()) {
        prompter_.warn(kNoEmployeeSelectedMessage);
        focus_ = QueryField::PossibleList;
        return false;
    }
    const std::optional<QueryPage> following = pageAfter(current);
    return following && enter(*following);
}

void DruckKunde::back() {
    if (canGoBack()) pages_.pop_back();
}

bool DruckKunde::selectContaining(QueryPage page, const std::string& text) {
    if (text.empty()) {
        prompter_.warn(page == QueryPage::Services ? kEnterServiceMessage : kEnterCustomerMessage);
        focus_ = QueryField::SearchText;
        return false;
    }
    (page == QueryPage::Services ? services_ : customers_).moveContaining(text);
    return true;
}

bool DruckKunde::close() {
    CTwMaDoc file;
    const StorageContext storage{&prompter_, directoryOfPath(employeeFilePath_, false), nullptr, nullptr};
    if (fileExists(employeeFilePath_) && !file.open(employeeFilePath_, storage)) return false;
    choices.storeInto(file.customerQuery);
    return file.save(employeeFilePath_, true, storage);
}

} // namespace lorvan
