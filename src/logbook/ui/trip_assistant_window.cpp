#include "logbook/ui/trip_assistant_window.h"

#include "app/help_topics.h"
#include "gui/common/help_window.h"
#include "gui/common/qt_platform.h"
#include "logbook/trip_dialog.h"
#include "logbook/ui/preset_windows.h"
#include "logbook/ui/trip_dialog_window.h"
#include "logbook/ui/trip_list_widget.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lorvan {

namespace {

QLineEdit* readOnlyField() {
    auto* edit = new QLineEdit;
    edit->setReadOnly(true);
    return edit;
}

} // namespace

TripAssistantWindow::TripAssistantWindow(TripAssistant& assistant, QWidget* parent)
    : QDialog(parent), assistant_(assistant) {
    setWindowTitle(QStringLiteral("Übernahme der Fahrten ins Fahrtenbuch"));
    auto* layout = new QVBoxLayout(this);

    auto* top = new QGridLayout;
    top->addWidget(new QLabel(QStringLiteral("Tag:")), 0, 0);
    day_ = readOnlyField();
    day_->setObjectName(QStringLiteral("day"));
    top->addWidget(day_, 0, 1);
    auto* vehicleLabel = new QLabel(QStringLiteral("&Fahrzeug:"));
    top->addWidget(vehicleLabel, 0, 2);
    vehicle_ = new QComboBox;
    vehicleLabel->setBuddy(vehicle_);
    vehicle_->setObjectName(QStringLiteral("vehicle"));
    top->addWidget(vehicle_, 0, 3);
    top->setColumnStretch(1, 1);
    top->setColumnStretch(3, 1);
    layout->addLayout(top);

    auto* last = new QGroupBox(QStringLiteral("Letzte erfasste Fahrt mit diesem Fahrzeug"));
    auto* lastGrid = new QGridLayout(last);
    lastAt_ = readOnlyField();
    lastKilometres_ = readOnlyField();
    lastStreet_ = readOnlyField();
    lastPlace_ = readOnlyField();
    lastGrid->addWidget(new QLabel(QStringLiteral("am")), 0, 0);
    lastGrid->addWidget(lastAt_, 0, 1);
    lastGrid->addWidget(new QLabel(QStringLiteral("Kilometerstand")), 0, 2);
    lastGrid->addWidget(lastKilometres_, 0, 3);
    lastGrid->addWidget(new QLabel(QStringLiteral("nach Straße")), 1, 0);
    lastGrid->addWidget(lastStreet_, 1, 1);
    lastGrid->addWidget(new QLabel(QStringLiteral("Ort")), 1, 2);
    lastGrid->addWidget(lastPlace_, 1, 3);
    layout->addWidget(last);

    auto* middle = new QHBoxLayout;
    list_ = new TripListWidget;
    // Every column whole at the start.
    list_->setMinimumWidth(list_->header()->length() + 24);
    middle->addWidget(list_, 1);
    auto* commands = new QVBoxLayout;
    const auto command = [&](const char* text, auto&& run) {
        auto* button = new QPushButton(QString::fromUtf8(text));
        // The longest text stays whole.
        button->setMinimumWidth(button->fontMetrics().horizontalAdvance(button->text()) + 24);
        connect(button, &QPushButton::clicked, this, run);
        commands->addWidget(button);
        return button;
    };
    command("Neue Fahrt da&vor einfügen...", [this] { step(assistant_.insertTrip(false)); });
    command("&Neue Fahrt danach einfügen...", [this] { step(assistant_.insertTrip(true)); });
    command("Ausgewäh&lte Fahrt wurde nicht mit diesem Fahrzeug ausgeführt",
            [this] { step(assistant_.removeTrip(list_->selectedRow())); });
    command("Vor&besetzungen erfassen...", [this] {
        assistant_.editPresets();
        refresh();
    });
    commands->addStretch();
    middle->addLayout(commands);
    layout->addLayout(middle, 1);

    auto* bottom = new QHBoxLayout;
    auto* transfer = new QPushButton(QStringLiteral("Fahrten für dieses Fahrzeug in&s Fahrtenbuch übernehmen"));
    transfer->setObjectName(QStringLiteral("transfer"));
    connect(transfer, &QPushButton::clicked, this, [this] { step(assistant_.transfer()); });
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    bottom->addWidget(transfer);
    bottom->addStretch();
    bottom->addWidget(cancel);
    layout->addLayout(bottom);

    connect(list_, &TripListWidget::openRequested, this, [this](int row) { step(assistant_.editTrip(row)); });
    connect(list_, &TripListWidget::deleteRequested, this, [this](int row) { step(assistant_.removeTrip(row)); });
    connect(list_, &QTreeWidget::currentItemChanged, this, [this] {
        if (!filling_) assistant_.select(list_->selectedRow());
    });
    connect(vehicle_, &QComboBox::currentTextChanged, this, [this](const QString& plate) {
        if (filling_) return;
        assistant_.changeVehicle(fromQt(plate));
        refresh();
    });
    addHelpShortcut(this, kHelpTripAssistant);
    resize(1180, 520);
    refresh();
}

void TripAssistantWindow::refresh() {
    filling_ = true;
    day_->setText(toQt(assistant_.dayTitle()));
    vehicle_->clear();
    for (const std::string& plate : assistant_.vehicleChoice())
        vehicle_->addItem(toQt(plate));
    vehicle_->setCurrentText(toQt(assistant_.currentVehicle()));
    const LogbookEndDisplay end = assistant_.logbookEnd();
    lastAt_->setText(toQt(end.at));
    lastKilometres_->setText(toQt(end.kilometres));
    lastStreet_->setText(toQt(end.street));
    lastPlace_->setText(toQt(end.place));
    std::vector<bool> valid;
    for (const CFahrtDocAssistent& trip : assistant_.trips())
        valid.push_back(trip.valid);
    list_->setRows(assistant_.rows(), valid, assistant_.selected());
    filling_ = false;
}

void TripAssistantWindow::step(AssistantStep result) {
    if (result == AssistantStep::NoSelection) QApplication::beep();
    if (result == AssistantStep::Close) {
        accept();
        return;
    }
    refresh();
}

void runTripAssistant(QWidget* parent, const CTagDoc& day, TripAssistantServices services) {
    Prompter& prompter = *services.prompter;
    if (!services.editTrip)
        services.editTrip = [parent, &prompter](TripDialog& dialog) { return runTripDialogWindow(parent, dialog, prompter); };
    const std::string dataDirectory = services.dataDirectory;
    LogbookWordLists* words = services.words;
    if (!services.editPresets)
        services.editPresets = [parent, dataDirectory, &prompter, words] {
            runPresetsWindow(parent, dataDirectory, prompter, words);
        };
    TripAssistant assistant(day, std::move(services));
    if (!assistant.open()) return;
    TripAssistantWindow window(assistant, parent);
    window.exec();
}

} // namespace lorvan
