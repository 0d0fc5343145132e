#include "masterdata/ui/employee_window.h"

#include "app/application.h"
#include "app/help_topics.h"
#include "foundation/error.h"
#include "foundation/file_system.h"
#include "gui/common/desktop.h"
#include "gui/common/qt_platform.h"
#include "gui/common/view_parts.h"
#include "masterdata/employee_list.h"
#include "masterdata/year_file_creation.h"
#include "platform/clock.h"
#include "platform/prompter.h"
#include "yearfile/year_file.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace lorvan {

namespace {

QDate toQDate(const Datum& date) {
    return QDate(date.year, date.month, date.day);
}

Datum fromQDate(const QDate& date) {
    return Datum{date.day(), date.month(), date.year()};
}

QDateEdit* datePicker() {
    auto* picker = new QDateEdit;
    picker->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    picker->setCalendarPopup(true);
    picker->setDateRange(QDate(1753, 1, 1), QDate(9999, 12, 31));
    // The whole date beside the drop-down button, enabled or not.
    picker->setMinimumWidth(picker->fontMetrics().horizontalAdvance(QStringLiteral("00.00.00000")) + 48);
    return picker;
}

// Sets the picker's date without passing it to the model as the user's choice.
void showDate(QDateEdit* picker, const Datum& date) {
    const QSignalBlocker blocker(picker);
    const QDate shown = toQDate(date);
    if (shown.isValid()) picker->setDate(shown);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The list

EmployeeListWidget::EmployeeListWidget(const std::map<int32_t, CMitarbeiterDoc>& employees, const Clock& clock,
                                       QWidget* parent)
    : QWidget(parent), model_(employees, clock), list_(new QTreeWidget),
      onlyActive_(new QCheckBox(QString::fromUtf8(kOnlyActiveEmployeesLabel))) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list_);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSortingEnabled(false);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    QStringList titles;
    for (const EmployeeColumnInfo& info : kEmployeeColumns)
        titles << QString::fromUtf8(info.title);
    list_->setHeaderLabels(titles);
    QHeaderView* header = list_->header();
    header->setStretchLastSection(false);
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(0, Qt::AscendingOrder);
    // The designed widths; a title that the desktop's font makes wider keeps its whole text.
    const int indicator = style()->pixelMetric(QStyle::PM_HeaderMarkSize) + 4 * style()->pixelMetric(QStyle::PM_HeaderMargin);
    for (size_t column = 0; column < kEmployeeColumns.size(); ++column) {
        const int title = header->fontMetrics().horizontalAdvance(titles[static_cast<int>(column)]) + indicator;
        list_->setColumnWidth(static_cast<int>(column), std::max(kEmployeeColumns[column].width, title));
    }
    connect(header, &QHeaderView::sectionClicked, this, [this](int section) {
        if (section < 0 || section >= static_cast<int>(kEmployeeColumns.size())) return;
        model_.sortBy(kEmployeeColumns[static_cast<size_t>(section)].column);
        list_->header()->setSortIndicator(section, Qt::AscendingOrder);
        showRows();
    });
    connect(list_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (filling_) return;
        model_.select(item != nullptr ? std::optional<size_t>(static_cast<size_t>(list_->indexOfTopLevelItem(item)))
                                      : std::nullopt);
        emit selectionChanged();
    });
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { emit rowActivated(); });
    onListKeys(list_, [this] { emit rowActivated(); }, [this] { emit deleteRequested(); });

    onlyActive_->setChecked(model_.onlyActive());
    connect(onlyActive_, &QCheckBox::toggled, this, [this](bool on) {
        model_.setOnlyActive(on);
        showRows();
    });
    showRows();
}

void EmployeeListWidget::showRows() {
    filling_ = true;
    list_->clear();
    QList<QTreeWidgetItem*> items;
    for (const EmployeeRow& row : model_.rows()) {
        auto* item = new QTreeWidgetItem;
        for (size_t column = 0; column < row.cells.size(); ++column)
            item->setText(static_cast<int>(column), toQt(row.cells[column]));
        item->setData(0, Qt::UserRole, row.number);
        items << item;
    }
    list_->addTopLevelItems(items);
    if (const std::optional<size_t> selected = model_.selectedRow()) {
        QTreeWidgetItem* item = list_->topLevelItem(static_cast<int>(*selected));
        list_->setCurrentItem(item);
        list_->scrollToItem(item);
    }
    filling_ = false;
    emit selectionChanged();
}

