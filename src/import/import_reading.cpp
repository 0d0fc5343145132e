// The reading phase of the time import: every line of the file is checked and, when it is good,
// taken into the picture per employee and day. No year file is written here.

#include "entry/month_management.h"
#include "evaluation/day_checks.h"
#include "foundation/calendar.h"
#include "foundation/error.h"
#include "foundation/file_system.h"
#include "foundation/format.h"
#include "foundation/number_text.h"
#include "foundation/split_fields.h"
#include "foundation/time_text.h"
#include "import/import_codes.h"
#include "import/time_import_state.h"
#include "masterdata/employee_files.h"
#include "platform/prompter.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <iterator>
#include <limits>

namespace lorvan {
namespace {

constexpr size_t kNoSource = std::numeric_limits<size_t>::max();

constexpr const char* kFileHasErrors = "Die Importdatei enthält Fehler.\nEs wurden noch keine Daten "
                                       "importiert.\nBitte prüfen Sie das Protokoll.";

// The physical lines of a text: LF or CR LF ends a line, and a last line without a line end counts.
class LineCursor {
  public:
    explicit LineCursor(std::string_view text) : text_(text) {}

    bool next(std::string_view& line) {
        if (position_ >= text_.size()) return false;
        const char* start = text_.data() + position_;
        const void* found = std::memchr(start, '\n', text_.size() - position_);
        const size_t end =
            found ? static_cast<size_t>(static_cast<const char*>(found) - text_.data()) : text_.size();
        line = text_.substr(position_, end - position_);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lineStart_ = position_;
        lineEnd_ = position_ + line.size();
        position_ = found ? end + 1 : text_.size();
        ++number_;
        return true;
    }

    int64_t number() const { return number_; }
    size_t lineStart() const { return lineStart_; }
    size_t lineEnd() const { return lineEnd_; }

  private:
    std::string_view text_;
    size_t position_ = 0;
    size_t lineStart_ = 0;
    size_t lineEnd_ = 0;
    int64_t number_ = 0;
};

void appendNumber(std::string& out, int64_t value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

void appendPadded(std::string& out, int32_t value, int width) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    for (auto length = end - digits; length < width; ++length)
        out += '0';
    out.append(digits, end);
}

// formatDate without the formatting machinery: the reading phase writes it for every line.
void appendDate(std::string& out, const Datum& date) {
    appendPadded(out, date.day, 2);
    out += '.';
    appendPadded(out, date.month, 2);
    out += '.';
    appendPadded(out, date.year, 4);
}

void appendLineHead(std::string& out, int64_t number, std::string_view text) {
    out += "Zeile ";
    appendNumber(out, number);
    out += ":\n";
    out.append(text);
    out += '\n';
}

void appendWithNewline(std::string& out, std::string_view text) {
    out.append(text);
    if (text.empty() || text.back() != '\n') out += '\n';
}

// A duration as the import accepts it: a time h:mm with hours up to 47, or a number of hours or
// minutes as ParseDuration reads it (8 -> 08:00, 730 -> 07:30, 7,5 -> 07:30). It becomes hh:mm.
bool normalizeDuration(std::string& text) {
    if (text.find(':') != std::string::npos) return normalizeTime(text, false, false);
    const std::string_view trimmed = trimWhiteSpace(text);
    if (trimmed.empty()) {
        text.clear();
        return true;
    }
    size_t separators = 0;
    for (const char c : trimmed) {
        if (c == ',' || c == '.')
            ++separators;
        else if (c < '0' || c > '9')
            return false;
    }
    if (separators > 1 || trimmed.size() > 8 || trimmed.size() == separators) return false;
    const int32_t minutes = parseDuration(trimmed);
    if (minutes < 0 || minutes >= 48 * 60) return false;
    text = formatMinutes(minutes, 2, false);
    return true;
}

// A pause of digits only with a value above 0; empty and "0" mean none.
bool isValidPause(std::string_view pause) {
    const std::string_view text = trimWhiteSpace(pause);
    if (text.empty() || text == "0") return true;
    if (text.size() > 9 || !isNumberText(text, false)) return false;
    return readLeadingInteger(text) > 0;
}

// What a line of the file says, whatever its layout.
struct LineInput {
    std::string employee;
    std::string department;
    std::string date;
    bool isAbsence = false;
    std::string code;
    std::string from;
    std::string to;
    std::string duration;
    std::string kind;
    std::string customer;
    std::string service;
    std::string pause;
};

enum class EntryOutcome { Read, ReadWithWarning, Error, Ignored, Stop };

class Reader {
  public:
    explicit Reader(TimeImport::State& state) : s_(state) {}

