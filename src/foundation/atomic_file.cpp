#include "foundation/atomic_file.h"

#include "foundation/file_io.h"
#include "foundation/posix_file.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace lorvan {
namespace {

// As many links in a row as the system itself follows before it gives up.
constexpr int kMaxLinks = 40;

// Where a chain of links ends.
struct LinkEnd {
    std::string path;      // the final name: the path itself when it is no link
    int errorNumber = 0;   // why the chain cannot be followed, else 0
    bool dangling = false; // the last link names something that does not exist
};

LinkEnd followLinks(const std::string& path) {
    std::string current = path;
    for (int links = 0;; ++links) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0) {
            const int e = errno;
            if (links == 0) return {current}; // a new file; creating it names any other problem
            if (e == ENOENT || e == ENOTDIR) return {current, 0, true};
            return {current, e};
        }
        if (!S_ISLNK(st.st_mode)) return {current};
        if (links == kMaxLinks) return {current, ELOOP};
        std::string text(PATH_MAX, '\0');
        const ssize_t n = ::readlink(current.c_str(), text.data(), text.size());
        if (n < 0) return {current, errno};
        if (static_cast<size_t>(n) >= text.size()) return {current, ENAMETOOLONG};
        text.resize(static_cast<size_t>(n));
        // A relative target starts in the link's folder. That folder is kept as it is (no
        // ".." is taken away by hand), so that the system resolves it as it resolves the link.
        const size_t slash = current.rfind('/');
        current = !text.empty() && text.front() == '/' ? text
                  : slash == std::string::npos         ? text
                                                       : current.substr(0, slash + 1) + text;
    }
}

} // namespace

AtomicFileWriter::~AtomicFileWriter() {
    discard();
}

bool AtomicFileWriter::fail(int errorNumber) {
    cause_ = systemErrorText(errorNumber);
    return false;
}

bool AtomicFileWriter::startReplacing(const std::string& path) {
    discard();
    cause_.clear();
    replaces_ = true;
    target_ = path;
    if (path.empty()) return fail(ENOENT);
    const LinkEnd end = followLinks(path);
    target_ = end.path;
    if (end.errorNumber != 0) return fail(end.errorNumber);
    if (end.dangling) {
        cause_ = "Das Ziel der Verknüpfung '" + target_ + "' ist nicht vorhanden.";
        return false;
    }
    struct stat st {};
    const bool exists = ::stat(target_.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) return fail(EISDIR);
    if (exists && !(st.st_mode & S_IWUSR)) return fail(EACCES); // write-protected
    return open(exists ? (st.st_mode & 07777) : (0666 & ~currentUmask()));
}

bool AtomicFileWriter::startCreating(const std::string& path, mode_t permissions) {
    discard();
    cause_.clear();
    replaces_ = false;
    target_ = path;
    if (path.empty()) return fail(ENOENT);
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0) return fail(EEXIST);
    return open(permissions);
}

bool AtomicFileWriter::open(mode_t permissions) {
    temporary_ = target_ + ".tmpXXXXXX";
    fd_ = ::mkostemp(temporary_.data(), O_CLOEXEC);
    if (fd_ < 0) {
        const int e = errno;
        temporary_.clear();
        return fail(e);
    }
    if (::fchmod(fd_, permissions) != 0) {
        const int e = errno;
        discard();
        return fail(e);
    }
    return true;
}

bool AtomicFileWriter::write(std::string_view bytes) {
    if (fd_ < 0) return fail(EBADF);
    if (writeAll(fd_, bytes.data(), bytes.size())) return true;
    const int e = errno;
    discard();
    return fail(e);
}

bool AtomicFileWriter::commit() {
    if (fd_ < 0) return fail(EBADF);
    int failure = 0;
    if (::fsync(fd_) != 0) failure = errno;
    if (::close(std::exchange(fd_, -1)) != 0 && failure == 0) failure = errno;
    if (failure == 0) failure = putInPlace();
    if (failure != 0) ::unlink(temporary_.c_str());
    temporary_.clear();
    return failure == 0 || fail(failure);
}

int AtomicFileWriter::putInPlace() {
    if (replaces_) return ::rename(temporary_.c_str(), target_.c_str()) == 0 ? 0 : errno;
    // A new file: linking refuses an existing name, so a file that appeared meanwhile stays.
    if (::link(temporary_.c_str(), target_.c_str()) == 0) {
        ::unlink(temporary_.c_str());
        return 0;
    }
    const int e = errno;
    if (e != EPERM && e != EOPNOTSUPP && e != ENOSYS) return e;
    // A file system without hard links: rename, after looking at the name once more.
    struct stat st {};
    if (::lstat(target_.c_str(), &st) == 0) return EEXIST;
    return ::rename(temporary_.c_str(), target_.c_str()) == 0 ? 0 : errno;
}

void AtomicFileWriter::discard() {
    if (fd_ >= 0) ::close(std::exchange(fd_, -1));
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    temporary_.clear();
}

} // namespace lorvan
