#include "masterdata/service_dialog.h"

#include "foundation/format.h"
#include "platform/prompter.h"

#include <charconv>
#include <cmath>

namespace lorvan {

std::string amountFieldText(double amount) {
    if (amount == 0 || !std::isfinite(amount)) return std::string();
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, amount, std::chars_format::fixed);
    std::string text(buffer, result.ptr);
    for (char& c : text)
        if (c == '.') c = ',';
    return text;
}

std::optional<double> parseAmountField(std::string_view text) {
    const std::string_view trimmed = trimWhiteSpace(text);
    if (trimmed.empty()) return 0.0;
    std::string plain(trimmed);
    size_t i = 0;
    if (plain[i] == '+' || plain[i] == '-') ++i;
    const size_t digitsStart = i;
    bool separator = false;
    size_t digits = 0;
    for (; i < plain.size(); ++i) {
        if (plain[i] >= '0' && plain[i] <= '9') {
            ++digits;
        } else if (plain[i] == ',' && !separator) {
            separator = true;
            plain[i] = '.';
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0) return std::nullopt;
    double value = 0;
    const char* first = plain.data() + digitsStart;
    const auto result = std::from_chars(first, plain.data() + plain.size(), value, std::chars_format::fixed);
    if (result.ec != std::errc() || result.ptr != plain.data() + plain.size() || !std::isfinite(value))
        return std::nullopt;
    return plain[0] == '-' ? -value : value;
}

ServiceDialog::ServiceDialog(CDienstlDoc record)
    : name_(std::move(record.name)), costKind_(record.costKind), costsText_(amountFieldText(record.costs)) {}

void ServiceDialog::setCostKind(int32_t kind) {
    costKind_ = kind;
    if (kind == 0) costsText_.clear();
}

std::optional<ServiceCheckFailure> ServiceDialog::firstFailedCheck() const {
    if (!parseAmountField(costsText_))
        return ServiceCheckFailure{kServiceCostsNotANumberMessage, ServiceField::Costs};
    if (trimWhiteSpace(name_).empty())
        return ServiceCheckFailure{kServiceNameMissingMessage, ServiceField::Name};
    return std::nullopt;
}

ServiceField ServiceDialog::confirm(Prompter& prompter) const {
    const auto failure = firstFailedCheck();
    if (!failure) return ServiceField::None;
    prompter.error(failure->message);
    return failure->focus;
}

CDienstlDoc ServiceDialog::record() const {
    CDienstlDoc record;
    record.name = name_;
    record.costKind = costKind_;
    record.costs = parseAmountField(costsText_).value_or(0.0);
    return record;
}

} // namespace lorvan
