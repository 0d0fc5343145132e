#pragma once

#include <string>

namespace lorvan {

class Prompter;
class UserStore;

// The version shown in the information box and compared by the internal backup.
inline constexpr const char* kProgramVersion = "3.14";

// The program settings file in the data directory, and its one section.
inline constexpr const char* kSettingsFileName = "Lorvan.ini";
inline constexpr const char* kSettingsSection = "Settings";

// The program settings kept in Lorvan.ini (the data directory lives in the per-user store).
struct ProgramSettings {
    std::string logoFile;               // "LogoFile": bitmap printed on reports; empty = none
    std::string monthReportText;        // "TextMonatsauswertung": may hold CR LF
    bool printMonthReportTexts = false; // "TexteAufMonatsauswertung"
    std::string overtimeNoteText;       // "TextStdArbztUeberschreitung"
    double overtimeThresholdHours = 0;  // "StdArbztUeberschreitung", whole minutes on disk
    std::string sicknessNoteText;       // "TextTageKrankUeberschreitung"
    double sicknessThresholdDays = 0;   // "TageKrankUeberschreitung", tenths of a day on disk
    std::string monthClosing;           // "MonatsabschlussBis": "MM.JJJJ" or empty
    bool temporaryRelease = false;      // closed months may be edited; never saved

    friend bool operator==(const ProgramSettings&, const ProgramSettings&) = default;
};

// The path of Lorvan.ini in the directory; with an empty directory, Lorvan.ini in the current one.
std::string settingsFilePath(const std::string& directory);

// Reads section "Settings" of Lorvan.ini in the directory. When the section is there, every setting
// takes its key's value (missing keys their defaults); the temporary release is left alone. When it
// is not (or the file is missing): at start-up the seven older values come from section "Settings"
// of the per-user store and the month closing stays; at any other time nothing changes. Minutes and
// tenths become whole hours and days (150 minutes -> 2 hours, 35 tenths -> 3 days). Returns whether
// the section was found.
bool loadSettings(ProgramSettings& settings, const std::string& directory, bool atStartUp,
                  const UserStore& store);

// Writes the eight keys to Lorvan.ini in the data directory ("1"/"0", hours x 60 and days x 10
// truncated). On failure shows "Die Einstellungen können nicht gespeichert werden.\n" + the file's
// full error text and returns false. A full disk asks whether to try again.
bool saveSettings(const ProgramSettings& settings, const std::string& dataDirectory, Prompter& prompter);

// Whether the month (1-12) of the year is closed: false while the temporary release is set or no
// month closing is stored (or it is not a month); else true up to and including the stored month.
bool isMonthClosed(const ProgramSettings& settings, int month, int year);

// The text "MM.JJJJ" as a month: true with month and year when "1." + text is a valid date.
bool parseClosingMonth(const std::string& text, int& month, int& year);

// Takes the newly closed month "MM.JJJJ" unless the text is no month or the stored month closing is
// a month not earlier than it. True when the month closing changed (the caller saves at once).
bool advanceMonthClosing(ProgramSettings& settings, const std::string& text);

} // namespace lorvan
