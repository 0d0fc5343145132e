#include "import/employee_import.h"

#include "app/processing.h"
#include "foundation/error.h"
#include "foundation/file_system.h"
#include "foundation/format.h"
#include "foundation/number_text.h"
#include "foundation/split_fields.h"
#include "foundation/text_encoding.h"
#include "import/import_file_text.h"
#include "masterdata/employee_file.h"
#include "masterdata/employee_files.h"
#include "masterdata/employee_list.h"
#include "masterdata/employee_lookup.h"
#include "masterdata/search_text.h"
#include "masterdata/year_file_creation.h"
#include "platform/clock.h"
#include "platform/prompter.h"

#include <limits>
#include <map>
#include <set>
#include <unordered_map>
#include <unordered_set>

namespace lorvan {
namespace {

constexpr int kFieldCount = 9;
constexpr int kNumberField = 1;
constexpr int kNameField = 2;
constexpr int kExtraInfoField = 3;
constexpr int kDepartmentField = 4;
constexpr int kIgnoreField = 5;
constexpr int kTemplateField = 6;
constexpr int kAccountField = 7;
constexpr int kRemainingVacationField = 8;
constexpr int kEntitlementField = 9;

struct NumberColumn {
    int field;
    const char* title;
};
constexpr NumberColumn kNumberColumns[] = {
    {kAccountField, "Übertrag Arbeitszeitkonto"},
    {kRemainingVacationField, "Resturlaub Vorjahr"},
    {kEntitlementField, "Urlaubsanspruch"},
};

constexpr const char* kEmployeeFileNotSaved = "FEHLER: Die Mitarbeiterdatei konnte nicht gespeichert werden.\n";

std::string notCreated(const std::string& name) {
    return "Die Datei für Mitarbeiter " + name + " konnte nicht angelegt werden.\n";
}

// An optional sign, digits with at most one decimal point, at least one digit, nothing else.
bool isDecimalNumber(std::string_view text) {
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    size_t digits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (text[i] >= '0' && text[i] <= '9') {
            ++digits;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digits > 0;
}

// A template is a file of the data directory itself: no folder part, no way up, no absolute path
// (also none of the Windows forms "C:..." and "\\server").
bool staysInDataDirectory(std::string_view templateName) {
    return templateName.find('/') == std::string_view::npos && templateName.find('\\') == std::string_view::npos &&
           templateName.find("..") == std::string_view::npos &&
           !(templateName.size() >= 2 && templateName[1] == ':');
}

// Two names share their year files when their file-name forms are equal without regard to letter
// case (sameFileNameForm); this key is equal exactly then.
std::string fileNameKey(std::string_view name) {
    std::string key = toFileNamePart(name);
    for (char& c : key)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return key;
}

std::string_view trimRight(std::string_view text) {
    const size_t last = text.find_last_not_of(" \t\r\n\v\f");
    return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

// What one line left for the year-file step.
struct PendingYearFile {
    CMitarbeiterDoc employee; // the record as the line left it
    YearFileRequest request;
};

struct LineWork {
    bool error = false;
    bool changedEmployeeFile = false; // the line created or changed a record or the ignore list
    std::optional<PendingYearFile> yearFile;
};

// One run over the lines of a file: the employee file in memory, the lookups the lines need.
class EmployeeImporter {
  public:
    EmployeeImporter(CTwMaDoc& file, const EmployeeImportOptions& options, const EmployeeImportEnvironment& environment)
        : file_(file), options_(options), environment_(environment), ignoreListBefore_(file.ignoreList) {
        for (const auto& [number, employee] : file_.employees)
            byFileName_.emplace(fileNameKey(employee.name), number);
    }

    void readLines(std::string_view text, EmployeeImportResult& result);
    // Saves "Daten.mar" once when a line changed it; a failure fails those lines.
    void saveEmployeeFile(EmployeeImportResult& result);
    // The year files of the lines that got that far, in line order.
    void createYearFiles(EmployeeImportResult& result);

  private:
    // One split line: checks it and makes its changes of the employee file in memory; the year file
    // is left to createYearFiles.
    void importEmployeeLine(const std::map<int, std::string>& fields, EmployeeLineReport& report, LineWork& work);
    bool isIgnored(const std::string& person) const;
    // Another employee than `number` whose name has the same file-name form; nullptr when none.
    const CMitarbeiterDoc* fileNameOwner(const std::string& key, int32_t number) const;
    void refile(int32_t number, const std::string& oldKey, const std::string& newKey);
    void keepResponsive() const {
        if (environment_.keepResponsive) environment_.keepResponsive();
    }

    CTwMaDoc& file_;
    const EmployeeImportOptions& options_;
    const EmployeeImportEnvironment& environment_;
    std::vector<LineWork> work_; // parallel to result.lines
    // The ignore list as loaded, and the persons this run added: the list is not searched as a
    // whole again for every line.
    std::string ignoreListBefore_;
    std::unordered_set<std::string> ignoredNow_;
    std::unordered_multimap<std::string, int32_t> byFileName_; // file-name key -> numbers
    std::set<int32_t> changedNumbers_;                         // records created or changed
    std::set<int32_t> withYearFile_;                           // a line of the run creates its year file
};

bool EmployeeImporter::isIgnored(const std::string& person) const {
    if (ignoredNow_.count(person) != 0) return true;
    return !person.empty() && ignoreListBefore_.find("'" + person + "'") != std::string::npos;
}

const CMitarbeiterDoc* EmployeeImporter::fileNameOwner(const std::string& key, int32_t number) const {
    const auto [first, last] = byFileName_.equal_range(key);
    for (auto it = first; it != last; ++it)
        if (it->second != number) return file_.findByNumber(it->second);
    return nullptr;
}

void EmployeeImporter::refile(int32_t number, const std::string& oldKey, const std::string& newKey) {
    const auto [first, last] = byFileName_.equal_range(oldKey);
    for (auto it = first; it != last; ++it) {
        if (it->second == number) {
            byFileName_.erase(it);
            break;
        }
    }
    byFileName_.emplace(newKey, number);
}

void EmployeeImporter::readLines(std::string_view text, EmployeeImportResult& result) {
    int64_t lineNumber = 0;
    std::map<int, std::string> fields;
    std::string message;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view raw = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++lineNumber;
        if (lineNumber == 1 && options_.skipFirstLine) continue;
        const std::string_view line = trimRight(raw);
        if (line.empty()) continue;

        EmployeeLineReport& report = result.lines.emplace_back();
        LineWork& work = work_.emplace_back();
        report.lineNumber = lineNumber;
        report.protocol = format("Zeile %ld:\n", static_cast<long>(lineNumber));
        if (!SplitFields(line, SplitVariant::EmployeeImport, NextLine(), kFieldCount, fields, message)) {
            report.protocol += "Lese Zeile\n" + std::string(line) + "\n" + message;
            work.error = true;
        } else {
            // A quoted field keeps the blanks inside its quotes; the columns are read without them.
            for (auto& [number, field] : fields)
                field = std::string(trimWhiteSpace(field));
            importEmployeeLine(fields, report, work);
        }
        keepResponsive();
    }
}

void EmployeeImporter::importEmployeeLine(const std::map<int, std::string>& fields, EmployeeLineReport& report,
                                          LineWork& work) {
    const std::string& numberText = fields.at(kNumberField);
    const std::string& name = fields.at(kNameField);
    report.personnelNumber = numberText;
    report.name = name;
    const auto fail = [&](const std::string& error, const std::string& shownName) {
        report.protocol += error + notCreated(shownName);
        work.error = true;
    };

    // The personnel number: digits only, above 0, and within the numbers a record can hold (more
    // digits would wrap onto another employee's number).
    if (numberText.empty()) return fail("FEHLER: Die Personalnr wurde nicht übergeben für: " + name + "\n", name);
    if (!isNumberText(numberText, false))
        return fail("FEHLER: Die Personalnr '" + numberText + "' ist keine Zahl für: " + name + "\n", name);
    const int64_t value = readLeadingInteger(numberText);
    const bool fits = value <= std::numeric_limits<int32_t>::max();
    const auto number = static_cast<int32_t>(fits ? value : 0);
    const CMitarbeiterDoc* existing = fits ? file_.findByNumber(number) : nullptr;
    if (existing == nullptr && isIgnored(numberText)) {
        report.status = EmployeeLineStatus::Skipped;
        return;
    }
    if (!fits) return fail("FEHLER: Die Personalnr '" + numberText + "' ist zu groß für: " + name + "\n", name);
    if (number <= 0)
        return fail("FEHLER: Die Personalnr '" + numberText + "' muss größer als 0 sein für: " + name + "\n", name);

    const std::string& ignoreMark = fields.at(kIgnoreField);
    if (existing == nullptr && !ignoreMark.empty() && ignoreMark != "0") {
        if (file_.addIgnored(numberText)) work.changedEmployeeFile = true;
        ignoredNow_.insert(numberText);
        report.status = EmployeeLineStatus::Ignored;
        return;
    }

    report.protocol += "Mitarbeiter: " + numberText + " - " + name + "\n";
    const std::string newName = name.empty() && existing != nullptr ? existing->name : name;
    const std::string shownName = newName.empty() ? numberText : newName;
    const std::string& templateName = fields.at(kTemplateField);
    if (!staysInDataDirectory(templateName))
        return fail("FEHLER: Die Vorlagedatei '" + templateName +
                        "' muss eine Datei im Datenverzeichnis sein; geben Sie nur ihren Namen an.\n",
                    shownName);
    for (const NumberColumn& column : kNumberColumns) {
        const std::string text = decimalCommaToPoint(fields.at(column.field));
        if (!text.empty() && !isDecimalNumber(text))
            return fail(format("FEHLER: In Spalte %d (%s) steht keine Zahl: '%s'\n", column.field, column.title,
                               fields.at(column.field).c_str()),
                        shownName);
    }
    // The name names the year files: it needs a letter or digit there, and no other employee may
    // have the same file-name form. The year files of an employee keep his old name, so a name
    // that would lose them is left to "Mitarbeiter verwalten", which renames the files as well.
    const bool renamed = existing == nullptr || newName != existing->name;
    const std::string newKey = fileNameKey(newName);
    if (renamed) {
        if (!search_text::hasLetterOrDigit(toFileNamePart(newName)))
            return fail("FEHLER: Geben Sie einen Namen ein.\n", shownName);
        if (const CMitarbeiterDoc* other = fileNameOwner(newKey, number))
            return fail("FEHLER: " + nameConflictMessage(other->name) + "\n", shownName);
    }
    const std::string oldKey = existing != nullptr ? fileNameKey(existing->name) : std::string();
    if (existing != nullptr && renamed && oldKey != newKey &&
        (withYearFile_.count(number) != 0 || !employeeFiles(environment_.dataDirectory, existing->name).empty()))
        return fail("FEHLER: Der Name von " + existing->displayText() +
                        " kann beim Import nicht geändert werden, da es Jahresdateien unter diesem Namen gibt. "
                        "Ändern Sie den Namen unter 'Mitarbeiter verwalten'.\n",
                    shownName);

    CMitarbeiterDoc record;
    if (existing != nullptr) {
        record = *existing;
    } else {
        record.number = number;
        report.newEmployee = true;
    }
    bool changed = existing == nullptr;
    const auto take = [&changed](std::string& value, const std::string& given) {
        if (given.empty() || given == value) return;
        value = given;
        changed = true;
    };
    take(record.name, name);
    take(record.extraInfo, fields.at(kExtraInfoField));
    take(record.department, fields.at(kDepartmentField));
    if (changed) {
        if (renamed) refile(number, oldKey, newKey);
        file_.put(record);
        changedNumbers_.insert(number);
        work.changedEmployeeFile = true;
    }

    PendingYearFile pending;
    pending.employee = record;
    pending.request.year = options_.year;
    pending.request.templateName = templateName;
    pending.request.accountCarryOver = decimalCommaToPoint(fields.at(kAccountField));
    pending.request.remainingVacation = decimalCommaToPoint(fields.at(kRemainingVacationField));
    pending.request.vacationEntitlement = decimalCommaToPoint(fields.at(kEntitlementField));
    pending.request.reportExisting = options_.onlyNew;
    work.yearFile = std::move(pending);
    withYearFile_.insert(number);
    report.status = EmployeeLineStatus::Imported;
}

void EmployeeImporter::saveEmployeeFile(EmployeeImportResult& result) {
    bool changed = false;
    for (const LineWork& work : work_)
        changed = changed || work.changedEmployeeFile;
    if (!changed) return;
    ProtocolPrompter prompts(*environment_.prompter);
    StorageContext storage;
    storage.prompter = &prompts;
    storage.dataDirectory = environment_.dataDirectory;
    const bool saved = file_.save(CTwMaDoc::pathIn(environment_.dataDirectory), true, storage);
    if (environment_.cachedList != nullptr) environment_.cachedList->discard();
    if (saved) return;
    // Nothing of the run reached "Daten.mar": the lines that changed it fail, and so does every
    // line of an employee changed by the run, whose year file would not match the file's record.
    for (size_t i = 0; i < work_.size(); ++i) {
        LineWork& work = work_[i];
        const bool affected = work.changedEmployeeFile ||
                              (work.yearFile && changedNumbers_.count(work.yearFile->employee.number) != 0);
        if (!affected || work.error) continue;
        EmployeeLineReport& report = result.lines[i];
        report.protocol += kEmployeeFileNotSaved + prompts.messages();
        if (work.yearFile) {
            const std::string& name = work.yearFile->employee.name;
            report.protocol += notCreated(name.empty() ? report.personnelNumber : name);
        }
        work.yearFile.reset();
        work.error = true;
        report.status = EmployeeLineStatus::Failed;
        report.newEmployee = false;
    }
}

void EmployeeImporter::createYearFiles(EmployeeImportResult& result) {
    // The file as saved: the template's balances see the employment dates of every employee.
    const EmployeeFileLookup employees(file_);
    StorageContext storage;
    storage.prompter = environment_.prompter;
    storage.dataDirectory = environment_.dataDirectory;
    for (size_t i = 0; i < work_.size(); ++i) {
        LineWork& work = work_[i];
        if (!work.yearFile || work.error) continue;
        keepResponsive();
        EmployeeLineReport& report = result.lines[i];
        const CMitarbeiterDoc& employee = work.yearFile->employee;
        bool created = false;
        try {
            created = createYearFile(employee, work.yearFile->request, report.protocol, storage,
                                     *environment_.clock, &employees);
        } catch (const LorvanError& e) {
            report.protocol += "FEHLER: " + std::string(e.what()) + "\n" + notCreated(employee.name);
        }
        if (created) {
            report.yearFile = yearFilePath(environment_.dataDirectory, employee.name, options_.year);
        } else {
            work.error = true;
            report.status = EmployeeLineStatus::Failed;
        }
    }
}

// Appends the line blocks and the summary to the protocol and counts the lines.
void finishProtocol(const EmployeeImportOptions& options, EmployeeImportResult& result) {
    for (const EmployeeLineReport& report : result.lines) {
        if (report.status == EmployeeLineStatus::Failed) {
            ++result.erroneousLines;
            result.protocol += report.protocol + "Zeile mit Fehler.\n\n";
        } else {
            ++result.errorFreeLines;
            if (options.logAll) result.protocol += report.protocol + "Zeile fehlerfrei gelesen.\n\n";
        }
    }
    if (options.logAll || result.erroneousLines > 0)
        result.protocol += format("\nZusammenfassung:\nFehlerfrei: %ld\nFehlerhaft: %ld\n\n",
                                  static_cast<long>(result.errorFreeLines), static_cast<long>(result.erroneousLines));
}

} // namespace

std::optional<EmployeeImportRefusal> checkEmployeeImport(const std::string& importFile, int32_t year,
                                                         const Clock& clock) {
    if (!fileExists(importFile)) return EmployeeImportRefusal{kImportFileMissingMessage, EmployeeImportField::File};
    const int32_t current = clock.today().year;
    if (year < current - 1 || year > current + 1)
        return EmployeeImportRefusal{kImplausibleYearMessage, EmployeeImportField::Year};
    return std::nullopt;
}

bool importEmployees(CTwMaDoc& employees, const EmployeeImportOptions& options,
                     const EmployeeImportEnvironment& environment, EmployeeImportResult& result) {
    result.protocol = "Die Datei '" + options.importFile + "' wird gelesen.\n";
    result.lines.clear();
    result.errorFreeLines = 0;
    result.erroneousLines = 0;
    std::string text;
    try {
        text = importFileText(options.importFile);
    } catch (const LorvanError& e) {
        result.protocol += "EXCEPTION: " + std::string(e.what()) + "\n";
        return false;
    }
    EmployeeImporter importer(employees, options, environment);
    importer.readLines(text, result);
    // Every record of the run is in "Daten.mar" before the first year file is created.
    importer.saveEmployeeFile(result);
    importer.createYearFiles(result);
    finishProtocol(options, result);
    return result.erroneousLines == 0;
}

EmployeeImportResult runEmployeeImport(const EmployeeImportOptions& options,
                                       const EmployeeImportEnvironment& environment) {
    EmployeeImportResult result;
    Prompter& prompter = *environment.prompter;
    const std::string path = CTwMaDoc::pathIn(environment.dataDirectory);
    if (!fileExists(path)) {
        result.failure = kNoEmployeeFileMessage;
        prompter.error(result.failure);
        return result;
    }
    CTwMaDoc employees;
    try {
        employees.open(path);
    } catch (const LorvanError& e) {
        throw LorvanError(std::string(kLoadEmployeesError) + ": " + e.what());
    }

    std::optional<ProcessingGuard> processing;
    if (environment.processing != nullptr) processing.emplace(*environment.processing);
    std::string failure;
    try {
        if (!importEmployees(employees, options, environment, result)) failure = kImportErrorsMessage;
    } catch (const std::exception& e) {
        failure = "Fehler beim Import: " + leftCharacters(e.what(), 1000);
    } catch (...) {
        failure = "Fehler beim Import";
    }
    processing.reset();

    if (failure.empty()) {
        result.success = true;
        result.protocol += kImportSucceededText;
    } else {
        result.failure = failure;
        prompter.error(failure);
    }
    return result;
}

} // namespace lorvan
