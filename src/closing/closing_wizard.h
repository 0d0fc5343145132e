#pragma once

#include "closing/month_collection.h"
#include "output/report_table.h"

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The month closing wizard ("Monatsabschluss") as a model: the period page, the department and
// employee pages, the finish page with the collected months, its summaries, the two lists and the
// month closing after a confirmed booking export. The windows only show what it holds.
namespace lorvan {

class BookingExportForm;
class Clock;
class Prompter;
class UserStore;

enum class ClosingPage { Period, Departments, Employees, Finish };
// Where the focus goes when a page cannot be left.
enum class ClosingField { None, Month, PossibleDepartments, PossibleEmployees };

inline constexpr const char* kMonthMissing = "Der Monat muss eingegeben werden.";
inline constexpr const char* kMonthInvalid = "Der Monat ist ungültig.";
inline constexpr const char* kNoDepartmentSelected = "Es muss eine Abteilung ausgewählt werden.";
inline constexpr const char* kNoEmployeeSelected = "Es muss ein Mitarbeiter ausgewählt werden.";

class MonthClosingWizard {
  public:
    // employees: the records of "Daten.mar" by number. Reads the stored choices.
    MonthClosingWizard(std::string dataDirectory, std::map<int32_t, CMitarbeiterDoc> employees, UserStore& store,
                       Prompter& prompter, const Clock& clock);
    ~MonthClosingWizard();
    MonthClosingWizard(const MonthClosingWizard&) = delete;
    MonthClosingWizard& operator=(const MonthClosingWizard&) = delete;

    ClosingPage page() const { return page_; }
    // The caption of the page ("Monatsabschluss - Fertig stellen").
    std::string caption() const;
    // The step titles of the pages that are part of the wizard with the current choices.
    std::vector<ClosingPage> pages() const;
    static const char* stepTitle(ClosingPage page);

    // --- "Zeitraum auswählen"
    // "Letzter Monat      03.2024", "Aktueller Monat   04.2024", "Monat eingeben".
    std::array<std::string, 3> periodEntries() const;
    ClosingPeriod period() const { return period_; }
    // Choosing "Monat eingeben" proposes the month before last in the month field.
    void setPeriod(ClosingPeriod period);
    bool monthFieldEnabled() const { return period_ == ClosingPeriod::EnteredMonth; }
    std::string monthText; // "Monat (TT.JJJJ)": MM.JJJJ
    ClosingSelection selection() const { return selection_; }
    void setSelection(ClosingSelection selection) { selection_ = selection; }
    bool onlyActive() const { return onlyActive_; }
    void setOnlyActive(bool on);

    // --- the department and employee pages: possible and selected entries with the four moves. A
    // move without an entry does nothing and gives false (the window beeps).
    const std::vector<std::string>& possibleDepartments() const { return possibleDepartments_; }
    const std::vector<std::string>& selectedDepartments() const { return selectedDepartments_; }
    bool selectAllDepartments();
    bool selectDepartment(size_t possibleIndex);
    bool deselectDepartment(size_t selectedIndex);
    bool deselectAllDepartments();
    const std::vector<CMitarbeiterDoc>& possibleEmployees() const { return possibleEmployees_; }
    const std::vector<CMitarbeiterDoc>& selectedEmployees() const { return selectedEmployees_; }
    bool selectAllEmployees();
    bool selectEmployee(size_t possibleIndex);
    bool deselectEmployee(size_t selectedIndex);
    bool deselectAllEmployees();

    // --- navigation. next() checks the page (the message shown, focus() set, false); leaving the
    // period page stores the choices; reaching the finish page collects the months anew ("Es sind
    // keine Monatsdaten ..." keeps the wizard where it is).
    bool next();
    bool back();
    ClosingField focus() const { return focus_; }

    // --- "Fertig stellen"
    // "Monat": "03.2024" (last or entered month), "4.2024" (current month), "???? - Formatfehler".
    std::string monthSummary() const;
    // "Mitarbeiter": "Alle", up to three names (or departments) joined with ",", or "Ausgewählt".
    std::string employeeSummary() const;
    // The chosen month; nothing while the entered month cannot be read.
    std::optional<ClosingMonthChoice> chosenMonth() const;
    std::vector<CMitarbeiterDoc> chosenEmployees() const;
    // The months of the last collection; nullptr before the finish page was reached.
    const MonthCollection* collection() const { return collection_.get(); }

    // The two lists, built at their first use after a collection.
    const CReportTable& accountList(bool buildSwitch);
    const CReportTable& costList();

    // The booking export's OK: when the dialog closes with OK the month closing advances to the chosen
    // month ("MM.JJJJ"); true then.
    bool confirmBookingExport(BookingExportForm& form, const std::function<void(const std::string&)>& advance);

    // The missing-times export's settings, kept by "&Schließen".
    std::string absenceFile;
    bool absenceOnlyMissing = true;

    // "&Schließen": stores the choices and the missing-times settings.
    void close();

  private:
    void storeChoices();
    void refreshLists();
    bool refuse(const char* message, ClosingField field);
    bool collect();

    std::string dataDirectory_;
    std::map<int32_t, CMitarbeiterDoc> employees_;
    UserStore& store_;
    Prompter& prompter_;
    const Clock& clock_;
    ClosingPage page_ = ClosingPage::Period;
    ClosingPeriod period_ = ClosingPeriod::LastMonth;
    ClosingSelection selection_ = ClosingSelection::All;
    bool onlyActive_ = true;
    ClosingField focus_ = ClosingField::None;
    std::vector<std::string> possibleDepartments_;
    std::vector<std::string> selectedDepartments_;
    std::vector<CMitarbeiterDoc> possibleEmployees_;
    std::vector<CMitarbeiterDoc> selectedEmployees_;
    std::unique_ptr<MonthCollection> collection_;
    std::optional<CReportTable> accountList_;
    bool accountListSwitch_ = false;
    std::optional<CReportTable> costList_;
};

} // namespace lorvan
