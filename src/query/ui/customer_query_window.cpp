#include "query/ui/customer_query_window.h"

#include "app/application.h"
#include "app/command_table.h"
#include "app/document_kinds.h"
#include "app/help_topics.h"
#include "app/report_settings.h"
#include "app/work_areas.h"
#include "foundation/error.h"
#include "gui/common/desktop.h"
#include "gui/common/help_window.h"
#include "gui/common/print_preview.h"
#include "gui/common/qt_platform.h"
#include "masterdata/customer_list.h"
#include "masterdata/employee_list.h"
#include "output/spreadsheet_launch.h"
#include "platform/clock.h"
#include "platform/prompter.h"
#include "reports/ui/report_commands.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <filesystem>
#include <functional>
#include <memory>

namespace lorvan {
namespace {

QDate toQDate(const Datum& date) {
    return QDate(date.year, date.month, date.day);
}

Datum fromQDate(const QDate& date) {
    return Datum{date.day(), date.month(), date.year()};
}

QTreeWidget* selectionList(const QStringList& columns) {
    auto* list = new QTreeWidget;
    list->setColumnCount(static_cast<int>(columns.size()));
    list->setHeaderLabels(columns);
    list->setRootIsDecorated(false);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->header()->setStretchLastSection(true);
    if (columns.size() > 1) list->setColumnWidth(0, 110);
    return list;
}

void fillList(QTreeWidget* list, const std::vector<SelectionLists::Entry>& entries) {
    list->clear();
    for (const SelectionLists::Entry& entry : entries) {
        auto* item = new QTreeWidgetItem(list);
        if (list->columnCount() > 1) {
            item->setText(0, toQt(entry.number));
            item->setText(1, toQt(entry.text));
        } else {
            item->setText(0, toQt(entry.text));
        }
    }
}

int selectedRow(const QTreeWidget* list) {
    QTreeWidgetItem* item = list->currentItem();
    return item != nullptr && item->isSelected() ? list->indexOfTopLevelItem(item) : -1;
}

// A logo message is shown once per report.
MessageSink promptSink(Prompter& prompter) {
    return [&prompter](const std::string& message) { prompter.error(message); };
}

PrintableReport printable(const QueryReport& report, const std::string& logo, Prompter& prompter) {
    auto shared = std::make_shared<QueryReport>(report);
    PrintableReport result;
    result.title = report.title;
    result.draw = [shared, logo, &prompter](Surface& surface) {
        std::string logoPath = logo;
        printQueryReport(surface, *shared, logoPath, promptSink(prompter));
    };
    return result;
}

} // namespace

// --- selection page

QuerySelectionPage::QuerySelectionPage(const QString& what, const QStringList& columns, const QString& searchLabel,
                                       QWidget* parent)
    : QWidget(parent), possible_(selectionList(columns)), selected_(selectionList(columns)),
      all_(new QPushButton(QStringLiteral(">>"))), one_(new QPushButton(QStringLiteral(">"))),
      back_(new QPushButton(QStringLiteral("<"))), backAll_(new QPushButton(QStringLiteral("<<"))) {
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Mögliche ") + what), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Ausgewählte ") + what), 0, 2);
    grid->addWidget(possible_, 1, 0);
    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {all_, one_, back_, backAll_}) {
        button->setFixedWidth(48);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    grid->addLayout(buttons, 1, 1);
    grid->addWidget(selected_, 1, 2);
    if (!searchLabel.isEmpty()) {
        auto* row = new QHBoxLayout;
        search_ = new QLineEdit;
        select_ = new QPushButton(QStringLiteral("&Auswählen"));
        row->addWidget(new QLabel(searchLabel));
        row->addWidget(search_, 1);
        row->addWidget(select_);
        grid->addLayout(row, 2, 0, 1, 3);
    }
}

void QuerySelectionPage::show(const SelectionLists& lists) {
    fillList(possible_, lists.possible());
    fillList(selected_, lists.selected());
}

// --- window

