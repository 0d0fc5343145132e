#include "yearsettings/year_file_settings.h"

#include "foundation/format.h"
#include "foundation/number_text.h"
#include "foundation/time_text.h"
#include "platform/prompter.h"
#include "yearfile/year_file.h"

#include <algorithm>
#include <cctype>

namespace lorvan {

namespace {

constexpr const char* kNoFromMonth = "Es muss der Monat, ab dem die Einstellungen gelten, ausgewählt werden.";
constexpr const char* kFromMonthNotAfterPrevious =
    "Der Monat, ab dem die Einstellungen gelten, muss grösser sein als bei der vorherigen Seite.";
constexpr const char* kPercentInvalid = "Der Prozentwert ist ungültig.";
constexpr const char* kTooManyWeekHours = "So viele Stunden kann eine Woche nicht haben.";
constexpr const char* kDeleteLaterWorkingTimes =
    "Sollen die eingegebenen Arbeitszeiten auf den folgenden Seiten wirklich gelöscht werden?";
constexpr const char* kDeleteLaterWages =
    "Sollen die eingegebenen Bruttolöhne auf den folgenden Seiten wirklich gelöscht werden?";
constexpr const char* kBreakCheckNote =
    "Die Pausenzeiten können nur geprüft werden, wenn Sie die tägliche Arbeitszeit auf den Seiten "
    "'Arbeitszeit' angegeben haben.";

constexpr std::array<double, 7> kProposedHours{0.0, 8.0, 8.0, 8.0, 8.0, 5.0, 0.0};
constexpr std::array<int32_t, 7> kProposedBreaks{0, 45, 45, 45, 45, 15, 0};

SettingsFailure failure(size_t page, SettingsField field, std::string message) {
    return SettingsFailure{page, field, std::move(message), {}};
}

bool percentValid(double percent) {
    return percent > 0.0 && percent <= 200.0;
}

// A time of day as the fields take it: not empty, and readable as h:mm.
bool clockTimeValid(const std::string& text) {
    if (text.find_first_not_of(' ') == std::string::npos) return false;
    std::string copy = text;
    return normalizeTime(copy, false, true);
}

// The hour of a time text: the number before the colon.
int64_t hourOf(const std::string& text) {
    return readLeadingInteger(text);
}

// The period has a working time per day: fixed weekdays, or hours per working day.
bool hasDailyWorkingTime(const WorkingTimePeriod& period) {
    return period.fixedRegularWorkingDays != 0 || period.hoursPerWorkingDay != 0.0;
}

template <class Period>
bool setLastPeriod(std::vector<Period>& list, size_t index, bool on, Prompter& prompter, const char* question) {
    if (index >= list.size()) return on;
    Period& period = list[index];
    if (!on) {
        // A page that has later pages keeps them; the last one gets a successor from the next
        // month on, except in December, which has no next month.
        if (index + 1 < list.size()) {
            period.lastPeriod = 0;
            return false;
        }
        if (period.fromMonth >= 12) return true;
        Period next = period;
        next.fromMonth = period.fromMonth + 1;
        next.lastPeriod = 1;
        period.lastPeriod = 0;
        list.push_back(std::move(next));
        return false;
    }
    if (index + 1 < list.size()) {
        if (!prompter.askYesNo(question)) return false;
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(index) + 1, list.end());
    }
    list[index].lastPeriod = 1;
    return true;
}

// Exactly the last period of a list is the last one.
template <class Period>
void markLastPeriod(std::vector<Period>& list) {
    for (size_t i = 0; i < list.size(); ++i)
        list[i].lastPeriod = i + 1 == list.size() ? 1 : 0;
}

// A changed factor gives its per-hour value anew, once there is an hourly wage.
void setFactor(WagePeriod& period, double WagePeriod::*factorField, double WagePeriod::*perHourField, double factor) {
    if (factor == period.*factorField) return;
    period.*factorField = factor;
    if (period.hourlyWage > 0.0 && factor > 0.0) period.*perHourField = roundAmount(period.hourlyWage * factor, 0, 2);
}

std::string wageText(double wage) {
    return decimalPointToComma(format("%.2f", wage));
}

} // namespace

