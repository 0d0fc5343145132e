#include "masterdata/employee_flows.h"

#include "foundation/error.h"
#include "foundation/file_system.h"
#include "foundation/format.h"
#include "foundation/number_text.h"
#include "masterdata/employee_list.h"
#include "platform/prompter.h"
#include "yearfile/year_file.h"

#include <limits>

namespace lorvan {
namespace {

// Digits only, and small enough for a personnel number.
std::optional<int32_t> numberOf(const std::string& text) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    int64_t value = 0;
    for (const char c : text) {
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<int32_t>::max()) return std::nullopt;
    }
    return static_cast<int32_t>(value);
}

// What the writer of every file says about a write-protected file.
std::string writeProtectedCause(const std::string& path) {
    return "Die Datei '" + path + "' konnte nicht geschrieben werden.\n(Der Zugriff wurde verweigert.)";
}

} // namespace

std::string numberTakenMessage(const std::string& name, int32_t number) {
    return format("Es existiert schon ein Mitarbeiter (%s) mit der Personalnummer %ld.", name.c_str(),
                  static_cast<long>(number));
}

std::string deleteQuestion(const CMitarbeiterDoc& employee, bool hasFiles) {
    std::string text =
        format("Soll %ld - %s gelöscht werden?", static_cast<long>(employee.number), employee.name.c_str());
    if (hasFiles) text += kFilesAlsoDeleted;
    return text;
}

EmployeeManagement::EmployeeManagement(EmployeeFlowContext context)
    : context_(std::move(context)), path_(CTwMaDoc::pathIn(context_.dataDirectory)) {
    if (!context_.prompter || !context_.clock) throw LorvanError(kPointerNotSet);
}

StorageContext EmployeeManagement::storage() const {
    StorageContext storage;
    storage.prompter = context_.prompter;
    storage.dataDirectory = context_.dataDirectory;
    storage.recent = context_.recent;
    storage.employees = context_.cachedList;
    return storage;
}

FileOperations& EmployeeManagement::fileOperations() {
    return context_.files ? *context_.files : defaultFiles_;
}

bool EmployeeManagement::open() {
    changed_ = false;
    lastChanged_.reset();
    if (!fileExists(path_)) {
        file_ = CTwMaDoc();
        return true;
    }
    return file_.open(path_, storage());
}

bool EmployeeManagement::save() {
    if (!file_.save(path_, true, storage())) return false;
    changed_ = false;
    if (context_.cachedList) context_.cachedList->discard();
    return true;
}

bool EmployeeManagement::ignoreInImports(const std::string& person) {
    const std::string before = file_.ignoreList;
    if (!file_.addIgnored(person)) return true;
    if (save()) return true;
    file_.ignoreList = before;
    return false;
}

bool EmployeeManagement::mayClose() {
    if (!changed_) return true;
    switch (context_.prompter->askYesNoCancel(kEmployeesChangedQuestion)) {
    case Answer::Yes:
        return save();
    case Answer::No:
        return true;
    case Answer::Cancel:
        return false;
    }
    return false;
}

std::optional<std::string> EmployeeManagement::yearFileToOpen(int32_t number, int32_t year) {
    if (changed_ && !save()) return std::nullopt;
    const CMitarbeiterDoc* employee = file_.findByNumber(number);
    if (!employee) return std::nullopt;
    return yearFilePath(context_.dataDirectory, employee->name, year);
}

bool EmployeeManagement::showChecked(EmployeeDialogHost& host, EmployeeDialog& dialog) {
    do {
        if (!host.show(dialog)) return false;
    } while (dialog.check(*context_.prompter) != EmployeeField::None);
    return true;
}

std::optional<int32_t> EmployeeManagement::create(const std::string& numberText, const std::string& nameText,
                                                  const std::string& departmentText,
                                                  EmployeeDialogHost& host) {
    CMitarbeiterDoc record;
    if (const std::optional<int32_t> number = numberOf(numberText)) {
        record.number = *number;
        record.name = nameText;
    } else {
        record.number = file_.nextFreeNumber();
        record.name = numberText;
    }
    record.department = departmentText;
    EmployeeDialog dialog(record, *context_.clock);
    Prompter& prompter = *context_.prompter;
    for (;;) {
        if (!showChecked(host, dialog)) return std::nullopt;
        if (const CMitarbeiterDoc* other = file_.findByNumber(dialog.number)) {
            prompter.error(numberTakenMessage(other->name, dialog.number));
            continue;
        }
        if (const CMitarbeiterDoc* other = file_.findFileNameFormConflict(dialog.name)) {
            prompter.error(nameConflictMessage(other->name));
            continue;
        }
        break;
    }
    const CMitarbeiterDoc created = dialog.confirmedRecord();
    file_.put(created);
    changed_ = true;
    lastChanged_ = created.number;
    return created.number;
}

