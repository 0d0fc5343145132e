#pragma once

#include "yearfile/settings.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// "Einstellungen der aktuellen Datei": the settings of one year file, edited page by page. The model
// works on a copy of the record; only confirm() with every page passing hands the result back, so
// that Cancel leaves the file as it was.
namespace lorvan {

class Clock;
class CLorvanDoc;
class Prompter;

inline constexpr const char* kFileSettingsTitle = "Einstellungen der aktuellen Datei";

// The kinds of pages, in the order the dialog shows them. A working-time page stands for each
// working-time period, a wage page for each wage period.
enum class SettingsPageKind { General, WorkingTime, WorkSettings, Overtime, Account, Vacation, Wage };

struct SettingsPage {
    SettingsPageKind kind = SettingsPageKind::General;
    size_t period = 0; // the working-time or wage period of the page
    friend bool operator==(const SettingsPage&, const SettingsPage&) = default;
};

// The fields a failing check puts the focus on.
enum class SettingsField {
    None,
    // Allgemein
    Name,
    Year,
    // Arbeitszeit (the weekday grid: the Monday field)
    FromMonth,
    WeekdayHours,
    // Arbeitseinstellungen
    DefaultStartOfWork,
    // Überstunden
    OvertimeRounding,
    Surcharge1Percent,
    Surcharge1Hours,
    Surcharge2On,
    Surcharge2Percent,
    Surcharge2Hours,
    SundayPercent,
    HolidayPercent,
    NightPercent,
    NightBegin,
    NightEnd,
    SaturdayPercent,
    SaturdayBegin,
    SaturdayEnd,
    // Arbeitszeitkonto
    AccountFromMonth,
    AccountToMonth,
    AccountMode,
    PrintDailyDeviations,
    MonthlyPayoutThreshold,
    WeeklyPayoutThreshold,
    // Urlaub / Feiertage / Bereitschaft
    FederalState,
    // Bruttolohn
    WageFromMonth,
    HourlyWage,
    StandbyPay,
    StandbyPayDays,
    EmployerCostPerHour,
    ValueCreationPerHour,
};

// The key of the field in the JSON form of the settings ("overtime_rounding_minutes"); "" for None.
const char* settingsFieldKey(SettingsField field);

// A page that may not be left: the page (index into pages()), the field that gets the focus and the
// message that was shown. The message is empty when a question was answered so that the page stays
// open; `question` then holds its text.
struct SettingsFailure {
    size_t page = 0;
    SettingsField field = SettingsField::None;
    std::string message;
    std::string question;
};

// The surcharge rows of "Überstunden".
enum class Surcharge { First, Second, Sunday, Holiday, Night, Saturday };

// The three uses of wages on "Arbeitseinstellungen"; while one is ticked the wage pages exist.
enum class WageUse { MonthEvaluation, CustomerQuery, CostEvaluation };

// What the dialog needs from around it.
struct FileSettingsEnvironment {
    const Clock* clock = nullptr;
    // Whether a year file of that owner and year exists in the data directory.
    std::function<bool(const std::string& name, int32_t year)> yearFileExists;
    // The services of "Daten.dl" in name order; nullopt when the file could not be read (then the
    // deviating wages of services that seem gone are kept).
    std::optional<std::vector<std::string>> serviceNames;
    // The choice of "Arbeitszeit erfassen für".
    std::vector<std::string> employeeNames;
};

// A row of the list "Abweichender Stundenlohn für bestimmte Dienstleistungen".
struct DeviatingWageRow {
    std::string service;
    std::string wageText; // "12,50"; empty without a deviating wage
};

// "Abweichenden Stundenlohn erfassen" for one service.
struct DeviatingWageEdit {
    std::string service;
    bool deviating = false; // "Abweichender Stundenlohn"
    double wage = 0.0;      // "Stundenlohn"
};

// The checks of "Abweichenden Stundenlohn erfassen": a negative wage is refused ("Der Stundenlohn muss
// größer als 0 sein."), a wage of 0 needs a Yes. False keeps the dialog open on the wage field.
bool confirmDeviatingWage(const DeviatingWageEdit& edit, Prompter& prompter);

class FileSettingsDialog {
  public:
    // newFile: the settings of a year file that does not exist yet (the new-file sequence); the
    // name and year checks of "Allgemein" then always apply, for an existing file only when name or
    // year changed.
    FileSettingsDialog(const CEinstArbzt& settings, bool newFile, FileSettingsEnvironment environment);

    // The edited copy. Plain fields are set here directly; the actions below keep the rules that
    // tie fields together.
    CEinstArbzt& settings() { return edited_; }
    const CEinstArbzt& settings() const { return edited_; }
    const FileSettingsEnvironment& environment() const { return environment_; }
    bool isNewFile() const { return newFile_; }

    // ----- pages -----
    std::vector<SettingsPage> pages() const;
    // "Allgemein", "Arbeitszeit", "Arbeitszeit (2)", …, "Bruttolohn", "Bruttolohn (2)", …
    std::string pageTitle(size_t page) const;
    // "Einstellungen der aktuellen Datei - " + name.
    std::string windowTitle() const;
    // The title of a step of the new-file sequence: "Einstellungen der aktuellen Datei - Allgemein"
    // for the first page, else the dialog title, the page title and the owner's name.
    std::string stepTitle(size_t page) const;
    // The page an access key jumps to (Alt+Z the first working-time page, B, S, K, U, A); nullopt
    // for other keys. Upper and lower case alike.
    std::optional<size_t> pageForKey(char key) const;
    // The index of the page of that kind and period.
    size_t pageIndex(SettingsPageKind kind, size_t period = 0) const;

