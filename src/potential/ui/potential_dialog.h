#pragma once

#include "masterdata/employee.h"
#include "potential/potential_form.h"

#include <QDialog>

#include <vector>

class QLineEdit;
class QPushButton;

namespace lorvan {

class Desktop;

// "Wöchentliche Potentialanalyse": the fields of PotentialAnalysisForm with "Du&rchsuchen..." for the
// three files, the explaining texts, "&Gefahrenhinweis...", "&Arbeitszeiten...", "Potentialanalyse"
// (OK) and "Abbrechen". Both tables go to the spreadsheet program of the exports; OK closes the dialog
// after its export, "&Arbeitszeiten..." keeps it open.
class PotentialAnalysisDialog final : public QDialog {
    Q_OBJECT
  public:
    PotentialAnalysisDialog(Desktop& desktop, std::vector<CMitarbeiterDoc> employees, QWidget* parent = nullptr);

    PotentialAnalysisForm& form() { return form_; }
    QLineEdit* field(PotentialField field) const;
    QPushButton* hazardButton() const { return hazard_; }
    QPushButton* workingTimesButton() const { return workingTimes_; }
    QPushButton* okButton() const { return ok_; }

    // "Potentialanalyse".
    void accept() override;
    // "&Arbeitszeiten...".
    void listWorkingTimes();

  private:
    void readFields();
    void focusField();
    void browse(PotentialField field);
    void exportTable(const CReportTable& table);

    Desktop& desktop_;
    PotentialAnalysisForm form_;
    QLineEdit* weekFrom_;
    QLineEdit* weekTo_;
    QLineEdit* pzeFile_;
    QLineEdit* machineFile_;
    QLineEdit* misconductFile_;
    QPushButton* hazard_;
    QPushButton* workingTimes_;
    QPushButton* ok_;
};

// Runs the dialog for the chosen employees of the month closing.
void runPotentialAnalysis(Desktop& desktop, QWidget* parent, const std::vector<CMitarbeiterDoc>& employees);

} // namespace lorvan
