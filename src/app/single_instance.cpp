#include "app/single_instance.h"

#include "app/document_kinds.h"
#include "app/start_up.h"
#include "foundation/error.h"
#include "foundation/file_system.h"

#include <cctype>
#include <cstring>

namespace lorvan {
namespace {

constexpr const char* kHeader = "Lorvan-Oeffnen 1\n";

bool isYearFile(const std::string& path) {
    const int kind = findDocumentKind(path);
    return kind >= 0 &&
           std::strcmp(documentKinds()[static_cast<size_t>(kind)].documentClass, "CLorvanDoc") == 0;
}

bool isSwitch(const std::string& argument) {
    return argument.empty() || argument.front() == '-' || findBuildKey(argument) != std::string::npos;
}

} // namespace

std::string instanceServerName(const std::string& runtimeDirectory, const std::string& user) {
    if (!runtimeDirectory.empty() && runtimeDirectory.front() == '/') {
        std::string name = runtimeDirectory;
        if (name.back() != '/') name += '/';
        return name + "lorvan.socket";
    }
    // The name becomes a file name in the temporary folder: keep it to plain characters.
    std::string name = "lorvan-";
    for (const unsigned char c : user)
        name += std::isalnum(c) != 0 || c == '_' || c == '.' ? static_cast<char>(c) : '_';
    return name;
}

std::vector<std::string> handOverFiles(const std::vector<std::string>& arguments,
                                       const std::string& startDirectory) {
    std::vector<std::string> files;
    for (const std::string& argument : arguments) {
        if (isSwitch(argument) || !isYearFile(argument)) continue;
        if (argument.front() == '/') {
            files.push_back(argument);
            continue;
        }
        try {
            std::string path = absolutePath(argument, startDirectory);
            if (path.size() > 1 && path.back() == '/') path.pop_back(); // a file, not a folder
            files.push_back(std::move(path));
        } catch (const LorvanError&) {
            // A path too long for the system cannot be opened by the running program either.
        }
    }
    return files;
}

std::string encodeHandOver(const std::vector<std::string>& paths) {
    std::string message = kHeader;
    for (const std::string& path : paths)
        if (path.find_first_of(std::string("\n\r\0", 3)) == std::string::npos) message += path + '\n';
    return message;
}

std::vector<std::string> decodeHandOver(const std::string& message) {
    std::vector<std::string> paths;
    const size_t headerLength = std::strlen(kHeader);
    if (message.size() > kHandOverLimit || message.compare(0, headerLength, kHeader) != 0) return paths;
    size_t start = headerLength;
    while (start < message.size()) {
        size_t end = message.find('\n', start);
        if (end == std::string::npos) end = message.size();
        std::string line = message.substr(start, end - start);
        if (!line.empty() && line.front() == '/' && line.find('\0') == std::string::npos && isYearFile(line))
            paths.push_back(std::move(line));
        start = end + 1;
    }
    return paths;
}

} // namespace lorvan
