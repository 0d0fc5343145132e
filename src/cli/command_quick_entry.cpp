#include "cli/commands.h"

#include "app/work_areas.h"
#include "cli/json_yearfile.h"
#include "cli/record_commands.h"
#include "entry/quick_entry.h"
#include "evaluation/day_checks.h"
#include "foundation/calendar.h"
#include "foundation/error.h"
#include "foundation/file_system.h"
#include "foundation/format.h"
#include "masterdata/employee_list.h"
#include "platform/clock.h"
#include "platform/prompter.h"

#include <ostream>

// quick-entry --from D --to D --employee NR ... < DAY.JSON: the quick entry ("Schnellerfassung") with
// the day object of the input in place of the day dialog. Questions are answered by --yes / --no; a
// check or a No stops with exit status 1 and nothing written. The files written are listed.
namespace lorvan::cli {
namespace {

constexpr const char* kUsage = "quick-entry [--from TT.MM.JJJJ] [--to TT.MM.JJJJ] --employee NR [--employee NR ...] < TAG.JSON";

Datum dateArgument(const std::string& text) {
    const ParsedDate d = parseDate(text);
    if (!d.valid || d.day == 0 || d.month == 0) throw LorvanError("Falsches Datumsformat: " + text);
    return Datum{d.day, d.month, d.year};
}

int32_t employeeArgument(const std::string& text) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        throw LorvanError("Keine gültige Personalnummer: '" + text + "'");
    return std::stoi(text);
}

// The checks of saving a day with "Angaben vollständig" ticked: every line, then the day.
bool dayPassesChecks(const CTagDoc& day, const Datum& date, Prompter& prompter) {
    if (day.complete == 0) return true;
    DayEntryState state;
    state.lines.assign(day.lines().begin(), day.lines().end());
    state.date = date;
    state.publicHoliday = day.publicHoliday != 0;
    state.settings = &day.document()->settings();
    const DayCheckResult result = checkDay(state, prompter);
    if (!result.message.empty()) prompter.error(result.message);
    return result.accepted;
}

} // namespace

int runQuickEntry(const Options& options, const std::vector<std::string>& args, std::istream& in,
                  std::ostream& out) {
    const FixedClock clock(options.today ? *options.today : SystemClock().today());
    std::optional<Datum> from;
    std::optional<Datum> to;
    std::vector<int32_t> numbers;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (i + 1 >= args.size()) throw LorvanError(option + " braucht einen Wert.\nAufruf: lorvan-cli " + kUsage);
        const std::string& value = args[++i];
        if (option == "--from")
            from = dateArgument(value);
        else if (option == "--to")
            to = dateArgument(value);
        else if (option == "--employee")
            numbers.push_back(employeeArgument(value));
        else
            throw LorvanError("Unbekannte Angabe '" + option + "'\nAufruf: lorvan-cli " + kUsage);
    }
    const std::string directory = withSeparator(requireDataDirectory(options, "quick-entry"), true);
    // Refused input fails before any question is asked.
    const nlohmann::json dayObject = readJsonInput(in);
    {
        CTagDoc scratch;
        dayFromJson(dayObject, scratch);
    }
    if (!fileExists(directory + "Daten.mar")) throw LorvanError(kNoEmployeesForEntryMessage);
    EmployeeList list(directory);
    const std::map<int32_t, CMitarbeiterDoc> employees = list.all();
    for (const int32_t number : numbers)
        if (employees.find(number) == employees.end())
            throw LorvanError(
                format("Es gibt keinen Mitarbeiter mit der Personalnummer %ld.", static_cast<long>(number)));

    QuickEntry entry(employees, clock);
    entry.setOnlyActive(false);
    entry.select(numbers);
    if (from) entry.from = *from;
    entry.to = to ? *to : entry.from;

    FixedAnswerPrompter prompter(options.answerYes);
    YearFileStore files(StorageContext{&prompter, directory, nullptr, &list});
    const ProgramSettings& settings = options.settings;
    const MonthClosedRule closed = [&settings](int32_t m, int32_t y) { return isMonthClosed(settings, m, y); };
    bool edited = false;
    const bool saved = entry.run(prompter, files, closed, directory, [&](CTagDoc& day, const QuickEntryHeader&) {
        // The input is entered once; a failed save does not come back to it.
        if (edited) return false;
        edited = true;
        dayFromJson(dayObject, day, {"further_employees"});
        return dayPassesChecks(day, entry.from, prompter);
    });
    for (const std::string& path : files.written())
        out << path << '\n';
    return saved ? 0 : 1;
}

} // namespace lorvan::cli
