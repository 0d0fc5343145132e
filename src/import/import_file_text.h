#pragma once

#include <optional>
#include <string>
#include <string_view>

// The text of an import file (staff lists, clock files): UTF-8 in memory, whatever the file holds;
// and the files its protocol must not replace.
namespace lorvan {

// UTF-8 when the bytes start with a byte order mark (which is removed) or are valid UTF-8 (plain
// ASCII is), otherwise Windows-1252. The result is always valid UTF-8.
std::string decodeImportBytes(std::string_view bytes);

// The decoded text of the file. A missing file raises "Die angegebene Datei existiert nicht.", an
// unreadable one the reader's message.
std::string importFileText(const std::string& path);

// Why an import may not write its protocol to this file, or nothing: the protocol replaces the file,
// so it must be neither the import file nor a file of the data (a year file anywhere, Daten.mar,
// Daten.kd, Daten.dl, Daten.fz or Lorvan.ini of the data directory).
std::optional<std::string> protocolFileRefusal(const std::string& protocol, const std::string& importFile,
                                               const std::string& dataDirectory);

} // namespace lorvan
