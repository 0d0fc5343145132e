#include "potential/potential_analysis.h"

#include "closing/absence_export.h"
#include "evaluation/day_evaluation.h"
#include "evaluation/month_evaluation.h"
#include "foundation/calendar.h"
#include "foundation/error.h"
#include "foundation/file_system.h"
#include "foundation/format.h"
#include "foundation/number_text.h"
#include "foundation/time_text.h"
#include "masterdata/employee_files.h"
#include "masterdata/employee_lookup.h"
#include "platform/prompter.h"
#include "yearfile/year_file.h"

#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <optional>

namespace lorvan {
namespace {

// One calendar week of an employee's year file, put together from the week parts of the months it
// touches.
struct AnalysisWeek {
    Datum monday;
    Datum firstDay; // the Monday, or 1 January for the week that contains it
    int32_t lastMonth = 0;
    bool hasEntries = false;
    double vacationDays = 0.0;
    int32_t sickDays = 0;
    int32_t timeOffDays = 0;
    int32_t deviation = 0;     // the week deviation of its parts, after weekly payouts
    int32_t payout = 0;        // the weekly payouts of its parts
    int32_t countable = 0;     // what of the deviation the account takes (months with account, not "MA")
    int32_t booked = 0;        // what of it the running balance holds already (at a month's end)
    std::array<std::string, 7> days; // per weekday, Monday first
    std::vector<std::string> remarks;
};

// The values carried through the months of one year file.
struct RunningValues {
    double remainingVacation = 0.0;
    int32_t sickDays = 0;
    int32_t timeOffDays = 0;
    int32_t balance = 0; // minutes
};

using ClosedWeek = std::function<void(const AnalysisWeek&, const RunningValues&)>;

// Evaluates the months of the file in order into calendar weeks with the running values; closed gets
// every week when it is closed. With lastWeek, months whose first day lies in a later week are left
// out.
void runYearFile(const CLorvanDoc& document, const EvaluationContext& context, std::optional<int32_t> lastWeek,
                 const ClosedWeek& closed) {
    const CEinstArbzt& s = document.settings();
    const int32_t year = s.year;
    RunningValues run;
    if (s.manageRemainingVacation != 0) run.remainingVacation = s.vacationEntitlement + s.remainingVacationPreviousYear;
    if (s.keepWorkingTimeAccount != 0) run.balance = hoursToMinutes(s.accountCarryOver);
    // The week being put together; isOpen while it has parts.
    AnalysisWeek open;
    bool isOpen = false;
    auto close = [&] {
        AnalysisWeek& week = open;
        run.remainingVacation -= week.vacationDays;
        run.sickDays += week.sickDays;
        run.timeOffDays += week.timeOffDays;
        run.balance += week.countable - week.booked;
        week.booked = week.countable;
        closed(week, run);
        isOpen = false;
    };
    for (const auto& [m, record] : document.months()) {
        const Datum first{1, m, year};
        if (lastWeek && weekNumber(first) > *lastWeek) break;
        const std::unique_ptr<MonthEvaluation> evaluation = evaluateMonth(document, m, context);
        // The month's first week part starts on the 1st, every further one on a Monday.
        const int32_t secondPartStart = 9 - weekdayMonday(first);
        for (size_t i = 0; i < evaluation->weeks.size(); ++i) {
            const WeekEvaluation& part = evaluation->weeks[i];
            const Datum start{i == 0 ? 1 : secondPartStart + 7 * static_cast<int32_t>(i - 1), m, year};
            const Datum monday = addDays(start, 1 - weekdayMonday(start));
            if (isOpen && (open.monday != monday || open.lastMonth != m - 1)) close();
            if (!isOpen) {
                open = AnalysisWeek{};
                open.monday = monday;
                open.firstDay = monday.year < year ? Datum{1, 1, year} : monday;
                isOpen = true;
            }
            AnalysisWeek& week = open;
            week.lastMonth = m;
            week.hasEntries = week.hasEntries || part.hasEntries;
            week.vacationDays += part.vacationDays;
            week.sickDays += part.sickDays;
            week.timeOffDays += part.timeOffDays;
            week.deviation += part.weekDeviation;
            week.payout += part.weeklyPayout;
            if (s.accountActive(m) && !s.isModeMA(m)) week.countable += part.weekDeviation;
            for (const DayRow& row : part.rows) {
                const int32_t deviation = potentialDayDeviation(row, s);
                const Datum date{row.day, row.month, row.year};
                week.days[static_cast<size_t>(weekdayMonday(date) - 1)] =
                    deviation != 0 ? formatAmount(minutesToHours(deviation)) : row.code;
                if (!row.internalRemark.empty()) week.remarks.push_back(row.internalRemark);
            }
            if (part.lastWeekday == 0) close(); // the part ran through Sunday
        }
        if (!s.accountActive(m)) continue;
        run.balance += hoursToMinutes(record.accountCorrection);
        if (s.isModeMA(m)) {
            int32_t minutes = 0;
            for (const WeekEvaluation& week : evaluation->weeks)
                minutes += week.accountMinutes + week.absenceCreditMinutes();
            run.balance += minutes - hoursToMinutes(s.monthlyTarget(m));
        } else if (isOpen) {
            // The week goes on in the next month: what it has booked so far is remembered, so that its
            // close adds only the rest.
            run.balance += open.countable - open.booked;
            open.booked = open.countable;
        }
        if (s.monthlyPayoutOn != 0) run.balance = std::min(run.balance, hoursToMinutes(s.monthlyPayoutThreshold));
    }
    if (isOpen) close();
}

std::string joined(const std::vector<std::string>& parts, const char* separator) {
    std::string text;
    for (size_t i = 0; i < parts.size(); ++i)
        text += (i == 0 ? "" : separator) + parts[i];
    return text;
}

void addText(CReportRow& row, int32_t column, const std::string& text) {
    if (!text.empty()) row.addCell(column, text);
}

CReportTable analysisTable() {
    static const char* const kTitles[] = {
        "Personalnr", "Mitarbeiter", "Abteilung", "Zusatzinfo Ma", "Eintritt", "Probezeit bis", "Woche",
        "Zusatzinfo Wo", "Urlaub gen.(Rest)(ungeplant)", "Krank Wo(Jahr)", "ZA Wo(Jahr)", "AZK", "AZ-Diff",
        "Mo", "Di", "Mi", "Do", "Fr", "Sa", "So", "StdLohn", "PZE", "BDE", "Pause", "?", "FZ", "C-Zeit", "W-Zeit",
        "I-W-Zeit", "Fehlverhalten", "Grund", "Fehlerprotokoll"};
    CReportTable table("EXPORT");
    int32_t number = 0;
    for (const char* title : kTitles) {
        ++number;
        table.addColumn(number, 1.0, title).valueType = number >= 12 && number <= 29 ? kValueDecimal : kValueText;
    }
    return table;
}

void addAnalysisRow(CReportTable& table, const CMitarbeiterDoc& employee, const CEinstArbzt& settings,
                    const PotentialYear* files, int32_t weekNo, const AnalysisWeek& week, const RunningValues& run) {
    CReportRow& row = table.addRow();
    row.addCell(1, format("%d", employee.number));
    addText(row, 2, employee.name);
    addText(row, 3, employee.department);
    addText(row, 4, employee.extraInfo);
    addText(row, 5, employee.entryText());
    addText(row, 6, employee.probationEndText());
    row.addCell(7, format("%d", weekNo));
    addText(row, 8, joined(week.remarks, ";"));
    row.addCell(9, format("%.0f (%.0f)(%s)", week.vacationDays, run.remainingVacation,
                          settings.unplannedVacationText.c_str()));
    row.addCell(10, format("%d (%d)", week.sickDays, run.sickDays));
    row.addCell(11, format("%d (%d)", week.timeOffDays, run.timeOffDays));
    addText(row, 12, formatAmount(minutesToHours(run.balance)));
    if (week.deviation != 0) addText(row, 13, formatAmount(minutesToHours(week.deviation + week.payout)));
    for (int32_t day = 0; day < 7; ++day)
        addText(row, 14 + day, week.days[static_cast<size_t>(day)]);
    if (settings.employeeInCostEvaluation != 0) {
        try {
            addText(row, 21, formatAmount(settings.wagePeriodForMonth(week.firstDay.month).hourlyWage));
        } catch (const LorvanError&) {
            // No wage period for that month: no hourly wage.
        }
    }
    if (files == nullptr) return;
    if (const PotentialEntry* entry = files->find(employee.name)) {
        const std::vector<std::string> values = files->pzeValues(*entry, weekNo);
        for (size_t i = 0; i < values.size(); ++i)
            addText(row, 22 + static_cast<int32_t>(i), values[i]);
        if (const auto sums = entry->weekSums.find(weekNo); sums != entry->weekSums.end()) {
            addText(row, 27, formatAmount(sums->second.c));
            addText(row, 28, formatAmount(sums->second.w));
            addText(row, 29, formatAmount(sums->second.iw));
        }
    }
    if (const std::vector<MisconductEntry>* entries = files->misconductOf(employee.number, weekNo)) {
        std::vector<std::string> misconduct;
        std::vector<std::string> reasons;
        std::vector<std::string> protocols;
        for (const MisconductEntry& e : *entries) {
            misconduct.push_back(e.misconduct);
            reasons.push_back(e.reason);
            protocols.push_back(e.protocol);
        }
        addText(row, 30, joined(misconduct, "\r\n"));
        addText(row, 31, joined(reasons, "\r\n"));
        addText(row, 32, joined(protocols, "\r\n"));
    }
}

// The year file of the employee for the year, read; nullptr when there is none or it cannot be read
// (which is reported).
std::unique_ptr<CLorvanDoc> openYearFile(const std::string& directory, const CMitarbeiterDoc& employee, int32_t year,
                                         Prompter& prompter) {
    if (toFileNamePart(employee.name).empty()) return nullptr;
    const std::string path = yearFilePath(directory, employee.name, year);
    if (!fileExists(path)) return nullptr;
    auto document = std::make_unique<CLorvanDoc>();
    try {
        document->open(path);
    } catch (const LorvanError& e) {
        prompter.warn("Die Jahresdatei '" + path + "' von " + employee.displayText() +
                      " konnte nicht gelesen werden und wurde übersprungen: " + e.what());
        return nullptr;
    }
    return document;
}

void notEvaluated(const CLorvanDoc& document, const CMitarbeiterDoc& employee, const std::string& reason,
                  Prompter& prompter) {
    prompter.warn("Die Jahresdatei '" + document.path() + "' von " + employee.displayText() +
                  " konnte nicht vollständig ausgewertet werden: " + reason);
}

} // namespace

int32_t potentialDayDeviation(const DayRow& row, const CEinstArbzt& settings) {
    if (!row.status.empty()) return 0;
    for (const char* code : {kCodeDayOff, kCodeNotEmployed, kCodeParentalLeave, kCodeSickPay, kCodeChildSick})
        if (row.code == code) return 0;
    int32_t credited = row.creditedMinutes;
    int32_t target = row.targetMinutes;
    if (row.creditedAbsenceMinutes != 0) {
        if (settings.absencesAffectAccount == 0 && settings.isModeRA(row.month))
            target = 0;
        else
            credited += row.creditedAbsenceMinutes;
    }
    // A rounding of 0 stored in a file would divide by zero.
    const int32_t rounding = settings.overtimeRoundingMinutes > 0 ? settings.overtimeRoundingMinutes : 1;
    int32_t steps = credited / rounding;
    if (credited % rounding != 0 && credited < 0) --steps;
    return rounding * steps - target;
}

CReportTable analyseWeeks(CalendarWeek from, CalendarWeek to, const PotentialFiles& files,
                          const PotentialSource& source, Prompter& prompter) {
    const std::map<int32_t, PotentialYear> years = readPotentialFiles(from, to, files, prompter);
    const std::unique_ptr<EmployeeFileLookup> lookup = EmployeeFileLookup::open(source.dataDirectory);
    const FilePreviousYearSource previousYears;
    const EvaluationContext context{lookup.get(), &previousYears};
    CReportTable table = analysisTable();
    const std::vector<YearWeeks> yearWeeks = weeksByYear(from, to);
    for (const CMitarbeiterDoc& employee : source.employees) {
        for (const YearWeeks& weeks : yearWeeks) {
            const std::unique_ptr<CLorvanDoc> document =
                openYearFile(source.dataDirectory, employee, weeks.year, prompter);
            if (!document) continue;
            const auto yearFiles = years.find(weeks.year);
            const PotentialYear* read = yearFiles == years.end() ? nullptr : &yearFiles->second;
            const CEinstArbzt& settings = document->settings();
            try {
                runYearFile(*document, context,
                            weeks.year == to.year ? std::optional<int32_t>(to.week) : std::nullopt,
                            [&](const AnalysisWeek& week, const RunningValues& run) {
                                const int32_t weekNo = weekNumber(week.firstDay);
                                if (!week.hasEntries || weekNo < weeks.firstWeek || weekNo > weeks.lastWeek) return;
                                addAnalysisRow(table, employee, settings, read, weekNo, week, run);
                            });
            } catch (const LorvanError& e) {
                notEvaluated(*document, employee, e.what(), prompter);
            }
        }
    }
    return table;
}

CReportTable listWeekTimes(const Datum& start, CalendarWeek to, const PotentialSource& source, Prompter& prompter) {
    static const char* const kDays[] = {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"};
    CReportTable table("EXPORT");
    table.addColumn(1, 1.0, "Personalnr");
    table.addColumn(2, 1.0, "Mitarbeiter");
    table.addColumn(3, 1.0, "Abteilung");
    table.addColumn(4, 1.0, "Woche");
    for (int32_t day = 0; day < 7; ++day) {
        table.addColumn(5 + 2 * day, 1.0, std::string(kDays[day]) + "-Beg");
        table.addColumn(6 + 2 * day, 1.0, std::string(kDays[day]) + "-Ende");
    }
    table.addColumn(19, 1.0, "Gesamt").valueType = kValueDecimal;
    const Datum end = addDays(mondayOfWeek(to), 6);
    auto clock = [](int32_t hour, int32_t minute) { return formatMinutes((hour % 24) * 60 + minute, 1, false); };
    for (const CMitarbeiterDoc& employee : source.employees) {
        // Rows per "year.week" of the year file and the day's week, in ascending order of that key.
        std::map<std::string, std::vector<const CTagDoc*>> groups;
        std::vector<std::unique_ptr<CLorvanDoc>> documents;
        for (int32_t year = start.year; year <= to.year; ++year) {
            std::unique_ptr<CLorvanDoc> document = openYearFile(source.dataDirectory, employee, year, prompter);
            if (!document) continue;
            for (const auto& [m, month] : document->months())
                for (const auto& [d, day] : month.days()) {
                    const Datum date{d, m, year};
                    if (!isValidDate(date) || compareDates(date, start) < 0 || compareDates(date, end) > 0) continue;
                    groups[format("%d.%02d", year, weekNumber(date))].push_back(&day);
                }
            documents.push_back(std::move(document));
        }
        for (const auto& [key, days] : groups) {
            CReportRow& row = table.addRow();
            row.addCell(1, format("%d", employee.number));
            addText(row, 2, employee.name);
            addText(row, 3, employee.department);
            row.addCell(4, format("%d", weekNumber(days.front()->date())));
            int32_t minutes = 0;
            for (const CTagDoc* day : days) {
                const Datum date = day->date();
                const int32_t column = 5 + 2 * (weekdayMonday(date) - 1);
                try {
                    const std::vector<CArbzt> blocks = buildBlocks(*day, false);
                    if (!blocks.empty()) {
                        addText(row, column, clock(blocks.front().fromHour, blocks.front().fromMinute));
                        addText(row, column + 1, clock(blocks.back().toHour, blocks.back().toMinute));
                        for (const CArbzt& block : blocks)
                            minutes += block.span - block.pause;
                        continue;
                    }
                    const CEinstArbzt& settings = day->document()->settings();
                    addText(row, column,
                            absenceExportCode(*day, settings.periodForMonth(date.month),
                                              static_cast<size_t>(weekdayCalendar(date) - 1)));
                } catch (const LorvanError& e) {
                    notEvaluated(*day->document(), employee, e.what(), prompter);
                }
            }
            addText(row, 19, formatAmount(minutesToHours(minutes)));
        }
    }
    return table;
}

std::string potentialExportTitle(CalendarWeek from, CalendarWeek to, const Datum& today) {
    return format("%2.2d.%4.4d-%2.2d.%4.4d am %s", from.week, from.year, to.week, to.year, formatDate(today).c_str());
}

std::string reportTableCsv(const CReportTable& table) {
    auto field = [](const std::string& text) {
        if (text.find_first_of(";\"\r\n") == std::string::npos) return text;
        // A line break inside a cell is written as "\n" like every line end (CR LF on disk).
        std::string quoted = "\"";
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
            quoted += text[i] == '"' ? std::string("\"\"") : std::string(1, text[i]);
        }
        return quoted + "\"";
    };
    std::string text;
    auto line = [&](const std::vector<std::string>& cells) {
        for (size_t i = 0; i < cells.size(); ++i)
            text += (i == 0 ? "" : ";") + field(cells[i]);
        text += "\n";
    };
    std::vector<std::string> cells;
    for (const auto& [number, column] : table.columns())
        cells.push_back(column.title);
    line(cells);
    for (const CReportRow& row : table.rows()) {
        cells.clear();
        for (const auto& [number, column] : table.columns()) {
            const CReportCell* cell = row.cell(number);
            cells.push_back(cell != nullptr ? cell->text : std::string());
        }
        line(cells);
    }
    return text;
}

} // namespace lorvan
