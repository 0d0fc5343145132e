#include "foundation/file_system.h"

#include "foundation/atomic_file.h"
#include "foundation/error.h"
#include "foundation/file_io.h"
#include "foundation/format.h"
#include "foundation/posix_file.h"
#include "foundation/text_encoding.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lorvan {
namespace {

std::string withCause(const std::string& message, const std::string& cause) {
    return message + "\n(" + cause + ")";
}

std::string causeOf(int errorNumber) {
    errno = errorNumber;
    return lastErrorText();
}

std::string slashes(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

bool isDirectory(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The names in a directory without "." and "..", sorted; empty when it cannot be read.
std::vector<std::string> entriesOf(const std::string& directory) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(directory.empty() ? "." : directory.c_str());
    if (!dir) return names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

uint32_t littleEndian(const unsigned char* p, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | p[i];
    return value;
}

// The bitmap's size in pixels from its first bytes and the file's size; false when the file is
// no uncompressed Windows bitmap or too short for the pixels its header announces.
bool readBitmapHeader(const unsigned char* head, size_t headSize, uint64_t fileSize, PictureSize& size) {
    if (headSize < 26 || head[0] != 'B' || head[1] != 'M') return false;
    const uint64_t pixelOffset = littleEndian(head + 10, 4);
    const uint32_t headerSize = littleEndian(head + 14, 4);
    int64_t width = 0;
    int64_t height = 0;
    uint32_t planes = 0;
    uint32_t bits = 0;
    uint32_t compression = 0;
    if (headerSize == 12) {
        width = littleEndian(head + 18, 2);
        height = littleEndian(head + 20, 2);
        planes = littleEndian(head + 22, 2);
        bits = littleEndian(head + 24, 2);
    } else if (headerSize >= 40 && headerSize <= 124) {
        if (headSize < 34) return false;
        width = static_cast<int32_t>(littleEndian(head + 18, 4));
        height = static_cast<int32_t>(littleEndian(head + 22, 4));
        planes = littleEndian(head + 26, 2);
        bits = littleEndian(head + 28, 2);
        compression = littleEndian(head + 30, 4);
        if (height < 0) height = -height; // stored top-down
    } else {
        return false;
    }
    const bool plainBits = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    const bool uncompressed = compression == 0 || (compression == 3 && (bits == 16 || bits == 32));
    if (planes != 1 || !plainBits || !uncompressed || width <= 0 || height <= 0) return false;
    if (headerSize == 12 && bits > 8 && bits != 24) return false;
    const uint64_t rowBytes = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
    if (pixelOffset < 14 + headerSize || pixelOffset > fileSize ||
        rowBytes * static_cast<uint64_t>(height) > fileSize - pixelOffset)
        return false;
    size.width = static_cast<int32_t>(width);
    size.height = static_cast<int32_t>(height);
    return true;
}

} // namespace

std::string withSeparator(const std::string& path, bool wanted) {
    if (path.empty()) return path;
    std::string result = slashes(path);
    if (wanted && result.back() != '/') result += '/';
    if (!wanted && result.back() == '/') result.pop_back();
    return result;
}

bool fileExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool directoryExists(const std::string& path) {
    return isDirectory(withSeparator(path, true));
}

bool directoryHasFiles(const std::string& directory, const std::string& pattern) {
    const std::string folder = withSeparator(directory, true);
    const std::string glob = pattern == "*.*" ? "*" : pattern;
    for (const std::string& name : entriesOf(folder)) {
        if (::fnmatch(glob.c_str(), name.c_str(), FNM_CASEFOLD) != 0) continue;
        if (!isDirectory(folder + name)) return true;
    }
    return false;
}

std::string currentDirectory() {
    std::string buffer(PATH_MAX, '\0');
    if (!::getcwd(buffer.data(), buffer.size()))
        throw LorvanError(
            withCause("Das aktuelle Anwendungsverzeichnis konnte nicht bestimmt werden.", lastErrorText()));
    buffer.resize(buffer.find('\0'));
    return buffer;
}

std::string setCurrentDirectory(const std::string& directory) {
    const std::string previous = currentDirectory();
    if (directory.empty()) return previous;
    const std::string wanted = withSeparator(directory, true);
    if (wanted != withSeparator(previous, true) && ::chdir(wanted.c_str()) != 0)
        throw LorvanError(
            withCause("Das Verzeichnis '" + directory + "' konnte nicht gesetzt werden.", lastErrorText()));
    return previous;
}

std::string directoryOfPath(const std::string& path, bool currentIfEmpty) {
    const std::string p = slashes(path);
    const size_t slash = p.rfind('/');
    std::string directory = slash == std::string::npos ? std::string() : p.substr(0, slash + 1);
    if (directory.empty() && currentIfEmpty) directory = withSeparator(currentDirectory(), true);
    return directory;
}

std::string fileNameOfPath(const std::string& path) {
    const std::string p = slashes(path);
    const size_t slash = p.rfind('/');
    return slash == std::string::npos ? p : p.substr(slash + 1);
}

std::string nearestExistingDirectory(const std::string& path) {
    std::string text = withSeparator(path, true);
    while (!text.empty() && !isDirectory(text)) {
        text.pop_back();
        const size_t slash = text.rfind('/');
        text = slash == std::string::npos ? std::string() : text.substr(0, slash + 1);
    }
    return text;
}

std::string absolutePath(const std::string& path, const std::string& baseDirectory) {
    const std::string p = slashes(path);
    std::string start;
    if (p.empty() || p.front() != '/') {
        const std::string base = slashes(baseDirectory);
        if (base.empty() || base.front() != '/')
            start = withSeparator(currentDirectory(), true) + withSeparator(base, true);
        else
            start = withSeparator(base, true);
    }
    // Resolve "." and ".." level by level, as the system does for a path that need not exist.
    std::vector<std::string> levels;
    const std::string whole = start + p;
    size_t begin = 0;
    while (begin <= whole.size()) {
        size_t end = whole.find('/', begin);
        if (end == std::string::npos) end = whole.size();
        const std::string level = whole.substr(begin, end - begin);
        if (level == "..") {
            if (!levels.empty()) levels.pop_back();
        } else if (!level.empty() && level != ".") {
            levels.push_back(level);
        }
        begin = end + 1;
    }
    std::string result = "/";
    for (const std::string& level : levels)
        result += level + "/";
    if (result.size() >= PATH_MAX)
        throw LorvanError(
            withCause("Das absolute Verzeichnis für '" + path + "' konnte nicht ermittelt werden.",
                      "Das Zielverzeichnis ist ungültig. Z.B. existiert das Laufwerk nicht oder "
                      "der Verzeichnisname ist zu lang."));
    return result;
}

bool createDirectoryPath(const std::string& path, std::string& errorText, const std::string& baseDirectory) {
    const std::string wanted = withSeparator(path, false);
    if (wanted.empty()) return true;
    const std::string absolute = absolutePath(wanted, baseDirectory);
    if (isDirectory(absolute)) return true;
    int created = 0;
    std::string lastCreated;
    int failure = 0;
    for (size_t slash = absolute.find('/', 1); slash != std::string::npos;
         slash = absolute.find('/', slash + 1)) {
        const std::string level = absolute.substr(0, slash);
        if (::mkdir(level.c_str(), 0777) == 0) {
            ++created;
            lastCreated = level;
            continue;
        }
        const int e = errno;
        if (isDirectory(level)) continue; // that level is there already
        // The deeper levels cannot be created either; the first failure is the one to report.
        failure = e;
        break;
    }
    if (failure == 0 && isDirectory(absolute)) return true;
    const std::string cause = causeOf(failure);
    std::string ignored;
    if (created > 0) removeCreatedDirectories(lastCreated, ignored, created);
    errorText = withCause("Das Verzeichnis '" + path + "' konnte nicht angelegt werden.", cause);
    return false;
}

bool removeCreatedDirectories(const std::string& innermost, std::string& errorText, int levelCount) {
    std::string directory = withSeparator(innermost, false);
    for (int i = 0; i < levelCount; ++i) {
        if (::rmdir(directory.c_str()) != 0) {
            errorText = withCause("Das Verzeichnis '" + directory + "' konnte nicht entfernt werden.",
                                  lastErrorText());
            return false;
        }
        const size_t slash = directory.rfind('/');
        directory = slash == std::string::npos ? std::string() : directory.substr(0, slash);
    }
    return true;
}

bool deleteFile(const std::string& path, std::string& errorText, bool removeWriteProtection) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) return true; // not there: nothing to delete
        errorText = withCause("Die Datei '" + path + "' konnte nicht gelöscht werden.", lastErrorText());
        return false;
    }
    const bool readOnly = S_ISREG(st.st_mode) && !(st.st_mode & S_IWUSR);
    if (readOnly) {
        if (!removeWriteProtection) {
            // A write-protected file is not deleted unless asked to.
            errorText = withCause("Die Datei '" + path + "' konnte nicht gelöscht werden.", causeOf(EACCES));
            return false;
        }
        if (::chmod(path.c_str(), st.st_mode | S_IWUSR) != 0) {
            errorText =
                withCause("Die Datei '" + path +
                              "' konnte nicht gelöscht werden, da der Schreibschutz nicht entfernt werden "
                              "konnte.",
                          lastErrorText());
            return false;
        }
    }
    if (S_ISDIR(st.st_mode) || ::unlink(path.c_str()) != 0) {
        const int e = S_ISDIR(st.st_mode) ? EISDIR : errno;
        errorText = withCause("Die Datei '" + path + "' konnte nicht gelöscht werden.", causeOf(e));
        return false;
    }
    return true;
}

