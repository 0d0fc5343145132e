#include "cli/commands.h"

#include "app/report_settings.h"
#include "cli/json_fields.h"
#include "cli/output_modules.h"
#include "cli/record_commands.h"
#include "cli/report_output.h"
#include "foundation/error.h"
#include "foundation/number_text.h"
#include "logbook/logbook_print.h"
#include "reports/report_print.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <fstream>
#include <iostream>
#include <limits>

namespace lorvan::cli {
namespace {

constexpr const char* kUsage =
    "logbook-print-input DATEI.json [--from TT.MM.JJJJ] [--to TT.MM.JJJJ] [--json|--pdf AUS]";

// The driven kilometres a trip of the JSON input leaves out: its reading minus the previous valid
// trip's (the start reading before the first), to one decimal as the readings have; a cancelled trip
// counts from the trip directly before it.
void fillDrivenKilometres(LogbookPrintInput& logbook, const std::vector<bool>& given) {
    double previousValid = logbook.startKilometres;
    double previous = logbook.startKilometres;
    for (size_t i = 0; i < logbook.trips.size(); ++i) {
        PrintTrip& trip = logbook.trips[i];
        if (!given[i])
            trip.drivenKilometres =
                roundAmount(trip.kilometres - (trip.cancelled ? previous : previousValid), 0, 1);
        previous = trip.kilometres;
        if (!trip.cancelled) previousValid = trip.kilometres;
    }
}

LogbookPrintInput logbookFromJson(const nlohmann::json& json) {
    if (!json.is_object()) throw LorvanError("Die Eingabe muss ein JSON-Objekt sein.");
    LogbookPrintInput logbook;
    JsonObjectReader reader(json, "logbook");
    reader.get("plate", logbook.plate);
    reader.get("description", logbook.description);
    reader.get("year", logbook.year);
    reader.get("start_street", logbook.startStreet);
    reader.get("start_place", logbook.startPlace);
    reader.get("start_kilometres", logbook.startKilometres);
    std::vector<bool> drivenGiven;
    if (const nlohmann::json* trips = reader.array("trips")) {
        for (size_t i = 0; i < trips->size(); ++i) {
            PrintTrip trip;
            int32_t status = 0;
            double driven = std::numeric_limits<double>::quiet_NaN();
            JsonObjectReader fields((*trips)[i], elementContext("logbook", "trips", i));
            fields.get("kind", trip.kind);
            fields.get("status", status);
            fields.get("driver", trip.driver);
            fields.get("person", trip.person);
            fields.get("customer_name", trip.customerName);
            fields.get("purpose", trip.purpose);
            fields.get("street", trip.street);
            fields.get("place", trip.place);
            fields.get("start_date", trip.startDate);
            fields.get("start_time", trip.startTime);
            fields.get("end_date", trip.endDate);
            fields.get("end_time", trip.endTime);
            fields.get("kilometres", trip.kilometres);
            fields.get("driven_kilometres", driven);
            fields.finish();
            trip.cancelled = status == 1;
            drivenGiven.push_back(!std::isnan(driven));
            if (drivenGiven.back()) trip.drivenKilometres = driven;
            logbook.trips.push_back(trip);
        }
    }
    reader.finish();
    if (logbook.year < 1 || logbook.year > 9999)
        throw LorvanError("logbook-print-input: \"year\" braucht das Jahr des Fahrtenbuchs.");
    fillDrivenKilometres(logbook, drivenGiven);
    return logbook;
}

nlohmann::ordered_json tablesToJson(const std::vector<CReportTable>& tables) {
    nlohmann::ordered_json result = nlohmann::ordered_json::array();
    for (const CReportTable& table : tables) {
        if (isLogbookRule(table))
            result.push_back({{"name", table.name}});
        else
            result.push_back(reportTableToJson(table));
    }
    return result;
}

nlohmann::ordered_json printToJson(const LogbookPrint& print, const LogbookPrintInput& logbook,
                                   const LogbookPrintEnvironment& environment) {
    nlohmann::ordered_json pages = nlohmann::ordered_json::array();
    for (size_t i = 0; i < print.pages().size(); ++i) {
        pages.push_back({
            {"page", i + 1},
            {"tables", tablesToJson(print.pages()[i])},
            {"signature", i + 1 == print.pages().size()},
        });
    }
    const LogbookSums sums = logbookSums(print.selection());
    const auto sum = [](double value) { return roundAmount(value, 0, 2); };
    return {
        {"title", logbookPrintTitle(logbook.plate)},
        {"description", logbook.description},
        {"from", print.periodFrom(logbook)},
        {"to", print.periodTo(logbook)},
        {"period", logbookPeriodLine(print.periodFrom(logbook), print.periodTo(logbook))},
        {"footer", logbookFooter(environment.version)},
        {"trips", print.selection().size()},
        {"estimated_pages", estimatedLogbookPages(print.selection().size())},
        {"sums",
         {
             {"business", sum(sums.business)},
             {"business_share", sums.share(sums.business)},
             {"private", sum(sums.privateUse)},
             {"private_share", sums.share(sums.privateUse)},
             {"commute", sum(sums.commute)},
             {"commute_share", sums.share(sums.commute)},
             {"unknown", sum(sums.unknown)},
             {"unknown_share", sums.share(sums.unknown)},
         }},
        {"pages", pages},
    };
}

} // namespace

int runLogbookPrint(const Options& options, const LogbookPrintInput& logbook,
                    const std::vector<std::string>& arguments, std::ostream& out, const std::string& usage) {
    std::vector<std::string> args = arguments;
    const FileOutput output = takeFileOutput(args, "logbook print");
    if (output.kind == FileOutput::Kind::Xlsx) throw LorvanError("logbook print: nur --json oder --pdf AUS.");
    const std::string from = takeOption(args, "--from", "logbook print", "");
    const std::string to = takeOption(args, "--to", "logbook print", "");
    std::erase(args, std::string("--json"));
    expectArguments(args, 0, usage);

    LogbookPrint print;
    print.setFrom(from);
    print.setTo(to);
    RaisingPrompter prompter;
    print.checkPrintRange(logbook, prompter);

    std::string logo = reportInputsOf(options.settings).logoFile;
    LogbookPrintEnvironment environment;
    environment.logoPath = &logo;
    environment.sink = [](const std::string& message) { std::cerr << message << '\n'; };
    environment.today = today(options);
    environment.version = kProgramVersion;
    // The pages are laid out on the page of the PDF, so both outputs break the pages alike.
    const std::function<void(Surface&)> draw = [&](Surface& surface) {
        printLogbook(surface, print, logbook, environment);
    };
    if (output.kind == FileOutput::Kind::Pdf) {
        writeReportPdf(output.path, false, logbookPrintTitle(logbook.plate), draw);
        return 0;
    }
    const std::function<void(Surface&)> layOut = [&](Surface& surface) {
        PageScope scope(surface);
        CPage page(surface);
        print.layOut(page, logbook, environment);
    };
    PdfModuleRequest request;
    request.draw = &layOut;
    drawPdfThroughModule(request);
    out << printToJson(print, logbook, environment).dump(2) << '\n';
    return 0;
}

int runLogbookPrintInput(const Options& options, const std::vector<std::string>& arguments,
                         std::ostream& out) {
    if (arguments.empty() || arguments.front().rfind("--", 0) == 0) expectArguments({}, 1, kUsage);
    const std::string& path = arguments.front();
    std::ifstream file(path, std::ios::binary);
    if (!file) throw LorvanError("Die Datei '" + path + "' kann nicht gelesen werden.");
    const LogbookPrintInput logbook = logbookFromJson(readJsonInput(file));
    return runLogbookPrint(options, logbook, {arguments.begin() + 1, arguments.end()}, out, kUsage);
}

} // namespace lorvan::cli
