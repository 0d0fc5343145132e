#include "closing/ui/closing_dialogs.h"

#include "app/application.h"
#include "app/document_kinds.h"
#include "app/command_table.h"
#include "app/help_topics.h"
#include "app/menu_table.h"
#include "app/report_settings.h"
#include "app/work_areas.h"
#include "closing/absence_export.h"
#include "closing/closing_lists.h"
#include "foundation/error.h"
#include "foundation/file_system.h"
#include "foundation/io_select.h"
#include "gui/common/desktop.h"
#include "gui/common/help_window.h"
#include "gui/common/protocol_window.h"
#include "gui/common/print_preview.h"
#include "gui/common/qt_platform.h"
#include "output/spreadsheet_launch.h"
#include "platform/prompter.h"
#include "reports/report_inputs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <filesystem>

namespace lorvan {
namespace {

// "Du&rchsuchen...": a file to be written, without type filter.
void browseInto(QWidget* parent, QLineEdit* field, const char* title) {
    IoSelect selection(IoSelectMode::DefineFile, fromQt(field->text()), title,
                       std::filesystem::current_path().string());
    selection.setTitle(title);
    if (const auto chosen = runIoSelect(parent, selection)) field->setText(toQt(*chosen));
}

MessageSink sinkOf(Prompter& prompter) {
    return [&prompter](const std::string& message) { prompter.warn(message); };
}

} // namespace

BookingExportDialog::BookingExportDialog(BookingExportForm& form, QWidget* parent) : QDialog(parent), form_(form) {
    setWindowTitle(QStringLiteral("Buchungsexport"));
    auto* layout = new QGridLayout(this);
    int row = 0;
    auto addLine = [&](const char* label, const std::string& value, const char* browseTitle) {
        auto* edit = new QLineEdit(toQt(value), this);
        auto* text = new QLabel(QString::fromUtf8(label), this);
        text->setBuddy(edit);
        layout->addWidget(text, row, 0);
        layout->addWidget(edit, row, 1);
        if (browseTitle != nullptr) {
            auto* browse = new QPushButton(QStringLiteral("Du&rchsuchen..."), this);
            browse->setAutoDefault(false);
            connect(browse, &QPushButton::clicked, this, [this, edit, browseTitle] { browseInto(this, edit, browseTitle); });
            layout->addWidget(browse, row, 2);
        }
        ++row;
        return edit;
    };
    consultant_ = addLine("Beraternummer", form.values.consultant, nullptr);
    client_ = addLine("Mandantennummer", form.values.client, nullptr);
    date_ = addLine("Abrechnungsdatum", form.values.accountingDate, nullptr);
    bookingFile_ = addLine("Buchungsdatei", form.values.bookingFile, "Buchungsdatei");
    calendarFile_ = addLine("Kalenderdatendatei", form.values.calendarFile, "Kalenderdatei");
    yearEnd_ = new QCheckBox(
        QString::fromUtf8("Jahresabschluss - Beschäftigte Mitarbeiter und Vorträge in neues Jahr übertragen"), this);
    yearEnd_->setChecked(form.values.yearEnd);
    layout->addWidget(yearEnd_, row++, 0, 1, 3);
    protocolFile_ = addLine("Protokoll Jahresabschluss", form.values.protocolFile, "Protokolldatei Jahresabschluss");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &BookingExportDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &BookingExportDialog::reject);
    layout->addWidget(buttons, row, 0, 1, 3);
    layout->setColumnMinimumWidth(1, 360);
    addHelpShortcut(this, kHelpBookingExport);
}

QLineEdit* BookingExportDialog::field(BookingField field) const {
    switch (field) {
    case BookingField::Consultant:
        return consultant_;
    case BookingField::Client:
        return client_;
    case BookingField::AccountingDate:
        return date_;
    case BookingField::BookingFile:
        return bookingFile_;
    case BookingField::CalendarFile:
        return calendarFile_;
    case BookingField::ProtocolFile:
        return protocolFile_;
    case BookingField::None:
    case BookingField::YearEnd:
        break;
    }
    return nullptr;
}

void BookingExportDialog::accept() {
    BookingExportValues& v = form_.values;
    v.consultant = fromQt(consultant_->text());
    v.client = fromQt(client_->text());
    v.accountingDate = fromQt(date_->text());
    v.bookingFile = fromQt(bookingFile_->text());
    v.calendarFile = fromQt(calendarFile_->text());
    v.yearEnd = yearEnd_->isChecked();
    v.protocolFile = fromQt(protocolFile_->text());
    if (form_.ok()) {
        QDialog::accept();
        return;
    }
    if (QLineEdit* edit = field(form_.focus())) edit->setFocus();
}

