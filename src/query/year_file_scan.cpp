#include "query/year_file_scan.h"

#include "foundation/archive.h"
#include "foundation/error.h"
#include "foundation/file_system.h"
#include "foundation/posix_file.h"
#include "foundation/text_encoding.h"
#include "yearfile/year_document.h"
#include "yearfile/year_file.h"
#include "yearfile/year_file_lines.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lorvan {
namespace {

// The settings of a year file lie at its start; this much covers them with wage periods and
// deviating wages to spare. A larger record is read with the whole file.
constexpr size_t kHeadBytes = 16 * 1024;

bool endsWithAzr(const char* name) {
    const size_t n = std::char_traits<char>::length(name);
    if (n <= 4) return false;
    const char* tail = name + n - 4;
    return tail[0] == '.' && (tail[1] | 0x20) == 'a' && (tail[2] | 0x20) == 'z' && (tail[3] | 0x20) == 'r';
}

// Reads up to size bytes from offset; false on a read failure.
bool readAt(int fd, std::string& into, size_t offset, size_t size) {
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pread(fd, into.data() + offset + done, size - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// Version and settings from the bytes; raises on a damaged or newer file (EndOfFileError when the
// bytes end too early).
void readSettings(std::string_view bytes, const std::string& path, CEinstArbzt& settings) {
    ArchiveReader ar(bytes, path);
    const int32_t version = ar.readInt32();
    if (version > CLorvanDoc::kCurrentVersion) throw NewerVersionError();
    if (version < 1) throw EndOfFileError(path);
    settings.load(ar, version);
}

} // namespace

bool isOwnYearFileName(const std::string& fileName, const std::string& owner, int32_t year) {
    return toUpperCp1252(fileName) == toUpperCp1252(fileNameFor(owner, year));
}

std::vector<std::string> YearFileScan::yearFilesIn(const std::string& dataDirectory) {
    std::vector<std::string> names;
    const std::string folder = withSeparator(dataDirectory, true);
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return names;
    while (const dirent* entry = ::readdir(dir)) {
        if (!endsWithAzr(entry->d_name)) continue;
        if (entry->d_type != DT_REG && entry->d_type != DT_UNKNOWN && entry->d_type != DT_LNK) continue;
        names.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    std::vector<std::string> paths;
    paths.reserve(names.size());
    for (const std::string& name : names) {
        const std::string path = folder + name;
        // A folder named like a year file is none.
        struct stat info{};
        if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) continue;
        paths.push_back(path);
    }
    return paths;
}

namespace {

// The walk shared by both scans: read(bytes, path) gets the whole file of every wanted year file and
// returns false to stop.
template <typename Read>
void scanFiles(const std::string& dataDirectory, const std::function<bool(const CEinstArbzt&)>& wanted,
               std::vector<std::string>& skipped, Read read) {
    std::string bytes;
    for (const std::string& path : YearFileScan::yearFilesIn(dataDirectory)) {
        FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
        size_t size = 0;
        size_t done = 0; // bytes of the file read so far
        CEinstArbzt settings;
        try {
            struct stat info{};
            if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0) throw LorvanError(path);
            size = static_cast<size_t>(info.st_size);
            done = std::min(size, kHeadBytes);
            if (bytes.size() < size) bytes.resize(size);
            if (!readAt(fd.get(), bytes, 0, done)) throw LorvanError(path);
            try {
                readSettings(std::string_view(bytes.data(), done), path, settings);
            } catch (const EndOfFileError&) {
                if (done == size) throw;
                // Settings larger than the head: the whole file is needed to read them.
                if (!readAt(fd.get(), bytes, done, size - done)) throw LorvanError(path);
                done = size;
                readSettings(std::string_view(bytes.data(), size), path, settings);
            }
        } catch (const std::exception&) {
            skipped.push_back(path);
            continue;
        }
        if (!isOwnYearFileName(fileNameOfPath(path), settings.name, settings.year)) continue;
        if (!wanted(settings)) continue;
        if (done < size && !readAt(fd.get(), bytes, done, size - done)) {
            skipped.push_back(path);
            continue;
        }
        if (!read(std::string_view(bytes.data(), size), path)) return;
    }
}

} // namespace

void YearFileScan::run(const std::string& dataDirectory, const std::function<bool(const CEinstArbzt&)>& wanted,
                       const std::function<bool(const CLorvanDoc&)>& visit, std::vector<std::string>& skipped) {
    scanFiles(dataDirectory, wanted, skipped, [&](std::string_view bytes, const std::string& path) {
        CLorvanDoc document;
        try {
            document.fromBytes(bytes, path);
        } catch (const std::exception&) {
            skipped.push_back(path);
            return true;
        }
        return visit(document);
    });
}

void YearFileScan::runLines(const std::string& dataDirectory,
                            const std::function<bool(const CEinstArbzt&)>& wanted,
                            const std::function<bool(const YearFileLines&)>& visit,
                            std::vector<std::string>& skipped) {
    YearFileLines lines;
    scanFiles(dataDirectory, wanted, skipped, [&](std::string_view bytes, const std::string& path) {
        try {
            lines.read(bytes, path);
        } catch (const std::exception&) {
            skipped.push_back(path);
            return true;
        }
        return visit(lines);
    });
}

} // namespace lorvan
