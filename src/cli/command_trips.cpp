#include "cli/commands.h"

#include "cli/json_logbook.h"
#include "cli/record_commands.h"
#include "foundation/error.h"
#include "logbook/trip_assistant.h"
#include "masterdata/customer_list.h"
#include "platform/clock.h"
#include "platform/prompter.h"
#include "yearfile/year_file.h"

#include <nlohmann/json.hpp>

#include <ostream>

namespace lorvan::cli {

namespace {

constexpr const char* kTripsUsage =
    "trips propose DATEI.azr TT.MM.JJJJ [--json] | trips transfer DATEI.azr TT.MM.JJJJ KENNZEICHEN";

// The year file and its day; refused when the day does not exist.
struct DayOfFile {
    CLorvanDoc document;
    CTagDoc* day = nullptr;
};

void openDay(DayOfFile& file, const std::string& path, const std::string& dateText) {
    const Datum date = dateArgument(dateText);
    file.document.openToRead(path);
    CMonatDoc* month = file.document.month(date.month);
    file.day = month != nullptr && file.document.settings().year == date.year ? month->day(date.day) : nullptr;
    if (file.day == nullptr) throw LorvanError("Der Tag " + dateText + " existiert in der Datei nicht.");
}

// The trip with every stored field and what the assistant adds.
nlohmann::json proposedTripJson(const CFahrtDocAssistent& trip, bool withValidity) {
    nlohmann::json json = tripToJson(trip);
    json["index"] = trip.index;
    json["vehicle"] = trip.vehicle;
    json["odometer"] = trip.odometer;
    json["distance"] = trip.distance;
    json["kind_letter"] = trip.kindLetter();
    if (withValidity) {
        json["valid"] = trip.valid;
        json["problem"] = trip.problem;
    }
    return json;
}

std::string tripLine(const CFahrtDocAssistent& trip) {
    const TripRow row = tripRow(trip);
    std::string line = (trip.madeFromTimeLine() ? std::to_string(trip.index) : std::string("-")) + "  " + row.kind +
                       "  " + row.start + " - " + row.arrival + "  nach " + row.person + "  " + row.location + "  " +
                       row.kilometres + " km";
    if (!trip.vehicle.empty()) line += "  [" + trip.vehicle + "]";
    return line;
}

// The assistant of the day with the command line's services: every trip dialog is cancelled,
// every message kept.
struct CommandAssistant {
    FixedClock clock;
    FixedAnswerPrompter answers;
    ProtocolPrompter prompter;
    CustomerList customers;
    DayOfFile file;
    std::unique_ptr<TripAssistant> assistant;