MonthClosingWindow::MonthClosingWindow(Desktop& desktop, ClosingWindows windows)
    : DocumentView(nullptr, nullptr), desktop_(desktop),
      employeeFilePath_(withSeparator(desktop.app().dataDirectory(), true) + kEmployeeFileName),
      windows_(std::move(windows)) {
    CLorvanApp& app = desktop.app();
    wizard_ = std::make_unique<MonthClosingWizard>(app.dataDirectory(), app.employees().all(), app.store(),
                                                   desktop.prompter(), desktop.clock());
    setWindowTitle(QStringLiteral("Monatsabschluss"));
    auto* layout = new QVBoxLayout(this);
    caption_ = new QLabel(this);
    QFont bold = caption_->font();
    bold.setBold(true);
    caption_->setFont(bold);
    layout->addWidget(caption_);
    stack_ = new QStackedWidget(this);
    stack_->addWidget(buildPeriodPage());
    stack_->addWidget(buildSelectionPage(true));
    stack_->addWidget(buildSelectionPage(false));
    stack_->addWidget(buildFinishPage());
    layout->addWidget(stack_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    back_ = new QPushButton(QStringLiteral("< &Zurück"), this);
    next_ = new QPushButton(QStringLiteral("&Weiter >"), this);
    close_ = new QPushButton(QStringLiteral("&Schließen"), this);
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    for (QPushButton* b : {back_, next_, close_, cancel}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    next_->setDefault(true);
    layout->addLayout(buttons);
    connect(back_, &QPushButton::clicked, this, &MonthClosingWindow::goBack);
    connect(next_, &QPushButton::clicked, this, &MonthClosingWindow::goNext);
    connect(close_, &QPushButton::clicked, this, &MonthClosingWindow::finish);
    connect(cancel, &QPushButton::clicked, this, &MonthClosingWindow::closeWindow);
    addHelpShortcut(this, kHelpMonthClosing);
    showPage();
}

MonthClosingWindow::~MonthClosingWindow() = default;

int MonthClosingWindow::helpTopic() const {
    return kHelpMonthClosing;
}

QWidget* MonthClosingWindow::buildPeriodPage() {
    auto* page = new QWidget(this);
    auto* layout = new QGridLayout(page);
    period_ = new QComboBox(page);
    for (const std::string& entry : wizard_->periodEntries())
        period_->addItem(toQt(entry));
    period_->setCurrentIndex(static_cast<int>(wizard_->period()));
    layout->addWidget(new QLabel(QStringLiteral("Zeitraum"), page), 0, 0);
    layout->addWidget(period_, 0, 1);
    month_ = new QLineEdit(toQt(wizard_->monthText), page);
    layout->addWidget(new QLabel(QStringLiteral("Monat (TT.JJJJ)"), page), 1, 0);
    layout->addWidget(month_, 1, 1);
    all_ = new QRadioButton(QStringLiteral("Alle Mitarbeiter"), page);
    byEmployee_ = new QRadioButton(QString::fromUtf8("Mitarbeiter auswählen"), page);
    byDepartment_ = new QRadioButton(
        QString::fromUtf8("Abteilung auswählen (oder nach Abteilung sortieren / gruppieren)"), page);
    onlyActive_ = new QCheckBox(QString::fromUtf8("nur aktive Mitarbeiter berücksichtigen"), page);
    onlyActive_->setChecked(wizard_->onlyActive());
    switch (wizard_->selection()) {
    case ClosingSelection::All:
        all_->setChecked(true);
        break;
    case ClosingSelection::Employees:
        byEmployee_->setChecked(true);
        break;
    case ClosingSelection::Departments:
        byDepartment_->setChecked(true);
        break;
    }
    layout->addWidget(all_, 2, 0, 1, 2);
    layout->addWidget(byEmployee_, 3, 0, 1, 2);
    layout->addWidget(byDepartment_, 4, 0, 1, 2);
    layout->addWidget(onlyActive_, 5, 0, 1, 2);
    layout->setRowStretch(6, 1);
    connect(period_, &QComboBox::currentIndexChanged, this, [this](int index) {
        wizard_->setPeriod(static_cast<ClosingPeriod>(index));
        month_->setText(toQt(wizard_->monthText));
        month_->setEnabled(wizard_->monthFieldEnabled());
    });
    month_->setEnabled(wizard_->monthFieldEnabled());
    return page;
}

QWidget* MonthClosingWindow::buildSelectionPage(bool departments) {
    auto* page = new QWidget(this);
    auto* layout = new QGridLayout(page);
    auto makeList = [&](const char* title) {
        auto* list = new QTreeWidget(page);
        if (departments) {
            list->setHeaderLabels({QStringLiteral("Abteilung")});
        } else {
            list->setHeaderLabels({QStringLiteral("Personalnummer"), QStringLiteral("Name")});
        }
        list->setRootIsDecorated(false);
        list->setMinimumWidth(240);
        auto* label = new QLabel(QString::fromUtf8(title), page);
        label->setBuddy(list);
        return std::pair{label, list};
    };
    const auto [possibleLabel, possible] =
        makeList(departments ? "Mögliche Abteilungen" : "Mögliche Mitarbeiter");
    const auto [selectedLabel, selected] =
        makeList(departments ? "Ausgewählte Abteilungen" : "Ausgewählte Mitarbeiter");
    layout->addWidget(possibleLabel, 0, 0);
    layout->addWidget(possible, 1, 0);
    layout->addWidget(selectedLabel, 0, 2);
    layout->addWidget(selected, 1, 2);
    auto* moves = new QVBoxLayout;
    moves->addStretch();
    const char* texts[] = {">>", ">", "<", "<<"};
    for (int i = 0; i < 4; ++i) {
        auto* button = new QPushButton(QString::fromUtf8(texts[i]), page);
        button->setAutoDefault(false);
        moves->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, departments, i, possible, selected] {
            const int from = (i == 1 ? possible : selected)->indexOfTopLevelItem((i == 1 ? possible : selected)->currentItem());
            bool moved = false;
            const size_t index = from < 0 ? static_cast<size_t>(-1) : static_cast<size_t>(from);
            if (departments) {
                moved = i == 0 ? wizard_->selectAllDepartments()
                        : i == 1 ? wizard_->selectDepartment(index)
                        : i == 2 ? wizard_->deselectDepartment(index)
                                 : wizard_->deselectAllDepartments();
            } else {
                moved = i == 0 ? wizard_->selectAllEmployees()
                        : i == 1 ? wizard_->selectEmployee(index)
                        : i == 2 ? wizard_->deselectEmployee(index)
                                 : wizard_->deselectAllEmployees();
            }
            if (!moved) QApplication::beep();
            fillLists();
        });
    }
    moves->addStretch();
    layout->addLayout(moves, 1, 1);
    if (departments) {
        possibleDepartments_ = possible;
        selectedDepartments_ = selected;
    } else {
        possibleEmployees_ = possible;
        selectedEmployees_ = selected;
    }
    return page;
}

