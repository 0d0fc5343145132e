#include "logbook/vehicle_file.h"

#include "foundation/archive.h"
#include "foundation/error.h"
#include "foundation/file_system.h"
#include "foundation/number_text.h"
#include "foundation/text_encoding.h"
#include "masterdata/employee_files.h"

namespace lorvan {

std::string plateFileNameForm(std::string_view plate) {
    return toFileNamePart(plate);
}

std::string vehicleFilePath(const std::string& dataDirectory) {
    return withSeparator(dataDirectory, true) + CTwFahrzDoc::kFileName;
}

const CFahrzDoc* CTwFahrzDoc::findByPlate(std::string_view plate) const {
    const auto it = vehicles.find(std::string(plate));
    return it == vehicles.end() ? nullptr : &it->second;
}

const CFahrzDoc* CTwFahrzDoc::findVehicle(std::string_view text) const {
    for (const auto& [plate, vehicle] : vehicles)
        if (plate == text || plateFileNameForm(plate) == text) return &vehicle;
    return nullptr;
}

const CFahrzDoc* CTwFahrzDoc::fileNameClash(std::string_view plate, std::string_view exceptPlate) const {
    for (const auto& [key, vehicle] : vehicles)
        if (key != exceptPlate && sameFileNameForm(key, plate)) return &vehicle;
    return nullptr;
}

const CFahrtVorbData* CTwFahrzDoc::findPreset(std::string_view kind) const {
    const auto it = presets.find(std::string(kind));
    return it == presets.end() ? nullptr : &it->second;
}

std::vector<std::string> CTwFahrzDoc::plates() const {
    std::vector<std::string> result;
    result.reserve(vehicles.size());
    for (const auto& [plate, vehicle] : vehicles)
        result.push_back(plate);
    return result;
}

void CTwFahrzDoc::store(ArchiveWriter& ar) const {
    ar.writeInt32(kCurrentVersion);
    ar.writeCount(vehicles.size());
    for (const auto& [plate, vehicle] : vehicles) {
        ar.writeString(vehicle.plate);
        ar.writeString(vehicle.description);
    }
    ar.writeCount(presets.size());
    for (const auto& [kind, preset] : presets) {
        ar.writeString(preset.kind);
        ar.writeString(preset.street);
        ar.writeString(preset.place);
        ar.writeString(preset.purpose);
    }
}

int32_t CTwFahrzDoc::load(ArchiveReader& ar) {
    clear();
    const int32_t version = ar.readInt32();
    if (version > kCurrentVersion) throw NewerVersionError();
    const int32_t vehicleCount = ar.readCount(2);
    for (int32_t i = 0; i < vehicleCount; ++i) {
        CFahrzDoc vehicle;
        vehicle.plate = ar.readString();
        vehicle.description = ar.readString();
        vehicles[vehicle.plate] = std::move(vehicle);
    }
    if (version >= 2) {
        const int32_t presetCount = ar.readCount(version >= 3 ? 4 : 3);
        for (int32_t i = 0; i < presetCount; ++i) {
            CFahrtVorbData preset;
            preset.kind = ar.readString();
            preset.street = ar.readString();
            preset.place = ar.readString();
            if (version >= 3) preset.purpose = ar.readString();
            presets[preset.kind] = std::move(preset);
        }
    }
    return version;
}

void CTwFahrzDoc::clear() {
    vehicles.clear();
    presets.clear();
}

} // namespace lorvan
