#pragma once

#include "gui/common/document_view.h"
#include "query/query_wizard.h"

#include <array>
#include <memory>
#include <string>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTreeWidget;

namespace lorvan {

class Desktop;
class HelpWindow;

// One selection page: "Mögliche …" and "Ausgewählte …" with ">>", ">", "<", "<<", and for customers
// and services the search text with "&Auswählen".
class QuerySelectionPage final : public QWidget {
    Q_OBJECT
  public:
    QuerySelectionPage(const QString& what, const QStringList& columns, const QString& searchLabel,
                       QWidget* parent = nullptr);
    QTreeWidget* possibleList() const { return possible_; }
    QTreeWidget* selectedList() const { return selected_; }
    QLineEdit* searchField() const { return search_; }
    QPushButton* selectButton() const { return select_; }
    QPushButton* moveAllButton() const { return all_; }
    QPushButton* moveButton() const { return one_; }
    QPushButton* backButton() const { return back_; }
    QPushButton* backAllButton() const { return backAll_; }
    // Fills both lists from the model's lists.
    void show(const SelectionLists& lists);

  private:
    QTreeWidget* possible_;
    QTreeWidget* selected_;
    QLineEdit* search_ = nullptr;
    QPushButton* select_ = nullptr;
    QPushButton* all_;
    QPushButton* one_;
    QPushButton* back_;
    QPushButton* backAll_;
};

// "Kundenabfrage": the wizard in a window on "Daten.mar". The widgets map the model's choices; every
// rule, message and the evaluation live in DruckKunde.
class CustomerQueryWindow final : public DocumentView {
    Q_OBJECT
  public:
    explicit CustomerQueryWindow(Desktop& desktop);
    ~CustomerQueryWindow() override;

    // False when the employee file could not be read (the message was shown).
    bool loaded() const { return model_ != nullptr; }
    DruckKunde& model() { return *model_; }

    ActiveView viewKind() const override { return ActiveView::Other; }
    MenuBarKind menuBarKind() const override { return MenuBarKind::EmployeeFile; }
    int helpTopic() const override;
    QSize designedSize() const override { return {640, 480}; }
    std::string documentPath() const override { return employeeFilePath_; }

    QComboBox* periodBox() const { return period_; }
    QDateEdit* fromPicker() const { return from_; }
    QDateEdit* toPicker() const { return to_; }
    QRadioButton* allEmployeesButton() const { return allEmployees_; }
    QRadioButton* chooseEmployeesButton() const { return chooseEmployees_; }
    QCheckBox* onlyActiveBox() const { return onlyActive_; }
    QRadioButton* chooseCustomersButton() const { return chooseCustomers_; }
    QRadioButton* chooseServicesButton() const { return chooseServices_; }
    QCheckBox* servicesAtCustomerBox() const { return servicesAtCustomer_; }
    QComboBox* levelBox(int level) const { return levels_[static_cast<size_t>(level - 1)]; }
    QCheckBox* sumBox(int level) const { return sums_[static_cast<size_t>(level - 1)]; }
    QCheckBox* costsBox() const { return costs_; }
    QuerySelectionPage* employeesPage() const { return employeesPage_; }
    QuerySelectionPage* customersPage() const { return customersPage_; }
    QuerySelectionPage* servicesPage() const { return servicesPage_; }
    QLineEdit* summaryField(int index) const { return summary_[static_cast<size_t>(index)]; }
    QPushButton* backButton() const { return back_; }
    QPushButton* nextButton() const { return next_; }
    QPushButton* finishButton() const { return finish_; }
    QPushButton* cancelButton() const { return cancel_; }
    QPushButton* previewButton() const { return preview_; }
    QPushButton* printButton() const { return print_; }
    QPushButton* exportButton() const { return export_; }
    QStackedWidget* pages() const { return stack_; }

    // The buttons of the wizard.
    void goNext();
    void goBack();
    void finish();
    void cancel();
    void preview();
    void printReport();
    void exportReport();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QWidget* buildPeriodPage();
    QWidget* buildStructurePage();
    QWidget* buildFinishPage();
    void connectSelection(QuerySelectionPage* page, QueryPage which);
    SelectionLists& listsOf(QueryPage page);
    QuerySelectionPage* widgetOf(QueryPage page) const;
    void readFields();
    void showFields();
    void showPage();

    Desktop& desktop_;
    std::string employeeFilePath_;
    CTwMaDoc employees_;
    CTwKundenDoc customers_;
    std::unique_ptr<DruckKunde> model_;
    QStackedWidget* stack_ = nullptr;
    QComboBox* period_ = nullptr;
    QDateEdit* from_ = nullptr;
    QDateEdit* to_ = nullptr;
    QRadioButton* allEmployees_ = nullptr;
    QRadioButton* chooseEmployees_ = nullptr;
    QCheckBox* onlyActive_ = nullptr;
    QRadioButton* allCustomers_ = nullptr;
    QRadioButton* chooseCustomers_ = nullptr;
    QRadioButton* allServices_ = nullptr;
    QRadioButton* chooseServices_ = nullptr;
    QCheckBox* servicesAtCustomer_ = nullptr;
    std::array<QComboBox*, 4> levels_{};
    std::array<QCheckBox*, 4> sums_{};
    QCheckBox* costs_ = nullptr;
    QButtonGroup* pageBreak_ = nullptr;
    QuerySelectionPage* employeesPage_ = nullptr;
    QuerySelectionPage* customersPage_ = nullptr;
    QuerySelectionPage* servicesPage_ = nullptr;
    std::array<QLineEdit*, 5> summary_{};
    QPushButton* preview_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* export_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* finish_ = nullptr;
    QPushButton* cancel_ = nullptr;
    HelpWindow* help_ = nullptr;
};

// "&Kundenabfrage...": refused while a processing runs or without "Daten.mar"; without employees the
// message is shown and the wizard opens all the same. An open query window is activated.
void registerQueryCommands(Desktop& desktop);

} // namespace lorvan