QWidget* MonthClosingWindow::buildFinishPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* form = new QFormLayout;
    monthSummary_ = new QLineEdit(page);
    monthSummary_->setReadOnly(true);
    employeeSummary_ = new QLineEdit(page);
    employeeSummary_->setReadOnly(true);
    form->addRow(QStringLiteral("Monat"), monthSummary_);
    form->addRow(QStringLiteral("Mitarbeiter"), employeeSummary_);
    layout->addLayout(form);
    const SpreadsheetProgram program = storedSpreadsheetProgram(desktop_.app().store());
    onlyMissing_ = new QCheckBox(QStringLiteral("Nur fehlende Zeiten ausgeben"), page);
    onlyMissing_->setChecked(wizard_->absenceOnlyMissing);
    auto* grid = new QGridLayout;
    int row = 0;
    auto add = [&](const std::string& text, auto slot, int column = 0) {
        auto* button = new QPushButton(toQt(text), page);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, slot);
        grid->addWidget(button, column == 0 ? row : row - 1, column);
        if (column == 0) ++row;
        return button;
    };
    grid->addWidget(onlyMissing_, row++, 0);
    add("Export der &fehlenden Zeiten im CSV-Format...", [this] { exportAbsences(); });
    add("&Buchungsexport...", [this] { runBookingExport(); });
    add("&Drucken der Monatsauswertungen...", [this] { printMonthEvaluations(); });
    add(exportCommandText("&Export der Arbeitszeitkonten nach Excel...", program), [this] { exportList(false); });
    add("Seitenansicht der &Arbeitszeitkonten...", [this] { previewList(false); }, 1);
    add(exportCommandText("Export der Mitarbeiter&kosten nach Excel...", program), [this] { exportList(true); });
    add("Seitenansicht der Kosten&liste...", [this] { previewList(true); }, 1);
    potential_ = add(exportCommandText("Export der wöchentlichen &Potentialanalyse nach Excel...", program),
                     [this] { runPotentialAnalysis(); });
    // The weekly potential analysis belongs to the company-specific build.
    potential_->setEnabled(desktop_.app().buildSwitch() && windows_.potentialAnalysis != nullptr);
    layout->addLayout(grid);
    layout->addStretch();
    return page;
}

