#pragma once

#include "logbook/vehicle_file.h"

#include <functional>
#include <string>
#include <vector>

// The presets of the trip assistant: the dialog "Vorbesetzungen festlegen" (CFahrtAssiVorb) over the
// presets of "Daten.fz", and its entry dialog "Vorbesetzung definieren" (CFahrtAssiVorbEntry).
namespace lorvan {

class LogbookWordLists;
class Prompter;

inline constexpr const char* kPresetsIntro =
    "Legen Sie hier Strasse, Ort und Zweck für ausgewählte Arten (wie z.B. Büro) fest.";
inline constexpr const char* kPresetEntryIntro =
    "Wählen Sie eine Art aus oder tragen Sie eine selbst definierte Art ein, für die in Zukunft beim "
    "Übertragen ins Fahrtenbuch Straße, Ort und Zweck automatisch vorbesetzt werden sollen.";
inline constexpr const char* kNoVehicleFileForPresets = "Es muss erst ein Fahrtenbuch eingerichtet werden.";
inline constexpr const char* kPresetKindMissing = "Die Art wurde nicht ausgewählt.";
inline constexpr const char* kPresetPlaceMissing = "Der Ort wurde nicht ausgewählt.";
inline constexpr const char* kPresetKindExists = "Für diese Art wurden bereits Vorbesetzungen festgelegt.";

enum class PresetField { None, Kind, Street, Place, Purpose };

// "Vorbesetzung definieren" for a new preset (an editable kind with the usual kinds to choose) or
// for an existing one (its kind fixed; the focus starts in "Straße").
class PresetEntryDialog {
  public:
    // A new preset; others are the presets there are (for the check of a kind given twice).
    explicit PresetEntryDialog(const CTwFahrzDoc& others);
    // An existing preset.
    PresetEntryDialog(const CTwFahrzDoc& others, const CFahrtVorbData& preset);

    bool isNew() const { return isNew_; }
    // "Art": "Arbeitsstelle", "Wohnung", "Büro", "Pause", "Bereitschaft" for a new preset, else the
    // preset's own kind; editable only for a new preset.
    std::vector<std::string> kindChoices() const;
    bool kindEditable() const { return isNew_; }
    PresetField initialFocus() const { return isNew_ ? PresetField::Kind : PresetField::Street; }

    const CFahrtVorbData& preset() const { return preset_; }
    const std::string& text(PresetField field) const;
    void setText(PresetField field, const std::string& text);

    // The checks of OK in their order: the first failure's message and field; None when all pass.
    PresetField check(std::string& message) const;
    // OK: the checks (a failure is shown and its field returned); on success street and place go
    // into the word lists of streets and places and the purpose into the purposes (words may be null).
    PresetField confirm(Prompter& prompter, LogbookWordLists* words);

  private:
    const CTwFahrzDoc& others_;
    CFahrtVorbData preset_;
    std::string originalKind_;
    bool isNew_;
};

// Runs the entry dialog: true for OK (its confirm passed, with the word lists the caller keeps).
using PresetEntryRunner = std::function<bool(PresetEntryDialog& dialog)>;

// "Vorbesetzungen festlegen": the presets of "Daten.fz" in a document of its own.
class PresetsDialog {
  public:
    PresetsDialog(std::string dataDirectory, Prompter& prompter);

    // Loads "Daten.fz"; false when it does not exist or cannot be read (the message was shown) and
    // the dialog closes.
    bool open();

    // The presets in kind order: "Art", "Straße", "Ort", "Zweck".
    struct Column {
        const char* title;
        int width;
    };
    static const std::vector<Column>& columns();
    std::vector<const CFahrtVorbData*> presets() const;
    std::vector<std::vector<std::string>> rows() const;
    const CTwFahrzDoc& vehicles() const { return vehicles_; }

    // "&Neue Vorbesetzung...": OK adds the preset and saves the file at once. False when cancelled or
    // the save failed.
    bool newPreset(const PresetEntryRunner& runner);
    // Open (double click, Enter, "Aktuell ausgewählten &Eintrag öffnen..."): the entry dialog for the
    // preset at index; OK saves the file. False for no selection (a beep), cancel or a failed save.
    bool openPreset(int index, const PresetEntryRunner& runner);
    // "Aktuell ausgewählten Eintrag &löschen": removed without a question, written at the next save.
    // False for no selection (a beep).
    bool deletePreset(int index);
    // "Schließen": saves the file; false when the save failed (shown).
    bool close();
    bool save();

  private:
    bool store(const PresetEntryDialog& dialog);

    std::string dataDirectory_;
    Prompter& prompter_;
    CTwFahrzDoc vehicles_;
};

} // namespace lorvan
