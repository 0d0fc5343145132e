// Loads arbitrary bytes as an employee file "Daten.mar": every input must either load or fail with
// a LorvanError; a loaded file must save and load again.
#include "foundation/error.h"
#include "masterdata/employee_file.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lorvan::CTwMaDoc doc;
    try {
        doc.fromBytes(std::string_view(reinterpret_cast<const char*>(data), size), "Daten.mar");
    } catch (const lorvan::LorvanError&) {
        return 0;
    }
    lorvan::CTwMaDoc again;
    again.fromBytes(doc.toBytes(), "Daten.mar");
    return 0;
}
