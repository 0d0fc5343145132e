#include "masterdata/customer_file.h"

#include "foundation/archive.h"
#include "foundation/error.h"
#include "masterdata/search_text.h"

#include <iterator>
#include <limits>
#include <optional>
#include <vector>

namespace lorvan {
namespace {

using search_text::comparableForm;
using search_text::contains;
using search_text::hasAfterFirst;
using search_text::surnamePart;

constexpr const char* kNoCustomerFound = "FEHLER: Es wurde kein passender Kunde gefunden.\n";

// The part of the text before its first "-" (the whole text when there is none or it comes first),
// trimmed; the customer number when that part is a number of digits only that fits.
std::optional<int32_t> leadingCustomerNumber(std::string_view text) {
    const size_t dash = text.find('-');
    std::string_view part =
        trimWhiteSpace(dash != std::string_view::npos && dash > 0 ? text.substr(0, dash) : text);
    if (part.empty()) return std::nullopt;
    int64_t value = 0;
    for (char c : part) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<int32_t>::max()) return std::nullopt;
    }
    return static_cast<int32_t>(value);
}

// The first-name part of the same texts.
std::string_view firstNamePart(std::string_view t) {
    if (hasAfterFirst(t, ',')) return trimWhiteSpace(t.substr(t.find(',') + 1));
    if (hasAfterFirst(t, ' ')) return trimWhiteSpace(t.substr(0, t.find(' ')));
    return {};
}

} // namespace

std::string CKundeDoc::displayText() const {
    std::string text = std::to_string(number) + " - " + name;
    for (const std::string* part : {&street, &zipCity, &phone})
        if (!part->empty()) text += ", " + *part;
    return text;
}

std::string CKundeDoc::daySheetNotes() const {
    if (printNotes != 1) return std::string();
    std::string text;
    text.reserve(notes.size());
    for (size_t i = 0; i < notes.size(); ++i) {
        if (notes[i] == '\r' && i + 1 < notes.size() && notes[i + 1] == '\n') continue;
        text += notes[i];
    }
    return text;
}

const CKundeDoc* CTwKundenDoc::findByNumber(int32_t number) const {
    const auto it = customers.find(number);
    return it == customers.end() ? nullptr : &it->second;
}

int32_t CTwKundenDoc::proposedNumber() const {
    if (customers.empty() || customers.rbegin()->first <= 0) return 1;
    const int32_t highest = customers.rbegin()->first;
    if (highest < std::numeric_limits<int32_t>::max()) return highest + 1;
    // Nothing follows the highest possible number: propose the lowest free one instead.
    int32_t candidate = 1;
    for (auto it = customers.lower_bound(1); it != customers.end() && it->first == candidate; ++it)
        ++candidate;
    return candidate;
}

std::vector<std::string> CTwKundenDoc::displayTexts() const {
    std::vector<std::string> texts;
    texts.reserve(customers.size());
    for (const auto& [number, customer] : customers)
        texts.push_back(customer.displayText());
    return texts;
}

std::string CTwKundenDoc::daySheetText(const CKundeDoc& customer) const {
    std::string text = customer.name;
    if (printAddressOnDaySheet == 1) {
        text += "\n";
        for (const std::string* part : {&customer.street, &customer.zipCity, &customer.phone})
            if (!part->empty()) text += "\n" + *part;
    }
    return text;
}

const CKundeDoc* CTwKundenDoc::customerFromDisplayText(std::string_view text) const {
    const auto number = leadingCustomerNumber(text);
    return number ? findByNumber(*number) : nullptr;
}

