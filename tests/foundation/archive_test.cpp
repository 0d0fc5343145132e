#include "foundation/archive.h"
#include "foundation/error.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace lorvan {
namespace {

std::string hex(const std::string& bytes, size_t max = 8) {
    std::string out;
    for (size_t i = 0; i < bytes.size() && i < max; ++i) {
        char b[4];
        std::snprintf(b, sizeof b, "%02X", static_cast<unsigned char>(bytes[i]));
        out += b;
    }
    return out;
}

TEST(Archive, StringLengthPrefixForms) {
    struct Case {
        size_t length;
        std::string prefix;
    };
    const Case cases[] = {
        {0, "00"},
        {254, "FE"},
        {255, "FFFF00"},
        {0xFFFD, "FFFDFF"},
        {0xFFFE, "FFFFFFFEFF0000"},
        {70000, "FFFFFF70110100"},
    };
    for (const auto& c : cases) {
        ArchiveWriter w;
        w.writeString(std::string(c.length, 'x'));
        EXPECT_EQ(hex(w.bytes(), c.prefix.size() / 2), c.prefix) << c.length;
        EXPECT_EQ(w.bytes().size(), c.prefix.size() / 2 + c.length) << c.length;
        ArchiveReader r(w.bytes(), "t.azr");
        EXPECT_EQ(r.readString().size(), c.length);
        EXPECT_EQ(r.remaining(), 0u);
    }
}

// Hands out the bytes of a file in pieces of a fixed size, as a file read in blocks would, and can
// end early like a file that was cut off while it was read.
class PieceSource final : public ArchiveSource {
  public:
    PieceSource(std::string_view bytes, size_t piece) : bytes_(bytes), piece_(piece) {}
    size_t read(char* into, size_t size) override {
        const size_t n = std::min({size, piece_, bytes_.size() - pos_});
        std::memcpy(into, bytes_.data() + pos_, n);
        pos_ += n;
        return n;
    }