bool copyFile(const std::string& source, const std::string& target, std::string& errorText) {
    auto fail = [&](int errorNumber) {
        errorText = causeOf(errorNumber);
        return false;
    };
    FileDescriptor from(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
    if (from.get() < 0) return fail(errno);
    struct stat st {};
    if (::fstat(from.get(), &st) != 0) return fail(errno);
    if (S_ISDIR(st.st_mode)) return fail(EISDIR);

    // The copy appears under the target's name only when complete, and never over an existing file.
    AtomicFileWriter copy;
    bool copied = copy.startCreating(target, st.st_mode & 07777);
    char buffer[65536];
    while (copied) {
        const ssize_t n = ::read(from.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return fail(errno);
        if (n == 0) break;
        copied = copy.write(std::string_view(buffer, static_cast<size_t>(n)));
    }
    if (copied && copy.commit()) return true;
    errorText = copy.cause();
    return false;
}

std::string lastErrorText() {
    std::string text = systemErrorText(errno);
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return "Kein Fehlertext vorhanden.";
    text.erase(0, first);
    text.erase(text.find_last_not_of(" \t\r\n") + 1);
    return text;
}

DateTime fileModificationTime(const std::string& path) {
    struct stat st {};
    std::tm local{};
    if (path.empty() || ::stat(path.c_str(), &st) != 0 || !::localtime_r(&st.st_mtim.tv_sec, &local))
        return DateTime{Datum{1, 1, 1980}, 0, 0, 0};
    return DateTime{Datum{local.tm_mday, local.tm_mon + 1, local.tm_year + 1900}, local.tm_hour, local.tm_min,
                    local.tm_sec};
}

FileStamp fileStamp(const std::string& path) {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0) return FileStamp{};
    return fileStampOf(st);
}

FileStamp fileStampOf(const struct stat& st) {
    return FileStamp{true,
                     static_cast<int64_t>(st.st_mtim.tv_sec),
                     static_cast<int64_t>(st.st_mtim.tv_nsec),
                     static_cast<int64_t>(st.st_size),
                     static_cast<uint64_t>(st.st_dev),
                     static_cast<uint64_t>(st.st_ino)};
}

namespace {

std::string upperForm(const std::string& utf8) {
    return toUpperCp1252(utf8ToCp1252Lossy(utf8));
}

void searchByStem(const std::string& folder, const std::string& upperStem, size_t suffixLength,
                  const std::string& subdirectoryName, std::vector<std::string>& files) {
    for (const std::string& name : entriesOf(folder)) {
        const std::string full = folder + name;
        struct stat st {};
        if (::lstat(full.c_str(), &st) != 0) continue;
        if (S_ISDIR(st.st_mode)) {
            if (subdirectoryName.empty() || subdirectoryName == upperForm(name))
                searchByStem(full + "/", upperStem, suffixLength, std::string(), files);
            continue;
        }
        if (S_ISLNK(st.st_mode) && isDirectory(full)) continue;
        const std::string upper = upperForm(name);
        if (upper.size() >= suffixLength && upper.substr(0, upper.size() - suffixLength) == upperStem)
            files.push_back(full);
    }
}

} // namespace

void findFilesByStem(const std::string& directory, const std::string& stem, size_t suffixLength,
                     const std::string& subdirectoryName, std::vector<std::string>& files) {
    searchByStem(withSeparator(directory.empty() ? "." : directory, true), upperForm(stem), suffixLength,
                 subdirectoryName, files);
}

UserEnvironment UserEnvironment::ofProcess() {
    UserEnvironment environment;
    if (const char* home = std::getenv("HOME"); home && *home) {
        environment.home = home;
    } else {
        passwd entry{};
        passwd* found = nullptr;
        std::string buffer(16384, '\0');
        if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
            found->pw_dir)
            environment.home = found->pw_dir;
    }
    if (const char* documents = std::getenv("XDG_DOCUMENTS_DIR")) environment.documentsFolder = documents;
    return environment;
}

