#include "import/employee_matching.h"

#include "foundation/error.h"
#include "foundation/format.h"
#include "import/import_protocol.h"
#include "masterdata/employee_flows.h"
#include "masterdata/search_text.h"

#include <limits>
#include <utility>
#include <vector>

namespace lorvan {
namespace {

using search_text::comparableForm;
using search_text::contains;
using search_text::hasLetterOrDigit;

// The personnel number a text of digits only stands for; nothing for other texts and for numbers
// beyond the range of personnel numbers (they would wrap onto another employee's number).
std::optional<int32_t> personnelNumberOf(std::string_view text) {
    if (text.empty()) return std::nullopt;
    int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<int32_t>::max()) return std::nullopt;
    }
    return static_cast<int32_t>(value);
}

// "4711 - Anna Berg", then department and extra info when they are set.
std::string candidateLine(const CMitarbeiterDoc& employee) {
    std::string line = employee.displayText();
    if (!employee.department.empty()) line += " - " + employee.department;
    if (!employee.extraInfo.empty()) line += " - " + employee.extraInfo;
    return line + "\n";
}

// Shows the dialog once and refuses it after that: the values read are taken as they are, and a
// value the dialog's checks refuse creates nobody instead of asking again and again.
class TakeValuesOnce final : public EmployeeDialogHost {
  public:
    bool show(EmployeeDialog&) override { return !std::exchange(shown_, true); }

  private:
    bool shown_ = false;
};

std::string ignoredText(const std::string& text) {
    return "Mitarbeiter " + text + " wird ignoriert.\n";
}

} // namespace

EmployeeMatcher::EmployeeMatcher(EmployeeManagement& employees, ProtocolPrompter& prompter,
                                 EmployeeDialogHost* dialog)
    : employees_(employees), prompter_(prompter), dialog_(dialog) {}

const CMitarbeiterDoc& EmployeeMatcher::employee(int32_t number) const {
    const CMitarbeiterDoc* found = employees_.file().findByNumber(number);
    if (found == nullptr) throw LorvanError(kPointerNotSet);
    return *found;
}

EmployeeMatch EmployeeMatcher::match(const std::string& text, const std::string& department) {
    auto known = known_.find(text);
    if (known == known_.end()) {
        Known entry;
        entry.match = find(text, entry.byNumber);
        if (entry.match.kind == EmployeeMatch::Kind::Failed && entry.match.error.empty())
            entry.match = askAbout(text, department, std::move(entry.match.protocol));
        known = known_.emplace(text, std::move(entry)).first;
    }
    EmployeeMatch result = known->second.match;
    if (known->second.byNumber && !department.empty()) {
        const CMitarbeiterDoc& stored = employee(result.number);
        if (stored.department != department) {
            result.protocol += "Die Abteilung hat sich geändert.\nAlt: " + stored.displayText() + " - " +
                               stored.department + "\nNeu: " + stored.displayText() + " - " + department +
                               "\n";
            result.warning = true;
        }
    }
    return result;
}

