#pragma once

#include "foundation/io_select.h"
#include "import/time_import.h"

#include <optional>
#include <string>

// The logic of the dialog "Arbeitszeiten importieren": its fields with the choices kept per user
// (each of the four kinds of file remembers its own file, options and protocol), the checks of
// "&Importieren" with their focus field, and the run.
namespace lorvan {

class UserStore;

// The per-user store: the two boxes in section "ImportSettings", the rest in the section of the
// kind of file ("ImportSettings" + "Fz"/"Zz" + "Sp"/"St").
inline constexpr const char* kStoreImportSection = "ImportSettings";
inline constexpr const char* kStoreImportAbsences = "ImportFormatFehlzeit";
inline constexpr const char* kStoreImportCompanyLayout = "ImportSpecialImpl";
inline constexpr const char* kStoreImportFile = "ImportFile";
inline constexpr const char* kStoreImportSkipFirstLine = "ImportIgnoreFirstRow";
inline constexpr const char* kStoreImportKeepExisting = "ImportAddZeiten";
inline constexpr const char* kStoreImportLogAll = "ImportLogAll";
inline constexpr const char* kStoreImportProtocol = "ImportProtokoll";

enum class TimeImportField { File, Protocol };

class TimeImportForm {
  public:
    // "aus Datei" and "Protokolldatei" take at most this many characters.
    static constexpr size_t kMaxPathLength = 255;

    // The stored choices. The company layouts are offered only with the build switch; without it the
    // form works with the standard layouts and leaves the stored company box as it is.
    TimeImportForm(UserStore& store, bool buildSwitch);

    bool absences() const { return absences_; }           // "Datei enthält Fehlzeiten"
    bool companyLayout() const { return companyLayout_; } // "Spezielle Implementation für ihr Unternehmen"
    bool companyLayoutOffered() const { return buildSwitch_; }
    // Switching either box first keeps the fields in the section of the kind left, then shows the
    // fields of the new kind.
    void setAbsences(bool on);
    void setCompanyLayout(bool on);

    std::string importFile;     // "aus Datei"
    bool skipFirstLine = false; // "Erste Zeile enthält Spaltennamen"
    bool keepExisting = false;  // "Vorhandene Zeiten beibehalten"
    bool logAll = false;        // "Ausführliches Protokoll (auch fehlerfrei importierte Daten anzeigen)"
    std::string protocolFile;   // "Protokolldatei" (may be empty)

    // "Erste Zeile enthält Spaltennamen" is off and cannot be ticked while the company box is.
    bool skipFirstLineEnabled() const { return !companyLayout_; }
    ImportMode mode() const;
    // The section of the current kind of file, e.g. "ImportSettingsZzSt".
    std::string section() const;

    // "Du&rchsuchen..." of the import file: an existing file, titled "Importdatei".
    IoSelect fileSelection(const std::string& dataDirectory) const;
    // "Du&rchsuchen..." of the protocol: a file to save, titled "Protokolldatei", text files first.
    IoSelect protocolSelection(const std::string& dataDirectory) const;
    // Put a chosen path into its field (cut to the field's length).
    void chooseFile(const std::string& path);
    void chooseProtocol(const std::string& path);

    // The options of a run with the current fields.
    TimeImportOptions options() const;

    struct Outcome {
        std::optional<TimeImportField> focus; // a check refused: its message was shown
        bool ran = false;                     // the import ran
        TimeImportResult result;              // of the run
        // Everything was read and written without error: the dialog closes. Otherwise it stays open.
        bool closes() const { return ran && result.success; }
    };
    // "&Importieren": the start checks (the message through the environment's prompter, the dialog
    // stays), then every choice is stored and the import runs.
    Outcome import(TimeImportEnvironment& environment);

  private:
    void load();
    void store() const;

    UserStore& store_;
    bool buildSwitch_;
    bool absences_ = false;
    bool companyLayout_ = false;
};

} // namespace lorvan
