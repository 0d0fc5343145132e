#pragma once

#include "logbook/preset_dialogs.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QTreeWidget;

namespace lorvan {

class LogbookWordLists;
class Prompter;

// "Vorbesetzung definieren" on its plain dialog: the fields map to it, OK runs its confirm.
class PresetEntryWindow final : public QDialog {
    Q_OBJECT
  public:
    PresetEntryWindow(PresetEntryDialog& dialog, Prompter& prompter, LogbookWordLists* words, QWidget* parent = nullptr);

  private:
    void accept() override;

    PresetEntryDialog& dialog_;
    Prompter& prompter_;
    LogbookWordLists* words_;
    QComboBox* kind_;
    QLineEdit* street_;
    QLineEdit* place_;
    QLineEdit* purpose_;
};

// "Vorbesetzungen festlegen": the presets of "Daten.fz" with "&Neue Vorbesetzung...", open, delete and
// "Schließen". Returns when the dialog closed; nothing opens when "Daten.fz" is missing.
void runPresetsWindow(QWidget* parent, const std::string& dataDirectory, Prompter& prompter,
                      LogbookWordLists* words);

} // namespace lorvan
