// Loads arbitrary bytes as a service file "Daten.dl": every input must either load or fail with
// a LorvanError; a loaded file must save and load again.
#include "foundation/error.h"
#include "masterdata/service_file.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lorvan::CTwDienstlDoc doc;
    try {
        doc.fromBytes(std::string_view(reinterpret_cast<const char*>(data), size), "Daten.dl");
    } catch (const lorvan::LorvanError&) {
        return 0;
    }
    lorvan::CTwDienstlDoc again;
    again.fromBytes(doc.toBytes(), "Daten.dl");
    return 0;
}
