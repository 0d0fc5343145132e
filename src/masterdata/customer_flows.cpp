#include "masterdata/customer_flows.h"

#include "foundation/file_system.h"
#include "masterdata/customer_list.h"
#include "masterdata/open_documents.h"
#include "platform/prompter.h"
#include "yearfile/document_base.h"

namespace lorvan {

std::string customerNumberTakenMessage(const std::string& name, int32_t number) {
    return "Es existiert schon ein Kunde (" + name + ") mit der Kundennummer " + std::to_string(number) + ".";
}

std::string customerDeleteQuestion(const CKundeDoc& customer) {
    return "Soll " + std::to_string(customer.number) + " - " + customer.name + " gelöscht werden?";
}

std::optional<int32_t> createCustomer(CTwKundenDoc& file, const std::string& name, Prompter& prompter,
                                      CustomerDialogRunner& dialogs) {
    CKundeDoc record;
    record.number = file.proposedNumber();
    record.name = name;
    CustomerDialog dialog(record);
    while (dialogs.run(dialog)) {
        const CKundeDoc& entered = dialog.record();
        if (const CKundeDoc* other = file.findByNumber(entered.number)) {
            prompter.error(customerNumberTakenMessage(other->name, entered.number));
            continue;
        }
        file.put(entered);
        return entered.number;
    }
    return std::nullopt;
}

std::optional<int32_t> editCustomer(CTwKundenDoc& file, int32_t number, Prompter& prompter,
                                    CustomerDialogRunner& dialogs) {
    const CKundeDoc* original = file.findByNumber(number);
    if (!original) return std::nullopt;
    CustomerDialog dialog(*original);
    while (dialogs.run(dialog)) {
        CKundeDoc entered = dialog.record();
        if (entered.number != number) {
            if (const CKundeDoc* other = file.findByNumber(entered.number)) {
                prompter.error(customerNumberTakenMessage(other->name, entered.number));
                continue;
            }
            if (prompter.askYesNo(kCustomerNumberChangeQuestion))
                file.customers.erase(number);
            else
                entered.number = number;
        }
        file.put(entered);
        return entered.number;
    }
    return std::nullopt;
}

bool deleteCustomer(CTwKundenDoc& file, int32_t number, Prompter& prompter) {
    const CKundeDoc* customer = file.findByNumber(number);
    if (!customer || !prompter.askYesNo(customerDeleteQuestion(*customer))) return false;
    file.customers.erase(number);
    return true;
}

std::optional<CKundeDoc> createOrEditCustomerFromText(std::string_view text, CustomerList& list,
                                                      OpenDocuments& openDocuments,
                                                      CustomerDialogRunner& dialogs,
                                                      const StorageContext& storage) {
    Prompter& prompter = promptsOf(storage);
    const std::string path = list.filePath();
    if (path.empty()) {
        prompter.error("Der Dateiname wurde nicht angegeben.");
        return std::nullopt;
    }
    // A window of the file that saved after this flow would overwrite the new record.
    if (!closeWindowsOf(&openDocuments, prompter, path)) return std::nullopt;

    CTwKundenDoc file;
    if (fileExists(path)) {
        if (!file.open(path, storage)) return std::nullopt;
        list.takeFrom(file);
    }
    const CKundeDoc* existing = file.customerFromDisplayText(text);
    const std::optional<int32_t> number = existing
                                              ? editCustomer(file, existing->number, prompter, dialogs)
                                              : createCustomer(file, std::string(text), prompter, dialogs);
    if (!number || !file.save(path, true, storage)) return std::nullopt;
    list.takeFrom(file);
    return *file.findByNumber(*number);
}

} // namespace lorvan
