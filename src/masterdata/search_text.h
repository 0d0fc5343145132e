#pragma once

#include "foundation/number_text.h"
#include "foundation/text_encoding.h"

#include <string>
#include <string_view>

// Small text helpers of the customer and service searches.
namespace lorvan::search_text {

inline std::string_view trim(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n\v\f";
    const size_t begin = text.find_first_not_of(kBlanks);
    if (begin == std::string_view::npos) return {};
    const size_t end = text.find_last_not_of(kBlanks);
    return text.substr(begin, end - begin + 1);
}

inline bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

// A comparable form made of blanks alone ("_") or nothing would be contained in almost every name.
inline bool hasLetterOrDigit(std::string_view form) {
    return form.find_first_not_of('_') != std::string_view::npos;
}

// The file-name form in capitals, under which "Müller" and "mueller" meet.
inline std::string comparableForm(std::string_view text) {
    return toUpperCp1252(toFileNamePart(text));
}

} // namespace lorvan::search_text
