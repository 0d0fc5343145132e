#include "logbook/ui/logbook_view.h"

#include "app/application.h"
#include "app/document_kinds.h"
#include "app/help_topics.h"
#include "app/program_settings.h"
#include "app/report_settings.h"
#include "app/web_pages.h"
#include "gui/common/desktop.h"
#include "gui/common/help_window.h"
#include "gui/common/hyperlink.h"
#include "gui/common/print_preview.h"
#include "gui/common/qt_platform.h"
#include "gui/common/view_parts.h"
#include "logbook/ui/logbook_commands.h"
#include "logbook/ui/trip_dialog_window.h"
#include "logbook/ui/trip_list_widget.h"
#include "platform/clock.h"
#include "platform/prompter.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace lorvan {

namespace {

QLineEdit* shownValue(const std::string& text) {
    auto* edit = new QLineEdit(toQt(text));
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::ClickFocus);
    return edit;
}

QString samePathKey(const std::string& path) {
    return toQt(path).toLower();
}

} // namespace

LogbookView::LogbookView(Desktop& desktop, std::unique_ptr<LogbookWindow> logbook, std::string path)
    : DocumentView(nullptr, nullptr), desktop_(desktop), logbook_(std::move(logbook)), path_(std::move(path)) {
    const CTwFahrtenbuchDoc& file = logbook_->logbook();
    setWindowTitle(QStringLiteral("Fahrtenbuch %1 %2").arg(toQt(file.plate)).arg(file.year));
    auto* content = new QWidget;
    placeInScrollArea(this, content);
    auto* layout = new QVBoxLayout(content);

    auto* head = new QGridLayout;
    head->addWidget(new QLabel(QStringLiteral("Jahr:")), 0, 0);
    auto* year = shownValue(std::to_string(file.year));
    year->setObjectName(QStringLiteral("year"));
    year->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    head->addWidget(year, 0, 1);
    head->addWidget(new QLabel(QStringLiteral("Fahrzeug:")), 0, 2);
    auto* plate = shownValue(file.plate);
    plate->setObjectName(QStringLiteral("plate"));
    head->addWidget(plate, 0, 3);
    auto* description = shownValue(logbook_->vehicleDescription());
    description->setObjectName(QStringLiteral("description"));
    head->addWidget(description, 0, 4);
    head->setColumnStretch(3, 1);
    head->setColumnStretch(4, 2);
    layout->addLayout(head);

    auto* start = new QGroupBox(QStringLiteral("Standort bei Beginn des Fahrtenbuchs"));
    auto* startGrid = new QHBoxLayout(start);
    const auto startField = [&](StartField which, const char* label, const char* name) {
        auto* caption = new QLabel(QString::fromUtf8(label));
        auto* edit = new QLineEdit(toQt(logbook_->startText(which)));
        edit->setObjectName(QString::fromLatin1(name));
        caption->setBuddy(edit);
        startGrid->addWidget(caption);
        startGrid->addWidget(edit, which == StartField::Kilometres ? 1 : 3);
        connect(edit, &QLineEdit::textEdited, this, [this, which](const QString& text) {
            logbook_->setStartText(which, fromQt(text));
            emit commandStateChanged();
        });
        return edit;
    };
    street_ = startField(StartField::Street, "S&traße:", "startStreet");
    place_ = startField(StartField::Place, "&Ort:", "startPlace");
    kilometres_ = startField(StartField::Kilometres, "&Kilometerstand:", "startKilometres");
    kilometres_->setAlignment(Qt::AlignRight);
    layout->addWidget(start);

    list_ = new TripListWidget;
    list_->setMinimumWidth(list_->header()->length() + 24);
    connect(list_, &TripListWidget::openRequested, this, [this] { editSelected(); });
    connect(list_, &TripListWidget::deleteRequested, this, [this] { deleteSelected(); });
    connect(list_, &QTreeWidget::currentItemChanged, this, [this] { emit commandStateChanged(); });
    layout->addWidget(list_, 1);

    auto* middle = new QHBoxLayout;
    newTrip_ = new QPushButton(QStringLiteral("&Neue Fahrt..."));
    connect(newTrip_, &QPushButton::clicked, this, [this] { newTrip(); });
    middle->addWidget(newTrip_);
    middle->addStretch();
    auto* fromLabel = new QLabel(QStringLiteral("Druck &vom"));
    printFrom_ = new QLineEdit(toQt(logbook_->printFrom()));
    printFrom_->setObjectName(QStringLiteral("printFrom"));
    fromLabel->setBuddy(printFrom_);
    auto* toLabel = new QLabel(QStringLiteral("&bis"));
    printTo_ = new QLineEdit(toQt(logbook_->printTo()));
    printTo_->setObjectName(QStringLiteral("printTo"));
    toLabel->setBuddy(printTo_);
    for (QLineEdit* date : {printFrom_, printTo_})
        date->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("00.00.00000")) + 16);
    print_.setFrom(fromQt(printFrom_->text()));
    print_.setTo(fromQt(printTo_->text()));
    connect(printFrom_, &QLineEdit::textEdited, this, [this](const QString& text) { print_.setFrom(fromQt(text)); });
    connect(printTo_, &QLineEdit::textEdited, this, [this](const QString& text) { print_.setTo(fromQt(text)); });
    auto* preview = new QPushButton(QStringLiteral("Seiten&ansicht"));
    auto* print = new QPushButton(QStringLiteral("&Druck"));
    connect(preview, &QPushButton::clicked, this, [this] { showPreview(); });
    connect(print, &QPushButton::clicked, this, [this] { printLogbookPages(); });
    for (QWidget* widget : std::initializer_list<QWidget*>{fromLabel, printFrom_, toLabel, printTo_, preview, print})
        middle->addWidget(widget);
    layout->addLayout(middle);

    auto* bottom = new QHBoxLayout;
    static QtWebBrowser desktopBrowser;
    WebBrowser& browser = logbookServices().browser != nullptr ? *logbookServices().browser : desktopBrowser;
    link_ = new CHyperlink(browser, desktop.prompter());
    link_->setText(QStringLiteral("Konformitätserklärung fürs Finanzamt"));
    link_->setAddress(QString::fromLatin1(kLogbookDeclarationAddress));
    bottom->addWidget(link_);
    bottom->addStretch();
    addSaveAndCancelButtons(bottom, this, [this] { saveAndClose(); }, [this] { cancel(); });
    layout->addLayout(bottom);

    addHelpShortcut(this, kHelpLogbook);
    designedSize_ = QSize(820, 520).expandedTo(content->sizeHint());
    content->setMinimumSize(designedSize_);
    resize(designedSize_);
    printedRevision_ = logbook_->tripListRevision();
    showTrips();
}

