#include "cli/commands.h"

#include "app/work_areas.h"
#include "cli/json_yearfile.h"
#include "cli/record_commands.h"
#include "entry/quick_entry.h"
#include "entry/day_entry.h"
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

int32_t employeeArgument(const std::string& text) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        throw LorvanError("Keine gültige Personalnummer: '" + text + "'");
    return std::stoi(text);
}

// The day object of the input in the form "days show" prints it; its evaluation, notes and further
// employees are not entered.
void readDay(const nlohmann::json& object, CTagDoc& day) {
    dayFromJson(object, day, {"evaluation", "notes", "further_employees"});
}

} // namespace

int runQuickEntry(const Options& options, const std::vector<std::string>& args, std::istream& in,
                  std::ostream& out) {
    const FixedClock clock(today(options));
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
        readDay(dayObject, scratch);
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
    const MonthClosedRule closed = monthClosedRule(options);
    bool edited = false;
    const bool saved = entry.run(prompter, files, closed, directory, [&](CTagDoc& day, const QuickEntryHeader&) {
        // The input is entered once; a failed save does not come back to it.
        if (edited) return false;
        edited = true;
        // Entered and saved as in "Schnellerfassung eines Tages", with the checks of a saved day.
        CTagDoc given(day);
        readDay(dayObject, given);
        DayEntryServices services;
        services.prompter = &prompter;
        services.monthClosed = closed;
        DayEntry dayEntry(day, DayEntryMode::QuickEntry, std::move(services));
        return dayEntry.enterDay(given) == EntryResult::Done && dayEntry.save() == EntryResult::Done;
    });
    for (const std::string& path : files.written())
        out << path << '\n';
    return saved ? 0 : 1;
}

} // namespace lorvan::cli
