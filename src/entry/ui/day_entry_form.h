#pragma once

#include "entry/day_entry.h"

#include <QWidget>

#include <string>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QHBoxLayout;
class QLineEdit;
class QMessageBox;
class QPushButton;
class QTreeWidget;

namespace lorvan {

// The fields, the time line list and the time commands of one day, as the day entry window and the
// quick entry of a day show them. The form only maps its widgets to the DayEntry: every edit goes to
// the entry at once, every command runs there, and afterwards the form shows what the entry holds.
// What the entry does not offer in its mode ("Nicht beschäftigt", fill-until, "Geprüft /
// Abgeschlossen") is not shown.
class DayEntryForm final : public QWidget {
    Q_OBJECT
  public:
    DayEntryForm(DayEntry& entry, TimeLineEditor editor, QWidget* parent = nullptr);

    DayEntry& entry() const { return *entry_; }
    // Shows the entry's fields and lines and selects line `selected` (-1: none); a closed month
    // disables every control that changes data.
    void load(int selected = -1);
    // The list index of the selected line; -1 without selection.
    int selectedLine() const;
    QTreeWidget* timeList() const { return list_; }

    // A button of the window or dialog in the row at the bottom right ("&Speichern", "Abbrechen",
    // ...); one that changes data is disabled in a closed month like the form's own controls.
    QPushButton* addClosingButton(const QString& text, bool changesData);

    // "In &Fahrtenbuch übertragen..." is offered only where a vehicle file exists.
    void setLogbookTransferEnabled(bool enabled);

  signals:
    // "Tageszettel &drucken" saved the day into the year file.
    void savedForTransfer();
    // "In &Fahrtenbuch übertragen..." saved the day into the year file.
    void savedForLogbook();

  private:
    void buildFields();
    void buildList();
    void connectFields();
    // Runs a time command on the selected line and shows the list again with the line it names.
    void runLineCommand(EntryResult (DayEntry::*command)(int index, const TimeLineEditor& editor, int* selected));
    void deleteLine();
    void runDayCommand(EntryResult (DayEntry::*command)());
    void printDaySheet();
    void transferToLogbook();
    void fillList(int selected);

    DayEntry* entry_;
    TimeLineEditor editor_;
    QLineEdit* nameField_ = nullptr;
    QLineEdit* titleField_ = nullptr;
    QLineEdit* furtherField_ = nullptr;
    QCheckBox* publicHoliday_ = nullptr;
    QButtonGroup* kinds_ = nullptr;
    QLineEdit* fillUntil_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QCheckBox* complete_ = nullptr;
    QLineEdit* reportRemark_ = nullptr;
    QLineEdit* internalRemark_ = nullptr;
    QCheckBox* checkedAndClosed_ = nullptr;
    QHBoxLayout* closingRow_ = nullptr;
    QPushButton* logbookButton_ = nullptr;
    bool logbookAvailable_ = false;
    // Everything a closed month disables.
    std::vector<QWidget*> changing_;
};

// The working-time law notes of a saved day as one information message that does not wait for the
// user (it closes itself when dismissed); nullptr when there are no notes.
QMessageBox* showWorkingTimeNotes(QWidget* parent, const std::vector<std::string>& notes);

} // namespace lorvan
