#pragma once

#include "entry/quick_entry.h"
#include "entry/ui/entry_commands.h"

#include <QDialog>

#include <map>

class QCheckBox;
class QDateEdit;
class QPushButton;
class QTreeWidget;

namespace lorvan {

class Desktop;

// "Schnellerfassung": the dates "Tag" and "bis", the lists "Mögliche Mitarbeiter" and "Ausgewählte
// Mitarbeiter" with ">>", ">", "<", "<<", "nur aktive Mitarbeiter anzeigen" and "&Zeiten erfassen...".
// The QuickEntry model decides; the dialog maps the widgets to it. The year files of open windows
// are changed and saved in those windows' documents, which then show the new days.
class QuickEntryDialog final : public QDialog {
    Q_OBJECT
  public:
    QuickEntryDialog(Desktop& desktop, const std::map<int32_t, CMitarbeiterDoc>& employees,
                     QuickEntryDayDialog dayDialog, QWidget* parent = nullptr);

    QuickEntry& model() { return model_; }
    QDateEdit* fromField() const { return from_; }
    QDateEdit* toField() const { return to_; }
    QTreeWidget* possibleList() const { return possible_; }
    QTreeWidget* selectedList() const { return selected_; }
    QCheckBox* onlyActiveBox() const { return onlyActive_; }
    QPushButton* enterTimesButton() const { return enterTimes_; }

  private:
    void fillLists();
    std::vector<int32_t> markedNumbers(const QTreeWidget* list) const;
    void enterTimes();

    Desktop& desktop_;
    QuickEntry model_;
    QuickEntryDayDialog dayDialog_;
    QDateEdit* from_;
    QDateEdit* to_;
    QTreeWidget* possible_;
    QTreeWidget* selected_;
    QCheckBox* onlyActive_;
    QPushButton* enterTimes_;
};

} // namespace lorvan
