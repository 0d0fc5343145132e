#include "import/ui/time_import_dialog.h"

#include "app/application.h"
#include "app/help_topics.h"
#include "entry/month_lock.h"
#include "foundation/error.h"
#include "gui/common/desktop.h"
#include "gui/common/help_window.h"
#include "gui/common/qt_platform.h"
#include "gui/common/protocol_window.h"
#include "masterdata/employee_flows.h"
#include "platform/prompter.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <memory>

namespace lorvan {

namespace {

QLineEdit* pathField(const char* objectName) {
    auto* field = new QLineEdit;
    field->setMaxLength(static_cast<int>(TimeImportForm::kMaxPathLength));
    field->setMinimumWidth(360);
    field->setObjectName(QString::fromLatin1(objectName));
    return field;
}

} // namespace

TimeImportDialog::TimeImportDialog(Desktop& desktop, const ImportWindows& windows, QWidget* parent)
    : QDialog(parent), desktop_(desktop), windows_(windows),
      form_(desktop.app().store(), desktop.app().buildSwitch()) {
    setWindowTitle(QStringLiteral("Arbeitszeiten importieren"));

    absences_ = new QCheckBox(QStringLiteral("Datei enthält Fehlzeiten"));
    companyLayout_ = new QCheckBox(QStringLiteral("Spezielle Implementation für ihr Unternehmen"));
    // Without the company's build the standard layouts are the only ones.
    companyLayout_->setVisible(form_.companyLayoutOffered());
    file_ = pathField("importFile");
    auto* browseFile = new QPushButton(QStringLiteral("Du&rchsuchen..."));
    skipFirstLine_ = new QCheckBox(QStringLiteral("Erste Zeile enthält Spaltennamen"));
    keepExisting_ = new QCheckBox(QStringLiteral("Vorhandene Zeiten beibehalten"));
    logAll_ =
        new QCheckBox(QStringLiteral("Ausführliches Protokoll (auch fehlerfrei importierte Daten anzeigen)"));
    protocol_ = pathField("protocolFile");
    auto* browseProtocol = new QPushButton(QStringLiteral("Durch&suchen..."));
    auto* fileLabel = new QLabel(QStringLiteral("aus &Datei"));
    fileLabel->setBuddy(file_);
    auto* protocolLabel = new QLabel(QStringLiteral("&Protokolldatei"));
    protocolLabel->setBuddy(protocol_);

    auto* grid = new QGridLayout;
    grid->addWidget(absences_, 0, 0, 1, 3);
    grid->addWidget(companyLayout_, 1, 0, 1, 3);
    grid->addWidget(fileLabel, 2, 0);
    grid->addWidget(file_, 2, 1);
    grid->addWidget(browseFile, 2, 2);
    grid->addWidget(skipFirstLine_, 3, 1, 1, 2);
    grid->addWidget(keepExisting_, 4, 1, 1, 2);
    grid->addWidget(logAll_, 5, 1, 1, 2);
    grid->addWidget(protocolLabel, 6, 0);
    grid->addWidget(protocol_, 6, 1);
    grid->addWidget(browseProtocol, 6, 2);
    grid->setColumnStretch(1, 1);

    auto* import = new QPushButton(QStringLiteral("&Importieren"));
    import->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(import);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    absences_->setObjectName(QStringLiteral("absences"));
    companyLayout_->setObjectName(QStringLiteral("companyLayout"));
    skipFirstLine_->setObjectName(QStringLiteral("skipFirstLine"));
    keepExisting_->setObjectName(QStringLiteral("keepExisting"));
    logAll_->setObjectName(QStringLiteral("logAll"));

    // Either box switches to the fields of another kind of file.
    connect(absences_, &QCheckBox::toggled, this, [this](bool on) {
        takeValues();
        form_.setAbsences(on);
        showValues();
    });
    connect(companyLayout_, &QCheckBox::toggled, this, [this](bool on) {
        takeValues();
        form_.setCompanyLayout(on);
        showValues();
    });
    connect(browseFile, &QPushButton::clicked, this, &TimeImportDialog::browseFile);
    connect(browseProtocol, &QPushButton::clicked, this, &TimeImportDialog::browseProtocol);
    connect(import, &QPushButton::clicked, this, &TimeImportDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &TimeImportDialog::reject);
    addHelpShortcut(this, kHelpTimeImport);
    showValues();
    file_->setFocus();
}

void TimeImportDialog::showValues() {
    const QSignalBlocker absencesQuiet(absences_);
    const QSignalBlocker companyQuiet(companyLayout_);
    absences_->setChecked(form_.absences());
    companyLayout_->setChecked(form_.companyLayout());
    file_->setText(toQt(form_.importFile));
    skipFirstLine_->setChecked(form_.skipFirstLine);
    skipFirstLine_->setEnabled(form_.skipFirstLineEnabled());
    keepExisting_->setChecked(form_.keepExisting);
    logAll_->setChecked(form_.logAll);
    protocol_->setText(toQt(form_.protocolFile));
}

void TimeImportDialog::takeValues() {
    form_.importFile = fromQt(file_->text().trimmed());
    form_.skipFirstLine = skipFirstLine_->isChecked();
    form_.keepExisting = keepExisting_->isChecked();
    form_.logAll = logAll_->isChecked();
    form_.protocolFile = fromQt(protocol_->text().trimmed());
}

void TimeImportDialog::browseFile() {
    takeValues();
    const std::optional<std::string> chosen =
        runIoSelect(this, form_.fileSelection(desktop_.app().dataDirectory()));
    if (!chosen) return;
    form_.chooseFile(*chosen);
    showValues();
}

void TimeImportDialog::browseProtocol() {
    takeValues();
    const std::optional<std::string> chosen =
        runIoSelect(this, form_.protocolSelection(desktop_.app().dataDirectory()));
    if (!chosen) return;
    form_.chooseProtocol(*chosen);
    showValues();
}

void TimeImportDialog::accept() {
    takeValues();
    CLorvanApp& app = desktop_.app();
    const std::unique_ptr<EmployeeDialogHost> employeeDialog =
        windows_.employeeDialog ? windows_.employeeDialog(this, desktop_.prompter()) : nullptr;
    TimeImportEnvironment environment;
    environment.prompter = &desktop_.prompter();
    environment.clock = &desktop_.clock();
    environment.dataDirectory = app.dataDirectory();
    environment.monthClosed = monthClosedRule(app);
    environment.employeeDialog = employeeDialog.get();
    if (windows_.newFileSettings)
        environment.confirmNewFileSettings = [this](CLorvanDoc& document) {
            return windows_.newFileSettings(desktop_, document);
        };
    environment.showProtocol = [this](const std::string& text) {
        showProtocol(this, text, kHelpImportProtocol);
    };
    environment.recent = &app.recentFiles();
    environment.openDocuments = &desktop_.openDocuments();
    environment.cachedEmployees = &app.employees();
    environment.customers = &app.customers();
    environment.services = &app.services();

    // The year files of the writing phase one by one; "Abbrechen" stops before the next one.
    std::unique_ptr<QProgressDialog> progress;
    environment.progress = [this, &progress](size_t done, size_t total) {
        if (!progress) {
            progress = std::make_unique<QProgressDialog>(
                QStringLiteral("Die Jahresdateien werden geschrieben..."), QStringLiteral("Abbrechen"), 0,
                static_cast<int>(total), this);
            progress->setWindowTitle(QStringLiteral("Arbeitszeiten importieren"));
            progress->setWindowModality(Qt::WindowModal);
            progress->setMinimumDuration(500);
        }
        progress->setLabelText(
            QStringLiteral("Jahresdatei %1 von %2 wird geschrieben...").arg(done + 1).arg(total));
        progress->setValue(static_cast<int>(done));
        QCoreApplication::processEvents();
        return !progress->wasCanceled();
    };

    TimeImportForm::Outcome outcome;
    try {
        // No wait cursor: the run asks questions and shows windows, and the writing phase shows
        // its progress.
        outcome = form_.import(environment);
    } catch (const LorvanError& failure) {
        desktop_.prompter().error(failure.what());
        return;
    }
    progress.reset();
    if (outcome.focus) {
        if (*outcome.focus == TimeImportField::File)
            file_->setFocus();
        else
            protocol_->setFocus();
        return;
    }
    if (outcome.closes()) QDialog::accept();
}

} // namespace lorvan
