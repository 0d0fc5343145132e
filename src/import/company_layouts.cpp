#include "import/company_layouts.h"

#include "foundation/calendar.h"
#include "foundation/format.h"
#include "foundation/number_text.h"
#include "foundation/split_fields.h"
#include "foundation/time_text.h"

#include <algorithm>
#include <map>
#include <unordered_map>

// The two company layouts are described in docs/import-formats.md; the rules here follow it.
namespace lorvan {
namespace {

using Fields = std::map<int, std::string>;

// ----- Reading lines -----

// The physical lines of a text, numbered from 1, without their line ends; a leading byte order mark
// is passed over.
class LineCursor {
public:
    explicit LineCursor(std::string_view text) : text_(text) {
        if (text_.starts_with("\xEF\xBB\xBF")) text_.remove_prefix(3);
    }

    bool next(std::string_view& line) {
        if (pos_ >= text_.size()) return false;
        size_t end = text_.find('\n', pos_);
        if (end == std::string_view::npos) end = text_.size();
        line = text_.substr(pos_, end - pos_);
        if (line.ends_with('\r')) line.remove_suffix(1);
        pos_ = end + 1;
        ++number_;
        return true;
    }

    int64_t number() const { return number_; }

private:
    std::string_view text_;
    size_t pos_ = 0;
    int64_t number_ = 0;
};

// One line of the file split into fields. A quoted field may go on in the following lines; then
// the line keeps the number of its first line and the text of all of them.
struct SplitLine {
    int64_t number = 0;
    std::string text;
    Fields fields;
    bool blank = false;   // nothing but white space: skipped
    std::string message;  // the splitter's message for a quote that never closes
};

bool readLine(LineCursor& cursor, SplitLine& out, bool continuation) {
    std::string_view first;
    if (!cursor.next(first)) return false;
    out.number = cursor.number();
    out.text.assign(first);
    out.fields.clear();
    out.message.clear();
    out.blank = trimWhiteSpace(first).empty();
    if (out.blank) return true;
    NextLine next;
    if (continuation) {
        next = [&](std::string& line) {
            std::string_view more;
            if (!cursor.next(more)) return false;
            line.assign(more);
            out.text += '\n';
            out.text.append(more);
            return true;
        };
    }
    SplitFields(first, SplitVariant::TimeImport, next, 0, out.fields, out.message);
    return true;
}

const std::string& field(const Fields& fields, int n) {
    static const std::string empty;
    const auto it = fields.find(n);
    return it == fields.end() ? empty : it->second;
}

// The number of the last field that is not empty (0 when all are).
int lastFilledField(const Fields& fields) {
    for (auto it = fields.rbegin(); it != fields.rend(); ++it)
        if (!it->second.empty()) return it->first;
    return 0;
}

bool allFieldsEmpty(const Fields& fields) { return lastFilledField(fields) == 0; }

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Keywords of the layouts are compared without regard to the case of their letters.
bool isWord(std::string_view text, std::string_view word) {
    return text.size() == word.size() &&
           std::equal(text.begin(), text.end(), word.begin(), [](char a, char b) { return lowerAscii(a) == lowerAscii(b); });
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A number of one or two digits, or -1.
int smallNumber(std::string_view text) {
    if (text.empty() || text.size() > 2 || !std::all_of(text.begin(), text.end(), isDigit)) return -1;
    return static_cast<int>(readLeadingInteger(text));
}

// A full valid date as the reading phase accepts it.
bool readFullDate(std::string_view text, Datum& date) {
    const ParsedDate parsed = parseDate(text);
    if (!parsed.valid || parsed.day == 0 || parsed.month == 0 || parsed.year == 0) return false;
    date = Datum{parsed.day, parsed.month, parsed.year};
    return isValidDate(date);
}

LayoutRecord recordOf(const SplitLine& line) {
    LayoutRecord record;
    record.lineNumber = line.number;
    record.lineText = line.text;
    return record;
}

// ----- Mode 2: the absence table -----

constexpr const char* kNoYear = "Die Jahreszahl wurde im Dateinamen nicht gefunden. Der Import wird abgebrochen.\n";
constexpr const char* kBadDayLine = "Der Import wird abgebrochen wegen Fehlern beim Einlesen der Zeile mit ;Tag;.";
constexpr const char* kBadDateLine = "Der Import wird abgebrochen wegen Fehlern beim Einlesen der Datumszeile.";
constexpr const char* kNoRemainingVacation = "Der Import wird abgebrochen, weil die Spalte mit dem Text Resturlaub "
                                             "nicht in der Zeile vor den Datumswerten gefunden wurde.";
constexpr const char* kNoDateLine = "Falsches Dateiformat. Erwartet wird ;Datum;";

// Fixed columns of the table; the date columns follow the label column.
constexpr int kNumberColumn = 1;
constexpr int kNameColumn = 2;
constexpr int kDepartmentColumn = 3;
constexpr int kRemainingVacationColumn = 4;
constexpr int kLabelColumn = 5;
constexpr int kFirstDateColumn = 6;

// The year in a file name: the first run of exactly four digits from 1900 to 2099 in the name
// (the folders of the path do not count); 0 when there is none.
int yearOfFileName(std::string_view path) {
    const size_t slash = path.find_last_of("/\\");
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    for (size_t i = 0; i < name.size();) {
        if (!isDigit(name[i])) {
            ++i;
            continue;
        }
        size_t end = i;
        while (end < name.size() && isDigit(name[end])) ++end;
        if (end - i == 4) {
            const int year = static_cast<int>(readLeadingInteger(name.substr(i, 4)));
            if (year >= 1900 && year <= 2099) return year;
        }
        i = end;
    }
    return 0;
}

// The day numbers of the ";Tag;" line, or nothing when the line is not as expected.
std::vector<int> dayNumbers(const SplitLine& line) {
    std::vector<int> days;
    if (!line.message.empty() || !isWord(field(line.fields, kLabelColumn), "Tag")) return days;
    const int last = lastFilledField(line.fields);
    for (int n = kFirstDateColumn; n <= last; ++n) {
        const int day = smallNumber(field(line.fields, n));
        if (day < 1 || day > 31) return {};
        days.push_back(day);
    }
    return days;
}

// "d.m." (the final dot may be left out) -> day and month.
bool readDayAndMonth(std::string_view text, int& day, int& month) {
    if (text.ends_with('.')) text.remove_suffix(1);
    const size_t dot = text.find('.');
    if (dot == std::string_view::npos) return false;
    day = smallNumber(text.substr(0, dot));
    month = smallNumber(text.substr(dot + 1));
    return day > 0 && month > 0;
}

// The dates of the ";Datum;" line, in the year of the file name; a date whose month comes before
// the previous one's lies in the following year (once). Empty when the line is not as expected.
std::vector<std::string> dateTexts(const SplitLine& line, const std::vector<int>& days, int year) {
    std::vector<std::string> dates;
    if (!line.message.empty() || !isWord(field(line.fields, kLabelColumn), "Datum")) return {};
    if (lastFilledField(line.fields) != kFirstDateColumn + static_cast<int>(days.size()) - 1) return {};
    Datum previous{0, 0, 0};
    bool nextYear = false;
    for (size_t i = 0; i < days.size(); ++i) {
        int day = 0;
        int month = 0;
        if (!readDayAndMonth(field(line.fields, kFirstDateColumn + static_cast<int>(i)), day, month)) return {};
        if (previous.month != 0 && month < previous.month) {
            if (nextYear) return {};
            nextYear = true;
            ++year;
        }
        const Datum date{day, month, year};
        if (!isValidDate(date) || day != days[i]) return {};
        if (previous.month != 0 && compareDates(date, previous) <= 0) return {};
        dates.push_back(formatDate(date));
        previous = date;
    }
    return dates;
}

void readEmployeeLine(const SplitLine& line, const std::vector<std::string>& dates,
                      std::vector<LayoutRecord>& records) {
    LayoutRecord record = recordOf(line);
    record.isAbsence = true;
    if (!line.message.empty()) {
        record.error = line.message;
        records.push_back(std::move(record));
        return;
    }
    const std::string& number = field(line.fields, kNumberColumn);
    record.employee = number.empty() ? field(line.fields, kNameColumn) : number;
    record.department = field(line.fields, kDepartmentColumn);
    if (record.employee.empty()) {
        record.error = "Die Zeile enthält weder eine Personalnummer noch einen Namen.\n";
    } else if (lastFilledField(line.fields) >= kFirstDateColumn + static_cast<int>(dates.size())) {
        record.error = "Die Zeile enthält mehr Spalten als die Datumszeile.\n";
    }
    if (!record.error.empty()) {
        records.push_back(std::move(record));
        return;
    }
    // A cell gives the day's code, an empty cell removes the day's absence; a line that ends early
    // says nothing about the dates after its end (the line is not padded).
    const size_t cells = std::min(dates.size(), line.fields.size() - std::min<size_t>(line.fields.size(), kLabelColumn));
    for (size_t i = 0; i < cells; ++i) {
        LayoutRecord day = record;
        day.date = dates[i];
        day.absenceCode = field(line.fields, kFirstDateColumn + static_cast<int>(i));
        records.push_back(std::move(day));
    }
}

// ----- Mode 3: the clock-event export -----

constexpr const char* kNoEmployeePage = "Falsches Dateiformat. Erwartet wird Mitarbeiter :";
constexpr const char* kWithoutEmployee =
    "Die Buchung gehört zu keinem Mitarbeiter (sie steht nicht zwischen einer Zeile mit Mitarbeiter : "
    "und der Endsumme).\n";

// Columns of an event line.
constexpr int kDateColumn = 1;
constexpr int kStatusColumn = 2;
constexpr int kTimeColumn = 3;

constexpr int32_t kMinutesPerDay = 24 * 60;
// A gap longer than this between leaving and coming again on one day is worth a look.
constexpr int32_t kLongGapMinutes = 120;
// Working time above this on one day exceeds the legal maximum.
constexpr int32_t kMaximumDayMinutes = 10 * 60;

// The employee of an employee page.
struct Page {
    std::string employee;   // the text to match: personnel number, else the name
    std::string name;       // the name for messages, else the personnel number
    std::string department;
};

struct Event {
    size_t line = 0;        // index into the lines kept for the records
    size_t page = 0;        // index into the pages
    Datum date;
    int32_t day = 0;        // dayNumber(date)
    int32_t minute = 0;     // time of day in minutes
    bool comes = false;     // "Kommt", else "Geht"
};

class TimesReader {
public:
    LayoutReading read(std::string_view text);

private:
    bool isEventLine(const Fields& fields) const;
    void readPageLine(const SplitLine& line);
    void readPeriodLine(const SplitLine& line);
    void readEventLine(const SplitLine& line);
    void pairEvents(std::vector<Event>& events);
    LayoutRecord eventRecord(const Event& event) const;
    void addError(const Event& event, std::string error, std::string warning = {});
    std::string dateTime(const Event& event) const;

    struct KeptLine {
        int64_t number;
        std::string text;
    };
    struct Period {
        const Event* comes;
        int32_t from;  // minutes on the day of coming
        int32_t to;    // likewise; above 24:00 when the period runs over midnight
        std::string warning;
    };

    LayoutReading reading_;
    std::vector<KeptLine> lines_;
    std::vector<Page> pages_;
    bool inPage_ = false;
    bool sawPage_ = false;
    bool hasPeriod_ = false;
    Datum periodFrom_;
    Datum periodTo_;
    // The events of each employee, by the employee text, in the order the employees first appear.
    std::vector<std::vector<Event>> events_;
    std::unordered_map<std::string, size_t> eventsOf_;
};

// On an employee page every line with a status or a time is an event (and checked as one); outside
// the pages only a line that says "Kommt" or "Geht" is, so that no event is passed over unseen.
bool TimesReader::isEventLine(const Fields& fields) const {
    const std::string& status = field(fields, kStatusColumn);
    if (inPage_) return !status.empty() || !field(fields, kTimeColumn).empty();
    return isWord(status, "Kommt") || isWord(status, "Geht");
}

LayoutReading TimesReader::read(std::string_view text) {
    LineCursor cursor(text);
    SplitLine line;
    while (readLine(cursor, line, true)) {
        if (line.blank) continue;
        const std::string& first = field(line.fields, 1);
        if (!line.message.empty()) {
            LayoutRecord record = recordOf(line);
            record.error = line.message;
            reading_.records.push_back(std::move(record));
        } else if (isWord(first, "Mitarbeiter :")) {
            readPageLine(line);
        } else if (isWord(first, "Endsumme")) {
            inPage_ = false;
        } else if (isWord(first, "Datum von")) {
            readPeriodLine(line);
        } else if (isWord(first, "Datum") && isWord(field(line.fields, kStatusColumn), "Status")) {
            // the column header
        } else if (isEventLine(line.fields)) {
            readEventLine(line);
        }
        // Other lines (titles, day sums, page footers) carry nothing to import.
    }
    if (!sawPage_) {
        // Not a clock-event export at all: its lines are not reported one by one.
        reading_.records.clear();
        reading_.stop = kNoEmployeePage;
        return std::move(reading_);
    }
    for (std::vector<Event>& events : events_) pairEvents(events);
    std::stable_sort(reading_.records.begin(), reading_.records.end(),
                     [](const LayoutRecord& a, const LayoutRecord& b) { return a.lineNumber < b.lineNumber; });
    return std::move(reading_);
}

void TimesReader::readPageLine(const SplitLine& line) {
    sawPage_ = true;
    hasPeriod_ = false;
    Page page;
    const std::string& number = field(line.fields, 2);
    const std::string& name = field(line.fields, 3);
    page.employee = number.empty() ? name : number;
    page.name = name.empty() ? number : name;
    page.department = field(line.fields, 4);
    inPage_ = !page.employee.empty();
    if (!inPage_) {
        LayoutRecord record = recordOf(line);
        record.error = "In der Zeile mit Mitarbeiter : fehlen Personalnummer und Name.\n";
        reading_.records.push_back(std::move(record));
        return;
    }
    pages_.push_back(std::move(page));
}

void TimesReader::readPeriodLine(const SplitLine& line) {
    hasPeriod_ = readFullDate(field(line.fields, 2), periodFrom_) && isWord(field(line.fields, 3), "bis") &&
                 readFullDate(field(line.fields, 4), periodTo_) && compareDates(periodFrom_, periodTo_) <= 0;
    if (hasPeriod_) return;
    LayoutRecord record = recordOf(line);
    record.error = "Der Zeitraum ist ungültig. Erwartet wird: Datum von;TT.MM.JJJJ;bis;TT.MM.JJJJ\n";
    reading_.records.push_back(std::move(record));
}

void TimesReader::readEventLine(const SplitLine& line) {
    LayoutRecord record = recordOf(line);
    const std::string& dateText = field(line.fields, kDateColumn);
    const std::string& status = field(line.fields, kStatusColumn);
    std::string time = field(line.fields, kTimeColumn);
    Event event;
    event.comes = isWord(status, "Kommt");
    bool dated = false;
    if (!inPage_) {
        record.error = kWithoutEmployee;
    } else if (!(dated = readFullDate(dateText, event.date))) {
        record.error = "Das Datum '" + dateText + "' ist ungültig.\n";
    } else if (!event.comes && !isWord(status, "Geht")) {
        record.error = "Unbekannter Status '" + status + "'. Erwartet wird Kommt oder Geht.\n";
    } else if (time.empty() || !normalizeTime(time, false, true)) {
        record.error = "Der Meldezeitpunkt '" + time + "' ist ungültig.\n";
    } else if (hasPeriod_ && (compareDates(event.date, periodFrom_) < 0 ||
                              compareDates(event.date, event.comes ? periodTo_ : addDays(periodTo_, 1)) > 0)) {
        record.error = format("Das Datum %s liegt nicht im Zeitraum %s bis %s.\n", formatDate(event.date).c_str(),
                              formatDate(periodFrom_).c_str(), formatDate(periodTo_).c_str());
    }
    if (inPage_) {
        record.employee = pages_.back().employee;
        record.department = pages_.back().department;
    }
    if (!record.error.empty()) {
        if (dated) record.date = formatDate(event.date);
        reading_.records.push_back(std::move(record));
        return;
    }
    event.line = lines_.size();
    lines_.push_back({line.number, line.text});
    event.page = pages_.size() - 1;
    event.day = dayNumber(event.date);
    event.minute = parseClock(time);
    const auto [it, added] = eventsOf_.emplace(record.employee, events_.size());
    if (added) events_.emplace_back();
    events_[it->second].push_back(event);
}

std::string TimesReader::dateTime(const Event& event) const {
    return formatDate(event.date) + " " + formatMinutes(event.minute, 0, false);
}

LayoutRecord TimesReader::eventRecord(const Event& event) const {
    const Page& page = pages_[event.page];
    LayoutRecord record;
    record.lineNumber = lines_[event.line].number;
    record.lineText = lines_[event.line].text;
    record.employee = page.employee;
    record.department = page.department;
    record.date = formatDate(event.date);
    return record;
}

void TimesReader::addError(const Event& event, std::string error, std::string warning) {
    LayoutRecord record = eventRecord(event);
    (event.comes ? record.from : record.to) = formatMinutes(event.minute, 0, false);
    record.error = std::move(error);
    record.warning = std::move(warning);
    reading_.records.push_back(std::move(record));
}

// Builds one employee's work periods from the events in time order: "Kommt" opens a period, the
// next "Geht" closes it, on the same day or, over midnight, on the following day (the period then
// stays on the day it began and ends after 24:00).
void TimesReader::pairEvents(std::vector<Event>& events) {
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return a.day != b.day ? a.day < b.day : a.minute < b.minute;
    });
    std::vector<Period> periods;
    const Event* open = nullptr;
    const Event* previous = nullptr;
    for (const Event& event : events) {
        if (event.comes) {
            if (open) addError(*open, "Endezeit fehlt");
            open = &event;
        } else if (open) {
            const int32_t to = (event.day - open->day) * kMinutesPerDay + event.minute;
            if (event.day == open->day || (event.day == open->day + 1 && to - open->minute < kMinutesPerDay)) {
                Period period{open, open->minute, to, {}};
                if (event.day != open->day)
                    period.warning = "Arbeitszeit über Mitternacht: " + dateTime(*open) + " - " + dateTime(event) + "\n";
                periods.push_back(std::move(period));
            } else {
                addError(*open, "Endezeit fehlt");
                addError(event, "Startzeit fehlt für Bis: " + dateTime(event));
            }
            open = nullptr;
        } else if (previous && !previous->comes && previous->day == event.day) {
            addError(event, "Zwei Endezeiten nacheinander: " + dateTime(*previous) + " und " +
                                formatMinutes(event.minute, 0, false));
        } else {
            addError(event, "Startzeit fehlt für Bis: " + dateTime(event));
        }
        previous = &event;
    }
    if (open) {
        // The last coming has no leaving: the day was not finished when the list was made. The
        // employee and the day go in front of the error in the protocol.
        addError(*open, "Tag nicht beendet.\n",
                 "Mitarbeiter: " + pages_[open->page].name + "\nTag: " + formatDate(open->date) + "\n");
    }

