#pragma once

#include <string>

namespace lorvan {

// printf-style formatting into a std::string.
std::string format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

} // namespace lorvan
