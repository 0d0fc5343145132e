#include "entry/ui/day_entry_form.h"

#include "gui/common/qt_platform.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace lorvan {

namespace {

// The radio buttons of "Art wählen" in three columns: working days and standby, vacation and days
// off, sickness (and "Nicht beschäftigt" last).
struct KindButton {
    int32_t kind;
    const char* text;
    int row;
    int column;
};
constexpr KindButton kKindButtons[] = {
    {kNormalWorkingDay, "Normaler Arbeitstag", 0, 0},
    {kStandbyDuty, "Stördienst", 1, 0},
    {kDoubleStandbyDuty, "Stördienst-Doppelt", 2, 0},
    {kTimeOff, "Zeitausgleich", 3, 0},
    {kVacation, "Urlaub", 0, 1},
    {kHalfVacationDay, "Halber Urlaubstag", 1, 1},
    {kDayOff, "Freier Tag", 2, 1},
    {kParentalLeave, "Elternzeit", 3, 1},
    {kSickWithPay, "Krank mit Lohnfortzahlung", 0, 2},
    {kSickWithSickPay, "Krank mit Krankengeld", 1, 2},
    {kChildSick, "Krankheit Kind", 2, 2},
    {kNotEmployed, "Nicht beschäftigt", 3, 2},
};

QLineEdit* readOnlyField(const char* name) {
    auto* field = new QLineEdit;
    field->setReadOnly(true);
    field->setObjectName(QString::fromLatin1(name));
    return field;
}

} // namespace

DayEntryForm::DayEntryForm(DayEntry& entry, TimeLineEditor editor, QWidget* parent)
    : QWidget(parent), entry_(&entry), editor_(std::move(editor)) {
    buildFields();
    connectFields();
    load();
}

void DayEntryForm::buildFields() {
    auto* layout = new QVBoxLayout(this);

    auto* head = new QGridLayout;
    head->addWidget(new QLabel(QStringLiteral("Arbeitszeiten erfassen für")), 0, 0);
    nameField_ = readOnlyField("employee");
    head->addWidget(nameField_, 0, 1);
    head->addWidget(new QLabel(QStringLiteral("am")), 0, 2);
    titleField_ = readOnlyField("title");
    head->addWidget(titleField_, 0, 3);
    head->addWidget(new QLabel(QStringLiteral("+ weitere Mitarbeiter")), 1, 0);
    furtherField_ = readOnlyField("furtherEmployees");
    head->addWidget(furtherField_, 1, 1, 1, 3);
    head->setColumnStretch(1, 1);
    head->setColumnStretch(3, 1);
    layout->addLayout(head);

    publicHoliday_ = new QCheckBox(QStringLiteral("Feiertag"));
    publicHoliday_->setObjectName(QStringLiteral("publicHoliday"));
    layout->addWidget(publicHoliday_);
    changing_.push_back(publicHoliday_);

    auto* kindBox = new QGroupBox(QStringLiteral("Art wählen"));
    auto* kindGrid = new QGridLayout(kindBox);
    kinds_ = new QButtonGroup(this);
    for (const KindButton& button : kKindButtons) {
        if (button.kind == kNotEmployed && !entry_->offersNotEmployed()) continue;
        auto* radio = new QRadioButton(QString::fromUtf8(button.text));
        kinds_->addButton(radio, button.kind);
        kindGrid->addWidget(radio, button.row, button.column);
        changing_.push_back(radio);
    }
    layout->addWidget(kindBox);

    if (entry_->offersFillUntil()) {
        auto* fillRow = new QHBoxLayout;
        fillRow->addWidget(new QLabel(QStringLiteral("Automatisch eintragen bis einschließlich")));
        fillUntil_ = new QLineEdit;
        fillUntil_->setObjectName(QStringLiteral("fillUntil"));
        fillUntil_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,2}")), fillUntil_));
        fillUntil_->setMaximumWidth(fillUntil_->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 16);
        fillRow->addWidget(fillUntil_);
        fillRow->addWidget(new QLabel(QStringLiteral("(Tag des Monats)")));
        fillRow->addStretch();
        layout->addLayout(fillRow);
        changing_.push_back(fillUntil_);
    }

    buildList();
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(list_, 1);
    auto* commands = new QVBoxLayout;
    const auto command = [this, commands](const char* text, auto&& run) {
        auto* button = new QPushButton(QString::fromUtf8(text));
        connect(button, &QPushButton::clicked, this, run);
        commands->addWidget(button);
        changing_.push_back(button);
        return button;
    };
    command("Zeit hi&nzufügen...", [this] {
        int selected = selectedLine();
        entry_->addTime(editor_, &selected);
        load(selected);
    });
    command("Zeit be&arbeiten...", [this] { runLineCommand(&DayEntry::editTime); });
    command("Zeit &löschen", [this] { deleteLine(); });
    commands->addSpacing(12);
    command("Zeiten &berechnen", [this] { runDayCommand(&DayEntry::computeTimes); });
    command("Fahrten &einfügen", [this] { runDayCommand(&DayEntry::insertTrips); });
    command("Tageszettel &drucken", [this] { printDaySheet(); });
    logbookButton_ = command("In &Fahrtenbuch übertragen...", [this] { transferToLogbook(); });
    logbookButton_->setObjectName(QStringLiteral("transferToLogbook"));
    // Enabled by load() only where a vehicle file exists.
    changing_.pop_back();
    commands->addStretch();
    listRow->addLayout(commands);
    layout->addLayout(listRow, 1);

    complete_ = new QCheckBox(QStringLiteral("Angaben vollständig"));
    complete_->setObjectName(QStringLiteral("complete"));
    layout->addWidget(complete_);
    changing_.push_back(complete_);

    auto* remarks = new QGridLayout;
    remarks->addWidget(new QLabel(QStringLiteral("Anmerkung für Monats- bzw. Wochenauswertung")), 0, 0);
    reportRemark_ = new QLineEdit;
    reportRemark_->setObjectName(QStringLiteral("reportRemark"));
    remarks->addWidget(reportRemark_, 0, 1);
    remarks->addWidget(new QLabel(QStringLiteral("Anmerkung intern")), 1, 0);
    internalRemark_ = new QLineEdit;
    internalRemark_->setObjectName(QStringLiteral("internalRemark"));
    remarks->addWidget(internalRemark_, 1, 1);
    remarks->setColumnStretch(1, 1);
    layout->addLayout(remarks);
    changing_.push_back(reportRemark_);
    changing_.push_back(internalRemark_);

    closingRow_ = new QHBoxLayout;
    if (entry_->offersCheckedAndClosed()) {
        checkedAndClosed_ = new QCheckBox(QStringLiteral("Geprüft / Abgeschlossen"));
        checkedAndClosed_->setObjectName(QStringLiteral("checkedAndClosed"));
        closingRow_->addWidget(checkedAndClosed_);
        changing_.push_back(checkedAndClosed_);
    }
    closingRow_->addStretch();
    layout->addLayout(closingRow_);
}

