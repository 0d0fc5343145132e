#pragma once

namespace lorvan {

class Desktop;

// The import commands of the menu "Firmenverarbeitungen": "Daten&import..." and
// "&Mitarbeiterimport...".
void registerImportCommands(Desktop& desktop);

// "Daten&import...": refused while a processing runs or without "Daten.mar"; otherwise the document
// windows close (each asks its own question; Cancel keeps it and the command stops), the dialog
// "Arbeitszeiten importieren" runs, and afterwards the employees work area opens again.
void runTimeImportCommand(Desktop& desktop);

// "&Mitarbeiterimport...": refused while a processing runs; otherwise the document windows close
// (each asks its own question; Cancel keeps it and the command stops), the dialog "Mitarbeiter
// importieren" runs, and afterwards the employees work area opens again.
void runEmployeeImportCommand(Desktop& desktop);

} // namespace lorvan
