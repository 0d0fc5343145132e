#pragma once

#include "app/processing.h"
#include "app/program_settings.h"
#include "app/recent_files.h"
#include "app/work_areas.h"
#include "masterdata/customer_list.h"
#include "masterdata/employee_list.h"
#include "masterdata/service_list.h"

#include <string>

namespace lorvan {

class Prompter;
class UserStore;

// The application core that every part of the program shares at run time: the data directory, the program
// settings with the month-closing rule, the processing flag, the build switch, the recent files and the
// cached employee, customer and service lists.
// The desktop holds one and carries out what it decides; it knows no windows.
class CLorvanApp {
  public:
    // Loads the recent-file list from the store.
    CLorvanApp(UserStore& store, Prompter& prompter);
    CLorvanApp(const CLorvanApp&) = delete;
    CLorvanApp& operator=(const CLorvanApp&) = delete;

    UserStore& store() { return store_; }
    Prompter& prompter() { return prompter_; }

    // Empty only during start-up; "NV" while the start-up asks for the first one.
    const std::string& dataDirectory() const { return dataDirectory_; }
    void setDataDirectory(std::string directory);

    const ProgramSettings& settings() const { return settings_; }
    ProgramSettings& settings() { return settings_; }

    bool loadSettings(const std::string& directory, bool atStartUp);
    // Writes Lorvan.ini in the data directory; a failure is shown and gives false.
    bool saveSettings();

    bool isMonthClosed(int month, int year) const { return lorvan::isMonthClosed(settings_, month, year); }
    // After a month closing: takes the month when it is later than the stored one and saves at once.
    void advanceMonthClosing(const std::string& text);
    void setTemporaryRelease(bool on) { settings_.temporaryRelease = on; }

    bool processingRunning() const { return processing_.running(); }
    ProcessingFlag& processingFlag() { return processing_; }

    // "BUILD=BRAXTEL" was given: the company-specific layouts and columns are offered.
    bool buildSwitch() const { return buildSwitch_; }
    void setBuildSwitch(bool on) { buildSwitch_ = on; }

    RecentFileList& recentFiles() { return recentFiles_; }

    // The cached employees of "Daten.mar" in the data directory; follows the data directory.
    EmployeeList& employees() { return employees_; }
    // The cached customers of "Daten.kd" and services of "Daten.dl"; follow the data directory.
    CustomerList& customers() { return customers_; }
    ServiceList& services() { return services_; }

    // What the desktop does to open a work area or to carry out a menu command.
    WorkAreaPlan openWorkArea(int32_t view, bool createWhenMissing) const;
    WorkAreaPlan planCommand(WorkAreaCommand command) const;

  private:
    UserStore& store_;
    Prompter& prompter_;
    std::string dataDirectory_;
    ProgramSettings settings_;
    ProcessingFlag processing_;
    bool buildSwitch_ = false;
    RecentFileList recentFiles_;
    EmployeeList employees_;
    CustomerList customers_;
    ServiceList services_;
};

} // namespace lorvan
