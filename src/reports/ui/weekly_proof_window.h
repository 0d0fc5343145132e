#pragma once

#include "app/menu_table.h"
#include "reports/weekly_proof_dialog.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace lorvan {

class Prompter;

// "Wochenauswertung für": the person, "Woche", "von" and "bis" with the weekday labels, and the buttons
// "&Seitenansicht", "&Druck", the export and "Beenden". The fields follow CDruckWoche; a button runs
// the report of the period, or shows why there is none and puts the focus on "Woche".
class WeeklyProofWindow final : public QDialog {
    Q_OBJECT
  public:
    using Run = std::function<void(ReportAction action, const WeeklyProofPeriod& period)>;
    // exportText: the export button's text for the chosen spreadsheet program.
    WeeklyProofWindow(CDruckWoche& model, Prompter& prompter, const std::string& exportText, Run run,
                      QWidget* parent = nullptr);

    QLineEdit* weekField() const { return week_; }
    QLineEdit* fromField() const { return from_; }
    QLineEdit* toField() const { return to_; }
    QLabel* fromLabel() const { return fromLabel_; }
    QLabel* toLabel() const { return toLabel_; }
    QPushButton* button(ReportAction action) const;

  private:
    // Shows what the model holds.
    void showModel();
    void runAction(ReportAction action);

    CDruckWoche& model_;
    Prompter& prompter_;
    Run run_;
    QLineEdit* week_;
    QLineEdit* from_;
    QLineEdit* to_;
    QLabel* fromLabel_;
    QLabel* toLabel_;
    QPushButton* preview_;
    QPushButton* print_;
    QPushButton* export_;
};

} // namespace lorvan
