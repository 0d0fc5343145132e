#include "entry/time_line_entry.h"

#include "entry/file_views.h"
#include "evaluation/day_evaluation.h"
#include "foundation/error.h"
#include "foundation/number_text.h"
#include "foundation/text_encoding.h"
#include "foundation/time_text.h"
#include "masterdata/customer_list.h"
#include "masterdata/service_list.h"
#include "platform/prompter.h"
#include "yearfile/settings.h"

#include <cmath>
#include <utility>

namespace lorvan {
namespace {

// The settings of a line that belongs to no year file.
const CEinstArbzt& plainSettings() {
    static const CEinstArbzt settings;
    return settings;
}

const CEinstArbzt& settingsOfLine(const CZeitZeile& line) {
    const CLorvanDoc* doc = line.day() ? line.day()->document() : nullptr;
    return doc ? doc->settings() : plainSettings();
}

// The kind a typed code stands for; any other text stays as typed.
std::string kindOfCode(std::string_view text) {
    const std::string upper = toUpperCp1252(std::string(text));
    if (upper == "K" || upper == "KD" || upper == "KUNDE") return kKindCustomer;
    if (upper == "P" || upper == "PAUSE") return kKindBreak;
    if (upper == "A") return kKindWorkingTime;
    if (upper == "F") return kKindTravel;
    if (upper == "B") return kKindOffice;
    return std::string(text);
}

std::string timeMessage(TimeField field, const std::string& text) {
    switch (field) {
    case TimeField::From:
        return "Der Von-Wert '" + text + "' ist ungültig.";
    case TimeField::To:
        return "Der Bis-Wert '" + text + "' ist ungültig.";
    case TimeField::Duration:
        break;
    }
    return "Die Dauer '" + text + "' ist ungültig.";
}

LineField lineFieldOf(TimeField field) {
    switch (field) {
    case TimeField::From:
        return LineField::From;
    case TimeField::To:
        return LineField::To;
    case TimeField::Duration:
        break;
    }
    return LineField::Duration;
}

LineCheckResult refused(Prompter& prompter, const std::string& message, LineField focus) {
    prompter.warn(message);
    return LineCheckResult{false, focus, message, message};
}

// A question kept the dialog open: nothing more is shown.
LineCheckResult stayed(const std::string& question, LineField focus) {
    return LineCheckResult{false, focus, std::string(), question};
}

} // namespace

bool CachedLineMasterData::customerExists(std::string_view text) {
    return customers_.findByName(text) || customers_.fromDisplayText(text);
}

bool CachedLineMasterData::serviceExists(std::string_view name) {
    return services_.findByName(name).has_value();
}

TimeLineEntry::TimeLineEntry(const CZeitZeile& line, const Options& options, LineMasterData* masterData)
    : original_(line), options_(options), masterData_(masterData), settings_(&settingsOfLine(line)),
      date_(line.day() ? line.day()->date() : Datum{}), kind_(line.kind), customer_(line.customer),
      service_(line.service), pause_(line.pause), costKind_(line.costKind), costAmount_(line.costAmount),
      remark_(line.remark), calculationFields_(line.calculationFields), vehicle_(line.vehicle),
      odometerAfter_(line.odometerAfter), kilometresDriven_(line.kilometresDriven) {
    times_ = {line.from, line.to,
              !line.durationText.empty() ? line.durationText
              : line.duration != 0       ? formatMinutes(line.duration, 2, false)
                                         : std::string()};
    fixed_ = {line.fromFixed != 0, line.toFixed != 0, line.durationFixed != 0};
    for (size_t i = 0; i < times_.size(); ++i)
        fixedEnabled_[i] = !times_[i].empty();
    if (options_.isFirstNewLine) applyOpeningDefaults();
}

void TimeLineEntry::applyOpeningDefaults() {
    std::string& from = times_[index(TimeField::From)];
    if (from.empty()) {
        from = settings_->defaultStartOfWork;
        if (!from.empty()) {
            fixed_[index(TimeField::From)] = true;
            fixedEnabled_[index(TimeField::From)] = true;
        }
    }
    if (!kind_.empty() || !settings_->dayEnteredAsOneValue) return;
    kind_ = kKindWorkingTime;
    if (!fixed_[index(TimeField::From)]) return;
    double hours = 0.0;
    try {
        hours = dailyTargetHours(*settings_, date_);
    } catch (const LorvanError&) {
        // No working-time period for the month: no target to propose.
    }
    const int32_t target = hoursToMinutes(hours);
    if (target == 0) return;
    if (pause_ == 0) pause_ = settings_->breakMinutesForDate(date_);
    const int32_t duration = target + pause_;
    setTimeFilled(TimeField::Duration, formatMinutes(duration, 2, false));
    setTimeFilled(TimeField::To, addClock(from, duration));
}

std::string TimeLineEntry::calculationFieldName(size_t i) const {
    const std::string& name = settings_->calculationFieldNames.at(i);
    return name.empty() ? "Rechenfeld " + std::to_string(i + 1) : name;
}

int32_t TimeLineEntry::durationMinutes() const {
    return parseDuration(times_[index(TimeField::Duration)]);
}

bool TimeLineEntry::enabled(LineField field) const {
    if (options_.monthClosed) return false;
    switch (field) {
    case LineField::Customer:
        return kind_ == kKindCustomer;
    case LineField::Service:
    case LineField::Pause:
        return kind_ != kKindStandby;
    case LineField::Vehicle:
    case LineField::OdometerAfter:
    case LineField::KilometresDriven:
        return vehicleFieldsShown();
    default:
        return true;
    }
}

bool TimeLineEntry::vehicleFieldsShown() const {
    return options_.logbookAvailable && kind_ == kKindTravel;
}

CZeitZeile TimeLineEntry::currentLine() const {
    CZeitZeile line(original_);
    apply(line);
    return line;
}

std::optional<double> TimeLineEntry::costFor(int32_t kind) const {
    const int32_t duration = durationMinutes();
    if (duration <= 0) return 0.0;
    switch (kind) {
    case kCostPerHour:
        return roundAmount(duration * costAmount_ / 60, 0, 2);
    case kCostFromHourlyWage: {
        if (!settings_->wagesAsCostsInCustomerQuery || !original_.day() || !original_.day()->document())
            return std::nullopt;
        CZeitZeile line = currentLine();
        line.costKind = kCostFromHourlyWage;
        bool notAvailable = false;
        try {
            const double cost = lineCost(line, notAvailable);
            if (!notAvailable) return cost;
        } catch (const LorvanError&) {
            // No wage period for the month: there is no wage to show.
        }
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

std::string TimeLineEntry::costLabel() const {
    const std::optional<double> cost = costFor(costKind_);
    return cost ? formatAmount(*cost) : std::string();
}

std::string TimeLineEntry::standbyLabel() const {
    const int32_t duration = durationMinutes();
    if (kind_ != kKindStandby || duration == 0) return std::string();
    CZeitZeile line = currentLine();
    line.duration = duration;
    return "Gerechnet als " + formatMinutes(lineNetMinutes(line, *settings_), 2, false);
}

void TimeLineEntry::setKind(std::string_view text) {
    kind_ = kindOfCode(text);
    applyKindRules();
}

void TimeLineEntry::applyKindRules() {
    if (kind_ != kKindCustomer) customer_.clear();
    if (kind_ == kKindWorkingTime && options_.isFirstNewLine && pause_ == 0)
        pause_ = settings_->breakMinutesForDate(date_);
    if (kind_ == kKindStandby) {
        pause_ = 0;
        service_.clear();
        costAmount_ = 0.0;
    }
}

void TimeLineEntry::typeTime(TimeField field, std::string text) {
    const size_t i = index(field);
    times_[i] = std::move(text);
    fixed_[i] = !times_[i].empty();
    fixedEnabled_[i] = !times_[i].empty();
}

void TimeLineEntry::leaveTime(TimeField field) {
    std::string& text = times_[index(field)];
    if (field == TimeField::Duration) {
        if (!text.empty()) text = formatMinutes(parseDuration(text), 2, false);
    } else {
        text = completeTimeInput(text);
    }
}

void TimeLineEntry::setFixed(TimeField field, bool on) {
    fixed_[index(field)] = on && fixedEnabled_[index(field)];
}

void TimeLineEntry::setCostKind(int32_t kind) {
    const int32_t previous = costKind_;
    if (kind == kCostFixedAmount && previous != kCostFixedAmount)
        costAmount_ = costFor(previous).value_or(0.0);
    else if (kind == kCostFromHourlyWage && costAmount_ != 0.0)
        costAmount_ = 0.0;
    costKind_ = kind;
}

// A field that completion fills gets its "Fest" box enabled; the box stays as it is.
void TimeLineEntry::setTimeFilled(TimeField field, std::string text) {
    times_[index(field)] = std::move(text);
    fixedEnabled_[index(field)] = true;
}

void TimeLineEntry::setDurationMinutes(int32_t minutes) {
    setTimeFilled(TimeField::Duration, formatMinutes(minutes, 2, false));
}

void TimeLineEntry::completePause() {
    if (kind_ != kKindBreak) return;
    const int32_t duration = durationMinutes();
    if (duration == pause_) return;
    if (pause_ != 0)
        setDurationMinutes(pause_);
    else
        pause_ = duration;
}

void TimeLineEntry::complete() {
    completePause();
    const bool vf = fixed_[index(TimeField::From)];
    const bool bf = fixed_[index(TimeField::To)];
    const bool df = fixed_[index(TimeField::Duration)];
    const std::string from = times_[index(TimeField::From)];
    const std::string to = times_[index(TimeField::To)];
    const int32_t duration = durationMinutes();

    if (!vf && bf && df) {
        setTimeFilled(TimeField::From, subClock(to, duration));
    } else if (vf && !bf && df) {
        setTimeFilled(TimeField::To, addClock(from, duration));
    } else if (vf && bf && !df) {
        setDurationMinutes(spanMinutes(from, to));
    } else if (from.empty() && !to.empty() && duration != 0) {
        setTimeFilled(TimeField::From, subClock(to, duration));
    } else if (!from.empty()) {
        if (!to.empty() && !df)
            setDurationMinutes(spanMinutes(from, to));
        else if (duration != 0 && !bf)
            setTimeFilled(TimeField::To, addClock(from, duration));
    } else if (!to.empty() && duration != 0 && !vf) {
        setTimeFilled(TimeField::From, subClock(to, duration));
    }
    completePause();
}

void TimeLineEntry::openCustomer() {
    if (!masterData_ || !customerButtonEnabled()) return;
    if (std::optional<std::string> text = masterData_->openCustomer(customer_)) customer_ = std::move(*text);
}

void TimeLineEntry::openService() {
    if (!masterData_ || !serviceButtonEnabled()) return;
    if (std::optional<std::string> text = masterData_->openService(service_, costKind_, costAmount_))
        service_ = std::move(*text);
}

std::optional<LineCheckResult> TimeLineEntry::checkFormats(Prompter& prompter) {
    for (TimeField field : {TimeField::From, TimeField::To, TimeField::Duration}) {
        std::string& text = times_[index(field)];
        if (!normalizeTime(text, false, false)) return refused(prompter, timeMessage(field, text), lineFieldOf(field));
    }
    return std::nullopt;
}

std::optional<LineCheckResult> TimeLineEntry::checkContents(Prompter& prompter) {
    if (kind_.empty()) return refused(prompter, kKindMissingMessage, LineField::Kind);
    if (kind_ == kKindCustomer) {
        if (customer_.empty()) return refused(prompter, kCustomerMissingMessage, LineField::Customer);
        if (options_.checkCustomersOnEntry && masterData_ && !masterData_->customerExists(customer_)) {
            const Answer answer = prompter.askYesNoCancel(kCustomerUnknownQuestion);
            if (answer == Answer::Yes) openCustomer();
            if (answer != Answer::No) return stayed(kCustomerUnknownQuestion, LineField::Customer);
        }
    }
    const bool vf = fixed_[index(TimeField::From)];
    const bool bf = fixed_[index(TimeField::To)];
    const bool df = fixed_[index(TimeField::Duration)];
    const std::string& from = times_[index(TimeField::From)];
    const std::string& to = times_[index(TimeField::To)];
    const int32_t duration = durationMinutes();
    if (vf && bf && parseClock(from) > parseClock(to))
        return refused(prompter, kStartAfterEndMessage, LineField::From);
    if (df && pause_ != 0 && (pause_ > duration || (pause_ == duration && kind_ != kKindBreak)))
        return refused(prompter, kPauseTooLongMessage, LineField::Pause);
    if (vf && bf && df && spanMinutes(from, to) != duration)
        return refused(prompter, kDurationMismatchMessage, LineField::Duration);
    if (!service_.empty() && masterData_ && !masterData_->serviceExists(service_)) {
        if (prompter.askYesNoCancel(kServiceUnknownQuestion) == Answer::Yes) openService();
        return stayed(kServiceUnknownQuestion, LineField::Service);
    }
    if (costKind_ == kCostFromHourlyWage && (!customer_.empty() || !service_.empty()) &&
        !settings_->wagesAsCostsInCustomerQuery && !prompter.askYesNo(kWageCostsUnavailableQuestion))
        return stayed(kWageCostsUnavailableQuestion, LineField::CostKind);
    return std::nullopt;
}

LineCheckResult TimeLineEntry::accept(Prompter& prompter, LineField focus) {
    if (options_.monthClosed) return refused(prompter, kMonthLockedMessage, LineField::None);
    switch (focus) {
    case LineField::From:
        leaveTime(TimeField::From);
        break;
    case LineField::To:
        leaveTime(TimeField::To);
        break;
    case LineField::Duration:
        leaveTime(TimeField::Duration);
        break;
    default:
        break;
    }
    if (std::optional<LineCheckResult> failure = checkFormats(prompter)) return *failure;
    complete();
    if (std::optional<LineCheckResult> failure = checkContents(prompter)) return *failure;
    return LineCheckResult{true, LineField::None, std::string(), std::string()};
}

void TimeLineEntry::apply(CZeitZeile& line) const {
    line.kind = kind_;
    line.customer = customer_;
    line.service = service_;
    line.from = times_[index(TimeField::From)];
    line.to = times_[index(TimeField::To)];
    line.duration = durationMinutes();
    line.updateDurationText();
    line.fromFixed = fixed_[index(TimeField::From)] ? 1 : 0;
    line.toFixed = fixed_[index(TimeField::To)] ? 1 : 0;
    line.durationFixed = fixed_[index(TimeField::Duration)] ? 1 : 0;
    line.pause = pause_;
    line.costKind = costKind_;
    line.costAmount = costAmount_;
    line.remark = remark_;
    line.calculationFields = calculationFields_;
    line.vehicle = vehicle_;
    line.odometerAfter = odometerAfter_;
    line.kilometresDriven = kilometresDriven_;
}

} // namespace lorvan
