#include "app/general_settings.h"

#include "app/application.h"
#include "app/document_kinds.h"
#include "app/report_settings.h"
#include "platform/user_store.h"
#include "foundation/calendar.h"
#include "foundation/error.h"
#include "foundation/format.h"
#include "foundation/text_encoding.h"
#include "platform/prompter.h"

#include <cctype>

namespace lorvan {
namespace {

bool fitsField(const std::string& text) {
    return characterCount(text) <= GeneralSettingsForm::kMaxPathLength;
}

} // namespace

GeneralSettingsForm::GeneralSettingsForm(CLorvanApp& app, const UserEnvironment& environment)
    : app_(app), values_(app.settings()), spreadsheet_(storedSpreadsheetProgram(app.store())) {
    if (app.dataDirectory() == kDataPathNotSet || app.dataDirectory().empty()) {
        dataDirectory_ = withSeparator(defaultDataDirectory(environment), false);
        proposesDataDirectory_ = true;
    } else {
        dataDirectory_ = withSeparator(app.dataDirectory(), false);
    }
    loadSettings(values_, dataDirectory_, false, app_.store());
}

bool GeneralSettingsForm::canBrowseDataDirectory() const {
    const std::string& current = app_.dataDirectory();
    if (current.empty() || current == kDataPathNotSet) return true;
    return !directoryHasFiles(current, "*.azr");
}

IoSelect GeneralSettingsForm::dataDirectorySelection() const {
    return IoSelect(IoSelectMode::SelectDirectory, dataDirectory_, "Datenverzeichnis", dataDirectory_);
}

IoSelect GeneralSettingsForm::logoSelection() const {
    IoSelect selection(IoSelectMode::OpenFile, values_.logoFile, "Datei mit Logo", dataDirectory_);
    selection.addFilter("Bitmap", "*.bmp");
    return selection;
}

bool GeneralSettingsForm::chooseDataDirectory(const std::string& directory) {
    const std::string shown = withSeparator(directory, false);
    if (!fitsField(shown)) return false;
    dataDirectory_ = shown;
    loadSettings(values_, dataDirectory_, false, app_.store());
    return true;
}

bool GeneralSettingsForm::setLogoFile(const std::string& path) {
    if (!fitsField(path)) return false;
    values_.logoFile = path;
    return true;
}

void GeneralSettingsForm::setPrintTexts(bool on) {
    values_.printMonthReportTexts = on;
    values_.monthReportText = on ? kProposedMonthReportText : "";
    values_.overtimeNoteText = on ? kProposedOvertimeText : "";
    values_.overtimeThresholdHours = on ? kProposedOvertimeHours : 0;
    values_.sicknessNoteText = on ? kProposedSicknessText : "";
    values_.sicknessThresholdDays = on ? kProposedSicknessDays : 0;
}

bool GeneralSettingsForm::isValidMonthClosing(const std::string& text) {
    if (text.size() != 7 || text[2] != '.') return false;
    for (size_t i : {0, 1, 3, 4, 5, 6})
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    const int month = std::stoi(text.substr(0, 2));
    const int year = std::stoi(text.substr(3));
    return month >= 1 && month <= 12 && year >= 2018 && isValidDate(Datum{1, month, year});
}

GeneralSettingsField GeneralSettingsForm::confirm(Prompter& prompter) {
    // (1) The data directory, created on request.
    const std::string directory = withSeparator(dataDirectory_, true);
    if (directory.empty()) return GeneralSettingsField::DataDirectory;
    if (!directoryExists(directory)) {
        if (!prompter.askYesNo(kCreateDataDirectoryQuestion)) return GeneralSettingsField::DataDirectory;
        std::string errorText;
        bool created = false;
        try {
            created = createDirectoryPath(directory, errorText, "");
        } catch (const LorvanError& e) {
            errorText = e.what();
        }
        if (!created) {
            prompter.error(errorText);
            return GeneralSettingsField::DataDirectory;
        }
    }

    // (2) The logo must be a bitmap that fits its place on the reports.
    if (!values_.logoFile.empty()) {
        PictureSize size;
        std::string errorText;
        if (!loadPicture(values_.logoFile, size, errorText)) {
            prompter.error(errorText);
            return GeneralSettingsField::LogoFile;
        }
        if (size.width > kMaxLogoWidth || size.height > kMaxLogoHeight) {
            prompter.error(kLogoTooLargeMessage);
            return GeneralSettingsField::LogoFile;
        }
    }

    // (3) The month closing.
    if (!values_.monthClosing.empty() && !isValidMonthClosing(values_.monthClosing)) {
        prompter.error(kMonthFormatMessage);
        return GeneralSettingsField::MonthClosing;
    }

    // (4) A new data directory goes into the per-user store. When that fails nothing is taken: the
    // shown settings belong to the new directory and must not end up in the old one's Lorvan.ini.
    if (directory != withSeparator(app_.dataDirectory(), true)) {
        if (!app_.store().writeString(kStoreSettings, kStoreDataPath, directory)) {
            prompter.error(format("%s - %s", "EIN01", kSettingsNotSavedMessage));
            return GeneralSettingsField::DataDirectory;
        }
    }

    // (5) The spreadsheet program, when it changed (per user, like the data directory).
    if (spreadsheet_ != storedSpreadsheetProgram(app_.store()) &&
        !storeSpreadsheetProgram(app_.store(), spreadsheet_)) {
        prompter.error(format("%s - %s", "EIN01", kSettingsNotSavedMessage));
        return GeneralSettingsField::SpreadsheetProgram;
    }

    // (6) Take everything, the temporary release too, and save.
    app_.setDataDirectory(directory);
    app_.settings() = values_;
    app_.saveSettings();
    return GeneralSettingsField::None;
}

} // namespace lorvan
