#pragma once

#include <string>

namespace lorvan {

// German text of a system error number (the cause line of file messages).
std::string systemErrorText(int errorNumber);

struct FileStamp;

// The whole content of a file; raises "Die Datei '...' konnte nicht geöffnet werden." or
// "... gelesen werden." with the cause in a second line. With stamp, it receives the stamp of the
// file that was read (taken before reading, from the open file: no second look-up of the path).
std::string readWholeFile(const std::string& path, FileStamp* stamp = nullptr);

// Writes the whole file through AtomicFileWriter (a link is followed to the file it names), so that
// a crash or a full disk never leaves a torn file. Raises "Die Datei '...' konnte nicht geschrieben
// werden." with the cause; the old file then stays as it was.
void writeFileAtomically(const std::string& path, const std::string& bytes);

} // namespace lorvan
