#include "logbook/ui/vehicle_list_view.h"

#include "app/application.h"
#include "app/command_table.h"
#include "app/document_kinds.h"
#include "app/help_topics.h"
#include "app/work_areas.h"
#include "foundation/error.h"
#include "gui/common/desktop.h"
#include "gui/common/help_window.h"
#include "gui/common/qt_platform.h"
#include "gui/common/view_parts.h"
#include "logbook/ui/logbook_commands.h"
#include "logbook/ui/logbook_view.h"
#include "platform/prompter.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace lorvan {

namespace {

LogbookServices& registeredServices() {
    static LogbookServices services;
    return services;
}

} // namespace

const LogbookServices& logbookServices() {
    return registeredServices();
}

LogbookEnvironment logbookEnvironment(Desktop& desktop) {
    LogbookEnvironment environment;
    environment.dataDirectory = desktop.app().dataDirectory();
    environment.prompter = &desktop.prompter();
    environment.clock = &desktop.clock();
    environment.customers = &desktop.app().customers();
    if (registeredServices().words) environment.words = registeredServices().words();
    return environment;
}

// --- "Fahrzeug bearbeiten"

VehicleDialogWindow::VehicleDialogWindow(const CFahrzDoc& vehicle, QWidget* parent)
    : QDialog(parent), plate_(new QLineEdit(toQt(vehicle.plate))),
      description_(new QLineEdit(toQt(vehicle.description))) {
    setWindowTitle(QStringLiteral("Fahrzeug bearbeiten"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    plate_->setObjectName(QStringLiteral("plate"));
    description_->setObjectName(QStringLiteral("description"));
    form->addRow(QStringLiteral("Amtliches &Kennzeichen:"), plate_);
    form->addRow(QStringLiteral("&Beschreibung des Fahrzeugs in der Liste:"), description_);
    layout->addLayout(form);
    addOkCancelButtons(layout, this);
    setMinimumWidth(460);
}

CFahrzDoc VehicleDialogWindow::vehicle() const {
    return CFahrzDoc{fromQt(plate_->text().trimmed()), fromQt(description_->text())};
}

bool QtVehicleDialogRunner::run(CFahrzDoc& vehicle) {
    VehicleDialogWindow dialog(vehicle, parent_);
    if (dialog.exec() != QDialog::Accepted) return false;
    vehicle = dialog.vehicle();
    return true;
}

// --- "Fahrzeuge verwalten"

VehicleListView::VehicleListView(Desktop& desktop, std::unique_ptr<VehicleList> list)
    : DocumentView(nullptr, nullptr), desktop_(desktop), list_(std::move(list)), tree_(new QTreeWidget),
      year_(new QSpinBox) {
    setWindowTitle(QStringLiteral("Fahrzeuge verwalten"));
    auto* content = new QWidget;
    placeInScrollArea(this, content);
    auto* layout = new QVBoxLayout(content);

    tree_->setObjectName(QStringLiteral("vehicles"));
    tree_->setHeaderLabels({QStringLiteral("Kennzeichen"), QStringLiteral("Beschreibung")});
    tree_->setColumnWidth(0, 160);
    tree_->header()->setStretchLastSection(true);
    tree_->setRootIsDecorated(false);
    tree_->setUniformRowHeights(true);
    tree_->setAllColumnsShowFocus(true);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    onListKeys(tree_, [this] { openLogbook(); }, [this] { deleteVehicle(); });
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this] { openLogbook(); });
    connect(tree_, &QTreeWidget::currentItemChanged, this, [this] { emit commandStateChanged(); });
    tree_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tree_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu menu(this);
        const bool selected = !selectedPlate().empty();
        menu.addAction(QStringLiteral("Aktuell ausgewählten &Eintrag öffnen..."), this, [this] { openLogbook(); })
            ->setEnabled(selected);
        menu.addAction(QStringLiteral("Aktuell ausgewählten Eintrag &löschen"), this, [this] { deleteVehicle(); })
            ->setEnabled(selected);
        menu.exec(tree_->viewport()->mapToGlobal(at));
    });

    auto* middle = new QHBoxLayout;
    middle->addWidget(tree_, 1);
    auto* commands = new QVBoxLayout;
    const auto command = [&](const char* text, void (VehicleListView::*run)()) {
        auto* button = new QPushButton(QString::fromUtf8(text));
        connect(button, &QPushButton::clicked, this, run);
        commands->addWidget(button);
        return button;
    };
    command("&Neues Fahrzeug...", &VehicleListView::newVehicle);
    command("Fahrzeug &bearbeiten...", &VehicleListView::editVehicle);
    command("Fahrzeug &löschen", &VehicleListView::deleteVehicle);
    commands->addSpacing(12);
    auto* yearLabel = new QLabel(QStringLiteral("&Jahr:"));
    year_->setObjectName(QStringLiteral("year"));
    year_->setRange(1900, 2999);
    year_->setValue(list_->year());
    yearLabel->setBuddy(year_);
    connect(year_, &QSpinBox::valueChanged, this, [this](int year) { list_->setYear(year); });
    auto* yearRow = new QHBoxLayout;
    yearRow->addWidget(yearLabel);
    yearRow->addWidget(year_, 1);
    commands->addLayout(yearRow);
    command("&Fahrtenbuch öffnen...", &VehicleListView::openLogbook);
    commands->addStretch();
    middle->addLayout(commands);
    layout->addLayout(middle, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    addSaveAndCancelButtons(bottom, this, [this] { saveAndClose(); }, [this] { cancel(); });
    layout->addLayout(bottom);

    addHelpShortcut(this, kHelpVehicles);
    designedSize_ = QSize(560, 360).expandedTo(content->sizeHint());
    content->setMinimumSize(designedSize_);
    resize(designedSize_);
    showRows({});
}

