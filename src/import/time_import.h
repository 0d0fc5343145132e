#pragma once

#include "entry/month_lock.h"
#include "foundation/datum.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The import of working times and absences ("Arbeitszeiten importieren"): a delimited file is read
// whole into a picture per employee and day (the reading phase, which writes no year file), then,
// when the user agrees, the days are written into the employees' year files, each file saved once
// after all its days (the writing phase). Everything that happens is told in the protocol.
namespace lorvan {

class CLorvanDoc;
class Clock;
class CustomerList;
class EmployeeDialogHost;
class EmployeeList;
class OpenDocuments;
class Prompter;
class RecentFiles;
class ServiceList;
struct LayoutReading;

enum class ImportMode : int32_t {
    StandardTimes = 0,    // one time line per line, 9 fields
    StandardAbsences = 1, // one absence per line, 5 fields
    CompanyAbsences = 2,  // the company's absence table
    CompanyTimes = 3,     // the company's clock-event export
};

struct TimeImportOptions {
    ImportMode mode = ImportMode::StandardTimes;
    std::string importFile;
    std::string protocolFile;   // empty: no protocol file
    bool skipFirstLine = false; // "Erste Zeile enthält Spaltennamen" (standard modes)
    bool keepExisting = false;  // "Vorhandene Zeiten beibehalten"
    bool logAll = false;        // "Ausführliches Protokoll"
};

// What the import needs from the program around it.
struct TimeImportEnvironment {
    Prompter* prompter = nullptr; // required: messages and questions
    const Clock* clock = nullptr; // required
    std::string dataDirectory;
    MonthClosedRule monthClosed; // empty: no month is closed
    // The dialog "Mitarbeiter bearbeiten" for an employee created from the file; null: the values
    // read are taken as they are, once (a name the dialog refuses creates nobody).
    EmployeeDialogHost* employeeDialog = nullptr;
    // A new year file's settings shown for confirmation; false: not confirmed, the file is not
    // created. Empty: the settings are taken as they are.
    std::function<bool(CLorvanDoc& document)> confirmNewFileSettings;
    // The document of a year file open in the desktop, changed in place; nullptr (or an empty
    // function): the import loads its own working copy.
    std::function<CLorvanDoc*(const std::string& path)> openDocument;
    // Asked before each year file of the writing phase; false stops: the files written stay
    // written, the others are not touched.
    std::function<bool(size_t done, size_t total)> progress;
    // Shows the protocol (after reading errors, before the question, and at the end).
    std::function<void(const std::string& protocol)> showProtocol;
    // Every protocol text as it is recorded.
    std::function<void(const std::string& text)> echo;
    RecentFiles* recent = nullptr;           // for new year files
    OpenDocuments* openDocuments = nullptr;  // for the employee file's flows
    EmployeeList* cachedEmployees = nullptr; // emptied when Daten.mar is written
    CustomerList* customers = nullptr;       // null: Daten.kd of the data directory
    ServiceList* services = nullptr;         // null: Daten.dl of the data directory
};

// The checks of "&Importieren" before the run: the import file must exist; a protocol file needs an
// existing folder and a name, and may be neither the import file nor a data file of the data
// directory (year files, Daten.mar, Daten.kd, Daten.dl, Daten.fz, Lorvan.ini), which it would
// overwrite. The message, or nothing when the import may start.
struct ImportStartRefusal {
    std::string message;
    bool protocolField = false; // the focus goes to the protocol field, else to the file field
};
std::optional<ImportStartRefusal> checkImportStart(const TimeImportOptions& options,
                                                   const std::string& dataDirectory);

// The text of an import file: importFileText of import/import_file_text.h.

// ----- the picture of the reading phase -----

// One line of the file that gave something to the picture.
struct ImportSourceLine {
    int64_t number = 0;    // physical line number (1-based)
    std::string_view text; // the line as read (a continued line with its continuation lines)
    bool erroneous = false;
};

// One time line as read: the times normalised (empty when not given), the rest as written.
struct ImportLineRecord {
    size_t source = 0; // index into ImportPicture::lines
    std::string from;
    std::string to;
    std::string duration;
    std::string kind; // the kind field as written
    std::string customer;
    std::string service;
    std::string pause; // minutes as written
};

struct ImportAbsenceRecord {
    size_t source = 0;
    std::string code; // as written
};

struct ImportDayRecord {
    Datum date;
    std::vector<ImportAbsenceRecord> absences;
    std::vector<ImportLineRecord> lines;
};

struct ImportEmployeeDays {
    int32_t number = 0;
    std::string name;
    std::map<std::string, ImportDayRecord> days; // by date key "%04d-%02d-%02d"
};

struct ImportPicture {
    std::map<int32_t, ImportEmployeeDays> employees; // in the order of the employee file
    std::vector<ImportSourceLine> lines;
};

// "%04d-%02d-%02d"
std::string importDateKey(const Datum& date);

// ----- the result -----

// A line that did not reach the picture.
struct ImportLineReport {
    int64_t number = 0;
    bool ignored = false; // the employee is ignored; otherwise the line has errors
    std::string protocol; // its protocol text
};

enum class ImportDayStatus {
    Imported, // written (warnings and single failed lines possible)
    Skipped,  // closed month or checked and closed: nothing changed
    Failed,   // nothing of the day reached the file
};

struct ImportDayReport {
    int32_t employeeNumber = 0;
    std::string employee;
    Datum date;
    ImportDayStatus status = ImportDayStatus::Imported;
    bool warnings = false;
    bool errors = false;
    size_t linesWritten = 0;
    std::vector<std::string> absences; // the codes applied
    std::string protocol;
};

struct TimeImportResult {
    bool success = false;   // everything read and written without error
    bool wroteDays = false; // the writing phase ran
    std::string stopReason; // why the run stopped before or during writing; empty when it did not
    int64_t errorFreeLines = 0;
    int64_t erroneousLines = 0;
    int64_t ignoredLines = 0;
    int64_t employees = 0;
    size_t daysImported = 0;
    size_t daysSkipped = 0;
    size_t daysFailed = 0;
    size_t daysWithWarnings = 0;
    std::vector<ImportLineReport> lines;
    std::vector<ImportDayReport> days;
    std::vector<std::string> filesWritten;
    std::string protocol;      // everything recorded
    std::string shownProtocol; // the memory protocol at the end (reading texts cleared for writing)
};

// The whole import ("&Importieren" after the start checks): the protocol file, the reading phase
// with its questions, the writing phase, the end message. The company layouts are read from
// company_layouts.h. Unexpected errors end it on the "EXCEPTION: " path.
TimeImportResult runTimeImport(const TimeImportOptions& options, TimeImportEnvironment& environment);

// The two phases one by one (benchmarks, tests): read, then write when read() said so.
class TimeImport {
  public:
    TimeImport(const TimeImportOptions& options, TimeImportEnvironment& environment);
    ~TimeImport();
    TimeImport(const TimeImport&) = delete;
    TimeImport& operator=(const TimeImport&) = delete;

    // Reads a file's text into the picture, with the summary and, after errors, the question
    // whether to import anyway (the company layouts through their readers). The picture points
    // into the text, which the import keeps. True when the writing phase may follow.
    bool read(std::string text);
    // The same for the records of a company layout (modes 2 and 3); its stop text ends the run.
    bool read(LayoutReading reading);
    // The writing phase with the end texts.
    void write();

    const ImportPicture& picture() const;
    // The result so far, with the protocol texts.
    TimeImportResult& result();

    // The run's state, shared by the phases (time_import_state.h).
    struct State;

  private:
    friend TimeImportResult runTimeImport(const TimeImportOptions& options,
                                          TimeImportEnvironment& environment);
    std::unique_ptr<State> state_;
};

} // namespace lorvan
