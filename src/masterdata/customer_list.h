#pragma once

#include "evaluation/day_evaluation.h"
#include "masterdata/cached_master_file.h"
#include "masterdata/customer_file.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lorvan {

// The program's list of all customers with the two flags of the customer file, for the entry, the
// imports and the reports (refresh rules and hold: CachedMasterFile). Records are handed out as
// copies, which a later refresh leaves alone. Every service reads the file when its rules say so;
// an unreadable file raises its message.
class CustomerList {
  public:
    // The list of "Daten.kd" in the data directory (none yet: an empty list).
    explicit CustomerList(const std::string& dataDirectory = {});

    // A new data directory: the list is read from its file at the next use.
    void setDataDirectory(const std::string& dataDirectory);
    const std::string& filePath() const { return cache_.path(); }

    // The whole copy (for a choice box that needs the records).
    const CTwKundenDoc& file() { return cache_.current(); }
    // The display texts in number order.
    std::vector<std::string> displayTexts();
    bool hasCustomers();
    // "Anschrift + Telefon auf Tageszettel drucken"; false without customers.
    bool addressOnDaySheet();
    // "Bei der Erfassung prüfen, ob Kunde existiert"; false without customers.
    bool checkOnEntry();

    std::optional<CKundeDoc> findByNumber(int32_t number);
    // The first customer in number order whose name equals the text exactly.
    std::optional<CKundeDoc> findByName(std::string_view name);
    // The customer whose number stands before the first "-" of the text.
    std::optional<CKundeDoc> fromDisplayText(std::string_view text);
    // The customer that a typed or imported text designates; a failed search appends its report
    // to the protocol.
    std::optional<CKundeDoc> search(std::string_view text, std::string& protocol);

    // After every load or save of the customer file in a window.
    void takeFrom(const CTwKundenDoc& doc) { cache_.takeFrom(doc); }
    void forget() { cache_.forget(); }

    using Hold = CachedMasterFile<CTwKundenDoc>::Hold;
    // For a batch: the list is used as it is while the hold lives.
    [[nodiscard]] Hold hold() { return cache_.hold(); }
    bool held() const { return cache_.held(); }

  private:
    CachedMasterFile<CTwKundenDoc> cache_;
};

// The customer texts that lists and evaluations show for customer numbers, served by the program's
// customer list: "12 - Name". A file that cannot be read counts as having no customers.
class CustomerListLookup final : public CustomerLookup {
  public:
    explicit CustomerListLookup(CustomerList& customers) : customers_(&customers) {}
    std::optional<std::string> customerText(int32_t number) const override;

  private:
    CustomerList* customers_;
};

// "Daten.kd" in the directory.
std::string customerFilePath(const std::string& dataDirectory);

} // namespace lorvan
