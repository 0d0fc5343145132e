#pragma once

#include "masterdata/employee_file.h"
#include "masterdata/employee_flows.h"
#include "platform/clock.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"
#include "support/year_file_builder.h"
#include "yearfile/year_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

// A data directory with an employee file, year files and the flows on it.
namespace lorvan::test {

inline CMitarbeiterDoc employeeRecord(int32_t number, const std::string& name) {
    CMitarbeiterDoc e;
    e.number = number;
    e.name = name;
    return e;
}

// Confirms the dialog with the changes of a script, one step per showing; a showing past the
// script cancels (and fails the test unless cancelling was expected).
class ScriptedDialog final : public EmployeeDialogHost {
  public:
    using Step = std::function<void(EmployeeDialog&)>;
    ScriptedDialog& then(Step step) {
        steps_.push_back(std::move(step));
        return *this;
    }
    ScriptedDialog& thenCancel() {
        cancelAt_ = shows_ + steps_.size();
        return *this;
    }
    bool show(EmployeeDialog& dialog) override {
        const size_t index = shows_++;
        if (cancelAt_ && index == *cancelAt_) return false;
        if (steps_.empty()) {
            ADD_FAILURE() << "the dialog was shown once more than the script expected";
            return false;
        }
        Step step = std::move(steps_.front());
        steps_.pop_front();
        step(dialog);
        return true;
    }
    size_t shows() const { return shows_; }

  private:
    std::deque<Step> steps_;
    std::optional<size_t> cancelAt_;
    size_t shows_ = 0;
};

// Renames the employee in the dialog.
inline ScriptedDialog::Step rename(const std::string& name) {
    return [name](EmployeeDialog& d) { d.name = name; };
}

class RecordingRecentFiles final : public RecentFiles {
  public:
    void addPath(const std::string& path) override { calls.push_back("add " + path); }
    void removePath(const std::string& path) override { calls.push_back("remove " + path); }
    void renamePath(const std::string& oldPath, const std::string& newPath) override {
        calls.push_back("rename " + oldPath + " -> " + newPath);
    }
    std::vector<std::string> calls;
};

// Windows of the listed paths refuse to close; every request is recorded.
class RefusingWindows final : public OpenDocuments {
  public:
    bool closeWindowsOf(const std::string& path) override {
        requests.push_back(path);
        return !refusing.count(path);
    }
    std::set<std::string> refusing;
    std::vector<std::string> requests;
};

// The file system, except for the copies and deletions listed to fail with a cause.
class FailingFileOperations final : public FileOperations {
  public:
    bool copy(const std::string& source, const std::string& target, std::string& cause) override {
        if (failingCopies.count(target)) {
            cause = copyCause;
            return false;
        }
        return FileOperations::copy(source, target, cause);
    }
    bool remove(const std::string& path, std::string& cause) override {
        if (failingRemovals.count(path)) {
            cause = "Der Zugriff wurde verweigert.";
            return false;
        }
        return FileOperations::remove(path, cause);
    }
    std::set<std::string> failingCopies;
    std::string copyCause = "Die Platte ist voll.";
    std::set<std::string> failingRemovals;
};

struct EmployeeFixture {
    TempDir data;
    ScriptedPrompter prompter;
    FixedClock clock{Datum{15, 3, 2026}};
    RecordingRecentFiles recent;
    RefusingWindows windows;
    FailingFileOperations files;

    std::string dir() const { return data.path().string() + "/"; }
    std::string path(const std::string& relative) const { return dir() + relative; }

    // Writes "Daten.mar" with the records.
    void employees(const std::vector<CMitarbeiterDoc>& records) const {
        CTwMaDoc file;
        for (const auto& record : records)
            file.put(record);
        file.save(CTwMaDoc::pathIn(dir()));
    }
    CTwMaDoc employeeFile() const {
        CTwMaDoc file;
        file.open(CTwMaDoc::pathIn(dir()));
        return file;
    }
    // A year file at the relative path whose settings name the owner.
    std::string yearFile(const std::string& relative, const std::string& owner, int32_t year) const {
        const std::string full = path(relative);
        std::filesystem::create_directories(std::filesystem::path(full).parent_path());
        return YearFileBuilder(owner, year).day(2, 3).work("8:00", "16:00").saveAs(full);
    }
    std::string ownerInside(const std::string& relative) const {
        CLorvanDoc doc;
        doc.open(path(relative));
        return doc.settings().name;
    }
    bool exists(const std::string& relative) const { return std::filesystem::exists(path(relative)); }
    // The names of the files of the directory and its subfolders, relative, sorted.
    std::vector<std::string> listing() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(data.path()))
            if (entry.is_regular_file())
                names.push_back(std::filesystem::relative(entry.path(), data.path()).string());
        std::sort(names.begin(), names.end());
        return names;
    }

    EmployeeFlowContext context() {
        EmployeeFlowContext c;
        c.prompter = &prompter;
        c.clock = &clock;
        c.dataDirectory = dir();
        c.recent = &recent;
        c.openDocuments = &windows;
        c.files = &files;
        return c;
    }
};

} // namespace lorvan::test
