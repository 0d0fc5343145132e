#include "foundation/text_encoding.h"

#include <gtest/gtest.h>

namespace lorvan {
namespace {

TEST(TextEncoding, Windows1252RoundTrip) {
    struct Case {
        std::string bytes;
        std::string utf8;
    };
    const Case cases[] = {
        {"abc", "abc"},
        {"\xC4\xD6\xDC\xE4\xF6\xFC\xDF", "ÄÖÜäöüß"},
        {"\x80\x84\x93\x94\x96", "€„“”–"},
        {"\x81\x8D\x8F\x90\x9D", "\u0081\u008D\u008F\u0090\u009D"}, // bytes Windows-1252 leaves undefined
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cp1252ToUtf8(c.bytes), c.utf8);
        EXPECT_EQ(utf8ToCp1252(c.utf8), c.bytes);
    }
    EXPECT_FALSE(utf8ToCp1252("Łódź").has_value());
    EXPECT_EQ(utf8ToCp1252Lossy("Łódź"), "?\xF3" "d?");
    EXPECT_EQ(utf8ToCp1252Lossy("a\xC3"), "a?"); // broken UTF-8
}

TEST(TextEncoding, UpperCaseAndByteOrder) {
    EXPECT_EQ(toUpperCp1252("Jörg Weiß-Bäcker œ ÿ"), "JÖRG WEIß-BÄCKER Œ Ÿ");
    EXPECT_EQ(toUpperCp1252("Łukasz"), "ŁUKASZ");
    // "Ä" (C4) sorts after "Z" and before "ä" (E4) in Windows-1252 byte order; "€" (80) after ASCII.
    EXPECT_LT(compareCp1252("Zander", "Ärger"), 0);
    EXPECT_LT(compareCp1252("Ärger", "ärger"), 0);
    EXPECT_LT(compareCp1252("z", "€"), 0);
    EXPECT_LT(compareCp1252("€", "Ä"), 0); // 0x80 < 0xC4
    EXPECT_EQ(compareCp1252("gleich", "gleich"), 0);
}

TEST(TextEncoding, CharacterCounting) {
    EXPECT_EQ(characterCount("Müller"), 6u);
    EXPECT_EQ(leftCharacters("Müller", 2), "Mü");
    EXPECT_EQ(leftCharacters("ab", 5), "ab");
    EXPECT_EQ(utf16ToUtf8(utf8ToUtf16("a😀ß")), "a😀ß");
}

} // namespace
} // namespace lorvan
