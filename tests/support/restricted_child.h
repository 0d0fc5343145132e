#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Runs a piece of a test in a forked child under a restriction the test process must not take on
// itself: a file size limit (a full disk as the writer sees it) or a root user without the right
// to ignore file modes (a read-only data directory stays read-only).
namespace lorvan::test {

struct Restriction {
    // Above 0: RLIMIT_FSIZE in bytes, with SIGXFSZ ignored, so that a write past it fails with
    // EFBIG instead of killing the process.
    uint64_t fileSizeLimit = 0;
    // Drops CAP_DAC_OVERRIDE and CAP_DAC_READ_SEARCH (raw capset), so that file modes bind root too.
    bool obeyFileModes = false;
    // A path that must not be writable once the restriction holds (checked with access(W_OK) in the
    // child); when it still is, the child reports the restriction as impossible.
    std::string mustBeReadOnly;
};

struct ChildResult {
    bool ran = false; // false: the restriction could not be set up (why in skipReason)
    std::string skipReason;
    std::string failure;            // the child's exception text or abnormal end; empty when it went well
    std::vector<std::string> lines; // what the body returned
};

// The two ways a save in the child fails for want of room or rights: a file size limit (a full
// disk), or the folder read-only for its owner with file modes binding root too. The folder's
// modes are restored when the object ends, so that the test can clear it.
class SaveFailureSetup {
  public:
    SaveFailureSetup(bool readOnlyFolder, const std::string& folder, uint64_t fileSizeLimit);
    ~SaveFailureSetup();
    SaveFailureSetup(const SaveFailureSetup&) = delete;
    SaveFailureSetup& operator=(const SaveFailureSetup&) = delete;

    const Restriction& restriction() const { return restriction_; }

  private:
    std::string folder_;
    Restriction restriction_;
};

// Forks, sets up the restriction in the child and runs body there; its lines come back through a
// pipe. The test process checks them, since failures inside the child would not reach the test.
ChildResult runRestricted(const Restriction& restriction,
                          const std::function<std::vector<std::string>()>& body);

} // namespace lorvan::test
