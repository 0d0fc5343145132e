// Decodes arbitrary bytes as a logo bitmap: every input either decodes to a picture whose pixels fill
// exactly width × height × 3 bytes, or is refused; never a read past the input.
#include "output/bitmap.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lorvan::Bitmap bitmap;
    if (lorvan::decodeBitmap(data, size, bitmap)) {
        if (bitmap.empty() || bitmap.rgb.size() != static_cast<size_t>(bitmap.width) * bitmap.height * 3)
            std::abort();
        (void)bitmap.pixel(bitmap.width - 1, bitmap.height - 1);
    }
    return 0;
}
