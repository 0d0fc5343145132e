#pragma once

#include "foundation/datum.h"
#include "masterdata/employee.h"

#include <cstdint>
#include <string>

// The logic of the dialog "Mitarbeiter bearbeiten": its fields, the proposals of the date pickers
// and the checks of "&OK".
namespace lorvan {

class Clock;
class Prompter;

// The fields that get the focus when OK is refused.
enum class EmployeeField { None, Number, Name };

inline constexpr const char* kEnterNumberMessage = "Geben Sie eine Personalnummer ein.";
inline constexpr const char* kEnterNameMessage = "Geben Sie einen Namen ein.";

// The end of probation proposed for an entry date: the day before the date six months later. The
// day number is kept; a day beyond the month's length runs on into the next month (31.08.2023 gives
// 31.02.2024, that is 02.03.2024, and the proposal 01.03.2024); 01.07.2023 gives 31.12.2023.
Datum proposedProbationEnd(const Datum& entryDate);
// The exit proposed on the day: one month later with the same day number, running on like the
// probation end (31.01.2025 gives 03.03.2025). A date no picker can show is given back unchanged by
// both.
Datum proposedExitDate(const Datum& today);

// The dialog's fields. The date pickers always show a date: an empty date of the record shows
// today. Number, name, extra info and department reach the record only after the caller's checks
// (the flows of employee_flows.h); the dates and flags come from confirmedRecord().
class EmployeeDialog {
  public:
    EmployeeDialog(const CMitarbeiterDoc& record, const Clock& clock);

    int32_t number = 0; // "Personalnummer"
    std::string name;
    std::string extraInfo;  // "Zusatzinfo"
    std::string department; // "Abteilung"
    bool active = true;     // "Aktiv (soll in Auswertungen ausgeblendet werden können)"

    // "Eintrittsdatum": the picker's date (today for an empty or damaged date of the record). The
    // record keeps its entry date unless the picker is set: an empty one stays empty (an entry of
    // today would make every earlier day "not employed").
    const Datum& entryDate() const { return entryDate_; }
    void setEntryDate(const Datum& date);
    bool entryDateSet() const { return entryDateSet_; }

    // "in Probezeit": switching it on proposes the end of probation from the entry picker.
    bool inProbation() const { return inProbation_; }
    void setInProbation(bool on);
    const Datum& probationEnd() const { return probationEnd_; }
    void setProbationEnd(const Datum& date) { probationEnd_ = date; }
    // The picker "Ende Probezeit" and its label are enabled only while in probation.
    bool probationEndEnabled() const { return inProbation_; }

    // "mit Austritt": switching it on proposes today plus one month.
    bool hasExit() const { return hasExit_; }
    void setHasExit(bool on);
    const Datum& exitDate() const { return exitDate_; }
    void setExitDate(const Datum& date) { exitDate_ = date; }
    bool exitDateEnabled() const { return hasExit_; }

    // "&OK": the checks in order, each with its message and the field that gets the focus; None
    // when the dialog may close. A number of 0 or below asks for a number; a name whose file-name
    // form holds no letter or digit gives no year file name and asks for a name.
    EmployeeField check(Prompter& prompter) const;

    // The record as the dialog leaves it: the original record with every field of the dialog. The
    // entry date only when its picker was set; probation end and exit date are empty without their
    // check box.
    CMitarbeiterDoc confirmedRecord() const;

    const CMitarbeiterDoc& original() const { return original_; }

  private:
    CMitarbeiterDoc original_;
    const Clock& clock_;
    Datum entryDate_;
    bool entryDateSet_ = false;
    bool inProbation_ = false;
    Datum probationEnd_;
    bool hasExit_ = false;
    Datum exitDate_;
};

} // namespace lorvan