int EmployeeListWidget::naturalWidth() const {
    int width = 2 * list_->frameWidth() + list_->verticalScrollBar()->sizeHint().width() + 4;
    for (int column = 0; column < list_->columnCount(); ++column)
        width += list_->columnWidth(column);
    return width;
}

// ---------------------------------------------------------------------------------------------
// "Mitarbeiter bearbeiten"

EmployeeEditDialog::EmployeeEditDialog(EmployeeDialog& model, Prompter& prompter, QWidget* parent)
    : QDialog(parent), model_(model), prompter_(prompter), number_(new QLineEdit), name_(new QLineEdit),
      extraInfo_(new QLineEdit), department_(new QLineEdit), entry_(datePicker()),
      probation_(new QCheckBox(QStringLiteral("in Probezeit"))),
      probationEndLabel_(new QLabel(QStringLiteral("Ende Probezeit:"))), probationEnd_(datePicker()),
      exit_(new QCheckBox(QStringLiteral("mit Austritt"))),
      exitLabel_(new QLabel(QStringLiteral("Austrittsdatum:"))), exitDate_(datePicker()),
      active_(new QCheckBox(QStringLiteral("Aktiv (soll in Auswertungen ausgeblendet werden können)"))),
      ok_(new QPushButton(QStringLiteral("&OK"))) {
    setWindowTitle(QStringLiteral("Mitarbeiter bearbeiten"));
    number_->setObjectName(QStringLiteral("number"));
    name_->setObjectName(QStringLiteral("name"));
    number_->setValidator(new QIntValidator(0, std::numeric_limits<int32_t>::max(), number_));
    number_->setMaxLength(10);
    name_->setMinimumWidth(name_->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 24);
    number_->setMaximumWidth(number_->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) + 16);

    auto* grid = new QGridLayout;
    int row = 0;
    const auto addRow = [&](const QString& label, QWidget* field) {
        auto* text = new QLabel(label);
        text->setBuddy(field);
        grid->addWidget(text, row, 0);
        grid->addWidget(field, row, 1, 1, 3);
        ++row;
    };
    addRow(QStringLiteral("&Personalnummer:"), number_);
    addRow(QStringLiteral("&Name:"), name_);
    addRow(QStringLiteral("&Zusatzinfo:"), extraInfo_);
    addRow(QStringLiteral("A&bteilung:"), department_);
    auto* entryLabel = new QLabel(QStringLiteral("E&intrittsdatum:"));
    entryLabel->setBuddy(entry_);
    grid->addWidget(entryLabel, row, 0);
    grid->addWidget(entry_, row, 1);
    ++row;
    grid->addWidget(probation_, row, 0);
    grid->addWidget(probationEndLabel_, row, 2, Qt::AlignRight);
    grid->addWidget(probationEnd_, row, 3);
    ++row;
    grid->addWidget(exit_, row, 0);
    grid->addWidget(exitLabel_, row, 2, Qt::AlignRight);
    grid->addWidget(exitDate_, row, 3);
    ++row;
    grid->addWidget(active_, row, 0, 1, 4);
    grid->setColumnStretch(2, 1);
    grid->setColumnMinimumWidth(2, 24);

    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"));
    ok_->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    connect(ok_, &QPushButton::clicked, this, &EmployeeEditDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &EmployeeEditDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    number_->setText(model_.number != 0 ? QString::number(model_.number) : QString());
    name_->setText(toQt(model_.name));
    extraInfo_->setText(toQt(model_.extraInfo));
    department_->setText(toQt(model_.department));
    active_->setChecked(model_.active);
    probation_->setChecked(model_.inProbation());
    exit_->setChecked(model_.hasExit());
    showDates();

    connect(entry_, &QDateEdit::dateChanged, this, [this](const QDate& date) { model_.setEntryDate(fromQDate(date)); });
    connect(probationEnd_, &QDateEdit::dateChanged, this,
            [this](const QDate& date) { model_.setProbationEnd(fromQDate(date)); });
    connect(exitDate_, &QDateEdit::dateChanged, this, [this](const QDate& date) { model_.setExitDate(fromQDate(date)); });
    connect(probation_, &QCheckBox::toggled, this, [this](bool on) {
        model_.setInProbation(on);
        showDates();
    });
    connect(exit_, &QCheckBox::toggled, this, [this](bool on) {
        model_.setHasExit(on);
        showDates();
    });
    // A name as long as the longest label, the dates side by side: nothing cut, nothing lost.
    setMinimumWidth(sizeHint().width());
    name_->setFocus();
}

