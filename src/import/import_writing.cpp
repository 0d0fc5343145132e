// The writing phase of the time import: per employee and year file, every day of the picture is
// applied to the file's document, and the file is saved once after all its days.

#include "entry/time_line_entry.h"
#include "evaluation/day_checks.h"
#include "evaluation/public_holidays.h"
#include "foundation/calendar.h"
#include "foundation/error.h"
#include "foundation/file_system.h"
#include "foundation/format.h"
#include "foundation/number_text.h"
#include "foundation/time_text.h"
#include "import/import_codes.h"
#include "import/time_import_state.h"
#include "masterdata/customer_list.h"
#include "masterdata/employee_files.h"
#include "masterdata/service_list.h"
#include "platform/prompter.h"
#include "yearfile/settings.h"

#include <algorithm>
#include <exception>
#include <functional>
#include <iterator>
#include <map>

namespace lorvan {
namespace {

constexpr const char* kImportedWithoutErrors = "Die Daten wurden fehlerfrei importiert.";
constexpr const char* kImportIncomplete = "Die Daten konnten nicht vollständig importiert werden.\nBitte "
                                          "korrigieren Sie die Fehler und importieren Sie "
                                          "die Datei dann ggf. erneut.";
constexpr const char* kImportWithWarnings =
    "Beim Import der Daten sind Warnungen aufgetreten.\nBitte kontrollieren Sie die importierten Daten, und "
    "korrigieren Sie sie falls notwendig.";
constexpr const char* kNotSaved = "FEHLER: Die Daten konnten nicht gespeichert werden.\n";
constexpr const char* kImportCancelled = "Der Import wurde abgebrochen.\nDie bis dahin geschriebenen Dateien "
                                         "sind vollständig importiert, die übrigen "
                                         "blieben unverändert.";

// One day of the picture on its way into its year file.
struct DayWork {
    const ImportDayRecord* record = nullptr;
    ImportDayReport report;
    bool changed = false;
};

enum class LineOutcome { Added, AddedWithWarning, Failed };

class Writer {
  public:
    explicit Writer(TimeImport::State& state);
    void run();

  private:
    void writeEmployee(const ImportEmployeeDays& employee);
    void writeFile(const ImportEmployeeDays& employee, int32_t year, std::vector<DayWork>& days);
    void applyDay(CLorvanDoc& document, DayWork& work, bool monthClosed);
    void applyAbsences(CTagDoc& day, DayWork& work, bool monthClosed);
    void applyTimes(CTagDoc& day, DayWork& work);
    // check: what the checks of a stored line say about the line as it was added.
    LineOutcome addTimeLine(CTagDoc& day, const ImportLineRecord& record, bool first, std::string& protocol,
                            std::optional<std::string>& check);
    // The day's protocol into the import's protocol and its report into the result.
    void report(DayWork& work);
    void recordEmployeeText(const std::string& text, bool important);
    // The searches of the customer and service lists, each text searched once per run (the lists
    // are held for the whole run): the name found, or the report of the failed search.
    const std::optional<std::string>& searchCustomer(const std::string& text, const std::string*& report);
    const std::optional<CDienstlDoc>& searchService(const std::string& text, const std::string*& report);

