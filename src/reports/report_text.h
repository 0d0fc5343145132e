#pragma once

#include "foundation/text_encoding.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Character-wise handling of the UTF-8 texts that reports cut or measure, and the texts and settings
// several reports share.
namespace lorvan {

class CEinstArbzt;
struct WagePeriod;

// At most count characters from character first on.
std::string characterSlice(std::string_view text, size_t first, size_t count);

// A calculation field's printed column title: a name of more than six characters as two lines of at
// most six characters, a shorter one on the second line.
std::string calculationTitle(const std::string& name);

// A surcharge percent in column titles: "%.0f".
std::string percentText(double percent);

// The wage period of the month; nullptr when the file has none for it.
const WagePeriod* wagePeriodOrNull(const CEinstArbzt& settings, int32_t month);

} // namespace lorvan
