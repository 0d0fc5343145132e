#pragma once

#include "masterdata/customer_dialog.h"
#include "masterdata/customer_file.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lorvan {

class CustomerList;
class OpenDocuments;
class Prompter;
struct StorageContext;

inline constexpr const char* kCustomerNumberChangeQuestion =
    "Bei Änderung der Kundennummer werden die erfassten Daten NICHT angepasst.\n"
    "Beachten Sie bitte, dass eine nachträgliche Zuordnung der Daten durch das Programm dann NICHT mehr "
    "möglich ist.\n\nMöchten Sie die Kundennummer wirklich ändern?";

// "Es existiert schon ein Kunde (Beispiel GmbH) mit der Kundennummer 7."
std::string customerNumberTakenMessage(const std::string& name, int32_t number);
// "Soll 7 - Beispiel GmbH gelöscht werden?"
std::string customerDeleteQuestion(const CKundeDoc& customer);

// The flows below change the file in memory only; saving is the caller's part.

// A new customer with the proposed number and the name, in the dialog until OK with a free number.
// The new customer's number, or nothing after Cancel.
std::optional<int32_t> createCustomer(CTwKundenDoc& file, const std::string& name, Prompter& prompter,
                                      CustomerDialogRunner& dialogs);

// The customer in the dialog until OK with its own or a free number; a new number is taken only
// after the question (No keeps the old number and takes the other values). The record's number
// afterwards, or nothing after Cancel (the record then stays as it was) or for an unknown number.
std::optional<int32_t> editCustomer(CTwKundenDoc& file, int32_t number, Prompter& prompter,
                                    CustomerDialogRunner& dialogs);

// Removes the customer after the question; false after No or for an unknown number. Time lines that
// name the number are not touched.
bool deleteCustomer(CTwKundenDoc& file, int32_t number, Prompter& prompter);

// "Create or edit from a text", for the entry and the imports: the text designates an existing
// customer by its number (as a display text does), who is then edited, or is the name of a new
// one. The windows of "Daten.kd" are closed first (each asks its own save question), so that none
// of them keeps an older copy; then the file is read, the dialog shown, and after OK the file is
// saved and handed to the list. The customer as saved, or nothing when a window stayed open, the
// file could not be read, the user cancelled or the save failed (each already reported).
std::optional<CKundeDoc> createOrEditCustomerFromText(std::string_view text, CustomerList& list,
                                                      OpenDocuments& openDocuments,
                                                      CustomerDialogRunner& dialogs,
                                                      const StorageContext& storage);

} // namespace lorvan