std::string documentsFolder(const UserEnvironment& environment) {
    if (!environment.documentsFolder.empty()) return environment.documentsFolder;
    if (environment.home.empty()) return std::string();
    const std::string documents = withSeparator(environment.home, true) + "Documents";
    return isDirectory(documents) ? documents : std::string();
}

std::string defaultDataDirectory(const UserEnvironment& environment) {
    const std::string documents = documentsFolder(environment);
    if (!documents.empty()) return withSeparator(documents, true) + "TwDaten/";
    return withSeparator(environment.home.empty() ? "/" : environment.home, true) + "TwDaten/";
}

int32_t himetricToPixels(int32_t himetric) {
    return static_cast<int32_t>(static_cast<int64_t>(himetric) * 96 / 2540);
}

bool loadPicture(const std::string& path, PictureSize& size, std::string& errorText) {
    if (!fileExists(path)) {
        errorText = "Die Datei '" + path + "' existiert nicht.";
        return false;
    }
    unsigned char head[64] = {};
    size_t headSize = 0;
    struct stat st {};
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() >= 0 && ::fstat(fd.get(), &st) == 0) {
        while (headSize < sizeof head) {
            const ssize_t n = ::read(fd.get(), head + headSize, sizeof head - headSize);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            headSize += static_cast<size_t>(n);
        }
    }
    PictureSize read;
    if (fd.get() < 0 || !readBitmapHeader(head, headSize, static_cast<uint64_t>(st.st_size), read)) {
        errorText = "Das Bildformat der Datei '" + path +
                    "' wird nicht unterstützt.\nBitte verwenden Sie eine Bitmap.";
        return false;
    }
    size = read;
    return true;
}

} // namespace lorvan
