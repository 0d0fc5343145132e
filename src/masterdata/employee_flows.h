#pragma once

#include "masterdata/employee_dialog.h"
#include "masterdata/employee_file.h"
#include "masterdata/employee_files.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Creating, editing and deleting employees, as the window "Mitarbeiter verwalten" does it on its own
// copy of "Daten.mar". A rename carries over to the year files of the employee (new file names, the
// name inside), a delete deletes them. Questions and messages go through the prompter; the dialog
// "Mitarbeiter bearbeiten" is shown by a host (the desktop's Qt dialog; the command line fills it
// once from its input).
namespace lorvan {

class Clock;
class EmployeeList;
class Prompter;
class RecentFiles;

inline constexpr const char* kFilesWillChangeQuestion =
    "Die vorhandenen Dateien für diesen Mitarbeiter werden geändert.";
inline constexpr const char* kRenameFailedMessage =
    "Es ist ein Fehler beim Umbenennen der Dateien aufgetreten.\nDas Umbenennen wird "
    "abgebrochen.\n\nUrsache:\n";
inline constexpr const char* kFilesAlsoDeleted =
    "\n\nDie Dateien dieses Mitarbeiters werden ebenfalls gelöscht.";
inline constexpr const char* kEmployeesChangedQuestion =
    "Es wurden Mitarbeiter geändert.\nSollen die Änderungen gespeichert werden?";

// "Es existiert schon ein Mitarbeiter (<name>) mit der Personalnummer <number>."
std::string numberTakenMessage(const std::string& name, int32_t number);
// "Soll <number> - <name> gelöscht werden?", with kFilesAlsoDeleted when the employee has files.
std::string deleteQuestion(const CMitarbeiterDoc& employee, bool hasFiles);

// Shows the dialog "Mitarbeiter bearbeiten".
class EmployeeDialogHost {
  public:
    virtual ~EmployeeDialogHost() = default;
    // Shows the dialog with its current values; true when it was confirmed with "&OK", false when
    // it was cancelled. The flows run the dialog's own checks (EmployeeDialog::check) after it and
    // show it again when one refuses, as after their own checks.
    virtual bool show(EmployeeDialog& dialog) = 0;
};

// What the flows need from the program around them.
struct EmployeeFlowContext {
    Prompter* prompter = nullptr; // required
    const Clock* clock = nullptr; // required
    std::string dataDirectory;
    RecentFiles* recent = nullptr;          // renamed and deleted year files are updated there
    OpenDocuments* openDocuments = nullptr; // null: no window is open
    FileOperations* files = nullptr;        // null: the file system
    EmployeeList* cachedList = nullptr;     // emptied after every save of "Daten.mar"
};

enum class FlowResult {
    Done,             // carried out
    DoneWithProblems, // carried out; a file could not be deleted or rewritten (the message shown)
    Cancelled,        // cancelled, refused or stopped: nothing changed
};

// The window's own copy of "Daten.mar" and its changed flag.
class EmployeeManagement {
  public:
    explicit EmployeeManagement(EmployeeFlowContext context);

    // Loads "Daten.mar" of the data directory; a missing file gives an empty list. False when the
    // file cannot be read (the message shown).
    bool open();

    const CTwMaDoc& file() const { return file_; }
    const std::string& filePath() const { return path_; }
    bool changed() const { return changed_; }

    // "&Neuer Mitarbeiter...": a number text of digits only (that fits a number) gives the number
    // and the name text the name; otherwise the next free number and the number text as the name.
    // Shows the dialog until its values pass: a number that another employee has, or a name whose
    // file-name form another employee's name has (letter case ignored), shows its message and the
    // dialog again. The new employee is added and the file marked changed (not saved); its number,
    // or nothing when the dialog was cancelled.
    std::optional<int32_t> create(const std::string& numberText, const std::string& nameText,
                                  const std::string& departmentText, EmployeeDialogHost& dialog);

    // "Mitarbeiter b&earbeiten...". A changed name is carried to the employee's year files after
    // the question kFilesWillChangeQuestion (Cancel shows the dialog again): the windows of the
    // files are closed, then each file whose name changes is copied to its new name (a failure
    // deletes the copies made, shows kRenameFailedMessage with the cause and the dialog again),
    // "Daten.mar" is saved (a failure deletes the copies, takes back the change and shows the
    // dialog again), the old files are deleted and the name inside every file is rewritten. A
    // write-protected year file refuses the rename before anything changes. Without a name change
    // the record is taken and "Daten.mar" saved at once.
    FlowResult edit(int32_t number, EmployeeDialogHost& dialog);

    // "Aktuell ausgewählten Eintrag &löschen": after the question deleteQuestion (No stops), the
    // windows of the employee's files are closed, the record is removed and, when the employee has
    // files, "Daten.mar" is saved at once (a failure takes the removal back and deletes nothing) and
    // then the files are deleted, write-protected ones too; a file that cannot be deleted shows its
    // message and the next one is tried. Without files the file is only marked changed.
    FlowResult remove(int32_t number);

    // Puts the person on the import ignore list and saves "Daten.mar" at once. False when the save
    // failed (the message shown); the list is then as it was.
    bool ignoreInImports(const std::string& person);

    // Saves "Daten.mar" with the change check; the cached list is emptied. False when the save was
    // refused or failed (the message shown); the changes then stay.
    bool save();
    // "Abbrechen" and closing the window: without changes at once; otherwise the question
    // kEmployeesChangedQuestion: Yes saves (a failed save keeps the window), No closes without
    // saving, Cancel keeps the window. True when the window may close.
    bool mayClose();

    // "Arbeits&zeitdatei öffnen...": the employee file is saved first when it is changed; the path
    // of the employee's year file for the year, or nothing when the save failed or there is no such
    // employee.
    std::optional<std::string> yearFileToOpen(int32_t number, int32_t year);

    // The employee just created or edited, to be selected after the list is filled again.
    std::optional<int32_t> lastChanged() const { return lastChanged_; }

  private:
    struct MovedFile {
        std::string oldPath;
        std::string newPath; // equal to oldPath when the file keeps its name
    };

    // Shows the dialog until it is cancelled or its own checks pass.
    bool showChecked(EmployeeDialogHost& host, EmployeeDialog& dialog);
    // The files of the employee under the new name. False (message shown) when one is write-protected,
    // a window stays open (stop: *stop set) or a copy fails.
    bool prepareRename(const CMitarbeiterDoc& old, const std::string& newName, std::vector<MovedFile>& files,
                       bool& stop);
    void deleteCopies(const std::vector<MovedFile>& files);
    // After "Daten.mar" was saved: deletes the old files and rewrites the name inside; false when
    // something failed (each failure shown).
    bool finishRename(const std::vector<MovedFile>& files, const std::string& newName);
    bool rewriteName(const std::string& path, const std::string& newName);
    StorageContext storage() const;
    FileOperations& fileOperations();

    EmployeeFlowContext context_;
    FileOperations defaultFiles_;
    std::string path_;
    CTwMaDoc file_;
    bool changed_ = false;
    std::optional<int32_t> lastChanged_;
};

} // namespace lorvan
