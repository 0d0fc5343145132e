#pragma once

#include "entry/day_entry.h"

#include <QDialog>

#include <functional>

class QWidget;

namespace lorvan {

class DayEntryForm;

// Opens the trip assistant for the quick entry's day once it is saved ("In &Fahrtenbuch
// übertragen..."); empty where there is no vehicle file (the button stays disabled).
using QuickDayLogbookTransfer = std::function<void(const CTagDoc& day)>;

// "Schnellerfassung eines Tages": the day entry form in quick mode (without fill-until, "Nicht
// beschäftigt" and "Geprüft / Abgeschlossen") with "&Speichern + Schließen" and "Abbrechen".
// "&Speichern + Schließen" saves through the entry and closes only when that succeeded; closing with
// unsaved changes asks whether to save them.
class QuickDayDialog final : public QDialog {
    Q_OBJECT
  public:
    QuickDayDialog(DayEntry& entry, const TimeLineEditor& editor, QuickDayLogbookTransfer transfer = {},
                   QWidget* parent = nullptr);
    DayEntryForm* form() const { return form_; }
    // Whether the day was saved.
    bool saved() const { return saved_; }

    // Closing by "Abbrechen", Escape or the window's button (which the dialog turns into this) asks
    // about unsaved changes.
    void reject() override;

  private:
    void saveAndClose();
    // The close question; true when the dialog may close.
    bool mayClose();

    DayEntry* entry_;
    DayEntryForm* form_;
    bool saved_ = false;
};

// Runs the dialog on the entry (a day in quick mode); true when the day was saved.
bool runQuickDayDialog(QWidget* parent, DayEntry& entry, const TimeLineEditor& editor,
                       QuickDayLogbookTransfer transfer = {});

} // namespace lorvan