    // The checks of each day's periods: long gaps between them, and the day's total.
    for (size_t first = 0; first < periods.size();) {
        size_t end = first;
        int32_t total = 0;
        while (end < periods.size() && periods[end].comes->day == periods[first].comes->day) {
            Period& period = periods[end];
            total += period.to - period.from;
            if (end > first) {
                const Period& before = periods[end - 1];
                const int32_t gap = period.from - before.to;
                if (gap > kLongGapMinutes)
                    period.warning += format("Lange Übergangszeit %ld Minuten zwischen: %s und %s\n", static_cast<long>(gap),
                                             formatMinutes(before.to, 0, false).c_str(),
                                             formatMinutes(period.from, 0, false).c_str());
            }
            ++end;
        }
        if (total > kMaximumDayMinutes)
            periods[end - 1].warning +=
                format("Arbeitszeit überschreitet gesetzliche Maximaldauer %.2f Stunden\n", minutesToHours(total));
        first = end;
    }
    for (Period& period : periods) {
        LayoutRecord record = eventRecord(*period.comes);
        record.from = formatMinutes(period.from, 0, false);
        record.to = formatMinutes(period.to, 0, false);
        record.warning = std::move(period.warning);
        reading_.records.push_back(std::move(record));
    }
}

} // namespace