const char* settingsFieldKey(SettingsField field) {
    switch (field) {
    case SettingsField::None: return "";
    case SettingsField::Name: return "name";
    case SettingsField::Year: return "year";
    case SettingsField::FromMonth: return "from_month";
    case SettingsField::WeekdayHours: return "hours_by_weekday";
    case SettingsField::DefaultStartOfWork: return "default_start_of_work";
    case SettingsField::OvertimeRounding: return "overtime_rounding_minutes";
    case SettingsField::Surcharge1Percent: return "surcharge_1_percent";
    case SettingsField::Surcharge1Hours: return "surcharge_1_from_weekly_hours";
    case SettingsField::Surcharge2On: return "surcharge_2_on";
    case SettingsField::Surcharge2Percent: return "surcharge_2_percent";
    case SettingsField::Surcharge2Hours: return "surcharge_2_from_weekly_hours";
    case SettingsField::SundayPercent: return "sunday_percent";
    case SettingsField::HolidayPercent: return "holiday_percent";
    case SettingsField::NightPercent: return "night_percent";
    case SettingsField::NightBegin: return "night_begin";
    case SettingsField::NightEnd: return "night_end";
    case SettingsField::SaturdayPercent: return "saturday_percent";
    case SettingsField::SaturdayBegin: return "saturday_begin";
    case SettingsField::SaturdayEnd: return "saturday_end";
    case SettingsField::AccountFromMonth: return "account_from_month";
    case SettingsField::AccountToMonth: return "account_to_month";
    case SettingsField::AccountMode: return "account_mode";
    case SettingsField::PrintDailyDeviations: return "print_daily_deviations";
    case SettingsField::MonthlyPayoutThreshold: return "monthly_payout_threshold";
    case SettingsField::WeeklyPayoutThreshold: return "weekly_payout_threshold";
    case SettingsField::FederalState: return "federal_state";
    case SettingsField::WageFromMonth: return "from_month";
    case SettingsField::HourlyWage: return "hourly_wage";
    case SettingsField::StandbyPay: return "standby_pay";
    case SettingsField::StandbyPayDays: return "standby_pay_days";
    case SettingsField::EmployerCostPerHour: return "employer_cost_per_hour";
    case SettingsField::ValueCreationPerHour: return "value_creation_per_hour";
    }
    return "";
}

bool confirmDeviatingWage(const DeviatingWageEdit& edit, Prompter& prompter) {
    if (!edit.deviating) return true;
    if (edit.wage < 0.0) {
        prompter.error("Der Stundenlohn muss größer als 0 sein.");
        return false;
    }
    if (edit.wage == 0.0) return prompter.askYesNo("Soll für diese Zeiten wirklich kein Stundenlohn berechnet werden?");
    return true;
}

FileSettingsDialog::FileSettingsDialog(const CEinstArbzt& settings, bool newFile, FileSettingsEnvironment environment)
    : edited_(settings), originalName_(settings.name), originalYear_(settings.year),
      storedRounding_(settings.overtimeRoundingMinutes), newFile_(newFile), environment_(std::move(environment)) {
    // The first page of each list starts in January; the field is fixed there.
    if (!edited_.workingTimePeriods.empty()) edited_.workingTimePeriods.front().fromMonth = 1;
    if (!edited_.wagePeriods.empty()) edited_.wagePeriods.front().fromMonth = 1;
}

// ----- pages -----

std::vector<SettingsPage> FileSettingsDialog::pages() const {
    std::vector<SettingsPage> result{{SettingsPageKind::General, 0}};
    for (size_t i = 0; i < edited_.workingTimePeriods.size(); ++i)
        result.push_back({SettingsPageKind::WorkingTime, i});
    result.push_back({SettingsPageKind::WorkSettings, 0});
    result.push_back({SettingsPageKind::Overtime, 0});
    result.push_back({SettingsPageKind::Account, 0});
    result.push_back({SettingsPageKind::Vacation, 0});
    for (size_t i = 0; i < edited_.wagePeriods.size(); ++i)
        result.push_back({SettingsPageKind::Wage, i});
    return result;
}

std::string FileSettingsDialog::pageTitle(size_t page) const {
    const std::vector<SettingsPage> all = pages();
    if (page >= all.size()) return {};
    const SettingsPage& p = all[page];
    switch (p.kind) {
    case SettingsPageKind::General: return "Allgemein";
    case SettingsPageKind::WorkingTime:
        return p.period == 0 ? "Arbeitszeit" : format("Arbeitszeit (%d)", static_cast<int>(p.period + 1));
    case SettingsPageKind::WorkSettings: return "Arbeitseinstellungen";
    case SettingsPageKind::Overtime: return "Überstunden";
    case SettingsPageKind::Account: return "Arbeitszeitkonto";
    case SettingsPageKind::Vacation: return "Urlaub / Feiertage / Bereitschaft";
    case SettingsPageKind::Wage:
        return p.period == 0 ? "Bruttolohn" : format("Bruttolohn (%d)", static_cast<int>(p.period + 1));
    }
    return {};
}

