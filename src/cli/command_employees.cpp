#include "cli/commands.h"

#include "app/recent_files.h"
#include "cli/json_fields.h"
#include "cli/json_masterdata.h"
#include "foundation/calendar.h"
#include "foundation/error.h"
#include "foundation/file_io.h"
#include "foundation/file_system.h"
#include "foundation/format.h"
#include "foundation/text_encoding.h"
#include "masterdata/employee_file.h"
#include "masterdata/employee_files.h"
#include "masterdata/employee_flows.h"
#include "masterdata/employee_list_model.h"
#include "masterdata/year_file_creation.h"
#include "platform/clock.h"
#include "platform/prompter.h"
#include "platform/user_store.h"

#include <nlohmann/json.hpp>

#include <istream>
#include <iterator>
#include <memory>
#include <ostream>

// The employees of the data directory without a screen: the flows of the window "Mitarbeiter
// verwalten" with the dialog "Mitarbeiter bearbeiten" filled once from JSON, questions answered by
// --yes / --no. A flow that would show the dialog again (a check refused the values, a question was
// answered No) fails with the message, and nothing is written.
namespace lorvan::cli {
namespace {

using nlohmann::json;

constexpr const char* kUsage =
    "employees: list [--all] [--json] | add < JSON | edit NR < JSON | delete NR | files NR | "
    "create-year-file NR JAHR [--template NAME] [--account X] [--remaining-vacation X] [--entitlement X] "
    "[--report-existing]";

[[noreturn]] void usageError(const std::string& problem) {
    throw LorvanError("employees: " + problem + "\nAufruf: lorvan-cli " + kUsage);
}

// What every subcommand works with: the data directory, the clock, the answers.
struct Session {
    explicit Session(const Options& options)
        : prompter(options.answerYes), clock(options.today ? *options.today : SystemClock().today()),
          dataDirectory(checkedDataDirectory(options.dataDirectory)),
          store(IniUserStore::defaultPathOfProcess()), recent(store) {}

    static std::string checkedDataDirectory(const std::string& directory) {
        if (directory.empty())
            throw LorvanError("employees: Kein Datenverzeichnis. Geben Sie es mit --data VERZ an.");
        if (!directoryExists(directory))
            throw LorvanError("Das Datenverzeichnis '" + directory + "' existiert nicht.");
        return withSeparator(directory, true);
    }

    EmployeeFlowContext context() {
        EmployeeFlowContext c;
        c.prompter = &prompter;
        c.clock = &clock;
        c.dataDirectory = dataDirectory;
        // The desktop program's list of recent files follows renamed and deleted year files.
        c.recent = &recent;
        return c;
    }

    FixedAnswerPrompter prompter;
    FixedClock clock;
    std::string dataDirectory;
    IniUserStore store;
    RecentFileList recent;
    // The window's copy of "Daten.mar"; not opened when the file cannot be read (the reader's message
    // is shown then, and the command fails).
    EmployeeManagement management{context()};
    bool opened = management.open();
};

// The record as `show` gives it.
json recordJson(const CMitarbeiterDoc& record) {
    CTwMaDoc one;
    one.put(record);
    return employeeFileToJson(one)["employees"][0];
}

int32_t numberArgument(const std::string& text) {
    if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos)
        throw LorvanError("Keine gültige Personalnummer: '" + text + "'");
    const long long value = std::stoll(text);
    if (value > 2147483647LL) throw LorvanError("Keine gültige Personalnummer: '" + text + "'");
    return static_cast<int32_t>(value);
}

const CMitarbeiterDoc& employeeOf(const CTwMaDoc& file, int32_t number) {
    const CMitarbeiterDoc* employee = file.findByNumber(number);
    if (!employee)
        throw LorvanError(
            format("Es gibt keinen Mitarbeiter mit der Personalnummer %ld.", static_cast<long>(number)));
    return *employee;
}

Datum readDate(JsonObjectReader& reader, const char* key, const Datum& current) {
    Datum date = current;
    const json* object = reader.object(key);
    if (!object) return date;
    JsonObjectReader inner(*object, reader.context() + "." + key);
    inner.get("day", date.day);
    inner.get("month", date.month);
    inner.get("year", date.year);
    inner.finish();
    if (!date.isEmpty() && !isValidDate(date))
        throw LorvanError("Ungültiges Datum für '" + std::string(key) +
                          "': " + format("%d.%d.%d", date.day, date.month, date.year));
    return date;
}

// Fills the dialog's fields from the keys of the object, as a user would: the entry date first,
// then the check boxes (switching one on proposes its date), then the dates of the check boxes.
void fillDialog(const json& object, EmployeeDialog& dialog) {
    JsonObjectReader r(object, "employee");
    r.get("number", dialog.number);
    r.get("name", dialog.name);
    r.get("extra_info", dialog.extraInfo);
    r.get("department", dialog.department);
    if (r.object("entry_date")) dialog.setEntryDate(readDate(r, "entry_date", dialog.entryDate()));
    int32_t inProbation = dialog.inProbation() ? 1 : 0;
    r.get("in_probation", inProbation);
    dialog.setInProbation(inProbation != 0);
    dialog.setProbationEnd(readDate(r, "probation_end", dialog.probationEnd()));
    int32_t hasExit = dialog.hasExit() ? 1 : 0;
    r.get("has_exit", hasExit);
    dialog.setHasExit(hasExit != 0);
    dialog.setExitDate(readDate(r, "exit_date", dialog.exitDate()));
    int32_t active = dialog.active ? 1 : 0;
    r.get("active", active);
    dialog.active = active == 1;
    r.finish();
}

// The dialog confirmed once with the values of the input; showing it again gives up.
class JsonDialog final : public EmployeeDialogHost {
  public:
    explicit JsonDialog(const json& values) : values_(values) {}
    bool show(EmployeeDialog& dialog) override {
        if (shown_) return false;
        shown_ = true;
        fillDialog(values_, dialog);
        return true;
    }