void DayEntryForm::buildList() {
    list_ = new QTreeWidget;
    list_->setObjectName(QStringLiteral("lines"));
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    const std::vector<DayEntryColumn> columns = entry_->columns();
    list_->setColumnCount(static_cast<int>(columns.size()));
    auto* header = new QTreeWidgetItem;
    for (size_t i = 0; i < columns.size(); ++i) {
        const int column = static_cast<int>(i);
        header->setText(column, toQt(columns[i].title));
        if (columns[i].rightAligned) header->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    }
    list_->setHeaderItem(header);
    list_->header()->setStretchLastSection(false);
    list_->setMinimumHeight(150);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { runLineCommand(&DayEntry::editTime); });
}

void DayEntryForm::connectFields() {
    connect(publicHoliday_, &QCheckBox::toggled, this, [this](bool on) { entry_->setPublicHoliday(on); });
    connect(kinds_, &QButtonGroup::idToggled, this, [this](int kind, bool on) {
        if (on) entry_->setDayKind(kind);
    });
    if (fillUntil_ != nullptr)
        connect(fillUntil_, &QLineEdit::textEdited, this, [this](const QString& text) { entry_->setFillUntil(text.toInt()); });
    connect(complete_, &QCheckBox::toggled, this, [this](bool on) { entry_->setComplete(on); });
    connect(reportRemark_, &QLineEdit::textEdited, this,
            [this](const QString& text) { entry_->setReportRemark(fromQt(text)); });
    connect(internalRemark_, &QLineEdit::textEdited, this,
            [this](const QString& text) { entry_->setInternalRemark(fromQt(text)); });
    if (checkedAndClosed_ != nullptr)
        connect(checkedAndClosed_, &QCheckBox::toggled, this, [this](bool on) { entry_->setCheckedAndClosed(on); });
}

