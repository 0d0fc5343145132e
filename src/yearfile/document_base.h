#pragma once

#include "foundation/file_system.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace lorvan {

class ArchiveReader;
class ArchiveWriter;
class Prompter;

// The message for a data file that cannot be read, with its cause when there is one.
std::string unreadableFileMessage(const std::string& path, const std::string& cause);

// The program's list of recently used files.
class RecentFiles {
  public:
    virtual ~RecentFiles() = default;
    virtual void addPath(const std::string& path) = 0;
    virtual void removePath(const std::string& path) = 0;
    virtual void renamePath(const std::string& oldPath, const std::string& newPath) = 0;
};

// Finds the employee that a year file's name belongs to (the employee file serves it).
class EmployeeNames {
  public:
    virtual ~EmployeeNames() = default;
    // The first employee whose name equals the text or, with byForm, whose file-name form equals
    // it; the empty text when there is none.
    virtual std::string findByName(std::string_view text, bool byForm) const = 0;
};

// What the storage of documents needs from the program around it.
struct StorageContext {
    Prompter* prompter = nullptr;             // questions and messages; required
    std::string dataDirectory;                // year files and the backup folder "InternalBackup/"
    RecentFiles* recent = nullptr;            // may be null
    const EmployeeNames* employees = nullptr; // may be null: a year file's owner is then its name part
};

// Common storage behaviour of every data file: loaded whole, edited in memory, written whole.
//
// Before an existing file is overwritten, the change check compares the file with what this
// document saw of it at its last load or save: the modification time at full resolution, size and
// identity, and, when those are the same, the content itself, so that a change by somebody else
// within the same clock tick is caught as well.
//
// Every save goes through AtomicFileWriter: a temporary file "<name>.tmpXXXXXX" beside the file,
// renamed over it once it is on disk. A file that is a symbolic link is saved into the file the
// link leads to, and the link stays; the change check and the version backup look at that file
// too (the backup is named after the path as opened). A save that is killed may leave a temporary
// file behind; it is never read (no document kind, pattern or year-file search matches its name)
// and is not removed by later saves, since on a shared data directory it may belong to another
// user's save in progress.
class CTwDocBase {
  public:
    virtual ~CTwDocBase() = default;

    // The format version this program writes for the document kind.
    virtual int32_t currentVersion() const = 0;
    // The version read from the file; 0 for a new document, the current version after a save.
    int32_t loadedVersion() const { return loadedVersion_; }
    const std::string& path() const { return path_; }
    // The file as seen at the last load or save (nothing for a new document).
    const FileStamp& fileTime() const { return fileStamp_; }

    // Loads the whole file. Any failure raises a LorvanError with the unreadable-file message (the
    // cause names the end of the file, a newer version, or the system's reason); the document is
    // then left empty as if newly created.
    void open(const std::string& path);
    // The same for a document that is only read, never saved: the content is not remembered for the
    // change check (a save through the check would then take the file as changed by somebody else).
    void openToRead(const std::string& path);
    // Writes the whole document in the current version, crash-safely, without questions.
    void save(const std::string& path);

    // Loads like open(path); a failure is shown as the unreadable-file message and gives false.
    virtual bool open(const std::string& path, const StorageContext& context);
    // Saves with the empty-path message, the change check and the version backup; false when the
    // save was refused or failed (every failure already shown), the file then as it was.
    virtual bool save(const std::string& path, bool setAsCurrentPath, const StorageContext& context);

    // The file's bytes in the current version, and loading from bytes (fileName for messages).
    std::string toBytes() const;
    void fromBytes(std::string_view bytes, const std::string& fileName);

  protected:
    virtual void store(ArchiveWriter& ar) const = 0;
    // Reads the whole record and returns the version it read.
    virtual int32_t load(ArchiveReader& ar) = 0;
    // Resets the document to a new, empty one.
    virtual void clear() = 0;

    // Before overwriting an existing file: the change check, then the version backup. False when
    // either was declined.
    bool mayOverwrite(const std::string& path, const StorageContext& context);
    // Writes the document and takes over file time, version and (when asked) the path; a write
    // failure is shown and gives false.
    bool write(const std::string& path, bool setAsCurrentPath, const StorageContext& context);
    // A new document: no path, version 0, no file seen.
    void forgetFile();
    void setPath(const std::string& path) { path_ = path; }

  private:
    bool fileChangedSinceSeen(const std::string& path) const;
    bool backUpOlderVersion(const std::string& path, const StorageContext& context);
    void remember(const FileStamp& stamp, std::string_view bytes);
    void readFile(const std::string& path, bool rememberContent);
    void loadFrom(ArchiveReader& ar);

    std::string path_;
    int32_t loadedVersion_ = 0;
    FileStamp fileStamp_;
    uint64_t contentDigest_ = 0;
};

// The prompter of the context; raises "Zeiger nicht besetzt" when there is none.
Prompter& promptsOf(const StorageContext& context);

} // namespace lorvan
