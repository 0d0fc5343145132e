#include "masterdata/open_documents.h"

#include "platform/prompter.h"

namespace lorvan {

std::string windowsNotClosedMessage(const std::string& path) {
    return "Es konnten nicht alle Fenster für " + path + " geschlossen werden.\nDie Verarbeitung wird abgebrochen.";
}

bool closeWindowsOf(OpenDocuments* documents, Prompter& prompter, const std::string& path) {
    if (documents == nullptr || documents->closeWindowsOf(path)) return true;
    prompter.error(windowsNotClosedMessage(path));
    return false;
}

} // namespace lorvan