  private:
    std::string_view bytes_;
    size_t piece_;
    size_t pos_ = 0;
};

TEST(Archive, ReadingFromASourceInPiecesGivesTheSameValues) {
    ArchiveWriter w;
    const std::string utf16Text = "Łukasz 😀";
    for (int round = 0; round < 3; ++round) {
        w.writeInt32(-7 - round);
        w.writeString("");
        w.writeString(std::string(254, 'a'));
        w.writeString(std::string(255, 'b'));
        w.writeString(std::string(70000, 'c')); // longer than a block
        w.writeString(utf16Text);
        w.writeFloat64(0.25 * round);
        w.writeUInt8(static_cast<uint8_t>(round));
    }
    const std::string& bytes = w.bytes();
    for (const size_t piece : {size_t{1}, size_t{7}, size_t{4096}, size_t{16384}, size_t{1} << 20}) {
        PieceSource source(bytes, piece);
        ArchiveReader r(source, bytes.size(), "t.azr");
        for (int round = 0; round < 3; ++round) {
            EXPECT_EQ(r.readInt32(), -7 - round) << piece;
            EXPECT_EQ(r.readString(), "") << piece;
            EXPECT_EQ(r.readString(), std::string(254, 'a')) << piece;
            bool utf16 = true;
            EXPECT_EQ(r.readStringBytes(utf16), std::string(255, 'b')) << piece;
            EXPECT_FALSE(utf16);
            EXPECT_EQ(r.readString(), std::string(70000, 'c')) << piece;
            EXPECT_EQ(r.readString(), utf16Text) << piece;
            EXPECT_EQ(r.readFloat64(), 0.25 * round) << piece;
            EXPECT_EQ(r.readUInt8(), round) << piece;
        }
        EXPECT_EQ(r.remaining(), 0u) << piece;
        EXPECT_THROW(r.readUInt8(), EndOfFileError) << piece;
    }
}

TEST(Archive, ASourceThatEndsEarlyOrACountBeyondTheFileFailsAtTheEnd) {
    ArchiveWriter w;
    w.writeString(std::string(30000, 'x'));
    w.writeInt32(5);
    const std::string& bytes = w.bytes();
    // The file was cut off after 20,000 bytes although it was opened with its full size.
    PieceSource cut(std::string_view(bytes).substr(0, 20000), 4096);
    ArchiveReader r(cut, bytes.size(), "kurz.azr");
    EXPECT_THROW(r.readString(), EndOfFileError);

    // A count is checked against the rest of the whole file, not of the block at hand: a count that
    // fits the file passes while most of the file is still unread, one beyond it fails at once.
    ArchiveWriter counted;
    counted.writeInt32(10000);
    counted.writeInt32(10000);
    for (int i = 0; i < 10000; ++i) counted.writeInt32(i);
    for (const int32_t fits : {1, 0}) {
        PieceSource source(counted.bytes(), 64);
        ArchiveReader c(source, counted.bytes().size(), "n.azr");
        if (fits) {
            EXPECT_EQ(c.readCount(4), 10000);
            EXPECT_EQ(c.readCount(4), 10000);
        } else {
            EXPECT_THROW(c.readCount(8), EndOfFileError);
        }
    }
}

TEST(Archive, NumbersAreLittleEndian) {
    ArchiveWriter w;
    w.writeInt32(-2);
    w.writeFloat64(1.5);
    EXPECT_EQ(hex(w.bytes(), 12), "FEFFFFFF000000000000F83F");
    ArchiveReader r(w.bytes(), "t");
    EXPECT_EQ(r.readInt32(), -2);
    EXPECT_EQ(r.readFloat64(), 1.5);
}

TEST(Archive, TextIsWindows1252OnDisk) {
    ArchiveWriter w;
    w.writeString("Bäcker €");
    EXPECT_EQ(w.bytes(), std::string("\x08" "B\xE4" "cker \x80", 9));
    ArchiveReader r(w.bytes(), "t");
    EXPECT_EQ(r.readString(), "Bäcker €");
}

TEST(Archive, TextOutsideWindows1252IsWrittenAsUtf16AndKept) {
    const std::string text = "Łukasz 😀";
    ArchiveWriter w;
    w.writeString(text);
    EXPECT_EQ(hex(w.bytes(), 4), "FFFEFF09"); // 9 UTF-16 units: the emoji takes two
    ArchiveReader r(w.bytes(), "t");
    EXPECT_EQ(r.readString(), text);
    EXPECT_EQ(r.remaining(), 0u);
}

TEST(Archive, ReadsUtf16FormWithInnerPrefix) {
    // FF FE FF, inner one-byte length 3, then "Aßc" in UTF-16LE.
    const std::string bytes("\xFF\xFE\xFF\x03" "A\0\xDF\0c\0", 10);
    ArchiveReader r(bytes, "t");
    EXPECT_EQ(r.readString(), "Aßc");
    // Inside the UTF-16 form an inner FF FE FF is the plain length 0xFFFE, not a second UTF-16 mark.
    const std::string nested("\xFF\xFE\xFF\xFF\xFE\xFF", 6);
    ArchiveReader r2(nested, "n.azr");
    EXPECT_THROW(
        {
            try {
                r2.readString();
            } catch (const EndOfFileError& e) {
                EXPECT_STREQ(e.what(), "Es wurde versucht, auf eine Stelle hinter dem Ende von n.azr zuzugreifen.");
                throw;
            }
        },
        EndOfFileError);
}

TEST(Archive, EveryByteStringSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    const std::string bytes = std::string(1, '\xFF') + std::string("\xFF\x00", 2) + all;
    ArchiveReader r(bytes, "t");
    const std::string text = r.readString();
    ArchiveWriter w;
    w.writeString(text);
    EXPECT_EQ(w.bytes(), bytes);
    // The same for every byte alone, in the short form (length in one byte).
    for (int b = 1; b < 256; ++b) {
        const std::string one = std::string(1, '\x01') + static_cast<char>(b);
        ArchiveReader shortReader(one, "t");
        ArchiveWriter shortWriter;
        shortWriter.writeString(shortReader.readString());
        EXPECT_EQ(shortWriter.bytes(), one) << b;
    }
}

TEST(Archive, CountsBelowOneAreEmptyAndImpossibleCountsFailAtOnce) {
    struct Case {
        int32_t count;
        size_t minBytes;
        size_t available;
        bool fails;
        int32_t expected;
    };
    const Case cases[] = {
        {0, 4, 0, false, 0},       {-5, 4, 0, false, 0},     {3, 4, 12, false, 3},
        {4, 4, 12, true, 0},       {0x7FFFFFFF, 1, 10, true, 0},
    };
    for (const auto& c : cases) {
        ArchiveWriter w;
        w.writeInt32(c.count);
        std::string bytes = w.bytes() + std::string(c.available, '\0');
        ArchiveReader r(bytes, "t");
        if (c.fails) {
            EXPECT_THROW(r.readCount(c.minBytes), EndOfFileError) << c.count;
        } else {
            EXPECT_EQ(r.readCount(c.minBytes), c.expected);
            EXPECT_EQ(r.remaining(), c.available) << "no element bytes consumed";
        }
    }
}

TEST(Archive, TruncatedValuesRaiseTheEndOfFileError) {
    ArchiveWriter w;
    w.writeFloat64(3.25);
    w.writeString("Hallo");
    const std::string full = w.bytes();
    for (size_t cut : {size_t{3}, size_t{7}, size_t{9}, full.size() - 1}) {
        ArchiveReader r(std::string_view(full).substr(0, cut), "Daten.mar");
        EXPECT_THROW(
            {
                r.readFloat64();
                r.readString();
            },
            EndOfFileError)
            << cut;
    }
    // A string length far beyond the file fails without allocating it.
    const std::string huge("\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 7);
    ArchiveReader r(huge, "t");
    EXPECT_THROW(r.readString(), EndOfFileError);
}

} // namespace
} // namespace lorvan
