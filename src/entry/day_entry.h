#pragma once

#include "entry/month_lock.h"
#include "yearfile/year_file.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

// The day entry: one day of a year file edited on a copy (the day entry window and the quick entry
// of a day). Nothing reaches the document before save(); every command that changes data refuses
// with kMonthLockedMessage while the day's month is closed.
namespace lorvan {

class PreviousYearSource;
class Prompter;

// Opens the time-line dialog on the line; true for OK (the line then holds the edited values),
// false for Cancel. isFirstNewLine: the line is a new line and the day has no line yet.
using TimeLineEditor = std::function<bool(CZeitZeile& line, bool isFirstNewLine)>;
// The text shown for a line's customer entry (a customer number becomes that customer's text).
using CustomerTextFunction = std::function<std::string(const std::string& customer)>;
// Writes the year file to disk (the document storage with its change check). Returns false, or
// raises LorvanError with the message to show, when the file was not written.
using YearFileSaver = std::function<bool(CLorvanDoc& document)>;

enum class DayEntryMode {
    DayWindow,  // the day entry window: with fill-until, "Nicht beschäftigt", "Geprüft / Abgeschlossen"
    QuickEntry, // "Schnellerfassung eines Tages": without them
};

// The outcome of a day entry command.
enum class EntryResult {
    Done,        // the command did what it does
    Cancelled,   // the user cancelled a dialog or answered a question with No
    Refused,     // a check failed; its message was shown through the prompter
    Locked,      // the month is closed; kMonthLockedMessage was shown
    NoSelection, // no line selected: the caller beeps, nothing was shown
    SaveFailed,  // the year file could not be written; all entries stay, the change flag stays set
};

// What the window does after the close question.
enum class DayCloseDecision { Close, StayOpen };

// One column of the time line list.
struct DayEntryColumn {
    std::string title;
    int width = 0;
    bool rightAligned = false;
};

// The message for printing the day sheet or transferring to the logbook while not complete.
inline constexpr const char* kEnterCompletelyMessage =
    "Erfassen Sie die Angaben bitte erst vollständig. Und markieren Sie dann wieder das Feld "
    "'Angaben vollständig'.";

struct DayEntryServices {
    Prompter* prompter = nullptr;     // required
    MonthClosedRule monthClosed;      // empty: no month is closed
    YearFileSaver save;               // empty: save() stops after marking the document modified
    CustomerTextFunction customerText; // empty: the customer entry is shown as it is
    const PreviousYearSource* previousYears = nullptr; // for the rest-time note across the year
};

class DayEntry {
  public:
    // Works on a copy of the day; the day must belong to a month of a year file.
    DayEntry(CTagDoc& day, DayEntryMode mode, DayEntryServices services);

    DayEntryMode mode() const { return mode_; }
    CTagDoc& day() const { return *day_; }

    // "Arbeitszeiten erfassen für": the owner name of the year file's settings.
    std::string employeeName() const;
    // "am": "07.03.2026 (Samstag)"; in quick entry with a date text: that title + " - " + date text.
    std::string title() const;
    // The day title alone (FormatDate + " (" weekday + ")"), used in the close question.
    std::string dayTitle() const;
    // Quick entry: the date text "%d.%m.%Y" when one day is entered, else empty.
    void setDateText(std::string text) { dateText_ = std::move(text); }

    // Whether the month is closed now (the window disables its changing controls).
    bool isLocked() const;
    bool offersFillUntil() const { return mode_ == DayEntryMode::DayWindow; }
    bool offersNotEmployed() const { return mode_ == DayEntryMode::DayWindow; }
    bool offersCheckedAndClosed() const { return mode_ == DayEntryMode::DayWindow; }

