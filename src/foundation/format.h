#pragma once

#include <string>
#include <string_view>

namespace lorvan {

// printf-style formatting into a std::string.
std::string format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// The text filled with blanks to at least width characters (not bytes), for table columns.
std::string padRight(std::string_view text, size_t width);
std::string padLeft(std::string_view text, size_t width);

// The text without leading and trailing white space (blank, tab, CR, LF, VT, FF).
std::string_view trimWhiteSpace(std::string_view text);

} // namespace lorvan