CustomerQueryWindow::CustomerQueryWindow(Desktop& desktop)
    : DocumentView(nullptr, nullptr), desktop_(desktop),
      employeeFilePath_(withSeparator(desktop.app().dataDirectory(), true) + kEmployeeFileName) {
    try {
        employees_.open(employeeFilePath_);
        customers_ = desktop.app().customers().file();
    } catch (const LorvanError&) {
        return; // the command says that the wizard could not be made
    }
    model_ = std::make_unique<DruckKunde>(employeeFilePath_, employees_, customers_, desktop.clock(), desktop.prompter());

    stack_ = new QStackedWidget;
    stack_->addWidget(buildPeriodPage());
    stack_->addWidget(buildStructurePage());
    employeesPage_ = new QuerySelectionPage(QStringLiteral("Mitarbeiter"),
                                            {QStringLiteral("Personalnummer"), QStringLiteral("Name")}, {});
    customersPage_ = new QuerySelectionPage(QStringLiteral("Kunden"), {QStringLiteral("Kunde")},
                                            QStringLiteral("Kundenbezeichnung  enthält"));
    servicesPage_ = new QuerySelectionPage(QStringLiteral("Dienstleistungen"), {QStringLiteral("Dienstleistung")},
                                           QStringLiteral("Dienstleistungs-Bezeichnung  enthält"));
    stack_->addWidget(employeesPage_);
    stack_->addWidget(customersPage_);
    stack_->addWidget(servicesPage_);
    stack_->addWidget(buildFinishPage());
    connectSelection(employeesPage_, QueryPage::Employees);
    connectSelection(customersPage_, QueryPage::Customers);
    connectSelection(servicesPage_, QueryPage::Services);

    back_ = new QPushButton(QStringLiteral("< &Zurück"));
    next_ = new QPushButton(QStringLiteral("&Weiter >"));
    finish_ = new QPushButton(QStringLiteral("&Schließen"));
    cancel_ = new QPushButton(QStringLiteral("Abbrechen"));
    auto* help = new QPushButton(QStringLiteral("Hilfe"));
    connect(back_, &QPushButton::clicked, this, &CustomerQueryWindow::goBack);
    connect(next_, &QPushButton::clicked, this, &CustomerQueryWindow::goNext);
    connect(finish_, &QPushButton::clicked, this, &CustomerQueryWindow::finish);
    connect(cancel_, &QPushButton::clicked, this, &CustomerQueryWindow::cancel);
    connect(help, &QPushButton::clicked, this, [this] {
        QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        keyPressEvent(&f1);
    });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {back_, next_, finish_, cancel_, help})
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(stack_, 1);
    layout->addLayout(buttons);

    addHelpShortcut(this, kHelpCustomerQuery);
    showFields();
    showPage();
}

CustomerQueryWindow::~CustomerQueryWindow() = default;

int CustomerQueryWindow::helpTopic() const {
    return kHelpCustomerQuery;
}

QWidget* CustomerQueryWindow::buildPeriodPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* periodBox = new QGroupBox(QStringLiteral("Zeitraum auswählen"));
    auto* form = new QFormLayout(periodBox);
    period_ = new QComboBox;
    for (const std::string& text : model_->periodTexts())
        period_->addItem(toQt(text));
    form->addRow(QStringLiteral("Zeitraum"), period_);
    from_ = new QDateEdit;
    to_ = new QDateEdit;
    for (QDateEdit* picker : {from_, to_}) {
        picker->setCalendarPopup(true);
        picker->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    }
    form->addRow(QStringLiteral("Tag von"), from_);
    form->addRow(QStringLiteral("bis"), to_);
    connect(period_, &QComboBox::currentIndexChanged, this, [this](int index) {
        from_->setEnabled(index == kPeriodOwn);
        to_->setEnabled(index == kPeriodOwn);
    });
    layout->addWidget(periodBox);

    const auto choiceBox = [layout](const QString& title, QRadioButton*& all, const QString& allText,
                                    QRadioButton*& choose, const QString& chooseText) {
        auto* box = new QGroupBox(title);
        auto* boxLayout = new QVBoxLayout(box);
        all = new QRadioButton(allText);
        choose = new QRadioButton(chooseText);
        auto* group = new QButtonGroup(box);
        group->addButton(all);
        group->addButton(choose);
        boxLayout->addWidget(all);
        boxLayout->addWidget(choose);
        layout->addWidget(box);
        return boxLayout;
    };
    QVBoxLayout* employees = choiceBox(QStringLiteral("Mitarbeiter"), allEmployees_, QStringLiteral("Alle Mitarbeiter"),
                                       chooseEmployees_, QStringLiteral("Mitarbeiter auswählen"));
    onlyActive_ = new QCheckBox(QStringLiteral("nur aktive Mitarbeiter berücksichtigen"));
    employees->addWidget(onlyActive_);
    choiceBox(QStringLiteral("Kunden"), allCustomers_, QStringLiteral("Alle Kunden"), chooseCustomers_,
              QStringLiteral("Kunden auswählen"));
    QVBoxLayout* services =
        choiceBox(QStringLiteral("Dienstleistungen"), allServices_, QStringLiteral("Alle Dienstleistungen"),
                  chooseServices_, QStringLiteral("Dienstleistungen auswählen"));
    servicesAtCustomer_ = new QCheckBox(QStringLiteral("Nur Dienstleistungen bei eingetragenem Kunden berücksichtigen"));
    services->addWidget(servicesAtCustomer_);
    layout->addStretch();
    return page;
}

