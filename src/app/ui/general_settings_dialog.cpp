#include "app/ui/general_settings_dialog.h"

#include "gui/common/qt_platform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace lorvan {

namespace {

// The texts hold CR LF; the text field shows plain line breaks.
QString fromStored(const std::string& text) {
    QString shown = toQt(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

std::string toStored(const QString& shown) {
    QString text = shown;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return fromQt(text);
}

} // namespace

GeneralSettingsDialog::GeneralSettingsDialog(CLorvanApp& app, const UserEnvironment& environment,
                                             Prompter& prompter, QWidget* parent)
    : QDialog(parent), form_(app, environment), prompter_(prompter) {
    setWindowTitle(QStringLiteral("Allgemeine Einstellungen"));
    // Room for the note texts beside their thresholds.
    setMinimumWidth(720);
    auto* layout = new QGridLayout(this);
    int row = 0;
    layout->addWidget(new QLabel(QStringLiteral("Datenverzeichnis:")), row, 0);
    dataDirectory_ = new QLineEdit;
    dataDirectory_->setReadOnly(true);
    dataDirectory_->setMaxLength(static_cast<int>(GeneralSettingsForm::kMaxPathLength));
    layout->addWidget(dataDirectory_, row, 1, 1, 2);
    browseDataDirectory_ = new QPushButton(QStringLiteral("Du&rchsuchen..."));
    layout->addWidget(browseDataDirectory_, row++, 3);
    layout->addWidget(new QLabel(QStringLiteral("Logo:")), row, 0);
    logoFile_ = new QLineEdit;
    logoFile_->setMaxLength(static_cast<int>(GeneralSettingsForm::kMaxPathLength));
    layout->addWidget(logoFile_, row, 1, 1, 2);
    auto* browseLogo = new QPushButton(QStringLiteral("D&urchsuchen..."));
    layout->addWidget(browseLogo, row++, 3);
    printTexts_ = new QCheckBox(
        QStringLiteral("Sollen zusätzliche Hinweise auf die Monatsauswertung gedruckt werden?"));
    layout->addWidget(printTexts_, row++, 0, 1, 4);
    layout->addWidget(new QLabel(QStringLiteral("Hinweis am Ende")), row, 0, Qt::AlignTop);
    monthReportText_ = new QPlainTextEdit;
    monthReportText_->setMaximumHeight(90);
    layout->addWidget(monthReportText_, row++, 1, 1, 3);
    layout->addWidget(new QLabel(QStringLiteral("Hinweis bei Überschreiten der Arbeitszeit von")), row, 0);
    overtimeHours_ = new QDoubleSpinBox;
    overtimeHours_->setDecimals(0);
    overtimeHours_->setRange(0, 9999);
    overtimeHours_->setSuffix(QStringLiteral(" Std."));
    layout->addWidget(overtimeHours_, row, 1);
    overtimeText_ = new QLineEdit;
    layout->addWidget(overtimeText_, row++, 2, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("Hinweis bei mehr als")), row, 0);
    sicknessDays_ = new QDoubleSpinBox;
    sicknessDays_->setDecimals(0);
    sicknessDays_->setRange(0, 366);
    sicknessDays_->setSuffix(QStringLiteral(" Kranktagen"));
    layout->addWidget(sicknessDays_, row, 1);
    sicknessText_ = new QLineEdit;
    layout->addWidget(sicknessText_, row++, 2, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("Monate abgeschlossen bis einschließlich ")), row, 0);
    monthClosing_ = new QLineEdit;
    monthClosing_->setMaximumWidth(90);
    layout->addWidget(monthClosing_, row++, 1);
    temporaryRelease_ = new QCheckBox(QStringLiteral("Daten temporär zur Bearbeitung freigeben"));
    layout->addWidget(temporaryRelease_, row++, 0, 1, 4);
    layout->addWidget(new QLabel(QStringLiteral("Export nach")), row, 0);
    spreadsheet_ = new QComboBox;
    spreadsheet_->addItem(QString::fromUtf8(spreadsheetProgramName(SpreadsheetProgram::Excel)));
    spreadsheet_->addItem(QString::fromUtf8(spreadsheetProgramName(SpreadsheetProgram::Calc)));
    layout->addWidget(spreadsheet_, row++, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    layout->addWidget(buttons, row, 0, 1, 4);
    layout->setColumnStretch(2, 1);
    // Names for tests and accessibility tools.
    dataDirectory_->setObjectName(QStringLiteral("dataDirectory"));
    logoFile_->setObjectName(QStringLiteral("logoFile"));
    printTexts_->setObjectName(QStringLiteral("printTexts"));
    overtimeText_->setObjectName(QStringLiteral("overtimeText"));
    monthClosing_->setObjectName(QStringLiteral("monthClosing"));
    spreadsheet_->setObjectName(QStringLiteral("spreadsheet"));

    connect(buttons, &QDialogButtonBox::accepted, this, &GeneralSettingsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &GeneralSettingsDialog::reject);
    connect(browseDataDirectory_, &QPushButton::clicked, this, &GeneralSettingsDialog::browseDataDirectory);
    connect(browseLogo, &QPushButton::clicked, this, &GeneralSettingsDialog::browseLogo);
    connect(printTexts_, &QCheckBox::clicked, this, [this](bool on) {
        takeValues();
        form_.setPrintTexts(on);
        showValues();
    });
    showValues();
}

int GeneralSettingsDialog::exec() {
    if (form_.proposesDataDirectory())
        QTimer::singleShot(0, this, &GeneralSettingsDialog::browseDataDirectory);
    return QDialog::exec();
}

void GeneralSettingsDialog::showValues() {
    const ProgramSettings& values = form_.values();
    dataDirectory_->setText(toQt(form_.dataDirectory()));
    browseDataDirectory_->setEnabled(form_.canBrowseDataDirectory());
    logoFile_->setText(toQt(values.logoFile));
    printTexts_->setChecked(values.printMonthReportTexts);
    monthReportText_->setPlainText(fromStored(values.monthReportText));
    overtimeHours_->setValue(values.overtimeThresholdHours);
    overtimeText_->setText(toQt(values.overtimeNoteText));
    sicknessDays_->setValue(values.sicknessThresholdDays);
    sicknessText_->setText(toQt(values.sicknessNoteText));
    monthClosing_->setText(toQt(values.monthClosing));
    temporaryRelease_->setChecked(values.temporaryRelease);
    spreadsheet_->setCurrentIndex(form_.spreadsheetProgram() == SpreadsheetProgram::Calc ? 1 : 0);
}

void GeneralSettingsDialog::takeValues() {
    form_.setLogoFile(fromQt(logoFile_->text()));
    ProgramSettings& values = form_.values();
    values.printMonthReportTexts = printTexts_->isChecked();
    values.monthReportText = toStored(monthReportText_->toPlainText());
    values.overtimeThresholdHours = overtimeHours_->value();
    values.overtimeNoteText = fromQt(overtimeText_->text());
    values.sicknessThresholdDays = sicknessDays_->value();
    values.sicknessNoteText = fromQt(sicknessText_->text());
    values.monthClosing = fromQt(monthClosing_->text().trimmed());
    values.temporaryRelease = temporaryRelease_->isChecked();
    form_.setSpreadsheetProgram(spreadsheet_->currentIndex() == 1 ? SpreadsheetProgram::Calc
                                                                  : SpreadsheetProgram::Excel);
}

void GeneralSettingsDialog::browseDataDirectory() {
    const std::optional<std::string> chosen = runIoSelect(this, form_.dataDirectorySelection());
    if (!chosen) return;
    takeValues();
    form_.chooseDataDirectory(*chosen);
    showValues();
}

void GeneralSettingsDialog::browseLogo() {
    const std::optional<std::string> chosen = runIoSelect(this, form_.logoSelection());
    if (!chosen) return;
    takeValues();
    form_.setLogoFile(*chosen);
    showValues();
}

void GeneralSettingsDialog::accept() {
    takeValues();
    switch (form_.confirm(prompter_)) {
    case GeneralSettingsField::None:
        QDialog::accept();
        return;
    case GeneralSettingsField::DataDirectory:
        browseDataDirectory_->setFocus();
        return;
    case GeneralSettingsField::LogoFile:
        logoFile_->setFocus();
        return;
    case GeneralSettingsField::MonthClosing:
        monthClosing_->setFocus();
        return;
    case GeneralSettingsField::SpreadsheetProgram:
        spreadsheet_->setFocus();
        return;
    }
}

} // namespace lorvan