    // One thing of a line: matched, checked and taken into the picture.
    EntryOutcome readEntry(LineInput& in, std::string& protocol, int64_t number, std::string_view text,
                           size_t& source);
    // The line's protocol and counts.
    void finishLine(EntryOutcome outcome, std::string& protocol, int64_t number, size_t source);
    // After the whole file: absences of single empty lines, unknown codes, bad pauses, the summary
    // and the question after errors.
    bool finishReading();

  private:
    // readEntry with the texts of a good line only when detailed.
    EntryOutcome readEntryTexts(LineInput& in, std::string& protocol, int64_t number, std::string_view text,
                                size_t& source, bool detailed);
    std::string yearFileError(const CMitarbeiterDoc& employee, int32_t year);
    ImportDayRecord& dayRecord(const CMitarbeiterDoc& employee, const Datum& date);
    void lateError(size_t source, const std::string& text);
    void purgeErroneous();

    TimeImport::State& s_;
    // The day of the previous entry, which the next entry mostly continues.
    int32_t lastEmployee_ = 0;
    Datum lastDate_{0, 0, 0};
    ImportDayRecord* lastDay_ = nullptr;
    std::pair<int32_t, int32_t> lastYearFile_{0, 0};
};

std::string Reader::yearFileError(const CMitarbeiterDoc& employee, int32_t year) {
    const std::pair<int32_t, int32_t> key{employee.number, year};
    if (key == lastYearFile_) return std::string();
    if (const auto known = s_.checkedYearFiles.find(key); known != s_.checkedYearFiles.end()) {
        if (known->second.empty()) lastYearFile_ = key;
        return known->second;
    }
    TimeImportEnvironment& environment = s_.environment;
    const std::string path = yearFilePath(environment.dataDirectory, employee.name, year);
    std::string error;
    if (!fileExists(path) && s_.newYearFiles.find(path) == s_.newYearFiles.end()) {
        const std::string question =
            format("Für das Jahr %ld existiert die Arbeitszeitdatei für %s noch nicht.\nSoll die Datei jetzt "
                   "angelegt werden?",
                   static_cast<long>(year), employee.name.c_str());
        bool created = false;
        if (environment.prompter->askYesNo(question)) {
            try {
                auto document = std::make_unique<CLorvanDoc>(
                    startYearFileIn(environment.dataDirectory, employee.name, year, *environment.clock));
                if (!environment.confirmNewFileSettings || environment.confirmNewFileSettings(*document)) {
                    s_.newYearFiles.emplace(path, std::move(document));
                    created = true;
                }
            } catch (const LorvanError& e) {
                appendWithNewline(error, asErrorText(e.what()));
            }
        }
        if (!created)
            error += asErrorText(
                format("Für das Jahr %ld existiert die Arbeitszeitdatei noch nicht.\nBitte öffnen "
                       "Sie diese zuerst in der Anwendung und bestätigen Sie die aktuellen "
                       "Einstellungen.\n",
                       static_cast<long>(year)));
    }
    s_.checkedYearFiles.emplace(key, error);
    if (error.empty()) lastYearFile_ = key;
    return error;
}

ImportDayRecord& Reader::dayRecord(const CMitarbeiterDoc& employee, const Datum& date) {
    if (lastDay_ != nullptr && lastEmployee_ == employee.number && lastDate_ == date) return *lastDay_;
    ImportEmployeeDays& days = s_.picture.employees[employee.number];
    if (days.days.empty() && days.name.empty()) {
        days.number = employee.number;
        days.name = employee.name;
    }
    ImportDayRecord& day = days.days[importDateKey(date)];
    day.date = date;
    lastEmployee_ = employee.number;
    lastDate_ = date;
    lastDay_ = &day;
    return day;
}

EntryOutcome Reader::readEntry(LineInput& in, std::string& protocol, int64_t number, std::string_view text,
                               size_t& source) {
    // The texts of a good line reach the protocol only with log all: without it they are written
    // for a line with an error alone, once more from the start. Nothing of an erroneous line has
    // entered the picture, and the second run asks nothing: the employee and the year file are known.
    const size_t start = protocol.size();
    const EntryOutcome outcome = readEntryTexts(in, protocol, number, text, source, s_.protocol.logAll());
    if (outcome != EntryOutcome::Error || s_.protocol.logAll()) return outcome;
    protocol.resize(start);
    return readEntryTexts(in, protocol, number, text, source, true);
}

EntryOutcome Reader::readEntryTexts(LineInput& in, std::string& protocol, int64_t number,
                                    std::string_view text, size_t& source, bool detailed) {
    const EmployeeMatch match = s_.matcher->match(in.employee, in.department);
    protocol += match.protocol;
    switch (match.kind) {
    case EmployeeMatch::Kind::Found:
        break;
    case EmployeeMatch::Kind::Ignored:
        return EntryOutcome::Ignored;
    case EmployeeMatch::Kind::Stop:
        return EntryOutcome::Stop;
    case EmployeeMatch::Kind::Failed:
        appendWithNewline(protocol, asErrorText(match.error));
        return EntryOutcome::Error;
    }
    const CMitarbeiterDoc& employee = s_.matcher->employee(match.number);
    detailed = detailed || match.warning;
    if (detailed) {
        protocol += "Mitarbeiter: ";
        protocol += employee.name;
        protocol += '\n';
    }

    const ParsedDate parsed = parseDate(in.date);
    if (!parsed.valid || parsed.day == 0 || parsed.month == 0) {
        protocol += "FEHLER: Das Datum '" + in.date + "' ist ungültig.\n";
        return EntryOutcome::Error;
    }
    const Datum date{parsed.day, parsed.month, parsed.year};
    if (const std::string error = yearFileError(employee, date.year); !error.empty()) {
        protocol += error;
        return EntryOutcome::Error;
    }
    if (detailed) {
        protocol += "Datum: ";
        appendDate(protocol, date);
        protocol += '\n';
    }

    if (in.isAbsence) {
        ImportDayRecord& day = dayRecord(employee, date);
        if (source == kNoSource) {
            s_.picture.lines.push_back({number, text, false});
            source = s_.picture.lines.size() - 1;
        }
        day.absences.push_back({source, std::move(in.code)});
        return match.warning ? EntryOutcome::ReadWithWarning : EntryOutcome::Read;
    }

    bool valid = true;
    if (!in.from.empty() || !in.to.empty() || !in.duration.empty()) {
        if (!normalizeTime(in.from, false, false)) {
            protocol += "FEHLER: Der Von-Wert '" + in.from + "' ist ungültig.\n";
            valid = false;
        }
        if (!normalizeTime(in.to, false, false)) {
            protocol += "FEHLER: Der Bis-Wert '" + in.to + "' ist ungültig.\n";
            valid = false;
        }
        if (!normalizeDuration(in.duration)) {
            protocol += "FEHLER: Die Dauer '" + in.duration + "' ist ungültig.\n";
            valid = false;
        }
        if (detailed) {
            protocol += "Von-Bis: ";
            protocol += in.from;
            protocol += " - ";
            protocol += in.to;
            if (!in.duration.empty()) protocol += " (" + in.duration + "h)";
            protocol += '\n';
        }
    }
    if (!valid) return EntryOutcome::Error;
    ImportDayRecord& day = dayRecord(employee, date);
    if (source == kNoSource) {
        s_.picture.lines.push_back({number, text, false});
        source = s_.picture.lines.size() - 1;
    }
    day.lines.push_back(ImportLineRecord{source, std::move(in.from), std::move(in.to), std::move(in.duration),
                                         std::move(in.kind), std::move(in.customer), std::move(in.service),
                                         std::move(in.pause)});
    return match.warning ? EntryOutcome::ReadWithWarning : EntryOutcome::Read;
}

void Reader::finishLine(EntryOutcome outcome, std::string& protocol, int64_t number, size_t source) {
    TimeImportResult& result = s_.result;
    switch (outcome) {
    case EntryOutcome::Read:
    case EntryOutcome::ReadWithWarning:
        ++result.errorFreeLines;
        protocol += "Zeile fehlerfrei gelesen.\n\n";
        s_.protocol.record(protocol, outcome == EntryOutcome::ReadWithWarning);
        break;
    case EntryOutcome::Error:
        ++result.erroneousLines;
        if (source != kNoSource) s_.picture.lines[source].erroneous = true;
        protocol += "Zeile mit Fehler.\n\n";
        s_.protocol.important(protocol);
        result.lines.push_back({number, false, protocol});
        break;
    case EntryOutcome::Ignored:
        ++result.ignoredLines;
        s_.protocol.ordinary(protocol);
        result.lines.push_back({number, true, protocol});
        break;
    case EntryOutcome::Stop:
        appendWithNewline(protocol, asErrorText(kImportAborted));
        s_.protocol.important(protocol);
        break;
    }
}

// An error found once the whole file was read: the line leaves the picture.
void Reader::lateError(size_t source, const std::string& text) {
    ImportSourceLine& line = s_.picture.lines[source];
    std::string protocol;
    appendLineHead(protocol, line.number, line.text);
    appendWithNewline(protocol, text);
    protocol += "Zeile mit Fehler.\n\n";
    s_.protocol.important(protocol);
    if (!line.erroneous) {
        line.erroneous = true;
        ++s_.result.erroneousLines;
        --s_.result.errorFreeLines;
        s_.result.lines.push_back({line.number, false, protocol});
    } else {
        // A second error of the same line: its report gets the text as well.
        for (ImportLineReport& report : s_.result.lines)
            if (report.number == line.number && !report.ignored) report.protocol += protocol;
    }
}

void Reader::purgeErroneous() {
    const std::vector<ImportSourceLine>& lines = s_.picture.lines;
    auto& employees = s_.picture.employees;
    for (auto employee = employees.begin(); employee != employees.end();) {
        auto& days = employee->second.days;
        for (auto day = days.begin(); day != days.end();) {
            std::erase_if(day->second.absences,
                          [&](const ImportAbsenceRecord& r) { return lines[r.source].erroneous; });
            std::erase_if(day->second.lines,
                          [&](const ImportLineRecord& r) { return lines[r.source].erroneous; });
            day =
                day->second.absences.empty() && day->second.lines.empty() ? days.erase(day) : std::next(day);
        }
        employee = days.empty() ? employees.erase(employee) : std::next(employee);
    }
    lastDay_ = nullptr;
}

bool Reader::finishReading() {
    const bool standardTimes = s_.options.mode == ImportMode::StandardTimes;
    std::vector<ImportSourceLine>& lines = s_.picture.lines;
    for (auto& [number, employee] : s_.picture.employees) {
        for (auto& [key, day] : employee.days) {
            // A day's single line without times names the day's absence in its kind field.
            if (standardTimes && day.absences.empty() && day.lines.size() == 1) {
                const ImportLineRecord& line = day.lines.front();
                if (!lines[line.source].erroneous && line.from.empty() && line.to.empty() &&
                    line.duration.empty()) {
                    day.absences.push_back({line.source, line.kind});
                    day.lines.clear();
                }
            }
            for (const ImportAbsenceRecord& absence : day.absences)
                if (!absenceEffectOf(absence.code))
                    lateError(absence.source, unknownAbsenceMessage(absence.code));
            for (const ImportLineRecord& line : day.lines) {
                if (isValidPause(line.pause)) continue;
                CZeitZeile described;
                described.from = line.from;
                described.to = line.to;
                described.customer = line.customer;
                lateError(line.source, entryDescription(described) + "\nFEHLER: Die Pause '" +
                                           std::string(trimWhiteSpace(line.pause)) +
                                           "' wurde im falschen Format angegeben.\n");
            }
        }
    }
    purgeErroneous();

    TimeImportResult& result = s_.result;
    result.employees = static_cast<int64_t>(s_.picture.employees.size());
    const bool errors = result.erroneousLines > 0;
    s_.protocol.record(
        format("\nZusammenfassung Lesen:\nFehlerfrei: %ld\nFehlerhaft: %ld\nfür %ld Mitarbeiter\n\n",
               static_cast<long>(result.errorFreeLines), static_cast<long>(result.erroneousLines),
               static_cast<long>(result.employees)),
        errors);
    if (!errors) return true;
    Prompter& prompter = *s_.environment.prompter;
    s_.protocol.error(std::string(kFileHasErrors) + "\n");
    prompter.error(kFileHasErrors);
    if (s_.environment.showProtocol) s_.environment.showProtocol(s_.protocol.text());
    if (result.errorFreeLines > 0 && prompter.askYesNo("Sollen die Zeiten trotzdem importiert werden?"))
        return true;
    s_.stopped = true;
    result.stopReason = kFileHasErrors;
    return false;
}

// The line's fields for its layout.
void takeStandardFields(ImportMode mode, std::map<int, std::string>& fields, LineInput& in) {
    if (mode == ImportMode::StandardAbsences) {
        in.employee = std::move(fields[2]);
        in.date = std::move(fields[4]);
        in.isAbsence = true;
        in.code = std::move(fields[5]);
        return;
    }
    in.employee = std::move(fields[1]);
    in.date = std::move(fields[2]);
    in.from = std::move(fields[3]);
    in.to = std::move(fields[4]);
    in.duration = std::move(fields[5]);
    in.kind = std::move(fields[6]);
    in.customer = std::move(fields[7]);
    in.service = std::move(fields[8]);
    in.pause = std::move(fields[9]);
}

} // namespace

bool readStandardText(TimeImport::State& s) {
    Reader reader(s);
    const std::string_view text = s.text;
    const int padding = s.options.mode == ImportMode::StandardAbsences ? 5 : 9;
    s.picture.lines.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    LineCursor cursor(text);
    std::map<int, std::string> fields;
    std::string message;
    std::string protocol;
    std::string_view line;
    LineInput in;
    // A quoted field may go on in the next lines: they belong to the line.
    const NextLine continuation = [&cursor](std::string& next) {
        std::string_view view;
        if (!cursor.next(view)) return false;
        next.assign(view);
        return true;
    };
    while (cursor.next(line)) {
        const int64_t number = cursor.number();
        if (number == 1 && s.options.skipFirstLine) continue;
        if (line.find_last_not_of(" \t\v\f") == std::string_view::npos) continue;
        const size_t start = cursor.lineStart();
        const bool split =
            SplitFields(line, SplitVariant::TimeImport, continuation, padding, fields, message);
        const std::string_view whole = text.substr(start, cursor.lineEnd() - start);
        protocol.clear();
        appendLineHead(protocol, number, whole);
        size_t source = kNoSource;
        EntryOutcome outcome = EntryOutcome::Error;
        if (!split) {
            appendWithNewline(protocol, asErrorText(message));
        } else {
            takeStandardFields(s.options.mode, fields, in);
            outcome = reader.readEntry(in, protocol, number, whole, source);
        }
        reader.finishLine(outcome, protocol, number, source);
        if (outcome == EntryOutcome::Stop) {
            s.stop(kImportAborted);
            return false;
        }
    }
    return reader.finishReading();
}

bool readLayoutRecords(TimeImport::State& s, const std::string& stopText) {
    Reader reader(s);
    std::vector<LayoutRecord>& records = s.records;
    std::string protocol;
    for (size_t first = 0; first < records.size();) {
        const int64_t number = records[first].lineNumber;
        size_t end = first;
        while (end < records.size() && records[end].lineNumber == number)
            ++end;
        protocol.clear();
        appendLineHead(protocol, number, records[first].lineText);
        size_t source = kNoSource;
        bool error = false;
        bool warning = false;
        bool read = false;
        for (size_t i = first; i < end; ++i) {
            LayoutRecord& record = records[i];
            if (!record.warning.empty()) {
                appendWithNewline(protocol, record.warning);
                warning = true;
            }
            if (!record.error.empty()) {
                appendWithNewline(protocol, asErrorText(record.error));
                error = true;
                continue;
            }
            // The records belong to the run: their fields move into the picture.
            LineInput in;
            in.employee = std::move(record.employee);
            in.department = std::move(record.department);
            in.date = std::move(record.date);
            in.isAbsence = record.isAbsence;
            in.code = std::move(record.absenceCode);
            in.from = std::move(record.from);
            in.to = std::move(record.to);
            in.duration = std::move(record.duration);
            in.pause = std::move(record.pause);
            switch (reader.readEntry(in, protocol, number, records[first].lineText, source)) {
            case EntryOutcome::Read:
                read = true;
                break;
            case EntryOutcome::ReadWithWarning:
                read = warning = true;
                break;
            case EntryOutcome::Error:
                error = true;
                break;
            case EntryOutcome::Ignored:
                break;
            case EntryOutcome::Stop:
                reader.finishLine(EntryOutcome::Stop, protocol, number, source);
                s.stop(kImportAborted);
                return false;
            }
        }
        const EntryOutcome outcome = error  ? EntryOutcome::Error
                                     : read ? (warning ? EntryOutcome::ReadWithWarning : EntryOutcome::Read)
                                     : warning ? EntryOutcome::ReadWithWarning
                                               : EntryOutcome::Ignored;
        reader.finishLine(outcome, protocol, number, source);
        first = end;
    }
    if (!stopText.empty()) {
        s.protocol.error(stopText);
        s.stop(stopText);
        return false;
    }
    return reader.finishReading();
}

} // namespace lorvan
