#pragma once

#include "foundation/io_select.h"
#include "import/employee_import.h"

#include <cstdint>
#include <optional>
#include <string>

// The logic of the dialog "Mitarbeiter importieren": its fields with the choices kept per user,
// the checks of "&Importieren" with their focus field, and the run.
namespace lorvan {

class UserStore;

// The per-user store keeps the choices in section "Settings".
inline constexpr const char* kStoreEmployeeImportFile = "MaImportFile";
inline constexpr const char* kStoreEmployeeImportSkipFirstLine = "MaImportIgnoreFirstRow";
inline constexpr const char* kStoreEmployeeImportOnlyNew = "MaImportOnlyNew";
inline constexpr const char* kStoreEmployeeImportLogAll = "MaImportLogAll";

class EmployeeImportForm {
  public:
    // "aus Datei" takes at most this many characters.
    static constexpr size_t kMaxPathLength = 255;

    // The stored choices (a check box is set unless its stored value is "0"; the defaults set all
    // three) and the current year.
    EmployeeImportForm(UserStore& store, const Clock& clock);

    std::string importFile;    // "aus Datei"
    int32_t year = 0;          // "Jahr anlegen" (not stored)
    bool skipFirstLine = true; // "Erste Zeile enthält Spaltennamen"
    bool onlyNew = true;       // "Nur neue Jahre anlegen (keine Änderung vorhandener Jahre)"
    bool logAll = true;        // "Ausführliches Protokoll"

    // "Du&rchsuchen...": an existing file, titled "Importdatei", without a file-type filter.
    IoSelect fileSelection(const std::string& dataDirectory) const;
    // Puts the chosen path into the field (cut to the field's length).
    void chooseFile(const std::string& path);

    struct Outcome {
        std::optional<EmployeeImportField> focus; // a check refused: its message was shown
        bool ran = false;                         // the import ran
        EmployeeImportResult result;              // of the run
        // The run succeeded: the dialog closes. Otherwise it stays open with its values.
        bool closes() const { return ran && result.success; }
    };
    // "&Importieren": the checks (the message through the environment's prompter, the dialog stays),
    // then the choices are stored and the import runs (runEmployeeImport; raises what it raises).
    Outcome import(const EmployeeImportEnvironment& environment);

  private:
    UserStore& store_;
    const Clock& clock_;
};

} // namespace lorvan
