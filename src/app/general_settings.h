#pragma once

#include "app/program_settings.h"
#include "foundation/file_system.h"
#include "foundation/io_select.h"
#include "output/spreadsheet_export.h"

#include <string>

namespace lorvan {

class CLorvanApp;
class Prompter;

// The fields that get the focus when OK is refused.
enum class GeneralSettingsField { None, DataDirectory, LogoFile, MonthClosing, SpreadsheetProgram };

inline constexpr const char* kCreateDataDirectoryQuestion =
    "Das Datenverzeichnis existiert nicht.\nSoll es jetzt angelegt werden?";
inline constexpr const char* kLogoTooLargeMessage = "Das Logo kann maximal 300 x 90 Pixel groß sein.";
inline constexpr const char* kMonthFormatMessage =
    "Die Monatsangabe muss im Format MM.JJJJ angegeben werden.";
inline constexpr const char* kSettingsNotSavedMessage = "Die Einstellungen können nicht gespeichert werden.";

// The proposals filled in when the print switch goes on.
inline constexpr const char* kProposedMonthReportText =
    "\r\nWir möchten, dass Sie Ihrer Abrechnung vertrauen können, deshalb haben wir die Übergabe der Daten "
    "aus "
    "der Zeiterfassung in die Buchhaltung automatisiert.\r\n"
    "Aber auch eine Software kann Fehler haben, deshalb prüfen Sie diese Auswertung in den nächsten Monaten "
    "sehr genau und sprechen Sie uns bei Unklarheiten an.\r\n";
inline constexpr const char* kProposedOvertimeText = "Achten Sie auf Entspannungszeiten!";
inline constexpr double kProposedOvertimeHours = 10;
inline constexpr const char* kProposedSicknessText =
    "Krankheitstage sind zusätzlich benötigte Tage für die Regeneration ihres Körpers.\r\nWenn Sie und Ihr "
    "Arzt dort an Ihre Grenzen kommen oder die Ursache in unserem Unternehmen liegt: Sprechen Sie uns an! "
    "Wir "
    "finden gemeinsam Lösungen.";
inline constexpr double kProposedSicknessDays = 3;

// The logic of the dialog "Allgemeine Einstellungen". It edits a copy of the program settings; only
// a confirmed OK takes them into the application (and stores a new data directory).
class GeneralSettingsForm {
  public:
    // The logo and data directory fields take at most this many characters.
    static constexpr size_t kMaxPathLength = 255;
    static constexpr int32_t kMaxLogoWidth = 300;
    static constexpr int32_t kMaxLogoHeight = 90;

    // Shows the current data directory without its trailing separator; when none was chosen yet
    // ("NV") it proposes the default data directory, and proposesDataDirectory() tells the desktop
    // to open the directory selection at once. Then the settings are read again from Lorvan.ini of
    // the shown directory.
    GeneralSettingsForm(CLorvanApp& app, const UserEnvironment& environment);

    const std::string& dataDirectory() const { return dataDirectory_; }
    bool proposesDataDirectory() const { return proposesDataDirectory_; }
    // "Du&rchsuchen..." of the data directory: only while the current data directory holds no year
    // file ("*.azr").
    bool canBrowseDataDirectory() const;
    // The directory selection ("Datenverzeichnis festlegen"), starting at the shown directory.
    IoSelect dataDirectorySelection() const;
    // The logo selection ("Datei mit Logo öffnen", "Bitmap (*.bmp)").
    IoSelect logoSelection() const;

    // A newly chosen data directory; the settings are read again from its Lorvan.ini (a directory
    // without settings leaves the shown values as they are). False for a path longer than the field.
    bool chooseDataDirectory(const std::string& directory);
    // False for a path longer than the field; the field then stays.
    bool setLogoFile(const std::string& path);
    const std::string& logoFile() const { return values_.logoFile; }

    // The print switch: on fills in the proposals, off empties the three texts and the thresholds.
    void setPrintTexts(bool on);

    // The other fields, edited as they are: texts, thresholds, month closing, temporary release.
    ProgramSettings& values() { return values_; }
    const ProgramSettings& values() const { return values_; }

    // The spreadsheet program of every export (kept per user, not in Lorvan.ini).
    SpreadsheetProgram spreadsheetProgram() const { return spreadsheet_; }
    void setSpreadsheetProgram(SpreadsheetProgram program) { spreadsheet_ = program; }
    // OK: the checks in order, each with its message and the field that gets the focus; on success
    // the data directory and the settings go into the application and are saved. Returns the field
    // to focus, or None when the dialog closes.
    GeneralSettingsField confirm(Prompter& prompter);

    // "MM.JJJJ" with month 1-12 and year 2018 or later.
    static bool isValidMonthClosing(const std::string& text);

  private:
    CLorvanApp& app_;
    std::string dataDirectory_;
    bool proposesDataDirectory_ = false;
    ProgramSettings values_;
    SpreadsheetProgram spreadsheet_ = SpreadsheetProgram::Excel;
};

} // namespace lorvan