  private:
    const json& values_;
    bool shown_ = false;
};

json readInput(std::istream& in) {
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    json object;
    try {
        object = json::parse(text);
    } catch (const json::parse_error& e) {
        throw LorvanError(std::string("Die Eingabe ist kein gültiges JSON: ") + e.what());
    }
    // Wrong keys and types fail before any question is asked.
    FixedClock clock(Datum{1, 1, 2000});
    EmployeeDialog scratch(CMitarbeiterDoc(), clock);
    fillDialog(object, scratch);
    return object;
}

int list(const Options& options, const std::vector<std::string>& args, std::ostream& out) {
    bool all = false;
    bool asJson = false;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--all")
            all = true;
        else if (args[i] == "--json")
            asJson = true;
        else
            usageError("unbekannte Angabe '" + args[i] + "'");
    }
    Session session(options);
    if (!session.opened) return 1;
    EmployeeManagement& management = session.management;
    EmployeeListModel model(management.file().employees, session.clock);
    model.setOnlyActive(!all);
    if (asJson) {
        json records = json::array();
        for (const EmployeeRow& row : model.rows())
            records.push_back(recordJson(*management.file().findByNumber(row.number)));
        out << records.dump(2) << '\n';
        return 0;
    }
    std::array<size_t, kEmployeeColumnCount> widths{};
    for (size_t c = 0; c < kEmployeeColumnCount; ++c) {
        widths[c] = characterCount(kEmployeeColumns[c].title);
        for (const EmployeeRow& row : model.rows())
            widths[c] = std::max(widths[c], characterCount(row.cells[c]));
    }
    auto line = [&](auto cellOf) {
        std::string text;
        for (size_t c = 0; c < kEmployeeColumnCount; ++c) {
            const std::string cell = cellOf(c);
            text += c == 0 ? padLeft(cell, widths[c]) : "  " + padRight(cell, widths[c]);
        }
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        out << text << '\n';
    };
    line([](size_t c) { return std::string(kEmployeeColumns[c].title); });
    for (const EmployeeRow& row : model.rows())
        line([&](size_t c) { return row.cells[c]; });
    return 0;
}

int add(const Options& options, const std::vector<std::string>& args, std::istream& in, std::ostream& out) {
    if (args.size() != 1) usageError("add liest den Mitarbeiter als JSON von der Standardeingabe.");
    const json values = readInput(in);
    Session session(options);
    if (!session.opened) return 1;
    EmployeeManagement& management = session.management;
    JsonDialog dialog(values);
    const std::optional<int32_t> number = management.create("", "", "", dialog);
    if (!number || !management.save()) return 1;
    out << recordJson(*management.file().findByNumber(*number)).dump(2) << '\n';
    return 0;
}

