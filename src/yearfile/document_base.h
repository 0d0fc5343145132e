#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lorvan {

class ArchiveReader;
class ArchiveWriter;

// The message for a data file that cannot be read, with its cause when there is one.
std::string unreadableFileMessage(const std::string& path, const std::string& cause);

// Common storage behaviour of every data file: loaded whole, edited in memory, written whole.
class CTwDocBase {
public:
    virtual ~CTwDocBase() = default;

    // The format version this program writes for the document kind.
    virtual int32_t currentVersion() const = 0;
    // The version read from the file; 0 for a new document, the current version after a save.
    int32_t loadedVersion() const { return loadedVersion_; }
    const std::string& path() const { return path_; }

    // Loads the whole file. Any failure raises a LorvanError with the unreadable-file message (the
    // cause names the end of the file, a newer version, or the system's reason); the document is
    // then left empty as if newly created.
    void open(const std::string& path);
    // Writes the whole document in the current version, crash-safely (temporary file + rename).
    void save(const std::string& path);

    // The file's bytes in the current version, and loading from bytes (fileName for messages).
    std::string toBytes() const;
    void fromBytes(std::string_view bytes, const std::string& fileName);

protected:
    virtual void store(ArchiveWriter& ar) const = 0;
    // Reads the whole record and returns the version it read.
    virtual int32_t load(ArchiveReader& ar) = 0;
    // Resets the document to a new, empty one.
    virtual void clear() = 0;

private:
    std::string path_;
    int32_t loadedVersion_ = 0;
};

} // namespace lorvan
