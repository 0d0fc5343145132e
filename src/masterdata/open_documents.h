#pragma once

#include <string>

namespace lorvan {

class Prompter;

// The open windows of the program, as far as the master-data work needs them; the desktop serves
// it. A flow that rewrites a file closes that file's windows first, so that no window keeps an
// older copy that it could save over the new state later.
class OpenDocuments {
  public:
    virtual ~OpenDocuments() = default;
    // Asks every window of every open document of the path (compared without regard to case) to
    // close; a window with unsaved changes asks its own question. True when afterwards no document
    // of the path is open any more.
    virtual bool closeWindowsOf(const std::string& path) = 0;
};

// "Es konnten nicht alle Fenster für <path> geschlossen werden.\nDie Verarbeitung wird abgebrochen."
std::string windowsNotClosedMessage(const std::string& path);

// Closes the windows of the file (nothing to do without open documents); when one stays open, shows
// windowsNotClosedMessage and gives false.
bool closeWindowsOf(OpenDocuments* documents, Prompter& prompter, const std::string& path);

} // namespace lorvan
