#pragma once

#include "masterdata/customer_dialog.h"
#include "masterdata/customer_file.h"
#include "yearfile/document_base.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lorvan {

class CustomerList;

// A column of a master-data list: its title and width in pixels.
struct MasterListColumn {
    const char* title;
    int width;
};

// What a command on the selected row did; the desktop beeps for NothingSelected.
enum class MasterListCommand { NothingSelected, Cancelled, Done };

// The logic of "Kunden verwalten": its own open copy of "Daten.kd" with a changed flag, the list
// rows and selection, the two file flags as check boxes, and the commands. Creating and deleting
// only set the flag; a successful edit saves at once; every load and save hands the file to the
// program's customer list.
class CustomerWindow {
  public:
    static constexpr const char* kTitle = "Kunden verwalten";
    static constexpr std::array<MasterListColumn, 4> kColumns{
        {{"Kundennummer", 100}, {"Name", 150}, {"Straße", 150}, {"Ort", 150}}};
    static constexpr const char* kNewButton = "&Neuer Kunde...";
    static constexpr const char* kSaveAndCloseButton = "&Speichern + Schliessen";
    static constexpr const char* kCancelButton = "Abbrechen";
    static constexpr const char* kListMenu = "Liste";
    static constexpr const char* kOpenEntryCommand = "Aktuell ausgewählten &Eintrag öffnen...";
    static constexpr const char* kDeleteEntryCommand = "Aktuell ausgewählten Eintrag &löschen";
    static constexpr const char* kPrintAddressLabel = "Anschrift + Telefon auf Tageszettel drucken";
    static constexpr const char* kCheckOnEntryLabel = "Bei der Erfassung prüfen, ob Kunde existiert";
    static constexpr const char* kCloseQuestion =
        "Es wurden Kunden geändert.\nSollen die Änderungen gespeichert werden?";

    struct Row {
        int32_t number = 0;
        std::array<std::string, 4> cells; // number, name, street, zip and city
    };

    // The window on the file at path; list (may be null) is the program's customer list.
    CustomerWindow(std::string path, const StorageContext& storage, CustomerDialogRunner& dialogs,
                   CustomerList* list = nullptr);

    // Reads the file; a missing one gives an empty file, written at the first save. False when it
    // cannot be read (the message was shown): the window does not open.
    bool open();

    const CTwKundenDoc& file() const { return file_; }
    const std::string& path() const { return path_; }
    bool changed() const { return changed_; }

    // Rows in ascending number.
    const std::vector<Row>& rows() const { return rows_; }
    std::optional<size_t> selection() const { return selection_; }
    void select(std::optional<size_t> row);

    bool printAddressOnDaySheet() const { return printAddress_; }
    void setPrintAddressOnDaySheet(bool on) { printAddress_ = on; }
    bool checkOnEntry() const { return checkOnEntry_; }
    void setCheckOnEntry(bool on) { checkOnEntry_ = on; }

    // "&Neuer Kunde...": the new customer is selected after the refill.
    MasterListCommand newCustomer();
    // Double-click, Enter, "Aktuell ausgewählten &Eintrag öffnen...": edit and save at once.
    MasterListCommand editSelected();
    // The Delete key, "Aktuell ausgewählten Eintrag &löschen": the row position stays selected
    // (the last row when it was the last).
    MasterListCommand deleteSelected();

    // "&Speichern + Schliessen": the check boxes go into the file, which is saved; true when the
    // window may close.
    bool saveAndClose();
    // "Abbrechen" and closing the window: with unsaved changes the question (Yes saves, No drops
    // them, Cancel keeps the window). True when the window may close.
    bool mayClose();

  private:
    bool save();
    void refill(std::optional<int32_t> selectNumber);

    std::string path_;
    StorageContext storage_;
    CustomerDialogRunner& dialogs_;
    CustomerList* list_;
    CTwKundenDoc file_;
    bool changed_ = false;
    bool printAddress_ = false;
    bool checkOnEntry_ = false;
    std::vector<Row> rows_;
    std::optional<size_t> selection_;
};

} // namespace lorvan
