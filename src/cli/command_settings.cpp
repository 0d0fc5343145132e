#include "cli/commands.h"

#include "cli/json_settings.h"
#include "cli/record_commands.h"
#include "foundation/error.h"
#include "foundation/file_system.h"
#include "masterdata/employee_list.h"
#include "platform/clock.h"
#include "platform/prompter.h"
#include "yearfile/year_file.h"
#include "yearsettings/file_settings_environment.h"

#include <ostream>

// settings check|set FILE < SETTINGS.JSON, settings copy-from FILE SOURCE: "Einstellungen der aktuellen
// Datei" of a year file without a screen. The JSON is the "settings" object of `show` (or a whole year
// file's JSON); keys it leaves out keep the file's values. Questions are answered by --yes / --no.
namespace lorvan::cli {
namespace {

constexpr const char* kUsage = "settings check|set DATEI < EINSTELLUNGEN.JSON | settings copy-from DATEI QUELLE";

// The year file to be set up: read when it exists, else a new one whose owner and year come from its
// name, as the desktop program starts a file that is opened before it exists.
struct SettingsTarget {
    CLorvanDoc document;
    bool newFile = false;
    std::string folder; // where the data files are: the data directory, else beside the file
};

SettingsTarget targetOf(const Options& options, const std::string& path, const Clock& clock) {
    SettingsTarget target;
    target.folder =
        options.dataDirectory.empty() ? directoryOfPath(path, true) : withSeparator(options.dataDirectory, true);
    if (fileExists(path)) {
        target.document.open(path);
        return target;
    }
    EmployeeList employees(target.folder);
    const std::optional<YearFileOwner> owner = yearFileOwnerOf(path, &employees);
    if (!owner) throw LorvanError("Die Datei '" + path + "' ist nicht nach Name und Jahr benannt (z. B. Anna2026.azr).");
    target.newFile = true;
    target.document.startNew(clock);
    target.document.settings().name = owner->name;
    target.document.settings().year = owner->year;
    return target;
}

// The settings object of the input: the object itself, or the "settings" of a whole year file.
const nlohmann::json& settingsObjectOf(const nlohmann::json& input) {
    if (input.is_object() && input.contains("settings") && input.at("settings").is_object()) return input.at("settings");
    return input;
}

// The pages' checks as OK runs them; a failure is told with its page and field on standard error
// (the message itself the prompter has shown).
bool passesChecks(FileSettingsDialog& dialog, Prompter& prompter, std::ostream& err) {
    const std::optional<SettingsFailure> failed = dialog.confirm(prompter);
    if (!failed) return true;
    err << "Seite: " << dialog.pageTitle(failed->page) << '\n';
    if (failed->field != SettingsField::None) err << "Feld: " << settingsFieldKey(failed->field) << '\n';
    return false;
}

} // namespace

int runSettings(const Options& options, const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                std::ostream& err) {
    if (args.empty()) throw LorvanError("Aufruf: " + std::string(kUsage));
    const std::string& sub = args[0];
    const FixedClock clock(today(options));
    FixedAnswerPrompter prompter(options.answerYes);

    if (sub == "copy-from") {
        expectArguments(args, 3, kUsage);
        SettingsTarget target = targetOf(options, args[1], clock);
        FileSettingsDialog dialog(target.document.settings(), target.newFile,
                                  fileSettingsEnvironment(target.folder, clock));
        if (const std::optional<std::string> message = copyFromYearFile(dialog, args[2], target.folder))
            throw LorvanError(*message);
        out << settingsToJson(dialog.settings()).dump(2) << '\n';
        return 0;
    }
    if (sub != "check" && sub != "set") throw LorvanError("Aufruf: " + std::string(kUsage));
    expectArguments(args, 2, kUsage);
    const std::string& path = args[1];
    const nlohmann::json input = readJsonInput(in);
    SettingsTarget target = targetOf(options, path, clock);
    FileSettingsDialog dialog(target.document.settings(), target.newFile, fileSettingsEnvironment(target.folder, clock));
    settingsFromJson(settingsObjectOf(input), dialog.settings(), false);
    if (!passesChecks(dialog, prompter, err)) return 1;
    if (sub == "check") {
        out << "Die Einstellungen sind in Ordnung.\n";
        return 0;
    }

    CLorvanDoc& document = target.document;
    const StorageContext storage{&prompter, target.folder, nullptr, nullptr};
    if (target.newFile) {
        // A new file goes where its owner and year put it; one that exists there is refused.
        document.settings() = dialog.result();
        document.setModified();
        if (!document.save(std::string(), true, storage)) return 1;
        out << "Neue Jahresdatei angelegt: " << document.path() << '\n';
        return 0;
    }
    const CEinst owner = document.settings();
    dialog.applyTo(document);
    // A changed owner or year moves the file to its new name; the old file stays.
    const std::string before = document.path();
    const bool moved = owner.name != document.settings().name || owner.year != document.settings().year;
    if (moved) document.syncPath(storage);
    if (!document.save(document.path(), true, storage)) return 1;
    out << "Einstellungen gespeichert: " << document.path() << '\n';
    if (moved) out << "Die bisherige Datei bleibt erhalten: " << before << '\n';
    return 0;
}

} // namespace lorvan::cli
