#include "output/print_file_name.h"

#include "foundation/number_text.h"

#include <filesystem>

namespace lorvan {

std::string printFileName(std::string_view title) {
    // Punctuation separates words like a blank; the letters beyond ASCII are left to the file-name
    // rule of year files, which writes umlauts and ß out.
    std::string words;
    words.reserve(title.size());
    for (const char c : title) {
        const auto byte = static_cast<unsigned char>(c);
        const bool keep =
            byte >= 0x80 || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        words += keep ? c : ' ';
    }
    std::string name;
    for (const char c : toFileNamePart(words)) {
        if (c == '_' && (name.empty() || name.back() == '_')) continue;
        name += c;
    }
    if (!name.empty() && name.back() == '_') name.pop_back();
    return (name.empty() ? std::string("Bericht") : name) + ".pdf";
}

std::string proposedPrintFile(std::string_view title, const std::string& lastPrintFile,
                              const std::string& defaultFolder) {
    const std::filesystem::path last(lastPrintFile);
    const std::filesystem::path folder =
        last.has_parent_path() ? last.parent_path() : std::filesystem::path(defaultFolder);
    return (folder / printFileName(title)).string();
}

} // namespace lorvan