const CKundeDoc* CTwKundenDoc::searchCustomer(std::string_view text, std::string& protocol) const {
    if (const CKundeDoc* direct = customerFromDisplayText(text)) return direct;

    std::string message = "Suche Kunde: " + std::string(text) + "\n";
    const std::string form = comparableForm(text);
    const std::string_view surname = surnamePart(text);

    // A blank text (or one without any letter or digit) would be contained in every name; it
    // designates no customer.
    using Match = bool (*)(const CKundeDoc&, std::string_view, const std::string&, std::string_view);
    const Match passes[] = {
        [](const CKundeDoc& c, std::string_view t, const std::string&, std::string_view) {
            return !trimWhiteSpace(t).empty() && contains(c.name, t);
        },
        [](const CKundeDoc& c, std::string_view t, const std::string&, std::string_view) {
            return !trimWhiteSpace(t).empty() && contains(c.street, t);
        },
        [](const CKundeDoc& c, std::string_view, const std::string& f, std::string_view) {
            return search_text::hasLetterOrDigit(f) && contains(comparableForm(c.name), f);
        },
        [](const CKundeDoc& c, std::string_view, const std::string& f, std::string_view) {
            return search_text::hasLetterOrDigit(f) && contains(comparableForm(c.street), f);
        },
        [](const CKundeDoc& c, std::string_view, const std::string&, std::string_view s) {
            return !s.empty() && contains(c.name, s);
        },
    };

    for (size_t pass = 0; pass < std::size(passes); ++pass) {
        std::vector<const CKundeDoc*> matches;
        for (const auto& [number, customer] : customers)
            if (passes[pass](customer, text, form, surname)) matches.push_back(&customer);
        if (matches.size() == 1) return matches.front();
        if (matches.empty()) continue;
        if (pass < 4) {
            message += "Es gibt mehrere Kunden mit einer passenden Bezeichnung:\n";
            for (const CKundeDoc* c : matches) {
                message += std::to_string(c->number) + " - " + c->name;
                if (!c->street.empty()) message += " - " + c->street;
                message += "\n";
            }
            message += kNoCustomerFound;
            protocol += message;
            return nullptr;
        }
        // Several customers with the surname: the first name decides.
        const std::string_view firstName = firstNamePart(text);
        if (!firstName.empty()) {
            std::erase_if(matches, [&](const CKundeDoc* c) { return !contains(c->name, firstName); });
            if (matches.size() == 1) return matches.front();
        }
    }
    message += kNoCustomerFound;
    protocol += message;
    return nullptr;
}

void CTwKundenDoc::store(ArchiveWriter& ar) const {
    ar.writeInt32(kCurrentVersion);
    ar.writeInt32(printAddressOnDaySheet == 1 ? 1 : 0);
    ar.writeInt32(checkCustomerExistsOnEntry == 1 ? 1 : 0);
    ar.writeCount(customers.size());
    for (const auto& [number, c] : customers) {
        ar.writeInt32(c.number);
        ar.writeString(c.name);
        ar.writeString(c.street);
        ar.writeString(c.zipCity);
        ar.writeString(c.phone);
        ar.writeString(c.notes);
        ar.writeInt32(c.printNotes);
    }
}

int32_t CTwKundenDoc::load(ArchiveReader& ar) {
    clear();
    const int32_t version = ar.readInt32();
    if (version > kCurrentVersion) throw NewerVersionError();
    if (version >= 2) {
        printAddressOnDaySheet = ar.readInt32() == 1 ? 1 : 0;
        checkCustomerExistsOnEntry = ar.readInt32() == 1 ? 1 : 0;
    }
    const int32_t count = ar.readCount(version >= 2 ? 4 + 5 + 4 : 4 + 5);
    for (int32_t i = 0; i < count; ++i) {
        CKundeDoc c;
        c.number = ar.readInt32();
        c.name = ar.readString();
        c.street = ar.readString();
        c.zipCity = ar.readString();
        c.phone = ar.readString();
        c.notes = ar.readString();
        if (version >= 2) c.printNotes = ar.readInt32();
        customers[c.number] = std::move(c);
    }
    return version;
}

void CTwKundenDoc::clear() {
    printAddressOnDaySheet = 0;
    checkCustomerExistsOnEntry = 0;
    customers.clear();
}

} // namespace lorvan
