#pragma once

#include "entry/day_entry.h"
#include "gui/common/document_view.h"

#include <cstdint>
#include <memory>

class QCloseEvent;
class QPushButton;

namespace lorvan {

class DayEntryForm;

// What a day entry window needs from the desktop.
struct DayViewServices {
    Prompter* prompter = nullptr; // required
    MonthClosedRule monthClosed;
    // Writes the year file; the day entry saves through it at once.
    YearFileSaver save;
    // The time-line dialog "Arbeitszeit eingeben".
    TimeLineEditor editor;
    // The text of a customer entry in the list (a customer number shows that customer's text).
    CustomerTextFunction customerText;
    // The parent of the working-time law notes shown after a save (they outlive the window).
    QWidget* messageParent = nullptr;
};

// The day entry window of one day of a year file: the day entry form with "&Speichern",
// "&Speichern + Schliessen" and "Abbrechen". It works on a copy of the day; "&Speichern" writes the
// year file at once. Closing with unsaved changes asks whether to save them.
class CTagView final : public DocumentView {
    Q_OBJECT
  public:
    CTagView(std::shared_ptr<OpenYearFile> file, CTagDoc& day, DayViewServices services,
             QWidget* parent = nullptr);

    int32_t month() const override;
    int32_t dayNumber() const override;
    ActiveView viewKind() const override { return ActiveView::DayView; }
    // "&Drucken - Tageszettel..." and "Sei&tenansicht - Tageszettel...".
    MenuBarKind menuBarKind() const override { return MenuBarKind::DayView; }
    int helpTopic() const override;
    QSize designedSize() const override { return designedSize_; }
    QWidget* focusTarget() override;

    DayEntry& entry() { return entry_; }
    DayEntryForm* form() const { return form_; }
    QPushButton* saveButton() const { return saveButton_; }

    // "&Speichern": true when the day is in the year file on disk; the notes on the working time
    // follow as a message that does not wait.
    bool save();

  signals:
    // The day reached the year file (by "&Speichern" or before the day sheet): the other views of
    // the file show it.
    void saved();
    // "Tageszettel &drucken" saved the day: its day sheet is to be printed now.
    void daySheetRequested();
    // "In &Fahrtenbuch übertragen..." saved the day: the trip assistant is to open for it now.
    void logbookTransferRequested();

  protected:
    // With unsaved changes: the question whether to save them; Cancel, or a failed save, keeps the
    // window open.
    void closeEvent(QCloseEvent* event) override;

  private:
    DayEntry entry_;
    QWidget* messageParent_;
    DayEntryForm* form_;
    QPushButton* saveButton_;
    QSize designedSize_;
};

} // namespace lorvan
