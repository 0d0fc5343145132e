// Reads arbitrary text as the company absence table: every input must be read without a crash or a
// hang, and the records must keep their promises (file order, real line numbers, a date on every
// record that is not an error).
#include "import/company_layouts.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const int64_t lines = static_cast<int64_t>(std::count(input.begin(), input.end(), '\n')) + 1;
    // The input as the table, and as a file name for the year rule.
    const lorvan::LayoutReading reading = lorvan::readCompanyAbsences(input, "Fehlzeiten_2026.csv");
    lorvan::readCompanyAbsences("", std::string(input));
    int64_t previous = 0;
    for (const lorvan::LayoutRecord& r : reading.records) {
        if (r.lineNumber < previous || r.lineNumber < 1 || r.lineNumber > lines) __builtin_trap();
        if (!r.isAbsence || (r.error.empty() && r.date.size() != 10)) __builtin_trap();
        previous = r.lineNumber;
    }
    if (!reading.stop.empty() && !reading.records.empty()) __builtin_trap();
    return 0;
}
