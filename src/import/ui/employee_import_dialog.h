#pragma once

#include "import/employee_import_form.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace lorvan {

class Desktop;

// "Mitarbeiter importieren": shows the fields of EmployeeImportForm and lets it decide; after a run
// the protocol window shows what happened. The dialog closes after a run without errors.
class EmployeeImportDialog final : public QDialog {
    Q_OBJECT
  public:
    explicit EmployeeImportDialog(Desktop& desktop, QWidget* parent = nullptr);

    EmployeeImportForm& form() { return form_; }
    QLineEdit* fileField() const { return file_; }
    QSpinBox* yearField() const { return year_; }

    // "&Importieren".
    void accept() override;

  private:
    void showValues();
    void takeValues();
    void browse();

    Desktop& desktop_;
    EmployeeImportForm form_;
    QLineEdit* file_;
    QSpinBox* year_;
    QCheckBox* skipFirstLine_;
    QCheckBox* onlyNew_;
    QCheckBox* logAll_;
};

} // namespace lorvan
