#pragma once

#include "app/menu_table.h"
#include "output/spreadsheet_export.h"
#include "output/ui/qt_surface.h"
#include "reports/day_sheet.h"
#include "reports/report_inputs.h"

#include <functional>
#include <string>

class QPrinter;
class QWidget;

namespace lorvan {

class Desktop;
class DocumentView;
class PrintPreviewDialog;
class Prompter;
class ProgramRunner;
struct OpenYearFile;
struct WeeklyProofPeriod;
class CustomerLookup;

// A report of a year file made ready for the printer: its pages, orientation and title. The title
// names the report and the employee ("Jahresauswertung 2026 - Jörg Weiß"): the preview's window,
// the print job and the proposed PDF file carry it.
struct PrintableReport {
    DrawDocument draw;
    bool landscape = false;
    std::string title;
};

// Builds the report now (the figures of this moment); month is the month view's month. The pages
// print the logo of the inputs; a logo that cannot be printed is reported to the prompter once.
PrintableReport printableReport(OpenYearFile& file, ReportSubject subject, int32_t month,
                                const ReportInputs& inputs, Prompter& prompter);

// The print preview of a report on the printer, not yet shown (the caller execs it). The printer
// gets the report's orientation. lastPrintFile: see runPrintDialog.
PrintPreviewDialog* createPreviewDialog(QWidget* parent, QPrinter& printer, const PrintableReport& report,
                                        std::string* lastPrintFile = nullptr);

struct ReportEnvironment {
    QWidget* parent = nullptr;
    QPrinter* printer = nullptr; // the printer set up with "Drucker&einrichtung..."
    std::string* lastPrintFile = nullptr; // the last PDF printed (see runPrintDialog)
    Prompter& prompter;
    ProgramRunner& runner;
    std::string exportFolder;
    ReportInputs inputs;
    SpreadsheetProgram spreadsheet = SpreadsheetProgram::Excel;
};

// Prints the report through the print dialog, or shows its print preview.
void printOrPreview(const PrintableReport& report, ReportAction action, const ReportEnvironment& environment);

// Runs a report command: print dialog and printing, print preview, or export to the spreadsheet
// program. Failures are shown through the prompter.
void runReportCommand(OpenYearFile& file, const ReportCommand& command, int32_t month,
                      const ReportEnvironment& environment);

// The day sheet of the date as a printable report (portrait), and the weekly proof of the period
// (landscape); customers of the program's customer list.
PrintableReport printableDaySheet(OpenYearFile& file, const Datum& date, DaySheetForm form,
                                  const DaySheetCustomers* customers, const ReportInputs& inputs,
                                  Prompter& prompter);
PrintableReport printableWeeklyProof(OpenYearFile& file, const WeeklyProofPeriod& period,
                                     const CustomerLookup* customers, const ReportInputs& inputs,
                                     Prompter& prompter);

// Print, preview or export of the day sheet of the view's day (a day view's day, a month view's
// selected day) in that form; failures are shown.
void runDaySheetCommand(Desktop& desktop, DocumentView& view, ReportAction action, DaySheetForm form);

// "&Wochenauswertung...": the dialog "Wochenauswertung für" on the active view's year file.
void runWeeklyProofDialog(Desktop& desktop);

// The report commands of the year and month views (print, preview and export of every report of a
// year file) and the year statistics and account dialogs: "Genommener &Urlaub...",
// "&Krankheitstage..." and "&Arbeitszeitkonto" - "&Bearbeiten...", the day sheet ("&Tageszettel drucken"
// in a day or month view; "&Drucken..." and "Sei&tenansicht..." in a day view) and "&Wochenauswertung...".
// While the active view relays
// (DocumentView::relaysCommands), they act on the year view its relayTarget() opens.
void registerReportCommands(Desktop& desktop);

} // namespace lorvan
