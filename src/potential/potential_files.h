#pragma once

#include "foundation/datum.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The weekly potential analysis, its input side: the calendar weeks "WW/JJJJ", the names of the
// three evaluation files per year and per week, and their readers. The files are CSV exports of
// spreadsheets kept by other systems of the firm: the clock and production evaluation ("PZE/BDE",
// one per year), the machine-employee evaluation (one per calendar week) and the index of misconduct
// (one per year).
namespace lorvan {

class Prompter;

inline constexpr const char* kWeekFromMissing = "Woche von wurde nicht angegeben.";
inline constexpr const char* kWeekFromInvalid = "Woche von im falschen Format. Erwartet wird WW/JJJJ";
inline constexpr const char* kWeekToMissing = "Woche bis wurde nicht angegeben.";
inline constexpr const char* kWeekToInvalid = "Woche bis im falschen Format. Erwartet wird WW/JJJJ";
inline constexpr const char* kFileDoesNotExist = "Die angegebene Datei existiert nicht.";

struct CalendarWeek {
    int32_t week = 0;
    int32_t year = 0;
    friend bool operator==(const CalendarWeek&, const CalendarWeek&) = default;
};

// "WW/JJJJ": at most two characters before the first "/", exactly four after it; valid from the year
// 2018 on with a week of 1 to 53 ("5/2024" is week 5; "005/2024", "05/24", "05/2017" are refused).
std::optional<CalendarWeek> parseCalendarWeek(std::string_view text);

// The weeks of one year inside a range of weeks.
struct YearWeeks {
    int32_t year = 0;
    int32_t firstWeek = 0;
    int32_t lastWeek = 0;
};
// Per year from the first to the last week's year: from the first week (else 1) up to the last week
// (else the week number of 31 December).
std::vector<YearWeeks> weeksByYear(CalendarWeek from, CalendarWeek to);

// The Monday of the week: the Monday on or before 4 January of the year, plus (week - 1) x 7 days.
Datum mondayOfWeek(CalendarWeek week);

// A file name formed for another year or week; error holds the message when it cannot be formed.
struct FormedFileName {
    std::vector<std::string> candidates; // tried in this order; the first that exists is read
    std::string error;
};
// The PZE/BDE and the misconduct file of year: the given path with every four-digit fromYear replaced
// by the year (the path itself for fromYear). what names the file in the message ("Die PZE/BDE-
// Auswertungsdatei", "Die Indexdatei mit Fehlverhalten").
FormedFileName yearFileName(const std::string& path, int32_t fromYear, int32_t year, const char* what);
// The machine-employee file of week/year from the file of fromWeek/fromYear: the year replaced as
// above, then for another week the lower-cased path with every "kw" + fromWeek (two digits) replaced
// by "kw" + week; since a case-sensitive file system would not find a lower-cased folder, the path as
// written with only its week part replaced (letters kept) is tried after it.
FormedFileName weekFileName(const std::string& path, CalendarWeek from, CalendarWeek week);

// What the files say about one employee, found by his name.
struct PotentialEntry {
    std::string name;
    std::string matchKey;                 // the name without blanks and commas
    std::map<int, std::string> pzeFields; // the employee's line of the PZE/BDE file
    int32_t machineColumn = 0;            // his column in the machine-employee files
    struct Sums {
        double c = 0.0;
        double w = 0.0;
        double iw = 0.0;
    };
    std::map<int32_t, Sums> weekSums; // per week: "C-", "W-" and "I-W-" hours
};

// One line of the misconduct index.
struct MisconductEntry {
    std::string misconduct; // fields 4 to 7 joined with "-"
    std::string reason;     // field 10
    std::string protocol;   // field 12
};

// The name with all blanks and commas removed ("Maier, Anna" -> "MaierAnna").
std::string potentialMatchKey(std::string_view name);

// What was read for one year of the range.
struct PotentialYear {
    int32_t year = 0;
    int32_t firstWeek = 0;
    int32_t lastWeek = 0;
    std::map<int32_t, int32_t> weekColumns; // week -> first of its five columns in the PZE/BDE file
    int32_t pzeFieldCount = 0;              // fields of line 5: columns from there on are not used
    std::map<std::string, PotentialEntry> entries;
    std::map<std::pair<int32_t, int32_t>, std::vector<MisconductEntry>> misconduct; // (number, week)

    // The entry of that name; else the first whose match key equals the name's; else nullptr.
    const PotentialEntry* find(const std::string& name) const;
    // The five values "PZE", "BDE", "Pause", "?" and "FZ" of the entry in the week (empty without a
    // usable column).
    std::vector<std::string> pzeValues(const PotentialEntry& entry, int32_t week) const;
    const std::vector<MisconductEntry>* misconductOf(int32_t number, int32_t week) const;
};

// The readers take the file's text (decoded to UTF-8) and the path for their messages. A text that
// does not have the expected form stops the reading with a message through the prompter; everything
// read before stays in year.
void readPzeBdeText(std::string_view text, const std::string& path, PotentialYear& year, Prompter& prompter);
void readMachineText(std::string_view text, const std::string& path, int32_t week, PotentialYear& year,
                     Prompter& prompter);
void readMisconductText(std::string_view text, const std::string& path, PotentialYear& year, Prompter& prompter);

// The three files of the analysis; an empty path reads no file.
struct PotentialFiles {
    std::string pzeBde;
    std::string machine; // the file of the first week
    std::string misconduct;
};

// Reads the files of every year of the range by their year- and week-dependent names. A name that
// cannot be formed or a file that does not exist is reported and skipped.
std::map<int32_t, PotentialYear> readPotentialFiles(CalendarWeek from, CalendarWeek to, const PotentialFiles& files,
                                                    Prompter& prompter);

} // namespace lorvan
