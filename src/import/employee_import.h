#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The employee import ("Mitarbeiter importieren"): a staff list of another system, one employee per
// line ("Personalnr;Name;Zusatzinfo;Abteilung;Ignorieren;Vorlage;Übertrag;Resturlaub;Anspruch"),
// creates or updates the records of "Daten.mar" and creates each employee's year file of one year
// (createYearFile), with a protocol that says line by line what happened.
namespace lorvan {

class Clock;
class CTwMaDoc;
class EmployeeList;
class ProcessingFlag;
class Prompter;

inline constexpr const char* kImportFileMissingMessage = "Die angegebene Datei existiert nicht.";
inline constexpr const char* kImplausibleYearMessage = "Die Jahreszahl ist unlogisch.";
inline constexpr const char* kNoEmployeeFileMessage = "Es konnte nicht auf die Mitarbeiterdatei zugegriffen werden.";
inline constexpr const char* kImportErrorsMessage = "Beim Import sind Fehler aufgetreten.";
inline constexpr const char* kImportSucceededText = "Der Import war erfolgreich.\n";

struct EmployeeImportOptions {
    std::string importFile;
    int32_t year = 0;          // "Jahr anlegen"
    bool skipFirstLine = true; // "Erste Zeile enthält Spaltennamen"
    bool onlyNew = true;       // "Nur neue Jahre anlegen (keine Änderung vorhandener Jahre)"
    bool logAll = true;        // "Ausführliches Protokoll"
};

// What the import needs from the program around it.
struct EmployeeImportEnvironment {
    Prompter* prompter = nullptr; // the messages of the run and the questions of the saves; required
    const Clock* clock = nullptr; // required
    std::string dataDirectory;
    ProcessingFlag* processing = nullptr; // set for the duration of the run when given
    EmployeeList* cachedList = nullptr;   // emptied once "Daten.mar" was saved
    // Called between lines; the desktop keeps its windows painted.
    std::function<void()> keepResponsive;
};

enum class EmployeeLineStatus {
    Imported, // the record was created or updated and the year file created or completed
    Ignored,  // a new personnel number with the ignore mark: it went on the import ignore list
    Skipped,  // a new personnel number already on the ignore list: nothing was done
    Failed,
};

struct EmployeeLineReport {
    int64_t lineNumber = 0; // physical line number in the file
    EmployeeLineStatus status = EmployeeLineStatus::Failed;
    std::string personnelNumber; // column 1 as written
    std::string name;            // column 2
    bool newEmployee = false;    // the line created the record
    std::string yearFile;        // the year file created or completed; empty when none
    std::string protocol;        // the line's own texts, from "Zeile %ld:\n" on
};

struct EmployeeImportResult {
    bool success = false;
    int64_t errorFreeLines = 0;
    int64_t erroneousLines = 0;
    std::vector<EmployeeLineReport> lines; // the lines that were read, in file order
    std::string protocol;                  // what the protocol window shows
    std::string failure;                   // the message shown after a failed run; empty on success
};

// The checks of "&Importieren" before anything is stored or read: the import file must exist, the
// year lie between the current year - 1 and + 1. The message, or nothing when the import may start.
enum class EmployeeImportField { File, Year };
struct EmployeeImportRefusal {
    std::string message;
    EmployeeImportField field;
};
std::optional<EmployeeImportRefusal> checkEmployeeImport(const std::string& importFile, int32_t year,
                                                         const Clock& clock);

// The import of the file into the employee file (loaded from "Daten.mar" of the data directory).
//
// Every line is read and checked first and its changes of the employee file are made in memory;
// then "Daten.mar" is saved once (with the change check of every save) and only after that are the
// year files created, line by line. So no year file is ever created for an employee that
// "Daten.mar" lacks: when that save fails, every line that changed the employee file fails with
// the reason and creates nothing, and the lines that did not change it still get their year files.
// A line error never stops the run. The protocol is result.protocol; false when any line failed or
// the file could not be read ("EXCEPTION: " + reason in the protocol).
bool importEmployees(CTwMaDoc& employees, const EmployeeImportOptions& options,
                     const EmployeeImportEnvironment& environment, EmployeeImportResult& result);

// The run that "&Importieren" starts: loads "Daten.mar" (missing: kNoEmployeeFileMessage is shown
// and the result is false without a protocol; unreadable: raises "Fehler beim Laden der
// Mitarbeiter: " + reason), sets the processing flag, imports, and shows kImportErrorsMessage, or
// "Fehler beim Import: " + the text of an unexpected error, when the run failed; on success the
// protocol ends with kImportSucceededText.
EmployeeImportResult runEmployeeImport(const EmployeeImportOptions& options,
                                       const EmployeeImportEnvironment& environment);

} // namespace lorvan
