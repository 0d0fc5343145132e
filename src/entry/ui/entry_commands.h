#pragma once

#include "entry/day_entry.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace lorvan {

class CLorvanDoc;
class CTagDoc;
struct QuickEntryHeader;

class CLorvanView;
class CMonatView;
class CTagView;
class Desktop;
class DocumentView;
struct OpenYearFile;

// The commands of the year and month views: "&Neu", "Ö&ffnen...", "Aktuell ausgewählten &Eintrag öffnen..."
// and "Aktuell ausgewählten Eintrag &löschen" (a month of the year view, a day of the month view),
// and "&Schnellerfassung...".
void registerEntryCommands(Desktop& desktop);

// Makes the time-line editor ("Arbeitszeit eingeben") for the day views of a file.
using TimeLineEditorSource =
    std::function<TimeLineEditor(Desktop& desktop, const std::shared_ptr<OpenYearFile>& file)>;
// Day views opened from now on take their editor from the source (tests use a fake one); an empty
// source gives the program's own.
void setTimeLineEditorSource(TimeLineEditorSource source);


// The settings of a new year file, asked for step by step before its year view opens: false when the
// user cancelled (the new file is then abandoned). The desktop wires the settings dialog in; without
// one a new file opens with the settings it was started with.
using NewFileSettings = std::function<bool(Desktop& desktop, CLorvanDoc& document)>;
void setNewFileSettings(NewFileSettings settings);
// "&Neu": a new year file, its settings first; its year view opens unsaved.
void createNewYearFile(Desktop& desktop);

// The day dialog "Schnellerfassung eines Tages" on the quick entry's template: true when it was
// closed with "&Speichern + Schließen" (its checks passed). The desktop wires the day entry's dialog in.
using QuickEntryDayDialog =
    std::function<bool(QWidget* parent, CTagDoc& templateDay, const QuickEntryHeader& header)>;

// The day dialog that the quick entry opens on its template ("Schnellerfassung eines Tages"). Without
// one, "&Zeiten erfassen..." stops after its checks.
void setQuickEntryDayDialog(QuickEntryDayDialog dialog);
// "&Schnellerfassung...": the processing flag and "Daten.mar" first, then the dialog.
void runQuickEntry(Desktop& desktop);

// Prints the day sheet of a day view in the form of the day entry's button "Tageszettel &drucken"; the
// desktop wires the reports in. Without one the button only saves the day.
using DaySheetPrinter = std::function<void(Desktop& desktop, DocumentView& dayView)>;
void setDaySheetPrinter(DaySheetPrinter printer);

// The trip assistant behind the day entry's button "In &Fahrtenbuch übertragen..."; the desktop wires
// the logbook's windows in. Without one the button stays disabled.
struct LogbookTransfer {
    // Whether the button is offered (a vehicle file exists in the data directory).
    std::function<bool(Desktop& desktop)> available;
    // Opens the assistant for the day, which is saved by then (in its year file, or in the quick
    // entry's template). From a day view an open logbook window refuses it; from the quick entry not.
    std::function<void(Desktop& desktop, const CTagDoc& day, bool refuseWhileLogbooksOpen)> open;
    // Opens an existing logbook file (".fb") that came to the program's open command, the recent
    // files or the command line in its logbook window. Empty: it is opened as a year file.
    std::function<void(Desktop& desktop, const std::string& path)> openLogbook{};
};
void setLogbookTransfer(LogbookTransfer transfer);

// The open year file of a window on the path (letter case ignored); nullptr when none is open.
std::shared_ptr<OpenYearFile> openYearFileOf(Desktop& desktop, const std::string& path);
// The year and month views of the file show its present months and days.
void refreshViewsOf(Desktop& desktop, const std::shared_ptr<OpenYearFile>& file);
// "A&nlegen" of the year view with the number of "Nächster Monat".
void createMonthInView(Desktop& desktop, CLorvanView& view, int32_t month);
// "Aktuell ausgewählten Eintrag &löschen" of the year view: the selected month (beeps without one).
void deleteMonthInView(Desktop& desktop, CLorvanView& view);

// Opens a year file in its year view; a file that is open already activates that view. Failures are
// shown; nullptr then.
CLorvanView* openYearFileView(Desktop& desktop, const std::string& path);
// Opens the month of the file in a month view (activates the one there is); nullptr when the month
// does not exist.
CMonatView* openMonthView(Desktop& desktop, const std::shared_ptr<OpenYearFile>& file, int32_t month);
// Opens day `day` of the month in its day entry window (activates the one there is); nullptr when
// the day does not exist. A save in the window refreshes the file's year and month views.
CTagView* openDayView(Desktop& desktop, const std::shared_ptr<OpenYearFile>& file, int32_t month, int32_t day);
// The file selection of year files in the data directory; the chosen one opens.
void chooseAndOpenYearFile(Desktop& desktop);

} // namespace lorvan
