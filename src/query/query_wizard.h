#pragma once

#include "masterdata/customer_file.h"
#include "masterdata/employee_file.h"
#include "query/customer_query.h"
#include "query/query_report.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The wizard of the customer query ("DruckKunde") as a model: its pages in order, the choices of
// each page, the checks and messages of "Weiter", the selection lists, the evaluation with the
// summaries of the finish page, and "&Schließen", which keeps the choices in "Daten.mar".
namespace lorvan {

class Clock;
class Prompter;

enum class QueryPage { Period, Structure, Employees, Customers, Services, Finish };

// The window title while the page is shown.
std::string queryPageCaption(QueryPage page);

inline constexpr const char* kNoCustomersMessage = "Es sind keine Kunden in der Auswahl enthalten.";
inline constexpr const char* kNoServicesMessage = "Es sind keine Dienstleistungen in der Auswahl enthalten.";
inline constexpr const char* kNoEmployeeSelectedMessage = "Es muss ein Mitarbeiter ausgewählt werden.";
inline constexpr const char* kEnterCustomerMessage = "Geben Sie den Namen des Kunden ein, der ausgewählt werden soll.";
inline constexpr const char* kEnterServiceMessage =
    "Geben Sie die Bezeichnung der Dienstleistung ein, die ausgewählt werden soll.";
inline constexpr const char* kWizardNotCreatedMessage = "Es ist ein Fehler beim Erzeugen des Assistenten aufgetreten.";

// The two lists of a selection page, "Mögliche …" and "Ausgewählte …", with the moves between them.
// Entries keep their first order in both lists. A move with nothing to move gives false (the window
// beeps).
class SelectionLists {
  public:
    struct Entry {
        std::string text;   // the name, customer text or service
        std::string number; // "Personalnummer" (employees only)
        size_t order = 0;
    };

    // All entries possible, none selected.
    void reset(const std::vector<Entry>& entries);
    const std::vector<Entry>& possible() const { return possible_; }
    const std::vector<Entry>& selected() const { return selected_; }
    std::vector<std::string> selectedTexts() const;

    bool moveAll();                       // ">>"
    bool moveSelected(int possibleRow);   // ">": the row of the possible list
    bool moveBack(int selectedRow);       // "<"
    bool moveBackAll();                   // "<<"
    // "&Auswählen": every possible entry whose text contains the text, letter case ignored; the
    // number of entries moved.
    size_t moveContaining(const std::string& text);

  private:
    static void insertOrdered(std::vector<Entry>& list, Entry entry);
    std::vector<Entry> possible_;
    std::vector<Entry> selected_;
};

// The field the focus goes to with a message.
enum class QueryField { None, PeriodEnd, PossibleList, SearchText };

class DruckKunde {
  public:
    // The choices of the employee file's customer query settings; "nur aktive Mitarbeiter
    // berücksichtigen" checked. customers may be empty (no "Daten.kd").
    DruckKunde(std::string employeeFilePath, const CTwMaDoc& employees, const CTwKundenDoc& customers,
               const Clock& clock, Prompter& prompter);

    // --- the choices, set by the window's fields
    QueryChoices choices;
    bool onlyActiveEmployees = true;

    // The period choice list and the level choice lists (level 1 without "Keine weitere Ebene").
    std::vector<std::string> periodTexts() const;
    static std::vector<std::string> levelChoices(int32_t level);
    // "Tag von" and "bis" are enabled for the own period only.
    bool periodDatesEnabled() const { return choices.period.choice == kPeriodOwn; }

    // --- pages
    QueryPage page() const { return pages_.back(); }
    const std::vector<QueryPage>& pagesShown() const { return pages_; }
    std::string caption() const { return queryPageCaption(page()); }
    bool canGoBack() const { return pages_.size() > 1; }
    // "Weiter": the page's checks, then the next page that applies (the evaluation runs before the
    // finish page). False when the wizard stays, with the message shown and focusField() set.
    bool next();
    void back();
    QueryField focusField() const { return focus_; }

    // --- selection pages
    SelectionLists& employeeLists() { return employees_; }
    SelectionLists& customerLists() { return customers_; }
    SelectionLists& serviceLists() { return services_; }
    // "&Auswählen" of the customer or service page: the empty text gives its message (focus on the
    // text field) and false.
    bool selectContaining(QueryPage page, const std::string& text);

    // --- finish page
    const QuerySummary& summary() const { return summary_; }
    const QueryReport& report() const { return report_; }
    std::vector<std::string> skippedFiles() const { return skipped_; }

    // "&Schließen": the choices into the customer query settings of the employee file, which is
    // read anew (changes made meanwhile in another window stay) and saved. False when it could not
    // be read or saved (the message was shown).
    bool close();

  private:
    QueryChoices runChoices() const;
    void refreshEmployees();
    bool enter(QueryPage page);
    bool evaluate();
    std::optional<QueryPage> pageAfter(QueryPage page) const;

    std::string employeeFilePath_;
    const CTwMaDoc& employeeFile_;
    const CTwKundenDoc& customerFile_;
    const Clock& clock_;
    Prompter& prompter_;
    std::vector<QueryPage> pages_{QueryPage::Period};
    QueryField focus_ = QueryField::None;
    SelectionLists employees_;
    SelectionLists customers_;
    SelectionLists services_;
    QuerySummary summary_;
    QueryReport report_;
    std::vector<std::string> skipped_;
};

} // namespace lorvan
