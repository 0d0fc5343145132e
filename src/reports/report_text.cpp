#include "reports/report_text.h"

#include "foundation/format.h"
#include "yearfile/settings.h"

namespace lorvan {

std::string characterSlice(std::string_view text, size_t first, size_t count) {
    return leftCharacters(text.substr(leftCharacters(text, first).size()), count);
}

std::string calculationTitle(const std::string& name) {
    if (characterCount(name) > 6) return characterSlice(name, 0, 6) + "\n" + characterSlice(name, 6, 6);
    return "\n" + name;
}

std::string percentText(double percent) {
    return format("%.0f", percent);
}

const WagePeriod* wagePeriodOrNull(const CEinstArbzt& settings, int32_t month) {
    for (auto it = settings.wagePeriods.rbegin(); it != settings.wagePeriods.rend(); ++it)
        if (it->fromMonth <= month) return &*it;
    return nullptr;
}

} // namespace lorvan
