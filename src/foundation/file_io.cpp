#include "foundation/file_io.h"

#include "foundation/atomic_file.h"
#include "foundation/error.h"
#include "foundation/file_system.h"
#include "foundation/posix_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lorvan {
namespace {

std::string withCause(const std::string& message, const std::string& cause) {
    return message + "\n(" + cause + ")";
}

std::string withCause(const std::string& message, int errorNumber) {
    return withCause(message, systemErrorText(errorNumber));
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
    // A file larger than the file system or the user's limit allows: for the user the disk is
    // full for this file.
    case EFBIG: return "Die Platte ist voll: Die Datei überschreitet die zulässige Dateigröße.";
    case EIO: return "Beim Zugriff auf den Datenträger ist ein Fehler aufgetreten.";
    case EISDIR: return "Der Pfad ist ein Verzeichnis.";
    case EEXIST: return "Die Datei ist bereits vorhanden.";
    case ELOOP: return "Die Verknüpfung führt im Kreis oder über zu viele Stufen.";
    case ENOTEMPTY: return "Das Verzeichnis ist nicht leer.";
    case 0: return "Kein Fehlertext vorhanden.";
    default: return std::strerror(errorNumber);
    }
}

FileBlockReader::FileBlockReader(const std::string& path, FileStamp* stamp) : path_(path) {
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) throw LorvanError(withCause("Die Datei '" + path + "' konnte nicht geöffnet werden.", errno));
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        throw LorvanError(withCause("Die Datei '" + path + "' konnte nicht gelesen werden.", errno));
    if (S_ISDIR(st.st_mode))
        throw LorvanError(withCause("Die Datei '" + path + "' konnte nicht geöffnet werden.", EISDIR));
    if (stamp != nullptr) *stamp = fileStampOf(st);
    size_ = static_cast<uint64_t>(st.st_size > 0 ? st.st_size : 0);
    fd_ = fd.release();
}

FileBlockReader::~FileBlockReader() {
    FileDescriptor closing(fd_);
}

size_t FileBlockReader::read(char* into, size_t n) {
    for (;;) {
        const ssize_t got = ::read(fd_, into, n);
        if (got >= 0) return static_cast<size_t>(got);
        if (errno != EINTR)
            throw LorvanError(withCause("Die Datei '" + path_ + "' konnte nicht gelesen werden.", errno));
    }
}

std::string readWholeFile(const std::string& path, FileStamp* stamp) {
    FileBlockReader file(path, stamp);
    // One byte more than the file's size: the end then shows as a short read, without growing (and
    // copying) the buffer. Only a file that grows while it is read needs more room.
    std::string data;
    data.resize(static_cast<size_t>(file.size()) + 1);
    size_t have = 0;
    for (;;) {
        if (have == data.size()) data.resize(data.size() + 65536);
        const size_t n = file.read(data.data() + have, data.size() - have);
        if (n == 0) break;
        have += n;
    }
    data.resize(have);
    return data;
}

void writeFileAtomically(const std::string& path, const std::string& bytes) {
    AtomicFileWriter file;
    if (file.startReplacing(path) && file.write(bytes) && file.commit()) return;
    throw LorvanError(withCause("Die Datei '" + path + "' konnte nicht geschrieben werden.", file.cause()));
}

} // namespace lorvan