std::string FileSettingsDialog::windowTitle() const {
    return std::string(kFileSettingsTitle) + " - " + edited_.name;
}

std::string FileSettingsDialog::stepTitle(size_t page) const {
    if (page == 0) return std::string(kFileSettingsTitle) + " - Allgemein";
    return std::string(kFileSettingsTitle) + " - " + pageTitle(page) + " - " + edited_.name;
}

size_t FileSettingsDialog::pageIndex(SettingsPageKind kind, size_t period) const {
    const std::vector<SettingsPage> all = pages();
    for (size_t i = 0; i < all.size(); ++i)
        if (all[i].kind == kind && all[i].period == period) return i;
    return 0;
}

std::optional<size_t> FileSettingsDialog::pageForKey(char key) const {
    switch (std::toupper(static_cast<unsigned char>(key))) {
    case 'Z':
        if (edited_.workingTimePeriods.empty()) return std::nullopt;
        return pageIndex(SettingsPageKind::WorkingTime, 0);
    case 'B': return pageIndex(SettingsPageKind::WorkSettings);
    case 'S': return pageIndex(SettingsPageKind::Overtime);
    case 'K': return pageIndex(SettingsPageKind::Account);
    case 'U': return pageIndex(SettingsPageKind::Vacation);
    case 'A': return pageIndex(SettingsPageKind::General);
    default: return std::nullopt;
    }
}

// ----- actions -----

void FileSettingsDialog::copyFrom(const CEinstArbzt& source, double remainingVacation, double accountBalance) {
    edited_.copyFrom(source, remainingVacation, accountBalance);
    if (!edited_.workingTimePeriods.empty()) edited_.workingTimePeriods.front().fromMonth = 1;
    if (!edited_.wagesUsed()) edited_.wagePeriods.clear();
    if (!edited_.wagePeriods.empty()) edited_.wagePeriods.front().fromMonth = 1;
    // The wage pages exist while wages are used.
    if (edited_.wagesUsed() && edited_.wagePeriods.empty()) edited_.wagePeriods.push_back(WagePeriod{});
}

void FileSettingsDialog::setFixedRegularWorkingDays(size_t period, bool on) {
    if (period >= edited_.workingTimePeriods.size()) return;
    WorkingTimePeriod& p = edited_.workingTimePeriods[period];
    p.fixedRegularWorkingDays = on ? 1 : 0;
    if (on) {
        p.hoursByWeekday = kProposedHours;
        p.breakMinutesByWeekday = kProposedBreaks;
        p.workingDaysPerWeek = 0;
        p.hoursPerWorkingDay = 0.0;
        p.breakMinutesPerWorkingDay = 0;
    } else {
        p.workingDaysPerWeek = 5;
        p.hoursPerWorkingDay = 8.0;
        p.breakMinutesPerWorkingDay = 45;
        p.hoursByWeekday = {};
        p.breakMinutesByWeekday = {};
    }
    p.halfDayByWeekday = {};
}

bool FileSettingsDialog::setWorkingTimeLastPeriod(size_t period, bool on, Prompter& prompter) {
    return setLastPeriod(edited_.workingTimePeriods, period, on, prompter, kDeleteLaterWorkingTimes);
}

bool FileSettingsDialog::setWageLastPeriod(size_t period, bool on, Prompter& prompter) {
    return setLastPeriod(edited_.wagePeriods, period, on, prompter, kDeleteLaterWages);
}

bool FileSettingsDialog::wageUse(WageUse use) const {
    switch (use) {
    case WageUse::MonthEvaluation: return edited_.wagesInMonthEvaluation != 0;
    case WageUse::CustomerQuery: return edited_.wagesAsCostsInCustomerQuery != 0;
    case WageUse::CostEvaluation: return edited_.employeeInCostEvaluation != 0;
    }
    return false;
}

bool FileSettingsDialog::setWageUse(WageUse use, bool on, Prompter& prompter) {
    int32_t& flag = use == WageUse::MonthEvaluation  ? edited_.wagesInMonthEvaluation
                    : use == WageUse::CustomerQuery ? edited_.wagesAsCostsInCustomerQuery
                                                    : edited_.employeeInCostEvaluation;
    if (on) {
        flag = 1;
        if (edited_.wagePeriods.empty()) edited_.wagePeriods.push_back(WagePeriod{});
        return true;
    }
    flag = 0;
    if (!edited_.wagesUsed() && !edited_.wagePeriods.empty()) {
        if (!prompter.askYesNo(kDeleteLaterWages)) {
            flag = 1;
            return true;
        }
        edited_.wagePeriods.clear();
    }
    return false;
}

