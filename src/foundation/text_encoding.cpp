#include "foundation/text_encoding.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace lorvan {
namespace {

// Code points of the bytes 0x80..0x9F; the undefined bytes map to their own value.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t byteToCodePoint(unsigned char b) {
    if (b >= 0x80 && b <= 0x9F) return kHigh[b - 0x80];
    return b;
}

int codePointToByte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == cp) return static_cast<int>(0x80 + i);
    return -1;
}

// Writes the UTF-8 form of the code point at out; gives the end of what it wrote.
char* putUtf8(char* out, char32_t cp) {
    if (cp < 0x80) {
        *out++ = static_cast<char>(cp);
    } else if (cp < 0x800) {
        *out++ = static_cast<char>(0xC0 | (cp >> 6));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (cp >> 12));
        *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (cp >> 18));
        *out++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

void appendUtf8(std::string& out, char32_t cp) {
    char bytes[4];
    out.append(bytes, putUtf8(bytes, cp));
}

// How many UTF-8 bytes a Windows-1252 byte becomes: the characters of 0x80..0x9F lie above U+07FF
// except the undefined bytes, which stay at their own value.
size_t utf8Length(unsigned char b) {
    if (b < 0x80) return 1;
    return byteToCodePoint(b) < 0x800 ? 2 : 3;
}

// Decodes one code point at text[i]; invalid sequences yield U+FFFD and consume one byte.
char32_t decodeUtf8(std::string_view text, size_t& i) {
    const auto b0 = static_cast<unsigned char>(text[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int extra = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if ((b0 & 0xE0) == 0xC0) {
        extra = 1, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3, cp = b0 & 0x07, min = 0x10000;
    } else {
        ++i;
        return 0xFFFD;
    }
    if (i + static_cast<size_t>(extra) >= text.size()) {
        ++i;
        return 0xFFFD;
    }
    for (int k = 1; k <= extra; ++k) {
        const auto b = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return 0xFFFD;
    }
    i += static_cast<size_t>(extra) + 1;
    return cp;
}

// Whether no byte has its high bit set. Every string of a data file is checked when it is loaded
// or saved, so eight bytes are looked at in one step.
bool isAscii(std::string_view text) {
    uint64_t seen = 0;
    size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        uint64_t word;
        std::memcpy(&word, text.data() + i, 8);
        seen |= word;
    }
    for (; i < text.size(); ++i)
        seen |= static_cast<unsigned char>(text[i]);
    return (seen & 0x8080808080808080ull) == 0;
}

unsigned char upperByte(unsigned char b) {
    if (b >= 'a' && b <= 'z') return static_cast<unsigned char>(b - 32);
    if (b >= 0xE0 && b <= 0xFE && b != 0xF7) return static_cast<unsigned char>(b - 32);
    switch (b) {
    case 0x9A: return 0x8A; // š
    case 0x9C: return 0x8C; // œ
    case 0x9E: return 0x8E; // ž
    case 0xFF: return 0x9F; // ÿ
    default: return b;
    }
}

} // namespace

// Every string of a data file passes through here when it is loaded: the text is sized exactly
// first and then written in place, so that a short text stays within the string's own buffer instead
// of taking memory from the heap, and no character is appended one by one.
std::string cp1252ToUtf8(std::string_view bytes) {
    if (isAscii(bytes)) return std::string(bytes);
    size_t size = 0;
    for (char c : bytes) size += utf8Length(static_cast<unsigned char>(c));
    std::string out(size, '\0');
    char* end = out.data();
    for (char c : bytes) end = putUtf8(end, byteToCodePoint(static_cast<unsigned char>(c)));
    return out;
}

bool isValidUtf8(std::string_view bytes) {
    for (size_t i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        const size_t start = i;
        // An invalid sequence gives U+FFFD for one byte; the character U+FFFD itself takes three.
        if (decodeUtf8(bytes, i) == 0xFFFD && i == start + 1) return false;
    }
    return true;
}

std::string repairUtf8(std::string_view bytes) {
    if (isValidUtf8(bytes)) return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() + 16);
    for (size_t i = 0; i < bytes.size();) appendUtf8(out, decodeUtf8(bytes, i));
    return out;
}

std::optional<std::string> utf8ToCp1252(std::string_view text) {
    if (isAscii(text)) return std::string(text);
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const int b = codePointToByte(decodeUtf8(text, i));
        if (b < 0) return std::nullopt;
        out += static_cast<char>(b);
    }
    return out;
}

std::string utf8ToCp1252Lossy(std::string_view text) {
    if (isAscii(text)) return std::string(text);
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const int b = codePointToByte(decodeUtf8(text, i));
        out += b < 0 ? '?' : static_cast<char>(b);
    }
    return out;
}

std::u16string utf8ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const char32_t cp = decodeUtf8(text, i);
        if (cp >= 0x10000) {
            const char32_t v = cp - 0x10000;
            out += static_cast<char16_t>(0xD800 + (v >> 10));
            out += static_cast<char16_t>(0xDC00 + (v & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

std::string utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD; // a lone surrogate
        }
        appendUtf8(out, cp);
    }
    return out;
}

std::string toUpperCp1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const size_t start = i;
        const char32_t cp = decodeUtf8(text, i);
        const int b = codePointToByte(cp);
        if (b < 0) {
            out.append(text.substr(start, i - start));
        } else {
            appendUtf8(out, byteToCodePoint(upperByte(static_cast<unsigned char>(b))));
        }
    }
    return out;
}

int compareCp1252(std::string_view a, std::string_view b) {
    if (isAscii(a) && isAscii(b)) return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
    const std::string ca = utf8ToCp1252Lossy(a);
    const std::string cb = utf8ToCp1252Lossy(b);
    const int r = std::string_view(ca).compare(cb); // std::char_traits<char> compares as unsigned char
    if (r != 0) return r < 0 ? -1 : 1;
    return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

size_t characterCount(std::string_view text) {
    size_t n = 0;
    for (char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

std::string leftCharacters(std::string_view text, size_t n) {
    size_t i = 0;
    size_t count = 0;
    while (i < text.size()) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (count == n) break;
            ++count;
        }
        ++i;
    }
    return std::string(text.substr(0, i));
}

} // namespace lorvan
