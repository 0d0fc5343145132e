#pragma once

// "Einstellungen der aktuellen &Datei..." of an open year file, and the settings of a new year file.
namespace lorvan {

class CLorvanDoc;
class Desktop;
struct OpenYearFile;

// The settings dialog on the open file: OK writes the settings into the file (every month's cached
// results go out of date, the file is changed), and a changed owner or year moves the file to its
// new name at the next save. True after OK.
bool editFileSettings(Desktop& desktop, OpenYearFile& file);

// The settings of a new year file as a sequence of steps; "Fertig stellen" takes them into the
// document. False when cancelled.
bool runNewFileSettings(Desktop& desktop, CLorvanDoc& document);

// Registers "Einstellungen der aktuellen &Datei...": enabled while the active window shows a year file.
void registerFileSettingsCommands(Desktop& desktop);

} // namespace lorvan
