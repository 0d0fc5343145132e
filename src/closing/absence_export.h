#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The export of missing times: for the chosen employees and month, every regular working day without
// recorded working time, with the day's absence code, as a ";"-separated file.
namespace lorvan {

class CTagDoc;
class Prompter;
class UserStore;
struct CollectedMonth;
struct WorkingTimePeriod;

inline constexpr const char* kAbsenceExportHeader =
    "Abteilung;PersonalNr;Mitarbeiter;Datum;FehlzeitKz; (U = Urlaub, K = Krank, ZA = Zeitausgleichstag, F = "
    "Feiertag, Frei = Freier Tag ( wie Samstag trotz eingetragener Regelarbzt ) )";

// The absence code of a day record: "U" (or "UH" on a half day of a period with fixed regular
// working days), "UH", "K", "KG", "KK", "EZ", "ZA"; empty for a public holiday and every other kind.
// weekday: 0 = Sunday ... 6 = Saturday.
const char* absenceExportCode(const CTagDoc& day, const WorkingTimePeriod& period, size_t weekday);

// The number of data lines written, or -1 with error holding the message. onlyMissing: only days
// without any entry ("Nur fehlende Zeiten ausgeben"); else also the days that carry an absence. The
// file is written whole or not at all: a month without working-time period stops the export with its
// message and leaves an existing file as it was.
struct AbsenceExportResult {
    int32_t count = -1;
    std::string error;
};
AbsenceExportResult exportAbsences(const std::string& path, bool onlyMissing, const std::vector<CollectedMonth>& months);

// The button "Export der &fehlenden Zeiten im CSV-Format..." with the check box "Nur fehlende Zeiten
// ausgeben": the file and the option come from the per-user store ("FehlzeitCsvDatei",
// "FehlzeitNurLeer") and go back there after an export that wrote lines.
class AbsenceExportForm {
  public:
    AbsenceExportForm(UserStore& store, Prompter& prompter);

    // The stored file, proposed by the file dialog "Exportdatei".
    const std::string& file() const { return file_; }
    bool onlyMissing() const { return onlyMissing_; }
    void setOnlyMissing(bool on) { onlyMissing_ = on; }

    // Exports to path and shows the outcome; the number of lines, -1 on failure.
    int32_t run(const std::string& path, const std::vector<CollectedMonth>& months);

  private:
    UserStore& store_;
    Prompter& prompter_;
    std::string file_;
    bool onlyMissing_ = true;
};

} // namespace lorvan
