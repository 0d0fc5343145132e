#include "cli/closing_selection.h"
#include "cli/commands.h"
#include "cli/record_commands.h"
#include "cli/report_output.h"

#include "closing/export_files.h"
#include "foundation/error.h"
#include "foundation/file_system.h"
#include "foundation/format.h"
#include "platform/prompter.h"
#include "potential/potential_analysis.h"
#include "potential/potential_form.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <ostream>

namespace lorvan::cli {
namespace {

const char* kPotentialUsage = "potential analyse|times --from WW/JJJJ --to WW/JJJJ [--pze DATEI] [--machine DATEI] "
                              "[--misconduct DATEI] [--xlsx AUS|--csv AUS]";

// The week of --from or --to, with the dialog's messages.
CalendarWeek takeWeek(std::vector<std::string>& args, const char* option, const char* missing, const char* invalid) {
    const std::string given = takeOption(args, option, "potential", "");
    const std::string text(trimWhiteSpace(given));
    if (text.empty()) throw LorvanError(missing);
    const auto week = parseCalendarWeek(text);
    if (!week) throw LorvanError(invalid);
    return *week;
}

// A given file must exist.
std::string takeInputFile(std::vector<std::string>& args, const char* option) {
    const std::string path = takeOption(args, option, "potential", "");
    if (!path.empty() && !fileExists(path)) throw LorvanError(std::string(kFileDoesNotExist) + " " + path);
    return path;
}

} // namespace

int runPotential(const Options& options, const std::vector<std::string>& arguments, std::ostream& out,
                 std::ostream& err) {
    if (arguments.empty() || (arguments.front() != "analyse" && arguments.front() != "times"))
        throw LorvanError(std::string("potential: ") + kPotentialUsage);
    const bool analysis = arguments.front() == "analyse";
    std::vector<std::string> args(arguments.begin() + 1, arguments.end());
    const CalendarWeek from = takeWeek(args, "--from", kWeekFromMissing, kWeekFromInvalid);
    const CalendarWeek to = takeWeek(args, "--to", kWeekToMissing, kWeekToInvalid);
    if (to.year < from.year || (to.year == from.year && to.week < from.week)) throw LorvanError(kWeekToBeforeFrom);
    PotentialFiles files;
    if (analysis) {
        files.pzeBde = takeInputFile(args, "--pze");
        files.machine = takeInputFile(args, "--machine");
        files.misconduct = takeInputFile(args, "--misconduct");
    }
    const FileOutput workbook = takeFileOutput(args, "potential");
    if (workbook.kind == FileOutput::Kind::Pdf) throw LorvanError("potential: --pdf gibt es hier nicht; --xlsx oder --csv angeben.");
    const std::string csv = takeOption(args, "--csv", "potential", "");
    if (!csv.empty() && workbook.kind != FileOutput::Kind::None)
        throw LorvanError("potential: nur eine Ausgabeform angeben (--xlsx oder --csv).");
    const std::string target = csv.empty() ? workbook.path : csv;
    if (!target.empty())
        if (const auto refusal = dataFileRefusal(target)) throw LorvanError(*refusal);
    PotentialSource source{requireDataDirectory(options, "potential"), takeEmployeeSelection(options, args, "potential")};
    if (!args.empty()) throw LorvanError("potential: unbekanntes Argument '" + args.front() + "'.");

    // The messages about the files go to standard error; the table is written in any case.
    FixedAnswerPrompter silent(false, true);
    ProtocolPrompter messages(silent);
    const CReportTable table = analysis ? analyseWeeks(from, to, files, source, messages)
                                        : listWeekTimes(mondayOfWeek(from), to, source, messages);
    err << messages.messages();
    if (!csv.empty()) {
        std::string cause;
        switch (writeWholeTextFile(csv, reportTableCsv(table), cause)) {
        case WriteFailure::Create:
            throw LorvanError("Die Datei konnte nicht angelegt werden: " + csv);
        case WriteFailure::Write:
            throw LorvanError(cause);
        case WriteFailure::None:
            break;
        }
    } else if (workbook.kind == FileOutput::Kind::Xlsx) {
        writeReportXlsx(workbook.path, {table}, potentialExportTitle(from, to, today(options)));
    } else {
        out << reportTableToJson(table).dump(2) << '\n';
    }
    return 0;
}

} // namespace lorvan::cli
