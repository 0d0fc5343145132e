#pragma once

#include "gui/common/document_view.h"
#include "masterdata/employee_flows.h"
#include "masterdata/employee_list_model.h"

#include <QDialog>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTreeWidget;

namespace lorvan {

class Desktop;
class EmployeeList;

// The list of employees as "Mitarbeiter verwalten" and "Mitarbeiter auswählen" show it: the model's
// columns at their widths, whole rows, a click on a header sorts by that column.
class EmployeeListWidget final : public QWidget {
    Q_OBJECT
  public:
    EmployeeListWidget(const std::map<int32_t, CMitarbeiterDoc>& employees, const Clock& clock,
                       QWidget* parent = nullptr);

    EmployeeListModel& model() { return model_; }
    QTreeWidget* list() const { return list_; }
    QCheckBox* onlyActiveBox() const { return onlyActive_; }
    // Fills the rows from the model again (after refill or sorting) with the model's selection.
    void showRows();
    std::optional<int32_t> selectedNumber() const { return model_.selectedNumber(); }
    // The width of all columns plus the list's frame and scroll bar.
    int naturalWidth() const;

  signals:
    // Double-click or Enter on a row.
    void rowActivated();
    void deleteRequested();
    void selectionChanged();

  private:
    EmployeeListModel model_;
    QTreeWidget* list_;
    QCheckBox* onlyActive_;
    bool filling_ = false;
};

// "Mitarbeiter bearbeiten": maps its widgets to the dialog model, which proposes the dates and
// checks "&OK".
class EmployeeEditDialog final : public QDialog {
    Q_OBJECT
  public:
    EmployeeEditDialog(EmployeeDialog& model, Prompter& prompter, QWidget* parent = nullptr);

    QLineEdit* numberField() const { return number_; }
    QLineEdit* nameField() const { return name_; }
    QLineEdit* extraInfoField() const { return extraInfo_; }
    QLineEdit* departmentField() const { return department_; }
    QDateEdit* entryPicker() const { return entry_; }
    QCheckBox* probationBox() const { return probation_; }
    QDateEdit* probationEndPicker() const { return probationEnd_; }
    QLabel* probationEndLabel() const { return probationEndLabel_; }
    QCheckBox* exitBox() const { return exit_; }
    QDateEdit* exitPicker() const { return exitDate_; }
    QLabel* exitLabel() const { return exitLabel_; }
    QCheckBox* activeBox() const { return active_; }
    QPushButton* okButton() const { return ok_; }

    // "&OK": the fields go to the model; a refused check puts the focus on its field and the dialog
    // stays open.
    void accept() override;

  private:
    void takeFields();
    void showDates();

    EmployeeDialog& model_;
    Prompter& prompter_;
    QLineEdit* number_;
    QLineEdit* name_;
    QLineEdit* extraInfo_;
    QLineEdit* department_;
    QDateEdit* entry_;
    QCheckBox* probation_;
    QLabel* probationEndLabel_;
    QDateEdit* probationEnd_;
    QCheckBox* exit_;
    QLabel* exitLabel_;
    QDateEdit* exitDate_;
    QCheckBox* active_;
    QPushButton* ok_;
};

// Shows "Mitarbeiter bearbeiten" for the flows, modal over the parent.
class QtEmployeeDialogHost final : public EmployeeDialogHost {
  public:
    QtEmployeeDialogHost(QWidget* parent, Prompter& prompter) : parent_(parent), prompter_(prompter) {}
    bool show(EmployeeDialog& dialog) override;

  private:
    QWidget* parent_;
    Prompter& prompter_;
};

// "Mitarbeiter auswählen": the list with "nur aktive Mitarbeiter anzeigen", "OK" and "Abbrechen".
class EmployeeSelectDialog final : public QDialog {
    Q_OBJECT
  public:
    EmployeeSelectDialog(const std::map<int32_t, CMitarbeiterDoc>& employees, const Clock& clock,
                         QWidget* parent = nullptr);
    EmployeeListWidget* listWidget() const { return list_; }
    // The employee chosen with OK.
    std::optional<int32_t> chosen() const { return chosen_; }
    // OK without a selected row only beeps.
    void accept() override;

  private:
    const std::map<int32_t, CMitarbeiterDoc>& employees_;
    EmployeeListWidget* list_;
    std::optional<int32_t> chosen_;
};

// Shows "Mitarbeiter auswählen" on the cached list; the chosen employee's name, or the empty text
// when the dialog was cancelled (or the list cannot be read: the message shown).
std::string selectEmployee(QWidget* parent, EmployeeList& employees, const Clock& clock, Prompter& prompter);

// "Mitarbeiter verwalten": the window on the employee file "Daten.mar" with its own copy of it.
class EmployeeWindow final : public DocumentView {
    Q_OBJECT
  public:
    // Loads the file; loaded() tells whether that worked (the message shown otherwise).
    EmployeeWindow(Desktop& desktop, QWidget* parent = nullptr);

    bool loaded() const { return loaded_; }
    ActiveView viewKind() const override { return ActiveView::Other; }
    MenuBarKind menuBarKind() const override { return MenuBarKind::EmployeeFile; }
    int helpTopic() const override;
    QSize designedSize() const override { return designedSize_; }
    QWidget* focusTarget() override;
    std::string documentPath() const override { return management_.filePath(); }

    // The list commands "Aktuell ausgewählten &Eintrag öffnen..." (edit) and "… &löschen".
    bool servesCommand(MenuCommand command) const override;
    void runOwnCommand(MenuCommand command) override;
    // The evaluation commands of a year file act on the selected employee's year file for "Jahr".
    bool relaysCommands() const override { return list_->selectedNumber().has_value(); }
    DocumentView* relayTarget() override;

    EmployeeManagement& management() { return management_; }
    EmployeeListWidget* listWidget() const { return list_; }
    QLineEdit* yearField() const { return year_; }
    QPushButton* editButton() const { return edit_; }
    QPushButton* newButton() const { return new_; }
    QPushButton* openButton() const { return open_; }
    QPushButton* saveAndCloseButton() const { return saveAndClose_; }
    QPushButton* cancelButton() const { return cancel_; }

    void createEmployee();
    void editSelected();
    void deleteSelected();
    // "Arbeits&zeitdatei öffnen...": the year view of the selected employee for "Jahr"; nullptr when
    // nothing opened.
    DocumentView* openSelectedYearFile();
    void saveAndClose();
    // The context menu "Liste" with the two list commands (the caller owns it).
    QMenu* createListMenu();

  protected:
    // With changes, the question whether to save them; Cancel keeps the window.
    void closeEvent(QCloseEvent* event) override;

  private:
    void refill(std::optional<int32_t> select);
    // "Jahr" into the model; a year outside 1990 to 9999 is refused and the field shows the year.
    bool takeYear();
    void closeWindow();

    Desktop& desktop_;
    EmployeeManagement management_;
    bool loaded_ = false;
    EmployeeListWidget* list_;
    QLineEdit* year_;
    QPushButton* edit_;
    QPushButton* new_;
    QPushButton* open_;
    QPushButton* saveAndClose_;
    QPushButton* cancel_;
    QWidget* content_;
    QSize designedSize_;
};

} // namespace lorvan