int edit(const Options& options, const std::vector<std::string>& args, std::istream& in, std::ostream& out) {
    if (args.size() != 2) usageError("edit braucht die Personalnummer und liest die Änderungen als JSON.");
    const int32_t number = numberArgument(args[1]);
    const json values = readInput(in);
    Session session(options);
    if (!session.opened) return 1;
    EmployeeManagement& management = session.management;
    employeeOf(management.file(), number);
    JsonDialog dialog(values);
    const FlowResult result = management.edit(number, dialog);
    if (result == FlowResult::Cancelled) return 1;
    out << recordJson(*management.file().findByNumber(*management.lastChanged())).dump(2) << '\n';
    return result == FlowResult::Done ? 0 : 1;
}

int remove(const Options& options, const std::vector<std::string>& args, std::ostream&) {
    if (args.size() != 2) usageError("delete braucht die Personalnummer.");
    const int32_t number = numberArgument(args[1]);
    Session session(options);
    if (!session.opened) return 1;
    EmployeeManagement& management = session.management;
    employeeOf(management.file(), number);
    const FlowResult result = management.remove(number);
    if (result == FlowResult::Cancelled) return 1;
    // Without files the window would save later; the command saves now.
    if (management.changed() && !management.save()) return 1;
    return result == FlowResult::Done ? 0 : 1;
}

int files(const Options& options, const std::vector<std::string>& args, std::ostream& out) {
    if (args.size() != 2) usageError("files braucht die Personalnummer.");
    const int32_t number = numberArgument(args[1]);
    Session session(options);
    if (!session.opened) return 1;
    EmployeeManagement& management = session.management;
    for (const std::string& path :
         employeeFiles(session.dataDirectory, employeeOf(management.file(), number).name))
        out << path << '\n';
    return 0;
}

int createYearFileCommand(const Options& options, const std::vector<std::string>& args, std::ostream& out) {
    if (args.size() < 3) usageError("create-year-file braucht die Personalnummer und das Jahr.");
    const int32_t number = numberArgument(args[1]);
    YearFileRequest request;
    const std::string& yearText = args[2];
    const bool digits = !yearText.empty() && yearText.size() <= 4 &&
                        yearText.find_first_not_of("0123456789") == std::string::npos;
    request.year = digits ? std::stoi(yearText) : 0;
    if (request.year < kFirstYear || request.year > kLastYear)
        throw LorvanError("Das Jahr muss zwischen 1990 und 9999 liegen: '" + yearText + "'");
    for (size_t i = 3; i < args.size(); ++i) {
        const std::string& option = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) usageError(option + " braucht einen Wert.");
            return args[++i];
        };
        if (option == "--template")
            request.templateName = value();
        else if (option == "--account")
            request.accountCarryOver = value();
        else if (option == "--remaining-vacation")
            request.remainingVacation = value();
        else if (option == "--entitlement")
            request.vacationEntitlement = value();
        else if (option == "--report-existing")
            request.reportExisting = true;
        else
            usageError("unbekannte Angabe '" + option + "'");
    }
    Session session(options);
    if (!session.opened) return 1;
    EmployeeManagement& management = session.management;
    const CMitarbeiterDoc& employee = employeeOf(management.file(), number);
    StorageContext storage;
    storage.prompter = &session.prompter;
    storage.dataDirectory = session.dataDirectory;
    std::string protocol;
    const bool created = createYearFile(employee, request, protocol, storage, session.clock);
    if (options.protocolFile.empty())
        out << protocol;
    else
        writeFileAtomically(options.protocolFile, protocol);
    return created ? 0 : 1;
}

} // namespace

int runEmployees(const Options& options, const std::vector<std::string>& args, std::istream& in,
                 std::ostream& out) {
    if (args.empty()) usageError("Unterbefehl fehlt.");
    const std::string& sub = args.front();
    if (sub == "list") return list(options, args, out);
    if (sub == "add") return add(options, args, in, out);
    if (sub == "edit") return edit(options, args, in, out);
    if (sub == "delete") return remove(options, args, out);
    if (sub == "files") return files(options, args, out);
    if (sub == "create-year-file") return createYearFileCommand(options, args, out);
    usageError("unbekannter Unterbefehl '" + sub + "'");
}

} // namespace lorvan::cli
