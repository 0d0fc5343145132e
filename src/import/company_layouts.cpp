// Placeholder until the readers of the company layouts arrive: both layouts stop the import with a
// clear message. The real readers replace this file.
#include "import/company_layouts.h"

namespace lorvan {
namespace {

LayoutReading notAvailable() {
    LayoutReading reading;
    reading.stop =
        "Dieses Dateiformat wird in dieser Version noch nicht unterstützt. Der Import wird abgebrochen.\n";
    return reading;
}

} // namespace

LayoutReading readCompanyAbsences(std::string_view, const std::string&) {
    return notAvailable();
}

LayoutReading readCompanyTimes(std::string_view) {
    return notAvailable();
}

} // namespace lorvan
