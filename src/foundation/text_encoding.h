#pragma once

#include <optional>
#include <string>
#include <string_view>

// In memory all text is UTF-8; on disk it is Windows-1252 (archive strings, text and INI files).
// The five bytes that Windows-1252 leaves undefined (81, 8D, 8F, 90, 9D) map to U+0081 ... U+009D
// and back, so every byte string survives the round trip.
namespace lorvan {

std::string cp1252ToUtf8(std::string_view bytes);

// Whether the bytes are valid UTF-8 (plain ASCII is).
bool isValidUtf8(std::string_view bytes);
// The bytes as UTF-8 with every byte that starts no valid sequence replaced by U+FFFD.
std::string repairUtf8(std::string_view bytes);

// The Windows-1252 form of a UTF-8 text, or nothing when a character has no Windows-1252 byte.
std::optional<std::string> utf8ToCp1252(std::string_view text);

// The Windows-1252 form with "?" for every character that Windows-1252 cannot hold.
std::string utf8ToCp1252Lossy(std::string_view text);

std::u16string utf8ToUtf16(std::string_view text);
std::string utf16ToUtf8(std::u16string_view text);

// Upper case of the Windows-1252 letters (umlauts included; "ß" stays); other characters unchanged.
std::string toUpperCp1252(std::string_view text);

// Byte-wise comparison of the Windows-1252 forms (<0, 0, >0).
int compareCp1252(std::string_view a, std::string_view b);

// Number of characters (code points) of a UTF-8 text.
size_t characterCount(std::string_view text);

// The first n characters of a UTF-8 text.
std::string leftCharacters(std::string_view text, size_t n);

} // namespace lorvan