void EmployeeEditDialog::showDates() {
    showDate(entry_, model_.entryDate());
    showDate(probationEnd_, model_.probationEnd());
    showDate(exitDate_, model_.exitDate());
    probationEnd_->setEnabled(model_.probationEndEnabled());
    probationEndLabel_->setEnabled(model_.probationEndEnabled());
    exitDate_->setEnabled(model_.exitDateEnabled());
    exitLabel_->setEnabled(model_.exitDateEnabled());
}

void EmployeeEditDialog::takeFields() {
    bool isNumber = false;
    const int number = number_->text().trimmed().toInt(&isNumber);
    model_.number = isNumber ? number : 0;
    model_.name = fromQt(name_->text());
    model_.extraInfo = fromQt(extraInfo_->text());
    model_.department = fromQt(department_->text());
    model_.active = active_->isChecked();
}

void EmployeeEditDialog::accept() {
    takeFields();
    switch (model_.check(prompter_)) {
    case EmployeeField::Number:
        number_->setFocus();
        number_->selectAll();
        return;
    case EmployeeField::Name:
        name_->setFocus();
        name_->selectAll();
        return;
    case EmployeeField::None:
        break;
    }
    QDialog::accept();
}

bool QtEmployeeDialogHost::show(EmployeeDialog& dialog) {
    EmployeeEditDialog window(dialog, prompter_, parent_);
    return window.exec() == QDialog::Accepted;
}

// ---------------------------------------------------------------------------------------------
// "Mitarbeiter auswählen"

EmployeeSelectDialog::EmployeeSelectDialog(const std::map<int32_t, CMitarbeiterDoc>& employees,
                                           const Clock& clock, QWidget* parent)
    : QDialog(parent), employees_(employees), list_(new EmployeeListWidget(employees, clock)) {
    setWindowTitle(QStringLiteral("Mitarbeiter auswählen"));
    auto* ok = new QPushButton(QStringLiteral("OK"));
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &EmployeeSelectDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &EmployeeSelectDialog::reject);
    connect(list_, &EmployeeListWidget::rowActivated, this, &EmployeeSelectDialog::accept);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(list_->onlyActiveBox());
    bottom->addStretch();
    bottom->addWidget(ok);
    bottom->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(bottom);
    // Every column in sight.
    resize(list_->naturalWidth() + 24, 360);
    list_->list()->setFocus();
}

void EmployeeSelectDialog::accept() {
    chosen_ = list_->selectedNumber();
    if (!chosen_) {
        QApplication::beep();
        return;
    }
    QDialog::accept();
}

std::string selectEmployee(QWidget* parent, EmployeeList& employees, const Clock& clock, Prompter& prompter) {
    try {
        employees.ensureLoaded();
    } catch (const LorvanError& failure) {
        prompter.error(failure.what());
        return {};
    }
    // One copy: every use of the cached list reads the file anew, which would leave a record of an
    // earlier use behind.
    const auto all = employees.all();
    EmployeeSelectDialog dialog(all, clock, parent);
    if (dialog.exec() != QDialog::Accepted || !dialog.chosen()) return {};
    const auto found = all.find(*dialog.chosen());
    return found != all.end() ? found->second.name : std::string();
}