LogbookView::~LogbookView() = default;

int LogbookView::helpTopic() const {
    return kHelpLogbook;
}

QWidget* LogbookView::focusTarget() {
    return logbook_->startValuesEditable() ? static_cast<QWidget*>(street_) : list_;
}

QLineEdit* LogbookView::startField(StartField field) const {
    switch (field) {
    case StartField::Street: return street_;
    case StartField::Place: return place_;
    case StartField::Kilometres: return kilometres_;
    case StartField::None: break;
    }
    return nullptr;
}

void LogbookView::dropOutdatedPrint() {
    // A print made before shows the trips as they were: its selection and layout go.
    if (logbook_->tripListRevision() != printedRevision_) {
        print_.tripsChanged();
        printedRevision_ = logbook_->tripListRevision();
    }
}

void LogbookView::showTrips() {
    dropOutdatedPrint();
    const int selected = list_->selectedRow();
    list_->setRows(logbook_->rows(), {}, selected);
    const bool editable = logbook_->startValuesEditable();
    for (StartField field : {StartField::Street, StartField::Place, StartField::Kilometres}) {
        QLineEdit* edit = startField(field);
        edit->setReadOnly(!editable);
        // Once the trips begin, the start values are the logbook's own.
        if (!editable) edit->setText(toQt(logbook_->startText(field)));
    }
    emit commandStateChanged();
}

void LogbookView::focusStart(StartField field) {
    if (QLineEdit* edit = startField(field)) {
        edit->setFocus();
        edit->selectAll();
    }
}

void LogbookView::newTrip() {
    QtTripDialogRunner runner(this, desktop_.prompter());
    const size_t before = logbook_->logbook().trips.size();
    const StartField missing = logbook_->newTrip(runner);
    if (missing != StartField::None) {
        focusStart(missing);
        return;
    }
    showTrips();
    if (logbook_->logbook().trips.size() > before) {
        list_->setCurrentItem(list_->topLevelItem(static_cast<int>(before)));
        list_->setFocus();
    }
}

void LogbookView::editSelected() {
    const int row = list_->selectedRow();
    if (row < 0) {
        QApplication::beep();
        return;
    }
    QtTripDialogRunner runner(this, desktop_.prompter());
    if (logbook_->editTrip(static_cast<size_t>(row), runner)) showTrips();
}

void LogbookView::deleteSelected() {
    const int row = list_->selectedRow();
    const DeleteOutcome outcome =
        logbook_->deleteTrip(row >= 0 ? std::optional<size_t>(static_cast<size_t>(row)) : std::nullopt);
    if (outcome == DeleteOutcome::Beep) {
        QApplication::beep();
        return;
    }
    showTrips();
}

LogbookPrintInput LogbookView::printInput() const {
    return logbookPrintInput(logbook_->logbook(), logbook_->vehicleDescription());
}

