#include "cli/json_stream.h"

#include <charconv>
#include <cstring>
#include <cmath>

namespace lorvan::cli {

namespace {

// Whether text is well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool validUtf8(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            ++i;
            continue;
        }
        size_t length = 0;
        uint32_t low = 0;
        uint32_t codepoint = 0;
        if ((byte & 0xE0) == 0xC0) {
            length = 2, low = 0x80, codepoint = byte & 0x1F;
        } else if ((byte & 0xF0) == 0xE0) {
            length = 3, low = 0x800, codepoint = byte & 0x0F;
        } else if ((byte & 0xF8) == 0xF0) {
            length = 4, low = 0x10000, codepoint = byte & 0x07;
        } else {
            return false;
        }
        if (i + length > text.size()) return false;
        for (size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            codepoint = (codepoint << 6) | (next & 0x3F);
        }
        if (codepoint < low || codepoint > 0x10FFFF || (codepoint >= 0xD800 && codepoint <= 0xDFFF)) return false;
        i += length;
    }
    return true;
}

} // namespace

// A line break and the indentation of a depth, in one piece: every value and key starts with it.
void JsonStreamWriter::newLine(size_t depth) {
    static constexpr std::string_view kLineAndSpaces =
        "\n                                                                ";
    size_t n = 1 + 2 * depth;
    if (n <= kLineAndSpaces.size()) {
        out_.append(kLineAndSpaces.data(), n);
        return;
    }
    out_ += '\n';
    out_.append(n - 1, ' ');
}

void JsonStreamWriter::indent(size_t depth) {
    out_.append(2 * depth, ' ');
}

void JsonStreamWriter::beforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (started_.empty()) return;
    if (started_.back()) out_ += ',';
    started_.back() = 1;
    newLine(started_.size());
}

void JsonStreamWriter::key(std::string_view name) {
    if (started_.back()) out_ += ',';
    started_.back() = 1;
    newLine(started_.size());
    // Keys are the program's own names, which need no escapes: quote, name, quote, colon and space
    // go in as one piece.
    char piece[64];
    if (name.size() + 4 <= sizeof piece) {
        piece[0] = '"';
        std::memcpy(piece + 1, name.data(), name.size());
        std::memcpy(piece + 1 + name.size(), "\": ", 3);
        out_.append(piece, name.size() + 4);
    } else {
        out_ += '"';
        out_ += name;
        out_ += "\": ";
    }
    afterKey_ = true;
}

void JsonStreamWriter::beginObject() {
    beforeValue();
    out_ += '{';
    started_.push_back(0);
}

void JsonStreamWriter::beginArray() {
    beforeValue();
    out_ += '[';
    started_.push_back(0);
}

void JsonStreamWriter::endObject() {
    const bool started = started_.back();
    started_.pop_back();
    if (started) newLine(started_.size());
    out_ += '}';
}

void JsonStreamWriter::endArray() {
    const bool started = started_.back();
    started_.pop_back();
    if (started) newLine(started_.size());
    out_ += ']';
}

void JsonStreamWriter::value(int32_t number) {
    beforeValue();
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, number);
    out_.append(digits, static_cast<size_t>(result.ptr - digits));
}

void JsonStreamWriter::value(double number) {
    beforeValue();
    if (!std::isfinite(number)) {
        out_ += "null";
        return;
    }
    // The tree's own shortest form, so that both ways give the same digits.
    char digits[64];
    const char* end = nlohmann::detail::to_chars(digits, digits + sizeof digits, number);
    out_.append(digits, static_cast<size_t>(end - digits));
}

void JsonStreamWriter::value(std::string_view text) {
    beforeValue();
    escaped(text);
}

void JsonStreamWriter::value(const nlohmann::json& tree) {
    beforeValue();
    const std::string text = tree.dump(2);
    const size_t depth = started_.size();
    for (char c : text) {
        out_ += c;
        if (c == '\n') indent(depth);
    }
}

void JsonStreamWriter::escaped(std::string_view text) {
    // Most texts need no escape and go in whole.
    bool ascii = true;
    bool plainText = true;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        ascii &= byte < 0x80;
        plainText &= byte >= 0x20 && byte != '"' && byte != '\\';
    }
    // A text that is no UTF-8 is refused as the tree refuses it.
    if (!ascii && !validUtf8(text)) static_cast<void>(nlohmann::json(std::string(text)).dump());
    if (plainText) {
        out_ += '"';
        out_ += text;
        out_ += '"';
        return;
    }
    static constexpr char kHex[] = "0123456789abcdef";
    out_ += '"';
    size_t plain = 0; // the start of the characters not yet written, which need no escape
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x20 && byte != '"' && byte != '\\') continue;
        out_.append(text.substr(plain, i - plain));
        plain = i + 1;
        switch (byte) {
        case '"':
            out_ += "\\\"";
            break;
        case '\\':
            out_ += "\\\\";
            break;
        case '\b':
            out_ += "\\b";
            break;
        case '\t':
            out_ += "\\t";
            break;
        case '\n':
            out_ += "\\n";
            break;
        case '\f':
            out_ += "\\f";
            break;
        case '\r':
            out_ += "\\r";
            break;
        default:
            out_ += "\\u00";
            out_ += kHex[byte >> 4];
            out_ += kHex[byte & 0x0F];
        }
    }
    out_.append(text.substr(plain));
    out_ += '"';
}

} // namespace lorvan::cli
