#include "foundation/format.h"

#include "foundation/text_encoding.h"

#include <cstdarg>
#include <cstdio>

namespace lorvan {

std::string format(const char* fmt, ...) {
    char small[256];
    va_list args;
    va_start(args, fmt);
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(small, sizeof small, fmt, args);
    va_end(args);
    std::string result;
    if (n < 0) {
        va_end(copy);
        return result;
    }
    if (static_cast<size_t>(n) < sizeof small) {
        result.assign(small, static_cast<size_t>(n));
    } else {
        result.resize(static_cast<size_t>(n));
        std::vsnprintf(result.data(), result.size() + 1, fmt, copy);
    }
    va_end(copy);
    return result;
}

std::string padRight(std::string_view text, size_t width) {
    const size_t n = characterCount(text);
    std::string out(text);
    if (n < width) out.append(width - n, ' ');
    return out;
}

std::string padLeft(std::string_view text, size_t width) {
    const size_t n = characterCount(text);
    std::string out = n < width ? std::string(width - n, ' ') : std::string();
    out.append(text);
    return out;
}

std::string_view trimWhiteSpace(std::string_view text) {
    constexpr std::string_view kWhiteSpace = " \t\r\n\v\f";
    const size_t first = text.find_first_not_of(kWhiteSpace);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kWhiteSpace) - first + 1);
}

} // namespace lorvan