std::string FileSettingsDialog::breakCheckNote() const {
    if (!edited_.checkBreakTimes) return {};
    const bool someWithoutDailyTime =
        std::any_of(edited_.workingTimePeriods.begin(), edited_.workingTimePeriods.end(),
                    [](const WorkingTimePeriod& p) { return !hasDailyWorkingTime(p); });
    return someWithoutDailyTime ? kBreakCheckNote : std::string();
}

bool FileSettingsDialog::surchargeOn(Surcharge surcharge) const {
    switch (surcharge) {
    case Surcharge::First: return edited_.surcharge1On != 0;
    case Surcharge::Second: return edited_.surcharge2On != 0;
    case Surcharge::Sunday: return edited_.sundaySurchargeOn != 0;
    case Surcharge::Holiday: return edited_.holidaySurchargeOn != 0;
    case Surcharge::Night: return edited_.nightSurchargeOn != 0;
    case Surcharge::Saturday: return edited_.saturdaySurchargeOn != 0;
    }
    return false;
}

void FileSettingsDialog::setSurcharge(Surcharge surcharge, bool on) {
    CEinstArbzt& s = edited_;
    switch (surcharge) {
    case Surcharge::First:
        s.surcharge1On = on ? 1 : 0;
        s.surcharge1Percent = on ? 20.0 : 0.0;
        s.surcharge1FromWeeklyHours = on ? 42.0 : 0.0;
        s.wageTypeSurcharge1.clear();
        if (!on) setSurcharge(Surcharge::Second, false);
        break;
    case Surcharge::Second:
        s.surcharge2On = on ? 1 : 0;
        s.surcharge2Percent = on ? 50.0 : 0.0;
        s.surcharge2FromWeeklyHours = on ? 44.0 : 0.0;
        s.wageTypeSurcharge2.clear();
        break;
    case Surcharge::Sunday:
        s.sundaySurchargeOn = on ? 1 : 0;
        s.sundayPercent = on ? 50.0 : 0.0;
        s.wageTypeSunday.clear();
        s.basePayWageTypeSunday.clear();
        break;
    case Surcharge::Holiday:
        s.holidaySurchargeOn = on ? 1 : 0;
        s.holidayPercent = on ? 100.0 : 0.0;
        s.wageTypeHoliday.clear();
        s.basePayWageTypeHoliday.clear();
        break;
    case Surcharge::Night:
        s.nightSurchargeOn = on ? 1 : 0;
        s.nightPercent = on ? 25.0 : 0.0;
        s.nightBegin = on ? "21:00" : "";
        s.nightEnd = on ? "4:00" : "";
        s.wageTypeNight.clear();
        break;
    case Surcharge::Saturday:
        s.saturdaySurchargeOn = on ? 1 : 0;
        s.saturdayPercent = on ? 20.0 : 0.0;
        s.saturdayBegin = on ? "13:00" : "";
        s.saturdayEnd = on ? "21:00" : "";
        s.wageTypeSaturday.clear();
        break;
    }
}

bool FileSettingsDialog::weekEndsAtMonthEndEnabled() const {
    return std::all_of(edited_.workingTimePeriods.begin(), edited_.workingTimePeriods.end(),
                       [](const WorkingTimePeriod& p) { return p.fixedRegularWorkingDays != 0; });
}

bool FileSettingsDialog::convertSurchargesEnabled() const {
    const CEinstArbzt& s = edited_;
    return s.surcharge1On || s.surcharge2On || s.sundaySurchargeOn || s.holidaySurchargeOn || s.nightSurchargeOn ||
           s.saturdaySurchargeOn;
}

void FileSettingsDialog::setHourlyWage(size_t period, double wage) {
    if (period >= edited_.wagePeriods.size()) return;
    WagePeriod& p = edited_.wagePeriods[period];
    if (wage == p.hourlyWage) return;
    p.hourlyWage = wage;
    if (p.employerCostFactor > 0.0) p.employerCostPerHour = roundAmount(wage * p.employerCostFactor, 0, 2);
    if (p.valueCreationFactor > 0.0) p.valueCreationPerHour = roundAmount(p.valueCreationFactor * wage, 0, 2);
}

