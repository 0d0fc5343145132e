#include "cli/commands.h"

#include "app/open_year_file.h"
#include "cli/record_commands.h"
#include "cli/report_output.h"
#include "foundation/calendar.h"
#include "foundation/error.h"
#include "masterdata/customer_list.h"
#include "reports/weekly_proof.h"
#include "reports/weekly_proof_dialog.h"

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <iostream>
#include <ostream>

namespace lorvan::cli {

namespace {

int32_t weekArgument(const std::string& text) {
    char* end = nullptr;
    const long week = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || week < 0 || week > 99)
        throw LorvanError("weekly-proof: --week braucht eine Kalenderwoche, nicht '" + text + "'.");
    return static_cast<int32_t>(week);
}

// The period as the dialog "Wochenauswertung für" takes it: the week, or "von" and then "bis".
WeeklyProofPeriod periodOf(const CLorvanDoc& document, const std::string& week, const std::string& from,
                           const std::string& to) {
    const bool byWeek = !week.empty();
    if (byWeek == (!from.empty() || !to.empty()))
        throw LorvanError("weekly-proof: --week N oder --from TT.MM.JJJJ --to TT.MM.JJJJ angeben.");
    CDruckWoche dialog(document.settings().name, document.settings().year);
    if (byWeek) {
        dialog.setWeek(weekArgument(week));
    } else {
        if (!from.empty()) dialog.setFrom(dateArgument(from));
        if (!to.empty()) dialog.setTo(dateArgument(to));
    }
    RaisingPrompter prompter;
    return *dialog.period(prompter);
}

} // namespace

int runWeeklyProof(const Options& options, const std::vector<std::string>& arguments, std::ostream& out) {
    std::vector<std::string> args = arguments;
    const FileOutput output = takeFileOutput(args, "weekly-proof");
    const std::string week = takeOption(args, "--week", "weekly-proof", "");
    const std::string from = takeOption(args, "--from", "weekly-proof", "");
    const std::string to = takeOption(args, "--to", "weekly-proof", "");
    std::erase(args, std::string("--json"));
    expectArguments(args, 1,
                    "weekly-proof DATEI (--week N | --from TT.MM.JJJJ --to TT.MM.JJJJ) [--json|--pdf AUS|--xlsx AUS]");
    OpenYearFile file(args[0], options.dataDirectory);
    const WeeklyProofPeriod period = periodOf(file.document, week, from, to);
    CustomerList customerList(OpenYearFile::employeeFileFolder(file.path, options.dataDirectory));
    const CustomerListLookup customers(customerList);
    const EvaluationContext context = file.context();

    if (output.kind == FileOutput::Kind::Xlsx) {
        const CReportTable table = weeklyProofExportTable(file.document, context, period, &customers);
        if (table.rowCount() == 0) throw LorvanError(kNoDataToExport);
        writeReportXlsx(output.path, {table}, weeklyProofSheetName(period));
        return 0;
    }
    const WeeklyProof proof = weeklyProof(file.document, context, period, &customers);
    if (output.kind == FileOutput::Kind::Pdf) {
        std::string logo = reportInputsOf(options.settings).logoFile;
        writeReportPdf(output.path, true, proof.title, [&](Surface& surface) {
            printWeeklyProof(surface, proof, logo, [](const std::string& m) { std::cerr << m << '\n'; });
        });
        return 0;
    }
    nlohmann::ordered_json days = nlohmann::ordered_json::array();
    for (const CReportTable& day : proof.days)
        days.push_back(reportTableToJson(day));
    const nlohmann::ordered_json json{
        {"title", proof.title},
        {"sheet_name", weeklyProofSheetName(period)},
        {"from", formatDate(period.from)},
        {"to", formatDate(period.to)},
        {"week", period.week},
        {"header", reportTableToJson(proof.header)},
        {"days", days},
        {"totals", reportTableToJson(proof.totals)},
        {"export", reportTableToJson(weeklyProofExportTable(file.document, context, period, &customers))},
    };
    out << json.dump(2) << '\n';
    return 0;
}

} // namespace lorvan::cli
