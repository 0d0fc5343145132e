#pragma once

#include "yearfile/document_base.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace lorvan {

// One customer of the customer file "Daten.kd"; time lines refer to it by its number.
class CKundeDoc {
public:
    int32_t number = 0;
    std::string name;       // at most 100 characters
    std::string street;     // at most 100 characters
    std::string zipCity;    // "PLZ / Ort", at most 100 characters
    std::string phone;      // at most 50 characters
    std::string notes;      // lines separated by "\r\n", at most 1000 characters
    int32_t printNotes = 0; // 1 = print the notes on the day sheet

    // "17 - Beispiel GmbH, Hauptstr. 1, 12345 Musterstadt": number, name and each non-empty one of
    // street, zip and city, phone.
    std::string displayText() const;
    // The notes for the day sheet (lines separated by "\n") when they are to be printed, else empty.
    std::string daySheetNotes() const;
};

// The customer file "Daten.kd": the customers by number and two flags of the whole file.
class CTwKundenDoc : public CTwDocBase {
public:
    static constexpr int32_t kCurrentVersion = 2;
    static constexpr const char* kFileName = "Daten.kd";

    int32_t printAddressOnDaySheet = 0;     // "Anschrift + Telefon auf Tageszettel drucken"
    int32_t checkCustomerExistsOnEntry = 0; // "Bei der Erfassung prüfen, ob Kunde existiert"
    // Keyed by the record's number (key and number always agree).
    std::map<int32_t, CKundeDoc> customers;

    int32_t currentVersion() const override { return kCurrentVersion; }

    bool hasCustomers() const { return !customers.empty(); }
    // The file flags as the day sheet and the entry use them: false when there are no customers.
    bool addressOnDaySheet() const { return hasCustomers() && printAddressOnDaySheet == 1; }
    bool checkOnEntry() const { return hasCustomers() && checkCustomerExistsOnEntry == 1; }

    const CKundeDoc* findByNumber(int32_t number) const;
    void put(const CKundeDoc& customer) { customers[customer.number] = customer; }
    // The number proposed for a new customer: the highest plus 1; 1 when there are none.
    int32_t proposedNumber() const;
    // The display texts in number order.
    std::vector<std::string> displayTexts() const;

    // The name, with the file's address flag followed by "\n" and "\n" + each non-empty one of
    // street, zip and city, phone.
    std::string daySheetText(const CKundeDoc& customer) const;

    // The customer whose number stands before the first "-" of the text (the whole text when it
    // has no "-" or starts with it), or nullptr.
    const CKundeDoc* customerFromDisplayText(std::string_view text) const;
    // The customer that a typed or imported text designates, or nullptr; a failed search appends
    // its report to the protocol.
    const CKundeDoc* searchCustomer(std::string_view text, std::string& protocol) const;

protected:
    void store(ArchiveWriter& ar) const override;
    int32_t load(ArchiveReader& ar) override;
    void clear() override;
};

} // namespace lorvan
