#pragma once

#include <string>
#include <string_view>

// The text of an import file (staff lists, clock files): UTF-8 in memory, whatever the file holds.
namespace lorvan {

// UTF-8 when the bytes start with a byte order mark (which is removed) or are valid UTF-8 (plain
// ASCII is), otherwise Windows-1252. The result is always valid UTF-8.
std::string decodeImportBytes(std::string_view bytes);

// The decoded text of the file. A missing file raises "Die angegebene Datei existiert nicht.", an
// unreadable one the reader's message.
std::string importFileText(const std::string& path);

} // namespace lorvan
