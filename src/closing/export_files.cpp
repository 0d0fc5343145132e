#include "closing/export_files.h"

#include "foundation/text_file.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace lorvan {

std::optional<std::string> dataFileRefusal(const std::string& path) {
    std::string name = std::filesystem::path(path).filename().string();
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    auto endsWith = [&](std::string_view end) {
        return name.size() >= end.size() && name.compare(name.size() - end.size(), end.size(), end) == 0;
    };
    if (endsWith(".azr") || endsWith(".fb") || name.rfind("daten.", 0) == 0 || name == "lorvan.ini")
        return "Die Datei '" + path +
               "' ist eine Datendatei des Programms und wird nicht überschrieben. Bitte wählen Sie eine "
               "andere Exportdatei.";
    return std::nullopt;
}

bool samePath(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) return false;
    std::error_code error;
    if (std::filesystem::equivalent(a, b, error)) return true;
    const auto left = std::filesystem::weakly_canonical(std::filesystem::absolute(a, error), error);
    const auto right = std::filesystem::weakly_canonical(std::filesystem::absolute(b, error), error);
    return left == right;
}

bool hasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

WriteFailure writeWholeTextFile(const std::string& path, const std::string& text, std::string& cause) {
    TextFile file(path, true);
    if (!file.open(TextFile::Mode::Replace)) {
        cause = file.fullErrorText();
        return WriteFailure::Create;
    }
    if (!file.tryWriteLine(text) || !file.commit()) {
        cause = file.fullErrorText();
        file.close();
        return WriteFailure::Write;
    }
    file.close();
    return WriteFailure::None;
}

} // namespace lorvan
