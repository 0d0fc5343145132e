#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace lorvan::test {

// Builds the bytes of a small uncompressed bitmap file for tests.
struct BitmapBytes {
    int32_t width = 1;
    int32_t height = 1;
    int32_t bits = 24;
    bool topDown = false;    // stored with a negative height (info header only)
    bool coreHeader = false; // the old 12-byte header with three-byte palette entries
    bool fileHeader = true;  // the 14-byte "BM" header in front
    uint32_t compression = 0;
    std::vector<uint32_t> palette; // 0xRRGGBB entries
    // The palette index (1, 4, 8 bits) or 0xRRGGBB (16: 0x7FFF-style 5-5-5 value; 24, 32) of a pixel;
    // y = 0 is the top row.
    std::function<uint32_t(int32_t x, int32_t y)> pixel = [](int32_t, int32_t) { return 0u; };

    std::string build() const {
        // A core header has no colour count: its palette always has 2^bits entries.
        std::vector<uint32_t> palette = this->palette;
        if (coreHeader && bits <= 8) palette.resize(size_t{1} << bits);
        std::string out;
        const auto put = [&out](uint32_t v, int bytes) {
            for (int i = 0; i < bytes; ++i)
                out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
        };
        const uint32_t headerSize = coreHeader ? 12 : 40;
        const uint32_t entry = coreHeader ? 3 : 4;
        const uint32_t stride = (static_cast<uint32_t>(width) * bits + 31) / 32 * 4;
        const uint32_t offset =
            (fileHeader ? 14 : 0) + headerSize + static_cast<uint32_t>(palette.size()) * entry;
        if (fileHeader) {
            out += "BM";
            put(offset + stride * static_cast<uint32_t>(height), 4);
            put(0, 4);
            put(offset, 4);
        }
        put(headerSize, 4);
        if (coreHeader) {
            put(static_cast<uint32_t>(width), 2);
            put(static_cast<uint32_t>(height), 2);
            put(1, 2);
            put(static_cast<uint32_t>(bits), 2);
        } else {
            put(static_cast<uint32_t>(width), 4);
            put(static_cast<uint32_t>(topDown ? -height : height), 4);
            put(1, 2);
            put(static_cast<uint32_t>(bits), 2);
            put(compression, 4);
            put(stride * static_cast<uint32_t>(height), 4);
            put(2835, 4);
            put(2835, 4);
            put(static_cast<uint32_t>(palette.size()), 4);
            put(0, 4);
        }
        for (uint32_t c : palette) {
            put(c & 0xFF, 1);
            put((c >> 8) & 0xFF, 1);
            put((c >> 16) & 0xFF, 1);
            if (!coreHeader) put(0, 1);
        }
        for (int32_t fileRow = 0; fileRow < height; ++fileRow) {
            const int32_t y = topDown ? fileRow : height - 1 - fileRow;
            std::string row(stride, '\0');
            for (int32_t x = 0; x < width; ++x) {
                const uint32_t v = pixel(x, y);
                if (bits < 8) {
                    const int32_t bit = x * bits;
                    row[static_cast<size_t>(bit / 8)] |= static_cast<char>(v << (8 - bits - bit % 8));
                } else {
                    const int32_t bytes = bits / 8;
                    // Little-endian: 0xRRGGBB is stored blue, green, red (and a spare byte).
                    for (int32_t i = 0; i < bytes; ++i)
                        row[static_cast<size_t>(x * bytes + i)] =
                            static_cast<char>(i < 3 ? (v >> (8 * i)) & 0xFF : 0);
                }
            }
            out += row;
        }
        return out;
    }
};

} // namespace lorvan::test
