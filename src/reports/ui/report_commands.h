#pragma once

#include "app/menu_table.h"
#include "output/spreadsheet_export.h"
#include "output/ui/qt_surface.h"
#include "reports/report_inputs.h"

#include <functional>
#include <string>

class QPrinter;
class QWidget;

namespace lorvan {

class Desktop;
class PrintPreviewDialog;
class Prompter;
class ProgramRunner;
struct OpenYearFile;

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

// Runs a report command: print dialog and printing, print preview, or export to the spreadsheet
// program. Failures are shown through the prompter.
void runReportCommand(OpenYearFile& file, const ReportCommand& command, int32_t month,
                      const ReportEnvironment& environment);

// The report commands of the year and month views (print, preview and export of every report of a
// year file) and the year statistics and account dialogs: "Genommener &Urlaub...",
// "&Krankheitstage..." and "&Arbeitszeitkonto" - "&Bearbeiten...". While the active view relays
// (DocumentView::relaysCommands), they act on the year view its relayTarget() opens.
void registerReportCommands(Desktop& desktop);

} // namespace lorvan
