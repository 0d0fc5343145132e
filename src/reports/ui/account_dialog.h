#pragma once

#include "evaluation/account.h"
#include "evaluation/month_evaluation.h"
#include "gui/common/dialog_with_cancel.h"

#include <QDialog>

#include <string>

class QDoubleSpinBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace lorvan {

class CMonatDoc;
class Prompter;
struct OpenYearFile;

// "Arbeitszeitkonto korrigieren": the correction of one month's account in hours ("Korrektur um")
// with its comment. OK stores both in the month record (storeAccountCorrection: the month's results go
// out of date, the file needs saving).
class AccountCorrectionDialog final : public CDialogWithCancel {
    Q_OBJECT
  public:
    AccountCorrectionDialog(Prompter& prompter, CMonatDoc& month, QWidget* parent = nullptr);
    QDoubleSpinBox* correctionField() const { return correction_; }
    QLineEdit* commentField() const { return comment_; }

  protected:
    bool acceptData() override;

  private:
    CMonatDoc& month_;
    QDoubleSpinBox* correction_;
    QLineEdit* comment_;
};

// "Arbeitszeitkonto" of a year file: the account list with the carry-over, the months of the
// account and the sum, the current balance, "Korrigieren..." and "Schließen".
class AccountDialog final : public QDialog {
    Q_OBJECT
  public:
    AccountDialog(OpenYearFile& file, Prompter& prompter, QWidget* parent = nullptr);

    // False when the evaluation failed (its message was shown); the list is empty then.
    bool loaded() const { return loaded_; }
    QTreeWidget* list() const { return list_; }
    QLineEdit* balanceField() const { return balance_; }
    QPushButton* correctButton() const { return correct_; }

    // Evaluates the account anew and fills the list and the balance.
    void refresh();
    // Stores a month's correction: the month's cached results go out of date, the file needs saving
    // and the list is refreshed.
    void storeCorrection(int32_t month, double hours, const std::string& comment);

  public slots:
    // "Korrigieren...": the correction dialog for a month row, the reason on the other rows, a beep
    // without selection.
    void correctSelected();

  signals:
    // A correction was stored: the views of the file show its changed state.
    void documentChanged();

  private:
    void monthCorrected(int32_t month);

    OpenYearFile& file_;
    Prompter& prompter_;
    YearEvaluator evaluator_;
    AccountList account_;
    bool loaded_ = false;
    QTreeWidget* list_;
    QLineEdit* balance_;
    QPushButton* correct_;
};

} // namespace lorvan
