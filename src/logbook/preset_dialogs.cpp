#include "logbook/preset_dialogs.h"

#include "foundation/error.h"
#include "foundation/file_system.h"
#include "foundation/text_encoding.h"
#include "logbook/logbook_file.h"
#include "logbook/word_lists.h"
#include "platform/prompter.h"

namespace lorvan {

PresetEntryDialog::PresetEntryDialog(const CTwFahrzDoc& others) : others_(others), isNew_(true) {}

PresetEntryDialog::PresetEntryDialog(const CTwFahrzDoc& others, const CFahrtVorbData& preset)
    : others_(others), preset_(preset), originalKind_(preset.kind), isNew_(false) {}

std::vector<std::string> PresetEntryDialog::kindChoices() const {
    if (!isNew_) return {originalKind_};
    return {"Arbeitsstelle", "Wohnung", "Büro", "Pause", "Bereitschaft"};
}

const std::string& PresetEntryDialog::text(PresetField field) const {
    switch (field) {
    case PresetField::Kind: return preset_.kind;
    case PresetField::Street: return preset_.street;
    case PresetField::Place: return preset_.place;
    case PresetField::Purpose: return preset_.purpose;
    case PresetField::None: break;
    }
    static const std::string none;
    return none;
}

void PresetEntryDialog::setText(PresetField field, const std::string& text) {
    switch (field) {
    case PresetField::Kind:
        if (isNew_) preset_.kind = text;
        break;
    case PresetField::Street: preset_.street = text; break;
    case PresetField::Place: preset_.place = text; break;
    case PresetField::Purpose: preset_.purpose = text; break;
    case PresetField::None: break;
    }
}

PresetField PresetEntryDialog::check(std::string& message) const {
    if (preset_.kind.empty()) {
        message = kPresetKindMissing;
        return PresetField::Kind;
    }
    if (preset_.place.empty()) {
        message = kPresetPlaceMissing;
        return PresetField::Place;
    }
    if (preset_.kind != originalKind_) {
        const std::string upper = toUpperCp1252(preset_.kind);
        for (const auto& [kind, other] : others_.presets) {
            if (kind != originalKind_ && toUpperCp1252(kind) == upper) {
                message = kPresetKindExists;
                return PresetField::Kind;
            }
        }
    }
    message.clear();
    return PresetField::None;
}

PresetField PresetEntryDialog::confirm(Prompter& prompter, LogbookWordLists* words) {
    std::string message;
    const PresetField field = check(message);
    if (field != PresetField::None) {
        prompter.warn(message);
        return field;
    }
    if (words != nullptr) {
        CFahrtDoc texts;
        texts.street = preset_.street;
        texts.place = preset_.place;
        texts.purpose = preset_.purpose;
        words->add(texts);
    }
    return PresetField::None;
}

PresetsDialog::PresetsDialog(std::string dataDirectory, Prompter& prompter)
    : dataDirectory_(std::move(dataDirectory)), prompter_(prompter) {}

bool PresetsDialog::open() {
    const std::string path = vehicleFilePath(dataDirectory_);
    if (!fileExists(path)) {
        prompter_.warn(kNoVehicleFileForPresets);
        return false;
    }
    return vehicles_.open(path, StorageContext{&prompter_, dataDirectory_});
}

const std::vector<PresetsDialog::Column>& PresetsDialog::columns() {
    static const std::vector<Column> columns = {{"Art", 90}, {"Straße", 190}, {"Ort", 190}, {"Zweck", 190}};
    return columns;
}

std::vector<const CFahrtVorbData*> PresetsDialog::presets() const {
    std::vector<const CFahrtVorbData*> presets;
    for (const auto& [kind, preset] : vehicles_.presets)
        presets.push_back(&preset);
    return presets;
}

std::vector<std::vector<std::string>> PresetsDialog::rows() const {
    std::vector<std::vector<std::string>> rows;
    for (const CFahrtVorbData* preset : presets())
        rows.push_back({preset->kind, preset->street, preset->place, preset->purpose});
    return rows;
}

bool PresetsDialog::save() {
    return vehicles_.save(vehicleFilePath(dataDirectory_), true, StorageContext{&prompter_, dataDirectory_});
}

bool PresetsDialog::newPreset(const PresetEntryRunner& runner) {
    PresetEntryDialog dialog(vehicles_);
    if (!runner || !runner(dialog)) return false;
    return store(dialog);
}

bool PresetsDialog::openPreset(int index, const PresetEntryRunner& runner) {
    const std::vector<const CFahrtVorbData*> all = presets();
    if (index < 0 || index >= static_cast<int>(all.size())) return false;
    PresetEntryDialog dialog(vehicles_, *all[static_cast<size_t>(index)]);
    if (!runner || !runner(dialog)) return false;
    return store(dialog);
}

bool PresetsDialog::store(const PresetEntryDialog& dialog) {
    // The runner's OK ran confirm; an unchecked preset is never stored all the same.
    std::string message;
    if (dialog.check(message) != PresetField::None) return false;
    vehicles_.putPreset(dialog.preset());
    return save();
}

bool PresetsDialog::deletePreset(int index) {
    const std::vector<const CFahrtVorbData*> all = presets();
    if (index < 0 || index >= static_cast<int>(all.size())) return false;
    vehicles_.presets.erase(all[static_cast<size_t>(index)]->kind);
    return true;
}

bool PresetsDialog::close() {
    return save();
}

} // namespace lorvan