void MonthClosingWindow::readPeriodPage() {
    wizard_->monthText = fromQt(month_->text());
    wizard_->setSelection(byDepartment_->isChecked()  ? ClosingSelection::Departments
                          : byEmployee_->isChecked() ? ClosingSelection::Employees
                                                     : ClosingSelection::All);
    if (onlyActive_->isChecked() != wizard_->onlyActive()) wizard_->setOnlyActive(onlyActive_->isChecked());
}

void MonthClosingWindow::fillLists() {
    auto fillDepartments = [](QTreeWidget* list, const std::vector<std::string>& entries) {
        list->clear();
        for (const std::string& e : entries)
            list->addTopLevelItem(new QTreeWidgetItem(QStringList{toQt(e)}));
    };
    auto fillEmployees = [](QTreeWidget* list, const std::vector<CMitarbeiterDoc>& entries) {
        list->clear();
        for (const CMitarbeiterDoc& e : entries)
            list->addTopLevelItem(new QTreeWidgetItem(QStringList{QString::number(e.number), toQt(e.name)}));
        list->resizeColumnToContents(0);
    };
    fillDepartments(possibleDepartments_, wizard_->possibleDepartments());
    fillDepartments(selectedDepartments_, wizard_->selectedDepartments());
    fillEmployees(possibleEmployees_, wizard_->possibleEmployees());
    fillEmployees(selectedEmployees_, wizard_->selectedEmployees());
}

void MonthClosingWindow::showPage() {
    caption_->setText(toQt(wizard_->caption()));
    stack_->setCurrentIndex(static_cast<int>(wizard_->page()));
    back_->setEnabled(wizard_->page() != ClosingPage::Period);
    next_->setEnabled(wizard_->page() != ClosingPage::Finish);
    close_->setEnabled(wizard_->page() == ClosingPage::Finish);
    if (wizard_->page() == ClosingPage::Finish) {
        monthSummary_->setText(toQt(wizard_->monthSummary()));
        employeeSummary_->setText(toQt(wizard_->employeeSummary()));
        close_->setDefault(true);
    } else {
        fillLists();
        next_->setDefault(true);
    }
}

void MonthClosingWindow::goNext() {
    if (wizard_->page() == ClosingPage::Period) readPeriodPage();
    if (!wizard_->next()) {
        switch (wizard_->focus()) {
        case ClosingField::Month:
            month_->setFocus();
            month_->selectAll();
            break;
        case ClosingField::PossibleDepartments:
            possibleDepartments_->setFocus();
            break;
        case ClosingField::PossibleEmployees:
            possibleEmployees_->setFocus();
            break;
        case ClosingField::None:
            break;
        }
        return;
    }
    showPage();
    if (wizard_->page() == ClosingPage::Finish && wizard_->collection() != nullptr) {
        const std::string protocol = wizard_->collection()->protocol();
        if (!protocol.empty()) showProtocol(this, protocol, kHelpMonthClosing);
    }
}

void MonthClosingWindow::goBack() {
    if (wizard_->back()) showPage();
}

void MonthClosingWindow::finish() {
    wizard_->absenceOnlyMissing = onlyMissing_->isChecked();
    wizard_->close();
    emit closingByOwnButton();
    closeWindow();
}

void MonthClosingWindow::exportAbsences() {
    if (wizard_->collection() == nullptr) return;
    IoSelect selection(IoSelectMode::SaveFile, wizard_->absenceFile, "Exportdatei",
                       std::filesystem::current_path().string());
    selection.setTitle("Exportdatei");
    const auto path = runIoSelect(this, selection);
    if (!path) return;
    AbsenceExportForm form(desktop_.app().store(), desktop_.prompter());
    form.setOnlyMissing(onlyMissing_->isChecked());
    if (form.run(*path, wizard_->collection()->monthList) > 0) {
        wizard_->absenceFile = *path;
        wizard_->absenceOnlyMissing = onlyMissing_->isChecked();
    }
}

