#include "masterdata/service_flows.h"

#include "foundation/file_system.h"
#include "masterdata/open_documents.h"
#include "masterdata/service_list.h"
#include "platform/prompter.h"
#include "yearfile/document_base.h"

namespace lorvan {

std::string serviceNameTakenMessage(const std::string& name) {
    return "Es existiert schon eine Dienstleistung mit der Bezeichnung '" + name + "'.";
}

std::string serviceDeleteQuestion(const std::string& name) {
    return "Soll '" + name + "' gelöscht werden?";
}

std::optional<std::string> createService(CTwDienstlDoc& file, const CDienstlDoc& proposal, Prompter& prompter,
                                         ServiceDialogRunner& dialogs) {
    ServiceDialog dialog(proposal);
    while (dialogs.run(dialog)) {
        const CDienstlDoc entered = dialog.record();
        if (file.find(entered.name)) {
            prompter.error(serviceNameTakenMessage(entered.name));
            continue;
        }
        file.put(entered);
        return entered.name;
    }
    return std::nullopt;
}

std::optional<std::string> editService(CTwDienstlDoc& file, const std::string& name, Prompter& prompter,
                                       ServiceDialogRunner& dialogs) {
    const CDienstlDoc* original = file.find(name);
    if (!original) return std::nullopt;
    ServiceDialog dialog(*original);
    while (dialogs.run(dialog)) {
        CDienstlDoc entered = dialog.record();
        if (entered.name != name) {
            if (file.find(entered.name)) {
                prompter.error(serviceNameTakenMessage(entered.name));
                continue;
            }
            if (prompter.askYesNo(kServiceNameChangeQuestion))
                file.services.erase(name);
            else
                entered.name = name;
        }
        file.put(entered);
        return entered.name;
    }
    return std::nullopt;
}

bool deleteService(CTwDienstlDoc& file, const std::string& name, Prompter& prompter) {
    if (!file.find(name) || !prompter.askYesNo(serviceDeleteQuestion(name))) return false;
    file.services.erase(name);
    return true;
}

std::optional<CDienstlDoc> createOrEditServiceFromName(std::string_view name, int32_t costKind, double costs,
                                                       ServiceList& list, OpenDocuments& openDocuments,
                                                       ServiceDialogRunner& dialogs,
                                                       const StorageContext& storage) {
    Prompter& prompter = promptsOf(storage);
    const std::string path = list.filePath();
    if (!fileExists(path)) {
        prompter.inform(kNoServiceFileMessage);
        return std::nullopt;
    }
    // A window of the file that saved after this flow would overwrite the new record.
    if (!closeWindowsOf(&openDocuments, prompter, path)) return std::nullopt;

    CTwDienstlDoc file;
    if (!file.open(path, storage)) return std::nullopt;
    list.takeFrom(file);
    std::optional<std::string> result;
    if (file.find(name)) {
        result = editService(file, std::string(name), prompter, dialogs);
    } else {
        CDienstlDoc proposal;
        proposal.name = std::string(name);
        proposal.costKind = costKind;
        proposal.costs = costs;
        result = createService(file, proposal, prompter, dialogs);
    }
    if (!result || !file.save(path, true, storage)) return std::nullopt;
    list.takeFrom(file);
    return *file.find(*result);
}

} // namespace lorvan
