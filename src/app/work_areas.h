#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace lorvan {

// The commands that open a work area or one of the dialogs that work on the whole data directory.
enum class WorkAreaCommand {
    Employees,
    Customers,
    Services,
    Logbook,
    CustomerQuery,
    MonthClosing,
    QuickEntry,
    DataImport,
    EmployeeImport,
    GeneralSettings,
};

// What a command shows.
enum class WorkAreaTarget {
    WorkArea,              // a window on a data file (view number below)
    QuickEntryDialog,      // quick entry with the employee list
    ImportDialog,          // import of working times and absences
    EmployeeImportDialog,  // import of employees
    GeneralSettingsDialog, // "Allgemeine Einstellungen"
};

struct WorkAreaCommandInfo {
    WorkAreaCommand command;
    const char* menuText;
    WorkAreaTarget target;
    int32_t view;                   // the work area's view number; 0 for the dialogs
    bool createWhenMissing;         // a missing file is created (written on its first save)
    const char* processingMessage;  // refusal while the processing flag is set; nullptr: none
    bool needsEmployeeFile;         // "Daten.mar" must exist before it opens
    const char* missingFileMessage; // refusal without "Daten.mar"; nullptr: the work area's own
    bool reopensEmployees;          // afterwards all documents are closed without questions and the
                                    // employees work area opens again
};

inline constexpr const char* kEmployeesProcessingMessage =
    "Die Mitarbeiter können nicht während einer laufenden Verarbeitung angezeigt werden.";
inline constexpr const char* kEvaluationsProcessingMessage =
    "Die Auswertungen können nicht während einer laufenden Verarbeitung gestartet werden.";
inline constexpr const char* kEntryProcessingMessage =
    "Die Daten können nicht während einer laufenden Verarbeitung erfasst werden.";
inline constexpr const char* kImportProcessingMessage =
    "Der Import kann nicht während einer laufenden Verarbeitung gestartet werden.";
inline constexpr const char* kNoEmployeesMessage = "Bitte legen Sie erst Mitarbeiter im Arbeitsgebiet "
                                                   "'Datei'-'Mitarbeiter verwalten' an und erfassen Sie dann "
                                                   "die Arbeitszeiten für diese Mitarbeiter.";
inline constexpr const char* kNoEmployeesForEntryMessage =
    "Bitte legen Sie erst Mitarbeiter im Arbeitsgebiet 'Datei'-'Mitarbeiter verwalten' an.";

inline constexpr const char* kEmployeeFileName = "Daten.mar";
inline constexpr const char* kCustomerFileName = "Daten.kd";
inline constexpr const char* kServiceFileName = "Daten.dl";
inline constexpr const char* kVehicleFileName = "Daten.fz";

// The commands in menu order.
const std::array<WorkAreaCommandInfo, 10>& workAreaCommands();
const WorkAreaCommandInfo& workAreaCommand(WorkAreaCommand command);

// The fixed file of a work area ("Daten.mar" for 153, 157 and 207); empty for another view.
std::string workAreaFileName(int32_t view);

// What the desktop does for a work area or a command.
struct WorkAreaPlan {
    enum class Action {
        Refuse,     // show message, nothing opens
        OpenWindow, // activate the window of that view on path, or open path with kindIndex
        ShowDialog, // the command's dialog (target)
    };
    Action action = Action::Refuse;
    std::string message;
    WorkAreaTarget target = WorkAreaTarget::WorkArea;
    std::string path;    // the data file, also for the dialogs that need "Daten.mar"
    int32_t view = 0;    // OpenWindow: the view that must show the file
    int kindIndex = -1;  // OpenWindow: the document kind to open the file with
    bool create = false; // OpenWindow: the file is missing; an empty document gets this path
    bool reopensEmployees = false;
};

// Opening the work area of a view (employees 153, customer query 157, month closing 207,
// customers 168, services 171, vehicle list 177) in the data directory: refused with the area's
// message when the file is missing and may not be created.
WorkAreaPlan planWorkArea(int32_t view, bool createWhenMissing, const std::string& dataDirectory);

// A command from the menu: the processing flag and the required files first, then the work area or
// the dialog.
WorkAreaPlan planCommand(WorkAreaCommand command, const std::string& dataDirectory, bool processingRunning);

} // namespace lorvan
