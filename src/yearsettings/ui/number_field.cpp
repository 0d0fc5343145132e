#include "yearsettings/ui/number_field.h"

#include "foundation/format.h"
#include "foundation/number_text.h"
#include "masterdata/service_dialog.h"

namespace lorvan {

namespace {

std::string boundText(double bound) {
    return decimalPointToComma(format("%g", bound));
}

} // namespace

std::string numberFieldText(double value) {
    if (value == 0) value = 0; // no "-0,00"
    return decimalPointToComma(format("%.2f", value));
}

std::optional<std::string> numberFieldMessage(std::string_view text, const std::optional<NumberRange>& range) {
    const std::optional<double> value = parseAmountField(text);
    if (!range) {
        if (value) return std::nullopt;
        return std::string(kServiceCostsNotANumberMessage);
    }
    if (value && *value >= range->minimum && *value <= range->maximum) return std::nullopt;
    return "Geben Sie eine Zahl zwischen " + boundText(range->minimum) + " und " + boundText(range->maximum) + " ein.";
}

} // namespace lorvan
