#pragma once

#include "logbook/logbook_window.h"

#include <functional>

namespace lorvan {

class Desktop;
class LogbookWordLists;
class WebBrowser;

// What the logbook windows take from the desktop besides Desktop.
struct LogbookServices {
    // The program's completion lists of the trip dialog, built on first use; nullptr: none.
    std::function<LogbookWordLists*()> words;
    // The browser of the link "Konformitätserklärung fürs Finanzamt"; nullptr: the desktop's own.
    WebBrowser* browser = nullptr;
};

// "Fahrtenb&uch..." of the file menu: opens (or activates) "Fahrzeuge verwalten" on "Daten.fz" of
// the data directory. The services stay for every logbook window opened afterwards.
void registerLogbookCommands(Desktop& desktop, LogbookServices services);

// The services registered last.
const LogbookServices& logbookServices();
// The logbook flows' environment on the desktop: data directory, questions, clock, customers and the
// word lists.
LogbookEnvironment logbookEnvironment(Desktop& desktop);

} // namespace lorvan
