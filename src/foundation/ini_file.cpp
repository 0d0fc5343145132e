#include "foundation/ini_file.h"

#include "foundation/error.h"
#include "foundation/format.h"

#include <string_view>
#include <sys/stat.h>
#include <vector>

namespace lorvan {
namespace {

constexpr std::string_view kNewline = "$$NEWLINE$$";

std::string replaceAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string out;
    size_t pos = 0;
    for (size_t hit; (hit = text.find(from, pos)) != std::string_view::npos; pos = hit + from.size()) {
        out.append(text.substr(pos, hit - pos));
        out.append(to);
    }
    out.append(text.substr(pos));
    return out;
}

// A value on one line. Besides CR LF a lone CR or LF is also written as "$$NEWLINE$$": left as it
// is, it would split the line and the rest would turn into a key of its own or end the section.
std::string valueOnDisk(const std::string& value) {
    std::string out = replaceAll(value, "\r\n", kNewline);
    out = replaceAll(out, "\r", kNewline);
    return replaceAll(out, "\n", kNewline);
}

bool isExistingFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

} // namespace

IniFile::IniFile(std::string fileName, RetryQuestion askRetry)
    : TextFile(std::move(fileName), false, std::move(askRetry)) {}

bool IniFile::readSection(const std::string& section, IniSection& entries) {
    entries.clear();
    if (!isExistingFile(fileName())) return false;
    if (!open(Mode::Read)) return false;
    const std::string header = "[" + section + "]";
    bool inSection = false;
    std::string line;
    while (readLine(line)) {
        line = std::string(trimWhiteSpace(line));
        if (!inSection) {
            inSection = line == header;
            continue;
        }
        if (line.empty()) continue;
        if (line.front() == '[') break;
        const size_t equals = line.find('=');
        if (equals == std::string::npos)
            entries[line] = "";
        else
            entries[line.substr(0, equals)] = replaceAll(line.substr(equals + 1), kNewline, "\r\n");
    }
    close();
    return inSection;
}

bool IniFile::writeSection(const std::string& section, const IniSection& entries) {
    const std::string header = "[" + section + "]";
    // Lines before the file's first section header belong to no section; they stay in front, so
    // that they do not become entries of the section written here.
    std::vector<std::string> leading;
    std::vector<std::string> lines;
    lines.push_back(header);
    for (const auto& [key, value] : entries) lines.push_back(key + "=" + valueOnDisk(value));

    try {
        if (isExistingFile(fileName())) {
            if (!open(Mode::Read)) return false;
            bool dropping = false;
            bool inSection = false;
            std::string line;
            while (readLine(line)) {
                line = std::string(trimWhiteSpace(line));
                if (line == header)
                    dropping = true;
                else if (!line.empty() && line.front() == '[')
                    dropping = false;
                if (!line.empty() && line.front() == '[') inSection = true;
                if (!inSection)
                    leading.push_back(std::move(line));
                else if (!dropping)
                    lines.push_back(std::move(line));
            }
            close();
        }
    } catch (const LorvanError&) {
        close();
        return false;
    }
    if (!leading.empty()) lines.insert(lines.begin(), leading.begin(), leading.end());

    // The old file is replaced only once the new one is completely on disk.
    if (!open(Mode::Replace)) return false;
    for (const std::string& line : lines) {
        if (!tryWriteLine(line + "\n")) {
            close();
            return false;
        }
    }
    return commit();
}

} // namespace lorvan
