#pragma once

#include "entry/month_lock.h"
#include "foundation/datum.h"
#include "masterdata/employee.h"
#include "yearfile/document_base.h"
#include "yearfile/year_file.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

// The quick entry ("Schnellerfassung"): one day entered at once for up to eight days and for several
// employees. The model holds the dialog's employee lists and dates, runs the checks of "&Zeiten
// erfassen...", finds or creates the year files, builds the template day that the day dialog
// ("Schnellerfassung eines Tages") edits, and applies the edited template to every employee and date.
namespace lorvan {

class Clock;
class Prompter;

inline constexpr const char* kNoEmployeeSelectedMessage = "Es muss ein Mitarbeiter ausgewählt werden.";
inline constexpr const char* kRangeInOneYearMessage = "Der Zeitraum muss im selben Jahr liegen.";
inline constexpr const char* kToBeforeFromMessage = "Der Bis-Tag muss größer als der Von-Tag sein.";
inline constexpr const char* kRangeAtMostOneWeekMessage = "Der Zeitraum darf höchstens eine Woche betragen.";
inline constexpr const char* kDayCountErrorMessage = "Es ist ein Fehler bei der Berechnung der Tage aufgetreten.";
inline constexpr const char* kDifferentDataAskContinue = "\nSollen die Zeiten trotzdem erfasst werden?";

// One row of the lists "Mögliche Mitarbeiter" and "Ausgewählte Mitarbeiter".
struct QuickEntryEmployee {
    int32_t number = 0; // "Personalnr"
    std::string name;   // "Name"
    bool active = true;
    friend bool operator==(const QuickEntryEmployee&, const QuickEntryEmployee&) = default;
};

// The texts above the day dialog.
struct QuickEntryHeader {
    std::string employee;         // "Arbeitszeiten erfassen für": the first selected employee
    std::string furtherEmployees; // "+ weitere Mitarbeiter": the others, each name once, joined by "; "
    // "%d.%m.%Y" of the date for a single day, else empty; the day dialog's "am" field then shows the
    // template day's title, " - " and this text.
    std::string dateText;
};

// Where the quick entry finds, keeps and writes the year files. The desktop gives the documents of
// open windows; the command line and the tests read and write the files themselves.
class QuickEntryFiles {
  public:
    virtual ~QuickEntryFiles() = default;
    // The document of the year file at path: an open one or one read from disk; nullptr when there
    // is no such file. A file that cannot be read raises LorvanError with the reader's message.
    virtual CLorvanDoc* open(const std::string& path) = 0;
    // Keeps a new document for a year file that does not exist yet; it is written at its save.
    virtual CLorvanDoc& adopt(const std::string& path, CLorvanDoc document) = 0;
    // Writes the document at once (failures shown); true when written.
    virtual bool save(const std::string& path, CLorvanDoc& document) = 0;
};

// QuickEntryFiles on the files of the data directory, read and written with the change check of
// every save; it remembers the files it wrote.
class YearFileStore : public QuickEntryFiles {
  public:
    explicit YearFileStore(StorageContext context) : context_(std::move(context)) {}
    CLorvanDoc* open(const std::string& path) override;
    CLorvanDoc& adopt(const std::string& path, CLorvanDoc document) override;
    bool save(const std::string& path, CLorvanDoc& document) override;
    // The paths written, in the order of their first save.
    const std::vector<std::string>& written() const { return written_; }

  private:
    StorageContext context_;
    std::map<std::string, std::unique_ptr<CLorvanDoc>> documents_;
    std::vector<std::string> written_;
};

// The edited template is shown to the user and comes back: true for "&Speichern + Schließen" (the
// checks of saving a day passed), false for cancel.
using QuickEntryDayEditor = std::function<bool(CTagDoc& templateDay, const QuickEntryHeader& header)>;

class QuickEntry {
  public:
    // The employees of the employee file (any order: the lists show them by number); both dates are
    // today and only active employees are shown.
    QuickEntry(const std::map<int32_t, CMitarbeiterDoc>& employees, const Clock& clock);
    // The template points into the model.
    QuickEntry(const QuickEntry&) = delete;
    QuickEntry& operator=(const QuickEntry&) = delete;

