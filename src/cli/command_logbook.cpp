#include "cli/commands.h"
#include "cli/json_logbook.h"
#include "cli/record_commands.h"
#include "foundation/error.h"
#include "foundation/file_system.h"
#include "foundation/format.h"
#include "logbook/logbook_print.h"
#include "logbook/logbook_window.h"
#include "logbook/trip_dialog.h"
#include "logbook/vehicle_list.h"
#include "masterdata/customer_list.h"
#include "platform/prompter.h"

#include <limits>
#include <tuple>
#include <ostream>
#include <string>
#include <vector>

namespace lorvan::cli {
namespace {

using nlohmann::json;

constexpr const char* kUsage =
    "logbook vehicles [--json] | add-vehicle < JSON | create KENNZ JAHR [--start-kilometres KM] [--start-street TEXT] "
    "[--start-place TEXT] | show KENNZ JAHR [--json] | add-trip KENNZ JAHR < JSON | edit-trip KENNZ JAHR N < JSON | "
    "delete-trip KENNZ JAHR N | cancel-trip KENNZ JAHR N";

int32_t numberArgument(const std::string& text, const char* what) {
    bool valid = !text.empty() && text.size() <= 9;
    for (char c : text)
        valid = valid && c >= '0' && c <= '9';
    if (!valid) throw LorvanError(std::string("Ungültige Angabe für ") + what + ": '" + text + "'");
    return std::stoi(text);
}

// "Fahrzeug bearbeiten" filled from the input; opened again after a refusal, it is cancelled.
class InputVehicleDialog final : public VehicleDialogRunner {
  public:
    explicit InputVehicleDialog(const json& input) : input_(input) {}
    bool run(CFahrzDoc& vehicle) override {
        if (runs_++ > 0) return false;
        vehicleFromJson(input_, vehicle, "Fahrzeug");
        return true;
    }

  private:
    const json& input_;
    int runs_ = 0;
};

// "Fahrtenbuch-Eintrag" filled from the input: the keys that are there are typed into their fields
// (with the coupling of the kilometre fields), then OK.
class InputTripDialog final : public TripDialogRunner {
  public:
    InputTripDialog(const json& input, Prompter& prompter) : input_(input), prompter_(prompter) {}

    bool run(TripDialog& dialog) override {
        if (dialog.readOnly())
            throw LorvanError("Der Eintrag ist älter als ein Tag und kann deshalb nicht mehr geändert werden.");
        json typed = input_;
        std::optional<double> driven;
        if (typed.is_object() && typed.contains("driven_kilometres")) {
            const json& value = typed["driven_kilometres"];
            if (!value.is_number()) throw LorvanError("Fahrt: 'driven_kilometres' muss eine Zahl sein.");
            driven = value.get<double>();
            typed.erase("driven_kilometres");
        }
        CFahrtDoc wanted = dialog.trip();
        typedTripFromJson(typed, wanted, "Fahrt");
        // The typed fields in the order of the dialog, each only when the input has it.
        const std::tuple<const char*, TripField, const std::string*> texts[] = {
            {"person", TripField::Person, &wanted.person},
            {"street", TripField::Street, &wanted.street},
            {"place", TripField::Place, &wanted.place},
            {"purpose", TripField::Purpose, &wanted.purpose},
            {"driver", TripField::Driver, &wanted.driver},
            {"start_date", TripField::StartDate, &wanted.startDate},
            {"start_time", TripField::StartTime, &wanted.startTime},
            {"end_date", TripField::EndDate, &wanted.endDate},
            {"end_time", TripField::EndTime, &wanted.endTime},
        };
        for (const auto& [key, field, value] : texts)
            if (typed.contains(key)) dialog.setText(field, *value);
        if (typed.contains("kind")) {
            if (wanted.kindValue < 0 || wanted.kindValue > 3)
                throw LorvanError("Fahrt: 'kind' muss 0 (Geschäftlich), 1 (Arbeitsweg), 2 (Privat) oder 3 (Unbekannt) sein.");
            dialog.setKind(static_cast<TripKind>(wanted.kindValue));
        }
        if (typed.contains("kilometres")) {
            dialog.setText(TripField::Kilometres, kilometresText(wanted.kilometres));
            dialog.leave(TripField::Kilometres);
        }
        if (driven) {
            dialog.setText(TripField::DrivenKilometres, kilometresText(*driven));
            dialog.leave(TripField::DrivenKilometres);
        }
        return dialog.confirm(prompter_) == TripField::None;
    }

  private:
    const json& input_;
    Prompter& prompter_;
};

struct Session {
    FixedAnswerPrompter prompter;
    FixedClock clock;
    CustomerList customers;
    LogbookEnvironment environment;

