#include "cli/commands.h"

#include "cli/record_commands.h"
#include "foundation/error.h"
#include "foundation/file_io.h"
#include "foundation/file_system.h"
#include "foundation/text_encoding.h"
#include "import/employee_import.h"
#include "import/import_file_text.h"
#include "platform/clock.h"
#include "platform/prompter.h"

#include <filesystem>
#include <ostream>

// import employees FILE --year YYYY ...: the employee import ("Mitarbeiter importieren") without a
// screen. The checks of the dialog come first; the protocol goes to standard error, to --protocol
// when given, and into the JSON; questions of the saves are answered by --yes / --no.
namespace lorvan::cli {
namespace {

constexpr const char* kUsage =
    "import employees DATEI --year JJJJ [--skip-first-line] [--log-all] [--only-new] [--json]";

[[noreturn]] void usageError(const std::string& problem) {
    throw LorvanError(problem + "\nAufruf: lorvan-cli " + kUsage);
}

struct Arguments {
    EmployeeImportOptions options;
    bool json = false;
};

Arguments importArguments(const std::vector<std::string>& args) {
    Arguments result;
    // The dialog's check boxes are on by default; here each is asked for by its option.
    result.options.skipFirstLine = false;
    result.options.onlyNew = false;
    result.options.logAll = false;
    bool yearGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--year") {
            const std::string text = i + 1 < args.size() ? args[++i] : std::string();
            const bool digits =
                !text.empty() && text.size() <= 4 && text.find_first_not_of("0123456789") == std::string::npos;
            if (!digits) usageError("--year braucht eine Jahreszahl: '" + text + "'");
            result.options.year = std::stoi(text);
            yearGiven = true;
        } else if (arg == "--skip-first-line") {
            result.options.skipFirstLine = true;
        } else if (arg == "--log-all") {
            result.options.logAll = true;
        } else if (arg == "--only-new") {
            result.options.onlyNew = true;
        } else if (arg == "--json") {
            result.json = true;
        } else if (arg.rfind("--", 0) == 0 || !result.options.importFile.empty()) {
            usageError("Unbekannte Angabe '" + arg + "'");
        } else {
            result.options.importFile = arg;
        }
    }
    if (result.options.importFile.empty()) usageError("import employees: die Importdatei fehlt.");
    if (!yearGiven) usageError("import employees: --year fehlt.");
    return result;
}

const char* statusText(EmployeeLineStatus status) {
    switch (status) {
    case EmployeeLineStatus::Imported:
        return "imported";
    case EmployeeLineStatus::Ignored:
        return "ignored";
    case EmployeeLineStatus::Skipped:
        return "skipped";
    case EmployeeLineStatus::Failed:
        break;
    }
    return "error";
}

nlohmann::ordered_json resultJson(const EmployeeImportOptions& options, const EmployeeImportResult& result) {
    nlohmann::ordered_json json;
    json["success"] = result.success;
    json["failure"] = result.failure;
    json["year"] = options.year;
    json["error_free_lines"] = result.errorFreeLines;
    json["erroneous_lines"] = result.erroneousLines;
    int64_t created = 0;
    nlohmann::ordered_json yearFiles = nlohmann::ordered_json::array();
    nlohmann::ordered_json lines = nlohmann::ordered_json::array();
    for (const EmployeeLineReport& line : result.lines) {
        if (line.newEmployee) ++created;
        if (!line.yearFile.empty()) yearFiles.push_back(line.yearFile);
        lines.push_back({{"line", line.lineNumber},
                         {"personnel_number", line.personnelNumber},
                         {"name", line.name},
                         {"status", statusText(line.status)},
                         {"new_employee", line.newEmployee},
                         {"year_file", line.yearFile},
                         {"protocol", line.protocol}});
    }
    json["employees_created"] = created;
    json["year_files"] = std::move(yearFiles);
    json["lines"] = std::move(lines);
    json["protocol"] = result.protocol;
    return json;
}

} // namespace

int runImportEmployees(const Options& options, const std::vector<std::string>& args, std::istream&,
                       std::ostream& out, std::ostream& err) {
    const Arguments arguments = importArguments(args);
    const EmployeeImportOptions& importOptions = arguments.options;
    const std::string directory = withSeparator(requireDataDirectory(options, "import"), true);
    const FixedClock clock(today(options));
    if (const std::optional<EmployeeImportRefusal> refusal =
            checkEmployeeImport(importOptions.importFile, importOptions.year, clock))
        throw LorvanError(refusal->message);
    if (auto refusal = protocolFileRefusal(options.protocolFile, importOptions.importFile, directory))
        throw LorvanError(*refusal);

    FixedAnswerPrompter prompter(options.answerYes);
    EmployeeImportEnvironment environment;
    environment.prompter = &prompter;
    environment.clock = &clock;
    environment.dataDirectory = directory;
    const EmployeeImportResult result = runEmployeeImport(importOptions, environment);

    err << result.protocol;
    if (arguments.json) {
        out << resultJson(importOptions, result).dump(2) << '\n';
    } else {
        for (const EmployeeLineReport& line : result.lines)
            if (!line.yearFile.empty()) out << line.yearFile << '\n';
    }
    if (!options.protocolFile.empty()) writeFileAtomically(options.protocolFile, result.protocol);
    return result.success ? 0 : 1;
}

} // namespace lorvan::cli
