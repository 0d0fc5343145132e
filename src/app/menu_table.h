#pragma once

#include <optional>
#include <string>
#include <vector>

namespace lorvan {

// Every command of the menus and the toolbar.
enum class MenuCommand {
    None, // a separator or a submenu
    New,
    Open,
    Close,
    Save,
    Print,
    PrintPreview,
    PrintSetup,
    Employees,
    Customers,
    Services,
    Logbook,
    RecentFiles, // the submenu "Letzte Datei", filled from the recent-file list
    Exit,
    Undo,
    Cut,
    Copy,
    Paste,
    OpenEntry,
    DeleteEntry,
    ToggleToolbar,
    ToggleStatusBar,
    CustomerQuery,
    QuickEntry,
    DataImport,
    EmployeeImport,
    MonthClosing,
    VacationTaken,
    SickDays,
    AbsencesPrint,
    AbsencesPreview,
    AbsencesExport,
    DaySheetPrint,
    DaySheetPreview,
    DaySheetExport,
    MonthReportPrint,
    MonthReportPreview,
    MonthReportExport,
    YearSummaryPrint,
    YearSummaryPreview,
    YearSummaryExport,
    YearGridPrint,
    YearGridPreview,
    YearGridExport,
    WeekEvaluation,
    AccountEdit,
    AccountPrint,
    AccountPreview,
    AccountExport,
    GeneralSettings,
    FileSettings,
    EmployeeSettings,
    Cascade,
    Tile,
    ArrangeIcons,
    HelpContents,
    HelpSearch,
    HelpIndex,
    News,
    About,
};

// One entry of a menu: a command with its text and shortcut ("Strg+N", empty for none), a
// separator (no text), or a submenu (children).
struct MenuItem {
    std::string text;
    std::string shortcut;
    MenuCommand command = MenuCommand::None;
    std::vector<MenuItem> children;

    bool isSeparator() const { return text.empty(); }
    bool isSubmenu() const { return !children.empty(); }
};

// The menu bars: without a document window (also for customers, services, vehicles and the
// logbook), for the windows of a working-time year file, for a day's window (the year file's bar
// whose print entries name the day sheet), and for the windows of the employee file.
enum class MenuBarKind { NoDocument, YearFile, DayView, EmployeeFile };

// The menus of a bar in their order, each a submenu item.
std::vector<MenuItem> menuBar(MenuBarKind kind);

// The toolbar in its order (separators included); the context help has no command of its own here.
std::vector<MenuCommand> toolbarCommands();

// A shortcut with German key names ("Strg+Umschalt+Entf") in the portable form of the toolkit
// ("Ctrl+Shift+Del").
std::string portableShortcut(const std::string& germanShortcut);

// The further keys of the main window: undo, cut, copy and paste on their second keys.
struct FurtherKey {
    const char* shortcut; // German key names
    MenuCommand command;
};
std::vector<FurtherKey> furtherKeys();

// The first item of the bar with that command, or nullptr.
const MenuItem* findMenuItem(const std::vector<MenuItem>& bar, MenuCommand command);

// The reports of a year file behind the print, preview and export commands.
enum class ReportSubject { MonthReport, YearEvaluation, Account, WorkingTimeGrid, Absences };
enum class ReportAction { Print, Preview, Export };
struct ReportCommand {
    ReportSubject subject;
    ReportAction action;
    friend bool operator==(const ReportCommand&, const ReportCommand&) = default;
};

// The kind of the active document window: none, a view of a year file (year, month, day entry), or
// a window on another file (the employee, customer and service files, …).
enum class ActiveView { None, YearView, MonthView, DayView, Other };

// The report a command runs in the active window: the year reports in the year, month and day views,
// the month report in a month or day view only; "&Drucken..." and "Sei&tenansicht..." print the
// window's own report (year view: the year evaluation, month view: the month report; the day view's
// own report, the day sheet, is not among these). Nothing for other commands and where the report is
// not at hand.
std::optional<ReportCommand> reportCommand(MenuCommand command, ActiveView view);

} // namespace lorvan