LogbookPrintEnvironment LogbookView::printEnvironment() {
    Prompter& prompter = desktop_.prompter();
    LogbookPrintEnvironment environment;
    environment.logoPath = &logo_;
    environment.sink = [&prompter](const std::string& message) { prompter.error(message); };
    environment.today = desktop_.clock().today();
    environment.version = kProgramVersion;
    return environment;
}

std::string LogbookView::printTitle() const {
    const CTwFahrtenbuchDoc& file = logbook_->logbook();
    return "Fahrtenbuch " + std::to_string(file.year) + " - " + file.plate;
}

bool LogbookView::readyToPrint() {
    dropOutdatedPrint();
    print_.setFrom(fromQt(printFrom_->text()));
    print_.setTo(fromQt(printTo_->text()));
    const bool ready = print_.checkPrintRange(printInput(), desktop_.prompter());
    // Empty fields show the year's first and last day now.
    printFrom_->setText(toQt(print_.from()));
    printTo_->setText(toQt(print_.to()));
    if (!ready) {
        QLineEdit* field = print_.focus() == LogbookPrint::Field::To ? printTo_ : printFrom_;
        if (print_.focus() != LogbookPrint::Field::None) {
            field->setFocus();
            field->selectAll();
        }
        return false;
    }
    const CLorvanApp& app = desktop_.app();
    logo_ = reportInputsOf(app.settings(), app.buildSwitch()).logoFile;
    return true;
}

std::function<void(Surface&)> LogbookView::drawLogbook() {
    auto input = std::make_shared<LogbookPrintInput>(printInput());
    return [this, input](Surface& surface) {
        LogbookPrintEnvironment environment = printEnvironment();
        printLogbook(surface, print_, *input, environment);
    };
}

void LogbookView::showPreview() {
    if (!readyToPrint()) return;
    const DrawDocument draw = drawLogbook();
    QPrinter& printer = desktop_.printer();
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setDocName(toQt(printTitle()));
    PrintPreviewDialog dialog(this, printer, draw, printTitle(), &desktop_.lastPrintFile());
    dialog.exec();
}

void LogbookView::printLogbookPages() {
    if (!readyToPrint()) return;
    const DrawDocument draw = drawLogbook();
    QPrinter& printer = desktop_.printer();
    printer.setPageOrientation(QPageLayout::Portrait);
    const std::unique_ptr<QPrintDialog> dialog =
        createPrintDialog(this, printer, printTitle(), desktop_.lastPrintFile());
    // The pages: estimated from the trips until the report was laid out once, exact afterwards.
    dialog->setMinMax(1, print_.pageCount());
    if (dialog->exec() != QDialog::Accepted) return;
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        desktop_.lastPrintFile() = fromQt(printer.outputFileName());
    printWithProgress(this, printer, draw, printTitle());
}

void LogbookView::saveAndClose() {
    if (logbook_->startValuesEditable()) {
        if (const StartField missing = logbook_->takeStartValues(); missing != StartField::None) {
            focusStart(missing);
            return;
        }
    }
    if (!logbook_->save()) return;
    emit closingByOwnButton();
    closeWindow();
}

void LogbookView::cancel() {
    closeWindow();
}

bool LogbookView::servesCommand(MenuCommand command) const {
    switch (command) {
    case MenuCommand::OpenEntry:
    case MenuCommand::DeleteEntry: return list_->selectedRow() >= 0;
    case MenuCommand::Print:
    case MenuCommand::PrintPreview: return true;
    default: return false;
    }
}

void LogbookView::runOwnCommand(MenuCommand command) {
    switch (command) {
    case MenuCommand::OpenEntry: editSelected(); break;
    case MenuCommand::DeleteEntry: deleteSelected(); break;
    case MenuCommand::Print: printLogbookPages(); break;
    case MenuCommand::PrintPreview: showPreview(); break;
    default: break;
    }
}

void LogbookView::closeEvent(QCloseEvent* event) {
    if (!closingWithoutQuestions_ && logbook_->changed()) {
        if (!logbook_->close()) {
            // Yes with start values missing: the field to fill gets the focus.
            if (logbook_->startValuesEditable()) focusStart(logbook_->missingStartValue());
            event->ignore();
            return;
        }
    }
    DocumentView::closeEvent(event);
}

DocumentView* openLogbookWindow(Desktop& desktop, const std::string& path) {
    for (DocumentView* view : desktop.documents()) {
        if (auto* open = qobject_cast<LogbookView*>(view); open != nullptr &&
                                                           samePathKey(open->documentPath()) == samePathKey(path)) {
            desktop.activateDocument(open);
            return open;
        }
    }
    std::unique_ptr<LogbookWindow> logbook = LogbookWindow::open(path, logbookEnvironment(desktop));
    if (!logbook) return nullptr;
    if (!logbook->isNew()) desktop.fileOpened(path);
    auto* view = new LogbookView(desktop, std::move(logbook), path);
    desktop.addDocument(view, kViewLogbook);
    return view;
}

} // namespace lorvan
