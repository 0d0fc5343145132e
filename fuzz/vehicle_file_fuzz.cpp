// Loads arbitrary bytes as a vehicle file "Daten.fz": every input must either load or fail with a
// LorvanError; a loaded file must save, load again and give the same bytes.
#include "foundation/error.h"
#include "logbook/vehicle_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lorvan::CTwFahrzDoc doc;
    try {
        doc.fromBytes(std::string_view(reinterpret_cast<const char*>(data), size), "Daten.fz");
    } catch (const lorvan::LorvanError&) {
        return 0;
    }
    const std::string bytes = doc.toBytes();
    lorvan::CTwFahrzDoc again;
    again.fromBytes(bytes, "Daten.fz");
    if (again.toBytes() != bytes) std::abort();
    return 0;
}