    explicit Session(const Options& options)
        : prompter(options.answerYes), clock(commandClock(options)), customers(options.dataDirectory) {
        environment.dataDirectory = options.dataDirectory;
        environment.prompter = &prompter;
        environment.clock = &clock;
        environment.customers = &customers;
    }
};

// The logbook path of a plate (the vehicle's own plate when the text is its file-name form).
std::string pathOf(const Session& session, const CTwFahrzDoc& vehicles, const std::string& plate,
                   int32_t year) {
    const CFahrzDoc* vehicle = vehicles.findVehicle(plate);
    return logbookPath(session.environment.dataDirectory, vehicle ? vehicle->plate : plate, year);
}

std::unique_ptr<LogbookWindow> openExisting(const Session& session, const std::string& plate, int32_t year) {
    // The vehicle file is read once: for the plate and for the window's vehicle description.
    CTwFahrzDoc vehicles;
    const std::string vehiclePath = vehicleFilePath(session.environment.dataDirectory);
    if (fileExists(vehiclePath)) vehicles.openToRead(vehiclePath);
    const std::string path = pathOf(session, vehicles, plate, year);
    if (!fileExists(path))
        throw LorvanError(format("Für das Kennzeichen '%s' gibt es kein Fahrtenbuch des Jahres %ld.", plate.c_str(),
                                 static_cast<long>(year)));
    return LogbookWindow::open(path, vehicles, session.environment);
}

size_t tripIndex(const LogbookWindow& window, const std::string& text) {
    const int32_t number = numberArgument(text, "die Nummer der Fahrt");
    if (number < 1 || static_cast<size_t>(number) > window.logbook().trips.size())
        throw LorvanError("Das Fahrtenbuch hat keine Fahrt Nummer " + text + ".");
    return static_cast<size_t>(number - 1);
}

int vehicles(const Session& session, const std::vector<std::string>& args, std::ostream& out) {
    if (args.size() > 1 || (args.size() == 1 && args[0] != "--json"))
        throw LorvanError("Aufruf: logbook vehicles [--json]");
    const VehicleList list(session.environment);
    if (!args.empty()) {
        json rows = json::array();
        for (const CFahrzDoc& vehicle : list.rows())
            rows.push_back(vehicleToJson(vehicle));
        out << rows.dump(2) << '\n';
        return 0;
    }
    for (const CFahrzDoc& vehicle : list.rows())
        out << vehicle.plate << '\t' << vehicle.description << '\n';
    return 0;
}

int create(Session& session, const std::vector<std::string>& args, std::ostream& out) {
    if (args.size() < 2 || args.size() % 2 != 0)
        throw LorvanError("Aufruf: logbook create KENNZ JAHR [--start-kilometres KM] [--start-street TEXT] "
                          "[--start-place TEXT]");
    const int32_t year = numberArgument(args[1], "das Jahr");
    VehicleList list(session.environment);
    const CFahrzDoc* vehicle = list.file().findVehicle(args[0]);
    if (!vehicle) throw LorvanError("Es konnte kein Fahrzeug mit dem Kennzeichen '" + args[0] + "' gefunden werden.");
    list.setYear(year);
    const std::string plate = vehicle->plate;
    if (fileExists(logbookPath(session.environment.dataDirectory, plate, year))) throw LorvanError(kLogbookExists);
    const VehicleList::LogbookChoice choice = list.chooseLogbook(plate);
    if (choice.path.empty()) return 1;
    auto window = LogbookWindow::open(choice.path, list.file(), session.environment);
    if (!window) return 1;
    for (size_t i = 2; i < args.size(); i += 2) {
        const StartField field = args[i] == "--start-kilometres" ? StartField::Kilometres
                                 : args[i] == "--start-street"   ? StartField::Street
                                 : args[i] == "--start-place"    ? StartField::Place
                                                                 : StartField::None;
        if (field == StartField::None) throw LorvanError("Unbekannte Option: " + args[i]);
        if (!window->setStartText(field, args[i + 1]))
            throw LorvanError("Die Startwerte können nach Erfassung des ersten Eintrags nicht mehr geändert werden.");
    }
    if (!window->saveAndClose()) return 1;
    out << window->logbook().path() << '\n';
    return 0;
}

int show(const Session& session, const std::vector<std::string>& args, std::ostream& out) {
    if (args.size() < 2 || args.size() > 3 || (args.size() == 3 && args[2] != "--json"))
        throw LorvanError("Aufruf: logbook show KENNZ JAHR [--json]");
    auto window = openExisting(session, args[0], numberArgument(args[1], "das Jahr"));
    if (!window) return 1;
    const CTwFahrtenbuchDoc& logbook = window->logbook();
    const KindSums sums = logbook.sumsByKind();
    if (args.size() == 3) {
        json trips = json::array();
        for (size_t i = 0; i < logbook.trips.size(); ++i) {
            json trip = tripToJson(logbook.trips[i]);
            trip["number"] = i + 1;
            trip["kind_letter"] = logbook.trips[i].kindLetter();
            trip["driven_kilometres"] = logbook.drivenKilometres(i);
            trip["start_location"] = logbook.startLocation(i);
            trip["time_span"] = logbook.trips[i].timeSpanText(true);
            trip["deletable"] = window->deletable(i);
            trips.push_back(std::move(trip));
        }
        json result = logbookToJson(logbook);
        result["description"] = window->vehicleDescription();
        result["trips"] = std::move(trips);
        result["sums"] = json{{"business", sums.business},
                              {"commute", sums.commute},
                              {"private", sums.privateUse},
                              {"unknown", sums.unknown}};
        out << result.dump(2) << '\n';
        return 0;
    }
    out << "Fahrtenbuch " << logbook.year << " " << logbook.plate;
    if (!window->vehicleDescription().empty()) out << " - " << window->vehicleDescription();
    out << (logbook.isClosed() ? " (abgeschlossen)" : "") << '\n';
    out << "Start: " << logbook.startStreet << ", " << logbook.startPlace << ", Kilometerstand "
        << kilometresText(logbook.startKilometres) << '\n';
    out << "Nr\tArt\tStart\tnach\tOrt\tKilometerstand\tAnkunft\n";
    const std::vector<TripRow> rows = window->rows();
    for (size_t i = 0; i < rows.size(); ++i)
        out << i + 1 << '\t' << rows[i].kind << '\t' << rows[i].start << '\t' << rows[i].person << '\t'
            << rows[i].location << '\t' << rows[i].kilometres << '\t' << rows[i].arrival << '\n';
    out << "Geschäftlich " << kilometresText(sums.business) << " km, Arbeitsweg " << kilometresText(sums.commute)
        << " km, Privat " << kilometresText(sums.privateUse) << " km, Unbekannt " << kilometresText(sums.unknown)
        << " km\n";
    return 0;
}

} // namespace

int runLogbook(const Options& options, const std::vector<std::string>& args, std::istream& in, std::ostream& out) {
    if (args.empty()) throw LorvanError(std::string("Aufruf: ") + kUsage);
    const std::string& sub = args[0];
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    requireDataDirectory(options, "logbook");
    Session session(options);

    if (sub == "vehicles") return vehicles(session, rest, out);
    if (sub == "add-vehicle") {
        expectArguments(rest, 0, "logbook add-vehicle < JSON");
        const json input = readJsonInput(in);
        VehicleList list(session.environment);
        InputVehicleDialog dialog(input);
        if (!list.newVehicle(dialog) || !list.save()) return 1;
        return 0;
    }
    if (sub == "create") return create(session, rest, out);
    if (sub == "show") return show(session, rest, out);
    if (sub == "print") {
        static constexpr const char* kPrintUsage = "logbook print KENNZ JAHR [--from TT.MM.JJJJ] [--to TT.MM.JJJJ] "
                                                   "[--json|--pdf AUS]";
        if (rest.size() < 2) throw LorvanError(std::string("Aufruf: ") + kPrintUsage);
        auto window = openExisting(session, rest[0], numberArgument(rest[1], "das Jahr"));
        if (!window) return 1;
        return runLogbookPrint(options, logbookPrintInput(window->logbook(), window->vehicleDescription()),
                               std::vector<std::string>(rest.begin() + 2, rest.end()), out, kPrintUsage);
    }
    if (sub == "add-trip" || sub == "edit-trip") {
        const bool add = sub == "add-trip";
        expectArguments(rest, add ? 2 : 3, add ? "logbook add-trip KENNZ JAHR < JSON" : "logbook edit-trip KENNZ JAHR N < JSON");
        const json input = readJsonInput(in);
        auto window = openExisting(session, rest[0], numberArgument(rest[1], "das Jahr"));
        if (!window) return 1;
        InputTripDialog dialog(input, session.prompter);
        if (add) {
            const size_t before = window->logbook().trips.size();
            if (window->newTrip(dialog) != StartField::None || window->logbook().trips.size() == before) return 1;
            if (!window->save()) return 1;
            out << "Fahrt " << window->logbook().trips.size() << " erfasst.\n";
            return 0;
        }
        const size_t index = tripIndex(*window, rest[2]);
        if (window->logbook().isClosed()) throw LorvanError(kLogbookClosed);
        if (!window->editTrip(index, dialog)) return 1;
        return 0;
    }
    if (sub == "delete-trip" || sub == "cancel-trip") {
        expectArguments(rest, 3, "logbook " + sub + " KENNZ JAHR N");
        auto window = openExisting(session, rest[0], numberArgument(rest[1], "das Jahr"));
        if (!window) return 1;
        const size_t index = tripIndex(*window, rest[2]);
        if (sub == "delete-trip") {
            window->removeTrip(index);
        } else {
            window->cancelTrip(index);
        }
        return window->save() ? 0 : 1;
    }
    throw LorvanError(std::string("Aufruf: ") + kUsage);
}

} // namespace lorvan::cli
