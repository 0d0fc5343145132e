#include "reports/ui/report_commands.h"

#include "app/application.h"
#include "app/command_table.h"
#include "app/open_year_file.h"
#include "app/report_settings.h"
#include "evaluation/month_evaluation.h"
#include "foundation/error.h"
#include "gui/common/desktop.h"
#include "gui/common/document_view.h"
#include "gui/common/print_preview.h"
#include "gui/common/qt_platform.h"
#include "output/spreadsheet_export.h"
#include "output/spreadsheet_launch.h"
#include "platform/prompter.h"
#include "reports/month_report.h"
#include "reports/report_inputs.h"
#include "reports/report_print.h"
#include "reports/ui/account_dialog.h"
#include "reports/ui/text_dialogs.h"
#include "reports/year_reports.h"

#include <QPageLayout>
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
    result.title = report->documentName;
    result.landscape = report->landscape;
    result.draw = [report, logo, &prompter](Surface& surface) {
        std::string logoPath = logo;
        printYearReport(surface, *report, logoPath, promptSink(prompter));
    };
    return result;
}

PrintPreviewDialog* createPreviewDialog(QWidget* parent, QPrinter& printer, const PrintableReport& report,
                                        std::string* lastPrintFile) {
    printer.setPageOrientation(report.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setDocName(toQt(report.title));
    return new PrintPreviewDialog(parent, printer, report.draw, report.title, lastPrintFile);
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
        std::string ownPrintFile;
        std::string& lastPrintFile =
            environment.lastPrintFile != nullptr ? *environment.lastPrintFile : ownPrintFile;
        if (command.action == ReportAction::Preview) {
            std::unique_ptr<PrintPreviewDialog> dialog(
                createPreviewDialog(environment.parent, printer, report, &lastPrintFile));
            dialog->exec();
            return;
        }
        printer.setPageOrientation(report.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        if (!runPrintDialog(environment.parent, printer, report.title, lastPrintFile)) return;
        printWithProgress(environment.parent, printer, report.draw, report.title);
    } catch (const LorvanError& failure) {
        environment.prompter.error(failure.what());
    }
}

namespace {

// A view that relays the evaluation commands (the employee window) hands them on to a year view.
bool relays(const DocumentView* view) {
    return view != nullptr && view->relaysCommands();
}

// The view a command acts on: the active view, or the year view the active view relays to (opened
// now); nullptr when there is none.
DocumentView* commandTarget(Desktop& desktop) {
    DocumentView* view = desktop.activeDocument();
    if (!relays(view)) return view;
    DocumentView* target = view->relayTarget();
    if (target == nullptr || !target->file()) return nullptr;
    return target;
}

// The report of the command in the active view; nothing where the report is not at hand. A relaying
// view offers the reports of a year view, without the window's own "&Drucken..." and
// "Sei&tenansicht...".
std::optional<ReportCommand> activeReport(const Desktop& desktop, MenuCommand command) {
    const DocumentView* view = desktop.activeDocument();
    if (relays(view)) {
        if (command == MenuCommand::Print || command == MenuCommand::PrintPreview) return std::nullopt;
        return reportCommand(command, ActiveView::YearView);
    }
    return reportCommand(command, view != nullptr ? view->viewKind() : ActiveView::None);
}

void runActiveReport(Desktop& desktop, MenuCommand command) {
    if (!activeReport(desktop, command)) return;
    DocumentView* view = commandTarget(desktop);
    if (view == nullptr) return;
    const std::optional<ReportCommand> report = reportCommand(command, view->viewKind());
    if (!report) return;
    CLorvanApp& app = desktop.app();
    const ReportEnvironment environment{desktop.dialogParent(),
                                        &desktop.printer(),
                                        &desktop.lastPrintFile(),
                                        desktop.prompter(),
                                        desktop.runner(),
                                        desktop.exportFolder(),
                                        reportInputsOf(app.settings(), app.buildSwitch()),
                                        storedSpreadsheetProgram(app.store())};
    runReportCommand(*view->file(), *report, view->month(), environment);
}

void showYearStatistics(Desktop& desktop, MenuCommand command) {
    DocumentView* view = commandTarget(desktop);
    if (view == nullptr || !view->file()) return;
    try {
        const CLorvanDoc& document = view->file()->document;
        std::unique_ptr<TextDialog> dialog =
            command == MenuCommand::VacationTaken
                ? vacationDialog(document, view->month(), desktop.dialogParent())
                : sicknessDialog(document, view->month(), desktop.dialogParent());
        dialog->exec();
    } catch (const LorvanError& failure) {
        desktop.prompter().error(failure.what());
    }
}

void editAccount(Desktop& desktop) {
    DocumentView* view = commandTarget(desktop);
    if (view == nullptr || !view->file()) return;
    const std::shared_ptr<OpenYearFile> file = view->file();
    AccountDialog dialog(*file, desktop.prompter(), desktop.dialogParent());
    // A correction is written to the file at once, like a saved day.
    QObject::connect(&dialog, &AccountDialog::documentChanged, &dialog, [&desktop, file] {
        desktop.saveYearFile(*file);
        desktop.updateCommands();
    });
    if (dialog.loaded()) dialog.exec();
}

} // namespace

void registerReportCommands(Desktop& desktop) {
    CommandTable& commands = desktop.commands();
    for (int number = static_cast<int>(MenuCommand::New); number <= static_cast<int>(MenuCommand::About);
         ++number) {
        const auto command = static_cast<MenuCommand>(number);
        if (!reportCommand(command, ActiveView::YearView) && !reportCommand(command, ActiveView::MonthView))
            continue;
        commands.add(
            command, [&desktop, command] { runActiveReport(desktop, command); },
            [&desktop, command] { return activeReport(desktop, command).has_value(); });
    }
    const auto hasDocument = [&desktop] {
        const DocumentView* view = desktop.activeDocument();
        return view != nullptr && (view->file() != nullptr || view->relaysCommands());
    };
    for (MenuCommand statistics : {MenuCommand::VacationTaken, MenuCommand::SickDays})
        commands.add(statistics, [&desktop, statistics] { showYearStatistics(desktop, statistics); }, hasDocument);
    commands.add(MenuCommand::AccountEdit, [&desktop] { editAccount(desktop); }, hasDocument);
}

} // namespace lorvan
