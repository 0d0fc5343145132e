#include "potential/potential_form.h"

#include "app/web_pages.h"
#include "closing/booking_export.h"
#include "foundation/file_system.h"
#include "foundation/format.h"
#include "platform/clock.h"
#include "platform/prompter.h"
#include "platform/user_store.h"

namespace lorvan {
namespace {

constexpr const char* kWeekFromKey = "MitarbeiterbewertungWocheVon";
constexpr const char* kWeekToKey = "MitarbeiterbewertungWocheBis";
constexpr const char* kPzeKey = "MitarbeiterbewertungPzeBdeDatei";
constexpr const char* kMachineKey = "MitarbeiterbewertungMaschMaDatei";
constexpr const char* kMisconductKey = "MitarbeiterbewertungFehlverhalten";

} // namespace

PotentialAnalysisForm::PotentialAnalysisForm(PotentialSource source, UserStore& store, Prompter& prompter,
                                             const Clock& clock)
    : source_(std::move(source)), store_(store), prompter_(prompter), clock_(clock) {
    const auto section = store_.readSection(kClosingSection);
    weekFrom = entryOf(section, kWeekFromKey);
    weekTo = entryOf(section, kWeekToKey);
    pzeFile = entryOf(section, kPzeKey);
    machineFile = entryOf(section, kMachineKey);
    misconductFile = entryOf(section, kMisconductKey);
}

bool PotentialAnalysisForm::refuse(const char* message, PotentialField field) {
    prompter_.warn(message);
    focus_ = field;
    return false;
}

bool PotentialAnalysisForm::checkWeeks() {
    focus_ = PotentialField::None;
    const std::string from(trimWhiteSpace(weekFrom));
    const std::string to(trimWhiteSpace(weekTo));
    if (from.empty()) return refuse(kWeekFromMissing, PotentialField::WeekFrom);
    const auto fromWeek = parseCalendarWeek(from);
    if (!fromWeek) return refuse(kWeekFromInvalid, PotentialField::WeekFrom);
    if (to.empty()) return refuse(kWeekToMissing, PotentialField::WeekTo);
    const auto toWeek = parseCalendarWeek(to);
    if (!toWeek) return refuse(kWeekToInvalid, PotentialField::WeekTo);
    // A range that ends before it begins would give an empty table without a word.
    if (toWeek->year < fromWeek->year || (toWeek->year == fromWeek->year && toWeek->week < fromWeek->week))
        return refuse(kWeekToBeforeFrom, PotentialField::WeekTo);
    from_ = *fromWeek;
    to_ = *toWeek;
    return true;
}

bool PotentialAnalysisForm::checkAnalysis() {
    if (!checkWeeks()) return false;
    const std::pair<const std::string*, PotentialField> paths[] = {{&pzeFile, PotentialField::PzeFile},
                                                                   {&machineFile, PotentialField::MachineFile},
                                                                   {&misconductFile, PotentialField::MisconductFile}};
    for (const auto& [path, field] : paths)
        if (!path->empty() && !fileExists(*path)) return refuse(kFileDoesNotExist, field);
    store_.writeStrings(kClosingSection, {{kWeekFromKey, weekFrom},
                                          {kWeekToKey, weekTo},
                                          {kPzeKey, pzeFile},
                                          {kMachineKey, machineFile},
                                          {kMisconductKey, misconductFile}});
    return true;
}

bool PotentialAnalysisForm::checkWorkingTimes() {
    if (!checkWeeks()) return false;
    store_.writeStrings(kClosingSection, {{kWeekFromKey, weekFrom}, {kWeekToKey, weekTo}});
    return true;
}

CReportTable PotentialAnalysisForm::analysis() {
    return analyseWeeks(from_, to_, PotentialFiles{pzeFile, machineFile, misconductFile}, source_, prompter_);
}

CReportTable PotentialAnalysisForm::workingTimes() {
    return listWeekTimes(mondayOfWeek(from_), to_, source_, prompter_);
}

std::string PotentialAnalysisForm::exportTitle() const {
    return potentialExportTitle(from_, to_, clock_.today());
}

void PotentialAnalysisForm::showHazardNotice(WebBrowser& browser) {
    openWebPage(browser, prompter_, kHazardNoticeAddress);
}

IoSelect PotentialAnalysisForm::fileSelection(PotentialField field, const std::string& initialDirectory) const {
    const char* title = "Auswertung PZE/BDE-Datei auswählen";
    const std::string* path = &pzeFile;
    if (field == PotentialField::MachineFile) {
        title = "Auswertung Maschine-Mitarbeiter-Datei von Woche_von auswählen";
        path = &machineFile;
    } else if (field == PotentialField::MisconductFile) {
        title = "Indexdatei mit Fehlverhalten auswählen";
        path = &misconductFile;
    }
    IoSelect selection(IoSelectMode::SelectFile, *path, title, initialDirectory);
    selection.setTitle(title);
    return selection;
}

} // namespace lorvan
