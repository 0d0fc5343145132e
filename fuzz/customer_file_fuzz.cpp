// Loads arbitrary bytes as a customer file "Daten.kd": every input must either load or fail with
// a LorvanError; a loaded file must save and load again.
#include "foundation/error.h"
#include "masterdata/customer_file.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lorvan::CTwKundenDoc doc;
    try {
        doc.fromBytes(std::string_view(reinterpret_cast<const char*>(data), size), "Daten.kd");
    } catch (const lorvan::LorvanError&) {
        return 0;
    }
    lorvan::CTwKundenDoc again;
    again.fromBytes(doc.toBytes(), "Daten.kd");
    return 0;
}
