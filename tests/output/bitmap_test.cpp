#include "output/bitmap.h"

#include "support/bitmap_bytes.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lorvan {
namespace {

using test::BitmapBytes;

bool decode(const std::string& bytes, Bitmap& out) {
    return decodeBitmap(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), out);
}

// A 3 × 2 picture: top row red, green, blue; bottom row white, black, grey.
constexpr uint32_t kPicture[2][3] = {{0xFF0000, 0x00FF00, 0x0000FF}, {0xFFFFFF, 0x000000, 0x808080}};
const std::vector<uint32_t> kPictureColours = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x808080};

BitmapBytes picture(int32_t bits) {
    BitmapBytes b;
    b.width = 3;
    b.height = 2;
    b.bits = bits;
    if (bits <= 8) {
        b.palette = kPictureColours;
        b.pixel = [](int32_t x, int32_t y) { return static_cast<uint32_t>(y * 3 + x); };
    } else {
        b.pixel = [](int32_t x, int32_t y) { return kPicture[y][x]; };
    }
    return b;
}

Rgb rgbOf(uint32_t c) {
    return Rgb{static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c)};
}

TEST(Bitmap, DecodesEveryStoredFormToTheSamePixels) {
    struct Case {
        const char* name;
        int32_t bits;
        bool coreHeader;
        bool topDown;
        bool fileHeader;
    };
    const Case cases[] = {
        {"8 bit, info header, bottom-up", 8, false, false, true},
        {"8 bit, core header", 8, true, false, true},
        {"4 bit, info header", 4, false, false, true},
        {"24 bit, info header, top-down", 24, false, true, true},
        {"24 bit, core header", 24, true, false, true},
        {"32 bit, info header", 32, false, false, true},
        {"24 bit without file header", 24, false, false, false},
        {"8 bit without file header, top-down", 8, false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BitmapBytes b = picture(c.bits);
        b.coreHeader = c.coreHeader;
        b.topDown = c.topDown;
        b.fileHeader = c.fileHeader;
        Bitmap bitmap;
        ASSERT_TRUE(decode(b.build(), bitmap));
        ASSERT_EQ(bitmap.width, 3);
        ASSERT_EQ(bitmap.height, 2);
        for (int32_t y = 0; y < 2; ++y)
            for (int32_t x = 0; x < 3; ++x)
                EXPECT_EQ(bitmap.pixel(x, y), rgbOf(kPicture[y][x])) << x << "," << y;
    }
}

TEST(Bitmap, OneBitPixelsFollowTheirPaletteAcrossRowPadding) {
    // 33 pixels a row: the row takes 5 bytes of data and 8 with padding.
    BitmapBytes b;
    b.width = 33;
    b.height = 3;
    b.bits = 1;
    b.palette = {0x102030, 0xF0E0D0};
    b.pixel = [](int32_t x, int32_t y) { return static_cast<uint32_t>((x + y) % 3 == 0); };
    Bitmap bitmap;
    ASSERT_TRUE(decode(b.build(), bitmap));
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 33; ++x)
            EXPECT_EQ(bitmap.pixel(x, y), rgbOf((x + y) % 3 == 0 ? 0xF0E0D0 : 0x102030)) << x << "," << y;
}

TEST(Bitmap, AnIndexBeyondAShortPaletteIsBlack) {
    BitmapBytes b = picture(8);
    b.palette.resize(2);
    Bitmap bitmap;
    ASSERT_TRUE(decode(b.build(), bitmap));
    EXPECT_EQ(bitmap.pixel(1, 0), rgbOf(0x00FF00));
    EXPECT_EQ(bitmap.pixel(2, 0), kBlack);
}

// Overwrites a little-endian field of a built file.
std::string withField(std::string bytes, size_t at, uint32_t value, int size = 4) {
    for (int i = 0; i < size; ++i)
        bytes[at + static_cast<size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

TEST(Bitmap, RefusesWhatItCannotDrawAndHostileSizes) {
    const std::string good = picture(24).build();
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty", ""},
        {"file header only", good.substr(0, 14)},
        {"odd info header size", withField(good, 14, 20)},
        {"info header beyond the file", withField(good, 14, 4000)},
        {"run-length compression", withField(good, 30, 1)},
        {"7 bits a pixel", withField(good, 28, 7, 2)},
        {"zero width", withField(good, 18, 0)},
        {"negative width", withField(good, 18, 0xFFFFFFFF)},
        {"huge width, tiny file", withField(good, 18, 0x7FFFFFFF)},
        {"huge top-down height", withField(good, 22, 0x80000000)},
        {"pixel offset beyond the file", withField(good, 10, 0xFFFFFFF0)},
        {"32 bits in a core header",
         [] {
             BitmapBytes b = picture(32);
             b.coreHeader = true;
             return b.build();
         }()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bitmap bitmap;
        EXPECT_FALSE(decode(c.bytes, bitmap));
    }
    // Every shorter piece of a valid file is refused, never read past its end.
    const std::string paletted = picture(8).build();
    for (size_t n = 0; n + 4 < paletted.size(); ++n) {
        Bitmap bitmap;
        EXPECT_FALSE(decode(paletted.substr(0, n), bitmap)) << n;
    }
}

TEST(Bitmap, LoadingAFileThatIsNoBitmapNamesIt) {
    test::TempDir dir;
    const std::string path = dir.file("logo.bmp");
    test::writeBytes(path, "GIF89a not a bitmap");
    Bitmap bitmap;
    std::string error;
    EXPECT_FALSE(loadBitmap(path, bitmap, error));
    EXPECT_EQ(error, "Das Bildformat der Datei '" + path +
                         "' kann nicht gedruckt werden.\nBitte verwenden Sie eine Bitmap.");
    EXPECT_FALSE(loadBitmap(dir.file("missing.bmp"), bitmap, error));

    test::writeBytes(path, picture(24).build());
    ASSERT_TRUE(loadBitmap(path, bitmap, error));
    EXPECT_EQ(bitmap.pixel(2, 1), rgbOf(0x808080));
}

} // namespace
} // namespace lorvan
