#include "masterdata/customer_list.h"

#include "foundation/error.h"
#include "foundation/file_system.h"

namespace lorvan {

std::string customerFilePath(const std::string& dataDirectory) {
    return dataDirectory.empty() ? std::string()
                                 : withSeparator(dataDirectory, true) + CTwKundenDoc::kFileName;
}

CustomerList::CustomerList(const std::string& dataDirectory) : cache_(customerFilePath(dataDirectory)) {}

void CustomerList::setDataDirectory(const std::string& dataDirectory) {
    cache_.setPath(customerFilePath(dataDirectory));
}

std::vector<std::string> CustomerList::displayTexts() {
    return file().displayTexts();
}

bool CustomerList::hasCustomers() {
    return file().hasCustomers();
}

bool CustomerList::addressOnDaySheet() {
    return file().addressOnDaySheet();
}

bool CustomerList::checkOnEntry() {
    return file().checkOnEntry();
}

namespace {

std::optional<CKundeDoc> copyOf(const CKundeDoc* customer) {
    return customer ? std::optional<CKundeDoc>(*customer) : std::nullopt;
}

} // namespace

std::optional<CKundeDoc> CustomerList::findByNumber(int32_t number) {
    return copyOf(file().findByNumber(number));
}

std::optional<CKundeDoc> CustomerList::findByName(std::string_view name) {
    for (const auto& [number, customer] : file().customers)
        if (customer.name == name) return customer;
    return std::nullopt;
}

std::optional<CKundeDoc> CustomerList::fromDisplayText(std::string_view text) {
    return copyOf(file().customerFromDisplayText(text));
}

std::optional<CKundeDoc> CustomerList::search(std::string_view text, std::string& protocol) {
    return copyOf(file().searchCustomer(text, protocol));
}

std::optional<std::string> CustomerListLookup::customerText(int32_t number) const {
    try {
        if (const std::optional<CKundeDoc> customer = customers_->findByNumber(number)) return customer->displayText();
    } catch (const LorvanError&) {
        // An unreadable customer file shows the entries as they stand.
    }
    return std::nullopt;
}

} // namespace lorvan