// The passes of the search; Failed without an error text when nobody matches.
EmployeeMatch EmployeeMatcher::find(const std::string& text, bool& byNumber) {
    const auto& employees = employees_.file().employees;
    EmployeeMatch result;
    byNumber = false;
    if (employees.size() == 1) {
        result.kind = EmployeeMatch::Kind::Found;
        result.number = employees.begin()->first;
        return result;
    }
    if (const std::optional<int32_t> number = personnelNumberOf(text)) {
        if (employees_.file().findByNumber(*number) != nullptr) {
            result.kind = EmployeeMatch::Kind::Found;
            result.number = *number;
            byNumber = true;
            return result;
        }
    }
    if (employees_.file().isIgnored(text)) {
        result.kind = EmployeeMatch::Kind::Ignored;
        result.protocol = ignoredText(text);
        return result;
    }
    result.protocol = "Suche Mitarbeiter: " + text + "\n";
    // A blank text, or one without a letter or digit, is contained in every name: it means nobody.
    const bool blank = trimWhiteSpace(text).empty();
    const std::string form = comparableForm(text);
    const std::string_view surname = search_text::surnamePart(text);
    using Pass =
        bool (*)(const CMitarbeiterDoc&, const std::string&, const std::string&, std::string_view, bool);
    const Pass passes[] = {
        [](const CMitarbeiterDoc& e, const std::string& t, const std::string&, std::string_view, bool blank) {
            return !blank && contains(e.name, t);
        },
        [](const CMitarbeiterDoc& e, const std::string& t, const std::string&, std::string_view, bool blank) {
            return !blank && contains(e.extraInfo, t);
        },
        [](const CMitarbeiterDoc& e, const std::string&, const std::string& f, std::string_view, bool) {
            return hasLetterOrDigit(f) && contains(comparableForm(e.name), f);
        },
        [](const CMitarbeiterDoc& e, const std::string&, const std::string&, std::string_view s, bool) {
            return !s.empty() && contains(e.name, s);
        },
    };
    for (const Pass pass : passes) {
        std::vector<const CMitarbeiterDoc*> matches;
        for (const auto& [number, employee] : employees)
            if (pass(employee, text, form, surname, blank)) matches.push_back(&employee);
        if (matches.size() == 1) {
            result.kind = EmployeeMatch::Kind::Found;
            result.number = matches.front()->number;
            return result;
        }
        if (matches.empty()) continue;
        result.protocol += "Es gibt mehrere Mitarbeiter mit einer passenden Bezeichnung:\n";
        for (const CMitarbeiterDoc* candidate : matches)
            result.protocol += candidateLine(*candidate);
    }
    result.kind = EmployeeMatch::Kind::Failed;
    return result;
}

// Nobody matches: create the employee, or ignore the text always or this time, or stop the import.
EmployeeMatch EmployeeMatcher::askAbout(const std::string& text, const std::string& department,
                                        std::string protocol) {
    if (prompter_.askYesNo(asErrorText(kNoEmployeeFound) + "\n\nSoll der Mitarbeiter jetzt angelegt werden?"))
        return create(text, department, std::move(protocol));
    EmployeeMatch result;
    result.protocol = std::move(protocol);
    if (prompter_.askYesNo("Soll der Mitarbeiter für alle zukünftigen Importe ignoriert werden?")) {
        if (!employees_.ignoreInImports(text)) result.protocol += prompter_.takeMessages();
    }
    if (prompter_.askYesNo("Soll der Mitarbeiter für diesen Import ignoriert werden?")) {
        result.kind = EmployeeMatch::Kind::Ignored;
        result.protocol += ignoredText(text);
        return result;
    }
    result.kind = EmployeeMatch::Kind::Stop;
    result.error = kImportAborted;
    return result;
}

EmployeeMatch EmployeeMatcher::create(const std::string& text, const std::string& department,
                                      std::string protocol) {
    EmployeeMatch result;
    result.protocol = std::move(protocol);
    prompter_.takeMessages();
    std::string failure;
    if (trimWhiteSpace(text).empty()) {
        failure = kEmployeeNotCreated;
    } else {
        try {
            TakeValuesOnce once;
            const std::optional<int32_t> number =
                employees_.create(text, std::string(), department, dialog_ ? *dialog_ : once);
            if (!number) {
                failure = kEmployeeNotCreated;
            } else if (!employees_.save()) {
                failure = kEmployeeNotSaved;
                // The record that was not saved goes again: the file on disk is the truth.
                employees_.open();
            } else {
                result.kind = EmployeeMatch::Kind::Found;
                result.number = *number;
                result.protocol +=
                    "Der Mitarbeiter " + employee(*number).displayText() + " wurde angelegt.\n";
                known_.clear();
                return result;
            }
        } catch (const LorvanError& e) {
            failure = std::string("Fehler beim Import: ") + e.what();
        }
    }
    // What the dialog and the save said, then the failure itself.
    result.protocol += prompter_.takeMessages();
    prompter_.error(failure);
    prompter_.takeMessages();
    result.kind = EmployeeMatch::Kind::Failed;
    result.error = failure;
    return result;
}

} // namespace lorvan