void FileSettingsDialog::setEmployerCostFactor(size_t period, double factor) {
    if (period < edited_.wagePeriods.size())
        setFactor(edited_.wagePeriods[period], &WagePeriod::employerCostFactor, &WagePeriod::employerCostPerHour, factor);
}

void FileSettingsDialog::setValueCreationFactor(size_t period, double factor) {
    if (period < edited_.wagePeriods.size())
        setFactor(edited_.wagePeriods[period], &WagePeriod::valueCreationFactor, &WagePeriod::valueCreationPerHour,
                  factor);
}

std::vector<DeviatingWageRow> FileSettingsDialog::deviatingWageRows(size_t period) const {
    std::vector<DeviatingWageRow> rows;
    if (period >= edited_.wagePeriods.size()) return rows;
    const auto& wages = edited_.wagePeriods[period].deviatingHourlyWages;
    if (environment_.serviceNames) {
        for (const std::string& service : *environment_.serviceNames) {
            const auto found = wages.find(service);
            rows.push_back({service, found != wages.end() ? wageText(found->second) : std::string()});
        }
    } else {
        for (const auto& [service, wage] : wages)
            rows.push_back({service, wageText(wage)});
    }
    return rows;
}

DeviatingWageEdit FileSettingsDialog::deviatingWageOf(size_t period, const std::string& service) const {
    DeviatingWageEdit edit{service, false, 0.0};
    if (period >= edited_.wagePeriods.size()) return edit;
    const auto& wages = edited_.wagePeriods[period].deviatingHourlyWages;
    if (const auto found = wages.find(service); found != wages.end()) {
        edit.deviating = true;
        edit.wage = found->second;
    }
    return edit;
}

void FileSettingsDialog::setDeviatingWage(size_t period, const DeviatingWageEdit& edit) {
    if (period >= edited_.wagePeriods.size() || edit.service.empty()) return;
    auto& wages = edited_.wagePeriods[period].deviatingHourlyWages;
    if (edit.deviating)
        wages[edit.service] = edit.wage;
    else
        wages.erase(edit.service);
}

// ----- checks -----

std::optional<SettingsFailure> FileSettingsDialog::leavePage(size_t page, Prompter& prompter) {
    return checkPage(page, prompter);
}

std::optional<SettingsFailure> FileSettingsDialog::confirm(Prompter& prompter) {
    const size_t count = pages().size();
    for (size_t page = 0; page < count; ++page)
        if (std::optional<SettingsFailure> failed = checkPage(page, prompter)) return failed;
    return std::nullopt;
}

std::optional<SettingsFailure> FileSettingsDialog::checkPage(size_t page, Prompter& prompter) {
    const std::vector<SettingsPage> all = pages();
    if (page >= all.size()) return std::nullopt;
    std::optional<SettingsFailure> failed;
    switch (all[page].kind) {
    case SettingsPageKind::General: failed = checkGeneral(page); break;
    case SettingsPageKind::WorkingTime: failed = checkWorkingTime(page, all[page].period); break;
    case SettingsPageKind::WorkSettings: failed = checkWorkSettings(page, prompter); break;
    case SettingsPageKind::Overtime: failed = checkOvertime(page, prompter); break;
    case SettingsPageKind::Account: failed = checkAccount(page, prompter); break;
    case SettingsPageKind::Vacation: failed = checkVacation(page); break;
    case SettingsPageKind::Wage: failed = checkWage(page, all[page].period); break;
    }
    if (failed && !failed->message.empty()) prompter.warn(failed->message);
    return failed;
}

std::optional<SettingsFailure> FileSettingsDialog::checkGeneral(size_t page) {
    // A file that exists keeps its owner and year unchecked as long as they stay as they were.
    if (!newFile_ && edited_.name == originalName_ && edited_.year == originalYear_) return std::nullopt;
    if (std::optional<std::string> refusal = generalSettingsRefusal(edited_, *environment_.clock))
        return failure(page, edited_.name.empty() ? SettingsField::Name : SettingsField::Year, *refusal);
    if (environment_.yearFileExists && environment_.yearFileExists(edited_.name, edited_.year))
        return failure(page, SettingsField::Name, "Für dieses Jahr und diesen Namen existiert schon ein Datenbestand.");
    return std::nullopt;
}

