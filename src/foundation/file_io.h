#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace lorvan {

// German text of a system error number (the cause line of file messages).
std::string systemErrorText(int errorNumber);

struct FileStamp;

// Reads a file from its start in blocks, on one open descriptor.
class FileBlockReader {
public:
    // Opens the file: "Die Datei '...' konnte nicht geöffnet werden." with the cause in a second
    // line (also for a folder). With stamp, it receives the stamp of the opened file.
    explicit FileBlockReader(const std::string& path, FileStamp* stamp = nullptr);
    ~FileBlockReader();
    FileBlockReader(const FileBlockReader&) = delete;
    FileBlockReader& operator=(const FileBlockReader&) = delete;

    // The file's size when it was opened.
    uint64_t size() const { return size_; }
    // Up to n bytes into `into`, 0 at the end; "Die Datei '...' konnte nicht gelesen werden." with
    // the cause on a read error.
    size_t read(char* into, size_t n);

private:
    std::string path_;
    int fd_ = -1;
    uint64_t size_ = 0;
};

// The whole content of a file; raises "Die Datei '...' konnte nicht geöffnet werden." or
// "... gelesen werden." with the cause in a second line. With stamp, it receives the stamp of the
// file that was read (taken before reading, from the open file: no second look-up of the path).
std::string readWholeFile(const std::string& path, FileStamp* stamp = nullptr);

// Writes the whole file through AtomicFileWriter (a link is followed to the file it names), so that
// a crash or a full disk never leaves a torn file. Raises "Die Datei '...' konnte nicht geschrieben
// werden." with the cause; the old file then stays as it was.
void writeFileAtomically(const std::string& path, const std::string& bytes);

} // namespace lorvan