    Datum from; // "Tag"
    Datum to;   // "bis"

    // "nur aktive Mitarbeiter anzeigen": the possible list shows only active employees. Selected
    // employees stay selected.
    bool onlyActive() const { return onlyActive_; }
    void setOnlyActive(bool on) { onlyActive_ = on; }

    // "Mögliche Mitarbeiter": the shown employees not selected; "Ausgewählte Mitarbeiter": the
    // selected ones. Both by personnel number.
    std::vector<QuickEntryEmployee> possible() const;
    std::vector<QuickEntryEmployee> selected() const;
    void selectAll();                                  // ">>": every employee of the possible list
    void select(const std::vector<int32_t>& numbers);  // ">": the marked rows of the possible list
    void remove(const std::vector<int32_t>& numbers);  // "<": the marked rows of the selected list
    void removeAll();                                  // "<<"

    // "&Zeiten erfassen..." up to the day dialog: the checks in order (messages shown), the year file
    // of every employee for the dates' year (a missing one created after the question; No stops
    // everything, and nothing is written before the template was edited), and the template with the
    // question when the existing days differ. True when the day dialog is to open on templateDay()
    // with header().
    bool prepare(Prompter& prompter, QuickEntryFiles& files, const MonthClosedRule& closed,
                 const std::string& dataDirectory);
    CTagDoc& templateDay();
    const QuickEntryHeader& header() const { return header_; }
    // The dates of the range, from to to.
    const std::vector<Datum>& dates() const { return dates_; }

    // The edited template goes to every employee and date: missing months (with their automatic
    // public holidays) and days are created, the day takes every field but the further employees and
    // all time lines (the public-holiday mark only when a single day is entered: over a range each day
    // keeps its own), the month's results go out of date, and each employee's file is saved at once.
    // False when a save failed: the day dialog opens again on the same template.
    bool apply(QuickEntryFiles& files);

    // The whole of "&Zeiten erfassen...": prepare, then the day dialog until the template is applied
    // and saved everywhere or the dialog is cancelled. True when everything was saved.
    bool run(Prompter& prompter, QuickEntryFiles& files, const MonthClosedRule& closed,
             const std::string& dataDirectory, const QuickEntryDayEditor& editDay);

  private:
    struct Target {
        std::string name;
        std::string path;
        CLorvanDoc* document = nullptr;
    };
    bool checkDates(Prompter& prompter, const MonthClosedRule& closed);
    bool findFiles(Prompter& prompter, QuickEntryFiles& files, const std::string& dataDirectory);
    bool buildTemplate(Prompter& prompter);
    void buildHeader();
    bool shown(const CMitarbeiterDoc& employee) const;

    std::map<int32_t, CMitarbeiterDoc> employees_;
    std::vector<int32_t> selected_;
    bool onlyActive_ = true;
    const Clock& clock_;
    std::vector<Datum> dates_;
    std::vector<Target> targets_;
    // The template lives in a month of a scratch file with the first employee's settings, so that
    // the day dialog reaches the settings (new lines, calculation fields) and the day's date.
    CLorvanDoc scratch_;
    CTagDoc* template_ = nullptr;
    QuickEntryHeader header_;
};

// Whether two days hold different data in the sense of the quick entry's overwrite question: report
// and internal remark and kind differ only when the template's value is set or the other day has time
// lines; checked and closed, complete and the time lines (count and every value) always; the public
// holiday only when compareHoliday is set.
bool quickEntryDaysDiffer(const CTagDoc& templateDay, const CTagDoc& other, bool compareHoliday);

} // namespace lorvan
