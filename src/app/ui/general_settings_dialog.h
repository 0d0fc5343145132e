#pragma once

#include "app/general_settings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace lorvan {

class Prompter;

// "Allgemeine Einstellungen": shows the fields of GeneralSettingsForm and lets it decide.
class GeneralSettingsDialog final : public QDialog {
    Q_OBJECT
  public:
    GeneralSettingsDialog(CLorvanApp& app, const UserEnvironment& environment, Prompter& prompter,
                          QWidget* parent = nullptr);
    GeneralSettingsForm& form() { return form_; }

    // When no data directory was chosen yet the directory selection opens at once; call after the
    // dialog is shown (exec() does it).
    int exec() override;
    void accept() override;

  private:
    void showValues();
    void takeValues();
    void browseDataDirectory();
    void browseLogo();

    GeneralSettingsForm form_;
    Prompter& prompter_;
    QLineEdit* dataDirectory_;
    QPushButton* browseDataDirectory_;
    QLineEdit* logoFile_;
    QCheckBox* printTexts_;
    QPlainTextEdit* monthReportText_;
    QDoubleSpinBox* overtimeHours_;
    QLineEdit* overtimeText_;
    QDoubleSpinBox* sicknessDays_;
    QLineEdit* sicknessText_;
    QLineEdit* monthClosing_;
    QCheckBox* temporaryRelease_;
    QComboBox* spreadsheet_;
};

} // namespace lorvan
