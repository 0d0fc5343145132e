#pragma once

#include "foundation/format.h"
#include "foundation/number_text.h"
#include "foundation/text_encoding.h"

#include <string>
#include <string_view>

// Small text helpers of the customer and service searches.
namespace lorvan::search_text {

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

// Whether t has the character somewhere after its first character.
inline bool hasAfterFirst(std::string_view t, char c) {
    return t.size() > 1 && t.find(c, 1) != std::string_view::npos;
}

// The surname part of a text like "Schmidt, Anna" (before the first comma) or "Anna Schmidt" (after
// the last blank), trimmed; empty when the text is neither.
inline std::string_view surnamePart(std::string_view t) {
    if (hasAfterFirst(t, ',')) return trimWhiteSpace(t.substr(0, t.find(',')));
    if (hasAfterFirst(t, ' ')) return trimWhiteSpace(t.substr(t.rfind(' ') + 1));
    return {};
}

} // namespace lorvan::search_text