std::optional<SettingsFailure> FileSettingsDialog::checkWorkingTime(size_t page, size_t period) const {
    const auto& periods = edited_.workingTimePeriods;
    const WorkingTimePeriod& p = periods[period];
    if (period > 0) {
        if (p.fromMonth <= 0) return failure(page, SettingsField::FromMonth, kNoFromMonth);
        if (p.fromMonth <= periods[period - 1].fromMonth)
            return failure(page, SettingsField::FromMonth, kFromMonthNotAfterPrevious);
    }
    if (p.fixedRegularWorkingDays && p.weeklyRegularHours() == 0.0)
        return failure(page, SettingsField::WeekdayHours, "Sie haben keine regelmäßige Arbeitszeit angegeben.");
    return std::nullopt;
}

std::optional<SettingsFailure> FileSettingsDialog::checkWorkSettings(size_t page, Prompter& prompter) {
    const std::string& start = edited_.defaultStartOfWork;
    if (start.find_first_not_of(' ') != std::string::npos && !clockTimeValid(start))
        return failure(page, SettingsField::DefaultStartOfWork, "Der Beginn der Arbeitszeit '" + start + "' ist ungültig.");
    // Break checking without a daily working time cannot work: said once, the page is accepted.
    if (const std::string note = breakCheckNote(); !note.empty() && !breakNoteShown_) {
        breakNoteShown_ = true;
        prompter.inform(note);
    }
    return std::nullopt;
}

std::optional<SettingsFailure> FileSettingsDialog::checkOvertime(size_t page, Prompter& prompter) {
    const CEinstArbzt& s = edited_;
    using F = SettingsField;
    if (s.overtimeRoundingMinutes <= 0)
        return failure(page, F::OvertimeRounding,
                       "Eine kleinere als minutengenaue Rundung der Überstunden ist nicht möglich.\nGeben Sie deshalb "
                       "mindestens eine 1 an.");
    if (s.overtimeRoundingMinutes > 60)
        return failure(page, F::OvertimeRounding,
                       "Eine größere Rundung der Überstunden als auf 1 Stunde ist nicht möglich.\nGeben Sie deshalb "
                       "höchstens 60 an.");
    if (s.surcharge1On) {
        if (!percentValid(s.surcharge1Percent)) return failure(page, F::Surcharge1Percent, kPercentInvalid);
        if (s.surcharge1FromWeeklyHours > 168.0) return failure(page, F::Surcharge1Hours, kTooManyWeekHours);
        for (const WorkingTimePeriod& p : s.workingTimePeriods)
            if (s.surcharge1FromWeeklyHours < p.weeklyRegularHours())
                return failure(page, F::Surcharge1Hours,
                               "Die Wochenstunden für die Überstundenberechnung sind in mindestens einem Monat kleiner "
                               "als die regelmäßige Wochenarbeitszeit.");
    }
    if (s.surcharge2On) {
        if (!s.surcharge1On)
            return failure(page, F::Surcharge2On,
                           "Wenn Zuschlag 2 ausgewählt wurde, dann muss auch Zuschlag 1 ausgewählt werden.");
        if (!percentValid(s.surcharge2Percent)) return failure(page, F::Surcharge2Percent, kPercentInvalid);
        if (s.surcharge2Percent < s.surcharge1Percent)
            return failure(page, F::Surcharge2Percent,
                           "Die Höhe des 2. Zuschlags muss größer oder gleich dem 1. Zuschlag sein.");
        if (s.surcharge2FromWeeklyHours > 168.0) return failure(page, F::Surcharge2Hours, kTooManyWeekHours);
        if (s.surcharge2FromWeeklyHours < s.surcharge1FromWeeklyHours)
            return failure(page, F::Surcharge2Hours,
                           "Die Wochenstunden für den 2. Zuschlag müssen größer als die Wochenstunden für den 1. "
                           "Zuschlag sein.");
    }
    if (s.sundaySurchargeOn && !percentValid(s.sundayPercent)) return failure(page, F::SundayPercent, kPercentInvalid);
    if (s.holidaySurchargeOn && !percentValid(s.holidayPercent))
        return failure(page, F::HolidayPercent, kPercentInvalid);
    if (s.nightSurchargeOn) {
        if (!percentValid(s.nightPercent)) return failure(page, F::NightPercent, kPercentInvalid);
        if (!clockTimeValid(s.nightBegin))
            return failure(page, F::NightBegin, "Der Beginn der Nacht '" + s.nightBegin + "' ist ungültig.");
        if (!clockTimeValid(s.nightEnd))
            return failure(page, F::NightEnd, "Das Ende der Nacht '" + s.nightEnd + "' ist ungültig.");
        const int64_t b = hourOf(s.nightBegin);
        const int64_t e = hourOf(s.nightEnd);
        if ((b >= 10 && b <= 17) || (e >= 10 && e <= 17))
            return failure(page, F::NightBegin, "Die Nacht muss zwischen 18 Uhr und 9 Uhr liegen.");
        if (!(b < e || (b >= 18 && e <= 9)))
            return failure(page, F::NightBegin, "Der Beginn der Nacht muss vor dem Ende liegen.");
    }
    if (s.saturdaySurchargeOn) {
        if (!percentValid(s.saturdayPercent)) return failure(page, F::SaturdayPercent, kPercentInvalid);
        if (!clockTimeValid(s.saturdayBegin))
            return failure(page, F::SaturdayBegin,
                           "Der Beginn der Berechnung des Samstags-Zuschlags '" + s.saturdayBegin + "' ist ungültig.");
        if (!clockTimeValid(s.saturdayEnd))
            return failure(page, F::SaturdayEnd,
                           "Das Ende der Berechnung des Samstags-Zuschlags '" + s.saturdayEnd + "' ist ungültig.");
        if (parseClock(s.saturdayEnd) <= parseClock(s.saturdayBegin))
            return failure(page, F::SaturdayBegin,
                           "Der Beginn der Berechnung des Samstags-Zuschlags muss vor dem Ende liegen.");
    }
    const int32_t rounding = s.overtimeRoundingMinutes;
    const bool usual = rounding == 1 || rounding == 5 || rounding == 10 || rounding == 15 || rounding == 30 ||
                       rounding == 60;
    if (!usual && rounding != storedRounding_ && acceptedRounding_ != rounding) {
        const std::string question = format("Eine Rundung der Überstunden auf %ld Minuten ist eher ungewöhnlich.\nSind "
                                            "Ihre Angaben wirklich korrekt?",
                                            static_cast<long>(rounding));
        if (!prompter.askYesNo(question)) return SettingsFailure{page, F::OvertimeRounding, {}, question};
        acceptedRounding_ = rounding;
    }
    return std::nullopt;
}

