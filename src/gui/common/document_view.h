#pragma once

#include "app/menu_table.h"

#include <QWidget>

#include <cstdint>
#include <memory>
#include <string>

namespace lorvan {

struct OpenYearFile;

// A window of the main window's document area. The main window knows its windows only through this:
// which file, which kind of view and menu bar, which help topic.
class DocumentView : public QWidget {
    Q_OBJECT
  public:
    // The open year file of a year or month view; nullptr for windows on other files (the master
    // files), which ask their own questions when they close.
    std::shared_ptr<OpenYearFile> file() const { return file_; }
    virtual ActiveView viewKind() const = 0;
    virtual MenuBarKind menuBarKind() const { return MenuBarKind::YearFile; }
    // The month a month view shows; 0 for views of the whole year.
    virtual int32_t month() const { return 0; }
    // The day a day view shows, the selected day of a month view; 0 otherwise.
    virtual int32_t dayNumber() const { return 0; }
    // The help topic Shift+F1 shows while the view is active.
    virtual int helpTopic() const = 0;
    // The size the view is laid out for; its window never gets smaller by arranging.
    virtual QSize designedSize() const = 0;
    // Where the keys go when the view opens.
    virtual QWidget* focusTarget() { return this; }
    // The program's settings changed (the month closing among them).
    virtual void settingsChanged() {}
    // The file the window shows: the year file's path, or the master file of a window on one; the
    // main window closes the windows of a path with it (OpenDocuments).
    virtual std::string documentPath() const;

    // Commands the view serves itself while it is active (the list commands of a master-data
    // window); they come before the handler of the command table.
    virtual bool servesCommand(MenuCommand) const { return false; }
    virtual void runOwnCommand(MenuCommand) {}

    // Whether the view hands the evaluation commands of a year file on to the year view that
    // relayTarget() opens (the employee window: the selected employee's year file for "Jahr").
    virtual bool relaysCommands() const { return false; }
    // Opens or finds the year view the relayed commands act on; nullptr when none opened (the
    // reason shown or beeped).
    virtual DocumentView* relayTarget() { return nullptr; }

    // The program ends after a failure, or a work area closes all windows: the view asks nothing.
    void closeWithoutQuestions() { closingWithoutQuestions_ = true; }
    // Closes the window the view sits in: its document window in the main window, or the view itself
    // where it stands alone.
    void closeWindow();

  signals:
    // The view closes its window with its own button (the window size is kept then).
    void closingByOwnButton();
    // What the commands depend on changed (the selection, the file's changed state).
    void commandStateChanged();

  protected:
    DocumentView(std::shared_ptr<OpenYearFile> file, QWidget* parent);
    std::shared_ptr<OpenYearFile> file_;
    bool closingWithoutQuestions_ = false;
};

} // namespace lorvan
