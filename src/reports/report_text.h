#pragma once

#include "foundation/text_encoding.h"

#include <cstddef>
#include <string>
#include <string_view>

// Character-wise handling of the UTF-8 texts that reports cut or measure.
namespace lorvan {

// At most count characters from character first on.
std::string characterSlice(std::string_view text, size_t first, size_t count);

} // namespace lorvan
