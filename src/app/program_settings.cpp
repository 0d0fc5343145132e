#include "app/program_settings.h"

#include "platform/user_store.h"
#include "foundation/calendar.h"
#include "foundation/error.h"
#include "foundation/file_system.h"
#include "foundation/format.h"
#include "foundation/ini_file.h"
#include "foundation/number_text.h"
#include "platform/prompter.h"

#include <cmath>

namespace lorvan {
namespace {

constexpr const char* kLogoFile = "LogoFile";
constexpr const char* kMonthReportText = "TextMonatsauswertung";
constexpr const char* kPrintTexts = "TexteAufMonatsauswertung";
constexpr const char* kOvertimeText = "TextStdArbztUeberschreitung";
constexpr const char* kSicknessText = "TextTageKrankUeberschreitung";
constexpr const char* kOvertimeMinutes = "StdArbztUeberschreitung";
constexpr const char* kSickTenths = "TageKrankUeberschreitung";
constexpr const char* kMonthClosing = "MonatsabschlussBis";

// Minutes and tenths are whole numbers; the division truncates like the integer division it is.
double wholeHours(int64_t minutes) {
    return static_cast<double>(minutes / 60);
}
double wholeDays(int64_t tenths) {
    return static_cast<double>(tenths / 10);
}

long truncated(double value) {
    return static_cast<long>(std::trunc(value));
}

void takeOlderStoreValues(ProgramSettings& settings, const UserStore& store) {
    const std::map<std::string, std::string> stored = store.readSection(kStoreSettings);
    auto read = [&](const char* key, const char* fallback) { return entryOf(stored, key, fallback); };
    settings.logoFile = read(kLogoFile, "");
    settings.monthReportText = read(kMonthReportText, "");
    settings.printMonthReportTexts = read(kPrintTexts, "0") != "0";
    settings.overtimeNoteText = read(kOvertimeText, "");
    settings.sicknessNoteText = read(kSicknessText, "");
    settings.overtimeThresholdHours = wholeHours(readLeadingInteger(read(kOvertimeMinutes, "0")));
    settings.sicknessThresholdDays = wholeDays(readLeadingInteger(read(kSickTenths, "0")));
}

} // namespace

std::string settingsFilePath(const std::string& directory) {
    return withSeparator(directory, true) + kSettingsFileName;
}

bool loadSettings(ProgramSettings& settings, const std::string& directory, bool atStartUp,
                  const UserStore& store) {
    IniFile file(settingsFilePath(directory));
    IniSection section;
    bool found = false;
    try {
        found = file.readSection(kSettingsSection, section);
    } catch (const LorvanError&) {
        found = false; // an unreadable file counts as a missing one
    }
    if (!found) {
        if (atStartUp) takeOlderStoreValues(settings, store);
        return false;
    }
    settings.logoFile = entryOf(section, kLogoFile);
    settings.monthReportText = entryOf(section, kMonthReportText);
    settings.printMonthReportTexts = entryOf(section, kPrintTexts) == "1";
    settings.overtimeNoteText = entryOf(section, kOvertimeText);
    settings.sicknessNoteText = entryOf(section, kSicknessText);
    settings.overtimeThresholdHours = wholeHours(readLeadingInteger(entryOf(section, kOvertimeMinutes)));
    settings.sicknessThresholdDays = wholeDays(readLeadingInteger(entryOf(section, kSickTenths)));
    settings.monthClosing = entryOf(section, kMonthClosing);
    return true;
}

bool saveSettings(const ProgramSettings& settings, const std::string& dataDirectory, Prompter& prompter) {
    IniSection section;
    section[kLogoFile] = settings.logoFile;
    section[kMonthReportText] = settings.monthReportText;
    section[kPrintTexts] = settings.printMonthReportTexts ? "1" : "0";
    section[kOvertimeText] = settings.overtimeNoteText;
    section[kSicknessText] = settings.sicknessNoteText;
    section[kOvertimeMinutes] = format("%ld", truncated(settings.overtimeThresholdHours * 60));
    section[kSickTenths] = format("%ld", truncated(settings.sicknessThresholdDays * 10));
    section[kMonthClosing] = settings.monthClosing;

    IniFile file(settingsFilePath(dataDirectory),
                 [&prompter](const std::string& question) { return prompter.askYesNo(question); });
    if (file.writeSection(kSettingsSection, section)) return true;
    prompter.error("Die Einstellungen können nicht gespeichert werden.\n" + file.fullErrorText());
    return false;
}

bool parseClosingMonth(const std::string& text, int& month, int& year) {
    if (text.empty()) return false;
    const ParsedDate date = parseDate("1." + text);
    if (!date.valid || date.day != 1 || date.month == 0) return false;
    if (!isValidDate(Datum{date.day, date.month, date.year})) return false;
    month = date.month;
    year = date.year;
    return true;
}

bool isMonthClosed(const ProgramSettings& settings, int month, int year) {
    if (settings.temporaryRelease || settings.monthClosing.empty()) return false;
    int closedMonth = 0;
    int closedYear = 0;
    if (!parseClosingMonth(settings.monthClosing, closedMonth, closedYear)) return false;
    return year < closedYear || (year == closedYear && month <= closedMonth);
}

bool advanceMonthClosing(ProgramSettings& settings, const std::string& text) {
    int month = 0;
    int year = 0;
    if (!parseClosingMonth(text, month, year)) return false;
    int storedMonth = 0;
    int storedYear = 0;
    if (parseClosingMonth(settings.monthClosing, storedMonth, storedYear) &&
        (storedYear > year || (storedYear == year && storedMonth >= month)))
        return false;
    settings.monthClosing = text;
    return true;
}

} // namespace lorvan