// ---------------------------------------------------------------------------------------------
// "Mitarbeiter verwalten"

namespace {

EmployeeFlowContext flowContext(Desktop& desktop) {
    EmployeeFlowContext context;
    context.prompter = &desktop.prompter();
    context.clock = &desktop.clock();
    context.dataDirectory = desktop.app().dataDirectory();
    context.recent = &desktop.app().recentFiles();
    context.openDocuments = &desktop.openDocuments();
    context.cachedList = &desktop.app().employees();
    return context;
}

} // namespace

EmployeeWindow::EmployeeWindow(Desktop& desktop, QWidget* parent)
    : DocumentView(nullptr, parent), desktop_(desktop), management_(flowContext(desktop)),
      content_(new QWidget) {
    loaded_ = management_.open();
    setWindowTitle(QStringLiteral("Mitarbeiter verwalten"));
    list_ = new EmployeeListWidget(management_.file().employees, desktop.clock());

    placeInScrollArea(this, content_);

    auto* layout = new QVBoxLayout(content_);
    layout->addWidget(new QLabel(QStringLiteral("Arbeitszeiten erfassen und auswerten für")));
    layout->addWidget(list_, 1);

    edit_ = new QPushButton(QStringLiteral("Mitarbeiter b&earbeiten..."));
    new_ = new QPushButton(QStringLiteral("&Neuer Mitarbeiter..."));
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(list_->onlyActiveBox());
    listRow->addStretch();
    listRow->addWidget(edit_);
    listRow->addWidget(new_);
    layout->addLayout(listRow);

    auto* yearLabel = new QLabel(QStringLiteral("&Jahr:"));
    year_ = new QLineEdit(QString::number(list_->model().year()));
    year_->setObjectName(QStringLiteral("year"));
    year_->setValidator(new QIntValidator(0, 9999, year_));
    year_->setMaxLength(4);
    year_->setFixedWidth(year_->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    yearLabel->setBuddy(year_);
    open_ = new QPushButton(QStringLiteral("Arbeits&zeitdatei öffnen..."));
    saveAndClose_ = new QPushButton(QStringLiteral("&Speichern + Schliessen"));
    cancel_ = new QPushButton(QStringLiteral("Abbrechen"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(yearLabel);
    bottom->addWidget(year_);
    bottom->addWidget(open_);
    bottom->addStretch();
    bottom->addWidget(saveAndClose_);
    bottom->addWidget(cancel_);
    layout->addSpacing(6);
    layout->addLayout(bottom);

    connect(edit_, &QPushButton::clicked, this, &EmployeeWindow::editSelected);
    connect(new_, &QPushButton::clicked, this, &EmployeeWindow::createEmployee);
    connect(open_, &QPushButton::clicked, this, [this] { openSelectedYearFile(); });
    connect(saveAndClose_, &QPushButton::clicked, this, &EmployeeWindow::saveAndClose);
    connect(cancel_, &QPushButton::clicked, this, &EmployeeWindow::closeWindow);
    connect(list_, &EmployeeListWidget::rowActivated, this, [this] { openSelectedYearFile(); });
    connect(list_, &EmployeeListWidget::deleteRequested, this, &EmployeeWindow::deleteSelected);
    connect(list_, &EmployeeListWidget::selectionChanged, this, [this] { emit commandStateChanged(); });
    connect(list_->list(), &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
        std::unique_ptr<QMenu> menu(createListMenu());
        if (menu)
            menu->exec(list_->list()->viewport()->mapToGlobal(position));
        else
            desktop_.prompter().error("Das Kontextmenü konnte nicht erstellt werden.");
    });

    // Every column in sight, the buttons in one row.
    const QSize designed = QSize(list_->naturalWidth() + 24, 420).expandedTo(content_->sizeHint());
    designedSize_ = designed;
    content_->setMinimumSize(designed);
    resize(designed);
}

int EmployeeWindow::helpTopic() const {
    return kHelpEmployees;
}

QWidget* EmployeeWindow::focusTarget() {
    return list_->list();
}

bool EmployeeWindow::servesCommand(MenuCommand command) const {
    return command == MenuCommand::OpenEntry || command == MenuCommand::DeleteEntry;
}

void EmployeeWindow::runOwnCommand(MenuCommand command) {
    if (command == MenuCommand::OpenEntry) editSelected();
    if (command == MenuCommand::DeleteEntry) deleteSelected();
}

DocumentView* EmployeeWindow::relayTarget() {
    return openSelectedYearFile();
}

QMenu* EmployeeWindow::createListMenu() {
    auto* menu = new QMenu(QStringLiteral("Liste"), this);
    menu->addAction(QStringLiteral("Aktuell ausgewählten &Eintrag öffnen..."), this, &EmployeeWindow::editSelected);
    menu->addAction(QStringLiteral("Aktuell ausgewählten Eintrag &löschen"), this, &EmployeeWindow::deleteSelected);
    return menu;
}

void EmployeeWindow::refill(std::optional<int32_t> select) {
    list_->model().refill(select);
    list_->showRows();
    emit commandStateChanged();
}

void EmployeeWindow::createEmployee() {
    QtEmployeeDialogHost host(this, desktop_.prompter());
    if (const std::optional<int32_t> number = management_.create("", "", "", host)) refill(number);
}

void EmployeeWindow::editSelected() {
    const std::optional<int32_t> number = list_->selectedNumber();
    if (!number) {
        QApplication::beep();
        return;
    }
    QtEmployeeDialogHost host(this, desktop_.prompter());
    if (management_.edit(*number, host) != FlowResult::Cancelled)
        refill(management_.lastChanged());
    else
        refill(std::nullopt);
}

void EmployeeWindow::deleteSelected() {
    const std::optional<int32_t> number = list_->selectedNumber();
    if (!number) {
        QApplication::beep();
        return;
    }
    management_.remove(*number);
    refill(std::nullopt);
}

bool EmployeeWindow::takeYear() {
    bool isNumber = false;
    const int year = year_->text().trimmed().toInt(&isNumber);
    if (!list_->model().setYear(isNumber ? year : 0, desktop_.prompter())) {
        year_->setText(QString::number(list_->model().year()));
        year_->setFocus();
        year_->selectAll();
        return false;
    }
    return true;
}

DocumentView* EmployeeWindow::openSelectedYearFile() {
    const std::optional<int32_t> number = list_->selectedNumber();
    if (!number) {
        // The employee file is saved first in any case.
        if (management_.changed() && !management_.save()) return nullptr;
        QApplication::beep();
        return nullptr;
    }
    if (!takeYear()) return nullptr;
    const int32_t year = list_->model().year();
    const std::optional<std::string> path = management_.yearFileToOpen(*number, year);
    emit commandStateChanged();
    if (!path) return nullptr;
    if (!fileExists(*path)) {
        // The employee's year file of that year is made now: from the year before when there is
        // one, else a new file with the employee's name and the year.
        const CMitarbeiterDoc* employee = management_.file().findByNumber(*number);
        if (employee == nullptr) return nullptr;
        const StorageContext storage{&desktop_.prompter(), desktop_.app().dataDirectory(), nullptr, nullptr};
        std::string protocol;
        YearFileRequest request;
        request.year = year;
        if (!createYearFile(*employee, request, protocol, storage, desktop_.clock())) {
            CLorvanDoc document;
            document.settings().name = employee->name;
            document.settings().year = year;
            document.settings().completeDefaults(desktop_.clock());
            if (!document.save(*path, false, storage)) return nullptr;
        }
    }
    return desktop_.openYearFileWindow(*path);
}

void EmployeeWindow::closeWindow() {
    emit closingByOwnButton();
    // The view sits in a window of the main window; closing that closes the view.
    if (parentWidget() != nullptr)
        parentWidget()->close();
    else
        close();
}

void EmployeeWindow::saveAndClose() {
    if (management_.save()) closeWindow();
}

void EmployeeWindow::closeEvent(QCloseEvent* event) {
    if (closingWithoutQuestions_ || management_.mayClose()) {
        event->accept();
        return;
    }
    event->ignore();
}

} // namespace lorvan
