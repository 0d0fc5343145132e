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

std::string readWholeFile(const std::string& path, FileStamp* stamp) {
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) throw LorvanError(withCause("Die Datei '" + path + "' konnte nicht geöffnet werden.", errno));
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        throw LorvanError(withCause("Die Datei '" + path + "' konnte nicht gelesen werden.", errno));
    if (S_ISDIR(st.st_mode))
        throw LorvanError(withCause("Die Datei '" + path + "' konnte nicht geöffnet werden.", EISDIR));
    if (stamp != nullptr) *stamp = fileStampOf(st);
    // One byte more than the file's size: the end then shows as a short read, without growing (and
    // copying) the buffer. Only a file that grows while it is read needs more room.
    std::string data;
    data.resize(static_cast<size_t>(st.st_size > 0 ? st.st_size : 0) + 1);
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
    AtomicFileWriter file;
    if (file.startReplacing(path) && file.write(bytes) && file.commit()) return;
    throw LorvanError(withCause("Die Datei '" + path + "' konnte nicht geschrieben werden.", file.cause()));
}

} // namespace lorvan
