#pragma once

#include "masterdata/service_dialog.h"
#include "masterdata/service_file.h"

#include <optional>
#include <string>
#include <string_view>

namespace lorvan {

class OpenDocuments;
class Prompter;
class ServiceList;
struct StorageContext;

inline constexpr const char* kServiceNameChangeQuestion =
    "Bei Änderung der Bezeichnung werden die erfassten Daten NICHT angepasst.\n"
    "Beachten Sie bitte, dass eine nachträgliche Zuordnung der Daten durch das Programm dann NICHT mehr "
    "möglich ist.\n\nMöchten Sie die Bezeichnung wirklich ändern?";
inline constexpr const char* kNoServiceFileMessage =
    "Vor der ersten Verwendung müssen Dienstleistungen über 'Datei'-'Dienstleistungen verwalten' angelegt "
    "werden.";

// "Es existiert schon eine Dienstleistung mit der Bezeichnung 'Beratung'."
std::string serviceNameTakenMessage(const std::string& name);
// "Soll 'Beratung' gelöscht werden?"
std::string serviceDeleteQuestion(const std::string& name);

// The flows below change the file in memory only; saving is the caller's part.

// A new service with the given values (name, cost kind, amount), in the dialog until OK with a free
// name. The new service's name, or nothing after Cancel.
std::optional<std::string> createService(CTwDienstlDoc& file, const CDienstlDoc& proposal, Prompter& prompter,
                                         ServiceDialogRunner& dialogs);

// The service in the dialog until OK with its own or a free name; a new name is taken only after
// the question (No keeps the old name and takes the other values). The record's name afterwards,
// or nothing after Cancel (the record then stays as it was) or for an unknown name.
std::optional<std::string> editService(CTwDienstlDoc& file, const std::string& name, Prompter& prompter,
                                       ServiceDialogRunner& dialogs);

// Removes the service after the question; false after No or for an unknown name.
bool deleteService(CTwDienstlDoc& file, const std::string& name, Prompter& prompter);

// "Create or edit from a name", for the entry and the imports: without "Daten.dl" the message that
// services must be set up first. Otherwise the windows of "Daten.dl" are closed first (each asks
// its own save question), the file is read, the service of that exact name is edited or a new one
// with the name and the default cost kind and amount is created; after OK the file is saved and
// handed to the list. The service as saved, or nothing (every reason already reported).
std::optional<CDienstlDoc> createOrEditServiceFromName(std::string_view name, int32_t costKind, double costs,
                                                       ServiceList& list, OpenDocuments& openDocuments,
                                                       ServiceDialogRunner& dialogs,
                                                       const StorageContext& storage);

} // namespace lorvan