QWidget* CustomerQueryWindow::buildStructurePage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* box = new QGroupBox(QStringLiteral("Festlegen des Aufbaus"));
    auto* grid = new QGridLayout(box);
    for (int level = 1; level <= kQueryLevelCount; ++level) {
        auto* names = new QComboBox;
        for (const std::string& name : DruckKunde::levelChoices(level))
            names->addItem(toQt(name));
        auto* sum = new QCheckBox(QStringLiteral("Summe ausweisen"));
        grid->addWidget(new QLabel(QStringLiteral("%1. Ebene").arg(level)), level - 1, 0);
        grid->addWidget(names, level - 1, 1);
        grid->addWidget(sum, level - 1, 2);
        levels_[static_cast<size_t>(level - 1)] = names;
        sums_[static_cast<size_t>(level - 1)] = sum;
    }
    grid->setColumnStretch(1, 1);
    layout->addWidget(box);
    costs_ = new QCheckBox(QStringLiteral("Kosten ausweisen"));
    layout->addWidget(costs_);
    auto* breaks = new QGroupBox(QStringLiteral("Seitenumbruch"));
    auto* breakLayout = new QVBoxLayout(breaks);
    pageBreak_ = new QButtonGroup(breaks);
    const QString texts[] = {QStringLiteral("Seitenumbruch nur, wenn Seite voll ist "),
                             QStringLiteral("Seitenumbruch nach der 1. Ebene"),
                             QStringLiteral("Seitenumbruch nach der 2. Ebene")};
    for (int i = 0; i < 3; ++i) {
        auto* button = new QRadioButton(texts[i]);
        pageBreak_->addButton(button, i);
        breakLayout->addWidget(button);
    }
    layout->addWidget(breaks);
    layout->addStretch();
    return page;
}

QWidget* CustomerQueryWindow::buildFinishPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* form = new QFormLayout;
    const QString labels[] = {QStringLiteral("Zeitraum"), QStringLiteral("Aufbau"), QStringLiteral("Mitarbeiter"),
                              QStringLiteral("Kunden"), QStringLiteral("Dienstleistungen")};
    for (size_t i = 0; i < summary_.size(); ++i) {
        summary_[i] = new QLineEdit;
        summary_[i]->setReadOnly(true);
        form->addRow(labels[i], summary_[i]);
    }
    layout->addLayout(form);
    preview_ = new QPushButton(QStringLiteral("&Seitenansicht..."));
    print_ = new QPushButton(QStringLiteral("&Drucken..."));
    export_ = new QPushButton(
        toQt(exportCommandText("&Export nach Excel...", storedSpreadsheetProgram(desktop_.app().store()))));
    connect(preview_, &QPushButton::clicked, this, &CustomerQueryWindow::preview);
    connect(print_, &QPushButton::clicked, this, &CustomerQueryWindow::printReport);
    connect(export_, &QPushButton::clicked, this, &CustomerQueryWindow::exportReport);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {preview_, print_, export_})
        buttons->addWidget(button);
    buttons->addStretch();
    layout->addLayout(buttons);
    layout->addStretch();
    return page;
}