std::optional<SettingsFailure> FileSettingsDialog::checkAccount(size_t page, Prompter& prompter) {
    const CEinstArbzt& s = edited_;
    using F = SettingsField;
    if (!s.keepWorkingTimeAccount) return std::nullopt;
    if (s.accountFromMonth <= 0) return failure(page, F::AccountFromMonth, kNoFromMonth);
    if (s.accountToMonth <= 0)
        return failure(page, F::AccountToMonth, "Es muss der Monat, bis zu dem die Einstellungen gelten, ausgewählt werden.");
    if (s.accountToMonth < s.accountFromMonth)
        return failure(page, F::AccountToMonth, "Es muss der Von-Monat kleiner als der Bis-Monat sein.");
    const auto& periods = s.workingTimePeriods;
    const auto any = [&periods](auto predicate) { return std::any_of(periods.begin(), periods.end(), predicate); };
    if (s.accountMode == "RA" && any([](const WorkingTimePeriod& p) { return !p.fixedRegularWorkingDays; }))
        return failure(page, F::AccountMode,
                       "Das Arbeitszeitkonto kann nicht aus den Abweichungen von der regelmäßigen Arbeitszeit berechnet "
                       "werden, da Sie auf einer der Seiten 'Arbeitszeit' keine festen Regelarbeitstage hinterlegt "
                       "haben.");
    if (s.accountMode == "WA" && any([](const WorkingTimePeriod& p) { return p.weeklyRegularHours() == 0.0; }))
        return failure(page, F::AccountMode,
                       "Das Arbeitszeitkonto kann nicht aus den Abweichungen von der wöchentlichen Arbeitszeit "
                       "berechnet werden, da Sie auf einer der Seiten 'Arbeitszeit' weder feste Regelarbeitstage noch "
                       "die Anzahl der Arbeitstage mit der täglichen Arbeitszeit hinterlegt haben.");
    const bool someWithoutDailyTime = any([](const WorkingTimePeriod& p) { return !hasDailyWorkingTime(p); });
    if (s.printDailyDeviations && someWithoutDailyTime)
        return failure(page, F::PrintDailyDeviations,
                       "Die Abweichungen von der Regelarbeitszeit können nicht bestimmt werden, da Sie auf einer der "
                       "Seiten 'Arbeitszeit' keine tägliche Arbeitszeit hinterlegt haben.");
    if (s.monthlyPayoutOn && s.monthlyPayoutThreshold <= 0.0)
        return failure(page, F::MonthlyPayoutThreshold,
                       "Die monatliche Auszahlung des Arbeitszeitkonto kann nicht durchgeführt werden, da Sie keine "
                       "Stunden hinterlegt haben.");
    if (s.weeklyPayoutOn && s.weeklyPayoutThreshold <= 0.0)
        return failure(page, F::WeeklyPayoutThreshold,
                       "Die wöchentliche Auszahlung des Arbeitszeitkontos kann nicht durchgeführt werden, da Sie keine "
                       "Stunden hinterlegt haben.");
    if (s.accountMode == "MA" && someWithoutDailyTime && !accountQuestionAccepted_) {
        const std::string question =
            "Bei der Berechnung des Arbeitszeitkontos können Feiertage, Urlaubs- und Kranktage nicht automatisch "
            "berechnet werden, da Sie auf einer der Seiten 'Arbeitszeit' keine tägliche Arbeitszeit hinterlegt "
            "haben.\n\nWollen Sie die Einstellungen jetzt korrigieren?";
        if (prompter.askYesNo(question)) return SettingsFailure{page, F::AccountMode, {}, question};
        accountQuestionAccepted_ = true;
    }
    return std::nullopt;
}