    TimeImport::State& s_;
    const TimeImportEnvironment& environment_;
    template <typename Found> struct Search {
        Found found;
        std::string report;
    };
    std::map<std::string, Search<std::optional<std::string>>, std::less<>> customerSearches_;
    std::map<std::string, Search<std::optional<CDienstlDoc>>, std::less<>> serviceSearches_;
    std::unique_ptr<CustomerList> ownCustomers_;
    std::unique_ptr<ServiceList> ownServices_;
    CustomerList* customers_;
    ServiceList* services_;
    bool checkCustomers_ = false;
    size_t filesDone_ = 0;
    size_t filesTotal_ = 0;
    bool cancelled_ = false;
    // The employee being written: its heading goes before its first text that is recorded.
    std::string employeeHeading_;
    bool headingRecorded_ = false;
};

Writer::Writer(TimeImport::State& state) : s_(state), environment_(state.environment) {
    customers_ = environment_.customers;
    if (customers_ == nullptr) {
        ownCustomers_ = std::make_unique<CustomerList>(environment_.dataDirectory);
        customers_ = ownCustomers_.get();
    }
    services_ = environment_.services;
    if (services_ == nullptr) {
        ownServices_ = std::make_unique<ServiceList>(environment_.dataDirectory);
        services_ = ownServices_.get();
    }
    try {
        checkCustomers_ = customers_->checkOnEntry();
    } catch (const LorvanError&) {
        // An unreadable customer file: every customer search reports it in its line.
    }
}

const std::optional<std::string>& Writer::searchCustomer(const std::string& text,
                                                         const std::string*& report) {
    auto known = customerSearches_.find(text);
    if (known == customerSearches_.end()) {
        Search<std::optional<std::string>> search;
        if (const std::optional<CKundeDoc> customer = customers_->search(text, search.report))
            search.found = customer->name;
        known = customerSearches_.emplace(text, std::move(search)).first;
    }
    report = &known->second.report;
    return known->second.found;
}

const std::optional<CDienstlDoc>& Writer::searchService(const std::string& text, const std::string*& report) {
    auto known = serviceSearches_.find(text);
    if (known == serviceSearches_.end()) {
        Search<std::optional<CDienstlDoc>> search;
        search.found = services_->search(text, search.report);
        known = serviceSearches_.emplace(text, std::move(search)).first;
    }
    report = &known->second.report;
    return known->second.found;
}

void Writer::recordEmployeeText(const std::string& text, bool important) {
    if ((important || s_.protocol.logAll()) && !headingRecorded_) {
        s_.protocol.record(employeeHeading_, true);
        headingRecorded_ = true;
    }
    s_.protocol.record(text, important);
}

void Writer::run() {
    for (const auto& [number, employee] : s_.picture.employees) {
        int32_t year = 0;
        for (const auto& [key, day] : employee.days) {
            if (day.date.year != year) ++filesTotal_;
            year = day.date.year;
        }
    }
    // The lists stay as they are for the whole run.
    const CustomerList::Hold customersHeld = customers_->hold();
    const ServiceList::Hold servicesHeld = services_->hold();
    for (const auto& [number, employee] : s_.picture.employees) {
        writeEmployee(employee);
        if (cancelled_) break;
    }

    TimeImportResult& result = s_.result;
    bool warnings = false;
    bool failed = result.erroneousLines > 0 || cancelled_;
    for (const ImportDayReport& day : result.days) {
        warnings = warnings || day.warnings;
        failed = failed || day.errors || day.status == ImportDayStatus::Failed;
    }
    Prompter& prompter = *environment_.prompter;
    if (cancelled_) {
        s_.protocol.error(std::string(kImportCancelled) + "\n");
        result.stopReason = kImportCancelled;
    }
    if (failed) {
        s_.protocol.important(std::string(kImportIncomplete) + "\n");
        prompter.error(kImportIncomplete);
    } else if (warnings) {
        s_.protocol.important(std::string(kImportWithWarnings) + "\n");
        prompter.warn(kImportWithWarnings);
    } else {
        s_.protocol.important(std::string(kImportedWithoutErrors) + "\n");
        prompter.inform(kImportedWithoutErrors);
    }
    result.success = !failed;
}

void Writer::writeEmployee(const ImportEmployeeDays& employee) {
    employeeHeading_ = "Mitarbeiter: " + std::to_string(employee.number) + " - " + employee.name + "\n";
    headingRecorded_ = false;
    const size_t firstReport = s_.result.days.size();
    std::vector<DayWork> days;
    for (auto day = employee.days.begin(); day != employee.days.end();) {
        // The days of one year: one year file, in date order.
        const int32_t year = day->second.date.year;
        days.clear();
        for (; day != employee.days.end() && day->second.date.year == year; ++day) {
            DayWork work;
            work.record = &day->second;
            work.report.employeeNumber = employee.number;
            work.report.employee = employee.name;
            work.report.date = day->second.date;
            days.push_back(std::move(work));
        }
        if (environment_.progress && !environment_.progress(filesDone_, filesTotal_)) {
            cancelled_ = true;
            return;
        }
        writeFile(employee, year, days);
        ++filesDone_;
    }
    bool problems = false;
    for (size_t i = firstReport; i < s_.result.days.size(); ++i) {
        const ImportDayReport& day = s_.result.days[i];
        problems = problems || day.warnings || day.errors || day.status == ImportDayStatus::Failed;
    }
    if (problems)
        recordEmployeeText("Daten für Mitarbeiter mit Warnungen importiert.\n", true);
    else
        recordEmployeeText("Daten für Mitarbeiter fehlerfrei importiert.\n\n", false);
}

void Writer::writeFile(const ImportEmployeeDays& employee, int32_t year, std::vector<DayWork>& days) {
    const std::string path = yearFilePath(environment_.dataDirectory, employee.name, year);
    auto failAll = [&](const std::string& text) {
        for (DayWork& work : days) {
            work.report.protocol = "Tag: " + formatDate(work.report.date) + "\n" + text;
            work.report.status = ImportDayStatus::Failed;
            work.report.errors = true;
            report(work);
        }
    };

    CLorvanDoc* document = nullptr;
    std::unique_ptr<CLorvanDoc> workingCopy;
    std::optional<CLorvanDoc> before; // a document of the desktop as it was, for a failed save
    bool isNew = false;
    if (const auto created = s_.newYearFiles.find(path); created != s_.newYearFiles.end()) {
        document = created->second.get();
        isNew = true;
    } else if (environment_.openDocument && (document = environment_.openDocument(path)) != nullptr) {
        before = *document;
    } else {
        workingCopy = std::make_unique<CLorvanDoc>();
        try {
            workingCopy->open(path);
        } catch (const LorvanError& e) {
            failAll(asErrorText("Die Datei '" + path + "' konnte nicht gelesen werden.\n") + e.what() + "\n");
            return;
        }
        document = workingCopy.get();
    }
    if (document->settings().year != year) {
        failAll(asErrorText("Die Datei '" + path + "' wurde für ein anderes Jahr angelegt.\n"));
        return;
    }

    int32_t firstChangedMonth = 13;
    try {
        for (DayWork& work : days) {
            const Datum& date = work.report.date;
            const bool closed = environment_.monthClosed && environment_.monthClosed(date.month, date.year);
            if (closed && s_.options.mode != ImportMode::CompanyAbsences) {
                work.report.protocol = "Die Daten für " + employee.name + " " + formatDate(date) +
                                       " werden ignoriert, da Monatsabschluss bereits erfolgt.\n";
                work.report.status = ImportDayStatus::Skipped;
                work.report.warnings = true;
                continue;
            }
            applyDay(*document, work, closed);
            if (work.changed) firstChangedMonth = std::min(firstChangedMonth, date.month);
        }
    } catch (...) {
        // An unexpected error ends the import: the file is not written, and a window's document
        // goes back to what it was.
        if (before) *document = std::move(*before);
        throw;
    }

    const bool changed = firstChangedMonth <= 12;
    if (changed || isNew) {
        // The cached results of the changed months, and of every month after them, are out of date.
        if (changed) document->resetFromMonth(firstChangedMonth);
        document->setModified();
        ProtocolPrompter savePrompts(*environment_.prompter, false);
        const StorageContext storage{&savePrompts, environment_.dataDirectory, environment_.recent, nullptr};
        if (document->save(path, true, storage)) {
            document->setModified(false);
            s_.result.filesWritten.push_back(path);
        } else {
            const std::string reasons = savePrompts.takeMessages();
            for (DayWork& work : days) {
                if (!work.changed) continue;
                work.report.protocol += kNotSaved + reasons;
                work.report.status = ImportDayStatus::Failed;
                work.report.errors = true;
                work.report.linesWritten = 0;
            }
            // Nothing of the file's days may reach it later through the document of a window.
            if (before) *document = std::move(*before);
        }
    }
    for (DayWork& work : days)
        report(work);
}

void Writer::report(DayWork& work) {
    ImportDayReport& day = work.report;
    if (day.status == ImportDayStatus::Imported && day.errors && !work.changed)
        day.status = ImportDayStatus::Failed;
    recordEmployeeText(day.protocol, work.changed || day.warnings || day.errors);
    TimeImportResult& result = s_.result;
    switch (day.status) {
    case ImportDayStatus::Imported:
        ++result.daysImported;
        break;
    case ImportDayStatus::Skipped:
        ++result.daysSkipped;
        break;
    case ImportDayStatus::Failed:
        ++result.daysFailed;
        break;
    }
    if (day.warnings) ++result.daysWithWarnings;
    result.days.push_back(std::move(day));
}

void Writer::applyDay(CLorvanDoc& document, DayWork& work, bool monthClosed) {
    const ImportDayRecord& record = *work.record;
    const Datum& date = record.date;
    std::string& protocol = work.report.protocol;
    protocol = "Tag: " + formatDate(date) + "\n";

    CMonatDoc* month = document.month(date.month);
    CTagDoc* day = month != nullptr ? month->day(date.day) : nullptr;
    // In a closed month (company absence table) nothing may change: a day that does not exist is
    // looked at as an empty day and not created.
    CTagDoc absentDay;
    if (day == nullptr && monthClosed) {
        day = &absentDay;
    } else if (day == nullptr) {
        if (month == nullptr) {
            month = &document.addMonth(date.month);
            enterPublicHolidays(*month);
        }
        day = month->day(date.day);
        if (day == nullptr) {
            // A new day on a public holiday carries the mark as the automatic entry gives it.
            day = &month->addDay(date.day);
            const CEinstArbzt& settings = document.settings();
            day->publicHoliday =
                settings.enterPublicHolidaysAutomatically != 0 && isPublicHoliday(date, settings.federalState)
                    ? 1
                    : 0;
        }
        work.changed = true;
    }

    if (day->checkedAndClosed != 0) {
        protocol += "WARNUNG: Übergebene Werte werden ignoriert, da Tag geprüft und abgeschlossen.\n";
        work.report.status = ImportDayStatus::Skipped;
        work.report.warnings = s_.options.mode != ImportMode::CompanyAbsences;
        return;
    }
    if (!record.absences.empty()) applyAbsences(*day, work, monthClosed);
    if (!record.lines.empty()) applyTimes(*day, work);
    if (record.absences.empty() && record.lines.empty()) {
        protocol += "\nWARNUNG: Es wurden keine Zeiten übergeben.\n";
        work.report.warnings = true;
    }
}

void Writer::applyAbsences(CTagDoc& day, DayWork& work, bool monthClosed) {
    const std::vector<ImportAbsenceRecord>& absences = work.record->absences;
    std::string& protocol = work.report.protocol;
    bool& warnings = work.report.warnings;
    auto ignored = [&](const std::string& text) {
        protocol += "Änderung wegen Monatsabschluss ignoriert" + text + "\n";
        warnings = true;
    };
    if (absences.size() > 1) {
        protocol += "\nWARNUNG: Es wurden mehrere Fehlzeiten am selben Tag hinzugefügt: ";
        for (const ImportAbsenceRecord& absence : absences)
            protocol += "'" + std::string(trimWhiteSpace(absence.code)) + "' ";
        protocol += "\n";
        warnings = true;
    }
    for (const ImportAbsenceRecord& absence : absences) {
        const std::optional<AbsenceEffect> effect = absenceEffectOf(absence.code);
        if (!effect) {
            protocol += unknownAbsenceMessage(absence.code) + "\n";
            work.report.errors = true;
            continue;
        }
        const std::string& code = effect->code;
        protocol += " - " + code + "\n";
        work.report.absences.push_back(code);
        if (day.lineCount() > 0 && !code.empty()) {
            protocol += "WARNUNG: Fehlzeitkennzeichen und Zeiten eingetragen'" + code + "'\n";
            warnings = true;
        }
        if (effect->publicHoliday) {
            if (day.publicHoliday != 0) continue;
            if (monthClosed) {
                ignored(": '" + code + "'");
                continue;
            }
            day.publicHoliday = 1;
            work.changed = true;
            continue;
        }
        int32_t kind = effect->kind;
        if (effect->keepsSickPayKinds && s_.options.mode == ImportMode::CompanyAbsences &&
            (day.dayKind == kSickWithSickPay || day.dayKind == kChildSick))
            kind = day.dayKind;
        if (kind != day.dayKind) {
            const std::string old = absenceShortCode(day);
            if (kind == kNormalWorkingDay) {
                if (monthClosed) {
                    ignored(": Fehlzeit entfernt: '" + old + "'");
                } else {
                    protocol += "Fehlzeit entfernt: " + old + "\n";
                    day.dayKind = kind;
                    work.changed = true;
                }
            } else if (monthClosed) {
                ignored(day.dayKind == kNormalWorkingDay ? ": '" + code + "'"
                                                         : " von '" + old + "' nach '" + code + "'");
            } else {
                protocol += "Geändert von '" + old + "' nach '" + code + "'\n";
                day.dayKind = kind;
                work.changed = true;
            }
        }
        if (effect->intoRemark && day.internalRemark != code) {
            if (monthClosed) {
                ignored(": '" + code + "'");
                continue;
            }
            if (!day.internalRemark.empty())
                protocol += "Geändert von '" + day.internalRemark + "' nach '" + code + "'\n";
            day.internalRemark = code;
            work.changed = true;
        }
    }
}

void Writer::applyTimes(CTagDoc& day, DayWork& work) {
    std::string& protocol = work.report.protocol;
    if (day.lineCount() > 0) {
        if (s_.options.keepExisting) {
            protocol += "\nWARNUNG: Es wurden Zeiten zu den bereits vorhandenen Zeiten hinzugefügt.\n";
            work.report.warnings = true;
        } else {
            day.setLines({});
            work.changed = true;
        }
    }
    const size_t kept = day.lineCount();
    {
        // Room for the new lines at once: adding them then moves no line.
        std::vector<CZeitZeile> lines(std::make_move_iterator(day.lines().begin()),
                                      std::make_move_iterator(day.lines().end()));
        lines.reserve(kept + work.record->lines.size());
        day.setLines(std::move(lines));
    }
    bool first = kept == 0;
    // The checks of the lines added, for the day's check below.
    std::vector<std::optional<std::string>> checks;
    checks.reserve(work.record->lines.size());
    for (const ImportLineRecord& record : work.record->lines) {
        const size_t lineCount = day.lineCount();
        LineOutcome outcome = LineOutcome::Failed;
        std::optional<std::string> check;
        try {
            outcome = addTimeLine(day, record, first, protocol, check);
        } catch (const std::exception& e) {
            if (day.lineCount() > lineCount) day.removeLine(lineCount);
            protocol +=
                std::string("FEHLER: Das Importieren der nächsten Zeile hat zu einem Fehler geführt:\n") +
                e.what() + "\n";
        }
        first = false;
        if (outcome == LineOutcome::Failed) {
            work.report.errors = true;
            continue;
        }
        work.changed = true;
        ++work.report.linesWritten;
        checks.push_back(std::move(check));
        if (outcome == LineOutcome::AddedWithWarning) {
            work.report.warnings = true;
            day.complete = 0;
        }
    }

    // The checks of a saved day, without questions; the lines are lent to them and given back.
    DayEntryState state;
    state.lines.assign(std::make_move_iterator(day.lines().begin()),
                       std::make_move_iterator(day.lines().end()));
    state.date = work.record->date;
    state.publicHoliday = day.publicHoliday != 0;
    state.settings = &day.document()->settings();
    // A line added was checked as it was made: only the lines kept from before are checked again.
    DayFindings findings;
    try {
        findings = findDayProblems(state, [&](const CZeitZeile& line) {
            const auto index = static_cast<size_t>(&line - state.lines.data());
            return index < kept ? checkStoredTimesAndLine(line) : checks.at(index - kept);
        });
    } catch (...) {
        day.setLines(std::move(state.lines));
        throw;
    }
    day.setLines(std::move(state.lines));
    std::string found;
    if (findings.lineMessage) found += "WARNUNG: " + *findings.lineMessage + "\n";
    if (findings.overlap)
        found += "WARNUNG: Die Arbeitszeiten überschneiden sich!\nArbeitszeit:\n" + findings.chain;
    else if (findings.gap)
        found += "Die Arbeitszeit ist nicht durchgehend.\nArbeitszeit:\n" + findings.chain;
    if (findings.breakTooShort)
        found += format("WARNUNG: Die Pausenzeit ist zu kurz angegeben worden (%ld/%ld).\n",
                        static_cast<long>(findings.breakGiven), static_cast<long>(findings.breakRequired));
    if (found.empty()) {
        protocol += "Abschließende Prüfung: Ok\n";
    } else {
        protocol += "Abschließende Prüfung:\n" + found + "\n";
        work.report.warnings = true;
        if (day.complete != 0) {
            day.complete = 0;
            work.changed = true;
        }
    }
}

LineOutcome Writer::addTimeLine(CTagDoc& day, const ImportLineRecord& record, bool first,
                                std::string& protocol, std::optional<std::string>& check) {
    const CEinstArbzt& settings = day.document()->settings();
    const Datum date = day.date();
    CZeitZeile& line = day.addLine();
    const size_t index = day.lineCount() - 1;
    auto fail = [&](const std::string& text) {
        protocol += text;
        day.removeLine(index);
        return LineOutcome::Failed;
    };
    bool warning = false;

    // 1. The given times are fixed; the day's first line starts at the default start of work.
    line.from = record.from;
    line.to = record.to;
    line.durationText = record.duration;
    line.duration = record.duration.empty() ? 0 : parseDuration(record.duration);
    line.fromFixed = line.from.empty() ? 0 : 1;
    line.toFixed = line.to.empty() ? 0 : 1;
    line.durationFixed = record.duration.empty() ? 0 : 1;
    if (first && line.from.empty()) {
        line.from = settings.defaultStartOfWork;
        line.fromFixed = line.from.empty() ? 0 : 1;
    }

    // 2. The pause in minutes.
    const std::string_view pause = trimWhiteSpace(record.pause);
    if (!pause.empty() && pause != "0") {
        if (pause.size() > 9 || !isNumberText(pause, false) || readLeadingInteger(pause) <= 0)
            return fail(entryDescription(line) + "\nFEHLER: Die Pause '" + std::string(pause) +
                        "' wurde im falschen Format angegeben.\n");
        line.pause = static_cast<int32_t>(readLeadingInteger(pause));
    }

    // 3. A customer makes the line a customer's line; the customer keeps the name of the customer file.
    if (!record.customer.empty()) {
        line.kind = kKindCustomer;
        const std::string* report = nullptr;
        if (const std::optional<std::string>& name = searchCustomer(record.customer, report)) {
            line.customer = *name;
        } else {
            line.customer = record.customer;
            protocol += *report;
            warning = warning || checkCustomers_;
        }
    } else {
        line.kind = timeLineKindOf(record.kind);
    }

    // 4. The times read were checked and made canonical in the reading phase; only a default start
    //    of work from the settings is new here.
    if (first && record.from.empty())
        if (const std::optional<std::string> message = checkStoredTimes(line))
            return fail(entryDescription(line) + "\nFEHLER: " + *message + "\n");

    // 5. A day entered as one value: the first line lasts the day's target hours and its break.
    if (first && line.kind == kKindWorkingTime && settings.dayEnteredAsOneValue != 0 && line.fromFixed != 0 &&
        line.toFixed == 0 && line.durationFixed == 0) {
        const int32_t target = hoursToMinutes(dailyTargetHours(settings, date));
        if (target != 0) {
            if (line.pause == 0) line.pause = settings.breakMinutesForDate(date);
            line.duration = target + line.pause;
            line.updateDurationText();
            line.to = addClock(line.from, line.duration);
        }
    }

    // 6. Completion as in the dialog; the first working-time line gets the break the date requires.
    //    With both times given and no duration, as a clock gives its lines, completion makes the
    //    duration their span, and a break without a pause lasts as long: done here directly.
    if (line.fromFixed != 0 && line.toFixed != 0 && line.durationFixed == 0 &&
        (line.kind != kKindBreak || line.pause == 0)) {
        line.duration = spanMinutes(line.from, line.to);
        line.updateDurationText();
        if (line.kind == kKindBreak) line.pause = line.duration;
    } else {
        TimeLineEntry entry(line, TimeLineEntry::Options{});
        entry.complete();
        entry.apply(line);
    }
    if (first && line.kind == kKindWorkingTime && line.pause == 0) {
        const int32_t required = settings.breakMinutesForDate(date);
        line.pause = line.duration <= required ? 0 : required;
    }

    // 7. The service gives its name, cost kind and amount.
    protocol += entryDescription(line);
    protocol += '\n';
    if (!record.service.empty()) {
        const std::string* report = nullptr;
        if (const std::optional<CDienstlDoc>& service = searchService(record.service, report)) {
            line.service = service->name;
            line.costKind = service->costKind;
            line.costAmount = service->costs;
        } else {
            line.service = record.service;
            protocol += *report;
            warning = true;
        }
    }

    // 8.
    if (line.kind == kKindStandby) {
        line.pause = 0;
        line.service.clear();
        line.costAmount = 0.0;
    }

    // 9. A line that does not pass is kept, with a warning.
    check = checkStoredLine(line);
    if (check) {
        protocol += "WARNUNG: " + *check + "\nDie Zeile wurde trotzdem importiert.\n";
        warning = true;
    }
    return warning ? LineOutcome::AddedWithWarning : LineOutcome::Added;
}

} // namespace

void writeDays(TimeImport::State& state) {
    state.protocol.clearMemory();
    state.protocol.ordinary("Importieren der Daten\n");
    state.result.wroteDays = true;
    Writer(state).run();
}

} // namespace lorvan
