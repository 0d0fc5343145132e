#include "import/import_file_text.h"

#include "foundation/error.h"
#include "foundation/file_io.h"
#include "foundation/file_system.h"
#include "foundation/text_encoding.h"

namespace lorvan {
namespace {

// Every sequence is complete, has no overlong form, no surrogate and stays below U+110000.
bool isValidUtf8(std::string_view bytes) {
    size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        size_t length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else {
            return false;
        }
        if (bytes.size() - i < length) return false;
        for (size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            const unsigned char min = k == 1 ? low : 0x80;
            const unsigned char max = k == 1 ? high : 0xBF;
            if (next < min || next > max) return false;
        }
        i += length;
    }
    return true;
}

} // namespace

std::string decodeImportBytes(std::string_view bytes) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) bytes.remove_prefix(kByteOrderMark.size());
    if (isValidUtf8(bytes)) return std::string(bytes);
    return cp1252ToUtf8(bytes);
}

std::string importFileText(const std::string& path) {
    if (!fileExists(path)) throw LorvanError("Die angegebene Datei existiert nicht.");
    return decodeImportBytes(readWholeFile(path));
}

} // namespace lorvan
