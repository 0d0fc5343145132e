// Loads arbitrary bytes as a working-time year file: every input must either load or fail with the
// program's own error (end of file, newer version), never crash, hang or allocate beyond the input.
#include "foundation/error.h"
#include "yearfile/year_file.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lorvan::CLorvanDoc doc;
    try {
        doc.fromBytes(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.azr");
    } catch (const lorvan::LorvanError&) {
        return 0;
    }
    // What loaded must store again, and the stored form must load to the same bytes.
    const std::string bytes = doc.toBytes();
    lorvan::CLorvanDoc again;
    again.fromBytes(bytes, "fuzz.azr");
    if (again.toBytes() != bytes) __builtin_trap();
    return 0;
}
