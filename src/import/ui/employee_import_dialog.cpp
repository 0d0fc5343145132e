#include "import/ui/employee_import_dialog.h"

#include "app/application.h"
#include "app/help_topics.h"
#include "foundation/error.h"
#include "gui/common/desktop.h"
#include "gui/common/qt_platform.h"
#include "gui/common/help_window.h"
#include "gui/common/protocol_window.h"
#include "masterdata/employee_list_model.h"
#include "platform/prompter.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace lorvan {

namespace {

// The wait cursor for the length of a run.
class WaitCursor {
  public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

EmployeeImportDialog::EmployeeImportDialog(Desktop& desktop, QWidget* parent)
    : QDialog(parent), desktop_(desktop), form_(desktop.app().store(), desktop.clock()) {
    setWindowTitle(QStringLiteral("Mitarbeiter importieren"));
    auto* heading = new QLabel(QStringLiteral("Mitarbeiter importieren und Jahresdatei des Mitarbeiters anlegen"));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);

    file_ = new QLineEdit;
    file_->setMaxLength(static_cast<int>(EmployeeImportForm::kMaxPathLength));
    file_->setMinimumWidth(360);
    auto* browse = new QPushButton(QStringLiteral("Du&rchsuchen..."));
    year_ = new QSpinBox;
    year_->setRange(kFirstYear, 9999);
    skipFirstLine_ = new QCheckBox(QStringLiteral("Erste Zeile enthält Spaltennamen"));
    onlyNew_ = new QCheckBox(QStringLiteral("Nur neue Jahre anlegen (keine Änderung vorhandener Jahre)"));
    logAll_ = new QCheckBox(QStringLiteral("Ausführliches Protokoll"));
    auto* fileLabel = new QLabel(QStringLiteral("aus Datei"));
    fileLabel->setBuddy(file_);
    auto* yearLabel = new QLabel(QStringLiteral("Jahr anlegen"));
    yearLabel->setBuddy(year_);

    auto* grid = new QGridLayout;
    grid->addWidget(fileLabel, 0, 0);
    grid->addWidget(file_, 0, 1);
    grid->addWidget(browse, 0, 2);
    grid->addWidget(yearLabel, 1, 0);
    grid->addWidget(year_, 1, 1, Qt::AlignLeft);
    grid->addWidget(skipFirstLine_, 2, 1, 1, 2);
    grid->addWidget(onlyNew_, 3, 1, 1, 2);
    grid->addWidget(logAll_, 4, 1, 1, 2);
    grid->setColumnStretch(1, 1);

    auto* import = new QPushButton(QStringLiteral("&Importieren"));
    import->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(import);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addSpacing(8);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    // Names for tests and accessibility tools.
    file_->setObjectName(QStringLiteral("importFile"));
    year_->setObjectName(QStringLiteral("year"));
    skipFirstLine_->setObjectName(QStringLiteral("skipFirstLine"));
    onlyNew_->setObjectName(QStringLiteral("onlyNew"));
    logAll_->setObjectName(QStringLiteral("logAll"));

    connect(browse, &QPushButton::clicked, this, &EmployeeImportDialog::browse);
    connect(import, &QPushButton::clicked, this, &EmployeeImportDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &EmployeeImportDialog::reject);
    addHelpShortcut(this, kHelpEmployeeImport);
    showValues();
    file_->setFocus();
}

void EmployeeImportDialog::showValues() {
    file_->setText(toQt(form_.importFile));
    year_->setValue(form_.year);
    skipFirstLine_->setChecked(form_.skipFirstLine);
    onlyNew_->setChecked(form_.onlyNew);
    logAll_->setChecked(form_.logAll);
}

void EmployeeImportDialog::takeValues() {
    form_.importFile = fromQt(file_->text().trimmed());
    form_.year = year_->value();
    form_.skipFirstLine = skipFirstLine_->isChecked();
    form_.onlyNew = onlyNew_->isChecked();
    form_.logAll = logAll_->isChecked();
}

void EmployeeImportDialog::browse() {
    takeValues();
    const std::optional<std::string> chosen = runIoSelect(this, form_.fileSelection(desktop_.app().dataDirectory()));
    if (!chosen) return;
    form_.chooseFile(*chosen);
    showValues();
}

void EmployeeImportDialog::accept() {
    takeValues();
    CLorvanApp& app = desktop_.app();
    EmployeeImportEnvironment environment;
    environment.prompter = &desktop_.prompter();
    environment.clock = &desktop_.clock();
    environment.dataDirectory = app.dataDirectory();
    environment.processing = &app.processingFlag();
    environment.cachedList = &app.employees();
    // The windows stay painted; clicks and keys wait until the run is over.
    environment.keepResponsive = [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); };
    EmployeeImportForm::Outcome outcome;
    try {
        const WaitCursor wait;
        outcome = form_.import(environment);
    } catch (const LorvanError& failure) {
        // "Daten.mar" could not be read: nothing was imported.
        desktop_.prompter().error(failure.what());
        return;
    }
    if (outcome.focus) {
        if (*outcome.focus == EmployeeImportField::File)
            file_->setFocus();
        else
            year_->setFocus();
        return;
    }
    if (!outcome.result.protocol.empty()) showProtocol(this, outcome.result.protocol);
    if (outcome.closes()) QDialog::accept();
}

} // namespace lorvan
