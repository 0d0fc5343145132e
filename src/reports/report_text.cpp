#include "reports/report_text.h"

namespace lorvan {

std::string characterSlice(std::string_view text, size_t first, size_t count) {
    return leftCharacters(text.substr(leftCharacters(text, first).size()), count);
}

} // namespace lorvan
