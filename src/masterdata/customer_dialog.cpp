#include "masterdata/customer_dialog.h"

#include "foundation/error.h"
#include "foundation/format.h"
#include "foundation/text_encoding.h"
#include "platform/prompter.h"

#include <algorithm>
#include <iterator>

namespace lorvan {
namespace {

size_t indexOf(CustomerField field) {
    const auto it = std::find_if(kCustomerFields.begin(), kCustomerFields.end(),
                                 [&](const CustomerFieldInfo& info) { return info.field == field; });
    if (it == kCustomerFields.end()) throw LorvanError("Interner Fehler: unbekanntes Feld des Kundendialogs");
    return static_cast<size_t>(std::distance(kCustomerFields.begin(), it));
}

// Lines separated by "\r\n", as the file keeps them.
std::string withCrLf(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) result += '\r';
        result += text[i];
    }
    return result;
}

} // namespace

const CustomerFieldInfo& CustomerDialog::info(CustomerField field) {
    return kCustomerFields[indexOf(field)];
}

CustomerDialog::CustomerDialog(CKundeDoc record) : record_(std::move(record)) {
    for (size_t i = 0; i < kCustomerFields.size(); ++i)
        if (kCustomerFields[i].maxLength > 0)
            openedLength_[i] = characterCount(text(kCustomerFields[i].field));
}

namespace {

// The text member of a record (const or not) for a text field.
template <class Record> auto& textOf(Record& record, CustomerField field) {
    switch (field) {
    case CustomerField::Name:
        return record.name;
    case CustomerField::Street:
        return record.street;
    case CustomerField::ZipCity:
        return record.zipCity;
    case CustomerField::Phone:
        return record.phone;
    case CustomerField::Notes:
        return record.notes;
    default:
        throw LorvanError("Interner Fehler: kein Textfeld des Kundendialogs");
    }
}

} // namespace

const std::string& CustomerDialog::text(CustomerField field) const {
    return textOf(record_, field);
}

size_t CustomerDialog::maxLength(CustomerField field) const {
    const size_t i = indexOf(field);
    return std::max(kCustomerFields[i].maxLength, openedLength_[i]);
}

bool CustomerDialog::setText(CustomerField field, const std::string& text) {
    std::string value = field == CustomerField::Notes ? withCrLf(text) : text;
    std::string& target = textOf(record_, field);
    if (characterCount(value) > maxLength(field)) return false;
    target = std::move(value);
    return true;
}

std::optional<CustomerCheckFailure> CustomerDialog::firstFailedCheck() const {
    // A number below 1 could not be written before the "-" of a customer text either.
    if (record_.number <= 0)
        return CustomerCheckFailure{kCustomerNumberMissingMessage, CustomerField::Number};
    if (trimWhiteSpace(record_.name).empty())
        return CustomerCheckFailure{kCustomerNameMissingMessage, CustomerField::Name};
    return std::nullopt;
}

CustomerField CustomerDialog::confirm(Prompter& prompter) const {
    const auto failure = firstFailedCheck();
    if (!failure) return CustomerField::None;
    prompter.error(failure->message);
    return failure->focus;
}

} // namespace lorvan
