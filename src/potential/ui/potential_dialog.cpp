#include "potential/ui/potential_dialog.h"

#include "app/application.h"
#include "app/help_topics.h"
#include "app/report_settings.h"
#include "foundation/error.h"
#include "gui/common/desktop.h"
#include "gui/common/help_window.h"
#include "gui/common/qt_platform.h"
#include "output/spreadsheet_launch.h"
#include "platform/prompter.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <filesystem>
#include <functional>

namespace lorvan {
namespace {

// Runs the work with the wait cursor shown.
template <typename Work> auto withWaitCursor(Work work) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct Restore {
        ~Restore() { QApplication::restoreOverrideCursor(); }
    } restore;
    return work();
}

QLabel* explanation(const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

PotentialAnalysisDialog::PotentialAnalysisDialog(Desktop& desktop, std::vector<CMitarbeiterDoc> employees,
                                                 QWidget* parent)
    : QDialog(parent), desktop_(desktop),
      form_(PotentialSource{desktop.app().dataDirectory(), std::move(employees)}, desktop.app().store(),
            desktop.prompter(), desktop.clock()) {
    setWindowTitle(QString::fromUtf8(kPotentialDialogTitle));
    auto* layout = new QGridLayout(this);
    int row = 0;
    auto addLine = [&](const char* label, const std::string& value, PotentialField browseField) {
        auto* edit = new QLineEdit(toQt(value), this);
        auto* text = new QLabel(QString::fromUtf8(label), this);
        text->setBuddy(edit);
        layout->addWidget(text, row, 0);
        layout->addWidget(edit, row, 1);
        if (browseField != PotentialField::None) {
            auto* browse = new QPushButton(QStringLiteral("Du&rchsuchen..."), this);
            browse->setAutoDefault(false);
            connect(browse, &QPushButton::clicked, this, [this, browseField] { this->browse(browseField); });
            layout->addWidget(browse, row, 2);
        }
        ++row;
        return edit;
    };
    weekFrom_ = addLine("Woche &von", form_.weekFrom, PotentialField::None);
    weekTo_ = addLine("&bis", form_.weekTo, PotentialField::None);
    weekFrom_->setPlaceholderText(QStringLiteral("WW/JJJJ"));
    weekTo_->setPlaceholderText(QStringLiteral("WW/JJJJ"));
    layout->addWidget(explanation("Die drei Dateien sind Exporte von Excel-Tabellen im CSV-Format (Felder durch "
                                  "Semikolon getrennt). Jede Datei darf leer bleiben.",
                                  this),
                      row++, 0, 1, 3);
    pzeFile_ = addLine("Auswertungsdatei &PZE/BDE", form_.pzeFile, PotentialField::PzeFile);
    machineFile_ = addLine("Auswertung &Maschine-Mitarbeiter", form_.machineFile, PotentialField::MachineFile);
    layout->addWidget(explanation("Die Datei Maschine-Mitarbeiter ist die der Woche von; ihr Name muss mit der "
                                  "Kalenderwoche und \".csv\" enden (z. B. KW05.csv). Die Dateien der folgenden "
                                  "Wochen werden daraus bestimmt.",
                                  this),
                      row++, 0, 1, 3);
    misconductFile_ = addLine("&Indexdatei mit Fehlverhalten", form_.misconductFile, PotentialField::MisconductFile);
    layout->addWidget(explanation("Bei einem Jahreswechsel muss der Datei- oder Verzeichnisname die vierstellige "
                                  "Jahreszahl der Woche von enthalten, damit der Name für das folgende Jahr daraus "
                                  "bestimmt werden kann.",
                                  this),
                      row++, 0, 1, 3);

    hazard_ = new QPushButton(QStringLiteral("&Gefahrenhinweis..."), this);
    workingTimes_ = new QPushButton(QStringLiteral("&Arbeitszeiten..."), this);
    for (QPushButton* button : {hazard_, workingTimes_})
        button->setAutoDefault(false);
    connect(hazard_, &QPushButton::clicked, this, [this] {
        QtWebBrowser browser;
        form_.showHazardNotice(browser);
    });
    connect(workingTimes_, &QPushButton::clicked, this, &PotentialAnalysisDialog::listWorkingTimes);
    ok_ = new QPushButton(QStringLiteral("Potentialanalyse"), this);
    ok_->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    cancel->setAutoDefault(false);
    connect(ok_, &QPushButton::clicked, this, &PotentialAnalysisDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &PotentialAnalysisDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(hazard_);
    buttons->addWidget(workingTimes_);
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    layout->addLayout(buttons, row, 0, 1, 3);
    layout->setColumnMinimumWidth(1, 380);
    addHelpShortcut(this, kHelpPotentialAnalysis);
}

QLineEdit* PotentialAnalysisDialog::field(PotentialField field) const {
    switch (field) {
    case PotentialField::WeekFrom:
        return weekFrom_;
    case PotentialField::WeekTo:
        return weekTo_;
    case PotentialField::PzeFile:
        return pzeFile_;
    case PotentialField::MachineFile:
        return machineFile_;
    case PotentialField::MisconductFile:
        return misconductFile_;
    case PotentialField::None:
        break;
    }
    return nullptr;
}

void PotentialAnalysisDialog::readFields() {
    form_.weekFrom = fromQt(weekFrom_->text());
    form_.weekTo = fromQt(weekTo_->text());
    form_.pzeFile = fromQt(pzeFile_->text());
    form_.machineFile = fromQt(machineFile_->text());
    form_.misconductFile = fromQt(misconductFile_->text());
}

void PotentialAnalysisDialog::focusField() {
    if (QLineEdit* edit = field(form_.focus())) {
        edit->setFocus();
        edit->selectAll();
    }
}

void PotentialAnalysisDialog::browse(PotentialField which) {
    readFields();
    if (const auto chosen = runIoSelect(this, form_.fileSelection(which, std::filesystem::current_path().string())))
        field(which)->setText(toQt(*chosen));
}

void PotentialAnalysisDialog::exportTable(const CReportTable& table) {
    lorvan::exportTable(table, form_.exportTitle(),
                        SpreadsheetTarget{storedSpreadsheetProgram(desktop_.app().store()), desktop_.exportFolder(),
                                          desktop_.runner(), desktop_.prompter()});
}

void PotentialAnalysisDialog::accept() {
    readFields();
    if (!form_.checkAnalysis()) {
        focusField();
        return;
    }
    try {
        exportTable(withWaitCursor([this] { return form_.analysis(); }));
    } catch (const LorvanError& failure) {
        desktop_.prompter().error(failure.what());
        return;
    }
    QDialog::accept();
}

void PotentialAnalysisDialog::listWorkingTimes() {
    readFields();
    if (!form_.checkWorkingTimes()) {
        focusField();
        return;
    }
    try {
        exportTable(withWaitCursor([this] { return form_.workingTimes(); }));
    } catch (const LorvanError& failure) {
        desktop_.prompter().error(failure.what());
    }
}

void runPotentialAnalysis(Desktop& desktop, QWidget* parent, const std::vector<CMitarbeiterDoc>& employees) {
    PotentialAnalysisDialog dialog(desktop, employees, parent);
    dialog.exec();
}

} // namespace lorvan
