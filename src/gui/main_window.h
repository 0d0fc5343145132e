#pragma once

#include "app/command_table.h"
#include "app/menu_table.h"
#include "app/start_up.h"
#include "foundation/file_system.h"
#include "gui/common/desktop.h"
#include "masterdata/open_documents.h"
#include "output/spreadsheet_export.h"

#include <QMainWindow>

#include <map>
#include <memory>
#include <string>

class QAction;
class QCloseEvent;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QMessageBox;
class QPrinter;
class QToolBar;

namespace lorvan {

class CLorvanView;
class CMonatView;
class HelpWindow;
class LogbookWordLists;

// The main window: menus from the menu table, toolbar, status bar and the document windows in an
// MDI area. Every command runs through the command table, into which the windows of each subsystem
// register their handlers; commands without a handler are not built yet and stay disabled.
class MainWindow final : public QMainWindow, public StartUpHost, public Desktop, public OpenDocuments {
    Q_OBJECT
  public:
    MainWindow(CLorvanApp& app, const UserEnvironment& environment, const Clock& clock, Prompter& prompter,
               ProgramRunner& runner);
    ~MainWindow() override;

    // 7/8 of the screen's width and height, centred.
    void placeOnScreen();

    // Opens a year file in its year view; a file that is open already activates that view. Failures
    // are shown; nullptr then.
    CLorvanView* openYearFile(const std::string& path);
    // Opens the month of the year view's file in a month view (activates the one there is).
    CMonatView* openMonth(const std::shared_ptr<OpenYearFile>& file, int32_t month);

    // Desktop
    QWidget* dialogParent() override { return this; }
    CLorvanApp& app() override { return app_; }
    Prompter& prompter() override { return prompter_; }
    const Clock& clock() const override { return clock_; }
    ProgramRunner& runner() override { return runner_; }
    QPrinter& printer() override { return *printer_; }
    std::string& lastPrintFile() override { return lastPrintFile_; }
    std::string exportFolder() const override;
    CommandTable& commands() override { return commands_; }
    DocumentView* activeDocument() const override;
    std::vector<DocumentView*> documents() const override;
    void addDocument(DocumentView* view, int32_t viewNumber) override;
    void activateDocument(DocumentView* view) override;
    void fileOpened(const std::string& path) override;
    bool saveYearFile(OpenYearFile& file) override;
    void settingsChanged() override;
    void updateCommands() override { updateActions(); }
    DocumentView* openYearFileWindow(const std::string& path) override;
    OpenDocuments& openDocuments() override { return *this; }

    // OpenDocuments: asks every window whose file is the path (letter case ignored) to close, lets
    // each close be processed (up to 20 pending events); true when none of them is open any more.
    bool closeWindowsOf(const std::string& path) override;

    // StartUpHost: the general settings dialog; the work area (the employees at the start).
    bool runGeneralSettings(CLorvanApp& app) override;
    void openWorkArea(const WorkAreaPlan& plan) override;

    // The help window (made at the first request); the topic Shift+F1 shows for the active window.
    HelpWindow* helpWindow();
    int contextHelpTopic() const;
    // Closes every document window without questions.
    void closeAllDocuments();
    // Carries out a menu command (the menus' and the toolbar's actions call this): the active view's
    // own command where it serves one, else the command table's.
    void runCommand(MenuCommand command);
    // Whether the command can be chosen now (its action is enabled).
    bool isCommandEnabled(MenuCommand command) const;
    QAction* action(MenuCommand command) const;
    QMdiArea* mdiArea() const { return mdi_; }
    ActiveView activeViewKind() const;
    // Where exports are written; the temporary folder unless set.
    void setExportFolder(const std::string& folder) { exportFolder_ = folder; }

    // Whether a command works in this build at all: it has a handler.
    bool isBuilt(MenuCommand command) const { return commands_.has(command); }

    // "Info über Lorvan": the program and its version, wide enough for its whole title.
    std::unique_ptr<QMessageBox> createAboutBox();
    // The width the about box needs for its title in the window's title bar.
    static int aboutTitleWidth(const QWidget& box, const QString& title);

    // The question before the last window of a changed year file closes.
    static std::string saveQuestion(const std::string& path);

  protected:
    // Every document window closes first; a changed file asks whether to save it.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Asks about a changed file whose last window is closing: Yes saves (a failed save keeps the
    // window), No drops the changes, Cancel keeps the window. True when the window may close.
    bool mayCloseWindowOf(QMdiSubWindow* window);
    void createActions();
    // The commands the main window serves itself: files, editing, view, window, help.
    void registerOwnCommands();
    void buildMenuBar(MenuBarKind kind);
    // Export entries name the spreadsheet program of the per-user store (read once per bar).
    void fillMenu(QMenu* menu, const std::vector<MenuItem>& items, SpreadsheetProgram spreadsheet);
    void fillRecentFiles();
    void updateActions();
    void showAbout();
    // A new document window lies fully inside the document area (moved up and left, or made smaller
    // down to the view's designed size, when it would stick out).
    void keepInsideArea(QMdiSubWindow* window) const;
    // Arranging never makes a window smaller than its view's designed size; a window that then
    // sticks out of the area moves inside it.
    void keepDesignedSizes();
    // The completion lists of the trip dialog, shared by the logbook windows and the trip assistant:
    // built from the data directory on first use, extended by every trip saved.
    LogbookWordLists* logbookWords();

    CLorvanApp& app_;
    UserEnvironment environment_;
    const Clock& clock_;
    Prompter& prompter_;
    ProgramRunner& runner_;
    QMdiArea* mdi_;
    QToolBar* toolbar_ = nullptr;
    QAction* contextHelp_ = nullptr;
    HelpWindow* help_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    std::map<MenuCommand, QAction*> actions_;
    CommandTable commands_;
    MenuBarKind shownBar_ = MenuBarKind::NoDocument;
    std::unique_ptr<QPrinter> printer_;
    std::string lastPrintFile_;
    std::string exportFolder_;
    QMetaObject::Connection focusConnection_;
    bool closingWithoutQuestions_ = false;
    std::unique_ptr<LogbookWordLists> logbookWords_;
    std::string logbookWordsDirectory_;
};

} // namespace lorvan
