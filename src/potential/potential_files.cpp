#include "potential/potential_files.h"

#include "foundation/calendar.h"
#include "foundation/file_system.h"
#include "foundation/format.h"
#include "foundation/number_text.h"
#include "foundation/split_fields.h"
#include "import/import_file_text.h"
#include "platform/prompter.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <exception>
#include <limits>

namespace lorvan {
namespace {

constexpr const char* kPzeAbort = "Der Import der PZE/BDE-Datei wird abgebrochen.\n";
constexpr const char* kPzeWrongFormat = "Der Import der PZE/BDE-Datei wird abgebrochen.\nFalsches Dateiformat.\n";
constexpr const char* kPzeWeekLineAbort =
    "Der Import der PZE/BDE-Datei wird abgebrochen wegen Fehlern beim Einlesen der Wochenzeile.\n";
constexpr const char* kMachineAbort = "Der Import der Maschine-Mitarbeiter-Datei wird abgebrochen.\n";
constexpr const char* kMachineEmployeeLineAbort =
    "Der Import der Maschine-Mitarbeiter-Datei wird abgebrochen wegen Fehlern beim Einlesen der Mitarbeiterzeile.\n";
constexpr const char* kMisconductAbort = "Der Import der Indexdatei mit Fehlverhalten wird abgebrochen.\n";
constexpr const char* kMisconductNoHeading =
    "Der Inhalt der Indexdatei mit Fehlverhalten kann nicht gelesen werden.\nFalsches Dateiformat.\nErwartet wird "
    "eine Überschriftenzeile, die beginnt mit: Index;Personalnummer\n\n";
constexpr std::string_view kMisconductHeading = "Jahr;Index;Personalnummer";

constexpr const char* kPzeWhat = "Die PZE/BDE-Auswertungsdatei";
constexpr const char* kMachineWhat = "Die Maschine-Mitarbeiter-Auswertungsdatei";
constexpr const char* kMisconductWhat = "Die Indexdatei mit Fehlverhalten";
constexpr const char* kPzeInternal = "Interner Fehler. Der Import der PZE/BDE-Datei wird abgebrochen.\n\n";
constexpr const char* kMachineInternal =
    "Interner Fehler. Der Import der Maschine-Mitarbeiter-Datei wird abgebrochen.\n\n";
constexpr const char* kMisconductInternal =
    "Interner Fehler. Der Import der Indexdatei mit Fehlverhalten wird abgebrochen.\n\n";

// The lines of a text without their line ends ("\n" or "\r\n").
std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

// Where a reading error lies: the path, the line number and the line.
std::string placeOf(const std::string& path, size_t lineNumber, std::string_view line) {
    return path + format("\nZeile %zu:\n", lineNumber) + std::string(line) + "\n";
}

bool split(std::string_view line, int padTo, std::map<int, std::string>& fields, std::string& message) {
    fields.clear();
    message.clear();
    return SplitFields(line, SplitVariant::PotentialAnalysis, {}, padTo, fields, message);
}

const std::string& fieldOf(const std::map<int, std::string>& fields, int number) {
    static const std::string empty;
    const auto it = fields.find(number);
    return it == fields.end() ? empty : it->second;
}

int fieldCount(const std::map<int, std::string>& fields) {
    return fields.empty() ? 0 : fields.rbegin()->first;
}

// A decimal number with a decimal point; 0 for anything else (and for values a sum cannot take).
double decimalValue(const std::string& text) {
    std::string point = text;
    std::replace(point.begin(), point.end(), ',', '.');
    const char* begin = point.c_str();
    if (*begin == '+') ++begin;
    double value = 0.0;
    const auto [end, error] = std::from_chars(begin, point.c_str() + point.size(), value);
    (void)end;
    if (error != std::errc() || !std::isfinite(value) || std::fabs(value) > 1e12) return 0.0;
    return value;
}

PotentialEntry& entryNamed(PotentialYear& year, const std::string& name) {
    const auto [it, isNew] = year.entries.try_emplace(name);
    if (isNew) {
        it->second.name = name;
        it->second.matchKey = potentialMatchKey(name);
    }
    return it->second;
}

std::string lowerAscii(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// Every occurrence of from in text replaced by to; false when there is none.
bool replaceAll(std::string& text, const std::string& from, const std::string& to) {
    bool found = false;
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
        found = true;
    }
    return found;
}

// The first of the names that exists as a file; empty when none does.
std::string existingCandidate(const FormedFileName& name) {
    for (const std::string& candidate : name.candidates)
        if (fileExists(candidate)) return candidate;
    return {};
}

// Reads a formed file with the reader, reporting a name that cannot be formed, a missing file and a
// file that cannot be read.
template <typename Reader>
void readFormed(const FormedFileName& name, const std::string& notFoundLead, const char* internal, Prompter& prompter,
                Reader read) {
    if (!name.error.empty()) {
        prompter.warn(name.error);
        return;
    }
    const std::string path = existingCandidate(name);
    if (path.empty()) {
        prompter.warn(notFoundLead + " wurde nicht gefunden: '" + name.candidates.back() + "'");
        return;
    }
    try {
        read(importFileText(path), path);
    } catch (const std::exception& e) {
        prompter.warn(internal + std::string(e.what()));
    }
}

} // namespace

std::optional<CalendarWeek> parseCalendarWeek(std::string_view text) {
    const size_t slash = text.find('/');
    if (slash == std::string_view::npos) return std::nullopt;
    const std::string_view week = text.substr(0, slash);
    const std::string_view year = text.substr(slash + 1);
    if (week.size() > 2 || year.size() != 4) return std::nullopt;
    const CalendarWeek result{static_cast<int32_t>(readLeadingInteger(week)),
                              static_cast<int32_t>(readLeadingInteger(year))};
    if (result.year < 2018 || result.week < 1 || result.week > 53) return std::nullopt;
    return result;
}

std::vector<YearWeeks> weeksByYear(CalendarWeek from, CalendarWeek to) {
    std::vector<YearWeeks> years;
    for (int32_t year = from.year; year <= to.year; ++year) {
        const int32_t first = year == from.year ? from.week : 1;
        const int32_t last = year == to.year ? to.week : weekNumber(Datum{31, 12, year});
        if (first <= last) years.push_back({year, first, last});
    }
    return years;
}

Datum mondayOfWeek(CalendarWeek week) {
    const Datum fourth{4, 1, week.year};
    return addDays(fourth, -(weekdayMonday(fourth) - 1) + (week.week - 1) * 7);
}

FormedFileName yearFileName(const std::string& path, int32_t fromYear, int32_t year, const char* what) {
    FormedFileName name;
    std::string formed = path;
    if (year != fromYear && !replaceAll(formed, format("%4.4d", fromYear), format("%4.4d", year))) {
        name.error = std::string(what) + " für '" + std::to_string(year) + "' konnte nicht bestimmt werden, da '" +
                     format("%4.4d", fromYear) + "' nicht im Dateinamen '" + path + "' gefunden wurde.";
        return name;
    }
    name.candidates.push_back(formed);
    return name;
}

FormedFileName weekFileName(const std::string& path, CalendarWeek from, CalendarWeek week) {
    const std::string weekText = format("kw%2.2d", week.week);
    auto refuse = [&](const std::string& missing) {
        FormedFileName name;
        name.error = std::string(kMachineWhat) + " für Woche '" + weekText + "' konnte nicht bestimmt werden, da '" +
                     missing + "' nicht im Dateinamen '" + path + "' gefunden wurde.";
        return name;
    };
    std::string formed = path;
    if (week.year != from.year && !replaceAll(formed, format("%4.4d", from.year), format("%4.4d", week.year)))
        return refuse(format("%4.4d", from.year));
    FormedFileName name;
    if (week.week == from.week) {
        name.candidates.push_back(formed);
        return name;
    }
    const std::string fromText = format("kw%2.2d", from.week);
    std::string lowered = lowerAscii(formed);
    // The letters of the path as written, with only the digits of each week part changed: lower-casing
    // changes no byte positions.
    std::string kept = formed;
    for (size_t at = lowered.find(fromText); at != std::string::npos; at = lowered.find(fromText, at + 1))
        kept.replace(at + 2, 2, weekText.substr(2));
    if (!replaceAll(lowered, fromText, weekText)) return refuse(fromText);
    name.candidates.push_back(lowered);
    if (kept != lowered) name.candidates.push_back(kept);
    return name;
}

std::string potentialMatchKey(std::string_view name) {
    std::string key;
    for (const char c : name)
        if (c != ' ' && c != ',') key += c;
    return key;
}

const PotentialEntry* PotentialYear::find(const std::string& name) const {
    if (const auto it = entries.find(name); it != entries.end()) return &it->second;
    const std::string key = potentialMatchKey(name);
    for (const auto& [entryName, entry] : entries)
        if (entry.matchKey == key) return &entry;
    return nullptr;
}

std::vector<std::string> PotentialYear::pzeValues(const PotentialEntry& entry, int32_t week) const {
    std::vector<std::string> values(5);
    const auto column = weekColumns.find(week);
    if (column == weekColumns.end() || column->second == 0 || column->second >= pzeFieldCount) return values;
    for (int i = 0; i < 5; ++i)
        values[static_cast<size_t>(i)] = fieldOf(entry.pzeFields, column->second + i);
    return values;
}

const std::vector<MisconductEntry>* PotentialYear::misconductOf(int32_t number, int32_t week) const {
    const auto it = misconduct.find({number, week});
    return it == misconduct.end() ? nullptr : &it->second;
}

void readPzeBdeText(std::string_view text, const std::string& path, PotentialYear& year, Prompter& prompter) {
    try {
        std::map<int, std::string> fields;
        std::string message;
        int weekLineFields = 0;
        size_t number = 0;
        for (const std::string_view line : linesOf(text)) {
            ++number;
            if (line.empty() && number > 1) continue;
            if (number == 2 || number == 3 || number == 6) continue;
            if (!split(line, 0, fields, message)) {
                prompter.warn(std::string(number == 4 ? kPzeWeekLineAbort : kPzeAbort) + message + "'\n\n" +
                              placeOf(path, number, line));
                return;
            }
            if (number == 1) {
                if (fieldCount(fields) < 4 || fieldOf(fields, 2) != "Auswertung PZE/BDE") {
                    prompter.warn(std::string(kPzeWrongFormat) +
                                  "Erwartet wird in Zeile 1 und Spalte 2 'Auswertung PZE/BDE'\n\n" +
                                  placeOf(path, number, line));
                    return;
                }
                const std::string& yearField = fieldOf(fields, 3);
                if (yearField.empty() || !isNumberText(yearField, false) || readLeadingInteger(yearField) != year.year) {
                    prompter.warn(std::string(kPzeWrongFormat) +
                                  "Erwartet wird in Zeile 1 und Spalte 3 das Jahr der Datei. Gefunden: '" + yearField +
                                  "'\n\n" + placeOf(path, number, line));
                    return;
                }
            } else if (number == 4) {
                weekLineFields = fieldCount(fields);
                for (const auto& [column, field] : fields) {
                    if (field.rfind("KW", 0) != 0) continue;
                    const int64_t week = readLeadingInteger(std::string_view(field).substr(2));
                    if (week >= year.firstWeek && week <= year.lastWeek)
                        year.weekColumns[static_cast<int32_t>(week)] = column;
                }
            } else if (number == 5) {
                if (fieldCount(fields) < weekLineFields) {
                    prompter.warn(std::string(kPzeWrongFormat) +
                                  "Die Anzahl der Spalten ist in Zeile 5 kleiner als in Zeile 4\n\n" +
                                  placeOf(path, number, line));
                    return;
                }
                year.pzeFieldCount = fieldCount(fields);
            } else if (number >= 7) {
                const std::string& name = fieldOf(fields, 2);
                if (name.empty()) continue;
                entryNamed(year, name).pzeFields = fields;
            }
        }
    } catch (const std::exception& e) {
        prompter.warn(kPzeInternal + std::string(e.what()));
    }
}

void readMachineText(std::string_view text, const std::string& path, int32_t week, PotentialYear& year,
                     Prompter& prompter) {
    try {
        std::map<int, std::string> fields;
        std::string message;
        std::map<int, PotentialEntry*> columns;
        size_t number = 0;
        for (const std::string_view line : linesOf(text)) {
            ++number;
            if (number == 3) {
                if (!split(line, 0, fields, message)) {
                    prompter.warn(kMachineEmployeeLineAbort + message + "'\n\n" + placeOf(path, number, line));
                    return;
                }
                for (const auto& [column, name] : fields) {
                    if (name.empty() || name == "Gesamtergebnis") continue;
                    PotentialEntry& entry = entryNamed(year, name);
                    entry.machineColumn = column;
                    columns[column] = &entry;
                }
                continue;
            }
            if (number < 5) continue;
            double PotentialEntry::Sums::*kind = nullptr;
            if (line.rfind("C-", 0) == 0)
                kind = &PotentialEntry::Sums::c;
            else if (line.rfind("W-", 0) == 0)
                kind = &PotentialEntry::Sums::w;
            else if (line.rfind("I-W-", 0) == 0)
                kind = &PotentialEntry::Sums::iw;
            else
                continue;
            if (!split(line, 0, fields, message)) {
                prompter.warn(kMachineAbort + message + "'\n\n" + placeOf(path, number, line));
                return;
            }
            for (const auto& [column, entry] : columns) {
                if (column > fieldCount(fields)) break;
                const double value = decimalValue(fieldOf(fields, column));
                if (value != 0.0) entry->weekSums[week].*kind += value;
            }
        }
    } catch (const std::exception& e) {
        prompter.warn(kMachineInternal + std::string(e.what()));
    }
}

void readMisconductText(std::string_view text, const std::string& path, PotentialYear& year, Prompter& prompter) {
    try {
        std::map<int, std::string> fields;
        std::string message;
        const std::string yearLead = format("%d;", year.year);
        bool heading = false;
        size_t number = 0;
        for (const std::string_view line : linesOf(text)) {
            ++number;
            if (!heading) {
                heading = line.substr(0, kMisconductHeading.size()) == kMisconductHeading;
                continue;
            }
            if (line.rfind(yearLead, 0) != 0) continue;
            if (!split(line, 12, fields, message)) {
                prompter.warn(kMisconductAbort + message + "'\n\n" + placeOf(path, number, line));
                return;
            }
            const std::string& numberField = fieldOf(fields, 3);
            const int64_t personnel = readLeadingInteger(numberField);
            if (personnel <= 0 || personnel > std::numeric_limits<int32_t>::max()) {
                prompter.warn("Die Personalnummer ist im falschen Format " + numberField + "\n" +
                              placeOf(path, number, line));
                return;
            }
            const std::string& dateField = fieldOf(fields, 8);
            const ParsedDate parsed = parseDate(dateField);
            const Datum date{parsed.day, parsed.month, parsed.year};
            if (!parsed.valid || parsed.day == 0 || parsed.month == 0 || !isValidDate(date)) {
                // A line without a readable date belongs to no week.
                prompter.warn("Es steht ein ungültiges Datum '" + dateField + "' in der Datei.\n" +
                              placeOf(path, number, line));
                continue;
            }
            if (date.year != year.year)
                prompter.warn("Es steht ein Datum " + dateField + " mit dem falschen Jahr in der Datei.\n" +
                              placeOf(path, number, line));
            const int32_t week = weekNumber(date);
            if (week < year.firstWeek || week > year.lastWeek) continue;
            year.misconduct[{static_cast<int32_t>(personnel), week}].push_back(
                {fieldOf(fields, 4) + "-" + fieldOf(fields, 5) + "-" + fieldOf(fields, 6) + "-" + fieldOf(fields, 7),
                 fieldOf(fields, 10), fieldOf(fields, 12)});
        }
        if (!heading) prompter.warn(kMisconductNoHeading + path + "\n");
    } catch (const std::exception& e) {
        prompter.warn(kMisconductInternal + std::string(e.what()));
    }
}

std::map<int32_t, PotentialYear> readPotentialFiles(CalendarWeek from, CalendarWeek to, const PotentialFiles& files,
                                                    Prompter& prompter) {
    std::map<int32_t, PotentialYear> years;
    for (const YearWeeks& weeks : weeksByYear(from, to)) {
        PotentialYear& year = years[weeks.year];
        year.year = weeks.year;
        year.firstWeek = weeks.firstWeek;
        year.lastWeek = weeks.lastWeek;
        if (!files.pzeBde.empty())
            readFormed(yearFileName(files.pzeBde, from.year, weeks.year, kPzeWhat),
                       std::string(kPzeWhat) + " für '" + std::to_string(weeks.year) + "'", kPzeInternal, prompter,
                       [&](const std::string& text, const std::string& path) {
                           readPzeBdeText(text, path, year, prompter);
                       });
        if (!files.machine.empty())
            for (int32_t week = weeks.firstWeek; week <= weeks.lastWeek; ++week)
                readFormed(weekFileName(files.machine, from, {week, weeks.year}),
                           std::string(kMachineWhat) + " für Woche '" + format("kw%2.2d", week) + "'",
                           kMachineInternal, prompter, [&](const std::string& text, const std::string& path) {
                               readMachineText(text, path, week, year, prompter);
                           });
        if (!files.misconduct.empty())
            readFormed(yearFileName(files.misconduct, from.year, weeks.year, kMisconductWhat),
                       std::string(kMisconductWhat) + " für '" + std::to_string(weeks.year) + "'",
                       kMisconductInternal, prompter, [&](const std::string& text, const std::string& path) {
                           readMisconductText(text, path, year, prompter);
                       });
    }
    return years;
}

} // namespace lorvan
