#pragma once

#include "closing/booking_export.h"
#include "closing/closing_wizard.h"

#include "gui/common/document_view.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTreeWidget;

namespace lorvan {

class Desktop;

// What the month closing takes from the windows of other subsystems; the main window wires them in.
struct ClosingWindows {
    // "Wöchentliche Potentialanalyse" for the chosen employees. The finish page offers it while the build
    // switch is set.
    std::function<void(Desktop& desktop, QWidget* parent, const std::vector<CMitarbeiterDoc>& employees)>
        potentialAnalysis;
};

// "Buchungsexport": the fields of BookingExportForm with "Du&rchsuchen..." for the three files. OK
// runs the form; the dialog closes only when the form says so.
class BookingExportDialog final : public QDialog {
    Q_OBJECT
  public:
    BookingExportDialog(BookingExportForm& form, QWidget* parent = nullptr);

    QLineEdit* field(BookingField field) const;
    QCheckBox* yearEndBox() const { return yearEnd_; }
    void accept() override;

  private:
    BookingExportForm& form_;
    QLineEdit* consultant_;
    QLineEdit* client_;
    QLineEdit* date_;
    QLineEdit* bookingFile_;
    QLineEdit* calendarFile_;
    QCheckBox* yearEnd_;
    QLineEdit* protocolFile_;
};

// "Monatsabschluss": the wizard in a window of its own on "Daten.mar", its pages on a stack with
// "< &Zurück", "&Weiter >", "&Schließen" and "Abbrechen"; every decision is MonthClosingWizard's.
class MonthClosingWindow final : public DocumentView {
    Q_OBJECT
  public:
    // Throws LorvanError when the employee file cannot be read.
    explicit MonthClosingWindow(Desktop& desktop, ClosingWindows windows = {});
    ~MonthClosingWindow() override;

    ActiveView viewKind() const override { return ActiveView::Other; }
    MenuBarKind menuBarKind() const override { return MenuBarKind::EmployeeFile; }
    int helpTopic() const override;
    QSize designedSize() const override { return {620, 420}; }
    std::string documentPath() const override { return employeeFilePath_; }

    MonthClosingWizard& wizard() { return *wizard_; }
    QStackedWidget* pages() const { return stack_; }
    QComboBox* periodList() const { return period_; }
    QLineEdit* monthField() const { return month_; }
    QPushButton* nextButton() const { return next_; }
    QPushButton* backButton() const { return back_; }
    QPushButton* closeButton() const { return close_; }
    QPushButton* potentialButton() const { return potential_; }

    // The finish page's commands.
    void exportAbsences();
    void runBookingExport();
    void printMonthEvaluations();
    void previewList(bool costs);
    void exportList(bool costs);
    void runPotentialAnalysis();

  private:
    QWidget* buildPeriodPage();
    QWidget* buildSelectionPage(bool departments);
    QWidget* buildFinishPage();
    void readPeriodPage();
    void showPage();
    void fillLists();
    void goNext();
    void goBack();
    void finish();

    Desktop& desktop_;
    std::string employeeFilePath_;
    ClosingWindows windows_;
    std::unique_ptr<MonthClosingWizard> wizard_;
    QLabel* caption_;
    QStackedWidget* stack_;
    QComboBox* period_;
    QLineEdit* month_;
    QRadioButton* all_;
    QRadioButton* byEmployee_;
    QRadioButton* byDepartment_;
    QCheckBox* onlyActive_;
    QTreeWidget* possibleDepartments_;
    QTreeWidget* selectedDepartments_;
    QTreeWidget* possibleEmployees_;
    QTreeWidget* selectedEmployees_;
    QLineEdit* monthSummary_;
    QLineEdit* employeeSummary_;
    QCheckBox* onlyMissing_;
    QPushButton* back_;
    QPushButton* next_;
    QPushButton* close_;
    QPushButton* potential_;
};

// "Monats&abschluss..." of the menu "Fir&menverarbeitungen": opens the wizard's window, or activates
// the one that is open.
void registerClosingCommands(Desktop& desktop, ClosingWindows windows = {});

} // namespace lorvan
