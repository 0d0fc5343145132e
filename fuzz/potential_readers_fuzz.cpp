// The three readers of the weekly potential analysis on arbitrary bytes: the PZE/BDE evaluation, the
// machine-employee file and the misconduct index. The first byte chooses the reader; the rest is the
// file, decoded as the analysis decodes it.
#include "import/import_file_text.h"
#include "platform/prompter.h"
#include "potential/potential_files.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string text =
        lorvan::decodeImportBytes(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
    lorvan::FixedAnswerPrompter prompter(false, true);
    lorvan::PotentialYear year;
    year.year = 2024;
    year.firstWeek = 1;
    year.lastWeek = 53;
    switch (data[0] % 3) {
    case 0:
        lorvan::readPzeBdeText(text, "pze.csv", year, prompter);
        for (const auto& [name, entry] : year.entries)
            for (int32_t week = 1; week <= 53; ++week)
                year.pzeValues(entry, week);
        break;
    case 1:
        lorvan::readMachineText(text, "kw05.csv", 5, year, prompter);
        break;
    default:
        lorvan::readMisconductText(text, "index.csv", year, prompter);
        break;
    }
    return 0;
}