void CustomerQueryWindow::connectSelection(QuerySelectionPage* page, QueryPage which) {
    const auto run = [this, page, which](const std::function<bool(SelectionLists&)>& move) {
        if (!move(listsOf(which))) QApplication::beep();
        page->show(listsOf(which));
    };
    connect(page->moveAllButton(), &QPushButton::clicked, this, [run] { run([](SelectionLists& l) { return l.moveAll(); }); });
    connect(page->moveButton(), &QPushButton::clicked, this,
            [run, page] { run([page](SelectionLists& l) { return l.moveSelected(selectedRow(page->possibleList())); }); });
    connect(page->backButton(), &QPushButton::clicked, this,
            [run, page] { run([page](SelectionLists& l) { return l.moveBack(selectedRow(page->selectedList())); }); });
    connect(page->backAllButton(), &QPushButton::clicked, this,
            [run] { run([](SelectionLists& l) { return l.moveBackAll(); }); });
    // A double-click moves the entry to the other list, as its arrow button does.
    connect(page->possibleList(), &QTreeWidget::itemDoubleClicked, page->moveButton(), &QPushButton::click);
    connect(page->selectedList(), &QTreeWidget::itemDoubleClicked, page->backButton(), &QPushButton::click);
    if (page->selectButton() != nullptr) {
        connect(page->selectButton(), &QPushButton::clicked, this, [this, page, which] {
            if (!model_->selectContaining(which, fromQt(page->searchField()->text()))) {
                page->searchField()->setFocus();
                return;
            }
            page->show(listsOf(which));
        });
    }
}

SelectionLists& CustomerQueryWindow::listsOf(QueryPage page) {
    if (page == QueryPage::Employees) return model_->employeeLists();
    if (page == QueryPage::Customers) return model_->customerLists();
    return model_->serviceLists();
}

QuerySelectionPage* CustomerQueryWindow::widgetOf(QueryPage page) const {
    if (page == QueryPage::Employees) return employeesPage_;
    if (page == QueryPage::Customers) return customersPage_;
    if (page == QueryPage::Services) return servicesPage_;
    return nullptr;
}

void CustomerQueryWindow::readFields() {
    QueryChoices& c = model_->choices;
    c.period.choice = period_->currentIndex();
    c.period.start = fromQDate(from_->date());
    c.period.end = fromQDate(to_->date());
    c.allEmployees = allEmployees_->isChecked();
    model_->onlyActiveEmployees = onlyActive_->isChecked();
    c.allCustomers = allCustomers_->isChecked();
    c.allServices = allServices_->isChecked();
    c.onlyServicesWithCustomer = servicesAtCustomer_->isChecked();
    for (size_t i = 0; i < levels_.size(); ++i) {
        c.levels[i].name = fromQt(levels_[i]->currentText());
        c.levels[i].showSum = sums_[i]->isChecked();
    }
    c.showCosts = costs_->isChecked();
    c.pageBreak = std::max(0, pageBreak_->checkedId());
}

void CustomerQueryWindow::showFields() {
    const QueryChoices& c = model_->choices;
    period_->setCurrentIndex(c.period.choice);
    from_->setDate(toQDate(c.period.start));
    to_->setDate(toQDate(c.period.end));
    from_->setEnabled(model_->periodDatesEnabled());
    to_->setEnabled(model_->periodDatesEnabled());
    (c.allEmployees ? allEmployees_ : chooseEmployees_)->setChecked(true);
    onlyActive_->setChecked(model_->onlyActiveEmployees);
    (c.allCustomers ? allCustomers_ : chooseCustomers_)->setChecked(true);
    (c.allServices ? allServices_ : chooseServices_)->setChecked(true);
    servicesAtCustomer_->setChecked(c.onlyServicesWithCustomer);
    for (size_t i = 0; i < levels_.size(); ++i) {
        levels_[i]->setCurrentText(toQt(c.levels[i].name));
        sums_[i]->setChecked(c.levels[i].showSum);
    }
    costs_->setChecked(c.showCosts);
    if (QAbstractButton* button = pageBreak_->button(c.pageBreak)) button->setChecked(true);
}