    CommandAssistant(const Options& options, const std::string& path, const std::string& date)
        : clock(commandClock(options)), answers(options.answerYes, true), prompter(answers),
          customers(requireDataDirectory(options, "trips")) {
        openDay(file, path, date);
        TripAssistantServices services;
        services.prompter = &prompter;
        services.clock = &clock;
        services.dataDirectory = options.dataDirectory;
        services.customers = &customers;
        assistant = std::make_unique<TripAssistant>(*file.day, std::move(services));
    }
};

std::vector<std::string> messageLines(ProtocolPrompter& prompter) {
    std::vector<std::string> lines;
    const std::string all = prompter.takeMessages();
    size_t start = 0;
    // Each message ends in "\n"; a message of several lines keeps them.
    for (size_t end = all.find('\n'); end != std::string::npos; end = all.find('\n', start)) {
        lines.push_back(all.substr(start, end - start));
        start = end + 1;
    }
    if (start < all.size()) lines.push_back(all.substr(start));
    return lines;
}

int propose(const Options& options, std::vector<std::string> args, std::ostream& out) {
    const bool json = std::erase(args, std::string("--json")) > 0;
    expectArguments(args, 2, kTripsUsage);
    CommandAssistant run(options, args[0], args[1]);
    TripAssistant& assistant = *run.assistant;
    const bool opened = assistant.open();
    const std::vector<std::string> messages = messageLines(run.prompter);
    if (json) {
        nlohmann::json trips = nlohmann::json::array();
        for (const CFahrtDocAssistent& trip : assistant.trips())
            trips.push_back(proposedTripJson(trip, true));
        nlohmann::json parked = nlohmann::json::array();
        for (const auto& [index, trip] : assistant.parkedTrips())
            parked.push_back(proposedTripJson(trip, false));
        const LogbookEndDisplay end = assistant.logbookEnd();
        const nlohmann::ordered_json result{
            {"day", assistant.dayTitle()},
            {"opened", opened},
            {"vehicle", assistant.currentVehicle()},
            {"vehicles", assistant.vehicleChoice()},
            {"last_trip", {{"at", end.at}, {"kilometres", end.kilometres}, {"street", end.street}, {"place", end.place}}},
            {"trips", trips},
            {"parked", parked},
            {"messages", messages},
        };
        out << result.dump(2) << '\n';
        return opened ? 0 : 1;
    }
    if (!opened) throw LorvanError(messages.empty() ? std::string() : messages.back());
    out << "Tag: " << assistant.dayTitle() << '\n';
    out << "Fahrzeug: " << assistant.currentVehicle() << '\n';
    const LogbookEndDisplay end = assistant.logbookEnd();
    out << "Letzte erfasste Fahrt: " << end.at << "  " << end.kilometres << " km  " << end.street << ", " << end.place
        << '\n';
    for (const CFahrtDocAssistent& trip : assistant.trips())
        out << tripLine(trip) << (trip.valid ? "" : "  UNGÜLTIG: " + trip.problem) << '\n';
    if (!assistant.parkedTrips().empty()) {
        out << "Andere Fahrzeuge:\n";
        for (const auto& [index, trip] : assistant.parkedTrips())
            out << tripLine(trip) << '\n';
    }
    for (const std::string& message : messages)
        out << message << '\n';
    return 0;
}

int transfer(const Options& options, const std::vector<std::string>& args, std::ostream& out) {
    expectArguments(args, 3, kTripsUsage);
    CommandAssistant run(options, args[0], args[1]);
    TripAssistant& assistant = *run.assistant;
    const std::string& plate = args[2];
    const auto refuse = [&] {
        const std::vector<std::string> messages = messageLines(run.prompter);
        std::string text;
        for (const std::string& message : messages)
            text += (text.empty() ? "" : "\n") + message;
        throw LorvanError(text);
    };
    if (!assistant.open()) refuse();
    if (assistant.currentVehicle() != plate) {
        assistant.changeVehicle(plate);
        if (assistant.currentVehicle() != plate) refuse();
    }
    messageLines(run.prompter);
    const size_t count = assistant.trips().size();
    const CTwFahrtenbuchDoc& logbook = *assistant.logbook();
    const std::string path = logbook.path();
    const size_t before = logbook.trips.size();
    assistant.transfer();
    CTwFahrtenbuchDoc stored;
    stored.openToRead(path);
    if (stored.trips.size() != before + count) refuse();
    out << count << (count == 1 ? " Fahrt" : " Fahrten") << " ins Fahrtenbuch " << plate << " "
        << assistant.year() << " übernommen.\n";
    // What stays for other vehicles, and why the window would close.
    if (assistant.logbook() != nullptr && assistant.currentVehicle() != plate && !assistant.trips().empty())
        out << "Weiter mit dem Fahrzeug " << assistant.currentVehicle() << ".\n";
    for (const std::string& message : messageLines(run.prompter))
        out << message << '\n';
    return 0;
}

} // namespace

int runTrips(const Options& options, const std::vector<std::string>& args, std::ostream& out) {
    if (args.empty()) throw LorvanError(std::string("Aufruf: ") + kTripsUsage);
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "propose") return propose(options, rest, out);
    if (args[0] == "transfer") return transfer(options, rest, out);
    throw LorvanError(std::string("Aufruf: ") + kTripsUsage);
}

} // namespace lorvan::cli
