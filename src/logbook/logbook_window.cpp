#include "logbook/logbook_window.h"

#include "foundation/error.h"
#include "foundation/file_system.h"
#include "foundation/format.h"
#include "logbook/vehicle_file.h"
#include "logbook/word_lists.h"
#include "platform/clock.h"
#include "platform/prompter.h"

namespace lorvan {
namespace {

const Clock& clockOf(const LogbookEnvironment& environment) {
    if (!environment.clock) throw LorvanError(kPointerNotSet);
    return *environment.clock;
}

Prompter& prompterOf(const LogbookEnvironment& environment) {
    if (!environment.prompter) throw LorvanError(kPointerNotSet);
    return *environment.prompter;
}

constexpr const char* kStartPlaceMissing =
    "Es muss als erstes der Standort bei Beginn der Führung des Fahrtenbuchs eingetragen werden.\n"
    "Dieser kann nach Erfassung des ersten Eintrags nicht mehr geändert werden.";
constexpr const char* kStartKilometresMissing =
    "Es muss als erstes der Kilometerstand bei Beginn der Führung des Fahrtenbuchs eingetragen werden.\n"
    "Dieser kann nach Erfassung des ersten Eintrags nicht mehr geändert werden.";

// "<start date> nach <street>": how the questions name a trip.
std::string tripName(const CFahrtDoc& trip) {
    return trip.startDate + " nach " + trip.street;
}

// The vehicle file of the data directory; a missing one has no vehicles.
CTwFahrzDoc readVehicles(const std::string& dataDirectory) {
    CTwFahrzDoc vehicles;
    const std::string path = vehicleFilePath(dataDirectory);
    if (fileExists(path)) vehicles.openToRead(path);
    return vehicles;
}

} // namespace

StorageContext LogbookEnvironment::storage() const {
    StorageContext context;
    context.prompter = prompter;
    context.dataDirectory = dataDirectory;
    context.recent = recent;
    return context;
}

TripRow tripRow(const CFahrtDoc& trip) {
    return TripRow{trip.kindLetter(), trip.startDate + " " + trip.startTime, trip.shownPerson(), trip.locationText(),
                   trip.kilometresText(), trip.endDate + " " + trip.endTime, trip.cancelled()};
}

std::string closePreviousYearQuestion(int32_t previousYear) {
    return "Soll das Fahrtenbuch aus dem Jahr " + std::to_string(previousYear) +
           " jetzt abgeschlossen werden?\n\nBerücksichtigen Sie bitte, dass dann dort keine Änderungen mehr "
           "gemacht werden können!";
}

bool closeLogbook(CTwFahrtenbuchDoc& logbook, const LogbookEnvironment& environment) {
    logbook.closed = 1;
    if (logbook.save(logbook.path(), true, environment.storage())) return true;
    logbook.closed = 0;
    return false;
}

std::optional<CTwFahrtenbuchDoc> createLogbook(const std::string& path, const CTwFahrzDoc& vehicles,
                                               const LogbookEnvironment& environment) {
    const auto name = logbookNameOf(path);
    const std::string part = name ? name->platePart : fileNameOfPath(path);
    const CFahrzDoc* vehicle = name ? vehicles.findVehicle(part) : nullptr;
    if (!vehicle) throw LorvanError("Es konnte kein Fahrzeug mit dem Kennzeichen '" + part + "' gefunden werden.");

    CTwFahrtenbuchDoc logbook;
    logbook.plate = vehicle->plate;
    logbook.year = name->year;

    const std::string previousPath = withSeparator(directoryOfPath(path, false), true) +
                                     logbookFileName(vehicle->plate, name->year - 1);
    if (fileExists(previousPath)) {
        CTwFahrtenbuchDoc previous;
        openLogbook(previous, previousPath, clockOf(environment));
        if (!previous.isClosed()) {
            if (!prompterOf(environment).askYesNo(closePreviousYearQuestion(name->year - 1))) return std::nullopt;
            if (!closeLogbook(previous, environment)) return std::nullopt;
        }
        if (const auto last = previous.lastValidTrip()) {
            const CFahrtDoc& trip = previous.trips[*last];
            logbook.startKilometres = trip.kilometres;
            logbook.startPlace = trip.place;
            logbook.startStreet = trip.street;
        } else {
            logbook.startKilometres = previous.startKilometres;
            logbook.startPlace = previous.startPlace;
            logbook.startStreet = previous.startStreet;
        }
    }
    return logbook;
}

LogbookWindow::LogbookWindow(CTwFahrtenbuchDoc logbook, std::string vehicleDescription,
                             LogbookEnvironment environment, std::string newPath)
    : logbook_(std::move(logbook)), description_(std::move(vehicleDescription)), changed_(!newPath.empty()),
      environment_(std::move(environment)), pathForNew_(std::move(newPath)) {
    startStreet_ = logbook_.startStreet;
    startPlace_ = logbook_.startPlace;
    startKilometres_ = kilometresText(logbook_.startKilometres);
}

std::unique_ptr<LogbookWindow> LogbookWindow::open(const std::string& path, const LogbookEnvironment& environment) {
    CTwFahrzDoc vehicles;
    try {
        vehicles = readVehicles(environment.dataDirectory);
    } catch (const LorvanError& e) {
        prompterOf(environment).error(e.what());
        return nullptr;
    }
    return open(path, vehicles, environment);
}

std::unique_ptr<LogbookWindow> LogbookWindow::open(const std::string& path, const CTwFahrzDoc& vehicles,
                                                   const LogbookEnvironment& environment) {
    Prompter& prompter = prompterOf(environment);
    try {
        if (fileExists(path)) {
            CTwFahrtenbuchDoc logbook;
            openLogbook(logbook, path, clockOf(environment));
            const CFahrzDoc* vehicle = vehicles.findByPlate(logbook.plate);
            if (environment.recent) environment.recent->addPath(path);
            return std::make_unique<LogbookWindow>(std::move(logbook), vehicle ? vehicle->description : std::string(),
                                                   environment);
        }
        auto created = createLogbook(path, vehicles, environment);
        if (!created) return nullptr;
        const CFahrzDoc* vehicle = vehicles.findByPlate(created->plate);
        return std::make_unique<LogbookWindow>(std::move(*created), vehicle ? vehicle->description : std::string(),
                                               environment, path);
    } catch (const LorvanError& e) {
        prompter.error(e.what());
        return nullptr;
    }
}

std::string LogbookWindow::printFrom() const {
    return format("01.01.%ld", static_cast<long>(logbook_.year));
}

std::string LogbookWindow::printTo() const {
    return format("31.12.%ld", static_cast<long>(logbook_.year));
}

std::vector<TripRow> LogbookWindow::rows() const {
    std::vector<TripRow> rows;
    rows.reserve(logbook_.trips.size());
    for (const CFahrtDoc& trip : logbook_.trips)
        rows.push_back(tripRow(trip));
    return rows;
}

bool LogbookWindow::deletable(size_t index) const {
    return logbook_.deletable(index, clockOf(environment_).now());
}

bool LogbookWindow::startValuesEditable() const {
    return logbook_.trips.empty() && !logbook_.isClosed();
}

std::string LogbookWindow::startText(StartField field) const {
    switch (field) {
    case StartField::Street: return startStreet_;
    case StartField::Place: return startPlace_;
    case StartField::Kilometres: return startKilometres_;
    case StartField::None: break;
    }
    return std::string();
}

bool LogbookWindow::setStartText(StartField field, const std::string& text) {
    if (!startValuesEditable()) return false;
    switch (field) {
    case StartField::Street: startStreet_ = text; break;
    case StartField::Place: startPlace_ = text; break;
    case StartField::Kilometres: startKilometres_ = text; break;
    case StartField::None: return false;
    }
    changed_ = true;
    return true;
}

StartField LogbookWindow::missingStartValue() const {
    if (startPlace_.empty()) return StartField::Place;
    if (startStreet_.empty()) return StartField::Street;
    if (!(kilometresOf(startKilometres_) > 0.0)) return StartField::Kilometres;
    return StartField::None;
}

StartField LogbookWindow::takeStartValues() {
    if (const StartField missing = missingStartValue(); missing != StartField::None) {
        prompterOf(environment_)
            .warn(missing == StartField::Kilometres ? kStartKilometresMissing : kStartPlaceMissing);
        return missing;
    }
    logbook_.startPlace = startPlace_;
    logbook_.startStreet = startStreet_;
    logbook_.startKilometres = kilometresOf(startKilometres_);
    return StartField::None;
}

TripDialog LogbookWindow::tripDialog(size_t index) const {
    const ClockTime now = clockOf(environment_).now();
    const bool isNewTrip = index >= logbook_.trips.size();
    const size_t position = isNewTrip ? logbook_.trips.size() : index;
    TripDialogSetup setup;
    setup.vehicle = tripVehicleText(logbook_.plate, description_);
    setup.startLocation = logbook_.startLocation(position);
    setup.check = tripCheckContext(logbook_, position, now.date);
    setup.readOnly = !isNewTrip && !logbook_.deletable(index, now);
    setup.words = environment_.words;
    setup.customers = environment_.customers;
    return TripDialog(isNewTrip ? CFahrtDoc::newTrip(now) : logbook_.trips[index], std::move(setup));
}

StartField LogbookWindow::newTrip(TripDialogRunner& runner) {
    if (logbook_.isClosed()) {
        prompterOf(environment_).warn(kLogbookClosed);
        return StartField::None;
    }
    if (logbook_.trips.empty())
        if (const StartField missing = takeStartValues(); missing != StartField::None) return missing;
    TripDialog dialog = tripDialog(logbook_.trips.size());
    if (runner.run(dialog)) {
        logbook_.trips.push_back(dialog.trip());
        touch();
    }
    return StartField::None;
}

bool LogbookWindow::editTrip(size_t index, TripDialogRunner& runner) {
    if (index >= logbook_.trips.size()) return false;
    TripDialog dialog = tripDialog(index);
    if (!runner.run(dialog) || dialog.readOnly()) return false;
    logbook_.trips[index] = dialog.trip();
    touch();
    return save();
}

DeleteOutcome LogbookWindow::deleteTrip(std::optional<size_t> index) {
    Prompter& prompter = prompterOf(environment_);
    if (logbook_.isClosed()) {
        prompter.warn(kLogbookClosed);
        return DeleteOutcome::Refused;
    }
    if (!index || *index >= logbook_.trips.size()) return DeleteOutcome::Beep;
    CFahrtDoc& trip = logbook_.trips[*index];
    const std::string question = format("Soll '%s' gelöscht werden?", tripName(trip).c_str());
    if (deletable(*index)) {
        if (!prompter.askYesNo(question)) return DeleteOutcome::Kept;
        logbook_.trips.erase(logbook_.trips.begin() + static_cast<std::ptrdiff_t>(*index));
        touch();
        return DeleteOutcome::Deleted;
    }
    if (trip.cancelled()) {
        prompter.warn(std::string(kTripAlreadyCancelled) + "\n" + kTripTooOld);
        return DeleteOutcome::Refused;
    }
    if (!prompter.askYesNo(std::string(kTripTooOld) + "\n\n" +
                           format("Soll '%s' jetzt storniert werden?", tripName(trip).c_str())))
        return DeleteOutcome::Kept;
    trip.status = 1;
    touch();
    return DeleteOutcome::Cancelled;
}

void LogbookWindow::requireOpen() const {
    if (logbook_.isClosed()) throw LorvanError(kLogbookClosed);
}

void LogbookWindow::touch() {
    changed_ = true;
    ++revision_;
}

void LogbookWindow::appendTrip(const CFahrtDoc& trip) {
    requireOpen();
    logbook_.trips.push_back(trip);
    touch();
}

void LogbookWindow::replaceTrip(size_t index, const CFahrtDoc& trip) {
    requireOpen();
    if (!deletable(index)) throw LorvanError("Der Eintrag ist älter als ein Tag und kann deshalb nicht mehr geändert werden.");
    logbook_.trips.at(index) = trip;
    touch();
}

void LogbookWindow::removeTrip(size_t index) {
    requireOpen();
    if (!deletable(index)) throw LorvanError(kTripTooOld);
    logbook_.trips.erase(logbook_.trips.begin() + static_cast<std::ptrdiff_t>(index));
    touch();
}

void LogbookWindow::cancelTrip(size_t index) {
    requireOpen();
    CFahrtDoc& trip = logbook_.trips.at(index);
    if (trip.cancelled()) throw LorvanError(kTripAlreadyCancelled);
    trip.status = 1;
    touch();
}

bool LogbookWindow::save() {
    const StorageContext storage = environment_.storage();
    const std::string path = isNew() ? pathForNew_ : logbook_.path();
    if (isNew() && fileExists(path)) {
        prompterOf(environment_).error(kLogbookExists);
        return false;
    }
    if (!logbook_.save(path, true, storage)) return false;
    if (isNew() && environment_.recent) environment_.recent->addPath(path);
    pathForNew_.clear();
    changed_ = false;
    return true;
}

bool LogbookWindow::saveAndClose() {
    if (logbook_.trips.empty() && !logbook_.isClosed() && takeStartValues() != StartField::None) return false;
    return save();
}

bool LogbookWindow::close() {
    if (!changed_) return true;
    switch (prompterOf(environment_).askYesNoCancel(
        "Es wurde das Fahrtenbuch geändert.\nSollen die Änderungen gespeichert werden?")) {
    case Answer::Yes: return saveAndClose();
    case Answer::No: return true;
    case Answer::Cancel: break;
    }
    return false;
}

} // namespace lorvan
