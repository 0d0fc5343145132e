#pragma once

#include "masterdata/customer_window.h"
#include "masterdata/service_dialog.h"
#include "masterdata/service_file.h"
#include "yearfile/document_base.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace lorvan {

class ServiceList;

// The logic of "Dienstleistungen verwalten": its own open copy of "Daten.dl" with a changed flag,
// the list rows and selection and the commands, under the rules of the customer window.
class ServiceWindow {
  public:
    static constexpr const char* kTitle = "Dienstleistungen verwalten";
    static constexpr std::array<MasterListColumn, 3> kColumns{
        {{"Bezeichnung", 150}, {"Art der Kosten", 150}, {"Kosten", 150}}};
    static constexpr const char* kNewButton = "&Neue Dienstleistung...";
    static constexpr const char* kSaveAndCloseButton = "&Speichern + Schliessen";
    static constexpr const char* kCancelButton = "Abbrechen";
    static constexpr const char* kListMenu = "Liste";
    static constexpr const char* kOpenEntryCommand = "Aktuell ausgewählten &Eintrag öffnen...";
    static constexpr const char* kDeleteEntryCommand = "Aktuell ausgewählten Eintrag &löschen";
    static constexpr const char* kCloseQuestion =
        "Es wurden Dienstleistungen geändert.\nSollen die Änderungen gespeichert werden?";

    struct Row {
        std::string name;
        std::array<std::string, 3> cells; // name, cost kind text, amount ("12,50"; empty for 0)
    };

    ServiceWindow(std::string path, const StorageContext& storage, ServiceDialogRunner& dialogs,
                  ServiceList* list = nullptr);

    // Reads the file; a missing one gives an empty file, written at the first save. False when it
    // cannot be read (the message was shown).
    bool open();

    const CTwDienstlDoc& file() const { return file_; }
    const std::string& path() const { return path_; }
    bool changed() const { return changed_; }

    // Rows in name order.
    const std::vector<Row>& rows() const { return rows_; }
    std::optional<size_t> selection() const { return selection_; }
    void select(std::optional<size_t> row);

    MasterListCommand newService();
    MasterListCommand editSelected();
    MasterListCommand deleteSelected();

    bool saveAndClose();
    bool mayClose();

  private:
    bool save();
    void refill(const std::optional<std::string>& selectName);

    std::string path_;
    StorageContext storage_;
    ServiceDialogRunner& dialogs_;
    ServiceList* list_;
    CTwDienstlDoc file_;
    bool changed_ = false;
    std::vector<Row> rows_;
    std::optional<size_t> selection_;
};

} // namespace lorvan
