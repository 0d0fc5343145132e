#pragma once

#include "import/time_import_form.h"
#include "import/ui/import_commands.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace lorvan {

class Desktop;

// "Arbeitszeiten importieren": shows the fields of TimeImportForm and lets it decide. While the
// year files are written a progress window counts them; its "Abbrechen" stops before the next file,
// so every file is either untouched or fully written. The protocol window shows what happened; the
// dialog closes after a run without errors.
class TimeImportDialog final : public QDialog {
    Q_OBJECT
  public:
    TimeImportDialog(Desktop& desktop, const ImportWindows& windows, QWidget* parent = nullptr);

    TimeImportForm& form() { return form_; }
    QCheckBox* absencesBox() const { return absences_; }
    QCheckBox* companyLayoutBox() const { return companyLayout_; }
    QLineEdit* fileField() const { return file_; }
    QCheckBox* skipFirstLineBox() const { return skipFirstLine_; }
    QCheckBox* keepExistingBox() const { return keepExisting_; }
    QCheckBox* logAllBox() const { return logAll_; }
    QLineEdit* protocolField() const { return protocol_; }

    // "&Importieren".
    void accept() override;

  private:
    void showValues();
    void takeValues();
    void browseFile();
    void browseProtocol();

    Desktop& desktop_;
    const ImportWindows& windows_;
    TimeImportForm form_;
    QCheckBox* absences_;
    QCheckBox* companyLayout_;
    QLineEdit* file_;
    QCheckBox* skipFirstLine_;
    QCheckBox* keepExisting_;
    QCheckBox* logAll_;
    QLineEdit* protocol_;
};

} // namespace lorvan
