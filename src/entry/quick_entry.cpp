#include "entry/quick_entry.h"

#include "entry/month_management.h"
#include "evaluation/public_holidays.h"
#include "foundation/calendar.h"
#include "foundation/error.h"
#include "foundation/file_system.h"
#include "foundation/format.h"
#include "masterdata/employee_files.h"
#include "platform/clock.h"
#include "platform/prompter.h"

#include <algorithm>

namespace lorvan {
namespace {

constexpr const char* kOneEmployeeDiffers =
    "Für mehrere Tage existieren verschiedene Angaben.\nDie Angaben aller ausgewählten Tage werden mit den "
    "erfassten Daten überschrieben.";
constexpr const char* kEmployeesOfOneDayDiffer =
    "Für mehrere Mitarbeiter existiert dieser Tag mit verschiedenen Angaben.\nDie Angaben aller ausgewählten "
    "Mitarbeiter werden mit den erfassten Daten überschrieben.";
constexpr const char* kEmployeesAndDaysDiffer =
    "Für mehrere Mitarbeiter/Tage existieren für diesen Zeitraum verschiedenen Angaben.\nDie Angaben aller "
    "ausgewählten Mitarbeiter und Tage werden mit den erfassten Daten überschrieben.";

bool sameLine(const CZeitZeile& a, const CZeitZeile& b) {
    return a.kind == b.kind && a.customer == b.customer && a.from == b.from && a.to == b.to &&
           a.duration == b.duration && a.remark == b.remark && a.pause == b.pause && a.fromFixed == b.fromFixed &&
           a.toFixed == b.toFixed && a.durationFixed == b.durationFixed &&
           a.calculationFields == b.calculationFields && a.service == b.service && a.costKind == b.costKind &&
           a.costAmount == b.costAmount && a.vehicle == b.vehicle && a.kilometresDriven == b.kilometresDriven &&
           a.odometerAfter == b.odometerAfter;
}

// Whether a day of the file's settings that is created new carries the public-holiday mark: the
// holidays the settings enter automatically.
bool holidayByRule(const CLorvanDoc& document, const Datum& date) {
    const CEinstArbzt& settings = document.settings();
    return settings.enterPublicHolidaysAutomatically != 0 && isPublicHoliday(date, settings.federalState);
}

} // namespace

bool quickEntryDaysDiffer(const CTagDoc& templateDay, const CTagDoc& other, bool compareHoliday) {
    const bool textsCount = other.lineCount() > 0;
    auto textDiffers = [&](const std::string& mine, const std::string& theirs) {
        return mine != theirs && (!mine.empty() || textsCount);
    };
    if (textDiffers(templateDay.reportRemark, other.reportRemark)) return true;
    if (textDiffers(templateDay.internalRemark, other.internalRemark)) return true;
    if (templateDay.dayKind != other.dayKind && (templateDay.dayKind != kNormalWorkingDay || textsCount))
        return true;
    if (compareHoliday && templateDay.publicHoliday != other.publicHoliday) return true;
    if (templateDay.checkedAndClosed != other.checkedAndClosed || templateDay.complete != other.complete)
        return true;
    if (templateDay.lineCount() != other.lineCount()) return true;
    for (size_t i = 0; i < templateDay.lineCount(); ++i)
        if (!sameLine(templateDay.line(i), other.line(i))) return true;
    return false;
}

// --- YearFileStore ---

CLorvanDoc* YearFileStore::open(const std::string& path) {
    if (auto found = documents_.find(path); found != documents_.end()) return found->second.get();
    if (!fileExists(path)) return nullptr;
    auto document = std::make_unique<CLorvanDoc>();
    document->open(path);
    return documents_.emplace(path, std::move(document)).first->second.get();
}

CLorvanDoc& YearFileStore::adopt(const std::string& path, CLorvanDoc document) {
    auto& kept = documents_[path];
    kept = std::make_unique<CLorvanDoc>(std::move(document));
    return *kept;
}

bool YearFileStore::save(const std::string& path, CLorvanDoc& document) {
    if (!document.save(path, true, context_)) return false;
    document.setModified(false);
    if (std::find(written_.begin(), written_.end(), path) == written_.end()) written_.push_back(path);
    return true;
}

// --- QuickEntry ---

QuickEntry::QuickEntry(const std::map<int32_t, CMitarbeiterDoc>& employees, const Clock& clock)
    : from(clock.today()), to(clock.today()), employees_(employees), clock_(clock) {}

bool QuickEntry::shown(const CMitarbeiterDoc& employee) const {
    return !onlyActive_ || employee.active == 1;
}

std::vector<QuickEntryEmployee> QuickEntry::possible() const {
    std::vector<QuickEntryEmployee> rows;
    for (const auto& [number, employee] : employees_)
        if (shown(employee) && std::find(selected_.begin(), selected_.end(), number) == selected_.end())
            rows.push_back({number, employee.name, employee.active == 1});
    return rows;
}

std::vector<QuickEntryEmployee> QuickEntry::selected() const {
    std::vector<QuickEntryEmployee> rows;
    for (const int32_t number : selected_) {
        const CMitarbeiterDoc& employee = employees_.at(number);
        rows.push_back({number, employee.name, employee.active == 1});
    }
    return rows;
}

void QuickEntry::selectAll() {
    for (const QuickEntryEmployee& row : possible())
        selected_.push_back(row.number);
    std::sort(selected_.begin(), selected_.end());
}

void QuickEntry::select(const std::vector<int32_t>& numbers) {
    for (const QuickEntryEmployee& row : possible())
        if (std::find(numbers.begin(), numbers.end(), row.number) != numbers.end())
            selected_.push_back(row.number);
    std::sort(selected_.begin(), selected_.end());
}

void QuickEntry::remove(const std::vector<int32_t>& numbers) {
    std::erase_if(selected_, [&](int32_t number) {
        return std::find(numbers.begin(), numbers.end(), number) != numbers.end();
    });
}

void QuickEntry::removeAll() {
    selected_.clear();
}

bool QuickEntry::checkDates(Prompter& prompter, const MonthClosedRule& closed) {
    auto refuse = [&](const char* message) {
        prompter.error(message);
        return false;
    };
    auto isClosed = [&](const Datum& date) { return closed && closed(date.month, date.year); };
    if (selected_.empty()) return refuse(kNoEmployeeSelectedMessage);
    if (isClosed(from)) return refuse(kMonthLockedMessage);
    if (compareDates(from, to) != 0) {
        if (from.year != to.year) return refuse(kRangeInOneYearMessage);
        if (compareDates(to, from) < 0) return refuse(kToBeforeFromMessage);
        if (dayOfYear(to) - dayOfYear(from) > 7) return refuse(kRangeAtMostOneWeekMessage);
        if (isClosed(to)) return refuse(kMonthLockedMessage);
    }
    dates_.clear();
    for (Datum date = from; compareDates(date, to) <= 0; date = addDays(date, 1)) {
        dates_.push_back(date);
        if (dates_.size() >= 11) return refuse(kDayCountErrorMessage);
    }
    return true;
}

bool QuickEntry::findFiles(Prompter& prompter, QuickEntryFiles& files, const std::string& dataDirectory) {
    targets_.clear();
    // Every date lies in the same year: one file per employee.
    const int32_t year = from.year;
    for (const int32_t number : selected_) {
        const std::string& name = employees_.at(number).name;
        Target target{name, yearFilePath(dataDirectory, name, year), nullptr};
        // Two names of one file-name form share their file: it is entered once.
        const bool known = std::any_of(targets_.begin(), targets_.end(),
                                       [&](const Target& other) { return other.path == target.path; });
        if (known) continue;
        try {
            target.document = files.open(target.path);
            if (target.document == nullptr) {
                if (!prompter.askYesNo(format("Für %s - %d existiert die Arbeitszeitdatei noch nicht.\nWollen "
                                              "Sie diese jetzt anlegen?",
                                              name.c_str(), static_cast<int>(year))))
                    return false;
                target.document = &files.adopt(target.path, startYearFileIn(dataDirectory, name, year, clock_));
            }
        } catch (const LorvanError& failure) {
            prompter.error(failure.what());
            return false;
        }
        if (target.document->settings().year != year) {
            prompter.error("Die Arbeitszeitdatei für " + name + " wurde für ein anderes Jahr angelegt.");
            return false;
        }
        targets_.push_back(std::move(target));
    }
    return true;
}

bool QuickEntry::buildTemplate(Prompter& prompter) {
    const bool singleDay = dates_.size() == 1;
    scratch_ = CLorvanDoc();
    scratch_.settings() = targets_.front().document->settings();
    template_ = &scratch_.addMonth(from.month).addDay(from.day);
    const CTagDoc* first = nullptr;
    bool differ = false;
    for (const Target& target : targets_) {
        for (const Datum& date : dates_) {
            const CMonatDoc* month = target.document->month(date.month);
            const CTagDoc* day = month != nullptr ? month->day(date.day) : nullptr;
            if (day == nullptr) continue;
            if (first == nullptr) {
                first = day;
                *template_ = *day;
                template_->furtherEmployees.clear();
            } else if (!differ) {
                differ = quickEntryDaysDiffer(*template_, *day, singleDay);
            }
        }
    }
    // A new day of a single date is a public holiday as the automatic entry would mark it.
    if (first == nullptr && singleDay) template_->publicHoliday = holidayByRule(scratch_, from) ? 1 : 0;
    if (!differ) return true;
    const char* text = selected_.size() == 1 ? kOneEmployeeDiffers
                       : singleDay           ? kEmployeesOfOneDayDiffer
                                             : kEmployeesAndDaysDiffer;
    return prompter.askYesNo(std::string(text) + kDifferentDataAskContinue);
}

void QuickEntry::buildHeader() {
    header_ = QuickEntryHeader{};
    std::vector<std::string> names;
    for (const int32_t number : selected_) {
        const std::string& name = employees_.at(number).name;
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    }
    header_.employee = names.front();
    for (size_t i = 1; i < names.size(); ++i)
        header_.furtherEmployees += (i > 1 ? "; " : "") + names[i];
    if (dates_.size() == 1) header_.dateText = formatDate(from);
}

bool QuickEntry::prepare(Prompter& prompter, QuickEntryFiles& files, const MonthClosedRule& closed,
                         const std::string& dataDirectory) {
    template_ = nullptr;
    if (!checkDates(prompter, closed)) return false;
    if (!findFiles(prompter, files, dataDirectory)) return false;
    if (!buildTemplate(prompter)) return false;
    buildHeader();
    return true;
}

CTagDoc& QuickEntry::templateDay() {
    if (template_ == nullptr) throw LorvanError("Interner Fehler: Die Schnellerfassung wurde nicht vorbereitet.");
    return *template_;
}

bool QuickEntry::apply(QuickEntryFiles& files) {
    const CTagDoc& edited = templateDay();
    const bool singleDay = dates_.size() == 1;
    bool allSaved = true;
    for (Target& target : targets_) {
        CLorvanDoc& document = *target.document;
        for (const Datum& date : dates_) {
            CMonatDoc* month = document.month(date.month);
            if (month == nullptr) {
                month = &document.addMonth(date.month);
                enterPublicHolidays(*month);
                // The later months carried their weeks and account on without this one.
                document.resetFromMonth(date.month);
            }
            CTagDoc* day = month->day(date.day);
            if (day == nullptr) {
                day = &month->addDay(date.day);
                day->publicHoliday = holidayByRule(document, date) ? 1 : 0;
            }
            const std::string furtherEmployees = day->furtherEmployees;
            const int32_t publicHoliday = day->publicHoliday;
            *day = edited;
            day->furtherEmployees = furtherEmployees;
            // Over a range the template's mark would make every day a holiday: each keeps its own.
            if (!singleDay) day->publicHoliday = publicHoliday;
            day->removeEmptyLines();
            document.dayOfMonthSaved(date.month);
        }
        document.setModified();
        if (!files.save(target.path, document)) allSaved = false;
    }
    return allSaved;
}

bool QuickEntry::run(Prompter& prompter, QuickEntryFiles& files, const MonthClosedRule& closed,
                     const std::string& dataDirectory, const QuickEntryDayEditor& editDay) {
    if (!prepare(prompter, files, closed, dataDirectory)) return false;
    for (;;) {
        if (!editDay(templateDay(), header())) return false;
        if (apply(files)) return true;
    }
}

} // namespace lorvan
