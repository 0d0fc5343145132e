#pragma once

#include "yearsettings/year_file_settings.h"

#include <optional>
#include <string>

// The settings dialog of a year file in its data directory: the employees to choose from, the
// services with deviating wages, the year files that exist, and the year file to copy from.
namespace lorvan {

class Clock;
class IoSelect;

// The employees of "Daten.mar" and the services of "Daten.dl" in the data directory; a file that
// cannot be read gives no employees, or no service list (the deviating wages are then kept as they
// are). Year files exist when fullYearFilePath of the data directory names a file.
FileSettingsEnvironment fileSettingsEnvironment(const std::string& dataDirectory, const Clock& clock);

// "Kopieren von": year files of the data directory.
IoSelect copySourceSelection(const std::string& dataDirectory);

// "Einstellungen aus anderem Datenbestand &vorbesetzen...": reads the year file, computes its
// remaining vacation and account balance at the end of December and fills the dialog from it.
// nullopt when done; otherwise the message to show ("Die Datei konnte nicht gelesen werden: " with
// the cause, or "Die Datei konnte nicht gelesen werden." without one), the dialog unchanged.
std::optional<std::string> copyFromYearFile(FileSettingsDialog& dialog, const std::string& path,
                                            const std::string& dataDirectory);

} // namespace lorvan