LayoutReading readCompanyAbsences(std::string_view text, const std::string& fileName) {
    LayoutReading reading;
    const int year = yearOfFileName(fileName);
    if (year == 0) {
        reading.stop = kNoYear;
        return reading;
    }
    LineCursor cursor(text);
    SplitLine dayLine;
    bool found = false;
    while (!found && readLine(cursor, dayLine, false)) found = dayLine.text.find(";Tag;") != std::string::npos;
    const std::vector<int> days = found ? dayNumbers(dayLine) : std::vector<int>();
    if (days.empty()) {
        reading.stop = kBadDayLine;
        return reading;
    }
    SplitLine dateLine;
    do {
        found = readLine(cursor, dateLine, false);
    } while (found && dateLine.blank);
    if (!found || dateLine.text.find(";Datum;") == std::string::npos) {
        reading.stop = kNoDateLine;
        return reading;
    }
    if (!isWord(field(dayLine.fields, kRemainingVacationColumn), "Resturlaub")) {
        reading.stop = kNoRemainingVacation;
        return reading;
    }
    const std::vector<std::string> dates = dateTexts(dateLine, days, year);
    if (dates.empty()) {
        reading.stop = kBadDateLine;
        return reading;
    }
    SplitLine line;
    while (readLine(cursor, line, true)) {
        if (line.blank || (line.message.empty() && allFieldsEmpty(line.fields))) continue;
        readEmployeeLine(line, dates, reading.records);
    }
    return reading;
}

LayoutReading readCompanyTimes(std::string_view text) { return TimesReader().read(text); }

} // namespace lorvan
