#pragma once

#include <optional>
#include <string>
#include <string_view>

// The files the month closing writes for others (booking, calendar, absence export, protocols): never
// one of the program's own data files, never two of them on one path, and every one written whole or
// not at all.
namespace lorvan {

// The refusal when the path names a data file of the program (a year file "*.azr", "Daten.*", a
// logbook "*.fb" or "Lorvan.ini", letter case ignored): writing an export there would destroy it.
std::optional<std::string> dataFileRefusal(const std::string& path);

// Both paths lead to the same file (the same folder and name once "." and ".." and links are
// resolved, or the same file on disk).
bool samePath(const std::string& a, const std::string& b);

// A line break inside a value would start a line of its own in a file of lines.
bool hasLineBreak(std::string_view text);

// Why a file could not be written.
enum class WriteFailure { None, Create, Write };

// Writes the text (lines ended by "\n", CR LF on disk, Windows-1252) to a temporary file beside path
// and puts it in place of the file only when all of it was written; the file is never half written.
// On failure cause gets the file's error text.
WriteFailure writeWholeTextFile(const std::string& path, const std::string& text, std::string& cause);

} // namespace lorvan
