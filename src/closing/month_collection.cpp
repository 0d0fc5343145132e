#include "closing/month_collection.h"

#include "evaluation/month_evaluation.h"
#include "foundation/calendar.h"
#include "foundation/error.h"
#include "foundation/file_system.h"
#include "foundation/number_text.h"
#include "foundation/format.h"
#include "masterdata/employee_files.h"
#include "masterdata/employee_lookup.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace lorvan {

ClosingMonthChoice lastMonthOf(const Datum& today) {
    if (today.month == 1) return {12, today.year - 1};
    return {today.month - 1, today.year};
}

ClosingMonthChoice currentMonthOf(const Datum& today) {
    return {today.month, today.year};
}

std::optional<ClosingMonthChoice> parseClosingMonthText(const std::string& text) {
    if (trimWhiteSpace(text).empty()) return std::nullopt;
    const ParsedDate date = parseDate("1." + text);
    if (!date.valid || date.day != 1 || date.month == 0 || date.year == 0) return std::nullopt;
    if (!isValidDate(Datum{1, date.month, date.year})) return std::nullopt;
    return ClosingMonthChoice{date.month, date.year};
}

std::string closingMonthText(const ClosingMonthChoice& month) {
    return format("%02d.%d", month.month, month.year);
}

std::vector<CMitarbeiterDoc> chooseEmployees(const std::map<int32_t, CMitarbeiterDoc>& employees,
                                             ClosingSelection selection,
                                             const std::vector<std::string>& departments,
                                             const std::vector<int32_t>& numbers, bool onlyActive) {
    std::vector<CMitarbeiterDoc> chosen;
    switch (selection) {
    case ClosingSelection::Departments: {
        const std::set<std::string, Cp1252Less> ordered(departments.begin(), departments.end());
        for (const std::string& department : ordered)
            for (const auto& [number, employee] : employees)
                if (employee.department == department && (!onlyActive || employee.isActive()))
                    chosen.push_back(employee);
        break;
    }
    case ClosingSelection::Employees: {
        const std::set<int32_t> ordered(numbers.begin(), numbers.end());
        for (const int32_t number : ordered) {
            const auto it = employees.find(number);
            if (it != employees.end()) chosen.push_back(it->second);
        }
        break;
    }
    case ClosingSelection::All:
        for (const auto& [number, employee] : employees)
            if (!onlyActive || employee.isActive()) chosen.push_back(employee);
        break;
    }
    return chosen;
}

ClosingYearFile::ClosingYearFile() = default;
ClosingYearFile::~ClosingYearFile() = default;
MonthCollection::MonthCollection() = default;
MonthCollection::~MonthCollection() = default;

EvaluationContext MonthCollection::context() const {
    return EvaluationContext{lookup_.get(), &previousYears_};
}

std::string MonthCollection::protocol() const {
    std::string text;
    for (const SkippedYearFile& s : skipped)
        text += "Die Jahresdatei '" + s.path + "' von " + s.employee +
                " konnte nicht gelesen werden und wurde übersprungen: " + s.reason + "\n";
    for (const std::string& clash : clashes)
        text += clash + "\n";
    return text;
}

namespace {

std::string lowerAscii(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

} // namespace

std::unique_ptr<MonthCollection> collectMonths(const std::string& dataDirectory,
                                               const std::vector<CMitarbeiterDoc>& chosenEmployees,
                                               ClosingMonthChoice chosen) {
    auto collection = std::make_unique<MonthCollection>();
    collection->chosen = chosen;
    collection->chosenEmployees = chosenEmployees;
    collection->lookup_ = EmployeeFileLookup::open(dataDirectory);
    // Year files are found without regard to letter case, so two names whose file-name forms differ
    // only in case lead to the same file as well.
    std::map<std::string, const CMitarbeiterDoc*> owners;
    for (const CMitarbeiterDoc& employee : collection->chosenEmployees) {
        if (toFileNamePart(employee.name).empty()) continue;
        const std::string path = yearFilePath(dataDirectory, employee.name, chosen.year);
        const auto [owner, isNew] = owners.emplace(lowerAscii(path), &employee);
        if (!isNew) {
            collection->clashes.push_back("Die Jahresdatei '" + path + "' gehört dem Namen nach zu " +
                                          owner->second->displayText() + " und zu " + employee.displayText() +
                                          "; sie wird nur einmal berücksichtigt, für " +
                                          owner->second->displayText() + ".");
            continue;
        }
        if (!fileExists(path)) continue;
        auto file = std::make_unique<ClosingYearFile>();
        file->path = path;
        file->employee = employee;
        try {
            file->document.openToRead(path); // the closing never saves the files
        } catch (const LorvanError& e) {
            collection->skipped.push_back({path, employee.displayText(), e.what()});
            continue;
        }
        file->evaluator = std::make_unique<YearEvaluator>(file->document, collection->context());
        ClosingYearFile* kept = file.get();
        collection->files.push_back(std::move(file));
        for (const auto& [number, month] : kept->document.months()) {
            if (number > chosen.month) break;
            collection->yearToDate.push_back({kept, number});
            if (number == chosen.month) collection->monthList.push_back({kept, number});
        }
    }
    return collection;
}

} // namespace lorvan
