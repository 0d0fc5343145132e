#pragma once

namespace lorvan {

class Desktop;
class EmployeeWindow;

// The commands of the master-data work areas: "&Mitarbeiter verwalten..." (through the work-area
// rules of the application: refused while a processing runs, "Daten.mar" made at its first save
// when it is missing).
void registerMasterDataCommands(Desktop& desktop);

// The employees work area: activates the window "Mitarbeiter verwalten" there is, or opens one;
// nullptr when "Daten.mar" cannot be read (the message shown).
EmployeeWindow* openEmployeesWindow(Desktop& desktop);

} // namespace lorvan
