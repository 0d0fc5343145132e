#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace lorvan {

class CLorvanView;
class CMonatView;
class Desktop;
struct OpenYearFile;

// The commands of the year and month views: "Ö&ffnen..." and "Aktuell ausgewählten &Eintrag
// öffnen...".
void registerEntryCommands(Desktop& desktop);

// Opens a year file in its year view; a file that is open already activates that view. Failures are
// shown; nullptr then.
CLorvanView* openYearFileView(Desktop& desktop, const std::string& path);
// Opens the month of the file in a month view (activates the one there is); nullptr when the month
// does not exist.
CMonatView* openMonthView(Desktop& desktop, const std::shared_ptr<OpenYearFile>& file, int32_t month);
// The file selection of year files in the data directory; the chosen one opens.
void chooseAndOpenYearFile(Desktop& desktop);

} // namespace lorvan
