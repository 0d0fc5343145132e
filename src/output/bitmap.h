#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The logo reader: uncompressed Windows bitmaps (an optional 14-byte file header, an info header of 40
// bytes or more, or the old 12-byte core header, with its palette) decoded to plain RGB pixels.
namespace lorvan {

struct Rgb {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};

// A decoded picture: width × height pixels, top row first, three bytes (red, green, blue) per pixel.
struct Bitmap {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> rgb;

    bool empty() const { return width <= 0 || height <= 0; }
    // The pixel at column x of row y (0, 0 = top left); x and y must lie inside the picture.
    Rgb pixel(int32_t x, int32_t y) const;
};

// The largest picture the reader accepts (pixels per side); a logo is at most 300 × 90 pixels, so
// anything beyond this is a broken or hostile file.
inline constexpr int32_t kMaxBitmapSide = 16384;

// Decodes the bytes of a bitmap file. Uncompressed pictures of 1, 4, 8, 24 or 32 bits per pixel
// (1/4/8 with palette; 32 bits also with the bit-field "compression" of the standard masks), stored
// bottom-up or top-down. False for anything else, for a file shorter than its pixels, and for sizes
// beyond kMaxBitmapSide; nothing is allocated beyond what the file's size can fill.
bool decodeBitmap(const uint8_t* data, size_t size, Bitmap& out);

// Reads and decodes a bitmap file. False with "Das Bildformat der Datei '" + path + "' kann nicht
// gedruckt werden.\nBitte verwenden Sie eine Bitmap." when the file cannot be read or decoded.
bool loadBitmap(const std::string& path, Bitmap& out, std::string& errorText);

} // namespace lorvan
