#include "cli/commands.h"

#include "app/open_year_file.h"
#include "cli/json_yearfile.h"
#include "cli/record_commands.h"
#include "entry/day_entry.h"
#include "entry/day_management.h"
#include "evaluation/day_checks.h"
#include "evaluation/day_evaluation.h"
#include "foundation/calendar.h"
#include "foundation/error.h"
#include "foundation/format.h"
#include "foundation/number_text.h"
#include "foundation/time_text.h"
#include "platform/prompter.h"
#include "yearfile/document_base.h"
#include "yearfile/settings.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <ostream>

namespace lorvan::cli {
namespace {

using nlohmann::json;

constexpr const char* kDaysUsage = "days add|delete DATEI TT.MM.JJJJ | days show DATEI TT.MM.JJJJ [--json|--text] | "
                                   "days set DATEI TT.MM.JJJJ [--fill-until TT.MM.JJJJ] < JSON";

// The keys that show adds to the day object; set ignores them.
constexpr const char* kEvaluationKey = "evaluation";
constexpr const char* kNotesKey = "notes";

// Records the questions of the day checks and lets every check go on, so that all are reported.
class RecordingPrompter final : public Prompter {
  public:
    std::vector<std::string> texts;
    void inform(const std::string& text) override { texts.push_back(text); }
    void warn(const std::string& text) override { texts.push_back(text); }
    void error(const std::string& text) override { texts.push_back(text); }
    bool askYesNo(const std::string& text) override {
        texts.push_back(text);
        return true;
    }
    Answer askYesNoCancel(const std::string& text) override {
        texts.push_back(text);
        return Answer::Yes;
    }
    bool askOkCancel(const std::string& text) override {
        texts.push_back(text);
        return true;
    }
};

std::string clockText(int32_t hour, int32_t minute) {
    return format("%ld:%02ld", static_cast<long>(hour), static_cast<long>(minute));
}

// The evaluation of a day: blocks, sums, line costs, status and what the day checks report.
json evaluationToJson(const CTagDoc& day) {
    json blocks = json::array();
    int32_t work = 0;
    int32_t standby = 0;
    double credited = 0.0;
    for (const CArbzt& block : buildBlocks(day, false)) {
        blocks.push_back({{"from", clockText(block.fromHour, block.fromMinute)},
                          {"to", clockText(block.toHour, block.toMinute)},
                          {"pause", block.pause},
                          {"work_minutes", block.workMinutes()},
                          {"credited_minutes", block.creditedMinutes()},
                          {"standby_minutes", block.standbyMinutes()}});
        work += block.workMinutes();
        standby += block.standbyMinutes();
        credited += block.creditedMinutes();
    }
    json costs = json::array();
    for (const CZeitZeile& line : day.lines()) {
        bool notAvailable = false;
        try {
            const double cost = lineCost(line, notAvailable);
            costs.push_back({{"cost", cost}, {"not_available", notAvailable}});
        } catch (const LorvanError& e) {
            costs.push_back({{"cost", nullptr}, {"not_available", true}, {"message", e.what()}});
        }
    }

    RecordingPrompter recorder;
    json checks;
    try {
        DayEntryState state;
        state.lines.assign(day.lines().begin(), day.lines().end());
        for (CZeitZeile& line : state.lines)
            line.updateDurationText();
        state.date = day.date();
        state.publicHoliday = day.publicHoliday != 0;
        state.settings = &day.document()->settings();
        const DayCheckResult result = checkDay(state, recorder);
        checks = {{"message", result.message.empty() ? json(nullptr) : json(result.message)},
                  {"questions", recorder.texts}};
    } catch (const LorvanError& e) {
        checks = {{"message", e.what()}, {"questions", recorder.texts}};
    }
    return {{"blocks", blocks},
            {"work_minutes", work},
            {"credited_minutes", credited},
            {"standby_minutes", standby},
            {"line_costs", costs},
            {"status", statusText(day)},
            {"status_category", statusCategory(day)},
            {"checks", checks}};
}

json dayWithEvaluation(const CTagDoc& day) {
    json result = dayToJson(day);
    result[kEvaluationKey] = evaluationToJson(day);
    return result;
}

std::string minutesText(double minutes) { return formatMinutes(static_cast<int32_t>(minutes), 2, false); }

void writeDayText(const CTagDoc& day, std::ostream& out) {
    const json e = evaluationToJson(day);
    const Datum date = day.date();
    out << "Tag: " << formatDateWithWeekday(date) << "\n";
    out << "Status: " << e["status"].get<std::string>() << '\n';
    out << "Tagesart: " << day.dayKind << (day.publicHoliday ? ", Feiertag" : "")
        << (day.complete ? "" : ", Angaben unvollständig") << (day.checkedAndClosed ? ", geprüft" : "") << '\n';
    if (!day.furtherEmployees.empty()) out << "Weitere Mitarbeiter: " << day.furtherEmployees << '\n';
    if (!day.reportRemark.empty()) out << "Anmerkung: " << day.reportRemark << '\n';
    if (!day.internalRemark.empty()) out << "Anmerkung intern: " << day.internalRemark << '\n';
    out << "Zeiten:\n";
    for (const CZeitZeile& line : day.lines()) {
        out << "  " << padLeft(line.from, 5) << " - " << padLeft(line.to, 5) << "  " << padRight(line.kind, 12)
            << " Dauer " << formatMinutes(line.duration, 2, false) << "  Pause " << line.pause;
        if (!line.customer.empty()) out << "  Kunde " << line.customer;
        if (!line.service.empty()) out << "  Dienstleistung " << line.service;
        if (!line.remark.empty()) out << "  Anmerkung " << line.remark;
        out << '\n';
    }
    out << "Arbeitsblöcke:\n";
    for (const json& block : e["blocks"]) {
        out << "  " << padLeft(block["from"].get<std::string>(), 5) << " - " << padLeft(block["to"].get<std::string>(), 5)
            << "  Pause " << block["pause"].get<int>() << "  Arbeit " << minutesText(block["work_minutes"].get<int>())
            << "  angerechnet " << minutesText(block["credited_minutes"].get<double>());
        if (block["standby_minutes"].get<int>() != 0)
            out << "  Bereitschaft " << minutesText(block["standby_minutes"].get<int>());
        out << '\n';
    }
    out << "Summe Arbeit " << minutesText(e["work_minutes"].get<int>()) << ", angerechnet "
        << minutesText(e["credited_minutes"].get<double>()) << ", Bereitschaft "
        << minutesText(e["standby_minutes"].get<int>()) << '\n';
    const json& checks = e["checks"];
    if (!checks["message"].is_null()) out << "Prüfung: " << checks["message"].get<std::string>() << '\n';
    for (const json& question : checks["questions"])
        out << "Prüfung: " << question.get<std::string>() << '\n';
}

struct DayTarget {
    Datum date;
    CMonatDoc* month = nullptr;
};

// A day argument DD.MM.YYYY. A day that the month does not have (31.04.) is taken as typed, so
// that the day commands answer it as the month view does ("Der Tag ist ungültig.").
Datum dayArgument(const std::string& text) {
    const ParsedDate parsed = parseDate(text);
    if (parsed.valid && parsed.day != 0 && parsed.month != 0 && parsed.year != 0)
        return Datum{parsed.day, parsed.month, parsed.year};
    int day = 0;
    int month = 0;
    int year = 0;
    int length = 0;
    if (std::sscanf(text.c_str(), "%2d.%2d.%4d%n", &day, &month, &year, &length) == 3 &&
        length == static_cast<int>(text.size()) && day >= 1 && day <= 31 && month >= 1 && month <= 12)
        return Datum{day, month, year};
    throw LorvanError("Falsches Datumsformat: " + text);
}

// The date argument in the year file's year and its month, which must exist.
DayTarget targetDay(OpenYearFile& file, const std::string& text) {
    const Datum date = dayArgument(text);
    if (date.year != file.document.settings().year)
        throw LorvanError(format("Das Datum %s liegt nicht im Jahr %ld der Datei.", text.c_str(),
                                 static_cast<long>(file.document.settings().year)));
    CMonatDoc* month = file.document.month(date.month);
    if (month == nullptr)
        throw LorvanError("Der Monat " + monthName(date.month) + " " + std::to_string(date.year) +
                          " ist nicht angelegt.");
    return {date, month};
}

CTagDoc& existingDay(const DayTarget& target) {
    CTagDoc* day = target.month->day(target.date.day);
    if (day == nullptr) throw LorvanError("Der Tag " + formatDate(target.date) + " ist nicht angelegt.");
    return *day;
}

// "--fill-until DATE" taken out of the arguments (empty without the option).
std::string takeFillUntil(std::vector<std::string>& args) {
    std::string result;
    for (auto it = args.begin(); it != args.end();) {
        if (*it != "--fill-until") {
            ++it;
            continue;
        }
        if (it + 1 == args.end()) throw LorvanError("--fill-until braucht ein Datum.");
        result = *(it + 1);
        it = args.erase(it, it + 2);
    }
    return result;
}

// The fill-until day within the month of the entered day: a later month means the month's last
// day (the day entry clamps a day past the month's end itself); 0 for none.
int32_t fillUntilDay(const std::string& text, const Datum& day) {
    if (text.empty()) return 0;
    const Datum until = dayArgument(text);
    if (compareDates(until, day) <= 0) return 0;
    return until.year == day.year && until.month == day.month ? until.day : daysInMonth(day.month, day.year);
}

int addDay(const Options& options, const std::vector<std::string>& args, std::ostream& out) {
    expectArguments(args, 2, "days add DATEI TT.MM.JJJJ");
    OpenYearFile file(args[0], options.dataDirectory);
    const DayTarget target = targetDay(file, args[1]);
    FixedAnswerPrompter prompter(options.answerYes);
    CTagDoc* created = nullptr;
    if (createDay(*target.month, target.date.day, prompter, monthClosedRule(options), &created) != EntryResult::Done)
        return 1;
    StorageContext storage;
    storage.prompter = &prompter;
    storage.dataDirectory = options.dataDirectory;
    if (!file.document.save(file.path, true, storage)) return 1;
    out << dayWithEvaluation(*created).dump(2) << '\n';
    return 0;
}

int deleteDayCommand(const Options& options, const std::vector<std::string>& args) {
    expectArguments(args, 2, "days delete DATEI TT.MM.JJJJ");
    OpenYearFile file(args[0], options.dataDirectory);
    const DayTarget target = targetDay(file, args[1]);
    existingDay(target);
    FixedAnswerPrompter prompter(options.answerYes);
    if (deleteDay(*target.month, target.date.day, prompter, monthClosedRule(options)) != EntryResult::Done) return 1;
    StorageContext storage;
    storage.prompter = &prompter;
    storage.dataDirectory = options.dataDirectory;
    return file.document.save(file.path, true, storage) ? 0 : 1;
}

int showDay(const Options& options, const std::vector<std::string>& arguments, std::ostream& out) {
    std::vector<std::string> args = arguments;
    bool text = false;
    int forms = 0;
    for (auto it = args.begin(); it != args.end();) {
        if (*it == "--json" || *it == "--text") {
            text = *it == "--text";
            ++forms;
            it = args.erase(it);
        } else {
            ++it;
        }
    }
    if (forms > 1) throw LorvanError("days show: nur eine Ausgabeform angeben (--json oder --text).");
    expectArguments(args, 2, "days show DATEI TT.MM.JJJJ [--json|--text]");
    OpenYearFile file(args[0], options.dataDirectory);
    const CTagDoc& day = existingDay(targetDay(file, args[1]));
    if (text)
        writeDayText(day, out);
    else
        out << dayWithEvaluation(day).dump(2) << '\n';
    return 0;
}

int setDay(const Options& options, const std::vector<std::string>& arguments, std::istream& in, std::ostream& out) {
    std::vector<std::string> args = arguments;
    const std::string fillUntilText = takeFillUntil(args);
    expectArguments(args, 2, "days set DATEI TT.MM.JJJJ [--fill-until TT.MM.JJJJ] < JSON");
    OpenYearFile file(args[0], options.dataDirectory);
    const DayTarget target = targetDay(file, args[1]);
    const int32_t fillUntil = fillUntilDay(fillUntilText, target.date);
    const json input = readJsonInput(in);

    FixedAnswerPrompter prompter(options.answerYes);
    const MonthClosedRule closed = monthClosedRule(options);
    CTagDoc* day = target.month->day(target.date.day);
    if (day == nullptr &&
        createDay(*target.month, target.date.day, prompter, closed, &day) != EntryResult::Done)
        return 1;

    // The day as given, read into a copy first so that a refused object changes nothing.
    CTagDoc given(*day);
    dayFromJson(input, given, {kEvaluationKey, kNotesKey});

    StorageContext storage;
    storage.prompter = &prompter;
    storage.dataDirectory = options.dataDirectory;
    DayEntryServices services;
    services.prompter = &prompter;
    services.monthClosed = closed;
    services.save = [&](CLorvanDoc& document) { return document.save(file.path, true, storage); };
    services.previousYears = &file.previousYears;
    DayEntry entry(*day, DayEntryMode::DayWindow, services);
    entry.setFillUntil(fillUntil);
    if (entry.enterDay(given) != EntryResult::Done || entry.save() != EntryResult::Done) return 1;

    json result = dayWithEvaluation(*day);
    result[kNotesKey] = entry.notes();
    out << result.dump(2) << '\n';
    return 0;
}

} // namespace

int runDays(const Options& options, const std::vector<std::string>& args, std::istream& in, std::ostream& out) {
    if (args.empty()) throw LorvanError(std::string("Aufruf: ") + kDaysUsage);
    const std::string& sub = args[0];
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (sub == "add") return addDay(options, rest, out);
    if (sub == "delete") return deleteDayCommand(options, rest);
    if (sub == "show") return showDay(options, rest, out);
    if (sub == "set") return setDay(options, rest, in, out);
    throw LorvanError(std::string("Aufruf: ") + kDaysUsage);
}

} // namespace lorvan::cli
