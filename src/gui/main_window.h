#pragma once

#include "app/menu_table.h"
#include "app/start_up.h"
#include "foundation/file_system.h"
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
class QPrinter;
class QToolBar;

namespace lorvan {

class CLorvanApp;
class CLorvanView;
class CMonatView;
class HelpWindow;
class Clock;
class FileListView;
class Prompter;
class ProgramRunner;
struct OpenYearFile;

// The main window: menus from the menu table, toolbar, status bar and the document windows in an
// MDI area. Commands whose work areas are not built yet stay disabled.
class MainWindow final : public QMainWindow, public StartUpHost {
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

    // StartUpHost: the general settings dialog; and, until the employees work area exists, the
    // year file selection in place of any work area.
    bool runGeneralSettings(CLorvanApp& app) override;
    void openWorkArea(const WorkAreaPlan& plan) override;

    // The help window (made at the first request); the topic Shift+F1 shows for the active window.
    HelpWindow* helpWindow();
    int contextHelpTopic() const;
    // Writes the year file with the change check; failures are shown. True when written.
    bool saveYearFile(OpenYearFile& file);
    // Closes every document window without questions.
    void closeAllDocuments();
    // Carries out a menu command (the menus' and the toolbar's actions call this).
    void runCommand(MenuCommand command);
    QAction* action(MenuCommand command) const;
    QMdiArea* mdiArea() const { return mdi_; }
    ActiveView activeViewKind() const;
    // Where exports are written; the temporary folder unless set.
    void setExportFolder(const std::string& folder) { exportFolder_ = folder; }

    // Whether a command works in this build at all.
    static bool isBuilt(MenuCommand command);

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
    void buildMenuBar(MenuBarKind kind);
    // Export entries name the spreadsheet program of the per-user store (read once per bar).
    void fillMenu(QMenu* menu, const std::vector<MenuItem>& items, SpreadsheetProgram spreadsheet);
    void fillRecentFiles();
    void updateActions();
    void chooseAndOpenYearFile();
    void showAbout();
    FileListView* activeView() const;
    // Shows the view in a document window at the remembered size of its view number.
    QMdiSubWindow* addDocumentWindow(FileListView* view, int32_t viewNumber);

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
    MenuBarKind shownBar_ = MenuBarKind::NoDocument;
    std::unique_ptr<QPrinter> printer_;
    std::string exportFolder_;
    QMetaObject::Connection focusConnection_;
    bool closingWithoutQuestions_ = false;
};

} // namespace lorvan
