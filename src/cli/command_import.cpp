#include "cli/commands.h"

#include "cli/record_commands.h"
#include "foundation/calendar.h"
#include "foundation/error.h"
#include "import/time_import.h"
#include "platform/clock.h"
#include "platform/prompter.h"
#include "yearfile/year_file.h"
#include "yearsettings/file_settings_environment.h"

#include <ostream>

// import times|absences FILE ...: the import of working times and absences ("Arbeitszeiten
// importieren") without a screen. Questions are answered by --yes / --no, the new year files'
// settings are checked as the settings dialog's OK checks them; the protocol goes to standard error
// as it arises, to --protocol when given, and into the JSON.
namespace lorvan::cli {
namespace {

constexpr const char* kUsage =
    "import times|absences DATEI [--layout standard|column|clock] [--skip-first-line] "
    "[--keep-existing] [--log-all] [--json]";

struct ImportArguments {
    TimeImportOptions options;
    bool json = false;
};

ImportArguments importArguments(const std::vector<std::string>& args) {
    const auto refuse = [](const std::string& problem) {
        return LorvanError(problem + "\nAufruf: lorvan-cli " + kUsage);
    };
    if (args.empty() || (args[0] != "times" && args[0] != "absences"))
        throw refuse("import: times oder absences angeben.");
    const bool times = args[0] == "times";
    ImportArguments result;
    std::string layout = "standard";
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--layout") {
            if (i + 1 >= args.size()) throw refuse("--layout braucht einen Wert.");
            layout = args[++i];
        } else if (arg == "--skip-first-line") {
            result.options.skipFirstLine = true;
        } else if (arg == "--keep-existing") {
            result.options.keepExisting = true;
        } else if (arg == "--log-all") {
            result.options.logAll = true;
        } else if (arg == "--json") {
            result.json = true;
        } else if (arg.rfind("--", 0) == 0 || !result.options.importFile.empty()) {
            throw refuse("Unbekannte Angabe '" + arg + "'");
        } else {
            result.options.importFile = arg;
        }
    }
    if (result.options.importFile.empty()) throw refuse("import: die Importdatei fehlt.");
    if (layout == "standard")
        result.options.mode = times ? ImportMode::StandardTimes : ImportMode::StandardAbsences;
    else if (layout == "column" && !times)
        result.options.mode = ImportMode::CompanyAbsences;
    else if (layout == "clock" && times)
        result.options.mode = ImportMode::CompanyTimes;
    else if (layout == "column" || layout == "clock")
        throw refuse("Die Dateiform '" + layout + "' gehört zu 'import " + (times ? "absences" : "times") +
                     "'.");
    else
        throw refuse("Unbekannte Dateiform '" + layout + "' (standard, column oder clock).");
    return result;
}

const char* statusText(ImportDayStatus status) {
    switch (status) {
    case ImportDayStatus::Imported:
        return "imported";
    case ImportDayStatus::Skipped:
        return "skipped";
    case ImportDayStatus::Failed:
        break;
    }
    return "failed";
}

nlohmann::ordered_json resultJson(const TimeImportResult& result) {
    nlohmann::ordered_json json;
    json["success"] = result.success;
    json["stop_reason"] = result.stopReason;
    json["error_free_lines"] = result.errorFreeLines;
    json["erroneous_lines"] = result.erroneousLines;
    json["ignored_lines"] = result.ignoredLines;
    json["employees"] = result.employees;
    json["days_imported"] = result.daysImported;
    json["days_skipped"] = result.daysSkipped;
    json["days_failed"] = result.daysFailed;
    json["days_with_warnings"] = result.daysWithWarnings;
    json["files_written"] = result.filesWritten;
    nlohmann::ordered_json lines = nlohmann::ordered_json::array();
    for (const ImportLineReport& line : result.lines)
        lines.push_back({{"line", line.number},
                         {"status", line.ignored ? "ignored" : "error"},
                         {"protocol", line.protocol}});
    json["lines"] = std::move(lines);
    nlohmann::ordered_json days = nlohmann::ordered_json::array();
    for (const ImportDayReport& day : result.days)
        days.push_back({{"employee_number", day.employeeNumber},
                        {"employee", day.employee},
                        {"date", formatDate(day.date)},
                        {"status", statusText(day.status)},
                        {"warnings", day.warnings},
                        {"errors", day.errors},
                        {"lines_written", day.linesWritten},
                        {"absences", day.absences},
                        {"protocol", day.protocol}});
    json["days"] = std::move(days);
    json["protocol"] = result.protocol;
    return json;
}

} // namespace

int runImport(const Options& options, const std::vector<std::string>& args, std::istream& in,
              std::ostream& out, std::ostream& err) {
    if (!args.empty() && args[0] == "employees")
        return runImportEmployees(options, std::vector<std::string>(args.begin() + 1, args.end()), in, out,
                                  err);
    ImportArguments arguments = importArguments(args);
    TimeImportOptions& importOptions = arguments.options;
    importOptions.protocolFile = options.protocolFile;
    const std::string& directory = requireDataDirectory(options, "import");
    if (const std::optional<ImportStartRefusal> refusal = checkImportStart(importOptions, directory))
        throw LorvanError(refusal->message);

    const FixedClock clock(today(options));
    FixedAnswerPrompter prompter(options.answerYes);
    TimeImportEnvironment environment;
    environment.prompter = &prompter;
    environment.clock = &clock;
    environment.dataDirectory = directory;
    environment.monthClosed = monthClosedRule(options);
    // A new year file's settings pass the checks of the settings dialog's OK, as they are.
    environment.confirmNewFileSettings = [&](CLorvanDoc& document) {
        FileSettingsDialog dialog(document.settings(), true, fileSettingsEnvironment(directory, clock));
        if (dialog.confirm(prompter)) return false;
        dialog.applyTo(document);
        return true;
    };
    environment.echo = [&err](const std::string& text) { err << text; };

    const TimeImportResult result = runTimeImport(importOptions, environment);
    if (arguments.json) {
        out << resultJson(result).dump(2) << '\n';
    } else {
        for (const std::string& path : result.filesWritten)
            out << path << '\n';
    }
    return result.success ? 0 : 1;
}

} // namespace lorvan::cli
