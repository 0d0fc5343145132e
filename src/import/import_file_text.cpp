#include "import/import_file_text.h"

#include "foundation/error.h"
#include "foundation/file_io.h"
#include "foundation/file_system.h"
#include "foundation/text_encoding.h"

#include <array>
#include <filesystem>
#include <system_error>

namespace lorvan {
namespace {

namespace fs = std::filesystem;

// The path with links and "." / ".." resolved as far as it exists.
fs::path resolvedPath(const std::string& path) {
    std::error_code error;
    fs::path absolute = fs::absolute(fs::path(path), error);
    if (error) return fs::path(path).lexically_normal();
    fs::path resolved = fs::weakly_canonical(absolute, error);
    return error ? absolute.lexically_normal() : resolved;
}

// Two names of one file: the same file on disk, or the same resolved path.
bool sameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    if (fs::equivalent(fs::path(a), fs::path(b), error)) return true;
    return resolvedPath(a) == resolvedPath(b);
}

// A file that belongs to the data: a year file anywhere, or a master or settings file of the data
// directory.
bool isDataFile(const std::string& path, const std::string& dataDirectory) {
    static constexpr std::array<const char*, 5> kDataFiles = {"DATEN.MAR", "DATEN.KD", "DATEN.DL", "DATEN.FZ",
                                                              "LORVAN.INI"};
    const fs::path resolved = resolvedPath(path);
    for (const std::string& name : {fileNameOfPath(path), resolved.filename().string()}) {
        const std::string upper = toUpperCp1252(name);
        if (upper.size() >= 4 && upper.compare(upper.size() - 4, 4, ".AZR") == 0) return true;
        if (dataDirectory.empty()) continue;
        for (const char* dataFile : kDataFiles)
            if (upper == dataFile && resolved.parent_path() == resolvedPath(dataDirectory)) return true;
    }
    if (!dataDirectory.empty())
        for (const char* dataFile : {"Daten.mar", "Daten.kd", "Daten.dl", "Daten.fz", "Lorvan.ini"})
            if (sameFile(path, withSeparator(dataDirectory, true) + dataFile)) return true;
    return false;
}

} // namespace

std::string decodeImportBytes(std::string_view bytes) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        return repairUtf8(bytes.substr(kByteOrderMark.size()));
    if (isValidUtf8(bytes)) return std::string(bytes);
    return cp1252ToUtf8(bytes);
}

std::string importFileText(const std::string& path) {
    if (!fileExists(path)) throw LorvanError("Die angegebene Datei existiert nicht.");
    return decodeImportBytes(readWholeFile(path));
}

} // namespace lorvan

namespace lorvan {

std::optional<std::string> protocolFileRefusal(const std::string& protocol, const std::string& importFile,
                                               const std::string& dataDirectory) {
    if (protocol.empty()) return std::nullopt;
    if (sameFile(protocol, importFile)) return "Die Protokolldatei darf nicht die Importdatei sein.";
    if (isDataFile(protocol, dataDirectory))
        return "Die Datei '" + protocol +
               "' gehört zu den Daten der Anwendung und kann nicht als Protokolldatei verwendet werden.";
    return std::nullopt;
}

} // namespace lorvan