    // The fields; every setter that changes a value sets the change flag.
    bool publicHoliday() const { return work_.publicHoliday != 0; }
    void setPublicHoliday(bool on);
    const std::string& furtherEmployees() const { return work_.furtherEmployees; }
    void setFurtherEmployees(const std::string& text);
    int32_t dayKind() const { return work_.dayKind; }
    void setDayKind(int32_t kind);
    bool complete() const { return work_.complete != 0; }
    void setComplete(bool on);
    const std::string& reportRemark() const { return work_.reportRemark; }
    void setReportRemark(const std::string& text);
    const std::string& internalRemark() const { return work_.internalRemark; }
    void setInternalRemark(const std::string& text);
    bool checkedAndClosed() const { return work_.checkedAndClosed != 0; }
    void setCheckedAndClosed(bool on);
    // "Automatisch eintragen bis einschließlich": a day number of the same month, 0 for none.
    int32_t fillUntil() const { return fillUntil_; }
    void setFillUntil(int32_t dayNumber);

    // The time lines in list order (by from-time; a line without from stays behind the line it was
    // inserted after).
    std::span<const CZeitZeile> lines() const { return work_.lines(); }
    // Takes a day given as a whole (the command line): every field this mode offers and the time
    // lines, as if entered; Locked while the month is closed. The quick entry's further employees
    // come from its header, not from the given day.
    EntryResult enterDay(const CTagDoc& given);
    // The list's columns and rows (one cell per column).
    std::vector<DayEntryColumn> columns() const;
    std::vector<std::vector<std::string>> rows() const;

    bool isChanged() const { return changed_; }

    // "Zeit hi&nzufügen...": a new line whose from is the last line's to; Cancel discards it.
    // selectedIndex receives the new line's list index on Done.
    EntryResult addTime(const TimeLineEditor& editor, int* selectedIndex = nullptr);
    // Opens the dialog on line `index` (-1: no selection); on OK the list is ordered again.
    EntryResult editTime(int index, const TimeLineEditor& editor, int* selectedIndex = nullptr);
    // Asks "Soll die Zeit <entry description> gelöscht werden?"; Yes removes the line.
    EntryResult deleteTime(int index);
    // "Zeiten &berechnen": completes from, to and duration of the lines from their neighbours.
    EntryResult computeTimes();
    // "Fahrten &einfügen": a "Fahrt" line from P's to into every gap between two lines.
    EntryResult insertTrips();
    // Before printing the day sheet or transferring to the logbook: refused with
    // kEnterCompletelyMessage unless "Angaben vollständig" is ticked; then the day is saved.
    EntryResult saveForTransfer();

    // Checks (when complete), takes the fields over into the day, fills until the fill-until day,
    // invalidates the month's results, marks the document modified and writes the year file.
    // Only Done clears the change flag.
    EntryResult save();
    // The close question when changed (Yes/No/Cancel); Yes closes only when the save succeeded.
    DayCloseDecision askToClose();

    // The working-time law notes of the day as last saved (empty before a successful save).
    const std::vector<std::string>& notes() const { return notes_; }

  private:
    bool refuseWhenLocked();
    bool refuseOnStoredTimes();
    void markChanged() { changed_ = true; }
    // Orders the lines for the list; returns the new index of the line at `index`.
    size_t orderLines(size_t index);
    // A free line with the defaults of a new line of this year file.
    CZeitZeile newLine();

    CTagDoc* day_;
    DayEntryMode mode_;
    DayEntryServices services_;
    CTagDoc work_;
    std::string dateText_;
    int32_t fillUntil_ = 0;
    bool changed_ = false;
    std::vector<std::string> notes_;
};

// The working-time law notes for a saved day: "Die Arbeitszeit dieses Tages übersteigt 10 Stunden."
// above 600 work minutes, "Die Ruhezeit vor diesem Tag beträgt weniger als 11 Stunden." when less
// than 660 minutes lie between the end of the previous calendar day's last work block (the previous
// year's file through previousYears on 1 January) and this day's first work block. Standby blocks
// are not work.
std::vector<std::string> workingTimeNotes(const CTagDoc& day, const PreviousYearSource* previousYears);

} // namespace lorvan
