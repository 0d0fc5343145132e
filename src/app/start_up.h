#pragma once

#include "app/work_areas.h"

#include <string>
#include <vector>

namespace lorvan {

class CLorvanApp;
class Prompter;

// Looks for the build switch among the program's arguments: an argument that, in upper case,
// contains "BUILD=" must continue with "BRAXTEL". Any other text after "BUILD=" is shown as
// "Unbekannter Build-Parameter: '" + text + "'" and start-up goes on. Returns whether the switch is
// set. Nothing else of the command line is used; no file named there is opened.
bool parseBuildSwitch(const std::vector<std::string>& arguments, Prompter& prompter);
// Where "BUILD=" stands in the argument, letter case ignored; npos when it is not there.
size_t findBuildKey(const std::string& argument);

// What the start-up needs from the desktop.
class StartUpHost {
  public:
    virtual ~StartUpHost() = default;
    // Shows the general settings dialog on the application; true when it was confirmed.
    virtual bool runGeneralSettings(CLorvanApp& app) = 0;
    // Carries out the plan of a work area (the employees at the end of the start-up).
    virtual void openWorkArea(const WorkAreaPlan& plan) = 0;
};

// The start-up after the main window exists: the build switch, the data directory from the store
// ("DataPath", "NV" when none), the program settings, then either the general settings dialog
// (when no valid data directory is known) or the employees work area. False when the program must
// end at once (the dialog was cancelled).
bool runStartUp(CLorvanApp& app, const std::vector<std::string>& arguments, StartUpHost& host);

} // namespace lorvan
