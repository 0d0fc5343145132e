#include "import/time_import_form.h"

#include "foundation/text_encoding.h"
#include "platform/prompter.h"
#include "platform/user_store.h"

#include <map>

namespace lorvan {
namespace {

const char* storedFlag(bool on) {
    return on ? "1" : "0";
}

} // namespace

TimeImportForm::TimeImportForm(UserStore& store, bool buildSwitch)
    : store_(store), buildSwitch_(buildSwitch) {
    const std::map<std::string, std::string> common = store_.readSection(kStoreImportSection);
    absences_ = entryOf(common, kStoreImportAbsences, "0") == "1";
    companyLayout_ = buildSwitch_ && entryOf(common, kStoreImportCompanyLayout, "1") == "1";
    load();
}

std::string TimeImportForm::section() const {
    std::string name = kStoreImportSection;
    name.append(absences_ ? "Fz" : "Zz");
    name.append(companyLayout_ ? "Sp" : "St");
    return name;
}

void TimeImportForm::load() {
    const std::map<std::string, std::string> values = store_.readSection(section());
    importFile = leftCharacters(entryOf(values, kStoreImportFile), kMaxPathLength);
    skipFirstLine = !companyLayout_ && entryOf(values, kStoreImportSkipFirstLine, "0") == "1";
    keepExisting = entryOf(values, kStoreImportKeepExisting, "0") == "1";
    logAll = entryOf(values, kStoreImportLogAll, "0") == "1";
    protocolFile = leftCharacters(entryOf(values, kStoreImportProtocol), kMaxPathLength);
}

void TimeImportForm::store() const {
    // A store that cannot be written costs the remembered choices, not the import.
    std::map<std::string, std::string> common{{kStoreImportAbsences, storedFlag(absences_)}};
    if (buildSwitch_) common.emplace(kStoreImportCompanyLayout, storedFlag(companyLayout_));
    store_.writeStrings(kStoreImportSection, common);
    store_.writeStrings(section(), {{kStoreImportFile, importFile},
                                    {kStoreImportSkipFirstLine, storedFlag(skipFirstLine && !companyLayout_)},
                                    {kStoreImportKeepExisting, storedFlag(keepExisting)},
                                    {kStoreImportLogAll, storedFlag(logAll)},
                                    {kStoreImportProtocol, protocolFile}});
}

void TimeImportForm::setAbsences(bool on) {
    if (on == absences_) return;
    store();
    absences_ = on;
    load();
}

void TimeImportForm::setCompanyLayout(bool on) {
    if (on == companyLayout_ || !buildSwitch_) return;
    store();
    companyLayout_ = on;
    load();
}

ImportMode TimeImportForm::mode() const {
    if (companyLayout_) return absences_ ? ImportMode::CompanyAbsences : ImportMode::CompanyTimes;
    return absences_ ? ImportMode::StandardAbsences : ImportMode::StandardTimes;
}

IoSelect TimeImportForm::fileSelection(const std::string& dataDirectory) const {
    IoSelect selection(IoSelectMode::SelectFile, importFile, "", dataDirectory);
    selection.setTitle("Importdatei");
    return selection;
}

IoSelect TimeImportForm::protocolSelection(const std::string& dataDirectory) const {
    IoSelect selection(IoSelectMode::SaveFile, protocolFile, "", dataDirectory);
    selection.setTitle("Protokolldatei");
    selection.addFilter("Textdateien", "txt; log");
    selection.setDefaultExtension("txt");
    return selection;
}

void TimeImportForm::chooseFile(const std::string& path) {
    importFile = leftCharacters(path, kMaxPathLength);
}

void TimeImportForm::chooseProtocol(const std::string& path) {
    protocolFile = leftCharacters(path, kMaxPathLength);
}

TimeImportOptions TimeImportForm::options() const {
    TimeImportOptions options;
    options.mode = mode();
    options.importFile = importFile;
    options.protocolFile = protocolFile;
    options.skipFirstLine = skipFirstLine && !companyLayout_;
    options.keepExisting = keepExisting;
    options.logAll = logAll;
    return options;
}

TimeImportForm::Outcome TimeImportForm::import(TimeImportEnvironment& environment) {
    Outcome outcome;
    const TimeImportOptions run = options();
    if (const std::optional<ImportStartRefusal> refusal = checkImportStart(run, environment.dataDirectory)) {
        environment.prompter->error(refusal->message);
        outcome.focus = refusal->protocolField ? TimeImportField::Protocol : TimeImportField::File;
        return outcome;
    }
    store();
    outcome.result = runTimeImport(run, environment);
    outcome.ran = true;
    return outcome;
}

} // namespace lorvan
