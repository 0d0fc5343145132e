#pragma once

#include "foundation/io_select.h"
#include "output/report_table.h"
#include "potential/potential_analysis.h"

#include <string>

// The dialog "Wöchentliche Potentialanalyse" as a model: its five values (kept in the per-user store,
// section "Monatsabschluss"), the checks of its two commands with message and focus field, the file
// selections, the tables and their title. The window only maps its fields to this.
namespace lorvan {

class Clock;
class Prompter;
class UserStore;
class WebBrowser;

inline constexpr const char* kPotentialDialogTitle = "Wöchentliche Potentialanalyse";
// The hazard notice on the product's web site ("&Gefahrenhinweis...").
inline constexpr const char* kHazardNoticeAddress = "https://www.lorvan.example/lorvan/Gefahrenhinweis.pdf";
inline constexpr const char* kWeekToBeforeFrom = "Woche bis liegt vor Woche von.";

enum class PotentialField { None, WeekFrom, WeekTo, PzeFile, MachineFile, MisconductFile };

class PotentialAnalysisForm {
  public:
    // Reads the stored values.
    PotentialAnalysisForm(PotentialSource source, UserStore& store, Prompter& prompter, const Clock& clock);

    std::string weekFrom;       // "Woche von", WW/JJJJ
    std::string weekTo;         // "bis"
    std::string pzeFile;        // "Auswertungsdatei PZE/BDE"
    std::string machineFile;    // "Auswertung Maschine-Mitarbeiter"
    std::string misconductFile; // "Indexdatei mit Fehlverhalten"

    // "Potentialanalyse": the two weeks, then every given path must name an existing file. A failed
    // check shows its message, sets focus() and gives false; otherwise the five values are stored.
    bool checkAnalysis();
    // "&Arbeitszeiten...": the checks of the two weeks; the two weeks are stored.
    bool checkWorkingTimes();
    PotentialField focus() const { return focus_; }

    // The tables, after their check passed. Problems with the files are reported through the prompter.
    CReportTable analysis();
    CReportTable workingTimes();
    // The sheet name of both: "05.2024-06.2024 am 15.04.2024" (today's date).
    std::string exportTitle() const;

    // "&Gefahrenhinweis...": the hazard notice in the browser; a browser that does not start is said.
    void showHazardNotice(WebBrowser& browser);
    // The selection of an existing file behind the field's "Du&rchsuchen...".
    IoSelect fileSelection(PotentialField field, const std::string& initialDirectory) const;

  private:
    bool checkWeeks();
    bool refuse(const char* message, PotentialField field);

    PotentialSource source_;
    UserStore& store_;
    Prompter& prompter_;
    const Clock& clock_;
    PotentialField focus_ = PotentialField::None;
    CalendarWeek from_;
    CalendarWeek to_;
};

} // namespace lorvan