FlowResult EmployeeManagement::edit(int32_t number, EmployeeDialogHost& host) {
    const CMitarbeiterDoc* found = file_.findByNumber(number);
    if (!found) return FlowResult::Cancelled;
    const CMitarbeiterDoc old = *found;
    EmployeeDialog dialog(old, *context_.clock);
    Prompter& prompter = *context_.prompter;
    for (;;) {
        if (!showChecked(host, dialog)) return FlowResult::Cancelled;
        const CMitarbeiterDoc edited = dialog.confirmedRecord();
        if (edited.number != old.number) {
            if (const CMitarbeiterDoc* other = file_.findByNumber(edited.number)) {
                prompter.error(numberTakenMessage(other->name, edited.number));
                continue;
            }
        }
        const bool renamed = edited.name != old.name;
        std::vector<MovedFile> files;
        if (renamed) {
            if (const CMitarbeiterDoc* other = file_.findFileNameFormConflict(edited.name, old.number)) {
                prompter.error(nameConflictMessage(other->name));
                continue;
            }
            bool stop = false;
            if (!prepareRename(old, edited.name, files, stop)) {
                if (stop) return FlowResult::Cancelled;
                continue;
            }
        }

        // The record goes into the file, which is saved at once; only a saved record may carry the
        // files over to the new name.
        const std::map<int32_t, CMitarbeiterDoc> before = file_.employees;
        const bool changedBefore = changed_;
        file_.employees.erase(old.number);
        file_.put(edited);
        changed_ = true;
        if (!save()) {
            deleteCopies(files);
            file_.employees = before;
            changed_ = changedBefore;
            continue;
        }
        lastChanged_ = edited.number;
        if (renamed && !finishRename(files, edited.name)) return FlowResult::DoneWithProblems;
        return FlowResult::Done;
    }
}

bool EmployeeManagement::prepareRename(const CMitarbeiterDoc& old, const std::string& newName,
                                       std::vector<MovedFile>& files, bool& stop) {
    Prompter& prompter = *context_.prompter;
    const std::string newForm = toFileNamePart(newName);
    for (const std::string& path : employeeFiles(context_.dataDirectory, old.name)) {
        const std::string fileName = fileNameOfPath(path);
        // The folder stays, the year and extension too (the last 8 characters).
        const std::string newPath =
            directoryOfPath(path, false) + newForm + fileName.substr(fileName.size() - 8);
        files.push_back(MovedFile{path, newPath});
    }
    if (files.empty()) return true;
    if (!prompter.askOkCancel(kFilesWillChangeQuestion)) return false;
    // Every file gets the new name written into it: a write-protected one would be left half renamed.
    for (const MovedFile& file : files) {
        if (!fileOperations().writable(file.oldPath)) {
            prompter.error(std::string(kRenameFailedMessage) + writeProtectedCause(file.oldPath));
            return false;
        }
    }
    for (const MovedFile& file : files) {
        if (!closeWindowsOf(context_.openDocuments, prompter, file.oldPath)) {
            stop = true;
            return false;
        }
    }
    std::vector<MovedFile> copied;
    for (const MovedFile& file : files) {
        if (file.newPath == file.oldPath) continue;
        std::string cause;
        if (!fileOperations().copy(file.oldPath, file.newPath, cause)) {
            deleteCopies(copied);
            if (!cause.empty()) prompter.error(kRenameFailedMessage + cause);
            return false;
        }
        copied.push_back(file);
    }
    return true;
}

void EmployeeManagement::deleteCopies(const std::vector<MovedFile>& files) {
    for (const MovedFile& file : files) {
        if (file.newPath == file.oldPath) continue;
        std::string cause;
        fileOperations().remove(file.newPath, cause);
    }
}

bool EmployeeManagement::finishRename(const std::vector<MovedFile>& files, const std::string& newName) {
    Prompter& prompter = *context_.prompter;
    bool allDone = true;
    for (const MovedFile& file : files) {
        if (file.newPath == file.oldPath) continue;
        std::string cause;
        if (!fileOperations().remove(file.oldPath, cause)) {
            prompter.error(fileNotDeletedMessage(file.oldPath, cause));
            allDone = false;
        }
        if (context_.recent) context_.recent->renamePath(file.oldPath, file.newPath);
    }
    for (const MovedFile& file : files)
        if (!rewriteName(file.newPath, newName)) allDone = false;
    return allDone;
}

bool EmployeeManagement::rewriteName(const std::string& path, const std::string& newName) {
    CLorvanDoc document;
    try {
        document.open(path);
    } catch (const LorvanError& e) {
        context_.prompter->error(e.what());
        return false;
    }
    document.settings().name = newName;
    return document.save(path, true, storage());
}

FlowResult EmployeeManagement::remove(int32_t number) {
    const CMitarbeiterDoc* found = file_.findByNumber(number);
    if (!found) return FlowResult::Cancelled;
    const CMitarbeiterDoc employee = *found;
    Prompter& prompter = *context_.prompter;
    const std::vector<std::string> files = employeeFiles(context_.dataDirectory, employee.name);
    if (!prompter.askYesNo(deleteQuestion(employee, !files.empty()))) return FlowResult::Cancelled;
    for (const std::string& path : files)
        if (!closeWindowsOf(context_.openDocuments, prompter, path)) return FlowResult::Cancelled;

    const bool changedBefore = changed_;
    file_.employees.erase(number);
    changed_ = true;
    if (lastChanged_ == number) lastChanged_.reset();
    if (files.empty()) return FlowResult::Done;
    // The record leaves the saved file before its files go: a file without its employee is found
    // again by nobody, an employee without files would be left behind.
    if (!save()) {
        file_.put(employee);
        changed_ = changedBefore;
        return FlowResult::Cancelled;
    }
    bool allDeleted = true;
    for (const std::string& path : files) {
        std::string cause;
        if (fileOperations().remove(path, cause)) {
            if (context_.recent) context_.recent->removePath(path);
        } else {
            prompter.error(fileNotDeletedMessage(path, cause));
            allDeleted = false;
        }
    }
    return allDeleted ? FlowResult::Done : FlowResult::DoneWithProblems;
}

} // namespace lorvan
