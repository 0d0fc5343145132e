#pragma once

#include <cstdint>
#include <string>
#include <vector>

class QPrinter;
class QWidget;

namespace lorvan {

class CLorvanApp;
class Clock;
class CommandTable;
class DocumentView;
class OpenDocuments;
class Prompter;
class ProgramRunner;
struct OpenYearFile;

// What the windows of every subsystem get from the main window: the application, the platform,
// the command table they register into and the document area they open their views in.
class Desktop {
  public:
    virtual ~Desktop() = default;

    // The parent of dialogs.
    virtual QWidget* dialogParent() = 0;
    virtual CLorvanApp& app() = 0;
    virtual Prompter& prompter() = 0;
    virtual const Clock& clock() const = 0;
    virtual ProgramRunner& runner() = 0;
    // The printer set up with "Drucker&einrichtung...".
    virtual QPrinter& printer() = 0;
    // The PDF file reports were printed to last; empty before the first. The next report's file is
    // proposed in its folder.
    virtual std::string& lastPrintFile() = 0;
    // Where exports are written.
    virtual std::string exportFolder() const = 0;
    virtual CommandTable& commands() = 0;

    // The active document window's view; nullptr without one.
    virtual DocumentView* activeDocument() const = 0;
    virtual std::vector<DocumentView*> documents() const = 0;
    // Shows the view in a new document window at the remembered size of its view number, fully
    // inside the document area, and activates it.
    virtual void addDocument(DocumentView* view, int32_t viewNumber) = 0;
    virtual void activateDocument(DocumentView* view) = 0;
    // A year file was opened: it goes to the top of the recent files.
    virtual void fileOpened(const std::string& path) = 0;
    // Writes the year file with the change check; failures are shown. True when written.
    virtual bool saveYearFile(OpenYearFile& file) = 0;
    // Opens a year file in its year view (activates the one there is); failures are shown, nullptr
    // then.
    virtual DocumentView* openYearFileWindow(const std::string& path) = 0;
    // The open windows as the master-data flows close them (case-insensitive paths).
    virtual OpenDocuments& openDocuments() = 0;
    // The program's settings changed: menus and views follow.
    virtual void settingsChanged() = 0;
    // Enables and disables the commands for the present state.
    virtual void updateCommands() = 0;
};

} // namespace lorvan
