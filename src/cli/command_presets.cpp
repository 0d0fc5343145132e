#include "cli/commands.h"

#include "cli/record_commands.h"
#include "cli/report_output.h"
#include "foundation/error.h"
#include "logbook/preset_dialogs.h"
#include "platform/prompter.h"

#include <nlohmann/json.hpp>

#include <ostream>

namespace lorvan::cli {

namespace {

constexpr const char* kPresetsUsage =
    "presets list [--json] | presets set [--kind ART --street STR --place ORT --purpose ZWECK] [< JSON] | "
    "presets delete ART";

// The dialog's messages become the command's error.
class RefusingPrompter final : public Prompter {
  public:
    explicit RefusingPrompter(bool answerYes) : answers_(answerYes, true) {}
    void inform(const std::string& text) override { throw LorvanError(text); }
    void warn(const std::string& text) override { throw LorvanError(text); }
    void error(const std::string& text) override { throw LorvanError(text); }
    bool askYesNo(const std::string& text) override { return answers_.askYesNo(text); }
    Answer askYesNoCancel(const std::string& text) override { return answers_.askYesNoCancel(text); }
    bool askOkCancel(const std::string& text) override { return answers_.askOkCancel(text); }

  private:
    FixedAnswerPrompter answers_;
};

// The preset's fields from JSON ("kind", "street", "place", "purpose"); other keys are refused.
CFahrtVorbData presetFromJson(const nlohmann::json& json) {
    if (!json.is_object()) throw LorvanError("presets set: ein JSON-Objekt mit kind, street, place, purpose erwartet.");
    CFahrtVorbData preset;
    for (const auto& [key, value] : json.items()) {
        std::string* field = key == "kind"      ? &preset.kind
                             : key == "street"  ? &preset.street
                             : key == "place"   ? &preset.place
                             : key == "purpose" ? &preset.purpose
                                                : nullptr;
        if (field == nullptr) throw LorvanError("presets set: unbekanntes Feld '" + key + "'.");
        if (!value.is_string()) throw LorvanError("presets set: '" + key + "' muss ein Text sein.");
        *field = value.get<std::string>();
    }
    return preset;
}

int list(PresetsDialog& dialog, std::vector<std::string> args, std::ostream& out) {
    const bool json = std::erase(args, std::string("--json")) > 0;
    expectArguments(args, 0, kPresetsUsage);
    if (json) {
        nlohmann::ordered_json presets = nlohmann::ordered_json::array();
        for (const CFahrtVorbData* preset : dialog.presets())
            presets.push_back({{"kind", preset->kind},
                               {"street", preset->street},
                               {"place", preset->place},
                               {"purpose", preset->purpose}});
        out << presets.dump(2) << '\n';
        return 0;
    }
    for (const std::vector<std::string>& row : dialog.rows()) {
        std::string line;
        for (const std::string& cell : row)
            line += (line.empty() ? "" : "\t") + cell;
        out << line << '\n';
    }
    return 0;
}

int set(PresetsDialog& dialog, Prompter& prompter, std::vector<std::string> args, std::istream& in,
        std::ostream& out) {
    const bool byOptions = args.size() > 0;
    CFahrtVorbData given;
    if (byOptions) {
        given.kind = takeOption(args, "--kind", "presets set", "");
        given.street = takeOption(args, "--street", "presets set", "");
        given.place = takeOption(args, "--place", "presets set", "");
        given.purpose = takeOption(args, "--purpose", "presets set", "");
        expectArguments(args, 0, kPresetsUsage);
    } else {
        given = presetFromJson(readJsonInput(in));
    }
    // The kind of an existing preset (exact text) edits it; any other kind makes a new one.
    const std::vector<const CFahrtVorbData*> presets = dialog.presets();
    int existing = -1;
    for (size_t i = 0; i < presets.size(); ++i)
        if (presets[i]->kind == given.kind) existing = static_cast<int>(i);
    const PresetEntryRunner typing = [&](PresetEntryDialog& entry) {
        entry.setText(PresetField::Kind, given.kind);
        entry.setText(PresetField::Street, given.street);
        entry.setText(PresetField::Place, given.place);
        entry.setText(PresetField::Purpose, given.purpose);
        return entry.confirm(prompter, nullptr) == PresetField::None;
    };
    const bool stored = existing >= 0 ? dialog.openPreset(existing, typing) : dialog.newPreset(typing);
    if (!stored) return 1;
    out << "Vorbesetzung '" << given.kind << "' " << (existing >= 0 ? "geändert" : "angelegt") << ".\n";
    return 0;
}

int remove(PresetsDialog& dialog, const std::vector<std::string>& args, std::ostream& out) {
    expectArguments(args, 1, kPresetsUsage);
    const std::vector<const CFahrtVorbData*> presets = dialog.presets();
    for (size_t i = 0; i < presets.size(); ++i) {
        if (presets[i]->kind != args[0]) continue;
        dialog.deletePreset(static_cast<int>(i));
        if (!dialog.close()) return 1;
        out << "Vorbesetzung '" << args[0] << "' gelöscht.\n";
        return 0;
    }
    throw LorvanError("Es gibt keine Vorbesetzung für die Art '" + args[0] + "'.");
}

} // namespace

int runPresets(const Options& options, const std::vector<std::string>& args, std::istream& in, std::ostream& out) {
    if (args.empty()) throw LorvanError(std::string("Aufruf: ") + kPresetsUsage);
    RefusingPrompter prompter(options.answerYes);
    PresetsDialog dialog(requireDataDirectory(options, "presets"), prompter);
    if (!dialog.open()) return 1;
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "list") return list(dialog, rest, out);
    if (args[0] == "set") return set(dialog, prompter, rest, in, out);
    if (args[0] == "delete") return remove(dialog, rest, out);
    throw LorvanError(std::string("Aufruf: ") + kPresetsUsage);
}

} // namespace lorvan::cli
