#pragma once

#include <optional>
#include <string>
#include <string_view>

// The number fields of the settings window: shown and typed with a decimal comma, the empty text
// being 0. Plain C++ so that the rules can be tested without windows.
namespace lorvan {

struct NumberRange {
    double minimum = 0.0;
    double maximum = 0.0;
};

// "8,00", "-1,25": two places, no thousands separator (it would not read back).
std::string numberFieldText(double value);

// Nothing when the text is a number (within the range, when there is one); otherwise the message:
// "Geben Sie eine Zahl ein." for a field without range, "Geben Sie eine Zahl zwischen 0 und 20 ein."
// for one with a range, the same for a text that is no number at all.
std::optional<std::string> numberFieldMessage(std::string_view text, const std::optional<NumberRange>& range);

} // namespace lorvan