VehicleListView::~VehicleListView() = default;

int VehicleListView::helpTopic() const {
    return kHelpVehicles;
}

QWidget* VehicleListView::focusTarget() {
    return tree_;
}

void VehicleListView::showRows(const std::string& selectPlate) {
    tree_->clear();
    for (const CFahrzDoc& vehicle : list_->rows()) {
        auto* item = new QTreeWidgetItem(tree_, {toQt(vehicle.plate), toQt(vehicle.description)});
        if (vehicle.plate == selectPlate) tree_->setCurrentItem(item);
    }
    if (tree_->currentItem() == nullptr && tree_->topLevelItemCount() > 0)
        tree_->setCurrentItem(tree_->topLevelItem(0));
    emit commandStateChanged();
}

std::string VehicleListView::selectedPlate() const {
    const QTreeWidgetItem* item = tree_->currentItem();
    return item != nullptr && item->isSelected() ? fromQt(item->text(0)) : std::string();
}

void VehicleListView::newVehicle() {
    QtVehicleDialogRunner runner(this);
    if (!list_->newVehicle(runner)) return;
    showRows(list_->lastPlate());
    tree_->setFocus();
}

void VehicleListView::editVehicle() {
    const std::string plate = selectedPlate();
    if (plate.empty()) {
        QApplication::beep();
        return;
    }
    QtVehicleDialogRunner runner(this);
    if (!list_->editVehicle(plate, runner)) return;
    // The vehicle stays selected, under its new plate when it got one.
    showRows(list_->lastPlate());
}

void VehicleListView::deleteVehicle() {
    const std::string plate = selectedPlate();
    if (plate.empty()) {
        QApplication::beep();
        return;
    }
    if (list_->deleteVehicle(plate)) showRows({});
}

void VehicleListView::openLogbook() {
    const std::string plate = selectedPlate();
    if (plate.empty()) {
        QApplication::beep();
        return;
    }
    const VehicleList::LogbookChoice choice = list_->chooseLogbook(plate);
    if (choice.focus == VehicleListField::Year) {
        year_->setFocus();
        year_->selectAll();
        return;
    }
    if (choice.path.empty()) return;
    openLogbookWindow(desktop_, choice.path);
}

void VehicleListView::saveAndClose() {
    if (!list_->saveAndClose()) return;
    emit closingByOwnButton();
    closeWindow();
}

void VehicleListView::cancel() {
    closeWindow();
}

bool VehicleListView::servesCommand(MenuCommand command) const {
    return (command == MenuCommand::OpenEntry || command == MenuCommand::DeleteEntry) && !selectedPlate().empty();
}

void VehicleListView::runOwnCommand(MenuCommand command) {
    if (command == MenuCommand::OpenEntry) openLogbook();
    if (command == MenuCommand::DeleteEntry) deleteVehicle();
}

void VehicleListView::closeEvent(QCloseEvent* event) {
    if (!closingWithoutQuestions_ && !list_->close()) {
        event->ignore();
        return;
    }
    DocumentView::closeEvent(event);
}

DocumentView* openVehicleListWindow(Desktop& desktop) {
    const WorkAreaPlan plan = desktop.app().planCommand(WorkAreaCommand::Logbook);
    if (plan.action != WorkAreaPlan::Action::OpenWindow) {
        if (!plan.message.empty()) desktop.prompter().warn(plan.message);
        return nullptr;
    }
    for (DocumentView* view : desktop.documents()) {
        if (auto* open = qobject_cast<VehicleListView*>(view)) {
            desktop.activateDocument(open);
            return open;
        }
    }
    std::unique_ptr<VehicleList> list;
    try {
        list = std::make_unique<VehicleList>(logbookEnvironment(desktop));
    } catch (const LorvanError& failure) {
        desktop.prompter().error(failure.what());
        return nullptr;
    }
    auto* view = new VehicleListView(desktop, std::move(list));
    desktop.addDocument(view, kViewVehicles);
    return view;
}

void registerLogbookCommands(Desktop& desktop, LogbookServices services) {
    registeredServices() = std::move(services);
    desktop.commands().add(MenuCommand::Logbook, [&desktop] { openVehicleListWindow(desktop); });
}

} // namespace lorvan
