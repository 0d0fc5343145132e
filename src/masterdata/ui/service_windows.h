#pragma once

#include "masterdata/service_window.h"
#include "masterdata/ui/master_list_window.h"
#include "masterdata/ui/service_dialog_window.h"

#include <string>

namespace lorvan {

class Desktop;
class ServiceList;

// "Dienstleistungen verwalten" on "Daten.dl": the services in name order with the kind and the
// amount of their costs, "&Neue Dienstleistung...", and the close question "Es wurden
// Dienstleistungen geändert. …".
class ServicesWindow final : public MasterListWindow {
    Q_OBJECT
  public:
    // The window on the file at path; list (may be null) is the program's service list.
    ServicesWindow(Desktop& desktop, std::string path, ServiceList* list, QWidget* parent = nullptr);

    // Reads the file (a missing one is an empty file, written at the first save) and shows it. False
    // when it cannot be read (the message was shown).
    bool open();

    const std::string& path() const override { return logic_.path(); }
    int helpTopic() const override;
    const ServiceWindow& logic() const { return logic_; }

  protected:
    std::vector<std::vector<std::string>> rowTexts() const override;
    std::optional<size_t> logicSelection() const override { return logic_.selection(); }
    void selectInLogic(std::optional<size_t> row) override { logic_.select(row); }
    MasterListCommand runCreate() override { return logic_.newService(); }
    MasterListCommand runEdit() override { return logic_.editSelected(); }
    MasterListCommand runDelete() override { return logic_.deleteSelected(); }
    bool runSaveAndClose() override { return logic_.saveAndClose(); }
    bool runMayClose() override { return logic_.mayClose(); }
    // The amounts stand right-aligned.
    bool alignRight(size_t column) const override { return column == 2; }

  private:
    QtServiceDialogRunner dialogs_;
    ServiceWindow logic_;
};

// "Dienst&leistungen verwalten...": activates the open window of the data directory's "Daten.dl" or
// opens one (the file is created when missing). The window, or nullptr.
DocumentView* openServicesWindow(Desktop& desktop);

} // namespace lorvan
