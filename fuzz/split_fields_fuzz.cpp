// Splits arbitrary import lines in every variant: the first line of the input is the line, the
// rest are the continuation lines. Every input must end without a crash or a hang.
#include "foundation/split_fields.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    for (const auto variant :
         {lorvan::SplitVariant::TimeImport, lorvan::SplitVariant::EmployeeImport,
          lorvan::SplitVariant::PotentialAnalysis}) {
        size_t pos = input.find('\n');
        const std::string_view first = input.substr(0, pos);
        const lorvan::NextLine next = [&](std::string& line) {
            if (pos == std::string_view::npos) return false;
            const size_t start = pos + 1;
            pos = input.find('\n', start);
            line = std::string(input.substr(start, pos == std::string_view::npos ? pos : pos - start));
            return true;
        };
        std::map<int, std::string> fields;
        std::string message;
        lorvan::SplitFields(first, variant, next, 12, fields, message);
    }
    return 0;
}
