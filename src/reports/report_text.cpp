#include "reports/report_text.h"

namespace lorvan {
namespace {

bool startsCharacter(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
}

// The byte offset of character n (the text's size when it has fewer).
size_t offsetOf(std::string_view text, size_t n) {
    size_t seen = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (!startsCharacter(text[i])) continue;
        if (seen == n) return i;
        ++seen;
    }
    return text.size();
}

} // namespace

std::string characterSlice(std::string_view text, size_t first, size_t count) {
    const size_t begin = offsetOf(text, first);
    const size_t end = begin + offsetOf(text.substr(begin), count);
    return std::string(text.substr(begin, end - begin));
}

} // namespace lorvan