void DayEntryForm::load(int selected) {
    nameField_->setText(toQt(entry_->employeeName()));
    titleField_->setText(toQt(entry_->title()));
    titleField_->setCursorPosition(0);
    furtherField_->setText(toQt(entry_->furtherEmployees()));
    furtherField_->setCursorPosition(0);
    publicHoliday_->setChecked(entry_->publicHoliday());
    if (QAbstractButton* kind = kinds_->button(entry_->dayKind())) kind->setChecked(true);
    if (fillUntil_ != nullptr)
        fillUntil_->setText(entry_->fillUntil() == 0 ? QString() : QString::number(entry_->fillUntil()));
    complete_->setChecked(entry_->complete());
    if (reportRemark_->text() != toQt(entry_->reportRemark())) reportRemark_->setText(toQt(entry_->reportRemark()));
    if (internalRemark_->text() != toQt(entry_->internalRemark()))
        internalRemark_->setText(toQt(entry_->internalRemark()));
    if (checkedAndClosed_ != nullptr) checkedAndClosed_->setChecked(entry_->checkedAndClosed());
    fillList(selected);
    const bool locked = entry_->isLocked();
    for (QWidget* widget : changing_)
        widget->setEnabled(!locked);
    logbookButton_->setEnabled(logbookAvailable_ && !locked);
}

void DayEntryForm::fillList(int selected) {
    list_->clear();
    const std::vector<DayEntryColumn> columns = entry_->columns();
    for (const std::vector<std::string>& row : entry_->rows()) {
        auto* item = new QTreeWidgetItem(list_);
        for (size_t i = 0; i < row.size(); ++i) {
            const int column = static_cast<int>(i);
            item->setText(column, toQt(row[i]));
            if (i < columns.size() && columns[i].rightAligned)
                item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    // The designed widths; a title or text wider than its column widens it, so nothing is cut (the
    // list scrolls sideways when needed).
    int allColumns = 0;
    for (size_t i = 0; i < columns.size(); ++i) {
        const int column = static_cast<int>(i);
        list_->resizeColumnToContents(column);
        list_->setColumnWidth(column, std::max(columns[i].width, list_->columnWidth(column) + 8));
        allColumns += list_->columnWidth(column);
    }
    // At its designed size the window shows every column.
    const int wanted = allColumns + 2 * list_->frameWidth() + 2;
    if (wanted > list_->minimumWidth()) list_->setMinimumWidth(wanted);
    if (selected >= 0 && selected < list_->topLevelItemCount())
        list_->setCurrentItem(list_->topLevelItem(selected));
}

int DayEntryForm::selectedLine() const {
    QTreeWidgetItem* item = list_->currentItem();
    return item != nullptr && item->isSelected() ? list_->indexOfTopLevelItem(item) : -1;
}

QPushButton* DayEntryForm::addClosingButton(const QString& text, bool changesData) {
    auto* button = new QPushButton(text);
    closingRow_->addWidget(button);
    if (changesData) {
        changing_.push_back(button);
        button->setEnabled(!entry_->isLocked());
    }
    return button;
}

void DayEntryForm::runLineCommand(EntryResult (DayEntry::*command)(int, const TimeLineEditor&, int*)) {
    int selected = selectedLine();
    const EntryResult result = (entry_->*command)(selected, editor_, &selected);
    if (result == EntryResult::NoSelection) {
        QApplication::beep();
        return;
    }
    load(selected);
}

void DayEntryForm::deleteLine() {
    const int selected = selectedLine();
    const EntryResult result = entry_->deleteTime(selected);
    if (result == EntryResult::NoSelection) {
        QApplication::beep();
        return;
    }
    // The line that took the deleted one's place, or the new last one.
    load(std::min(selected, static_cast<int>(entry_->lines().size()) - 1));
}

void DayEntryForm::runDayCommand(EntryResult (DayEntry::*command)()) {
    const int selected = selectedLine();
    (entry_->*command)();
    load(selected);
}

void DayEntryForm::printDaySheet() {
    const int selected = selectedLine();
    const EntryResult result = entry_->saveForTransfer();
    load(selected);
    // The day sheet itself is printed by the reports; here the day is in the file now.
    if (result == EntryResult::Done) emit savedForTransfer();
}

void DayEntryForm::setLogbookTransferEnabled(bool enabled) {
    logbookAvailable_ = enabled;
    logbookButton_->setEnabled(enabled && !entry_->isLocked());
}

void DayEntryForm::transferToLogbook() {
    const int selected = selectedLine();
    const EntryResult result = entry_->saveForTransfer();
    load(selected);
    if (result == EntryResult::Done) emit savedForLogbook();
}

QMessageBox* showWorkingTimeNotes(QWidget* parent, const std::vector<std::string>& notes) {
    if (notes.empty()) return nullptr;
    std::string text;
    for (const std::string& note : notes)
        text += (text.empty() ? "" : "\n") + note;
    auto* box = new QMessageBox(QMessageBox::Information, QStringLiteral("Lorvan"), toQt(text), QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box->show();
    return box;
}

} // namespace lorvan