void MonthClosingWindow::runBookingExport() {
    if (wizard_->collection() == nullptr) return;
    CLorvanApp& app = desktop_.app();
    BookingExportForm form(*wizard_->collection(), app.dataDirectory(), app.store(), desktop_.prompter(),
                           desktop_.clock());
    BookingExportDialog dialog(form, this);
    const bool ok = dialog.exec() == QDialog::Accepted;
    if (!form.notes().empty()) showProtocol(this, form.notes(), kHelpMonthClosing);
    if (ok) {
        app.advanceMonthClosing(closingMonthText(wizard_->collection()->chosen));
        desktop_.settingsChanged();
    }
}

void MonthClosingWindow::printMonthEvaluations() {
    if (wizard_->collection() == nullptr) return;
    CLorvanApp& app = desktop_.app();
    try {
        const ReportInputs inputs = reportInputsOf(app.settings(), app.buildSwitch());
        auto reports = std::make_shared<std::vector<MonthReport>>(monthEvaluationReports(*wizard_->collection(), inputs));
        const std::string title = "Monatsauswertungen " + closingMonthText(wizard_->collection()->chosen);
        Prompter& prompter = desktop_.prompter();
        const std::string logo = inputs.logoFile;
        QPrinter& printer = desktop_.printer();
        printer.setPageOrientation(QPageLayout::Portrait);
        if (!runPrintDialog(this, printer, title, desktop_.lastPrintFile())) return;
        printWithProgress(this, printer, [reports, logo, &prompter](Surface& surface) {
            std::string logoPath = logo;
            lorvan::printMonthEvaluations(surface, *reports, logoPath, sinkOf(prompter));
        }, title);
    } catch (const LorvanError& failure) {
        desktop_.prompter().error(failure.what());
    }
}

void MonthClosingWindow::previewList(bool costs) {
    if (wizard_->collection() == nullptr) return;
    CLorvanApp& app = desktop_.app();
    try {
        auto report = std::make_shared<ClosingListReport>(costs ? printableCostList(wizard_->costList())
                                                                : printableAccountList(wizard_->accountList(app.buildSwitch())));
        Prompter& prompter = desktop_.prompter();
        const std::string logo = app.settings().logoFile;
        QPrinter& printer = desktop_.printer();
        printer.setPageOrientation(report->landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        printer.setDocName(toQt(report->title));
        PrintPreviewDialog dialog(this, printer, [report, logo, &prompter](Surface& surface) {
            std::string logoPath = logo;
            printClosingList(surface, *report, logoPath, sinkOf(prompter));
        }, report->title, &desktop_.lastPrintFile());
        dialog.exec();
    } catch (const LorvanError& failure) {
        desktop_.prompter().error(failure.what());
    }
}

void MonthClosingWindow::exportList(bool costs) {
    if (wizard_->collection() == nullptr) return;
    CLorvanApp& app = desktop_.app();
    try {
        const CReportTable& table = costs ? wizard_->costList() : wizard_->accountList(app.buildSwitch());
        exportTable(table, costs ? kCostListTitle : kAccountListTitle,
                    SpreadsheetTarget{storedSpreadsheetProgram(app.store()), desktop_.exportFolder(), desktop_.runner(),
                                      desktop_.prompter()});
    } catch (const LorvanError& failure) {
        desktop_.prompter().error(failure.what());
    }
}

void MonthClosingWindow::runPotentialAnalysis() {
    if (wizard_->collection() == nullptr || !windows_.potentialAnalysis) return;
    windows_.potentialAnalysis(desktop_, this, wizard_->collection()->chosenEmployees);
}

void registerClosingCommands(Desktop& desktop, ClosingWindows windows) {
    desktop.commands().add(MenuCommand::MonthClosing, [&desktop, windows] {
        const WorkAreaPlan plan = desktop.app().planCommand(WorkAreaCommand::MonthClosing);
        if (plan.action == WorkAreaPlan::Action::Refuse) {
            if (!plan.message.empty()) desktop.prompter().warn(plan.message);
            return;
        }
        for (DocumentView* view : desktop.documents()) {
            if (auto* window = dynamic_cast<MonthClosingWindow*>(view)) {
                desktop.activateDocument(window);
                return;
            }
        }
        try {
            desktop.addDocument(new MonthClosingWindow(desktop, windows), kViewMonthClosing);
        } catch (const LorvanError& failure) {
            desktop.prompter().error(failure.what());
        }
        desktop.updateCommands();
    });
}

} // namespace lorvan
