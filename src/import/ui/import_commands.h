#pragma once

#include <functional>
#include <memory>

class QWidget;

namespace lorvan {

class CLorvanDoc;
class Desktop;
class EmployeeDialogHost;
class Prompter;

// What the imports take from the windows of other subsystems; the main window wires them in.
struct ImportWindows {
    // Shows a new year file's settings step by step; false when cancelled (the file is not created).
    std::function<bool(Desktop& desktop, CLorvanDoc& document)> newFileSettings;
    // "Mitarbeiter bearbeiten" for an employee the time import creates.
    std::function<std::unique_ptr<EmployeeDialogHost>(QWidget* parent, Prompter& prompter)> employeeDialog;
};

// The import commands of the menu "Firmenverarbeitungen": "Daten&import..." and
// "&Mitarbeiterimport...".
void registerImportCommands(Desktop& desktop, ImportWindows windows);

// "Daten&import...": refused while a processing runs or without "Daten.mar"; otherwise the document
// windows close (each asks its own question; Cancel keeps it and the command stops), the dialog
// "Arbeitszeiten importieren" runs, and afterwards the employees work area opens again.
void runTimeImportCommand(Desktop& desktop, const ImportWindows& windows);

// "&Mitarbeiterimport...": refused while a processing runs; otherwise the document windows close
// (each asks its own question; Cancel keeps it and the command stops), the dialog "Mitarbeiter
// importieren" runs, and afterwards the employees work area opens again.
void runEmployeeImportCommand(Desktop& desktop);

} // namespace lorvan
