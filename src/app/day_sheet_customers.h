#pragma once

#include "reports/day_sheet.h"

namespace lorvan {

class CustomerList;

// The customers of the day sheet served by the program's customer list ("Daten.kd"): the name with
// address and telephone when the file asks for them, and the notes marked for the day sheet. A file
// that cannot be read counts as having no customers.
class CustomerListDaySheet final : public DaySheetCustomers {
  public:
    explicit CustomerListDaySheet(CustomerList& customers) : customers_(&customers) {}
    std::optional<DaySheetCustomer> customer(const std::string& entry) const override;

  private:
    CustomerList* customers_;
};

} // namespace lorvan