std::optional<SettingsFailure> FileSettingsDialog::checkVacation(size_t page) const {
    if (edited_.enterPublicHolidaysAutomatically && edited_.federalState.empty())
        return failure(page, SettingsField::FederalState, "Das Bundesland muss ausgewählt werden.");
    return std::nullopt;
}

std::optional<SettingsFailure> FileSettingsDialog::checkWage(size_t page, size_t period) const {
    const auto& periods = edited_.wagePeriods;
    const WagePeriod& p = periods[period];
    using F = SettingsField;
    if (period > 0 && p.fromMonth <= 0) return failure(page, F::WageFromMonth, kNoFromMonth);
    if (p.hourlyWage <= 0.0) return failure(page, F::HourlyWage, "Es muss der Stundenlohn eingegeben werden.");
    if (p.standbyPay == 0.0 && p.standbyPayDays > 0)
        return failure(page, F::StandbyPay, "Es muss die Stördienstvergütung angegeben werden.");
    if (p.standbyPay != 0.0 && p.standbyPayDays == 0)
        return failure(page, F::StandbyPayDays,
                       "Es muss angegeben werden, für wieviele Tage die Stördienstvergütung gerechnet wird.");
    if (period > 0 && p.fromMonth <= periods[period - 1].fromMonth)
        return failure(page, F::WageFromMonth, kFromMonthNotAfterPrevious);
    if (edited_.employeeInCostEvaluation) {
        if (p.employerCostPerHour == 0.0)
            return failure(page, F::EmployerCostPerHour, "Es müssen die Kosten für den Arbeitgeber eingegeben werden.");
        if (p.valueCreationPerHour == 0.0)
            return failure(page, F::ValueCreationPerHour,
                           "Es muss die geschätzte Wertschöpfung des Mitarbeiters pro Stunde eingegeben werden.");
        if (p.employerCostPerHour < p.hourlyWage)
            return failure(page, F::EmployerCostPerHour,
                           "Die Kosten für den Arbeitgeber müssen größer oder gleich dem Stundenlohn sein.");
        if (p.valueCreationPerHour < p.employerCostPerHour)
            return failure(page, F::ValueCreationPerHour,
                           "Die geschätzte Wertschöpfung des Mitarbeiters muss größer oder gleich den Kosten für den "
                           "Arbeitgeber sein.");
    }
    return std::nullopt;
}

// ----- result -----

CEinstArbzt FileSettingsDialog::result() const {
    CEinstArbzt settings = edited_;
    markLastPeriod(settings.workingTimePeriods);
    if (!settings.wagesUsed()) settings.wagePeriods.clear();
    markLastPeriod(settings.wagePeriods);
    if (!weekEndsAtMonthEndEnabled()) settings.weekEndsAtMonthEnd = 0;
    // Deviating wages of services that are gone, as far as "Daten.dl" tells.
    if (environment_.serviceNames) {
        const std::vector<std::string>& names = *environment_.serviceNames;
        for (WagePeriod& period : settings.wagePeriods)
            std::erase_if(period.deviatingHourlyWages, [&names](const auto& entry) {
                return std::find(names.begin(), names.end(), entry.first) == names.end();
            });
    }
    return settings;
}

void FileSettingsDialog::applyTo(CLorvanDoc& document) const {
    document.settings() = result();
    document.settingsConfirmed();
}

} // namespace lorvan
