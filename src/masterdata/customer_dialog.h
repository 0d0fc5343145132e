#pragma once

#include "masterdata/customer_file.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace lorvan {

class Prompter;

// The fields of "Kunde bearbeiten" in tab order; None: OK passed.
enum class CustomerField { None, Number, Name, Street, ZipCity, Phone, Notes, PrintNotes };

struct CustomerFieldInfo {
    CustomerField field;
    const char* label;
    size_t maxLength; // characters; 0 for the number and the check box
};

inline constexpr std::array<CustomerFieldInfo, 7> kCustomerFields{{
    {CustomerField::Number, "Kundennummer", 0},
    {CustomerField::Name, "Name", 100},
    {CustomerField::Street, "Straße", 100},
    {CustomerField::ZipCity, "PLZ / Ort", 100},
    {CustomerField::Phone, "Telefon", 50},
    {CustomerField::Notes, "Notizen", 1000},
    {CustomerField::PrintNotes, "Notizen auf Tageszettel drucken", 0},
}};

inline constexpr const char* kCustomerDialogTitle = "Kunde bearbeiten";
inline constexpr const char* kCustomerNumberMissingMessage = "Geben Sie eine Kundennummer ein.";
inline constexpr const char* kCustomerNameMissingMessage = "Geben Sie einen Namen ein.";

// A refused OK: the message and the field that gets the focus.
struct CustomerCheckFailure {
    std::string message;
    CustomerField focus = CustomerField::None;
};

// The logic of "Kunde bearbeiten": a copy of the record, edited field by field. The texts take at
// most their field's number of characters while they are typed; a text the dialog opens with is
// never cut, so a longer one from the file stays whole (and may be kept at its length).
class CustomerDialog {
  public:
    explicit CustomerDialog(CKundeDoc record);

    const CKundeDoc& record() const { return record_; }

    void setNumber(int32_t number) { record_.number = number; }
    // The text of Name, Street, ZipCity, Phone or Notes.
    const std::string& text(CustomerField field) const;
    // False (the field unchanged) for a text longer than maxLength(field). Notes keep their lines
    // separated by "\r\n": a lone "\n" becomes "\r\n".
    bool setText(CustomerField field, const std::string& text);
    // The field's limit, or the length of the text the dialog opened with when that is longer.
    size_t maxLength(CustomerField field) const;
    bool printNotes() const { return record_.printNotes == 1; }
    void setPrintNotes(bool on) { record_.printNotes = on ? 1 : 0; }

    // The checks of OK in order: a number (greater than 0), a name (not only blanks).
    std::optional<CustomerCheckFailure> firstFailedCheck() const;
    // OK: shows the first failed check and returns its field, or None when the dialog may close.
    CustomerField confirm(Prompter& prompter) const;

    static const CustomerFieldInfo& info(CustomerField field);

  private:
    CKundeDoc record_;
    std::array<size_t, kCustomerFields.size()> openedLength_{};
};

// Shows "Kunde bearbeiten" on the model until OK passes confirm() (true) or the user cancels
// (false); the desktop shows its dialog, the command line fills it from its input.
class CustomerDialogRunner {
  public:
    virtual ~CustomerDialogRunner() = default;
    virtual bool run(CustomerDialog& dialog) = 0;
};

} // namespace lorvan