    // ----- Allgemein -----
    // "Einstellungen aus anderem Datenbestand &vorbesetzen...": fills the record from the settings
    // of another year file with that file's remaining vacation and account balance at the end of
    // December. Owner and year stay. The pages follow from the filled record.
    void copyFrom(const CEinstArbzt& source, double remainingVacation, double accountBalance);

    // ----- Arbeitszeit -----
    // "Feste Regelarbeitstage": on fills the weekday grid (0, 8, 8, 8, 8, 5, 0 hours, breaks 0, 45,
    // 45, 45, 45, 15, 0) and clears days, hours and break per day; off sets 5 days of 8.0 hours with
    // 45 minutes break and clears the grid. Both clear the half-day flags.
    void setFixedRegularWorkingDays(size_t period, bool on);
    // "Arbeitszeiten gelten bis zum Ende des Jahres". Clearing it on the last page adds a page after
    // it (a copy from the next month on); on a December page the box stays ticked. Ticking it while
    // later pages exist asks whether they go; No leaves the box clear. Returns the box's state.
    bool setWorkingTimeLastPeriod(size_t period, bool on, Prompter& prompter);

    // ----- Arbeitseinstellungen -----
    // Ticking the first use adds the first wage page; clearing the last use while wage pages exist
    // asks whether they go (No ticks the box again). Returns the box's state.
    bool setWageUse(WageUse use, bool on, Prompter& prompter);
    bool wageUse(WageUse use) const;
    // "Korrekte Pausenzeiten sicherstellen" can be ticked only while break times are checked.
    bool enforceBreaksEnabled() const { return edited_.checkBreakTimes != 0; }
    // The note of the page when break checking cannot work: empty when there is none.
    std::string breakCheckNote() const;

    // ----- Überstunden -----
    // Ticking proposes the usual values; clearing empties percent, hours, times and wage types
    // (surcharge 1 takes surcharge 2 with it).
    void setSurcharge(Surcharge surcharge, bool on);
    bool surchargeOn(Surcharge surcharge) const;
    // "Woche endet am Monatsende" only while every period has fixed regular working days.
    bool weekEndsAtMonthEndEnabled() const;

    // ----- Arbeitszeitkonto -----
    // "Zuschläge in Stunden umrechnen" only while some surcharge is on.
    bool convertSurchargesEnabled() const;

    // ----- Bruttolohn -----
    // A changed hourly wage recomputes employer cost and value creation per hour from their factors
    // (for a factor above 0); a changed factor its per-hour value (for an hourly wage above 0).
    void setHourlyWage(size_t period, double wage);
    void setEmployerCostFactor(size_t period, double factor);
    void setValueCreationFactor(size_t period, double factor);
    // "Lohnangaben gelten bis zum Ende des Jahres", as for the working-time pages.
    bool setWageLastPeriod(size_t period, bool on, Prompter& prompter);
    // The rows of the deviating wages: the services of "Daten.dl" (when it could not be read, the
    // services that have a deviating wage).
    std::vector<DeviatingWageRow> deviatingWageRows(size_t period) const;
    DeviatingWageEdit deviatingWageOf(size_t period, const std::string& service) const;
    // Takes the edit over: a deviating wage is set, otherwise the service's entry goes.
    void setDeviatingWage(size_t period, const DeviatingWageEdit& edit);

    // ----- checks -----
    // The checks of one page as it is left: the first failing message is shown (questions are
    // asked) and returned with its field; nullopt lets the page go.
    std::optional<SettingsFailure> leavePage(size_t page, Prompter& prompter);
    // OK: every page in order. Without a failure the result is ready.
    std::optional<SettingsFailure> confirm(Prompter& prompter);

    // The record as OK writes it back: the week does not end at the month's end while a period
    // has no fixed regular working days, and the deviating wages of services no longer in
    // "Daten.dl" are gone (only when it was read).
    CEinstArbzt result() const;
    // OK on an open year file: the settings go in, every month's cached results go out of date and
    // the file is changed. The caller moves the path along when owner or year changed (syncPath).
    void applyTo(CLorvanDoc& document) const;

  private:
    std::optional<SettingsFailure> checkPage(size_t page, Prompter& prompter);
    std::optional<SettingsFailure> checkGeneral(size_t page);
    std::optional<SettingsFailure> checkWorkingTime(size_t page, size_t period) const;
    std::optional<SettingsFailure> checkWorkSettings(size_t page, Prompter& prompter);
    std::optional<SettingsFailure> checkOvertime(size_t page, Prompter& prompter);
    std::optional<SettingsFailure> checkAccount(size_t page, Prompter& prompter);
    std::optional<SettingsFailure> checkVacation(size_t page) const;
    std::optional<SettingsFailure> checkWage(size_t page, size_t period) const;

    CEinstArbzt edited_;
    const std::string originalName_;
    const int32_t originalYear_;
    const int32_t storedRounding_;
    bool newFile_;
    FileSettingsEnvironment environment_;
    // Answers that hold for the rest of the dialog: the unusual rounding confirmed with Yes, the
    // account question answered No, the break note shown.
    std::optional<int32_t> acceptedRounding_;
    bool accountQuestionAccepted_ = false;
    bool breakNoteShown_ = false;
};

} // namespace lorvan
