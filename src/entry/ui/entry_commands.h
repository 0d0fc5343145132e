#pragma once

#include "entry/day_entry.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace lorvan {

class CLorvanView;
class CMonatView;
class CTagView;
class Desktop;
struct OpenYearFile;

// The commands of the year and month views: "Ö&ffnen...", "Aktuell ausgewählten &Eintrag öffnen..."
// (a month of the year view, a day of the month view) and "Aktuell ausgewählten Eintrag &löschen" (a
// day of the month view).
void registerEntryCommands(Desktop& desktop);

// Makes the time-line editor ("Arbeitszeit eingeben") for the day views of a file.
using TimeLineEditorSource =
    std::function<TimeLineEditor(Desktop& desktop, const std::shared_ptr<OpenYearFile>& file)>;
// Day views opened from now on take their editor from the source (tests use a fake one); an empty
// source gives the program's own.
void setTimeLineEditorSource(TimeLineEditorSource source);

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
