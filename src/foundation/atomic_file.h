#pragma once

#include <string>
#include <string_view>
#include <sys/types.h>

namespace lorvan {

// The one way this program writes a file in place of another: the bytes go to a temporary file
// "<target>.tmpXXXXXX" beside the target, which commit() flushes to disk and only then puts in
// place of the target. A failure or a crash before that leaves the target as it was; a killed
// process may leave the temporary file behind.
//
// Symbolic links: startReplacing() follows a link, link by link (a relative link target is taken
// from the folder of the link), to the file it finally names, and replaces that file, so that the
// link stays a link and its target gets the new content. A link whose final target does not exist
// is refused: it usually points to a removed file or to a drive that is not mounted, and a file
// created there would lie where nobody looks for it.
//
// A failure leaves its German cause (the system's reason or the refused link) in cause(); the
// callers put it under their own message.
class AtomicFileWriter {
  public:
    AtomicFileWriter() = default;
    // A temporary file that was not committed is removed.
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Starts replacing the file at path, or creating it when nothing of that name exists. The new
    // file keeps the permissions of the file it replaces; a new one gets 0666 less the umask. A
    // write-protected file (no write permission for its owner) and a directory are refused.
    bool startReplacing(const std::string& path);
    // Starts a file that must not exist yet, with these permissions. Nothing is followed: any entry
    // of that name is refused, and so is one that appears before commit().
    bool startCreating(const std::string& path, mode_t permissions);

    // The open temporary file, for writers that write it their own way; -1 when none is open.
    int descriptor() const { return fd_; }
    bool write(std::string_view bytes);
    // Flushes the temporary file to disk, closes it and puts it in place of the target. On failure
    // the temporary file is removed and the target stays as it was.
    bool commit();
    // Throws the temporary file away.
    void discard();

    // The file that commit() writes: the final target of a link, else the path as given.
    const std::string& target() const { return target_; }
    const std::string& cause() const { return cause_; }

  private:
    bool fail(int errorNumber);
    bool open(mode_t permissions);
    // Renames (or, for a new file, links) the closed temporary file to the target; 0 or errno.
    int putInPlace();

    std::string target_;
    std::string temporary_;
    std::string cause_;
    int fd_ = -1;
    bool replaces_ = true;
};

} // namespace lorvan
