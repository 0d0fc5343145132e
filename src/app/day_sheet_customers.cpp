#include "app/day_sheet_customers.h"

#include "foundation/error.h"
#include "foundation/number_text.h"
#include "masterdata/customer_list.h"

#include <limits>

namespace lorvan {

std::optional<DaySheetCustomer> CustomerListDaySheet::customer(const std::string& entry) const {
    if (entry.empty() || entry.front() < '0' || entry.front() > '9') return std::nullopt;
    const int64_t number = readLeadingInteger(entry);
    if (number > std::numeric_limits<int32_t>::max()) return std::nullopt;
    try {
        const std::optional<CKundeDoc> found = customers_->findByNumber(static_cast<int32_t>(number));
        if (!found) return std::nullopt;
        return DaySheetCustomer{customers_->file().daySheetText(*found), found->daySheetNotes()};
    } catch (const LorvanError&) {
        return std::nullopt;
    }
}

} // namespace lorvan
