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
#include "reports/ui/weekly_proof_window.h"
#include "reports/weekly_proof.h"
#include "reports/year_reports.h"
#include "app/day_sheet_customers.h"
#include "masterdata/customer_list.h"

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
        printOrPreview(printableReport(file, command.subject, month, environment.inputs, environment.prompter),
                       command.action, environment);
    } catch (const LorvanError& failure) {
        environment.prompter.error(failure.what());
    }
}

void printOrPreview(const PrintableReport& report, ReportAction action, const ReportEnvironment& environment) {
    QPrinter fallback(QPrinter::HighResolution);
    QPrinter& printer = environment.printer != nullptr ? *environment.printer : fallback;
    std::string ownPrintFile;
    std::string& lastPrintFile = environment.lastPrintFile != nullptr ? *environment.lastPrintFile : ownPrintFile;
    if (action == ReportAction::Preview) {
        std::unique_ptr<PrintPreviewDialog> dialog(
            createPreviewDialog(environment.parent, printer, report, &lastPrintFile));
        dialog->exec();
        return;
    }
    printer.setPageOrientation(report.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (!runPrintDialog(environment.parent, printer, report.title, lastPrintFile)) return;
    printWithProgress(environment.parent, printer, report.draw, report.title);
}

PrintableReport printableDaySheet(OpenYearFile& file, const Datum& date, DaySheetForm form,
                                  const DaySheetCustomers* customers, const ReportInputs& inputs,
                                  Prompter& prompter) {
    auto sheet = std::make_shared<DaySheet>(daySheet(file.document, date, form, customers));
    PrintableReport result;
    result.title = sheet->documentName;
    const std::string logo = inputs.logoFile;
    result.draw = [sheet, logo, &prompter](Surface& surface) {
        std::string logoPath = logo;
        printDaySheet(surface, *sheet, logoPath, promptSink(prompter));
    };
    return result;
}

PrintableReport printableWeeklyProof(OpenYearFile& file, const WeeklyProofPeriod& period,
                                     const CustomerLookup* customers, const ReportInputs& inputs,
                                     Prompter& prompter) {
    auto proof = std::make_shared<WeeklyProof>(weeklyProof(file.document, file.context(), period, customers));
    PrintableReport result;
    result.title = proof->title;
    result.landscape = true;
    const std::string logo = inputs.logoFile;
    result.draw = [proof, logo, &prompter](Surface& surface) {
        std::string logoPath = logo;
        printWeeklyProof(surface, *proof, logoPath, promptSink(prompter));
    };
    return result;
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

ReportEnvironment environmentOf(Desktop& desktop) {
    CLorvanApp& app = desktop.app();
    return ReportEnvironment{desktop.dialogParent(),
                             &desktop.printer(),
                             &desktop.lastPrintFile(),
                             desktop.prompter(),
                             desktop.runner(),
                             desktop.exportFolder(),
                             reportInputsOf(app.settings(), app.buildSwitch()),
                             storedSpreadsheetProgram(app.store())};
}

// Exports the table to the spreadsheet program; a table without rows is nothing to export.
void exportRows(const CReportTable& table, const std::string& sheet, const ReportEnvironment& environment) {
    if (table.rowCount() == 0) {
        environment.prompter.inform(kNoDataToExport);
        return;
    }
    exportTable(table, sheet,
                SpreadsheetTarget{environment.spreadsheet, environment.exportFolder, environment.runner,
                                  environment.prompter});
}

// The day sheet is at hand in a day view and in a month view with a selected day.
bool daySheetAtHand(const Desktop& desktop) {
    const DocumentView* view = desktop.activeDocument();
    if (view == nullptr || !view->file() || view->dayNumber() == 0) return false;
    return view->viewKind() == ActiveView::DayView || view->viewKind() == ActiveView::MonthView;
}

void runActiveDaySheet(Desktop& desktop, ReportAction action) {
    if (!daySheetAtHand(desktop)) return;
    runDaySheetCommand(desktop, *desktop.activeDocument(), action, DaySheetForm::View);
}

void runActiveReport(Desktop& desktop, MenuCommand command) {
    if (!activeReport(desktop, command)) return;
    DocumentView* view = commandTarget(desktop);
    if (view == nullptr) return;
    const std::optional<ReportCommand> report = reportCommand(command, view->viewKind());
    if (!report) return;
    runReportCommand(*view->file(), *report, view->month(), environmentOf(desktop));
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

void runDaySheetCommand(Desktop& desktop, DocumentView& view, ReportAction action, DaySheetForm form) {
    const std::shared_ptr<OpenYearFile> file = view.file();
    if (!file || view.dayNumber() == 0) return;
    const ReportEnvironment environment = environmentOf(desktop);
    try {
        const Datum date{view.dayNumber(), view.month(), file->document.settings().year};
        const CustomerListDaySheet customers(desktop.app().customers());
        if (action == ReportAction::Export) {
            exportRows(daySheetExportTable(file->document, date, &customers), daySheetName(file->document, date),
                       environment);
            return;
        }
        printOrPreview(printableDaySheet(*file, date, form, &customers, environment.inputs, environment.prompter),
                       action, environment);
    } catch (const LorvanError& failure) {
        environment.prompter.error(failure.what());
    }
}

void runWeeklyProofDialog(Desktop& desktop) {
    DocumentView* view = commandTarget(desktop);
    if (view == nullptr || !view->file()) return;
    const std::shared_ptr<OpenYearFile> file = view->file();
    const CEinstArbzt& settings = file->document.settings();
    CDruckWoche model(settings.name, settings.year);
    const ReportEnvironment environment = environmentOf(desktop);
    const auto run = [&desktop, file, &environment](ReportAction action, const WeeklyProofPeriod& period) {
        try {
            const CustomerListLookup customers(desktop.app().customers());
            if (action == ReportAction::Export) {
                exportRows(weeklyProofExportTable(file->document, file->context(), period, &customers),
                           weeklyProofSheetName(period), environment);
                return;
            }
            printOrPreview(
                printableWeeklyProof(*file, period, &customers, environment.inputs, environment.prompter),
                action, environment);
        } catch (const LorvanError& failure) {
            environment.prompter.error(failure.what());
        }
    };
    WeeklyProofWindow dialog(model, desktop.prompter(),
                             exportCommandText("&Export nach Excel", environment.spreadsheet), run,
                             desktop.dialogParent());
    dialog.exec();
}

void registerReportCommands(Desktop& desktop) {
    CommandTable& commands = desktop.commands();
    for (int number = static_cast<int>(MenuCommand::New); number <= static_cast<int>(MenuCommand::About);
         ++number) {
        const auto command = static_cast<MenuCommand>(number);
        if (!reportCommand(command, ActiveView::YearView) && !reportCommand(command, ActiveView::MonthView))
            continue;
        const bool ownReport = command == MenuCommand::Print || command == MenuCommand::PrintPreview;
        if (ownReport) {
            // A day view's own report is its day sheet.
            const ReportAction action = command == MenuCommand::Print ? ReportAction::Print : ReportAction::Preview;
            commands.add(
                command,
                [&desktop, command, action] {
                    const DocumentView* view = desktop.activeDocument();
                    if (view != nullptr && view->viewKind() == ActiveView::DayView)
                        runActiveDaySheet(desktop, action);
                    else
                        runActiveReport(desktop, command);
                },
                [&desktop, command] {
                    const DocumentView* view = desktop.activeDocument();
                    if (view != nullptr && view->viewKind() == ActiveView::DayView) return daySheetAtHand(desktop);
                    return activeReport(desktop, command).has_value();
                });
            continue;
        }
        commands.add(
            command, [&desktop, command] { runActiveReport(desktop, command); },
            [&desktop, command] { return activeReport(desktop, command).has_value(); });
    }
    const std::pair<MenuCommand, ReportAction> daySheets[] = {{MenuCommand::DaySheetPrint, ReportAction::Print},
                                                              {MenuCommand::DaySheetPreview, ReportAction::Preview},
                                                              {MenuCommand::DaySheetExport, ReportAction::Export}};
    for (const auto& [command, action] : daySheets)
        commands.add(command, [&desktop, action] { runActiveDaySheet(desktop, action); },
                     [&desktop] { return daySheetAtHand(desktop); });
    commands.add(MenuCommand::WeekEvaluation, [&desktop] { runWeeklyProofDialog(desktop); }, [&desktop] {
        const DocumentView* view = desktop.activeDocument();
        return view != nullptr && (view->file() != nullptr || view->relaysCommands());
    });
    const auto hasDocument = [&desktop] {
        const DocumentView* view = desktop.activeDocument();
        return view != nullptr && (view->file() != nullptr || view->relaysCommands());
    };
    for (MenuCommand statistics : {MenuCommand::VacationTaken, MenuCommand::SickDays})
        commands.add(statistics, [&desktop, statistics] { showYearStatistics(desktop, statistics); }, hasDocument);
    commands.add(MenuCommand::AccountEdit, [&desktop] { editAccount(desktop); }, hasDocument);
}

} // namespace lorvan
