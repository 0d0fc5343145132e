#pragma once

#include "foundation/datum.h"
#include "gui/common/document_view.h"

#include <QIcon>

#include <functional>
#include <memory>
#include <string>

class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTreeWidget;

namespace lorvan {

// The small icon of a status category 0-8 in the month view's list.
QIcon statusIcon(int32_t category);

// What the year and month views share: caption, name and year (or month) fields, the list, the
// proposal field with "A&nlegen", "&Speichern + Schliessen" and "Abbrechen".
class FileListView : public DocumentView {
    Q_OBJECT
  public:
    QTreeWidget* list() const { return list_; }
    QLineEdit* proposalField() const { return proposalField_; }
    QPushButton* createButton() const { return createButton_; }
    QPushButton* saveAndCloseButton() const { return saveAndCloseButton_; }
    // What the view says about the number in the proposal field (month view: the date or why it
    // cannot be created).
    QLabel* proposalText() const { return proposalText_; }
    // The number kept with the selected row; 0 without selection.
    int32_t selectedNumber() const;
    // Selects the row of that number (none when there is no such row).
    void selectNumber(int32_t number);
    virtual void refresh() = 0;
    // The size the view is laid out for. A larger window grows the list by the extra width and
    // height and moves what stands right of or below it by the same amounts; a smaller one moves
    // nothing (the view scrolls).
    QSize designedSize() const override { return designedSize_; }
    QWidget* focusTarget() override;
    // The list's context menu "Liste" (the caller owns it); nullptr where none is offered.
    virtual QMenu* createListMenu();
    // The owner or year may have changed in the file's settings: the fields and the title follow.
    void settingsChanged() override { showOwner(); }

  signals:
    // Double-click or Enter on a row.
    void entryActivated(int32_t number);
    // "Aktuell ausgewählten Eintrag &löschen" in the list menu.
    void deleteRequested();
    // "A&nlegen" with the number in the proposal field.
    void createRequested();
    // "&Speichern + Schliessen".
    void saveAndCloseRequested();

  protected:
    FileListView(std::shared_ptr<OpenYearFile> file, const QString& secondFieldText,
                 const QString& proposalLabel, QWidget* parent);
    void setDesignedSize(QSize size);
    // The owner's name field and the window title from the file's settings.
    virtual void showOwner();
    // Whether "Aktuell ausgewählten &Eintrag öffnen..." and "… &löschen" work on this view's rows.
    virtual bool opensEntries() const { return true; }
    virtual bool deletesEntries() const { return false; }
    QLineEdit* nameField_;
    QLineEdit* secondField_;
    QTreeWidget* list_;
    QLineEdit* proposalField_;
    QLabel* proposalText_;
    QPushButton* createButton_;
    QPushButton* saveAndCloseButton_;
    QWidget* content_;
    QSize designedSize_;
};

// The year view of a year file: "Angelegte Monate".
class CLorvanView final : public FileListView {
    Q_OBJECT
  public:
    CLorvanView(std::shared_ptr<OpenYearFile> file, const Datum& today, QWidget* parent = nullptr);
    void refresh() override;
    ActiveView viewKind() const override { return ActiveView::YearView; }
    int helpTopic() const override;

  protected:
    void showOwner() override;
    // Months open in their month view and are deleted here.
    bool deletesEntries() const override { return true; }

  private:
    Datum today_;
};

// The month view of one month: "Angelegte Tage" with "Info".
class CMonatView final : public FileListView {
    Q_OBJECT
  public:
    // monthClosed tells whether the month is closed now: a view follows a month closing made while
    // it is open.
    CMonatView(std::shared_ptr<OpenYearFile> file, int32_t month, const Datum& today,
               std::function<bool()> monthClosed, QWidget* parent = nullptr);
    int32_t month() const override { return month_; }
    int32_t dayNumber() const override { return selectedNumber(); }
    bool isClosed() const { return monthClosed_(); }
    void refresh() override;
    QMenu* createListMenu() override;
    ActiveView viewKind() const override { return ActiveView::MonthView; }
    int helpTopic() const override;
    void settingsChanged() override {
        FileListView::settingsChanged();
        applyClosedState();
    }

  protected:
    void showOwner() override;
    // Days open in the day entry window and are deleted here.
    bool opensEntries() const override { return true; }
    bool deletesEntries() const override { return true; }

  private:
    // In a closed month nothing may be created or saved.
    void applyClosedState();
    // The text beside the number in "Nächster Tag" while it is typed.
    void showDayNumberText();
    int32_t month_;
    Datum today_;
    std::function<bool()> monthClosed_;
};

} // namespace lorvan