void CustomerQueryWindow::showPage() {
    const QueryPage page = model_->page();
    stack_->setCurrentIndex(static_cast<int>(page));
    setWindowTitle(toQt(model_->caption()));
    if (parentWidget() != nullptr) parentWidget()->setWindowTitle(windowTitle());
    if (QuerySelectionPage* selection = widgetOf(page)) selection->show(listsOf(page));
    if (page == QueryPage::Finish) {
        const QuerySummary& s = model_->summary();
        const std::string texts[] = {s.period, s.structure, s.employees, s.customers, s.services};
        for (size_t i = 0; i < summary_.size(); ++i)
            summary_[i]->setText(toQt(texts[i]));
    }
    back_->setEnabled(model_->canGoBack());
    next_->setEnabled(page != QueryPage::Finish);
}

void CustomerQueryWindow::goNext() {
    readFields();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool moved = model_->next();
    QApplication::restoreOverrideCursor();
    if (!moved) {
        if (model_->focusField() == QueryField::PeriodEnd) to_->setFocus();
        if (model_->focusField() == QueryField::PossibleList && widgetOf(model_->page()) != nullptr)
            widgetOf(model_->page())->possibleList()->setFocus();
        return;
    }
    showPage();
}

void CustomerQueryWindow::goBack() {
    model_->back();
    showPage();
}

void CustomerQueryWindow::finish() {
    readFields();
    if (!model_->close()) return;
    emit closingByOwnButton();
    closeWindow();
}

void CustomerQueryWindow::cancel() {
    closeWindow();
}

void CustomerQueryWindow::preview() {
    CLorvanApp& app = desktop_.app();
    const PrintableReport report =
        printable(model_->report(), reportInputsOf(app.settings(), app.buildSwitch()).logoFile, desktop_.prompter());
    std::unique_ptr<PrintPreviewDialog> dialog(
        createPreviewDialog(desktop_.dialogParent(), desktop_.printer(), report, &desktop_.lastPrintFile()));
    dialog->exec();
}

void CustomerQueryWindow::printReport() {
    CLorvanApp& app = desktop_.app();
    const PrintableReport report =
        printable(model_->report(), reportInputsOf(app.settings(), app.buildSwitch()).logoFile, desktop_.prompter());
    QPrinter& printer = desktop_.printer();
    printer.setPageOrientation(QPageLayout::Portrait);
    if (!runPrintDialog(desktop_.dialogParent(), printer, report.title, desktop_.lastPrintFile())) return;
    printWithProgress(desktop_.dialogParent(), printer, report.draw, report.title);
}

void CustomerQueryWindow::exportReport() {
    exportTable(queryExportTable(model_->report()), kQuerySheetName,
                SpreadsheetTarget{storedSpreadsheetProgram(desktop_.app().store()), desktop_.exportFolder(),
                                  desktop_.runner(), desktop_.prompter()});
}

void CustomerQueryWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        if (help_ == nullptr) {
            const std::string executableDirectory = fromQt(QCoreApplication::applicationDirPath());
            help_ = new HelpWindow(HelpTopics::load(helpDirectory(executableDirectory).value_or(std::filesystem::path())),
                                   desktop_.prompter(), this);
            help_->setWindowFlag(Qt::Window);
        }
        help_->show();
        help_->showTopic(kHelpCustomerQuery);
        return;
    }
    DocumentView::keyPressEvent(event);
}

void registerQueryCommands(Desktop& desktop) {
    desktop.commands().add(MenuCommand::CustomerQuery, [&desktop] {
        const WorkAreaPlan plan = desktop.app().planCommand(WorkAreaCommand::CustomerQuery);
        if (plan.action == WorkAreaPlan::Action::Refuse) {
            if (!plan.message.empty()) desktop.prompter().warn(plan.message);
            return;
        }
        for (DocumentView* view : desktop.documents()) {
            if (auto* window = dynamic_cast<CustomerQueryWindow*>(view)) {
                desktop.activateDocument(window);
                return;
            }
        }
        bool noEmployees = true;
        try {
            noEmployees = desktop.app().employees().count() == 0;
        } catch (const LorvanError&) {
        }
        if (noEmployees) desktop.prompter().inform(kNoEmployeesMessage);
        auto* window = new CustomerQueryWindow(desktop);
        if (!window->loaded()) {
            desktop.prompter().error(kWizardNotCreatedMessage);
            delete window;
            return;
        }
        desktop.addDocument(window, kViewCustomerQuery);
    });
}

} // namespace lorvan
