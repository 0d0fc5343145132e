#include "foundation/file_io.h"

#include "foundation/error.h"
#include "foundation/posix_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lorvan {
namespace {

std::string withCause(const std::string& message, int errorNumber) {
    return message + "\n(" + systemErrorText(errorNumber) + ")";
}

} // namespace

std::string systemErrorText(int errorNumber) {
    switch (errorNumber) {
    case ENOENT: return "Die Datei wurde nicht gefunden.";
    case ENOTDIR:
    case ENAMETOOLONG: return "Die Pfadangabe ist ungültig.";
    case EACCES:
    case EPERM:
    case EROFS: return "Der Zugriff wurde verweigert.";
    case ENOSPC:
    case EDQUOT: return "Die Platte ist voll.";
    case EISDIR: return "Der Pfad ist ein Verzeichnis.";
    case EEXIST: return "Die Datei ist bereits vorhanden.";
    case ENOTEMPTY: return "Das Verzeichnis ist nicht leer.";
    case 0: return "Kein Fehlertext vorhanden.";
    default: return std::strerror(errorNumber);
    }
}

std::string readWholeFile(const std::string& path) {
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) throw LorvanError(withCause("Die Datei '" + path + "' konnte nicht geöffnet werden.", errno));
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        throw LorvanError(withCause("Die Datei '" + path + "' konnte nicht gelesen werden.", errno));
    if (S_ISDIR(st.st_mode))
        throw LorvanError(withCause("Die Datei '" + path + "' konnte nicht geöffnet werden.", EISDIR));
    std::string data;
    data.resize(static_cast<size_t>(st.st_size > 0 ? st.st_size : 0));
    size_t have = 0;
    for (;;) {
        if (have == data.size()) data.resize(data.size() + 65536);
        const ssize_t n = ::read(fd.get(), data.data() + have, data.size() - have);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw LorvanError(withCause("Die Datei '" + path + "' konnte nicht gelesen werden.", errno));
        }
        if (n == 0) break;
        have += static_cast<size_t>(n);
    }
    data.resize(have);
    return data;
}

void writeFileAtomically(const std::string& path, const std::string& bytes) {
    const std::string failed = "Die Datei '" + path + "' konnte nicht geschrieben werden.";
    std::string tmpl = path + ".tmpXXXXXX";
    FileDescriptor fd(::mkostemp(tmpl.data(), O_CLOEXEC));
    if (fd.get() < 0) throw LorvanError(withCause(failed, errno));
    const std::string tmp = tmpl;
    auto fail = [&](int errorNumber) {
        ::close(fd.release());
        ::unlink(tmp.c_str());
        throw LorvanError(withCause(failed, errorNumber));
    };
    // Keep the permissions of the file that is replaced; a new file gets the usual ones.
    struct stat st {};
    const bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists && !(st.st_mode & S_IWUSR)) fail(EACCES); // write-protected file
    const mode_t mode = exists ? (st.st_mode & 07777) : (0666 & ~currentUmask());
    if (::fchmod(fd.get(), mode) != 0) fail(errno);
    if (!writeAll(fd.get(), bytes.data(), bytes.size())) fail(errno);
    if (::fsync(fd.get()) != 0) fail(errno);
    if (::close(fd.release()) != 0) {
        const int e = errno;
        ::unlink(tmp.c_str());
        throw LorvanError(withCause(failed, e));
    }
    if (::rename(tmp.c_str(), path.c_str()) != 0) {
        const int e = errno;
        ::unlink(tmp.c_str());
        throw LorvanError(withCause(failed, e));
    }
}

} // namespace lorvan
