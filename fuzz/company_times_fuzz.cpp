// Reads arbitrary text as the company clock-event export: every input must be read without a crash
// or a hang, and every work period must be one the reading phase accepts (a date, from and to as
// h:mm with to not before from and below 48:00).
#include "import/company_layouts.h"

#include "foundation/time_text.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const int64_t lines = static_cast<int64_t>(std::count(input.begin(), input.end(), '\n')) + 1;
    const lorvan::LayoutReading reading = lorvan::readCompanyTimes(input);
    int64_t previous = 0;
    for (const lorvan::LayoutRecord& r : reading.records) {
        if (r.lineNumber < previous || r.lineNumber < 1 || r.lineNumber > lines || r.isAbsence) __builtin_trap();
        previous = r.lineNumber;
        if (!r.error.empty()) continue;
        std::string from = r.from;
        std::string to = r.to;
        if (r.date.size() != 10 || from.empty() || !lorvan::normalizeTime(from, false, false) ||
            !lorvan::normalizeTime(to, false, false) || from != r.from || to != r.to ||
            lorvan::spanText(from, to).empty())
            __builtin_trap();
    }
    return 0;
}
