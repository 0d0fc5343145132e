#include "logbook/trip_assistant.h"

#include "foundation/calendar.h"
#include "foundation/error.h"
#include "foundation/file_system.h"
#include "foundation/time_text.h"
#include "logbook/trip_dialog.h"
#include "platform/clock.h"
#include "platform/prompter.h"
#include "yearfile/year_file.h"

#include <algorithm>

namespace lorvan {

namespace {

constexpr const char* kCustomerVisit = "Kundenbesuch";

// A time past 24:00, which clockOfDay takes back into the following day.
bool afterMidnight(const std::string& time) {
    return parseClock(time) > 24 * 60;
}

} // namespace

std::string createLogbookForVehicleMessage(const std::string& plate) {
    return "Legen Sie für das Fahrzeug " + plate + " erst über das Menü \"Datei\" - \"Fahrtenbuch\" ein Fahrtenbuch an.";
}

void fillFromPreset(CFahrtDoc& trip, const CFahrtVorbData& preset) {
    if (trip.street.empty() && trip.place.empty()) {
        trip.street = preset.street;
        trip.place = preset.place;
    }
    if (!preset.purpose.empty()) trip.purpose = preset.purpose;
}

void applyPreset(CFahrtDoc& trip, const CTwFahrzDoc& vehicles) {
    // A customer visit whose address came from the customer keeps it and its purpose, even when a
    // preset carries the customer's name.
    if ((!trip.street.empty() || !trip.place.empty()) && trip.purpose == kCustomerVisit) return;
    if (const CFahrtVorbData* preset = vehicles.findPreset(trip.person)) fillFromPreset(trip, *preset);
}

void adjustToPrevious(CFahrtDocAssistent& trip, double newPrevious, double oldPrevious) {
    const auto plainRule = [&] {
        if (trip.kilometres > 0.0 && trip.kilometres <= newPrevious) trip.kilometres += newPrevious - oldPrevious;
    };
    if (!trip.madeFromTimeLine()) {
        plainRule();
    } else if (trip.odometer == 0.0 && trip.distance > 0.0) {
        trip.kilometres = newPrevious + trip.distance;
    } else if (trip.odometer == 0.0 && trip.distance == 0.0) {
        plainRule();
    }
}

TripAssistant::TripAssistant(const CTagDoc& day, TripAssistantServices services)
    : day_(day), services_(std::move(services)), date_(day.date()) {
    if (day.document() != nullptr) driver_ = day.document()->settings().name;
}

TripAssistant::~TripAssistant() = default;

std::string TripAssistant::dayTitle() const {
    return formatDateWithWeekday(date_);
}

void TripAssistant::readPresets() {
    vehicles_ = CTwFahrzDoc();
    vehiclesRead_ = false;
    const std::string path = vehicleFilePath(services_.dataDirectory);
    if (!fileExists(path)) return;
    try {
        vehicles_.openToRead(path);
        vehiclesRead_ = true;
    } catch (const LorvanError&) {
        // Without a readable vehicle file the trips go without presets.
        vehicles_ = CTwFahrzDoc();
    }
}

bool TripAssistant::open() {
    Prompter& prompter = *services_.prompter;
    if (compareDates(services_.clock->today(), addDays(date_, 31)) > 0) {
        prompter.warn(kEntryTooLate);
        return false;
    }
    readPresets();
    vehicleChoice_ = vehicles_.plates();
    if (vehicleChoice_.empty()) {
        prompter.warn(kCreateLogbookFirst);
        return false;
    }
    buildTrips();
    if (list_.empty() && parked_.empty()) {
        prompter.warn(kNoTravelLines);
        return false;
    }
    if (current_.empty()) {
        reduceToVehiclesWithLogbook();
        if (vehicleChoice_.empty()) {
            prompter.warn(kCreateLogbookFirst);
            return false;
        }
        current_ = vehicleChoice_.front();
    }
    if (!loadLogbook()) {
        prompter.warn(createLogbookForVehicleMessage(current_));
        return false;
    }
    selected_ = list_.empty() ? -1 : 0;
    return true;
}

void TripAssistant::reduceToVehiclesWithLogbook() {
    std::erase_if(vehicleChoice_, [this](const std::string& plate) {
        return !fileExists(logbookPath(services_.dataDirectory, plate, date_.year));
    });
}

CFahrtDocAssistent TripAssistant::makeTrip(size_t travel, std::optional<size_t> destination) const {
    const CZeitZeile& line = day_.line(travel);
    CFahrtDocAssistent trip;
    static_cast<CFahrtDoc&>(trip) = CFahrtDoc::newTrip(services_.clock->now());
    trip.travelLine = travel;
    trip.destinationLine = destination;
    trip.vehicle = line.vehicle;
    trip.odometer = line.odometerAfter;
    trip.distance = line.kilometresDriven;
    // A time after midnight (25:15) is a time of the following day.
    trip.startTime = clockOfDay(line.from);
    trip.endTime = clockOfDay(line.to);
    trip.startDate = formatDate(afterMidnight(line.from) ? addDays(date_, 1) : date_);
    trip.endDate = formatDate(afterMidnight(line.to) ? addDays(date_, 1) : date_);
    trip.kindValue = static_cast<int32_t>(line.pause != 0 ? TripKind::Private : TripKind::Business);
    if (destination) {
        const CZeitZeile& target = day_.line(*destination);
        if (target.kind != kKindCustomer) {
            trip.person = target.kind;
            trip.purpose = "Fahrt zu " + target.kind;
        } else {
            trip.person = target.customer;
            trip.purpose = kCustomerVisit;
        }
        trip.driver = driver_;
        lookUpCustomer(trip, services_.customers);
        applyPreset(trip, vehicles_);
    }
    return trip;
}

void TripAssistant::buildTrips() {
    list_.clear();
    parked_.clear();
    current_.clear();
    const size_t count = day_.lineCount();
    int32_t index = 0;
    for (size_t i = 0; i < count; ++i) {
        if (day_.line(i).kind != kKindTravel) continue;
        std::optional<size_t> destination;
        if (i + 1 < count && day_.line(i + 1).kind != kKindTravel) destination = i + 1;
        CFahrtDocAssistent trip = makeTrip(i, destination);
        trip.index = ++index;
        parked_.emplace(trip.index, std::move(trip));
    }
    distribute();
}

void TripAssistant::distribute() {
    for (auto it = parked_.begin(); it != parked_.end();) {
        const std::string& vehicle = it->second.vehicle;
        if (!vehicle.empty() && current_.empty()) current_ = vehicle;
        if (vehicle.empty() || vehicle == current_) {
            list_.push_back(std::move(it->second));
            it = parked_.erase(it);
        } else {
            ++it;
        }
    }
}

void TripAssistant::regroup(const std::string& plate) {
    for (CFahrtDocAssistent& trip : list_) {
        // Trips inserted by hand belong to the vehicle they were inserted for: they go.
        if (trip.madeFromTimeLine()) parked_[trip.index] = std::move(trip);
    }
    list_.clear();
    current_ = plate;
    distribute();
    if (list_.empty()) {
        for (auto& [index, trip] : parked_)
            trip.vehicle.clear();
        distribute();
    }
}

bool TripAssistant::loadLogbook() {
    logbook_.reset();
    const CFahrzDoc* vehicle = vehicles_.findVehicle(current_);
    if (vehicle == nullptr) return false;
    const std::string path = logbookPath(services_.dataDirectory, vehicle->plate, date_.year);
    if (!fileExists(path)) return false;
    auto logbook = std::make_unique<CTwFahrtenbuchDoc>();
    try {
        openLogbook(*logbook, path, *services_.clock);
    } catch (const LorvanError& e) {
        // The reason comes first (an unreadable file, a clock turned back), then what to do.
        services_.prompter->warn(e.what());
        return false;
    }
    logbook_ = std::move(logbook);
    linkAll();
    return true;
}

const CFahrtDoc* TripAssistant::tripBefore(size_t index) const {
    if (index > 0) return &list_[index - 1];
    if (logbook_ && !logbook_->trips.empty()) return &logbook_->trips.back();
    return nullptr;
}

bool TripAssistant::previousIsValid(size_t index) const {
    // List trips carry their flag; logbook trips passed their checks when they were entered.
    return index == 0 || list_[index - 1].valid;
}

double TripAssistant::previousKilometres(size_t index) const {
    if (index > 0) return list_[index - 1].kilometres;
    return logbook_ ? logbook_->previousKilometres(logbook_->trips.size()) : 0.0;
}

std::vector<const CFahrtDoc*> TripAssistant::earlierTrips(size_t index) const {
    std::vector<const CFahrtDoc*> earlier;
    for (size_t i = index; i > 0; --i)
        earlier.push_back(&list_[i - 1]);
    if (logbook_) {
        for (auto it = logbook_->trips.rbegin(); it != logbook_->trips.rend(); ++it)
            if (!it->cancelled()) earlier.push_back(&*it);
    }
    return earlier;
}

TripCheckContext TripAssistant::checkContext(size_t index) const {
    TripCheckContext context;
    context.previousKilometres = previousKilometres(index);
    context.year = logbook_ ? logbook_->year : date_.year;
    context.today = services_.clock->today();
    context.earlier = earlierTrips(index);
    return context;
}

bool TripAssistant::checkInPlace(CFahrtDocAssistent& trip, size_t index) {
    if (!previousIsValid(index)) {
        trip.valid = false;
        trip.problem = list_[index - 1].problem;
        return false;
    }
    const TripProblem problem = checkTrip(trip, checkContext(index));
    trip.valid = problem.ok();
    trip.problem = problem.message;
    return trip.valid;
}

void TripAssistant::linkAll() {
    for (size_t i = 0; i < list_.size(); ++i) {
        CFahrtDocAssistent& trip = list_[i];
        if (trip.madeFromTimeLine()) {
            trip.kilometres = trip.odometer;
            if (trip.kilometres <= 0.0) trip.kilometres = previousKilometres(i) + trip.distance;
        }
        checkInPlace(trip, i);
    }
}

// From the trip at index on, one trip at a time: the reading before it (N) moves the trip's reading
// by adjustToPrevious, then the trip is checked; a valid trip hands its old reading on as the next
// trip's old previous reading. The walk stops at the first trip that is not valid.
void TripAssistant::recomputeFrom(size_t index, double oldPrevious) {
    for (size_t i = index; i < list_.size(); ++i) {
        CFahrtDocAssistent& trip = list_[i];
        const double remembered = trip.kilometres;
        adjustToPrevious(trip, previousKilometres(i), oldPrevious);
        if (!checkInPlace(trip, i)) return;
        oldPrevious = remembered;
    }
}

LogbookEndDisplay TripAssistant::logbookEnd() const {
    LogbookEndDisplay display;
    if (!logbook_) return display;
    if (const std::optional<size_t> last = logbook_->lastValidTrip()) {
        const CFahrtDoc& trip = logbook_->trips[*last];
        display.at = trip.timeSpanText(false);
        display.kilometres = trip.kilometresText();
        display.street = trip.street;
        display.place = trip.place;
    } else {
        display.kilometres = kilometresText(logbook_->startKilometres);
        display.street = logbook_->startStreet;
        display.place = logbook_->startPlace;
    }
    return display;
}

std::vector<TripRow> TripAssistant::rows() const {
    std::vector<TripRow> rows;
    rows.reserve(list_.size());
    for (const CFahrtDoc& trip : list_)
        rows.push_back(tripRow(trip));
    return rows;
}

void TripAssistant::select(int index) {
    selected_ = index >= 0 && index < static_cast<int>(list_.size()) ? index : -1;
}

bool TripAssistant::runDialog(CFahrtDocAssistent& trip, size_t index) {
    if (!services_.editTrip) return false;
    TripDialogSetup setup;
    const CFahrzDoc* vehicle = vehicles_.findVehicle(current_);
    setup.vehicle = vehicle != nullptr ? tripVehicleText(vehicle->plate, vehicle->description) : current_;
    if (const CFahrtDoc* before = index > 0 ? &list_[index - 1] : nullptr) {
        setup.startLocation = before->locationText();
    } else if (logbook_) {
        setup.startLocation = logbook_->startLocation(logbook_->trips.size());
    }
    setup.check = checkContext(index);
    setup.words = services_.words;
    setup.customers = services_.customers;
    TripDialog dialog(trip, std::move(setup));
    if (!services_.editTrip(dialog)) return false;
    static_cast<CFahrtDoc&>(trip) = dialog.trip();
    return true;
}

AssistantStep TripAssistant::insertTrip(bool after) {
    if (!logbook_) return AssistantStep::Stay;
    size_t position = 0;
    if (!list_.empty()) {
        const size_t reference = selected_ >= 0 ? static_cast<size_t>(selected_) : 0;
        position = after ? reference + 1 : reference;
    }
    const CFahrtDoc* previous = tripBefore(position);
    const CFahrtDocAssistent* next = position < list_.size() ? &list_[position] : nullptr;

    CFahrtDocAssistent trip;
    static_cast<CFahrtDoc&>(trip) = CFahrtDoc::newTrip(services_.clock->now());
    trip.driver = next != nullptr ? next->driver : std::string();
    if (trip.driver.empty() && previous != nullptr) trip.driver = previous->driver;

    // The presets are read again: the user may have changed them meanwhile.
    readPresets();
    const auto suggest = [&](const char* purpose, const char* presetKind) {
        trip.kindValue = static_cast<int32_t>(TripKind::Commute);
        trip.purpose = purpose;
        if (const CFahrtVorbData* preset = vehicles_.findPreset(presetKind)) fillFromPreset(trip, *preset);
    };
    if (next == nullptr && previous != nullptr && previous->kind() == TripKind::Business) {
        suggest("nach Hause", "Wohnung");
    } else if (next != nullptr && next->kind() == TripKind::Business && previous != nullptr &&
               (previous->cancelled() || previous->kind() == TripKind::Private ||
                (previous->kind() != TripKind::Business && previous->endDate != next->startDate))) {
        suggest("zur Arbeit", "Arbeitsstelle");
    }
    trip.startDate = formatDate(date_);
    trip.endDate = trip.startDate;

    if (!runDialog(trip, position)) return AssistantStep::Stay;
    // The reading the next trip followed before the insertion.
    const double oldPrevious = previousKilometres(position);
    const bool previousValid = previousIsValid(position);
    trip.valid = previousValid;
    trip.problem = previousValid ? std::string() : list_[position - 1].problem;
    list_.insert(list_.begin() + static_cast<std::ptrdiff_t>(position), std::move(trip));
    selected_ = static_cast<int>(position);
    if (previousValid) recomputeFrom(position + 1, oldPrevious);
    return AssistantStep::Stay;
}

AssistantStep TripAssistant::editTrip(int index) {
    if (index < 0 || index >= static_cast<int>(list_.size())) return AssistantStep::NoSelection;
    const size_t at = static_cast<size_t>(index);
    CFahrtDocAssistent edited = list_[at];
    if (!runDialog(edited, at)) return AssistantStep::Stay;
    const double before = list_[at].kilometres;
    list_[at] = std::move(edited);
    CFahrtDocAssistent& trip = list_[at];
    if (previousIsValid(at)) {
        trip.valid = true;
        trip.problem.clear();
        recomputeFrom(at + 1, before);
    } else {
        trip.valid = false;
        trip.problem = list_[at - 1].problem;
    }
    return AssistantStep::Stay;
}

AssistantStep TripAssistant::removeTrip(int index) {
    if (index < 0 || index >= static_cast<int>(list_.size())) return AssistantStep::NoSelection;
    if (list_.size() == 1) {
        services_.prompter->inform(kOnlyTripOfVehicle);
        return AssistantStep::Stay;
    }
    const size_t at = static_cast<size_t>(index);
    CFahrtDocAssistent removed = std::move(list_[at]);
    list_.erase(list_.begin() + index);
    const double oldPrevious = removed.kilometres;
    if (removed.madeFromTimeLine()) {
        // Cleared, it goes to the next vehicle the user turns to.
        if (removed.vehicle == current_) removed.vehicle.clear();
        parked_[removed.index] = std::move(removed);
    }
    // The trips after the removed one follow its predecessor now (the logbook's last valid trip, or
    // its start reading when the logbook has none).
    recomputeFrom(at, oldPrevious);
    if (selected_ >= static_cast<int>(list_.size())) selected_ = static_cast<int>(list_.size()) - 1;
    return AssistantStep::Stay;
}

void TripAssistant::changeVehicle(const std::string& plate) {
    if (plate == current_) return;
    const std::string previous = current_;
    regroup(plate);
    if (!loadLogbook()) {
        services_.prompter->warn(createLogbookForVehicleMessage(plate));
        regroup(previous);
        loadLogbook();
    }
    selected_ = list_.empty() ? -1 : 0;
}

void TripAssistant::editPresets() {
    if (services_.editPresets) services_.editPresets();
    readPresets();
    for (CFahrtDocAssistent& trip : list_)
        applyPreset(trip, vehicles_);
    for (auto& [index, trip] : parked_)
        applyPreset(trip, vehicles_);
}

AssistantStep TripAssistant::transfer() {
    Prompter& prompter = *services_.prompter;
    if (!logbook_) return AssistantStep::Stay;
    if (logbook_->isClosed()) {
        prompter.warn(kLogbookClosedForTransfer);
        return AssistantStep::Stay;
    }
    for (size_t i = 0; i < list_.size(); ++i) {
        const TripProblem problem = checkTrip(list_[i], checkContext(i));
        if (!problem.ok()) {
            prompter.warn(problem.message);
            selected_ = static_cast<int>(i);
            editTrip(selected_);
            return AssistantStep::Stay;
        }
    }
    for (const CFahrtDocAssistent& trip : list_)
        logbook_->trips.push_back(static_cast<const CFahrtDoc&>(trip));
    list_.clear();
    selected_ = -1;
    const bool saved = services_.saveLogbook
                           ? services_.saveLogbook(*logbook_)
                           : logbook_->save(logbook_->path(), true,
                                            StorageContext{services_.prompter, services_.dataDirectory});
    if (!saved) return AssistantStep::Close;
    if (parked_.empty()) return AssistantStep::Close;
    if (vehicleChoice_.size() < 2) {
        prompter.warn(kNoVehicleForRest);
        return AssistantStep::Close;
    }
    std::erase(vehicleChoice_, current_);
    current_.clear();
    distribute();
    if (current_.empty()) {
        reduceToVehiclesWithLogbook();
        if (vehicleChoice_.empty()) {
            prompter.warn(kNoVehicleForRest);
            return AssistantStep::Close;
        }
        current_ = vehicleChoice_.front();
    }
    if (!loadLogbook()) {
        prompter.warn(createLogbookForVehicleMessage(current_));
        return AssistantStep::Close;
    }
    selected_ = list_.empty() ? -1 : 0;
    return AssistantStep::Stay;
}

} // namespace lorvan
