#include "output/bitmap.h"

#include <array>
#include <cstring>
#include <fstream>
#include <iterator>
#include <utility>

namespace lorvan {

namespace {

// A file longer than this is no logo: the largest picture the reader accepts fits well within it.
constexpr uint64_t kMaxBitmapFileSize = 256ull * 1024 * 1024;
// Pixels of a decoded picture at most (three bytes each).
constexpr uint64_t kMaxBitmapPixels = 16ull * 1024 * 1024;

constexpr uint32_t kCompressionNone = 0;
constexpr uint32_t kCompressionBitFields = 3;

uint16_t readU16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t readU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// A colour channel given by a bit mask, scaled to 0..255.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 0;

    static Channel of(uint32_t mask) {
        Channel c;
        c.mask = mask;
        if (mask == 0) return c;
        while (((mask >> c.shift) & 1u) == 0)
            ++c.shift;
        c.max = mask >> c.shift;
        return c;
    }
    uint8_t value(uint32_t pixel) const {
        if (max == 0) return 0;
        const uint64_t v = (pixel & mask) >> shift;
        return static_cast<uint8_t>(v * 255 / max);
    }
};

} // namespace

Rgb Bitmap::pixel(int32_t x, int32_t y) const {
    const size_t at = (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3;
    return Rgb{rgb[at], rgb[at + 1], rgb[at + 2]};
}

bool decodeBitmap(const uint8_t* data, size_t size, Bitmap& out) {
    if (data == nullptr) return false;
    size_t pos = 0;
    uint64_t pixelOffset = 0; // 0: the pixels follow the palette
    if (size >= 2 && data[0] == 'B' && data[1] == 'M') {
        if (size < 14) return false;
        pixelOffset = readU32(data + 10);
        pos = 14;
    }
    if (size - pos < 4) return false;
    const uint32_t headerSize = readU32(data + pos);
    if (headerSize != 12 && headerSize < 40) return false;
    if (headerSize > size - pos) return false;
    const uint8_t* h = data + pos;

    int64_t width = 0;
    int64_t height = 0;
    uint32_t bitCount = 0;
    uint32_t compression = kCompressionNone;
    uint64_t paletteCount = 0;
    size_t paletteEntrySize = 4;
    if (headerSize == 12) {
        // The old core header: 16-bit sizes, bottom-up, palette of three-byte entries.
        width = readU16(h + 4);
        height = readU16(h + 6);
        bitCount = readU16(h + 10);
        paletteEntrySize = 3;
    } else {
        width = static_cast<int32_t>(readU32(h + 4));
        height = static_cast<int32_t>(readU32(h + 8));
        bitCount = readU16(h + 14);
        compression = readU32(h + 16);
        paletteCount = readU32(h + 32);
    }
    const bool topDown = height < 0;
    if (topDown) height = -height;
    if (width <= 0 || height <= 0 || width > kMaxBitmapSide || height > kMaxBitmapSide) return false;
    if (static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > kMaxBitmapPixels) return false;

    const bool paletted = bitCount == 1 || bitCount == 4 || bitCount == 8;
    const bool direct = bitCount == 16 || bitCount == 24 || bitCount == 32;
    if (!paletted && !direct) return false;
    if (compression != kCompressionNone &&
        !(compression == kCompressionBitFields && (bitCount == 16 || bitCount == 32)))
        return false;
    // The core header knows palettes and 24 bits only.
    if (headerSize == 12 && bitCount != 24 && !paletted) return false;

    size_t tableStart = pos + headerSize;
    // Direct colours: the default channels, or the masks that follow a 40-byte header (or lie inside
    // a larger one).
    Channel red = Channel::of(bitCount == 16 ? 0x7C00u : 0xFF0000u);
    Channel green = Channel::of(bitCount == 16 ? 0x03E0u : 0x00FF00u);
    Channel blue = Channel::of(bitCount == 16 ? 0x001Fu : 0x0000FFu);
    if (compression == kCompressionBitFields) {
        const size_t masks = pos + 40;
        if (size < masks + 12) return false;
        red = Channel::of(readU32(data + masks));
        green = Channel::of(readU32(data + masks + 4));
        blue = Channel::of(readU32(data + masks + 8));
        if (headerSize == 40) tableStart = masks + 12;
    }

    std::array<Rgb, 256> palette{};
    if (paletted) {
        const uint64_t full = 1ull << bitCount;
        if (paletteCount == 0 || paletteCount > full) paletteCount = full;
        if (tableStart > size || (size - tableStart) / paletteEntrySize < paletteCount) return false;
        for (uint64_t i = 0; i < paletteCount; ++i) {
            const uint8_t* e = data + tableStart + i * paletteEntrySize;
            palette[i] = Rgb{e[2], e[1], e[0]};
        }
        tableStart += static_cast<size_t>(paletteCount) * paletteEntrySize;
    } else if (headerSize != 12 && paletteCount > 0 && paletteCount <= 256) {
        // A palette beside direct colours is only a hint for displays; skipped.
        tableStart += static_cast<size_t>(paletteCount) * 4;
    }
    if (pixelOffset == 0) pixelOffset = tableStart;

    const uint64_t stride = (static_cast<uint64_t>(width) * bitCount + 31) / 32 * 4;
    const uint64_t lastRowBytes = (static_cast<uint64_t>(width) * bitCount + 7) / 8;
    // The last row in the file need not be padded.
    const uint64_t needed = stride * static_cast<uint64_t>(height - 1) + lastRowBytes;
    if (pixelOffset > size || size - pixelOffset < needed) return false;

    Bitmap result;
    result.width = static_cast<int32_t>(width);
    result.height = static_cast<int32_t>(height);
    result.rgb.resize(static_cast<size_t>(width * height * 3));
    for (int64_t fileRow = 0; fileRow < height; ++fileRow) {
        const uint8_t* src = data + pixelOffset + fileRow * stride;
        const int64_t y = topDown ? fileRow : height - 1 - fileRow;
        uint8_t* dst = result.rgb.data() + y * width * 3;
        for (int64_t x = 0; x < width; ++x, dst += 3) {
            Rgb c;
            switch (bitCount) {
            case 1:
            case 4:
            case 8: {
                const uint64_t bit = static_cast<uint64_t>(x) * bitCount;
                const unsigned shift = 8 - bitCount - static_cast<unsigned>(bit % 8);
                const unsigned index = (src[bit / 8] >> shift) & ((1u << bitCount) - 1);
                // An index beyond a shortened palette is black.
                c = index < paletteCount ? palette[index] : kBlack;
                break;
            }
            case 16: {
                const uint32_t v = readU16(src + x * 2);
                c = Rgb{red.value(v), green.value(v), blue.value(v)};
                break;
            }
            case 24:
                c = Rgb{src[x * 3 + 2], src[x * 3 + 1], src[x * 3]};
                break;
            default: {
                const uint32_t v = readU32(src + x * 4);
                c = Rgb{red.value(v), green.value(v), blue.value(v)};
                break;
            }
            }
            dst[0] = c.red;
            dst[1] = c.green;
            dst[2] = c.blue;
        }
    }
    out = std::move(result);
    return true;
}

bool loadBitmap(const std::string& path, Bitmap& out, std::string& errorText) {
    const std::string failure = "Das Bildformat der Datei '" + path +
                                "' kann nicht gedruckt werden.\nBitte verwenden Sie eine Bitmap.";
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        errorText = failure;
        return false;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff length = in.tellg();
    in.seekg(0, std::ios::beg);
    if (length <= 0 || static_cast<uint64_t>(length) > kMaxBitmapFileSize) {
        errorText = failure;
        return false;
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(length));
    in.read(reinterpret_cast<char*>(bytes.data()), length);
    if (in.gcount() != length || !decodeBitmap(bytes.data(), bytes.size(), out)) {
        errorText = failure;
        return false;
    }
    return true;
}

} // namespace lorvan
