#pragma once

#include "masterdata/customer_window.h"
#include "masterdata/ui/customer_dialog_window.h"
#include "masterdata/ui/master_list_window.h"

#include <string>

class QCheckBox;

namespace lorvan {

class CustomerList;
class Desktop;

// "Kunden verwalten" on "Daten.kd": the customer list with its columns, "&Neuer Kunde...", the two
// flags of the customer file as check boxes (they reach the file only through "&Speichern +
// Schliessen"), and the close question "Es wurden Kunden geändert. …".
class CustomersWindow final : public MasterListWindow {
    Q_OBJECT
  public:
    // The window on the file at path; list (may be null) is the program's customer list.
    CustomersWindow(Desktop& desktop, std::string path, CustomerList* list, QWidget* parent = nullptr);

    // Reads the file (a missing one is an empty file, written at the first save) and shows it. False
    // when it cannot be read (the message was shown): the window must not open.
    bool open();

    const std::string& path() const override { return logic_.path(); }
    int helpTopic() const override;
    const CustomerWindow& logic() const { return logic_; }
    QCheckBox* printAddressBox() const { return printAddress_; }
    QCheckBox* checkOnEntryBox() const { return checkOnEntry_; }

  protected:
    std::vector<std::vector<std::string>> rowTexts() const override;
    std::optional<size_t> logicSelection() const override { return logic_.selection(); }
    void selectInLogic(std::optional<size_t> row) override { logic_.select(row); }
    MasterListCommand runCreate() override { return logic_.newCustomer(); }
    MasterListCommand runEdit() override { return logic_.editSelected(); }
    MasterListCommand runDelete() override { return logic_.deleteSelected(); }
    bool runSaveAndClose() override { return logic_.saveAndClose(); }
    bool runMayClose() override { return logic_.mayClose(); }

  private:
    QtCustomerDialogRunner dialogs_;
    CustomerWindow logic_;
    QCheckBox* printAddress_;
    QCheckBox* checkOnEntry_;
};

// "&Kunden verwalten...": activates the open window of the data directory's "Daten.kd" or opens
// one (the file is created when missing). The window, or nullptr when it was refused or the file
// could not be read (each already reported).
DocumentView* openCustomersWindow(Desktop& desktop);

} // namespace lorvan
