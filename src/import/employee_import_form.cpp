#include "import/employee_import_form.h"

#include "foundation/text_encoding.h"
#include "platform/clock.h"
#include "platform/prompter.h"
#include "platform/user_store.h"

#include <map>

namespace lorvan {
namespace {

bool checked(const std::map<std::string, std::string>& section, const char* entry) {
    return entryOf(section, entry, "1") != "0";
}

const char* storedFlag(bool on) {
    return on ? "1" : "0";
}

} // namespace

EmployeeImportForm::EmployeeImportForm(UserStore& store, const Clock& clock) : store_(store), clock_(clock) {
    const std::map<std::string, std::string> section = store_.readSection(kStoreSettings);
    importFile = leftCharacters(entryOf(section, kStoreEmployeeImportFile), kMaxPathLength);
    year = clock_.today().year;
    skipFirstLine = checked(section, kStoreEmployeeImportSkipFirstLine);
    onlyNew = checked(section, kStoreEmployeeImportOnlyNew);
    logAll = checked(section, kStoreEmployeeImportLogAll);
}

IoSelect EmployeeImportForm::fileSelection(const std::string& dataDirectory) const {
    IoSelect selection(IoSelectMode::SelectFile, importFile, "", dataDirectory);
    selection.setTitle("Importdatei");
    return selection;
}

void EmployeeImportForm::chooseFile(const std::string& path) {
    importFile = leftCharacters(path, kMaxPathLength);
}

EmployeeImportForm::Outcome EmployeeImportForm::import(const EmployeeImportEnvironment& environment) {
    Outcome outcome;
    if (const std::optional<EmployeeImportRefusal> refusal = checkEmployeeImport(importFile, year, clock_)) {
        environment.prompter->error(refusal->message);
        outcome.focus = refusal->field;
        return outcome;
    }
    // A store that cannot be written costs the remembered choices, not the import.
    store_.writeStrings(kStoreSettings, {{kStoreEmployeeImportFile, importFile},
                                         {kStoreEmployeeImportSkipFirstLine, storedFlag(skipFirstLine)},
                                         {kStoreEmployeeImportOnlyNew, storedFlag(onlyNew)},
                                         {kStoreEmployeeImportLogAll, storedFlag(logAll)}});
    EmployeeImportOptions options;
    options.importFile = importFile;
    options.year = year;
    options.skipFirstLine = skipFirstLine;
    options.onlyNew = onlyNew;
    options.logAll = logAll;
    outcome.result = runEmployeeImport(options, environment);
    outcome.ran = true;
    return outcome;
}

} // namespace lorvan
