#include "logbook/vehicle_list.h"

#include "foundation/error.h"
#include "foundation/file_system.h"
#include "foundation/format.h"
#include "foundation/text_encoding.h"
#include "platform/clock.h"
#include "platform/prompter.h"

#include <algorithm>

namespace lorvan {

std::string plateTakenMessage(const std::string& plate) {
    return format("Es existiert schon ein Fahrzeug mit dem Amtlichen Kennzeichen '%s'.", plate.c_str());
}

std::string plateFileNameClashMessage(const std::string& plate, const std::string& otherPlate) {
    return "Das Amtliche Kennzeichen '" + plate + "' ergibt denselben Dateinamen für die Fahrtenbücher wie das "
           "Kennzeichen '" + otherPlate + "' eines anderen Fahrzeugs.";
}

std::string plateProblem(const CTwFahrzDoc& vehicles, const std::string& plate, const std::string& exceptPlate) {
    if (plate.empty()) return kPlateMissing;
    if (plate != exceptPlate && vehicles.findByPlate(plate)) return plateTakenMessage(plate);
    const std::string form = plateFileNameForm(plate);
    if (std::none_of(form.begin(), form.end(), [](char c) { return c != '_'; })) return kPlateWithoutFileName;
    if (const CFahrzDoc* other = vehicles.fileNameClash(plate, exceptPlate))
        return plateFileNameClashMessage(plate, other->plate);
    return std::string();
}

std::string vehicleFileProblem(const CTwFahrzDoc& vehicles) {
    for (const auto& [plate, vehicle] : vehicles.vehicles)
        if (std::string problem = plateProblem(vehicles, plate, plate); !problem.empty()) return problem;
    return std::string();
}

bool hasLogbookFiles(const std::string& dataDirectory, const std::string& plate) {
    const std::string form = toUpperCp1252(plateFileNameForm(plate));
    for (const std::string& path : logbookFiles(dataDirectory)) {
        const auto name = logbookNameOf(path);
        if (name && toUpperCp1252(name->platePart) == form) return true;
    }
    return false;
}

VehicleList::VehicleList(LogbookEnvironment environment)
    : environment_(std::move(environment)), path_(vehicleFilePath(environment_.dataDirectory)) {
    if (!environment_.clock || !environment_.prompter) throw LorvanError(kPointerNotSet);
    if (fileExists(path_)) file_.open(path_);
    year_ = environment_.clock->today().year;
}

std::vector<CFahrzDoc> VehicleList::rows() const {
    std::vector<CFahrzDoc> rows;
    for (const auto& [plate, vehicle] : file_.vehicles)
        rows.push_back(vehicle);
    return rows;
}

bool VehicleList::newVehicle(VehicleDialogRunner& runner) {
    CFahrzDoc vehicle;
    while (runner.run(vehicle)) {
        const std::string problem = plateProblem(file_, vehicle.plate, std::string());
        if (problem.empty()) {
            file_.put(vehicle);
            changed_ = true;
            lastPlate_ = vehicle.plate;
            return true;
        }
        environment_.prompter->warn(problem);
    }
    return false;
}

bool VehicleList::editVehicle(const std::string& plate, VehicleDialogRunner& runner) {
    const CFahrzDoc* existing = file_.findByPlate(plate);
    if (!existing) return false;
    CFahrzDoc vehicle = *existing;
    while (runner.run(vehicle)) {
        const std::string problem = plateProblem(file_, vehicle.plate, plate);
        if (!problem.empty()) {
            environment_.prompter->warn(problem);
            continue;
        }
        if (vehicle.plate != plate && hasLogbookFiles(environment_.dataDirectory, plate)) {
            environment_.prompter->warn(kPlateFixedByLogbook);
            vehicle.plate = plate;
        }
        file_.remove(plate);
        file_.put(vehicle);
        changed_ = true;
        lastPlate_ = vehicle.plate;
        save();
        return true;
    }
    return false;
}

bool VehicleList::deleteVehicle(const std::string& plate) {
    if (!file_.findByPlate(plate)) return false;
    if (!environment_.prompter->askYesNo(format("Soll '%s' gelöscht werden?", plate.c_str()))) return false;
    file_.remove(plate);
    changed_ = true;
    return true;
}

VehicleList::LogbookChoice VehicleList::chooseLogbook(const std::string& plate) {
    if (!file_.findByPlate(plate)) return {std::string(), VehicleListField::List};
    if (!save()) return {};
    const std::string path = logbookPath(environment_.dataDirectory, plate, year_);
    if (!fileExists(path) && year_ != environment_.clock->today().year) {
        environment_.prompter->warn(kNewLogbookOnlyThisYear);
        return {std::string(), VehicleListField::Year};
    }
    return {path, VehicleListField::None};
}

bool VehicleList::save() {
    if (!file_.save(path_, true, environment_.storage())) return false;
    changed_ = false;
    return true;
}

bool VehicleList::close() {
    if (!changed_) return true;
    switch (environment_.prompter->askYesNoCancel(
        "Es wurden die Einstellungen zum Fahrtenbuch geändert.\nSollen die Änderungen gespeichert werden?")) {
    case Answer::Yes: return save();
    case Answer::No: return true;
    case Answer::Cancel: break;
    }
    return false;
}

} // namespace lorvan
