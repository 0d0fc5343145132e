#include "gui/report_commands.h"

#include "evaluation/month_evaluation.h"
#include "foundation/error.h"
#include "gui/file_view_windows.h"
#include "gui/print_preview.h"
#include "gui/qt_platform.h"
#include "output/spreadsheet_export.h"
#include "output/spreadsheet_launch.h"
#include "platform/prompter.h"
#include "reports/month_report.h"
#include "reports/report_inputs.h"
#include "reports/report_print.h"
#include "reports/year_reports.h"

#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>

#include <memory>

namespace lorvan {

namespace {

YearReportKind yearKindOf(ReportSubject subject) {
    switch (subject) {
    case ReportSubject::Account:
        return YearReportKind::Account;
    case ReportSubject::WorkingTimeGrid:
        return YearReportKind::WorkingTimeGrid;
    case ReportSubject::Absences:
        return YearReportKind::Absences;
    default:
        return YearReportKind::YearEvaluation;
    }
}

// A logo message is shown once per report, whichever page meets it first.
MessageSink promptSink(Prompter& prompter) {
    return [&prompter](const std::string& message) { prompter.error(message); };
}

} // namespace

PrintableReport printableReport(OpenYearFile& file, ReportSubject subject, int32_t month,
                                const ReportInputs& inputs, Prompter& prompter) {
    YearEvaluator evaluator(file.document, file.context());
    PrintableReport result;
    const std::string logo = inputs.logoFile;
    if (subject == ReportSubject::MonthReport) {
        auto report = std::make_shared<MonthReport>(monthReport(evaluator, month, inputs));
        result.title = report->title;
        result.draw = [report, logo, &prompter](Surface& surface) {
            std::string logoPath = logo;
            printMonthReport(surface, *report, logoPath, promptSink(prompter));
        };
        return result;
    }
    auto report = std::make_shared<YearReport>(yearReport(evaluator, yearKindOf(subject)));
    result.title = report->title;
    result.landscape = report->landscape;
    result.draw = [report, logo, &prompter](Surface& surface) {
        std::string logoPath = logo;
        printYearReport(surface, *report, logoPath, promptSink(prompter));
    };
    return result;
}

PrintPreviewDialog* createPreviewDialog(QWidget* parent, QPrinter& printer, const PrintableReport& report) {
    printer.setPageOrientation(report.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setDocName(toQt(report.title));
    return new PrintPreviewDialog(parent, printer, report.draw, report.title);
}

void runReportCommand(OpenYearFile& file, const ReportCommand& command, int32_t month,
                      const ReportEnvironment& environment) {
    try {
        if (command.action == ReportAction::Export) {
            YearEvaluator evaluator(file.document, file.context());
            std::vector<CReportTable> tables;
            std::string sheet;
            if (command.subject == ReportSubject::MonthReport) {
                tables.push_back(monthExportTable(evaluator, month, environment.inputs));
                sheet = monthSheetName(file.document, month);
            } else {
                tables = yearExportTables(evaluator, yearKindOf(command.subject));
                sheet = yearSheetName(file.document);
            }
            if (tables.empty()) {
                environment.prompter.inform(kNothingToExport);
                return;
            }
            exportTable(tables.front(), sheet,
                        SpreadsheetTarget{environment.spreadsheet, environment.exportFolder,
                                          environment.runner, environment.prompter});
            return;
        }
        const PrintableReport report =
            printableReport(file, command.subject, month, environment.inputs, environment.prompter);
        QPrinter fallback(QPrinter::HighResolution);
        QPrinter& printer = environment.printer != nullptr ? *environment.printer : fallback;
        if (command.action == ReportAction::Preview) {
            std::unique_ptr<PrintPreviewDialog> dialog(
                createPreviewDialog(environment.parent, printer, report));
            dialog->exec();
            return;
        }
        printer.setPageOrientation(report.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        printer.setDocName(toQt(report.title));
        QPrintDialog dialog(&printer, environment.parent);
        if (dialog.exec() != QDialog::Accepted) return;
        printWithProgress(environment.parent, printer, report.draw, report.title);
    } catch (const LorvanError& failure) {
        environment.prompter.error(failure.what());
    }
}

} // namespace lorvan
